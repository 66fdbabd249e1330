#pragma once
#include "context/SessionContext.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;

namespace tornaly {
class BoundQueryModel;
class TTarihEdit;
}

namespace tornaly::stock {

class TFormStkFis;

// "Stok Fişleri": the list of stock slips, the only way into the slip window.
// One instance, modeless; closing hides it.
class TFormStokFisBak : public QWidget {
    Q_OBJECT
public:
    explicit TFormStokFisBak(SessionContext& ctx, QWidget* parent = nullptr);

    QLineEdit* EditAraNo = nullptr;
    QLineEdit* EditAraKullanici = nullptr;
    TTarihEdit* EditIlkTarih = nullptr;
    TTarihEdit* EditSonTarih = nullptr;
    QLineEdit* EditPersonKod = nullptr;
    QPushButton* BtnPersonSec = nullptr;
    QComboBox* CmbTipFiltre = nullptr;
    QPushButton* BtnFiltrele = nullptr;
    QPushButton* BtnFiltreKaldir = nullptr;
    QComboBox* CmbSiralama = nullptr;
    QPushButton* BtnYeni = nullptr;
    QMenu* MenuTip = nullptr;
    QPushButton* BtnDuzelt = nullptr;
    QPushButton* BtnSil = nullptr;
    QPushButton* BtnGecmis = nullptr;
    QPushButton* BtnKapat = nullptr;
    QTableView* GridFis = nullptr;
    QTableView* GridSatir = nullptr;
    BoundQueryModel* QFis = nullptr;
    BoundQueryModel* QSatir = nullptr;
    QLabel* LblKayitSayisi = nullptr;

    // The slip window opened last (tests).
    TFormStkFis* sonPencere() const { return m_son; }
    double seciliFis() const;

public slots:
    void Yenile();
    void YeniFis(QChar tip);
    void BtnDuzeltClick();
    void BtnSilClick();
    void BtnFiltreleClick();
    void BtnFiltreKaldirClick();
    void BtnGecmisClick();
    void AraNo();
    void AraKullanici();

protected:
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    QWidget* kurUst();
    QLayout* kurDugmeler();
    bool pencereAcilabilir();
    bool yeniFisAcilabilir(); // the right and a personnel code
    void fisAc(double hrkno, QChar tip);
    void satirlariGoster();
    void bul(const QString& alan, const QString& metin);

    SessionContext& m_ctx;
    Db m_db;
    QString m_filtre;
    QVariantMap m_filtreDegerleri;
    TFormStkFis* m_son = nullptr;
};

} // namespace tornaly::stock
