#pragma once
#include "accounts/cards/CariArama.h"
#include "accounts/ui/ListeModeli.h"
#include "context/SessionContext.h"

#include <QDialog>

class QPushButton;
class QTableView;

namespace tornaly::accounts {

// "Peşin Cari": the walk-in customers of earlier cash slips.
class TFormPesinCari : public QDialog {
    Q_OBJECT
public:
    TFormPesinCari(const SessionContext& ctx, QWidget* parent = nullptr);

    ListeModeli* TableBr = nullptr;
    QTableView* cxGrid = nullptr;
    QPushButton* BtnSec = nullptr;
    QPushButton* BtnKapat = nullptr;
    TypeCari secilen;

public slots:
    void BtnSecClick();
};

// The picked customer: CariKod the tax or identity number, CariAd the name,
// CariMuh the accounting code; all empty on cancel.
TypeCari PesinCariSec(const SessionContext& ctx, QWidget* parent = nullptr);

} // namespace tornaly::accounts
