#include "invoicing/workorder/IEFatToplam.h"
#include "money/Money.h"
#include "util/DateCode.h"

#include <cmath>

namespace tornaly::invoicing {

bool MusteriOdemeli(const QString& t)
{
    return t == QLatin1String("M") || t == QLatin1String("I") || t == QLatin1String("K") || t == QLatin1String("D");
}

bool MetinSatiri(const IEFatSatir& s)
{
    return s.PARCA_ISCILIK == QLatin1String("A");
}

double SatirTutar(const IEFatSatir& s)
{
    return MusteriOdemeli(s.GARANTI_TIP) ? s.BIRIM_FIYAT * s.MIKTAR : 0.0;
}

double SatirKdvTutar(const IEFatSatir& s)
{
    if (!MusteriOdemeli(s.GARANTI_TIP))
        return 0.0;
    // The rate is cut to a whole number: 18.5 is taxed at 18.
    const double oran = std::trunc(s.KDV);
    return oran / 100.0 * SatirTutar(s) * (100.0 - s.ISKONTO) / 100.0;
}

QString SatirAciklama(const IEFatSatir& s)
{
    if (s.EXPER == QLatin1String("E"))
        return QStringLiteral("EKSP");
    if (s.GARANTI_TIP == QLatin1String("S"))
        return QStringLiteral("SRV.GR");
    if (s.GARANTI_TIP == QLatin1String("M") || s.GARANTI_TIP == QLatin1String("K") || s.GARANTI_TIP == QLatin1String("D"))
        return QStringLiteral(" ");
    return QStringLiteral("GAR");
}

double SatirFiyatKdvli(const IEFatSatir& s)
{
    return (s.KDV + 100.0) * s.BIRIM_FIYAT * 0.01;
}

double SatirTutarKdvli(const IEFatSatir& s)
{
    return s.MIKTAR * SatirFiyatKdvli(s) - s.ISK_TUT;
}

void SatirTutarlariniHesapla(IEFatSatir& s)
{
    if (MusteriOdemeli(s.GARANTI_TIP)) {
        s.GER_TUT = (100.0 - s.ISKONTO) / 100.0 * s.BIRIM_FIYAT * s.MIKTAR;
        s.ISK_TUT = s.MIKTAR * s.BIRIM_FIYAT * s.ISKONTO / 100.0;
    } else {
        s.GER_TUT = 0;
        s.ISK_TUT = 0;
    }
}

void DovizFiyatDoldur(QList<IEFatSatir>& satirlar, const QString& faturaDoviz, const QString& yerelPara, double kur)
{
    if (faturaDoviz.isEmpty() || faturaDoviz == yerelPara || !(kur > 0))
        return;
    for (IEFatSatir& s : satirlar) {
        if (MetinSatiri(s) || s.FYT_DOVIZ > 0)
            continue;
        s.FYT_DOVIZ = s.BIRIM_FIYAT / kur;
        s.DOVIZ_KODU = faturaDoviz;
    }
}

namespace {

// A twin follows its lira value only while that value is positive.
void ikiz(double lira, double kur, double& dvz)
{
    if (lira > 0)
        dvz = kur > 0 ? lira / kur : 0.0;
}

} // namespace

IEFatToplamlar IEFatToplamHesapla(const QList<IEFatSatir>& satirlar, const IEFatToplamGirdisi& g,
                                  const IEFatToplamlar& onceki)
{
    long double brut = 0, kdv = 0, garanti = 0, indirim = 0;
    long double parBrut = 0, parIsk = 0, iscBrut = 0, iscIsk = 0;
    bool nulltoplam = false;

    for (const IEFatSatir& s : satirlar) {
        const double tutar = SatirTutar(s);
        const bool musteri = MusteriOdemeli(s.GARANTI_TIP);
        if (!MetinSatiri(s) && !g.garantiBedelsiz && (s.MIKTAR == 0 || (tutar == 0 && musteri)))
            nulltoplam = true;
        if (musteri) {
            const long double isk = (long double)tutar * s.ISKONTO / 100.0L;
            if (s.PARCA_ISCILIK == QLatin1String("P")) {
                parBrut += tutar;
                parIsk += isk;
            } else if (s.PARCA_ISCILIK == QLatin1String("I")) {
                iscBrut += tutar;
                iscIsk += isk;
            }
            brut += tutar;
            kdv += SatirKdvTutar(s);
            indirim += isk;
        } else {
            garanti += tutar;
        }
    }

    const double oran = KdvTevkifatOrani(g.KDVTEV);
    double dBrut = double(brut), dKdv = double(kdv), dGaranti = double(garanti), dIndirim = double(indirim);
    double dParBrut = double(parBrut), dParIsk = double(parIsk), dIscBrut = double(iscBrut), dIscIsk = double(iscIsk);
    double tevkifat = RoundHalfUp2(dKdv * oran);
    if (g.FatYuvarTip == QLatin1String("Y") || g.FatYuvarTip == QLatin1String("A")) {
        const auto r = [&](double v) { return RoundByType(g.FatYuvarTip, 2, v); };
        dBrut = r(dBrut);
        dKdv = r(dKdv);
        dGaranti = r(dGaranti);
        dIscBrut = r(dIscBrut);
        dParBrut = r(dParBrut);
        dIscIsk = r(dIscIsk);
        dParIsk = r(dParIsk);
        dIndirim = r(dIndirim);
        tevkifat = r(dKdv * oran);
    }

    IEFatToplamlar t = onceki;
    t.nulltoplam = nulltoplam;
    const double kur = g.TL_KURDEGER;
    t.BRUT_TUTAR = dBrut;
    ikiz(t.BRUT_TUTAR, kur, t.BRUT_TUTAR_DVZ);
    t.GARANTI_TUTAR = dGaranti;
    t.INDIRIM = dIndirim;
    ikiz(t.INDIRIM, kur, t.INDIRIM_DVZ);
    t.TOPLAM_TUTAR = dBrut - dIndirim;
    ikiz(t.TOPLAM_TUTAR, kur, t.TOPLAM_TUTAR_DVZ);
    t.KDV_TUTARI = dKdv;
    ikiz(t.KDV_TUTARI, kur, t.KDV_TUTARI_DVZ);
    t.IND_TUT_PAR = dParBrut;
    ikiz(t.IND_TUT_PAR, kur, t.IND_TUT_PAR_DVZ);
    t.IND_YUZ_PAR = dParIsk;
    ikiz(t.IND_YUZ_PAR, kur, t.IND_YUZ_PAR_DVZ);
    t.IND_TUT_ISCI = dIscBrut;
    ikiz(t.IND_TUT_ISCI, kur, t.IND_TUT_ISCI_DVZ);
    t.IND_YUZ_ISCI = dIscIsk;
    ikiz(t.IND_YUZ_ISCI, kur, t.IND_YUZ_ISCI_DVZ);
    t.KDVTEV_TUT = tevkifat;
    ikiz(t.KDVTEV_TUT, kur, t.KDVTEV_TUT_DVZ);
    t.NET_TUTAR = t.TOPLAM_TUTAR + t.KDV_TUTARI - t.KDVTEV_TUT;
    t.NETTUT_DVZ = kur != 0 ? t.NET_TUTAR / kur : 0.0;
    return t;
}

IskontoSonucu IskontoSiniri(const IEFatSatir& s, double yeniOran, double maxIskPrc, double maxIskIsc)
{
    IskontoSonucu r{yeniOran, {}};
    if (s.PARCA_ISCILIK == QLatin1String("P") && maxIskPrc != 0 && yeniOran > maxIskPrc) {
        r.oran = maxIskPrc;
        r.mesaj = QStringLiteral("Yetkiniz dahilinde uygulayabileceğiniz Max. Parça İskontosu %%1 olarak belirlenmiştir.")
                      .arg(QString::number(maxIskPrc, 'g', 15));
    } else if (s.PARCA_ISCILIK == QLatin1String("I") && maxIskIsc != 0 && yeniOran > maxIskIsc) {
        r.oran = maxIskIsc;
        r.mesaj = QStringLiteral("Yetkiniz dahilinde uygulayabileceğiniz Max. İşçilik/Masraf İskontosu %%1 olarak belirlenmiştir.")
                      .arg(QString::number(maxIskIsc, 'g', 15));
    }
    return r;
}

bool Yuvarla(QList<IEFatSatir>& satirlar, double hedef, double netTutar)
{
    // A net of 0 has no ratio to scale by: the command does nothing rather
    // than writing infinite discounts.
    if (!(hedef > 0) || netTutar == 0)
        return false;
    const double katsayi = hedef / netTutar;
    for (IEFatSatir& s : satirlar) {
        if (MetinSatiri(s))
            continue;
        if (s.GARANTI_TIP != QLatin1String("M") && s.GARANTI_TIP != QLatin1String("K") && s.GARANTI_TIP != QLatin1String("D"))
            continue;
        const double brut = s.MIKTAR * s.BIRIM_FIYAT;
        if (brut == 0)
            continue;
        s.ISKONTO = (1.0 - ((100.0 - s.ISKONTO) / 100.0 * brut * katsayi) / brut) * 100.0;
        SatirTutarlariniHesapla(s);
    }
    return true;
}

void SatirIskontoUygula(QList<IEFatSatir>& satirlar, double oran)
{
    for (IEFatSatir& s : satirlar) {
        if (MetinSatiri(s))
            continue;
        s.ISKONTO = oran;
        SatirTutarlariniHesapla(s);
    }
}

const QStringList& TevkifatKodlari()
{
    static const QStringList k{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                               QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"),
                               QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("a")};
    return k;
}

const QStringList& TevkifatBasliklari()
{
    static const QStringList k{QStringLiteral("Tevkifat Yok"), QStringLiteral("1/2"), QStringLiteral("1/3"),
                               QStringLiteral("2/3"), QStringLiteral("3/3"), QStringLiteral("1/10"),
                               QStringLiteral("9/10"), QStringLiteral("1/6"), QStringLiteral("5/10"),
                               QStringLiteral("7/10"), QStringLiteral("4/5")};
    return k;
}

QString TevkifatBasligi(const QString& kod)
{
    const qsizetype i = TevkifatKodlari().indexOf(kod);
    return i > 0 ? TevkifatBasliklari().at(i) : QString();
}

} // namespace tornaly::invoicing
