#pragma once

#include <lumio/SharedLog.h>

// Where the shell's own code logs to: the shared log once logging is set up,
// the Qt message handler before that.
namespace ShellLog {

SharedLog *shared();
void setShared(SharedLog *log);

} // namespace ShellLog

#define LOG_AT(level, text) \
    ShellLog::shared()->write(SharedLog::Level::level, (text), __FILE__, __LINE__, __PRETTY_FUNCTION__)
#define LOG_DEBUG(text) LOG_AT(Debug, text)
#define LOG_INFO(text) LOG_AT(Info, text)
#define LOG_WARN(text) LOG_AT(Warn, text)
#define LOG_ERROR(text) LOG_AT(Error, text)
