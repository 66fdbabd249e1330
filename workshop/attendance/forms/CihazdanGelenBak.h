#pragma once
#include "workshop/attendance/PdksKayit.h"

#include <QDialog>

class QComboBox;
class QVBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTimeEdit;

namespace tornaly {
struct SessionContext;
class TTarihEdit;
} // namespace tornaly

namespace tornaly::workshop {

// "Cihazdan Okunan Çalışma Saatleri": every attendance interval with the
// person's name, filtered by work type, days and person; intervals are
// added, changed and deleted by hand unless the dispositions assigned them.
class TFormCihazdanGelenBak : public QDialog {
    Q_OBJECT
public:
    explicit TFormCihazdanGelenBak(SessionContext& ctx, QWidget* parent = nullptr);

    void Listele();
    void FiltreleClick();
    void FiltreyiKaldirClick();
    void YeniKayitClick();
    void DegistirClick();
    void SilClick();
    void GunlukTakipClick();
    void AraPerKod();
    void AraTarih();
    int seciliSirano() const;
    bool satiraGit(int sirano);

    QComboBox* CmbIsTipi = nullptr;
    TTarihEdit* TarihBas = nullptr;
    TTarihEdit* TarihBit = nullptr;
    QLineEdit* EdPerKod = nullptr;
    QLineEdit* EdAraPerKod = nullptr;
    TTarihEdit* EdAraTarih = nullptr;
    QRadioButton* RbTarih = nullptr;
    QRadioButton* RbPerKod = nullptr;
    QTableWidget* Grid = nullptr;
    QLabel* LblToplam = nullptr;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void kurFiltre(QVBoxLayout* lay);
    void kurDugmeler(QVBoxLayout* lay);
    void kurMenu();
    SessionContext& m_ctx;
    PdksAralikFiltresi m_filtre;
};

// "Ek Çalışma / İzin Girişi": one interval by hand.
class TFormPerEkCalisizin : public QDialog {
    Q_OBJECT
public:
    TFormPerEkCalisizin(SessionContext& ctx, int sirano, QWidget* parent = nullptr);

    void KaydetClick();
    void SecClick();
    void tipDegisti();
    void sureleriGoster();
    int sirano() const { return m_sirano; }

    QLabel* LblSiraNo = nullptr;
    QComboBox* CmbPersonel = nullptr;
    QLabel* LblCihazId = nullptr;
    TTarihEdit* EdTarih = nullptr;
    QTimeEdit* EdBas = nullptr;
    QTimeEdit* EdBit = nullptr;
    QComboBox* CmbIsTipi = nullptr;
    QLabel* LblIeNo = nullptr;
    QLineEdit* EdIeNo = nullptr;
    QPushButton* BtnSec = nullptr;
    QLabel* LblFiili = nullptr;
    QLabel* LblTopSure = nullptr;
    QPushButton* BtnKaydet = nullptr;
    QPushButton* BtnIptal = nullptr;

private:
    SessionContext& m_ctx;
    int m_sirano = 0;
};

void CihazdanGelenBakGoster(SessionContext& ctx, QWidget* parent = nullptr);
// The interval's SIRANO when the entry form ends with OK, else 0.
int SelectEkCalismaIzin(SessionContext& ctx, int sirano, QWidget* parent = nullptr);

// Opens the daily readings list; the list's unit fills it in when linked.
void SetPdksGunlukAcici(std::function<void(SessionContext&, const QString&, const QDate&, QWidget*)> acici);

} // namespace tornaly::workshop
