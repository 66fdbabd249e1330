#include "BenchSupport.h"
#include "report/ReportExport.h"

#include <QPainter>
#include <QPdfWriter>

#include <QApplication>
#include <QTemporaryDir>
#include <QUuid>
#include <QDateTime>
#include <benchmark/benchmark.h>
#include <vector>

namespace {
std::vector<std::function<void()>>& cleanups()
{
    static std::vector<std::function<void()>> c;
    return c;
}
} // namespace

void AtBenchEnd(std::function<void()> cleanup)
{
    cleanups().push_back(std::move(cleanup));
}

void RunBenchEnd()
{
    auto& c = cleanups();
    while (!c.empty()) {
        auto f = std::move(c.back());
        c.pop_back();
        try {
            f();
        } catch (...) {
        }
    }
}

tornaly::ConnectionProfile BenchProfile(const QString& folder, const QString& tag)
{
    using tornaly::ConnectionProfile;
    if (qEnvironmentVariable("TORNALY_TEST_BACKEND") == QLatin1String("postgres")) {
        const QString name = QStringLiteral("bench_") + tag.toLower()
            + QUuid::createUuid().toString(QUuid::Id128).left(10);
        return ConnectionProfile::postgres(qEnvironmentVariable("TORNALY_TEST_PGHOST"),
                                           qEnvironmentVariableIntValue("TORNALY_TEST_PGPORT"), name,
                                           qEnvironmentVariable("TORNALY_TEST_PGUSER"));
    }
    return ConnectionProfile::sqlite(folder + QStringLiteral("/") + tag + QStringLiteral(".sqlite"));
}

QList<int> LedgerRows()
{
    QList<int> rows;
    for (const QString& t : qEnvironmentVariable("TORNALY_BENCH_LEDGER_ROWS").split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (t.trimmed().toInt() > 0)
            rows << t.trimmed().toInt();
    return rows.isEmpty() ? QList<int>{10000, 1000000} : rows;
}

void LedgerGrowth(benchmark::internal::Benchmark* b)
{
    for (int rows : LedgerRows())
        b->Arg(rows);
}

void FillLedgers(const tornaly::Db& db, int rows)
{
    using namespace tornaly;
    const auto fill = [&](const char* table, const char* columns, const char* values) {
        if (!db.dialect().tableExists(db, QString::fromLatin1(table)))
            return;
        Query q(db, QStringLiteral("INSERT INTO %1 (%2) WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N "
                                   "WHERE I < :ROWS) SELECT %3 FROM N")
                        .arg(QLatin1String(table), QLatin1String(columns), QLatin1String(values)));
        q.bind(QStringLiteral("ROWS"), rows).bind(QStringLiteral("TARIH"), QDateTime(QDate(2025, 5, 1), QTime(10, 0)));
        q.exec();
    };
    Transaction tx(db);
    fill("CARIHRK",
         "CARI_NO, SIRANO, CARI_KOD, TARIH, CRHRK_TUR, REF_NO, BORC, ALACAK, DOVIZ_KODU, PARA_BAZ, TL_KURDEGER, "
         "ACIKLAMA, AY, YIL",
         "90000000 + I, 1, 'G' || CAST(I % 5000 AS VARCHAR(10)), :TARIH, 'N', 90000000 + I, "
         "CASE WHEN I % 3 = 0 THEN 0 ELSE 100.25 + I % 97 END, CASE WHEN I % 3 = 0 THEN 80.5 ELSE 0 END, 'TL', 'T', "
         "1, 'Eski hareket', 5, 2025");
    fill("DEPOHRK", "SATISNO, TIP, SIRANO, CARIKOD, STOK_NO, DEPO_KODU, TARIH, AY, YIL, GIRMIK, CIKMIK, FIYAT",
         "90000000 + I / 20, 'A', I % 20, 'G1', 90000000 + I % 5000, '1', :TARIH, 5, 2025, 1, 0, 10");
    fill("FIS", "FISNO, TARIH, TUR, BORC, ALACAK, AY, YEVMIYE_NO, FISNUMARA",
         "90000000 + I, :TARIH, 'M', 0, 0, 5, 90000000 + I, 'G' || CAST(I AS VARCHAR(12))");
    fill("FISAYR",
         "FISNO, FA_ID, SIRANO, HSPKODU, ACIKLAMA, BORC, ALACAK, DOVIZ_KOD, TARIH, AY, HSINIF, HGRUBU, KEBIR, MUAVIN, "
         "YEVMIYE_NO, FISNUMARA, TUR",
         "90000000 + I, 90000000 + I, 1, '770.' || CAST(I % 500 AS VARCHAR(10)), 'Eski fiş', "
         "CASE WHEN I % 2 = 0 THEN 10 ELSE 0 END, CASE WHEN I % 2 = 0 THEN 0 ELSE 10 END, 'TL', :TARIH, 5, 7, 77, 770, "
         "CAST(I % 500 AS VARCHAR(10)), 90000000 + I, 'G' || CAST(I AS VARCHAR(12)), 'M'");
    tx.commit();
    db.exec(QStringLiteral("ANALYZE"));
}

QList<QPair<int, QString>> PrintedLines(const tornaly::report::Document& d)
{
    QList<QPair<int, QString>> lines;
    for (const tornaly::report::TextRow& row : tornaly::report::TextRows(d)) {
        QStringList parts;
        for (const tornaly::report::LayoutItem* it : row.items)
            parts.append(it->text);
        lines.append({row.page, parts.join(QLatin1Char(' '))});
    }
    return lines;
}

int DrawLinesOnPdf(const QString& file, const QList<QPair<int, QString>>& lines)
{
    QPdfWriter pdf(file);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Landscape);
    QPainter p(&pdf);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(7);
    p.setFont(f);
    const double lineHeight = pdf.resolution() * 4.5 / 25.4;
    int page = 0, pages = 1;
    double y = lineHeight;
    for (const auto& [onPage, text] : lines) {
        if (onPage != page) {
            pdf.newPage();
            page = onPage;
            y = lineHeight;
            ++pages;
        }
        p.drawText(QPointF(lineHeight, y), text);
        y += lineHeight;
    }
    p.end();
    return pages;
}

// Benchmarks run with the offscreen platform and a private settings folder.
// The backend is chosen like the tests': TORNALY_TEST_BACKEND=sqlite|postgres.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir configDir;
    qputenv("TORNALY_CONFIG_DIR", configDir.path().toUtf8());
    QApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    RunBenchEnd();
    return 0;
}
