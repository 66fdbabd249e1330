#include "stock/slips/StokFisBak.h"
#include "util/Utf8.h"

#include "connection/DonPara.h"
#include "controls/TarihEdit.h"
#include "guard/FormGuard.h"
#include "history/ChLogBr.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "personnel/PersonBr.h"
#include "sql/SqlHelpers.h"
#include "sql/TutarAlanlari.h"
#include "stock/common/ListeGorunumu.h"
#include "stock/slips/StkFis.h"
#include "stock/slips/StokFisi.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::stock {

namespace {
using text::S;

const char* listeSql = "SELECT HRKNO, TIP, TARIH, BRUTTUT, KDVTUT, NETTUT, CIKDEPO, GIRDEPO, ACIKLAMA1, KULLANICI, "
                       "HRKDURUM, PERSON_KOD, FIS_NO FROM FISTK WHERE 1 = 1";

struct Siralama {
    const char* baslik;
    const char* order; // the list's order clause; HRKNO settles ties
};
const Siralama siralamalar[] = {{"Hrk.No", "ORDER BY HRKNO DESC"},   {"Tipi", "ORDER BY TIP"},
                                {"Tarih", "ORDER BY TARIH"},         {"Net Tut.", "ORDER BY NETTUT"},
                                {"Kullanıcı", "ORDER BY KULLANICI"}, {"Pers.Kod", "ORDER BY PERSON_KOD"}};

// "Tipe Filtre": the items and the condition each adds (none: every type). The
// transfer item is ours: without it transfers could only be found under "Tümü".
const std::pair<const char*, const char*> tipFiltreleri[] = {
    {"Üretimden Geliş", "(TIP='L')"}, {"Fire", "(TIP='F')"},          {"Sarf", "(TIP='R')"},
    {"Üretime Gidiş", "(TIP='U')"},   {"Dönem Başı", "(TIP='D')"},    {"Sayım Fazlası", "(TIP='T')"},
    {"Sayım Eksiği", "(TIP='Z')"},    {"Depo Transferi", "(TIP='O')"}, {"Tümü", ""}};

// The "Yeni Stok Fişi" menu: caption and type letter.
const std::pair<const char*, char> yeniFisler[] = {
    {"Depo Transferi", 'O'},      {"Fire", 'F'}, {"Sarf", 'R'}, {"Üretime Gidiş", 'U'}, {"Üretimden Geliş", 'L'},
    {"Dönem Başı  Devir", 'D'},   {"Sayım Eksiği/Stok Artırma", 'T'}, {"Sayım Fazlası/Stok Azaltma", 'Z'}};

QPushButton* listeDugmesi(QWidget* parent, const char* ad, const QString& baslik)
{
    auto* b = new QPushButton(baslik, parent);
    b->setObjectName(QString::fromLatin1(ad));
    return b;
}
} // namespace

TFormStokFisBak::TFormStokFisBak(SessionContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ctx(ctx), m_db(ctx.Database1)
{
    setObjectName(QStringLiteral("FormStokFisBak"));
    setWindowTitle(S("Stok Fişleri"));
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(kurUst());
    auto* bol = new QSplitter(Qt::Vertical, this);
    GridFis = new QTableView(bol);
    GridFis->setObjectName(QStringLiteral("GridFis"));
    QFis = new BoundQueryModel(this);
    ListeHazirla(GridFis, QFis,
                 {{{S("HRKNO"), S("S.Fiş Hrk.No")},
                   {S("TIP"), S("Tipi")},
                   {S("TARIH"), S("Tarih")},
                   {S("BRUTTUT"), S("Brüt Tutar")},
                   {S("KDVTUT"), S("KDV Tutarı")},
                   {S("NETTUT"), S("Net Tutar")},
                   {S("CIKDEPO"), S("Çıkış Depo")},
                   {S("GIRDEPO"), S("Giriş Depo")},
                   {S("ACIKLAMA1"), S("Açıklama1")},
                   {S("KULLANICI"), S("Kullanıcı")},
                   {S("HRKDURUM"), S("Transfer Durumu")},
                   {S("PERSON_KOD"), S("Personel Kodu")},
                   {S("FIS_NO"), S("Muh Ref.Fiş No")}},
                  {},
                  {{S("HRKNO"), S(",0")}, {S("FIS_NO"), S(",0")}, {S("BRUTTUT"), ctx.ParaFormat},
                   {S("KDVTUT"), ctx.ParaFormat}, {S("NETTUT"), ctx.ParaFormat}},
                  {},
                  {{S("TIP"),
                    [](const QVariant& v) {
                        const QString t = v.toString().trimmed();
                        const StokFisTipi* tip = t.isEmpty() ? nullptr : StokFisTipiBul(t.at(0));
                        return tip ? tip->listeBasligi : t;
                    }},
                   {S("HRKDURUM"), [](const QVariant& v) {
                        const QString d = v.toString().trimmed();
                        return d == QLatin1String("E")   ? S("Transfer Edilecek")
                               : d == QLatin1String("T") ? S("Transfer Edildi")
                                                         : QString();
                    }}}});
    GridSatir = new QTableView(bol);
    GridSatir->setObjectName(QStringLiteral("GridSatir"));
    QSatir = new BoundQueryModel(this);
    ListeHazirla(GridSatir, QSatir,
                 {{{S("SIRANO"), S("SNo")},
                   {S("STOK_KOD_NO"), S("Stok Kod")},
                   {S("STOK_ADI"), S("Stok Adı")},
                   {S("MIKTAR"), S("Miktarı")},
                   {S("FIYAT"), S("Fiyat TL")},
                   {S("KDV"), S("KDV")},
                   {S("ACIKLAMA"), S("Açıklama")}},
                  {},
                  {{S("MIKTAR"), S(",0.00##")}, {S("FIYAT"), S(",0.00")}, {S("KDV"), S(",0")}}});
    bol->addWidget(GridFis);
    bol->addWidget(GridSatir);
    bol->setStretchFactor(0, 3);
    bol->setStretchFactor(1, 2);
    lay->addWidget(bol, 1);
    lay->addLayout(kurDugmeler());
    connect(GridFis, &QTableView::doubleClicked, this, Guarded(this, &TFormStokFisBak::BtnDuzeltClick));
    connect(GridFis->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            Guarded([this] { satirlariGoster(); }));
    resize(1100, 700);
    Guard([this] { Yenile(); });
}

QWidget* TFormStokFisBak::kurUst()
{
    auto* w = new QWidget(this);
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    auto* ara = new QGroupBox(w);
    auto* ag = new QGridLayout(ara);
    ag->addWidget(new QLabel(S("Stok Fişi &No"), ara), 0, 0);
    EditAraNo = new QLineEdit(ara);
    EditAraNo->setObjectName(QStringLiteral("EditAraNo"));
    EditAraNo->setMaxLength(11);
    EditAraNo->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,11}")), EditAraNo));
    ag->addWidget(EditAraNo, 0, 1);
    ag->addWidget(new QLabel(S("Kullanıcı"), ara), 1, 0);
    EditAraKullanici = new QLineEdit(ara);
    EditAraKullanici->setObjectName(QStringLiteral("EditAraKullanici"));
    ag->addWidget(EditAraKullanici, 1, 1);
    h->addWidget(ara);

    auto* filtre = new QGroupBox(S("Filtre"), w);
    auto* fg = new QGridLayout(filtre);
    fg->addWidget(new QLabel(S("Fiş Tarihleri"), filtre), 0, 0);
    EditIlkTarih = new TTarihEdit(filtre);
    EditIlkTarih->setObjectName(QStringLiteral("EditIlkTarih"));
    EditIlkTarih->setBosOlabilir(true);
    EditIlkTarih->temizle();
    EditSonTarih = new TTarihEdit(filtre);
    EditSonTarih->setObjectName(QStringLiteral("EditSonTarih"));
    EditSonTarih->setBosOlabilir(true);
    EditSonTarih->temizle();
    fg->addWidget(EditIlkTarih, 0, 1);
    fg->addWidget(EditSonTarih, 0, 2);
    fg->addWidget(new QLabel(S("Kullanıcıya Göre Filtre"), filtre), 1, 0);
    EditPersonKod = new QLineEdit(filtre);
    EditPersonKod->setObjectName(QStringLiteral("EditPersonKod"));
    fg->addWidget(EditPersonKod, 1, 1);
    BtnPersonSec = listeDugmesi(filtre, "BtnPersonSec", S("..."));
    fg->addWidget(BtnPersonSec, 1, 2);
    fg->addWidget(new QLabel(S("Tipe &Filtre"), filtre), 2, 0);
    CmbTipFiltre = new QComboBox(filtre);
    CmbTipFiltre->setObjectName(QStringLiteral("CmbTipFiltre"));
    for (const auto& [baslik, kosul] : tipFiltreleri)
        CmbTipFiltre->addItem(S(baslik), QString::fromLatin1(kosul));
    CmbTipFiltre->setCurrentIndex(CmbTipFiltre->count() - 1);
    fg->addWidget(CmbTipFiltre, 2, 1, 1, 2);
    BtnFiltrele = listeDugmesi(filtre, "BtnFiltrele", S("Filtrele"));
    BtnFiltreKaldir = listeDugmesi(filtre, "BtnFiltreKaldir", S("Filtreyi Kaldır"));
    fg->addWidget(BtnFiltrele, 0, 3);
    fg->addWidget(BtnFiltreKaldir, 1, 3);
    h->addWidget(filtre);

    auto* sira = new QGroupBox(S("Sıralama Değiş"), w);
    auto* sl = new QVBoxLayout(sira);
    CmbSiralama = new QComboBox(sira);
    CmbSiralama->setObjectName(QStringLiteral("CmbSiralama"));
    for (const Siralama& s : siralamalar)
        CmbSiralama->addItem(S(s.baslik));
    sl->addWidget(CmbSiralama);
    LblKayitSayisi = new QLabel(sira);
    LblKayitSayisi->setObjectName(QStringLiteral("LblKayitSayisi"));
    sl->addWidget(LblKayitSayisi);
    h->addWidget(sira);

    connect(EditAraNo, &QLineEdit::returnPressed, this, Guarded(this, &TFormStokFisBak::AraNo));
    connect(EditAraKullanici, &QLineEdit::returnPressed, this, Guarded(this, &TFormStokFisBak::AraKullanici));
    connect(BtnFiltrele, &QPushButton::clicked, this, Guarded(this, &TFormStokFisBak::BtnFiltreleClick));
    connect(BtnFiltreKaldir, &QPushButton::clicked, this, Guarded(this, &TFormStokFisBak::BtnFiltreKaldirClick));
    connect(CmbSiralama, &QComboBox::activated, this, Guarded([this] { Yenile(); }));
    connect(BtnPersonSec, &QPushButton::clicked, this, Guarded([this] {
                TDonPara sonuc;
                PersonelSec(m_ctx, 1, sonuc, this);
                if (!sonuc.KodStr.isEmpty())
                    EditPersonKod->setText(sonuc.KodStr);
            }));
    return w;
}

QLayout* TFormStokFisBak::kurDugmeler()
{
    auto* d = new QHBoxLayout;
    BtnYeni = listeDugmesi(this, "BtnYeni", S("Yeni Stok Fişi"));
    MenuTip = new QMenu(BtnYeni);
    MenuTip->setObjectName(QStringLiteral("MenuTip"));
    for (const auto& [baslik, tip] : yeniFisler) {
        QAction* a = MenuTip->addAction(S(baslik));
        a->setObjectName(QStringLiteral("YeniFis") + QLatin1Char(tip));
        const QChar harf = QLatin1Char(tip);
        connect(a, &QAction::triggered, this, Guarded([this, harf] { YeniFis(harf); }));
    }
    BtnDuzelt = listeDugmesi(this, "BtnDuzelt", S("&Düzelt/Gör"));
    BtnSil = listeDugmesi(this, "BtnSil", S("Sil"));
    BtnGecmis = listeDugmesi(this, "BtnGecmis", S("Kayıt Geçmişi"));
    BtnKapat = listeDugmesi(this, "BtnKapat", S("&Kapat"));
    for (QPushButton* b : {BtnYeni, BtnDuzelt, BtnSil, BtnGecmis})
        d->addWidget(b);
    d->addStretch();
    d->addWidget(BtnKapat);
    const bool yetki = m_ctx.AktifKullanici.diger06 == QLatin1String("Y");
    for (QPushButton* b : {BtnYeni, BtnDuzelt, BtnSil})
        b->setEnabled(yetki);
    connect(BtnYeni, &QPushButton::clicked, this, Guarded([this] {
                if (yeniFisAcilabilir())
                    MenuTip->popup(BtnYeni->mapToGlobal(QPoint(0, -MenuTip->sizeHint().height())));
            }));
    connect(BtnDuzelt, &QPushButton::clicked, this, Guarded(this, &TFormStokFisBak::BtnDuzeltClick));
    connect(BtnSil, &QPushButton::clicked, this, Guarded(this, &TFormStokFisBak::BtnSilClick));
    connect(BtnGecmis, &QPushButton::clicked, this, Guarded(this, &TFormStokFisBak::BtnGecmisClick));
    connect(BtnKapat, &QPushButton::clicked, this, &QWidget::hide); // unguarded: ui only
    return d;
}

void TFormStokFisBak::Yenile()
{
    const double secili = seciliFis();
    const Siralama& s = siralamalar[qBound(0, CmbSiralama->currentIndex(), int(std::size(siralamalar)) - 1)];
    QString sql = S(listeSql) + m_filtre + S(" ") + S(s.order);
    if (!sql.endsWith(QLatin1String("HRKNO DESC")))
        sql += S(", HRKNO");
    QFis->setStatement(m_db, sql, m_filtreDegerleri);
    QFis->setOrderKeys({S("HRKNO")});
    SetTutarAlanlari(*QFis, {S("BRUTTUT"), S("KDVTUT"), S("NETTUT")});
    QFis->open();
    KolonlariSigdir(GridFis);
    const qint64 n = QFis->totals({}).count;
    LblKayitSayisi->setText(S("Listedeki Kayıt Sayısı : ") + FormatMoney(double(n), S("#,#")));
    if (secili > 0)
        bul(S("HRKNO"), QString::number(qint64(secili)));
    if (!GridFis->currentIndex().isValid() && QFis->rowCount() > 0)
        GridFis->setCurrentIndex(QFis->index(0, 0));
    satirlariGoster();
}

double TFormStokFisBak::seciliFis() const
{
    if (!QFis->isOpen() || !GridFis->currentIndex().isValid())
        return 0;
    return QFis->record(GridFis->currentIndex().row()).value(S("HRKNO")).toDouble();
}

void TFormStokFisBak::satirlariGoster()
{
    QSatir->setStatement(m_db,
                         S("SELECT SIRANO, STOK_KOD_NO, STOK_ADI, MIKTAR, FIYAT, KDV, ACIKLAMA FROM FISTKAYR "
                           "WHERE HRKNO = :H ORDER BY SIRANO"),
                         {{S("H"), seciliFis()}});
    QSatir->setOrderKeys({S("SIRANO")});
    SetTutarAlanlari(*QSatir, {S("FIYAT")});
    QSatir->open();
    KolonlariSigdir(GridSatir);
}

void TFormStokFisBak::bul(const QString& alan, const QString& metin)
{
    if (metin.isEmpty())
        return;
    const int kolon = QFis->columnOf(alan);
    for (int r = 0;; ++r) {
        if (r >= QFis->rowCount()) {
            if (!QFis->canFetchMore())
                return;
            QFis->fetchMore();
            if (r >= QFis->rowCount())
                return;
        }
        QString deger = QFis->data(QFis->index(r, kolon), Qt::EditRole).toString();
        if (alan == QLatin1String("HRKNO"))
            deger = QString::number(qint64(QFis->data(QFis->index(r, kolon), Qt::EditRole).toDouble()));
        if (deger.startsWith(metin, Qt::CaseInsensitive)) {
            GridFis->setCurrentIndex(QFis->index(r, 0));
            return;
        }
    }
}

void TFormStokFisBak::AraNo() { bul(S("HRKNO"), EditAraNo->text().trimmed()); }
void TFormStokFisBak::AraKullanici() { bul(S("KULLANICI"), EditAraKullanici->text().trimmed()); }

void TFormStokFisBak::BtnFiltreleClick()
{
    m_filtre.clear();
    m_filtreDegerleri.clear();
    // The type conditions are fixed texts of the list, never typed ones.
    const QString tip = CmbTipFiltre->currentData().toString();
    if (!tip.isEmpty())
        m_filtre += S(" AND ") + tip;
    if (EditIlkTarih->tarih().isValid()) {
        m_filtre += S(" AND TARIH >= :FILK");
        m_filtreDegerleri[S("FILK")] = QDateTime(EditIlkTarih->tarih(), QTime(0, 0));
    }
    // The whole last day counts, whatever the time on the slip.
    if (EditSonTarih->tarih().isValid()) {
        m_filtre += S(" AND TARIH < :FSON");
        m_filtreDegerleri[S("FSON")] = QDateTime(EditSonTarih->tarih().addDays(1), QTime(0, 0));
    }
    if (!EditPersonKod->text().trimmed().isEmpty()) {
        m_filtre += S(" AND PERSON_KOD = :FPER");
        m_filtreDegerleri[S("FPER")] = EditPersonKod->text().trimmed();
    }
    Yenile();
}

void TFormStokFisBak::BtnFiltreKaldirClick()
{
    m_filtre.clear();
    m_filtreDegerleri.clear();
    Yenile();
}

bool TFormStokFisBak::pencereAcilabilir()
{
    if (TFormStkFis::AcikPencereSayisi() >= 2) {
        ShowWarning(S("2 den fazla Stok Fişi Penceresi ile Çalışılmaz.Lütfen Stok Fişi Pencerelerinden Birini Kapatıp Bu "
                      "Kaydı yeniden Çağırmayo Deneyin."));
        return false;
    }
    return true;
}

void TFormStokFisBak::fisAc(double hrkno, QChar tip)
{
    auto* f = new TFormStkFis(m_ctx, hrkno, tip, this);
    m_son = f;
    connect(f, &QObject::destroyed, this, [this, f] { // unguarded: ui only
        if (m_son == f)
            m_son = nullptr;
    });
    f->show();
}

bool TFormStokFisBak::yeniFisAcilabilir()
{
    if (m_ctx.AktifKullanici.diger06 != QLatin1String("Y"))
        return false;
    if (m_ctx.AktifKullanici.per_kod.trimmed().isEmpty()) {
        ShowError(S("Oturum kimliği için Bir Personel Atanmamış, Personel Atamak için lütfen Kullanıcı Hakları "
                    "Bölümünü Kullanınız."));
        return false;
    }
    return true;
}

void TFormStokFisBak::YeniFis(QChar tip)
{
    if (yeniFisAcilabilir() && pencereAcilabilir())
        fisAc(0, tip);
}

void TFormStokFisBak::BtnDuzeltClick()
{
    if (m_ctx.AktifKullanici.diger06 != QLatin1String("Y") || seciliFis() <= 0)
        return;
    if (!pencereAcilabilir())
        return;
    const QString tip = QFis->record(GridFis->currentIndex().row()).value(S("TIP")).toString().trimmed();
    fisAc(seciliFis(), tip.isEmpty() ? QChar() : tip.at(0));
}

void TFormStokFisBak::BtnSilClick()
{
    const double no = seciliFis();
    if (m_ctx.AktifKullanici.diger06 != QLatin1String("Y") || no <= 0)
        return;
    StokFisiSilinebilir(m_ctx, m_db, no);
    if (Messages().show(MsgIcon::Warning, S("Kayıt Silnsin mi?"), MsgYes | MsgNo, MsgNo, QString()) != MsgYes)
        return;
    StokFisiSil(m_ctx, m_db, no);
    Yenile();
}

void TFormStokFisBak::BtnGecmisClick()
{
    if (seciliFis() > 0)
        ShowChangeLog(m_ctx, S("STKFIS"), seciliFis());
}

void TFormStokFisBak::closeEvent(QCloseEvent* e)
{
    // One list per program run: closing only hides it, with its filter and order.
    e->ignore();
    hide();
}

void TFormStokFisBak::changeEvent(QEvent* e)
{
    // Slips saved in a slip window appear when the user comes back.
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        Guard([this] { Yenile(); });
    QWidget::changeEvent(e);
}

} // namespace tornaly::stock
