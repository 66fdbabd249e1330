#pragma once
#include "aftersales/claims/Claims.h"
#include "report/ReportModel.h"

#include <QDialog>
#include <QMap>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTabWidget;
class QTableView;

namespace tornaly::aftersales {

// "Garanti Kleym Formu": a claim of a work order, its labour and part rows,
// totals, answer status, renumbering and printing.
class TFormClaim2 : public QDialog {
    Q_OBJECT
public:
    // mode 1: a new claim of `isemri`; mode 2: the stored claim `claimNo`.
    TFormClaim2(SessionContext& ctx, int mode, const QString& isemri, double claimNo, QWidget* parent = nullptr);

    bool bos() const { return !m_claim.has_value(); }
    const Claim& claim() const { return *m_claim; }
    // The header field editor of a CLAIMM column (objectName "Ed" + column).
    QLineEdit* alan(const QString& column) const { return m_alanlar.value(column); }
    // The date editor of a CLAIMM date column (objectName "Dt" + column).
    QDateEdit* tarih(const QString& column) const { return m_tarihler.value(column); }
    // The damage row's editor of a CLAIMD column (objectName "Ed" + column).
    QLineEdit* hata(const QString& column) const { return m_hataAlanlari.value(column); }
    // The customer's card field shown on the customer tab (objectName "EdCari" + column).
    QLineEdit* cari(const QString& column) const { return m_cariAlanlari.value(column); }
    // The claim numbers the navigator moves among, and the current one's place.
    const std::vector<double>& nolar() const { return m_nolar; }

    QTabWidget* PageControl1 = nullptr;
    QTableView* GridIscilik = nullptr;
    QTableView* GridParca = nullptr;
    QLabel* LblToplam = nullptr;
    QPushButton* BtnKapat = nullptr;
    QPushButton* BtnSakla = nullptr;
    QPushButton* BtnKleymFormu = nullptr;
    QPushButton* BtnGarKarti = nullptr;
    QPushButton* BtnIptal = nullptr;
    QPushButton* BtnSil = nullptr;
    QPushButton* BtnToplam = nullptr;
    QPushButton* BtnFormNo = nullptr;
    QPushButton* BtnOnayla = nullptr;
    QPushButton* BtnRed = nullptr;
    QPushButton* BtnBeklemede = nullptr;
    QPushButton* BtnBostaki = nullptr;
    QCheckBox* ChkOnay = nullptr;        // "Servis Onay" (CL_ONAY)
    QCheckBox* ChkAktarildi = nullptr;   // "Merkeze Aktarıldı", shown only
    QLabel* LblDurum = nullptr;          // the answer status by name
    QComboBox* CmbIslemTip = nullptr;    // the damage row's operation type
    QLabel* LblIslemAciklama = nullptr;
    QPushButton* BtnYPSec = nullptr;     // "Seç" for the failed part's code
    QPushButton* BtnIlk = nullptr;       // the navigator
    QPushButton* BtnOnceki = nullptr;
    QPushButton* BtnSonraki = nullptr;
    QPushButton* BtnSon = nullptr;
    QPushButton* BtnYenile = nullptr;

public slots:
    void BtnSaklaClick();
    void BtnToplamClick();
    void BtnSilClick();
    void BtnIptalClick();
    void BtnOnaylaClick();
    void BtnRedClick();
    void BtnBeklemedeClick();
    void BtnBostakiClick();
    void BtnFormNoClick();
    void BtnKleymFormuClick();
    void BtnGarKartiClick();
    void BtnYPSecClick();
    // The navigator: 0 first, 1 prior, 2 next, 3 last; 4 reads the claims again.
    void Gezin(int yon);

private:
    void kurAlanlar(const QList<QGridLayout*>& sayfalar);
    void kurHasar(QGridLayout* sayfa, int& n);
    void kurCari(QGridLayout* sayfa);
    void kurDugmeler();
    void cariGoster();
    void nolariOku();
    void goster();
    bool topla();  // widgets into the claim; false when a number field holds no number
    bool degisti() const;
    void durum(const QString& d);
    SessionContext& m_ctx;
    std::optional<Claim> m_claim;
    Claim m_kayitli; // as last read or saved, to see unsaved changes
    QMap<QString, QLineEdit*> m_alanlar;
    QMap<QString, QDateEdit*> m_tarihler;
    QMap<QString, QLineEdit*> m_hataAlanlari;
    QMap<QString, QLineEdit*> m_cariAlanlari;
    std::vector<double> m_nolar;
    QString m_isemri;
    QStandardItemModel* m_iscModel = nullptr;
    QStandardItemModel* m_prcModel = nullptr;
};

// Opens the claim form for a work order's warranty lines: asks which claim
// (or a new one) first. `fyili` is kept for the work order's look-up.
void ClaimIsemriAc(SessionContext& ctx, const QString& isemri, int fyili, QWidget* parent = nullptr);
// Opens a stored claim.
void ClaimAc(SessionContext& ctx, double claimNo, QWidget* parent = nullptr);

// The "CLAIM" printout: the claim's header and its labour and part rows.
// Printed with a built-in layout; the designed template store is not here.
report::Report ClaimRaporu(const Db& db, const Claim& c);

// Asks for the claim's new number (dialog "Yeni Talep No"); -1 when cancelled.
double ClaimNoDegistir(SessionContext& ctx, double eskiNo, QWidget* parent = nullptr);

} // namespace tornaly::aftersales
