#include "controls/ColorButton.h"
#include "controls/DBCurEdit.h"
#include "company/FirSecO.h"
#include "connection/ConnectionSettings.h"
#include "connection/VeriTabLogin.h"
#include "context/SessionContext.h"
#include "currency/Takv.h"
#include "dialogs/GridGoster.h"
#include "dialogs/MesajGoster.h"
#include "dialogs/MesajInput.h"
#include "dialogs/WebBrowser.h"
#include "login/Sifre2.h"
#include "tools/AboutBox.h"
#include "platform/Desktop.h"
#include "testsupport/TestSupport.h"
#include "util/WebPages.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

using namespace tornaly;

namespace {

TEST(WebPage, CredentialsNeverGoIntoTheAddress)
{
    struct C {
        const char* adres;
        const char* param;
        const char* metod;
        bool login;
        const char* url;
        bool post;
        const char* govde;
    } const cases[] = {
        {"http://sms.example/gonder", " a=1&b=2 ", "get", false, "http://sms.example/gonder?a=1&b=2", false, ""},
        {"http://sms.example/gonder/", "a=1", "GET", false, "http://sms.example/gonder/a=1", false, ""},
        {"http://sms.example/", "", "GET", false, "http://sms.example/", false, ""},
        {"http://sms.example/p", "a=1", "post", false, "http://sms.example/p", true, "a=1"},
        {"http://sms.example/p", "a=1", "GET", true, "http://sms.example/p", true, "a=1&user=ay%C5%9Fe&pass=p%26%3D%20x"},
        {"http://sms.example/p", "", "POST", true, "http://sms.example/p", true, "user=ay%C5%9Fe&pass=p%26%3D%20x"},
        // Typed text is percent-encoded as UTF-8; escapes already there stay.
        {"http://x.example/p", "ad=Ayşe Öz&not=a#b&y=%41%", "get", false,
         "http://x.example/p?ad=Ay%C5%9Fe%20%C3%96z&not=a%23b&y=%41%25", false, ""},
        {"http://x.example/p", "ad=Ayşe", "post", false, "http://x.example/p", true, "ad=Ay%C5%9Fe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.adres);
        const WebIstegi r = WebIstegiHazirla(QString::fromUtf8(c.adres), QString::fromUtf8(c.param),
                                             QString::fromUtf8(c.metod), c.login, QStringLiteral("ayşe"),
                                             QStringLiteral("p&= x"));
        EXPECT_EQ(r.adres, QString::fromUtf8(c.url));
        EXPECT_EQ(r.post, c.post);
        EXPECT_EQ(r.govde, QByteArray(c.govde));
        EXPECT_FALSE(r.adres.contains(QStringLiteral("pass")));
    }
}

// What a browser gets for an address: status and body.
std::pair<int, QString> fetch(const QString& url)
{
    QNetworkAccessManager net;
    QNetworkReply* reply = net.get(QNetworkRequest(QUrl(url)));
    QSignalSpy done(reply, &QNetworkReply::finished);
    EXPECT_TRUE(done.wait(5000));
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString body = QString::fromUtf8(reply->readAll());
    delete reply;
    return {status, body};
}

TEST(WebPage, PostPageIsServedOnceFromMemory)
{
    QStringList opened;
    SetOpenUrlHook([&](const QUrl& u) { opened << u.toString(); });
    SessionContext ctx;
    ctx.AktifKullanici.login = QStringLiteral("ali");
    ctx.AktifKullanici.password = QStringLiteral("<gizli>");
    EXPECT_TRUE(OpenWebPage(ctx, QString(), QString(), QStringLiteral("GET"), true).isEmpty());
    EXPECT_TRUE(opened.isEmpty()) << "an empty address only shows the window";
    ASSERT_TRUE(FormWebBrowser);

    const QString page = OpenWebPage(ctx, QStringLiteral("http://sms.example/p"), QStringLiteral("msg=Merhaba+D%C3%BCnya"),
                                     QStringLiteral("GET"), true);
    ASSERT_EQ(opened, QStringList{page});
    EXPECT_EQ(FormWebBrowser->cxLabel1->text(), QStringLiteral("Adres: http://sms.example/p"));
    // A loopback address with a random path, not a file.
    const QUrl url(page);
    EXPECT_EQ(url.scheme(), QStringLiteral("http"));
    EXPECT_EQ(url.host(), QStringLiteral("127.0.0.1"));
    EXPECT_GE(url.path().size(), 33);
    EXPECT_FALSE(page.contains(QStringLiteral("gizli")));

    QUrl wrong = url;
    wrong.setPath(QStringLiteral("/favicon.ico"));
    EXPECT_EQ(fetch(wrong.toString()).first, 404);
    const auto [status, html] = fetch(page);
    EXPECT_EQ(status, 200);
    EXPECT_TRUE(html.contains(QStringLiteral("method=\"post\" action=\"http://sms.example/p\"")));
    EXPECT_TRUE(html.contains(QStringLiteral("name=\"msg\" value=\"Merhaba Dünya\"")));
    EXPECT_TRUE(html.contains(QStringLiteral("name=\"pass\" value=\"&lt;gizli&gt;\"")));
    EXPECT_TRUE(html.contains(QStringLiteral("submit()")));
    // Served once: the page (and the login in it) is gone afterwards.
    EXPECT_NE(fetch(page).first, 200);

    // A GET carries no login and goes straight to the address.
    const QString get = OpenWebPage(ctx, QStringLiteral("http://x.example/a"), QStringLiteral("q=1"), QString(), false);
    EXPECT_EQ(get, QStringLiteral("http://x.example/a?q=1"));
    EXPECT_EQ(opened.last(), get);
    delete FormWebBrowser.data();
    SetOpenUrlHook({});
}

TEST(SharedDialogs, FreeTextIsRequiredAndCancelEmptiesTheRecord)
{
    ScriptedMessages messages;
    SetMessageService(&messages);
    TSorgu s;
    s.str1 = QStringLiteral("eski");
    s.str2 = QStringLiteral("eski");
    QTimer::singleShot(0, [] {
        auto* f = qobject_cast<TFormMesajInput*>(QApplication::activeModalWidget());
        ASSERT_TRUE(f);
        EXPECT_EQ(f->cxLabel1->text(), QStringLiteral("Not giriniz"));
        f->BtnVazgec->click();
    });
    AskFreeText(QStringLiteral("Not giriniz"), s);
    EXPECT_TRUE(s.str1.isEmpty());
    EXPECT_TRUE(s.str2.isEmpty());

    QTimer::singleShot(0, [] {
        auto* f = qobject_cast<TFormMesajInput*>(QApplication::activeModalWidget());
        ASSERT_TRUE(f);
        f->Memo1->setPlainText(QStringLiteral("   "));
        f->BtnOnayla->click();
        EXPECT_TRUE(f->isVisible()) << "an empty text keeps the box open";
        f->Memo1->setPlainText(QStringLiteral("Müşteri aradı"));
        f->BtnOnayla->click();
    });
    AskFreeText(QStringLiteral("Not"), s);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Lütfen giriş yapınız!")});
    EXPECT_EQ(s.str1.str(), QStringLiteral("1"));
    EXPECT_EQ(s.str2.str(), QStringLiteral("Müşteri aradı"));
    SetMessageService(nullptr);
}

TEST(SharedDialogs, DataGridIsOneWindowRebound)
{
    QStandardItemModel a(2, 1), b(3, 2);
    TFormGridGoster* first = ShowDataGrid(&a, QStringLiteral("Birinci"));
    TFormGridGoster* second = ShowDataGrid(&b, QStringLiteral("Doğum günleri yaklaşmış araç satışı olmuş müşteriler"));
    EXPECT_EQ(first, second);
    EXPECT_EQ(second->cxGrid->model(), &b);
    EXPECT_EQ(second->windowTitle(), QStringLiteral("Doğum günleri yaklaşmış araç satışı olmuş müşteriler"));
    delete FormGridGoster.data();
}

TEST(CustomControls, MoneyEditKeepsTheMinusSign)
{
    struct C {
        const char* text;
        bool ok;
        QVariant value;
    } const cases[] = {
        {"1.234,56", true, 1234.56}, {"-5", true, 5.0}, {"5-", true, 5.0}, {"-1.000,5", true, 1000.5},
        {"0,07", true, 0.07},        {"", true, QVariant()}, {"12a", false, QVariant()}, {"1,2,3", false, QVariant()},
    };
    for (const auto& c : cases) {
        QVariant v;
        EXPECT_EQ(CurrencyEditTextToValue(QString::fromUtf8(c.text), &v), c.ok) << c.text;
        if (c.ok && c.value.isValid()) {
            EXPECT_DOUBLE_EQ(v.toDouble(), c.value.toDouble()) << c.text;
        }
        if (c.ok && !c.value.isValid()) {
            EXPECT_TRUE(v.isNull()) << c.text;
        }
    }

    QStandardItemModel model(1, 1);
    model.setData(model.index(0, 0), 10.0);
    TDBCurrencyEdit edit;
    edit.setDataField(&model, model.index(0, 0));
    EXPECT_EQ(edit.text(), QStringLiteral("10,00"));
    // Only digits and the comma are written back: the minus sign is dropped.
    edit.setText(QStringLiteral("-250,5"));
    ASSERT_TRUE(edit.writeBack());
    EXPECT_DOUBLE_EQ(model.data(model.index(0, 0)).toDouble(), 250.5);
    edit.setText(QStringLiteral("x"));
    EXPECT_FALSE(edit.writeBack());
    EXPECT_DOUBLE_EQ(model.data(model.index(0, 0)).toDouble(), 250.5);
}

TEST(CustomControls, ColorButtonKeysAndColours)
{
    QWidget host;
    auto* b = new TColorButton(&host);
    b->setText(QStringLiteral("Dövi&z Kurları"));
    host.show();
    QApplication::setActiveWindow(&host);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    QSignalSpy clicks(b, &QAbstractButton::clicked);
    EXPECT_EQ(b->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Z));
    QTest::keyClick(host.windowHandle(), Qt::Key_Z, Qt::AltModifier);
    clicks.wait(2000); // an accelerator shows the pressed look before it clicks
    EXPECT_EQ(clicks.count(), 1) << "the accelerator letter clicks";
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Space);
    QTest::keyClick(b, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 3);
    b->setEnabled(false);
    EXPECT_EQ(b->state(), TColorButton::bsDisabled);
    QTest::keyClick(b, Qt::Key_Space);
    QTest::keyClick(b, Qt::Key_Return);
    QTest::keyClick(host.windowHandle(), Qt::Key_Z, Qt::AltModifier);
    QTest::qWait(400); // an accelerator clicks with the pressed look first
    EXPECT_EQ(clicks.count(), 3);
    EXPECT_EQ(TColorButton::lightColor(QColor(200, 10, 100)), QColor(255, 74, 164));
    EXPECT_EQ(TColorButton::darkColor(QColor(200, 10, 100)), QColor(136, 0, 36));
    const QRect area(0, 0, 100, 40);
    EXPECT_EQ(TColorButton::pictureRect(TColorButton::alMiddleLeft, area, QSize(10, 10)).right(), area.right());
    EXPECT_EQ(TColorButton::pictureRect(TColorButton::alBottomCenter, area, QSize(10, 10)).top(), 0);
    b->grab(); // paints without a picture or focus
}

} // namespace

namespace tornaly {
namespace {

// Each small dialog, at the size it first opens with, shows all it holds:
// the dialog gets at least its preferred size and no visible control is
// squeezed below its minimum or cut off at the dialog's edge.
TEST(SmallDialogs, ShowTheirWholeContentAtTheirFirstSize)
{
    SessionContext ctx;
    TConnectionSettings settings;
    TDbParamLists lists;
    const QString shots = qEnvironmentVariable("TORNALY_SHOTS");
    const std::vector<std::pair<const char*, std::function<QDialog*()>>> dialogs = {
        {"VeriTabLogin", [] { return new TFormVeriTabLogin; }},
        {"FirmaSec", [&] { return new TFormFirmaSec(settings, lists, ctx); }},
        {"MesajInput", [] { return new TFormMesajInput; }},
        {"MesajGoster", [] { return new TFormMesajGoster; }},
        {"Takvim", [] { return new TTkvmForm; }},
        {"Sifre", [&] { return new TPassWordDlg(ctx, false); }},
        {"Hakkinda", [] { return new TAboutBox; }},
    };
    for (const auto& [name, make] : dialogs) {
        std::unique_ptr<QDialog> d(make());
        d->show();
        QApplication::processEvents();
        EXPECT_GE(d->width(), d->sizeHint().width()) << name;
        EXPECT_GE(d->height(), d->sizeHint().height()) << name;
        const QRect inside = d->rect();
        for (QWidget* w : d->findChildren<QWidget*>()) {
            // The controls the dialog lays out (not the parts inside a control).
            const QLayout* laidOutBy = w->parentWidget() ? w->parentWidget()->layout() : nullptr;
            if (!w->isVisibleTo(d.get()) || w->isWindow() || !laidOutBy || laidOutBy->indexOf(w) < 0)
                continue;
            const QSize min = w->minimumSizeHint();
            if (min.isValid()) {
                EXPECT_GE(w->width(), min.width()) << name << " " << w->objectName().toStdString() << " "
                                                   << w->metaObject()->className();
                EXPECT_GE(w->height(), min.height()) << name << " " << w->objectName().toStdString() << " "
                                                     << w->metaObject()->className();
            }
            const QRect at(w->mapTo(d.get(), QPoint(0, 0)), w->size());
            EXPECT_TRUE(inside.contains(at)) << name << " " << w->objectName().toStdString() << " "
                                             << w->metaObject()->className();
        }
        if (!shots.isEmpty())
            d->grab().save(QDir(shots).filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
    }
}

} // namespace
} // namespace tornaly
