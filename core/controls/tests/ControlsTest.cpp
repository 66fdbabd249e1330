#include "controls/Arayuz.h"
#include "controls/SayiAlani.h"
#include "controls/TarihEdit.h"
#include "messages/ScriptedMessages.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QHBoxLayout>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace tornaly;

namespace {

// The clerk types a date digit by digit into a field, as at the counter.
TEST(TarihEdit, TakesATypedDateIntoABlankField)
{
    for (const QString& yazilan : {QStringLiteral("15032024"), QStringLiteral("15.03.2024")}) {
        TTarihEdit d;
        d.setBosOlabilir(true);
        d.temizle();
        d.show();
        d.setFocus();
        ASSERT_TRUE(d.bos());
        QTest::keyClicks(&d, yazilan);
        EXPECT_EQ(d.tarih(), QDate(2024, 3, 15)) << yazilan.toStdString();
        EXPECT_EQ(d.text(), QStringLiteral("15.03.2024")) << yazilan.toStdString();
    }
}

TEST(TarihEdit, TakesATypedDateOverAnotherDate)
{
    TTarihEdit d(QDate(2020, 1, 2));
    d.show();
    d.setFocus();
    d.selectAll();
    QTest::keyClicks(&d, QStringLiteral("01.12.2025"));
    EXPECT_EQ(d.date(), QDate(2025, 12, 1));
}

TEST(TarihEdit, CalendarOpensOnTodayWhenBlankAndOnTheDateOtherwise)
{
    TTarihEdit d;
    d.setBosOlabilir(true);
    d.temizle();
    d.show();
    QCalendarWidget* c = d.calendarWidget();
    // The arrow opens the popup; its Show event turns the page.
    const QPoint ok = d.rect().topRight() + QPoint(-5, d.height() / 2);
    QTest::mouseClick(&d, Qt::LeftButton, {}, ok);
    ASSERT_TRUE(c->isVisible());
    EXPECT_EQ(c->yearShown(), QDate::currentDate().year());
    EXPECT_EQ(c->monthShown(), QDate::currentDate().month());
    EXPECT_EQ(d.tarih(), QDate()) << "opening the calendar picks no date";
    c->window()->hide();

    d.setTarih(QDate(2019, 7, 4));
    QTest::mouseClick(&d, Qt::LeftButton, {}, ok);
    ASSERT_TRUE(c->isVisible());
    EXPECT_EQ(c->yearShown(), 2019);
    EXPECT_EQ(c->monthShown(), 7);
    c->window()->hide();
}

TEST(TarihEdit, SpeaksTurkish)
{
    TTarihEdit d;
    EXPECT_EQ(d.calendarWidget()->locale().language(), QLocale::Turkish);
    EXPECT_EQ(d.calendarWidget()->firstDayOfWeek(), Qt::Monday);
    EXPECT_EQ(d.displayFormat(), QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(QLocale().language(), QLocale::Turkish) << "the default locale of the program";
}

TEST(Arayuz, LoadsQtsTurkishTextsWhenTheFileIsThere)
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    EXPECT_FALSE(QtCevirisiniYukle(*app, QDir::tempPath() + QStringLiteral("/yok-boyle-klasor")));
    const QString yer = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(yer + QStringLiteral("/qtbase_tr.qm")))
        GTEST_SKIP() << "Qt's Turkish translations are not installed";
    EXPECT_TRUE(QtCevirisiniYukle(*app, yer));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("İptal"));
}

// Enter in a dialog's search box runs the search and nothing else.
TEST(Arayuz, EnterInADialogsLineEditPressesNoButton)
{
    QDialog d;
    auto* lay = new QHBoxLayout(&d);
    auto* ara = new QLineEdit(&d);
    auto* sec = new QPushButton(QStringLiteral("İş Emri Seç"), &d);
    auto* kaydet = new QPushButton(QStringLiteral("Kaydet"), &d);
    lay->addWidget(ara);
    lay->addWidget(sec);
    lay->addWidget(kaydet);
    int aramalar = 0, secimler = 0, kayitlar = 0;
    QObject::connect(ara, &QLineEdit::returnPressed, [&] { ++aramalar; });
    QObject::connect(sec, &QPushButton::clicked, [&] { ++secimler; });
    QObject::connect(kaydet, &QPushButton::clicked, [&] { ++kayitlar; });
    d.show();
    ara->setFocus();
    QTest::keyClick(ara, Qt::Key_Return);
    QTest::keyClick(ara, Qt::Key_Return);
    EXPECT_EQ(aramalar, 2);
    EXPECT_EQ(secimler, 0);
    EXPECT_EQ(kayitlar, 0);
    // Enter on a button the clerk tabbed to presses that button.
    kaydet->setFocus();
    QTest::keyClick(kaydet, Qt::Key_Return);
    EXPECT_EQ(kayitlar, 1);
    EXPECT_EQ(secimler, 0);
}

TEST(Arayuz, AButtonTheFormNamesDefaultStaysDefault)
{
    QDialog d;
    auto* lay = new QHBoxLayout(&d);
    auto* e = new QLineEdit(&d);
    auto* tamam = new QPushButton(QStringLiteral("Tamam"), &d);
    lay->addWidget(e);
    lay->addWidget(tamam);
    tamam->setDefault(true);
    int n = 0;
    QObject::connect(tamam, &QPushButton::clicked, [&] { ++n; });
    d.show();
    e->setFocus();
    QTest::keyClick(e, Qt::Key_Return);
    EXPECT_EQ(n, 1);
}

TEST(SayiAlani, RefusesTextThatIsNoNumber)
{
    ScriptedMessages messages;
    SetMessageService(&messages);
    struct Case {
        const char* yazilan;
        bool kabul;
        QVariant deger;
    };
    const QList<Case> cases{
        {"12a5x", false, {}},      {"1a0,5b", false, {}}, {"abc", false, {}},    {"1,2,3", false, {}},
        {"", true, QVariant()},    {"  ", true, QVariant()}, {"12500", true, 12500.0}, {"12.500", true, 12500.0},
        {"10,5", true, 10.5},      {"-3", true, -3.0},    {"1.250,75", true, 1250.75},
    };
    for (const Case& c : cases) {
        messages.clear();
        QVariant v = QStringLiteral("önceki");
        const QString t = QString::fromUtf8(c.yazilan);
        EXPECT_EQ(SayiOku(t, &v), c.kabul) << c.yazilan;
        if (c.kabul) {
            EXPECT_EQ(v, c.deger) << c.yazilan;
            EXPECT_EQ(messages.count(), 0) << c.yazilan;
        } else {
            EXPECT_EQ(v, QVariant(QStringLiteral("önceki"))) << c.yazilan << ": nothing is taken";
            EXPECT_EQ(messages.lastText(), SayiDegilMesaji(t)) << c.yazilan;
        }
    }
}

} // namespace
