#include "workshop/common/RowValues.h"
#include "workshop/labour/LabourDemo.h"

#include "context/SessionContext.h"
#include "workshop/dispositions/IsEmriSatirlari.h"

namespace tornaly::workshop {

namespace {
using rowvals::K;
}

void SeedLabourDemo(const Db& db)
{
    Query have(db, QStringLiteral("SELECT COUNT(*) FROM FRT"));
    have.exec();
    if (have.next() && have.value(0).toLongLong() > 0)
        return;
    have.finish();
    struct Frt {
        const char *model, *kod, *ad, *kbmy;
        double zaman, fiyat;
        const char *onceki, *not1;
    };
    const Frt frtler[] = {
        {"ZZ", "BAKIM-15", "15.000 KM Periyodik Bakım", "M", 1.5, 850, "", "Yağ, yağ filtresi ve polen filtresi"},
        {"VS01", "BAKIM-15", "15.000 KM Periyodik Bakım (Varnek Sedan)", "M", 1.8, 900, "", ""},
        {"ZZ", "BAKIM-30", "30.000 KM Periyodik Bakım", "M", 2.5, 850, "", ""},
        {"ZZ", "FREN-ON", "Ön Fren Balatası Değişimi", "M", 0.8, 850, "", ""},
        {"ZZ", "FREN-DSK", "Ön Fren Diski Değişimi", "M", 1.2, 850, "FREN-ON", ""},
        {"ZZ", "KLIMA-01", "Klima Gazı Dolumu", "M", 0.5, 850, "", ""},
        {"ZZ", "AKU-01", "Akü Değişimi ve Test", "M", 0.3, 850, "", ""},
        {"KS01", "TRIGER-01", "Triger Seti Değişimi (Korsa SUV)", "M", 3.5, 950, "", ""},
        {"ZZ", "KAP-01", "Kapı Tamiri", "K", 2, 1000, "", ""},
        {"ZZ", "BOYA-01", "Kapı Boyama", "B", 3, 1100, "", ""},
        {"ZZ", "DIS01", "Dış Hizmet", "D", 1, 600, "", ""},
    };
    for (const Frt& f : frtler)
        db.exec(QStringLiteral("INSERT INTO FRT (MODEL_KODU, FRT_KODU, FRT_ADI, KBMY, FRT_ZAMAN, BIRIM_FIYAT_TL, KDV, "
                               "DOVIZ_KODU, KLEIM_TURU, PREW_KOD1, ACIKLAMA1) VALUES (:M, :K, :A, :T, :Z, :F, 20, 'TL', "
                               "'A', :P, :N)"),
                {{K("M"), K(f.model)}, {K("K"), K(f.kod)}, {K("A"), QString::fromUtf8(f.ad)}, {K("T"), K(f.kbmy)},
                 {K("Z"), f.zaman}, {K("F"), f.fiyat},
                 {K("P"), *f.onceki ? QVariant(K(f.onceki)) : QVariant(QMetaType(QMetaType::QString))},
                 {K("N"), *f.not1 ? QVariant(QString::fromUtf8(f.not1)) : QVariant(QMetaType(QMetaType::QString))}});
    for (const auto& [g, p] : {std::pair{"K", 1000.0}, std::pair{"B", 1100.0}, std::pair{"M", 850.0},
                               std::pair{"G", 700.0}, std::pair{"D", 600.0}})
        db.exec(QStringLiteral("UPDATE FRTFYT SET BR_FIYAT_TL = :P WHERE GRUP_KOD = :G"), {{K("P"), p}, {K("G"), K(g)}});
    for (const char* p : {"90915-YZZD4", "08880-83717", "87139-0D070"})
        db.exec(QStringLiteral("INSERT INTO TARIZPAR (IZP_KODU, IZP_ARAC_TIPI, IZP_MALZEME) "
                               "SELECT 'BAKIM-15', 'ZZ', STOK_KOD_NO FROM STOK WHERE STOK_KOD_NO = :P"),
                {{K("P"), K(p)}});

    // The open maintenance work order gets its parts and labour.
    Query q(db, QStringLiteral("SELECT IS_EMRI_NO FROM ISEMRI WHERE KAPANDI = 'H' AND IE_TIP = 'B' ORDER BY IS_EMRI_NO"));
    q.exec();
    if (!q.next())
        return;
    const QString no = q.str(K("IS_EMRI_NO"));
    q.finish();
    IsEmriBelgesi b = IsEmriBelgesiYukle(db, no);
    if (!b.yuklu() || !b.parcalar.isEmpty())
        return;
    int sira = 0;
    for (const auto& [kod, miktar] : {std::pair{"90915-YZZD4", 1.0}, std::pair{"08880-83717", 1.0},
                                      std::pair{"87139-0D070", 1.0}, std::pair{"04465-0K240", 1.0}}) {
        Query s(db, QStringLiteral("SELECT STOK_NO, STOK_ADI_TR, SAT_FYT_TL, KDV FROM STOK WHERE STOK_KOD_NO = :K"));
        s.bind(K("K"), K(kod)).exec();
        if (!s.next())
            continue;
        ++sira;
        b.parcalar << QVariantMap{{K("ISEMRI_NO"), no}, {K("FYILI"), b.fyili()}, {K("SIRANO"), sira},
                                  {K("STOK_NO"), s.num(K("STOK_NO"))}, {K("STOK_KOD_NO"), K(kod)},
                                  {K("YEDEK_P_ADI"), s.str(K("STOK_ADI_TR"))}, {K("STOK_MIKTAR"), miktar},
                                  {K("VERILEN_MIKTAR"), sira < 4 ? miktar : 0.0},
                                  {K("TESLIM_MIKTAR"), sira < 4 ? miktar : 0.0},
                                  {K("TESLIM_TRH"), b.isemri.value(K("ARAC_GIRIS_TRH"))},
                                  {K("STOK_FIYATI"), s.num(K("SAT_FYT_TL"))}, {K("KDV"), s.num(K("KDV"))},
                                  {K("ISK_ORAN"), sira == 2 ? 10.0 : 0.0}, {K("GARANTI_TIPI"), K("M")},
                                  {K("DEPO_KODU"), AnaDepoKodu()},
                                  {K("ARIZA_KODU"), sira < 4 ? QVariant(K("BAKIM-15")) : QVariant()},
                                  {K("ISC_SIRANO"), sira < 4 ? QVariant(1) : QVariant()}};
    }
    b.iscilikler << QVariantMap{{K("ISEMRI_NO"), no}, {K("FYILI"), b.fyili()}, {K("SIRANO"), 1},
                                {K("ARIZA_KODU"), K("BAKIM-15")}, {K("ARIZA_ADI"), QStringLiteral("15.000 KM Periyodik Bakım (Varnek Sedan)")},
                                {K("SURE"), 1.8}, {K("QTY"), 1}, {K("ISCILIK_B_FIYATI"), 900.0}, {K("TOPLAM"), 1620.0},
                                {K("KDV"), 20.0}, {K("GARANTI_TIPI"), K("M")}, {K("A_T"), K("A")}}
                  << QVariantMap{{K("ISEMRI_NO"), no}, {K("FYILI"), b.fyili()}, {K("SIRANO"), 2},
                                 {K("ARIZA_KODU"), K("FREN-ON")}, {K("ARIZA_ADI"), QStringLiteral("Ön Fren Balatası Değişimi")},
                                 {K("SURE"), 0.8}, {K("QTY"), 1}, {K("ISCILIK_B_FIYATI"), 850.0}, {K("TOPLAM"), 680.0},
                                 {K("KDV"), 20.0}, {K("GARANTI_TIPI"), K("M")}, {K("A_T"), K("T")}};
    SessionContext ctx;
    IsEmriYazimi w;
    w.basliklar.insert(K("DISPOZ_YAP"), K("E"));
    IsEmriSatirlariYaz(db, ctx, b, w);
}

} // namespace tornaly::workshop
