#pragma once
#include "workshop/attendance/CalismaKarti.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimeEdit;

namespace tornaly {
struct SessionContext;
class TTarihEdit;
} // namespace tornaly

namespace tornaly::workshop {

// "Çalışma Kontrol Kartı": what one employee did on one day, by hand.
class TFormWorkControl : public QDialog {
    Q_OBJECT
public:
    explicit TFormWorkControl(SessionContext& ctx, QWidget* parent = nullptr);

    void git(double kartNo);       // shows a card (0: none)
    void TarihAra();                // "&Tarih Ara" chose a date
    void PersonelAra();             // Enter in "&Personel Kod Ara"
    void YeniKart();
    void KartKaydet();
    void KartSil();
    void Onceki();
    void Sonraki();
    void PersonelSecClick();
    void SatirEkle();
    void SatirKaydet();
    void SatirSil();
    void BitBtn3Click();            // "Toplam Saatleri Hesapla"
    double kartNo() const { return m_kart.KONT_KART_NO; }

    TTarihEdit* EdTarihAra = nullptr;
    QLineEdit* EdPerAra = nullptr;
    QLabel* LblKartNo = nullptr;
    QLineEdit* EdPerKod = nullptr;
    QLabel* LblPerAdi = nullptr;
    QPushButton* BtnPersonelSec = nullptr;
    TTarihEdit* EdTarih = nullptr;
    QLabel* LblVerimli = nullptr;
    QLabel* LblCalis = nullptr;
    QLabel* LblSatilan = nullptr;
    QCheckBox* CbMola = nullptr;
    QTableWidget* GridSatir = nullptr;
    QComboBox* CmbIsTip = nullptr;
    QLineEdit* EdIsEmri = nullptr;
    QDoubleSpinBox* EdSatilan = nullptr;
    QTimeEdit* EdBas = nullptr;
    QTimeEdit* EdBit = nullptr;

private:
    QWidget* kurBaslik();
    QWidget* kurSatirlar();
    QLayout* kurDugmeler();
    void ara(bool tarihten);
    void kartiGoster();
    void satiriSec();
    void kilitle(bool yeni);
    SessionContext& m_ctx;
    CalismaKarti m_kart;
    QList<CalismaSatiri> m_satirlar;
};

} // namespace tornaly::workshop
