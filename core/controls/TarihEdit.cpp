#include "controls/TarihEdit.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

namespace tornaly {

namespace {
const QDate kBos(1900, 1, 1);
}

TTarihEdit::TTarihEdit(QWidget* parent) : QDateEdit(parent) { kur(); }

TTarihEdit::TTarihEdit(QDate date, QWidget* parent) : QDateEdit(parent)
{
    kur();
    setDate(date);
}

void TTarihEdit::kur()
{
    const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    setLocale(tr);
    setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    setCalendarPopup(true);
    QCalendarWidget* takvim = calendarWidget();
    takvim->setLocale(tr);
    takvim->setFirstDayOfWeek(Qt::Monday);
    takvim->setGridVisible(true);
    // The popup is built once; its Show event comes after the edit gave it
    // its own date, so the page is turned there.
    if (QWidget* popup = takvim->window(); popup && popup != window())
        popup->installEventFilter(this);
    takvim->installEventFilter(this);
}

void TTarihEdit::setBosOlabilir(bool on)
{
    if (on) {
        setMinimumDate(kBos);
        setSpecialValueText(QStringLiteral(" "));
    } else {
        setSpecialValueText({});
    }
}

void TTarihEdit::setTarih(const QDate& d)
{
    if (d.isValid())
        setDate(d);
    else if (!specialValueText().isEmpty())
        setDate(minimumDate());
}

bool TTarihEdit::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::Show && calendarPopup()) {
        const QDate acilis = bos() || date() <= minimumDate() ? QDate::currentDate() : date();
        calendarWidget()->setCurrentPage(acilis.year(), acilis.month());
    }
    return QDateEdit::eventFilter(o, e);
}

void TTarihEdit::focusInEvent(QFocusEvent* e)
{
    QDateEdit::focusInEvent(e);
    // A blank field shows nothing to type over: start from an empty text.
    if (bos())
        lineEdit()->selectAll();
}

void TTarihEdit::keyPressEvent(QKeyEvent* e)
{
    // Typing a digit into a blank field, or over the whole text, starts the
    // date from its day: gg.aa.yyyy fills the sections one after the other.
    const QString t = e->text();
    if (t.size() == 1 && t.at(0).isDigit()) {
        const bool hepsi = !lineEdit()->selectedText().isEmpty() && lineEdit()->selectedText() == lineEdit()->text();
        const bool bosti = bos();
        if (bosti) {
            const bool engel = blockSignals(true);
            setDate(QDate::currentDate());
            blockSignals(engel);
        }
        if (hepsi || bosti)
            setSelectedSection(QDateTimeEdit::DaySection);
    }
    // A dot typed after a full section that already moved on to the next one
    // is the clerk's own separator: it must not skip that section too.
    if (t == QLatin1String(".") && m_sonRakam) {
        const QLineEdit* le = lineEdit();
        const int bas = le->hasSelectedText() ? le->selectionStart() : le->cursorPosition();
        if (bas > 0 && le->text().at(bas - 1) == QLatin1Char('.')) {
            m_sonRakam = false;
            e->accept();
            return;
        }
    }
    m_sonRakam = t.size() == 1 && t.at(0).isDigit();
    QDateEdit::keyPressEvent(e);
}

} // namespace tornaly
