#include "PackZip.h"

#include "log/ShellLog.h"

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <zlib.h>

PackZip::PackZip(QObject *parent)
    : QObject(parent)
{
}

bool PackZip::zipFiles(const QStringList &files, const QString &archivePath, QString *error,
                       Missing missing, QStringList *skipped)
{
    m_sourcePath.clear();
    m_archivePath = archivePath;
    QList<Entry> entries;
    QSet<QString> names;
    for (const QString &file : files) {
        const QFileInfo info(file);
        if (!info.isFile()) {
            if (missing == Missing::Fail)
                return fail(QStringLiteral("文件不存在: %1").arg(file), error);
            if (skipped)
                skipped->append(file);
            continue;
        }
        // Two sources with one bare name would leave an archive whose second entry hides the first.
        if (names.contains(info.fileName()))
            return fail(QStringLiteral("two files named %1").arg(info.fileName()), error);
        names.insert(info.fileName());
        entries.append({info.absoluteFilePath(), info.fileName()});
    }
    return write(entries, error);
}

bool PackZip::zipFolder(const QString &folder, const QString &archivePath, QString *error)
{
    m_sourcePath = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    const QFileInfo folderInfo(folder);
    m_archivePath = archivePath.isEmpty()
        ? folderInfo.absolutePath() + QLatin1Char('/') + folderInfo.fileName() + QStringLiteral(".zip")
        : archivePath;
    if (!folderInfo.isDir())
        return fail(QStringLiteral("no folder %1").arg(folder), error);
    const QDir root(folderInfo.absoluteFilePath());
    const QString archive = QFileInfo(m_archivePath).absoluteFilePath();
    QList<Entry> entries;
    QDirIterator it(root.absolutePath(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (QFileInfo(path).absoluteFilePath() == archive)
            continue; // an archive inside its own folder would be packed into itself
        entries.append({path, root.relativeFilePath(path)});
    }
    return write(entries, error);
}

bool PackZip::write(const QList<Entry> &entries, QString *error)
{
    m_errorCode = 0;
    if (QFileInfo::exists(m_archivePath) && !QFile::remove(m_archivePath))
        return fail(QStringLiteral("old archive %1 not removed").arg(m_archivePath), error);

    QuaZip zip(m_archivePath);
    zip.setUtf8Enabled(true);
    if (!zip.open(QuaZip::mdCreate)) {
        m_errorCode = zip.getZipError();
        return fail(QStringLiteral("压缩失败: %1 not created (%2)").arg(m_archivePath).arg(m_errorCode),
                    error);
    }
    QString reason;
    bool ok = true;
    for (int i = 0; i < entries.size() && ok; ++i) {
        ok = addEntry(zip, entries.at(i), &reason);
        if (ok) {
            const int percent = (i + 1) * 100 / entries.size();
            emit Status(percent);
            LOG_DEBUG(QStringLiteral("Status. %1% ").arg(percent));
        }
    }
    zip.close();
    if (ok && zip.getZipError() != ZIP_OK) {
        m_errorCode = zip.getZipError();
        reason = QStringLiteral("%1: close failed (%2)").arg(m_archivePath).arg(m_errorCode);
        ok = false;
    }
    if (!ok) {
        QFile::remove(m_archivePath);
        return fail(reason, error);
    }
    emit ZipEnd(m_archivePath);
    return true;
}

bool PackZip::addEntry(QuaZip &zip, const Entry &entry, QString *error)
{
    QFile in(entry.source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("文件不存在: %1 (%2)").arg(entry.source, in.errorString());
        return false;
    }
    QuaZipFile out(&zip);
    if (!out.open(QIODevice::WriteOnly, QuaZipNewInfo(entry.name, entry.source), nullptr, 0,
                  Z_DEFLATED, Z_DEFAULT_COMPRESSION, false, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY)) {
        m_errorCode = out.getZipError();
        *error = QStringLiteral("打开zip包出错: %1 (%2)").arg(entry.name).arg(m_errorCode);
        return false;
    }
    QByteArray block;
    while (!(block = in.read(BlockSize)).isEmpty()) {
        if (out.write(block) != block.size()) {
            m_errorCode = out.getZipError();
            *error = QStringLiteral("%1: write failed (%2)").arg(entry.name).arg(m_errorCode);
            return false;
        }
    }
    if (in.error() != QFileDevice::NoError) {
        *error = QStringLiteral("%1: read failed (%2)").arg(entry.source, in.errorString());
        return false;
    }
    out.close();
    if (out.getZipError() != ZIP_OK) {
        m_errorCode = out.getZipError();
        *error = QStringLiteral("%1: entry not closed (%2)").arg(entry.name).arg(m_errorCode);
        return false;
    }
    return true;
}

bool PackZip::fail(const QString &reason, QString *error)
{
    LOG_WARN(QStringLiteral("PackZip: ") + reason);
    if (error)
        *error = reason;
    emit ZipError();
    return false;
}
