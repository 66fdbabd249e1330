#pragma once
#include "accounts/cards/CariArama.h"
#include "accounts/ui/ListeModeli.h"
#include "context/SessionContext.h"

#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tornaly::accounts {

// "Bayiler Listesi": the distributor's dealers, read only; picks a dealer code.
class TFormBayiler : public QDialog {
    Q_OBJECT
public:
    TFormBayiler(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
    void listeyiAc(const QString& siralama);
    bool konumlan(const QString& aranan, bool kodaGore);

    ListeModeli* TableBr = nullptr;
    TypeCari secilen;
    QLineEdit* EditBayiAdi = nullptr;
    QLineEdit* EditBayiKodu = nullptr;
    QButtonGroup* RgSirala = nullptr;
    QTableView* cxGrid = nullptr;
    QPushButton* BtnSec = nullptr;
    QPushButton* BtnKapat = nullptr;

public slots:
    void BtnSecClick();

private:
    Db m_db;
};

TypeCari BayiSec(const SessionContext& ctx, int mode, QWidget* parent = nullptr);

} // namespace tornaly::accounts
