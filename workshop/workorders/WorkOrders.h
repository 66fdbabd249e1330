#pragma once
#include "db/Database.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>

namespace tornaly { struct SessionContext; }

namespace tornaly::workshop {

// ---- Totals -------------------------------------------------------------
// One line of a work order as the totals see it. A parts line's gross is the
// issued quantity times the unit price; a labour line's gross is time x price x count.
struct IsEmriSatiri {
    double brut = 0;
    double iskOran = 0;
    double kdv = 0;
    QString garantiTipi;
};
IsEmriSatiri ParcaSatiri(double verilenMiktar, double stokFiyati, double iskOran, double kdv, const QString& garantiTipi);
IsEmriSatiri IscilikSatiri(double sure, double birimFiyat, double qty, double iskOran, double kdv,
                           const QString& garantiTipi);

struct IsEmriToplamlari {
    double PAR_TOP_TUTAR = 0, IS_TOP_TUTAR = 0, TOP_TUTAR = 0, PAR_ISK = 0, ISC_ISK = 0;
    double ARA_TUT = 0, KDV_TUT = 0, NET_TUT = 0, GAR_TUT = 0;
    QVariantMap asRow() const;
};
// The one rule for a work order's totals, kept at full precision. The
// dispositions and the parts issue both call it.
IsEmriToplamlari IsEmriToplamHesapla(const QList<IsEmriSatiri>& parcalar, const QList<IsEmriSatiri>& iscilikler);
// Reads the stored lines of the work order and computes its totals.
IsEmriToplamlari IsEmriToplamOku(const Db& db, const QString& isEmriNo, int fyili);
// Writes the totals of the stored lines into the header (call inside the
// caller's transaction).
IsEmriToplamlari IsEmriToplamYaz(const Db& db, const QString& isEmriNo, int fyili);

// ---- Numbering ----------------------------------------------------------
struct IsEmriNumarasi {
    QString isEmriNo;
    QString isEno;
};
// S + 1234 -> "S001234"; the number part always has six digits.
QString IsEmriNoBicim(const QString& harf, double seriNo);
// 17 -> "0017".
QString IsEnoBicim(double emirNo);
// The database server's date.
QDate SunucuBugun(const Db& db);
// The numbers the next work order would get (shown on a new card; nothing taken).
IsEmriNumarasi IsEmriNoOner(const Db& db, const QDate& bugun);
// Takes both numbers inside the caller's open transaction: the counter row is
// locked, a number already used is skipped, and the counter is advanced.
IsEmriNumarasi IsEmriNoAl(const Db& db, const QDate& bugun);
// The same series number without the letter ("000123"), as the PDI work
// orders carry it; only the series number advances.
QString IsEmriNoAlHarfsiz(const Db& db);

// ---- The work-order row -------------------------------------------------
QStringList IsEmriKartKolonlari();
QVariantMap ReadIsEmri(const Db& db, const QString& isEmriNo);
// A new row with the defaults of a new work order.
QVariantMap YeniIsEmriSatiri(const Db& db, const SessionContext& ctx);
// A barcode "I" + number is cut to the number; other texts stay as typed.
QString IsEmriNoFromSearch(const QString& typed);
bool TipBakimMi(const QString& tip);
// Whether the session's company is the one configured (setting
// SERVIS/OzelFirmaId of the workstation) for the workshop's stricter rules.
bool OzelFirmaMi(const SessionContext& ctx);
// Whether the user's work-order right letter allows a new / a change / a delete.
bool IsEmriYeniHakki(const QString& hak);
bool IsEmriDegistirHakki(const QString& hak);
bool IsEmriSilHakki(const QString& hak);

// The highest km of the vehicle's other work orders (0 when none).
double SonKm(const Db& db, const QString& sasiNo, const QString& haricIsEmriNo);
// Open work order of the same chassis other than this one; empty when none.
QString AcikIsEmriVar(const Db& db, const QString& sasiNo, const QString& haricIsEmriNo);
// Lets the vehicle-status log of the core see the open work orders of a
// chassis (a status given with a work order then logs as "B").
void InstallOpenWorkOrderCheck();

// Save of the card. `sonKm` is the vehicle's last km the look-up found.
// Checks in order, shows the refusal or question through the message
// service and answers false while nothing is written. A new work order gets
// its numbers inside the write transaction (the row's proposal is replaced).
// A work order closed since it was loaded is refused (IslemReddi); database
// errors are left to the caller's guard, with nothing written.
enum class KayitSonucu { Kaydedildi, Reddedildi, KmSor };
KayitSonucu IsEmriKaydet(const Db& db, const SessionContext& ctx, QVariantMap& row, bool yeni, double sonKm);

// Change command: refuses a closed work order.
bool IsEmriDegistirilebilir(const QVariantMap& row);
// Delete from the list: asks, refuses closed and with parts, deletes the labour
// lines and the row in one transaction.
bool IsEmriSil(const Db& db, const QString& isEmriNo);

// ---- Reception look-up --------------------------------------------------
enum class AracAlani { Plaka, Sase, Motor };
// The vehicles matching the typed text, best first: the plate matched exactly
// (blanks and case ignored, Turkish folding) before the plate pattern where
// every blank stands for any characters; chassis and engine exactly.
QList<QVariantMap> AracAra(const Db& db, AracAlani alan, const QString& typed);

// ---- Service note -------------------------------------------------------
// The vehicle's warning note for the workshop (`SERNOT`, one per chassis);
// empty when the chassis has none.
QString SerNotOku(const Db& db, const QString& sase);
bool SerNotVar(const Db& db, const QString& sase);
// "Notu Sakla": writes the chassis's note under its key (an empty note removes
// the row). Nothing is written without a chassis.
void SerNotYaz(const Db& db, const QString& sase, const QString& metin);

// The reception look-ups other areas answer: open technical-campaign documents
// of the chassis, and an appointment of the chassis or plate on the reception
// day. Until their area installs them they find nothing.
using KampanyaBelgesiKontrol = std::function<bool(const Db&, const QString& sase)>;
using RandevuKontrol = std::function<bool(const Db&, const QString& sase, const QString& plaka, const QDate& gun)>;
void SetKampanyaBelgesiKontrol(KampanyaBelgesiKontrol f);
void SetRandevuKontrol(RandevuKontrol f);
bool KampanyaBelgesiVar(const Db& db, const QString& sase);
bool RandevuVar(const Db& db, const QString& sase, const QString& plaka, const QDate& gun);

// The customer's phones on the card ("Müş.Tel/Cep"): a changed TEL1 or TEL3
// is written back to the account.
void CariTelefonYaz(const Db& db, const QString& cariKod, const QString& tel1, const QString& tel3);

// ---- Types --------------------------------------------------------------
bool IsemriTipSabitMi(const QString& tip);
// Renames a user type (C, D); shows the refusal for a fixed type.
bool IsemriTipAdiDegistir(const Db& db, const QString& tip, const QString& ad);

// ---- History ------------------------------------------------------------
struct Sorgu {
    QString statement;
    QVariantMap binds;
};
// Past work orders of the chassis or the plate; an empty value matches nothing.
Sorgu IEGecmisSorgu(const QString& sase, const QString& plaka);
Sorgu IEGecmisParcaSorgu(const QString& sase, const QString& plaka);
Sorgu IEGecmisIscilikSorgu(const QString& sase, const QString& plaka);
// Reception date minus months x 30.44 days, rounded to the day (halves to even).
QDate GarantiBaslangic(const QDate& giris, int ay);
Sorgu YPGarantiSorgu(const Db& db, const QString& isEmriNo, int ay);

// ---- List ---------------------------------------------------------------
struct IEBrFiltre {
    bool onbesGun = false;
    QString cariKod;
    QString yil;              // typed; must be a whole number
    QString plaka;
    QDate girisBas, girisSon, cikisBas, cikisSon;
    enum class Durum { Acik, Kapali, Tumu } durum = Durum::Acik;
    QStringList tipler;       // empty: every type
    bool backOrder = false;
    enum class Plan { Tumu, Evet, Hayir } plan = Plan::Tumu;
    QString atolye, aracDurum;
    // "Fatura Durum": work orders with a line invoiced in full, or with a
    // line not yet invoiced in full (customer, campaign and service lines).
    enum class Fatura { Tumu, Kesilmis, Kesilmemis } fatura = Fatura::Tumu;
    int calismaYili = 0;      // the year whose work orders "Fatura Durum" compares
    enum class Sira { No, Cari, Giris, Cikis, Plaka, Sase } sira = Sira::No;
};
// The list query with every value bound. Answers false (with the message
// shown) when the typed year is not a number.
bool IEBrSorgu(const Db& db, const IEBrFiltre& f, Sorgu& out);
// The ORDER BY of the six work-order list orders (the work-order monitor shares them).
QString IEBrSiraSql(IEBrFiltre::Sira sira);

// The parts order suggestions of a work order with the part's code and name.
Sorgu SipOneriSorgu(const QString& isEmriNo);

// "İş Emri Kalem/Fatura Edilen Kalem Adetleri": the work order's part and
// labour codes by payer beside the codes its invoices billed, by invoice kind.
struct FaturaKalemAdetleri {
    int musIs = 0, musFt = 0;   // customer (M, K) / customer invoices (I)
    int hsrIs = 0, hsrFt = 0;   // insurance expertise (EXP E) / expertise invoices (E)
    int grnIs = 0, grnFt = 0;   // warranty (G, I) / warranty invoices (G)
    bool operator==(const FaturaKalemAdetleri&) const = default;
};
FaturaKalemAdetleri IEFaturaKalemAdetleri(const Db& db, const QString& isEmriNo);

} // namespace tornaly::workshop
