#pragma once
#include <QString>
#include <functional>

class QTableWidget;
class QWidget;

namespace tornaly::accounts {

// The search fields above a voucher list: Enter moves to the first row the
// typed text finds, the arrow keys move the list from inside the field.
struct AramaAlani {
    const char* ad;  // objectName of the field
    QString baslik;
    int kolon;       // the grid column searched
    enum Tur { Numara, Tarih } tur = Numara;
};
QWidget* AramaKutulari(QWidget* parent, QTableWidget* grid, const QList<AramaAlani>& alanlar);

// The row the text finds in the column, -1 when none: a number equal to the
// typed one; a day equal to the typed "gg.aa.yyyy", else the first later one.
int AramaSatiri(const QTableWidget* grid, const AramaAlani& alan, const QString& aranan);

} // namespace tornaly::accounts
