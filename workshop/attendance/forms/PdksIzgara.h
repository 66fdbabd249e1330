#pragma once
#include <QString>
#include <QStringList>
#include <QVariant>

class QPushButton;
class QTableWidget;
class QWidget;
class QDateTime;

namespace tornaly::workshop {

// A button with its component name.
QPushButton* PdksDugme(QWidget* parent, const char* name, const QString& caption);
// A read-only grid of the attendance screens: whole rows are selected, the
// columns carry the given captions.
QTableWidget* PdksIzgara(QWidget* parent, const char* name, const QStringList& basliklar, bool cokluSecim = false);
// Sets a cell's text; `veri` goes under Qt::UserRole (the row's key in column 0).
void PdksHucre(QTableWidget* grid, int satir, int sutun, const QString& metin, const QVariant& veri = {});
// Sizes the columns to their contents and lets the last one stretch.
void PdksIzgaraBoyutla(QTableWidget* grid);
QString PdksTarih(const QDateTime& t);  // "31.12.2026"
QString PdksSaat(const QDateTime& t, bool saniye); // "14:05" or "14:05:00"
QString PdksSayi(double v, int ondalik = 0);        // Turkish digits: "1.234,5"

} // namespace tornaly::workshop
