#include "accounts/closing/HizliBorcKapa.h"
#include "util/Utf8.h"

#include "accounts/cards/brcari2.h"
#include "accounts/ui/ListeModeli.h"
#include "controls/TarihEdit.h"
#include "export/SafeFile.h"
#include "export/TableExport.h"
#include "guard/FormGuard.h"
#include "guard/IslemReddi.h"
#include "money/Money.h"
#include "messages/Messages.h"
#include "report/ListReport.h"
#include "report/RaporCikti.h"
#include "sql/SqlHelpers.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QSpinBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace tornaly::accounts {

using text::S;

namespace {

const QHash<QString, QString>& turBasliklari()
{
    static const QHash<QString, QString> h = {
        {S("A"), S("Al.Ft.")}, {S("D"), S("Dekont")}, {S("E"), S("Senet")},   {S("G"), S("Gel.Hvl")},
        {S("H"), S("Gön.Hvl")}, {S("I"), S("Dev.")},  {S("K"), S("K.Kart")},  {S("L"), S("Arç.Al.")},
        {S("M"), S("Fiş")},     {S("N"), S("Nak.")},  {S("S"), S("St.Ft.")},  {S("T"), S("Arç.St.")},
        {S("V"), S("Vir.")},    {S("Ç"), S("Çek")}};
    return h;
}

const QHash<QString, QString>& detayBasliklari()
{
    static const QHash<QString, QString> h = {
        {S("A"), S("İade")},     {S("B"), S("Banko")},     {S("D"), S("Diğer")},
        {S("E"), S("Hasar")},    {S("G"), S("Garanti")},   {S("I"), S("İşEmri")},
        {S("K"), S("Kampanya")}, {S("M"), S("Prim.Srv.")}, {S("N"), S("Prim.St.")}};
    return h;
}

// The figures row: caption and text of each field, in the order shown.
QList<QPair<QString, QString>> toplamSatiri(const BorcKapamaToplami& t)
{
    const auto tutar = [](double v) { return TutarYazi(v); };
    const auto gun = [](const std::optional<int>& g) { return g ? QString::number(*g) : QString(); };
    return {{S("Toplam Borç"), tutar(t.BORCTUT)},      {S("Borç Vade"), TarihYazi(t.BORCVTRH)},
            {S("Toplam Alacak"), tutar(t.ALATUT)},     {S("Alacak Vade"), TarihYazi(t.ALAVTRH)},
            {S("Kapanan Borç"), tutar(t.KBORCTUT)},    {S("Kap.BorçVd."), TarihYazi(t.KBORCVTRH)},
            {S("Kapanan Alacak"), tutar(t.KALATUT)},   {S("Kap.Ala.Vd."), TarihYazi(t.KALAVTRH)},
            {S("Açık Borç"), tutar(t.ABORCTUT)},       {S("AçıkBorçVd"), TarihYazi(t.ABORCVTRH)},
            {S("Açık Alacak"), tutar(t.AALATUT)},      {S("AçıkAla.Vd."), TarihYazi(t.AALAVTRH)},
            {S("Bakiye"), tutar(t.BAKIYE)},            {S("B/A"), t.BAKIYETIP},
            {S("Vade"), TarihYazi(t.BAKIYEVTRH)},      {S("Gün"), gun(t.GUN)},
            {S("Kapatan Vade"), TarihYazi(t.KAPATANVADE2)}, {S("Kapatan Gün"), gun(t.KGUN)},
            {S("Tahsilat Vade"), TarihYazi(t.KAPATANVADE)}, {S("Fark Gün"), gun(t.FGUN)},
            {S("Kap.Vade Borç"), TarihYazi(t.KAPATANVADEBORC)},
            {S("Kap.Vade Alacak"), TarihYazi(t.KAPATANVADEALACAK)}};
}

} // namespace

TFormHizliBorcKapa::TFormHizliBorcKapa(const SessionContext& ctx, int mode, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1), m_mode(mode)
{
    setObjectName(S("FormHizliBorcKapa"));
    setWindowTitle(S("Borc Kapama"));
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(kurFiltre());
    lay->addWidget(kurListeler(), 1);
    lay->addWidget(kurKomutlar());
    lay->addWidget(kurYazdirma());
    resize(1180, 760);
}

QWidget* TFormHizliBorcKapa::kurFiltre()
{
    auto* kutu = new QGroupBox(this);
    auto* g = new QGridLayout(kutu);
    EditIlkKod = new QLineEdit(kutu);
    EditIlkKod->setObjectName(S("EditIlkKod"));
    EditIlkKod->setMaxLength(11);
    EditSonKod = new QLineEdit(kutu);
    EditSonKod->setObjectName(S("EditSonKod"));
    EditSonKod->setMaxLength(11);
    BtnCariSec1 = Dugme(kutu, "BtnCariSec1", S("..."));
    BtnCariSec2 = Dugme(kutu, "BtnCariSec2", S("..."));
    for (QPushButton* b : {BtnCariSec1, BtnCariSec2}) {
        b->setToolTip(S("Cari  Seç Ctrl-C"));
        b->setFixedWidth(28);
    }
    BtnCariSec1->setShortcut(QKeySequence(S("Ctrl+C")));
    CbCariGrup = new QComboBox(kutu);
    CbCariGrup->setObjectName(S("CbCariGrup"));
    for (const auto& grp : BorcKapamaGruplari())
        CbCariGrup->addItem(grp.first, grp.second);
    EditTarih = new TTarihEdit(kutu);
    EditTarih->setObjectName(S("EditTarih"));
    EditTarih->setBosOlabilir(true);
    EditTarih->temizle();
    auto* sira = new QGroupBox(S("Kapatma Tarih Sırası"), kutu);
    auto* sl = new QHBoxLayout(sira);
    RbIslemTarihi = new QRadioButton(S("İşlem Tarihi"), sira);
    RbIslemTarihi->setObjectName(S("RbIslemTarihi"));
    RbVadeTarihi = new QRadioButton(S("Vade Tarihi"), sira);
    RbVadeTarihi->setObjectName(S("RbVadeTarihi"));
    RbIslemTarihi->setChecked(true);
    sl->addWidget(RbIslemTarihi);
    sl->addWidget(RbVadeTarihi);
    BtnFiltrele = Dugme(kutu, "BtnFiltrele", S("Filtrele"));
    BtnFiltreKaldir = Dugme(kutu, "BtnFiltreKaldir", S("&Filtre Kaldır"));

    g->addWidget(new QLabel(S("Cari Kod"), kutu), 0, 0);
    g->addWidget(EditIlkKod, 0, 1);
    g->addWidget(BtnCariSec1, 0, 2);
    g->addWidget(EditSonKod, 0, 3);
    g->addWidget(BtnCariSec2, 0, 4);
    g->addWidget(new QLabel(S("Cari Grup"), kutu), 0, 5);
    g->addWidget(CbCariGrup, 0, 6);
    g->addWidget(new QLabel(S("Tarihine Göre"), kutu), 0, 7);
    g->addWidget(EditTarih, 0, 8);
    g->addWidget(sira, 0, 9);
    g->addWidget(BtnFiltrele, 0, 10);
    g->addWidget(BtnFiltreKaldir, 0, 11);
    g->setColumnStretch(12, 1);

    connect(BtnCariSec1, &QPushButton::clicked, this, Guarded([this] { cariSec(true); }));
    connect(BtnCariSec2, &QPushButton::clicked, this, Guarded([this] { cariSec(false); }));
    connect(BtnFiltrele, &QPushButton::clicked, this, Guarded(this, &TFormHizliBorcKapa::BtnFiltreleClick));
    connect(BtnFiltreKaldir, &QPushButton::clicked, this, Guarded(this, &TFormHizliBorcKapa::BtnFiltreKaldirClick));
    return kutu;
}

QWidget* TFormHizliBorcKapa::kurListeler()
{
    auto* bolme = new QSplitter(Qt::Vertical, this);
    QCari = new ListeModeli(this);
    QCari->setCaptions({S("Cari Kod"), S("Cari Adı"), S("Yetkili 1"), S("Yetkili 2"), S("Adres"), S("Adres 2"),
                        S("Semt"), S("İl"), S("Tel1"), S("Tel2"), S("Gsm"), S("Faks"), S("E-mail"), S("Web"),
                        S("Grup"), S("VadeGün")});
    GridCari = new QTableView(bolme);
    GridCari->setObjectName(S("GridCari"));
    GridCari->setModel(QCari);
    GridCari->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridCari->setSelectionMode(QAbstractItemView::SingleSelection);
    GridCari->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridCari->verticalHeader()->hide();

    QHrk = new ListeModeli(this);
    QHrk->setCaptions({S("Cari No"), S("Sıra"), S("Tarih"), S("Vade"), S("Tür"), S("Detay"), S("Belge No"),
                       S("Açıklama"), S("Borç"), S("Alacak"), S("Kapanan Borç"), S("Kapanan Alacak"),
                       S("Açık Borç"), S("Açık Alacak"), S("Tutar"), S("Kalan"), S("Kapatan Vade"), S("Kasa"),
                       S("Portföy"), S("Tip"), S("Gün")});
    QHrk->paraBicimi({S("BORC"), S("ALACAK"), S("KAPANANB"), S("KAPANANA"), S("ACIKBORC"), S("ACIKALACAK"),
                      S("TUTAR"), S("KALAN")});
    QHrk->tarihBicimi({S("TARIH"), S("VADE_TRH"), S("KAPATAN_VADE")});
    QHrk->setBicim(S("CRHRK_TUR"), [](const QVariant& v, int) {
        return turBasliklari().value(v.toString().trimmed(), v.toString());
    });
    QHrk->setBicim(S("ALT_TIP"), [](const QVariant& v, int) {
        return detayBasliklari().value(v.toString().trimmed(), v.toString());
    });
    QHrk->setBicim(S("CARI_NO"), [](const QVariant& v, int) { return QString::number(v.toDouble(), 'f', 0); });
    QHrk->setBicim(S("PORTFOYNO"), [](const QVariant& v, int) {
        return v.isNull() ? QString() : QString::number(v.toDouble(), 'f', 0);
    });
    QHrk->setBicim(S("TIP"), [this](const QVariant&, int row) {
        return QHrk->deger(row, S("BORC")).toDouble() > 0     ? S("B")
               : QHrk->deger(row, S("ALACAK")).toDouble() > 0 ? S("A")
                                                              : S("-");
    });
    QHrk->setBicim(S("GUN"), [this](const QVariant&, int row) {
        const QDate vade = Query::toDate(QHrk->deger(row, S("VADE_TRH")));
        if (QHrk->deger(row, S("KALAN")).toDouble() <= 0 || !vade.isValid())
            return QString();
        return QString::number(vade.daysTo(m_bugun));
    });
    GridHrk = new QTableView(bolme);
    GridHrk->setObjectName(S("GridHrk"));
    GridHrk->setModel(QHrk);
    GridHrk->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridHrk->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridHrk->verticalHeader()->hide();

    bolme->setStretchFactor(0, 2);
    bolme->setStretchFactor(1, 3);
    // The figures in two bands of caption and value rows, so that they fit without scrolling.
    auto* w = new QWidget(this);
    auto* v = new QVBoxLayout(w);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(bolme, 1);
    GridToplam = new QTableWidget(4, 0, w);
    GridToplam->setObjectName(S("GridToplam"));
    GridToplam->horizontalHeader()->hide();
    GridToplam->verticalHeader()->hide();
    GridToplam->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridToplam->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    GridToplam->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    GridToplam->setFixedHeight(4 * GridToplam->verticalHeader()->defaultSectionSize() + 4);
    v->addWidget(GridToplam);
    connect(GridCari->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            Guarded([this] { hareketleriAc(); }));
    return w;
}

QWidget* TFormHizliBorcKapa::kurKomutlar()
{
    auto* w = new QWidget(this);
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    BtnBorcKapa = Dugme(w, "BtnBorcKapa", S("Borç Kapama Çalıştır"));
    auto* vadeli = new QVBoxLayout;
    auto* aciklama = new QLabel(S("Vadeli Kapatma Tarih Sınırlamasız ve Vade Sıralı Kapatır ve Kapanan Borç/Alacağın "
                                  "Hangi Vade ile Kapatıldığını Hesaplar. "), w);
    aciklama->setWordWrap(true);
    aciklama->setMaximumWidth(460);
    BtnVadeliKapat = Dugme(w, "BtnVadeliKapat", S("Vadeli Kapat"));
    vadeli->addWidget(aciklama);
    vadeli->addWidget(BtnVadeliKapat);
    BtnVadeAta = Dugme(w, "BtnVadeAta", S("Vadesi Olmayan Faturalara Vade Ata"));
    auto* suzgec = new QGroupBox(S(" Hareketleri  Filtrele "), w);
    auto* sl = new QHBoxLayout(suzgec);
    RbTumu = new QRadioButton(S("Tümü"), suzgec);
    RbTumu->setObjectName(S("RbTumu"));
    RbKapanmis = new QRadioButton(S("Kapanmış"), suzgec);
    RbKapanmis->setObjectName(S("RbKapanmis"));
    RbAciklar = new QRadioButton(S("Açıklar"), suzgec);
    RbAciklar->setObjectName(S("RbAciklar"));
    RbTumu->setChecked(true);
    auto* grup = new QButtonGroup(this);
    for (QRadioButton* r : {RbTumu, RbKapanmis, RbAciklar}) {
        sl->addWidget(r);
        grup->addButton(r);
    }
    BtnExcel = Dugme(w, "BtnExcel", S("Seçilen Cariyi Excele Aktar"));
    BtnYazdir = Dugme(w, "BtnYazdir", S("&Yazdır"));
    BtnKapat = Dugme(w, "BtnKapat", S("&Kapat"));
    LblDurum = new QLabel(w);
    LblDurum->setObjectName(S("LblDurum"));
    h->addWidget(BtnBorcKapa);
    h->addLayout(vadeli);
    h->addWidget(BtnVadeAta);
    h->addWidget(suzgec);
    h->addWidget(BtnExcel);
    h->addWidget(BtnYazdir);
    h->addWidget(LblDurum, 1);
    h->addWidget(BtnKapat);

    connect(BtnBorcKapa, &QPushButton::clicked, this, Guarded(this, &TFormHizliBorcKapa::BtnBorcKapaClick));
    connect(BtnVadeliKapat, &QPushButton::clicked, this, Guarded(this, &TFormHizliBorcKapa::BtnVadeliKapatClick));
    connect(BtnVadeAta, &QPushButton::clicked, this, Guarded(this, &TFormHizliBorcKapa::BtnVadeAtaClick));
    connect(BtnExcel, &QPushButton::clicked, this, Guarded(this, &TFormHizliBorcKapa::BtnExcelClick));
    connect(BtnYazdir, &QPushButton::clicked, this, Guarded(this, &TFormHizliBorcKapa::BtnYazdirClick));
    connect(grup, &QButtonGroup::buttonClicked, this, Guarded([this] { hareketleriAc(); }));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    return w;
}

QWidget* TFormHizliBorcKapa::kurYazdirma()
{
    auto* w = new QGroupBox(this);
    auto* h = new QHBoxLayout(w);
    CbYazBakiye = new QComboBox(w);
    CbYazBakiye->setObjectName(S("CbYazBakiye"));
    CbYazBakiye->addItems({S("Tümünü Yaz"), S("Seçileni Yaz"), S("Borç Bakiyesi Olanlar"), S("Alacak Bakiyesi Olanlar")});
    EditMinBakiye = new QLineEdit(w);
    EditMinBakiye->setObjectName(S("EditMinBakiye"));
    EditMinBakiye->setMaximumWidth(100);
    CbYazHareket = new QComboBox(w);
    CbYazHareket->setObjectName(S("CbYazHareket"));
    CbYazHareket->addItems({S("Tümü"), S("Hiçbiri"), S("Kapanmışlar"), S("Açıklar")});
    CbIleriVade = new QCheckBox(S("İleri Vade Gün Filtresi"), w);
    CbIleriVade->setObjectName(S("CbIleriVade"));
    SpinGun1 = new QSpinBox(w);
    SpinGun1->setObjectName(S("SpinGun1"));
    SpinGun2 = new QSpinBox(w);
    SpinGun2->setObjectName(S("SpinGun2"));
    for (QSpinBox* sp : {SpinGun1, SpinGun2})
        sp->setRange(-9999, 9999);
    SpinGun2->setValue(30);
    h->addWidget(new QLabel(S("Yazdırma Bakiye Filtresi"), w));
    h->addWidget(CbYazBakiye);
    h->addWidget(new QLabel(S("Min.Bakiye"), w));
    h->addWidget(EditMinBakiye);
    h->addWidget(new QLabel(S(" Hareket Filtresi "), w));
    h->addWidget(CbYazHareket);
    h->addWidget(CbIleriVade);
    h->addWidget(SpinGun1);
    h->addWidget(SpinGun2);
    h->addStretch();
    return w;
}

BorcKapamaYazdirma TFormHizliBorcKapa::yazdirmaSecenekleri() const
{
    BorcKapamaYazdirma y;
    y.bakiye = BorcKapamaYazdirma::Bakiye(CbYazBakiye->currentIndex());
    const QString min = EditMinBakiye->text().trimmed();
    if (!min.isEmpty() && !ParseMoney(min, &y.minBakiye))
        throw IslemReddi(min + S(" geçerli bir sayı değil."), MsgIcon::Warning);
    y.hareket = BorcKapamaYazdirma::Hareket(CbYazHareket->currentIndex());
    y.ileriVade = CbIleriVade->isChecked();
    y.gun1 = SpinGun1->value();
    y.gun2 = SpinGun2->value();
    return y;
}

BorcKapamaFiltresi TFormHizliBorcKapa::filtre() const
{
    BorcKapamaFiltresi f;
    f.ilkKod = EditIlkKod->text().trimmed();
    f.sonKod = EditSonKod->text().trimmed();
    f.grup = CbCariGrup->currentData().toString();
    if (EditTarih->tarih().isValid())
        f.tarih = EditTarih->tarih();
    f.vadeSirasi = RbVadeTarihi->isChecked();
    return f;
}

HareketSuzgeci TFormHizliBorcKapa::suzgec() const
{
    return RbKapanmis->isChecked() ? HareketSuzgeci::Kapanmis
           : RbAciklar->isChecked() ? HareketSuzgeci::Aciklar
                                    : HareketSuzgeci::Tumu;
}

QString TFormHizliBorcKapa::seciliCari() const
{
    return QCari->deger(GridCari->currentIndex().row(), S("CARI_KOD")).toString();
}

void TFormHizliBorcKapa::goster()
{
    if (!EditIlkKod->text().trimmed().isEmpty())
        m_filtre = filtre();
    carileriAc();
    if (m_mode == 1)
        BtnBorcKapaClick();
}

void TFormHizliBorcKapa::cariSec(bool ikisi)
{
    const QString kod = CariSec2(m_ctx, 1, this);
    if (kod.isEmpty())
        return;
    if (ikisi)
        EditIlkKod->setText(kod);
    EditSonKod->setText(kod);
}

void TFormHizliBorcKapa::carileriAc(const QString& konum)
{
    QVariantMap b;
    QCari->setStatement(m_db, BorcKapamaCariSql(m_filtre, b), b);
    QCari->open();
    QCari->fetchAll();
    int satir = QCari->rowCount() > 0 ? 0 : -1;
    for (int r = 0; !konum.isEmpty() && r < QCari->rowCount(); ++r)
        if (QCari->deger(r, S("CARI_KOD")).toString() == konum)
            satir = r;
    KolonlariAyarla(GridCari);
    if (satir >= 0)
        GridCari->setCurrentIndex(QCari->index(satir, 0));
    hareketleriAc();
}

void TFormHizliBorcKapa::hareketleriAc()
{
    m_bugun = ServerToday(m_db);
    const QString kod = seciliCari();
    QVariantMap b{{S("CARI_KOD"), kod}};
    // The computed columns TIP and GUN ride on columns of the row.
    const QString sql = BorcKapamaHareketSql(m_filtre, suzgec(), b)
                            .replace(S(" FROM CARIHRK"), S(", CRHRK_TUR TIP, VADE_TRH GUN FROM CARIHRK"));
    QHrk->setStatement(m_db, sql, b);
    QHrk->open();
    QHrk->fetchAll();
    KolonlariAyarla(GridHrk);
    toplamlariGoster();
}

void TFormHizliBorcKapa::toplamlariGoster()
{
    const QString kod = seciliCari();
    m_toplam = kod.isEmpty() ? BorcKapamaToplami{} : BorcKapamaToplamiOku(m_db, kod, m_filtre, m_bugun);
    const auto satir = toplamSatiri(m_toplam);
    const int yari = int(satir.size() + 1) / 2;
    GridToplam->setColumnCount(yari);
    for (int i = 0; i < satir.size(); ++i) {
        const int r = i < yari ? 0 : 2, c = i % yari;
        auto* baslik = new QTableWidgetItem(satir[i].first);
        baslik->setBackground(palette().window());
        GridToplam->setItem(r, c, baslik);
        auto* deger = new QTableWidgetItem(kod.isEmpty() ? QString() : satir[i].second);
        deger->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        GridToplam->setItem(r + 1, c, deger);
    }
    GridToplam->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
}

void TFormHizliBorcKapa::BtnFiltreleClick()
{
    m_filtre = filtre();
    carileriAc();
}

void TFormHizliBorcKapa::BtnFiltreKaldirClick()
{
    BorcKapamaFiltresi f = filtre();
    f.ilkKod.clear();
    f.sonKod.clear();
    f.grup.clear();
    m_filtre = f;
    carileriAc();
}

void TFormHizliBorcKapa::BtnBorcKapaClick()
{
    QElapsedTimer sure;
    sure.start();
    RbTumu->setChecked(true);
    BorcKapamaCalistir(m_db, m_filtre, [this](int n, int N) { LblDurum->setText(QStringLiteral("%1/%2").arg(n).arg(N)); });
    carileriAc();
    if (m_mode == 0)
        ShowInfo(S("Hesaplama süresi (ms) : ") + QString::number(sure.elapsed()));
}

void TFormHizliBorcKapa::BtnVadeliKapatClick()
{
    VadeliKapat(m_db, m_filtre, [this](int n, int N) { LblDurum->setText(QStringLiteral("%1/%2").arg(n).arg(N)); });
    carileriAc();
    ShowInfo(S("Vadeli Kapatma Tamamlandı"));
}

void TFormHizliBorcKapa::BtnVadeAtaClick()
{
    QList<VadesizCari> vadesiz = VadesizCariler(m_db, m_filtre);
    const QString konum = seciliCari();
    if (!vadesiz.isEmpty()) {
        if (VarsayilanVadeGir(vadesiz, this))
            VadeGunleriYaz(m_db, vadesiz);
        carileriAc(konum);
        return;
    }
    VadesizFaturalaraVadeAta(m_db, m_filtre);
    carileriAc(konum);
    ShowInfo(S("Vade Atama Tamamlandı!"));
}

void TFormHizliBorcKapa::BtnExcelClick()
{
    const int row = GridCari->currentIndex().row();
    if (row < 0)
        return;
    // The account, its movements from the current one on, and its figures, one block under the other.
    QStandardItemModel m;
    const auto satirEkle = [&m](const QStringList& l) {
        QList<QStandardItem*> items;
        for (const QString& s : l)
            items << new QStandardItem(s);
        m.appendRow(items);
    };
    const auto blok = [&](const QAbstractItemModel& kaynak, int ilk, int son) {
        QStringList basliklar;
        for (int c = 0; c < kaynak.columnCount(); ++c)
            basliklar << kaynak.headerData(c, Qt::Horizontal).toString();
        satirEkle(basliklar);
        for (int r = ilk; r <= son; ++r) {
            QStringList l;
            for (int c = 0; c < kaynak.columnCount(); ++c)
                l << kaynak.data(kaynak.index(r, c)).toString();
            satirEkle(l);
        }
    };
    blok(*QCari, row, row);
    satirEkle({});
    blok(*QHrk, qMax(0, GridHrk->currentIndex().row()), QHrk->rowCount() - 1);
    satirEkle({});
    QStringList basliklar, degerler;
    for (const auto& p : toplamSatiri(m_toplam)) {
        basliklar << p.first;
        degerler << p.second;
    }
    satirEkle(basliklar);
    satirEkle(degerler);
    const QString yol = AskExportFile(S("Seçilen Cariyi Excele Aktar"), S("Excel (*.xlsx)"), S("xlsx"));
    if (yol.isEmpty())
        return;
    ExportModel(m, ExportFormat::Xlsx, yol);
    QDesktopServices::openUrl(QUrl::fromLocalFile(yol));
}

void TFormHizliBorcKapa::BtnYazdirClick()
{
    const BorcKapamaYazdirma y = yazdirmaSecenekleri();
    BorcKapamaEkstresi e = BorcKapamaEkstresiOku(m_db, m_filtre, y, seciliCari(), ServerToday(m_db));
    const auto gun = [](const QVariant& v) { return v.isValid() && !v.isNull() ? v.toString() : QString(); };
    const auto tarih = [](const QVariant& v) { return TarihYazi(Query::toDate(v)); };
    const auto baslik = [=](const report::RenderContext& c) {
        return S("Cari Kod: ") + c.str(S("CARI_KOD")) + S("   Cari Adı: ") + c.str(S("FIRMA_ADI"))
               + S("\nBorç: ") + TutarYazi(c.num(S("BORCTUT"))) + S(" Vade: ") + tarih(c.value(S("BORCVTRH")))
               + S("   Alacak: ") + TutarYazi(c.num(S("ALATUT"))) + S(" Vade: ") + tarih(c.value(S("ALAVTRH")))
               + S("   Bakiye: ") + TutarYazi(c.num(S("BAKIYE"))) + QLatin1Char(' ') + c.str(S("BAKIYETIP"))
               + S("   Vade: ") + tarih(c.value(S("BAKIYEVTRH"))) + S("\nKapatan Vade: ")
               + tarih(c.value(S("KAPATANVADE2"))) + S("   Kpt.Gün: ") + gun(c.value(S("KGUN")))
               + S("   Tahsilat Vade: ") + tarih(c.value(S("KAPATANVADE"))) + S("   Fark G.: ") + gun(c.value(S("FGUN")));
    };
    const auto dip = [=](const report::RenderContext& c) {
        return S("Toplam :  ") + c.str(S("BAKIYETIP")) + S("   ") + gun(c.value(S("BAKIYEGUN")));
    };
    report::ListReportBuilder b(S("CARİ HESAP EKSTRESİ"));
    b.source(report::RecordsSource(e.alanlar, std::move(e.satirlar)))
        .company(m_ctx.FirmaAdi)
        .landscape()
        .groupBy(S("CARI_KOD"), baslik, dip)
        .rowCondition([](const report::RenderContext& c) { return !c.value(S("BOS")).toBool(); })
        .date(S("TARIH"), S("Tarih"))
        .date(S("VADE_TRH"), S("Vade"))
        .text(S("CRHRK_TUR"), S("Tür"), 16)
        .display([](const QVariant& v) { return turBasliklari().value(v.toString().trimmed(), v.toString()); })
        .text(S("ACIKLAMA"), S("Açıklama"), 70)
        .text(S("BELGE_NO"), S("Belge No"), 25)
        .number(S("GUN"), S("Gün"), 12)
        .money(S("TUTAR"), S("Tutar"), 26, false)
        .money(S("KALAN"), S("Kalan Tutar"), 26)
        .runningBalance(
            S("BAKIYE_Y"), S("Bakiye"), 32, [](const report::RenderContext& c) { return c.num(S("FARK")); }, {},
            S("CARI_KOD"),
            [](const QVariant& v) {
                const double d = RoundHalfUp2(v.toDouble());
                if (d == 0)
                    return S("0.00");
                return TutarYazi(std::abs(d)) + (d > 0 ? S(" (B)") : S(" (A)"));
            })
        .hidden(y.ileriVade)
        .summary(S("Toplam :"));
    report::Report rapor = b.build();
    report::RaporCikti(m_db, rapor, S("BORCKAPAMA"), report::OutputPreview);
}

void HizliBorcKapaAc(const SessionContext& ctx, const QString& cariKod, int mode, QWidget* parent)
{
    TFormHizliBorcKapa f(ctx, mode, parent);
    f.EditIlkKod->setText(cariKod);
    f.EditSonKod->setText(cariKod);
    f.goster();
    if (mode == 0)
        f.exec();
}

TFormDefVadeGir::TFormDefVadeGir(QList<VadesizCari>& cariler, QWidget* parent) : QDialog(parent), m_cariler(cariler)
{
    setObjectName(S("FormDefVadeGir"));
    setWindowTitle(S("Varsayılan Vade Gün Girişi"));
    auto* lay = new QVBoxLayout(this);
    GridVade = new QTableWidget(int(cariler.size()), 3, this);
    GridVade->setObjectName(S("GridVade"));
    GridVade->setHorizontalHeaderLabels({S("Cari Kod"), S("Cari Adı"), S("Vade Gün")});
    GridVade->verticalHeader()->hide();
    for (int r = 0; r < cariler.size(); ++r) {
        for (int c = 0; c < 2; ++c) {
            auto* i = new QTableWidgetItem(c == 0 ? cariler[r].CARI_KOD : cariler[r].FIRMA_ADI);
            i->setFlags(i->flags() & ~Qt::ItemIsEditable);
            GridVade->setItem(r, c, i);
        }
        GridVade->setItem(r, 2, new QTableWidgetItem(cariler[r].VADEGUN ? QString::number(cariler[r].VADEGUN) : QString()));
    }
    GridVade->resizeColumnsToContents();
    GridVade->horizontalHeader()->setStretchLastSection(true);
    lay->addWidget(GridVade);
    auto* dugmeler = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    lay->addWidget(dugmeler);
    connect(dugmeler, &QDialogButtonBox::rejected, this, &QDialog::reject); // unguarded: ui only
    connect(dugmeler, &QDialogButtonBox::accepted, this, Guarded(this, &TFormDefVadeGir::BtnOkClick));
    resize(520, 400);
}

void TFormDefVadeGir::BtnOkClick()
{
    // A pending edit is posted first.
    if (QWidget* editor = GridVade->focusWidget(); editor && editor != GridVade)
        GridVade->setFocus();
    GridVade->setCurrentItem(nullptr);
    QList<int> gunler;
    for (int r = 0; r < m_cariler.size(); ++r) {
        const QString t = GridVade->item(r, 2)->text().trimmed();
        bool ok = true;
        const int g = t.isEmpty() ? 0 : t.toInt(&ok);
        if (!ok || g < 0 || g > 32767)
            throw IslemReddi(t + S(" geçerli bir sayı değil."), MsgIcon::Warning);
        gunler << g;
    }
    for (int r = 0; r < m_cariler.size(); ++r)
        m_cariler[r].VADEGUN = gunler[r];
    accept();
}

bool VarsayilanVadeGir(QList<VadesizCari>& cariler, QWidget* parent)
{
    TFormDefVadeGir d(cariler, parent);
    return d.exec() == QDialog::Accepted;
}

} // namespace tornaly::accounts
