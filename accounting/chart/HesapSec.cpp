#include "accounting/chart/HesapSec.h"

#include "accounting/chart/HesapAylik.h"
#include "accounting/chart/HesapKarti.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"
#include "money/Money.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::accounting {

namespace {
QPushButton* dugme(QWidget* p, const char* ad, const QString& baslik)
{
    auto* b = new QPushButton(baslik, p);
    b->setObjectName(QLatin1String(ad));
    b->setAutoDefault(false);
    return b;
}
} // namespace

TFormHesapSec::TFormHesapSec(const SessionContext& ctx, int mode, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1), m_mode(mode)
{
    setObjectName(QStringLiteral("FormHesapSec"));
    setWindowTitle(QStringLiteral("HESAP PLANI KODLARI KAYITLARI"));
    m_param = HesapParametreleriOku(m_db);

    EditKod = new QLineEdit(this);
    EditKod->setObjectName(QStringLiteral("EditKod"));
    EditAd = new QLineEdit(this);
    EditAd->setObjectName(QStringLiteral("EditAd"));
    auto* l1 = new QLabel(QStringLiteral("Aranan Hesap &Kodu"), this);
    l1->setBuddy(EditKod);
    auto* l2 = new QLabel(QStringLiteral("Aranan Hesap &Adı"), this);
    l2->setBuddy(EditAd);
    LabelSonKod = new QLabel(this);
    LabelSonKod->setObjectName(QStringLiteral("LabelSonKod"));
    auto* ust = new QGridLayout;
    ust->addWidget(l1, 0, 0);
    ust->addWidget(EditKod, 0, 1);
    ust->addWidget(l2, 0, 2);
    ust->addWidget(EditAd, 0, 3);
    ust->addWidget(new QLabel(QStringLiteral("Listedeki Son Muh. Kodu"), this), 1, 0);
    ust->addWidget(LabelSonKod, 1, 1);

    m_model = new QStandardItemModel(0, 6, this);
    m_model->setHorizontalHeaderLabels({QStringLiteral("Hesap Kodu"), QStringLiteral("Hesap Adı"),
                                        QStringLiteral("Kebir"), QStringLiteral("Grup"), QStringLiteral("Tali"),
                                        QStringLiteral("Muavin")});
    cxGrid = new QTableView(this);
    cxGrid->setObjectName(QStringLiteral("cxGrid"));
    cxGrid->setModel(m_model);
    cxGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    cxGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    cxGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cxGrid->verticalHeader()->hide();
    cxGrid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    connect(cxGrid, &QTableView::doubleClicked, this, Guarded([this](auto&&...) { BtnSecClick(); }));
    connect(cxGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            Guarded([this](auto&&...) { bakiyeGoster(); }));

    LabelAlacak = new QLabel(this);
    LabelAlacak->setObjectName(QStringLiteral("LabelAlacak"));
    LabelBorc = new QLabel(this);
    LabelBorc->setObjectName(QStringLiteral("LabelBorc"));
    LabelBakiye = new QLabel(this);
    LabelBakiye->setObjectName(QStringLiteral("LabelBakiye"));
    auto* serit = new QHBoxLayout;
    serit->addWidget(new QLabel(QStringLiteral("Alacak Toplamı"), this));
    serit->addWidget(LabelAlacak);
    serit->addSpacing(24);
    serit->addWidget(new QLabel(QStringLiteral("Borç Toplamı"), this));
    serit->addWidget(LabelBorc);
    serit->addSpacing(24);
    serit->addWidget(new QLabel(QStringLiteral("BAKİYE"), this));
    serit->addWidget(LabelBakiye);
    serit->addStretch();

    BtnSec = dugme(this, "BtnSec", QStringLiteral("&Seç"));
    BtnYeni = dugme(this, "BtnYeni", QStringLiteral("Yeni Kayıt"));
    BtnDegistir = dugme(this, "BtnDegistir", QStringLiteral("&Değiştir"));
    BtnAylik = dugme(this, "BtnAylik", QStringLiteral("Aylara Göre Hesap Durumu"));
    BtnSil = dugme(this, "BtnSil", QStringLiteral("Kayıt Sil"));
    BtnKapat = dugme(this, "BtnKapat", QStringLiteral("&Kapat"));
    connect(BtnSec, &QPushButton::clicked, this, Guarded([this](auto&&...) { BtnSecClick(); }));
    connect(BtnYeni, &QPushButton::clicked, this, Guarded([this](auto&&...) { BtnYeniClick(); }));
    connect(BtnDegistir, &QPushButton::clicked, this, Guarded([this](auto&&...) { BtnDegistirClick(); }));
    connect(BtnAylik, &QPushButton::clicked, this, Guarded([this](auto&&...) { BtnAylikClick(); }));
    connect(BtnSil, &QPushButton::clicked, this, Guarded([this](auto&&...) { BtnSilClick(); }));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    auto* alt = new QHBoxLayout;
    for (auto* b : {BtnSec, BtnYeni, BtnDegistir, BtnAylik, BtnSil})
        alt->addWidget(b);
    alt->addStretch();
    alt->addWidget(BtnKapat);

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(ust);
    lay->addWidget(cxGrid, 1);
    lay->addLayout(serit);
    lay->addLayout(alt);

    EditKod->installEventFilter(this);
    EditAd->installEventFilter(this);
    cxGrid->installEventFilter(this);
    dugmeler();
    EditKod->setFocus();
    resize(900, 560);
}

bool TFormHesapSec::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && (watched == EditKod || watched == EditAd)) {
        static_cast<QLineEdit*>(watched)->clear();
    } else if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        if (watched == EditKod || watched == EditAd) {
            if (enter) {
                // A second Enter on the same text moves to the grid.
                auto* e = static_cast<QLineEdit*>(watched);
                if (e->property("listelenen").toString() == e->text() && e->property("listelendi").toBool()) {
                    cxGrid->setFocus();
                } else {
                    Guard([&] { watched == EditKod ? EditKodEnter() : EditAdEnter(); });
                    e->setProperty("listelenen", e->text());
                    e->setProperty("listelendi", true);
                }
                return true;
            }
            if (k->key() == Qt::Key_Up || k->key() == Qt::Key_Down) {
                const int r = qBound(0, cxGrid->currentIndex().row() + (k->key() == Qt::Key_Up ? -1 : 1),
                                     m_model->rowCount() - 1);
                if (m_model->rowCount() > 0)
                    cxGrid->setCurrentIndex(m_model->index(r, 0));
                return true;
            }
        } else if (watched == cxGrid) {
            if (enter) {
                Guard([this] { BtnSecClick(); });
                return true;
            }
            if (k->key() == Qt::Key_Insert) {
                Guard([this] { BtnYeniClick(); });
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormHesapSec::EditKodEnter() { ara(EditKod->text(), {}); }

void TFormHesapSec::EditAdEnter() { ara({}, EditAd->text()); }

void TFormHesapSec::ara(const QString& kod, const QString& ad)
{
    if (kod.isEmpty() && ad.isEmpty()) {
        if (AskYesNo(QStringLiteral("Tüm Kayıtları Görmek İstiyor musunuz?")))
            listele({}, {}, true);
        return;
    }
    listele(kod, ad, false);
}

void TFormHesapSec::listele(const QString& kod, const QString& ad, bool tumu)
{
    m_liste = HesapListesi(m_db, m_param, m_mode, kod, ad, tumu);
    m_model->removeRows(0, m_model->rowCount());
    QString son;
    for (const auto& h : m_liste) {
        QList<QStandardItem*> row;
        for (const QString& v : {h.HKOD, h.HESAP_ADI, QStringLiteral("%1").arg(h.KEBIR, 3, 10, QLatin1Char('0')),
                                 h.MUAVIN, h.TALI, h.DETAY})
            row << new QStandardItem(v);
        m_model->appendRow(row);
        if (h.HKOD > son)
            son = h.HKOD;
    }
    LabelSonKod->setText(son);
    cxGrid->resizeColumnsToContents();
    cxGrid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    if (!m_liste.isEmpty())
        cxGrid->setCurrentIndex(m_model->index(0, 0));
    bakiyeGoster();
    dugmeler();
}

HesapKaydi TFormHesapSec::satir(int row) const
{
    return row >= 0 && row < m_liste.size() ? m_liste.at(row) : HesapKaydi{};
}

void TFormHesapSec::bakiyeGoster()
{
    const HesapKaydi h = satir(cxGrid->currentIndex().row());
    if (h.HKOD.isEmpty()) {
        LabelAlacak->clear();
        LabelBorc->clear();
        LabelBakiye->clear();
        return;
    }
    const HesapBakiyesi b = HesapBakiyesiOku(m_db, h.HKOD);
    LabelAlacak->setText(FormatMoney(b.alacak, QStringLiteral(",0.00")));
    LabelBorc->setText(FormatMoney(b.borc, QStringLiteral(",0.00")));
    LabelBakiye->setText(b.bakiyeMetni);
}

void TFormHesapSec::dugmeler()
{
    const bool yetki = m_ctx.AktifKullanici.diger10 == QLatin1String("Y");
    const bool liste = !m_liste.isEmpty();
    BtnSec->setVisible(m_mode == 1 || m_mode == 99);
    BtnYeni->setEnabled(yetki && liste);
    BtnDegistir->setEnabled(yetki && liste);
    BtnAylik->setEnabled(liste);
    BtnSil->setEnabled(yetki && liste);
}

void TFormHesapSec::BtnSecClick()
{
    const HesapKaydi h = satir(cxGrid->currentIndex().row());
    if (h.HKOD.isEmpty())
        return;
    secilenKod = h.HKOD;
    secilenSeviye = HesapSeviyeHarfi(h);
    accept();
}

void TFormHesapSec::BtnYeniClick()
{
    if (!BtnYeni->isEnabled())
        return;
    const HesapKaydi h = satir(cxGrid->currentIndex().row());
    const QString kod = HesapKarti(m_ctx, {}, h.KEBIR, h.MUAVIN, h.TALI, true, this);
    if (kod.isEmpty())
        return;
    EditKod->setText(kod);
    listele(kod, {}, false);
}

void TFormHesapSec::BtnDegistirClick()
{
    if (!BtnDegistir->isEnabled())
        return;
    const HesapKaydi h = satir(cxGrid->currentIndex().row());
    if (h.HKOD.isEmpty())
        return;
    const QString kod = HesapKarti(m_ctx, h.HKOD, h.KEBIR, h.MUAVIN, h.TALI, false, this);
    if (kod.isEmpty())
        return;
    EditKod->setText(kod);
    listele(kod, {}, false);
}

void TFormHesapSec::BtnAylikClick()
{
    const HesapKaydi h = satir(cxGrid->currentIndex().row());
    if (!h.HKOD.isEmpty())
        HesapAylikGoster(m_ctx, h.HKOD, this);
}

void TFormHesapSec::BtnSilClick()
{
    const HesapKaydi h = satir(cxGrid->currentIndex().row());
    if (h.HKOD.isEmpty() || h.MUAVIN.isEmpty())
        return;
    if (AskYesNoCancel(QStringLiteral("Kayıt Silinsin mi?")) != MsgYes)
        return;
    // An account no line uses is kept as well: the chart is shared with the
    // outside accounting program, which may post to it.
    if (HesapKullaniliyor(m_db, h.HKOD))
        ShowWarning(HesapKullanimdaText());
}

QString HesapSec(const SessionContext& ctx, int mode, QWidget* owner)
{
    TFormHesapSec f(ctx, mode, owner);
    return f.exec() == QDialog::Accepted ? f.secilenKod : QString();
}

QPair<QChar, QString> HesapSecTum(const SessionContext& ctx, QWidget* owner)
{
    TFormHesapSec f(ctx, 99, owner);
    if (f.exec() != QDialog::Accepted)
        return {};
    return {f.secilenSeviye, f.secilenKod};
}

} // namespace tornaly::accounting
