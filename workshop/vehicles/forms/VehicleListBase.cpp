#include "workshop/vehicles/forms/VehicleListBase.h"
#include "guard/FormGuard.h"
#include "context/SessionContext.h"
#include "db/Dialect.h"
#include "export/TableExport.h"
#include "sql/SqlHelpers.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSqlRecord>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::workshop {

VehicleListBase::VehicleListBase(SessionContext& ctx, int mode, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1), m_mode(mode)
{
    auto* lay = new QVBoxLayout(this);
    SearchRow = new QHBoxLayout;
    lay->addLayout(SearchRow);
    Liste = new BoundQueryModel(this);
    Grid = new QTableView(this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setModel(Liste);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setAlternatingRowColors(true);
    Grid->verticalHeader()->setDefaultSectionSize(22);
    Grid->verticalHeader()->hide();
    Grid->installEventFilter(this);
    lay->addWidget(Grid, 1);
    LblSayi = new QLabel(QStringLiteral("Kayıt Sayısı : 0"), this);
    LblSayi->setObjectName(QStringLiteral("LblSayi"));
    lay->addWidget(LblSayi);

    auto* buttons = new QHBoxLayout;
    auto make = [&](QPushButton*& b, const char* name, const QString& text) {
        b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
    };
    make(BtnYeni, "BtnYeni", QStringLiteral("&Yeni"));
    make(BtnDuzenle, "BtnDuzenle", QStringLiteral("&Düzenle"));
    make(BtnSil, "BtnSil", QStringLiteral("&Sil"));
    buttons->addStretch(1);
    make(BtnSec, "BtnSec", QStringLiteral("&Seç"));
    make(BtnExcel, "BtnExcel", QStringLiteral("Excele Aktar"));
    make(BtnKapat, "BtnKapat", QStringLiteral("&Kapat"));
    lay->addLayout(buttons);
    BtnSec->setVisible(mode >= 1 && mode != 5);

    connect(BtnYeni, &QPushButton::clicked, this, Guarded([this] { BtnYeniClick(); }));
    connect(BtnDuzenle, &QPushButton::clicked, this, Guarded([this] { BtnDuzenleClick(); }));
    connect(BtnSil, &QPushButton::clicked, this, Guarded([this] { BtnSilClick(); }));
    connect(BtnSec, &QPushButton::clicked, this, Guarded([this] { BtnSecClick(); }));
    connect(BtnExcel, &QPushButton::clicked, this, Guarded([this] { BtnExcelClick(); }));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    connect(Grid, &QTableView::doubleClicked, this, Guarded([this] {
        if (!BtnSec->isHidden())
            BtnSecClick();
        else if (BtnDuzenle->isEnabled())
            BtnDuzenleClick();
    }));
    resize(980, 560);
}

QVariantMap VehicleListBase::currentRow() const
{
    const QModelIndex i = Grid->currentIndex();
    if (!i.isValid())
        return {};
    const QSqlRecord rec = Liste->record(i.row());
    QVariantMap row;
    for (int c = 0; c < rec.count(); ++c)
        row.insert(rec.fieldName(c).toUpper(), rec.value(c));
    return row;
}

void VehicleListBase::runList(const QString& statement, const QVariantMap& binds, const QStringList& captions)
{
    m_captions = captions;
    Liste->setCaptions(captions);
    Liste->setStatement(m_db, statement, binds);
    Liste->open();
    const qint64 n = Liste->totals({}).count;
    LblSayi->setText(QStringLiteral("Kayıt Sayısı : %1").arg(n));
    Grid->resizeColumnsToContents();
    if (Liste->rowCount() > 0)
        Grid->setCurrentIndex(Liste->index(0, 0));
}

bool VehicleListBase::locate(const QString& column, const QString& text)
{
    const int col = Liste->columnOf(column);
    if (col < 0)
        return false;
    const QString wanted = Dialect::turkishUpper(text.trimmed());
    Liste->fetchAll();
    for (int r = 0; r < Liste->rowCount(); ++r) {
        const QString v = Dialect::turkishUpper(Liste->data(Liste->index(r, col)).toString().trimmed());
        if (v.startsWith(wanted)) {
            Grid->setCurrentIndex(Liste->index(r, col));
            Grid->scrollTo(Grid->currentIndex());
            return true;
        }
    }
    return false;
}

void VehicleListBase::BtnSecClick()
{
    const QVariantMap row = currentRow();
    if (row.isEmpty())
        return;
    m_result = row.value(keyColumn()).toString().trimmed();
    accept();
}

void VehicleListBase::BtnExcelClick()
{
    GridExport(QStringLiteral("E"), Grid, true);
}

bool VehicleListBase::eventFilter(QObject* o, QEvent* e)
{
    if (o == Grid && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            if (!BtnSec->isHidden())
                BtnSecClick();
            else if (BtnDuzenle->isEnabled())
                BtnDuzenleClick();
            return true;
        }
        if (k->key() == Qt::Key_Insert && BtnYeni->isEnabled()) {
            BtnYeniClick();
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

} // namespace tornaly::workshop
