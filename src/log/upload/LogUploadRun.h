#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>

class CustomLogger;
class HttpUploadLog;

// One log upload: packs a copy of the custom log, uploads the archive and registers it
// with the log-info service. The copy and the archive are removed however it ends.
class LogUploadRun : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 MaxArchiveBytes = 1048576;
    static constexpr char ClientType[] = "1";

    struct Target {
        QString uploadPointUrl;
        QString objectIdUrl;
        QString registerUrl;
        QString account; // names the files
        QString user;
        QString password;
    };
    struct Files {
        QString csv;
        QString zip;
    };

    LogUploadRun(CustomLogger *log, const Target &target, QObject *parent = nullptr);
    ~LogUploadRun() override;

    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }
    void setTimeout(int ms) { m_timeoutMs = ms; }
    void start();

    // Copies, packs and (only once packed) resets the custom log; false with the reason,
    // leaving no copy or archive behind.
    static bool compressLogFile(CustomLogger *log, const QString &account, const QDateTime &now,
                                Files *files, QString *error);
    // True when the archive may be uploaded; up to exactly MaxArchiveBytes.
    static bool fitsUpload(const QString &archivePath);

signals:
    void finished(bool success);

private slots:
    void slot_uploadLogFinished(bool success, const QString &fileSize, const QString &fileId);
    void slot_notifyIMServerFinished(bool success);

private:
    void end(bool success);
    void removeFiles();

    CustomLogger *m_log;
    Target m_target;
    Files m_files;
    std::function<QDateTime()> m_clock;
    int m_timeoutMs = 0;
    HttpUploadLog *m_upload = nullptr;
    HttpUploadLog *m_notify = nullptr;
    bool m_ended = false;
};
