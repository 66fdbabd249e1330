#include "startup/Startup.h"
#include "company/FirSecO.h"
#include "connection/DialogRunner.h"
#include "context/SessionContext.h"
#include "db/udbconn.h"
#include "dm/DATA1.h"
#include "login/Sifre2.h"
#include "messages/Messages.h"
#include "sql/LogRoutines.h"
#include "startup/SessionState.h"

#include <QApplication>

namespace tornaly {

namespace {
const char* const kModulIdleri[12] = {"DURVELTA", "DURSATIS", "DURDEPO", "DURMUHAS", "DURRAPOR", "DURPDKS",
                                      "DURSMS",   "DURYEDEK", "DURBAKIM", "DURAKTAR", "DURMOBIL", "DURWEB"};
const char* const kVersiyonlar[12] = {"7.2.2", "7.2.2", "7.2.2", "7.2.2", "7.2.2", "7.2.2",
                                      "7.2.2", "7.2.2", "7.2.2", "7.2.2", "7.2.2", "7.2.2"};
} // namespace

QString ProgramModulId(int programNo)
{
    return programNo >= 1 && programNo <= 12 ? QString::fromLatin1(kModulIdleri[programNo - 1]) : QString();
}

QString ProgramVersiyon(int programNo)
{
    return programNo >= 1 && programNo <= 12 ? QString::fromLatin1(kVersiyonlar[programNo - 1]) : QString();
}

TStartup::TStartup(SessionContext& ctx) : m_ctx(ctx) {}
TStartup::~TStartup() = default;

bool TStartup::chooseCompany()
{
    TFormFirmaSec dlg(settings, lists, m_ctx);
    return dlg.run() == QDialog::Accepted;
}

bool TStartup::createDataModule()
{
    m_dm = std::make_unique<TDM1>(m_ctx, settings, lists);
    return m_dm->DM1Create();
}

bool TStartup::login()
{
    TPassWordDlg dlg(m_ctx, false);
    RunModal(dlg);
    return dlg.geldi;
}

bool TStartup::uniqueIndexOk()
{
    const Db db = m_ctx.Database1;
    if (!db.isValid() || !db.isOpen())
        return false;
    // The stock card index; a database without the stock tables has none to check.
    if (!db.dialect().tableExists(db, QStringLiteral("STOK")))
        return true;
    return db.dialect().isIndexUnique(db, QStringLiteral("STOK"), QStringLiteral("IX_STOK_2"));
}

void TStartup::logStart()
{
    LogModuleUsage(m_ctx, 1, ProgramModulId(ProgramNo), ProgramVersiyon(ProgramNo), {}, {});
}

void TStartup::freeDataModule()
{
    m_dm.reset();
    m_ctx.Database1 = Db();
    DBConn().closeAll();
}

TStartup::Exit TStartup::run(const std::function<int(SessionContext&)>& mainWindow, int* exitCode)
{
    if (exitCode)
        *exitCode = 0;
    ProgramNo = 1;
    lists = TDbParamLists();
    QApplication::setApplicationDisplayName(QStringLiteral("Tornaly Servis Yazılımı"));

    if (!chooseCompany())
        return Exit::CompanyCancelled;

    const bool dmOk = createDataModule();
    // A failed data module ends the application: the login closes at once.
    const bool accepted = dmOk && login();

    if (dmOk) {
        bool unique = false;
        try {
            unique = uniqueIndexOk();
        } catch (const DbError&) {
            unique = false;
        }
        if (!unique) {
            Messages().show(MsgIcon::Error, IndexHataMetni(), MsgOk, MsgOk, {});
            freeDataModule();
            if (exitCode)
                *exitCode = 1;
            return Exit::IndexNotUnique;
        }
    }
    if (!dmOk) {
        freeDataModule();
        if (exitCode)
            *exitCode = 1;
        return Exit::DataModuleFailed;
    }
    if (!accepted) {
        freeDataModule();
        return Exit::LoginCancelled;
    }

    logStart();
    RememberSession(settings, lists);
    const int code = mainWindow ? mainWindow(m_ctx) : 0;
    if (exitCode)
        *exitCode = code;
    return Exit::Ran;
}

} // namespace tornaly
