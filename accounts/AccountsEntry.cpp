#include "accounts/AccountsEntry.h"
#include "CoreEntry.h"

#include "accounts/bank/BankHrk.h"
#include "accounts/bank/BrBanka.h"
#include "accounts/bank/BrBnkHrk.h"
#include "accounts/cards/BrCari.h"
#include "accounts/cash/BrMFis.h"
#include "accounts/cash/KasaBr.h"
#include "accounts/cash/MFis.h"
#include "accounts/cash/KasaHrkBr.h"
#include "accounts/closing/HizliBorcKapa.h"
#include "accounts/codes/Bayiler.h"
#include "accounts/documents/DocBr.h"
#include "accounts/codes/CariGrupBr.h"
#include "accounts/codes/CariozelGrupBr.h"
#include "accounts/codes/IlIlceBr.h"
#include "accounts/demo/AccountsDemo.h"
#include "accounts/statements/carihrk.h"
#include "accounts/vouchers/BrCarHrk.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "startup/EmbeddedDemo.h"

namespace tornaly::accounts {

void RegisterEntryPoints()
{
    core::RegisterEntryPoints();
    RegisterRoutine(QLatin1String(entry::CariSec),
                    [](const OpenRequest& r) { CariSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QLatin1String(entry::CariHrkSec),
                    [](const OpenRequest& r) { CariHrkSec(*r.ctx, 0, r.key, TypeCariOku(r.ctx->Database1, r.key).CariAd, r.owner); });
    RegisterRoutine(QLatin1String(entry::KasaSec), [](const OpenRequest& r) { KasaSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QLatin1String(entry::KasaHrkSec), [](const OpenRequest& r) { KasaHrkSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QLatin1String(entry::BayiSec), [](const OpenRequest& r) { BayiSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QLatin1String(entry::CariGrupSec),
                    [](const OpenRequest& r) { CariGrupSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QLatin1String(entry::CariOzelGrupAc),
                    [](const OpenRequest& r) { CariOzelGrupAc(*r.ctx, qMax(1, r.mode), r.owner); });
    RegisterRoutine(QLatin1String(entry::IlIlceSec),
                    [](const OpenRequest& r) { IlIlceSec(*r.ctx, qMax(1, r.mode), r.owner); });
    RegisterRoutine(QLatin1String(entry::CariHareketGoster),
                    [](const OpenRequest& r) { CariHareketGoster(*r.ctx, r.key, r.owner); });
    RegisterRoutine(QLatin1String(entry::BankaSec), [](const OpenRequest& r) { BankaSec(*r.ctx, r.mode, {}, {}, r.owner); });
    RegisterRoutine(QLatin1String(entry::BankaHrkSec), [](const OpenRequest& r) { BankaHrkSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QLatin1String(entry::BankaHrkGir), [](const OpenRequest& r) {
        BankaHrkGir(*r.ctx, r.codeType > 0 ? QString(QChar(r.codeType)) : QString(), r.key.toDouble(), r.owner);
    });
    RegisterRoutine(QLatin1String(entry::BankaHrkFaturaOdeme), [](const OpenRequest& r) {
        const QStringList a = r.key.split(QLatin1Char('\t'));
        if (a.size() < 9)
            return;
        BankaHrkFaturaOdeme(*r.ctx, a[0], a[1], a[2], a[3].toDouble(), a[4], a[5], a[6], a[7], a[8].toDouble(),
                            r.owner);
    });
    RegisterRoutine(QLatin1String(entry::MFisSec), [](const OpenRequest& r) {
        MFisSec(*r.ctx, r.mode, r.key, r.key.isEmpty() ? QString() : TypeCariOku(r.ctx->Database1, r.key).CariAd, r.owner);
    });
    RegisterRoutine(QLatin1String(entry::MahsupFisiGir), [](const OpenRequest& r) {
        const QStringList a = r.key.split(QLatin1Char('\t'));
        const QString cari = a.value(1);
        MahsupFisiGir(*r.ctx, {}, cari, cari.isEmpty() ? QString() : TypeCariOku(r.ctx->Database1, cari).CariAd,
                      a.value(0).toDouble(), r.owner);
    });
    RegisterRoutine(QLatin1String(entry::HizliBorcKapaAc),
                    [](const OpenRequest& r) { HizliBorcKapaAc(*r.ctx, r.key, r.mode, r.owner); });
    RegisterRoutine(QLatin1String(entry::DokumanlarAc),
                    [](const OpenRequest& r) { DokumanlarAc(*r.ctx, r.mode, r.key, 0, r.owner); });
    RegisterDemoSeed(QStringLiteral("accounts"), &AccountsDemoSeed);
}

} // namespace tornaly::accounts
