#pragma once

#include <QtCore/qglobal.h>

#if defined(LUMIO_SDK_LIBRARY)
#  define LUMIO_SDK_EXPORT Q_DECL_EXPORT
#else
#  define LUMIO_SDK_EXPORT Q_DECL_IMPORT
#endif
