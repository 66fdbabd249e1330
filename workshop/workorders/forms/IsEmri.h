#pragma once
#include "workshop/workorders/IsEmriKart.h"

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

namespace tornaly::workshop {

// The work-order card: the service adviser receives a vehicle, picks the
// customer, writes the requests and saves a numbered work order.
class TFormIsEmri : public QDialog {
    Q_OBJECT
public:
    explicit TFormIsEmri(SessionContext& ctx, QWidget* parent = nullptr);

    IsEmriKart Kart;
    // Opens the work order and starts a change when it may be changed.
    void isemriac(const QString& isEmriNo);

    QTabWidget* PageControl1 = nullptr;
    QLineEdit* EdIsEmriNo = nullptr;
    QLineEdit* EdIsEno = nullptr;
    QLineEdit* EdAra = nullptr;
    QComboBox* CbTip = nullptr;
    QLineEdit* EdCariKod = nullptr;
    QLabel* LblCariAdi = nullptr;
    QLabel* LblOzelKod = nullptr;      // "Müş.Özel Kod": CARI.OZEL_KOD_1..3
    QLineEdit* EdPlaka = nullptr;
    QLineEdit* EdSase = nullptr;
    QLineEdit* EdMotor = nullptr;
    QLineEdit* EdKm = nullptr;
    QLabel* LblModel = nullptr;
    QDateEdit* DtTrfCikis = nullptr;
    QLabel* LblGiris = nullptr;
    QLabel* LblTahTes = nullptr;
    QLabel* LblArizaBildirim = nullptr;
    QLabel* LblServisKod = nullptr;
    QLabel* LblGarantiBitis = nullptr;
    QLabel* LblKapali = nullptr;
    QLabel* LblUyari = nullptr;
    QPushButton* BtnSakla = nullptr;
    QPushButton* BtnYeni = nullptr;
    QPushButton* BtnDegistir = nullptr;
    QPushButton* BtnIptal = nullptr;
    QPushButton* BtnYazdir = nullptr;
    QPushButton* BtnKapat = nullptr;
    QPushButton* BtnIsEmriSec = nullptr;
    QPushButton* BtnCariSec = nullptr;
    QPushButton* BtnAracSec = nullptr;
    QPushButton* BtnGecmis = nullptr;
    QPushButton* BtnTipler = nullptr;
    QPushButton* BtnCariBilgi = nullptr;
    QLineEdit* EdTel1 = nullptr;       // "Müş.Tel/Cep": CARI.TEL1 and TEL3
    QLineEdit* EdTel3 = nullptr;
    QPlainTextEdit* MemoSerNot = nullptr;
    QPushButton* BtnNotuSakla = nullptr;
    QPushButton* BtnYedekParca = nullptr;
    QPushButton* BtnSms = nullptr;
    QPushButton* BtnDokuman = nullptr;
    QPushButton* BtnDigerFormlar = nullptr;   // "Diğer Formlar" with its drop-down
    QPushButton* BtnYetkiliDizayn = nullptr;  // the authorised-service form's design
    QAction* ActTeslimAlanSec = nullptr;
    QAction* ActBarkodIleAra = nullptr;

public slots:
    void BtnSaklaClick();
    void BtnYeniClick();
    void BtnDegistirClick();
    void BtnIptalClick();
    void BtnKapatClick();
    void BtnIsEmriSecClick();
    void BtnCariSecClick();
    void BtnAracSecClick();
    void BtnGecmisClick();
    void BtnTiplerClick();
    void BtnCariBilgiClick();
    void BtnNotuSaklaClick();
    void BtnYedekParcaClick();
    void TeslimAlanSecClick();
    void BarkodIleAraClick();
    void EdAraKeyPress();
    void EdPlakaKeyPress();
    void EdSaseKeyPress();
    void EdMotorKeyPress();

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void loadTypes();
    void toWidgets();
    // False (with a message) when a field holds text the row cannot take.
    bool fromWidgets();
    void setButtons();
    void aracAra(AracAlani alan, QLineEdit* field);
    QWidget* kurServisNotu();
    void kurKomutlar();
    // Opens a window of another area through the registry on this work order.
    void hedefAc(const QString& hedef);
    // "Diğer Formlar": 1 the A4 standard form, 2 the authorised-service form.
    void digerForm(int form);

    SessionContext& m_ctx;
    QWidget* kurAracBilgileri();
    // A number field of the row, shown in `bicim` (",0.00"); empty stores nothing.
    QLineEdit* sayiAlani(const char* ad, const QString& kolon, const QString& bicim);
    QHash<QString, std::pair<QLineEdit*, QString>> m_sayilar;
    QHash<QString, QLineEdit*> m_text;
    QHash<QString, QCheckBox*> m_checks;
    QHash<QString, QComboBox*> m_letters;
    bool m_shown = false;
};

// Opens another area's window on a work order through the registry; nothing
// happens while that window is not registered.
void IsEmriHedefiAc(SessionContext& ctx, QWidget* owner, const QString& hedef, const QString& isEmriNo, int mode);

// The shared card ("FormIsEmri"), made and shown when it is not open.
// A card made here starts empty, so that the caller may open a work order on it.
TFormIsEmri* PaylasilanIsEmriKarti(SessionContext& ctx, QWidget* parent = nullptr, bool* yeniAcildi = nullptr);

// Opens a new card window on the work order (the phone reports and the PDI form).
TFormIsEmri* IsemriKartAc(SessionContext& ctx, const QString& isEmriNo, QWidget* parent = nullptr);

} // namespace tornaly::workshop
