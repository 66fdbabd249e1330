#pragma once
#include "context/SessionContext.h"
#include "workshop/labour/Frt.h"

#include <QDialog>
#include <QVariantMap>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace tornaly::workshop {

// "FRT Grupları ve Birim Fiyatları": the labour group rows one by one, with a
// navigator (first, prior, next, last, edit, post, cancel, refresh).
class TFormFrtGrup : public QDialog {
    Q_OBJECT
public:
    explicit TFormFrtGrup(SessionContext& ctx, QWidget* parent = nullptr);
    QLineEdit* EdGrupKod = nullptr;
    QLineEdit* EdGrupAd = nullptr;
    QLineEdit* EdFiyatTL = nullptr;
    QLineEdit* EdFiyatUSD = nullptr;
    QPushButton* BtnIlk = nullptr;
    QPushButton* BtnOnceki = nullptr;
    QPushButton* BtnSonraki = nullptr;
    QPushButton* BtnSon = nullptr;
    QPushButton* BtnDuzenle = nullptr;
    QPushButton* BtnKaydet = nullptr;
    QPushButton* BtnVazgec = nullptr;
    QPushButton* BtnYenile = nullptr;
    int current() const { return m_i; }
public slots:
    // 0 first, 1 prior, 2 next, 3 last.
    void Git(int yon);
    void Duzenle();
    void Kaydet();
    void Vazgec();
    void Yenile();
protected:
    void showEvent(QShowEvent* e) override;
private:
    void goster();
    void duzenleme(bool acik);
    SessionContext& m_ctx;
    QList<QVariantMap> m_rows;
    int m_i = -1;
    bool m_duzenle = false;
};

// "RTT Fiyatlandırma": the group prices, the no-group price and every labour
// operation; "Birim Fiyatları Güncelle" writes the group prices into the
// operations, and an operation edited here is repriced by its kind.
class TFormFytListFRT : public QDialog {
    Q_OBJECT
public:
    explicit TFormFytListFRT(SessionContext& ctx, QWidget* parent = nullptr);
    QTableWidget* GridGrup = nullptr;
    QTableWidget* GridFrt = nullptr;
    QLineEdit* EdGrupsuz = nullptr;
    QLineEdit* EdAranan = nullptr;
    QPushButton* BtnGrupEkle = nullptr;
    QPushButton* BtnGrupSil = nullptr;
    QPushButton* BtnGuncelle = nullptr;
    QPushButton* BtnKapat = nullptr;
    const FrtCalismaFiyatlari& fiyatlar() const { return m_f; }
public slots:
    void BtnGuncelleClick();
    void GrupEkle();
    void GrupSil();
    void FrtSil();
    void GrupsuzCikis();
    void AranaGit();
protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
private:
    void gruplariOku();
    void fiyatlariOku();
    void frtOku();
    void grupHucresi(QTableWidgetItem* item);
    void grupSatiriniYaz(int r, const QVariantMap& g);
    void frtHucresi(QTableWidgetItem* item);
    SessionContext& m_ctx;
    FrtCalismaFiyatlari m_f;
    QList<QVariantMap> m_frt;
    QList<QVariantMap> m_gruplar; // each group row as stored; empty for a new row
    bool m_yukleniyor = false;
};

// Registers the two windows under their names for the system-management window.
void RegisterLabourPriceForms();

} // namespace tornaly::workshop
