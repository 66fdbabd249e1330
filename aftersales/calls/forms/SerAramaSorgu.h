#pragma once
#include "aftersales/calls/AramaPer.h"
#include "context/SessionContext.h"

#include <QDialog>

class QAction;
class QCheckBox;
class QDateEdit;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;

namespace tornaly {
class BoundQueryModel;
}

namespace tornaly::aftersales {

class AramaListeModeli;

// "Görüşülecek Müşteriler Sorgusu": the due follow-up calls of a period, with
// their outcome commands, printout, address labels and Excel copy.
class TFormSerAramaSorgu : public QDialog {
    Q_OBJECT
public:
    TFormSerAramaSorgu(SessionContext& ctx, const QString& musteriTip, const QDate& bugun, QWidget* parent = nullptr);

    QDateEdit* DtBas = nullptr;
    QDateEdit* DtBit = nullptr;
    QPushButton* BtnFiltrele = nullptr;
    QPushButton* BtnOncekiGun = nullptr;
    QPushButton* BtnSonrakiGun = nullptr;
    QCheckBox* ChkSonuclananlar = nullptr;
    QCheckBox* ChkTelEtiket = nullptr;
    QPushButton* BtnAnket = nullptr;
    QPushButton* BtnSonuclandir = nullptr;
    QMenu* MenuSonuc = nullptr;
    QAction* MnSonuclandi = nullptr;
    QAction* MnUlasilamadi = nullptr;
    QAction* MnTelYanlis = nullptr;
    QAction* MnRed = nullptr;
    QAction* MnSms = nullptr;
    QPushButton* BtnYazdir = nullptr;
    QPushButton* BtnEtiket = nullptr;
    QPushButton* BtnExcel = nullptr;
    QPushButton* BtnKapat = nullptr;
    QTableView* Grid = nullptr;
    QLabel* LblSayi = nullptr;

    QDate begdate() const { return m_filtre.begdate; }
    QDate enddate() const { return m_filtre.enddate; }
    const AramaFiltre& filtre() const { return m_filtre; }
    int rowCount() const;
    // A value of the current row by field name; null when there is no row.
    QVariant current(const QString& field) const;
    bool selectRow(int row);

    // Runs QAraList again with the kept kind and period.
    void listeAc();

public slots:
    void BtnFiltreleClick();
    void BtnOncekiGunClick();
    void BtnSonrakiGunClick();
    void ChkSonuclananlarClick();
    void SonucVer(const QString& durum);
    void BtnYazdirClick();
    void BtnEtiketClick();
    void BtnExcelClick();
    void GridRowChanged();

private:
    void tarihleriGoster();
    SessionContext& m_ctx;
    AramaFiltre m_filtre;
    BoundQueryModel* m_model = nullptr;
    AramaListeModeli* m_gorunum = nullptr;
};

// Opens the due list for the customer kind: mode 1 only when calls are due,
// mode 0 always. `bugun` empty: the server's day.
void AramaSorguGoster(SessionContext& ctx, const QString& musteriTip, int mod, QWidget* parent = nullptr,
                      const QDate& bugun = {});

} // namespace tornaly::aftersales
