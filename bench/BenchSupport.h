#pragma once
#include "db/Database.h"

#include <functional>

// Work the benchmark programs do before the application object goes: the
// connections and databases they made are closed and dropped while Qt's SQL
// layer still runs (a static object ends after it, too late).
void AtBenchEnd(std::function<void()> cleanup);
void RunBenchEnd();

// A fresh company database on the backend the run chose
// (TORNALY_TEST_BACKEND=sqlite|postgres), dropped at the end of the run.
tornaly::ConnectionProfile BenchProfile(const QString& folder, const QString& tag);

namespace benchmark::internal {
class Benchmark;
}

// Ledger sizes the growth benchmarks run at: 10,000 and 1,000,000 rows, or
// the sizes in TORNALY_BENCH_LEDGER_ROWS (comma separated, e.g. "1000,20000"
// for a quick run).
QList<int> LedgerRows();
// Gives a benchmark one run per ledger size (its range(0)).
void LedgerGrowth(benchmark::internal::Benchmark* b);
// Fills a company database's ledgers with `rows` rows each, in one statement
// per table, as years of postings would: current-account rows over 5,000
// accounts (CARIHRK), stock rows over 5,000 parts (DEPOHRK) and voucher lines
// over 500 accounts (FIS, FISAYR) where the tables exist. Every row lies
// before the documents the benchmarks save.
void FillLedgers(const tornaly::Db& db, int rows);

namespace tornaly::report {
struct Document;
}
// A document's printed rows as one text line each, with their page.
QList<QPair<int, QString>> PrintedLines(const tornaly::report::Document& d);
// Draws the lines page by page on a landscape A4 PDF with QPainter and no
// layout of any kind (the floor of a printed list); the pages drawn.
int DrawLinesOnPdf(const QString& file, const QList<QPair<int, QString>>& lines);
