#include "accounts/ui/ListeModeli.h"
#include "guard/FormGuard.h"
#include "accounts/cards/brcari2.h"

#include "db/DbError.h"
#include "messages/Messages.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::accounts {

const QList<QPair<QString, QString>>& TFormCariBr2::GrupSecenekleri()
{
    static const QList<QPair<QString, QString>> l = {
        {QStringLiteral("Şahıs"), QStringLiteral("K")},     {QStringLiteral("Şirket"), QStringLiteral("R")},
        {QStringLiteral("Tedarikçi"), QStringLiteral("T")}, {QStringLiteral("Sigorta"), QStringLiteral("S")},
        {QStringLiteral("Filo Müş."), QStringLiteral("F")}, {QStringLiteral("Bayi"), QStringLiteral("B")},
        {QStringLiteral("Toptancı"), QStringLiteral("O")},  {QStringLiteral("Diğer"), QStringLiteral("Z")},
        {QStringLiteral("Tümü"), QString()}};
    return l;
}

TFormCariBr2::TFormCariBr2(const SessionContext& ctx, int mode, QWidget* parent) : QDialog(parent), m_db(ctx.Database1)
{
    setObjectName(QStringLiteral("FormCariBr2"));
    setWindowTitle(QStringLiteral("CARİ KAYITLARI"));
    setProperty("Tag", mode);
    m_siralama = QStringLiteral("CARI_KOD");

    auto* arama = new QGridLayout;
    const QList<QPair<QString, QLineEdit**>> kutular = {{QStringLiteral("Aranan &C.Kod"), &EditKod},
                                                        {QStringLiteral("Aranan &Müşteri-Firma Adı"), &EditAd},
                                                        {QStringLiteral("Aranan &Yetkili Adı"), &EditYetkili},
                                                        {QStringLiteral("Aranan Yetkili Soyadı"), &EditYetkiliSoyad}};
    const char* adlar[] = {"EditKod", "EditAd", "EditYetkili", "EditYetkiliSoyad"};
    int col = 0;
    for (const auto& [baslik, kutu] : kutular) {
        *kutu = new QLineEdit(this);
        (*kutu)->setObjectName(QLatin1String(adlar[col]));
        (*kutu)->setMaxLength(18);
        (*kutu)->installEventFilter(this);
        auto* l = new QLabel(baslik, this);
        l->setBuddy(*kutu);
        arama->addWidget(l, 0, col);
        arama->addWidget(*kutu, 1, col++);
    }

    auto* grupKutusu = new QGroupBox(this);
    grupKutusu->setObjectName(QStringLiteral("RgGrup"));
    auto* gl = new QHBoxLayout(grupKutusu);
    RgGrup = new QButtonGroup(this);
    int i = 0;
    for (const auto& [baslik, harf] : GrupSecenekleri()) {
        auto* r = new QRadioButton(baslik, grupKutusu);
        r->setProperty("harf", harf);
        RgGrup->addButton(r, i++);
        gl->addWidget(r);
    }
    RgGrup->button(GrupSecenekleri().size() - 1)->setChecked(true);
    connect(RgGrup, &QButtonGroup::idClicked, this, Guarded([this](int id) {
        grupFiltresi(GrupSecenekleri().at(id).second);
        if (TableBr->isOpen())
            listeyiAc();
    }));

    TableBr = new ListeModeli(this);
    TableBr->setCaptions({QStringLiteral("Cari Kod"), QStringLiteral("Müşteri-Firma Adı "), QStringLiteral("Yetkili 1"),
                          QStringLiteral("Yetkili 2"), QStringLiteral("Semt"), QStringLiteral("İl"),
                          QStringLiteral("Tel1"), QStringLiteral("Tel3"), QStringLiteral("Faks"), QStringLiteral("Grup")});
    TableBr->setOrderKeys({QStringLiteral("CARI_KOD")});
    cxGrid = new QTableView(this);
    cxGrid->setObjectName(QStringLiteral("cxGrid1"));
    cxGrid->setModel(TableBr);
    cxGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    cxGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cxGrid->verticalHeader()->hide();
    cxGrid->installEventFilter(this);
    connect(cxGrid, &QTableView::doubleClicked, this, Guarded([this] {
        if (BtnSec->isVisible() && BtnSec->isEnabled())
            BtnSecClick();
    }));

    BtnSec = Dugme(this, "BtnSec", QStringLiteral("&Seç"));
    BtnSec->setVisible(mode == 1);
    BtnKapat = Dugme(this, "BtnKapat", QStringLiteral("Kapat"));
    BtnKapat->setToolTip(QStringLiteral("Alt-F4 Tuşu"));
    for (QPushButton* b : {BtnSec, BtnKapat})
        b->setAutoDefault(false);
    connect(BtnSec, &QPushButton::clicked, this, Guarded(this, &TFormCariBr2::BtnSecClick));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    auto* dugmeler = new QHBoxLayout;
    dugmeler->addStretch();
    dugmeler->addWidget(BtnSec);
    dugmeler->addWidget(BtnKapat);

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(arama);
    lay->addWidget(grupKutusu);
    lay->addWidget(cxGrid, 1);
    lay->addLayout(dugmeler);
    resize(1000, 560);
}

void TFormCariBr2::grupFiltresi(const QString& harf)
{
    m_grup = harf;
    for (QAbstractButton* b : RgGrup->buttons())
        if (b->property("harf").toString() == harf) {
            b->setChecked(true);
            break;
        }
}

void TFormCariBr2::listeyiAc()
{
    QStringList kosullar;
    QVariantMap binds = m_binds;
    if (!m_kosul.isEmpty())
        kosullar << m_kosul;
    if (!m_grup.isEmpty()) {
        kosullar << QStringLiteral("CARI_GRP_KOD=:GRUP");
        binds.insert(QStringLiteral("GRUP"), m_grup);
    }
    QString sql = QStringLiteral("SELECT CARI_KOD, FIRMA_ADI, YETKILI_ADI, YETKILI_SOYAD, SEMT, ILI, TEL1, TEL3, FAKS, "
                                 "CARI_GRP_KOD\nFROM CARI");
    if (!kosullar.isEmpty())
        sql += QStringLiteral("\nWHERE ") + kosullar.join(QStringLiteral(" AND "));
    sql += QStringLiteral("\nORDER BY ") + m_siralama;
    TableBr->setStatement(m_db, sql, binds);
    TableBr->open();
    KolonlariAyarla(cxGrid);
    if (TableBr->rowCount() > 0)
        cxGrid->setCurrentIndex(TableBr->index(0, 0));
}

bool TFormCariBr2::aramaYap(CariAramaAlani alan, const QString& text)
{
    if (text.isEmpty() && AskYesNoCancel(QStringLiteral("Tüm kayıtları görmek istiyor musunuz?")) != MsgYes)
        return false;
    const CariAramaKosulu k = CariAramaKosuluOlustur(m_db, alan, text);
    m_kosul = k.kosul;
    m_binds = k.binds;
    m_siralama = k.siralama;
    listeyiAc();
    return true;
}

void TFormCariBr2::BtnSecClick()
{
    const int row = cxGrid->currentIndex().row();
    const QString kod = TableBr->deger(row, QStringLiteral("CARI_KOD")).toString();
    if (kod.isEmpty())
        return;
    auto s = [&](const char* alan) { return TableBr->deger(row, QLatin1String(alan)).toString(); };
    secilen = TypeCariOlustur(kod, s("FIRMA_ADI"), s("TEL1"), s("FAKS"), QString(), QString());
    accept();
}

bool TFormCariBr2::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        if (o == cxGrid && enter) {
            if (BtnSec->isVisible())
                BtnSecClick();
            return true;
        }
        if (auto* kutu = qobject_cast<QLineEdit*>(o); kutu && enter) {
            const CariAramaAlani alan = kutu == EditKod ? CariAramaAlani::Kod
                : kutu == EditAd                        ? CariAramaAlani::Ad
                : kutu == EditYetkili                   ? CariAramaAlani::YetkiliAdi
                                                        : CariAramaAlani::YetkiliSoyadi;
            Guard([&] { aramaYap(alan, kutu->text()); });
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

QString CariSec2(const SessionContext& ctx, int mode, QWidget* parent)
{
    TFormCariBr2 f(ctx, mode, parent);
    return f.exec() == QDialog::Accepted ? f.secilen.CariKod : QString();
}

TypeCari CariSec2Grup(const SessionContext& ctx, int mode, const QString& grup, QWidget* parent)
{
    TFormCariBr2 f(ctx, mode, parent);
    if (!grup.isEmpty())
        f.grupFiltresi(grup);
    return f.exec() == QDialog::Accepted ? f.secilen : TypeCari{};
}

} // namespace tornaly::accounts
