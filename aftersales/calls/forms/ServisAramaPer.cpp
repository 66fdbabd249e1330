#include "aftersales/calls/forms/ServisAramaPer.h"

#include "connection/DialogRunner.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"
#include "sql/SqlHelpers.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::aftersales {

TFormServisAramaPer::TFormServisAramaPer(const SessionContext& ctx, const ServisAramaBelge& belge, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_belge(belge)
{
    setObjectName(QStringLiteral("FormServisAramaPer"));
    setWindowTitle(QStringLiteral("Müşteri Arama Periyotları"));
    resize(520, 300);
    Grid = new QTableWidget(0, 4, this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setHorizontalHeaderLabels({QStringLiteral("Arama Şekli"), QStringLiteral("Ref.Tarih"),
                                     QStringLiteral("Periyot(Gün)"), QStringLiteral("Arama Tarihi")});
    Grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Grid->verticalHeader()->hide();
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    BtnYenidenDuzenle = new QPushButton(QStringLiteral("Yeniden Düzenle"), this);
    BtnYenidenDuzenle->setObjectName(QStringLiteral("BtnYenidenDuzenle"));
    BtnSil = new QPushButton(QStringLiteral("Sil"), this);
    BtnSil->setObjectName(QStringLiteral("BtnSil"));
    BtnKapat = new QPushButton(QStringLiteral("Kapat"), this);
    BtnKapat->setObjectName(QStringLiteral("BtnKapat"));
    auto* butonlar = new QHBoxLayout;
    butonlar->addWidget(BtnYenidenDuzenle);
    butonlar->addWidget(BtnSil);
    butonlar->addStretch();
    butonlar->addWidget(BtnKapat);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(Grid, 1);
    lay->addLayout(butonlar);
    connect(BtnYenidenDuzenle, &QPushButton::clicked, this, Guarded([this] { BtnYenidenDuzenleClick(); }));
    connect(BtnSil, &QPushButton::clicked, this, Guarded([this] { BtnSilClick(); }));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::accept); // unguarded: ui only
    // Without an invoice date there is nothing to count the periods from.
    BtnYenidenDuzenle->setEnabled(m_belge.tarih.isValid());
    ac();
}

void TFormServisAramaPer::ac()
{
    Grid->setRowCount(0);
    Query q(m_ctx.Database1, QStringLiteral("SELECT ARAMA_ID, ARA_TIP, REF_TRH, PERIYOT, ARAMA_TRH FROM ARAMAPER "
                                            "WHERE MUS_TIP = 'S' AND IE_NO = :IE ORDER BY ARAMA_TRH, ARAMA_ID"));
    q.bind(QStringLiteral("IE"), m_belge.ieNo).exec();
    while (q.next()) {
        const int r = Grid->rowCount();
        Grid->insertRow(r);
        auto* tip = new QTableWidgetItem(AraTipAdi(q.str(QStringLiteral("ARA_TIP"))));
        tip->setData(Qt::UserRole, q.integer(QStringLiteral("ARAMA_ID")));
        Grid->setItem(r, 0, tip);
        Grid->setItem(r, 1, new QTableWidgetItem(DisplayText(QVariant(q.date(QStringLiteral("REF_TRH"))))));
        auto* per = new QTableWidgetItem(PeriyotAdi(q.value(QStringLiteral("PERIYOT"))));
        per->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Grid->setItem(r, 2, per);
        Grid->setItem(r, 3, new QTableWidgetItem(DisplayText(QVariant(q.date(QStringLiteral("ARAMA_TRH"))))));
    }
    if (Grid->rowCount())
        Grid->setCurrentCell(0, 0);
}

void TFormServisAramaPer::BtnYenidenDuzenleClick()
{
    // The grid comes back whatever happened to the rows.
    Guard([this] { ServisAramalariYenidenDuzenle(m_ctx.Database1, m_belge); });
    ac();
}

void TFormServisAramaPer::BtnSilClick()
{
    const int r = Grid->currentRow();
    if (r < 0)
        return;
    if (AskYesNoCancel(QStringLiteral("Silmek İstediğinizden Emin misiniz?")) != MsgYes)
        return;
    AramaSil(m_ctx.Database1, Grid->item(r, 0)->data(Qt::UserRole).toLongLong());
    ac();
}

int ShowServisAramaPer(const SessionContext& ctx, const ServisAramaBelge& belge, QWidget* parent)
{
    ServisAramaBelge b = belge;
    if (!b.tarih.isValid() || b.cariKod.isEmpty()) {
        const ServisAramaBelge kayitli = ServisAramaBelgesi(ctx.Database1, b.ieNo);
        if (!b.tarih.isValid())
            b.tarih = kayitli.tarih;
        if (b.cariKod.isEmpty())
            b.cariKod = kayitli.cariKod;
        if (b.satisNo.isNull())
            b.satisNo = kayitli.satisNo;
    }
    TFormServisAramaPer f(ctx, b, parent);
    return RunModal(f);
}

} // namespace tornaly::aftersales
