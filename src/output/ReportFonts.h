#pragma once
// The CJK faces printed output uses.
#include <QString>

// "Noto Sans CJK SC".
QString CjkSansFamily();
// "Noto Serif CJK SC" when installed, otherwise the sans face: the 宋体-style face.
QString CjkSerifFamily();
