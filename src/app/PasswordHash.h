#pragma once
// Operator passwords are stored as Argon2id hashes of the trimmed password.
#include <QString>

QString HashPassword(const QString &trimmedPassword);
bool IsPasswordHash(const QString &stored);
// Compares the password as typed with the stored value: a hash is verified; a value from an
// older database that still holds plain text is compared with the typed text, the stored
// text trimmed.
bool PasswordMatches(const QString &typed, const QString &stored);
