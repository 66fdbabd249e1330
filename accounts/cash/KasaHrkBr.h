#pragma once
#include "accounts/cash/Kasa.h"
#include "accounts/ui/ListeModeli.h"
#include "context/SessionContext.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class QWidget;

namespace tornaly::accounts {

// "Kasa İşlemleri": an opening or a transfer of the cash ledger.
class TFormKasaHrkYaz : public QDialog {
    Q_OBJECT
public:
    TFormKasaHrkYaz(const SessionContext& ctx, const KasaHareketi& h, QWidget* parent = nullptr);
    KasaHareketi hareket() const;
    double sonuc = 0;

    QLabel* LblTur = nullptr;
    QDateEdit* TARIH = nullptr;
    QLineEdit* BELGE_NO = nullptr;
    QLineEdit* TUTAR = nullptr;
    QLineEdit* TUTAR_USD = nullptr;
    QLineEdit* TUTAR_DVZ = nullptr;
    QComboBox* DOVIZ_KOD = nullptr;
    QLineEdit* TL_KURDEGER = nullptr;
    QLineEdit* TL_USDEGER = nullptr;
    QComboBox* PARA_BAZ = nullptr;
    QLineEdit* ACIKLAMA = nullptr;
    QWidget* PanelVirman = nullptr;
    QLineEdit* KARSIKOD = nullptr;
    QPushButton* BtnKasaSec = nullptr;
    QPushButton* BtnSakla = nullptr;
    QPushButton* BtnVazgec = nullptr;

public slots:
    void BtnSaklaClick();
    void tutarlariHesapla();

private:
    const SessionContext& m_ctx;
    Db m_db;
    KasaHareketi m_h;
};

// "KASA İŞLEMLERİ": every row of the cash ledger.
class TFormKasaHrkBr : public QDialog {
    Q_OBJECT
public:
    TFormKasaHrkBr(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
    void listeyiAc(double konum = -1);

    ListeModeli* TableBr = nullptr;
    QTableView* dbgridbr = nullptr;
    QPushButton* btnNew = nullptr;
    QPushButton* btnEdit = nullptr;
    QPushButton* btnDelete = nullptr;
    QPushButton* btnSelect = nullptr;
    QPushButton* btnClose = nullptr;
    QMenu* PopupYeni = nullptr;
    QLabel* LblSayi = nullptr;
    double SEC = -1;

public slots:
    void yeniHareket(QChar tur);
    void btnEditClick();
    void btnDeleteClick();

private:
    const SessionContext& m_ctx;
    Db m_db;
};

double KasaHrkGir(const SessionContext& ctx, QChar tip, QChar hrkTuru, const QString& kasaKod, double hrkNo,
                  const QDate& tarih, QWidget* parent = nullptr);
double KasaHrkSec(const SessionContext& ctx, int mode, QWidget* parent = nullptr);

} // namespace tornaly::accounts
