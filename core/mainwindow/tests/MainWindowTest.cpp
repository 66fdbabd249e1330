#include "context/SessionContext.h"
#include "mainwindow/A_Pro.h"
#include "mainwindow/Commands.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/SeparatePrograms.h"
#include "mainwindow/TileControl.h"
#include "messages/ScriptedMessages.h"
#include "platform/Desktop.h"
#include "settings/Settings.h"
#include "testsupport/QtPrinters.h"
#include "tools/AboutBox.h"
#include "util/Programs.h"
#include "util/WebPages.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QSet>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tornaly;

namespace {

t_user FullRights()
{
    t_user u;
    u.login = QStringLiteral("YONETICI");
    u.name = QStringLiteral("Sistem Yöneticisi");
    u.u_type = QStringLiteral("A");
    for (QString* f : {&u.beyan, &u.alis, &u.satis, &u.stok, &u.cari, &u.isemri, &u.dispoz, &u.pdi, &u.personel,
                       &u.exper, &u.frtfct, &u.dov_kur, &u.diger05, &u.diger09, &u.diger10})
        *f = QStringLiteral("Y");
    u.diger15 = QStringLiteral("O");
    u.diger16 = QStringLiteral("R");
    return u;
}

t_user NoRights()
{
    t_user u;
    u.login = QStringLiteral("STAJYER");
    return u;
}

// A dialog that closes itself as soon as it is shown, so modal calls return.
class SelfClosingDialog : public QDialog {
public:
    using QDialog::QDialog;
    static inline int made = 0;
    static inline int shown = 0;

protected:
    void showEvent(QShowEvent* e) override
    {
        QDialog::showEvent(e);
        ++shown;
        QTimer::singleShot(0, this, &QDialog::reject);
    }
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMessageService(&messages);
        Targets().clear();
        SelfClosingDialog::made = SelfClosingDialog::shown = 0;
        ctx.FirmaAdi = QStringLiteral("Anadolu Otomotiv A.Ş.");
        ctx.CalismaYili = QStringLiteral("2024");
        ctx.AktifKullanici = FullRights();
    }
    void TearDown() override
    {
        form.reset();
        deleteOtherWindows();
        Targets().clear();
        SetProgramStartHook({});
        SetOpenDocumentHook({});
        SetOpenUrlHook({});
        SetMessageService(nullptr);
    }

    void deleteOtherWindows()
    {
        // Only windows of their own: menus and forms of the main window go with it.
        QList<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!w->parentWidget() && w != form.get())
                windows << w;
        for (const QPointer<QWidget>& w : windows)
            delete w.data();
    }

    // Every routine the window calls records its request; every form is a self-closing dialog.
    void registerAll()
    {
        for (const Command& c : MainCommands()) {
            if (c.target.isEmpty() || c.way == Way::Program || Targets().isRegistered(c.target))
                continue;
            if (c.way == Way::Routine) {
                RegisterRoutine(c.target, [this](const OpenRequest& r) { calls << r; });
            } else {
                RegisterForm(c.target, [](const OpenRequest& r) {
                    ++SelfClosingDialog::made;
                    return new SelfClosingDialog(r.owner);
                });
            }
        }
    }

    TAnaForm& window()
    {
        if (!form)
            form = std::make_unique<TAnaForm>(ctx);
        return *form;
    }

    ScriptedMessages messages;
    SessionContext ctx;
    std::unique_ptr<TAnaForm> form;
    QList<OpenRequest> calls;
};

TEST_F(MainWindowTest, EveryCommandExistsWithItsCaption)
{
    TAnaForm& w = window();
    for (const Command& c : MainCommands()) {
        SCOPED_TRACE(c.id.toStdString());
        if (c.place == Place::Menu || c.place == Place::MenuBar) {
            QAction* a = w.menuAction(c.id);
            ASSERT_NE(a, nullptr);
            EXPECT_EQ(a->text(), c.caption);
        } else {
            QAbstractButton* b = w.commandButton(c.id);
            ASSERT_NE(b, nullptr);
            EXPECT_EQ(b->text(), c.caption);
        }
    }
    EXPECT_EQ(w.windowTitle(), QStringLiteral("OTOMOTİV SERVİS YAZILIMI"));
    auto* tiles = w.findChild<TileControl*>(QStringLiteral("dxTileControl1"));
    ASSERT_NE(tiles, nullptr);
    ASSERT_EQ(tiles->groupCount(), 4);
    QStringList group1;
    for (TileItem* t : tiles->tiles(1))
        group1 << t->text();
    EXPECT_EQ(group1, (QStringList{"İşemirleri", "İşemri Aç", "İşemri Yedek Parça", "İşemri Kapat",
                                   "İşemri Fatura İşlemleri", "Hasar", "Araç Ruhsat", "İşçilik Kodları",
                                   "Bakım Paketleri", "Garanti Talepleri"}));
    EXPECT_EQ(tiles->tiles(0).size(), 5);
    EXPECT_EQ(tiles->tiles(2).size(), 9);
    EXPECT_EQ(tiles->tiles(3).size(), 2);
}

TEST_F(MainWindowTest, UnregisteredTargetsStayDisabledUntilTheirModuleRegisters)
{
    TAnaForm& w = window();
    EXPECT_FALSE(w.isCommandEnabled(QStringLiteral("TileCariKayitlari")));
    EXPECT_FALSE(w.commandButton(QStringLiteral("TileCariKayitlari"))->isEnabled());
    // The voucher list comes with the accounting module.
    EXPECT_FALSE(w.isCommandEnabled(QStringLiteral("BtnMuhasebe")));
    EXPECT_FALSE(w.menuAction(QStringLiteral("Cari1"))->isEnabled());
    // Built into the core or not needing a module.
    for (const char* id : {"ProgramHakkinda1", "BtnHakkinda", "BtnYardim", "BtnCikis", "YeniOturum1",
                           "IzgaraKolonAyarlariniSakla1", "BtnRaporlar"})
        EXPECT_TRUE(w.isCommandEnabled(QString::fromUtf8(id))) << id;

    RegisterRoutine(QString::fromLatin1(entry::CariSec), [this](const OpenRequest& r) { calls << r; });
    EXPECT_TRUE(w.commandButton(QStringLiteral("TileCariKayitlari"))->isEnabled());
    EXPECT_TRUE(w.commandButton(QStringLiteral("TileCariKayitlari2"))->isEnabled());
    EXPECT_TRUE(w.menuAction(QStringLiteral("Cari1"))->isEnabled());
    w.triggerCommand(QStringLiteral("Cari1"));
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].target, QStringLiteral("CariSec"));

    Targets().unregister(QString::fromLatin1(entry::CariSec));
    EXPECT_FALSE(w.menuAction(QStringLiteral("Cari1"))->isEnabled());
    w.triggerCommand(QStringLiteral("Cari1"));
    EXPECT_EQ(calls.size(), 1);
}

struct RightCase {
    const char* what;
    std::function<void(t_user&)> change;
    const char* id;
    bool enabled;
};

TEST_F(MainWindowTest, EnabledItemsFollowTheRightLetters)
{
    registerAll();
    const RightCase cases[] = {
        {"full rights", [](t_user&) {}, "ModelTanimlari1", true},
        {"diger05 H", [](t_user& u) { u.diger05 = "H"; }, "ModelTanimlari1", false},
        {"diger05 empty", [](t_user& u) { u.diger05 = ""; }, "RenkTanimlari1", false},
        {"diger05 O", [](t_user& u) { u.diger05 = "O"; }, "AksesuarTanimlari1", true},
        {"diger05 H", [](t_user& u) { u.diger05 = "H"; }, "ModelSegmentTipTanimlari1", false},
        {"frtfct H", [](t_user& u) { u.frtfct = "H"; }, "IscilikHizmetMasraf1", false},
        {"dov_kur H", [](t_user& u) { u.dov_kur = "H"; }, "BtnDovizKurlari", false},
        {"dov_kur H, the menu item has no test", [](t_user& u) { u.dov_kur = "H"; }, "DovizKurlari1", true},
        {"pdi H", [](t_user& u) { u.pdi = "H"; }, "BtnPDI", false},
        {"pdi O", [](t_user& u) { u.pdi = "O"; }, "BtnPDI", true},
        {"exper H", [](t_user& u) { u.exper = "H"; }, "BtnHasar", false},
        {"diger09 H", [](t_user& u) { u.diger09 = "H"; }, "CekSenetBordrolari1", false},
        {"diger09 H", [](t_user& u) { u.diger09 = "H"; }, "CekSenetKarti1", false},
        {"diger09 H", [](t_user& u) { u.diger09 = "H"; }, "BtnCekSenet", false},
        {"diger09 H", [](t_user& u) { u.diger09 = "H"; }, "CariHareketGirisleri1", false},
        {"diger09 O", [](t_user& u) { u.diger09 = "O"; }, "CariHareketGirisleri1", true},
        {"diger10 H", [](t_user& u) { u.diger10 = "H"; }, "BtnMuhasebe", false},
        {"diger10 H", [](t_user& u) { u.diger10 = "H"; }, "Banka1", false},
        {"diger10 H", [](t_user& u) { u.diger10 = "H"; }, "KasaFisleri1", false},
        {"diger10 D", [](t_user& u) { u.diger10 = "D"; }, "KasaKarti1", true},
        {"diger15 O", [](t_user& u) { u.diger15 = "O"; }, "IsemriIzleme1", true},
        {"diger15 Y", [](t_user& u) { u.diger15 = "Y"; }, "IsemriIzleme1", false},
        {"diger16 T", [](t_user& u) { u.diger16 = "T"; }, "MusteriAramaSorgu1", true},
        {"diger16 Y", [](t_user& u) { u.diger16 = "Y"; }, "MusteriAramaSorgu1", false},
        {"stok H: menu items without a test still open", [](t_user& u) { u.stok = "H"; }, "StokGrup1", true},
        {"stok H: menu items without a test still open", [](t_user& u) { u.stok = "H"; }, "Depo1", true},
        {"stok H: tiles are never disabled", [](t_user& u) { u.stok = "H"; }, "TileStokKayitlari", true},
        {"no rights: tiles are never disabled", [](t_user& u) { u = NoRights(); }, "TileBankaKayitlari", true},
        {"no rights", [](t_user& u) { u = NoRights(); }, "MarkaTanimlari1", true},
    };
    for (const RightCase& c : cases) {
        SCOPED_TRACE(std::string(c.what) + " / " + c.id);
        ctx.AktifKullanici = FullRights();
        c.change(ctx.AktifKullanici);
        form.reset();
        TAnaForm& w = window();
        w.user_view();
        const QString id = QString::fromUtf8(c.id);
        EXPECT_EQ(w.isCommandEnabled(id), c.enabled);
        if (QAction* a = w.menuAction(id))
            EXPECT_EQ(a->isEnabled(), c.enabled);
        else
            EXPECT_EQ(w.commandButton(id)->isEnabled(), c.enabled);
    }
}

TEST_F(MainWindowTest, MenusAndSqlItemFollowTheUser)
{
    registerAll();
    TAnaForm& w = window();
    EXPECT_TRUE(w.menuAction(QStringLiteral("SQL1"))->isVisible());
    EXPECT_TRUE(w.isMenuEnabled(QStringLiteral("PDKS1")));
    for (const char* type : {"K", "", "a", "B"}) {
        ctx.AktifKullanici.u_type = QString::fromUtf8(type);
        ctx.AktifKullanici.personel = QStringLiteral("D");
        w.user_view();
        EXPECT_FALSE(w.menuAction(QStringLiteral("SQL1"))->isVisible()) << type;
        EXPECT_FALSE(w.isCommandVisible(QStringLiteral("SQL1")));
        EXPECT_FALSE(w.isMenuEnabled(QStringLiteral("PDKS1")));
    }
    w.show();
    EXPECT_EQ(w.menu(QStringLiteral("FinansIslemleri1"))->title(), QStringLiteral("Ön Muhasebe"));
    for (const char* hidden : {"BakimPaketleri1", "PDKS1", "CRM1", "Raporlar1", "Planlama1"})
        EXPECT_FALSE(w.menu(QString::fromUtf8(hidden))->menuAction()->isVisible()) << hidden;
    EXPECT_FALSE(w.findChild<QWidget*>(QStringLiteral("Panel2"))->isVisible());
    // Of the code tables only the manufacturer codes are offered.
    for (int tag = 1; tag <= 8; ++tag)
        EXPECT_EQ(w.menuAction(QStringLiteral("HasarKod%1").arg(tag))->isVisible(), tag == 8) << tag;
}

struct ClickCase {
    const char* what;
    std::function<void(t_user&)> change;
    const char* id;
    bool opens;
    bool warns;
};

TEST_F(MainWindowTest, ClickedCommandsTestTheirRights)
{
    registerAll();
    const ClickCase cases[] = {
        {"stok H", [](t_user& u) { u.stok = "H"; }, "TileStokKayitlari", false, true},
        {"stok H", [](t_user& u) { u.stok = "H"; }, "TileIsemriYedekParca", false, true},
        {"stok H", [](t_user& u) { u.stok = "H"; }, "StokGrup1", true, false},
        {"stok empty", [](t_user& u) { u.stok = ""; }, "TileStokKayitlari", false, true},
        {"stok O", [](t_user& u) { u.stok = "O"; }, "TileStokKayitlari", true, false},
        {"diger15 Y", [](t_user& u) { u.diger15 = "Y"; }, "TileIsemirleri", false, true},
        {"diger15 O", [](t_user& u) { u.diger15 = "O"; }, "TileIsemirleri", true, false},
        {"cari H", [](t_user& u) { u.cari = "H"; }, "TileCariKayitlari2", false, true},
        {"cari H: the menu item has no test", [](t_user& u) { u.cari = "H"; }, "Cari1", true, false},
        {"alis H", [](t_user& u) { u.alis = "H"; }, "TileAlisIslemleri", false, true},
        {"satis H", [](t_user& u) { u.satis = "H"; }, "TileIsemriFatura", false, true},
        {"isemri H", [](t_user& u) { u.isemri = "H"; }, "TileIsemriAc", false, true},
        {"dispoz H", [](t_user& u) { u.dispoz = "H"; }, "TileIsemriKapat", false, true},
        {"beyan H", [](t_user& u) { u.beyan = "H"; }, "TileAracRuhsat", false, true},
        {"diger10 H", [](t_user& u) { u.diger10 = "H"; }, "TileKasaIslemleri", false, true},
        {"diger09 H", [](t_user& u) { u.diger09 = "H"; }, "TileCekSenetKarti", false, true},
        {"diger09 H: the voucher browse is closed", [](t_user& u) { u.diger09 = "H"; }, "TileCariHareketleri", false, true},
        {"diger09 empty", [](t_user& u) { u.diger09 = ""; }, "TileCariHareketleri", false, true},
        {"diger09 O: browse only", [](t_user& u) { u.diger09 = "O"; }, "TileCariHareketleri", true, false},
        {"clerk", [](t_user& u) { u.u_type = "K"; }, "TileSistemYonetimi", false, true},
        {"supervisor", [](t_user& u) { u.u_type = "S"; }, "TileSistemYonetimi", false, true},
        {"administrator", [](t_user& u) { u.u_type = "A"; }, "TileSistemYonetimi", true, false},
        {"clerk", [](t_user& u) { u.u_type = "K"; }, "BtnSistemYonetim", false, true},
        {"no test", [](t_user& u) { u = NoRights(); }, "TileHasar", true, false},
        {"no test", [](t_user& u) { u = NoRights(); }, "TileDovizKurlari", true, false},
        {"frtfct H: code tables refuse silently", [](t_user& u) { u.frtfct = "H"; }, "HasarKod8", false, false},
        {"diger16 Y: follow-up list refuses silently", [](t_user& u) { u.diger16 = "Y"; }, "ServisSonrasiArama1", false, false},
        {"diger16 T", [](t_user& u) { u.diger16 = "T"; }, "ServisSonrasiArama1", true, false},
    };
    for (const ClickCase& c : cases) {
        SCOPED_TRACE(std::string(c.what) + " / " + c.id);
        ctx.AktifKullanici = FullRights();
        ctx.AktifKullanici.diger16 = QStringLiteral("Y"); // no follow-up list at show
        c.change(ctx.AktifKullanici);
        form.reset();
        deleteOtherWindows();
        window().user_view();
        calls.clear();
        messages.clear();
        SelfClosingDialog::made = 0;
        window().triggerCommand(QString::fromUtf8(c.id));
        EXPECT_EQ(calls.size() + SelfClosingDialog::made > 0, c.opens);
        if (c.warns) {
            ASSERT_EQ(messages.count(), 1);
            EXPECT_EQ(messages.entries()[0].icon, MsgIcon::Warning);
            EXPECT_EQ(messages.lastText(), NoRightText());
        } else {
            EXPECT_EQ(messages.count(), 0);
        }
    }
}

struct ArgCase {
    const char* id;
    const char* target;
    int mode;
    const char* key;
    int codeType;
    bool today;
};

TEST_F(MainWindowTest, RegisteredOpenersGetTheirArguments)
{
    registerAll();
    ctx.AktifKullanici.diger16 = QStringLiteral("T");
    const ArgCase cases[] = {
        {"TileStokKayitlari", "StokSec", 0, "", 0, false},
        {"TileIsemirleri", "IsemriSec", 5, "", 0, false},
        {"IsPlanlama1", "IsemriSec", 5, "", 0, false},
        {"BtnIsEmirleri", "IsemriSec", 5, "", 0, false},
        {"TileIsemriFatura", "IEFaturaListeSec", 0, "", 0, false},
        {"TileHasar", "ExpertSec", 0, "", 0, false},
        {"TileBakimPaketleri", "IPaketSec", 0, "", 0, false},
        {"TileCariHareketleri", "CariHrkSec", 0, "", 0, false},
        {"TileFisGirisleri", "MFisSec", 0, "", 0, false},
        {"KasaFisleri1", "MFisSec", 0, "", 0, false},
        {"HasarKod8", "HasarKodSec", 0, "", 8, false},
        {"HasarKod3", "HasarKodSec", 0, "", 3, false},
        {"MusteriAramaSorgu1", "AramaSorguGoster", 0, "S", 0, false},
        {"ServisSonrasiArama1", "AramaSorguGoster", 0, "S", 0, false},
        {"AtilStokSorgu1", "BayiStokSorgula", 1, "", 0, false},
        {"PdksGunluk1", "PdksGunlukListeGoster", 0, "", 0, true},
        {"ServisAnketRaporu1", "ServisTelRapGoster", 0, "", 0, false},
        {"SikayetOrani1", "SikayetAracTipiGoster", 0, "", 0, false},
        {"SikayetAracTip1", "SikayetModelGoster", 0, "", 0, false},
        {"BtnTeklif", "TeklifSec", 0, "", 0, false},
        {"BtnCekSenet", "BordroSec", 0, "", 0, false},
        {"Personel1", "PersonelSec", 0, "", 0, false},
        {"Personel2", "PersonelSec", 0, "", 0, false},
        {"TelefonRaporlari1", "", 0, "", 0, false}, // a form, not a routine
    };
    TAnaForm& w = window();
    for (const ArgCase& c : cases) {
        SCOPED_TRACE(c.id);
        calls.clear();
        w.triggerCommand(QString::fromUtf8(c.id));
        if (!*c.target) {
            EXPECT_TRUE(calls.isEmpty());
            continue;
        }
        ASSERT_EQ(calls.size(), 1);
        const OpenRequest& r = calls[0];
        EXPECT_EQ(r.target, QString::fromUtf8(c.target));
        EXPECT_EQ(r.mode, c.mode);
        EXPECT_EQ(r.key, QString::fromUtf8(c.key));
        EXPECT_EQ(r.codeType, c.codeType);
        EXPECT_EQ(r.day, c.today ? QDate::currentDate() : QDate());
        EXPECT_EQ(r.ctx, &ctx);
        EXPECT_EQ(r.owner, &w);
    }
}

TEST_F(MainWindowTest, FollowUpListOpensAtShowForItsUsers)
{
    registerAll();
    for (const char* letter : {"R", "T", "Y", "H"}) {
        ctx.AktifKullanici.diger16 = QString::fromUtf8(letter);
        form.reset();
        calls.clear();
        window().show();
        QCoreApplication::processEvents();
        const bool due = QByteArray(letter) == "R" || QByteArray(letter) == "T";
        ASSERT_EQ(calls.size(), due ? 1 : 0) << letter;
        if (due) {
            EXPECT_EQ(calls[0].target, QStringLiteral("AramaSorguGoster"));
            EXPECT_EQ(calls[0].mode, 1);
            EXPECT_EQ(calls[0].key, QStringLiteral("S"));
        }
    }
}

TEST_F(MainWindowTest, SingleInstanceWindowsOpenOnce)
{
    int made = 0;
    RegisterForm(QString::fromLatin1(entry::TFormIsEmri), [&](const OpenRequest& r) {
        ++made;
        auto* f = new QWidget(r.owner);
        f->setWindowTitle(QStringLiteral("İş Emri"));
        return f;
    });
    TAnaForm& w = window();
    w.triggerCommand(QStringLiteral("TileIsemriAc"));
    w.triggerCommand(QStringLiteral("TileIsemriAc"));
    w.triggerCommand(QStringLiteral("BtnIsemriAc")); // the hidden panel's twin finds the same window
    EXPECT_EQ(made, 1);
    int found = 0;
    QWidget* instance = nullptr;
    for (QWidget* t : QApplication::topLevelWidgets())
        if (t->objectName() == QLatin1String("FormIsEmri")) {
            ++found;
            instance = t;
        }
    ASSERT_EQ(found, 1);
    EXPECT_TRUE(instance->isVisible());
    EXPECT_TRUE(instance->isWindow());

    // Once the user closed and freed it, the next click makes a new one.
    delete instance;
    w.triggerCommand(QStringLiteral("TileIsemriAc"));
    EXPECT_EQ(made, 2);
}

TEST_F(MainWindowTest, KeptAndCreatedOnceFormsAreReused)
{
    registerAll();
    TAnaForm& w = window();
    w.triggerCommand(QStringLiteral("TileDovizKurlari"));
    w.triggerCommand(QStringLiteral("DovizKurlari1"));
    w.triggerCommand(QStringLiteral("BtnDovizKurlari"));
    EXPECT_EQ(SelfClosingDialog::made, 1);
    EXPECT_EQ(SelfClosingDialog::shown, 3);

    SelfClosingDialog::made = 0;
    w.triggerCommand(QStringLiteral("TileStokFisleri"));
    w.triggerCommand(QStringLiteral("StokFisleri1"));
    EXPECT_EQ(SelfClosingDialog::made, 1);

    // Purchase list: a new modal instance each time.
    SelfClosingDialog::made = 0;
    w.triggerCommand(QStringLiteral("TileAlisIslemleri"));
    w.triggerCommand(QStringLiteral("BtnAlisFatura"));
    EXPECT_EQ(SelfClosingDialog::made, 2);
}

TEST_F(MainWindowTest, ReloginWithAnotherUserChangesTheEnabledItems)
{
    registerAll();
    ctx.AktifKullanici.diger16 = QStringLiteral("Y");
    TAnaForm& w = window();
    w.show();
    auto* other = new QWidget;
    other->setObjectName(QStringLiteral("FormIsEmri"));
    other->show();
    EXPECT_TRUE(w.menuAction(QStringLiteral("Banka1"))->isEnabled());
    EXPECT_TRUE(w.menuAction(QStringLiteral("SQL1"))->isVisible());

    // Cancelled: nothing changes.
    int asked = 0;
    w.setReloginRoutine([&](SessionContext&) {
        ++asked;
        return false;
    });
    w.triggerCommand(QStringLiteral("YeniOturum1"));
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(other->isVisible());
    EXPECT_TRUE(w.menuAction(QStringLiteral("Banka1"))->isEnabled());

    // Confirmed with a clerk of another company.
    w.setReloginRoutine([](SessionContext& c) {
        t_user clerk = NoRights();
        clerk.login = QStringLiteral("KASIYER");
        clerk.diger10 = QStringLiteral("O");
        clerk.diger05 = QStringLiteral("H");
        c.AktifKullanici = clerk;
        c.FirmaAdi = QStringLiteral("Ege Oto Servis");
        c.CalismaYili = QStringLiteral("2025");
        return true;
    });
    w.menuAction(QStringLiteral("YeniOturum1"))->trigger();
    EXPECT_FALSE(other->isVisible());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.menuAction(QStringLiteral("Banka1"))->isEnabled());
    EXPECT_FALSE(w.menuAction(QStringLiteral("ModelTanimlari1"))->isEnabled());
    EXPECT_FALSE(w.menuAction(QStringLiteral("SQL1"))->isVisible());
    EXPECT_FALSE(w.commandButton(QStringLiteral("BtnPDI"))->isEnabled());
    EXPECT_FALSE(w.commandButton(QStringLiteral("BtnDovizKurlari"))->isEnabled());
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblKullanici"))->text(), QStringLiteral("Kullanıcı : KASIYER"));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("LabelF"))->text(), QStringLiteral("Ege Oto Servis - 2025"));
    // The tile refuses the clerk when clicked.
    messages.clear();
    w.triggerCommand(QStringLiteral("TileStokKayitlari"));
    EXPECT_EQ(messages.lastText(), NoRightText());
}

TEST_F(MainWindowTest, GridLayoutSwitchIsKeptAcrossRuns)
{
    {
        TAnaForm& w = window();
        QAction* a = w.menuAction(QStringLiteral("IzgaraKolonAyarlariniSakla1"));
        EXPECT_TRUE(a->isCheckable());
        EXPECT_TRUE(a->isChecked());
        EXPECT_TRUE(IzgaraAyarSakla());
        a->trigger();
        EXPECT_FALSE(IzgaraAyarSakla());
    }
    form.reset();
    SetIzgaraAyarSakla(true);
    TAnaForm& again = window();
    EXPECT_FALSE(again.menuAction(QStringLiteral("IzgaraKolonAyarlariniSakla1"))->isChecked());
    EXPECT_FALSE(IzgaraAyarSakla());
    again.menuAction(QStringLiteral("IzgaraKolonAyarlariniSakla1"))->trigger();
    EXPECT_TRUE(IzgaraAyarSakla());
}

TEST_F(MainWindowTest, SeparateProgramsGetNoPasswordOnTheCommandLine)
{
    ctx.AktifKullanici.password = QStringLiteral("Gizli123");
    QList<ProgramStart> started;
    SetProgramStartHook([&](const ProgramStart& s) {
        started << s;
        return true;
    });
    TAnaForm& w = window();

    // Missing: a clear message, nothing started.
    WriteSetting(QStringLiteral("Kalvesa"), ProgramSettingsSection(), QStringLiteral("Sarvelo.exe"),
                 QStringLiteral("/olmayan/Sarvelo"));
    w.triggerCommand(QStringLiteral("MuhasebeFirmaTanim1"));
    EXPECT_TRUE(started.isEmpty());
    ASSERT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages.lastText().contains(QStringLiteral("\"Sarvelo.exe\" programı bulunamadı")));

    QTemporaryDir dir;
    for (const char* name : {"Sarvelo.exe", "Liste.exe"}) {
        const QString path = dir.filePath(QString::fromUtf8(name));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("#!/bin/sh\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        WriteSetting(QStringLiteral("Kalvesa"), ProgramSettingsSection(), QString::fromUtf8(name), path);
    }
    w.triggerCommand(QStringLiteral("BtnRaporlar"));
    w.triggerCommand(QStringLiteral("MuhasebeFirmaTanim1"));
    ASSERT_EQ(started.size(), 2);
    const QStringList loginText = started[0].arguments;
    ASSERT_EQ(loginText.size(), 9);
    EXPECT_EQ(loginText[1], QStringLiteral("YONETICI"));
    EXPECT_EQ(loginText[2], QStringLiteral("¢"));
    EXPECT_EQ(loginText[5], QStringLiteral("2024"));
    EXPECT_EQ(loginText[7], QStringLiteral("Anadolu Otomotiv A.Ş."));
    EXPECT_EQ(started[1].arguments, QStringList{QStringLiteral("YONETICI")});
    for (const ProgramStart& s : started) {
        EXPECT_FALSE(s.arguments.join(' ').contains(QStringLiteral("Gizli123")));
        EXPECT_EQ(s.environment.value(QString::fromLatin1(kLoginPasswordVariable)), QStringLiteral("Gizli123"));
    }
}

TEST_F(MainWindowTest, HelpAndAboutBox)
{
    QStringList documents;
    SetOpenDocumentHook([&](const QString& p) { documents << p; });
    TAnaForm& w = window();
    w.triggerCommand(QStringLiteral("BtnYardim"));
    ASSERT_EQ(documents.size(), 1);
    EXPECT_TRUE(documents[0].endsWith(QStringLiteral(".html")));
    // Written in the user's own folder, never under a fixed name in the shared temporary one.
    EXPECT_FALSE(documents[0].startsWith(QDir::tempPath() + QStringLiteral("/Tornaly"))) << documents[0].toStdString();
    const QFileInfo folder(QFileInfo(documents[0]).absolutePath());
    EXPECT_FALSE(folder.permissions() & (QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::WriteGroup));
    QFile page(documents[0]);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(page.readAll()).contains(QStringLiteral("Oturum Kimliğini Değiştir")));

    QList<QUrl> urls;
    SetOpenUrlHook([&](const QUrl& u) { urls << u; });
    TAboutBox box;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Program Hakkında"));
    EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("ProductName"))->text(), QStringLiteral("Otomotiv Otomasyon Yazılımı"));
    EXPECT_NE(box.findChild<QAbstractButton*>(QStringLiteral("BtnKapat")), nullptr);
    auto* web1 = box.findChild<QLabel*>(QStringLiteral("WebAddress1"));
    EXPECT_FALSE(web1->text().contains(QStringLiteral("#800080")));
    box.WebAddress1Click();
    box.WebAddress2Click();
    ASSERT_EQ(urls.size(), 2);
    EXPECT_EQ(urls[0], QUrl(TAboutBox::firstWebAddress()));
    EXPECT_EQ(urls[1], QUrl(TAboutBox::secondWebAddress()));
    EXPECT_TRUE(web1->text().contains(QStringLiteral("#800080")));
}

TEST_F(MainWindowTest, ExitClosesTheWindow)
{
    TAnaForm& w = window();
    w.show();
    w.triggerCommand(QStringLiteral("BtnCikis"));
    EXPECT_FALSE(w.isVisible());
}

// Renders the window as a full-rights user sees it; with TORNALY_LOOK_DIR set
// the picture is kept there for a look.
TEST_F(MainWindowTest, RendersTheMainWindow)
{
    ctx.AktifKullanici.diger16 = QStringLiteral("Y");
    ctx.AktifKullanici.login = QStringLiteral("SERVİS");
    // A few modules as an installed system has them; the rest show faded.
    for (const char* t : {"StokSec", "CariSec", "CariHrkSec", "BankaSec", "BankaHrkSec", "KasaHrkSec", "MFisSec",
                          "CekSenetSec", "BordroSec", "IsemriSec", "IEFaturaListeSec", "ExpertSec", "FrtSec"})
        RegisterRoutine(QString::fromUtf8(t), [](const OpenRequest&) {});
    for (const char* t : {"TFormDoviz", "TFormIsEmri", "TFormIsDetay", "TFormDispoz", "TFormAlisBak",
                          "TFormSatisBak", "TFormListe", "TBakimForm", "TFormStokFisBak"})
        RegisterForm(QString::fromUtf8(t), [](const OpenRequest& r) { return new QDialog(r.owner); });
    TAnaForm& w = window();
    w.resize(1366, 768);
    w.show();
    QCoreApplication::processEvents();
    const QPixmap picture = w.grab();
    // At the smallest common screen every command is on screen, none cut off.
    const QRect inside = w.rect();
    for (QAbstractButton* b : w.findChildren<QAbstractButton*>()) {
        if (!b->isVisible() || b->objectName().isEmpty())
            continue;
        const QRect r(b->mapTo(&w, QPoint(0, 0)), b->size());
        EXPECT_TRUE(inside.contains(r)) << b->objectName().toStdString();
        EXPECT_GE(r.width(), b->minimumSizeHint().width() / 2) << b->objectName().toStdString();
    }
    // The picture shows something: more than a handful of colours.
    const QImage image = picture.toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < image.height() && colours.size() < 50; y += 7)
        for (int x = 0; x < image.width() && colours.size() < 50; x += 7)
            colours.insert(image.pixel(x, y));
    EXPECT_GE(colours.size(), 50);
    const QString dir = qEnvironmentVariable("TORNALY_LOOK_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        EXPECT_TRUE(picture.save(QDir(dir).filePath(QStringLiteral("main.png"))));
        TAboutBox box;
        box.show();
        QCoreApplication::processEvents();
        EXPECT_TRUE(box.grab().save(QDir(dir).filePath(QStringLiteral("about.png"))));
    }
}

} // namespace
