#pragma once
#include <QDate>
#include <QDialog>

class QCalendarWidget;

namespace tornaly {

// Calendar dialog: year and month steps, OK and "Vazgeç"; the caption
// follows the chosen date ("d-MMMM-yyyy").
class TTkvmForm : public QDialog {
    Q_OBJECT
public:
    explicit TTkvmForm(QWidget* parent = nullptr);
    void setDate(const QDate& d);
    QDate date() const;
    QCalendarWidget* Takvim = nullptr;

private:
    void updateCaption();
};

// The chosen date, or an invalid date when cancelled.
QDate TakvimTarihSec(const QDate& tarih);

} // namespace tornaly
