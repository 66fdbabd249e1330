#pragma once
#include <QString>

namespace tornaly {

// Salted PBKDF2-SHA256 password hashes, stored as
// "pbkdf2-sha256$<iterations>$<salt, base64>$<hash, base64>".
QString HashPassword(const QString& plain, int iterations = 100000);
bool IsPasswordHash(const QString& stored);
// Whether `typed` matches the stored value. A value that is not a hash is an
// old plain-text password: it matches only when equal, case included, and
// `plainMatched` is then set so that the caller can store its hash.
bool VerifyPassword(const QString& typed, const QString& stored, bool* plainMatched = nullptr);

} // namespace tornaly
