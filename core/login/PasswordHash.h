#pragma once
#include <QString>

namespace tornaly {

class Db;

// Salted PBKDF2-SHA256 password hashes. Each hash carries its own parameters,
// "pbkdf2-sha256$<iterations>$<salt, base64>$<hash, base64>", so that the work
// factor can grow without locking anybody out: a login with a weaker hash
// stores a new one.
inline constexpr int kPasswordIterations = 600000;

// The iterations new hashes get: kPasswordIterations unless a test program
// lowered it to keep its logins quick.
int PasswordIterations();
void SetPasswordIterations(int iterations);

// An empty password has no hash: the result is empty then.
QString HashPassword(const QString& plain);
QString HashPassword(const QString& plain, int iterations);
bool IsPasswordHash(const QString& stored);
// Whether `typed` matches the stored hash. An empty text never matches, nor
// does a stored value that is not a hash.
bool VerifyPassword(const QString& typed, const QString& stored);
// Whether a matching hash should be replaced: made with fewer iterations than
// new hashes get, or with a shorter salt or key.
bool PasswordNeedsRehash(const QString& stored);

// Replaces every plain-text password left in RIGHTS.USER_PASS by its hash;
// empty ones stay empty (such a user cannot log in until given a password).
// Runs once, as a migration step of the company database.
void HashPlainTextPasswords(const Db& db);

} // namespace tornaly
