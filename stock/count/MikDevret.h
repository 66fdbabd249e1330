#pragma once
#include "context/SessionContext.h"
#include "stock/count/Sayim.h"

#include <QDialog>
#include <QHash>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace tornaly::stock {

// "HIZLI SAYIM FİŞİ GİRİŞİ": counts one warehouse twenty parts a page, by
// hand or barcode, imports counts, lists differences, resets the count and
// books the differences as stock slips.
class TFormMikDevret : public QDialog {
    Q_OBJECT
public:
    TFormMikDevret(SessionContext& ctx, int mode, QWidget* parent = nullptr);

    QComboBox* CmbDepo = nullptr;
    QLineEdit* EditKod = nullptr;
    QLineEdit* EditAd = nullptr;
    QLineEdit* EditBarkod = nullptr;
    QLineEdit* EditRaf = nullptr;
    QComboBox* CmbSayfaSira = nullptr;
    QPushButton* BtnOnceki = nullptr;
    QPushButton* BtnSonraki = nullptr;
    QPushButton* BtnSakla = nullptr;
    QCheckBox* ChkOtomatik = nullptr;
    QTableWidget* GridSayim = nullptr;
    QLineEdit* EditFisAciklama = nullptr;
    QDoubleSpinBox* SpinYuzde = nullptr;
    QRadioButton* RadioBaslangic = nullptr;
    QRadioButton* RadioSimdiki = nullptr;
    QCheckBox* ChkYalnizFarkli = nullptr;
    QPushButton* BtnFarkListesi = nullptr;
    QPushButton* BtnSifirla = nullptr;
    QPushButton* BtnFisOlustur = nullptr;
    QPushButton* BtnTerminal = nullptr;
    QPushButton* BtnExcel = nullptr;
    QPushButton* BtnMobil = nullptr;
    QPushButton* BtnModel = nullptr;
    QPushButton* BtnKapat = nullptr;
    QPushButton* BtnYardim = nullptr;
    // The import result panel.
    QWidget* PanelAktarim = nullptr;
    QTableWidget* GridDogru = nullptr;
    QTableWidget* GridHatali = nullptr;
    QCheckBox* ChkRafGuncelle = nullptr;
    QPushButton* BtnAktar = nullptr;
    QPushButton* BtnIlave = nullptr;
    QPushButton* BtnPanelKapat = nullptr;

    const QList<SayimSatiri>& sayfa() const { return m_sayfa; }
    QString depo() const;

public slots:
    void Kaydet();           // "&Sakla": writes the pending entries
    void SonrakiSayfa();
    void OncekiSayfa();
    void AraKod();
    void AraAd();
    void AraRaf();
    void AraBarkod();
    void BtnSifirlaClick();
    void BtnFarkListesiClick();
    void BtnFisOlusturClick();
    void BtnTerminalClick();
    void BtnExcelClick();
    void BtnMobilClick();
    void AktarimUygula(bool ilaveEt);

protected:
    void reject() override;

private:
    QWidget* kurUstPanel();
    QWidget* kurAltPanel();
    QWidget* kurAktarimPaneli();
    void goster(const QList<SayimSatiri>& satirlar);
    void listele(SayimSayfaIstegi istek);
    void hucreDegisti(int row, int col);
    SayimKarsilastirma karsilastirma() const;
    void aktarimiGoster(const SayimAktarimi& a, const QString& hataMesaji);
    bool bekleyenVar() const;

    struct Bekleyen {
        double okunan = 0, yeni = 0;
        std::optional<QString> raf;
    };
    SessionContext& m_ctx;
    Db m_db;
    QList<SayimSatiri> m_sayfa;
    QHash<double, Bekleyen> m_bekleyen;
    bool m_acik = false;
    bool m_yukleniyor = false;
    SayimAktarimi m_aktarim;
    int EditFocus = 1;
};

// Opens the quick count modally (the system window passes mode 0).
void MikDevretAc(SessionContext& ctx, int mode, QWidget* parent = nullptr);

} // namespace tornaly::stock
