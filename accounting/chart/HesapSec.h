#pragma once
#include "accounting/chart/HesapPlani.h"
#include "context/SessionContext.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace tornaly::accounting {

// "HESAP PLANI KODLARI KAYITLARI": the account picker. The list starts empty;
// Enter in a search field lists the rows beginning with its text.
class TFormHesapSec : public QDialog {
    Q_OBJECT
public:
    TFormHesapSec(const SessionContext& ctx, int mode, QWidget* parent = nullptr);

    QString secilenKod;
    QChar secilenSeviye;

    QLineEdit* EditKod = nullptr;
    QLineEdit* EditAd = nullptr;
    QTableView* cxGrid = nullptr;
    QLabel* LabelSonKod = nullptr;
    QLabel* LabelAlacak = nullptr;
    QLabel* LabelBorc = nullptr;
    QLabel* LabelBakiye = nullptr;
    QPushButton* BtnSec = nullptr;
    QPushButton* BtnYeni = nullptr;
    QPushButton* BtnDegistir = nullptr;
    QPushButton* BtnAylik = nullptr;
    QPushButton* BtnSil = nullptr;
    QPushButton* BtnKapat = nullptr;

public slots:
    void EditKodEnter();
    void EditAdEnter();
    void BtnSecClick();
    void BtnYeniClick();
    void BtnDegistirClick();
    void BtnAylikClick();
    void BtnSilClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ara(const QString& kod, const QString& ad);
    void listele(const QString& kod, const QString& ad, bool tumu);
    void bakiyeGoster();
    void dugmeler();
    HesapKaydi satir(int row) const;

    const SessionContext& m_ctx;
    Db m_db;
    int m_mode;
    HesapParametreleri m_param;
    QList<HesapKaydi> m_liste;
    QStandardItemModel* m_model = nullptr;
};

// Mode 1 posting-level accounts, 99 every account below the main level;
// the chosen code, empty when closed without a choice.
QString HesapSec(const SessionContext& ctx, int mode, QWidget* owner = nullptr);
// The "any level" variant: the level letter and the code.
QPair<QChar, QString> HesapSecTum(const SessionContext& ctx, QWidget* owner = nullptr);

// The VAT code set picker (mode 1 shows "Seç"); the chosen set, or empty.
QString MuhKDVSec(const SessionContext& ctx, int mode, QWidget* owner = nullptr);

} // namespace tornaly::accounting
