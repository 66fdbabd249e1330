#include "stock/StockEntry.h"

#include "currency/KurDeger.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "startup/EmbeddedDemo.h"
#include "stock/StockDemo.h"
#include "stock/cards/StokBr.h"
#include "stock/maintenance/OnarimFormlari.h"
#include "stock/catalog/KodListeleri.h"
#include "stock/pictures/Fotos.h"
#include "stock/prices/StokFiyatlari.h"
#include "stock/slips/StokFisBak.h"
#include "stock/count/MikDevret.h"
#include "stock/count/StokAyPrm.h"
#include "util/FormHelpers.h"
#include "stock/tools/BarTest.h"
#include "stock/tools/QRListForm.h"

namespace tornaly::stock {

void RegisterEntryPoints()
{
    RegisterRoutine(QString::fromLatin1(entry::StokSec), [](const OpenRequest& r) { StokSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QString::fromLatin1(entry::GrupSec), [](const OpenRequest& r) { GrupSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QString::fromLatin1(entry::AltGrupSec), [](const OpenRequest& r) { AltGrupSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QString::fromLatin1(entry::MarkaSec), [](const OpenRequest& r) { MarkaSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QString::fromLatin1(entry::DepoSec), [](const OpenRequest& r) { DepoSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QString::fromLatin1(entry::AmbalajSec), [](const OpenRequest& r) { AmbalajSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QString::fromLatin1(entry::AksesuarSec), [](const OpenRequest& r) {
        TypeSec sec;
        AksesuarSec(*r.ctx, r.mode, sec, r.owner);
    });
    RegisterRoutine(QString::fromLatin1(entry::StokResimSec),
                    [](const OpenRequest& r) { StokResimSec(*r.ctx, r.mode == 1, r.owner); });
    RegisterRoutine(QString::fromLatin1(entry::TBarTest), [](const OpenRequest& r) {
        TBarTest f(r.owner);
        f.exec();
    });
    RegisterRoutine(QString::fromLatin1(entry::ShowQRListForm), [](const OpenRequest& r) { ShowQRListForm(*r.ctx, r.owner); });

    RegisterRoutine(QString::fromLatin1(entry::ShowStokMiktarGuncelleForm),
                    [](const OpenRequest& r) { ShowStokMiktarGuncelleForm(*r.ctx, r.owner); });
    RegisterRoutine(QString::fromLatin1(entry::ShowStkMikUyamanForm),
                    [](const OpenRequest& r) { ShowStkMikUyamanForm(*r.ctx, r.owner); });
    RegisterRoutine(QString::fromLatin1(entry::BaslangicMaliyetiYaz), [](const OpenRequest& r) { BaslangicMaliyetiKomutu(*r.ctx); });
    RegisterRoutine(QString::fromLatin1(entry::StokMaliyetiHesapla), [](const OpenRequest& r) { StokMaliyetiHesaplaKomutu(*r.ctx); });
    RegisterRoutine(QString::fromLatin1(entry::AnagrupAta), [](const OpenRequest& r) { AnagrupAtaKomutu(*r.ctx); });
    RegisterRoutine(QString::fromLatin1(entry::StokYeniKodlariniGuncelle),
                    [](const OpenRequest& r) { StokYeniKodlariKomutu(*r.ctx); });

    // One slip list per program run, whichever window asks for it.
    RegisterForm(QString::fromLatin1(entry::TFormStokFisBak), [](const OpenRequest& r) -> QWidget* {
        if (QWidget* w = FindFormByName(QStringLiteral("FormStokFisBak")))
            return w;
        return new TFormStokFisBak(*r.ctx, r.owner);
    });

    RegisterRoutine(QString::fromLatin1(entry::MikDevretAc), [](const OpenRequest& r) { MikDevretAc(*r.ctx, r.mode, r.owner); });
    RegisterForm(QString::fromLatin1(entry::TFormStokAyPrm), [](const OpenRequest& r) -> QWidget* {
        if (QWidget* w = FindFormByName(QStringLiteral("FormStokAyPrm")))
            return w;
        return new TFormStokAyPrm(*r.ctx, r.owner);
    });

    SetStokFiyatGuncelleyici(&StokFiyatlariniGuncelle);
    RegisterDemoSeed(QStringLiteral("stock"), &StokDemoVerisi);
}

} // namespace tornaly::stock
