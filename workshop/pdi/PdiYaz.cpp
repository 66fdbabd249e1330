#include "workshop/pdi/PdiYaz.h"
#include "workshop/pdi/PdiOrtak.h"
#include "workshop/pdi/PdiFormu.h"
#include "workshop/common/RowValues.h"
#include "workshop/vehicles/RecordIo.h"

namespace tornaly::workshop {

using namespace pdiortak;

using namespace tornaly::report;

namespace {

void pdiSatir(Band& b, double x, double y, const QString& baslik, const QString& deger, double bw = 32, double w = 60)
{
    b.add(Label(x, y, bw, 5, baslik));
    b.add(Bold(Label(x + bw, y, w, 5, deger)));
}

QString isaretKutusu(bool isaretli) { return isaretli ? QStringLiteral("X") : QString(); }

QString kisiAdi(const Db& db, const QString& kod)
{
    if (kod.isEmpty())
        return {};
    const QVariantMap r = ReadRow(db, QStringLiteral("SELECT ISCI_ADI FROM ISCIUSTA WHERE ISCI_KOD = :K"),
                                  {{QStringLiteral("K"), kod}});
    return r.isEmpty() ? kod : Trimmed(r, "ISCI_ADI");
}
} // namespace

report::Report PdiFormuYaz(const QVariantMap& row, const QString& modelAdi, const QString& renkAdi,
                           const QString& teknisyen)
{
    Report r;
    r.name = QStringLiteral("PdiFormuYaz");
    r.title = QStringLiteral("PDI Formu");
    r.page.marginsMm = {10, 10, 10, 10};
    r.font = ReportFont{QStringLiteral("DejaVu Sans"), 7.5, false, false};
    r.source = RecordsSource({"ID"}, {{1}});
    Band& d = r.detail;
    d.height = 277;
    d.add(Sized(Bold(Label(0, 0, 190, 8, QStringLiteral("SATIŞ ÖNCESİ BAKIMI (PDI) FORMU"), Qt::AlignHCenter | Qt::AlignVCenter)),
                12));
    double y = 11;
    pdiSatir(d, 0, y, QStringLiteral("Form No :"), metin(row, "FORMNO"));
    pdiSatir(d, 98, y, QStringLiteral("Tarih :"), rowvals::tarihMetni(row.value(K("TARIH"))));
    pdiSatir(d, 0, y + 5, QStringLiteral("Model :"), modelAdi);
    pdiSatir(d, 98, y + 5, QStringLiteral("Renk :"), renkAdi);
    pdiSatir(d, 0, y + 10, QStringLiteral("Şase No :"), metin(row, "SASI_NO"));
    pdiSatir(d, 98, y + 10, QStringLiteral("Motor No :"), metin(row, "MOTOR_NO"));
    y += 17;
    d.add(Bold(Label(160, y, 15, 5, QStringLiteral("EVET"), Qt::AlignHCenter | Qt::AlignVCenter)));
    d.add(Bold(Label(175, y, 15, 5, QStringLiteral("HAYIR"), Qt::AlignHCenter | Qt::AlignVCenter)));
    y += 5;
    int bolum = -1;
    for (const PdiFormuMaddesi& m : PdiFormuMaddeleri()) {
        if (m.bolum != bolum) {
            bolum = m.bolum;
            d.add(Bold(Label(0, y, 190, 5, PdiFormuBolumleri().at(bolum))));
            d.add(HLine(0, y + 5, 190));
            y += 6;
        }
        const double h = m.baslik.size() > 105 ? 8 : 5;
        d.add(Memo(0, y, 158, h, m.baslik, false));
        const QString v = row.value(m.kolon).toString().trimmed();
        d.add(Box(163, y + 0.5, 8, 4));
        d.add(Box(178, y + 0.5, 8, 4));
        d.add(Label(163, y + 0.5, 8, 4, isaretKutusu(v == QLatin1String("E")), Qt::AlignCenter));
        d.add(Label(178, y + 0.5, 8, 4, isaretKutusu(v == QLatin1String("H")), Qt::AlignCenter));
        y += h + 1;
    }
    y += 6;
    pdiSatir(d, 0, y, QStringLiteral("PDI Teknisıeni Adı Soyadı :"), teknisyen, 45, 60);
    d.add(Label(120, y, 70, 5, QStringLiteral("İmza :")));
    return r;
}

BelgeBaskiAdlari BelgeBaskiAdlariOku(const Db& db, const QVariantMap& row)
{
    BelgeBaskiAdlari a;
    const QVariantMap m = ReadRow(db, QStringLiteral("SELECT ARC_MODEL_ADI FROM MODEL WHERE ARC_MODEL_KODU = :K"),
                                  {{QStringLiteral("K"), metin(row, "BEL_MODEL")}});
    a.modelAdi = m.isEmpty() ? metin(row, "BEL_MODEL") : Trimmed(m, "ARC_MODEL_ADI");
    a.hazirlayan = kisiAdi(db, metin(row, "BEL_PER_KOD"));
    a.onaylayan = kisiAdi(db, metin(row, "BEL_ONAY_PER"));
    return a;
}

report::Report SonKontrolYaz(const BelgeFormu& b, const BelgeBaskiAdlari& adlar)
{
    Report r;
    r.name = QStringLiteral("SonKontrolYaz");
    r.title = QStringLiteral("SON KONTROL BAKIM FORMU");
    r.page.marginsMm = {10, 10, 10, 10};
    r.font = ReportFont{QStringLiteral("DejaVu Sans"), 8, false, false};
    QVector<QVector<QVariant>> satirlar;
    for (const BelgeSoru& s : b.sorular)
        satirlar.append({s.BS_SORU_NO, s.BS_SORU_TEXT, s.baslik ? 1 : 0,
                         s.BS_DEGER.isNull() ? QVariant() : QVariant(s.BS_DEGER.toInt())});
    r.source = RecordsSource({"NO", "METIN", "BASLIK", "DEGER"}, satirlar);

    Band& t = r.titleBand;
    t.height = 40;
    t.add(Sized(Bold(Label(0, 0, 190, 8, QStringLiteral("SON KONTROL BAKIM FORMU"), Qt::AlignHCenter | Qt::AlignVCenter)), 12));
    const QVariantMap& w = b.row;
    pdiSatir(t, 0, 10, QStringLiteral("Şase No :"), metin(w, "BEL_SASE_NO"));
    pdiSatir(t, 98, 10, QStringLiteral("Tarih :"), rowvals::tarihMetni(w.value(K("BEL_TARIH"))));
    pdiSatir(t, 0, 15, QStringLiteral("Plaka No :"), metin(w, "BEL_PLAKA"));
    pdiSatir(t, 98, 15, QStringLiteral("İŞLEM SAYISI    :"), metin(w, "BEL_SIRA_NO"));
    pdiSatir(t, 0, 20, QStringLiteral("Model :"), adlar.modelAdi);
    pdiSatir(t, 98, 20, QStringLiteral("Form No :"), metin(w, "BEL_ID"));
    pdiSatir(t, 0, 25, QStringLiteral("Hazırlayan :"), adlar.hazirlayan);
    pdiSatir(t, 98, 25, QStringLiteral("Onaylayan :"), adlar.onaylayan);

    Band& ch = r.columnHeader;
    ch.height = 7;
    ch.add(Bold(Label(0, 1, 12, 5, QStringLiteral("S.No"))));
    ch.add(Bold(Label(12, 1, 140, 5, QStringLiteral("AÇIKLAMA"))));
    ch.add(Bold(Label(155, 1, 17, 5, QStringLiteral("TAMAM"), Qt::AlignCenter)));
    ch.add(Bold(Label(173, 1, 17, 5, QStringLiteral("EKSİK"), Qt::AlignCenter)));
    ch.add(HLine(0, 6.5, 190));

    Band& d = r.detail;
    d.height = 6;
    auto baslikMi = [](const RenderContext& c) { return c.num(QStringLiteral("BASLIK")) == 1; };
    d.add(Expr(0, 0.5, 12, 5, [baslikMi](const RenderContext& c) {
        return baslikMi(c) ? QVariant() : c.value(QStringLiteral("NO"));
    }));
    // A heading row is printed in bold across the line, a check point plain
    // with its two boxes.
    d.add(Named(Bold(Expr(0, 0.5, 150, 5, [baslikMi](const RenderContext& c) {
                    return baslikMi(c) ? c.value(QStringLiteral("METIN")) : QVariant();
                })),
                QStringLiteral("Baslik")));
    d.add(Expr(12, 0.5, 140, 5, [baslikMi](const RenderContext& c) {
        return baslikMi(c) ? QVariant() : c.value(QStringLiteral("METIN"));
    }));
    auto kutuMetni = [baslikMi](int deger) {
        return [baslikMi, deger](const RenderContext& c) -> QVariant {
            if (baslikMi(c) || c.value(QStringLiteral("DEGER")).isNull())
                return {};
            return c.num(QStringLiteral("DEGER")) == deger ? QStringLiteral("X") : QString();
        };
    };
    d.add(Expr(155, 0.5, 17, 5, kutuMetni(1), {}, Qt::AlignCenter));
    d.add(Expr(173, 0.5, 17, 5, kutuMetni(0), {}, Qt::AlignCenter));
    d.add(HLine(0, 5.8, 190, 0.1));
    return r;
}

} // namespace tornaly::workshop
