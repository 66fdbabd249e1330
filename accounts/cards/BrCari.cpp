#include "accounts/cards/BrCari.h"
#include "accounts/closing/HizliBorcKapa.h"
#include "guard/FormGuard.h"

#include "accounts/cards/CariKart.h"
#include "accounts/cards/CariSakla.h"
#include "accounts/codes/CariKodlari.h"
#include "accounts/vouchers/BrCarHrk.h"
#include "accounts/statements/carihrk.h"
#include "browse/BrowseRules.h"
#include "context/User.h"
#include "db/DbError.h"
#include "history/ChLogBr.h"
#include "accounts/ledger/AyCari.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "settings/GridLayout.h"
#include <QAction>
#include "messages/Messages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::accounts {

double SecilenCariBakiye = 0;

namespace {

QLineEdit* aramaKutusu(QWidget* parent, const char* ad)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(ad));
    return e;
}

} // namespace

TFormCariBr::TFormCariBr(const SessionContext& ctx, int mode, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    setObjectName(QStringLiteral("FormCariBr"));
    setWindowTitle(QStringLiteral("CARİ KAYITLARI"));
    setProperty("Tag", mode);

    TableBrSql.lines = {QStringLiteral("SELECT CARI_KOD, FIRMA_ADI, YETKILI_ADI, YETKILI_SOYAD, SEMT, ILI, TEL1, TEL2, "
                                       "TEL3,  TEL4, FAKS, CARI_GRP_KOD, MUH_KOD, DOVIZ"),
                        QStringLiteral("FROM CARI WHERE 1=1"), QString(), QString(), QString(),
                        QStringLiteral("ORDER BY CARI_KOD")};

    auto* arama = new QGridLayout;
    EditKod = aramaKutusu(this, "EditKod");
    EditAd = aramaKutusu(this, "EditAd");
    EditYetkili = aramaKutusu(this, "EditYetkili");
    EditYetkiliSoyad = aramaKutusu(this, "EditYetkiliSoyad");
    const QList<QPair<QString, QLineEdit*>> kutular = {{QStringLiteral("Aranan &Cari.Kod"), EditKod},
                                                       {QStringLiteral("Aranan &Müşteri-Firma Adı"), EditAd},
                                                       {QStringLiteral("Aranan &Yetkili Adı"), EditYetkili},
                                                       {QStringLiteral("Aranan Yetkili Soyadı"), EditYetkiliSoyad}};
    int col = 0;
    for (const auto& [baslik, kutu] : kutular) {
        auto* l = new QLabel(baslik, this);
        l->setBuddy(kutu);
        arama->addWidget(l, 0, col);
        arama->addWidget(kutu, 1, col++);
        kutu->installEventFilter(this);
        connect(kutu, &QLineEdit::textEdited, this, Guarded([this] { m_doubleEnter = false; }));
    }
    cxGrupFiltre = new QComboBox(this);
    cxGrupFiltre->setObjectName(QStringLiteral("cxGrupFiltre"));
    cxGrupFiltre->addItem(QString(), QString());
    for (const CariGrubu& g : CariGruplari(m_db)) {
        cxGrupFiltre->addItem(g.GRUP_ADI, g.GRUP_KODU);
        m_grupAdlari.insert(g.GRUP_KODU, g.GRUP_ADI);
    }
    arama->addWidget(new QLabel(QStringLiteral("Cari Gruba Göre Filtre"), this), 0, col);
    arama->addWidget(cxGrupFiltre, 1, col);
    connect(cxGrupFiltre, &QComboBox::activated, this, Guarded(this, &TFormCariBr::cxGrupFiltrePropertiesCloseUp));

    TableBr = new ListeModeli(this);
    TableBr->setObjectName(QStringLiteral("TableBr"));
    TableBr->setCaptions({QStringLiteral("Cari Kod"), QStringLiteral("Müşteri-Firma Adı "), QStringLiteral("Yetkili Adı"),
                          QStringLiteral("Yetkili Soyadı"), QStringLiteral("Semt"), QStringLiteral("İl"),
                          QStringLiteral("Tel1"), QStringLiteral("Tel2"), QStringLiteral("Gsm1"), QStringLiteral("Gsm2"),
                          QStringLiteral("Faks"), QStringLiteral("Grup"), QStringLiteral("Muhasabe Kodu"),
                          QStringLiteral("Döviz")});
    TableBr->setOrderKeys({QStringLiteral("CARI_KOD")});
    TableBr->setBicim(QStringLiteral("CARI_GRP_KOD"), [this](const QVariant& v, int) {
        return m_grupAdlari.value(v.toString(), v.toString());
    });
    cxGrid = new QTableView(this);
    cxGrid->setObjectName(QStringLiteral("cxGrid1"));
    cxGrid->setModel(TableBr);
    cxGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    cxGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    cxGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cxGrid->verticalHeader()->hide();
    cxGrid->installEventFilter(this);
    connect(cxGrid, &QTableView::doubleClicked, this, Guarded([this] {
        if (BtnSec->isVisible() && BtnSec->isEnabled())
            BtnSecClick();
        else if (BtnDuzenle->isEnabled())
            BtnDuzenleClick();
    }));
    connect(cxGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, Guarded(this, &TFormCariBr::toplamlariGoster));

    PanelToplam = new QWidget(this);
    PanelToplam->setObjectName(QStringLiteral("PanelToplam"));
    auto* tl = new QGridLayout(PanelToplam);
    LblBorc = new QLabel(PanelToplam);
    LblAlacak = new QLabel(PanelToplam);
    LblKalan = new QLabel(PanelToplam);
    LblKalanBaslik = new QLabel(QStringLiteral("KALAN"), PanelToplam);
    LblBorc->setObjectName(QStringLiteral("BORCT"));
    LblAlacak->setObjectName(QStringLiteral("ALAT"));
    LblKalan->setObjectName(QStringLiteral("KALAN"));
    tl->addWidget(new QLabel(QStringLiteral("BORÇLAR TOPLAMI"), PanelToplam), 0, 0);
    tl->addWidget(new QLabel(QStringLiteral("ALACAK TOPLAMI"), PanelToplam), 0, 1);
    tl->addWidget(LblKalanBaslik, 0, 2);
    tl->addWidget(LblBorc, 1, 0);
    tl->addWidget(LblAlacak, 1, 1);
    tl->addWidget(LblKalan, 1, 2);
    for (QLabel* l : {LblBorc, LblAlacak, LblKalan})
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PanelToplam->setVisible(ctx.AktifKullanici.caribakiye == QLatin1String("H"));

    BtnSec = Dugme(this, "BtnSec", QStringLiteral("&Seç"));
    BtnYeni = Dugme(this, "BtnYeni", QStringLiteral("&Yeni"));
    BtnKopyala = Dugme(this, "BtnKopyala", QStringLiteral("&Kopyala"));
    BtnDuzenle = Dugme(this, "BtnDuzenle", QStringLiteral("&Düzenle"));
    BtnSil = Dugme(this, "BtnSil", QStringLiteral("&Sil"));
    BtnHareketIzle = Dugme(this, "BtnHareketIzle", QStringLiteral("Cari Hareketleri İzle"));
    BtnHareketGiris = Dugme(this, "BtnHareketGiris", QStringLiteral("Cari Hareket Giriş"));
    BtnGecmis = Dugme(this, "BtnGecmis", QStringLiteral("Kayıt Geçmişi"));
    BtnBorcKapama = Dugme(this, "BtnBorcKapama", QStringLiteral("Borç Kapama"));
    BtnAylik = Dugme(this, "BtnAylik", QStringLiteral("Aylık Toplamları"));
    BtnBanka = Dugme(this, "BtnBanka", QStringLiteral("Banka İşlemleri"));
    BtnSms = Dugme(this, "BtnSms", QStringLiteral("Sms &Gönder"));
    BtnKapat = Dugme(this, "BtnKapat", QStringLiteral("&Kapat"));
    auto* dugmeler = new QHBoxLayout;
    for (QPushButton* b : {BtnSec, BtnYeni, BtnKopyala, BtnDuzenle, BtnSil, BtnHareketIzle, BtnHareketGiris, BtnBorcKapama,
                           BtnGecmis, BtnAylik, BtnBanka, BtnSms})
        dugmeler->addWidget(b);
    dugmeler->addStretch();
    dugmeler->addWidget(BtnKapat);

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(arama);
    lay->addWidget(cxGrid, 1);
    lay->addWidget(PanelToplam);
    lay->addLayout(dugmeler);

    connect(BtnSec, &QPushButton::clicked, this, Guarded(this, &TFormCariBr::BtnSecClick));
    connect(BtnYeni, &QPushButton::clicked, this, Guarded(this, &TFormCariBr::BtnYeniClick));
    connect(BtnKopyala, &QPushButton::clicked, this, Guarded(this, &TFormCariBr::BtnKopyalaClick));
    connect(BtnDuzenle, &QPushButton::clicked, this, Guarded(this, &TFormCariBr::BtnDuzenleClick));
    connect(BtnSil, &QPushButton::clicked, this, Guarded(this, &TFormCariBr::BtnSilClick));
    connect(BtnHareketGiris, &QPushButton::clicked, this, Guarded(this, &TFormCariBr::BtnHareketGirisClick));
    connect(BtnGecmis, &QPushButton::clicked, this, Guarded(this, &TFormCariBr::BtnGecmisClick));
    connect(BtnBorcKapama, &QPushButton::clicked, this, Guarded(this, &TFormCariBr::BtnBorcKapamaClick));
    connect(BtnHareketIzle, &QPushButton::clicked, this, Guarded(this, &TFormCariBr::BtnHareketIzleClick));
    connect(BtnAylik, &QPushButton::clicked, this, Guarded(this, &TFormCariBr::BtnAylikClick));
    connect(BtnBanka, &QPushButton::clicked, this, Guarded(this, &TFormCariBr::BtnBankaClick));
    connect(BtnSms, &QPushButton::clicked, this, Guarded(this, &TFormCariBr::BtnSmsClick));
    auto* gorunum = new QAction(QStringLiteral("Görünümü Sakla"), cxGrid);
    gorunum->setObjectName(QStringLiteral("GorunumuSakla"));
    cxGrid->addAction(gorunum);
    cxGrid->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(gorunum, &QAction::triggered, this, Guarded(this, &TFormCariBr::GorunumuSaklaClick));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only

    const QString& cari = ctx.AktifKullanici.cari;
    const BrowseKomutlari k = BrowseKomutlariniBelirle(mode, cari);
    BtnSec->setVisible(k.secGorunur);
    BtnSec->setEnabled(k.secEtkin);
    BtnYeni->setEnabled(k.yeni);
    BtnKopyala->setEnabled(k.yeni);
    BtnDuzenle->setEnabled(k.duzenle);
    BtnSil->setEnabled(k.sil);
    BtnHareketIzle->setEnabled(ctx.AktifKullanici.carihrkizle == QLatin1String("O"));
    BtnHareketGiris->setEnabled(ctx.AktifKullanici.carihrk == QLatin1String("H")
                                && ctx.AktifKullanici.diger09 != QLatin1String("H"));
    BtnBorcKapama->setEnabled(ctx.AktifKullanici.carichodekapa == QLatin1String("H"));
    // The bank list and the SMS form open only once they are part of the program.
    BtnBanka->setEnabled(ctx.AktifKullanici.diger09 != QLatin1String("H") &&
                         Targets().isRegistered(QLatin1String(entry::BankaHrkSec)));
    BtnSms->setVisible(ctx.AktifKullanici.diger12 == QLatin1String("E"));
    BtnSms->setEnabled(Targets().isRegistered(QStringLiteral("SmsFormAc")));
    if (k.aramaOdak)
        EditKod->setFocus();
    resize(1100, 600);
}

void TFormCariBr::grupSinirla(const QString& harf)
{
    TableBrSql.binds.remove(QStringLiteral("GRUP"));
    TableBrSql.lines[4].clear();
    const int i = cxGrupFiltre->findData(harf);
    cxGrupFiltre->setCurrentIndex(i < 0 ? 0 : i);
    if (harf.isEmpty())
        return;
    TableBrSql.lines[4] = QStringLiteral("AND CARI_GRP_KOD=:GRUP");
    TableBrSql.binds.insert(QStringLiteral("GRUP"), harf);
}

void TFormCariBr::bayiSinirla(const QString& bayiKod)
{
    TableBrSql.binds.remove(QStringLiteral("BAYI"));
    TableBrSql.lines[3].clear();
    if (bayiKod.isEmpty())
        return;
    TableBrSql.lines[3] = QStringLiteral("AND MERKEZ_BAYI=:BAYI");
    TableBrSql.binds.insert(QStringLiteral("BAYI"), bayiKod);
}

void TFormCariBr::listeyiAc()
{
    const QString kod = currentKod();
    TableBr->setStatement(m_db, TableBrSql.text(), TableBrSql.binds);
    TableBr->open();
    KolonlariAyarla(cxGrid);
    if (!m_gorunumYuklendi) {
        RestoreGridLayout(QStringLiteral("CariList"), cxGrid, RestoreFlags{});
        m_gorunumYuklendi = true;
    }
    if (!selectKod(kod) && TableBr->rowCount() > 0)
        cxGrid->setCurrentIndex(TableBr->index(0, 0));
    toplamlariGoster();
}

bool TFormCariBr::aramaYap(CariAramaAlani alan, const QString& text)
{
    if (m_doubleEnter) {
        cxGrid->setFocus();
        m_doubleEnter = false;
        return false;
    }
    if (text.isEmpty()) {
        if (AskYesNoCancel(QStringLiteral("Tüm kayıtları görmek istiyor musunuz?")) != MsgYes)
            return false;
        for (const QString& b : {QStringLiteral("ALT"), QStringLiteral("UST"), QStringLiteral("ARANAN")})
            TableBrSql.binds.remove(b);
        TableBrSql.lines[2].clear();
    } else {
        const CariAramaKosulu k = CariAramaKosuluOlustur(m_db, alan, text);
        for (const QString& b : {QStringLiteral("ALT"), QStringLiteral("UST"), QStringLiteral("ARANAN")})
            TableBrSql.binds.remove(b);
        TableBrSql.lines[2] = QStringLiteral("AND ") + k.kosul;
        for (auto it = k.binds.cbegin(); it != k.binds.cend(); ++it)
            TableBrSql.binds.insert(it.key(), it.value());
        TableBrSql.lines[5] = QStringLiteral("ORDER BY ") + k.siralama;
    }
    listeyiAc();
    m_doubleEnter = true;
    return true;
}

QString TFormCariBr::currentKod() const
{
    if (!TableBr->isOpen())
        return {};
    return TableBr->deger(cxGrid->currentIndex().row(), QStringLiteral("CARI_KOD")).toString();
}

bool TFormCariBr::selectKod(const QString& kod)
{
    if (kod.isEmpty())
        return false;
    for (int r = 0; r < TableBr->rowCount(); ++r) {
        if (TableBr->deger(r, QStringLiteral("CARI_KOD")).toString() == kod) {
            cxGrid->setCurrentIndex(TableBr->index(r, 0));
            return true;
        }
    }
    return false;
}

void TFormCariBr::toplamlariGoster()
{
    const QString kod = currentKod();
    const CariToplamlari t = kod.isEmpty() ? CariToplamlari{} : CariToplamlariOku(m_db, kod);
    LblBorc->setText(TutarYazi(t.BORCT));
    LblAlacak->setText(TutarYazi(t.ALAT));
    LblKalanBaslik->setText(t.kalanBasligi());
    LblKalan->setText(TutarYazi(t.kalan()));
}

void TFormCariBr::BtnSecClick()
{
    const int row = cxGrid->currentIndex().row();
    const QString kod = currentKod();
    if (kod.isEmpty())
        return;
    auto s = [&](const char* alan) { return TableBr->deger(row, QLatin1String(alan)).toString(); };
    sonuc = kod;
    secilen = TypeCariOlustur(kod, s("FIRMA_ADI"), s("TEL1"), s("FAKS"), s("MUH_KOD"), s("DOVIZ"));
    SecilenCariBakiye = CariToplamlariOku(m_db, kod).bakiye();
    accept();
}

void TFormCariBr::BtnYeniClick()
{
    const QString kod = CariKartAc(m_ctx, QString(), 1, this);
    if (kod.isEmpty())
        return;
    listeyiAc();
    selectKod(kod);
    cxGrid->setFocus();
}

void TFormCariBr::BtnKopyalaClick()
{
    const QString kaynak = currentKod();
    if (kaynak.isEmpty())
        return;
    if (AskYesNoCancel(QStringLiteral("Cari Kartı Kopyalamak İstiyor musunuz?")) != MsgYes)
        return;
    const QString kod = CariKartAc(m_ctx, kaynak, 1, this);
    if (!kod.isEmpty()) {
        listeyiAc();
        selectKod(kod);
    }
}

void TFormCariBr::BtnDuzenleClick()
{
    const QString kod = currentKod();
    if (kod.isEmpty())
        return;
    if (!CariKartAc(m_ctx, kod, 0, this).isEmpty())
        listeyiAc();
}

void TFormCariBr::BtnSilClick()
{
    const QString kod = currentKod();
    if (kod.isEmpty())
        return;
    if (AskYesNoCancel(QStringLiteral("Kayıt Silinsin mi?")) != MsgYes)
        return;
    CariSil(m_db, kod);
    listeyiAc();
}

void TFormCariBr::BtnHareketGirisClick()
{
    if (CariHrkPenceresiAcik() > 0) {
        ShowWarning(QStringLiteral("Cari Hareket Giriş Penceresi Açık!"));
        return;
    }
    const int row = cxGrid->currentIndex().row();
    CariHrkSec(m_ctx, 0, currentKod(), TableBr->deger(row, QStringLiteral("FIRMA_ADI")).toString(), this);
}

void TFormCariBr::BtnBorcKapamaClick()
{
    const QString kod = currentKod();
    if (!kod.isEmpty())
        HizliBorcKapaAc(m_ctx, kod, 0, this);
}

void TFormCariBr::BtnGecmisClick()
{
    ShowChangeLog(m_ctx, QStringLiteral("CARI"), currentKod());
}

void TFormCariBr::cxGrupFiltrePropertiesCloseUp()
{
    grupSinirla(cxGrupFiltre->currentData().toString());
    if (TableBr->isOpen())
        listeyiAc();
}

bool TFormCariBr::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (o == cxGrid && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)) {
            if (BtnSec->isVisible() && BtnSec->isEnabled())
                BtnSecClick();
            else if (BtnDuzenle->isEnabled())
                BtnDuzenleClick();
            return true;
        }
        auto* kutu = qobject_cast<QLineEdit*>(o);
        if (kutu) {
            if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
                const CariAramaAlani alan = kutu == EditKod ? CariAramaAlani::Kod
                    : kutu == EditAd                        ? CariAramaAlani::Ad
                    : kutu == EditYetkili                   ? CariAramaAlani::YetkiliAdi
                                                            : CariAramaAlani::YetkiliSoyadi;
                Guard([&] { aramaYap(alan, kutu->text()); });
                return true;
            }
            if (k->key() == Qt::Key_Down || k->key() == Qt::Key_Up) {
                const int r = cxGrid->currentIndex().row() + (k->key() == Qt::Key_Down ? 1 : -1);
                if (r >= 0 && r < TableBr->rowCount())
                    cxGrid->setCurrentIndex(TableBr->index(r, 0));
                return true;
            }
        }
    }
    return QDialog::eventFilter(o, e);
}

QString CariSec(const SessionContext& ctx, int mode, QWidget* parent)
{
    TFormCariBr f(ctx, mode, parent);
    return f.exec() == QDialog::Accepted ? f.sonuc : QString();
}

TypeCari CariSecKayit(const SessionContext& ctx, int mode, const QString& deger, QWidget* parent)
{
    TFormCariBr f(ctx, mode, parent);
    if (!deger.isEmpty()) {
        if (mode == 2)
            f.bayiSinirla(deger);
        else
            f.grupSinirla(deger);
    }
    f.listeyiAc();
    return f.exec() == QDialog::Accepted ? f.secilen : TypeCari{};
}

void TFormCariBr::BtnHareketIzleClick()
{
    const QString kod = currentKod();
    if (kod.isEmpty() || !BtnHareketIzle->isEnabled())
        return;
    // The statement window reads the session as the rest of the program does; it changes nothing in it.
    CariHareketGoster(const_cast<SessionContext&>(m_ctx), kod, this);
}

void TFormCariBr::BtnAylikClick()
{
    const QString kod = currentKod();
    if (!kod.isEmpty())
        ShowCariMonthly(m_ctx, kod, this);
}

void TFormCariBr::BtnBankaClick()
{
    const RoutineOpener ac = Targets().routine(QLatin1String(entry::BankaHrkSec));
    if (!ac)
        return;
    OpenRequest r;
    r.target = QLatin1String(entry::BankaHrkSec);
    r.ctx = const_cast<SessionContext*>(&m_ctx);
    r.owner = this;
    r.mode = 0;
    ac(r);
}

void TFormCariBr::BtnSmsClick()
{
    const QString kod = currentKod();
    const RoutineOpener ac = Targets().routine(QStringLiteral("SmsFormAc"));
    if (kod.isEmpty() || !ac)
        return;
    OpenRequest r;
    r.target = QStringLiteral("SmsFormAc");
    r.ctx = const_cast<SessionContext*>(&m_ctx);
    r.owner = this;
    r.key = kod;
    ac(r);
}

void TFormCariBr::GorunumuSaklaClick()
{
    SaveGridLayout(QStringLiteral("CariList"), cxGrid);
}

} // namespace tornaly::accounts
