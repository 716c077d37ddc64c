#pragma once

#include "FramePainter.h"

#include <QDialog>

class CTextEditEx;
class FrameMover;
class QLabel;
class MyLineEdit;
class QPushButton;

// A framed notice: a title, a message and one accept button. Two variants ask for
// a line of text: a remark name, or a reply of at most 100 characters. When it
// points at the settings, accepting also asks for the settings window.
class ErrorMessage : public QDialog
{
    Q_OBJECT
public:
    enum InputKind { NoInput, RemarkName, ReplyText };

    explicit ErrorMessage(QWidget *parent = nullptr);
    ErrorMessage(const QString &title, const QString &message, QWidget *parent = nullptr);

    void setTitle(const QString &title);
    void setMessage(const QString &message);
    void setAcceptText(const QString &text);
    void setInputKind(InputKind kind, const QString &text = QString());
    InputKind inputKind() const { return m_inputKind; }
    // Accepting also emits signal_OpenSysSetUi (a notice about a setting).
    void setOpensSettings(bool opens) { m_opensSettings = opens; }
    // The text typed in the input variants, taken on accept.
    QString inputText() const { return m_inputText; }

    static constexpr int ReplyLimit = 100;

signals:
    void signal_OpenSysSetUi();

public slots:
    void slot_clickedAccptBtn();
    void slot_clickedCloseBtn();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void arrange();

    FramePainter m_painter;
    FrameMover *m_mover;
    InputKind m_inputKind = NoInput;
    bool m_opensSettings = false;
    QString m_inputText;
    QLabel *m_titleLabel;
    QPushButton *m_closeButton;
    QLabel *m_iconLabel;
    QLabel *m_messageLabel;
    QLabel *m_inputLabel;
    MyLineEdit *m_lineEdit;
    CTextEditEx *m_textEdit;
    QPushButton *m_acceptButton;
};
