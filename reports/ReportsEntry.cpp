#include "reports/ReportsEntry.h"
#include "reports/finance/CHrkList.h"
#include "reports/menu/listem.h"
#include "accounting/AccountingEntry.h"
#include "aftersales/AftersalesEntry.h"

#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"

namespace tornaly::reports {

void RegisterEntryPoints()
{
    accounting::RegisterEntryPoints();
    aftersales::RegisterEntryPoints();
    RegisterForm(QString::fromLatin1(entry::TFormListe), [](const OpenRequest& r) -> QWidget* {
        auto* f = new TFormListe(*r.ctx, r.owner);
        f->setAttribute(Qt::WA_DeleteOnClose);
        f->setModal(false);
        return f;
    });
    ReportRegistry::addPair(QStringLiteral("Cari Hareketler Listesi"), &CariHrkSorgula, &CariHrkListele);
}

} // namespace tornaly::reports
