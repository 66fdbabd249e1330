#include "stock/StockSchema.h"
#include "stock/ledger/DepoHrk.h"
#include "stock/ledger/StokMik.h"
#include "testsupport/TestSupport.h"

#include <atomic>
#include <random>
#include <thread>

using namespace tornaly;
using namespace tornaly::stock;

namespace {

class StockLedgerConcurrencyTest : public test::DbTest {
protected:
    void registerSchema() override { stock::RegisterSchema(); }
};

// Eight workstations post and re-post documents that move the same parts in
// the same warehouses at the same moment; afterwards every quantity row
// still equals its ledger sum.
TEST_F(StockLedgerConcurrencyTest, EightConnectionsKeepQuantitiesInStep)
{
    constexpr int kThreads = 8, kRounds = 12, kParts = 4;
    for (int i = 1; i <= kParts; ++i)
        db.exec(QStringLiteral("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, STOK_ADI_TR, PAY, KDV) VALUES (:N, :K, 'P', 'P', 18)"),
                {{QStringLiteral("N"), i}, {QStringLiteral("K"), QStringLiteral("C-%1").arg(i)}});
    const QStringList depolar = {QStringLiteral("1"), QStringLiteral("2")};
    const char kinds[] = {'A', 'S', 'O', 'F', 'T'};

    std::atomic<int> failures{0}, retries{0};
    std::vector<std::thread> threads;
    for (int w = 0; w < kThreads; ++w) {
        threads.emplace_back([&, w] {
            const QString name = QStringLiteral("ledger_worker_%1").arg(w);
            try {
                Db c = database->open(name);
                DepoHrkYazici writer(c);
                std::mt19937 rng(1234 + w);
                const QDateTime t(QDate(2026, 5, 1 + w), QTime(10, 0));
                for (int r = 0; r < kRounds; ++r) {
                    for (int d = 0; d < 3; ++d) {
                        const char k = kinds[(w + d) % 5];
                        const DepoHrkBelge belge = DepoHrkBelge::Belge(w * 100 + d + 1, QLatin1Char(k));
                        QList<DepoHrkSatiri> rows;
                        const int n = 1 + int(rng() % 8);
                        for (int s = 1; s <= n; ++s) {
                            const double part = 1 + rng() % kParts;
                            const double qty = double(rng() % 50) / 4.0;
                            if (k == 'O')
                                rows << DepoHrkTransfer(s, part, depolar[rng() % 2], depolar[rng() % 2], t, qty, 1.0);
                            else
                                rows << DepoHrkHareket(QLatin1Char(k), s, {}, part, depolar[rng() % 2], t, qty, 1.0);
                        }
                        const bool remove = rng() % 7 == 0;
                        for (int attempt = 0;; ++attempt) {
                            try {
                                Transaction tx(c);
                                if (remove)
                                    writer.sil(belge);
                                else
                                    writer.yaz(belge, rows);
                                tx.commit();
                                break;
                            } catch (const DbError& e) {
                                // A workstation that waited too long tries the document again.
                                if (!e.isBusy() || attempt > 20)
                                    throw;
                                ++retries;
                            }
                        }
                    }
                }
            } catch (const std::exception& e) {
                ++failures;
                ADD_FAILURE() << "worker " << w << ": " << e.what();
            }
            Db::close(name);
        });
    }
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(failures.load(), 0);

    const auto diffs = StokMikFarklari(db, 1e-9);
    EXPECT_TRUE(diffs.isEmpty()) << diffs.size() << " differences, e.g. part " << diffs.value(0).STOK_NO << " in "
                                 << diffs.value(0).DEPO_KOD.toStdString() << ": " << diffs.value(0).MIKTAR
                                 << " vs " << diffs.value(0).HAREKET;
    Query q(db, QStringLiteral("SELECT COUNT(*) FROM DEPOHRK"));
    q.exec();
    q.next();
    EXPECT_GT(q.value(0).toInt(), 0);
    RecordProperty("busy_retries", retries.load());
}

} // namespace
