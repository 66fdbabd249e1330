#include "invoicing/workorder/monitor/forms/IEFatDrm.h"
#include "guard/FormGuard.h"

#include "accounts/cards/BrCari.h"
#include "connection/DialogRunner.h"
#include "context/SessionContext.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "sql/SqlHelpers.h"
#include "util/Utf8.h"
#include "workshop/workorders/forms/IEBr.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>

namespace tornaly::invoicing {

namespace {
using text::S;

QString drmText(const QVariant& v) { return v.toString().trimmed(); }

// Amounts with two decimals, the three computed totals whole; the work-order
// and all-invoice totals on light green, the invoice totals on light blue.
class DrmTutarDelegate : public QStyledItemDelegate {
public:
    DrmTutarDelegate(BoundQueryModel* model, QObject* parent) : QStyledItemDelegate(parent), m_model(model) {}

protected:
    void initStyleOption(QStyleOptionViewItem* o, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(o, index);
        const QString field = m_model->fieldName(index.column()).toUpper();
        static const QStringList tutarlar{QStringLiteral("PAR_TUT"),    QStringLiteral("G_PAR_TUT"),
                                          QStringLiteral("ISC_TUT"),    QStringLiteral("G_ISC_TUT"),
                                          QStringLiteral("SF_PAR_TUT"), QStringLiteral("SF_PAR_ISK"),
                                          QStringLiteral("SF_ISC_TUT"), QStringLiteral("SF_ISC_ISK"),
                                          QStringLiteral("SF_TOP_TUT"), QStringLiteral("GF_PAR_TUT"),
                                          QStringLiteral("GF_ISC_TUT")};
        static const QStringList toplamlar{QStringLiteral("IE_TOP"), QStringLiteral("GF_TOP"), QStringLiteral("FAT_TOP")};
        const QVariant v = index.data(Qt::EditRole);
        if (tutarlar.contains(field) && !v.isNull())
            o->text = FormatMoney(v.toDouble(), QStringLiteral(",0.00"));
        else if (toplamlar.contains(field) && !v.isNull())
            o->text = FormatMoney(v.toDouble(), QStringLiteral(",0"));
        if (field == QLatin1String("IE_TOP") || field == QLatin1String("FAT_TOP"))
            o->backgroundBrush = QColor(0xC0, 0xF0, 0xC0);
        else if (field == QLatin1String("SF_TOP_TUT") || field == QLatin1String("GF_TOP"))
            o->backgroundBrush = QColor(0xC0, 0xE0, 0xF8);
        if (tutarlar.contains(field) || toplamlar.contains(field))
            o->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
    }

private:
    BoundQueryModel* m_model;
};

const QStringList& drmBasliklar()
{
    static const QStringList b{
        S("İşEmriNo"), S("İETip"), S("Giriş#"), S("Cari Kod"), S("Cari Adı"), S("Model"), S("Model Yılı"),
        S("Şase No"), S("Km"), S("Trf.Çık.Trh"), S("Plaka"), S("Giriş Tarih"), S("Çıkış Tarih"), S("Durum"),
        S("Yıl"), S("Müşteri İsteği 1"), S("Müşteri İsteği 2"), S("Müşteri İsteği 3"), S("İE Parça Tut"),
        S("İE Gar.Par.Tut"), S("İE İşç. Tut"), S("İE Gar.İşç.Tut"), S("Fat.Parça Tut"), S("Fat.Parça İsk."),
        S("Fat.İşç.Tut."), S("Fat.İşç.İsk."), S("Fat.Toplam"), S("Gar.Fat.Par.Tut"), S("Gar.Fat.İşç.Tut."),
        S("İşemri Toplam"), S("Gar.Fat.Top."), S("Faturalar Toplam")};
    return b;
}
} // namespace

TFormIEFatDrm::TFormIEFatDrm(SessionContext& ctx, int mode, QWidget* parent) : VehicleListBase(ctx, mode, parent)
{
    setObjectName(QStringLiteral("FormIEFatDrm"));
    setWindowTitle(S("İŞ EMİRLERİ FATURA DURUMU"));
    BtnYeni->hide();
    BtnDuzenle->hide();
    BtnSil->hide();
    BtnSec->setText(S("&Seç"));
    BtnSec->setVisible(mode != 0);

    auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    auto button = [this](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    EdAraNo = edit("EdAraNo");
    EdCari = edit("EdCari");
    EdPlaka = edit("EdPlaka");
    BtnCariSec = button(QStringLiteral("..."), "BtnCariSec");
    BtnCariSec->setToolTip(S("Cari  Seç Ctrl-C"));
    BtnCariSec->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    DtGirisBas = workshop::BosTarihEdit(this, "DtGirisBas");
    DtGirisSon = workshop::BosTarihEdit(this, "DtGirisSon");
    DtCikisBas = workshop::BosTarihEdit(this, "DtCikisBas");
    DtCikisSon = workshop::BosTarihEdit(this, "DtCikisSon");
    DtFatBas = workshop::BosTarihEdit(this, "DtFatBas");
    DtFatSon = workshop::BosTarihEdit(this, "DtFatSon");
    ChkKapali = new QCheckBox(S("Kapalı"), this);
    ChkKapali->setObjectName(QStringLiteral("ChkKapali"));
    ChkAcik = new QCheckBox(S("Açık"), this);
    ChkAcik->setObjectName(QStringLiteral("ChkAcik"));
    CbFatDurum = new QComboBox(this);
    CbFatDurum->setObjectName(QStringLiteral("CbFatDurum"));
    CbFatDurum->addItems({S("Tümü"), S("Fat.Kesilmiş"), S("Fat.Kesilmemiş")});
    CbSira = new QComboBox(this);
    CbSira->setObjectName(QStringLiteral("CbSira"));
    CbSira->addItems({S("İ.E.No"), S("Cari Kod"), S("Grş.Trh.i"), S("Çkş.Trh.i"), S("Plaka"), S("Şase No")});
    BtnFiltrele = button(QStringLiteral("Filtrele F6"), "BtnFiltrele");
    BtnFiltrele->setShortcut(QKeySequence(Qt::Key_F6));
    BtnFiltreSil = button(QStringLiteral("Filtre Sil F5"), "BtnFiltreSil");
    BtnAracIE = button(S("Ara&cın İş Emirleri"), "BtnAracIE");
    BtnAracPrcIsc = button(S("Aracın Parça ve İşçilikleri"), "BtnAracPrcIsc");

    auto* grid = new QGridLayout;
    auto add = [&](const QString& label, QWidget* w, int row, int col) {
        auto* l = new QLabel(label, this);
        l->setBuddy(w);
        grid->addWidget(l, row, col);
        grid->addWidget(w, row, col + 1);
    };
    add(S("Aranan I.E. &No"), EdAraNo, 0, 0);
    add(S("Sıralama Değiş"), CbSira, 1, 0);
    add(S("Cari Koda Göre Filtre"), EdCari, 0, 2);
    grid->addWidget(BtnCariSec, 0, 4);
    add(QStringLiteral("Plaka"), EdPlaka, 1, 2);
    add(S("Giriş Tarih Aralığı"), DtGirisBas, 0, 5);
    grid->addWidget(DtGirisSon, 0, 7);
    add(S("Çıkış Tarih Aralığı"), DtCikisBas, 1, 5);
    grid->addWidget(DtCikisSon, 1, 7);
    add(S("Fatura Tarih Aralığı"), DtFatBas, 2, 5);
    grid->addWidget(DtFatSon, 2, 7);
    auto* durum = new QHBoxLayout;
    durum->addWidget(new QLabel(S("İş emri &Durum"), this));
    durum->addWidget(ChkKapali);
    durum->addWidget(ChkAcik);
    grid->addLayout(durum, 0, 8, 1, 2);
    add(QStringLiteral("Fatura Durum"), CbFatDurum, 1, 8);
    grid->addWidget(BtnFiltrele, 0, 10);
    grid->addWidget(BtnFiltreSil, 1, 10);
    grid->addWidget(BtnAracIE, 2, 10);
    grid->addWidget(BtnAracPrcIsc, 3, 10);
    SearchRow->addLayout(grid);

    connect(BtnFiltrele, &QPushButton::clicked, this, Guarded(this, &TFormIEFatDrm::BtnFiltreleClick));
    connect(BtnFiltreSil, &QPushButton::clicked, this, Guarded(this, &TFormIEFatDrm::BtnFiltreSilClick));
    connect(BtnCariSec, &QPushButton::clicked, this, Guarded(this, &TFormIEFatDrm::BtnCariSecClick));
    connect(BtnAracIE, &QPushButton::clicked, this, Guarded(this, &TFormIEFatDrm::BtnAracIEClick));
    connect(BtnAracPrcIsc, &QPushButton::clicked, this, Guarded(this, &TFormIEFatDrm::BtnAracPrcIscClick));
    connect(CbSira, &QComboBox::currentIndexChanged, this, Guarded(this, &TFormIEFatDrm::CbSiraChange));
    connect(EdAraNo, &QLineEdit::returnPressed, this,
            Guarded([this] { locate(QStringLiteral("IS_EMRI_NO"), workshop::IsEmriNoFromSearch(EdAraNo->text())); }));
    EdAraNo->installEventFilter(this);
    Grid->setItemDelegate(new DrmTutarDelegate(Liste, Grid));

    // Opening: today's receptions of the working year.
    m_yil = m_ctx.CalismaYili.trimmed().toInt();
    const QDate bugun = workshop::SunucuBugun(m_db);
    DtGirisBas->setDate(bugun);
    DtGirisSon->setDate(bugun);
    BtnFiltreleClick();
    EdAraNo->setFocus();
    resize(1400, 700);
}

IEFatDrmFiltre TFormIEFatDrm::filtre() const
{
    IEFatDrmFiltre f;
    f.cariKod = EdCari->text();
    f.yil = m_yil;
    f.plaka = EdPlaka->text();
    f.girisBas = workshop::BosTarih(DtGirisBas);
    f.girisSon = workshop::BosTarih(DtGirisSon);
    f.cikisBas = workshop::BosTarih(DtCikisBas);
    f.cikisSon = workshop::BosTarih(DtCikisSon);
    f.faturaBas = workshop::BosTarih(DtFatBas);
    f.faturaSon = workshop::BosTarih(DtFatSon);
    f.kapali = ChkKapali->isChecked();
    f.acik = ChkAcik->isChecked();
    f.fatDurum = static_cast<IEFatDrmFiltre::FatDurum>(CbFatDurum->currentIndex());
    f.sira = static_cast<workshop::IEBrFiltre::Sira>(CbSira->currentIndex());
    return f;
}

void TFormIEFatDrm::BtnFiltreleClick()
{
    const workshop::Sorgu s = IEFatDrmSorgu(m_db, filtre());
    runList(s.statement, s.binds, drmBasliklar());
    LblSayi->setText(S("Kayıt Sayısı : %1").arg(FormatMoney(double(Liste->totals({}).count), QStringLiteral(",0"))));
}

// Up and Down in the number search move through the list.
bool TFormIEFatDrm::eventFilter(QObject* o, QEvent* e)
{
    if (o == EdAraNo && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if ((key == Qt::Key_Up || key == Qt::Key_Down) && Liste->rowCount() > 0) {
            const int r = qBound(0, Grid->currentIndex().row() + (key == Qt::Key_Down ? 1 : -1), Liste->rowCount() - 1);
            Grid->setCurrentIndex(Liste->index(r, qMax(0, Grid->currentIndex().column())));
            return true;
        }
    }
    return VehicleListBase::eventFilter(o, e);
}

void TFormIEFatDrm::CbSiraChange()
{
    BtnFiltreleClick();
}

void TFormIEFatDrm::BtnFiltreSilClick()
{
    EdCari->clear();
    EdPlaka->clear();
    for (QDateEdit* d : {DtGirisBas, DtGirisSon, DtCikisBas, DtCikisSon})
        workshop::BosTarihSil(d);
    ChkKapali->setChecked(false);
    ChkAcik->setChecked(false);
    CbFatDurum->setCurrentIndex(0);
    m_yil = 0;
}

void TFormIEFatDrm::BtnCariSecClick()
{
    const QString kod = accounts::CariSec(m_ctx, 1, this);
    if (!kod.isEmpty())
        EdCari->setText(kod);
}

void TFormIEFatDrm::BtnAracIEClick()
{
    const QVariantMap row = currentRow();
    if (row.isEmpty())
        return;
    const QString sase = drmText(row.value(QStringLiteral("SASI_NO")));
    if (sase.isEmpty()) {
        ShowWarning(S("Lütfen Şasesi Olan Bir Araç Seçin"));
        return;
    }
    workshop::ShowIEGecmis(m_ctx, sase, QString(), false, this);
}

void TFormIEFatDrm::BtnAracPrcIscClick()
{
    const QVariantMap row = currentRow();
    if (row.isEmpty())
        return;
    const QString sase = drmText(row.value(QStringLiteral("SASI_NO")));
    if (sase.isEmpty()) {
        ShowWarning(S("Lütfen Şase No Yazın"));
        return;
    }
    workshop::ShowIEGecmisPrcIsc(m_ctx, sase, drmText(row.value(QStringLiteral("PLAKA_NO"))), this);
}

void TFormIEFatDrm::BtnDuzenleClick()
{
    const QVariantMap row = currentRow();
    if (row.isEmpty())
        return;
    workshop::IsEmriKartindaAc(m_ctx, row, this);
}

void TFormIEFatDrm::BtnSecClick()
{
    const QVariantMap row = currentRow();
    if (row.isEmpty() || !BtnSec->isVisible())
        return;
    m_secilen = workshop::TypeIsEmri();
    m_secilen.IsEmriNo = drmText(row.value(QStringLiteral("IS_EMRI_NO")));
    m_secilen.IsEmriTip = drmText(row.value(QStringLiteral("IE_TIP")));
    m_secilen.CariKod = drmText(row.value(QStringLiteral("CARI_KOD")));
    m_secilen.PlakaNo = drmText(row.value(QStringLiteral("PLAKA_NO")));
    m_secilen.SasiNo = drmText(row.value(QStringLiteral("SASI_NO")));
    m_secilen.Kapandi = drmText(row.value(QStringLiteral("KAPANDI")));
    m_result = m_secilen.IsEmriNo;
    accept();
}

workshop::TypeIsEmri IsemriDurumSec(SessionContext& ctx, int mode, QWidget* parent)
{
    TFormIEFatDrm f(ctx, mode, parent);
    if (RunModal(f) == QDialog::Accepted)
        return f.secilen();
    return {};
}

} // namespace tornaly::invoicing
