#pragma once
#include "db/Database.h"

#include <QDialog>

namespace tornaly::invoicing {

// "Fiyatı Maliyetin Altındaki Stoklar": the lines of a saved document sold
// below cost. Kind "B" a sale, "I" a work-order invoice.
class TFormFiyatKontrol : public QDialog {
public:
    TFormFiyatKontrol(const Db& db, QChar tur, double satisNo, QWidget* parent = nullptr);
    int satirSayisi() const { return m_satir; }

private:
    int m_satir = 0;
};

// Shows the dialog when a line is below cost; true then.
bool FiyatKontrol(const Db& db, QChar tur, double satisNo, QWidget* parent = nullptr);

} // namespace tornaly::invoicing
