#pragma once
#include "invoicing/workorder/IEFatListe.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTableWidget;
class QLabel;

namespace tornaly { struct SessionContext; }

namespace tornaly::invoicing {

// "İşemri Faturaları": the main window's plain list of every work-order
// invoice, with the grid's own search box on top. It opens the invoice form
// for new and changed invoices and deletes with the invoice delete.
class TFormBrIEFatura : public QDialog {
    Q_OBJECT
public:
    TFormBrIEFatura(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
    double secilen = -1;
    void listele();
    double currentSatisNo() const;

    QLineEdit* EditAra = nullptr;
    QTableWidget* cxGrid1 = nullptr;
    QPushButton *BitBtnYeni = nullptr, *BitBtnDuzenle = nullptr, *BitBtnSil = nullptr, *BitBtnSec = nullptr,
                *BtnYazdir = nullptr, *BtnExcel = nullptr, *BitBtnKapat = nullptr;

public slots:
    void BitBtnYeniClick();
    void BitBtnDuzenleClick();
    void BitBtnSilClick();
    void BitBtnSecClick();
    void BtnYazdirClick();
    void BtnExcelClick();
    // The search box hides the rows that hold the typed text in no column.
    void AraDegisti();

protected:
    // The list is read again whenever the window comes back to the front.
    bool event(QEvent* e) override;

private:
    const SessionContext& m_ctx;
    QList<IEFatListeSatiri> m_liste;
    QLabel* LabelKayit = nullptr;
};

} // namespace tornaly::invoicing
