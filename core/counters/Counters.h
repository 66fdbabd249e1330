#pragma once
#include "db/Database.h"

#include <functional>

namespace tornaly {

// The text shown while another workstation holds a counter row.
QString CounterBusyText();

struct CounterOptions {
    // Some forms treat a counter that still holds 0 as 1 before the first take.
    bool zeroMeansOne = false;
};

// Takes the next number from a one-row counter table (`NEWCARI`, `NEWBHRK`, ...):
// reads YENINO under a row lock, writes YENINO + 1 and commits at once, before
// the document is saved, so numbers rise strictly and may have gaps.
// While another connection holds the row the user is told so and may retry
// with OK; any other answer throws the DbError to the caller, which then
// writes no document. Inside an open transaction the take becomes part of it,
// and a held row throws at once (no box while the transaction holds its
// locks): run the whole operation through RetryAfterAsking.
qint64 TakeCounterNumber(const Db& db, const QString& counterTable, const CounterOptions& options = {});

// Runs an operation that opens and commits its own transaction. When it fails
// because another workstation holds a row it needs (a counter, a ledger), its
// transaction has been rolled back by then: the user is told so and OK runs
// the whole operation again; any other answer throws the DbError on.
void RetryAfterAsking(const Db& db, const std::function<void()>& operation);

// Reads the next number without taking it (for display only).
qint64 PeekCounterNumber(const Db& db, const QString& counterTable);

} // namespace tornaly
