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
} // namespace

void SeedInvoicingDemo(const Db& db)
{
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
