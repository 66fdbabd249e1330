#pragma once
#include "workshop/dispositions/Dispoz.h"

#include <QDialog>
#include <QHash>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tornaly::workshop {

class SatirGrid;

// "Müşteri Talimatları": the workshop finishes a work order's lines, adds
// labour from the labour cards, saves the totals, closes and reopens it.
class TFormDispoz : public QDialog {
    Q_OBJECT
public:
    explicit TFormDispoz(SessionContext& ctx, QWidget* parent = nullptr);

    DispozBelgesi Belge;
    bool edit_mod = false;

    void isemriniac(const QString& isEmriNo);
    void isemridurum();
    void kolonayarla();
    void editmodayarla(bool on);

    QLineEdit* Edit2 = nullptr;
    QPushButton* BitBtn6 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* LabelFat = nullptr;
    QLabel* LblBaslik = nullptr;
    QLabel* LblToplam = nullptr;
    SatirGrid* GridParca = nullptr;
    SatirGrid* GridIscilik = nullptr;
    QLineEdit* EditFRT = nullptr;
    QLineEdit* Edit1 = nullptr;
    QTableWidget* GridFrt = nullptr;
    QCheckBox* cbKmReset = nullptr;
    QPushButton* BtnSakla = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn15 = nullptr;
    QPushButton* btnIsemriKapat = nullptr;
    QPushButton* btnIsemriAc = nullptr;
    QPushButton* BtnFaturaKes = nullptr;
    QPushButton* btnFiyatGuncelle = nullptr;
    QPushButton* BtnFiyatSabitle = nullptr;
    QPushButton* BtnDisKatalog = nullptr;
    QPushButton* BtnParcayaIscilikAta = nullptr;
    QPushButton* BitBtn7 = nullptr;
    QAction* Yazdr1 = nullptr;
    QPushButton* BitBtn10 = nullptr;
    QPushButton* BtnKapanisForm = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QCheckBox* cbKdvfyt = nullptr;
    QPushButton* BitBtn19 = nullptr;           // "Aracın Geçmişi"
    QPushButton* btnFoto = nullptr;            // "Resim/Döküman Ekle"
    QPushButton* btnMusteriSikayet = nullptr;  // "Müş.Şikayeti/K.Notu Gör"
    QGroupBox* PnlNotlar = nullptr;
    QPushButton* BtnParcalaraIscilikSec = nullptr; // "Parçalara İşçilik Seç"
    QPushButton* BtnIscilikKarti = nullptr;        // "İşçilik Kartı"
    QGroupBox* PnlIscilikDetay = nullptr;          // "Seçili İşçilik Detayı"
    QLabel* LblOncIscilik = nullptr;
    QLabel* LblIscilikNotlari = nullptr;
    QAction* ParcayaIscilikSec1 = nullptr;
    QAction* ParcalaraIscilikSec1 = nullptr;
    QAction* IscilikParcaSec1 = nullptr;
    QAction* BarkodlaAra1 = nullptr;

public slots:
    void Edit2KeyPress();
    void BitBtn6Click();
    void BtnSaklaClick();
    void BitBtn1Click();
    void BitBtn15Click();
    void btnIsemriKapatClick();
    void btnIsemriAcClick();
    void btnFiyatGuncelleClick();
    void BtnFiyatSabitleClick();
    void BtnDisKatalogClick();
    void YedekParcaClick();
    void EditFRTKeyPress();
    void Edit1KeyPress();
    void FRTEkle();
    void ParcayaIscilikAta1Click();
    void ParcaIscilikAtamaSil1Click();
    void BitBtn7Click();
    void BitBtn10Click();
    void BtnKapanisFormClick();
    void BitBtn2Click();
    // The actual-time column's picker: the attendance readings of the work
    // order for the current labour line. The column is kept hidden, as is
    // everything bound to it.
    void FiiliSureSec();
    void ParcayaIscilikSec1Click();
    void ParcalaraIscilikSec1Click();
    void IscilikParcaSec1Click();
    void BtnIscilikKartiClick();
    void BarkodlaAra1Click();

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void ara(bool kod);
    void goster();
    void parcaDuzenlendi(int row, const QString& alan, const QString& text);
    void iscilikDuzenlendi(int row, const QString& alan, const QString& text);
    QWidget* kurNotPaneli();
    QWidget* kurIscilikDetayi();
    void kurIscilikKomutlari();
    void iscilikDetayiGoster();
    // Opens the fault-code-by-part picker for a part with several labour codes.
    QString parcayaGoreAriza(const QString& parcaKodu);
    void iscilikEklendi(int idx);
    QVariantMap panelNotlari() const;
    bool notlarDegisti() const;
    void notlariAl();
    void notPaneliGoster();
    QHash<QString, QLineEdit*> m_notAlanlari;
    QHash<QString, QComboBox*> m_notSecimleri;
    SessionContext& m_ctx;
    Db m_db;
    QList<QVariantMap> m_frt;
    bool m_doubleenter = false;
};

// Opens the dispositions of a work order modally.
void DispozGoster(SessionContext& ctx, const QString& isEmriNo, QWidget* parent = nullptr);

} // namespace tornaly::workshop
