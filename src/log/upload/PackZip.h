#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// Writes zip archives with QuaZip for log packing and the crash packer; entries are
// copied in large blocks and the process's working directory is never touched.
class PackZip : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 BlockSize = 256 * 1024;
    enum class Missing { Fail, Skip };

    explicit PackZip(QObject *parent = nullptr);

    // Each file is stored under its bare name. A missing file fails the archive, or
    // with Missing::Skip is left out and listed in skipped. An existing archive is replaced;
    // on failure no archive is left behind.
    bool zipFiles(const QStringList &files, const QString &archivePath, QString *error,
                  Missing missing = Missing::Fail, QStringList *skipped = nullptr);
    // Every file below folder, named by its path relative to it; an empty archivePath
    // means the folder's name + ".zip" beside the folder.
    bool zipFolder(const QString &folder, const QString &archivePath, QString *error);

    // The QuaZip/zlib code of the last failure, 0 after a success.
    int errorCode() const { return m_errorCode; }
    QString archivePath() const { return m_archivePath; }

signals:
    void ZipEnd(const QString &fileresult);
    void ZipError();
    void Status(int percent);

private:
    struct Entry {
        QString source;
        QString name;
    };
    bool write(const QList<Entry> &entries, QString *error);
    bool addEntry(class QuaZip &zip, const Entry &entry, QString *error);
    bool fail(const QString &reason, QString *error);

    QString m_sourcePath;
    QString m_archivePath;
    int m_errorCode = 0;
};
