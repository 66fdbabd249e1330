#include "workshop/dispositions/forms/SatirGrid.h"

#include "guard/FormGuard.h"
#include "money/Money.h"
#include "sql/SqlHelpers.h"

#include <QHeaderView>
#include <QSet>
#include <algorithm>

namespace tornaly::workshop {

SatirGrid::SatirGrid(QWidget* parent) : QTableWidget(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(22);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    connect(this, &QTableWidget::itemChanged, this, Guarded([this](QTableWidgetItem* it) {
        if (m_dolduruluyor || !duzenlendi || it->column() >= m_kolonlar.size())
            return;
        const int row = it->row();
        const QString alan = m_kolonlar.at(it->column()).alan;
        const QString text = it->text();
        Guard([&] { duzenlendi(row, alan, text); });
    }));
}

void SatirGrid::setKolonlar(const QList<Kolon>& k)
{
    m_kolonlar = k;
    setColumnCount(k.size());
    QStringList h;
    for (const auto& c : k)
        h << c.baslik;
    setHorizontalHeaderLabels(h);
}

void SatirGrid::setDuzenlenir(const QString& alan, bool on)
{
    for (auto& c : m_kolonlar)
        if (c.alan == alan)
            c.duzenlenir = on;
}

int SatirGrid::kolon(const QString& alan) const
{
    for (int i = 0; i < m_kolonlar.size(); ++i)
        if (m_kolonlar.at(i).alan == alan)
            return i;
    return -1;
}

void SatirGrid::setSatirlar(const QList<QVariantMap>& satirlar)
{
    m_dolduruluyor = true;
    setRowCount(satirlar.size());
    for (int r = 0; r < satirlar.size(); ++r)
        satirYenile(r, satirlar.at(r));
    m_dolduruluyor = false;
    resizeColumnsToContents();
    int genis = kolon(QStringLiteral("YEDEK_P_ADI"));
    if (genis < 0)
        genis = kolon(QStringLiteral("ARIZA_ADI"));
    if (genis >= 0 && horizontalHeader()->sectionSize(genis) < 260)
        setColumnWidth(genis, 260);
}

void SatirGrid::satirYenile(int r, const QVariantMap& s)
{
    const bool once = m_dolduruluyor;
    m_dolduruluyor = true;
    for (int c = 0; c < m_kolonlar.size(); ++c) {
        const Kolon& k = m_kolonlar.at(c);
        const QVariant v = k.hesap ? k.hesap(s) : s.value(k.alan);
        QString text;
        if (k.para && !v.isNull())
            text = FormatMoney(v.toDouble(), QStringLiteral(",0.00"));
        else
            text = DisplayText(v);
        auto* it = item(r, c);
        if (!it) {
            it = new QTableWidgetItem;
            setItem(r, c, it);
        }
        it->setText(text);
        it->setTextAlignment(k.para || v.typeId() == QMetaType::Double ? Qt::AlignRight | Qt::AlignVCenter
                                                                       : Qt::AlignLeft | Qt::AlignVCenter);
        Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
        if (k.duzenlenir && !k.hesap)
            f |= Qt::ItemIsEditable;
        it->setFlags(f);
    }
    m_dolduruluyor = once;
}

QList<int> SatirGrid::seciliSatirlar() const
{
    QSet<int> s;
    for (const auto& i : selectedIndexes())
        s.insert(i.row());
    QList<int> out(s.cbegin(), s.cend());
    std::sort(out.begin(), out.end());
    if (out.isEmpty() && currentRow() >= 0)
        out << currentRow();
    return out;
}

} // namespace tornaly::workshop
