#include "aftersales/claims/ClaimNo.h"

#include <stdexcept>

namespace tornaly::aftersales {

namespace {
constexpr double kAralik = 10000.0;
} // namespace

double NewClaimNo(const SessionContext& ctx, const Db& db)
{
    const double base = double(ctx.CalismaYiliNo - 2000) * 100000000.0 + ctx.ClaimKodNo * kAralik;
    Query q(db, QStringLiteral("SELECT MAX(CL_CLAIMNO) AS M FROM CLAIMM WHERE CL_CLAIMNO >= :ALT AND CL_CLAIMNO < :UST"));
    q.bind(QStringLiteral("ALT"), base).bind(QStringLiteral("UST"), base + kAralik).exec();
    const double next = q.next() && !q.value(QStringLiteral("M")).isNull() ? q.num(QStringLiteral("M")) + 1 : base + 1;
    if (next >= base + kAralik)
        // The next number would fall into another dealer code's range.
        throw std::range_error("the claim numbers of this year and dealer code are used up");
    return next;
}

double StoreWithNewClaimNo(const SessionContext& ctx, const Db& db, const std::function<void(double)>& store)
{
    constexpr int kAttempts = 50;
    for (int attempt = 1;; ++attempt) {
        // A savepoint, so that a refused number leaves the caller's work intact
        // (PostgreSQL aborts the whole transaction on a failed statement).
        Transaction tx(db);
        const double no = NewClaimNo(ctx, db);
        try {
            store(no);
            tx.commit();
            return no;
        } catch (const DbError& e) {
            if (!e.isUniqueViolation() || attempt == kAttempts)
                throw;
        }
    }
}

} // namespace tornaly::aftersales
