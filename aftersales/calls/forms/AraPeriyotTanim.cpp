#include "aftersales/calls/forms/AraPeriyotTanim.h"

#include "connection/DialogRunner.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::aftersales {

namespace {
enum PeriyotSutun { SutunSatSer, SutunAraTip, SutunGun, SutunAd };
constexpr int kPerIdRol = Qt::UserRole + 1;
constexpr int kAnketRol = Qt::UserRole + 2;

QPushButton* periyotButon(QWidget* parent, const QString& text, const char* name)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}
} // namespace

TFormAraPeriyotTanim::TFormAraPeriyotTanim(SessionContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FormAraPeriyotTanim"));
    setWindowTitle(QStringLiteral("Müşteri Arama Periyotları Tanımlama"));
    resize(560, 360);
    DBGrid1 = new QTableWidget(0, 4, this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setHorizontalHeaderLabels({QStringLiteral("Satış/Servis"), QStringLiteral("Arama Şekli"),
                                        QStringLiteral("Periyot(Gün)"), QStringLiteral("Açıklama")});
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    BtnEkle = periyotButon(this, QStringLiteral("Ekle"), "BtnEkle");
    BtnSil = periyotButon(this, QStringLiteral("Sil"), "BtnSil");
    BtnKaydet = periyotButon(this, QStringLiteral("Kaydet"), "BtnKaydet");
    BtnIptal = periyotButon(this, QStringLiteral("Vazgeç"), "BtnIptal");
    BtnKapat = periyotButon(this, QStringLiteral("&Kapat"), "BtnKapat");
    auto* butonlar = new QHBoxLayout;
    for (QPushButton* b : {BtnEkle, BtnSil, BtnKaydet, BtnIptal})
        butonlar->addWidget(b);
    butonlar->addStretch();
    butonlar->addWidget(BtnKapat);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(DBGrid1, 1);
    lay->addLayout(butonlar);

    connect(BtnEkle, &QPushButton::clicked, this, Guarded([this] { BtnEkleClick(); }));
    connect(BtnSil, &QPushButton::clicked, this, Guarded([this] { BtnSilClick(); }));
    connect(BtnKaydet, &QPushButton::clicked, this, Guarded([this] { BtnKaydetClick(); }));
    connect(BtnIptal, &QPushButton::clicked, this, Guarded([this] { BtnIptalClick(); }));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    ac();
}

void TFormAraPeriyotTanim::ac()
{
    m_silinenler.clear();
    DBGrid1->setRowCount(0);
    for (const AramaPeriyot& p : AramaPeriyotlari(m_ctx.Database1))
        satirEkle(p);
    DBGrid1->resizeColumnsToContents();
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
}

void TFormAraPeriyotTanim::satirEkle(const AramaPeriyot& p)
{
    const int r = DBGrid1->rowCount();
    DBGrid1->insertRow(r);
    auto* satSer = new QComboBox(DBGrid1);
    satSer->addItem(QStringLiteral("B Satış"), QStringLiteral("B"));
    satSer->addItem(QStringLiteral("S Servis"), QStringLiteral("S"));
    satSer->setCurrentIndex(qMax(0, satSer->findData(p.SAT_SER)));
    auto* araTip = new QComboBox(DBGrid1);
    araTip->addItem(QStringLiteral("Telefon"), QStringLiteral("T"));
    araTip->addItem(QStringLiteral("Mektup"), QStringLiteral("M"));
    araTip->setCurrentIndex(qMax(0, araTip->findData(p.ARA_TIP)));
    DBGrid1->setCellWidget(r, SutunSatSer, satSer);
    DBGrid1->setCellWidget(r, SutunAraTip, araTip);
    auto* gun = new QTableWidgetItem(p.PER_ID > 0 || p.PER_GUN ? QString::number(p.PER_GUN) : QString());
    gun->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    gun->setData(kPerIdRol, p.PER_ID);
    gun->setData(kAnketRol, p.ANKET_ID);
    DBGrid1->setItem(r, SutunGun, gun);
    DBGrid1->setItem(r, SutunAd, new QTableWidgetItem(p.PER_AD));
}

QList<AramaPeriyot> TFormAraPeriyotTanim::satirlar() const
{
    QList<AramaPeriyot> out;
    for (int r = 0; r < DBGrid1->rowCount(); ++r) {
        AramaPeriyot p;
        p.SAT_SER = static_cast<QComboBox*>(DBGrid1->cellWidget(r, SutunSatSer))->currentData().toString();
        p.ARA_TIP = static_cast<QComboBox*>(DBGrid1->cellWidget(r, SutunAraTip))->currentData().toString();
        const QTableWidgetItem* gun = DBGrid1->item(r, SutunGun);
        bool ok = false;
        p.PER_GUN = gun ? gun->text().trimmed().toInt(&ok) : 0;
        if (!ok)
            p.PER_GUN = 0;
        p.PER_ID = gun ? gun->data(kPerIdRol).toLongLong() : 0;
        p.ANKET_ID = gun ? gun->data(kAnketRol) : QVariant();
        const QTableWidgetItem* ad = DBGrid1->item(r, SutunAd);
        p.PER_AD = ad ? ad->text().trimmed() : QString();
        out << p;
    }
    return out;
}

void TFormAraPeriyotTanim::setCell(int row, int column, const QString& text)
{
    if (column == SutunSatSer || column == SutunAraTip) {
        auto* c = static_cast<QComboBox*>(DBGrid1->cellWidget(row, column));
        c->setCurrentIndex(c->findText(text));
        return;
    }
    if (QTableWidgetItem* i = DBGrid1->item(row, column))
        i->setText(text);
}

void TFormAraPeriyotTanim::BtnEkleClick()
{
    satirEkle(AramaPeriyot{});
    DBGrid1->setCurrentCell(DBGrid1->rowCount() - 1, SutunGun);
    DBGrid1->editItem(DBGrid1->item(DBGrid1->rowCount() - 1, SutunGun));
}

void TFormAraPeriyotTanim::BtnSilClick()
{
    const int r = DBGrid1->currentRow();
    if (r < 0)
        return;
    const qint64 id = DBGrid1->item(r, SutunGun)->data(kPerIdRol).toLongLong();
    if (id > 0)
        m_silinenler << id;
    DBGrid1->removeRow(r);
}

bool TFormAraPeriyotTanim::BtnKaydetClick()
{
    QList<AramaPeriyot> liste = satirlar();
    int hatali = -1;
    if (!AramaPeriyotlariKaydet(m_ctx.Database1, liste, m_silinenler, &hatali)) {
        if (hatali >= 0)
            DBGrid1->setCurrentCell(hatali, SutunGun);
        return false;
    }
    ac();
    return true;
}

void TFormAraPeriyotTanim::BtnIptalClick() { ac(); }

void AraPeriyotGoster(SessionContext& ctx, QWidget* parent)
{
    TFormAraPeriyotTanim f(ctx, parent);
    RunModal(f);
}

} // namespace tornaly::aftersales
