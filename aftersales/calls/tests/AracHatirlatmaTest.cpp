#include "aftersales/AftersalesEntry.h"
#include "aftersales/AftersalesSchema.h"
#include "aftersales/calls/AracHatirlatma.h"
#include "dm/DATA1.h"
#include "sql/SqlHelpers.h"
#include "testsupport/TestSupport.h"

namespace tornaly::aftersales {
namespace {

class VehicleReminderTest : public test::DbTest {
protected:
    void registerSchema() override { aftersales::RegisterSchema(); }
    void TearDown() override
    {
        SetVehicleReminderWriter({});
        DbTest::TearDown();
    }
    int count(const QString& sql) { return SqlLookup(db, sql).toInt(); }
};

TEST_F(VehicleReminderTest, WrittenOncePerDayThroughTheStartUpHook)
{
    const QDateTime now(QDate(2026, 6, 10), QTime(9, 30));
    struct Vehicle {
        const char* sase;
        const char* column;
        QDateTime end;
    };
    const Vehicle vehicles[] = {
        {"S1", "SGBITRH", now.addDays(1)},         // insurance ends tomorrow
        {"S2", "KASKO_BITTRH", now.addDays(-1)},   // exactly one day ago: still due
        {"S3", "MUAYENE_BITTRH", now.addDays(2)},  // exactly two days ahead: still due
        {"S4", "EKSOZ_BITTRH", now.addDays(3)},    // too far ahead
        {"S5", "SGBITRH", now.addDays(-2)},        // long past
    };
    for (const Vehicle& v : vehicles)
        db.exec(QStringLiteral("INSERT INTO ARAC (SASE_NO, ARC_MODEL_KODU, ARC_MODEL_TRH, CARI_KOD, %1) "
                               "VALUES (:S, 'M1', 2020, 'C1', :T)").arg(QString::fromLatin1(v.column)),
                {{QStringLiteral("S"), QString::fromLatin1(v.sase)}, {QStringLiteral("T"), v.end}});
    db.exec(QStringLiteral("UPDATE ARAC SET SGBASTRH = :B WHERE SASE_NO = 'S1'"),
            {{QStringLiteral("B"), now.addYears(-1)}});

    // The start-up reaches the writer through the hook this library registers.
    EXPECT_EQ(RunVehicleReminders(db, now), 0);
    RegisterEntryPoints();
    EXPECT_EQ(RunVehicleReminders(db, now), 3);
    EXPECT_EQ(AracHatirlatmalariniYaz(db, now.addSecs(3600)), 0); // again the same day: nothing new

    Query q(db, QStringLiteral("SELECT MUS_TIP, ARA_TIP, SATIS_NO, PERIYOT, REF_TRH, ARAMA_TRH, CARI_KOD, ACIKLAMA "
                               "FROM ARAMAPER WHERE SASE_NO = 'S1'"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.str(QStringLiteral("MUS_TIP")), QStringLiteral("D"));
    EXPECT_EQ(q.str(QStringLiteral("ARA_TIP")), QStringLiteral("O"));
    EXPECT_EQ(q.num(QStringLiteral("SATIS_NO")), 0.0);
    EXPECT_EQ(q.integer(QStringLiteral("PERIYOT")), 0);
    EXPECT_EQ(q.dateTime(QStringLiteral("REF_TRH")), now.addYears(-1));
    EXPECT_EQ(q.dateTime(QStringLiteral("ARAMA_TRH")), now.addDays(1));
    EXPECT_EQ(q.str(QStringLiteral("CARI_KOD")), QStringLiteral("C1"));
    EXPECT_EQ(q.str(QStringLiteral("ACIKLAMA")), QStringLiteral("Aracın Sigorta Süresi Sona Ermiştir."));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ARAMAPER WHERE SASE_NO='S2' AND ARA_TIP='K'")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ARAMAPER WHERE SASE_NO='S3' AND ARA_TIP='U'")), 1);

    // A new end date for the same vehicle is a new reminder.
    db.exec(QStringLiteral("UPDATE ARAC SET SGBITRH = :T WHERE SASE_NO = 'S1'"),
            {{QStringLiteral("T"), now.addDays(2)}});
    EXPECT_EQ(AracHatirlatmalariniYaz(db, now), 1);
}

} // namespace
} // namespace tornaly::aftersales
