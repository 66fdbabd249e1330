#include "aftersales/calls/AramaRapor.h"

#include "report/ListReport.h"
#include "sql/SqlHelpers.h"

namespace tornaly::aftersales {

namespace {
QString takipBirlesik(const report::RenderContext& r, std::initializer_list<const char*> alanlar, const QString& ayrac)
{
    QStringList parcalar;
    for (const char* a : alanlar) {
        const QString v = r.str(QString::fromLatin1(a)).trimmed();
        if (!v.isEmpty())
            parcalar << v;
    }
    return parcalar.join(ayrac);
}
} // namespace

report::Report MusteriTakipRaporu(report::SourcePtr source, const QDate& begdate, const QDate& enddate)
{
    const QString kriter = DisplayText(begdate) + QStringLiteral(" ile ") + DisplayText(enddate) +
                           QStringLiteral(" Tarihleri Arasında Ulaşılacak Servis Müşterileri");
    return report::ListReportBuilder(QStringLiteral("Müşteri Takip Listesi"))
        .name(QStringLiteral("MusteriTakip"))
        .source(std::move(source))
        .landscape()
        .subtitle(kriter)
        .computed(QStringLiteral("SIRA"), QStringLiteral("#"), 8,
                  [](const report::RenderContext& r) { return r.rowNumber(); }, {}, Qt::AlignRight)
        .computed(QStringLiteral("ARA_SEKLI"), QStringLiteral("Ara.Şekli"), 16,
                  [](const report::RenderContext& r) { return AraTipAdi(r.str(QStringLiteral("ARA_TIP"))); })
        .date(QStringLiteral("REF_TRH"), QStringLiteral("ServisTarihi"), 20)
        .text(QStringLiteral("IE_NO"), QStringLiteral("İşemri No"), 16)
        .computed(QStringLiteral("MUSTERI"), QStringLiteral("Müşteri Adı"), 52,
                  [](const report::RenderContext& r) {
                      const QString yetkili = takipBirlesik(r, {"YETKILI_ADI", "YETKILI_SOYAD"}, QStringLiteral(" "));
                      const QString ad = r.str(QStringLiteral("FIRMA_ADI")).trimmed();
                      return yetkili.isEmpty() || yetkili == ad ? ad : ad + QStringLiteral(" / ") + yetkili;
                  })
        .computed(QStringLiteral("TELEFON"), QStringLiteral("Telefon"), 44,
                  [](const report::RenderContext& r) { return takipBirlesik(r, {"TEL1", "TEL2", "TEL3"}, QStringLiteral(" ")); })
        .computed(QStringLiteral("ADRES"), QStringLiteral("Adres"), 62,
                  [](const report::RenderContext& r) {
                      QString adres = takipBirlesik(r, {"ADRES_1", "ADRES_2"}, QStringLiteral(" "));
                      const QString yer = takipBirlesik(r, {"SEMT", "ILI"}, QStringLiteral("/"));
                      return yer.isEmpty() ? adres : adres + QLatin1Char(' ') + yer;
                  })
        .text(QStringLiteral("MODEL_AD"), QStringLiteral("Model Adı"), 30)
        .text(QStringLiteral("ARC_MODEL_TRH"), QStringLiteral("Model Yıl"), 14)
        .build();
}

report::Report MusteriTakipRaporu(const Db& db, const AramaFiltre& f)
{
    return MusteriTakipRaporu(report::QuerySource(db, AramaListeSql(f), AramaListeBinds(f)), f.begdate, f.enddate);
}

} // namespace tornaly::aftersales
