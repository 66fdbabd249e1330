#pragma once
#include "context/SessionContext.h"

#include <QDialog>

class QTableWidget;
class QTabWidget;

namespace tornaly::accounting {

// The monthly page of an account: amounts and quantities per month of the
// lines of the code and its sub-accounts.
class TFormHesapAylik : public QDialog {
    Q_OBJECT
public:
    TFormHesapAylik(const SessionContext& ctx, const QString& kod, QWidget* parent = nullptr);
    QTabWidget* PageControl1 = nullptr;
    QTableWidget* GridYerel = nullptr;
    QTableWidget* GridBirimli = nullptr;
};

void HesapAylikGoster(const SessionContext& ctx, const QString& kod, QWidget* owner = nullptr);

} // namespace tornaly::accounting
