#pragma once
#include "context/SessionContext.h"

#include <QDialog>

class QDateEdit;
class QPushButton;
class QTableView;

namespace tornaly {
class BoundQueryModel;
}

namespace tornaly::accounting {

// The vouchers of the ledger (FIS) between two dates, the lines (FISAYR) of
// the one selected, and "Sil", which deletes a voucher through MuhFisSil so
// that the document it came from can be changed or deleted afterwards.
class TFormMuhFisBr : public QDialog {
    Q_OBJECT
public:
    explicit TFormMuhFisBr(const SessionContext& ctx, QWidget* parent = nullptr);

    QDateEdit* EditBasTarih;
    QDateEdit* EditBitTarih;
    QPushButton* BtnListele;
    QPushButton* BtnSil;
    QTableView* GridFis;
    QTableView* GridSatir;

    void BtnListeleClick();
    void BtnSilClick();
    // The voucher number of the selected row, 0 when none.
    double seciliFisNo() const;
    // Lists the days around a voucher and selects it; false when there is no such voucher.
    bool fiseGit(double fisNo);

private:
    void satirlariGoster();

    SessionContext m_ctx;
    BoundQueryModel* m_fisler;
    BoundQueryModel* m_satirlar;
};

} // namespace tornaly::accounting
