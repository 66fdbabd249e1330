#pragma once
#include "accounts/ledger/CariHrkTutar.h"

#include <QDate>
#include <QVariant>

namespace tornaly::accounts {

// The values a document hands to CariHrkYaz; null where a value does not apply.
struct CariHrkYazDegerleri {
    QString CARI_KOD;
    QChar CRHRK_TUR;
    QVariant REF_NO;
    QDate TARIH;
    QVariant VADE_TRH;
    QVariant BORC, ALACAK, BORC_DVZ, ALACAK_DVZ;
    QString PARA_BAZ;  // T, U or D; empty counts as T
    QString DOVIZ_KODU;
    QVariant TL_KURDEGER, TL_USDEGER;
    QVariant ACIKLAMA, BELGE_NO, KASAKOD, PORTFOYNO1, ALT_TIP;
    // A document with one row per line (a bank voucher) names the line: the
    // row takes it as SIRANO and replaces only the row of the same line.
    QVariant SIRANO;
};

// Writes the ledger row of one movement of a document, inside the caller's
// transaction when one is open. A repeated call for the same kind and
// reference replaces the earlier row, so a document saved again keeps one row
// per (CRHRK_TUR, REF_NO), also when workstations re-post it at the same time
// (the NEWCARI row is locked before the old row is removed, and the invoice
// kinds S and A carry a unique key). The amounts not typed are derived by PARA_BAZ;
// a foreign amount without a rate is refused with CariHrkHatasi. Returns the
// row's CARI_NO, drawn from NEWCARI.
double CariHrkYaz(const SessionContext& ctx, const Db& db, const CariHrkYazDegerleri& d);

// Removes every ledger row a source document wrote.
void CariHrkSil(const Db& db, QChar CRHRK_TUR, double REF_NO);

// The sums of an account's rows; null amounts count as 0.
struct CariBakiye {
    double borc = 0, alacak = 0;
    double borcUsd = 0, alacakUsd = 0;
    double bakiye() const { return borc - alacak; }
    double bakiyeUsd() const { return borcUsd - alacakUsd; }
};
CariBakiye CariBakiyeOku(const Db& db, const QString& CARI_KOD);

// True when the limit is above 0 and the account's balance is above it.
bool CariRiskAsimi(const Db& db, const QString& CARI_KOD, double limit);

// "KALAN (BORÇ)", "KALAN (ALACAK)" or "KALAN" (and the "$ " forms) by the
// sign of a balance compared at two decimals.
QString BakiyeBasligi(double bakiye);
QString UsdBakiyeBasligi(double bakiye);
// "(B)", "(A)" or empty, for balances shown with a suffix.
QString BakiyeEki(double bakiye);

} // namespace tornaly::accounts
