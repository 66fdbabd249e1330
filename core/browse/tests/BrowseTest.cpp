#include "browse/brListe.h"
#include "guard/FormGuard.h"
#include "testsupport/TestSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace tornaly;

namespace {

TEST(BrowseRules, ModesAndRightsMapToCommands)
{
    struct C {
        int mode;
        const char* hak;
        bool acilir, secGorunur, secEtkin, yeni, duzenle, sil;
        int tag;
    } const cases[] = {
        {0, "Y", true, false, false, true, true, true, 0},
        {0, "D", true, false, false, true, true, false, 0},
        {0, "N", true, false, false, true, false, false, 0},
        {0, "O", true, false, false, false, false, false, 0},
        {0, "H", false, false, false, false, false, false, 0},
        {0, "", false, false, false, false, false, false, 0},
        {1, "Y", true, true, true, true, true, true, 1},
        {2, "Y", true, true, true, false, false, true, 1},
        {2, "N", true, true, true, false, false, false, 1},
        {5, "Y", true, true, false, true, true, true, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " " << c.hak);
        const BrowseKomutlari k = BrowseKomutlariniBelirle(c.mode, QString::fromLatin1(c.hak));
        EXPECT_EQ(k.acilir, c.acilir);
        EXPECT_EQ(k.secGorunur, c.secGorunur);
        EXPECT_EQ(k.secEtkin, c.secEtkin);
        EXPECT_EQ(k.yeni, c.yeni);
        EXPECT_EQ(k.duzenle, c.duzenle);
        EXPECT_EQ(k.sil, c.sil);
        EXPECT_EQ(k.tag, c.tag);
    }
}

TEST(BrowseRules, SearchKindsByFieldType)
{
    EXPECT_EQ(AramaTuruBelirle(QMetaType::Int), AramaTuru::Sayisal);
    EXPECT_EQ(AramaTuruBelirle(QMetaType::Double), AramaTuru::Sayisal);
    EXPECT_EQ(AramaTuruBelirle(QMetaType::QDateTime), AramaTuru::Tarih);
    EXPECT_EQ(AramaTuruBelirle(QMetaType::LongLong), AramaTuru::Metin);
    EXPECT_EQ(AramaTuruBelirle(QMetaType::Bool), AramaTuru::Metin);
    // Stored timestamps come typed from the database layer; text is never sniffed.
    EXPECT_EQ(AramaTuruBelirle(QMetaType::QString, QDateTime(QDate(2026, 5, 4), QTime(10, 0))), AramaTuru::Tarih);
    EXPECT_EQ(AramaTuruBelirle(QMetaType::QString, QStringLiteral("2026-05-04 10:00:00.000")), AramaTuru::Metin);
    EXPECT_EQ(AramaTuruBelirle(QMetaType::QString, QStringLiteral("ABC")), AramaTuru::Metin);
}

TEST(BrowseRules, SearchTextIsParsedOrBoundNeverSpliced)
{
    const Dialect d(Backend::SQLite);
    const AramaKosulu n = AramaKosuluOlustur(d, AramaTuru::Sayisal, QStringLiteral("BORC"), QStringLiteral("1.234,5"));
    ASSERT_TRUE(n.gecerli());
    EXPECT_EQ(n.kosul, QStringLiteral(" AND BORC>=:ARANAN"));
    EXPECT_DOUBLE_EQ(n.binds.value(QStringLiteral("ARANAN")).toDouble(), 1234.5);
    EXPECT_DOUBLE_EQ(AramaKosuluOlustur(d, AramaTuru::Sayisal, QStringLiteral("BORC"), QString())
                         .binds.value(QStringLiteral("ARANAN")).toDouble(), 0.0);
    EXPECT_FALSE(AramaKosuluOlustur(d, AramaTuru::Sayisal, QStringLiteral("BORC"), QStringLiteral("1 OR 1=1")).gecerli());
    EXPECT_FALSE(AramaKosuluOlustur(d, AramaTuru::Tarih, QStringLiteral("TARIH"), QStringLiteral("dün")).gecerli());
    const AramaKosulu t = AramaKosuluOlustur(d, AramaTuru::Tarih, QStringLiteral("TARIH"), QStringLiteral("04.05.2026"));
    EXPECT_EQ(t.binds.value(QStringLiteral("ARANAN")).toDateTime(), QDate(2026, 5, 4).startOfDay());
    const AramaKosulu m = AramaKosuluOlustur(d, AramaTuru::Metin, QStringLiteral("C.FIRMA_ADI"), QStringLiteral("50%_'x"));
    EXPECT_FALSE(m.kosul.contains(QStringLiteral("50")));
    EXPECT_EQ(m.binds.value(QStringLiteral("ARANAN")).toString(), QStringLiteral("%50\\%\\_'x%"));
    EXPECT_FALSE(AramaKosuluOlustur(d, AramaTuru::Metin, QStringLiteral("A; DROP TABLE X"), QStringLiteral("a")).gecerli());
}

class BrowseTest : public test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        db.exec(QStringLiteral("CREATE TABLE KOD (KOD VARCHAR(10), ADI VARCHAR(30), TUTAR DOUBLE PRECISION, "
                               "TARIH TIMESTAMP)"));
        const struct {
            const char* kod;
            const char* adi;
            double tutar;
            QDate tarih;
        } rows[] = {{"A1", "istanbul şube", 10, {2026, 1, 5}},
                    {"A2", "İZMİR %50", 250, {2026, 2, 1}},
                    {"B1", "O'Brien", 1000, {2026, 3, 1}},
                    {"B2", "Ankara", 5, {2026, 4, 1}}};
        for (const auto& r : rows)
            db.exec(QStringLiteral("INSERT INTO KOD VALUES (:K, :A, :T, :D)"),
                    {{QStringLiteral("K"), QString::fromUtf8(r.kod)}, {QStringLiteral("A"), QString::fromUtf8(r.adi)},
                     {QStringLiteral("T"), r.tutar}, {QStringLiteral("D"), r.tarih.startOfDay()}});
    }

    std::unique_ptr<TFormListeBr> form()
    {
        auto f = std::make_unique<TFormListeBr>(db);
        f->TableBrSql.lines = {QStringLiteral("SELECT KOD, ADI, TUTAR, TARIH"), QStringLiteral("FROM KOD"),
                               QStringLiteral("WHERE 1=1"), QString(), QStringLiteral("ORDER BY KOD")};
        f->TableBr->setCaptions({QStringLiteral("Kod"), QStringLiteral("Adı"), QStringLiteral("Tutar"),
                                 QStringLiteral("Tarih")});
        f->QSil = QStringLiteral("DELETE FROM KOD WHERE KOD=:KOD");
        f->fieldKinds.insert(QStringLiteral("TARIH"), AramaTuru::Tarih);
        f->setkeyfield(QStringLiteral("KOD"));
        f->openTable();
        return f;
    }

    QStringList keys(TFormListeBr& f)
    {
        QStringList out;
        for (int r = 0; r < f.TableBr->rowCount(); ++r)
            out << f.TableBr->index(r, 0).data().toString();
        return out;
    }

    void search(TFormListeBr& f, const QString& column, const QString& text)
    {
        f.setSearchColumn(column);
        f.Tanim->setText(text);
        f.doubleenter = false;
        f.TanimEnter();
    }
};

TEST_F(BrowseTest, SearchesBindTheTypedTextOnEveryKind)
{
    auto f = form();
    EXPECT_EQ(f->Alan->text(), QStringLiteral("Kod"));
    struct C {
        const char* column;
        const char* text;
        QStringList expected;
    } const cases[] = {
        {"ADI", "İST", {QStringLiteral("A1")}},       // Turkish case folding
        {"ADI", "%50", {QStringLiteral("A2")}},       // a typed % is a character
        {"ADI", "'", {QStringLiteral("B1")}},         // an apostrophe is just text
        {"ADI", "_", {}},
        {"TUTAR", "250", {QStringLiteral("A2"), QStringLiteral("B1")}},
        {"TUTAR", "1.000,00", {QStringLiteral("B1")}},
        {"TARIH", "01.03.2026", {QStringLiteral("B1"), QStringLiteral("B2")}},
        {"KOD", "b", {QStringLiteral("B1"), QStringLiteral("B2")}},
    };
    for (const auto& c : cases) {
        search(*f, QString::fromLatin1(c.column), QString::fromUtf8(c.text));
        EXPECT_EQ(keys(*f), c.expected) << c.column << " " << c.text;
    }
    EXPECT_EQ(messages.count(), 0);

    // A word in a number search is refused with a message, the list unchanged.
    search(*f, QStringLiteral("TUTAR"), QStringLiteral("yüz"));
    EXPECT_TRUE(messages.lastText().contains(QStringLiteral("sayı")));
    EXPECT_EQ(keys(*f), (QStringList{QStringLiteral("B1"), QStringLiteral("B2")}));
}

TEST_F(BrowseTest, EmptySearchAsksFirstAndSecondEnterFocusesTheGrid)
{
    auto f = form();
    f->show();
    search(*f, QStringLiteral("ADI"), QStringLiteral("Ank"));
    EXPECT_EQ(keys(*f), QStringList{QStringLiteral("B2")});

    f->Tanim->clear();
    f->doubleenter = false;
    messages.answer(MsgNo);
    QTest::keyClick(f->Tanim, Qt::Key_Return);
    EXPECT_EQ(messages.lastText(), QStringLiteral("Tüm kayıtları görmek istiyor musunuz?"));
    EXPECT_EQ(keys(*f), QStringList{QStringLiteral("B2")});
    QTest::keyClick(f->Tanim, Qt::Key_A);
    QTest::keyClick(f->Tanim, Qt::Key_Backspace);
    messages.answer(MsgYes);
    QTest::keyClick(f->Tanim, Qt::Key_Return);
    EXPECT_EQ(keys(*f).size(), 4) << "a text column gets %% and lists every row";
    const int asked = messages.count();
    QTest::keyClick(f->Tanim, Qt::Key_Return);
    EXPECT_EQ(messages.count(), asked) << "the second Enter only moves on";
}

TEST_F(BrowseTest, PickReturnsTheKeyAndDeleteAsksAndRefreshes)
{
    {
        auto f = form();
        f->applyMode(0, QStringLiteral("Y"));
        f->dbgridbr->setCurrentIndex(f->TableBr->index(1, 0));
        QTest::keyClick(f->dbgridbr, Qt::Key_Return);
        EXPECT_TRUE(f->secim.isNull()) << "Enter picks nothing in mode 0";

        f->applyMode(2, QStringLiteral("Y"));
        EXPECT_FALSE(f->btnNew->isEnabled());
        EXPECT_FALSE(f->btnEdit->isEnabled());
        EXPECT_EQ(f->property("Tag").toInt(), 1);
        QTest::keyClick(f->dbgridbr, Qt::Key_Return);
        EXPECT_EQ(f->secim.toString(), QStringLiteral("A2"));
        EXPECT_EQ(f->result(), QDialog::Accepted);
    }
    auto f = form();
    f->applyMode(0, QStringLiteral("D"));
    f->dbgridbr->setCurrentIndex(f->TableBr->index(0, 0));
    EXPECT_FALSE(f->deleteok(true)) << "D may not delete";
    EXPECT_EQ(messages.count(), 0);
    f->applyMode(0, QStringLiteral("Y"));
    messages.answer(MsgCancel);
    EXPECT_FALSE(f->deleteok(true));
    messages.answer(MsgYes);
    EXPECT_TRUE(f->deleteok(true));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Kayıt Silinsin mi?"));
    EXPECT_EQ(keys(*f), (QStringList{QStringLiteral("A2"), QStringLiteral("B1"), QStringLiteral("B2")}));
}

TEST_F(BrowseTest, DatabaseErrorsInSearchAndDeleteAreReportedAndTheFormStaysUsable)
{
    auto f = form();
    f->applyMode(0, QStringLiteral("Y"));
    f->show();
    f->dbgridbr->setCurrentIndex(f->TableBr->index(0, 0));
    // A delete the database refuses: one message, the row still there, the list still open.
    f->QSil = QStringLiteral("DELETE FROM KOD_YOK WHERE KOD=:KOD");
    messages.answer(MsgYes);
    EXPECT_FALSE(f->deleteok(true));
    EXPECT_TRUE(messages.lastText().startsWith(QStringLiteral("Veritabanı işlemi tamamlanamadı")))
        << messages.lastText().toStdString();
    EXPECT_EQ(keys(*f).size(), 4);
    EXPECT_FALSE(db.inTransaction());

    // A search on a list whose table is missing: reported, not the end of the program.
    db.exec(QStringLiteral("ALTER TABLE KOD RENAME TO KOD_ESKI"));
    messages.clear();
    search(*f, QStringLiteral("ADI"), QStringLiteral("ist"));
    EXPECT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages.lastText().startsWith(QStringLiteral("Veritabanı işlemi tamamlanamadı")));
    EXPECT_TRUE(f->isVisible());
    // The export of that list fails the same way and writes nothing.
    messages.clear();
    f->btnExportClick();
    EXPECT_LE(messages.count(), 1);

    // Once the table is back the same form searches again.
    db.exec(QStringLiteral("ALTER TABLE KOD_ESKI RENAME TO KOD"));
    messages.clear();
    search(*f, QStringLiteral("ADI"), QStringLiteral("ist"));
    EXPECT_EQ(messages.count(), 0) << messages.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(keys(*f), QStringList{QStringLiteral("A1")});
}

// An exception that escapes an event handler no guard wraps is caught by the
// application's last resort and reported the same way.
TEST_F(BrowseTest, TheApplicationReportsAnErrorNoFormCaught)
{
    class Failing : public QObject {
    public:
        bool event(QEvent* e) override
        {
            if (e->type() == QEvent::User)
                throw DbError(DbError::Kind::Busy, QStringLiteral("database is locked"));
            return QObject::event(e);
        }
    } failing;
    ASSERT_TRUE(dynamic_cast<GuardedApplication*>(QCoreApplication::instance()));
    QEvent e(QEvent::User);
    QCoreApplication::sendEvent(&failing, &e);
    EXPECT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages.lastText().contains(QStringLiteral("başka bir kullanıcı tarafından kullanılıyor")));
    // Guard itself: the action's result tells whether it completed.
    EXPECT_TRUE(Guard([] {}));
    EXPECT_FALSE(Guard([] { throw std::runtime_error("x"); }));
    EXPECT_EQ(messages.count(), 2);
}

TEST_F(BrowseTest, ListOpensWithoutReadingEveryRow)
{
    Transaction tx(db);
    for (int i = 0; i < 2000; ++i)
        db.exec(QStringLiteral("INSERT INTO KOD (KOD, ADI, TUTAR) VALUES (:K, 'x', :T)"),
                {{QStringLiteral("K"), QStringLiteral("Z%1").arg(i, 5, 10, QLatin1Char('0'))}, {QStringLiteral("T"), i}});
    tx.commit();
    auto f = form();
    EXPECT_LT(f->TableBr->rowCount(), 2004);
    EXPECT_TRUE(f->TableBr->canFetchMore());
    f->locatekeyvalue(QStringLiteral("Z01500"));
    EXPECT_EQ(f->currentValue(QStringLiteral("KOD")).toString(), QStringLiteral("Z01500"));
}

} // namespace
