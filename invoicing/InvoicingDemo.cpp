#include "util/Utf8.h"
#include "invoicing/InvoicingDemo.h"
#include "invoicing/dialogs/YanTablolar.h"

namespace tornaly::invoicing {

namespace {
using text::S;

int say(const Db& db, const QString& sql, const QVariantMap& b = {})
{
    Query q(db, sql);
    q.bindAll(b).exec();
    return q.next() ? int(q.value(0).toLongLong()) : 0;
}
// Where the standard design prints each item: left, top (mm from the page start).
const struct {
    const char* item;
    int left, top;
} kFaturaYerleri[] = {
    {"FATNO", 160, 20},  {"TRH", 160, 26},    {"FSEVK", 160, 32},   {"VADETRH", 160, 38}, {"OZEL1", 160, 44},
    {"CARIKOD", 15, 38}, {"KR", 15, 44},      {"ADR1", 15, 52},     {"ADR2", 15, 56},     {"ADR3", 15, 60},
    {"VERD", 15, 66},    {"VERNO", 75, 66},   {"PK", 120, 52},      {"SEMT", 120, 56},    {"IL", 120, 60},
    {"SUTB", 12, 80},    {"SNO", 3, 5},       {"SIRA", 12, 28},     {"URUNAD", 41, 62},   {"SKDV", 108, 6},
    {"MIK", 115, 17},    {"OLCU", 129, 8},    {"BIRIMF", 138, 20},  {"ISKS", 162, 6},     {"TUTAR", 169, 24},
    {"ACIKLA", 194, 10}, {"TOP", 140, 200},   {"KDVMAT", 15, 205},  {"BRUT", 140, 205},   {"SISKORN", 140, 210},
    {"ARA", 140, 215},   {"KDV", 140, 220},   {"SNETTUT", 140, 235}, {"YAZI", 15, 245},   {"ALAN1", 15, 252},
    {"ALAN2", 80, 252},  {"SABIT1", 15, 265}, {"SAYFA", 5, 5},
};

} // namespace

int SeedFaturaTasarimi(const Db& db)
{
    QStringList kolonlar{S("FATFORM_ADI"), S("SABIT1"), S("TOPLAM_VSB"), S("BASLIK_VSB"), S("SAYFAISIM"),
                         S("SAYFAGEN"), S("SAYFAYUK")};
    QStringList degerler{S(":AD"), S(":SABIT"), S("1"), S("0"), S(":SAYFA"), S("210"), S("297")};
    for (const auto& y : kFaturaYerleri) {
        kolonlar << QLatin1String(y.item) + S("_S") << QLatin1String(y.item) + S("_U");
        degerler << QString::number(y.left) << QString::number(y.top);
    }
    db.exec(S("INSERT INTO KOORFAT (%1) VALUES (%2)").arg(kolonlar.join(S(", ")), degerler.join(S(", "))),
            {{S("AD"), S("Standart Fatura")},
             {S("SABIT"), S("İşbu fatura muhteviyatına 7 gün içinde itiraz edilmediği takdirde aynen kabul edilmiş sayılır.")},
             {S("SAYFA"), S("A4   (210mm x 297mm)")}});
    return say(db, S("SELECT MAX(ID) FROM KOORFAT"));
}

void SeedInvoicingDemo(const Db& db)
{
    if (say(db, S("SELECT COUNT(*) FROM KOORFAT")) == 0)
        SeedFaturaTasarimi(db);
    FatTaniDegerleri seri = FatTaniOku(db);
    if (seri.FATNO <= 1) {
        seri.SABITHARF = S("TRN");
        seri.FATNO = 4711;
        FatTaniYaz(db, seri);
    }
    if (say(db, S("SELECT COUNT(*) FROM HAZIRMETIN")) == 0)
        for (const char* m : {"İşbu fatura muhteviyatına 7 gün içinde itiraz edilmediği takdirde aynen kabul edilmiş sayılır.",
                              "Ödemeler fatura tarihinden itibaren 30 gün içinde yapılmalıdır.",
                              "Garanti kapsamındaki işlemler bedelsizdir."}) {
            HazirMetin h{0, S(m)};
            HazirMetinYaz(db, h);
        }
    if (say(db, S("SELECT COUNT(*) FROM ISKORAN")) == 0) {
        IskontoOraniYaz(db, {1, 0, 5, S("PEŞİN ÖDEMEDE %5 İSKONTO")});
        IskontoOraniYaz(db, {2, 30, 2, S("30 GÜN İÇİNDE ÖDEMEDE %2 İSKONTO")});
    }
    if (db.dialect().tableExists(db, S("PERIYOT")) &&
        say(db, S("SELECT COUNT(*) FROM PERIYOT WHERE SAT_SER = 'S'")) == 0)
        db.exec(S("INSERT INTO PERIYOT (SAT_SER, ARA_TIP, PER_GUN, PER_AD) VALUES ('S', 'T', 30, '30 GÜN')"));

    // Lines for the open maintenance work order, when nobody gave it any.
    Query ie(db, S("SELECT IS_EMRI_NO, FYILI FROM ISEMRI WHERE KAPANDI = 'H' AND IE_TIP = 'B' ORDER BY IS_EMRI_NO"));
    ie.exec();
    if (!ie.next())
        return;
    const QString no = ie.str(S("IS_EMRI_NO"));
    const int fyili = int(ie.num(S("FYILI")));
    ie.finish();
    const QVariantMap anahtar{{S("N"), no}};
    if (say(db, S("SELECT COUNT(*) FROM ISEAYRIN WHERE ISEMRI_NO = :N"), anahtar) > 0 ||
        say(db, S("SELECT COUNT(*) FROM ISCILIK WHERE ISEMRI_NO = :N"), anahtar) > 0)
        return;
    Query st(db, S("SELECT STOK_NO, STOK_KOD_NO, STOK_ADI_TR, SAT_FYT_TL, KDV FROM STOK "
                   "WHERE SAT_FYT_TL > 0 ORDER BY STOK_NO"));
    st.exec();
    int sira = 0;
    while (st.next() && sira < 4) {
        ++sira;
        db.exec(S("INSERT INTO ISEAYRIN (ISEMRI_NO, FYILI, SIRANO, STOK_NO, STOK_KOD_NO, YEDEK_P_ADI, STOK_MIKTAR, "
                  "VERILEN_MIKTAR, STOK_FIYATI, KDV, ISK_ORAN, GARANTI_TIPI, DEPO_KODU) "
                  "VALUES (:N, :F, :S, :SN, :K, :A, :M, :M, :P, :KDV, :I, :G, '2')"),
                {{S("N"), no}, {S("F"), fyili}, {S("S"), sira}, {S("SN"), st.value(S("STOK_NO"))},
                 {S("K"), st.str(S("STOK_KOD_NO"))}, {S("A"), st.str(S("STOK_ADI_TR"))},
                 {S("M"), sira == 1 ? 4.0 : 1.0}, {S("P"), st.num(S("SAT_FYT_TL"))},
                 {S("KDV"), st.isNull(S("KDV")) ? 20.0 : st.num(S("KDV"))}, {S("I"), sira == 2 ? 10.0 : 0.0},
                 {S("G"), sira == 4 ? S("G") : S("M")}});
    }
    st.finish();
    struct Isc {
        const char* kod;
        const char* ad;
        double sure, fiyat;
        const char* grup;
    };
    const Isc iscilikler[] = {
        {"B15000", "15.000 KM PERİYODİK BAKIM İŞÇİLİĞİ", 1.5, 1450.0, ""},
        {"K0201", "ÖN SOL KAPI AYARI", 0.5, 1450.0, ""},
        {"NOT", "SİLECEK LASTİKLERİ MÜŞTERİ TARAFINDAN GETİRİLDİ", 0, 0, "A"},
    };
    int isira = 0;
    for (const Isc& i : iscilikler)
        db.exec(S("INSERT INTO ISCILIK (ISEMRI_NO, FYILI, SIRANO, ARIZA_KODU, ARIZA_ADI, ARIZA_GRUP, SURE, QTY, "
                  "ISCILIK_B_FIYATI, KDV, ISK_ORAN, GARANTI_TIPI) VALUES (:N, :F, :S, :K, :A, :G, :SU, 1, :P, 20, 0, 'M')"),
                {{S("N"), no}, {S("F"), fyili}, {S("S"), ++isira}, {S("K"), S(i.kod)}, {S("A"), S(i.ad)},
                 {S("G"), *i.grup ? QVariant(S(i.grup)) : QVariant()}, {S("SU"), i.sure}, {S("P"), i.fiyat}});
}

} // namespace tornaly::invoicing
