#pragma once
#include "guard/IslemReddi.h"
#include "context/SessionContext.h"
#include "db/Database.h"

#include <QDate>
#include <QList>
#include <QVariant>
#include <optional>
#include <stdexcept>

namespace tornaly::accounts {

// A refused voucher operation; text() is the Turkish message as it is shown.
class CariHrkFisHatasi : public IslemReddi {
public:
    using IslemReddi::IslemReddi;
};

// One line of a current-account voucher (a CARIHRK row). Amounts not given
// are null; the posting rules fill them from the typed one.
struct CariHrkFisSatiri {
    int SIRANO = 0;
    QString CARI_KOD;
    QVariant BORC, BORC_USD, BORC_DVZ, ALACAK, ALACAK_USD, ALACAK_DVZ;
    QChar PARA_BAZ = QLatin1Char('T');
    QString DOVIZ_KODU;
    double TL_KURDEGER = 0, TL_USDEGER = 0;
    QString KASAKOD, ODE_KOD, BELGE_NO, ACIKLAMA;
    QDate VADE_TRH;
    QVariant REF_NO;
    QString REF_TIP, ALT_TIP;

    bool alacakli() const; // any credit amount above 0
    double tutar() const;  // BORC + ALACAK
};

// A voucher: the CARIHRKM head and its lines.
struct CariHrkFisi {
    double CARI_NO = 0;   // 0 until the head takes its number
    QDate TARIH;
    QString TIP;          // N, D, V, O, I, F, ...
    QString BELGE_NO;
    QVariant FIS_NO;
    QVariant REF_NO;
    QString REF_TIP, ALT_TIP;
    QString DOVIZ_KODU;
    double BORC = 0, ALACAK = 0, BORC_USD = 0, ALACAK_USD = 0;
    QList<CariHrkFisSatiri> satirlar;

    void toplamlariHesapla();
};

// The side lock of the form: B shows only credit columns, A only debit ones.
QString KilitTipiTahmini(const CariHrkFisi& fis);

// The posting rules of one line (before it is posted): rates (0 or 1 count as
// none and take the day's selling rate; the local currency has 1), the amounts
// of its side from PARA_BAZ without rounding, and the due date by the head's
// kind (`vadeGun` is the account's payment term). A foreign amount without a
// rate is refused.
void CariHrkSatirHesapla(const SessionContext& ctx, const Db& db, const CariHrkFisi& fis, CariHrkFisSatiri& s,
                         int vadeGun);

// The save checks in the form's order; the message as it is shown, or none.
// Also refuses a date on or before the lock date.
std::optional<QString> CariHrkFisKontrol(const SessionContext& ctx, const Db& db, const CariHrkFisi& fis);

// Saves a voucher: the head, its lines and, for a cash voucher, its cash
// mirrors, all in one transaction; a failure leaves nothing. A new voucher
// takes its number from NEWCARI first. Runs the posting rules on every line.
// Returns CARI_NO. Throws CariHrkFisHatasi for refusals, DbError otherwise.
double CariHrkFisKaydet(const SessionContext& ctx, const Db& db, CariHrkFisi& fis);

// Reads a voucher with its lines; nullopt when there is none.
std::optional<CariHrkFisi> CariHrkFisOku(const Db& db, double cariNo);
// The voucher written for an invoice's payment, if any.
std::optional<double> FaturaOdemeFisi(const Db& db, double refNo, const QString& refTip, const QString& tip);

// Deletes a voucher with its lines and cash mirrors in one transaction; one
// posted to accounting is refused.
void CariHrkFisSil(const SessionContext& ctx, const Db& db, double cariNo);
inline QString MuhasebeFisiVarText() { return QStringLiteral("Bu Hareketin Muhasebe Kayıt Fişi Var. Silinemez."); }

// The voucher CariHrkFaturaOdeme opens: the existing one of the invoice, or a
// new one with a single line of the amount (credit for side lock B, else debit).
CariHrkFisi FaturaOdemeFisiHazirla(const SessionContext& ctx, const Db& db, const QString& REF_TIP,
                                  const QString& TIP, const QString& KILITLETIP, double tutar,
                                  const QString& kasaKod, const QString& cariKod, const QString& belgeNo,
                                  double REF_NO);

// Accounting hand-over after a committed save: whether to post (the
// voucher right and the transfer switch decide), asking when the switch says so.
bool CariHrkMuhasebeyeAktar(const SessionContext& ctx, const Db& db, const CariHrkFisi& fis);

// The kind, side lock and caption of each item of the browse's "Yeni" menu.
struct CariHrkYeniSecenek {
    QString baslik, tip, kilit;
};
const QList<CariHrkYeniSecenek>& CariHrkYeniSecenekleri();

} // namespace tornaly::accounts
