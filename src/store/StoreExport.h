#pragma once

#include <QtCore/qglobal.h>

// What lumio_store exports; everything else in the library stays hidden.
#if defined(LUMIO_STORE_LIBRARY)
#  define LUMIO_STORE_EXPORT Q_DECL_EXPORT
#else
#  define LUMIO_STORE_EXPORT Q_DECL_IMPORT
#endif
