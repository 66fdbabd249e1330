#pragma once
#include "db/Database.h"
#include "workshop/pdi/Pdi.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace tornaly { struct SessionContext; }

namespace tornaly::workshop {

class FieldPanel;

// "PDI Kayıtları": one pre-delivery inspection per vehicle with its faults;
// "İşemri Aç" turns the faults into the vehicle's PDI work order.
class TFormPDI : public QDialog {
    Q_OBJECT
public:
    explicit TFormPDI(SessionContext& ctx, QWidget* parent = nullptr);

    enum class Durum { Gezinme, Duzeltme, Ekleme };
    Durum durum() const { return m_durum; }
    const PdiKaydi& kayit() const { return m_kayit; }

    QLineEdit* Edit1 = nullptr; // "&Aranan PDI No"
    QLineEdit* Edit2 = nullptr; // "Aranan Şa&si"
    QTableWidget* ListeSase = nullptr;
    FieldPanel* Alanlar = nullptr;
    QLabel* LblModelAdi = nullptr;
    QLabel* LblRenkAdi = nullptr;
    QTableWidget* GridHata = nullptr;
    QPushButton *BitBtn1 = nullptr, *BitBtn2 = nullptr, *BitBtn3 = nullptr, *BitBtn4 = nullptr, *BitBtn5 = nullptr;
    QPushButton *BtnPDIForm = nullptr, *BtnSonKontrol = nullptr;
    QPushButton *BtnSatirEkle = nullptr, *BtnSatirSil = nullptr, *BtnHataSec = nullptr;

    // Goes to the record (the last one when empty); false when there is none.
    bool git(const QString& pdiNo);
    // Test hooks in place of the pickers (return empty when cancelled).
    std::function<QString()> aracSecici;
    std::function<QString(bool hataYeri)> hataSecici;

public slots:
    void IlkClick();
    void OncekiClick();
    void SonrakiClick();
    void SonClick();
    void YeniClick();
    void SilClick();
    void DuzeltClick();
    void SaklaClick();
    void IptalClick();
    void YenileClick();
    void Edit1Enter();
    void Edit2Enter();
    void ListeSaseSec();
    void AracAra(PdiAracAlani alan);
    void BitBtn2Click(); // "&Araç Seç"
    void BitBtn5Click(); // "&Personel Seç"
    void BitBtn4Click(); // "İşemri Aç"
    void BitBtn3Click(); // "Yedek Parça Talep"
    void BtnPDIFormClick();
    void BtnSonKontrolClick();
    void SatirEkleClick();
    void SatirSilClick();
    void HataSecClick();

private:
    QWidget* kurGezgin();
    QWidget* kurAlanlar();
    QWidget* kurHatalar();
    QLayout* kurDugmeler();
    void goster();
    void hatalariGoster();
    void adlariGoster();
    void duzenlemeyeGec();
    bool alanlariOku();
    void setButtons();
    void hataKoduYazildi(int row, int col);

    SessionContext& m_ctx;
    Db m_db;
    PdiKaydi m_kayit;
    Durum m_durum = Durum::Gezinme;
    bool m_yukleniyor = false;
    QList<QToolButton*> m_gezgin;
    QPointer<QWidget> m_sipAl;
};

} // namespace tornaly::workshop
