#pragma once
#include "db/Database.h"
#include "report/PrePrinted.h"
#include "workshop/dispositions/IsEmriSatirlari.h"

#include <QVariantMap>

namespace tornaly::workshop {

// What the disposition and delivery prints show: the work order and its lines
// as the dispositions form holds them (changes not yet saved included), with
// what the form looks up for them.
struct DispozBaskiVerisi {
    QVariantMap isemri;
    QVariantMap cari;              // the customer's CARI row
    QList<QVariantMap> parcalar;   // each with RAF_YERI, its shelf in the main warehouse
    QList<QVariantMap> iscilikler;
    QString arcModelAdi, marka, renkAdi, danismanAdi;
    QString firmaAdi, firmaAdres, firmaTel, firmaFax, mesulAd;
    bool kapFormIsk = false;       // PARAMET.KAPFORM_ISK is "1": the delivery form shows discounts
    // Computed from the lines above, so that the footers agree with the
    // lines printed even when the work order's saved totals are older.
    IsEmriToplamlari toplam;
};
DispozBaskiVerisi DispozBaskiOku(const Db& db, const IsEmriBelgesi& b);

// The disposition form on pre-printed paper: its left margin and the height
// of the header above the lines come from the first work-order design
// (SUTB_S, SUTB_U). Values that would put the lines off the paper are pulled
// back onto it and `uyari` says so.
struct DispozYazimi {
    report::Report rapor;
    QString uyari;
};
DispozYazimi DispozYazRaporu(const DispozBaskiVerisi& v, const report::LayoutRow& koorie, bool iskluKdvli);

// The vehicle delivery form ("ARAÇ TESLİM FORMU") on A4.
report::Report GarNushaYazRaporu(const DispozBaskiVerisi& v, bool iskluKdvli);

// The print commands of the dispositions form: each reads what it needs and
// shows the print in the preview.
void DispozYazdir(const Db& db, const IsEmriBelgesi& b, bool iskluKdvli);
void GarNushaYazdir(const Db& db, const IsEmriBelgesi& b, bool iskluKdvli);

} // namespace tornaly::workshop
