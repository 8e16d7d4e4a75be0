#pragma once
#include <QString>

// The source tree and the built program's directory (with its installed resources).
inline QString sourceDir() { return QString::fromUtf8(NUT_SOURCE_DIR); }
inline QString programDir() { return QString::fromUtf8(NUT_PROGRAM_DIR); }
