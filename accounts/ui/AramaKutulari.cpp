#include "accounts/ui/AramaKutulari.h"

#include "guard/FormGuard.h"
#include "guard/IslemReddi.h"

#include <QDate>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace tornaly::accounts {

namespace {

// Up and Down inside a search field move the list.
class OkTuslari : public QObject {
public:
    OkTuslari(QTableWidget* grid, QObject* parent) : QObject(parent), m_grid(grid) {}
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress) {
            const int k = static_cast<QKeyEvent*>(e)->key();
            if (k == Qt::Key_Up || k == Qt::Key_Down) {
                const int r = m_grid->currentRow() + (k == Qt::Key_Down ? 1 : -1);
                if (r >= 0 && r < m_grid->rowCount())
                    m_grid->selectRow(r);
                return true;
            }
        }
        return QObject::eventFilter(o, e);
    }

private:
    QTableWidget* m_grid;
};

QString rakamlar(const QString& s)
{
    QString r;
    for (const QChar c : s)
        if (c.isDigit() || c == QLatin1Char('-'))
            r += c;
    return r;
}

} // namespace

int AramaSatiri(const QTableWidget* grid, const AramaAlani& alan, const QString& aranan)
{
    const QString t = aranan.trimmed();
    if (t.isEmpty())
        return -1;
    if (alan.tur == AramaAlani::Numara) {
        bool ok = false;
        const qlonglong n = rakamlar(t).toLongLong(&ok);
        if (!ok)
            throw IslemReddi(t + QStringLiteral(" geçerli bir sayı değil."), MsgIcon::Warning);
        for (int r = 0; r < grid->rowCount(); ++r)
            if (const auto* i = grid->item(r, alan.kolon); i && rakamlar(i->text()).toLongLong() == n && !i->text().isEmpty())
                return r;
        return -1;
    }
    const QDate d = QDate::fromString(t, QStringLiteral("dd.MM.yyyy"));
    if (!d.isValid())
        throw IslemReddi(t + QStringLiteral(" geçerli bir tarih değil."), MsgIcon::Warning);
    int sonraki = -1;
    for (int r = 0; r < grid->rowCount(); ++r) {
        const auto* i = grid->item(r, alan.kolon);
        const QDate g = i ? QDate::fromString(i->text(), QStringLiteral("dd.MM.yyyy")) : QDate();
        if (g == d)
            return r;
        if (sonraki < 0 && g.isValid() && g > d)
            sonraki = r;
    }
    return sonraki;
}

QWidget* AramaKutulari(QWidget* parent, QTableWidget* grid, const QList<AramaAlani>& alanlar)
{
    auto* w = new QWidget(parent);
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    auto* oklar = new OkTuslari(grid, w);
    for (const AramaAlani& a : alanlar) {
        auto* e = new QLineEdit(w);
        e->setObjectName(QLatin1String(a.ad));
        e->setMaximumWidth(a.tur == AramaAlani::Tarih ? 100 : 90);
        if (a.tur == AramaAlani::Tarih)
            e->setPlaceholderText(QStringLiteral("gg.aa.yyyy"));
        e->installEventFilter(oklar);
        auto* l = new QLabel(a.baslik, w);
        l->setBuddy(e);
        h->addWidget(l);
        h->addWidget(e);
        QObject::connect(e, &QLineEdit::returnPressed, w, Guarded([grid, e, a] {
                             const int r = AramaSatiri(grid, a, e->text());
                             if (r >= 0)
                                 grid->selectRow(r);
                         }));
    }
    h->addStretch();
    return w;
}

} // namespace tornaly::accounts
