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

// "KASA FİŞİ GİRİŞLERİ": the cash and offset slips with the lines of the
// current one.
class TFormMFisBr : public QDialog {
    Q_OBJECT
public:
    TFormMFisBr(const SessionContext& ctx, int mode, const QString& cariKod, const QString& cariAd,
                QWidget* parent = nullptr);

    void listeyiAc(double konum = 0);
    double hrkNo() const;
    int satirSayisi() const;

    QTableWidget* GridFis = nullptr;
    QTableWidget* GridSatir = nullptr;
    QLabel* LblSayi = nullptr;
    QLabel* LblSecilenCari = nullptr;
    QLineEdit* EditKod = nullptr;
    QDateEdit* EditTarih1 = nullptr;
    QDateEdit* EditTarih2 = nullptr;
    QComboBox* CbSiralama = nullptr;
    QMenu* MenuYeni = nullptr;
    QPushButton* BtnYeni = nullptr;
    QPushButton* BtnDegistir = nullptr;
    QPushButton* BtnSil = nullptr;
    QPushButton* BtnSec = nullptr;
    QPushButton* BtnFiltrele = nullptr;
    QPushButton* BtnFiltreKaldir = nullptr;
    QPushButton* BtnKapat = nullptr;
    double secim = -1;

public slots:
    void YeniClick(const QString& tip);
    void BtnDegistirClick();
    void BtnSilClick();
    void BtnSecClick();

private:
    QWidget* kurFiltre();
    QLayout* kurDugmeler();
    void satirlariYukle();

    const SessionContext& m_ctx;
    Db m_db;
    int m_mode;
    QString m_cariKod, m_cariAd;
    QString m_kodFiltresi;
    QList<double> m_nolar;
    QStringList m_tipler;
};

// The browse convention; returns the picked HRK_NO, or -1.
double MFisSec(const SessionContext& ctx, int mode, const QString& cariKod = {}, const QString& cariAd = {},
               QWidget* parent = nullptr);

} // namespace tornaly::accounts
