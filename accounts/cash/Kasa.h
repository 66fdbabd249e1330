#pragma once
#include "context/SessionContext.h"
#include "db/Database.h"
#include "guard/IslemReddi.h"

#include <QDate>
#include <QVariantMap>
#include <optional>
#include <stdexcept>

namespace tornaly::accounts {

// A refused cash operation; text() is the Turkish message the guard shows.
class KasaHatasi : public IslemReddi {
public:
    explicit KasaHatasi(const QString& text, MsgIcon icon = MsgIcon::Warning) : IslemReddi(text, icon) {}
};

// ---- cash boxes ---------------------------------------------------------------

// Every field has a default, so that a box may be given by its leading ones.
struct KasaKaydi {
    QString KASAKOD{}, ADI{}, ACIKLAMA1{}, ACIKLAMA2{}, ACIKLAMA3{}, MUH_KOD{};
};
std::optional<KasaKaydi> KasaOku(const Db& db, const QString& kod);
// Every cash box, by code.
QList<KasaKaydi> Kasalar(const Db& db);
bool KasaVar(const Db& db, const QString& kod);
// Saves a box; a new box whose code exists already is refused.
void KasaKaydet(const Db& db, const KasaKaydi& k, bool yeni);
inline QString KasaKoduYokText() { return QStringLiteral("Kodu Bilgisini Vermeden Kayıt Saklanamaz."); }
inline QString KasaKoduKullanilmisText() { return QStringLiteral("Bu Kasa Kodu Kullanılmış!"); }
// Deletes a box that no cash movement names.
void KasaSil(const Db& db, const QString& kod);
inline QString KasaHareketVarText() { return QStringLiteral("Kayıt ile İlgili İşlem Var.Silinemez!"); }
// Cash in the box: TUTAR of its B rows less its A rows.
double KasaBakiye(const Db& db, const QString& kod);

// ---- own movements: openings and transfers -----------------------------------

struct KasaHareketi {
    double HRKNO = 0;      // 0 for a new movement
    QDate TARIH;
    QChar HRK_TURU;        // I, A (openings), B, V (transfers)
    QString KASAKOD;
    QString KARSIKOD;      // the other box of a transfer
    QString BELGE_NO;
    QString ACIKLAMA;
    QChar PARA_BAZ = QLatin1Char('T');
    QString DOVIZ_KOD;
    double TUTAR = 0, TUTAR_USD = 0, TUTAR_DVZ = 0;
    double TL_KURDEGER = 0, TL_USDEGER = 0;
    QVariant FIS_NO;
};

// The in/out letter of a kind: A and V take money out, B and I bring it in.
QChar KasaTipi(QChar hrkTuru);
bool KasaVirmanMi(QChar hrkTuru);

// Fills the rates (0 or 1 counts as none: the day's selling rate) and derives
// the two amounts not typed, without rounding. A foreign amount whose rate is
// missing is refused.
void KasaTutarHesapla(const SessionContext& ctx, const Db& db, KasaHareketi& h);

// The save checks, in order: amount, date, transfer box.
std::optional<QString> KasaHareketKontrol(const KasaHareketi& h);

// Saves the movement; a transfer's two rows (sending side SIRANO -1, receiving
// side 0) are written together in one transaction and found again by their
// number, whatever their date was. A new movement takes its number from
// NEWKASA. Returns HRKNO.
double KasaHareketKaydet(const SessionContext& ctx, const Db& db, KasaHareketi h);
std::optional<KasaHareketi> KasaHareketOku(const Db& db, double hrkNo, QChar hrkTuru);
// After a transfer's commit: the accounting hand-over (kind P) as its switch
// says, asking "Muhasebe Kaydı Yapılsın mı?" when it asks; true when handed over.
bool KasaVirmanMuhasebeyeAktar(const SessionContext& ctx, const Db& db, double hrkNo);

// Deleting from the cash browse: only own rows without an accounting voucher;
// both rows of a transfer go together.
std::optional<QString> KasaHareketSilKontrol(const QVariant& fisNo, const QString& refTip);
void KasaHareketSil(const Db& db, double hrkNo);

// ---- mirrors of other documents ----------------------------------------------

// Removes the mirror rows a document wrote (`refTip` C, B, E or M).
void KasaAynaSil(const Db& db, double hrkNo, QChar refTip);
// Writes the mirrors of a saved cash voucher from its CARIHRK lines: credit
// lines bring money in (B), debit lines take it out (A).
void CariHrkKasaAynaYaz(const Db& db, double cariNo);
// Writes the mirrors of a saved bank-cash voucher from its BANKHRKA lines:
// money taken out of the bank (credit) comes into the box (B), money paid
// into the bank (debit) leaves it (A).
void BankaHrkKasaAynaYaz(const Db& db, double hrkNo);

// ---- captions -------------------------------------------------------------------

QString KasaHrkTuruBasligi(QChar hrkTuru, bool girisFormu, const QString& tip = {}, const QString& refTip = {});
QString KasaRefTipBasligi(const QString& refTip);

} // namespace tornaly::accounts
