#include "workshop/vehicles/VehicleDemo.h"
#include "workshop/vehicles/RecordIo.h"
#include "db/Database.h"

namespace tornaly::workshop {

namespace {
// Rows another library's demo may have made already are left alone.
void put(const Db& db, const QString& table, const QString& key, const QVariantMap& row)
{
    const QVariantMap found = ReadRow(db, QStringLiteral("SELECT 1 AS X FROM %1 WHERE %2 = :K").arg(table, key),
                                      {{QStringLiteral("K"), row.value(key)}});
    if (found.isEmpty())
        InsertRow(db, table, row, row.keys());
}
} // namespace

void SeedVehicleDemo(const Db& db)
{
    for (const auto& [kod, uretici] : {std::pair{"VARNEK", "VARNEK OTOMOTİV A.Ş."}, std::pair{"KORSA", "KORSA MOTORLU ARAÇLAR"}})
        put(db, QStringLiteral("MARKALAR"), QStringLiteral("MARKA_KOD"),
            {{QStringLiteral("MARKA_KOD"), QString::fromUtf8(kod)}, {QStringLiteral("URETICI"), QString::fromUtf8(uretici)}});

    struct Seg {
        const char *kod, *ad, *marka, *isc;
    };
    for (const Seg& s : {Seg{"VRN-SED", "VARNEK SEDAN", "VARNEK", "VS01"}, Seg{"VRN-HB", "VARNEK HATCHBACK", "VARNEK", "VH01"},
                         Seg{"KRS-SUV", "KORSA SUV", "KORSA", "KS01"}, Seg{"GENEL", "TÜM MARKALAR", "ZZ", "ZZ"}})
        put(db, QStringLiteral("MODELKOD"), QStringLiteral("MODEL_KOD"),
            {{QStringLiteral("MODEL_KOD"), QString::fromUtf8(s.kod)}, {QStringLiteral("MODEL_AD"), QString::fromUtf8(s.ad)},
             {QStringLiteral("MARKA"), QString::fromUtf8(s.marka)}, {QStringLiteral("ISCILIK_KOD"), QString::fromUtf8(s.isc)}});

    put(db, QStringLiteral("TAVERGI"), QStringLiteral("TARIFE_KOD"),
        {{QStringLiteral("TARIFE_KOD"), QStringLiteral("OTO1600")}, {QStringLiteral("TARIFE_AD"), QStringLiteral("1600 cc ALTI OTOMOBİL")},
         {QStringLiteral("MODEL_YIL"), 2025}, {QStringLiteral("TAV"), 4500.0}, {QStringLiteral("KDV"), 20.0}});

    struct Renk {
        const char *kod, *ad, *tip;
    };
    for (const Renk& r : {Renk{"BYZ1", "BUZUL BEYAZ", "D"}, Renk{"SYH1", "GECE SİYAHI", "D"}, Renk{"GRI1", "PLATİN GRİ", "D"},
                          Renk{"KRM1", "ATEŞ KIRMIZISI", "D"}, Renk{"IGR", "GRİ KUMAŞ", "I"}, Renk{"ISY", "SİYAH DERİ", "I"}})
        put(db, QStringLiteral("RENK"), QStringLiteral("ARC_RENK_KODU"),
            {{QStringLiteral("ARC_RENK_KODU"), QString::fromUtf8(r.kod)}, {QStringLiteral("ARC_RENK_ADI"), QString::fromUtf8(r.ad)},
             {QStringLiteral("RENK_TIP"), QString::fromUtf8(r.tip)}});

    struct Model {
        const char *kod, *ad, *marka, *seg, *isc;
        double fiyat, kdv, otv, bakim;
        int guc;
        const char* hacim;
    };
    for (const Model& m : {Model{"VRN16SED", "VARNEK 1.6 SEDAN", "VARNEK", "VRN-SED", "VS01", 1250000, 20, 80, 15000, 85, "1598"},
                           Model{"VRN14HB", "VARNEK 1.4 HATCHBACK", "VARNEK", "VRN-HB", "VH01", 980000, 20, 70, 15000, 74, "1398"},
                           Model{"KRS20SUV", "KORSA 2.0 SUV 4X4", "KORSA", "KRS-SUV", "KS01", 2150000, 20, 150, 10000, 110, "1998"}}) {
        put(db, QStringLiteral("MODEL"), QStringLiteral("ARC_MODEL_KODU"),
            {{QStringLiteral("ARC_MODEL_KODU"), QString::fromUtf8(m.kod)}, {QStringLiteral("ARC_MODEL_ADI"), QString::fromUtf8(m.ad)},
             {QStringLiteral("MARKA"), QString::fromUtf8(m.marka)}, {QStringLiteral("MODEL"), QString::fromUtf8(m.seg)},
             {QStringLiteral("OZEL1"), QString::fromUtf8(m.isc)}, {QStringLiteral("SATIS_FIYAT_TL"), m.fiyat},
             {QStringLiteral("KDV"), m.kdv}, {QStringLiteral("OTV"), m.otv}, {QStringLiteral("MBAK_PER_KM"), m.bakim},
             {QStringLiteral("MOTOR_GUC"), m.guc}, {QStringLiteral("MOTOR_HACIM"), QString::fromUtf8(m.hacim)},
             {QStringLiteral("TAV_KOD"), QStringLiteral("OTO1600")}, {QStringLiteral("D_BASI_STK_MIK"), 1.0},
             {QStringLiteral("SIP_VERILEBILIR"), 0}, {QStringLiteral("YAKIT_TIPI"), QStringLiteral("B")},
             {QStringLiteral("VITES"), QStringLiteral("V")}});
        for (const char* renk : {"BYZ1", "SYH1", "GRI1"}) {
            const QVariantMap link{{QStringLiteral("MODEL_KOD"), QString::fromUtf8(m.kod)},
                                   {QStringLiteral("RENK_KOD"), QString::fromUtf8(renk)}};
            if (ReadRow(db, QStringLiteral("SELECT 1 AS X FROM MODELRNK WHERE MODEL_KOD = :MODEL_KOD AND RENK_KOD = :RENK_KOD"),
                        link).isEmpty())
                InsertRow(db, QStringLiteral("MODELRNK"), link, link.keys());
        }
    }

    // Owners from the demo's accounts, when there are any.
    QStringList owners;
    for (const QVariantMap& r : ReadRows(db, QStringLiteral("SELECT CARI_KOD FROM CARI ORDER BY CARI_KOD LIMIT 4")))
        owners << Trimmed(r, "CARI_KOD");
    struct Arac {
        const char *sase, *motor, *plaka, *model, *renk;
        int yil;
        QDate ilk;
    };
    const Arac araclar[] = {
        {"VNK1SED2024000117", "M16A123456", "34TRN117", "VRN16SED", "BYZ1", 2024, QDate(2024, 3, 15)},
        {"VNK1SED2023000342", "M16A118802", "06ABC342", "VRN16SED", "SYH1", 2023, QDate(2023, 6, 2)},
        {"VNK1HBC2025000051", "M14B220031", "35KLM051", "VRN14HB", "GRI1", 2025, QDate(2025, 1, 20)},
        {"KRS4SUV2022007788", "K20C990017", "16SUV788", "KRS20SUV", "BYZ1", 2022, QDate(2022, 9, 9)},
        {"KRS4SUV2025001203", "K20C991203", "34KRS203", "KRS20SUV", "SYH1", 2025, QDate(2025, 5, 30)},
    };
    int i = 0;
    for (const Arac& a : araclar) {
        QVariantMap row{{QStringLiteral("SASE_NO"), QString::fromLatin1(a.sase)},
                        {QStringLiteral("MOTOR_NO"), QString::fromLatin1(a.motor)},
                        {QStringLiteral("PLAKA"), QString::fromLatin1(a.plaka)},
                        {QStringLiteral("ARC_MODEL_KODU"), QString::fromLatin1(a.model)},
                        {QStringLiteral("ARC_MODEL_TRH"), a.yil},
                        {QStringLiteral("ARC_RENK_KODU"), QString::fromLatin1(a.renk)},
                        {QStringLiteral("TRF_CIKIS_TRH"), QDateTime(a.ilk, QTime(0, 0))},
                        {QStringLiteral("FAT_TRH"), QDateTime(a.ilk, QTime(0, 0))},
                        {QStringLiteral("GARANTI_BAS"), QDateTime(a.ilk, QTime(0, 0))},
                        {QStringLiteral("GARANTI_BIT"), QDateTime(a.ilk.addYears(3), QTime(0, 0))}};
        if (!owners.isEmpty())
            row.insert(QStringLiteral("CARI_KOD"), owners.at(i % owners.size()));
        put(db, QStringLiteral("ARAC"), QStringLiteral("SASE_NO"), row);
        ++i;
    }
}

} // namespace tornaly::workshop
