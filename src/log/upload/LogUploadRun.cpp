#include "LogUploadRun.h"

#include "log/CustomLogger.h"
#include "HttpUploadLog.h"
#include "PackZip.h"
#include "log/ShellLog.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace {

// An account name with a path separator would place the copy elsewhere.
QString fileSafe(QString account)
{
    for (QChar &c : account) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20)
            c = QLatin1Char('_');
    }
    return account;
}

} // namespace

LogUploadRun::LogUploadRun(CustomLogger *log, const Target &target, QObject *parent)
    : QObject(parent)
    , m_log(log)
    , m_target(target)
    , m_clock([] { return QDateTime::currentDateTime(); })
{
}

LogUploadRun::~LogUploadRun()
{
    removeFiles();
}

bool LogUploadRun::compressLogFile(CustomLogger *log, const QString &account, const QDateTime &now,
                                   Files *files, QString *error)
{
    if (!log || !QFileInfo(log->path()).isFile()) {
        *error = QStringLiteral("no custom log to pack");
        return false;
    }
    const QFileInfo source(log->path());
    const QString base = source.absolutePath() + QStringLiteral("/PC-") + fileSafe(account) + QLatin1Char('-')
        + now.toString(QStringLiteral("yyyyMMddhhmmss"));
    files->csv = base + QStringLiteral(".csv");
    files->zip = base + QStringLiteral(".zip");
    log->flush();
    QFile::remove(files->csv);
    if (!QFile::copy(source.absoluteFilePath(), files->csv)) {
        qDebug().noquote() << "MainWindow::compressLogFile(),文件不存在";
        *error = QStringLiteral("copy of %1 not made").arg(source.absoluteFilePath());
        QFile::remove(files->csv);
        return false;
    }
    PackZip zip;
    if (!zip.zipFiles({files->csv}, files->zip, error)) {
        qDebug().noquote() << (error->startsWith(QStringLiteral("打开zip包出错"))
                                   ? "MainWindow::compressLogFile(),打开zip包出错"
                                   : "MainWindow::compressLogFile(),压缩失败-----------------");
        QFile::remove(files->csv);
        QFile::remove(files->zip);
        return false;
    }
    // Only now are the lines safe in the archive; before, a reset would lose them.
    if (!log->reset())
        LOG_WARN(QStringLiteral("LogUploadRun: custom log not reopened after packing"));
    return true;
}

bool LogUploadRun::fitsUpload(const QString &archivePath)
{
    const QFileInfo info(archivePath);
    return info.isFile() && info.size() <= MaxArchiveBytes;
}

void LogUploadRun::start()
{
    QString error;
    if (!compressLogFile(m_log, m_target.account, m_clock(), &m_files, &error)) {
        LOG_WARN(QStringLiteral("LogUploadRun: not packed: ") + error);
        QTimer::singleShot(0, this, [this] { end(false); });
        return;
    }
    if (!fitsUpload(m_files.zip)) {
        LOG_WARN(QStringLiteral("LogUploadRun: %1 is %2 bytes, over the limit; dropped")
                     .arg(m_files.zip).arg(QFileInfo(m_files.zip).size()));
        QTimer::singleShot(0, this, [this] { end(false); });
        return;
    }
    m_upload = new HttpUploadLog(this);
    if (m_timeoutMs > 0)
        m_upload->setTimeout(m_timeoutMs);
    connect(m_upload, &HttpUploadLog::signal_uploadDone, this, &LogUploadRun::slot_uploadLogFinished);
    m_upload->uploadFile(m_target.uploadPointUrl, m_target.objectIdUrl, m_target.user, m_target.password,
                         m_files.zip);
}

void LogUploadRun::slot_uploadLogFinished(bool success, const QString &fileSize, const QString &fileId)
{
    LOG_INFO(QStringLiteral("LogUploadRun: upload %1, size %2, object %3")
                 .arg(success ? QStringLiteral("done") : QStringLiteral("failed"), fileSize, fileId));
    if (!success)
        return end(false);
    m_notify = new HttpUploadLog(this);
    if (m_timeoutMs > 0)
        m_notify->setTimeout(m_timeoutMs);
    connect(m_notify, &HttpUploadLog::signal_notifyDone, this, &LogUploadRun::slot_notifyIMServerFinished);
    m_notify->notifyServer(m_target.registerUrl, m_target.user, m_target.password, fileId,
                           QFileInfo(m_files.zip).fileName(), QLatin1String(ClientType));
}

void LogUploadRun::slot_notifyIMServerFinished(bool success)
{
    end(success);
}

void LogUploadRun::end(bool success)
{
    if (m_ended)
        return;
    m_ended = true;
    removeFiles();
    emit finished(success);
}

void LogUploadRun::removeFiles()
{
    for (const QString &path : {m_files.csv, m_files.zip}) {
        if (!path.isEmpty() && QFileInfo::exists(path) && !QFile::remove(path))
            LOG_WARN(QStringLiteral("LogUploadRun: %1 not removed").arg(path));
    }
}
