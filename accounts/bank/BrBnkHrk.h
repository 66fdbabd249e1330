#pragma once
#include "context/SessionContext.h"
#include "db/Database.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableWidget;

namespace tornaly::accounts {

// "BANKA HAREKETLERİ": the bank vouchers with the lines of the current one.
class TFormBankHrkBr : public QDialog {
    Q_OBJECT
public:
    TFormBankHrkBr(const SessionContext& ctx, int mode, QWidget* parent = nullptr);

    void listeyiAc(double konum = 0);
    double hrkNo() const;
    int satirSayisi() const;

    QTableWidget* GridFis = nullptr;
    QTableWidget* GridSatir = nullptr;
    QLabel* LblSayi = nullptr;
    QComboBox* CbTipi = nullptr;
    QDateEdit* EditTarih1 = nullptr;
    QDateEdit* EditTarih2 = nullptr;
    QLineEdit* EditCariKod = nullptr;
    QLineEdit* EditBankaKod = nullptr;
    QLineEdit* EditHesapNo = nullptr;
    QComboBox* CbSiralama = nullptr;
    QMenu* MenuYeni = nullptr;
    QPushButton* BtnYeni = nullptr;
    QPushButton* BtnDuzenle = nullptr;
    QPushButton* BtnSil = nullptr;
    QPushButton* BtnSec = nullptr;
    QPushButton* BtnFiltrele = nullptr;
    QPushButton* BtnFiltreKaldir = nullptr;
    QPushButton* BtnCariSec = nullptr;
    QPushButton* BtnBankaSec = nullptr;
    QPushButton* BtnKapat = nullptr;
    double secim = -1;

public slots:
    void YeniClick(const QString& tip);
    void BtnDuzenleClick();
    void BtnSilClick();
    void BtnSecClick();
    void BtnFiltreleClick();
    void BtnFiltreKaldirClick();

private:
    QWidget* kurFiltre();
    QLayout* kurDugmeler();
    void satirlariYukle();

    const SessionContext& m_ctx;
    Db m_db;
    int m_mode;
    QList<double> m_nolar;
    QStringList m_tipler;
};

// The browse convention; returns the picked HRK_NO, or -1.
double BankaHrkSec(const SessionContext& ctx, int mode, QWidget* parent = nullptr);

} // namespace tornaly::accounts
