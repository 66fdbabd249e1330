#pragma once
#include "company/FirSecO.h"
#include "connection/ConnectionSettings.h"
#include "connection/VeriTabLogin.h"
#include "login/Sifre2.h"
#include "testsupport/TestSupport.h"

#include <functional>

namespace tornaly::test {

// A catalogue and one company database on the test backend, a settings file
// that points at them, and scripted answers for the start-up dialogs.
class StartupTest : public ::testing::Test {
public:
    void SetUp() override;
    void TearDown() override;

    // Creates a company database named `name` (its last four characters are
    // its year) and lists it in the catalogue.
    Db addCompany(const QString& company, const QString& year, const QString& databaseName,
                  const QString& firmaNo = {});
    QString yearDb(const QString& year) const; // a fresh database name for that year
    Db company() const { return m_company; }
    Db catalogue() const { return m_catalogue; }
    void addUser(const QString& login, const QString& password, const QString& extraColumns = {},
                 const QString& extraValues = {});
    int logRows(const Db& db) const;

    // Dialog scripts; the defaults confirm the company, log in as `loginName`
    // with `loginPassword`, and cancel the server settings.
    std::function<void(TFormFirmaSec&)> onCompany;
    std::function<void(TPassWordDlg&)> onLogin;
    std::function<void(TFormVeriTabLogin&)> onServer;
    int companyDialogs = 0, loginDialogs = 0, serverDialogs = 0;
    QString loginName = QStringLiteral("ALI");
    QString loginPassword = QStringLiteral("Gizli1");

    ScriptedMessages messages;
    TConnectionSettings settings;
    QString year = QString::number(QDate::currentDate().year());

private:
    QTemporaryDir m_dir;
    QList<ConnectionProfile> m_created;
    Db m_catalogue;
    Db m_company;
    int m_counter = 0;
};

} // namespace tornaly::test
