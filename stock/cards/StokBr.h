#pragma once
#include "context/SessionContext.h"
#include "sql/SqlHelpers.h"
#include "stock/cards/StokArama.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTableWidget;

namespace tornaly::stock {

class ResimKutusu;

// What the stock picker returns.
struct TypeStok {
    double StokNo = -1;
    QString StokKod, StokAd;
    double kdv = 0, alis = 0, satis = 0; // not filled by the picker
};

// The stock browse "STOK KAYITLARI": finds parts by code, names, barcode,
// old/new/equivalent codes and shelf, narrowed by model and groups; keeps
// cards and picks them for documents.
class TFormStokBr : public QDialog {
    Q_OBJECT
public:
    // mode 1 shows "&Seç"; `listele` opens the first 50 parts at once.
    TFormStokBr(const SessionContext& ctx, int mode, bool listele, QWidget* parent = nullptr);

    TypeStok secilen;

    QLineEdit* EditKod = nullptr;
    QLineEdit* EditAd = nullptr;
    QLineEdit* EditMuadil = nullptr;
    QLineEdit* EditBarkod = nullptr;
    QLineEdit* EditRaf = nullptr;
    QComboBox* CmbModel = nullptr;
    QComboBox* CmbPay = nullptr;
    QComboBox* CmbGrup = nullptr;
    QComboBox* CmbAltGrup = nullptr;
    QTableView* DBGrid1 = nullptr;
    BoundQueryModel* Liste = nullptr;
    QLabel* LblKayitSayisi = nullptr;
    QTableWidget* GridDepo = nullptr;
    QCheckBox* ChkMuadil = nullptr;
    QTableWidget* GridMuadil = nullptr;
    QCheckBox* ChkResim = nullptr;
    QCheckBox* ChkSigdir = nullptr;
    ResimKutusu* ImgResim = nullptr;
    QTableWidget* GridModel = nullptr;
    QPushButton* BtnSec = nullptr;
    QPushButton* BtnYeni = nullptr;
    QPushButton* BtnKopyala = nullptr;
    QPushButton* BtnDuzenle = nullptr;
    QPushButton* BtnSil = nullptr;
    QPushButton* BtnHareket = nullptr;
    QPushButton* BtnGecmis = nullptr;
    QPushButton* BtnModel = nullptr;
    QPushButton* BtnBackorder = nullptr;
    QPushButton* BtnKapat = nullptr;

    // Runs the search of a box (what Enter does the first time).
    void ara(StokAramaKutusu kutu);
    // The current card's field.
    QVariant deger(const QString& alan) const;
    const StokAramaKriteri& kriter() const { return m_kriter; }

public slots:
    void BtnSecClick();
    void BtnYeniClick();
    void BtnKopyalaClick();
    void BtnDuzenleClick();
    void BtnSilClick();
    void BtnHareketClick();
    void BtnGecmisClick();
    void BtnModelClick();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void listeyiAc();
    void satirDegisti();
    void kutuyaYazVeAra(const QString& kod);
    void gitParcaNo(const QString& no);
    QLineEdit* kutu(StokAramaKutusu k) const;
    StokAramaKutusu kutuTuru(QObject* o) const;

    SessionContext m_ctx;
    Db m_db;
    int m_mod = 0;
    bool m_enterBirKez = false;
    StokAramaKriteri m_kriter;
    QHash<QString, QString> m_grupAdlari, m_altGrupAdlari;
};

// Returns the chosen STOK_NO, -1 without a pick, 0 when the user may not see stock.
double StokSec(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
// Fills `kayit` on a pick (StokNo -1 without one); leaves it as it was when
// the user may not see stock.
void StokSecKayit(const SessionContext& ctx, int mode, TypeStok& kayit, QWidget* parent = nullptr);

} // namespace tornaly::stock
