#pragma once
#include "context/SessionContext.h"
#include "db/Database.h"

#include <QDate>
#include <QList>
#include <QVariant>
#include <optional>

namespace tornaly::accounts {

// One line of a cash or offset slip (FISGA): a cash box, account, stock
// item, expense, expense voucher, bank account or walk-in customer.
struct MahsupSatiri {
    int SIRA_NO = 0;
    QString TIP;   // K, C, S, M, G, B, P
    double STOK_NO = 0;
    QString KOD, ACIKLAMA1, ACIKLAMA2;
    double KDV = 0, KDV_TUT = 0, MIKTAR = 0;
    double BORC = 0, BORC_USD = 0, BORC_DVZ = 0, ALACAK = 0, ALACAK_USD = 0, ALACAK_DVZ = 0;
    QChar PARA_BAZ = QLatin1Char('T');
    QString DOVIZ_CINS;
    double KUR_BAZ = 0, KUR_DVZ = 0;
    double ISIN_TUTARI = 0, VERGI_TUTARI = 0;
    QString MUH_KARSI;
    QString BANKA_KOD; // the bank account number of a bank line

    bool alacakli() const { return ALACAK > 0 || ALACAK_USD > 0 || ALACAK_DVZ > 0; }
};

// A slip: the FISG head and its lines.
struct MahsupFisi {
    double HRK_NO = 0;
    QDate TARIH;
    QString TIP;   // N collection, M payment, V offset, A cash purchase
    double BORC = 0, ALACAK = 0, BORC_USD = 0, ALACAK_USD = 0;
    QVariant FIS_NO;
    QString ACIKLAMA;
    QList<MahsupSatiri> satirlar;

    void toplamlariHesapla();
    // A cash line on the side the slip's kind forbids.
    bool kasaKuraliBozuk() const;
};

// Captions of the slip kinds: the entry form's (`giris`) or the browse's.
QString MahsupFisTipMetni(const QString& tip, bool giris);
// Captions of the line kinds in the grid ("Kasa", "Cari" ...).
QString MahsupSatirTipMetni(const QString& tip);
inline QString KasaKuraliText() { return QStringLiteral("Kasa fiş tipine uygun olarak işlenmeli!"); }

// Takes the next slip number (NEWFISG; a counter still at 0 gives 1).
double YeniMahsupFisNo(const Db& db);

// The line computation: an expense voucher's debit from the job less the
// tax, the day's rates for empty ones, the amounts of its side from
// PARA_BAZ without rounding, and the VAT the amount contains. A foreign line
// without a rate is refused.
void MahsupSatirHesapla(const SessionContext& ctx, const Db& db, const QDate& tarih, MahsupSatiri& s);

// The save checks in the form's order; the message, or none.
std::optional<QString> MahsupFisKontrol(const SessionContext& ctx, const Db& db, const MahsupFisi& fis);

// Saves the slip in one transaction: head, lines, the cash mirrors of its
// K lines, the current-account rows of its C lines (not on a cash
// purchase), the bank rows of its B lines and the warehouse rows of its S
// lines. Every mirror of the slip is replaced; a failure leaves nothing.
double MahsupFisKaydet(const SessionContext& ctx, const Db& db, MahsupFisi& fis);

std::optional<MahsupFisi> MahsupFisOku(const Db& db, double hrkNo);

// Deletes a slip with every row it wrote, in one transaction; a posted slip
// (FIS_NO above 0) is refused.
void MahsupFisSil(const SessionContext& ctx, const Db& db, double hrkNo);

// Accounting hand-over (kind X) after a committed save.
bool MahsupFisMuhasebeyeAktar(const SessionContext& ctx, const Db& db, const MahsupFisi& fis);

} // namespace tornaly::accounts
