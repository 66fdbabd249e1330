#include "report/ListePattern.h"
#include "guard/FormGuard.h"
#include "guard/WaitCursor.h"

#include "messages/Messages.h"
#include "report/RaporCikti.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::report {

TSorguDlg::TSorguDlg(TSorgu& record, const QString& caption, QWidget* parent) : QDialog(parent), m_sorgu(record)
{
    setWindowTitle(caption);
    auto* top = new QVBoxLayout(this);
    m_body = new QWidget(this);
    top->addWidget(m_body, 1);
    auto* row = new QHBoxLayout;
    OKBtn = new QPushButton(QStringLiteral("&Tamam"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    LISTEBtn = new QPushButton(QStringLiteral("&Tümü"), this);
    LISTEBtn->setObjectName(QStringLiteral("LISTEBtn"));
    LISTEBtn->setToolTip(QStringLiteral("Tüm Listeyi Ver"));
    CancelBtn = new QPushButton(QStringLiteral("Vazgeç"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    row->addStretch();
    row->addWidget(OKBtn);
    row->addWidget(LISTEBtn);
    row->addWidget(CancelBtn);
    top->addLayout(row);
    connect(OKBtn, &QPushButton::clicked, this, Guarded(this, &TSorguDlg::OKBtnClick));
    connect(LISTEBtn, &QPushButton::clicked, this, Guarded(this, &TSorguDlg::LISTEBtnClick));
    connect(CancelBtn, &QPushButton::clicked, this, Guarded(this, &TSorguDlg::CancelBtnClick));
}

void TSorguDlg::resetOwnFields(TSorgu& s)
{
    s.SorguStrA = QString();
    s.SorguStrB = QString();
    s.SorguStrP = QString();
    s.SorguStrQ = QString();
    s.SorguStrX = QString();
    s.SorguStrY = QString();
    s.SorguSecStr = QString();
    s.SorguSecLInt = -1;
    s.SorguSecLInt1 = -1;
    s.SorguInt = -1;
    s.ozelkod1.clear();
    s.ozelkod2.clear();
    s.ozelkod3.clear();
}

void TSorguDlg::OKBtnClick()
{
    TSorgu work = m_sorgu;
    resetOwnFields(work);
    if (!readControls(work))
        return;
    work.GeriDon = QLatin1Char('T');
    m_sorgu = work;
    accept();
}

void TSorguDlg::LISTEBtnClick()
{
    m_sorgu.GeriDon = QLatin1Char('H');
    accept();
}

void TSorguDlg::CancelBtnClick()
{
    reject();
}

void TSorguDlg::reject()
{
    m_sorgu.GeriDon = QLatin1Char('0');
    QDialog::reject();
}

QLineEdit* MakeDateEdit(QWidget* parent, const QString& name)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setInputMask(QStringLiteral("99.99.9999;_"));
    e->setText(QString());
    return e;
}

static QString dateEditText(const QLineEdit* edit)
{
    // A blank mask reads as " .  .    " style text: no limit.
    QString t = edit->text();
    if (t.remove(QLatin1Char('.')).trimmed().isEmpty())
        return {};
    return MaskedDateText(edit->text());
}

bool DateEditValid(const QLineEdit* edit)
{
    const QString t = dateEditText(edit);
    return t.isEmpty() || QDate::fromString(t, QStringLiteral("dd.MM.yyyy")).isValid();
}

void BindRangePickers(QPushButton* first, QPushButton* second, QLineEdit* from, QLineEdit* to,
                      std::function<QString()> picker)
{
    QObject::connect(first, &QPushButton::clicked, from, Guarded([=] {
        const QString code = picker();
        if (code.isEmpty())
            return;
        from->setText(code);
        to->setText(code);
    }));
    QObject::connect(second, &QPushButton::clicked, to, Guarded([=] {
        const QString code = picker();
        if (!code.isEmpty())
            to->setText(code);
    }));
}

void RunCriteria(TSorgu& unitRecord, TSorgu& caller, const std::function<TSorguDlg*(TSorgu&)>& make)
{
    std::unique_ptr<TSorguDlg> dlg(make(unitRecord));
    dlg->exec();
    caller = unitRecord;
}

// ---------------------------------------------------------------------------

QString ListQuery::bindValue(const QVariant& v)
{
    const QString name = QStringLiteral("P%1").arg(++m_next);
    m_sql.binds.insert(name, v);
    return QLatin1Char(':') + name;
}

ListQuery& ListQuery::line(const QString& text)
{
    if (m_hasOrder)
        m_sql.lines.insert(m_sql.lines.size() - 1, text);
    else
        m_sql.lines.append(text);
    return *this;
}

ListQuery& ListQuery::range(const QString& field, const QString& lower, const QString& upper)
{
    if (!lower.isEmpty())
        line(QStringLiteral("AND (%1>=%2)").arg(field, bindValue(lower)));
    if (!upper.isEmpty())
        line(QStringLiteral("AND (%1<=%2)").arg(field, bindValue(upper)));
    return *this;
}

ListQuery& ListQuery::equals(const QString& field, const QVariant& value)
{
    return line(QStringLiteral("AND (%1=%2)").arg(field, bindValue(value)));
}

bool ListQuery::dateRange(const QString& field, const QString& fromText, const QString& toText, QString* error)
{
    auto parse = [&](const QString& t, QDate* d) {
        if (t.trimmed().isEmpty())
            return true;
        *d = QDate::fromString(t.trimmed(), QStringLiteral("dd.MM.yyyy"));
        if (!d->isValid()) {
            if (error)
                *error = QStringLiteral("Geçersiz tarih: %1").arg(t.trimmed());
            return false;
        }
        return true;
    };
    QDate from, to;
    if (!parse(fromText, &from) || !parse(toText, &to))
        return false;
    if (from.isValid())
        line(QStringLiteral("AND (%1>=%2)").arg(field, bindValue(QDateTime(from, QTime(0, 0)))));
    if (to.isValid())
        line(QStringLiteral("AND (%1<%2)").arg(field, bindValue(QDateTime(to.addDays(1), QTime(0, 0)))));
    return true;
}

ListQuery& ListQuery::hiddenGroups(bool diger01, const QStringList& groups)
{
    if (!diger01 || groups.isEmpty())
        return *this;
    QStringList names;
    for (const QString& g : groups)
        names << bindValue(g);
    return line(QStringLiteral("AND ((CARI.CARI_GRP_KOD NOT IN (%1)) OR CARI.CARI_GRP_KOD IS NULL)")
                    .arg(names.join(QLatin1Char(','))));
}

ListQuery& ListQuery::orderBy(const QString& orderLine)
{
    if (m_hasOrder)
        m_sql.lines.removeLast();
    m_sql.lines.append(orderLine);
    m_hasOrder = true;
    return *this;
}

// ---------------------------------------------------------------------------

TListeForm::TListeForm(const Db& db, const QString& caption, QWidget* parent) : QDialog(parent), m_db(db)
{
    setWindowTitle(caption);
    resize(1000, 600);
    auto* top = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    m_sortBox = new QGroupBox(QStringLiteral("Sıralama Değiş"), this);
    m_sortBox->setObjectName(QStringLiteral("RgSiralama"));
    new QHBoxLayout(m_sortBox);
    m_sortGroup = new QButtonGroup(this);
    bar->addWidget(m_sortBox);
    bar->addStretch();
    CmbCikti = new QComboBox(this);
    CmbCikti->setObjectName(QStringLiteral("CmbCikti"));
    CmbCikti->addItems(ListOutputNames());
    BtnListe = new QPushButton(QStringLiteral("Liste Dökümü"), this);
    BtnListe->setObjectName(QStringLiteral("BtnListe"));
    bar->addWidget(CmbCikti);
    bar->addWidget(BtnListe);
    top->addLayout(bar);
    Grid = new QTableView(this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->verticalHeader()->setDefaultSectionSize(20);
    m_model = new BoundQueryModel(this);
    Grid->setModel(m_model);
    top->addWidget(Grid, 1);
    m_sortBox->setVisible(false);
    connect(m_sortGroup, &QButtonGroup::idClicked, this, Guarded(this, &TListeForm::SiralamaClick));
    connect(BtnListe, &QPushButton::clicked, this, Guarded(this, &TListeForm::BtnListeClick));
}

void TListeForm::setQuery(const ListQuery& q, const QList<QPair<QString, QString>>& orders, int order)
{
    m_query = q;
    m_orders = orders;
    for (QAbstractButton* b : m_sortGroup->buttons()) {
        m_sortGroup->removeButton(b);
        delete b;
    }
    for (int i = 0; i < orders.size(); ++i) {
        auto* rb = new QRadioButton(orders[i].first, m_sortBox);
        m_sortBox->layout()->addWidget(rb);
        m_sortGroup->addButton(rb, i);
        rb->setChecked(i == order);
    }
    m_sortBox->setVisible(!orders.isEmpty());
    if (order >= 0 && order < orders.size())
        m_query.orderBy(orders[order].second);
}

void TListeForm::open()
{
    m_model->setStatement(m_db, m_query.text(), m_query.binds());
    m_model->open();
    while (m_model->canFetchMore())
        m_model->fetchMore();
}

int TListeForm::rowCount() const
{
    return m_model->rowCount();
}

void TListeForm::SiralamaClick(int index)
{
    if (index < 0 || index >= m_orders.size())
        return;
    m_query.orderBy(m_orders[index].second);
    open();
}

QString TListeForm::BtnListeClick()
{
    if (!reportBuilder)
        return {};
    Report r = reportBuilder();
    return RaporCikti(m_db, r, pageSetupKey, CmbCikti->currentText());
}

int RunList(TListeForm& form, const QString& emptyMessage)
{
    {
        WaitCursor wait;
        form.open();
    }
    const int n = form.rowCount();
    if (n < 1) {
        Messages().show(MsgIcon::Information, emptyMessage, MsgOk, MsgOk, {});
        return 0;
    }
    form.exec();
    return n;
}

} // namespace tornaly::report
