#pragma once

#include <lumio/MessageData.h>

#include <QWidget>

class QLabel;
class QPushButton;
class QScrollArea;
class QTextEdit;
class QVBoxLayout;

// One conversation: header with the colleague, message bubbles, input and send.
class ChatWindow : public QWidget
{
    Q_OBJECT
public:
    ChatWindow(const QString &peerJid, QWidget *parent = nullptr);

    QString peerJid() const { return m_peerJid; }
    void appendMessage(const MessageData &message);
    // A line in the middle of the conversation (file received, call ended...).
    void appendNote(const QString &text);
    bool hasUnsentText() const;
    int messageCount() const { return m_count; }
    void applySkin();
    QTextEdit *input() const { return m_input; }

signals:
    void sendRequested(const QString &peerJid, const QString &text);

private:
    void send();
    void scrollToEnd();
    bool eventFilter(QObject *watched, QEvent *event) override;

    QString m_peerJid;
    QLabel *m_title;
    QLabel *m_subtitle;
    QLabel *m_head;
    QScrollArea *m_scroll;
    QWidget *m_column;
    QVBoxLayout *m_messages;
    QTextEdit *m_input;
    QPushButton *m_send;
    QString m_headPath;
    int m_count = 0;
};
