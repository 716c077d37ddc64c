#pragma once

#include <QObject>
#include <QString>

// The bridge the message page sees as "messageObject": the next fragment to
// append, and the page's requests to show a picture, fetch one or show a card.
class MsgObj : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString strNewLine READ strNewLine WRITE setStrNewLine NOTIFY strNewLineChanged)
public:
    explicit MsgObj(QObject *parent = nullptr);

    QString strNewLine() const { return m_strNewLine; }
    void setStrNewLine(const QString &line);
    // Picture paths the page hands back must lie in this folder.
    void setUserFolder(const QString &folder) { m_userFolder = folder; }

signals:
    void strNewLineChanged();
    void signal_showImage(QString imagePath);
    void signal_downLoadpic(QString picname, QString fileId);
    void signal_showVcard(QString frdjid);
    void signal_ready();

public slots:
    void slot_showImage(const QString &imagePath);
    void slot_downLoadpic(const QString &picname, const QString &fileId);
    void slot_showVcard(const QString &frdjid);
    // Called by the page's bootstrap once the channel is up.
    void ready();

private:
    QString m_strNewLine;
    QString m_userFolder;
};
