#pragma once
#include "db/Database.h"
#include "guard/IslemReddi.h"

#include <QVariantMap>
#include <optional>
#include <stdexcept>

namespace tornaly::accounts {

// The plan OdePlanSec returns; on cancel Kodu is empty and the numbers 0.
struct TOdeParam {
    QString Kodu;
    QString odetip;
    double VFark = 0;
    double Iskon = 0;
    int VadeGun = 0;
};

// Every field has a default, so that a plan may be given by its leading ones.
struct OdePlanKaydi {
    QString ODE_KOD{}, ADI{}, ODE_TIP{}, HESAP_KOD{}, HESAP_NO{};
    double EO_INDIR = 0, GO_VFARK = 0;
    int VADEGUN = 0;
};

class OdePlanHatasi : public IslemReddi {
public:
    explicit OdePlanHatasi(const QString& text, MsgIcon icon = MsgIcon::Warning) : IslemReddi(text, icon) {}
};

std::optional<OdePlanKaydi> OdePlanOku(const Db& db, const QString& kod);
TOdeParam OdePlanParametresi(const Db& db, const QString& kod);
// Saves a plan. The code is the key that documents carry: it is set only on
// a new plan and never rewritten on an existing one.
void OdePlanKaydet(const Db& db, const OdePlanKaydi& plan, bool yeni);
// A new cash or bank plan takes the code and name of its cash box or bank;
// an existing plan keeps its code and only takes the account.
void OdePlanHesapSec(OdePlanKaydi& plan, bool yeni, const QString& hesapKod, const QString& ad,
                     const QString& hesapNo = {});
inline QString OdePlanKullanilmisText() { return QStringLiteral("Bu Ödeme Planı Kodu ile ilgili işlem var.Silinemez!"); }
// Deletes a plan that no ledger row or invoice carries.
void OdePlanSil(const Db& db, const QString& kod);

} // namespace tornaly::accounts
