#include "workshop/vehicles/forms/PAracTip.h"
#include "guard/FormGuard.h"
#include "context/SessionContext.h"
#include "sql/SqlHelpers.h"
#include "util/FormHelpers.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::workshop {

namespace {
QString cellOf(const QAbstractItemView* view, const QString& field)
{
    const QAbstractItemModel* m = view->model();
    const QModelIndex cur = view->currentIndex();
    if (!m || !cur.isValid())
        return {};
    int col = -1;
    if (auto* bq = qobject_cast<const BoundQueryModel*>(m))
        col = bq->columnOf(field);
    for (int c = 0; col < 0 && c < m->columnCount(); ++c)
        if (m->headerData(c, Qt::Horizontal, Qt::UserRole).toString().compare(field, Qt::CaseInsensitive) == 0 ||
            m->headerData(c, Qt::Horizontal).toString().compare(field, Qt::CaseInsensitive) == 0)
            col = c;
    return col < 0 ? QString() : m->index(cur.row(), col).data().toString().trimmed();
}
} // namespace

TFormPAracTip::TFormPAracTip(SessionContext& ctx, QWidget* parent) : QDialog(parent), m_db(ctx.Database1)
{
    setObjectName(QStringLiteral("FormPAracTip"));
    setWindowTitle(QStringLiteral("FormPAracTip"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* lay = new QVBoxLayout(this);
    LblStokKod = new QLabel(this);
    LblStokKod->setObjectName(QStringLiteral("LblStokKod"));
    LblStokAdi = new QLabel(this);
    LblStokAdi->setObjectName(QStringLiteral("LblStokAdi"));
    lay->addWidget(LblStokKod);
    lay->addWidget(LblStokAdi);
    Liste = new BoundQueryModel(this);
    Grid = new QTableView(this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setModel(Liste);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->horizontalHeader()->setStretchLastSection(true);
    Grid->verticalHeader()->hide();
    lay->addWidget(Grid, 1);
    resize(420, 360);
}

void TFormPAracTip::showPart(const QString& stokKod, const QString& stokAdi)
{
    LblStokKod->setText(stokKod);
    LblStokAdi->setText(stokAdi);
    Liste->setCaptions({QStringLiteral("Araç Model"), QStringLiteral("Araç Tip")});
    if (stokKod.isNull())
        Liste->setStatement(m_db, QStringLiteral("SELECT PA_MODEL, PA_TIP FROM PARACTIP WHERE PA_STOK IS NOT NULL "
                                                 "ORDER BY PA_MODEL, PA_TIP"));
    else
        Liste->setStatement(m_db, QStringLiteral("SELECT PA_MODEL, PA_TIP FROM PARACTIP WHERE PA_STOK = :STOK_KOD_NO "
                                                 "ORDER BY PA_MODEL, PA_TIP"),
                            {{QStringLiteral("STOK_KOD_NO"), stokKod}});
    Liste->open();
}

void TFormPAracTip::bindTo(int kind, QAbstractItemView* source)
{
    if (m_follow)
        disconnect(m_follow);
    m_source = source;
    if (kind < 1 || kind > 5 || !source || !source->selectionModel()) {
        showPart(QString(), QString());
        return;
    }
    auto follow = [this] {
        if (m_source)
            showPart(cellOf(m_source, QStringLiteral("STOK_KOD_NO")), cellOf(m_source, QStringLiteral("STOK_ADI_TR")));
    };
    m_follow = connect(source->selectionModel(), &QItemSelectionModel::currentChanged, this, Guarded(follow));
    follow();
}

TFormPAracTip* ParcaAracTipGoster(SessionContext& ctx, int kind, QAbstractItemView* source)
{
    auto* f = qobject_cast<TFormPAracTip*>(FindFormByName(QStringLiteral("FormPAracTip")));
    if (!f)
        f = new TFormPAracTip(ctx, source ? source->window() : nullptr);
    f->bindTo(kind, source);
    f->show();
    return f;
}

} // namespace tornaly::workshop
