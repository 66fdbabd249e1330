#pragma once
#include "connection/DonPara.h"
#include "context/SessionContext.h"
#include "sql/SqlHelpers.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTableView;

namespace tornaly::stock {

// "Yedek Parçaya Göre Arıza Seç": the labour operations linked to a part number.
class TFormParcayaGoreAriza : public QDialog {
    Q_OBJECT
public:
    TFormParcayaGoreAriza(const SessionContext& ctx, QWidget* parent = nullptr);
    QLineEdit* EditParca = nullptr;
    QTableView* GridAriza = nullptr;
    BoundQueryModel* QAriza = nullptr;
    QPushButton* BtnSec = nullptr;
    QPushButton* BtnIptal = nullptr;
    // Lists the rows of a part number, matched exactly.
    void listele(const QString& parcaNo);
    // The chosen row as KodStr (labour code) and IlkStr (model); empty without rows.
    TDonPara secilen() const;
private:
    SessionContext m_ctx;
};

// Opens the picker; on "&Seç" the whole record is replaced, on "İ&ptal" only
// KodStr is cleared.
void ParcayaGoreArizaSec(const SessionContext& ctx, const QString& parcaNo, TDonPara& sonuc, QWidget* parent = nullptr);

} // namespace tornaly::stock
