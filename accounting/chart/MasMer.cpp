#include "accounting/chart/MasMer.h"

#include "accounting/transfer/MuhEntegre.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::accounting {

QList<MasrafMerkezi> MasrafMerkezleri(const Db& db)
{
    Query q(db, QStringLiteral("SELECT MASRAFM_KOD, MASRAFM_ADI FROM MASRAFMR ORDER BY MASRAFM_KOD"));
    q.exec();
    QList<MasrafMerkezi> out;
    while (q.next())
        out << MasrafMerkezi{q.str(QStringLiteral("MASRAFM_KOD")), q.str(QStringLiteral("MASRAFM_ADI"))};
    return out;
}

void MasrafMerkeziKaydet(const Db& db, const MasrafMerkezi& m, bool yeni)
{
    if (m.MASRAFM_KOD.trimmed().isEmpty())
        throw MasMerHatasi(MasMerKodYokText());
    const QVariantMap b{{QStringLiteral("K"), m.MASRAFM_KOD.trimmed().left(17)},
                        {QStringLiteral("A"), m.MASRAFM_ADI.left(65)}};
    try {
        if (yeni)
            db.exec(QStringLiteral("INSERT INTO MASRAFMR (MASRAFM_KOD, MASRAFM_ADI) VALUES (:K, :A)"), b);
        else
            db.exec(QStringLiteral("UPDATE MASRAFMR SET MASRAFM_ADI=:A WHERE MASRAFM_KOD=:K"), b);
    } catch (const DbError& e) {
        if (e.isUniqueViolation())
            throw MasMerHatasi(QStringLiteral("Aynı Kodlu Kayıt Var."));
        throw;
    }
}

void MasrafMerkeziSil(const Db& db, const QString& kod)
{
    Transaction tx(db);
    Query q(db, QStringLiteral("SELECT COUNT(*) FROM FISAYR WHERE MASRAFM_KOD=:K"));
    q.bind(QStringLiteral("K"), kod).exec();
    if (q.next() && q.value(0).toLongLong() > 0)
        throw MasMerHatasi(MasMerKullanimdaText());
    q.finish();
    db.exec(QStringLiteral("DELETE FROM MASRAFMR WHERE MASRAFM_KOD=:K"), {{QStringLiteral("K"), kod}});
    tx.commit();
}

MasMerArama MasMerTypeAhead(const QStringList& kodlar, const QString& aranan, QChar c)
{
    auto yakin = [&](const QString& t) {
        for (int i = 0; i < kodlar.size(); ++i)
            if (kodlar.at(i).compare(t, Qt::CaseInsensitive) >= 0)
                return i;
        return int(kodlar.size()) - 1;
    };
    MasMerArama a;
    a.metin = aranan.size() + 1 > 36 ? QString(c) : aranan + c;
    a.satir = yakin(a.metin);
    if (a.satir >= 0 && !kodlar.at(a.satir).startsWith(a.metin, Qt::CaseInsensitive)) {
        a.metin.chop(1);
        a.satir = a.metin.isEmpty() ? 0 : yakin(a.metin);
    }
    return a;
}

QList<QStringList> MasrafMerkeziAylik(const Db& db, const QString& kod)
{
    static const QStringList aylar = {QStringLiteral("OCAK"),   QStringLiteral("ŞUBAT"),   QStringLiteral("MART"),
                                      QStringLiteral("NİSAN"),  QStringLiteral("MAYIS"),   QStringLiteral("HAZİRAN"),
                                      QStringLiteral("TEMMUZ"), QStringLiteral("AĞUSTOS"), QStringLiteral("EYLÜL"),
                                      QStringLiteral("EKİM"),   QStringLiteral("KASIM"),   QStringLiteral("ARALIK")};
    QList<QPair<double, double>> ay(12, {0, 0});
    Query q(db, QStringLiteral("SELECT AY, SUM(BORC), SUM(ALACAK) FROM FISAYR WHERE MASRAFM_KOD=:K GROUP BY AY"));
    q.bind(QStringLiteral("K"), kod).exec();
    while (q.next()) {
        const int a = q.value(0).toInt();
        if (a >= 1 && a <= 12)
            ay[a - 1] = {q.value(1).toDouble(), q.value(2).toDouble()};
    }
    auto kalan = [](double b, double a) {
        const double f = b - a;
        if (qRound64(f * 100) == 0)
            return QStringLiteral("-");
        return f > 0 ? SayiMetni(f) + QStringLiteral(" (Borç)") : SayiMetni(-f) + QStringLiteral(" (Alacak)");
    };
    auto sayi = [](double v) { return v == 0 ? QStringLiteral("0") : SayiMetni(v); };
    QList<QStringList> out;
    double tb = 0, ta = 0;
    for (int i = 0; i < 12; ++i) {
        out << QStringList{aylar.at(i), sayi(ay.at(i).first), sayi(ay.at(i).second), kalan(ay.at(i).first, ay.at(i).second)};
        tb += ay.at(i).first;
        ta += ay.at(i).second;
    }
    out << QStringList{QStringLiteral("TOPLAM"), sayi(tb), sayi(ta), kalan(tb, ta)};
    return out;
}

void MasMerAylikGoster(const SessionContext& ctx, const QString& kod, QWidget* owner)
{
    QDialog d(owner);
    d.setObjectName(QStringLiteral("FormMasMerAylik"));
    d.setWindowTitle(kod + QStringLiteral(" Kodlu Masraf Merkezinin Aylık Dağılımı"));
    const auto satirlar = MasrafMerkeziAylik(ctx.Database1, kod);
    auto* t = new QTableWidget(int(satirlar.size()), 4, &d);
    t->setHorizontalHeaderLabels({QStringLiteral("AYLAR"), QStringLiteral("BORÇ"), QStringLiteral("ALACAK"),
                                  QStringLiteral("KALAN")});
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int r = 0; r < satirlar.size(); ++r)
        for (int c = 0; c < 4; ++c) {
            auto* it = new QTableWidgetItem(satirlar.at(r).at(c));
            if (c > 0)
                it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            t->setItem(r, c, it);
        }
    t->resizeColumnsToContents();
    t->horizontalHeader()->setStretchLastSection(true);
    auto* lay = new QVBoxLayout(&d);
    lay->addWidget(t);
    d.resize(560, 460);
    d.exec();
}

TFormMasMerKarti::TFormMasMerKarti(const SessionContext& ctx, const QString& kod, bool yeni, QWidget* parent)
    : QDialog(parent), m_db(ctx.Database1), m_yeni(yeni)
{
    setObjectName(QStringLiteral("FormMasMerKarti"));
    setWindowTitle(QStringLiteral("Masraf Merkezleri Kayıt"));
    auto* baslik = new QLabel(QStringLiteral("Masraf Merkezi Kartı"), this);
    EditKod = new QLineEdit(this);
    EditKod->setObjectName(QStringLiteral("EditKod"));
    EditKod->setMaxLength(17);
    EditAdi = new QLineEdit(this);
    EditAdi->setObjectName(QStringLiteral("EditAdi"));
    EditAdi->setMaxLength(65);
    if (!yeni) {
        for (const auto& m : MasrafMerkezleri(m_db))
            if (m.MASRAFM_KOD == kod) {
                EditKod->setText(m.MASRAFM_KOD);
                EditAdi->setText(m.MASRAFM_ADI);
            }
        EditKod->setReadOnly(true);
    }
    BtnSakla = new QPushButton(QStringLiteral("&Sakla"), this);
    BtnSakla->setObjectName(QStringLiteral("BtnSakla"));
    BtnVazgec = new QPushButton(QStringLiteral("&Vazgeç"), this);
    BtnVazgec->setObjectName(QStringLiteral("BtnVazgec"));
    connect(BtnSakla, &QPushButton::clicked, this, Guarded([this](auto&&...) { BtnSaklaClick(); }));
    connect(BtnVazgec, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Masraf Merkezi Kodu"), EditKod);
    form->addRow(QStringLiteral("Masraf Merkezi Tanımı"), EditAdi);
    auto* alt = new QHBoxLayout;
    alt->addStretch();
    alt->addWidget(BtnSakla);
    alt->addWidget(BtnVazgec);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(baslik);
    lay->addLayout(form);
    lay->addLayout(alt);
    resize(480, sizeHint().height());
}

void TFormMasMerKarti::BtnSaklaClick()
{
    MasrafMerkeziKaydet(m_db, {EditKod->text(), EditAdi->text()}, m_yeni);
    kaydedilenKod = EditKod->text().trimmed();
    accept();
}

QString MasMerKarti(const SessionContext& ctx, const QString& kod, bool yeni, QWidget* owner)
{
    TFormMasMerKarti f(ctx, kod, yeni, owner);
    return f.exec() == QDialog::Accepted ? f.kaydedilenKod : QString();
}

TFormMasMerSec::TFormMasMerSec(const SessionContext& ctx, int mode, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1), m_mode(mode)
{
    setObjectName(QStringLiteral("FormMasMerSec"));
    setWindowTitle(QStringLiteral("MASRAF MERKEZLERİ KAYITLARI"));
    LabelAranan = new QLabel(this);
    LabelAranan->setObjectName(QStringLiteral("LabelAranan"));
    m_model = new QStandardItemModel(0, 2, this);
    m_model->setHorizontalHeaderLabels({QStringLiteral("Masraf Merkezi Kodu"), QStringLiteral("Masraf Merkezi Tanımı")});
    cxGrid = new QTableView(this);
    cxGrid->setObjectName(QStringLiteral("cxGrid"));
    cxGrid->setModel(m_model);
    cxGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    cxGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cxGrid->verticalHeader()->hide();
    cxGrid->horizontalHeader()->setStretchLastSection(true);
    connect(cxGrid, &QTableView::doubleClicked, this,
            Guarded([this](auto&&...) { m_mode == 1 ? BtnSecClick() : BtnDegistirClick(); }));
    cxGrid->installEventFilter(this);
    BtnSec = new QPushButton(QStringLiteral("&Seç"), this);
    BtnSec->setObjectName(QStringLiteral("BtnSec"));
    BtnSec->setVisible(mode == 1);
    BtnYeni = new QPushButton(QStringLiteral("Yeni Kayıt"), this);
    BtnYeni->setObjectName(QStringLiteral("BtnYeni"));
    BtnDegistir = new QPushButton(QStringLiteral("&Değiştir"), this);
    BtnDegistir->setObjectName(QStringLiteral("BtnDegistir"));
    BtnSil = new QPushButton(QStringLiteral("Kayıt Sil"), this);
    BtnSil->setObjectName(QStringLiteral("BtnSil"));
    BtnAylik = new QPushButton(QStringLiteral("Aylara Göre Durum"), this);
    BtnAylik->setObjectName(QStringLiteral("BtnAylik"));
    BtnKapat = new QPushButton(QStringLiteral("&Kapat"), this);
    BtnKapat->setObjectName(QStringLiteral("BtnKapat"));
    connect(BtnAylik, &QPushButton::clicked, this, Guarded([this](auto&&...) {
                const QString kod = mevcutKod();
                if (!kod.isEmpty())
                    MasMerAylikGoster(m_ctx, kod, this);
            }));
    for (auto* b : {BtnSec, BtnYeni, BtnDegistir, BtnSil, BtnAylik, BtnKapat})
        b->setAutoDefault(false);
    connect(BtnSec, &QPushButton::clicked, this, Guarded([this](auto&&...) { BtnSecClick(); }));
    connect(BtnYeni, &QPushButton::clicked, this, Guarded([this](auto&&...) { BtnYeniClick(); }));
    connect(BtnDegistir, &QPushButton::clicked, this, Guarded([this](auto&&...) { BtnDegistirClick(); }));
    connect(BtnSil, &QPushButton::clicked, this, Guarded([this](auto&&...) { BtnSilClick(); }));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    auto* alt = new QHBoxLayout;
    for (auto* b : {BtnSec, BtnYeni, BtnDegistir, BtnSil, BtnAylik})
        alt->addWidget(b);
    alt->addStretch();
    alt->addWidget(BtnKapat);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(LabelAranan);
    lay->addWidget(cxGrid, 1);
    lay->addLayout(alt);
    yenile({});
    resize(640, 460);
}

bool TFormMasMerSec::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != cxGrid)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        m_aranan.clear();
        aramaGoster();
    } else if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        if (enter) {
            Guard([this] { m_mode == 1 ? BtnSecClick() : BtnDegistirClick(); });
            return true;
        }
        if (k->key() == Qt::Key_Backspace && !m_aranan.isEmpty()) {
            const QString kisa = m_aranan.left(m_aranan.size() - 1);
            m_aranan.clear();
            for (const QChar c : kisa) {
                QStringList kodlar;
                for (int r = 0; r < m_model->rowCount(); ++r)
                    kodlar << m_model->item(r, 0)->text();
                m_aranan = MasMerTypeAhead(kodlar, m_aranan, c).metin;
            }
        } else if (k->text().size() == 1 && k->text().at(0).isPrint() && !(k->modifiers() & Qt::AltModifier)) {
            QStringList kodlar;
            for (int r = 0; r < m_model->rowCount(); ++r)
                kodlar << m_model->item(r, 0)->text();
            const MasMerArama a = MasMerTypeAhead(kodlar, m_aranan, k->text().at(0));
            m_aranan = a.metin;
            if (a.satir >= 0)
                cxGrid->setCurrentIndex(m_model->index(a.satir, 0));
        } else {
            m_aranan.clear();
            aramaGoster();
            return QDialog::eventFilter(watched, event);
        }
        aramaGoster();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFormMasMerSec::aramaGoster()
{
    LabelAranan->setText(m_aranan.isEmpty() ? QString() : QStringLiteral("Aranan: ") + m_aranan);
}

void TFormMasMerSec::yenile(const QString& konum)
{
    m_model->removeRows(0, m_model->rowCount());
    int hedef = 0;
    const auto liste = MasrafMerkezleri(m_db);
    for (int r = 0; r < liste.size(); ++r) {
        m_model->appendRow({new QStandardItem(liste.at(r).MASRAFM_KOD), new QStandardItem(liste.at(r).MASRAFM_ADI)});
        if (!konum.isEmpty() && liste.at(r).MASRAFM_KOD <= konum)
            hedef = r;
    }
    cxGrid->resizeColumnToContents(0);
    if (m_model->rowCount() > 0)
        cxGrid->setCurrentIndex(m_model->index(hedef, 0));
}

QString TFormMasMerSec::mevcutKod() const
{
    const int r = cxGrid->currentIndex().row();
    return r >= 0 ? m_model->item(r, 0)->text() : QString();
}

void TFormMasMerSec::BtnSecClick()
{
    secilenKod = mevcutKod();
    if (!secilenKod.isEmpty())
        accept();
}

void TFormMasMerSec::BtnYeniClick()
{
    const QString kod = MasMerKarti(m_ctx, {}, true, this);
    if (!kod.isEmpty())
        yenile(kod);
}

void TFormMasMerSec::BtnDegistirClick()
{
    const QString mevcut = mevcutKod();
    if (mevcut.isEmpty())
        return;
    const QString kod = MasMerKarti(m_ctx, mevcut, false, this);
    if (!kod.isEmpty())
        yenile(kod);
}

void TFormMasMerSec::BtnSilClick()
{
    const QString kod = mevcutKod();
    if (kod.isEmpty() || AskYesNoCancel(QStringLiteral("Kayıt Silinsin mi?")) != MsgYes)
        return;
    MasrafMerkeziSil(m_db, kod);
    yenile(kod);
}

QString MasMerSec(const SessionContext& ctx, int mode, QWidget* owner)
{
    TFormMasMerSec f(ctx, mode, owner);
    return f.exec() == QDialog::Accepted ? f.secilenKod : QString();
}

} // namespace tornaly::accounting
