#include "testsupport/TestSupport.h"
#include "sql/SqlHelpers.h"
#include "util/Programs.h"
#include "util/WebPages.h"

using namespace tornaly;
using namespace tornaly::test;

class WebPagesTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        SetOpenUrlHook([this](const QUrl& u) { opened << u; });
        const auto add = [this](const char* id, const char* page, QVariant login) {
            db.exec(QStringLiteral("INSERT INTO WEBPAGES (ID, PAGE, LOGIN) VALUES (:ID, :PAGE, :LOGIN)"),
                    {{"ID", QString::fromUtf8(id)}, {"PAGE", QString::fromUtf8(page)}, {"LOGIN", login}});
        };
        add("isemri_kapat", "http://bayi.local/servis/isemri.php", 0);
        add("stok_fisi", "http://bayi.local/stok/", QVariant());
        add("siparis_gonder", "https://bayi.local/siparis.php", 1);
        add("bos_sayfa", "", 0);
    }
    void TearDown() override
    {
        SetOpenUrlHook({});
        SetWebPageOpener({});
        DbTest::TearDown();
    }
    QList<QUrl> opened;
};

TEST_F(WebPagesTest, DefinedPagesAndTheirCalls)
{
    struct Case {
        const char* id;
        const char* caller;
        const char* address;
        const char* parameters;
        const char* method;
        bool login;
    };
    const Case cases[] = {
        {"isemri_kapat", "", "http://bayi.local/servis/isemri.php", "gonder=E&islemtip=K&isemrino=", "get", false},
        {"stok_fisi", "31", "http://bayi.local/stok/", "gonder=E&hrkno=31", "get", false},
        {"siparis_gonder", "8", "https://bayi.local/siparis.php", "versipno=0&versipno2=8", "post", true},
        {"tanimsiz", "8", "", "8", "get", false},
        {"bos_sayfa", "", "", "", "get", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const WebPageCall call =
            DefinedWebPageCall(db, QString::fromUtf8(c.id), QString::fromUtf8(c.caller), QStringLiteral("get"));
        EXPECT_EQ(call.address, QString::fromUtf8(c.address));
        EXPECT_EQ(call.parameters, QString::fromUtf8(c.parameters));
        EXPECT_EQ(call.method, QString::fromUtf8(c.method));
        EXPECT_EQ(call.appendLogin, c.login);
    }
}

TEST_F(WebPagesTest, OpensInTheBrowserWithoutCredentials)
{
    ctx.AktifKullanici.login = QStringLiteral("ali");
    ctx.AktifKullanici.password = QStringLiteral("gizli-parola");
    OpenDefinedWebPage(db, QStringLiteral("tanimsiz"), QStringLiteral("1"));
    OpenDefinedWebPage(db, QStringLiteral("bos_sayfa"), QStringLiteral("1"));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(messages.count(), 0);

    OpenDefinedWebPage(db, QStringLiteral("stok_fisi"), QStringLiteral("31"));
    OpenDefinedWebPage(db, QStringLiteral("siparis_gonder"), QStringLiteral("8"));
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("http://bayi.local/stok/gonder=E&hrkno=31")));
    EXPECT_EQ(opened[1], QUrl(QStringLiteral("https://bayi.local/siparis.php?versipno=0&versipno2=8")));
    for (const QUrl& u : opened)
        EXPECT_FALSE(u.toString().contains(QStringLiteral("gizli")));
}

TEST_F(WebPagesTest, AnInstalledOpenerGetsTheCall)
{
    QList<WebPageCall> calls;
    SetWebPageOpener([&](const WebPageCall& c) { calls << c; });
    OpenDefinedWebPage(db, QStringLiteral("siparis_gonder"), QStringLiteral("8"));
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].method, QStringLiteral("post"));
    EXPECT_TRUE(calls[0].appendLogin);
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(WebPagesTest, LabourCataloguePathFromTheParameters)
{
    // The maintenance parameters may not be installed yet: no path, and the user is told.
    if (!db.dialect().tableExists(db, QStringLiteral("PARAMET"))) {
        EXPECT_TRUE(LabourCataloguePath(db).isEmpty());
        db.exec(QStringLiteral("CREATE TABLE PARAMET (ISCILIK_PRG_YOL VARCHAR(255))"));
    }
    if (SqlLookup(db, QStringLiteral("SELECT COUNT(*) FROM PARAMET")).toInt() == 0)
        db.exec(QStringLiteral("INSERT INTO PARAMET (ISCILIK_PRG_YOL) VALUES (NULL)"));
    db.exec(QStringLiteral("UPDATE PARAMET SET ISCILIK_PRG_YOL = :P"), {{"P", QStringLiteral(" /yok/katalog.exe ")}});
    EXPECT_EQ(LabourCataloguePath(db), QStringLiteral("/yok/katalog.exe"));
    std::vector<tiscsec> codes;
    EXPECT_EQ(RunLabourCatalogue(db, QStringLiteral("VF"), codes), 0);
    EXPECT_TRUE(messages.contains(
        QStringLiteral("İşçilik Katalog Programı Bulunamadı! Bakım Destek Parametrelerden Kontrol Ediniz!")));
}
