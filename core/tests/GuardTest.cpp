#include "db/DbError.h"
#include "guard/FormGuard.h"
#include "guard/IslemReddi.h"
#include "guard/WaitCursor.h"
#include "messages/ScriptedMessages.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace tornaly;

namespace {

// Records, with each box, whether a wait cursor was over it.
class CursorMessages : public ScriptedMessages {
public:
    QList<bool> waitCursorOverBox;
    MsgButton show(MsgIcon icon, const QString& text, MsgButtons buttons, MsgButton def,
                   const QString& caption) override
    {
        const QCursor* c = QGuiApplication::overrideCursor();
        waitCursorOverBox << (c && c->shape() == Qt::WaitCursor);
        return ScriptedMessages::show(icon, text, buttons, def, caption);
    }
};

bool waitCursorShown()
{
    const QCursor* c = QGuiApplication::overrideCursor();
    return c && c->shape() == Qt::WaitCursor;
}

class GuardTest : public ::testing::Test {
protected:
    void SetUp() override { SetMessageService(&messages); }
    void TearDown() override { SetMessageService(nullptr); }
    CursorMessages messages;
};

TEST_F(GuardTest, ARefusalIsShownInItsOwnWordsAndADatabaseErrorAsOneSentence)
{
    EXPECT_FALSE(Guard([] { throw IslemReddi(QStringLiteral("Fatura No Yazılmadan Kayıt Saklanamaz."),
                                             MsgIcon::Warning); }));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.entries().last().text, QStringLiteral("Fatura No Yazılmadan Kayıt Saklanamaz."));
    EXPECT_EQ(messages.entries().last().icon, MsgIcon::Warning);

    EXPECT_FALSE(Guard([] { throw DbError(DbError::Kind::Other, QStringLiteral("no such table: CARIHRK")); }));
    ASSERT_EQ(messages.count(), 2);
    EXPECT_EQ(messages.lastText(), FailureText(std::make_exception_ptr(DbError(DbError::Kind::Other, {}))));
    EXPECT_FALSE(messages.lastText().contains(QStringLiteral("CARIHRK"))) << "the driver's text goes to the log";
}

TEST_F(GuardTest, TheWaitCursorNeverCoversTheMessageAndComesBackAfterIt)
{
    ASSERT_FALSE(waitCursorShown());
    // The action's own wait cursor is gone before the guard shows the failure.
    Guard([] {
        WaitCursor wait;
        EXPECT_TRUE(waitCursorShown());
        throw DbError(DbError::Kind::Busy, QStringLiteral("locked"));
    });
    // A wait cursor held around the action is lifted for the box and restored.
    {
        WaitCursor outer;
        Guard([] { throw IslemReddi(QStringLiteral("Kayıt bulunamadı.")); });
        EXPECT_TRUE(waitCursorShown());
        {
            NormalCursor box;
            EXPECT_FALSE(waitCursorShown());
            WaitCursor inner; // work started from the box's dialog
            EXPECT_TRUE(waitCursorShown());
        }
        EXPECT_TRUE(waitCursorShown());
    }
    EXPECT_EQ(messages.waitCursorOverBox, (QList<bool>{false, false}));
    EXPECT_FALSE(waitCursorShown()) << "every wait cursor was restored";
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(GuardTest, AGuardedSlotGetsTheSignalsLeadingArgumentsAndSurvivesAFailure)
{
    QTableWidget grid(2, 2);
    grid.setItem(0, 0, new QTableWidgetItem(QStringLiteral("a")));
    grid.setItem(1, 1, new QTableWidgetItem(QStringLiteral("c")));
    QList<int> rows;
    // A slot taking fewer arguments than the signal gets the leading ones.
    QObject::connect(&grid, &QTableWidget::cellChanged, &grid, Guarded([&](int r) {
        rows << r;
        if (r == 1)
            throw DbError(DbError::Kind::Other, QStringLiteral("x"));
    }));
    grid.item(0, 0)->setText(QStringLiteral("b"));
    grid.item(1, 1)->setText(QStringLiteral("d"));
    EXPECT_EQ(rows, (QList<int>{0, 1}));
    EXPECT_EQ(messages.count(), 1);

    // A member slot with its object.
    struct Sayac : QObject {
        int n = 0;
        void tikla() { ++n; }
    } sayac;
    QPushButton b;
    QObject::connect(&b, &QPushButton::clicked, &sayac, Guarded(&sayac, &Sayac::tikla));
    b.click();
    b.click();
    EXPECT_EQ(sayac.n, 2);
}

} // namespace
