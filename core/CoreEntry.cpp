#include "CoreEntry.h"
#include "context/SessionContext.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "maintenance/ekj.h"
#include "messages/Messages.h"
#include "personnel/PersonBr.h"
#include "sqlconsole/SQLdoor.h"

namespace tornaly::core {

namespace {
void formKaydet(const char* ad, FormFactory f)
{
    if (!Targets().isRegistered(QString::fromLatin1(ad)))
        RegisterForm(QString::fromLatin1(ad), std::move(f));
}
} // namespace

void RegisterEntryPoints()
{
    formKaydet(entry::TBakimForm, [](const OpenRequest& r) -> QWidget* { return BakimFormAc(*r.ctx, r.owner); });
    formKaydet(entry::TFormSQL, [](const OpenRequest& r) -> QWidget* {
        // The console opens for administrators only, whatever opened it.
        if (!SqlKapisiAcabilir(r.ctx->AktifKullanici)) {
            ShowWarning(SqlKapisiYetkiYokMetni());
            return nullptr;
        }
        return new TFormSQL(*r.ctx, r.owner);
    });
    if (!Targets().isRegistered(QString::fromLatin1(entry::PersonelSec)))
        RegisterRoutine(QString::fromLatin1(entry::PersonelSec), [](const OpenRequest& r) {
            TDonPara sonuc;
            PersonelSec(*r.ctx, r.mode, sonuc, r.owner);
        });
}

} // namespace tornaly::core
