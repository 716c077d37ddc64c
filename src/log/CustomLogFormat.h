#pragma once

#include <QString>
#include <QStringList>

// The line template and header line of the custom CSV log, as shipped beside the program.
class CustomLogFormat
{
public:
    static constexpr int ArgumentCount = 9;

    CustomLogFormat() = default;
    CustomLogFormat(const QString &lineTemplate, const QString &header);

    // Reads LogTemplate.txt and LogHeader.txt from folder; a missing file gives an empty text.
    static CustomLogFormat fromFolder(const QString &folder);
    // The program's own files, read once per process on first use.
    static const CustomLogFormat &shipped();

    QString lineTemplate() const { return m_template; }
    QString header() const { return m_header; }

    // Replaces %1 to %9 in one pass: a "%2" inside an argument stays as it is.
    QString fill(const QStringList &arguments) const;

private:
    QString m_template;
    QString m_header;
};
