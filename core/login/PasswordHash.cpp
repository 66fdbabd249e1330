#include "login/PasswordHash.h"
#include "db/Database.h"

#include <QAtomicInt>
#include <QList>
#include <QPair>
#include <QRandomGenerator>
#include <QStringList>

#include <openssl/crypto.h>
#include <openssl/evp.h>

namespace tornaly {

namespace {
const QString kPrefix = QStringLiteral("pbkdf2-sha256");
constexpr int kSaltBytes = 16;
constexpr int kKeyBytes = 32;
QAtomicInt g_iterations(kPasswordIterations);

struct Parsed {
    int iterations = 0;
    QByteArray salt;
    QByteArray key;
    bool ok = false;
};

Parsed parse(const QString& stored)
{
    Parsed p;
    if (!IsPasswordHash(stored))
        return p;
    const QStringList parts = stored.split(QLatin1Char('$'));
    if (parts.size() != 4)
        return p;
    bool ok = false;
    p.iterations = parts.at(1).toInt(&ok);
    p.salt = QByteArray::fromBase64(parts.at(2).toLatin1());
    p.key = QByteArray::fromBase64(parts.at(3).toLatin1());
    p.ok = ok && p.iterations > 0 && !p.salt.isEmpty() && !p.key.isEmpty();
    return p;
}

// OpenSSL's PBKDF2 is several times quicker than a loop over Qt's HMAC, which
// matters at hundreds of thousands of iterations per login.
QByteArray derive(const QString& plain, const QByteArray& salt, int iterations, int length)
{
    const QByteArray utf8 = plain.toUtf8();
    QByteArray out(length, '\0');
    if (PKCS5_PBKDF2_HMAC(utf8.constData(), int(utf8.size()), reinterpret_cast<const unsigned char*>(salt.constData()),
                          int(salt.size()), iterations, EVP_sha256(), length,
                          reinterpret_cast<unsigned char*>(out.data()))
        != 1)
        return {};
    return out;
}
} // namespace

int PasswordIterations() { return g_iterations.loadRelaxed(); }
void SetPasswordIterations(int iterations) { g_iterations.storeRelaxed(iterations > 0 ? iterations : 1); }

QString HashPassword(const QString& plain) { return HashPassword(plain, PasswordIterations()); }

QString HashPassword(const QString& plain, int iterations)
{
    if (plain.isEmpty() || iterations <= 0)
        return {};
    QByteArray salt(kSaltBytes, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()), kSaltBytes / 4);
    return QStringLiteral("%1$%2$%3$%4")
        .arg(kPrefix)
        .arg(iterations)
        .arg(QString::fromLatin1(salt.toBase64()),
             QString::fromLatin1(derive(plain, salt, iterations, kKeyBytes).toBase64()));
}

bool IsPasswordHash(const QString& stored) { return stored.startsWith(kPrefix + QLatin1Char('$')); }

bool VerifyPassword(const QString& typed, const QString& stored)
{
    if (typed.isEmpty())
        return false;
    const Parsed p = parse(stored);
    if (!p.ok)
        return false;
    const QByteArray actual = derive(typed, p.salt, p.iterations, int(p.key.size()));
    return actual.size() == p.key.size() && CRYPTO_memcmp(actual.constData(), p.key.constData(), actual.size()) == 0;
}

bool PasswordNeedsRehash(const QString& stored)
{
    const Parsed p = parse(stored);
    return !p.ok || p.iterations < PasswordIterations() || p.salt.size() < kSaltBytes || p.key.size() < kKeyBytes;
}

void HashPlainTextPasswords(const Db& db)
{
    QList<QPair<QString, QString>> plain;
    {
        Query q(db, QStringLiteral("SELECT LOGIN_NAME, USER_PASS FROM RIGHTS WHERE USER_PASS IS NOT NULL"));
        q.exec();
        while (q.next()) {
            const QString stored = q.str(QStringLiteral("USER_PASS"));
            if (!stored.isEmpty() && !IsPasswordHash(stored))
                plain.append({q.str(QStringLiteral("LOGIN_NAME")), stored});
        }
    }
    Query up(db, QStringLiteral("UPDATE RIGHTS SET USER_PASS = :H WHERE LOGIN_NAME = :L"));
    for (const auto& [login, password] : plain)
        up.bind(QStringLiteral("H"), HashPassword(password)).bind(QStringLiteral("L"), login).exec();
}

} // namespace tornaly
