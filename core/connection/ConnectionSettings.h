#pragma once
#include "db/ConnectionProfile.h"

#include <QString>
#include <QStringList>

namespace tornaly {

// The companies catalogue database; the "Firmalar" key of the settings file
// does not change it.
inline const QString FirmalarVeritabani = QStringLiteral("FIRMAKAV");
inline const QString kFirmalarAyari = QStringLiteral("KAVBFIRMA");
inline const QString kVarsayilanDbKullanici = QStringLiteral("KALVESA");

// Where this workstation finds its databases ("Kalvesa.ini", sections SERVER
// and MERKEZ). `Surucu` says whether `SunucuAdi` is the folder of the
// embedded SQLite files or a PostgreSQL server ("host" or "host:port").
struct TConnectionSettings {
    Backend Surucu = Backend::SQLite;
    QString SunucuAdi;
    QString FirmalarAyari;
    QString DbKullaniciAdi = kVarsayilanDbKullanici;
    QString DbSifre;
    QString MerkezSunucu;
    QString MerkezVeritabani;
};

// The settings file of this workstation, in the settings folder.
QString KalvesaIniPath();

// Reads the file into `s` and rewrites the keys the program keeps fixed
// ("Firmalar", "SERVERDB"). Missing or damaged keys leave their defaults.
// The database password comes from the secret store (see SecretStore.h); one
// left scrambled in the file by an older version is moved there.
void ReadConnectionSettings(TConnectionSettings& s, const QString& path = KalvesaIniPath());
// Stores the server and the database login in the file and the password in
// the secret store, and remembers the server name for the settings dialog's
// list. False when the password could not be kept.
bool WriteServerSettings(const TConnectionSettings& s, const QString& path = KalvesaIniPath());
// Server names confirmed before on this workstation, newest first.
QStringList PreviousServers(const QString& path = KalvesaIniPath());

// The connection lines of one database (name=value, as the connection module
// applies them): "SERVER NAME", "DATABASE NAME", "DATE MODE", "LANGDRIVER",
// "USER NAME", "PASSWORD", and "DRIVER" for the backend.
QStringList MakeDbParams(const TConnectionSettings& s, const QString& database);
QString DbParamValue(const QStringList& params, const QString& name);
// The profile those lines describe: for SQLite the file DATABASE NAME +
// ".sqlite" in the folder SERVER NAME.
ConnectionProfile ProfileFromParams(const QStringList& params);
// The profile of one database of the configured server.
ConnectionProfile ProfileFor(const TConnectionSettings& s, const QString& database);

// The folder of the embedded databases: $TORNALY_DATA_DIR when set, else the
// per-user application data folder.
QString EmbeddedDataFolder();

} // namespace tornaly
