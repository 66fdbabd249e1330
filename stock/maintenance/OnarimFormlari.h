#pragma once
#include "stock/maintenance/StokOnarim.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tornaly {
struct SessionContext;
}

namespace tornaly::stock {

// "Belge Hareketlerini Düzenle": orphan clean-up and stock recount.
class TFormStokMiktarGuncelle : public QDialog {
    Q_OBJECT
public:
    explicit TFormStokMiktarGuncelle(SessionContext& ctx, QWidget* parent = nullptr);
    QPushButton* BtnDuzenle = nullptr;
    QPushButton* BtnKapat = nullptr;
    QLabel* LblSonuc = nullptr;
public slots:
    void BtnDuzenleClick();
private:
    Db m_db;
};
void ShowStokMiktarGuncelleForm(SessionContext& ctx, QWidget* parent = nullptr);

// "Miktarı, Depo Hareket Miktarı İle Uyuşmayan Ürünler".
class TFormStkMikUyaman : public QDialog {
    Q_OBJECT
public:
    explicit TFormStkMikUyaman(SessionContext& ctx, QWidget* parent = nullptr);
    QComboBox* LookupDepo = nullptr;    // "Sayım Deposu"
    QTableWidget* Grid = nullptr;
    QPushButton* BtnListe = nullptr;    // "Liste Dökümü"
    QPushButton* BtnKapat = nullptr;
    QLabel* LblBilgi = nullptr;
public slots:
    void Yenile();
    void BtnListeClick();
private:
    SessionContext& m_ctx;
    Db m_db;
    QList<TUyusmayanStok> m_satirlar;
};
void ShowStkMikUyamanForm(SessionContext& ctx, QWidget* parent = nullptr);

// The system management window's stock commands, registered under their
// entry names: each asks, runs in one transaction and reports what it changed.
void BaslangicMaliyetiKomutu(const SessionContext& ctx);
// Runs stock's one cost recalculation (MaliyetYenidenHesapla).
void StokMaliyetiHesaplaKomutu(const SessionContext& ctx);
void AnagrupAtaKomutu(const SessionContext& ctx);
void StokYeniKodlariKomutu(const SessionContext& ctx);

} // namespace tornaly::stock
