#include "workshop/attendance/PdksRapor.h"
#include "report/ListReport.h"
#include "workshop/attendance/Pdks.h"

namespace tornaly::workshop {

report::Report PdksGunlukRaporu(const Db& db, const QDate& gun, const QString& perKod)
{
    QString sql = QStringLiteral("SELECT ISCIUSTA.ISCI_KOD, ISCIUSTA.ISCI_ADI, PEROKU.IENO, PEROKU.TARIH, PEROKU.SAAT, "
                                 "PEROKU.TIPKOD, PEROKU.SIRANO, COALESCE(ISCIUSTA.ISCI_KOD, '') AS GRUP FROM PEROKU "
                                 "LEFT OUTER JOIN ISCIUSTA ON (PEROKU.CIHAZ_ID = ISCIUSTA.CIHAZ_ID) WHERE PEROKU.TARIH = :trh");
    QVariantMap b{{QStringLiteral("trh"), pdks::GunBasi(gun)}};
    if (!perKod.isEmpty()) {
        sql += QStringLiteral(" AND ISCIUSTA.ISCI_KOD = :kod");
        b.insert(QStringLiteral("kod"), perKod);
    }
    sql += QStringLiteral(" ORDER BY COALESCE(ISCIUSTA.ISCI_KOD, ''), PEROKU.SAAT, PEROKU.SIRANO");
    const auto saat = [](const QVariant& v) { return Query::toDateTime(v).toString(QStringLiteral("HH:mm")); };
    return report::ListReportBuilder(pdks::U("Pdks Dosya Bilgileri"))
        .name(QStringLiteral("PdksDosyaBilgileri"))
        .source(report::QuerySource(db, sql, b))
        .groupBy(
            QStringLiteral("GRUP"),
            [](const report::RenderContext& r) {
                return pdks::U("Personel Adı Soyadı : ") + r.str(QStringLiteral("ISCI_ADI"))
                       + pdks::U("    Personel Kodu : ") + r.str(QStringLiteral("ISCI_KOD"))
                       + pdks::U("    Tarih : ")
                       + Query::toDateTime(r.value(QStringLiteral("TARIH"))).toString(QStringLiteral("dd.MM.yyyy"));
            },
            {})
        .computed(QStringLiteral("TIP"), pdks::U("İş Tipi"), 30,
                  [](const report::RenderContext& r) { return pdks::OkumaTipiAdi(r.str(QStringLiteral("TIPKOD"))); })
        .text(QStringLiteral("IENO"), pdks::U("İş Emri No"), 30)
        .text(QStringLiteral("SAAT"), pdks::U("Cihaz Okutma Saati"), 34)
        .display(saat)
        .number(QStringLiteral("SIRANO"), pdks::U("Pdks Dosya Sıra No"), 34)
        .build();
}

} // namespace tornaly::workshop
