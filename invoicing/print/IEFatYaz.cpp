#include "invoicing/print/IEFatYaz.h"
#include "workshop/vehicles/RecordIo.h"
#include "workshop/workorders/WorkOrders.h"

#include "context/SessionContext.h"
#include "messages/Messages.h"
#include "sql/SqlHelpers.h"
#include "money/Money.h"
#include "report/RaporCikti.h"
#include "util/Utf8.h"
#include "words/AmountWords.h"

#include <cmath>

namespace tornaly::invoicing {

namespace {

using text::S;
using report::LayoutRow;
using report::PrePrintedItem;

// Dates and times as the stored value gives them (SQLite keeps text).
QString fatYazTarih(const QVariant& v)
{
    return report::FormatValue(Query::toDateTime(v), S("dd.MM.yyyy"));
}

QString fatYazSaat(const QVariant& v)
{
    return report::FormatValue(Query::toDateTime(v), S("HH:mm"));
}

// The money format with the working year's decimals.
QString fatYazPara(double v, int ondalik)
{
    return FormatMoney(v, ondalik > 0 ? S(",0.") + QString(ondalik, QLatin1Char('0')) : S(",0"));
}

QString fatYazMiktar(double v)
{
    return FormatMoney(v, S(",0.##"));
}

QString fatYazOran(double v)
{
    return FormatMoney(v, S("0.##"));
}

const QHash<QString, QString>& dovizIkizleri()
{
    static const QHash<QString, QString> m{
        {S("BRUT_TUTAR"), S("BRUT_TUTAR_DVZ")},     {S("INDIRIM"), S("INDIRIM_DVZ")},
        {S("TOPLAM_TUTAR"), S("TOPLAM_TUTAR_DVZ")}, {S("KDV_TUTARI"), S("KDV_TUTARI_DVZ")},
        {S("KDVTEV_TUT"), S("KDVTEV_TUT_DVZ")},     {S("NET_TUTAR"), S("NETTUT_DVZ")},
        {S("IND_TUT_PAR"), S("IND_TUT_PAR_DVZ")},   {S("IND_YUZ_PAR"), S("IND_YUZ_PAR_DVZ")},
        {S("IND_TUT_ISCI"), S("IND_TUT_ISCI_DVZ")}, {S("IND_YUZ_ISCI"), S("IND_YUZ_ISCI_DVZ")}};
    return m;
}

} // namespace

double IEFatBaskiVerisi::tutar(const QString& kolon) const
{
    if (kolon == QLatin1String("TEVSIZ_TUTAR"))
        return tutar(S("NET_TUTAR")) + tutar(S("KDVTEV_TUT"));
    if (!dovizli)
        return fatura.deger(kolon).toDouble();
    const QString ikiz = dovizIkizleri().value(kolon);
    if (!ikiz.isEmpty())
        return fatura.deger(ikiz).toDouble();
    // A lira value without a currency twin (the warranty amount) is converted at the invoice rate.
    const double kur = fatura.deger(S("TL_KURDEGER")).toDouble();
    return kur > 0 ? fatura.deger(kolon).toDouble() / kur : 0;
}

QString IEFatBaskiVerisi::cariText(const QString& column) const
{
    return cari.value(column).toString().trimmed();
}

QString IEFatBaskiVerisi::ieText(const QString& column) const
{
    return isEmri.value(column).toString().trimmed();
}

double IEFatBaskiVerisi::oncekiBakiye() const
{
    return borcToplam - alacakToplam - fatura.deger(S("NET_TUTAR")).toDouble();
}

double IEFatBaskiVerisi::sonBakiye() const
{
    return borcToplam - alacakToplam;
}

IEFatBaskiVerisi IEFatBaskiOku(const SessionContext& ctx, const Db& db, double satisNo,
                               const IEFatBaskiSecenekleri& secenek)
{
    IEFatBaskiVerisi v;
    v.fatura = IEFaturaOku(db, satisNo);
    if (v.fatura.baslik.isEmpty())
        return v;
    v.found = true;
    v.ondalik = ctx.ParaOndalik;
    {
        Query p(db, S("SELECT ISC_MARK FROM PARAMET"));
        p.exec();
        v.iscMark = p.next() ? p.str(S("ISC_MARK")).trimmed() : ctx.IscMark;
    }
    const QString doviz = v.fatura.deger(S("DOVIZ_KODU")).toString().trimmed();
    const double kur = v.fatura.deger(S("TL_KURDEGER")).toDouble();
    v.dovizli = secenek.dovizli && !doviz.isEmpty() && doviz != ctx.YerelPara;
    v.paraBirimi = v.dovizli ? doviz : ctx.YerelPara;
    const QString cariKod = v.fatura.deger(S("CARI_KOD")).toString();
    v.cari = workshop::ReadRow(db, S("SELECT * FROM CARI WHERE CARI_KOD = :K"), {{S("K"), cariKod}});
    if (!v.fatura.isEmriNo().isEmpty())
        v.isEmri = workshop::ReadIsEmri(db, v.fatura.isEmriNo());
    {
        Query q(db, S("SELECT SUM(BORC) AS B, SUM(ALACAK) AS A FROM CARIHRK WHERE CARI_KOD = :K"));
        q.bind(S("K"), cariKod).exec();
        if (q.next()) {
            v.borcToplam = q.num(S("B"));
            v.alacakToplam = q.num(S("A"));
        }
    }
    {
        Query q(db, S("SELECT EADI, OZEL1 FROM FIRKIM"));
        q.exec();
        if (q.next()) {
            v.firmaAdi = q.str(S("EADI")).trimmed();
            v.firmaOzel1 = q.str(S("OZEL1")).trimmed();
        }
    }
    if (db.dialect().tableExists(db, S("RESIMLER"))) {
        Query q(db, S("SELECT RESIM FROM RESIMLER WHERE KOD = 'LOGO' AND TIP = 'L'"));
        q.exec();
        if (q.next())
            v.logo = q.value(0).toByteArray();
    }
    v.tevkifatBasligi = TevkifatBasligi(v.fatura.deger(S("KDVTEV")).toString());

    // The printed VAT bases: customer, goodwill and campaign lines, by rate.
    {
        Query q(db, S("SELECT KDV, SUM((BIRIM_FIYAT * MIKTAR) * ((100 - COALESCE(ISKONTO, 0)) / 100)) AS MATRAH "
                      "FROM SERFATDT WHERE SATIS_NO = :S AND GARANTI_TIP IN ('M','I','K') "
                      "GROUP BY KDV ORDER BY KDV"));
        q.bind(S("S"), satisNo).exec();
        while (q.next()) {
            KdvMatrahi m{q.num(S("KDV")), q.num(S("MATRAH"))};
            // Text lines form a group of nothing; it would take one of the three rows from a real rate.
            if (std::fabs(m.matrah) < 0.005)
                continue;
            if (v.dovizli)
                m.matrah = kur > 0 ? m.matrah / kur : 0;
            v.kdvMatrahlari.append(m);
        }
    }

    // Units from the stock cards, claim chassis numbers for warranty invoices.
    QHash<QString, QString> birimler;
    const bool garanti = v.fatura.fatTur() == QLatin1String("G");
    const bool claimVar = garanti && db.dialect().tableExists(db, S("CLAIMM"));
    double sonClaim = -1;
    for (const IEFatSatir& s : v.fatura.satirlar) {
        const bool basilir = s.GARANTI_TIP == QLatin1String("M") || s.GARANTI_TIP == QLatin1String("I") ||
                             s.GARANTI_TIP == QLatin1String("K");
        if (basilir && garanti && s.CLAIM_NO != sonClaim) {
            sonClaim = s.CLAIM_NO;
            IEFatBaskiSatiri b;
            b.claimBasligi = true;
            b.claimNo = s.CLAIM_NO;
            if (claimVar) {
                Query q(db, S("SELECT CL_SASE FROM CLAIMM WHERE CL_CLAIMNO = :C"));
                q.bind(S("C"), s.CLAIM_NO).exec();
                if (q.next())
                    b.claimSase = q.str(S("CL_SASE")).trimmed();
            }
            v.satirlar.append(b);
        }
        IEFatBaskiSatiri b;
        b.sira = s.SIRA;
        b.kod = s.PI_KOD;
        b.ad = s.PI_AD;
        b.metin = MetinSatiri(s);
        b.iscilik = s.PARCA_ISCILIK == QLatin1String("I");
        b.miktar = s.MIKTAR;
        b.iskonto = s.ISKONTO;
        b.kdv = s.KDV;
        b.aciklama = SatirAciklama(s);
        b.garantiTip = s.GARANTI_TIP;
        if (v.dovizli) {
            // The line amount in the invoice currency is its price in that currency times the quantity.
            b.fiyat = s.FYT_DOVIZ != 0 ? s.FYT_DOVIZ : (kur > 0 ? s.BIRIM_FIYAT / kur : 0);
            b.tutar = b.fiyat * b.miktar;
        } else {
            b.fiyat = s.BIRIM_FIYAT;
            b.tutar = SatirTutar(s);
        }
        b.fiyatKdvli = SatirFiyatKdvli(s);
        b.tutarKdvli = SatirTutarKdvli(s);
        if (s.PARCA_ISCILIK == QLatin1String("P") && !s.PI_KOD.isEmpty()) {
            if (!birimler.contains(s.PI_KOD)) {
                Query q(db, S("SELECT BIRIMI FROM STOK WHERE STOK_KOD_NO = :K"));
                q.bind(S("K"), s.PI_KOD).exec();
                birimler.insert(s.PI_KOD, q.next() ? q.str(S("BIRIMI")).trimmed() : QString());
            }
            b.olcu = birimler.value(s.PI_KOD);
        }
        v.tumSatirlar.append(b);
        if (basilir)
            v.satirlar.append(b);
    }

    if (v.dovizli)
        v.yaziIle = AmountToWords(db, ctx, doviz, v.fatura.deger(S("NETTUT_DVZ")).toDouble());
    else
        v.yaziIle = AmountToWordsAzn(ctx, ctx.YerelPara, v.fatura.deger(S("NET_TUTAR")).toDouble());
    return v;
}

QString KdvSatiri(const KdvMatrahi& m, int ondalik)
{
    const QString oran = FormatMoney(m.oran, S(",0"));
    return S("%") + oran.rightJustified(2) + fatYazPara(m.matrah, ondalik).rightJustified(15) +
           fatYazPara(m.kdv(), ondalik).rightJustified(14);
}

QString BakiyeMetni(const QString& baslik, double bakiye, bool basliksiz)
{
    const QString tutar = FormatMoney(std::fabs(bakiye), S(",0.00"));
    if (basliksiz)
        return tutar;
    return baslik + (bakiye >= 0 ? S(":(B)  ") : S(":(A)  ")) + tutar;
}

// ---- pre-printed -------------------------------------------------------------

namespace {

// Line columns of the pre-printed invoice, in the order of a line's cells.
enum MatbuKolon {
    mkClaimBaslik, mkClaimSase, mkClaimNoBaslik, mkClaimNo, mkIscMark, mkSno, mkKod, mkAd, mkKdvIsaret, mkKdv,
    mkMiktar, mkOlcu, mkFiyat, mkIskIsaret, mkIsk, mkTutar, mkAciklama, mkKolonSayisi
};

struct MatbuKolonlar {
    QList<report::PlacedColumn> kolonlar;
    QList<Qt::Alignment> hizalar;
};

MatbuKolonlar matbuKolonlari(const LayoutRow& row)
{
    auto mm = [&](const char* c) { return double(row.mm(QString::fromLatin1(c))); };
    QVector<report::PlacedColumn> k(mkKolonSayisi);
    QVector<Qt::Alignment> h(mkKolonSayisi, Qt::AlignLeft | Qt::AlignVCenter);
    const Qt::Alignment sag = Qt::AlignRight | Qt::AlignVCenter;
    auto yer = [&](int i, const char* ad, double sol, double en, Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter) {
        k[i] = report::PlacedColumn{QString::fromLatin1(ad), sol, qMax(0.0, en)};
        h[i] = a;
    };
    const double sutb = mm("SUTB_S");
    // The claim heading of warranty invoices.
    yer(mkClaimBaslik, "CLAIM_SASI_BASLIK", sutb - 3, 9);
    yer(mkClaimSase, "CL_SASE", sutb - 3 + 9, 36);
    yer(mkClaimNoBaslik, "CLAIM_NO_BASLIK", sutb - 3 + 46, 16);
    yer(mkClaimNo, "CLAIM_NO", sutb - 3 + 62, 25);
    yer(mkIscMark, "ISC_MARK", sutb - 2, 2);
    if (mm("SNO_S") >= 0 && mm("SNO_U") >= 0)
        yer(mkSno, "SNO", mm("SNO_S"), mm("SNO_U"), sag);
    else
        yer(mkSno, "SNO", 0, 0);
    const double kodSol = mm("SIRA_S") < 1 ? sutb : mm("SIRA_S");
    yer(mkKod, "SIRA", kodSol, mm("SIRA_U"));
    const double adSol = mm("URUNAD_S") < 1 ? kodSol + mm("SIRA_U") + 1 : mm("URUNAD_S");
    yer(mkAd, "URUNAD", adSol, mm("URUNAD_U"));
    const double adSon = adSol + mm("URUNAD_U");
    const double kdvEn = mm("SKDV_U");
    if (mm("SKDV_S") < 1) {
        yer(mkKdvIsaret, "SKDV_ISARET", adSon - 3, kdvEn > 0 ? 2 : 0);
        yer(mkKdv, "SKDV", adSon - 1, kdvEn > 0 ? kdvEn : 4, sag);
    } else {
        yer(mkKdvIsaret, "SKDV_ISARET", mm("SKDV_S") - 4, kdvEn > 0 ? 4 : 0);
        yer(mkKdv, "SKDV", mm("SKDV_S"), kdvEn, sag);
    }
    const double mikSol = mm("MIK_S") < 1 ? adSon + 9 : mm("MIK_S");
    const double mikEn = mm("MIK_U") - 4;
    yer(mkMiktar, "MIK", mikSol, mikEn, sag);
    yer(mkOlcu, "OLCU", mm("OLCU_S") < 1 ? adSon + 5 : mm("OLCU_S"), mm("OLCU_U"));
    const double fiyatSol = mm("BIRIMF_S") < 1 ? mikSol + qMax(0.0, mikEn) + 4 : mm("BIRIMF_S");
    yer(mkFiyat, "BIRIMF", fiyatSol, mm("BIRIMF_U"), sag);
    const double fiyatSon = fiyatSol + mm("BIRIMF_U");
    if (mm("ISKS_S") < 1) {
        yer(mkIsk, "ISKS", fiyatSon + 1, mm("ISKS_U"), sag);
        yer(mkIskIsaret, "ISKS_ISARET", fiyatSon + 2, mm("ISKS_U") > 0 ? 2 : 0);
    } else {
        yer(mkIsk, "ISKS", mm("ISKS_S"), mm("ISKS_U"), sag);
        yer(mkIskIsaret, "ISKS_ISARET", mm("ISKS_S") - 2, mm("ISKS_U") > 0 ? 2 : 0);
    }
    yer(mkTutar, "TUTAR", mm("TUTAR_S") < 1 ? fiyatSon + 1 : mm("TUTAR_S"), mm("TUTAR_U"), sag);
    yer(mkAciklama, "ACIKLA", mm("ACIKLA_S"), mm("ACIKLA_U"));
    return {QList<report::PlacedColumn>(k.begin(), k.end()), QList<Qt::Alignment>(h.begin(), h.end())};
}

} // namespace

report::PrePrintedForm IEFatMatbuFormu(const LayoutRow& row, const report::InvoicePage& sayfa,
                                       const IEFatBaskiVerisi& v, const IEFatBaskiSecenekleri& secenek)
{
    report::PrePrintedForm f;
    f.title = S("İş Emri Faturası");
    f.page = sayfa.page;
    f.page.marginsMm = {0, 0, 0, 0};
    f.pageStart = row.pageStart();
    if (sayfa.fontForWholeReport)
        f.font = sayfa.font;
    const bool toplamBasliklari = row.mm(S("TOPLAM_VSB")) == 1;
    const bool basliksiz = row.mm(S("BASLIK_VSB")) == 1;
    const int ond = v.ondalik;
    auto para = [ond](double x) { return fatYazPara(x, ond); };
    const Qt::Alignment sag = Qt::AlignRight | Qt::AlignVCenter;

    QList<PrePrintedItem>& ust = f.everyPage;
    auto at = [&](QList<PrePrintedItem>& list, const QString& ad, const QString& kalem, const QString& text,
                  double dx = 0, double dy = 0, double width = 60, Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter) {
        // An item the design never placed (both positions 0) stays off the paper instead of piling up in the corner.
        if (text.isEmpty() || row.at(kalem) == QPointF(0, 0))
            return;
        PrePrintedItem it = report::ItemAt(row, kalem, text, width, a);
        it.name = ad;
        it.pos += QPointF(dx, dy);
        list.append(it);
    };
    at(ust, S("FIRMA_ADI"), S("KR"), v.cariText(S("FIRMA_ADI")), 0, 0, 100);
    at(ust, S("FIRMA_ADI2"), S("KR"), v.cariText(S("FIRMA_ADI2")), 0, 4, 100);
    at(ust, S("ADRES_1"), S("ADR1"), v.cariText(S("ADRES_1")), 0, 0, 100);
    at(ust, S("ADRES_2"), S("ADR2"), v.cariText(S("ADRES_2")), 0, 0, 100);
    at(ust, S("PK"), S("ADR3"), v.cariText(S("PK")), 0, 0, 12);
    at(ust, S("SEMT"), S("ADR3"), v.cariText(S("SEMT")), 13, 0, 22);
    at(ust, S("ILI"), S("ADR3"), v.cariText(S("ILI")), 36, 0, 40);
    if (v.fatura.fatTur() != QLatin1String("G") && secenek.plaka) {
        const QList<std::tuple<QString, QString, QString, QString>> arac{
            {S("PK"), S("Plaka :"), S("PLAKA"), v.ieText(S("PLAKA_NO"))},
            {S("SEMT"), S("Şase  :"), S("SASE"), v.ieText(S("SASI_NO"))},
            {S("IL"), S("Km    :"), S("KM"),
             v.isEmri.value(S("KM")).isNull() ? QString() : FormatMoney(v.isEmri.value(S("KM")).toDouble(), S(",0"))}};
        for (const auto& [kalem, baslik, ad, deger] : arac) {
            if (!basliksiz)
                at(ust, ad + S("_BASLIK"), kalem, baslik, 0, 0, 15);
            at(ust, ad, kalem, deger, 15, 0, 50);
        }
    }
    at(ust, S("SEVK_TARIH"), S("FSEVK"), fatYazTarih(v.fatura.deger(S("SEVK_TARIH"))), 0, 0, 20);
    // The time follows the date 8 mm after its end.
    at(ust, S("TARIH"), S("TRH"), fatYazTarih(v.fatura.deger(S("TARIH"))), 0, 0, 18);
    at(ust, S("SAAT"), S("TRH"), fatYazSaat(v.fatura.deger(S("SAAT"))), 18 + 8, 0, 12);
    // Fixed text and explanation run to the paper's right edge.
    const double sabitEn = qMax(60.0, f.page.pageSizeMm().width() - f.pageStart.x() - row.mm(S("SABIT1_S")) - 3);
    at(ust, S("SABIT1"), S("SABIT1"), row.text(S("SABIT1")).trimmed(), 0, 0, sabitEn);
    at(ust, S("VDAIRE"), S("VERD"), v.cariText(S("VD")), 0, 0, 45);
    at(ust, S("VNO"), S("VERNO"), v.cariText(S("VN")), 0, 0, 35);
    at(ust, S("CARI_KOD"), S("CARIKOD"), v.fatura.deger(S("CARI_KOD")).toString().trimmed(), 0, 0, 30);
    at(ust, S("IS_EMRI_NO"), S("OZEL1"), v.fatura.isEmriNo(), 0, 0, 30);
    at(ust, S("FAT_NO"), S("FATNO"), v.fatura.deger(S("FAT_NO")).toString().trimmed(), 0, 0, 35);
    if (!basliksiz)
        at(ust, S("FAT_NO_BASLIK"), S("FATNO"), S("Fatura No:"), -21, 0, 20);
    at(ust, S("VADE_TRH"), S("VADETRH"), fatYazTarih(v.fatura.deger(S("VADE_TRH"))), 0, 0, 20);
    at(ust, S("VADE_TRH_BASLIK"), S("VADETRH"), S("Vade Tar.:"), -18, 0, 17);
    if (secenek.aciklama)
        at(ust, S("EK1"), S("SABIT1"), v.fatura.deger(S("EK1")).toString().trimmed(), 0, 0, sabitEn);

    // Lines.
    const MatbuKolonlar mk = matbuKolonlari(row);
    f.columns = mk.kolonlar;
    f.columnAlign = mk.hizalar;
    f.linesTop = row.mm(S("SUTB_U"));
    f.lineHeight = 4.5;
    const int topU = row.mm(S("TOP_U"));
    if (topU > f.linesTop)
        f.linesBottom = topU;
    for (const IEFatBaskiSatiri& s : v.satirlar) {
        QStringList c(mkKolonSayisi);
        if (s.claimBasligi) {
            c[mkClaimBaslik] = S("Sasi :");
            c[mkClaimSase] = s.claimSase;
            c[mkClaimNoBaslik] = S("Claim No:");
            c[mkClaimNo] = FormatMoney(s.claimNo, S("0"));
            f.lines.append(c);
            f.lineAmounts.append(0);
            continue;
        }
        if (s.iscilik)
            c[mkIscMark] = v.iscMark;
        c[mkSno] = QString::number(s.sira);
        c[mkKod] = s.kod;
        c[mkAd] = s.ad;
        if (!s.metin) {
            c[mkKdvIsaret] = S("%");
            c[mkKdv] = fatYazOran(std::trunc(s.kdv));
            c[mkMiktar] = fatYazMiktar(s.miktar);
            c[mkOlcu] = s.olcu;
            c[mkFiyat] = para(s.fiyat);
            if (s.iskonto != 0) {
                c[mkIsk] = fatYazOran(s.iskonto);
                c[mkIskIsaret] = S("%");
            }
            c[mkTutar] = para(s.tutar);
        }
        c[mkAciklama] = s.aciklama;
        f.lines.append(c);
        f.lineAmounts.append(s.metin ? 0 : s.tutar);
    }
    f.carriedCaption = S("NAKLI YEKÜN :");
    f.carriedFootCaption = S("ARA TOPLAM :");
    f.carriedCaptionColumn = S("BIRIMF");
    f.carriedCaptionWidth = 30;
    f.carriedAmountColumn = S("TUTAR");
    f.amountText = para;

    // The totals of the last page.
    QList<PrePrintedItem>& alt = f.lastPage;
    at(alt, S("YAZI"), S("YAZI"), (toplamBasliklari ? S("YALNIZ ") : QString()) + v.yaziIle, 0, 0, 170);
    const QList<std::tuple<QString, QString, QString>> toplamlar{
        {S("BRUT"), S("Brüt Tutar :"), S("BRUT_TUTAR")},  {S("SISKORN"), S("Iskonto Tut:"), S("INDIRIM")},
        {S("ARA"), S("Net Tutar  :"), S("TOPLAM_TUTAR")}, {S("KDV"), S("KDV Tutar  :"), S("KDV_TUTARI")},
        {S("SNETTUT"), S("G.Toplam   :"), S("NET_TUTAR")}};
    for (const auto& [kalem, baslik, kolon] : toplamlar) {
        if (toplamBasliklari)
            at(alt, kolon + S("_BASLIK"), kalem, baslik, 0, 0, 24);
        at(alt, kolon, kalem, para(v.tutar(kolon)), 14, 0, 30, sag);
    }
    if (v.fatura.deger(S("KDVTEV_TUT")).toDouble() > 0) {
        const bool alan3 = row.mm(S("ALAN3_S")) != 0;
        const QString tevKalem = alan3 ? S("ALAN3") : S("KDV");
        const QString tevsizKalem = alan3 ? S("ALAN4") : S("KDV");
        const double tevDy = alan3 ? 0 : 5, tevsizDy = alan3 ? 0 : 10;
        if (toplamBasliklari) {
            at(alt, S("KDVTEV_TUT_BASLIK"), tevKalem, S("Tevkifat KDV (") + v.tevkifatBasligi + S("):"), 0, tevDy,
               30);
            at(alt, S("TEVSIZ_TUTAR_BASLIK"), tevsizKalem, S("Tev.a Dahil Tutar :"), 0, tevsizDy, 30);
        }
        at(alt, S("KDVTEV_TUT"), tevKalem, para(v.tutar(S("KDVTEV_TUT"))), 14, tevDy, 30, sag);
        at(alt, S("TEVSIZ_TUTAR"), tevsizKalem, para(v.tutar(S("TEVSIZ_TUTAR"))), 14, tevsizDy, 30, sag);
    }
    at(alt, S("ONCEKI_BAKIYE"), S("ALAN1"), BakiyeMetni(S("Önc.Bakiye "), v.oncekiBakiye(), basliksiz), 0, 0, 60);
    at(alt, S("SON_BAKIYE"), S("ALAN2"), BakiyeMetni(S("Son.Bakiye "), v.sonBakiye(), basliksiz), 0, 0, 60);
    if (toplamBasliklari)
        at(alt, S("GARANTI_TUTAR_BASLIK"), S("TOP"), S("Garanti Tutar:"), 0, 0, 24);
    at(alt, S("GARANTI_TUTAR"), S("TOP"), para(v.tutar(S("GARANTI_TUTAR"))), 15, 0, 30, sag);

    // VAT table: at most three rates, in rate order.
    const bool kdvTablosu = row.at(S("KDVMAT")) != QPointF(0, 0);
    if (kdvTablosu && toplamBasliklari) {
        PrePrintedItem b = report::ItemAt(row, S("KDVMAT"), S("KDV         Matrah     KDV Tutar"), 72);
        b.name = S("KDVMAT_BASLIK");
        b.fixedPitch = true;
        alt.append(b);
    }
    for (int i = 0; kdvTablosu && i < qMin(3, int(v.kdvMatrahlari.size())); ++i) {
        PrePrintedItem r = report::ItemAt(row, S("KDVMAT"), KdvSatiri(v.kdvMatrahlari.at(i), ond), 72);
        r.name = S("KDV_SATIR%1").arg(i + 1);
        r.pos += QPointF(0, 4.3 * (i + 1));
        r.fixedPitch = true;
        alt.append(r);
    }
    // Group sums beside the VAT table.
    const QList<std::pair<QString, double>> gruplar{
        {S("Par.Tut.:"), v.tutar(S("IND_TUT_PAR"))},
        {S("Par.Isk.:"), v.tutar(S("IND_YUZ_PAR"))},
        {S("Par.Net.:"), v.tutar(S("IND_TUT_PAR")) - v.tutar(S("IND_YUZ_PAR"))},
        {S("Isç.Tut.:"), v.tutar(S("IND_TUT_ISCI"))},
        {S("Isç.Isk.:"), v.tutar(S("IND_YUZ_ISCI"))},
        {S("Isç.Net.:"), v.tutar(S("IND_TUT_ISCI")) - v.tutar(S("IND_YUZ_ISCI"))}};
    for (int i = 0; i < gruplar.size(); ++i) {
        if (!basliksiz)
            // Wider than the 10 mm up to the value: the value is right-aligned and leaves the room free.
            at(alt, S("GRUP%1_BASLIK").arg(i + 1), S("KDVMAT"), gruplar.at(i).first, 73, 4 * i, 16);
        at(alt, S("GRUP%1").arg(i + 1), S("KDVMAT"), para(gruplar.at(i).second), 83, 4 * i, 25, sag);
    }
    return f;
}

// ---- A4 and dispositions ------------------------------------------------------

namespace {

using namespace tornaly::report;

SourcePtr satirKaynagi(const QList<IEFatBaskiSatiri>& satirlar, bool sadeceParca)
{
    QVector<QVector<QVariant>> rows;
    for (const IEFatBaskiSatiri& s : satirlar) {
        if (s.claimBasligi) {
            if (!sadeceParca)
                rows.append({QString(), S("Sasi : ") + s.claimSase + S("   Claim No: ") + FormatMoney(s.claimNo, S("0")),
                             QVariant(), QString(), QVariant(), QVariant(), QVariant(), QVariant(), QString(), QVariant(),
                             QVariant()});
            continue;
        }
        if (sadeceParca && (s.iscilik || s.metin))
            continue;
        const bool m = s.metin;
        rows.append({s.kod, s.ad, m ? QVariant() : QVariant(s.miktar), s.olcu, m ? QVariant() : QVariant(s.fiyat),
                     m || s.iskonto == 0 ? QVariant() : QVariant(s.iskonto), m ? QVariant() : QVariant(std::trunc(s.kdv)),
                     m ? QVariant() : QVariant(s.tutar), s.garantiTip, m ? QVariant() : QVariant(s.fiyatKdvli),
                     m ? QVariant() : QVariant(s.tutarKdvli)});
    }
    return RecordsSource({"KOD", "AD", "MIKTAR", "OLCU", "FIYAT", "ISKONTO", "KDV", "TUTAR", "GARANTI_TIP",
                          "FIYAT_KDVLI", "TUTAR_KDVLI"},
                         rows);
}

void a4Satir(Band& b, double x, double y, const QString& baslik, const QString& deger, double bw, double w)
{
    b.add(Label(x, y, bw, 4.5, baslik));
    b.add(Label(x + bw, y, w, 4.5, deger));
}

struct RaporKolonu {
    const char* alan;
    const char* baslik;
    double x, w;
    QString format;
    bool sagaYasli;
};

// Captions in the column header, fields in the detail band, a rule under the captions.
void kolonlariEkle(Report& r, const QList<RaporKolonu>& kolonlar)
{
    r.columnHeader.height = 6;
    r.detail.height = 4.5;
    for (const RaporKolonu& k : kolonlar) {
        const Qt::Alignment a = (k.sagaYasli ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        r.columnHeader.add(Bold(Label(k.x, 0, k.w, 5, S(k.baslik), a)));
        r.detail.add(Named(Field(k.x, 0, k.w, 4.5, QString::fromLatin1(k.alan), k.format, a), QString::fromLatin1(k.alan)));
    }
    r.columnHeader.add(HLine(0, 5.5, 190));
}

} // namespace

report::Report IEFatA4Raporu(const IEFatBaskiVerisi& v, bool firmaBasligiYok)
{
    Report r;
    r.name = S("IEFatA4");
    r.title = S("FATURA");
    r.page.marginsMm = {10, 10, 10, 10};
    r.font = ReportFont{S("DejaVu Sans"), 8, false, false};
    r.source = satirKaynagi(v.satirlar, false);
    const int ond = v.ondalik;
    const QString paraFmt = ond > 0 ? S(",0.") + QString(ond, QLatin1Char('0')) : S(",0");

    Band& h = r.pageHeader;
    h.height = 66;
    if (!firmaBasligiYok) {
        QImage logo;
        if (!v.logo.isEmpty() && logo.loadFromData(v.logo))
            h.add(Named(Picture(0, 0, 40, 20, logo), S("Logo")));
        h.add(Named(Sized(Bold(Label(45, 2, 100, 7, (v.firmaAdi + S(" ") + v.firmaOzel1).trimmed())), 11),
                    S("FirmaBaslik")));
    }
    h.add(Sized(Bold(Label(130, 0, 60, 8, S("FATURA"), Qt::AlignRight | Qt::AlignVCenter)), 14));
    a4Satir(h, 130, 10, S("Fatura No    :"), v.fatura.deger(S("FAT_NO")).toString(), 25, 35);
    a4Satir(h, 130, 15, S("Fatura Tarihi:"), fatYazTarih(v.fatura.deger(S("TARIH"))) + S(" ") +
                                                  fatYazSaat(v.fatura.deger(S("SAAT"))), 25, 35);
    a4Satir(h, 130, 20, S("Vade Tarihi  :"), fatYazTarih(v.fatura.deger(S("VADE_TRH"))), 25, 35);
    a4Satir(h, 130, 25, S("İş Emri No   :"), v.fatura.isEmriNo(), 25, 35);
    a4Satir(h, 130, 30, S("Cari Kod     :"), v.fatura.deger(S("CARI_KOD")).toString(), 25, 35);
    h.add(Box(0, 24, 120, 32));
    h.add(Bold(Label(2, 25, 116, 5, v.cariText(S("FIRMA_ADI")))));
    h.add(Label(2, 30, 116, 4.5, v.cariText(S("FIRMA_ADI2"))));
    h.add(Label(2, 34.5, 116, 4.5, v.cariText(S("ADRES_1"))));
    h.add(Label(2, 39, 116, 4.5, v.cariText(S("ADRES_2"))));
    h.add(Label(2, 43.5, 116, 4.5,
                QStringList{v.cariText(S("PK")), v.cariText(S("SEMT")), v.cariText(S("ILI"))}.join(S(" ")).simplified()));
    h.add(Label(2, 48, 116, 4.5, S("V.D. : ") + v.cariText(S("VD")) + S("   V.N. : ") + v.cariText(S("VN"))));
    if (v.fatura.fatTur() != QLatin1String("G")) {
        a4Satir(h, 130, 37, S("Plaka :"), v.ieText(S("PLAKA_NO")), 15, 45);
        a4Satir(h, 130, 41.5, S("Şase  :"), v.ieText(S("SASI_NO")), 15, 45);
        a4Satir(h, 130, 46, S("km      :"),
                v.isEmri.value(S("KM")).isNull() ? QString() : FormatMoney(v.isEmri.value(S("KM")).toDouble(), S(",0")),
                15, 45);
        a4Satir(h, 130, 50.5, S("Motor  :"), v.ieText(S("MOTOR_NO")), 15, 45);
    }
    h.add(PageNo(130, 58, 60, 4.5));

    const QList<RaporKolonu> kolonlar{{"KOD", "Kod", 0, 30, {}, false},
                                {"AD", "Açıklama", 31, 66, {}, false},
                                {"MIKTAR", "Miktar", 98, 14, S(",0.##"), true},
                                {"OLCU", "Birim", 113, 10, {}, false},
                                {"FIYAT", "Birim Fiyat", 124, 22, paraFmt, true},
                                {"ISKONTO", "İsk.%", 147, 10, S("0.##"), true},
                                {"KDV", "KDV%", 158, 9, S("0"), true},
                                {"TUTAR", "Tutar", 168, 22, paraFmt, true}};
    kolonlariEkle(r, kolonlar);

    Band& s = r.summary;
    s.height = 52;
    s.add(HLine(0, 1, 190));
    s.add(Named(Memo(0, 3, 120, 9, S("YALNIZ ") + v.yaziIle, false), S("YAZI")));
    Element kb = Label(0, 13, 80, 4.5, S("KDV         Matrah     KDV Tutar"));
    kb.font.family = S("DejaVu Sans Mono");
    s.add(Named(kb, S("KDVMAT_BASLIK")));
    for (int i = 0; i < qMin(3, int(v.kdvMatrahlari.size())); ++i) {
        Element e = Label(0, 17.5 + 4.3 * i, 80, 4.5, KdvSatiri(v.kdvMatrahlari.at(i), ond));
        e.font.family = S("DejaVu Sans Mono");
        s.add(Named(e, S("KDV_SATIR%1").arg(i + 1)));
    }
    QList<std::pair<QString, QString>> toplamlar{{S("Brüt Tutar :"), S("BRUT_TUTAR")},
                                                 {S("Iskonto Tut:"), S("INDIRIM")},
                                                 {S("Net Tutar  :"), S("TOPLAM_TUTAR")},
                                                 {S("KDV Tutar  :"), S("KDV_TUTARI")}};
    if (v.fatura.deger(S("KDVTEV_TUT")).toDouble() > 0) {
        toplamlar.append({S("Tevkifat KDV (") + v.tevkifatBasligi + S("):"), S("KDVTEV_TUT")});
        toplamlar.append({S("Tev.a Dahil Tutar :"), S("TEVSIZ_TUTAR")});
    }
    toplamlar.append({S("G.Toplam   :"), S("NET_TUTAR")});
    for (int i = 0; i < toplamlar.size(); ++i) {
        const bool son = i == toplamlar.size() - 1;
        Element b = Label(125, 3 + 5 * i, 35, 4.5, toplamlar.at(i).first);
        Element d = Named(Label(160, 3 + 5 * i, 30, 4.5, fatYazPara(v.tutar(toplamlar.at(i).second), ond) + S(" ") +
                                                               v.paraBirimi,
                                Qt::AlignRight | Qt::AlignVCenter),
                          toplamlar.at(i).second);
        s.add(son ? Bold(b) : b);
        s.add(son ? Bold(d) : d);
    }
    if (!v.fatura.deger(S("EK1")).toString().trimmed().isEmpty())
        s.add(Named(Memo(0, 32, 120, 9, v.fatura.deger(S("EK1")).toString().trimmed(), false), S("EK1")));
    return r;
}

report::Report DispozisyonRaporu(const IEFatBaskiVerisi& v)
{
    Report r;
    r.name = S("Dispozisyon");
    r.title = S("DİSPOZİSYON FORMU");
    r.page.marginsMm = {10, 10, 10, 10};
    r.font = ReportFont{S("DejaVu Sans"), 8, false, false};
    r.source = satirKaynagi(v.tumSatirlar, true);
    const QString paraFmt = v.ondalik > 0 ? S(",0.") + QString(v.ondalik, QLatin1Char('0')) : S(",0");

    Band& h = r.pageHeader;
    h.height = 40;
    h.add(Sized(Bold(Label(0, 0, 190, 8, S("DİSPOZİSYON FORMU"), Qt::AlignHCenter | Qt::AlignVCenter)), 13));
    a4Satir(h, 0, 10, S("İş Emri No :"), v.fatura.isEmriNo(), 25, 60);
    a4Satir(h, 0, 15, S("Cari Kod   :"), v.fatura.deger(S("CARI_KOD")).toString(), 25, 60);
    a4Satir(h, 0, 20, S("Cari Adı   :"), v.fatura.deger(S("CARI_AD")).toString().trimmed().isEmpty()
                                              ? v.cariText(S("FIRMA_ADI"))
                                              : v.fatura.deger(S("CARI_AD")).toString().trimmed(),
            25, 70);
    a4Satir(h, 0, 25, S("Giriş Tarihi:"), fatYazTarih(v.isEmri.value(S("ARAC_GIRIS_TRH"))), 25, 60);
    a4Satir(h, 100, 10, S("Şase No  :"), v.ieText(S("SASI_NO")), 22, 68);
    a4Satir(h, 100, 15, S("Plaka    :"), v.ieText(S("PLAKA_NO")), 22, 68);
    a4Satir(h, 100, 20, S("Motor No :"), v.ieText(S("MOTOR_NO")), 22, 68);
    h.add(PageNo(100, 25, 90, 4.5));

    const QList<RaporKolonu> kolonlar{{"MIKTAR", "Miktar", 0, 14, S(",0.##"), true},
                                {"KOD", "Parça Kodu", 16, 32, {}, false},
                                {"AD", "Parça Adı", 49, 70, {}, false},
                                {"GARANTI_TIP", "Gar.", 120, 10, {}, false},
                                {"FIYAT_KDVLI", "Fiyat (KDV'li)", 131, 28, paraFmt, true},
                                {"TUTAR_KDVLI", "Tutar (KDV'li)", 160, 30, paraFmt, true}};
    kolonlariEkle(r, kolonlar);

    // Labour from the invoice's own labour lines: the printout does not depend on another open window.
    double parca = 0, iscilik = 0;
    QList<const IEFatBaskiSatiri*> iscilikler;
    for (const IEFatBaskiSatiri& s : v.tumSatirlar) {
        if (s.claimBasligi || s.metin)
            continue;
        if (s.iscilik) {
            iscilik += s.tutarKdvli;
            iscilikler.append(&s);
        } else {
            parca += s.tutarKdvli;
        }
    }
    Band& s = r.summary;
    s.height = 30 + 4.5 * iscilikler.size();
    s.add(HLine(0, 1, 190));
    double y = 3;
    if (!iscilikler.isEmpty()) {
        s.add(Bold(Label(0, y, 100, 4.5, S("İŞÇİLİKLER"))));
        y += 5;
        for (const IEFatBaskiSatiri* l : iscilikler) {
            s.add(Label(16, y, 32, 4.5, l->kod));
            s.add(Label(49, y, 70, 4.5, l->ad));
            s.add(Label(120, y, 10, 4.5, l->garantiTip));
            s.add(Label(160, y, 30, 4.5, fatYazPara(l->tutarKdvli, v.ondalik), Qt::AlignRight | Qt::AlignVCenter));
            y += 4.5;
        }
        y += 1;
    }
    const QList<std::pair<QString, double>> toplamlar{
        {S("PARÇA TOPLAM (KDV'li) :"), parca},
        {S("İŞÇİLİK TOPLAM (KDV'li) :"), iscilik},
        {S("GARANTİ TOPLAM :"), v.fatura.deger(S("GARANTI_TUTAR")).toDouble()},
        {S("ÜCRET TUTARI :"), v.fatura.deger(S("NET_TUTAR")).toDouble() - v.fatura.deger(S("GARANTI_TUTAR")).toDouble()}};
    for (const auto& [baslik, deger] : toplamlar) {
        s.add(Bold(Label(100, y, 58, 4.5, baslik, Qt::AlignRight | Qt::AlignVCenter)));
        s.add(Bold(Label(160, y, 30, 4.5, fatYazPara(deger, v.ondalik), Qt::AlignRight | Qt::AlignVCenter)));
        y += 5;
    }
    return r;
}

// ---- commands -----------------------------------------------------------------

bool IEFatYazdirilabilir(const IEFatura& f, bool degisiklikVar, bool matbu)
{
    if (f.baslik.isEmpty())
        return false;
    if (matbu && f.deger(S("EF_STATU")).toInt() >= 1) {
        ShowWarning(S("E-Fatura Müşterisine Matbu Fatura Kesilemez."));
        return false;
    }
    if (degisiklikVar || f.yeni) {
        ShowWarning(S("Faturayı kaydettikten sonra kesiniz!"));
        return false;
    }
    if (f.deger(S("NET_TUTAR")).toDouble() == 0 &&
        Messages().show(MsgIcon::Error, S("Fatura Tutarı (Sıfır) ; Devam Etmek istiyor musunuz?"), MsgYes | MsgNo,
                        MsgNo, QString()) != MsgYes)
        return false;
    return true;
}

QList<QPair<int, QString>> FaturaTasarimlari(const Db& db)
{
    QList<QPair<int, QString>> out;
    Query q(db, S("SELECT ID, FATFORM_ADI FROM KOORFAT ORDER BY ID"));
    q.exec();
    while (q.next())
        out.append({int(q.integer(S("ID"))), q.str(S("FATFORM_ADI")).trimmed()});
    return out;
}

namespace {

void fatYazIsEmriKapat(const Db& db, const IEFatura& f)
{
    const QString ie = f.isEmriNo();
    if (ie.isEmpty() || f.fatTur() == QLatin1String("G"))
        return;
    Transaction tr(db);
    db.exec(S("UPDATE ISEMRI SET KAPANDI = 'E', TAHMINI_TES_TRH = :T "
              "WHERE IS_EMRI_NO = :IE AND (KAPANDI IS NULL OR KAPANDI <> 'E')"),
            {{S("T"), QDateTime(ServerToday(db), QTime(0, 0))}, {S("IE"), ie}});
    tr.commit();
}

} // namespace

void IEFaturaMatbuYazdir(const SessionContext& ctx, const Db& db, double satisNo, int tasarimId,
                         const IEFatBaskiSecenekleri& secenek)
{
    const LayoutRow row = report::ReadLayout(db, report::LayoutInvoice, tasarimId);
    if (!row.found) {
        ShowWarning(S("Fatura tasarımı tanımlanmamış. Önce fatura tasarımını kaydediniz."));
        return;
    }
    const IEFatBaskiVerisi v = IEFatBaskiOku(ctx, db, satisNo, secenek);
    if (!v.found) {
        ShowWarning(S("Fatura bulunamadı."));
        return;
    }
    const report::PrePrintedResult r =
        report::RenderPrePrinted(IEFatMatbuFormu(row, report::ReadInvoicePage(db), v, secenek));
    if (!r.offPage.isEmpty())
        ShowWarning(report::OffPageMessage(r.offPage));
    report::OutputDocument(r.document, report::OutputPreview);
    fatYazIsEmriKapat(db, v.fatura);
}

void IEFaturaA4Yazdir(const SessionContext& ctx, const Db& db, double satisNo, const IEFatBaskiSecenekleri& secenek)
{
    const IEFatBaskiVerisi v = IEFatBaskiOku(ctx, db, satisNo, secenek);
    if (!v.found) {
        ShowWarning(S("Fatura bulunamadı."));
        return;
    }
    report::Report r = IEFatA4Raporu(v, report::ReadInvoicePage(db).noCompanyHeader);
    report::OutputDocument(report::Render(r), report::OutputPreview);
}

void IEFatDispozisyonYazdir(const SessionContext& ctx, const Db& db, double satisNo)
{
    const IEFatBaskiVerisi v = IEFatBaskiOku(ctx, db, satisNo);
    if (!v.found) {
        ShowWarning(S("Fatura bulunamadı."));
        return;
    }
    report::Report r = DispozisyonRaporu(v);
    report::OutputDocument(report::Render(r), report::OutputPreview);
}

} // namespace tornaly::invoicing
