#pragma once

#include <QProcessEnvironment>
#include <QString>

// Runs one program to its end and times it from launch to exit, so that
// loader, Qt start-up and the program's own work all count.
class ProcessTimer
{
public:
    struct Run
    {
        bool ok = false;
        double milliseconds = 0.0;
        QString failure;
    };

    explicit ProcessTimer(QString program);

    void setVariable(const QString &name, const QString &value) { m_base.insert(name, value); }

    // HOME, and the XDG folders derived from it, point at home.
    Run run(const QString &home) const;

private:
    QProcessEnvironment environmentFor(const QString &home) const;

    QString m_program;
    QProcessEnvironment m_base;
};
