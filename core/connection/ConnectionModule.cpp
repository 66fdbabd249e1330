#include "connection/ConnectionModule.h"
#include "db/udbconn.h"

#include <QDir>
#include <QHostInfo>

namespace tornaly {

QString BilgisayarAdi() { return QHostInfo::localHostName().left(15); }

QString Database1WorkstationId(const QString& login, const QString& computer)
{
    return (login + QLatin1Char('/') + computer).left(30);
}

QString MerkezWorkstationId(const QString& uretBKod, const QString& login)
{
    return uretBKod + QLatin1Char(';') + login.left(15);
}

void ApplyConnectionParams(TDBConn& conn, const TConnectionSettings& settings, const TDbParamLists& lists,
                           const QString& login, const QString& uretBKod)
{
    Db::close(TDBConn::Database1Name);
    conn.FirmaProfile = ProfileFromParams(lists.FirmaDbParams);
    conn.FirmaProfile.applicationName =
        QStringLiteral("Kalvesa ") + Database1WorkstationId(login);
    Db::close(TDBConn::FirmalarName);
    conn.FirmalarProfile = ProfileFromParams(lists.FirmalarDbParams);
    conn.FirmalarProfile.applicationName = QStringLiteral("Kalvesa");
    SetupCentralConnection(conn, settings, login, uretBKod);
}

void SetupCentralConnection(TDBConn& conn, const TConnectionSettings& settings, const QString& login,
                            const QString& uretBKod)
{
    const QString database =
        settings.MerkezVeritabani.isEmpty() ? QStringLiteral("KAVDMS") : settings.MerkezVeritabani;
    const QString server = settings.MerkezSunucu.isEmpty() ? QStringLiteral("KAVMERKEZ") : settings.MerkezSunucu;
    Db::close(TDBConn::MerkezName);
    TConnectionSettings central = settings;
    central.MerkezSunucu.clear();
    central.SunucuAdi = settings.Surucu == Backend::SQLite && settings.MerkezSunucu.isEmpty() ? settings.SunucuAdi
                                                                                              : server;
    central.DbKullaniciAdi = kVarsayilanDbKullanici;
    central.DbSifre.clear();
    conn.MerkezProfile = ProfileFor(central, database);
    conn.MerkezProfile.applicationName =
        QStringLiteral("Kalvesa;") + uretBKod + QLatin1Char(' ') + MerkezWorkstationId(uretBKod, login);
}

} // namespace tornaly
