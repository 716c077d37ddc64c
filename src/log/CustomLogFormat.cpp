#include "CustomLogFormat.h"

#include "ShellLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

// Only the first line counts: a stray line break would split every CSV line in two.
QString firstLine(const QString &folder, const QString &name)
{
    QFile file(QDir(folder).absoluteFilePath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        LOG_WARN(QStringLiteral("custom log: cannot read %1: %2").arg(file.fileName(), file.errorString()));
        return {};
    }
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xfeff)))
        text.remove(0, 1);
    const int end = text.indexOf(QLatin1Char('\n'));
    if (end >= 0)
        text.truncate(end);
    if (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text;
}

} // namespace

CustomLogFormat::CustomLogFormat(const QString &lineTemplate, const QString &header)
    : m_template(lineTemplate)
    , m_header(header)
{
}

CustomLogFormat CustomLogFormat::fromFolder(const QString &folder)
{
    return CustomLogFormat(firstLine(folder, QStringLiteral("LogTemplate.txt")),
                           firstLine(folder, QStringLiteral("LogHeader.txt")));
}

const CustomLogFormat &CustomLogFormat::shipped()
{
    static const CustomLogFormat format =
        fromFolder(QCoreApplication::applicationDirPath() + QStringLiteral("/Resources/CustomLog"));
    return format;
}

QString CustomLogFormat::fill(const QStringList &arguments) const
{
    QString line;
    line.reserve(m_template.size() + 128);
    const int size = m_template.size();
    for (int i = 0; i < size; ++i) {
        const QChar c = m_template.at(i);
        if (c == QLatin1Char('%') && i + 1 < size) {
            const int digit = m_template.at(i + 1).unicode() - u'0';
            if (digit >= 1 && digit <= ArgumentCount) {
                if (digit <= arguments.size())
                    line += arguments.at(digit - 1);
                ++i;
                continue;
            }
        }
        line += c;
    }
    return line;
}
