#include "invoicing/InvoicingEntry.h"
#include "invoicing/InvoicingDemo.h"
#include "context/SessionContext.h"
#include "invoicing/dialogs/YanFormlar.h"
#include "invoicing/maintenance/FaturaOnarim.h"
#include "invoicing/workorder/forms/IEFatBak.h"
#include "invoicing/workorder/forms/IEFatura.h"
#include "invoicing/print/SayfaDuz.h"
#include "invoicing/workorder/monitor/forms/IEFatDrm.h"
#include "workshop/WorkshopEntry.h"

#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "startup/EmbeddedDemo.h"

namespace tornaly::invoicing {

void RegisterEntryPoints()
{
    // Registered first: the invoices' clean-up runs before the work orders'.
    RegisterFaturaTemizlikleri();
    workshop::RegisterEntryPoints();

    RegisterRoutine(QString::fromLatin1(entry::IEFaturaListeSec),
                    [](const OpenRequest& r) { IEFaturaListeSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QString::fromLatin1(entry::IsEmriFaturaKes), [](const OpenRequest& r) {
        Query q(r.ctx->Database1, QStringLiteral("SELECT KAPANDI FROM ISEMRI WHERE IS_EMRI_NO = :N"));
        q.bind(QStringLiteral("N"), r.key).exec();
        const QString kapandi = q.next() ? q.str(QStringLiteral("KAPANDI")) : QString();
        q.finish();
        IsEmriFaturaKes(*r.ctx, r.key, kapandi, r.mode, r.owner);
    });
    RegisterRoutine(QString::fromLatin1(entry::IEFaturaGoster),
                    [](const OpenRequest& r) { IEFaturaGoster(*r.ctx, r.mode, r.key.isEmpty() ? -1 : r.key.toDouble(), r.owner); });
    RegisterForm(QString::fromLatin1(entry::TFormFatTani), [](const OpenRequest& r) -> QWidget* {
        auto* f = new TFormFatTani(*r.ctx, r.owner);
        f->setAttribute(Qt::WA_DeleteOnClose);
        f->setModal(false);
        return f;
    });
    RegisterRoutine(QString::fromLatin1(entry::IsemriDurumSec),
                    [](const OpenRequest& r) { IsemriDurumSec(*r.ctx, r.mode, r.owner); });
    RegisterDemoSeed(QStringLiteral("invoicing"), SeedInvoicingDemo);
    RegisterRoutine(QLatin1String(entry::TSayfaDuzForm),
                    [](const OpenRequest& r) { SayfaDuzeniGoster(*r.ctx, r.owner); });
}

} // namespace tornaly::invoicing
