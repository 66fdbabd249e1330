#pragma once
#include "accounts/closing/BorcKapama.h"
#include "context/SessionContext.h"
#include "db/Database.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QTableWidget;

namespace tornaly {
class TTarihEdit;
}

namespace tornaly::accounts {

class ListeModeli;

// "Borc Kapama": closes debits against credits for a list of accounts and
// shows each account's closing figures.
class TFormHizliBorcKapa : public QDialog {
    Q_OBJECT
public:
    TFormHizliBorcKapa(const SessionContext& ctx, int mode, QWidget* parent = nullptr);

    // The show step: filter when a first code is given, open the lists; mode 1 also runs the closing.
    void goster();
    BorcKapamaFiltresi filtre() const;
    const BorcKapamaToplami& toplam() const { return m_toplam; }

    QLineEdit* EditIlkKod = nullptr;
    QLineEdit* EditSonKod = nullptr;
    QPushButton* BtnCariSec1 = nullptr;
    QPushButton* BtnCariSec2 = nullptr;
    QComboBox* CbCariGrup = nullptr;
    TTarihEdit* EditTarih = nullptr; // "Tarihine Göre", blank: no date
    QRadioButton* RbIslemTarihi = nullptr;
    QRadioButton* RbVadeTarihi = nullptr;
    QPushButton* BtnFiltrele = nullptr;
    QPushButton* BtnFiltreKaldir = nullptr;
    QPushButton* BtnBorcKapa = nullptr;
    QPushButton* BtnVadeliKapat = nullptr;
    QPushButton* BtnVadeAta = nullptr;
    QRadioButton* RbTumu = nullptr;
    QRadioButton* RbKapanmis = nullptr;
    QRadioButton* RbAciklar = nullptr;
    QPushButton* BtnExcel = nullptr;
    QPushButton* BtnYazdir = nullptr;
    QComboBox* CbYazBakiye = nullptr;   // "Yazdırma Bakiye Filtresi"
    QLineEdit* EditMinBakiye = nullptr; // "Min.Bakiye"
    QComboBox* CbYazHareket = nullptr;  // " Hareket Filtresi "
    QCheckBox* CbIleriVade = nullptr;   // "İleri Vade Gün Filtresi"
    QSpinBox* SpinGun1 = nullptr;
    QSpinBox* SpinGun2 = nullptr;
    QPushButton* BtnKapat = nullptr;
    QTableView* GridCari = nullptr;
    QTableView* GridHrk = nullptr;
    QTableWidget* GridToplam = nullptr;
    QLabel* LblDurum = nullptr;
    ListeModeli* QCari = nullptr;
    ListeModeli* QHrk = nullptr;

public slots:
    void BtnFiltreleClick();
    void BtnFiltreKaldirClick();
    void BtnBorcKapaClick();
    void BtnVadeliKapatClick();
    void BtnVadeAtaClick();
    void BtnExcelClick();
    void BtnYazdirClick();

private:
    QWidget* kurFiltre();
    QWidget* kurKomutlar();
    QWidget* kurYazdirma();
    BorcKapamaYazdirma yazdirmaSecenekleri() const;
    QWidget* kurListeler();
    void cariSec(bool ikisi);
    void carileriAc(const QString& konum = {});
    void hareketleriAc();
    void toplamlariGoster();
    HareketSuzgeci suzgec() const;
    QString seciliCari() const;

    const SessionContext& m_ctx;
    Db m_db;
    int m_mode = 0;
    BorcKapamaFiltresi m_filtre; // the filter in force (set by "Filtrele")
    BorcKapamaToplami m_toplam;
    QDate m_bugun; // the server's day, read when the movements are opened
};

// Opens the debt closing for an account; mode 0 shows it, mode 1 runs the
// simple closing without showing it, any other mode only opens its lists.
void HizliBorcKapaAc(const SessionContext& ctx, const QString& cariKod, int mode, QWidget* parent = nullptr);

// "Varsayılan Vade Gün Girişi": the payment terms of the listed accounts that have none.
class TFormDefVadeGir : public QDialog {
    Q_OBJECT
public:
    TFormDefVadeGir(QList<VadesizCari>& cariler, QWidget* parent = nullptr);
    QTableWidget* GridVade = nullptr;

public slots:
    void BtnOkClick();

private:
    QList<VadesizCari>& m_cariler;
};

// Shows TFormDefVadeGir; true when confirmed, with the typed terms in `cariler`.
bool VarsayilanVadeGir(QList<VadesizCari>& cariler, QWidget* parent = nullptr);

} // namespace tornaly::accounts
