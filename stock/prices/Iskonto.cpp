#include "stock/prices/Iskonto.h"
#include "stock/prices/StokFiyatlari.h"

namespace tornaly::stock {

namespace {
QVariant textOrNull(const QString& s)
{
    const QString t = s.trimmed();
    return t.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(t);
}
} // namespace

IskontoSorgusu IskontoSorgusuHazirla(const QString& CARI, const QString& CGRUP, const QString& ODE_KOD,
                                    double STOK_NO)
{
    IskontoSorgusu s;
    s.CARI = textOrNull(CARI);
    s.CGRUP = textOrNull(CGRUP);
    s.ODE_KOD = textOrNull(ODE_KOD);
    s.STOK_NO = STOK_NO > 0 ? QVariant(STOK_NO) : QVariant(QMetaType(QMetaType::Double));
    return s;
}

void IskontoUygula(const SessionContext& ctx, const IskontoKurali& k, IskontoAlanlari& a)
{
    if (k.FIYAT_TUR.isNull())
        return;
    double dovizFiyat, tlFiyat, iskonto;
    if (k.ISLEM == QLatin1String("-")) {
        dovizFiyat = k.FIYAT_DOVIZ;
        tlFiyat = k.FIYAT_TL;
        iskonto = k.ORAN;
    } else {
        dovizFiyat = k.FIYAT_DOVIZ * (100.0 + k.ORAN) / 100.0;
        tlFiyat = k.FIYAT_TL * (100.0 + k.ORAN) / 100.0;
        iskonto = 0;
    }
    if (a.iskonto)
        *a.iskonto = iskonto;
    const QString kod = k.DOVIZ_KOD.trimmed();
    const bool yabanci = !kod.isEmpty() && kod != ctx.YerelPara;
    if (yabanci && a.dovizFiyat) {
        *a.dovizFiyat = dovizFiyat;
        if (a.doviz)
            *a.doviz = kod;
    } else {
        if (a.dovizFiyat)
            *a.dovizFiyat = QVariant(QMetaType(QMetaType::Double));
        if (a.doviz)
            *a.doviz = QVariant(QMetaType(QMetaType::QString));
    }
    if (a.tlFiyat)
        *a.tlFiyat = tlFiyat;
}

void GetIskonto(const SessionContext& ctx, const Db& db, const QString& CARI, const QString& CGRUP,
                const QString& ODE_KOD, IskontoAlanlari& alanlar, double STOK_NO)
{
    IskontoUygula(ctx, IskontoKuraliBul(db, IskontoSorgusuHazirla(CARI, CGRUP, ODE_KOD, STOK_NO)), alanlar);
}

} // namespace tornaly::stock
