#pragma once
#include <QStringList>

class QTableWidget;
class QWidget;

namespace tornaly::accounts {

// A read-only grid of the bank forms: whole rows selected, one at a time.
QTableWidget* BankaTablosu(QWidget* parent, const char* ad, const QStringList& basliklar);
// Sets a cell's text; amounts align right.
void BankaHucre(QTableWidget* t, int r, int c, const QString& text, bool sayi = false);

} // namespace tornaly::accounts
