#include "login/PasswordHash.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QStringList>

namespace tornaly {

namespace {
const QString kPrefix = QStringLiteral("pbkdf2-sha256");

QByteArray derive(const QString& plain, const QByteArray& salt, int iterations)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, plain.toUtf8(), salt, iterations, 32);
}

bool equalConstantTime(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (int i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a.at(i) ^ b.at(i));
    return diff == 0;
}
} // namespace

QString HashPassword(const QString& plain, int iterations)
{
    QByteArray salt(16, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()), 4);
    return QStringLiteral("%1$%2$%3$%4")
        .arg(kPrefix)
        .arg(iterations)
        .arg(QString::fromLatin1(salt.toBase64()), QString::fromLatin1(derive(plain, salt, iterations).toBase64()));
}

bool IsPasswordHash(const QString& stored) { return stored.startsWith(kPrefix + QLatin1Char('$')); }

bool VerifyPassword(const QString& typed, const QString& stored, bool* plainMatched)
{
    if (plainMatched)
        *plainMatched = false;
    if (!IsPasswordHash(stored)) {
        const bool same = typed == stored;
        if (plainMatched)
            *plainMatched = same;
        return same;
    }
    const QStringList parts = stored.split(QLatin1Char('$'));
    if (parts.size() != 4)
        return false;
    bool ok = false;
    const int iterations = parts.at(1).toInt(&ok);
    if (!ok || iterations <= 0)
        return false;
    const QByteArray salt = QByteArray::fromBase64(parts.at(2).toLatin1());
    const QByteArray expected = QByteArray::fromBase64(parts.at(3).toLatin1());
    return equalConstantTime(derive(typed, salt, iterations), expected);
}

} // namespace tornaly
