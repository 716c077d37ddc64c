#include "CustomLogger.h"

#include "ShellLog.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>

#include <limits>

namespace {

// The number between the first "-" and the next quotation mark; 0 when there is none.
quint64 sequenceOf(const QByteArray &line)
{
    const int dash = line.indexOf('-');
    if (dash < 0)
        return 0;
    const int quote = line.indexOf('"', dash + 1);
    if (quote < 0)
        return 0;
    const QByteArray digits = line.mid(dash + 1, quote - dash - 1);
    if (digits.isEmpty())
        return 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return 0;
    }
    bool ok = false;
    const quint64 number = digits.toULongLong(&ok);
    return ok ? number : 0;
}

} // namespace

CustomLogger::CustomLogger(const QString &path, const CustomLogFormat &format)
    : m_path(path)
    , m_format(format)
{
    if (m_format.lineTemplate().isEmpty())
        LOG_WARN(QStringLiteral("custom log: no line template; %1 gets empty lines").arg(path));
}

CustomLogger::~CustomLogger()
{
    {
        const QMutexLocker lock(&m_mutex);
        m_stream.setDevice(nullptr);
        m_file.reset();
        m_opened = false;
    }
    qDebug().noquote() << QStringLiteral("日志对象析构---------------------CustomLogger::~CustomLogger()");
}

bool CustomLogger::open()
{
    const QMutexLocker lock(&m_mutex);
    if (m_opened)
        return true;
    auto file = std::make_unique<QFile>(m_path);
    if (!file->open(QIODevice::ReadWrite)) {
        LOG_ERROR(QStringLiteral("custom log: cannot open %1: %2").arg(m_path, file->errorString()));
        return false;
    }
    m_file = std::move(file);
    m_stream.setDevice(m_file.get());
    m_stream.setEncoding(QStringConverter::Utf8);
    m_opened = true;
    initLogger();
    return true;
}

void CustomLogger::initLogger()
{
    if (!m_opened)
        return;
    const qint64 size = m_file->size();
    m_file->seek(size > TailBytes ? size - TailBytes : 0);
    const QByteArray tail = m_file->readAll();
    m_file->seek(m_file->size());

    m_sequence = 1;
    if (tail.isEmpty()) {
        m_stream << m_format.header() << '\n';
        writeLine(QStringLiteral("I"), QStringLiteral("CustomLogger.initLogger()"),
                  QStringLiteral("第一条日志"),
                  QStringLiteral("log/CustomLogger.cpp (%1行)").arg(__LINE__));
        return;
    }
    if (!tail.endsWith('\n')) {
        // An unfinished last line (a crash mid-write): end it, so new lines start clean.
        m_stream << '\n';
        m_stream.flush();
        return;
    }
    QByteArray last = tail.left(tail.size() - 1);
    last = last.mid(last.lastIndexOf('\n') + 1);
    const quint64 number = sequenceOf(last);
    m_sequence = number == std::numeric_limits<quint64>::max() ? 1 : number + 1;
}

void CustomLogger::log(const QString &level, const QString &function, const QString &message,
                       const QString &location)
{
    const QMutexLocker lock(&m_mutex);
    writeLine(level, function, message, location);
}

void CustomLogger::writeLine(const QString &level, const QString &function, const QString &message,
                             const QString &location)
{
    if (!m_opened)
        return;
    const QDateTime now = QDateTime::currentDateTime();
    const QString line = m_format.fill({
        now.toString(QStringLiteral("yyyyMMdd")),
        QString::number(m_sequence),
        escaped(level),
        now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")),
        escaped(function),
        escaped(m_field6),
        escaped(m_field7),
        escaped(message),
        escaped(location),
    });
    m_stream << line << '\n';
    // Straight to the file: a crash must not lose the lines before it.
    m_stream.flush();
    if (m_stream.status() != QTextStream::Ok) {
        m_stream.resetStatus();
        qWarning().noquote() << QStringLiteral("custom log: cannot write %1: %2")
                                    .arg(m_path, m_file->errorString());
    }
    ++m_sequence;
}

void CustomLogger::flush()
{
    const QMutexLocker lock(&m_mutex);
    if (m_opened)
        m_stream.flush();
}

void CustomLogger::close()
{
    const QMutexLocker lock(&m_mutex);
    if (m_opened)
        m_stream.flush();
    m_stream.setDevice(nullptr);
    if (m_file)
        m_file->close();
    m_file.reset();
    m_opened = false;
}

bool CustomLogger::reset()
{
    close();
    if (QFile::exists(m_path) && !QFile::remove(m_path))
        LOG_WARN(QStringLiteral("custom log: cannot remove %1").arg(m_path));
    return open();
}

void CustomLogger::setField6(const QString &text)
{
    const QMutexLocker lock(&m_mutex);
    m_field6 = text;
}

void CustomLogger::setField7(const QString &text)
{
    const QMutexLocker lock(&m_mutex);
    m_field7 = text;
}

bool CustomLogger::isOpen() const
{
    const QMutexLocker lock(&m_mutex);
    return m_opened;
}

quint64 CustomLogger::nextSequence() const
{
    const QMutexLocker lock(&m_mutex);
    return m_sequence;
}

QString CustomLogger::escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    const int size = text.size();
    for (int i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('"')) {
            out += QLatin1String("\"\"");
        } else if (c == QLatin1Char('\r')) {
            out += QLatin1String("\\n");
            if (i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            out += QLatin1String("\\n");
        } else {
            out += c;
        }
    }
    return out;
}
