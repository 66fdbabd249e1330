#pragma once
#include "accounts/cash/Kasa.h"
#include "accounts/ui/ListeModeli.h"
#include "context/SessionContext.h"

#include "sql/SqlHelpers.h"

#include <QDate>
#include <QDialog>
#include <functional>

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
// The "Filtre" group of the cash list; every value is bound.
struct KasaHrkFiltresi {
    int tip = 0;              // index of "Tipi": 0 "Tümü", then the kinds in the list's order
    QString karsiKod, kasaKod;
    QDate ilk, son;           // inclusive days; invalid: open
};
// The captions of "Tipi", "Tümü" first.
QStringList KasaHrkTipleri();
SqlText KasaHrkListeSorgusu(const KasaHrkFiltresi& f);

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
    QLineEdit* EditAraHrkNo = nullptr;  // "Aranan Hrk.No"
    QDateEdit* EditAraTarih = nullptr;  // "Aranan Tarih"
    QComboBox* CbTipi = nullptr;
    QLineEdit* EditKarsiKod = nullptr;
    QLineEdit* EditKasaKod = nullptr;
    QDateEdit* EditIlk = nullptr;
    QDateEdit* EditSon = nullptr;
    QPushButton* BtnFiltrele = nullptr;
    QPushButton* BtnFiltreKaldir = nullptr;
    KasaHrkFiltresi filtre;
    double SEC = -1;

public slots:
    void yeniHareket(QChar tur);
    void btnEditClick();
    void btnDeleteClick();
    void BtnFiltreleClick();
    void BtnFiltreKaldirClick();
    void AraHrkNoEnter();
    void AraTarihEnter();
    double currentNo() const;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QWidget* kurFiltre();
    bool konumlan(const QString& kolon, const std::function<bool(const QVariant&)>& uyar);

    const SessionContext& m_ctx;
    Db m_db;
};

double KasaHrkGir(const SessionContext& ctx, QChar tip, QChar hrkTuru, const QString& kasaKod, double hrkNo,
                  const QDate& tarih, QWidget* parent = nullptr);
double KasaHrkSec(const SessionContext& ctx, int mode, QWidget* parent = nullptr);

} // namespace tornaly::accounts
