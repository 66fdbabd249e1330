#pragma once
#include "aftersales/claims/Claims.h"
#include "report/ReportModel.h"

#include <QDialog>
#include <QMap>

class QDoubleSpinBox;
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

private:
    void goster();
    bool topla();  // widgets into the claim; false when a number field holds no number
    bool degisti() const;
    void durum(const QString& d);
    SessionContext& m_ctx;
    std::optional<Claim> m_claim;
    Claim m_kayitli; // as last read or saved, to see unsaved changes
    QMap<QString, QLineEdit*> m_alanlar;
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
