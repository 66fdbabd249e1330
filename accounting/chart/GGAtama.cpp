#include "accounting/chart/GGAtama.h"
#include "accounting/chart/HesapSec.h"
#include "connection/DialogRunner.h"
#include "context/SessionContext.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::accounting {

QList<GelirGiderTuru> GelirGiderTurleri(const Db& db)
{
    Query q(db, QStringLiteral("SELECT GGKOD, GGACIKLAMA, GGSEVIYE FROM GGHESAP ORDER BY GGKOD"));
    q.exec();
    QList<GelirGiderTuru> r;
    while (q.next())
        r.append({q.str(QStringLiteral("GGKOD")), q.str(QStringLiteral("GGACIKLAMA")),
                  q.str(QStringLiteral("GGSEVIYE")).trimmed()});
    return r;
}

QStringList GelirGiderHesaplari(const Db& db, const QString& ggKod)
{
    Query q(db, QStringLiteral("SELECT MUHKOD FROM MUH2GG WHERE GGKOD = :G ORDER BY MUHKOD"));
    q.bind(QStringLiteral("G"), ggKod).exec();
    QStringList r;
    while (q.next())
        r << q.str(QStringLiteral("MUHKOD"));
    return r;
}

bool GelirGiderHesabiEkle(const Db& db, const QString& ggKod, const QString& muhKod, QChar seviye)
{
    // The key refuses a second row; two workstations adding the same account leave one.
    return db.exec(QStringLiteral("INSERT INTO MUH2GG (GGKOD, MUHKOD, MUHSEVIYE) SELECT :G, :M, :S WHERE NOT EXISTS "
                                  "(SELECT 1 FROM MUH2GG WHERE GGKOD = :G2 AND MUHKOD = :M2)"),
                   {{QStringLiteral("G"), ggKod},
                    {QStringLiteral("M"), muhKod},
                    {QStringLiteral("S"), seviye.isNull() ? QVariant() : QVariant(QString(seviye))},
                    {QStringLiteral("G2"), ggKod},
                    {QStringLiteral("M2"), muhKod}}) > 0;
}

void GelirGiderHesabiSil(const Db& db, const QString& ggKod, const QString& muhKod)
{
    db.exec(QStringLiteral("DELETE FROM MUH2GG WHERE GGKOD = :G AND MUHKOD = :M"),
            {{QStringLiteral("G"), ggKod}, {QStringLiteral("M"), muhKod}});
}

namespace {

QTableWidget* ggTablo(QWidget* parent, const char* ad, const QStringList& basliklar)
{
    auto* t = new QTableWidget(parent);
    t->setObjectName(QString::fromLatin1(ad));
    t->setColumnCount(int(basliklar.size()));
    t->setHorizontalHeaderLabels(basliklar);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

QLabel* ggBaslik(QWidget* parent, const QString& metin)
{
    auto* l = new QLabel(metin, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace

TFormGGAtama::TFormGGAtama(const SessionContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FormGGAtama"));
    setWindowTitle(QStringLiteral("FormGGAtama"));
    GridTurler = ggTablo(this, "GridTurler", {QStringLiteral("Kod"), QStringLiteral("Açıklama")});
    GridHesaplar = ggTablo(this, "GridHesaplar", {QStringLiteral("Muhasebe Kodu")});
    BtnEkle = new QPushButton(QStringLiteral("&Ekle"), this);
    BtnEkle->setObjectName(QStringLiteral("BtnEkle"));
    BtnSil = new QPushButton(QStringLiteral("&Sil"), this);
    BtnSil->setObjectName(QStringLiteral("BtnSil"));
    BtnKapat = new QPushButton(QStringLiteral("&Kapat"), this);
    BtnKapat->setObjectName(QStringLiteral("BtnKapat"));

    auto* g = new QGridLayout;
    g->addWidget(ggBaslik(this, QStringLiteral("GELİR - GİDER TÜRÜ")), 0, 0);
    g->addWidget(ggBaslik(this, QStringLiteral("MUHASEBE HESAP KODLARI")), 0, 1);
    g->addWidget(GridTurler, 1, 0);
    g->addWidget(GridHesaplar, 1, 1);
    g->setColumnStretch(0, 3);
    g->setColumnStretch(1, 2);
    auto* d = new QHBoxLayout;
    d->addWidget(BtnEkle);
    d->addWidget(BtnSil);
    d->addStretch();
    d->addWidget(BtnKapat);
    auto* l = new QVBoxLayout(this);
    l->addLayout(g, 1);
    l->addLayout(d);

    connect(BtnEkle, &QPushButton::clicked, this, Guarded(this, &TFormGGAtama::BtnEkleClick));
    connect(BtnSil, &QPushButton::clicked, this, Guarded(this, &TFormGGAtama::BtnSilClick));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    connect(GridTurler, &QTableWidget::currentCellChanged, this, Guarded(this, &TFormGGAtama::turDegisti));

    m_turler = GelirGiderTurleri(ctx.Database1);
    GridTurler->setRowCount(int(m_turler.size()));
    for (int i = 0; i < m_turler.size(); ++i) {
        GridTurler->setItem(i, 0, new QTableWidgetItem(m_turler[i].GGKOD));
        GridTurler->setItem(i, 1, new QTableWidgetItem(m_turler[i].GGACIKLAMA));
    }
    GridTurler->resizeColumnToContents(0);
    if (!m_turler.isEmpty())
        GridTurler->setCurrentCell(0, 0);
    turDegisti();
    resize(760, 520);
}

QString TFormGGAtama::seciliTur() const
{
    const int r = GridTurler->currentRow();
    return r >= 0 && r < m_turler.size() ? m_turler[r].GGKOD : QString();
}

void TFormGGAtama::turDegisti()
{
    const int r = GridTurler->currentRow();
    const bool detay = r >= 0 && r < m_turler.size() && m_turler[r].detay();
    BtnEkle->setEnabled(detay);
    BtnSil->setEnabled(detay);
    GridHesaplar->setEnabled(detay);
    GridHesaplar->setBackgroundRole(detay ? QPalette::Base : QPalette::Button);
    hesaplariGoster();
}

void TFormGGAtama::hesaplariGoster()
{
    const QStringList hesaplar = seciliTur().isEmpty() ? QStringList() : GelirGiderHesaplari(m_ctx.Database1, seciliTur());
    GridHesaplar->setRowCount(int(hesaplar.size()));
    for (int i = 0; i < hesaplar.size(); ++i)
        GridHesaplar->setItem(i, 0, new QTableWidgetItem(hesaplar[i]));
}

void TFormGGAtama::BtnEkleClick()
{
    const QString tur = seciliTur();
    if (tur.isEmpty() || !BtnEkle->isEnabled())
        return;
    const QPair<QChar, QString> secilen = HesapSecTum(m_ctx, this);
    if (secilen.second.isEmpty())
        return;
    GelirGiderHesabiEkle(m_ctx.Database1, tur, secilen.second, secilen.first);
    hesaplariGoster();
}

void TFormGGAtama::BtnSilClick()
{
    const QString tur = seciliTur();
    const int r = GridHesaplar->currentRow();
    if (tur.isEmpty() || r < 0 || !BtnSil->isEnabled())
        return;
    if (AskYesNoCancel(QStringLiteral("Muhasebe Hesap Kodunu Silmek İstediğinizden Emin misiniz?")) != MsgYes)
        return;
    GelirGiderHesabiSil(m_ctx.Database1, tur, GridHesaplar->item(r, 0)->text());
    hesaplariGoster();
}

void GGAtamaAc(const SessionContext& ctx, QWidget* parent)
{
    TFormGGAtama f(ctx, parent);
    RunModal(f);
}

} // namespace tornaly::accounting
