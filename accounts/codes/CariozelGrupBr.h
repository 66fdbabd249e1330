#pragma once
#include "accounts/ui/ListeModeli.h"
#include "context/SessionContext.h"

#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tornaly::accounts {

// "Cari Grup Tanımları" over the special codes: the three lists of free codes
// of the account card, one shown at a time.
class TFormCariozelGrupBr : public QDialog {
    Q_OBJECT
public:
    TFormCariozelGrupBr(const SessionContext& ctx, int grupNo, QWidget* parent = nullptr);

    int grupNo() const;
    void listeyiAc(const QString& konum = {});
    QString secili() const;

    QButtonGroup* Filtre = nullptr;
    ListeModeli* TableBr = nullptr;
    QTableView* dbgridbr = nullptr;
    QLineEdit* EditYeniKod = nullptr;
    QPushButton* BtnEkle = nullptr;
    QPushButton* BtnSil = nullptr;
    QPushButton* BtnGetir = nullptr;
    QPushButton* BtnKapat = nullptr;

public slots:
    void BtnEkleClick();
    void BtnSilClick();
    void BtnGetirClick();

private:
    Db m_db;
};

// Maintains the special codes, starting on list `grupNo` (1 to 3).
void CariOzelGrupAc(const SessionContext& ctx, int grupNo, QWidget* parent = nullptr);

} // namespace tornaly::accounts
