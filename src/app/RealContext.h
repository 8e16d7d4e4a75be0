#pragma once
#include <QString>

// Installs the program's real message boxes, dialogs, clock, preview and opener.
void InstallRealContext(const QString &programDir);
