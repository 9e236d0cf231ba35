#pragma once
#include <QtCore/qglobal.h>

#if defined(TESSARA_LIBRARY)
#define TESSARA_EXPORT Q_DECL_EXPORT
#else
#define TESSARA_EXPORT Q_DECL_IMPORT
#endif
