#pragma once
#include "db/Database.h"

#include <optional>

namespace tornaly::stock {

// Moving-average unit cost (STOK.MALIYET_FYT_TL) after posting a purchase line
// of quantity q and local value v, with Q the part's quantity over all
// warehouses before the line (nullopt when the part has no quantity rows).
// A purchase that brings the stock to exactly 0 leaves the cost unchanged.
double MaliyetAlisEkle(std::optional<double> Q, double maliyet, double q, double v);
// The cost after taking a posted purchase line back (change or delete);
// v = q x FIYAT x (discount % / 100 + 1). When the stock left would be 0 or
// less the average means nothing and the cost stays as it was.
double MaliyetAlisGeriAl(std::optional<double> Q, double maliyet, double q, double v);

// The two rules on a card, reading Q from STOKMIK: call them before the
// purchase's ledger rows are written (or after they are deleted).
void MaliyetAlisIsle(const Db& db, double stokNo, double q, double v);
void MaliyetAlisGeriIsle(const Db& db, double stokNo, double q, double v);

// Recomputes every card's cost from scratch: sum of value / (sum of quantity
// + 0.00000001) over its opening rows (kind D) and its purchase lines of the
// kinds F R A E; cards without such rows keep their cost; only cards whose
// cost differs or is empty are written. One transaction. Returns the number
// of cards written.
int MaliyetYenidenHesapla(const Db& db);
// The same average for one part ("Alışların Ortalaması" of a stock slip);
// nullopt when the part has no such rows.
std::optional<double> AlislarinOrtalamasi(const Db& db, double stokNo);

} // namespace tornaly::stock
