#pragma once
#include "db/Database.h"
#include "workshop/workorders/WorkOrders.h"

#include <QList>
#include <QVariantMap>
#include <exception>
#include <functional>

namespace tornaly { struct SessionContext; }

namespace tornaly::workshop {

// The main warehouse parts are taken from when a line names none.
inline QString AnaDepoKodu() { return QStringLiteral("1"); }

// One work order with its parts lines (ISEAYRIN) and labour lines (ISCILIK) as
// a form holds them between load and save. Rows are keyed by upper-case
// column names; `...Yuklenen` keep the rows as loaded, so that a save writes
// only what changed (the lines' change history sees real edits).
struct IsEmriBelgesi {
    QVariantMap isemri;
    QList<QVariantMap> parcalar;
    QList<QVariantMap> iscilikler;
    QList<QVariantMap> parcalarYuklenen;
    QList<QVariantMap> isciliklerYuklenen;
    QString ozel1;          // the vehicle model's labour model (MODEL.OZEL1)
    QString modelAdi;       // MODEL.MODEL
    bool kampanyaVar = false;

    QString no() const { return isemri.value(QStringLiteral("IS_EMRI_NO")).toString(); }
    int fyili() const { return isemri.value(QStringLiteral("FYILI")).toInt(); }
    bool yuklu() const { return !isemri.isEmpty(); }
    bool kapali() const { return isemri.value(QStringLiteral("KAPANDI")).toString() == QLatin1String("E"); }
    QString cariKod() const { return isemri.value(QStringLiteral("CARI_KOD")).toString(); }
    QDate girisTarihi() const;
};

// Loads the work order and its lines; an unknown number gives an empty
// document (no header, no lines).
IsEmriBelgesi IsEmriBelgesiYukle(const Db& db, const QString& isEmriNo);
// Whether the work order has service-campaign rows (KAMPIE by its KAMPIE_NO).
bool KampanyaVarMi(const Db& db, double kampieNo);
// The customer's row (discount rates, phones) of the work order.
QVariantMap MusteriOku(const Db& db, const QString& cariKod);

// Totals of the lines in memory: parts on the issued quantity, labour on
// time x price x count; the one rule of IsEmriToplamHesapla.
IsEmriToplamlari BelgeToplamlari(const QList<QVariantMap>& parcalar, const QList<QVariantMap>& iscilikler);

// A line of the parts lines: the amounts a grid shows.
struct ParcaTutari {
    double TUTAR = 0, ISK_TUT = 0, NETTUT = 0, IskluKdvliTutar = 0, KALAN = 0;
};
ParcaTutari ParcaTutarHesapla(const QVariantMap& satir);
struct IscilikTutari {
    double TOPLAM = 0, ISK_TUT = 0, TSURE = 0, NETTUT = 0, IskluKdvliTutar = 0;
};
IscilikTutari IscilikTutarHesapla(const QVariantMap& satir);

// A discount rate above the user's cap is cut to the cap with the message,
// unless the work order has a service campaign or the cap is 0.
double ParcaIskontoSiniri(double oran, const SessionContext& ctx, bool kampanyaVar);
double IscilikIskontoSiniri(double oran, const SessionContext& ctx, bool kampanyaVar);

// A step of a save, for tests that make a save fail half way.
using KayitAdimi = std::function<void(const char* adim)>;

struct IsEmriYazimi {
    QVariantMap basliklar;      // ISEMRI columns written with the totals (e.g. DISPOZ_YAP)
    bool parcalar = true;       // write the parts lines
    bool iscilikler = true;     // write the labour lines
    KayitAdimi adim;            // called between steps (tests)
};
// Writes the lines that changed, the totals from the stored lines, the given
// header columns and the work order's warehouse movements (one I row out of
// the line's warehouse and one G row into the service warehouse per parts line,
// replacing the earlier set). Runs inside the caller's transaction.
IsEmriToplamlari IsEmriSatirlariYaz(const Db& db, const SessionContext& ctx, const IsEmriBelgesi& b,
                                    const IsEmriYazimi& w);

// Rate of the currency on the reception date; 0 when none (the caller refuses).
double KabulKuru(const Db& db, const QString& doviz, const QDate& giris);
// The currency rule of a posted line: a foreign price is converted at the
// line's rate (taken again from the reception date when 0 or 1) into
// `fiyatKolonu`; a local line loses its currency fields. False with the
// message when no rate exists: a foreign amount is never booked at 1.
bool DovizliFiyat(const Db& db, const SessionContext& ctx, const IsEmriBelgesi& b, QVariantMap& satir,
                  const QString& fiyatKolonu);

// The current row of a query keyed by upper-case column names.
QVariantMap SatirOku(const Query& q);
// "Hata:" and the failure's text, for a save that was rolled back.
QString KayitHataMetni(const std::exception& e);

} // namespace tornaly::workshop
