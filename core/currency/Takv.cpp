#include "currency/Takv.h"
#include "guard/FormGuard.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace tornaly {

TTkvmForm::TTkvmForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TkvmForm"));
    auto* lay = new QVBoxLayout(this);
    Takvim = new QCalendarWidget(this);
    Takvim->setObjectName(QStringLiteral("Takvim"));
    Takvim->setLocale(QLocale(QLocale::Turkish, QLocale::Turkey));
    lay->addWidget(Takvim);
    auto* row = new QHBoxLayout;
    auto add = [&](const QString& name, const QString& text, auto fn) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, Guarded(fn));
        row->addWidget(b);
        return b;
    };
    add(QStringLiteral("BtnYilGeri"), QStringLiteral("< Yıl"), [this] { setDate(date().addYears(-1)); });
    add(QStringLiteral("BtnAyGeri"), QStringLiteral("< Ay"), [this] { setDate(date().addMonths(-1)); });
    add(QStringLiteral("BtnAyIleri"), QStringLiteral("Ay >"), [this] { setDate(date().addMonths(1)); });
    add(QStringLiteral("BtnYilIleri"), QStringLiteral("Yıl >"), [this] { setDate(date().addYears(1)); });
    add(QStringLiteral("BtnOK"), QStringLiteral("OK"), [this] { accept(); })->setDefault(true);
    add(QStringLiteral("BtnVazgec"), QStringLiteral("Vazgeç"), [this] { reject(); });
    lay->addLayout(row);
    connect(Takvim, &QCalendarWidget::selectionChanged, this, Guarded(this, &TTkvmForm::updateCaption));
    connect(Takvim, &QCalendarWidget::currentPageChanged, this, Guarded([this](int y, int m) {
        const QDate d = date();
        const QDate n(y, m, qMin(d.day(), QDate(y, m, 1).daysInMonth()));
        if (n != d)
            Takvim->setSelectedDate(n);
    }));
    updateCaption();
}

void TTkvmForm::setDate(const QDate& d)
{
    Takvim->setSelectedDate(d);
    updateCaption();
}

QDate TTkvmForm::date() const
{
    return Takvim->selectedDate();
}

void TTkvmForm::updateCaption()
{
    setWindowTitle(QLocale(QLocale::Turkish, QLocale::Turkey).toString(date(), QStringLiteral("d-MMMM-yyyy")));
}

QDate TakvimTarihSec(const QDate& tarih)
{
    TTkvmForm f;
    f.setDate(tarih.isValid() ? tarih : QDate::currentDate());
    return f.exec() == QDialog::Accepted ? f.date() : QDate();
}

} // namespace tornaly
