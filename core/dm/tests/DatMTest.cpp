#include "dm/DatMLis.h"
#include "testsupport/TestSupport.h"

#include <QCheckBox>
#include <QWidget>

namespace tornaly {
namespace {

QString caption(const QList<TMenuSatiri>& table, int id)
{
    for (const TMenuSatiri& r : table)
        if (r.ID == id)
            return r.TANIMW;
    return QStringLiteral("<yok>");
}

TEST(MenuTablesTest, CaptionsLandInTheTableOfTheirRange)
{
    TMenuTablolari m;
    TMenuSatiri other;
    other.ID = 60;
    other.MODUL = 2;
    m.dxMenu << other;
    m.SetMenuItems(1);
    EXPECT_TRUE(std::none_of(m.dxMenu.cbegin(), m.dxMenu.cend(), [](const TMenuSatiri& r) { return r.MODUL == 2; }));
    EXPECT_EQ(caption(m.dxMenu, 91), QStringLiteral("Sistem Yönetimi"));
    EXPECT_EQ(caption(m.dxMenuList, 1450), QStringLiteral("Aylık Servis - Yedek Parça Raporu"));
    EXPECT_EQ(caption(m.dxMenu, 1450), QStringLiteral("<yok>"));
    EXPECT_EQ(caption(m.dxMenu, 9999), QStringLiteral("Çıkış"));
    EXPECT_EQ(caption(m.dxMenuList, 9999), QStringLiteral("Çıkış"));

    const auto before = m;
    m.SetMenuItem(1000, QStringLiteral("x"));
    m.SetMenuItem(1, QStringLiteral("x"));
    m.SetMenuItem(557, QStringLiteral("x")); // in range, no row
    for (int i = 0; i < m.dxMenu.size(); ++i)
        EXPECT_EQ(m.dxMenu[i].TANIMW, before.dxMenu[i].TANIMW);
    for (int i = 0; i < m.dxMenuList.size(); ++i)
        EXPECT_EQ(m.dxMenuList[i].TANIMW, before.dxMenuList[i].TANIMW);
    m.SetMenuItem(9999, QStringLiteral("Kapat"));
    EXPECT_EQ(caption(m.dxMenu, 9999), QStringLiteral("Kapat"));
    EXPECT_EQ(caption(m.dxMenuList, 9999), QStringLiteral("Kapat"));

    // Every row hangs under a row that exists.
    for (const auto* table : {&m.dxMenu, &m.dxMenuList})
        for (const TMenuSatiri& r : *table)
            if (r.PARENT != 0) {
                EXPECT_NE(caption(*table, r.PARENT), QStringLiteral("<yok>")) << r.ID;
            }
}

TEST(MenuTablesTest, CheckGroupAndCrossTabCaptions)
{
    QWidget group;
    auto* a = new QCheckBox(&group);
    new QCheckBox(&group);
    auto* c = new QCheckBox(&group);
    a->setChecked(true);
    c->setChecked(true);
    QString bits;
    CheckGroupToBits(&group, bits);
    EXPECT_EQ(bits, QStringLiteral("101"));
    QWidget none;
    CheckGroupToBits(&none, bits);
    EXPECT_EQ(bits, QString());
    EXPECT_EQ(CaprazBaslik(QStringLiteral("A")), QStringLiteral(" A"));
    EXPECT_EQ(CaprazBaslik(QStringLiteral("AB")), QStringLiteral("AB"));
}

class DatMTest : public test::DbTest {};

TEST_F(DatMTest, DealerCodesComeFromTheCompanyRecord)
{
    db.exec(QStringLiteral("INSERT INTO FIRKIM (EADI, URET_BKOD, TED_CKOD) VALUES ('ÇINAR OTO', 'B01', 'T9')"));
    TDatM d(ctx);
    d.DatMCreate();
    EXPECT_EQ(ctx.FirmaEAdi, QStringLiteral("ÇINAR OTO"));
    EXPECT_EQ(ctx.UretBKod, QStringLiteral("B01"));
    EXPECT_EQ(ctx.TedCKod, QStringLiteral("T9"));
    EXPECT_TRUE(d.GridDesign2Ini.endsWith(QStringLiteral("/GridDesign2.ini")));
}

// Two users running the same report at once keep their own working rows.
TEST_F(DatMTest, ReportWorkingTablesArePrivateToTheConnection)
{
    const Db other = database->open(QStringLiteral("ikinci"));
    const QString columns = QStringLiteral("SASE VARCHAR(30)");
    RaporCalismaTablosu(db, QStringLiteral("SASE_CALISMA"), columns);
    RaporCalismaTablosu(other, QStringLiteral("SASE_CALISMA"), columns);
    db.exec(QStringLiteral("INSERT INTO SASE_CALISMA (SASE) VALUES ('A1')"));
    other.exec(QStringLiteral("INSERT INTO SASE_CALISMA (SASE) VALUES ('B1')"));
    const auto rows = [](const Db& d) {
        QStringList r;
        Query q(d, QStringLiteral("SELECT SASE FROM SASE_CALISMA"));
        q.exec();
        while (q.next())
            r << q.str(QStringLiteral("SASE"));
        return r;
    };
    EXPECT_EQ(rows(db), QStringList{QStringLiteral("A1")});
    EXPECT_EQ(rows(other), QStringList{QStringLiteral("B1")});
    RaporCalismaTablosu(db, QStringLiteral("SASE_CALISMA"), columns);
    EXPECT_TRUE(rows(db).isEmpty());
    EXPECT_EQ(rows(other), QStringList{QStringLiteral("B1")});
    EXPECT_THROW(RaporCalismaTablosu(db, QStringLiteral("X; DROP TABLE FIRKIM"), columns), DbError);
    Db::close(QStringLiteral("ikinci"));
}

} // namespace
} // namespace tornaly
