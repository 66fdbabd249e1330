#pragma once
#include "invoicing/workorder/IEFatura.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QDateEdit;
class QComboBox;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QPlainTextEdit;
class QCheckBox;
class QToolButton;
class QMenu;
class QGroupBox;

namespace tornaly { struct SessionContext; }

namespace tornaly::invoicing {

// The work-order invoice: one invoice at a time, lines kept in memory until
// "&Sakla" posts the whole invoice in one transaction.
class TFormIEFatura : public QDialog {
    Q_OBJECT
public:
    TFormIEFatura(const SessionContext& ctx, QWidget* parent = nullptr);

    // Form state by its own names.
    int FAT_TUR = 0;
    int SONRAKI_FAT = -1;
    QString ieno, ieDurum;
    int ieFYili = 0;
    double SATISNOSU = -1;
    bool yenikayit = false;
    int popuptag = 0; // the KOORFAT design chosen from the drop-down of "Fa&tura Kes"

    const IEFatura& fatura() const { return m_fatura; }
    IEFatura& fatura() { return m_fatura; }
    // Opens a stored invoice (browse mode).
    void faturaAc(double satisNo);
    // Starts a new invoice of the kind index; false when cancelled or not allowed.
    bool yeniFatura(int turIndex);
    // Builds the invoice from a work order (F4 / Enter in Edit1 / the dispositions).
    bool isEmrindenOlustur(const QString& isEmriNo, int fyili);
    // The show step of IsEmriFaturaKes: an existing I invoice is opened, else asked for.
    void isEmriIcinAc();
    void tabloyuDoldur();

public:
    QPushButton* BtnMusteriArama = nullptr;

public slots:
    void BtnSAKLAClick();
    void BtnIptalClick();
    void BtnNetHesapClick();
    // "&Fiyatlari Güncelle": the part lines' prices from their stock cards.
    void BitBtn3Click();
    // Ctrl+Delete on the grid.
    void SatirSilClick();
    // "Müşteri Şikayeti Göster" / its "Kapat": the work order's complaints panel.
    void SikayetGosterClick();
    // "S&eç": EK1 from the ready texts.
    void EK1SecClick();
    // Grid pop-up "Stok Kartı" on a part line.
    void StokKartiClick();
    // F3: a new invoice, the cursor in the work-order number.
    void YeniIsemriFaturaClick();
    void BtnYuvarlaClick();
    void BtnSatirIskClick();
    void SpeedBKRClick();
    void SpeedButton1Click();
    void Edit1Enter();
    void NakitOdemeClick();
    // "Ö&deme Sekli": the payment the plan's type names (cash, card, cheque), else the menu.
    void BtnOdemeClick();
    // "Ödeme Planı": the plan and its type into the header (edit mode).
    void SpeedOdePlanClick();
    void OncekiKayitClick();
    void SonrakiKayitClick();
    void BitBtnEskiClick();
    void KurDegeriSecClick();
    void carieditClick();
    void CariHareketlerClick();
    void BtnMusteriAramaClick();
    void BtnEditClick();
    // Printing: pre-printed invoice with the chosen design (popuptag), A4, dispositions.
    void BtnFATKESClick();
    void btnFatA4Click();
    void BtnDispozisyonClick();

private:
    QWidget* kurEkBilgiler();
    QWidget* kurSikayetPaneli();
    void kurMenuler();
    void postaKutulariniDoldur();
    void cariMesaji();
    void basligiGoster();
    void basligiAl();
    void toplamGoster();
    void bakiyeGoster();
    void butstat();
    void hucreDegisti(QTableWidgetItem* item);

    const SessionContext& m_ctx;
    IEFatura m_fatura;
    bool m_yukleniyor = false;

    QLineEdit *Edit1, *EditFatNo, *EditCariKod, *EditCariAd, *EditDoviz, *EditKur, *EditOdemeSekli, *EditIsEmri;
    QLineEdit *EditYuvarla, *EditIskonto, *EditOdeKod;
    QMenu* m_odemeMenu = nullptr;
    QDateEdit *EditTarih, *EditVade;
    QComboBox *cbKDVTEV;
    QLabel *LabelTur, *LabelBakiye, *LabelBakiyeBaslik;
    QTableWidget* cxGrid1;
    QLabel *lblBrut, *lblIndirim, *lblToplam, *lblKdv, *lblTevkifat, *lblNet, *lblParca, *lblIscilik, *lblGaranti;
    QToolButton* BtnFATKES;
    QPushButton *btnFatA4, *BtnDispozisyon;
    QCheckBox *chcboxdvz, *cbplaka, *cbEk;
    QPushButton *BtnSAKLA, *BtnIptal, *BtnNetHesap, *BtnYuvarla, *BtnSatirIsk, *SpeedBKR, *SpeedButton1, *BtnOdeme,
        *BtnEdit, *BtnKapat, *SpeedOdePlan, *BtnOnceki, *BtnSonraki, *BitBtnEski, *SpeedKur, *cariedit,
        *BtnCariHareketler, *BitBtn3;
    QComboBox* cbPostaKutusu = nullptr;
    QLineEdit *EditPerKod = nullptr, *EditGarantiBelgeNo = nullptr, *EditEK1 = nullptr;
    QLabel* LabelEfStatu = nullptr;
    QCheckBox *cbEntKod = nullptr, *cbStatu = nullptr;
    QPushButton *BtnEK1Sec = nullptr, *BtnSikayet = nullptr, *BtnCariHesapIslemleri = nullptr;
    QGroupBox* PanelSikayet = nullptr;
    QLabel* LabelSikayet = nullptr;
};

// Opens the invoice form on a stored invoice (mode 0 or 2) or a new one
// (mode 1 with -1), modeless.
void IEFaturaGoster(const SessionContext& ctx, int mode, double satisNo, QWidget* parent = nullptr);
// The dispositions' "İş Emri Fatura": the invoice of the work order, modal.
void IsEmriFaturaKes(const SessionContext& ctx, const QString& isEmriNo, const QString& kapandi, int fyili,
                     QWidget* parent = nullptr);

} // namespace tornaly::invoicing
