#include "startup/Session.h"
#include "company/FirSecO.h"
#include "connection/DialogRunner.h"
#include "context/SessionContext.h"
#include "dm/DATA1.h"
#include "login/Sifre2.h"
#include "startup/SessionState.h"

namespace tornaly {

namespace {
TConnectionSettings& settingsStore()
{
    static TConnectionSettings s;
    return s;
}
TDbParamLists& listsStore()
{
    static TDbParamLists l;
    return l;
}

void reloadParameters(SessionContext& ctx)
{
    TDM1 dm(ctx, SessionSettings(), SessionLists());
    dm.getfirmaparams();
    dm.getMuhasebeParam();
    dm.getParams();
}
} // namespace

void RememberSession(const TConnectionSettings& settings, const TDbParamLists& lists)
{
    settingsStore() = settings;
    listsStore() = lists;
}

const TConnectionSettings& SessionSettings() { return settingsStore(); }
const TDbParamLists& SessionLists() { return listsStore(); }

bool ChangeLogin(SessionContext& ctx)
{
    TPassWordDlg dlg(ctx, true);
    RunModal(dlg);
    if (!dlg.geldi)
        return false;
    try {
        reloadParameters(ctx);
    } catch (const DbError&) {
        // The user is changed; parameters stay as they were loaded at start-up.
    }
    return true;
}

bool ChangeCompany(SessionContext& ctx)
{
    const TConnectionSettings oldSettings = SessionSettings();
    const TDbParamLists oldLists = SessionLists();
    TConnectionSettings settings = oldSettings;
    TDbParamLists lists = oldLists;
    SessionContext next = ctx;
    {
        TFormFirmaSec dlg(settings, lists, next);
        if (dlg.run() != QDialog::Accepted)
            return false;
    }
    auto reopenOld = [&] {
        TDM1 back(ctx, oldSettings, oldLists);
        back.DM1Create();
    };
    {
        TDM1 dm(next, settings, lists);
        if (!dm.DM1Create()) {
            reopenOld();
            return false;
        }
    }
    // The new company is open: its login cannot be left without a valid
    // one ("Vazgeç" only shows the dialog again).
    for (;;) {
        TPassWordDlg login(next, true);
        RunModal(login);
        if (login.geldi)
            break;
    }
    ctx = next;
    RememberSession(settings, lists);
    return true;
}

} // namespace tornaly
