#include "PasswordHash.h"

#include <sodium.h>
#include <stdexcept>

namespace {
void initSodium()
{
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw std::runtime_error("libsodium cannot be initialised");
}
}  // namespace

QString HashPassword(const QString &trimmedPassword)
{
    initSodium();
    const QByteArray pw = trimmedPassword.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, pw.constData(), quint64(pw.size()), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw std::runtime_error("out of memory while hashing the password");
    return QString::fromLatin1(out);
}

bool IsPasswordHash(const QString &stored)
{
    return stored.startsWith(QLatin1String("$argon2id$"));
}

bool PasswordMatches(const QString &typed, const QString &stored)
{
    if (!IsPasswordHash(stored))
        return typed == stored.trimmed();
    initSodium();
    const QByteArray hash = stored.toLatin1();
    const QByteArray pw = typed.toUtf8();
    return crypto_pwhash_str_verify(hash.constData(), pw.constData(), quint64(pw.size())) == 0;
}
