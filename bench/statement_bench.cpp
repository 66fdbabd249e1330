// An account statement of 5,000 movements written as PDF by the report layer,
// against the floor: the same text lines drawn straight on PDF pages with
// QPainter. The counter "pages/s" gives statement pages per second; the
// ratio of the two rates is the layer's overhead.
#include "BenchSupport.h"
#include "accounts/statements/CariEkstre.h"
#include "report/ReportExport.h"

#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tornaly;

namespace {

accounts::EkstreVerisi fiveThousandRows()
{
    accounts::EkstreVerisi v;
    v.cariKod = QStringLiteral("120.001");
    v.cariAd = QStringLiteral("Çağlayan Öztürk İnşaat Taahhüt A.Ş.");
    v.dokumZamani = QDateTime(QDate(2026, 12, 11), QTime(9, 0));
    v.devir.borc = 12500;
    v.devir.alacak = 2500;
    for (int i = 0; i < 5000; ++i) {
        accounts::CariHrkSatiri s;
        s.CARI_NO = i + 1;
        s.TARIH = QDateTime(QDate(2026, 1, 1).addDays(i / 15), QTime(10, 0));
        s.VADE_TRH = s.TARIH.addDays(30);
        s.CRHRK_TUR = i % 3 == 0 ? QStringLiteral("N") : QStringLiteral("S");
        s.BORC = i % 3 == 0 ? 0 : (i % 97) * 131.45;
        s.ALACAK = i % 3 == 0 ? (i % 89) * 211.1 : 0;
        s.Aciklama2 = QStringLiteral("34ÇĞÜ%1 Plakalı, Periyodik bakım ve şanzıman yağı").arg(i % 1000);
        v.satirlar.append(s);
    }
    v.hesapToplami.borc = 1e6;
    v.hesapToplami.alacak = 5e5;
    return v;
}

const accounts::EkstreVerisi& data()
{
    static const accounts::EkstreVerisi v = fiveThousandRows();
    return v;
}

void BM_StatementToPdf(benchmark::State& state)
{
    QTemporaryDir dir;
    int pages = 0;
    for (auto _ : state) {
        const report::Document d = accounts::EkstreBelgesi(data(), {});
        report::ExportDocument(d, report::ReportFormat::Pdf, dir.filePath(QStringLiteral("ekstre.pdf")));
        pages += d.pageCount();
    }
    state.counters["pages/s"] = benchmark::Counter(pages, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_StatementToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

// The floor: each printed row of the statement as one text line, drawn page
// by page on a PDF with QPainter, with no layout of any kind.
void BM_RawQPainterPdf(benchmark::State& state)
{
    const auto lines = PrintedLines(accounts::EkstreBelgesi(data(), {}));
    QTemporaryDir dir;
    int pages = 0;
    for (auto _ : state)
        pages += DrawLinesOnPdf(dir.filePath(QStringLiteral("raw.pdf")), lines);
    state.counters["pages/s"] = benchmark::Counter(pages, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RawQPainterPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
