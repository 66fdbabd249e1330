#include "login/PasswordHash.h"
#include "login/Sifre2.h"
#include "startup/tests/StartupFixture.h"
#include "company/FirmaKatalog.h"
#include "context/SessionContext.h"
#include "db/udbconn.h"
#include "settings/Settings.h"
#include "startup/EmbeddedDemo.h"
#include "startup/Session.h"
#include "startup/FirstSetup.h"
#include "startup/Startup.h"
#include "sql/SqlHelpers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace tornaly::test {

namespace {
const QString kIndexText = QStringLiteral("DİKKAT ÖNEMLİ HATA OLUŞTU!. LÜTFEN DESTEK HATTINI ARAYINIZ!.");

struct RunResult {
    TStartup::Exit exit;
    bool mainWindowRan = false;
    SessionContext ctx;
};

RunResult runStartup()
{
    RunResult r;
    TStartup s(r.ctx);
    r.exit = s.run([&](SessionContext&) {
        r.mainWindowRan = true;
        return 0;
    });
    s.freeDataModule();
    return r;
}
} // namespace

TEST_F(StartupTest, SuccessfulStartLogsOnceAndFillsTheSession)
{
    const RunResult r = runStartup();
    ASSERT_EQ(r.exit, TStartup::Exit::Ran) << messages.texts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(r.mainWindowRan);
    EXPECT_EQ(r.ctx.CalismaYili, year);
    EXPECT_EQ(r.ctx.CalismaYiliNo, year.toInt());
    EXPECT_EQ(r.ctx.FirmaAdi, QStringLiteral("DEMO"));
    EXPECT_EQ(r.ctx.FirmaId, 7);
    EXPECT_EQ(r.ctx.FirmaAlias, r.ctx.FirmaVeritabani + QStringLiteral("MS"));
    EXPECT_EQ(r.ctx.DonemBasTarih, QDate(year.toInt(), 1, 1));
    EXPECT_EQ(r.ctx.DonemBitTarih, QDate(year.toInt(), 12, 31));
    EXPECT_EQ(r.ctx.AktifKullanici.login, loginName);
    EXPECT_EQ(r.ctx.GirisKullaniciAdi, loginName);
    EXPECT_EQ(r.ctx.YerelPara, QStringLiteral("TL"));

    Query q(company(), QStringLiteral("SELECT TIP, MODUL, VER, KULLANICI FROM LOG_MODUL"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.integer(QStringLiteral("TIP")), 1);
    EXPECT_EQ(q.str(QStringLiteral("MODUL")), QStringLiteral("DURVELTA"));
    EXPECT_EQ(q.str(QStringLiteral("VER")), QStringLiteral("7.2.2"));
    EXPECT_EQ(q.str(QStringLiteral("KULLANICI")), loginName);
    EXPECT_FALSE(q.next());

    // The separate programs and web pages get the password of the session.
    EXPECT_EQ(r.ctx.AktifKullanici.password, loginPassword);
    // The choice and the login name are remembered for the next start.
    EXPECT_EQ(RememberedCompany(), QStringLiteral("DEMO"));
    EXPECT_EQ(ReadSetting({}, QStringLiteral("Login"), QStringLiteral("User Name"), StoreRegistry), loginName);
}

TEST_F(StartupTest, EveryEarlyExitEndsWithoutALogRow)
{
    struct Case {
        const char* name;
        std::function<void(StartupTest&)> arrange;
        TStartup::Exit exit;
        QString message;
        int loginDialogs;
    };
    const Case cases[] = {
        {"company cancelled", [](StartupTest& t) { t.onCompany = [](TFormFirmaSec& f) { f.BtnIptal->click(); }; },
         TStartup::Exit::CompanyCancelled, {}, 0},
        {"login cancelled", [](StartupTest& t) { t.onLogin = [](TPassWordDlg& d) { d.CancelBtn->click(); }; },
         TStartup::Exit::LoginCancelled, {}, 1},
        {"index not unique, login cancelled",
         [](StartupTest& t) {
             t.company().exec(QStringLiteral("DROP INDEX IX_STOK_2"));
             t.company().exec(QStringLiteral("CREATE INDEX IX_STOK_2 ON STOK (STOK_KOD_NO)"));
             t.onLogin = [](TPassWordDlg& d) { d.CancelBtn->click(); };
         },
         TStartup::Exit::IndexNotUnique, kIndexText, 1},
        {"index missing, login accepted",
         [](StartupTest& t) { t.company().exec(QStringLiteral("DROP INDEX IX_STOK_2")); },
         TStartup::Exit::IndexNotUnique, kIndexText, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        c.arrange(*this);
        const RunResult r = runStartup();
        EXPECT_EQ(r.exit, c.exit);
        EXPECT_FALSE(r.mainWindowRan);
        EXPECT_EQ(loginDialogs, c.loginDialogs);
        EXPECT_EQ(logRows(company()), 0);
        if (!c.message.isEmpty()) {
            EXPECT_EQ(messages.lastText(), c.message);
        }
        // The company database is closed again.
        EXPECT_FALSE(Db::attach(TDBConn::Database1Name).isValid());
    }
}

TEST_F(StartupTest, CompanyCancelOpensNoCompanyConnection)
{
    onCompany = [](TFormFirmaSec& f) {
        EXPECT_FALSE(Db::attach(TDBConn::Database1Name).isValid());
        f.BtnIptal->click();
    };
    EXPECT_EQ(runStartup().exit, TStartup::Exit::CompanyCancelled);
    EXPECT_EQ(companyDialogs, 1);
    EXPECT_EQ(messages.count(), 0);
}

// A change of company cannot end without a login: a cancelled login dialog
// comes back until one is accepted.
TEST_F(StartupTest, ACancelledChangeOfLoginAsksAgainUntilALoginIsAccepted)
{
    RunResult r = runStartup();
    ASSERT_EQ(r.exit, TStartup::Exit::Ran);
    const int before = loginDialogs;
    int cancels = 2;
    onLogin = [&](TPassWordDlg& d) {
        if (cancels-- > 0) {
            d.CancelBtn->click();
            return;
        }
        d.EditADI->setText(loginName);
        d.Edit1->setText(loginPassword);
        d.OKBtn->click();
    };
    EXPECT_TRUE(ChangeCompany(r.ctx));
    EXPECT_EQ(loginDialogs - before, 3);
    EXPECT_EQ(r.ctx.AktifKullanici.login.toUpper(), loginName.toUpper());
    Db::close(TDBConn::Database1Name);
}

TEST_F(StartupTest, DatabaseOfAnotherYearIsRefused)
{
    const QString other = QString::number(year.toInt() - 1);
    addCompany(QStringLiteral("ESKI"), year, yearDb(other));
    onCompany = [](TFormFirmaSec& f) {
        f.DBLookupComboBF->setCurrentText(QStringLiteral("ESKI"));
        f.BtnTamam->click();
    };
    const RunResult r = runStartup();
    EXPECT_EQ(r.exit, TStartup::Exit::DataModuleFailed);
    EXPECT_EQ(loginDialogs, 0);
    EXPECT_TRUE(messages.contains(QStringLiteral("Hata: Firma yılı ile veritabanı ismi uyumsuz!")));
}

TEST_F(StartupTest, WrongPasswordIsRefusedUntilTheRightOne)
{
    int attempt = 0;
    onLogin = [&](TPassWordDlg& d) {
        d.EditADI->setText(loginName);
        for (const QString& pw : {QStringLiteral("yanlis"), loginPassword.toLower(), loginPassword}) {
            ++attempt;
            d.Edit1->setText(pw);
            d.OKBtn->click();
            if (d.geldi)
                break;
        }
    };
    const RunResult r = runStartup();
    EXPECT_EQ(r.exit, TStartup::Exit::Ran);
    EXPECT_EQ(attempt, 3);
    EXPECT_EQ(messages.texts().count(QStringLiteral("Geçersiz Şifre veya Kullanıcı Adı")), 2);
}

TEST_F(StartupTest, CompanyDialogRulesAndCatalogueFailures)
{
    // Hidden companies appear only after the hidden command; a remembered
    // year that no longer exists falls back to the latest year.
    addCompany(QStringLiteral("GIZLI"), year, QString(), QStringLiteral("X"));
    addCompany(QStringLiteral("DEMO"), QString::number(year.toInt() - 2), QString());
    RememberCompanyChoice(QStringLiteral("DEMO"), QStringLiteral("1999"));
    onCompany = [&](TFormFirmaSec& f) {
        EXPECT_EQ(f.DBLookupComboBF->findText(QStringLiteral("GIZLI")), -1);
        EXPECT_EQ(f.DBLookupComboBF->currentText(), QStringLiteral("DEMO"));
        EXPECT_EQ(f.DBLookupComboBY->count(), 2);
        EXPECT_EQ(f.DBLookupComboBY->currentText(), year);
        f.ShowHiddenCompanies();
        EXPECT_NE(f.DBLookupComboBF->findText(QStringLiteral("GIZLI")), -1);
        // A row without a database name cannot be opened.
        f.DBLookupComboBF->setCurrentText(QStringLiteral("GIZLI"));
        f.BtnTamam->click();
    };
    EXPECT_EQ(runStartup().exit, TStartup::Exit::CompanyCancelled);
    EXPECT_EQ(messages.lastText(), QStringLiteral(" Database Adı Tanımlanmamış."));

    // A catalogue that cannot be reached offers the settings dialog; "Vazgeç"
    // there ends the program with a word on what happens next.
    messages.clear();
    companyDialogs = 0;
    TConnectionSettings bad = settings;
    bad.SunucuAdi = settings.Surucu == Backend::SQLite ? QStringLiteral("/proc/yok/klasor")
                                                       : QStringLiteral("/nonexistent-socket-dir:1");
    WriteServerSettings(bad);
    EXPECT_EQ(runStartup().exit, TStartup::Exit::CompanyCancelled);
    EXPECT_EQ(companyDialogs, 0);
    EXPECT_EQ(serverDialogs, 1);
    int errors = 0;
    for (const QString& t : messages.texts())
        errors += t.startsWith(QStringLiteral("Sunucu Bağlantı Hatası :")) ? 1 : 0;
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(messages.lastText(), TFormFirmaSec::AyarlarGirilmediMetni());
}

TEST_F(StartupTest, UnknownServerAsksForSettingsAndStoresThem)
{
    QFile::remove(KalvesaIniPath());
    onServer = [this](TFormVeriTabLogin& d) {
        EXPECT_EQ(d.EditDatabase->text(), QStringLiteral("FIRMAKAV"));
        EXPECT_EQ(d.EditAdi->text(), QStringLiteral("KALVESA"));
        d.setBackend(settings.Surucu);
        d.EditServer->setCurrentText(settings.SunucuAdi);
        d.EditAdi->setText(settings.DbKullaniciAdi);
        d.OKBtn->click();
    };
    const RunResult r = runStartup();
    EXPECT_EQ(r.exit, TStartup::Exit::Ran) << messages.texts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(serverDialogs, 1);
    TConnectionSettings stored;
    ReadConnectionSettings(stored);
    EXPECT_EQ(stored.SunucuAdi, settings.SunucuAdi);
    EXPECT_EQ(stored.Surucu, settings.Surucu);
    EXPECT_EQ(r.ctx.SunucuAdi, settings.SunucuAdi);
}

TEST_F(StartupTest, EmbeddedDemoOpensWithItsLogin)
{
    if (TestBackend() != Backend::SQLite)
        GTEST_SKIP() << "the demo is embedded";
    QTemporaryDir data;
    QFile::remove(KalvesaIniPath());
    WriteSetting({}, QStringLiteral("Login"), QStringLiteral("Company Name"), {}, StoreRegistry);
    ASSERT_TRUE(EnsureEmbeddedDemo(KalvesaIniPath(), data.path()));
    EXPECT_FALSE(EnsureEmbeddedDemo(KalvesaIniPath(), data.path())); // made once
    loginName = kDemoKullanici;
    loginPassword = kDemoSifre;
    const RunResult r = runStartup();
    ASSERT_EQ(r.exit, TStartup::Exit::Ran) << messages.texts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(serverDialogs, 0);
    EXPECT_EQ(r.ctx.CalismaYili, year);
    EXPECT_EQ(r.ctx.AktifKullanici.isemri, QStringLiteral("Y"));
    EXPECT_EQ(r.ctx.AktifKullanici.diger24, QStringLiteral("E"));
    EXPECT_EQ(r.ctx.AktifKullanici.carihrk, QStringLiteral("H"));
}

// A newcomer's server: one command makes the catalogue, the company of the
// year and the administrator, who can then log in.
TEST_F(StartupTest, FirstSetupPreparesAFreshServerForTheFirstLogin)
{
    IlkKurulumBilgisi b{QStringLiteral("YENİ SERVİS"), year, QStringLiteral("yonetici"), QStringLiteral("Yönetici"),
                        QStringLiteral("Çok$gizli1")};
    const ConnectionProfile company = ProfileFor(settings, QStringLiteral("FIRMA1_") + year);
    if (DatabaseExists(company))
        DropDatabase(company);

    // A server that already lists a company keeps it as it was.
    try {
        IlkKurulum(settings, b, KalvesaIniPath());
        FAIL() << "set up over an existing catalogue";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("zaten kurulu"))) << e.text().toStdString();
    }
    EXPECT_EQ(TFirmaKatalog(catalogue()).companies(true), QStringList{QStringLiteral("DEMO")});
    EXPECT_FALSE(DatabaseExists(company));

    DropDatabase(ProfileFor(settings, FirmalarVeritabani));
    IlkKurulumBilgisi noPassword = b;
    noPassword.yoneticiSifre.clear();
    EXPECT_THROW(IlkKurulum(settings, noPassword, KalvesaIniPath()), DbError);
    EXPECT_FALSE(DatabaseExists(ProfileFor(settings, FirmalarVeritabani)));

    // The demo's user logged in last: the new company's login box proposes
    // its own administrator, never the other company's user.
    RememberLoginName(QStringLiteral("DEMO"), QStringLiteral("DEMO"));
    WriteSetting({}, QStringLiteral("Login"), QStringLiteral("User Name"), QStringLiteral("DEMO"), StoreRegistry);
    IlkKurulum(settings, b, KalvesaIniPath());
    for (const auto& [firma, beklenen] : {std::pair{QStringLiteral("YENİ SERVİS"), QStringLiteral("YONETICI")},
                                         std::pair{QStringLiteral("DEMO"), QStringLiteral("DEMO")},
                                         std::pair{QStringLiteral("BAŞKA FİRMA"), QString()}}) {
        SessionContext c;
        c.FirmaAdi = firma;
        TPassWordDlg dlg(c, false);
        EXPECT_EQ(dlg.EditADI->text(), beklenen) << firma.toStdString();
    }
    loginName = QStringLiteral("YONETICI");
    loginPassword = b.yoneticiSifre;
    const RunResult r = runStartup();
    EXPECT_EQ(r.exit, TStartup::Exit::Ran) << messages.texts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(r.ctx.AktifKullanici.login, QStringLiteral("YONETICI"));
    {
        const Db db = Db::open(company, QStringLiteral("first_setup"));
        Query q(db, QStringLiteral("SELECT EADI FROM FIRKIM"));
        q.exec();
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.str(QStringLiteral("EADI")), QStringLiteral("YENİ SERVİS"));
        Query u(db, QStringLiteral("SELECT USER_PASS FROM RIGHTS WHERE LOGIN_NAME = 'YONETICI'"));
        u.exec();
        ASSERT_TRUE(u.next());
        EXPECT_TRUE(IsPasswordHash(u.str(QStringLiteral("USER_PASS"))));
    }
    Db::close(QStringLiteral("first_setup"));
    DBConn().closeAll();
    DropDatabase(company);
}

} // namespace tornaly::test
