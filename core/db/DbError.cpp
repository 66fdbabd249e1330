#include "db/DbError.h"
#include "connection/ConnectionSettings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

namespace tornaly {

DbError::DbError(Kind kind, const QString& text, const QString& nativeCode)
    : std::runtime_error(text.toStdString()), m_kind(kind), m_text(text), m_nativeCode(nativeCode)
{
}

void DbError::setDetail(const QString& driverText, const QString& statement)
{
    m_driverText = driverText;
    m_statement = statement;
}

QString DbErrorUserText(DbError::Kind kind)
{
    switch (kind) {
    case DbError::Kind::Busy:
        return QStringLiteral("Kayıt başka bir kullanıcı tarafından kullanılıyor. "
                              "Lütfen birkaç saniye sonra tekrar deneyiniz.");
    case DbError::Kind::UniqueViolation:
        return QStringLiteral("Aynı anahtarla kayıtlı başka bir kayıt var. Kayıt yapılamadı.");
    case DbError::Kind::ConnectionFailed:
        return QStringLiteral("Veritabanı bağlantısı kurulamadı veya koptu. "
                              "Lütfen bağlantıyı kontrol edip tekrar deneyiniz.");
    case DbError::Kind::Other:
        break;
    }
    return QStringLiteral("Veritabanı işlemi yapılamadı.");
}

QString DbErrorLogPath()
{
    return QDir(EmbeddedDataFolder()).filePath(QStringLiteral("logs/veritabani-hatalari.log"));
}

namespace {
QMutex g_logMutex;
constexpr qint64 kLogLimit = 2 * 1024 * 1024;
} // namespace

void LogDbError(const DbError& error)
{
    try {
        const QString path = DbErrorLogPath();
        QMutexLocker lock(&g_logMutex);
        QDir().mkpath(QFileInfo(path).absolutePath());
        // One older generation is kept, so the file cannot fill the disk.
        if (QFileInfo(path).size() > kLogLimit) {
            QFile::remove(path + QStringLiteral(".1"));
            QFile::rename(path, path + QStringLiteral(".1"));
        }
        QFile f(path);
        if (!f.open(QIODevice::Append | QIODevice::Text))
            return;
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QString entry = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
        entry += QStringLiteral(" [%1] %2\n").arg(error.nativeCode(), error.driverText().simplified());
        if (!error.statement().isEmpty())
            entry += QStringLiteral("    ") + error.statement().simplified() + QLatin1Char('\n');
        f.write(entry.toUtf8());
    } catch (...) {
    }
}

} // namespace tornaly
