#pragma once
#include "connection/ConnectionSettings.h"

#include <QString>

namespace tornaly {

class Db;

// Adds a user with every right (the administrator of a new company).
void InsertAdministrator(const Db& db, const QString& login, const QString& name, const QString& password);

// What the first set-up of a server asks for.
struct IlkKurulumBilgisi {
    QString firmaAdi;       // the first company's name
    QString yil;            // its working year
    QString yoneticiKodu;   // the administrator's login
    QString yoneticiAdi;
    QString yoneticiSifre;  // never empty
};

// Prepares a fresh server named by `settings`: the companies catalogue, the
// first company's database for the year with its company record, and its
// administrator; then points the settings file at the server. A server whose
// catalogue already lists a company is left untouched. Throws DbError with a
// Turkish text; a failed set-up removes what it made.
void IlkKurulum(const TConnectionSettings& settings, const IlkKurulumBilgisi& bilgi, const QString& iniPath);

// Whether the server's catalogue already lists a company. Throws DbError
// (with what to do) when the server cannot be reached.
bool SunucuKurulu(const TConnectionSettings& settings);
QString KuruluSunucuMetni();

// "tornaly --ilk-kurulum [--sunucu HOST[:PORT]] [--kullanici DBUSER]": asks
// on the terminal for the company, the year and the administrator's password
// (the database password comes in TORNALY_DB_PASSWORD) and runs IlkKurulum.
// Needs a QCoreApplication. Returns the process exit code.
int IlkKurulumKomutu();

} // namespace tornaly
