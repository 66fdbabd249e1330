#pragma once
#include "maintenance/VeriOnarim.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tornaly {

// Runs one repair step under the wait cursor; a database failure becomes a
// refusal that says nothing changed (OnarimHataMetni), for the slot's guard.
void OnarimAdimi(const std::function<void()>& adim);

struct SessionContext;

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

// "Cari Kodu Değiştirme".
class TFormCarKDegis : public QDialog {
    Q_OBJECT
public:
    explicit TFormCarKDegis(SessionContext& ctx, QWidget* parent = nullptr);
    QLineEdit* EditESKI = nullptr;
    QLineEdit* EditYENI = nullptr;
    QLabel* LblEskiAd = nullptr;
    QPushButton* BtnCariSec = nullptr;
    QPushButton* BtnDegistir = nullptr;
    QPushButton* BtnKapat = nullptr;
public slots:
    void EditESKIEnter();
    void BtnCariSecClick();
    void BtnDegistirClick();
private:
    SessionContext& m_ctx;
    Db m_db;
};

} // namespace tornaly
