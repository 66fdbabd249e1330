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
