#include "connection/ConnectionSettings.h"
#include "connection/SecretStore.h"
#include "connection/Sifre.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace tornaly {

namespace {
const QString kSurucuSqlite = QStringLiteral("SQLITE");
const QString kSurucuPostgres = QStringLiteral("POSTGRES");

QString backendName(Backend b) { return b == Backend::PostgreSQL ? kSurucuPostgres : kSurucuSqlite; }
Backend backendFromName(const QString& n)
{
    return n.trimmed().compare(kSurucuPostgres, Qt::CaseInsensitive) == 0 ? Backend::PostgreSQL : Backend::SQLite;
}

QString text(const QSettings& ini, const QString& key)
{
    const QVariant v = ini.value(key);
    // A key written as a list or other structure is as good as missing.
    return v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray ? v.toString() : QString();
}
// One secret per server and database login.
QString secretKey(const TConnectionSettings& s)
{
    return QStringLiteral("db/%1/%2/%3").arg(backendName(s.Surucu), s.SunucuAdi, s.DbKullaniciAdi);
}

SecretStore secretStore(const QString& iniPath)
{
    return SecretStore(QFileInfo(iniPath).dir().filePath(QStringLiteral("Kalvesa.secrets")));
}
} // namespace

QString KalvesaIniPath() { return SettingsFilePath(QStringLiteral("Kalvesa.ini")); }

void ReadConnectionSettings(TConnectionSettings& s, const QString& path)
{
    QSettings ini(path, QSettings::IniFormat);
    s.SunucuAdi.clear();
    s.SunucuAdi = text(ini, QStringLiteral("SERVER/ServerAdi")).trimmed();
    s.Surucu = backendFromName(text(ini, QStringLiteral("SERVER/Surucu")));
    const QString firmalar = text(ini, QStringLiteral("SERVER/Firmalar"));
    if (!firmalar.isEmpty())
        s.FirmalarAyari = firmalar;
    const QString user = text(ini, QStringLiteral("SERVER/DBUSER"));
    if (!user.isEmpty())
        s.DbKullaniciAdi = user;
    const SecretStore store = secretStore(path);
    const QString scrambled = text(ini, QStringLiteral("SERVER/DBPASS"));
    if (!scrambled.isEmpty()) {
        // An older version kept the password scrambled in this file: it moves
        // to the secret store, and leaves the file once it is kept there.
        s.DbSifre = SifreCozMetin(scrambled, kAyarSifreAnahtari);
        if (store.write(secretKey(s), s.DbSifre))
            ini.remove(QStringLiteral("SERVER/DBPASS"));
    } else {
        ini.remove(QStringLiteral("SERVER/DBPASS"));
        const QString pass = store.read(secretKey(s));
        if (!pass.isEmpty())
            s.DbSifre = pass;
    }
    s.MerkezSunucu = text(ini, QStringLiteral("MERKEZ/SERVERIP")).left(255);
    s.MerkezVeritabani = text(ini, QStringLiteral("MERKEZ/SERVERDB")).left(255);

    if (s.FirmalarAyari != kFirmalarAyari) {
        ini.setValue(QStringLiteral("SERVER/Firmalar"), kFirmalarAyari);
        s.FirmalarAyari = kFirmalarAyari;
    }
    if (!s.MerkezVeritabani.isEmpty())
        ini.setValue(QStringLiteral("MERKEZ/SERVERDB"), s.MerkezVeritabani);
    ini.sync();
}

bool WriteServerSettings(const TConnectionSettings& s, const QString& path)
{
    const bool kept = secretStore(path).write(secretKey(s), s.DbSifre);
    QSettings ini(path, QSettings::IniFormat);
    ini.setValue(QStringLiteral("SERVER/ServerAdi"), s.SunucuAdi);
    ini.setValue(QStringLiteral("SERVER/Surucu"), backendName(s.Surucu));
    ini.setValue(QStringLiteral("SERVER/DBUSER"), s.DbKullaniciAdi);
    ini.remove(QStringLiteral("SERVER/DBPASS"));
    QStringList previous = ini.value(QStringLiteral("SERVER/OncekiSunucular")).toStringList();
    previous.removeAll(s.SunucuAdi);
    if (!s.SunucuAdi.isEmpty())
        previous.prepend(s.SunucuAdi);
    ini.setValue(QStringLiteral("SERVER/OncekiSunucular"), previous.mid(0, 10));
    ini.sync();
    return kept;
}

QStringList PreviousServers(const QString& path)
{
    QSettings ini(path, QSettings::IniFormat);
    return ini.value(QStringLiteral("SERVER/OncekiSunucular")).toStringList();
}

QStringList MakeDbParams(const TConnectionSettings& s, const QString& database)
{
    return {QStringLiteral("SERVER NAME=") + s.SunucuAdi,
            QStringLiteral("DATABASE NAME=") + database,
            QStringLiteral("DATE MODE=1"),
            QStringLiteral("LANGDRIVER="),
            QStringLiteral("USER NAME=") + s.DbKullaniciAdi,
            QStringLiteral("PASSWORD=") + s.DbSifre,
            QStringLiteral("DRIVER=") + backendName(s.Surucu)};
}

QString DbParamValue(const QStringList& params, const QString& name)
{
    const QString prefix = name + QLatin1Char('=');
    for (const QString& line : params)
        if (line.startsWith(prefix, Qt::CaseInsensitive))
            return line.mid(prefix.size());
    return {};
}

ConnectionProfile ProfileFromParams(const QStringList& params)
{
    const QString server = DbParamValue(params, QStringLiteral("SERVER NAME"));
    const QString database = DbParamValue(params, QStringLiteral("DATABASE NAME"));
    if (backendFromName(DbParamValue(params, QStringLiteral("DRIVER"))) == Backend::SQLite) {
        // A database name is a file name in the data folder, never a path out
        // of it ("../x", "/etc/x"): such a name gets no file at all.
        const bool plainName = !database.trimmed().isEmpty() && !database.contains(QLatin1Char('/'))
                               && !database.contains(QLatin1Char('\\')) && !database.startsWith(QLatin1Char('.'))
                               && !database.contains(QLatin1Char(':'));
        ConnectionProfile p = ConnectionProfile::sqlite(
            plainName ? QDir(server).filePath(database + QStringLiteral(".sqlite")) : QString());
        p.mustExist = true;
        return p;
    }
    QString host = server;
    int port = 5432;
    const int colon = server.lastIndexOf(QLatin1Char(':'));
    if (colon > 0) {
        bool ok = false;
        const int p = server.mid(colon + 1).toInt(&ok);
        if (ok && p > 0) {
            host = server.left(colon);
            port = p;
        }
    }
    return ConnectionProfile::postgres(host, port, database, DbParamValue(params, QStringLiteral("USER NAME")),
                                       DbParamValue(params, QStringLiteral("PASSWORD")));
}

ConnectionProfile ProfileFor(const TConnectionSettings& s, const QString& database)
{
    return ProfileFromParams(MakeDbParams(s, database));
}

QString EmbeddedDataFolder()
{
    QString dir = qEnvironmentVariable("TORNALY_DATA_DIR");
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dir.isEmpty())
        dir = QDir::home().filePath(QStringLiteral(".local/share/Tornaly"));
    QDir().mkpath(dir);
    return dir;
}

} // namespace tornaly
