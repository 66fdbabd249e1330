#pragma once
#include "context/SessionContext.h"
#include "stock/cards/StokKart.h"

#include <QDialog>
#include <QHash>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace tornaly::stock {

class ResimKutusu;

// The stock card "Stok Kayıt": one STOK row with its shelves per warehouse,
// model links, equivalent codes, packaging and picture.
class TFormStokSakla : public QDialog {
    Q_OBJECT
public:
    TFormStokSakla(const SessionContext& ctx, StokKarti kart, QWidget* parent = nullptr);

    const StokKarti& kart() const { return m_kart; }
    // The part number as it stood when the card was saved; empty otherwise.
    QString donenParcaNo;

    QLineEdit* EditStokNo = nullptr;
    QDateEdit* EditTarih = nullptr;
    QLineEdit* EditStokAdiTr = nullptr;
    QLineEdit* EditStokAdiIng = nullptr;
    QLineEdit* EditParcaNo = nullptr;
    QLineEdit* EditKdv = nullptr;
    QComboBox* CmbDoviz = nullptr;
    QComboBox* CmbPay = nullptr;
    QComboBox* CmbBirim = nullptr;
    QCheckBox* ChkPasif = nullptr;
    QCheckBox* ChkGaranti = nullptr;
    QPushButton* BtnKaydet = nullptr;
    QPushButton* BtnIptal = nullptr;
    QTabWidget* PageControl1 = nullptr;

    QComboBox* CmbGrup = nullptr;
    QComboBox* CmbAltGrup = nullptr;
    QLineEdit* EditBarkod = nullptr;
    QComboBox* CmbBarkodTipi = nullptr;
    QPushButton* BtnKdvHaric = nullptr;
    QPushButton* BtnKurSec = nullptr;
    // Price boxes by column name (ALIS_FYT_TL, SAT_FYT_DOVIZ, ...).
    QHash<QString, QLineEdit*> fiyatKutulari;
    QHash<QString, QLabel*> hesapliKutular;

    QComboBox* CmbIskGrup = nullptr;
    QComboBox* CmbOrj = nullptr;
    QComboBox* CmbKaynak = nullptr;
    QLineEdit* EditMarka = nullptr;
    QPushButton* BtnMarkaSec = nullptr;
    QTableWidget* GridModel = nullptr;
    QTableWidget* GridDepo = nullptr;
    QTableWidget* GridMuadil = nullptr;
    QPushButton* BtnMuadilEkle = nullptr;
    QComboBox* CmbAmbalaj = nullptr;
    ResimKutusu* ImgResim = nullptr;
    QCheckBox* ChkSigdir = nullptr;
    QPushButton* BtnResimYukle = nullptr;
    QLabel* LblResimHata = nullptr;

public slots:
    void BtnKaydetClick();
    void BtnIptalClick();
    void BtnKdvHaricClick();
    void BtnKurSecClick();
    void BtnMarkaSecClick();
    void BtnMuadilEkleClick();
    void BtnResimYukleClick();
    void EditBarkodExit();
    void CmbGrupChange();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QWidget* baslikKur();
    QWidget* detaySayfasi();
    QWidget* markaSayfasi();
    QWidget* depoSayfasi();
    QWidget* muadilSayfasi();
    QWidget* ambalajSayfasi();
    QWidget* resimSayfasi();
    void alanlariYukle();
    // Copies the boxes into the card; false (message shown) when a number does not parse.
    bool alanlariTopla();
    void fiyatlariGoster();
    void altGruplariDoldur(const QString& secili);
    void muadilleriOku();
    void modelleriOku();
    void resmiGoster();
    void ambalajGoster();

    SessionContext m_ctx;
    Db m_db;
    StokKarti m_kart;
    bool m_bitti = false;
    QList<QLabel*> m_ambalajEtiketleri;
    QList<QLabel*> m_donemBasi;
};

// Opens the card: a new one (kopyaYeni on, stokNo <= 0), a copy of stokNo
// (kopyaYeni on), or stokNo in edit. `parcaNo` gets the saved part number,
// empty on cancel.
void StokKartiAc(const SessionContext& ctx, bool kopyaYeni, QString& parcaNo, double stokNo, QWidget* parent = nullptr);

} // namespace tornaly::stock
