#include "WorkOrderFixture.h"

#include <QMutex>
#include <atomic>
#include <thread>

using namespace tornaly;
using namespace tornaly::test;
using namespace tornaly::workshop;

class NumberingTest : public WorkOrderTest {
protected:
    void setCounter(const QString& harf, double seri, double emir, const QVariant& tarih)
    {
        db.exec(QStringLiteral("UPDATE PARAMSER SET EMIR_HARF = :H, SERI_NO = :S, EMIR_NO = :E, TARIH = :T"),
                {{QStringLiteral("H"), harf}, {QStringLiteral("S"), seri}, {QStringLiteral("E"), emir},
                 {QStringLiteral("T"), tarih}});
    }
};

TEST(NumberFormat, SixDigitsAfterTheLetterAndFourForTheDay)
{
    EXPECT_EQ(IsEmriNoBicim(QStringLiteral("S"), 1234), QStringLiteral("S001234"));
    EXPECT_EQ(IsEmriNoBicim(QStringLiteral("T"), 5), QStringLiteral("T000005"));
    EXPECT_EQ(IsEmriNoBicim(QStringLiteral("S"), 999999), QStringLiteral("S999999"));
    EXPECT_EQ(IsEnoBicim(17), QStringLiteral("0017"));
    EXPECT_EQ(IsEmriNoFromSearch(QStringLiteral("IS001234")), QStringLiteral("S001234"));
    EXPECT_EQ(IsEmriNoFromSearch(QStringLiteral("S001234")), QStringLiteral("S001234"));
}

TEST_F(NumberingTest, TakesAndAdvancesByTheCounterDay)
{
    const QDate today = SunucuBugun(db);
    struct Case {
        const char* name;
        QVariant tarih;
        double emir;
        QString eno;
        double emirAfter;
    };
    const QList<Case> cases{
        {"first of the day", QDateTime(today.addDays(-1), QTime(0, 0)), 9, QStringLiteral("0001"), 2},
        {"never used", QVariant(), 1, QStringLiteral("0001"), 2},
        {"later the same day", QDateTime(today, QTime(0, 0)), 17, QStringLiteral("0017"), 18},
        // A counter day carrying a time of day is still today.
        {"day stored with a time", QDateTime(today, QTime(14, 30)), 4, QStringLiteral("0004"), 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setCounter(QStringLiteral("T"), 5, c.emir, c.tarih);
        EXPECT_EQ(IsEmriNoOner(db, today).isEno, c.eno);
        Transaction tx(db);
        const IsEmriNumarasi n = IsEmriNoAl(db, today);
        tx.commit();
        EXPECT_EQ(n.isEmriNo, QStringLiteral("T000005"));
        EXPECT_EQ(n.isEno, c.eno);
        EXPECT_EQ(scalar(QStringLiteral("SELECT SERI_NO FROM PARAMSER")).toDouble(), 6);
        EXPECT_EQ(scalar(QStringLiteral("SELECT EMIR_NO FROM PARAMSER")).toDouble(), c.emirAfter);
        EXPECT_EQ(Query::toDate(scalar(QStringLiteral("SELECT TARIH FROM PARAMSER"))), today);
    }
}

TEST_F(NumberingTest, ANumberAlreadyUsedIsPassedOver)
{
    setCounter(QStringLiteral("S"), 7, 1, QVariant());
    addWorkOrder(QStringLiteral("S000007"), QStringLiteral("X1"), 10);
    addWorkOrder(QStringLiteral("S000008"), QStringLiteral("X2"), 10);
    Transaction tx(db);
    EXPECT_EQ(IsEmriNoAl(db, SunucuBugun(db)).isEmriNo, QStringLiteral("S000009"));
    tx.commit();
    EXPECT_EQ(scalar(QStringLiteral("SELECT SERI_NO FROM PARAMSER")).toDouble(), 10);
}

TEST_F(NumberingTest, SavingTakesTheNumberAndAChangeLeavesTheCounter)
{
    setCounter(QStringLiteral("S"), 1, 1, QVariant());
    QVariantMap stale = validRow();
    QVariantMap first = validRow();
    ASSERT_EQ(IsEmriKaydet(db, ctx, first, true, 0), KayitSonucu::Kaydedildi);
    EXPECT_EQ(first.value(QStringLiteral("IS_EMRI_NO")).toString(), QStringLiteral("S000001"));
    // The second card proposed the same number before the first saved.
    EXPECT_EQ(stale.value(QStringLiteral("IS_EMRI_NO")).toString(), QStringLiteral("S000001"));
    ASSERT_EQ(IsEmriKaydet(db, ctx, stale, true, 0), KayitSonucu::Kaydedildi);
    EXPECT_EQ(stale.value(QStringLiteral("IS_EMRI_NO")).toString(), QStringLiteral("S000002"));
    EXPECT_EQ(stale.value(QStringLiteral("IS_ENO")).toString(), QStringLiteral("0002"));
    first[QStringLiteral("KM")] = 16000.0;
    ASSERT_EQ(IsEmriKaydet(db, ctx, first, false, 0), KayitSonucu::Kaydedildi);
    EXPECT_EQ(scalar(QStringLiteral("SELECT SERI_NO FROM PARAMSER")).toDouble(), 3);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();
}

TEST_F(NumberingTest, TheDatabaseRefusesADuplicateNumber)
{
    addWorkOrder(QStringLiteral("S000001"), QStringLiteral("X1"), 10);
    EXPECT_THROW(addWorkOrder(QStringLiteral("S000001"), QStringLiteral("X2"), 10), DbError);
}

TEST_F(NumberingTest, EightConnectionsSavingAtOnceNeverShareANumber)
{
    constexpr int kThreads = 8;
    constexpr int kSaves = 5;
    setCounter(QStringLiteral("S"), 1, 1, QVariant());
    QMutex mutex;
    QStringList numbers, enos;
    std::atomic<int> failures{0};
    ConnectionProfile profile = database->profile();
    profile.lockTimeoutMs = 20000;
    const QVariantMap base = validRow();
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            const QString name = QStringLiteral("wo_worker_%1").arg(t);
            try {
                SessionContext own = ctx;
                own.Database1 = Db::open(profile, name);
                for (int i = 0; i < kSaves; ++i) {
                    QVariantMap row = base;
                    if (IsEmriKaydet(own.Database1, own, row, true, 0) != KayitSonucu::Kaydedildi) {
                        ++failures;
                        continue;
                    }
                    QMutexLocker l(&mutex);
                    numbers << row.value(QStringLiteral("IS_EMRI_NO")).toString();
                    enos << row.value(QStringLiteral("IS_ENO")).toString();
                }
                own.Database1 = Db();
            } catch (const std::exception& e) {
                ++failures;
                ADD_FAILURE() << e.what();
            }
            Db::close(name);
        });
    }
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(failures.load(), 0) << messages.texts().join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(numbers.size(), kThreads * kSaves);
    numbers.sort();
    enos.sort();
    for (int i = 0; i < numbers.size(); ++i) {
        EXPECT_EQ(numbers[i], IsEmriNoBicim(QStringLiteral("S"), i + 1));
        EXPECT_EQ(enos[i], IsEnoBicim(i + 1));
    }
    EXPECT_EQ(scalar(QStringLiteral("SELECT SERI_NO FROM PARAMSER")).toDouble(), kThreads * kSaves + 1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT EMIR_NO FROM PARAMSER")).toDouble(), kThreads * kSaves + 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ISEMRI")), kThreads * kSaves);
}
