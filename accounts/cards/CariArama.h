#pragma once
#include "db/Database.h"

#include <QString>
#include <QVariantMap>

namespace tornaly::accounts {

// The search fields of the account lists.
enum class CariAramaAlani { Kod, Ad, YetkiliAdi, YetkiliSoyadi };

// A search condition of the account lists: typed text is bound, its
// wildcards escaped and its letters folded the Turkish way. The code and the
// name answer "starts with" from an index (a range over the folded value);
// `icerir` asks for "contains" instead.
struct CariAramaKosulu {
    QString kosul;   // to be joined with AND (no leading keyword)
    QString siralama; // the ORDER BY columns; they end with the code, so the order is total
    QVariantMap binds;
};
CariAramaKosulu CariAramaKosuluOlustur(const Db& db, CariAramaAlani alan, const QString& aranan, bool icerir = false);

// The account's debit and credit totals as the browse shows them.
struct CariToplamlari {
    double BORCT = 0, ALAT = 0, BORC_UT = 0, ALA_UT = 0;
    double kalan() const;      // the positive remainder
    QString kalanBasligi() const; // "KALAN (BORÇ)", "KALAN (ALACAK)" or "KALAN"
    double bakiye() const { return BORCT - ALAT; }
};
CariToplamlari CariToplamlariOku(const Db& db, const QString& kod);

// The record the pickers return; values cut to the record's lengths.
struct TypeCari {
    QString CariKod; // 15
    QString CariAd;  // 40
    QString CariTel; // 20
    QString CariFax; // 20
    QString CariMuh; // 30
    QString caridvz; // 5
    bool bos() const { return CariKod.isEmpty(); }
};
TypeCari TypeCariOlustur(const QString& kod, const QString& ad, const QString& tel, const QString& fax,
                         const QString& muh, const QString& dvz);
// The record of an account read from CARI; empty when there is none.
TypeCari TypeCariOku(const Db& db, const QString& kod);

} // namespace tornaly::accounts
