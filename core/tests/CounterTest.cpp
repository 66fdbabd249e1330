#include "counters/Counters.h"
#include "testsupport/TestSupport.h"

#include <QMutex>
#include <QSet>
#include <QThread>
#include <atomic>
#include <thread>

using namespace tornaly;
using namespace tornaly::test;

class CounterTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        db.exec(QStringLiteral("CREATE TABLE NEWTEST (YENINO DOUBLE PRECISION)"));
        db.exec(QStringLiteral("INSERT INTO NEWTEST (YENINO) VALUES (1)"));
    }
    qint64 next() { return PeekCounterNumber(db, QStringLiteral("NEWTEST")); }
};

TEST_F(CounterTest, ConsecutiveTakesGiveConsecutiveNumbers)
{
    EXPECT_EQ(TakeCounterNumber(db, QStringLiteral("NEWTEST")), 1);
    EXPECT_EQ(TakeCounterNumber(db, QStringLiteral("NEWTEST")), 2);
    EXPECT_EQ(next(), 3);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(CounterTest, ZeroMeansOneWhenAsked)
{
    db.exec(QStringLiteral("UPDATE NEWTEST SET YENINO = 0"));
    EXPECT_EQ(TakeCounterNumber(db, QStringLiteral("NEWTEST"), CounterOptions{true}), 1);
    EXPECT_EQ(next(), 2);
}

TEST_F(CounterTest, RefusesNamesThatAreNotCounters)
{
    EXPECT_THROW(TakeCounterNumber(db, QStringLiteral("CARI")), DbError);
    EXPECT_THROW(TakeCounterNumber(db, QStringLiteral("NEWTEST; DELETE FROM X")), DbError);
}

TEST_F(CounterTest, TakenInsideARolledBackDocumentReturnsTheNumber)
{
    {
        Transaction doc(db);
        EXPECT_EQ(TakeCounterNumber(db, QStringLiteral("NEWTEST")), 1);
    }
    EXPECT_EQ(next(), 1);
}

namespace {
// Holds the counter row from a second connection until the first message.
class ReleasingMessages : public ScriptedMessages {
public:
    std::function<void()> onFirst;
    MsgButton show(MsgIcon icon, const QString& text, MsgButtons buttons, MsgButton def, const QString& cap) override
    {
        const MsgButton b = ScriptedMessages::show(icon, text, buttons, def, cap);
        if (onFirst) {
            onFirst();
            onFirst = nullptr;
        }
        return b;
    }
};

void lockRow(const Db& holder)
{
    // SQLite locks the whole database for writing; PostgreSQL the row.
    if (holder.backend() == Backend::PostgreSQL)
        holder.exec(QStringLiteral("SELECT YENINO FROM NEWTEST") + holder.dialect().rowLockSuffix());
    else
        holder.exec(QStringLiteral("UPDATE NEWTEST SET YENINO = YENINO"));
}
} // namespace

TEST_F(CounterTest, HeldRowShowsTheMessageAndOkRetries)
{
    ReleasingMessages m;
    SetMessageService(&m);
    ConnectionProfile p = database->profile();
    p.lockTimeoutMs = 200;
    Db holder = Db::open(p, QStringLiteral("holder"));
    Db taker = Db::open(p, QStringLiteral("taker"));
    auto tx = std::make_unique<Transaction>(holder);
    lockRow(holder);
    m.onFirst = [&] { tx->commit(); };
    EXPECT_EQ(TakeCounterNumber(taker, QStringLiteral("NEWTEST")), 1);
    EXPECT_EQ(m.texts(), QStringList{CounterBusyText()});
    EXPECT_EQ(m.entries().first().icon, MsgIcon::Error);
    EXPECT_EQ(m.entries().first().buttons, MsgOk);
    tx.reset();
    taker = Db();
    holder = Db();
    Db::close(QStringLiteral("holder"));
    Db::close(QStringLiteral("taker"));
    SetMessageService(&messages);
}

TEST_F(CounterTest, ClosingTheMessageGivesUpWithoutTakingANumber)
{
    ConnectionProfile p = database->profile();
    p.lockTimeoutMs = 200;
    {
        Db holder = Db::open(p, QStringLiteral("holder"));
        Db taker = Db::open(p, QStringLiteral("taker"));
        Transaction tx(holder);
        lockRow(holder);
        messages.answer(MsgNone);
        try {
            TakeCounterNumber(taker, QStringLiteral("NEWTEST"));
            FAIL() << "took a number from a held row";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.isBusy());
        }
        EXPECT_EQ(messages.texts(), QStringList{CounterBusyText()});
        tx.rollback();
    }
    Db::close(QStringLiteral("holder"));
    Db::close(QStringLiteral("taker"));
    EXPECT_EQ(next(), 1);
}

TEST_F(CounterTest, ConcurrentConnectionsNeverShareOrLoseANumber)
{
    constexpr int kThreads = 8;
    constexpr int kTakes = 40;
    QMutex mutex;
    QList<qint64> numbers;
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    const ConnectionProfile profile = database->profile();
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            const QString name = QStringLiteral("worker_%1").arg(t);
            try {
                Db own = Db::open(profile, name);
                for (int i = 0; i < kTakes; ++i) {
                    const qint64 n = TakeCounterNumber(own, QStringLiteral("NEWTEST"));
                    QMutexLocker l(&mutex);
                    numbers << n;
                }
            } catch (const std::exception& e) {
                ++failures;
                ADD_FAILURE() << e.what();
            }
            Db::close(name);
        });
    }
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(failures.load(), 0);
    ASSERT_EQ(numbers.size(), kThreads * kTakes);
    std::sort(numbers.begin(), numbers.end());
    for (int i = 0; i < numbers.size(); ++i)
        ASSERT_EQ(numbers[i], i + 1) << "number given twice or lost";
    EXPECT_EQ(next(), kThreads * kTakes + 1);
}

TEST_F(CounterTest, HeldRowInsideAnOpenTransactionFailsAtOnceAndTheWholeOperationIsRetriedAfterAsking)
{
    ReleasingMessages m;
    SetMessageService(&m);
    ConnectionProfile p = database->profile();
    p.lockTimeoutMs = 200;
    Db holder = Db::open(p, QStringLiteral("holder"));
    Db taker = Db::open(p, QStringLiteral("taker"));
    taker.exec(QStringLiteral("CREATE TABLE BELGE (NO INTEGER)"));
    auto held = std::make_unique<Transaction>(holder);
    lockRow(holder);
    m.onFirst = [&] { held->commit(); };

    int runs = 0;
    // A document that takes its number inside its own transaction.
    RetryAfterAsking(taker, [&] {
        ++runs;
        Transaction tx(taker);
        taker.exec(QStringLiteral("INSERT INTO BELGE (NO) VALUES (0)"));
        const qint64 no = TakeCounterNumber(taker, QStringLiteral("NEWTEST"));
        EXPECT_TRUE(m.texts().isEmpty() || runs > 1) << "a box was shown inside the transaction";
        taker.exec(QStringLiteral("UPDATE BELGE SET NO = :N"), {{QStringLiteral("N"), no}});
        tx.commit();
    });
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(m.texts(), QStringList{CounterBusyText()});
    Query q(taker, QStringLiteral("SELECT COUNT(*), MAX(NO) FROM BELGE"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 1) << "the first run's row was rolled back";
    EXPECT_EQ(q.value(1).toInt(), 1);
    q.finish();

    // Not OK: the error reaches the caller and nothing is kept.
    held = std::make_unique<Transaction>(holder);
    lockRow(holder);
    m.answer(MsgNone);
    EXPECT_THROW(RetryAfterAsking(taker, [&] {
                     Transaction tx(taker);
                     TakeCounterNumber(taker, QStringLiteral("NEWTEST"));
                     tx.commit();
                 }),
                 DbError);
    held.reset();
    taker = Db();
    holder = Db();
    Db::close(QStringLiteral("holder"));
    Db::close(QStringLiteral("taker"));
    SetMessageService(&messages);
    EXPECT_EQ(next(), 2);
}
