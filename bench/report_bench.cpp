// Report layer costs: a 10,000-row list laid out and written as PDF, beside
// the floor of its lines drawn straight on PDF pages with QPainter; the
// counter "pages/s" gives report pages per second.
#include "BenchSupport.h"
#include "report/ListReport.h"
#include "report/ReportEngine.h"
#include "report/ReportExport.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tornaly::report;

namespace {

Report tenThousandRows()
{
    QVector<QVector<QVariant>> rows;
    rows.reserve(10000);
    for (int i = 0; i < 10000; ++i)
        rows.append({QStringLiteral("120.%1").arg(i % 400, 3, 10, QLatin1Char('0')),
                     QStringLiteral("Müşteri Çağlayan Öztürk %1").arg(i), QDate(2024, 1, 1).addDays(i % 365),
                     (i % 97) * 13.45, (i % 89) * 11.1});
    return ListReportBuilder(QStringLiteral("CARİ HAREKETLER LİSTESİ"))
        .company(QStringLiteral("Örnek Otomotiv A.Ş."))
        .source(RecordsSource({"CARI_KOD", "FIRMA_ADI", "TARIH", "BORC", "ALACAK"}, rows))
        .text(QStringLiteral("CARI_KOD"), QStringLiteral("Cari Kod"), 20)
        .text(QStringLiteral("FIRMA_ADI"), QStringLiteral("Firma Adı"), 60)
        .date(QStringLiteral("TARIH"), QStringLiteral("Hrk.Trh."))
        .money(QStringLiteral("BORC"), QStringLiteral("Borç"))
        .money(QStringLiteral("ALACAK"), QStringLiteral("Alacak"))
        .runningBalance(QStringLiteral("BAKIYE"), QStringLiteral("Bakiye"), 28,
                        [](const RenderContext& c) { return c.num("ALACAK") - c.num("BORC"); })
        .pageTotals()
        .summary()
        .build();
}

void BM_ListReportLayout(benchmark::State& state)
{
    const Report r = tenThousandRows();
    int pages = 0;
    for (auto _ : state) {
        Document d = Render(r);
        pages += d.pageCount();
        benchmark::DoNotOptimize(d);
    }
    state.counters["pages/s"] = benchmark::Counter(pages, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ListReportLayout)->Unit(benchmark::kMillisecond);

void BM_ListReportToPdf(benchmark::State& state)
{
    const Report r = tenThousandRows();
    QTemporaryDir dir;
    int pages = 0;
    for (auto _ : state) {
        const Document d = Render(r);
        ExportDocument(d, ReportFormat::Pdf, dir.filePath(QStringLiteral("liste.pdf")));
        pages += d.pageCount();
    }
    state.counters["pages/s"] = benchmark::Counter(pages, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ListReportToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

// The floor: the same printed rows as plain text lines drawn on PDF pages with
// QPainter, with no layout of any kind.
void BM_ListRawQPainterPdf(benchmark::State& state)
{
    const auto lines = PrintedLines(Render(tenThousandRows()));
    QTemporaryDir dir;
    int pages = 0;
    for (auto _ : state)
        pages += DrawLinesOnPdf(dir.filePath(QStringLiteral("raw.pdf")), lines);
    state.counters["pages/s"] = benchmark::Counter(pages, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ListRawQPainterPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
