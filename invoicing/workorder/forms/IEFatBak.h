#pragma once
#include "invoicing/workorder/IEFatListe.h"

#include <QDialog>

class QLineEdit;
class QDateEdit;
class QComboBox;
class QPushButton;
class QTableWidget;
class QLabel;

namespace tornaly { struct SessionContext; }

namespace tornaly::invoicing {

// "Eski İş Emri Faturaları": the saved work-order invoices, their lines and
// the delete that undoes a save.
class TFormIEFatBak : public QDialog {
    Q_OBJECT
public:
    TFormIEFatBak(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
    double secilen = 0;
    void listele();
    double currentSatisNo() const;

public slots:
    void BtnSilClick();
    void BtnDuzenleClick();
    void BtnYeniClick();
    void FiltreleClick();
    void FiltreKaldirClick();
    void BtnCariSecClick();
    // "İşEmri Seç": a work order into the work-order search (Enter searches).
    void BtnIsEmriSecClick();
    // "Yazıcı": the detailed list of the listed invoices.
    void BtnYaziciClick();
    void KayitGecmisiClick();
    // The e-invoice state commands of the list's menu: one invoice, or every listed one.
    void EFaturaDurumClick(int yeniDurum);
    void EFaturaTopluClick(int yeniDurum);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void satirlariGoster();

    const SessionContext& m_ctx;
    QList<IEFatListeSatiri> m_liste;
    void bakiyeGoster();
    QLineEdit *EditSATNO, *EditFATNO, *EditIENO, *EditCARIKOD, *EditPlaka;
    QLabel *LabelKalanBaslik, *LabelKalan;
    QDateEdit *EditTrh1, *EditTrh2;
    QComboBox *RadioGroup1, *RGMUH, *rgDokum;
    QTableWidget *cxGrid1, *cxGridDetay;
    QLabel* LabelKayit;
    QPushButton *BtnYeni, *BtnDuzenle, *BtnSil, *BtnKapat;
};

// Opens the browser modally; the chosen SATIS_NO in a pick mode, else 0.
double SelectIEFatura(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
// The main window's "İşemri Fatura" list (caption "İşemri Faturaları").
void IEFaturaListeSec(const SessionContext& ctx, int mode, QWidget* parent = nullptr);

} // namespace tornaly::invoicing
