#pragma once
#include "aftersales/claims/ClaimListe.h"
#include "context/SessionContext.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tornaly {
class BoundQueryModel;
}

namespace tornaly::aftersales {

// "GARANTİ TALEP LİSTESİ": lists claims with filters, opens, deletes and picks them.
class TFormClaimBr : public QDialog {
    Q_OBJECT
public:
    TFormClaimBr(SessionContext& ctx, int mode, QWidget* parent = nullptr);
    // Sets the list up for a mode (2 and 3 choose and lock their filters) and opens it.
    void modKur(int mode);
    const SessionContext* context() const { return &m_ctx; }

    QComboBox* RgDurum = nullptr;
    QComboBox* RgFatura = nullptr;
    QComboBox* RgTarih = nullptr;
    QDateEdit* DtBas = nullptr;
    QDateEdit* DtSon = nullptr;
    QLineEdit* EdClaimNo = nullptr;
    QLineEdit* EdIsemriNo = nullptr;
    QPushButton* BtnFiltrele = nullptr;
    QPushButton* BtnFiltreKaldir = nullptr;
    QPushButton* BtnDuzenle = nullptr;
    QPushButton* BtnSil = nullptr;
    QPushButton* BtnSec = nullptr;
    QPushButton* BtnKapat = nullptr;
    QTableView* Grid = nullptr;
    QLabel* LblSayi = nullptr;

    double secilen() const { return m_secilen; }
    // The current row's claim number, work order and chassis.
    QVariantMap currentRow() const;
    int rowCount() const;
    // The claim number of the current row; -1 when none.
    double currentNo() const;

public slots:
    void BtnFiltreleClick();
    void BtnFiltreKaldirClick();
    void EdClaimNoReturn();
    void EdIsemriNoReturn();
    void BtnDuzenleClick();
    void BtnSilClick();
    void BtnSecClick();

private:
    void ac(double gidilecek = -1);
    SessionContext& m_ctx;
    ClaimListeSorgu m_sorgu;
    BoundQueryModel* m_model = nullptr;
    double m_secilen = -1;
};

// Mode 2: approved, uninvoiced claims to pick. Returns the chosen number, -1 without a choice.
double ClaimListeSec(SessionContext& ctx, int mode, QWidget* parent = nullptr);

// The claim a document takes over: its number, work order and chassis.
struct TypeClaim {
    double ClaimNo = 0;
    QString IENO;
    QString SaseNo;
};
// Mode 3: uninvoiced claims of every status. Fills `result` when a claim is
// chosen and leaves it untouched otherwise. The list window is kept: a later
// call reuses it (restored when minimised), and it stays hidden after a pick.
// Answers whether a claim was chosen.
bool ClaimListeGoster(SessionContext& ctx, int mode, TypeClaim& result, QWidget* parent = nullptr);

// Picks an existing claim of the work order or a new one: the claim number,
// -1 for a new claim, -2 when cancelled.
class TFormClaimTipSec : public QDialog {
    Q_OBJECT
public:
    TFormClaimTipSec(SessionContext& ctx, const QString& isemri, QWidget* parent = nullptr);
    QTableView* Grid = nullptr;
    QLabel* LblVar = nullptr;
    QPushButton* BtnSec = nullptr;
    QPushButton* BtnYeni = nullptr;
    QPushButton* BtnIptal = nullptr;
    double sonuc() const { return m_sonuc; }
public slots:
    void BtnSecClick();
    void BtnYeniClick();
private:
    std::vector<double> m_claimler;
    double m_sonuc = -2;
};
double ClaimTipSec(SessionContext& ctx, const QString& isemri, QWidget* parent = nullptr);

} // namespace tornaly::aftersales
