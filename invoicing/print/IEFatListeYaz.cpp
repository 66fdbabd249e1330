#include "util/Utf8.h"
#include "invoicing/print/IEFatListeYaz.h"

namespace tornaly::invoicing {

namespace {

using text::S;

void etiketliDeger(report::Band& b, double x, double y, const char* etiket, const QString& alan, const QString& bicim = {})
{
    b.add(report::Bold(report::Label(x, y, 28, 4.5, S(etiket))));
    b.add(report::Field(x + 29, y, 60, 4.5, alan, bicim));
}

} // namespace

report::Report AyrintiliIEFatListesi(const Db& db, const QList<IEFatListeSatiri>& liste)
{
    using namespace report;
    Report r;
    r.name = S("AyrintiliIEFatListesi");
    r.title = S("AYRINTILI İŞ EMRİ FATURASI LİSTESİ");
    QVector<QVector<QVariant>> satirlar;
    for (const IEFatListeSatiri& s : liste)
        satirlar.append({s.SATIS_NO, s.CARI_KOD, s.CARI_AD, s.TARIH, s.FAT_NO, s.NET_TUTAR, s.IS_EMRI_NO});
    r.source = RecordsSource({S("SATIS_NO"), S("CARI_KOD"), S("CARI_AD"), S("TARIH"), S("FAT_NO"), S("NET_TUTAR"),
                              S("IS_EMRI_NO")},
                             std::move(satirlar));

    Band& h = r.pageHeader;
    h.height = 12;
    h.add(Sized(Bold(Label(0, 0, 190, 7, S("AYRINTILI İŞ EMRİ FATURASI LİSTESİ"), Qt::AlignHCenter)), 12));
    h.add(PageNo(150, 7, 40, 4.5));

    Band& d = r.detail;
    d.height = 16;
    etiketliDeger(d, 0, 1, "Cari Kodu  :", S("CARI_KOD"));
    etiketliDeger(d, 0, 5.5, "Firma Adı  :", S("CARI_AD"));
    etiketliDeger(d, 0, 10, "İş Emri No :", S("IS_EMRI_NO"));
    etiketliDeger(d, 100, 1, "Fatura Tarihi :", S("TARIH"), S("dd.MM.yyyy"));
    etiketliDeger(d, 100, 5.5, "Fatura/İrs.No :", S("FAT_NO"));
    etiketliDeger(d, 100, 10, "Fatura Tutarı :", S("NET_TUTAR"), S(",0.00"));
    d.add(HLine(0, 0, 190));

    SubDetail kalemler;
    kalemler.name = S("Kalemler");
    const Db baglanti = db;
    kalemler.source = [baglanti](const Record& fatura) {
        return QuerySource(baglanti,
                           S("SELECT PI_KOD, PI_AD, KDV, MIKTAR, BIRIM_FIYAT, PARCA_ISCILIK, ISKONTO, GARANTI_TIP, "
                             "CLAIM_NO FROM SERFATDT WHERE SATIS_NO = :S ORDER BY SIRA"),
                           {{S("S"), fatura.value(S("SATIS_NO"))}});
    };
    struct Kolon {
        const char* alan;
        const char* baslik;
        double x, w;
        const char* bicim;
    };
    const Kolon kolonlar[] = {{"PI_KOD", "P/I Kodu", 4, 28, ""},        {"PI_AD", "P/I Adı", 33, 55, ""},
                              {"KDV", "KDV", 89, 10, ",0"},             {"MIKTAR", "Miktar", 100, 14, ",0.##"},
                              {"BIRIM_FIYAT", "Birim. Fiyatı", 115, 24, ",0.00"},
                              {"PARCA_ISCILIK", "P/I", 140, 8, ""},     {"ISKONTO", "İsk%", 149, 10, ",0.##"},
                              {"GARANTI_TIP", "Grn.", 160, 9, ""},      {"CLAIM_NO", "Claim No", 170, 20, "0"}};
    kalemler.header.height = 5;
    kalemler.detail.height = 4.5;
    for (const Kolon& k : kolonlar) {
        const bool sayi = *k.bicim != 0;
        const Qt::Alignment hiza = sayi ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter;
        kalemler.header.add(Bold(Label(k.x, 0, k.w, 4.5, S(k.baslik), hiza)));
        kalemler.detail.add(Field(k.x, 0, k.w, 4.5, S(k.alan), S(k.bicim), hiza));
    }
    kalemler.footer.height = 3;
    r.subDetails.append(kalemler);
    return r;
}

} // namespace tornaly::invoicing
