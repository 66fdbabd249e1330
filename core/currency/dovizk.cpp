#include "currency/dovizk.h"

#include "currency/KurDeger.h"
#include "currency/Takv.h"
#include "messages/Messages.h"
#include "money/Money.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
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

QVariant rateValue(const QStandardItem* it)
{
    if (!it || it->text().trimmed().isEmpty())
        return QVariant(QMetaType(QMetaType::Double));
    double v = 0;
    if (!ParseMoney(it->text(), &v))
        return QVariant(QMetaType(QMetaType::Double));
    return v;
}
} // namespace

TFormDoviz::TFormDoviz(const SessionContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FormDoviz"));
    setWindowTitle(QStringLiteral("Kur Değerleri"));
    auto* lay = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Kur Değeri Kayıt için Varsayılan Tarih"), this));
    MaskEdTarih = new QDateEdit(this);
    MaskEdTarih->setObjectName(QStringLiteral("MaskEdTarih"));
    MaskEdTarih->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    MaskEdSaat = new QTimeEdit(this);
    MaskEdSaat->setObjectName(QStringLiteral("MaskEdSaat"));
    MaskEdSaat->setDisplayFormat(QStringLiteral("HH:mm"));
    top->addWidget(MaskEdTarih);
    top->addWidget(MaskEdSaat);
    top->addWidget(new QLabel(QStringLiteral("Fiyat Güncellemek için Kur Tarihi "), this));
    DateEditGun = new QDateEdit(this);
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
    GridDoviz->installEventFilter(this);
    m_kur = new QStandardItemModel(0, 3, this);
    m_kur->setHorizontalHeaderLabels(
        {QStringLiteral("Kur Tarihi"), QStringLiteral("Alış TL Değeri"), QStringLiteral("Satış TL Değeri")});
    GridKurDeger = new QTableView(this);
    GridKurDeger->setObjectName(QStringLiteral("GridKurDeger"));
    GridKurDeger->setModel(m_kur);
    GridKurDeger->installEventFilter(this);
    grids->addWidget(GridDoviz, 1);
    grids->addWidget(GridKurDeger, 2);
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

    connect(BtnSec, &QPushButton::clicked, this, &TFormDoviz::BtnSecClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormDoviz::BitBtn1Click);
    connect(btnKurIndir, &QPushButton::clicked, this, &TFormDoviz::btnKurIndirClick);
    connect(BtnStkFyt, &QPushButton::clicked, this, &TFormDoviz::BtnStkFytClick);
    connect(GridDoviz->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { loadRates(); });
    connect(m_kur, &QStandardItemModel::itemChanged, this, [this](QStandardItem* it) {
        if (!m_loading)
            rateEdited(it->row());
    });
    connect(GridKurDeger, &QTableView::doubleClicked, this, [this](const QModelIndex& idx) {
        if (idx.column() != kTarihCol)
            return;
        const QDate d = TakvimTarihSec(QDate::currentDate());
        if (!d.isValid())
            return;
        m_kur->item(idx.row(), kTarihCol)
            ->setData(QDateTime(d, QTime::currentTime()), Qt::EditRole);
    });
}

void TFormDoviz::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    FormShow();
}

void TFormDoviz::loadCurrencies()
{
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
    const QString code = currentCurrency();
    if (!code.isEmpty())
        for (const KurDegerSatiri& s : KurDegerleri(m_ctx.Database1, code)) {
            auto* t = new QStandardItem;
            t->setData(s.TARIH, Qt::EditRole);
            t->setData(s.TARIH, kOldMomentRole);
            auto num = [](const QVariant& v) {
                return new QStandardItem(v.isNull() ? QString() : FormatMoney(v.toDouble(), QStringLiteral(",0.00###")));
            };
            m_kur->appendRow({t, num(s.TLDEGERI_ALIS), num(s.TLDEGERI_SATIS)});
        }
    m_loading = false;
}

void TFormDoviz::FormShow()
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

void TFormDoviz::rateEdited(int row)
{
    KurDegerSatiri s;
    s.DOVIZ_KODU = currentCurrency();
    QStandardItem* t = m_kur->item(row, kTarihCol);
    s.TARIH = t->data(Qt::EditRole).toDateTime();
    s.TLDEGERI_ALIS = rateValue(m_kur->item(row, kAlisCol));
    s.TLDEGERI_SATIS = rateValue(m_kur->item(row, kSatisCol));
    const QDateTime old = t->data(kOldMomentRole).toDateTime();
    if (s.DOVIZ_KODU.isEmpty() || !s.TARIH.isValid())
        return;
    KurDegerKaydet(m_ctx.Database1, s, old);
    loadRates();
}

void TFormDoviz::yeniKur()
{
    if (currentCurrency().isEmpty())
        return;
    KurDegerSatiri s;
    s.DOVIZ_KODU = currentCurrency();
    s.TARIH = QDateTime(MaskEdTarih->date(), QTime(MaskEdSaat->time().hour(), MaskEdSaat->time().minute()));
    KurDegerKaydet(m_ctx.Database1, s);
    loadRates();
}

void TFormDoviz::kurSil()
{
    const int row = GridKurDeger->currentIndex().row();
    if (row < 0 || AskYesNoCancel(QStringLiteral("Kayıt Silinsin mi?")) != MsgYes)
        return;
    KurDegerSil(m_ctx.Database1, currentCurrency(), m_kur->item(row, kTarihCol)->data(kOldMomentRole).toDateTime());
    loadRates();
}

void TFormDoviz::BtnSecClick()
{
    const int row = GridKurDeger->currentIndex().row();
    DovizKuruTL = row < 0 ? 0.0 : rateValue(m_kur->item(row, kSatisCol)).toDouble();
    accept();
}

void TFormDoviz::BitBtn1Click()
{
    reject();
}

void TFormDoviz::btnKurIndirClick()
{
    btnKurIndir->setEnabled(false);
    TcmbKurlariAl(m_ctx.Database1, QDate::currentDate());
    loadRates();
    btnKurIndir->setEnabled(true);
}

void TFormDoviz::BtnStkFytClick()
{
    BtnStkFyt->setEnabled(false);
    KurFiyatlarinaGoreStokGuncelle(m_ctx.Database1, DateEditGun->date(), CheckBoxAlKur->isChecked());
    BtnStkFyt->setEnabled(true);
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
            yeniKur();
            return true;
        }
        if (o == GridKurDeger && k->key() == Qt::Key_Delete && !GridKurDeger->isPersistentEditorOpen(GridKurDeger->currentIndex())) {
            kurSil();
            return true;
        }
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
