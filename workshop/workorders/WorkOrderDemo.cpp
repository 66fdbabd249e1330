#include "workshop/workorders/WorkOrderDemo.h"
#include "workshop/workorders/WorkOrders.h"

#include <QTime>

namespace tornaly::workshop {

void SeedWorkOrderDemo(const Db& db)
{
    Query have(db, QStringLiteral("SELECT COUNT(*) FROM ISEMRI"));
    have.exec();
    if (have.next() && have.value(0).toLongLong() > 0)
        return;
    struct Ie {
        const char* sase;
        const char* tip;
        double km;
        int gunOnce;
        const char* kapandi;
        const char* istek1;
        const char* istek2;
    };
    const Ie ieler[] = {
        {"VNK1SED2023000342", "B", 30150, 40, "E", "30.000 KM PERİYODİK BAKIM", "SİLECEK LASTİKLERİ DEĞİŞSİN"},
        {"VNK1SED2024000117", "B", 15020, 0, "H", "15.000 KM PERİYODİK BAKIM", "ÖN SOL KAPI TIKIRTI YAPIYOR"},
        {"KRS4SUV2022007788", "A", 61230, 1, "H", "MOTOR ARIZA LAMBASI YANIYOR", "KLİMA SOĞUTMUYOR"},
        {"VNK1SED2023000342", "A", 18420, 210, "E", "FREN BALATALARI SES YAPIYOR", "ÖN CAM SU SIZDIRIYOR"},
    };
    const QDate bugun = SunucuBugun(db);
    for (const Ie& ie : ieler) {
        Query a(db, QStringLiteral("SELECT SASE_NO, MOTOR_NO, PLAKA, ARC_MODEL_KODU, ARC_MODEL_TRH, CARI_KOD, "
                                   "ARC_RENK_KODU, TRF_CIKIS_TRH, GARANTI_BIT FROM ARAC WHERE SASE_NO = :S"));
        a.bind(QStringLiteral("S"), QString::fromLatin1(ie.sase)).exec();
        if (!a.next())
            continue;
        const QDate giris = bugun.addDays(-ie.gunOnce);
        const IsEmriNumarasi n = IsEmriNoAl(db, giris);
        QVariantMap r{{QStringLiteral("IS_EMRI_NO"), n.isEmriNo},
                      {QStringLiteral("IS_ENO"), n.isEno},
                      {QStringLiteral("FYILI"), giris.year()},
                      {QStringLiteral("IE_TIP"), QString::fromLatin1(ie.tip)},
                      {QStringLiteral("CARI_KOD"), a.value(QStringLiteral("CARI_KOD"))},
                      {QStringLiteral("SASI_NO"), a.str(QStringLiteral("SASE_NO"))},
                      {QStringLiteral("MOTOR_NO"), a.str(QStringLiteral("MOTOR_NO"))},
                      {QStringLiteral("PLAKA_NO"), a.str(QStringLiteral("PLAKA"))},
                      {QStringLiteral("ARAC_TIP"), a.str(QStringLiteral("ARC_MODEL_KODU"))},
                      {QStringLiteral("ARAC_MODEL"), a.str(QStringLiteral("ARC_MODEL_TRH"))},
                      {QStringLiteral("RENK_KOD"), a.str(QStringLiteral("ARC_RENK_KODU"))},
                      {QStringLiteral("TESLIM_TRH"), a.value(QStringLiteral("TRF_CIKIS_TRH"))},
                      {QStringLiteral("GARANTI_BITIS"), a.value(QStringLiteral("GARANTI_BIT"))},
                      {QStringLiteral("KM"), ie.km},
                      {QStringLiteral("ARAC_GIRIS_TRH"), QDateTime(giris, QTime(0, 0))},
                      {QStringLiteral("ARAC_GIRIS_SAAT"), QDateTime(giris, QTime(9, 15))},
                      {QStringLiteral("MUSTALIM_1"), QString::fromUtf8(ie.istek1)},
                      {QStringLiteral("MUSTALIM_2"), QString::fromUtf8(ie.istek2)},
                      {QStringLiteral("KAPANDI"), QString::fromLatin1(ie.kapandi)},
                      {QStringLiteral("IPTAL"), QStringLiteral("H")},
                      {QStringLiteral("S"), QStringLiteral("H")},
                      {QStringLiteral("YAKIT_MIK"), QStringLiteral("2/4")},
                      {QStringLiteral("ATOLYE"), QStringLiteral("M")},
                      {QStringLiteral("DURUM"), QStringLiteral("S")}};
        if (*ie.kapandi == 'E')
            r.insert(QStringLiteral("TAHMINI_TES_TRH"), QDateTime(giris.addDays(1), QTime(17, 0)));
        QStringList names, params;
        for (auto it = r.cbegin(); it != r.cend(); ++it) {
            names << it.key();
            params << QLatin1Char(':') + it.key();
        }
        db.exec(QStringLiteral("INSERT INTO ISEMRI (%1) VALUES (%2)")
                    .arg(names.join(QLatin1Char(',')), params.join(QLatin1Char(','))),
                r);
    }
    // The workshop's warning for a vehicle that came back twice.
    SerNotYaz(db, QStringLiteral("VNK1SED2023000342"),
              QStringLiteral("Müşteri test sürüşüne kendisi katılmak istiyor. Fren balatası şikayeti tekrar ederse "
                             "atölye şefine haber verin."));
}

} // namespace tornaly::workshop
