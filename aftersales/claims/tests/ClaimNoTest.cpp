#include "aftersales/AftersalesSchema.h"
#include "aftersales/claims/ClaimNo.h"
#include "testsupport/TestSupport.h"

#include <stdexcept>

namespace tornaly::aftersales {
namespace {

class ClaimNoTest : public test::DbTest {
protected:
    void registerSchema() override { aftersales::RegisterSchema(); }
    void SetUp() override
    {
        DbTest::SetUp();
        ctx.CalismaYiliNo = 2026;
        ctx.ClaimKodNo = 12;
    }
    void claim(double no) { ekle(db, no, QString()); }
    // A claim with the columns every claim has.
    static void ekle(const Db& db, double no, const QString& notu)
    {
        db.exec(QStringLiteral("INSERT INTO CLAIMM (CL_CLAIMNO, CL_ISEMRI, CL_TAMIRTRH, CL_TESLIMTRH, CL_SASE, CL_KM, "
                               "CL_ARACTIP, CL_OZELNOT) VALUES (:NO, 'IE1', :T, :T, 'SASE', 0, 'M', :NOTU)"),
                {{QStringLiteral("NO"), no},
                 {QStringLiteral("T"), QDateTime(QDate(2026, 3, 1), QTime())},
                 {QStringLiteral("NOTU"), notu}});
    }
    static constexpr double kBase = 26 * 100000000.0 + 12 * 10000.0; // 2600120000
};

TEST_F(ClaimNoTest, NumbersStayInTheRangeOfTheYearAndDealerCode)
{
    struct Case {
        const char* ad;
        QList<double> kayitli;
        double beklenen;
    };
    const QList<Case> cases{
        {"no claims yet", {}, kBase + 1},
        {"only last year's claims", {25 * 100000000.0 + 12 * 10000.0 + 55}, kBase + 1},
        {"an old number below every base", {55}, kBase + 1},
        {"claims of this year", {kBase + 1, kBase + 2, kBase + 40}, kBase + 41},
        {"another dealer code's claim above the range", {kBase + 3, kBase + 10000 + 7}, kBase + 4},
        {"next year's claim only", {27 * 100000000.0 + 12 * 10000.0 + 1}, kBase + 1},
        {"this year, last year and above", {kBase - 5, kBase + 9, 99 * 100000000.0}, kBase + 10},
    };
    for (const Case& c : cases) {
        db.exec(QStringLiteral("DELETE FROM CLAIMM"));
        for (double no : c.kayitli)
            claim(no);
        EXPECT_DOUBLE_EQ(NewClaimNo(ctx, db), c.beklenen) << c.ad;
    }
}

TEST_F(ClaimNoTest, AFullRangeGivesNoNumberOfTheNextCode)
{
    claim(kBase + 9999);
    EXPECT_THROW(NewClaimNo(ctx, db), std::range_error);
}

TEST_F(ClaimNoTest, ClaimNumbersStayUniqueAcrossWorkstations)
{
    constexpr int kStations = 6;
    constexpr int kClaims = 5;
    const QStringList failures = test::OnWorkstations(database->profile(), kStations, [&](const Db& own, int i) {
        SessionContext c = ctx;
        c.Database1 = own;
        for (int k = 0; k < kClaims; ++k) {
            Transaction tx(own);
            StoreWithNewClaimNo(c, own, [&](double no) { ekle(own, no, QStringLiteral("ws%1").arg(i)); });
            tx.commit();
        }
    });
    EXPECT_TRUE(failures.isEmpty()) << failures.join(QLatin1Char('\n')).toStdString();
    Query q(db, QStringLiteral("SELECT COUNT(*) AS N, MIN(CL_CLAIMNO) AS ALT, MAX(CL_CLAIMNO) AS UST FROM CLAIMM"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.integer(QStringLiteral("N")), kStations * kClaims);
    EXPECT_DOUBLE_EQ(q.num(QStringLiteral("ALT")), kBase + 1);
    EXPECT_DOUBLE_EQ(q.num(QStringLiteral("UST")), kBase + kStations * kClaims);
}

} // namespace
} // namespace tornaly::aftersales
