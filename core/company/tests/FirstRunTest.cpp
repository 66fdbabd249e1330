#include "CoreSchema.h"
#include "company/FirSecO.h"
#include "connection/ConnectionSettings.h"
#include "connection/DialogRunner.h"
#include "connection/VeriTabLogin.h"
#include "context/SessionContext.h"
#include "db/Schema.h"
#include "mainwindow/HelpPage.h"
#include "messages/ScriptedMessages.h"
#include "platform/Desktop.h"
#include "testsupport/QtPrinters.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <gtest/gtest.h>

using namespace tornaly;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

class FirstRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMessageService(&messages);
        core::RegisterSchema();
        qputenv("TORNALY_DATA_DIR", data.path().toUtf8());
        qputenv("TORNALY_CONFIG_DIR", config.path().toUtf8());
    }
    void TearDown() override
    {
        SetModalRunner({});
        SetMessageService(nullptr);
        qunsetenv("TORNALY_DATA_DIR");
        qunsetenv("TORNALY_CONFIG_DIR");
    }
    ScriptedMessages messages;
    QTemporaryDir data, config;
};

TEST_F(FirstRunTest, ChangingTheKindDropsTheOtherKindsServer)
{
    TFormVeriTabLogin dlg;
    dlg.setBackend(Backend::SQLite);
    dlg.fillServerList();
    dlg.EditServer->setCurrentText(data.path());
    dlg.setBackend(Backend::PostgreSQL);
    EXPECT_NE(dlg.EditServer->currentText(), data.path()) << "a data folder is no server";
    for (int i = 0; i < dlg.EditServer->count(); ++i)
        EXPECT_FALSE(dlg.EditServer->itemText(i).contains(data.path()));
    dlg.EditServer->setCurrentText(S("sunucu1"));
    dlg.setBackend(Backend::SQLite);
    EXPECT_NE(dlg.EditServer->currentText(), S("sunucu1"));
    dlg.EditServer->setCurrentText(S("/var/run/postgresql"));
    dlg.setBackend(Backend::PostgreSQL);
    EXPECT_EQ(dlg.EditServer->currentText(), S("/var/run/postgresql")) << "a socket folder is a server";

    EXPECT_TRUE(ServerFitsBackend(S("localhost"), Backend::PostgreSQL));
    EXPECT_FALSE(ServerFitsBackend(S("/home/a/Tornaly"), Backend::PostgreSQL));
    EXPECT_FALSE(ServerFitsBackend(S("localhost"), Backend::SQLite));
}

TEST_F(FirstRunTest, CancellingTheSettingsSaysWhatHappensNext)
{
    SetModalRunner([](QDialog& d) {
        auto* ayar = qobject_cast<TFormVeriTabLogin*>(&d);
        if (ayar)
            ayar->CancelBtn->click();
        return d.result();
    });
    TConnectionSettings settings;
    TDbParamLists lists;
    SessionContext ctx;
    TFormFirmaSec f(settings, lists, ctx);
    EXPECT_FALSE(f.FormShow());
    EXPECT_TRUE(f.applicationTerminated());
    EXPECT_EQ(messages.lastText(), TFormFirmaSec::AyarlarGirilmediMetni());
    EXPECT_EQ(messages.count(), 1) << "no connection error after a cancel";
}

TEST_F(FirstRunTest, AnEmptyCompanyListSaysWhy)
{
    TConnectionSettings s;
    s.Surucu = Backend::SQLite;
    s.SunucuAdi = data.path();
    s.DbKullaniciAdi = S("KALVESA");
    WriteServerSettings(s);
    const ConnectionProfile catalogue = ProfileFor(s, FirmalarVeritabani);

    // A folder without a catalogue is not given one: the user reads which
    // file is missing and is asked for the settings again (cancelled here).
    int asked = 0;
    SetModalRunner([&](QDialog& d) {
        if (auto* ayar = qobject_cast<TFormVeriTabLogin*>(&d)) {
            ++asked;
            ayar->CancelBtn->click();
        }
        return d.result();
    });
    {
        TConnectionSettings settings;
        TDbParamLists lists;
        SessionContext ctx;
        TFormFirmaSec f(settings, lists, ctx);
        EXPECT_FALSE(f.FormShow());
        EXPECT_EQ(asked, 1);
        ASSERT_EQ(messages.count(), 2);
        EXPECT_TRUE(messages.texts().first().contains(QFileInfo(catalogue.filePath).fileName()))
            << messages.texts().first().toStdString();
        EXPECT_EQ(messages.lastText(), TFormFirmaSec::AyarlarGirilmediMetni());
    }
    EXPECT_FALSE(QFile::exists(catalogue.filePath));

    // A catalogue without companies: the list is empty and says why.
    CreateDatabase(catalogue, DatabaseKind::Catalogue);
    SetModalRunner([&](QDialog& d) {
        ADD_FAILURE() << "no dialog expected: " << d.metaObject()->className();
        return int(QDialog::Rejected);
    });
    TConnectionSettings settings;
    TDbParamLists lists;
    SessionContext ctx;
    TFormFirmaSec f(settings, lists, ctx);
    ASSERT_TRUE(f.FormShow()) << messages.lastText().toStdString();
    EXPECT_FALSE(f.BtnTamam->isEnabled());
    EXPECT_TRUE(f.LblBosListe->isVisibleTo(&f));
    EXPECT_EQ(f.LblBosListe->text(), TFormFirmaSec::BosFirmaListesiMetni());
}

TEST_F(FirstRunTest, HelpOpensInsideTheProgramWithoutABrowser)
{
    SetOpenDocumentHook({});
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", config.path().toUtf8());
    EXPECT_FALSE(HasDesktopBrowser());
    OpenHelpContents();
    qputenv("PATH", path);
    ASSERT_TRUE(FormYardim);
    EXPECT_TRUE(FormYardim->isVisible());
    EXPECT_TRUE(FormYardim->Browser->toPlainText().contains(S("Ana Pencere")));
    delete FormYardim.data();

    QStringList acilan;
    SetOpenDocumentHook([&](const QString& p) { acilan << p; });
    OpenHelpContents();
    EXPECT_EQ(acilan.size(), 1);
    EXPECT_FALSE(FormYardim);
    SetOpenDocumentHook({});
}

} // namespace
