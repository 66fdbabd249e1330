#pragma once
#include "context/SessionContext.h"
#include "db/Database.h"

#include <functional>

namespace tornaly::aftersales {

// The next warranty-claim number of the working year and the dealer's claim
// code. The year and code give a base, (CalismaYiliNo - 2000) * 100,000,000 +
// ClaimKodNo * 10,000, and each dealer numbers within the 10,000 numbers
// above it: base + 1 for the first claim, else one above the highest claim in
// that range. Claims of other years and codes never move the number. It reads
// without a lock, so a claim is stored through StoreWithNewClaimNo, never
// with this number alone.
double NewClaimNo(const SessionContext& ctx, const Db& db);

// Stores a new claim: `store` writes the claim under the number it is given.
// When another workstation stored that number first (the unique key of
// CLAIMM.CL_CLAIMNO refuses it) the write is undone and a fresh number is
// drawn, so two workstations never share a claim number. Runs in a savepoint
// of the caller's transaction when one is open. Returns the number stored.
double StoreWithNewClaimNo(const SessionContext& ctx, const Db& db, const std::function<void(double)>& store);

} // namespace tornaly::aftersales
