#pragma once

#include <lumio/SharedLog.h>

#include <QStringList>

// Collects the shell's log lines (and Qt debug output) while it lives.
class LogCapture : public SharedLog
{
public:
    LogCapture();
    ~LogCapture() override;

    void write(Level level, const QString &text, const char *file, int line,
               const char *function) override;
    void writeCustom(const QString &level, const QString &function,
                     const QString &message, const QString &location) override;

    QStringList lines() const;
    bool contains(const QString &fragment) const;
    void clear();

private:
    SharedLog *m_previousLog;
};
