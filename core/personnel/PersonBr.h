#pragma once
#include "browse/brListe.h"
#include "connection/DonPara.h"
#include "personnel/Personel.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace tornaly {

struct SessionContext;

// "SERVİS PERSONELİ KAYITLARI": the personnel list and picker.
class TFormPersonBr : public TFormListeBr {
    Q_OBJECT
public:
    TFormPersonBr(SessionContext& ctx, int mode, QWidget* parent = nullptr);

    QComboBox* cbBolum = nullptr;         // "Bölüme Göre Filtrele"
    QCheckBox* cbAyrilanlar = nullptr;    // "İşten Ayrılanları Gösterme"
    QButtonGroup* rgDurum = nullptr;      // "Durum": 0 Tümü, 1 Aktif, 2 Pasif
    QLineEdit* EditKod = nullptr;         // "Aranan P.Kod"
    QLineEdit* EditAd = nullptr;          // "Aranan Personel Adı Soyadı"
    QLineEdit* EditSira = nullptr;        // "Sıraya Göre"
    QPushButton* btnCopy = nullptr;       // "&Kopyala"
    QPushButton* btnHistory = nullptr;    // "Kayıt Geçmişi"

    TPersonelFiltre filtre() const;

public slots:
    void FiltreDegisti();
    void AramaEnter();
    void btnNewClick();
    void btnEditClick();
    void btnCopyClick();
    void btnDeleteClick();
    void btnHistoryClick();

private:
    void yenileVeKonumlan(const QString& kod);
    void araKonumlan(const QString& kolon, const QString& text);
    SessionContext& m_ctx;
    bool m_yazabilir = false;
};

// The personnel list: nothing happens when the user's personnel right is
// "H". On OK `result` gets IlkStr = name, SonStr = department, KodStr =
// code; otherwise the three are emptied.
void PersonelSec(SessionContext& ctx, int mode, TDonPara& result, QWidget* parent = nullptr);

} // namespace tornaly
