#pragma once
// Files under a user's name are only ever replaced by a complete copy: write a
// sibling temporary file, then rename it over the destination.
#include <QString>

// A name beside dest that does not exist yet ("<dest>.<random>.part").
QString SiblingTempPath(const QString &dest);
// Renames temp over dest (atomic on one file system). On failure temp is removed
// and std::runtime_error carries the system's message.
void ReplaceFile(const QString &temp, const QString &dest);
// A new, empty file in QDir::tempPath() named "<base>-<random><suffix>"; the
// characters a file name cannot hold are replaced in base. Throws on failure.
QString NewTempFile(const QString &base, const QString &suffix);
