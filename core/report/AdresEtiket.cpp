#include "report/AdresEtiket.h"

namespace tornaly::report {

namespace {
constexpr int kEtiketSutun = 3;
constexpr double kEtiketGenislik = 63;
constexpr double kEtiketYukseklik = 34;

QString etiketSatiri(const Record& r, const char* alan) { return r.value(QString::fromLatin1(alan)).toString().trimmed(); }
} // namespace

Report AdresEtiketRaporu(const SourcePtr& source)
{
    // The engine prints one detail band per row: a row of this source holds
    // the lines of three labels side by side.
    QStringList fields;
    for (int c = 0; c < kEtiketSutun; ++c)
        for (const char* f : {"AD", "ADRES1", "ADRES2", "SEHIR"})
            fields << QStringLiteral("%1_%2").arg(QString::fromLatin1(f)).arg(c);
    QVector<QVector<QVariant>> rows;
    if (source) {
        source->open();
        Record r;
        int c = 0;
        while (source->next(r)) {
            if (c == 0)
                rows.append(QVector<QVariant>(fields.size()));
            QVector<QVariant>& row = rows.last();
            QString sehir = etiketSatiri(r, "PK");
            const QString semt = etiketSatiri(r, "SEMT");
            const QString il = etiketSatiri(r, "ILI");
            for (const QString& parca : {semt, il})
                if (!parca.isEmpty())
                    sehir += (sehir.isEmpty() ? QString() : QStringLiteral(" ")) + parca;
            // Empty lines close up, so that a label has no gap in its middle.
            int satir = 0;
            for (const QString& t : {etiketSatiri(r, "FIRMA_ADI"), etiketSatiri(r, "ADRES_1"), etiketSatiri(r, "ADRES_2"), sehir})
                if (!t.isEmpty() || satir == 0)
                    row[c * 4 + satir++] = t;
            c = (c + 1) % kEtiketSutun;
        }
    }

    Report rep;
    rep.name = QStringLiteral("AdresEtiket");
    rep.title = QStringLiteral("Adres Etiket Döküm");
    rep.page.marginsMm = QMarginsF(10.5, 12, 10.5, 12);
    rep.font.pointSize = 9;
    rep.source = RecordsSource(fields, std::move(rows));
    rep.detail.height = kEtiketYukseklik;
    for (int c = 0; c < kEtiketSutun; ++c) {
        const double x = c * kEtiketGenislik + 3;
        const double w = kEtiketGenislik - 6;
        rep.detail.add(Bold(Field(x, 4, w, 5, QStringLiteral("AD_%1").arg(c))));
        rep.detail.add(Field(x, 10, w, 5, QStringLiteral("ADRES1_%1").arg(c)));
        rep.detail.add(Field(x, 15, w, 5, QStringLiteral("ADRES2_%1").arg(c)));
        rep.detail.add(Field(x, 20, w, 5, QStringLiteral("SEHIR_%1").arg(c)));
    }
    return rep;
}

} // namespace tornaly::report
