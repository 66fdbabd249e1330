#pragma once
#include "accounts/statements/CariEkstre.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;
class QTableWidget;

namespace tornaly {
struct SessionContext;
}

namespace tornaly::accounts {

// What "İlgili İşlem" opens for a movement row.
struct IlgiliIslemHedefi {
    enum Tur { Yok, CariFis, Kayitli } tur = Yok;
    QString hedef;     // a registered opener (Kayitli)
    QString fisTipi;   // the voucher kind (CariFis)
    QString kilit;     // side lock of a cash voucher: "A", "B" or empty
    double cariNo = 0; // the voucher (CariFis)
    QString anahtar;   // the opener's key (Kayitli)
    int kodTipi = 0;   // the kind letter for the bank voucher
    int mod = 0;
};
// `satisVar`: a counter sale with the row's REF_NO exists.
IlgiliIslemHedefi IlgiliIslemBul(const CariHrkSatiri& row, const QString& cariKod, bool satisVar);
// Whether the program can open that target now.
bool IlgiliIslemAcilabilir(const IlgiliIslemHedefi& h);

// The movements of one account, with totals, due-date figures, filters and statements.
class TFormCariHrk : public QDialog {
    Q_OBJECT
public:
    TFormCariHrk(SessionContext& ctx, const QString& cariKod, QWidget* parent = nullptr);

    QLabel* LabelCari = nullptr;
    QTableView* cxGrid1 = nullptr;
    QTableWidget* GridTop = nullptr;
    QTableWidget* GridVade = nullptr;
    QGroupBox* GBFiltre = nullptr;
    QLineEdit* EditBasTrh = nullptr;
    QLineEdit* EditSonTrh = nullptr;
    QLineEdit* EditVadeBas = nullptr;
    QLineEdit* EditVadeSon = nullptr;
    QComboBox* RGOdeme = nullptr;
    QPushButton* BtnFiltrele = nullptr;
    QPushButton* BtnFiltreKaldir = nullptr;
    QComboBox* RGYazim = nullptr;
    QCheckBox* CBTL = nullptr;
    QCheckBox* CBDetay = nullptr;
    QCheckBox* CBBakiyeDetay = nullptr;
    QCheckBox* CBBaslik = nullptr;
    QCheckBox* CBBelgeNo = nullptr;
    QPushButton* BtnEkstre = nullptr;
    QPushButton* BtnIlgili = nullptr;
    QPushButton* BtnBorcKapa = nullptr;
    QPushButton* BtnBorcKapaDetay = nullptr;
    QPushButton* BtnSms = nullptr;
    QPushButton* BtnGorunum = nullptr;
    QPushButton* BtnKapat = nullptr;

    const QVector<CariHrkSatiri>& gosterilen() const { return m_gosterilen; }
    const CariHrkFiltre& filtre() const { return m_filtre; }
    const CariVadeOzeti& vadeOzeti() const { return m_vade; }
    QString DispFlt;

public slots:
    void BtnFiltreleClick();
    void BtnFiltreKaldirClick();
    // Returns the file written by a file output (empty for the preview).
    QString BtnEkstreClick();
    void BtnIlgiliClick();
    void BtnBorcKapaClick();
    void BtnSmsClick();
    void BtnGorunumClick();

private:
    void yukle();
    void listeyiDoldur();
    void ilgiliDurumu();
    CariHrkFiltre filtreOku(bool* gecerli) const;
    EkstreSecenekleri secenekler() const;

    SessionContext& m_ctx;
    QString m_kod;
    QString m_ad;
    QString m_telefonlar[4];
    QVector<CariHrkSatiri> m_tum;
    QVector<CariHrkSatiri> m_gosterilen;
    CariHrkFiltre m_filtre;
    CariVadeOzeti m_vade;
    QStandardItemModel* m_model = nullptr;
};

// Opens the movements of an account modally.
void CariHareketGoster(SessionContext& ctx, const QString& cariKod, QWidget* parent = nullptr);

} // namespace tornaly::accounts
