#pragma once
#include "db/Database.h"

#include <QDialog>
#include <QList>

class QTableView;
class QPushButton;

namespace tornaly {

struct SessionContext;

// One month of one account's ledger.
struct AylikCariSatir {
    QString ADI; // month name
    int AY = 0;
    int YIL = 0;
    double T_BORC = 0;
    double T_ALACAK = 0;
    double T_BORCUSD = 0;
    double T_ALACAK_USD = 0;
    double BAKIYE = 0;  // |debit - credit|
    QString DURUM;      // "Borç", "Alacak" or empty when even
};

// The account's debits and credits summed per month and year, ordered by
// month and then year. Brings the month and year columns of its ledger rows
// up to date first (only rows whose stored month or year is stale, so that
// opening the list does not rewrite the account's history).
QList<AylikCariSatir> AylikCariTutarlari(const Db& db, const QString& cariKod);

// "Aylık Borç-Alacak Tutarı" for one account.
class TFormAylikCari : public QDialog {
    Q_OBJECT
public:
    TFormAylikCari(const SessionContext& ctx, const QString& cariKod, QWidget* parent = nullptr);

    QTableView* GridAylik = nullptr;
    QPushButton* BtnKapat = nullptr;
    const QList<AylikCariSatir>& satirlar() const { return m_rows; }

private:
    QList<AylikCariSatir> m_rows;
};

// Shows the monthly distribution of an account modally and frees the form.
void ShowCariMonthly(const SessionContext& ctx, const QString& cariKod, QWidget* parent = nullptr);

} // namespace tornaly
