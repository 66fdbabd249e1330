#include "db/ConnectionAdvice.h"

namespace tornaly {

QString ConnectionFailureText(const ConnectionProfile& p, const QString& driverText)
{
    const QString t = driverText.toLower();
    const auto has = [&](const char* s) { return t.contains(QLatin1String(s)); };
    if (p.backend == Backend::SQLite)
        return QStringLiteral("Veritabanı dosyası açılamadı (%1). Dosyanın yerini ve okuma/yazma izinlerini kontrol ediniz.")
            .arg(p.filePath);

    const QString server = p.host.isEmpty() ? QStringLiteral("bu bilgisayar") : p.host;
    if (has("password authentication failed") || has("no password supplied") || has("peer authentication failed")
        || has("ident authentication failed"))
        return QStringLiteral("PostgreSQL sunucusu (%1) \"%2\" kullanıcısının girişini kabul etmedi: parola yanlış "
                              "ya da verilmemiş. Ayarlar penceresinden veritabanı kullanıcısını ve parolasını "
                              "düzeltiniz.")
            .arg(server, p.user);
    if (has("role") && has("does not exist"))
        return QStringLiteral("PostgreSQL sunucusunda (%1) \"%2\" adlı veritabanı kullanıcısı yok. Sunucuyu "
                              "hazırlamak için README'deki kurulum komutunu (scripts/setup-postgres.sh) çalıştırınız "
                              "ya da ayarlardaki kullanıcı adını düzeltiniz.")
            .arg(server, p.user);
    if (has("database") && has("does not exist"))
        return QStringLiteral("PostgreSQL sunucusunda (%1) \"%2\" veritabanı yok. Sunucu yeni kurulduysa README'deki "
                              "kurulum komutunu (scripts/setup-postgres.sh) çalıştırınız; başka bir sunucuya "
                              "bağlanılacaksa ayarlardaki sunucu adını düzeltiniz.")
            .arg(server, p.database);
    if (has("pg_hba.conf"))
        return QStringLiteral("PostgreSQL sunucusu (%1) bu bilgisayarın bağlanmasına izin vermiyor. Sunucu "
                              "yöneticisinden bu bilgisayarın adresini sunucunun pg_hba.conf dosyasına eklemesini "
                              "isteyiniz.")
            .arg(server);
    if (has("timeout") || has("timed out"))
        return QStringLiteral("PostgreSQL sunucusu (%1:%2) yanıt vermedi. Ağ bağlantısını ve sunucunun açık "
                              "olduğunu kontrol ediniz.")
            .arg(server)
            .arg(p.port);
    if (has("could not translate host name") || has("name or service not known"))
        return QStringLiteral("\"%1\" adlı sunucu bulunamadı. Ayarlar penceresinde sunucu adını kontrol ediniz.")
            .arg(server);
    if (has("connection refused") || has("no such file or directory") || has("could not connect")
        || has("connection to server"))
        return QStringLiteral("PostgreSQL sunucusuna (%1:%2) bağlanılamadı. Sunucunun çalıştığını (Debian'da: "
                              "systemctl start postgresql) ve ayarlardaki sunucu adıyla portun doğru olduğunu "
                              "kontrol ediniz.")
            .arg(server)
            .arg(p.port);
    if (has("too many connections") || has("remaining connection slots"))
        return QStringLiteral("PostgreSQL sunucusu (%1) yeni bağlantı kabul etmiyor: bağlantı sınırı dolu. Bir süre "
                              "sonra tekrar deneyiniz ya da sunucu yöneticisine bildiriniz.")
            .arg(server);
    if (has("starting up") || has("shutting down") || has("recovery mode"))
        return QStringLiteral("PostgreSQL sunucusu (%1) şu anda açılıyor ya da kapanıyor. Biraz bekleyip tekrar "
                              "deneyiniz.")
            .arg(server);
    return QStringLiteral("Veritabanına bağlanılamadı (%1). Sunucu adını, veritabanı kullanıcısını ve parolasını "
                          "kontrol ediniz.")
        .arg(p.describe());
}

} // namespace tornaly
