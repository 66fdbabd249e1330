#pragma once
#include "context/SessionContext.h"
#include "db/Database.h"

#include <QDate>
#include <QList>
#include <QVariant>
#include <optional>

namespace tornaly::accounts {

// One BANKHRKA row: a line of a bank voucher, or a row another document
// (offset slip, cheque and note slip) writes into the bank ledger.
struct BankaHrkaSatiri {
    double HRK_NO = 0;
    double SIRANO = 0;
    QDate TARIH;
    QString TIP;
    QString BANKA_KOD, HESAP_NO, CARI_KOD;
    double BORC = 0, BORC_USD = 0, BORC_DVZ = 0, ALACAK = 0, ALACAK_USD = 0, ALACAK_DVZ = 0;
    QString DOVIZ_KODU;
    QChar PARA_BAZ = QLatin1Char('T');
    double TL_KURDEGER = 0, TL_USDEGER = 0;
    QString KASAKOD, MUH_KARSI;
    double KOMISYON = 0;
    int TAKSIT_SAY = 0;
    QString BELGE_NO, ACIKLAMA;
    QVariant REF_NO;
    QString REF_TIP, ALT_TIP;
    QVariant PORTFOYNO;
    QString CS_TIP;

    // Any credit amount above 0: the line carries the credit side.
    bool alacakli() const { return ALACAK > 0 || ALACAK_USD > 0 || ALACAK_DVZ > 0; }
};

// The one writer of the bank ledger: inserts the row inside the caller's
// transaction. The month and year follow the row's date.
void BankaHrkaYaz(const Db& db, const BankaHrkaSatiri& s);
// Removes the rows another document wrote under its own number and kind
// (an offset slip's rows are kind B).
void BankaHrkaSil(const Db& db, double refNo, const QString& tip);

// A bank voucher: the BANKHRK head and its lines.
struct BankaHrkFisi {
    double HRK_NO = 0;
    QDate TARIH;
    QString TIP;
    double BORC = 0, BORC_USD = 0, ALACAK = 0, ALACAK_USD = 0;
    QVariant FIS_NO, REF_NO;
    QString REF_TIP, ALT_TIP;
    QList<BankaHrkaSatiri> satirlar;

    void toplamlariHesapla();
};

// "Banka-Kasa İşlemleri" ... for the entry form (`kisa` false) and the
// statement's shorter texts (`kisa` true); empty for unknown letters.
QString BankaHrkTipMetni(const QString& tip, bool kisa = false);
// The eight kinds a new voucher may take, in the browse menu's order.
const QStringList& BankaHrkYeniTipleri();
bool BankaHrkCariliMi(const QString& tip); // G, H, K

// Takes the next voucher number (NEWBHRK), committed at once: the form
// takes it when it opens a new voucher, so a cancelled one leaves a gap.
double YeniBankaHrkNo(const Db& db);

// The posting rules of one line: the day's selling rate for an empty or 0
// rate (1 for the local currency), and the amounts of its side from PARA_BAZ,
// without rounding. A foreign line without a rate is refused.
void BankaHrkSatirHesapla(const SessionContext& ctx, const Db& db, const QDate& tarih, BankaHrkaSatiri& s);

// The save checks in the form's order; the message, or none.
std::optional<QString> BankaHrkKontrol(const SessionContext& ctx, const Db& db, const BankaHrkFisi& fis);

// Saves a voucher in one transaction: the head, its lines, the current-account
// mirrors (kinds G, H, K: one row per line, sides swapped) and the cash
// mirrors (kind I). A failure leaves nothing. Returns HRK_NO.
double BankaHrkKaydet(const SessionContext& ctx, const Db& db, BankaHrkFisi& fis);

std::optional<BankaHrkFisi> BankaHrkOku(const Db& db, double hrkNo);

// Deletes a voucher with its lines and the mirrors of its own kind, in one
// transaction; one posted to accounting is refused.
void BankaHrkSil(const SessionContext& ctx, const Db& db, double hrkNo);

// The voucher of an invoice's bank payment: the one written before for the
// same source and kind, or a new one with one line of the amount (debit for
// side B, else credit).
BankaHrkFisi BankaHrkFaturaOdemeHazirla(const SessionContext& ctx, const Db& db, const QString& refTip,
                                        const QString& taraf, const QString& tip, double tutar,
                                        const QString& hesapNo, const QString& bankaKod, const QString& cariKod,
                                        const QString& belgeNo, double refNo);

// Accounting hand-over after a committed save, kind B: the bank switch
// decides, asking when it says so. `birlestir` merges lines of one code.
bool BankaHrkMuhasebeyeAktar(const SessionContext& ctx, const Db& db, const BankaHrkFisi& fis, bool birlestir);

} // namespace tornaly::accounts
