#pragma once
#include "context/SessionContext.h"
#include "db/Database.h"

#include <QDateTime>
#include <functional>

namespace tornaly {

// The company database server's date and time, and its date alone.
QDateTime SunucuTarihSaat(const Db& db);
QDate SunucuTarih(const Db& db);

// The next warranty-claim number of the working year and the dealer's claim
// code: (CalismaYiliNo - 2000) * 100,000,000 + ClaimKodNo * 10,000 + 1 for the
// first claim, else one above the highest. It reads without a lock, so a
// claim is stored through StoreWithNewClaimNo, never with this number alone.
double NewClaimNo(const SessionContext& ctx, const Db& db);

// Stores a new claim: `store` writes the claim under the number it is given.
// When another workstation stored that number first (the unique key of
// CLAIMM.CL_CLAIMNO refuses it) the write is undone and a fresh number is
// drawn, so two workstations never share a claim number. Runs in a savepoint
// of the caller's transaction when one is open. Returns the number stored.
double StoreWithNewClaimNo(const SessionContext& ctx, const Db& db, const std::function<void(double)>& store);

// The central server is not reached by this program: always false.
bool MerkezBaglan(const SessionContext& ctx);
// True when the central connection is open; otherwise asks whether to connect.
bool MerkezBaglantiSor(const SessionContext& ctx, const Db& central);

// Offers the note of an account when it has one; on Yes shows it and opens
// the account's movements through `hareketGoster` (when given).
void CariMesajKontrol(const Db& db, const QString& CARI_KOD, const QString& name,
                      const std::function<void(const QString&)>& hareketGoster = {});

} // namespace tornaly
