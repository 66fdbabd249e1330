#pragma once
#include "accounts/plans/OdePlan.h"
#include "accounts/ui/SecimListesi.h"

namespace tornaly::accounts {

// "ÖDEME - TAHSİLAT PLANI": the payment plans and their picker.
class TFormOdePlanBr : public SecimListesi {
    Q_OBJECT
public:
    TFormOdePlanBr(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
    // Edits a plan in a small dialog; true when saved.
    bool planDuzenle(bool yeni);
public slots:
    void btnNewClick() override;
    void btnEditClick() override;
    void btnDeleteClick() override;
};

TOdeParam OdePlanSec(const SessionContext& ctx, int mode, QWidget* parent = nullptr);

} // namespace tornaly::accounts
