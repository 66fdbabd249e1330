#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "CoreEntry.h"
#include "sqlconsole/SQLdoor.h"
#include "sqlconsole/SqlKapisi.h"
#include "testsupport/TestSupport.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

using namespace tornaly;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

class SqlConsoleTest : public test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        db.exec(S("CREATE TABLE KAYIT (KOD VARCHAR(5), CREATE_DATE TIMESTAMP, TUTAR DOUBLE PRECISION)"));
        db.exec(S("INSERT INTO KAYIT VALUES ('A', NULL, 10)"));
        db.exec(S("INSERT INTO KAYIT VALUES ('B', NULL, 20)"));
        ctx.AktifKullanici.u_type = S("A");
    }
    qint64 adet()
    {
        Query q(db, S("SELECT COUNT(*) AS N FROM KAYIT"));
        q.exec();
        q.next();
        return q.integer(S("N"));
    }
};

TEST_F(SqlConsoleTest, OnlyAnAdministratorOpensOrUsesTheConsole)
{
    ctx.AktifKullanici.u_type = S("K");
    EXPECT_THROW(TSqlKapisi k(ctx), DbError);

    Targets().clear();
    core::RegisterEntryPoints();
    OpenRequest r;
    r.ctx = &ctx;
    EXPECT_EQ(Targets().form(QString::fromLatin1(entry::TFormSQL))(r), nullptr);
    EXPECT_EQ(messages.lastText(), SqlKapisiYetkiYokMetni());
    Targets().clear();

    // A console left open across a change of login refuses the new user.
    ctx.AktifKullanici.u_type = S("A");
    TSqlKapisi k(ctx);
    ctx.AktifKullanici.u_type = S("K");
    EXPECT_THROW(k.sorguAc(S("SELECT KOD FROM KAYIT")), DbError);
    EXPECT_THROW(k.calistir(S("DELETE FROM KAYIT")), DbError);
    EXPECT_EQ(adet(), 2);
}

TEST_F(SqlConsoleTest, ReadingNeverWritesWhateverTheStatementIs)
{
    TSqlKapisi k(ctx);
    const TSorguSonucu s = k.sorguAc(S("SELECT KOD, CREATE_DATE FROM KAYIT ORDER BY KOD"));
    EXPECT_EQ(s.kolonlar, (QStringList{S("KOD"), S("CREATE_DATE")})) << "a column named CREATE... is fine";
    ASSERT_EQ(s.satirlar.size(), 2);
    EXPECT_EQ(s.satirlar.at(1).at(0).toString(), S("B"));

    for (const char* yazan : {"DELETE FROM KAYIT", "UPDATE KAYIT SET TUTAR=0", "DROP TABLE KAYIT",
                              "SELECT 1; DELETE FROM KAYIT", "COMMIT; DELETE FROM KAYIT"}) {
        EXPECT_THROW(k.sorguAc(S(yazan)), DbError) << yazan;
    }
    EXPECT_EQ(adet(), 2);
    Query q(db, S("SELECT SUM(TUTAR) AS T FROM KAYIT"));
    q.exec();
    q.next();
    EXPECT_DOUBLE_EQ(q.num(S("T")), 30);
    // The console's connection works normally afterwards.
    EXPECT_EQ(k.sorguAc(S("SELECT KOD FROM KAYIT")).satirlar.size(), 2);
}

TEST_F(SqlConsoleTest, StatementsWaitForCommitOrRollback)
{
    TSqlKapisi k(ctx);
    EXPECT_EQ(k.calistir(S("DELETE FROM KAYIT WHERE KOD='A'")), 1);
    EXPECT_TRUE(k.islemAcik());
    EXPECT_EQ(k.sorguAc(S("SELECT KOD FROM KAYIT")).satirlar.size(), 1) << "reads see the open transaction";
    k.geriAl();
    EXPECT_FALSE(k.islemAcik());
    EXPECT_EQ(adet(), 2);

    EXPECT_EQ(k.calistir(S("UPDATE KAYIT SET TUTAR=TUTAR+1; INSERT INTO KAYIT VALUES ('C', NULL, 5)")), 3);
    EXPECT_THROW(k.calistir(S("INSERT INTO YOK_TABLO VALUES (1)")), DbError);
    EXPECT_TRUE(k.islemAcik()) << "a failing statement leaves the earlier ones to the user";
    k.onayla();
    EXPECT_EQ(adet(), 3);

    EXPECT_FALSE(k.raporuSakla(S("1; DROP TABLE KAYIT"), S("SELECT KOD FROM KAYIT")).isEmpty());
    EXPECT_FALSE(k.raporuSakla(S("KAYIT"), S("SELECT KOD FROM KAYIT")).isEmpty()) << "an existing table stays";
    EXPECT_EQ(k.raporuSakla(S("rapor001"), S("SELECT KOD, TUTAR FROM KAYIT;")), QString());
    k.onayla();
    Query q(db, S("SELECT COUNT(*) AS N FROM RAPOR001"));
    q.exec();
    q.next();
    EXPECT_EQ(q.integer(S("N")), 3);
}

TEST_F(SqlConsoleTest, ClosingTheFormRollsBackAndSays)
{
    auto* f = new TFormSQL(ctx);
    f->show();
    f->Memo1->setPlainText(S("DELETE FROM KAYIT"));
    f->BtnSorguCalistir->click();
    EXPECT_TRUE(f->BtnOnayla->isEnabled());
    f->Memo1->setPlainText(S("SELECT KOD FROM KAYIT"));
    f->BtnSorguAc->click();
    EXPECT_EQ(f->DBGrid1->model()->rowCount(), 0);
    f->close();
    EXPECT_EQ(messages.lastText(), S("Onaylanmamış değişiklikler geri alındı."));
    delete f;
    EXPECT_EQ(adet(), 2);
}

} // namespace
