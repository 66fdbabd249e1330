#pragma once
#include "context/SessionContext.h"

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableView;
class QTimeEdit;

namespace tornaly {

// "Kur Değerleri": currencies on the left, the rate history of the current
// currency beside it; rates are added (Insert), changed in the grid and
// deleted (Delete) there.
class TFormDoviz : public QDialog {
    Q_OBJECT
public:
    explicit TFormDoviz(const SessionContext& ctx, QWidget* parent = nullptr);

    QString aranan;          // incremental search text, and the code passed in pick mode
    double DovizKuruTL = 0;  // selling rate picked in pick mode

    QTableView* GridDoviz = nullptr;
    QTableView* GridKurDeger = nullptr;
    QDateEdit* MaskEdTarih = nullptr;
    QTimeEdit* MaskEdSaat = nullptr;
    QDateEdit* DateEditGun = nullptr;
    QCheckBox* CheckBoxAlKur = nullptr;
    QPushButton* BtnSec = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* btnKurIndir = nullptr;
    QPushButton* BtnStkFyt = nullptr;
    QLabel* LabelAranan = nullptr;

    QString currentCurrency() const;
    void selectCurrency(const QString& code);
    int rateRowCount() const;

public slots:
    void FormShow();
    void BtnSecClick();
    void BitBtn1Click();
    void btnKurIndirClick();
    void BtnStkFytClick();
    void yeniKur();
    void kurSil();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void showRates();
    void loadCurrencies();
    void loadRates();
    void rateEdited(int row, int column);
    void restoreCell(int row, int column);
    // Removes a new row whose rates are not both typed, with a message;
    // -1 looks for one anywhere. True when a row was dropped.
    bool dropUnfinishedRow(int row = -1);
    void searchKey(int key, const QString& text);

    SessionContext m_ctx;
    QStandardItemModel* m_doviz = nullptr;
    QStandardItemModel* m_kur = nullptr;
    bool m_loading = false;
    QString m_rowsOf; // the currency whose rates the rate grid holds
};

// The single rates window of the program.
extern QPointer<TFormDoviz> FormDoviz;

// Picks a rate of a currency in the rates window: -1 when it is not ended
// with "&Seç", else the selling rate of the chosen row (1 when it has none).
double DovizKuruSec(const SessionContext& ctx, const QString& code);

} // namespace tornaly
