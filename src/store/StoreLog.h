#pragma once

#include "StoreExport.h"

#include <lumio/SharedLog.h>

// Where the store logs: the log its user hands it (the shell's, which plug-ins also get
// through setLogger), Qt's message handler until then.
namespace StoreLog {

LUMIO_STORE_EXPORT SharedLog *shared();
// Null goes back to Qt's message handler. The log must outlive every store call.
LUMIO_STORE_EXPORT void setShared(SharedLog *log);

} // namespace StoreLog

#define STORE_LOG_AT(level, text) \
    StoreLog::shared()->write(SharedLog::Level::level, (text), __FILE__, __LINE__, __PRETTY_FUNCTION__)
#define STORE_LOG_INFO(text) STORE_LOG_AT(Info, text)
#define STORE_LOG_WARN(text) STORE_LOG_AT(Warn, text)
#define STORE_LOG_ERROR(text) STORE_LOG_AT(Error, text)
