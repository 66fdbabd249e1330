#include "startup/tests/StartupFixture.h"
#include "CoreSchema.h"
#include "connection/DialogRunner.h"
#include "db/udbconn.h"
#include "login/PasswordHash.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QLineEdit>
#include <QUuid>

namespace tornaly::test {

void StartupTest::SetUp()
{
    messages.clear();
    companyDialogs = loginDialogs = serverDialogs = 0;
    SetMessageService(&messages);
    core::RegisterSchema();
    const ConnectionProfile base = FreshProfile(m_dir.path());
    settings = TConnectionSettings();
    if (base.backend == Backend::SQLite) {
        settings.Surucu = Backend::SQLite;
        settings.SunucuAdi = m_dir.path();
    } else {
        settings.Surucu = Backend::PostgreSQL;
        settings.SunucuAdi = base.host + QLatin1Char(':') + QString::number(base.port);
        settings.DbKullaniciAdi = base.user;
    }
    QFile::remove(KalvesaIniPath());
    WriteServerSettings(settings);
    WriteSetting({}, QStringLiteral("Login"), QStringLiteral("Company Name"), {}, StoreRegistry);
    WriteSetting({}, QStringLiteral("Login"), QStringLiteral("Company Year"), {}, StoreRegistry);
    WriteSetting({}, QStringLiteral("Login"), QStringLiteral("User Name"), {}, StoreRegistry);

    const ConnectionProfile cat = ProfileFor(settings, FirmalarVeritabani);
    if (DatabaseExists(cat))
        DropDatabase(cat);
    CreateDatabase(cat, DatabaseKind::Catalogue);
    m_created << cat;
    m_catalogue = Db::open(cat, QStringLiteral("test_catalogue"));
    m_company = addCompany(QStringLiteral("DEMO"), year, yearDb(year));
    // The stock card table and the unique index the start-up checks, as the
    // stock library makes them.
    m_company.exec(QStringLiteral("CREATE TABLE STOK (STOK_KOD_NO VARCHAR(30))"));
    m_company.exec(QStringLiteral("CREATE UNIQUE INDEX IX_STOK_2 ON STOK (STOK_KOD_NO)"));
    addUser(loginName, loginPassword);

    onCompany = [](TFormFirmaSec& f) { f.BtnTamam->click(); };
    onLogin = [this](TPassWordDlg& d) {
        d.EditADI->setText(loginName);
        d.Edit1->setText(loginPassword);
        d.OKBtn->click();
    };
    onServer = [](TFormVeriTabLogin& d) { d.CancelBtn->click(); };
    SetModalRunner([this](QDialog& d) {
        if (auto* f = qobject_cast<TFormFirmaSec*>(&d)) {
            ++companyDialogs;
            onCompany(*f);
        } else if (auto* l = qobject_cast<TPassWordDlg*>(&d)) {
            ++loginDialogs;
            onLogin(*l);
        } else if (auto* s = qobject_cast<TFormVeriTabLogin*>(&d)) {
            ++serverDialogs;
            onServer(*s);
        } else {
            ADD_FAILURE() << "unexpected dialog " << d.objectName().toStdString();
            d.reject();
        }
        return d.result();
    });
}

void StartupTest::TearDown()
{
    SetModalRunner({});
    m_company = Db();
    m_catalogue = Db();
    DBConn().closeAll();
    Db::close(QStringLiteral("test_catalogue"));
    for (int i = 0; i < m_counter + 1; ++i)
        Db::close(QStringLiteral("test_company_%1").arg(i));
    for (const ConnectionProfile& p : std::as_const(m_created)) {
        try {
            DropDatabase(p);
        } catch (...) {
        }
    }
    m_created.clear();
    m_counter = 0;
    SetMessageService(nullptr);
}

QString StartupTest::yearDb(const QString& y) const
{
    return QStringLiteral("t%1_%2_%3")
        .arg(QCoreApplication::applicationPid())
        .arg(QUuid::createUuid().toString(QUuid::Id128).left(8))
        .arg(y);
}

Db StartupTest::addCompany(const QString& companyName, const QString& y, const QString& databaseName,
                           const QString& firmaNo)
{
    if (!databaseName.isEmpty()) {
        const ConnectionProfile p = ProfileFor(settings, databaseName);
        CreateDatabase(p, DatabaseKind::Company);
        m_created << p;
    }
    m_catalogue.exec(QStringLiteral("INSERT INTO FIRMALAR (FIRMA_ADI, FIRMA_NO, YILI, ALIASADI, DATABASE_NAME, "
                                    "FIRMA_ID) VALUES (:A, :N, :Y, NULL, :D, '7')"),
                     {{QStringLiteral("A"), companyName},
                      {QStringLiteral("N"), firmaNo.isEmpty() ? QVariant(QMetaType(QMetaType::QString))
                                                               : QVariant(firmaNo)},
                      {QStringLiteral("Y"), y},
                      {QStringLiteral("D"), databaseName}});
    if (databaseName.isEmpty())
        return {};
    return Db::open(ProfileFor(settings, databaseName), QStringLiteral("test_company_%1").arg(m_counter++));
}

void StartupTest::addUser(const QString& login, const QString& password, const QString& extraColumns,
                          const QString& extraValues)
{
    m_company.exec(QStringLiteral("INSERT INTO RIGHTS (LOGIN_NAME, USER_NAME, USER_PASS%1) VALUES (:L, :N, :P%2)")
                       .arg(extraColumns.isEmpty() ? QString() : QStringLiteral(", ") + extraColumns,
                            extraValues.isEmpty() ? QString() : QStringLiteral(", ") + extraValues),
                   {{QStringLiteral("L"), login},
                    {QStringLiteral("N"), QStringLiteral("Ali Veli")},
                    {QStringLiteral("P"), HashPassword(password)}});
}

int StartupTest::logRows(const Db& db) const
{
    Query q(db, QStringLiteral("SELECT COUNT(*) FROM LOG_MODUL"));
    q.exec();
    return q.next() ? q.value(0).toInt() : -1;
}

} // namespace tornaly::test
