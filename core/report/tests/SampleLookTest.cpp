// Two sample prints, a list and a document on pre-printed paper, written
// as PDF and read back. With TORNALY_REPORT_SAMPLES set they are kept in
// that folder, to be looked at.
#include "context/SessionContext.h"
#include "money/Money.h"
#include "report/ListReport.h"
#include "report/ReportExport.h"
#include "words/AmountWords.h"

#include <QDir>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tornaly;
using namespace tornaly::report;

namespace {

QString outDir(const QTemporaryDir& tmp)
{
    const QString d = qEnvironmentVariable("TORNALY_REPORT_SAMPLES");
    if (d.isEmpty())
        return tmp.path();
    QDir().mkpath(d);
    return d;
}

QString pdfText(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

Report sampleList()
{
    const QStringList firms{QStringLiteral("Çağlayan Otomotiv Ltd. Şti."), QStringLiteral("Işıklar Oto Yedek Parça"),
                            QStringLiteral("Güneşli Taşımacılık A.Ş.")};
    QVector<QVector<QVariant>> rows;
    for (int a = 0; a < 3; ++a)
        for (int i = 0; i < 9 + a * 4; ++i) {
            const bool debit = i % 3 != 1;
            const double amount = a == 1 && i == 2 ? 1234567.89 : 150.0 * (i + 1) + a * 37.45;
            rows.append({QStringLiteral("120.0%1").arg(a + 1), firms[a], QDate(2024, 1, 3).addDays(i * 4 + a),
                         QStringLiteral("%1 No: %2").arg(debit ? QStringLiteral("Satış Faturası") : QStringLiteral("Tahsilat Makbuzu")).arg(1000 + i),
                         debit ? amount : 0.0, debit ? 0.0 : amount, a == 0 ? 500.0 : -250.0});
        }
    return ListReportBuilder(QStringLiteral("CARİ HAREKET LİSTESİ"))
        .company(QStringLiteral("Örnek Otomotiv Servis ve Ticaret A.Ş."))
        .subtitle(QStringLiteral("Hareket Tarih Aralığı: 01.01.2024-31.03.2024"))
        .source(RecordsSource({"CARI_KOD", "FIRMA_ADI", "TARIH", "ACIKLAMA", "BORC", "ALACAK", "ACILIS"}, rows))
        .date(QStringLiteral("TARIH"), QStringLiteral("Hrk.Trh."), 18)
        .text(QStringLiteral("ACIKLAMA"), QStringLiteral("Açıklama"), 58)
        .money(QStringLiteral("BORC"), QStringLiteral("Borç"), 26)
        .money(QStringLiteral("ALACAK"), QStringLiteral("Alacak"), 26)
        .runningBalance(
            QStringLiteral("BAKIYE"), QStringLiteral("Bakiye"), 31,
            [](const RenderContext& c) { return c.num("ALACAK") - c.num("BORC"); },
            [](const RenderContext& c) { return c.num("ACILIS"); }, QStringLiteral("Grup1"),
            [](const QVariant& v) { return BalanceText(v.toDouble()); })
        .groupBy(QStringLiteral("CARI_KOD"),
                 [](const RenderContext& c) { return c.str("CARI_KOD") + QStringLiteral("  ") + c.str("FIRMA_ADI"); },
                 [](const RenderContext& c) { return c.str("CARI_KOD") + QStringLiteral(" TOPLAMLARI"); })
        .pageTotals()
        .summary(QStringLiteral("Genel Toplam"))
        .build();
}

Report sampleInvoice()
{
    SessionContext ctx;
    Report r;
    r.title = QStringLiteral("Fatura 2024-000123");
    r.font = ReportFont{QStringLiteral("DejaVu Sans"), 9};
    r.page.marginsMm = QMarginsF(8, 8, 8, 8);
    const double net = 12345.67;
    const double kdv = RoundHalfUp2(net * 0.20);
    const double toplam = net + kdv;
    QVector<QVector<QVariant>> lines{
        {1, QStringLiteral("04152-YZZA6"), QStringLiteral("Yağ Filtresi"), 2.0, QStringLiteral("ADET"), 485.50},
        {2, QStringLiteral("08880-83321"), QStringLiteral("Motor Yağı 5W-30 (Şişe)"), 5.0, QStringLiteral("LT"), 612.00},
        {3, QStringLiteral("İŞÇ-101"), QStringLiteral("Periyodik Bakım İşçiliği"), 1.5, QStringLiteral("SAAT"), 2400.00},
        {4, QStringLiteral("90915-YZZE1"), QStringLiteral("Hava Filtresi Çağ Tipi"), 1.0, QStringLiteral("ADET"), 974.67},
        {5, QStringLiteral("İŞÇ-204"), QStringLiteral("Fren Balatası Değişimi (Ön Aks)"), 1.0, QStringLiteral("SAAT"), 3100.00}};
    r.source = RecordsSource({"SIRA", "PI_KOD", "PI_AD", "MIKTAR", "OLCU", "FIYAT"}, lines);

    // Header block at the places of the pre-printed form.
    Band& h = r.pageHeader;
    h.height = 89;
    h.add(Sized(Bold(Label(0, 0, 120, 8, QStringLiteral("Örnek Otomotiv Servis ve Ticaret A.Ş."))), 13));
    h.add(Label(0, 8, 120, 5, QStringLiteral("Atatürk Bulvarı No: 12  Çankaya / ANKARA")));
    h.add(Label(0, 13, 120, 5, QStringLiteral("Vergi Dairesi: Kavaklıdere  V.No: 1234567890")));
    h.add(Sized(Bold(Label(130, 0, 64, 8, QStringLiteral("SERVİS FATURASI"), Qt::AlignRight | Qt::AlignVCenter)), 13));
    h.add(Box(0, 24, 110, 34));
    h.add(Bold(Label(3, 26, 100, 5, QStringLiteral("SAYIN"))));
    h.add(Label(3, 32, 104, 5, QStringLiteral("Şükrü Öğüt İnşaat Gıda San. Tic. Ltd. Şti.")));
    h.add(Label(3, 37, 104, 5, QStringLiteral("Gazi Mustafa Kemal Bulvarı No: 144/6")));
    h.add(Label(3, 42, 104, 5, QStringLiteral("06570 Maltepe / ÇANKAYA / ANKARA")));
    h.add(Label(3, 50, 104, 5, QStringLiteral("V.D.: Maltepe   V.No: 9876543210   Cari Kod: 120.01.045")));
    h.add(Box(118, 24, 76, 34));
    const QStringList caps{QStringLiteral("Fatura No"), QStringLiteral("Fatura Tarihi"), QStringLiteral("İş Emri No"),
                           QStringLiteral("Plaka"), QStringLiteral("Şase No"), QStringLiteral("Km")};
    const QStringList vals{QStringLiteral("2024-000123"), QStringLiteral("15.03.2024  14:35"), QStringLiteral("IE-24-00871"),
                           QStringLiteral("06 ABC 123"), QStringLiteral("NMTBZ3JE40R123456"), QStringLiteral("45.210")};
    for (int i = 0; i < caps.size(); ++i) {
        h.add(Label(121, 26 + i * 5.2, 26, 5, caps[i] + QStringLiteral(" :")));
        h.add(Bold(Label(148, 26 + i * 5.2, 44, 5, vals[i])));
    }
    h.add(BarcodeEl(144, 60, 50, 15, QStringLiteral("2024000123"), false));
    // Column titles of the line area.
    const double cols[] = {0, 10, 42, 112, 128, 144, 168};
    const QStringList titles{QStringLiteral("Sıra"), QStringLiteral("Kod"), QStringLiteral("Açıklama"),
                             QStringLiteral("Miktar"), QStringLiteral("Birim"), QStringLiteral("Birim Fiyat"),
                             QStringLiteral("Tutar")};
    h.add(Box(0, 80, 194, 8));
    for (int i = 0; i < titles.size(); ++i) {
        const double w = (i + 1 < titles.size() ? cols[i + 1] : 194) - cols[i] - 2;
        const bool num = i == 0 || i == 3 || i >= 5;
        h.add(Bold(Label(cols[i] + 1, 81.5, w, 5, titles[i], (num ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter)));
    }

    Band& d = r.detail;
    d.height = 6;
    d.add(Field(1, 0.5, 7, 5, QStringLiteral("SIRA"), {}, Qt::AlignRight | Qt::AlignVCenter));
    d.add(Field(11, 0.5, 30, 5, QStringLiteral("PI_KOD")));
    d.add(Field(43, 0.5, 68, 5, QStringLiteral("PI_AD")));
    d.add(Field(113, 0.5, 14, 5, QStringLiteral("MIKTAR"), QStringLiteral(",0.00"), Qt::AlignRight | Qt::AlignVCenter));
    d.add(Field(129, 0.5, 14, 5, QStringLiteral("OLCU")));
    d.add(Field(145, 0.5, 22, 5, QStringLiteral("FIYAT"), QStringLiteral(",0.00"), Qt::AlignRight | Qt::AlignVCenter));
    d.add(Expr(169, 0.5, 24, 5, [](const RenderContext& c) { return c.num("MIKTAR") * c.num("FIYAT"); },
               QStringLiteral(",0.00"), Qt::AlignRight | Qt::AlignVCenter));
    d.add(HLine(0, 6, 194, 0.1));

    Band& s = r.summary;
    s.height = 64;
    s.add(Box(118, 4, 76, 30));
    const QStringList tc{QStringLiteral("Brüt Tutar :"), QStringLiteral("Iskonto Tut:"), QStringLiteral("Net Tutar  :"),
                         QStringLiteral("KDV Tutar  :"), QStringLiteral("G.Toplam   :")};
    const QList<double> tv{net, 0.0, net, kdv, toplam};
    for (int i = 0; i < tc.size(); ++i) {
        s.add(Label(121, 6 + i * 5.5, 30, 5, tc[i]));
        Element v = Label(150, 6 + i * 5.5, 41, 5, FormatMoney(tv[i], QStringLiteral(",0.00")) + QStringLiteral(" TL"),
                          Qt::AlignRight | Qt::AlignVCenter);
        v.font.bold = i == 4;
        s.add(v);
    }
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    s.add(Bold(Label(0, 4, 12, 5, QStringLiteral("KDV"))));
    s.add(Bold(Label(12, 4, 30, 5, QStringLiteral("Matrah"), right)));
    s.add(Bold(Label(42, 4, 30, 5, QStringLiteral("KDV Tutar"), right)));
    s.add(HLine(0, 9.3, 72, 0.2));
    s.add(Label(0, 9.8, 12, 5, QStringLiteral("%20")));
    s.add(Label(12, 9.8, 30, 5, FormatMoney(net, QStringLiteral(",0.00")), right));
    s.add(Label(42, 9.8, 30, 5, FormatMoney(kdv, QStringLiteral(",0.00")), right));
    s.add(Memo(0, 40, 194, 10, QStringLiteral("YALNIZ ") + AmountToWordsAzn(ctx, QStringLiteral("TL"), toplam), true));
    s.add(Label(0, 54, 90, 5, QStringLiteral("Önc.Bakiye :(B)  2.500,00")));
    s.add(Label(100, 54, 94, 5, QStringLiteral("Son.Bakiye :(B)  ") + FormatMoney(2500 + toplam, QStringLiteral(",0.00")),
                Qt::AlignRight | Qt::AlignVCenter));
    Band& f = r.pageFooter;
    f.height = 6;
    f.add(HLine(0, 0, 194, 0.2));
    f.add(PageNo(120, 1, 74, 5, QStringLiteral("Sayfa {PAGE} / {PAGES}")));
    f.add(PrintDateEl(0, 1, 80, 5, QStringLiteral("Döküm Tarihi : {DATE} {TIME}"), Qt::AlignLeft | Qt::AlignVCenter));
    return r;
}

} // namespace

TEST(SamplePrints, ListAndPrePrintedDocumentAsPdf)
{
    QTemporaryDir tmp;
    const QString dir = outDir(tmp);
    const QString list = dir + QStringLiteral("/sample-list.pdf");
    ExportDocument(Render(sampleList()), ReportFormat::Pdf, list);
    const QString lt = pdfText(list);
    EXPECT_TRUE(lt.contains(QStringLiteral("CARİ HAREKET LİSTESİ")));
    EXPECT_TRUE(lt.contains(QStringLiteral("1.234.567,89")));
    EXPECT_TRUE(lt.contains(QStringLiteral("120.02 TOPLAMLARI")));
    EXPECT_TRUE(lt.contains(QStringLiteral("Sayfa Toplamı")));

    const QString inv = dir + QStringLiteral("/sample-invoice.pdf");
    ExportDocument(Render(sampleInvoice()), ReportFormat::Pdf, inv);
    const QString it = pdfText(inv);
    EXPECT_TRUE(it.contains(QStringLiteral("Şükrü Öğüt İnşaat")));
    EXPECT_TRUE(it.contains(QStringLiteral("YALNIZ OnDörtBinSekizYüzOnDört TL Seksen KR")));
    EXPECT_TRUE(it.contains(QStringLiteral("14.814,80 TL")));
}
