#include "sql/LogRoutines.h"
#include "settings/GridLayout.h"
#include "sql/SqlHelpers.h"
#include "sql/TutarAlanlari.h"
#include "testsupport/TestSupport.h"

#include "controls/CheckCombo.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QTableView>
#include <QStandardItemModel>

using namespace tornaly;
using namespace tornaly::test;

class SqlHelpersTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        db.exec(QStringLiteral("CREATE TABLE TIP (KOD VARCHAR(5), ADI VARCHAR(20), SIRA INTEGER)"));
        db.exec(QStringLiteral("INSERT INTO TIP VALUES ('M', 'Mekanik', 1), ('K', 'Kaporta', 2)"));
    }
};

TEST_F(SqlHelpersTest, LookupBindsPositionallyAndFallsBack)
{
    EXPECT_EQ(SqlLookup(db, QStringLiteral("SELECT ADI FROM TIP WHERE KOD = :K"), QStringLiteral("K")).toString(),
              QStringLiteral("Kaporta"));
    EXPECT_EQ(SqlLookup(db, QStringLiteral("SELECT ADI FROM TIP WHERE KOD = :K AND SIRA = :S"),
                        QVariantList{QStringLiteral("M"), 1, 99})
                  .toString(),
              QStringLiteral("Mekanik"));
    // A single value sets only the first parameter; the second stays null.
    EXPECT_EQ(SqlLookup(db, QStringLiteral("SELECT COUNT(*) FROM TIP WHERE KOD = :K OR SIRA = :S"), QStringLiteral("M"))
                  .toInt(),
              1);
    EXPECT_EQ(SqlLookup(db, QStringLiteral("SELECT ADI FROM TIP WHERE KOD = :K"), QStringLiteral("X"),
                        QStringLiteral("yok"))
                  .toString(),
              QStringLiteral("yok"));
    ExecSql(db, QStringLiteral("DELETE FROM TIP WHERE KOD = :K"), QStringLiteral("M"));
    EXPECT_EQ(SqlLookup(db, QStringLiteral("SELECT COUNT(*) FROM TIP")).toInt(), 1);
}

TEST_F(SqlHelpersTest, QueryModelCarriesCaptionsAndFieldNames)
{
    auto model = OpenSqlQuery(db, QStringLiteral("SELECT KOD, ADI FROM TIP ORDER BY SIRA"), {},
                              QVariantList{QStringLiteral("Kod"), QStringLiteral("Açıklama")});
    model->open();
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Açıklama"));
    EXPECT_EQ(model->headerData(1, Qt::Horizontal, FieldNameRole).toString(), QStringLiteral("ADI"));
    EXPECT_EQ(model->columnOf(QStringLiteral("adi")), 1);
}

// A list of slips whose amounts are all whole shows them as amounts
// ("475,00"), while a float number column of the same page stays whole.
TEST_F(SqlHelpersTest, AmountFieldsKeepTheirDecimalsWhenEveryAmountIsWhole)
{
    db.exec(QStringLiteral("CREATE TABLE FISL (HRKNO DOUBLE PRECISION, NETTUT DOUBLE PRECISION)"));
    db.exec(QStringLiteral("INSERT INTO FISL VALUES (12, 475), (13, 1250)"));
    BoundQueryModel m;
    m.setStatement(db, QStringLiteral("SELECT HRKNO, NETTUT FROM FISL ORDER BY HRKNO"));
    SetTutarAlanlari(m, {QStringLiteral("nettut")});
    m.open();
    ASSERT_EQ(m.rowCount(), 2);
    EXPECT_EQ(m.index(0, 0).data().toString(), QStringLiteral("12"));
    EXPECT_EQ(m.index(0, 1).data().toString(), QStringLiteral("475,00"));
    EXPECT_EQ(m.index(1, 1).data().toString(), QStringLiteral("1.250,00"));
}

TEST_F(SqlHelpersTest, ComboFilledFromQuery)
{
    QComboBox combo;
    FillComboFromSql(&combo, db, QStringLiteral("SELECT KOD, ADI FROM TIP ORDER BY SIRA"));
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(0), QStringLiteral("Mekanik"));
    EXPECT_EQ(combo.itemData(0).toString(), QStringLiteral("M"));
    FillComboFromSql(&combo, db, QStringLiteral("SELECT KOD FROM TIP ORDER BY SIRA"));
    EXPECT_EQ(combo.itemText(1), QStringLiteral("K"));
}

TEST_F(SqlHelpersTest, CheckComboAndSharedListsFilledFromQuery)
{
    TCheckComboBox check;
    QComboBox& asCombo = check;
    FillComboFromSql(&asCombo, db, QStringLiteral("SELECT SIRA, ADI FROM TIP ORDER BY SIRA"));
    ASSERT_EQ(check.count(), 2);
    EXPECT_EQ(check.shortDescription(1), QStringLiteral("2"));
    EXPECT_EQ(check.itemText(1), QStringLiteral("Kaporta"));
    EXPECT_EQ(CheckedItemsSqlCondition(&check, QStringLiteral("TIP"), 1, false), QString());
    EXPECT_EQ(CheckedItemsSqlCondition(&check, QStringLiteral("TIP"), 3, true), QStringLiteral(" TIP in (1,2)"));
    check.setChecked(1, true);
    EXPECT_EQ(CheckedItemsSqlCondition(&check, QStringLiteral("TIP"), 1, true), QStringLiteral(" TIP in ('2')"));
    EXPECT_EQ(check.checkedText(), QStringLiteral("Kaporta"));
    // A refill drops the old items and their ticks.
    Query q(db, QStringLiteral("SELECT KOD, ADI, SIRA FROM TIP ORDER BY SIRA DESC"));
    q.exec();
    FillComboItemsFromQuery(&check, q, QStringLiteral("KOD"), QStringLiteral("ADI"), QStringLiteral("SIRA"));
    ASSERT_EQ(check.count(), 2);
    EXPECT_EQ(check.shortDescription(0), QStringLiteral("K"));
    EXPECT_EQ(check.tag(0).toInt(), 2);
    EXPECT_EQ(check.checkedText(), QString());

    TLookupList list;
    FillComboFromSql(list, db, QStringLiteral("SELECT KOD FROM TIP ORDER BY SIRA"));
    EXPECT_EQ(list, (TLookupList{{QStringLiteral("M"), QStringLiteral("M")}, {QStringLiteral("K"), QStringLiteral("K")}}))
        << "a one-column list shows each value as its own caption";
    FillComboFromSql(list, db, QStringLiteral("SELECT KOD, ADI FROM TIP WHERE SIRA > :S"), 1);
    EXPECT_EQ(list, (TLookupList{{QStringLiteral("K"), QStringLiteral("Kaporta")}}));
}

TEST_F(SqlHelpersTest, LookupComboFilteredByTheRecordsFields)
{
    db.exec(QStringLiteral("CREATE TABLE OZEL (GRUP VARCHAR(2), ALT VARCHAR(2), KOD VARCHAR(5), ADI VARCHAR(20))"));
    db.exec(QStringLiteral("INSERT INTO OZEL VALUES ('A', '1', 'A1X', 'Bir'), ('A', '2', 'A2X', 'İki'), "
                           "('B', '1', 'B1X', 'Üç')"));
    BoundQueryModel model;
    model.setStatement(db, QStringLiteral("SELECT KOD, ADI, GRUP, ALT FROM OZEL ORDER BY KOD"));
    model.open();
    QComboBox combo;
    combo.setModel(&model);
    combo.setModelColumn(1);
    const auto shown = [&] {
        QStringList out;
        for (int i = 0; i < combo.count(); ++i)
            out << combo.itemText(i);
        return out;
    };
    FilterLookupCombo(&combo, {QStringLiteral("GRUP")}, QStringLiteral("A"));
    EXPECT_EQ(shown(), (QStringList{QStringLiteral("Bir"), QStringLiteral("İki")}));
    // New criteria replace the old ones.
    FilterLookupCombo(&combo, {QStringLiteral("grup"), QStringLiteral("ALT")}, QVariantList{QStringLiteral("B"), 1});
    EXPECT_EQ(shown(), QStringList{QStringLiteral("Üç")});
    FilterLookupCombo(&combo, {QStringLiteral("YOK")}, QStringLiteral("A"));
    EXPECT_EQ(combo.count(), 0) << "a field the list does not have matches nothing";
    FilterLookupCombo(&combo, {}, {});
    EXPECT_EQ(combo.count(), 3);

    // A plain list is filtered by its captions.
    QStandardItemModel plain(0, 2);
    plain.setHorizontalHeaderLabels({QStringLiteral("KOD"), QStringLiteral("GRUP")});
    plain.appendRow({new QStandardItem(QStringLiteral("x")), new QStandardItem(QStringLiteral("A"))});
    plain.appendRow({new QStandardItem(QStringLiteral("y")), new QStandardItem(QStringLiteral("B"))});
    QComboBox other;
    other.setModel(&plain);
    FilterLookupCombo(&other, {QStringLiteral("GRUP")}, QStringLiteral("B"));
    ASSERT_EQ(other.count(), 1);
    EXPECT_EQ(other.itemText(0), QStringLiteral("y"));
}

TEST_F(SqlHelpersTest, ServerClockAndCurrencyRate)
{
    const QDateTime now = ServerNow(db);
    EXPECT_LT(qAbs(now.secsTo(QDateTime::currentDateTime())), 120);
    EXPECT_EQ(ServerToday(db), now.date());
    if (!db.dialect().tableExists(db, QStringLiteral("KURDEGER")))
        db.exec(QStringLiteral("CREATE TABLE KURDEGER (DOVIZ_KODU VARCHAR(7), TARIH TIMESTAMP, TLDEGERI_SATIS DOUBLE PRECISION)"));
    db.exec(QStringLiteral("INSERT INTO KURDEGER (DOVIZ_KODU, TARIH, TLDEGERI_SATIS) VALUES (:D, :T, :S)"),
            {{QStringLiteral("D"), QStringLiteral("USD")}, {QStringLiteral("T"), QDate(2026, 5, 4).startOfDay()},
             {QStringLiteral("S"), 40.5}});
    db.exec(QStringLiteral("INSERT INTO KURDEGER (DOVIZ_KODU, TARIH, TLDEGERI_SATIS) VALUES (:D, :T, :S)"),
            {{QStringLiteral("D"), QStringLiteral("USD")}, {QStringLiteral("T"), QDate(2026, 5, 6).startOfDay()},
             {QStringLiteral("S"), 41.0}});
    EXPECT_DOUBLE_EQ(GetCurrencyRate(db, QStringLiteral("USD"), false, QDate(2026, 5, 5)), 41.0)
        << "the rate of the next day counts";
    EXPECT_DOUBLE_EQ(GetCurrencyRate(db, QStringLiteral("USD"), false, QDate(2026, 5, 4)), 40.5);
    EXPECT_DOUBLE_EQ(GetCurrencyRate(db, QStringLiteral("USD"), false, QDate(2026, 5, 1)), 0.0);
    EXPECT_DOUBLE_EQ(GetCurrencyRate(db, QStringLiteral("EUR"), false, QDate(2026, 5, 5)), 0.0);
}

TEST_F(SqlHelpersTest, LogRoutinesWriteOneRowEach)
{
    LogModuleUsage(ctx, 1, QStringLiteral("DURVELTA"), QStringLiteral("7.2.2"), {}, {});
    EXPECT_EQ(SqlLookup(db, QStringLiteral("SELECT KULLANICI FROM LOG_MODUL WHERE TIP = 1 AND MODUL = 'DURVELTA'"))
                  .toString(),
              QStringLiteral("TEST"));
    SetLogDate(ctx, 200, QDateTime(QDate(2026, 1, 1), QTime(10, 0)));
    EXPECT_EQ(SqlLookup(db, QStringLiteral("SELECT COUNT(*) FROM LOG_TARIH WHERE TAB = 200")).toInt(), 1);

    messages.answerText(std::nullopt);
    EXPECT_FALSE(AskAndLogMessage(ctx, QStringLiteral("Neden?"), QStringLiteral("IE"), 5, 0, QStringLiteral("A")));
    EXPECT_EQ(SqlLookup(db, QStringLiteral("SELECT COUNT(*) FROM LOG_MESAJ")).toInt(), 0);
    messages.answerText(QStringLiteral("Müşteri geri getirdi"));
    EXPECT_TRUE(AskAndLogMessage(ctx, QStringLiteral("Neden?"), QStringLiteral("IE"), 5, 0, QStringLiteral("A")));
    EXPECT_EQ(SqlLookup(db, QStringLiteral("SELECT MSG_TEXT FROM LOG_MESAJ WHERE REF_NO = '5' AND MSG_ID = '1'"))
                  .toString(),
              QStringLiteral("Müşteri geri getirdi"));
}

TEST_F(SqlHelpersTest, VehicleStatusBecomesBWhileAWorkOrderIsOpen)
{
    const QDateTime t(QDate(2026, 2, 2), QTime(9, 0));
    // No work orders known to the core: the status is logged as given.
    LogVehicleStatus(ctx, QStringLiteral("IE"), QStringLiteral("IE-0"), QStringLiteral("A"), 0, t,
                     QStringLiteral("VF1"), QString(), QStringLiteral("K"), 0);
    EXPECT_EQ(SqlLookup(db, QStringLiteral("SELECT STATU2 FROM LOG_ARACSTATU WHERE REF_IENO = 'IE-0'")).toString(),
              QStringLiteral("K"));
    db.exec(QStringLiteral("DELETE FROM LOG_ARACSTATU"));

    // The workshop's check says which vehicles have an open work order.
    QStringList asked;
    SetOpenWorkOrderCheck([&](const Db&, const QString& chassis) {
        asked << chassis;
        return chassis == QLatin1String("VF1");
    });
    LogVehicleStatus(ctx, QStringLiteral("IE"), QStringLiteral("IE-1"), QStringLiteral("A"), 0, t, QStringLiteral("VF1"),
                     QString(), QStringLiteral("K"), 0);
    LogVehicleStatus(ctx, QStringLiteral("IE"), QString(), QString(), 7, t, QStringLiteral("VF2"), QStringLiteral("S"),
                     QStringLiteral("K"), 1500);
    SetOpenWorkOrderCheck({});
    EXPECT_EQ(asked, QStringList{QStringLiteral("VF1")}); // only asked for a work-order status
    Query q(db, QStringLiteral("SELECT * FROM LOG_ARACSTATU ORDER BY ID"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.str(QStringLiteral("STATU2")), QStringLiteral("B"));
    EXPECT_TRUE(q.isNull(QStringLiteral("REF_NO")));
    EXPECT_TRUE(q.isNull(QStringLiteral("STATU1")));
    EXPECT_TRUE(q.isNull(QStringLiteral("KM")));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.str(QStringLiteral("STATU2")), QStringLiteral("K"));
    EXPECT_TRUE(q.isNull(QStringLiteral("REF_IENO")));
    EXPECT_DOUBLE_EQ(q.num(QStringLiteral("KM")), 1500);
}

// An open list hears of a save another window (here another connection)
// committed on a table it reads, reads itself again, and the row the clerk
// stood on stays current; saves it cannot see change nothing.
TEST_F(SqlHelpersTest, AnOpenListReadsASaveOfItsTableAgainKeepingTheCurrentRow)
{
    Db diger = database->open(QStringLiteral("diger_pencere"));
    BoundQueryModel model;
    model.setStatement(db, QStringLiteral("SELECT KOD, ADI FROM TIP ORDER BY KOD"));
    model.setOrderKeys({QStringLiteral("KOD")});
    model.open();
    int okuma = 0;
    QObject::connect(&model, &QAbstractItemModel::modelReset, &model, [&] { ++okuma; });
    QTableView liste;
    liste.setModel(&model);
    liste.setCurrentIndex(model.index(1, 1)); // "M"
    const auto kodlar = [&] {
        QStringList out;
        for (int r = 0; r < model.rowCount(); ++r)
            out << model.data(model.index(r, 0)).toString();
        return out.join(QLatin1Char(','));
    };
    struct Durum {
        const char* ad;
        std::function<void()> kayit;
        const char* satirlar;
        const char* guncel;
        const char* guncelAd;
        bool okunur; // the list reads itself again
    } const durumlar[] = {
        {"a row before the current one", [&] { diger.exec(QStringLiteral("INSERT INTO TIP VALUES ('A', 'Akü', 3)")); },
         "A,K,M", "M", "Mekanik", true},
        {"the current row renamed in a transaction",
         [&] {
             Transaction tx(diger);
             diger.exec(QStringLiteral("UPDATE TIP SET ADI = 'Motor' WHERE KOD = 'M'"));
             tx.commit();
         },
         "A,K,M", "M", "Motor", true},
        {"a transaction rolled back",
         [&] {
             Transaction tx(diger);
             diger.exec(QStringLiteral("DELETE FROM TIP WHERE KOD = 'M'"));
             tx.rollback();
         },
         "A,K,M", "M", "Motor", false},
        {"a save of another table",
         [&] {
             diger.exec(QStringLiteral("CREATE TABLE BASKA (X INTEGER)"));
             diger.exec(QStringLiteral("INSERT INTO BASKA VALUES (1)"));
         },
         "A,K,M", "M", "Motor", false},
        {"the current row deleted", [&] { diger.exec(QStringLiteral("DELETE FROM TIP WHERE KOD = 'M'")); }, "A,K", "K",
         "Kaporta", true},
    };
    for (const Durum& d : durumlar) {
        SCOPED_TRACE(d.ad);
        const int once = okuma;
        d.kayit();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_EQ(kodlar(), QString::fromUtf8(d.satirlar));
        const QModelIndex guncel = liste.currentIndex();
        ASSERT_TRUE(guncel.isValid());
        EXPECT_EQ(guncel.column(), 1);
        EXPECT_EQ(model.data(model.index(guncel.row(), 0)).toString(), QString::fromUtf8(d.guncel));
        EXPECT_EQ(model.data(guncel).toString(), QString::fromUtf8(d.guncelAd));
        EXPECT_EQ(okuma != once, d.okunur);
    }
    diger = Db();
    Db::close(QStringLiteral("diger_pencere"));
}
