#pragma once
#include "db/Database.h"

#include <QList>
#include <QPair>
#include <QStringList>
#include <optional>

namespace tornaly::accounts {

// ---- account groups (CARIYETKIGRUP) -------------------------------------------

struct CariGrubu {
    QString GRUP_KODU, GRUP_ADI;
    bool sabit = false;
};
QList<CariGrubu> CariGruplari(const Db& db);
inline QString SabitGrupText() { return QStringLiteral("Sabit Grup Tanımlarında Değişiklik Yapamazsınız !"); }
// Renames a group; fixed groups are refused with SabitGrupText (returned).
std::optional<QString> CariGrupAdiDegistir(const Db& db, const QString& kod, const QString& yeniAd);

// The group letters of the program's own fixed lists, in their order.
const QList<QPair<QString, QString>>& SabitCariGruplari();

// ---- special codes (CARIG) -------------------------------------------------------

QStringList CariOzelKodlari(const Db& db, int cgNo);
void CariOzelKodEkle(const Db& db, int cgNo, const QString& kod);
inline QString OzelKodKullanilmisText() { return QStringLiteral("Kayıt kullanılmış silinemez!"); }
// Deletes a code of list `cgNo` unless an account uses it in that list's column.
std::optional<QString> CariOzelKodSil(const Db& db, int cgNo, const QString& kod);
// Adds every non-empty special code used on the accounts and missing from the
// list of its number; returns how many were added.
int CariKartlardakiGruplariGetir(const Db& db);

// ---- provinces and districts --------------------------------------------------------

struct Sehir {
    QString SEHIR, ALANKODU, PLAKA;
};
QList<Sehir> Sehirler(const Db& db);
QStringList Ilceler(const Db& db, const QString& sehir);
void SehirKaydet(const Db& db, const Sehir& s);
void IlceEkle(const Db& db, const QString& plaka, const QString& ilce);
void IlceSil(const Db& db, const QString& plaka, const QString& ilce);
// Removes a province together with its districts.
void SehirSil(const Db& db, const QString& sehir);

// ---- countries, dealers -----------------------------------------------------------------

QStringList Ulkeler(const Db& db);

// Turkey's 81 provinces with their plate and area codes, their districts, and
// the countries, from the lists kept with the program (accounts/data). Each
// table is filled only while it is empty, so a company's own lists stay as
// they are. Every new company database gets them through its migration.
void IlIlceUlkeYukle(const Db& db);

struct Bayi {
    QString BAYI_KOD, BAYI_KISA_AD;
};
// The first dealer whose short name (or code) starts with the typed text, folded.
std::optional<Bayi> BayiBul(const Db& db, const QString& aranan, bool kodaGore);

} // namespace tornaly::accounts
