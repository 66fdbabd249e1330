#include "browse/brListe.h"

#include "dialogs/MesajGoster.h"
#include "context/SessionContext.h"
#include "export/TableExport.h"
#include "guard/FormGuard.h"
#include "money/Money.h"
#include "messages/Messages.h"
#include "settings/GridLayout.h"
#include "settings/Settings.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSqlField>
#include <QSqlRecord>
#include <QTableView>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

namespace tornaly {

TFormListeBr::TFormListeBr(const Db& db, QWidget* parent) : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("FormListeBr"));
    auto* lay = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Aranan Değer"), this));
    Tanim = new QLineEdit(this);
    Tanim->setObjectName(QStringLiteral("Tanim"));
    Tanim->installEventFilter(this);
    top->addWidget(Tanim, 1);
    top->addWidget(new QLabel(QStringLiteral("Aramak İstenilen "), this));
    Alan = new QLineEdit(this);
    Alan->setObjectName(QStringLiteral("Alan"));
    Alan->setReadOnly(true);
    top->addWidget(Alan);
    Filtre = new QToolButton(this);
    Filtre->setObjectName(QStringLiteral("Filtre"));
    Filtre->setText(QStringLiteral("..."));
    top->addWidget(Filtre);
    top->addWidget(new QLabel(QStringLiteral("Sıralanan Alan"), this));
    SortField = new QLabel(this);
    SortField->setObjectName(QStringLiteral("SortField"));
    top->addWidget(SortField);
    btnSelect = new QPushButton(QStringLiteral("&Seç"), this);
    btnSelect->setObjectName(QStringLiteral("btnSelect"));
    btnSelect->hide();
    top->addWidget(btnSelect);
    lay->addLayout(top);

    TableBr = new BoundQueryModel(this);
    dbgridbr = new QTableView(this);
    dbgridbr->setObjectName(QStringLiteral("dbgridbr"));
    dbgridbr->setModel(TableBr);
    dbgridbr->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbgridbr->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The list is ordered by the database (a header click reopens it in the
    // column's order), not by the view over the rows read so far.
    dbgridbr->setSortingEnabled(false);
    dbgridbr->horizontalHeader()->setSectionsClickable(true);
    dbgridbr->horizontalHeader()->setSortIndicatorShown(false);
    connect(dbgridbr->horizontalHeader(), &QHeaderView::sectionClicked, this, Guarded(this, &TFormListeBr::SortColumnClick));
    dbgridbr->installEventFilter(this);
    lay->addWidget(dbgridbr, 1);
    lblTotals = new QLabel(this);
    lblTotals->setObjectName(QStringLiteral("lblTotals"));
    lblTotals->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblTotals->hide();
    lay->addWidget(lblTotals);

    auto* bottom = new QHBoxLayout;
    auto button = [&](QPushButton*& b, const char* name, const QString& text) {
        b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        bottom->addWidget(b);
    };
    button(btnNew, "btnNew", QStringLiteral("Yeni"));
    button(btnEdit, "btnEdit", QStringLiteral("&Değiştir"));
    button(btnDelete, "btnDelete", QStringLiteral("Kayıt Sil"));
    button(btnPrint, "btnPrint", QStringLiteral("Yazdır"));
    button(btnExport, "btnExport", QStringLiteral("Excele Aktar"));
    bottom->addStretch();
    button(btnClose, "btnClose", QStringLiteral("Kapat"));
    btnClose->setToolTip(QStringLiteral("Alt-F4"));
    lay->addLayout(bottom);

    PopupMenuListeBr = new QMenu(this);
    PopupMenuListeBr->setObjectName(QStringLiteral("PopupMenuListeBr"));
    auto* dbg = PopupMenuListeBr->addAction(QStringLiteral("debug"));
    dbg->setShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+D")));
    dbg->setVisible(false);
    addAction(dbg);
    connect(dbg, &QAction::triggered, this, Guarded([this] { debug = !debug; }));

    TableBrSql.lines = {QStringLiteral("SELECT *"), QString(), QStringLiteral("WHERE 1=1"), QString()};

    connect(btnSelect, &QPushButton::clicked, this, Guarded(this, &TFormListeBr::btnSelectClick));
    connect(btnPrint, &QPushButton::clicked, this, Guarded(this, &TFormListeBr::btnPrintClick));
    connect(btnExport, &QPushButton::clicked, this, Guarded(this, &TFormListeBr::btnExportClick));
    connect(btnClose, &QPushButton::clicked, this, &QDialog::close); // unguarded: ui only
    connect(Filtre, &QToolButton::clicked, this, Guarded(this, &TFormListeBr::FiltreClick));
    connect(dbgridbr, &QTableView::clicked, this, Guarded([this](const QModelIndex& idx) {
        setSearchColumn(TableBr->fieldName(idx.column()));
    }));
    connect(dbgridbr, &QTableView::doubleClicked, this, Guarded([this] {
        if (!btnSelect->isHidden())
            btnSelectClick();
        else if (btnEdit->isEnabled())
            btnEdit->click();
    }));
}

TFormListeBr::~TFormListeBr() = default;

void TFormListeBr::openTable()
{
    TableBr->setStatement(m_db, TableBrSql.text(), TableBrSql.binds);
    // The key settles the order of rows the list's own order leaves tied.
    TableBr->setOrderKeys(key_field.isEmpty() ? QStringList() : QStringList{key_field});
    TableBr->open();
    learnKinds();
    refreshTotals();
    RestoreGridLayout(objectName(), dbgridbr, {});
    // Captions come with the open list: show the search column's again.
    const int col = TableBr->columnOf(aramaKolonu);
    if (col >= 0)
        Alan->setText(TableBr->headerData(col, Qt::Horizontal).toString());
}

void TFormListeBr::SortColumnClick(int column)
{
    if (column < 0 || column >= TableBr->columnCount())
        return;
    // A second click on the sorted column turns its order round.
    const Qt::SortOrder order = TableBr->sortColumn() == column && TableBr->sortOrder() == Qt::AscendingOrder
        ? Qt::DescendingOrder
        : Qt::AscendingOrder;
    const int previousColumn = TableBr->sortColumn();
    const Qt::SortOrder previousOrder = TableBr->sortOrder();
    try {
        TableBr->sort(column, order);
    } catch (...) {
        // The list keeps the order it is shown in; the guard tells why.
        TableBr->setSort(previousColumn, previousOrder);
        throw;
    }
    auto* header = dbgridbr->horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, order);
    SortField->setText(TableBr->headerData(column, Qt::Horizontal).toString());
    if (TableBr->rowCount() > 0)
        dbgridbr->setCurrentIndex(TableBr->index(0, column));
}

void TFormListeBr::setTotals(const QStringList& fields, const SessionContext& ctx)
{
    setTotals(fields, ctx.ParaFormat);
}

void TFormListeBr::setTotals(const QStringList& fields, const QString& paraFormat)
{
    m_totalFields = fields;
    m_paraFormat = paraFormat;
    m_totalsOn = true;
    if (TableBr->isOpen())
        refreshTotals();
}

void TFormListeBr::refreshTotals()
{
    m_totals = {};
    if (!m_totalsOn || !TableBr->isOpen()) {
        lblTotals->hide();
        return;
    }
    m_totals = TableBr->totals(m_totalFields);
    QStringList parts{QStringLiteral("Kayıt Sayısı: %1").arg(FormatMoney(double(m_totals.count), QStringLiteral(",0")))};
    for (int i = 0; i < m_totalFields.size() && i < m_totals.sums.size(); ++i) {
        const int col = TableBr->columnOf(m_totalFields.at(i));
        const QString caption = TableBr->headerData(col, Qt::Horizontal).toString();
        parts << QStringLiteral("%1: %2").arg(caption, FormatMoney(m_totals.sums.at(i), m_paraFormat));
    }
    lblTotals->setText(parts.join(QStringLiteral("    ")));
    lblTotals->show();
}

void TFormListeBr::learnKinds()
{
    // Computed columns have no declared type: the first row's values tell what they hold.
    const QSqlRecord rec = TableBr->record();
    const QSqlRecord first = TableBr->rowCount() > 0 ? TableBr->record(0) : QSqlRecord();
    for (int i = 0; i < rec.count(); ++i) {
        const QString name = rec.fieldName(i).toUpper();
        if (m_learnedKinds.contains(name))
            continue;
        const auto type = QMetaType::Type(rec.field(i).metaType().id());
        const QVariant sample = first.isEmpty() ? QVariant() : first.value(i);
        if (type == QMetaType::QString && (sample.isNull() || !sample.isValid()))
            continue;
        m_learnedKinds.insert(name, AramaTuruBelirle(type, sample));
    }
}

void TFormListeBr::setSearchColumn(const QString& field)
{
    if (field.isEmpty())
        return;
    const QString upper = field.toUpper();
    aramaKolonu = fieldOrigins.value(upper, field);
    if (fieldKinds.contains(upper))
        aramaTuru = fieldKinds.value(upper);
    else
        aramaTuru = m_learnedKinds.value(upper, AramaTuru::Metin);
    const int col = TableBr->columnOf(field);
    Alan->setText(col >= 0 ? TableBr->headerData(col, Qt::Horizontal).toString() : field);
    Alan->setToolTip(aramaKolonu);
}

void TFormListeBr::setkeyfield(const QString& xkf)
{
    key_field = xkf;
    setSearchColumn(xkf);
    SortField->setText(Alan->text());
}

QVariant TFormListeBr::createform(bool modal, bool secaktif, bool tableopen, bool btnvisible, bool tabledit)
{
    btnSelect->setVisible(secaktif);
    if (!btnvisible)
        disablebuttons();
    editable = tabledit;
    if (tableopen) {
        Guard([this] { openTable(); });
        if (TableBr->rowCount() > 0)
            dbgridbr->setCurrentIndex(TableBr->index(0, 0));
        if (!key_field.isEmpty())
            setkeyfield(key_field);
    }
    if (modal) {
        const TypeModal r = showandfree(true);
        return r.modalresult == QDialog::Accepted ? r.secimresult : QVariant();
    }
    showandfree(false);
    return {};
}

TypeModal TFormListeBr::showandfree(bool modal)
{
    TypeModal r;
    if (modal) {
        r.modalresult = exec();
        r.secimresult = secim;
        return r;
    }
    setAttribute(Qt::WA_DeleteOnClose);
    show();
    return r;
}

int TFormListeBr::currentRow() const
{
    return dbgridbr->currentIndex().row();
}

QVariant TFormListeBr::currentValue(const QString& field) const
{
    const int row = currentRow();
    const int col = TableBr->columnOf(field);
    if (row < 0 || col < 0)
        return {};
    return TableBr->data(TableBr->index(row, col), Qt::EditRole);
}

void TFormListeBr::setkeyvalue(const QVariant& xval)
{
    key_value = xval.toString().isEmpty() ? currentValue(key_field) : xval;
}

void TFormListeBr::locatekeyvalue(const QVariant& xval)
{
    Guard([&] { locate(xval); });
}

void TFormListeBr::locate(const QVariant& xval)
{
    tablerefresh();
    const QVariant target = !xval.toString().isEmpty() ? xval : key_value;
    int row = -1;
    if (target.isNull() || !target.isValid()) {
        TableBr->fetchAll();
        row = TableBr->rowCount() - 1;
    } else {
        const int col = TableBr->columnOf(key_field);
        for (int r = 0; col >= 0; ++r) {
            if (r >= TableBr->rowCount()) {
                if (!TableBr->canFetchMore())
                    break;
                TableBr->fetchMore();
                if (r >= TableBr->rowCount())
                    break;
            }
            if (TableBr->data(TableBr->index(r, col), Qt::EditRole).toString() == target.toString()) {
                row = r;
                break;
            }
        }
    }
    if (row >= 0)
        dbgridbr->setCurrentIndex(TableBr->index(row, 0));
}

bool TFormListeBr::newok() const
{
    return btnNew->isEnabled() && !btnNew->isHidden();
}

bool TFormListeBr::editok() const
{
    const QVariant key = currentValue(key_field);
    return btnEdit->isEnabled() && !btnEdit->isHidden() && key.isValid() && !key.isNull();
}

bool TFormListeBr::deleteok(bool xdel)
{
    const QVariant key = currentValue(key_field);
    if (!btnDelete->isEnabled() || btnDelete->isHidden() || !key.isValid() || key.isNull())
        return false;
    if (AskYesNoCancel(QStringLiteral("Kayıt Silinsin mi?")) != MsgYes)
        return false;
    if (xdel)
        return deleteselected();
    return true;
}

void TFormListeBr::tablerefresh()
{
    TableBr->close();
    Guard([this] { openTable(); });
}

bool TFormListeBr::deleteselected()
{
    if (QSil.isEmpty())
        return false;
    const bool deleted = Guard([this] {
        Transaction tx(m_db);
        Query q(m_db, QSil);
        for (const QString& p : q.placeholders())
            q.bind(p, currentValue(p));
        q.exec();
        tx.commit();
    });
    tablerefresh();
    return deleted;
}

void TFormListeBr::disablebuttons()
{
    for (QPushButton* b : {btnNew, btnEdit, btnDelete, btnExport, btnPrint})
        b->hide();
}

void TFormListeBr::applyMode(int mode, const QString& hak)
{
    const BrowseKomutlari k = BrowseKomutlariniBelirle(mode, hak);
    setProperty("Tag", k.tag);
    btnSelect->setVisible(k.secGorunur);
    btnSelect->setEnabled(k.secEtkin);
    btnNew->setEnabled(k.yeni);
    btnEdit->setEnabled(k.duzenle);
    btnDelete->setEnabled(k.sil);
    if (k.aramaOdak)
        Tanim->setFocus();
}

bool TFormListeBr::TanimEnter()
{
    if (GuardOr(false, [this] { return search(); }))
        return true;
    doubleenter = false;
    return false;
}

bool TFormListeBr::search()
{
    if (doubleenter) {
        dbgridbr->setFocus();
        return false;
    }
    doubleenter = true;
    const QString text = Tanim->text();
    if (text.trimmed().isEmpty() && AskYesNoCancel(QStringLiteral("Tüm kayıtları görmek istiyor musunuz?")) != MsgYes)
        return false;
    const AramaKosulu k = AramaKosuluOlustur(m_db.dialect(), aramaTuru, aramaKolonu, text);
    if (!k.gecerli()) {
        ShowWarning(k.hata);
        doubleenter = false;
        return false;
    }
    TableBr->close();
    while (TableBrSql.lines.size() < 4)
        TableBrSql.lines << QString();
    TableBrSql.lines[3] = k.kosul;
    TableBrSql.binds.remove(QStringLiteral("ARANAN"));
    for (auto it = k.binds.cbegin(); it != k.binds.cend(); ++it)
        TableBrSql.binds.insert(it.key(), it.value());
    if (debug)
        ShowTextPanel2(TableBrSql.text());
    openTable();
    return true;
}

void TFormListeBr::btnSelectClick()
{
    if (btnSelect->isHidden() || !btnSelect->isEnabled())
        return;
    secim = currentValue(key_field);
    accept();
}

void TFormListeBr::btnPrintClick()
{
    Guard([this] { printGrid(dbgridbr); });
}

void TFormListeBr::printGrid(QTableView* grid)
{
    QAbstractItemModel* model = grid->model();
    while (model->canFetchMore({}))
        model->fetchMore({});
    QString html = QStringLiteral("<table border=1 cellspacing=0><tr>");
    for (int c = 0; c < model->columnCount(); ++c)
        if (!grid->isColumnHidden(c))
            html += QStringLiteral("<th>%1</th>").arg(model->headerData(c, Qt::Horizontal).toString().toHtmlEscaped());
    html += QStringLiteral("</tr>");
    for (int r = 0; r < model->rowCount(); ++r) {
        html += QStringLiteral("<tr>");
        for (int c = 0; c < model->columnCount(); ++c)
            if (!grid->isColumnHidden(c))
                html += QStringLiteral("<td>%1</td>").arg(model->index(r, c).data().toString().toHtmlEscaped());
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>");
    QPrinter printer;
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(12.7, 12.7, 12.7, 12.7), QPageLayout::Millimeter);
    QPrintPreviewDialog preview(&printer, this);
    QTextDocument doc;
    doc.setHtml(html);
    connect(&preview, &QPrintPreviewDialog::paintRequested, &doc, Guarded([&doc](QPrinter* p) { doc.print(p); }));
    preview.exec();
}

void TFormListeBr::btnExportClick()
{
    // The export writes every row, not the pages read so far: one statement reads the rest.
    Guard([this] {
        TableBr->fetchAll();
        GridExport(QStringLiteral("E"), dbgridbr, true);
    });
}

void TFormListeBr::FiltreClick()
{
    // The grid filter works on the search column: narrow the list by the typed text.
    if (aramaTuru == AramaTuru::Yok)
        return;
    doubleenter = false;
    TanimEnter();
}

bool TFormListeBr::eventFilter(QObject* o, QEvent* e)
{
    if (o == Tanim) {
        if (e->type() == QEvent::FocusIn)
            doubleenter = false;
        if (e->type() == QEvent::KeyRelease) {
            auto* k = static_cast<QKeyEvent*>(e);
            if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)
                TanimEnter();
            else
                doubleenter = false;
        }
        if (e->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(e);
            if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)
                return true; // not the dialog's default button
        }
    }
    if (o == dbgridbr && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            btnSelectClick();
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

void TFormListeBr::closeEvent(QCloseEvent* e)
{
    if (IzgaraAyarSakla())
        SaveGridLayout(objectName(), dbgridbr);
    TableBr->close();
    QDialog::closeEvent(e);
}

} // namespace tornaly
