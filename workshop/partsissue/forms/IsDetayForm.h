#pragma once
#include "workshop/partsissue/IsDetay.h"

#include <QDialog>

class QAction;

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace tornaly::workshop {

class SatirGrid;

// "Yedek Parça Teslim": the parts counter issues parts to a work order and
// takes returns.
class TFormIsDetay : public QDialog {
    Q_OBJECT
public:
    explicit TFormIsDetay(SessionContext& ctx, QWidget* parent = nullptr);

    IsDetayBelgesi Belge;
    void isemriypac(const QString& isEmriNo);

    QLineEdit* EdAra = nullptr;
    QPushButton* BtnIsEmriSec = nullptr;
    QLabel* LblBaslik = nullptr;
    QLabel* LblDurum = nullptr;
    QLabel* LblToplam = nullptr;
    QLineEdit* EdStokAra = nullptr;
    QLabel* LblAramaMod = nullptr;
    QTableWidget* GridStok = nullptr;
    SatirGrid* GridParca = nullptr;
    QPushButton* BtnSikayetGoster = nullptr;   // "M.Şikayeti Göster"
    QWidget* PanelSikayet = nullptr;           // the customer's ten requests
    QPushButton* BtnTeslimAlanSec = nullptr;   // parts receiver YP_TESLIM_ALAN
    QPushButton* BtnTeslimEdenSec = nullptr;   // parts issuer YPTESLIMEDEN
    QLabel* LblTeslimAlan = nullptr;
    QLabel* LblTeslimEden = nullptr;
    QPushButton* BtnIsEmriIslemleri = nullptr; // "İş Emiri İşlemleri"
    QAction* ActIsEmriAcma = nullptr;
    QPushButton* BtnDuzenle = nullptr;
    QPushButton* BtnKaydet = nullptr;
    QPushButton* BtnVazgec = nullptr;
    QPushButton* BtnIscilikSec = nullptr;
    QPushButton* BtnPaketSec = nullptr;
    QPushButton* BtnFiyatGuncelle = nullptr;
    QPushButton* BtnFiyatSabitle = nullptr;
    QPushButton* BtnSil = nullptr;
    QPushButton* BtnStokKarti = nullptr;
    QPushButton* BtnStokHareket = nullptr;
    QPushButton* BtnIsEmriKapama = nullptr;
    QPushButton* BtnKapat = nullptr;
    QPushButton* BtnSeriNo = nullptr;
    QPushButton* BtnYeniStokKarti = nullptr;
    QPushButton* BtnYPGarKontrol = nullptr;
    QPushButton* BtnAracGecmisi = nullptr;
    QPushButton* BtnSipeAktar = nullptr;
    QPushButton* BtnEksperdenAktar = nullptr;
    QWidget* PanelSorun = nullptr;
    QPlainTextEdit* MemoSorun = nullptr;

public slots:
    void EdAraKeyPress();
    void BtnIsEmriSecClick();
    void EdStokAraKeyPress();
    void GridStokDblClick();
    void BtnDuzenleClick();
    void BtnKaydetClick();
    void BtnVazgecClick();
    void BtnIscilikSecClick();
    void BtnPaketSecClick();
    void BtnFiyatGuncelleClick();
    void BtnFiyatSabitleClick();
    void BtnSilClick();
    void BtnStokKartiClick();
    void BtnSeriNoClick();
    void BtnYeniStokKartiClick();
    void BtnStokHareketClick();
    void BtnIsEmriKapamaClick();
    void IsEmriAcmaClick();
    void SikayetGosterClick();
    void TeslimKisiSec(const QString& kolon);
    void setAramaModu(int mod);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void goster();
    void modAyarla();
    QWidget* kurTeslimSatiri();
    QWidget* kurSikayetPaneli();
    void satirDuzenlendi(int row, const QString& alan, const QString& text);
    double odakStokNo() const;
    SessionContext& m_ctx;
    Db m_db;
    QList<QVariantMap> m_stok;
    int m_aramaModu = 0;
    QChar m_merkez = u'T';
    bool m_doubleenter = false;
};

// Opens the parts issue for a work order (modal), or empty (modeless) when no
// number is given. "Yetkiniz yok" for users whose stock right is H.
// "Stoktaki Parti/Seri Nolar" (TFormPartiSeriNoStok): the chosen batch or serial number of the part,
// empty on "&Çıkış".
class TFormPartiSeriNoStok : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
};
QString PartiSeriNoSec(SessionContext& ctx, const QString& isEmriNo, double stokNo, QWidget* parent = nullptr);

void YPTeslimAc(SessionContext& ctx, const QString& isEmriNo, QWidget* parent = nullptr);

} // namespace tornaly::workshop
