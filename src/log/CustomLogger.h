#pragma once

#include "CustomLogFormat.h"

#include <QMutex>
#include <QString>
#include <QTextStream>

#include <memory>

class QFile;

// The custom CSV log, CustomLog.csv: one numbered line per event, the numbering
// continued from the file's last line when it is opened again.
class CustomLogger
{
public:
    // Bytes at the end of the file searched for the last line's number.
    static constexpr qint64 TailBytes = 3000;

    explicit CustomLogger(const QString &path, const CustomLogFormat &format = CustomLogFormat::shipped());
    ~CustomLogger();
    CustomLogger(const CustomLogger &) = delete;
    CustomLogger &operator=(const CustomLogger &) = delete;

    bool open();
    // level is "I", "W" or "E"; does nothing while the file is not open.
    void log(const QString &level, const QString &function, const QString &message,
             const QString &location);
    void flush();
    void close();
    // Closes, deletes the file and opens a fresh one.
    bool reset();

    void setField6(const QString &text);
    void setField7(const QString &text);

    QString path() const { return m_path; }
    bool isOpen() const;
    quint64 nextSequence() const;

    // Quotation marks doubled and every line break written as \n, so a field stays on its line.
    static QString escaped(const QString &text);

private:
    void initLogger();
    void writeLine(const QString &level, const QString &function, const QString &message,
                   const QString &location);

    QString m_path;
    QString m_field6;
    QString m_field7;
    quint64 m_sequence = 1;
    std::unique_ptr<QFile> m_file;
    QTextStream m_stream;
    bool m_opened = false;
    mutable QMutex m_mutex;
    CustomLogFormat m_format;
};
