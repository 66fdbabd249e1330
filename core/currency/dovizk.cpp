#include "currency/dovizk.h"
#include "controls/TarihEdit.h"

#include "currency/KurDeger.h"
#include "currency/Takv.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"
#include "money/Money.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDateTimeEdit>
#include <QStyledItemDelegate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace tornaly {

QPointer<TFormDoviz> FormDoviz;

namespace {
constexpr int kTarihCol = 0, kAlisCol = 1, kSatisCol = 2;
constexpr int kOldMomentRole = Qt::UserRole + 1;
// The last text of a rate cell that was stored, put back when a typed one is refused.
constexpr int kStoredTextRole = Qt::UserRole + 2;
const QString kRateFormat = QStringLiteral(",0.00###");

QVariant rateValue(const QStandardItem* it)
{
    if (!it || it->text().trimmed().isEmpty())
        return QVariant(QMetaType(QMetaType::Double));
    double v = 0;
    if (!ParseMoney(it->text(), &v))
        return QVariant(QMetaType(QMetaType::Double));
    return v;
}

QString rateText(const QVariant& v)
{
    return v.isNull() || !v.isValid() ? QString() : FormatMoney(v.toDouble(), kRateFormat);
}

// The moment of a rate as the list shows it: "dd.mm.yy hh:nn".
class MomentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant& value, const QLocale& locale) const override
    {
        if (value.typeId() == QMetaType::QDateTime)
            return value.toDateTime().toString(QStringLiteral("dd.MM.yy HH:mm"));
        return QStyledItemDelegate::displayText(value, locale);
    }
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* e = qobject_cast<QDateTimeEdit*>(w))
            e->setDisplayFormat(QStringLiteral("dd.MM.yy HH:mm"));
        return w;
    }
};
} // namespace

TFormDoviz::TFormDoviz(const SessionContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FormDoviz"));
    setWindowTitle(QStringLiteral("Kur Değerleri"));
    auto* lay = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Kur Değeri Kayıt için Varsayılan Tarih"), this));
    MaskEdTarih = new TTarihEdit(this);
    MaskEdTarih->setObjectName(QStringLiteral("MaskEdTarih"));
    MaskEdTarih->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    MaskEdSaat = new QTimeEdit(this);
    MaskEdSaat->setObjectName(QStringLiteral("MaskEdSaat"));
    MaskEdSaat->setDisplayFormat(QStringLiteral("HH:mm"));
    top->addWidget(MaskEdTarih);
    top->addWidget(MaskEdSaat);
    top->addWidget(new QLabel(QStringLiteral("Fiyat Güncellemek için Kur Tarihi "), this));
    DateEditGun = new TTarihEdit(this);
    DateEditGun->setObjectName(QStringLiteral("DateEditGun"));
    DateEditGun->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    top->addWidget(DateEditGun);
    CheckBoxAlKur = new QCheckBox(QStringLiteral("Alış TL Kur Değerine Göre Hesapla"), this);
    CheckBoxAlKur->setObjectName(QStringLiteral("CheckBoxAlKur"));
    top->addWidget(CheckBoxAlKur);
    lay->addLayout(top);

    auto* grids = new QHBoxLayout;
    m_doviz = new QStandardItemModel(0, 2, this);
    m_doviz->setHorizontalHeaderLabels({QStringLiteral("Döviz Kodu"), QStringLiteral("Döviz Adı")});
    GridDoviz = new QTableView(this);
    GridDoviz->setObjectName(QStringLiteral("GridDoviz"));
    GridDoviz->setModel(m_doviz);
    GridDoviz->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridDoviz->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridDoviz->setWordWrap(false);
    GridDoviz->verticalHeader()->hide();
    GridDoviz->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    GridDoviz->horizontalHeader()->setStretchLastSection(true);
    GridDoviz->installEventFilter(this);
    m_kur = new QStandardItemModel(0, 3, this);
    m_kur->setHorizontalHeaderLabels(
        {QStringLiteral("Kur Tarihi"), QStringLiteral("Alış TL Değeri"), QStringLiteral("Satış TL Değeri")});
    GridKurDeger = new QTableView(this);
    GridKurDeger->setObjectName(QStringLiteral("GridKurDeger"));
    GridKurDeger->setModel(m_kur);
    GridKurDeger->setItemDelegateForColumn(kTarihCol, new MomentDelegate(GridKurDeger));
    GridKurDeger->setWordWrap(false);
    GridKurDeger->verticalHeader()->hide();
    GridKurDeger->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    GridKurDeger->setTabKeyNavigation(true);
    GridKurDeger->installEventFilter(this);
    grids->addWidget(GridDoviz, 2);
    grids->addWidget(GridKurDeger, 3);
    lay->addLayout(grids);
    LabelAranan = new QLabel(this);
    LabelAranan->setObjectName(QStringLiteral("LabelAranan"));
    LabelAranan->hide();
    lay->addWidget(LabelAranan);

    auto* bottom = new QHBoxLayout;
    auto button = [&](const QString& name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        bottom->addWidget(b);
        return b;
    };
    btnKurIndir = button(QStringLiteral("btnKurIndir"), QStringLiteral("TCMB'ndan Kurları Al"));
    btnKurIndir->setToolTip(QStringLiteral("Lütfen  günün kurunu saat 15:30 a kadar güncelleyiniz,"));
    BtnStkFyt = button(QStringLiteral("BtnStkFyt"), QStringLiteral("Kur Fiyatlarına Göre Stok Fiyatlarını Güncelle"));
    bottom->addStretch();
    BtnSec = button(QStringLiteral("BtnSec"), QStringLiteral("&Seç"));
    BtnSec->hide();
    BitBtn1 = button(QStringLiteral("BitBtn1"), QStringLiteral("&Kapat"));
    lay->addLayout(bottom);
    // Enter belongs to the grid cell being typed in: no button of this form
    // is pressed by it.
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    BtnStkFyt->setEnabled(StokFiyatGuncelleyiciVar());
    if (!BtnStkFyt->isEnabled())
        BtnStkFyt->setToolTip(QStringLiteral("Stok fiyatı güncellemesi bu kurulumda yüklü değil."));
    resize(940, 520);

    connect(BtnSec, &QPushButton::clicked, this, Guarded(this, &TFormDoviz::BtnSecClick));
    connect(BitBtn1, &QPushButton::clicked, this, Guarded(this, &TFormDoviz::BitBtn1Click));
    connect(btnKurIndir, &QPushButton::clicked, this, Guarded(this, &TFormDoviz::btnKurIndirClick));
    connect(BtnStkFyt, &QPushButton::clicked, this, Guarded(this, &TFormDoviz::BtnStkFytClick));
    connect(GridDoviz->selectionModel(), &QItemSelectionModel::currentRowChanged, this, Guarded([this] {
        Guard([this] {
            dropUnfinishedRow();
            loadRates();
        });
    }));
    connect(GridKurDeger->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            Guarded([this](const QModelIndex& now, const QModelIndex& before) {
                if (before.isValid() && now.row() != before.row())
                    Guard([&] { dropUnfinishedRow(before.row()); });
            }));
    connect(m_kur, &QStandardItemModel::itemChanged, this, Guarded([this](QStandardItem* it) {
        if (!m_loading)
            Guard([&] { rateEdited(it->row(), it->column()); });
    }));
    connect(GridKurDeger, &QTableView::doubleClicked, this, Guarded([this](const QModelIndex& idx) {
        if (idx.column() != kTarihCol)
            return;
        const QDate d = TakvimTarihSec(QDate::currentDate());
        if (!d.isValid())
            return;
        const QTime now = QTime::currentTime();
        m_kur->item(idx.row(), kTarihCol)->setData(QDateTime(d, QTime(now.hour(), now.minute())), Qt::EditRole);
    }));
}

void TFormDoviz::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    FormShow();
}

void TFormDoviz::loadCurrencies()
{
    QSignalBlocker block(GridDoviz->selectionModel());
    m_loading = true;
    m_doviz->removeRows(0, m_doviz->rowCount());
    Query q(m_ctx.Database1, QStringLiteral("SELECT DOVIZ_KODU, DOVIZ_ADI FROM DOVIZ ORDER BY DOVIZ_KODU"));
    q.exec();
    while (q.next())
        m_doviz->appendRow({new QStandardItem(q.str(QStringLiteral("DOVIZ_KODU"))),
                            new QStandardItem(q.str(QStringLiteral("DOVIZ_ADI")))});
    m_loading = false;
}

QString TFormDoviz::currentCurrency() const
{
    const int row = GridDoviz->currentIndex().row();
    return row < 0 ? QString() : m_doviz->item(row, 0)->text();
}

void TFormDoviz::selectCurrency(const QString& code)
{
    for (int r = 0; r < m_doviz->rowCount(); ++r)
        if (m_doviz->item(r, 0)->text().compare(code, Qt::CaseInsensitive) == 0) {
            GridDoviz->setCurrentIndex(m_doviz->index(r, 0));
            return;
        }
}

int TFormDoviz::rateRowCount() const
{
    return m_kur->rowCount();
}

void TFormDoviz::loadRates()
{
    m_loading = true;
    m_kur->removeRows(0, m_kur->rowCount());
    m_rowsOf = currentCurrency();
    if (!m_rowsOf.isEmpty())
        for (const KurDegerSatiri& s : KurDegerleri(m_ctx.Database1, m_rowsOf)) {
            auto* t = new QStandardItem;
            t->setData(s.TARIH, Qt::EditRole);
            t->setData(s.TARIH, kOldMomentRole);
            auto num = [](const QVariant& v) {
                auto* it = new QStandardItem(rateText(v));
                it->setData(it->text(), kStoredTextRole);
                it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                return it;
            };
            m_kur->appendRow({t, num(s.TLDEGERI_ALIS), num(s.TLDEGERI_SATIS)});
        }
    m_loading = false;
}

void TFormDoviz::FormShow()
{
    Guard([this] { showRates(); });
}

void TFormDoviz::showRates()
{
    loadCurrencies();
    if (m_doviz->rowCount() > 0)
        GridDoviz->setCurrentIndex(m_doviz->index(m_doviz->rowCount() - 1, 0));
    if (BtnSec->isVisible() || !BtnSec->isHidden()) {
        selectCurrency(aranan);
        // The rate nearest to now: the first at or after it, else the last.
        const QDateTime now = QDateTime::currentDateTime();
        int pick = m_kur->rowCount() - 1;
        for (int r = 0; r < m_kur->rowCount(); ++r)
            if (m_kur->item(r, kTarihCol)->data(Qt::EditRole).toDateTime() >= now) {
                pick = r;
                break;
            }
        if (pick >= 0)
            GridKurDeger->setCurrentIndex(m_kur->index(pick, kSatisCol));
    }
    MaskEdTarih->setDate(QDate::currentDate());
    MaskEdSaat->setTime(QTime::currentTime());
    DateEditGun->setDate(QDate::currentDate());
}

void TFormDoviz::restoreCell(int row, int column)
{
    QStandardItem* it = m_kur->item(row, column);
    const QSignalBlocker block(m_kur);
    it->setText(it->data(kStoredTextRole).toString());
    GridKurDeger->update(it->index());
}

void TFormDoviz::rateEdited(int row, int column)
{
    QStandardItem* t = m_kur->item(row, kTarihCol);
    QStandardItem* edited = m_kur->item(row, column);
    if (!t || !edited)
        return;
    const QDateTime old = t->data(kOldMomentRole).toDateTime();
    const bool isNew = !old.isValid();
    if (column != kTarihCol) {
        const QString typed = edited->text().trimmed();
        double v = 0;
        if (!typed.isEmpty() && !ParseMoney(typed, &v)) {
            ShowWarning(QStringLiteral("\"%1\" geçerli bir kur değeri değil. Kur değerini 40,5 ya da 1.234,5678 "
                                       "biçiminde giriniz; eski değer korundu.")
                            .arg(typed));
            restoreCell(row, column);
            return;
        }
        if (typed.isEmpty() && !isNew) {
            ShowWarning(KurEksikMesaji());
            restoreCell(row, column);
            return;
        }
    }
    KurDegerSatiri s;
    s.DOVIZ_KODU = m_rowsOf;
    s.TARIH = t->data(Qt::EditRole).toDateTime();
    s.TLDEGERI_ALIS = rateValue(m_kur->item(row, kAlisCol));
    s.TLDEGERI_SATIS = rateValue(m_kur->item(row, kSatisCol));
    if (s.DOVIZ_KODU.isEmpty() || !s.TARIH.isValid())
        return;
    // A new row waits until both rates are typed; leaving it earlier drops it with a message.
    if (isNew && (s.TLDEGERI_ALIS.isNull() || s.TLDEGERI_SATIS.isNull()))
        return;
    try {
        KurDegerKaydet(m_ctx.Database1, s, old);
    } catch (...) {
        // A refused new row stays for the user to correct its moment; a
        // refused change shows the rows as they are stored.
        if (!isNew)
            loadRates();
        throw;
    }
    // Stored: the row keeps its place (and the cursor its cell), shown as stored.
    const QSignalBlocker block(m_kur);
    t->setData(s.TARIH, kOldMomentRole);
    for (int c : {kAlisCol, kSatisCol}) {
        QStandardItem* it = m_kur->item(row, c);
        it->setText(rateText(c == kAlisCol ? s.TLDEGERI_ALIS : s.TLDEGERI_SATIS));
        it->setData(it->text(), kStoredTextRole);
    }
    GridKurDeger->viewport()->update();
}

bool TFormDoviz::dropUnfinishedRow(int row)
{
    if (row < 0) {
        for (int r = m_kur->rowCount() - 1; r >= 0; --r)
            if (!m_kur->item(r, kTarihCol)->data(kOldMomentRole).toDateTime().isValid())
                return dropUnfinishedRow(r);
        return false;
    }
    if (row >= m_kur->rowCount() || m_kur->item(row, kTarihCol)->data(kOldMomentRole).toDateTime().isValid())
        return false;
    ShowWarning(KurEksikMesaji() + QStringLiteral(" Yeni satır kaydedilmedi."));
    const QSignalBlocker block(m_kur);
    m_kur->removeRow(row);
    return true;
}

void TFormDoviz::yeniKur()
{
    if (currentCurrency().isEmpty())
        return;
    // A new row is only typed into here; it is stored once both rates are there.
    auto* t = new QStandardItem;
    t->setData(QDateTime(MaskEdTarih->date(), QTime(MaskEdSaat->time().hour(), MaskEdSaat->time().minute())),
               Qt::EditRole);
    auto num = [] {
        auto* it = new QStandardItem;
        it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return it;
    };
    {
        const QSignalBlocker block(m_kur);
        m_kur->appendRow({t, num(), num()});
    }
    GridKurDeger->setCurrentIndex(m_kur->index(m_kur->rowCount() - 1, kAlisCol));
    GridKurDeger->edit(GridKurDeger->currentIndex());
}

void TFormDoviz::kurSil()
{
    const int row = GridKurDeger->currentIndex().row();
    if (row < 0 || AskYesNoCancel(QStringLiteral("Kayıt Silinsin mi?")) != MsgYes)
        return;
    const QDateTime old = m_kur->item(row, kTarihCol)->data(kOldMomentRole).toDateTime();
    if (old.isValid())
        KurDegerSil(m_ctx.Database1, m_rowsOf, old);
    loadRates();
}

void TFormDoviz::BtnSecClick()
{
    if (dropUnfinishedRow())
        return;
    const int row = GridKurDeger->currentIndex().row();
    DovizKuruTL = row < 0 ? 0.0 : rateValue(m_kur->item(row, kSatisCol)).toDouble();
    accept();
}

void TFormDoviz::BitBtn1Click()
{
    dropUnfinishedRow();
    reject();
}

void TFormDoviz::btnKurIndirClick()
{
    btnKurIndir->setEnabled(false);
    Guard([this] {
        dropUnfinishedRow();
        TcmbKurlariAl(m_ctx.Database1, QDate::currentDate());
        loadRates();
    });
    btnKurIndir->setEnabled(true);
}

void TFormDoviz::BtnStkFytClick()
{
    BtnStkFyt->setEnabled(false);
    Guard([this] {
        KurFiyatlarinaGoreStokGuncelle(m_ctx.Database1, DateEditGun->date(), CheckBoxAlKur->isChecked());
    });
    BtnStkFyt->setEnabled(StokFiyatGuncelleyiciVar());
}

void TFormDoviz::searchKey(int key, const QString& text)
{
    if (key == Qt::Key_Escape || key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left
        || key == Qt::Key_Right) {
        aranan.clear();
    } else if (key == Qt::Key_Backspace) {
        aranan.chop(1);
    } else if (!text.isEmpty() && text.at(0).isPrint()) {
        aranan += text;
        if (aranan.size() > 36)
            aranan.clear();
        // Nearest code: the first not below the text; a code that does not
        // begin with it drops the character again.
        int found = -1;
        for (int r = 0; r < m_doviz->rowCount(); ++r)
            if (m_doviz->item(r, 0)->text().compare(aranan, Qt::CaseInsensitive) >= 0) {
                found = r;
                break;
            }
        if (found < 0 || !m_doviz->item(found, 0)->text().startsWith(aranan, Qt::CaseInsensitive)) {
            aranan.chop(1);
        } else {
            GridDoviz->setCurrentIndex(m_doviz->index(found, 0));
        }
    }
    LabelAranan->setText(QStringLiteral("Aranan : ") + aranan);
    LabelAranan->setVisible(!aranan.isEmpty());
}

bool TFormDoviz::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (o == GridDoviz) {
            searchKey(k->key(), k->text());
            return k->key() != Qt::Key_Up && k->key() != Qt::Key_Down;
        }
        if (o == GridKurDeger && k->key() == Qt::Key_Insert) {
            Guard([this] { yeniKur(); });
            return true;
        }
        if (o == GridKurDeger && k->key() == Qt::Key_Delete && GridKurDeger->hasFocus()) {
            Guard([this] { kurSil(); });
            return true;
        }
        // Enter posts the cell (the editor has committed it by now) and
        // goes no further: it never reaches a button of the form.
        if (o == GridKurDeger && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter))
            return true;
    }
    return QDialog::eventFilter(o, e);
}

double DovizKuruSec(const SessionContext& ctx, const QString& code)
{
    if (!FormDoviz)
        FormDoviz = new TFormDoviz(ctx, QApplication::activeWindow());
    FormDoviz->BtnSec->setVisible(true);
    FormDoviz->aranan = code;
    FormDoviz->DovizKuruTL = 0;
    if (FormDoviz->exec() != QDialog::Accepted)
        return -1;
    return FormDoviz->DovizKuruTL == 0 ? 1.0 : FormDoviz->DovizKuruTL;
}

} // namespace tornaly
