#include "accounts/ledger/CariHrkTutar.h"

#include "services/KurBul.h"

namespace tornaly::accounts {

UcTutar UcTutarHesapla(QChar paraBaz, double girilen, double tlKurDeger, double tlUsDeger)
{
    UcTutar t;
    if (paraBaz == QLatin1Char('U')) {
        t.usd = girilen;
        t.tl = girilen * tlUsDeger;
        t.dvz = t.tl / tlKurDeger;
    } else if (paraBaz == QLatin1Char('D')) {
        t.dvz = girilen;
        t.tl = girilen * tlKurDeger;
        t.usd = t.tl / tlUsDeger;
    } else {
        t.tl = girilen;
        t.dvz = t.tl / tlKurDeger;
        t.usd = t.tl / tlUsDeger;
    }
    return t;
}

namespace {
bool kurYok(double kur)
{
    return kur == 0.0 || kur == 1.0;
}
} // namespace

SatirKurlari SatirKurlariniBelirle(const SessionContext& ctx, const Db& db, const QString& dovizKodu,
                                   double tlKurDeger, double tlUsDeger, const QDate& tarih)
{
    SatirKurlari k;
    if (YerelParaMi(ctx, dovizKodu))
        k.tlKurDeger = 1.0;
    else if (!kurYok(tlKurDeger))
        k.tlKurDeger = tlKurDeger;
    else
        k.tlKurDeger = KurBul(ctx, db, dovizKodu, 2, tarih);

    const QString usd = QStringLiteral("USD");
    if (YerelParaMi(ctx, usd))
        k.tlUsDeger = 1.0;
    else if (!kurYok(tlUsDeger))
        k.tlUsDeger = tlUsDeger;
    else if (dovizKodu.trimmed().compare(usd, Qt::CaseInsensitive) == 0 && k.tlKurDeger)
        k.tlUsDeger = k.tlKurDeger;
    else
        k.tlUsDeger = KurBul(ctx, db, usd, 2, tarih);
    return k;
}

} // namespace tornaly::accounts
