#pragma once
#include "workshop/attendance/PdksKayit.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimeEdit;
class QTimer;

namespace tornaly {
struct SessionContext;
class TTarihEdit;
} // namespace tornaly

namespace tornaly::workshop {

// "Pdks Dosya Bilgileri": the readings of one day, for everybody or one
// person; where readings are entered at the workstation, also their entry
// and the simple pairing "Hesapla".
class TFormPdksGunlukBilgiList : public QDialog {
    Q_OBJECT
public:
    TFormPdksGunlukBilgiList(SessionContext& ctx, const QString& perKod, const QDate& gun, QWidget* parent = nullptr);

    void FiltreleClick();
    void YeniKayitClick();
    void DegistirClick();
    void HesaplaClick();
    bool girisModu() const { return m_girisModu; }

    TTarihEdit* EdTarih = nullptr;
    QLineEdit* EdPerKod = nullptr;
    QTableWidget* Grid = nullptr;
    QLabel* LblSayi = nullptr;
    QPushButton* BtnBarkod = nullptr;
    QPushButton* BtnYeni = nullptr;
    QPushButton* BtnDegistir = nullptr;
    QPushButton* BtnHesapla = nullptr;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    SessionContext& m_ctx;
    bool m_girisModu = false;
};

// "FormPdksEdit": one reading, typed or scanned. A badge card and a type card
// scanned in either order save the reading; a half-entered reading is
// discarded 15 seconds after the last key.
class TFormPdksEdit : public QDialog {
    Q_OBJECT
public:
    // Milliseconds of a steady clock; tests give their own.
    using Saat = std::function<qint64()>;
    TFormPdksEdit(SessionContext& ctx, int sirano, QWidget* parent = nullptr, Saat saat = {});

    static constexpr qint64 IptalSuresiMs = 15000;

    void GirisTusBirakildi();   // every key released in the scan box
    void GirisEnter();          // Enter in the scan box
    void SaklaClick();
    void IptalClick();
    void BarkodOkutClick();     // F5
    void SureDenetle();         // the auto-cancel, run by the form's tick
    bool okumaVar() const { return m_durum != Durum::Yok; }

    QComboBox* CmbPersonel = nullptr;
    TTarihEdit* EdTarih = nullptr;
    QTimeEdit* EdSaat = nullptr;
    QComboBox* CmbTip = nullptr;
    QLabel* LblIeNo = nullptr;
    QLineEdit* EdIeNo = nullptr;
    QPushButton* BtnSec = nullptr;
    QLabel* LblMazeret = nullptr;
    QComboBox* CmbMazeret = nullptr;
    QLineEdit* EdGiris = nullptr;
    QPushButton* BtnSakla = nullptr;
    QPushButton* BtnIptal = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    enum class Durum { Yok, Yeni, Degisiklik };
    void kurAlanlar(QFormLayout* f);
    void alanlariGoster();
    void yeniOkuma();
    void temizle();
    void kaydet();
    PdksOkumaGirisi girisi() const;
    void setTip(const QString& tip);
    QString tip() const;
    SessionContext& m_ctx;
    Saat m_saat;
    qint64 m_sonTus = 0;
    bool m_sayiyor = true;
    Durum m_durum = Durum::Yok;
    int m_sirano = 0;
};

void PdksGunlukListeGoster(SessionContext& ctx, const QString& perKod, const QDate& gun, QWidget* parent = nullptr);
void ShowPdksEdit(SessionContext& ctx, int sirano, QWidget* parent = nullptr);

} // namespace tornaly::workshop
