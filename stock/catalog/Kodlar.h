#pragma once
#include "context/SessionContext.h"
#include "db/Database.h"

#include <QString>

namespace tornaly::stock {

// Saving and deleting the small code lists of the stock cards. Each routine
// returns the Turkish message that refused the change (nothing written) or an
// empty text when done; several-row changes run in one transaction.

QString AyniKodluKayitMesaji(); // "Aynı Kodlu Kayıt Var."

// Groups. `eskiKod` empty for a new group. A changed code is carried to the
// stock cards and subgroups of the group in the same transaction, so no card
// is left pointing at a code that no longer exists.
QString GrupKaydet(const Db& db, const QString& eskiKod, const QString& kod, const QString& ad);
QString GrupSil(const Db& db, const QString& kod);

// Subgroups; the code of an existing subgroup does not change.
QString AltGrupKaydet(const Db& db, bool yeni, const QString& grup, const QString& kod, const QString& ad,
                      bool ozel);
QString AltGrupSil(const Db& db, const QString& grup, const QString& kod);

// Vehicle brands. `eskiKod` empty for a new brand.
QString MarkaKaydet(const Db& db, const QString& eskiKod, const QString& kod, const QString& uretici,
                    const QString& distributor);
// Refuses (returns the message) a brand a stock card uses.
QString MarkaSil(const Db& db, const QString& kod);

// Warehouses: only name and location change, never those of the service warehouse.
QString ServisDeposuMesaji(const SessionContext& ctx);
QString DepoGuncelle(const Db& db, const SessionContext& ctx, const QString& kod, const QString& ad,
                     const QString& yer);

// Packaging kinds.
struct Ambalaj {
    QString AMBALAJ_KOD;
    double AMBALAJ_ADET = 0, AMBALAJ_BOY = 0, AMBALAJ_AGIR = 0, BIRIM_AGIR = 0;
};
QString AmbalajKaydet(const Db& db, const QString& eskiKod, const Ambalaj& a);
// Refuses (returns the message) a packaging a stock card uses.
QString AmbalajSil(const Db& db, const QString& kod);
Ambalaj AmbalajOku(const Db& db, const QString& kod);

// Vehicle accessories.
struct Aksesuar {
    QString AKSESUAR_KODU, AKSESUAR_ADI, AKS_KISA_KOD;
    double ALIS_TL = 0, SATIS_TL = 0, KDV = 0;
};
QString AksesuarKaydet(const Db& db, const QString& eskiKod, const Aksesuar& a);
QString AksesuarSil(const Db& db, const QString& kod);

} // namespace tornaly::stock
