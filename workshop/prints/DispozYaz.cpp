#include "workshop/prints/DispozYaz.h"
#include "workshop/common/RowValues.h"

#include "messages/Messages.h"
#include "report/RaporCikti.h"

#include <QSqlRecord>
#include <algorithm>

namespace tornaly::workshop {

using namespace report;
using rowvals::K;
using rowvals::num;
using rowvals::str;

namespace {

QString dyzBirlestir(const QStringList& parcalar, const QString& ayrac)
{
    QStringList dolu;
    for (const QString& p : parcalar)
        if (!p.trimmed().isEmpty())
            dolu << p.trimmed();
    return dolu.join(ayrac);
}

QVariantMap dyzSatir(const Db& db, const QString& sql, const QVariant& anahtar)
{
    Query q(db, sql);
    q.bind(K("K"), anahtar).exec();
    return q.next() ? SatirOku(q) : QVariantMap{};
}

} // namespace

DispozBaskiVerisi DispozBaskiOku(const Db& db, const IsEmriBelgesi& b)
{
    DispozBaskiVerisi v;
    v.isemri = b.isemri;
    v.parcalar = b.parcalar;
    v.iscilikler = b.iscilikler;
    v.toplam = BelgeToplamlari(b.parcalar, b.iscilikler);
    if (!b.yuklu())
        return v;
    v.cari = dyzSatir(db, QStringLiteral("SELECT * FROM CARI WHERE CARI_KOD = :K"), b.isemri.value(K("CARI_KOD")));
    const QVariantMap model = dyzSatir(db, QStringLiteral("SELECT ARC_MODEL_ADI, MARKA FROM MODEL WHERE ARC_MODEL_KODU = :K"),
                                       b.isemri.value(K("ARAC_TIP")));
    v.arcModelAdi = str(model, "ARC_MODEL_ADI");
    v.marka = str(model, "MARKA");
    v.renkAdi = str(dyzSatir(db, QStringLiteral("SELECT ARC_RENK_ADI FROM RENK WHERE ARC_RENK_KODU = :K"),
                             b.isemri.value(K("RENK_KOD"))),
                    "ARC_RENK_ADI");
    v.danismanAdi = str(dyzSatir(db, QStringLiteral("SELECT ISCI_ADI FROM ISCIUSTA WHERE ISCI_KOD = :K"),
                                 b.isemri.value(K("ARAC_TESLIM_ALAN"))),
                        "ISCI_ADI");
    {
        Query q(db, QStringLiteral("SELECT EADI, ADR1, ADR2, ADR3, ILI, TLF, FAX, MESULAD FROM FIRKIM"));
        q.exec();
        if (q.next()) {
            const QVariantMap f = SatirOku(q);
            v.firmaAdi = str(f, "EADI");
            v.firmaAdres = dyzBirlestir({str(f, "ADR1"), str(f, "ADR2"), str(f, "ADR3")}, QStringLiteral(" "));
            if (!str(f, "ILI").isEmpty())
                v.firmaAdres += QStringLiteral(" /") + str(f, "ILI");
            v.firmaTel = str(f, "TLF");
            v.firmaFax = str(f, "FAX");
            v.mesulAd = str(f, "MESULAD");
        }
    }
    {
        Query q(db, QStringLiteral("SELECT KAPFORM_ISK FROM PARAMET"));
        q.exec();
        v.kapFormIsk = q.next() && q.str(K("KAPFORM_ISK")).trimmed() == QLatin1String("1");
    }
    Query raf(db, QStringLiteral("SELECT RAF_YERI FROM STOKMIK WHERE STOK_NO = :S AND DEPO_KOD = :D"));
    for (QVariantMap& p : v.parcalar) {
        const QVariant stokNo = p.value(K("STOK_NO"));
        if (stokNo.isNull() || !stokNo.isValid())
            continue;
        raf.bind(K("S"), stokNo.toDouble()).bind(K("D"), AnaDepoKodu()).exec();
        if (raf.next())
            p.insert(K("RAF_YERI"), raf.str(K("RAF_YERI")).trimmed());
        raf.finish();
    }
    return v;
}

// ---------------------------------------------------------------------------
// Disposition form

namespace {

struct DyzKolon {
    const char* alan;
    double x, w;
    Qt::Alignment hiza;
    const char* bicim;
};

constexpr Qt::Alignment kSol = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kSag = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment kOrta = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr double kDyzSatir = 4.5;
// The lines block of the disposition: its width decides how far right the
// design may move it.
constexpr double kDyzBlokGenislik = 176;
constexpr double kDyzBaslikIcerik = 24;

SourcePtr dyzKaynak(const QList<DyzKolon>& kolonlar, const QVector<QVector<QVariant>>& satirlar)
{
    QStringList alanlar;
    for (const DyzKolon& k : kolonlar)
        alanlar << QString::fromLatin1(k.alan);
    return RecordsSource(alanlar, satirlar);
}

void dyzSatirBandi(Band& band, const QList<DyzKolon>& kolonlar)
{
    band.height = kDyzSatir;
    for (const DyzKolon& k : kolonlar)
        band.add(Named(Field(k.x, 0, k.w, kDyzSatir, QString::fromLatin1(k.alan), QString::fromLatin1(k.bicim), k.hiza),
                       QString::fromLatin1(k.alan)));
}

} // namespace

DispozYazimi DispozYazRaporu(const DispozBaskiVerisi& v, const LayoutRow& koorie, bool iskluKdvli)
{
    DispozYazimi out;
    Report& r = out.rapor;
    r.name = QStringLiteral("FormDispozYaz");
    r.title = QStringLiteral("Dispozisyon Formu");
    r.font = ReportFont{QStringLiteral("DejaVu Sans"), 7.5, false, false};

    // The stationery's margin and header height; a design that would push the
    // lines off the paper is pulled back so that they still print.
    const QSizeF kagit = r.page.pageSizeMm();
    const double enSol = kagit.width() - kDyzBlokGenislik;
    const double enUst = kagit.height() - 70;
    double sol = koorie.mm(QStringLiteral("SUTB_S"));
    double ust = koorie.mm(QStringLiteral("SUTB_U"));
    QStringList tasan;
    if (sol < 0 || sol > enSol) {
        tasan << QStringLiteral("SUTB_S");
        sol = std::clamp(sol, 0.0, enSol);
    }
    if (ust < 0 || ust > enUst) {
        tasan << QStringLiteral("SUTB_U");
        ust = std::clamp(ust, 0.0, enUst);
    }
    if (!tasan.isEmpty())
        out.uyari = QStringLiteral("İş emri tasarımındaki %1 değeri dispozisyon formunu sayfanın dışına taşıyor; "
                                   "form sayfaya sığacak biçimde basıldı.")
                        .arg(tasan.join(QStringLiteral(", ")));
    r.page.marginsMm = {sol, 0, 0, 10};

    const QVariantMap& ie = v.isemri;
    r.source = RecordsSource({QStringLiteral("IS_EMRI_NO")}, {{str(ie, "IS_EMRI_NO")}});
    r.detail.height = 0;

    // The heading and the parts column headings are on the paper already.
    Band& t = r.titleBand;
    auto alan = [&t](double x, double y, double wBaslik, double wDeger, const QString& baslik, const QString& ad,
                     const QString& deger) {
        t.add(Bold(Label(x, y, wBaslik, kDyzSatir, baslik)));
        t.add(Named(Label(x + wBaslik, y, wDeger, kDyzSatir, deger), ad));
    };
    alan(0, 6, 24, 56, QStringLiteral("İŞ EMRİ NO :"), QStringLiteral("IS_EMRI_NO"), str(ie, "IS_EMRI_NO"));
    alan(84, 6, 26, 50, QStringLiteral("GİRİŞ TARİHİ :"), QStringLiteral("ARAC_GIRIS_TRH"),
         rowvals::tarihMetni(ie.value(K("ARAC_GIRIS_TRH"))));
    alan(0, 11, 24, 56, QStringLiteral("PLAKA NO :"), QStringLiteral("PLAKA_NO"), str(ie, "PLAKA_NO"));
    alan(84, 11, 26, 50, QStringLiteral("SASE NO :"), QStringLiteral("SASI_NO"), str(ie, "SASI_NO"));
    alan(0, 16, 24, 56, QStringLiteral("MOTOR NO :"), QStringLiteral("MOTOR_NO"), str(ie, "MOTOR_NO"));
    alan(0, 21, 30, 130, QStringLiteral("CARİ KOD - AD :"), QStringLiteral("CARI_KOD"),
         dyzBirlestir({str(ie, "CARI_KOD"), str(v.cari, "FIRMA_ADI")}, QStringLiteral(" - ")));
    t.height = std::max(ust, kDyzBaslikIcerik + 2);

    // Parts: code, name, requested quantity, price, amount, kind, shelf.
    const QList<DyzKolon> parca{{"STOK_KOD_NO", 0, 26, kSol, ""},
                                {"YEDEK_P_ADI", 27, 60, kSol, ""},
                                {"STOK_MIKTAR", 88, 11, kSag, ",0.##"},
                                {"STOK_FIYATI", 107, 19, kSag, ",0.00"},
                                {iskluKdvli ? "IskluKdvliTutar" : "TUTAR", 127, 22, kSag, ",0.00"},
                                {"GARANTI_TIPI", 150, 7, kOrta, ""},
                                {"RAF_YERI", 158, 18, kSol, ""}};
    QVector<QVector<QVariant>> parcaSatirlari;
    for (const QVariantMap& p : v.parcalar) {
        const ParcaTutari pt = ParcaTutarHesapla(p);
        parcaSatirlari.append({str(p, "STOK_KOD_NO"), str(p, "YEDEK_P_ADI"), num(p, "STOK_MIKTAR"),
                               num(p, "STOK_FIYATI"), iskluKdvli ? pt.IskluKdvliTutar : pt.TUTAR,
                               str(p, "GARANTI_TIPI"), str(p, "RAF_YERI")});
    }
    SubDetail parcalar;
    parcalar.name = QStringLiteral("Parcalar");
    parcalar.detail = Band(BandKind::SubDetail, QStringLiteral("Parcalar"));
    dyzSatirBandi(parcalar.detail, parca);
    parcalar.source = [parca, parcaSatirlari](const Record&) { return dyzKaynak(parca, parcaSatirlari); };

    // Labour: code, name, time, count, hourly price, kind, amount.
    const QList<DyzKolon> iscilik{{"ARIZA_KODU", 0, 26, kSol, ""},
                                  {"ARIZA_ADI", 27, 60, kSol, ""},
                                  {"SURE", 88, 11, kSag, ",0.##"},
                                  {"QTY", 100, 6, kSag, ",0.##"},
                                  {"ISCILIK_B_FIYATI", 107, 19, kSag, ",0.00"},
                                  {"GARANTI_TIPI", 128, 9, kOrta, ""},
                                  {iskluKdvli ? "IskluKdvliTutar" : "TOPLAM", 138, 21, kSag, ",0.00"}};
    QVector<QVector<QVariant>> iscilikSatirlari;
    for (const QVariantMap& s : v.iscilikler) {
        const IscilikTutari it = IscilikTutarHesapla(s);
        iscilikSatirlari.append({str(s, "ARIZA_KODU"), str(s, "ARIZA_ADI"), num(s, "SURE"), num(s, "QTY"),
                                 num(s, "ISCILIK_B_FIYATI"), str(s, "GARANTI_TIPI"),
                                 iskluKdvli ? it.IskluKdvliTutar : it.TOPLAM});
    }
    SubDetail iscilikler;
    iscilikler.name = QStringLiteral("Iscilikler");
    iscilikler.header = Band(BandKind::SubDetail, QStringLiteral("IscilikBaslik"), 9);
    const QList<std::tuple<double, double, QString, Qt::Alignment>> basliklar{
        {0, 26, QStringLiteral("İŞÇİLİK KOD"), kSol},  {27, 60, QStringLiteral("İŞÇİLİK ADI"), kSol},
        {88, 11, QStringLiteral("SÜRE"), kSag},        {107, 19, QStringLiteral("B.FİYAT"), kSag},
        {128, 9, QStringLiteral("GRNT"), kOrta},       {138, 21, QStringLiteral("TUTAR"), kSag}};
    for (const auto& [x, w, metin, hiza] : basliklar)
        iscilikler.header.add(Bold(Label(x, 3, w, kDyzSatir, metin, hiza)));
    iscilikler.header.add(HLine(0, 8, 159));
    iscilikler.detail = Band(BandKind::SubDetail, QStringLiteral("Iscilikler"));
    dyzSatirBandi(iscilikler.detail, iscilik);
    iscilikler.source = [iscilik, iscilikSatirlari](const Record&) { return dyzKaynak(iscilik, iscilikSatirlari); };
    r.subDetails = {parcalar, iscilikler};

    // The footer: the customer's share on the same VAT-inclusive basis as the
    // warranty amount (net total less warranty), both from the lines printed.
    const IsEmriToplamlari& tp = v.toplam;
    Band& f = r.summary;
    const QList<std::tuple<QString, QString, double>> toplamlar{
        {QStringLiteral("PAR_TOP_TUTAR"), QStringLiteral("PARÇA TOPLAM :"), tp.PAR_TOP_TUTAR},
        {QStringLiteral("IS_TOP_TUTAR"), QStringLiteral("İŞÇİLİK TOPLAM :"), tp.IS_TOP_TUTAR},
        {QStringLiteral("TOP_TUTAR"), QStringLiteral("GENEL TOPLAM :"), tp.TOP_TUTAR},
        {QStringLiteral("GRN_TUT"), QStringLiteral("GARANTİ TOPLAM :"), tp.GAR_TUT},
        {QStringLiteral("UCRET_TUTARI"), QStringLiteral("ÜCRET TUTARI :"), tp.NET_TUT - tp.GAR_TUT}};
    double y = 3;
    for (const auto& [ad, baslik, deger] : toplamlar) {
        f.add(Bold(Label(80, y, 46, kDyzSatir, baslik, kSag)));
        f.add(Named(Bold(Label(127, y, 22, kDyzSatir, rowvals::para(deger), kSag)), ad));
        y += kDyzSatir;
    }
    f.height = y + 1;
    return out;
}

// ---------------------------------------------------------------------------
// Delivery form

namespace {

struct GarKolon {
    QString ad;      // the element's name in the line bands
    QString baslik;
    double w;
    Qt::Alignment hiza;
    QString bicim;
    double x = 0;
};

} // namespace

Report GarNushaYazRaporu(const DispozBaskiVerisi& v, bool iskluKdvli)
{
    Report r;
    r.name = QStringLiteral("FormGarNushaYaz");
    r.title = QStringLiteral("ARAÇ TESLİM FORMU");
    r.font = ReportFont{QStringLiteral("DejaVu Sans"), 7.5, false, false};
    r.page.marginsMm = {10, 10, 10, 10};
    const QVariantMap& ie = v.isemri;
    const QVariantMap& cari = v.cari;
    r.source = RecordsSource({QStringLiteral("IS_EMRI_NO")}, {{str(ie, "IS_EMRI_NO")}});
    r.detail.height = 0;

    Band& h = r.pageHeader;
    h.height = 11;
    h.add(Named(Sized(Bold(Label(0, 0, 110, 7, v.firmaAdi)), 10), QStringLiteral("FIRMA_ADI")));
    h.add(Sized(Bold(Label(100, 0, 90, 7, QStringLiteral("ARAÇ TESLİM FORMU"), kSag)), 12));
    h.add(HLine(0, 8.5, 190, 0.4));

    // Title: company header, then the work order in two columns.
    Band& t = r.titleBand;
    const double sat = 4.3;
    auto metin = [&t, sat](double x, double y, double w, const QString& yazi, const QString& ad = {}) {
        Element e = Label(x, y, w, sat, yazi);
        if (!ad.isEmpty())
            e = Named(e, ad);
        t.add(e);
    };
    auto bolum = [&t](double x, double y, double w, const QString& baslik) {
        t.add(Bold(Label(x, y, w, 4.8, baslik)));
        t.add(HLine(x, y + 4.8, w));
    };
    metin(0, 0, 190, v.firmaAdres, QStringLiteral("ADRES"));
    metin(0, sat, 190,
          dyzBirlestir({v.firmaTel.isEmpty() ? QString() : QStringLiteral("Tel : ") + v.firmaTel,
                        v.firmaFax.isEmpty() ? QString() : QStringLiteral("Fax : ") + v.firmaFax, v.mesulAd},
                       QStringLiteral("    ")));

    const double sl = 0, sg = 97, gw = 93;
    double y = 12;
    bolum(sl, y, gw, QStringLiteral("Araç Kabul Bilgileri"));
    bolum(sg, y, gw, QStringLiteral("Araç Bilgileri"));
    metin(sl, y + 5.5, gw, QStringLiteral("İş Emri No : ") + str(ie, "IS_EMRI_NO"), QStringLiteral("IS_EMRI_NO"));
    metin(sl, y + 5.5 + sat, gw,
          QStringLiteral("Giriş : ") + dyzBirlestir({rowvals::tarihMetni(ie.value(K("ARAC_GIRIS_TRH"))),
                                                     rowvals::saatMetni(ie.value(K("ARAC_GIRIS_SAAT")))},
                                                    QStringLiteral("  ")),
          QStringLiteral("ARAC_GIRIS_TRH"));
    metin(sg, y + 5.5, gw, QStringLiteral("Plaka : ") + str(ie, "PLAKA_NO"), QStringLiteral("PLAKA_NO"));
    metin(sg, y + 5.5 + sat, gw,
          dyzBirlestir({v.marka, v.arcModelAdi, str(ie, "ARAC_MODEL")}, QStringLiteral("  ")),
          QStringLiteral("ARC_MODEL_ADI"));
    metin(sg, y + 5.5 + 2 * sat, gw, QStringLiteral("Renk : ") + v.renkAdi, QStringLiteral("RENK"));

    y += 5.5 + 3 * sat + 1.5;
    bolum(sl, y, gw, QStringLiteral("Araç Teslim Bilgileri"));
    bolum(sg, y, gw, QStringLiteral("Şasi / Motor / Km"));
    metin(sl, y + 5.5, gw,
          QStringLiteral("Teslim : ") + dyzBirlestir({rowvals::tarihMetni(ie.value(K("TAHMINI_TES_TRH"))),
                                                      rowvals::saatMetni(ie.value(K("TAH_TES_SAAT")))},
                                                     QStringLiteral("  ")),
          QStringLiteral("TAHMINI_TES_TRH"));
    const QVariant km = ie.value(K("KM"));
    metin(sg, y + 5.5, gw,
          dyzBirlestir({str(ie, "SASI_NO"), str(ie, "MOTOR_NO"),
                        km.isNull() ? QString() : FormatValue(km.toDouble(), QStringLiteral(",0"))},
                       QStringLiteral(" / ")),
          QStringLiteral("SASI_NO"));

    y += 5.5 + sat + 1.5;
    bolum(sl, y, gw, QStringLiteral("Ruhsat Sahibi"));
    bolum(sg, y, gw, QStringLiteral("Müşteri İstekleri"));
    metin(sl, y + 5.5, gw, str(cari, "FIRMA_ADI"), QStringLiteral("RUHSAT_SAHIBI"));
    const QString adres = dyzBirlestir({str(cari, "ADRES_1"), str(cari, "ADRES_2"), str(cari, "SEMT")}, QStringLiteral(" "))
                          + (str(cari, "ILI").isEmpty() ? QString() : QStringLiteral("/") + str(cari, "ILI"));
    Element adr = Named(Label(sl, y + 5.5 + sat, gw, 2 * sat, QStringLiteral("Adresi ") + adres), QStringLiteral("CARI_ADRES"));
    adr.wordWrap = true;
    adr.align = Qt::AlignLeft | Qt::AlignTop;
    t.add(adr);
    metin(sl, y + 5.5 + 3 * sat, gw, dyzBirlestir({str(cari, "TEL1"), str(cari, "TEL3")}, QStringLiteral("  /  ")),
          QStringLiteral("CARI_TEL"));
    for (int i = 0; i < 3; ++i)
        metin(sg, y + 5.5 + i * sat, gw, ie.value(QStringLiteral("MUSTALIM_%1").arg(i + 1)).toString().trimmed(),
              QStringLiteral("MUSTALIM_%1").arg(i + 1));

    y += 5.5 + 4 * sat + 1.5;
    bolum(sl, y, gw, QStringLiteral("Servise Getiren"));
    bolum(sg, y, gw, QStringLiteral("Servis Danışmanı"));
    metin(sl, y + 5.5, gw, dyzBirlestir({str(ie, "TESLIM_EDEN"), str(ie, "TESLIM_ED_TEL")}, QStringLiteral("  /  ")),
          QStringLiteral("TESLIM_EDEN"));
    metin(sg, y + 5.5, gw, v.danismanAdi, QStringLiteral("DANISMAN"));

    y += 5.5 + sat + 2;
    t.add(Bold(Label(0, y, 22, sat, QStringLiteral("Kapanış Notu"))));
    Element not_ = Named(Memo(22, y, 168, 2 * sat, str(ie, "KAPANIS_NOTU")), QStringLiteral("KAPANIS_NOTU"));
    not_.wordWrap = true;
    t.add(not_);
    y += 2 * sat + 2;
    t.add(Sized(Bold(Label(0, y, 190, 5, QStringLiteral("Yapılan İşlemler"))), 9));
    t.height = y + 6;

    // The line columns. With KAPFORM_ISK "1" the discount, the discounted
    // amount and the kind print; otherwise the kind takes the discount's
    // place and the name gets the room.
    const bool isk = v.kapFormIsk;
    const QString tutarAdi = iskluKdvli ? QStringLiteral("IskluKdvliTutar") : QStringLiteral("TUTAR");
    QList<GarKolon> kol{{QStringLiteral("PI"), QStringLiteral("P-İ"), 6, kOrta, {}},
                        {QStringLiteral("SIRANO"), QStringLiteral("Sıra"), 8, kOrta, QStringLiteral("#")},
                        {QStringLiteral("KOD"), QStringLiteral("Parça / İşçilik Kodu"), 25, kSol, {}},
                        {QStringLiteral("AD"), QStringLiteral("Parça / İşçilik Adı"), isk ? 40.0 : 66.0, kSol, {}},
                        {QStringLiteral("TALEP"), QStringLiteral("Talep Miktar"), 12, kSag, QStringLiteral(",0.##")},
                        {QStringLiteral("TESLIM"), QStringLiteral("Teslim Miktar"), 12, kSag, QStringLiteral(",0.##")},
                        {QStringLiteral("FIYAT"), QStringLiteral("Brim Fiyat"), 17, kSag, QStringLiteral(",0.00")},
                        {QStringLiteral("KDV"), QStringLiteral("KDV"), 7, kSag, QStringLiteral(",0")}};
    if (isk) {
        kol.append({QStringLiteral("ISK_ORAN"), QStringLiteral("İsk%"), 9, kSag, QStringLiteral(",0.##")});
        kol.append({QStringLiteral("NETTUT"), QStringLiteral("İsk.lu Tutar"), 19, kSag, QStringLiteral(",0.00")});
        kol.append({QStringLiteral("GARANTI_TIPI"), QStringLiteral("Gar."), 6, kOrta, {}});
    } else {
        kol.append({QStringLiteral("GARANTI_TIPI"), QStringLiteral("Gar."), 9, kOrta, {}});
    }
    kol.append({tutarAdi, iskluKdvli ? QStringLiteral("Net Tutar") : QStringLiteral("Brüt Tutar"), 18, kSag,
                QStringLiteral(",0.00")});
    double x = 0;
    for (GarKolon& k : kol) {
        k.x = x;
        x += k.w + 1;
    }
    QStringList alanlar;
    for (const GarKolon& k : kol)
        alanlar << k.ad;

    Band& ch = r.columnHeader;
    ch.height = 8.5;
    for (const GarKolon& k : kol) {
        Element e = Bold(Label(k.x, 0, k.w, 7.5, k.baslik, k.hiza == kOrta ? (Qt::AlignHCenter | Qt::AlignBottom)
                                                          : k.hiza == kSag ? (Qt::AlignRight | Qt::AlignBottom)
                                                                           : (Qt::AlignLeft | Qt::AlignBottom)));
        e.wordWrap = true;
        ch.add(Named(e, QStringLiteral("Baslik_") + k.ad));
    }
    ch.add(HLine(0, 8, 190));

    auto satirBandi = [&kol](const QString& ad) {
        Band b(BandKind::SubDetail, ad, 4.3);
        for (const GarKolon& k : kol)
            b.add(Named(Field(k.x, 0, k.w, 4.3, k.ad, k.bicim, k.hiza), k.ad));
        return b;
    };
    auto satirYap = [&](const QString& pi, const QVariantMap& s, const QString& kod, const QString& ad, const QVariant& talep,
                        const QVariant& teslim, double fiyat, double net, double tutar, double kdvli) {
        QVector<QVariant> row;
        for (const GarKolon& k : kol) {
            if (k.ad == QLatin1String("PI")) row << pi;
            else if (k.ad == QLatin1String("SIRANO")) row << num(s, "SIRANO");
            else if (k.ad == QLatin1String("KOD")) row << kod;
            else if (k.ad == QLatin1String("AD")) row << ad;
            else if (k.ad == QLatin1String("TALEP")) row << talep;
            else if (k.ad == QLatin1String("TESLIM")) row << teslim;
            else if (k.ad == QLatin1String("FIYAT")) row << fiyat;
            else if (k.ad == QLatin1String("KDV")) row << num(s, "KDV");
            else if (k.ad == QLatin1String("ISK_ORAN")) row << num(s, "ISK_ORAN");
            else if (k.ad == QLatin1String("NETTUT")) row << net;
            else if (k.ad == QLatin1String("GARANTI_TIPI")) row << str(s, "GARANTI_TIPI");
            else row << (iskluKdvli ? kdvli : tutar);
        }
        return row;
    };
    QVector<QVector<QVariant>> parcaSatirlari, iscilikSatirlari;
    for (const QVariantMap& p : v.parcalar) {
        const ParcaTutari pt = ParcaTutarHesapla(p);
        parcaSatirlari << satirYap(QStringLiteral("P"), p, str(p, "STOK_KOD_NO"), str(p, "YEDEK_P_ADI"),
                                   num(p, "STOK_MIKTAR"), num(p, "VERILEN_MIKTAR"), num(p, "STOK_FIYATI"), pt.NETTUT,
                                   pt.TUTAR, pt.IskluKdvliTutar);
    }
    // Labour time is printed as worked, with its fraction (1,5 hours stays 1,5).
    for (const QVariantMap& s : v.iscilikler) {
        const IscilikTutari it = IscilikTutarHesapla(s);
        iscilikSatirlari << satirYap(QStringLiteral("İ"), s, str(s, "ARIZA_KODU"), str(s, "ARIZA_ADI"), it.TSURE,
                                     QVariant(), num(s, "ISCILIK_B_FIYATI"), it.NETTUT, it.TOPLAM, it.IskluKdvliTutar);
    }
    SubDetail parcalar;
    parcalar.name = QStringLiteral("GarParcalar");
    parcalar.detail = satirBandi(QStringLiteral("GarParcalar"));
    parcalar.source = [alanlar, parcaSatirlari](const Record&) { return RecordsSource(alanlar, parcaSatirlari); };
    SubDetail iscilikler;
    iscilikler.name = QStringLiteral("GarIscilikler");
    iscilikler.detail = satirBandi(QStringLiteral("GarIscilikler"));
    iscilikler.source = [alanlar, iscilikSatirlari](const Record&) { return RecordsSource(alanlar, iscilikSatirlari); };
    r.subDetails = {parcalar, iscilikler};

    // The footer follows the last line: totals on the right, signatures on the left.
    const IsEmriToplamlari& tp = v.toplam;
    Band& f = r.summary;
    f.add(HLine(0, 1, 190));
    const QList<std::tuple<QString, QString, double>> toplamlar{
        {QStringLiteral("PAR_TOP_TUTAR"), QStringLiteral("PARÇA TOPLAM :"), tp.PAR_TOP_TUTAR},
        {QStringLiteral("IS_TOP_TUTAR"), QStringLiteral("İŞÇİLİK TOPLAM :"), tp.IS_TOP_TUTAR},
        {QStringLiteral("ISC_NETTUT"), QStringLiteral("İŞÇİLİK NET TUTAR :"), tp.IS_TOP_TUTAR - tp.ISC_ISK},
        {QStringLiteral("TOP_TUTAR"), QStringLiteral("ARA TOPLAM :"), tp.TOP_TUTAR},
        {QStringLiteral("TOP_ISK"), QStringLiteral("İSK. TOPLAM :"), tp.PAR_ISK + tp.ISC_ISK},
        {QStringLiteral("KDV_TUT"), QStringLiteral("KDV TOPLAM :"), tp.KDV_TUT},
        {QStringLiteral("NET_TUT"), QStringLiteral("GENEL TOPLAM :"), tp.NET_TUT},
        {QStringLiteral("GAR_TUT"), QStringLiteral("GARANTİ TOPLAM :"), tp.GAR_TUT},
        {QStringLiteral("UCR_TUT"), QStringLiteral("ÜCRET TUTARI :"), tp.NET_TUT - tp.GAR_TUT}};
    double fy = 3;
    for (const auto& [ad, baslik, deger] : toplamlar) {
        f.add(Bold(Label(112, fy, 48, 4.5, baslik, kSag)));
        f.add(Named(Bold(Label(161, fy, 29, 4.5, rowvals::para(deger), kSag)), ad));
        fy += 4.5;
    }
    f.add(Bold(Label(0, 3, 50, 4.5, QStringLiteral("Servis Danışmanı"))));
    f.add(Named(Label(0, 8, 50, 4.5, v.danismanAdi), QStringLiteral("IMZA_DANISMAN")));
    f.add(Bold(Label(55, 3, 52, 4.5, QStringLiteral("Müşteri Adı Soyadı / İmza"))));
    if (!isk)
        f.add(Named(Label(55, 8, 52, 4.5, str(ie, "TESLIM_EDEN")), QStringLiteral("IMZA_TESLIM_EDEN")));
    f.add(Named(Label(0, 30, 107, 4.5, str(ie, "PLAKA_NO") + QStringLiteral(" Plakalı aracı teslim aldım.")),
                QStringLiteral("TESLIM_ALDIM")));
    f.height = fy + 2;
    return r;
}

// ---------------------------------------------------------------------------

namespace {

bool dyzYuklu(const IsEmriBelgesi& b)
{
    if (b.yuklu())
        return true;
    ShowWarning(QStringLiteral("Lütfen İşemri Seçiniz"));
    return false;
}

} // namespace

void DispozYazdir(const Db& db, const IsEmriBelgesi& b, bool iskluKdvli)
{
    if (!dyzYuklu(b))
        return;
    const DispozYazimi y = DispozYazRaporu(DispozBaskiOku(db, b), ReadLayout(db, LayoutWorkOrder), iskluKdvli);
    if (!y.uyari.isEmpty())
        ShowWarning(y.uyari);
    OutputDocument(Render(y.rapor), OutputPreview);
}

void GarNushaYazdir(const Db& db, const IsEmriBelgesi& b, bool iskluKdvli)
{
    if (!dyzYuklu(b))
        return;
    OutputDocument(Render(GarNushaYazRaporu(DispozBaskiOku(db, b), iskluKdvli)), OutputPreview);
}

} // namespace tornaly::workshop
