#include "accounts/statements/carihrk.h"
#include "accounts/ledger/CariHrkTurleri.h"
#include "accounts/ledger/CariHrk.h"
#include "accounts/vouchers/CariHark.h"

#include "context/SessionContext.h"
#include "guard/FormGuard.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "report/RaporCikti.h"
#include "export/TableExport.h"
#include "settings/GridLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

namespace tornaly::accounts {

namespace {

const QString kBos = QStringLiteral("  .  .    ");

QString tarih(const QDate& d)
{
    return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QString tutar(double v)
{
    return FormatMoney(v, QStringLiteral(",0.00"));
}

QLineEdit* tarihKutusu(const char* ad, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(ad));
    e->setInputMask(QStringLiteral("99.99.9999;_"));
    e->setMaximumWidth(100);
    return e;
}

// A masked date box: empty when nothing was typed, invalid when the text is no date.
bool tarihOku(const QLineEdit* e, QDate* out)
{
    QString t = e->text();
    t.remove(QLatin1Char('_'));
    if (t.remove(QLatin1Char('.')).trimmed().isEmpty()) {
        *out = QDate();
        return true;
    }
    *out = QDate::fromString(e->text(), QStringLiteral("dd.MM.yyyy"));
    return out->isValid();
}

QPushButton* dugme(QWidget* parent, const char* ad, const QString& baslik)
{
    auto* b = new QPushButton(baslik, parent);
    b->setObjectName(QLatin1String(ad));
    b->setAutoDefault(false);
    return b;
}

} // namespace

IlgiliIslemHedefi IlgiliIslemBul(const CariHrkSatiri& row, const QString& cariKod, bool satisVar)
{
    IlgiliIslemHedefi h;
    const QChar tur = row.CRHRK_TUR.isEmpty() ? QChar() : row.CRHRK_TUR.at(0);
    const bool refVar = !row.REF_NO.isNull() && row.REF_NO.isValid() && row.REF_NO.toDouble() != 0;
    const QString ref = refVar ? QString::number(row.REF_NO.toDouble(), 'f', 0) : QString();
    auto fis = [&](const QString& kilit) {
        h.tur = IlgiliIslemHedefi::CariFis;
        h.fisTipi = QString(tur);
        h.kilit = kilit;
        h.cariNo = row.CARI_NO;
    };
    auto kayitli = [&](const char* hedef, const QString& anahtar) {
        h.tur = IlgiliIslemHedefi::Kayitli;
        h.hedef = QLatin1String(hedef);
        h.anahtar = anahtar;
    };
    if (tur == QLatin1Char('N'))
        fis(row.BORC > 0 ? QStringLiteral("A") : QStringLiteral("B"));
    else if (tur == QLatin1Char('D') && !refVar)
        fis(QString());
    else if (tur == QLatin1Char('D') || tur == QLatin1Char('E') || tur == QChar(0x00C7))
        kayitli(entry::BordroHrkGir, ref);
    else if (tur == QLatin1Char('F') || tur == QLatin1Char('I') || tur == QLatin1Char('O') || tur == QLatin1Char('V'))
        fis(QString());
    else if (tur == QLatin1Char('G') || tur == QLatin1Char('H') || tur == QLatin1Char('K')) {
        kayitli(entry::BankaHrkGir, ref);
        h.kodTipi = tur.unicode();
    } else if (tur == QLatin1Char('M'))
        kayitli(entry::MahsupFisiGir, ref + QLatin1Char('\t') + cariKod);
    else if (tur == QLatin1Char('A'))
        kayitli(entry::AlisAc, ref);
    else if (tur == QLatin1Char('S')) {
        if (satisVar)
            kayitli(entry::SatisGoster, ref);
        else {
            kayitli(entry::IEFaturaGoster, ref);
            h.mod = 2;
        }
    }
    return h;
}

bool IlgiliIslemAcilabilir(const IlgiliIslemHedefi& h)
{
    switch (h.tur) {
    case IlgiliIslemHedefi::CariFis:
        return true;
    case IlgiliIslemHedefi::Kayitli:
        return Targets().isRegistered(h.hedef);
    case IlgiliIslemHedefi::Yok:
        break;
    }
    return false;
}

TFormCariHrk::TFormCariHrk(SessionContext& ctx, const QString& cariKod, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_kod(cariKod)
{
    setObjectName(QStringLiteral("FormCariHrk"));
    setWindowTitle(QStringLiteral("Cari Hareketler"));
    resize(1300, 780);
    auto* top = new QVBoxLayout(this);

    LabelCari = new QLabel(this);
    LabelCari->setObjectName(QStringLiteral("LabelCari"));
    QFont bold = LabelCari->font();
    bold.setBold(true);
    LabelCari->setFont(bold);
    top->addWidget(LabelCari);

    cxGrid1 = new QTableView(this);
    cxGrid1->setObjectName(QStringLiteral("cxGrid1DBBandedTableView1"));
    cxGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    cxGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    cxGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cxGrid1->verticalHeader()->setDefaultSectionSize(20);
    m_model = new QStandardItemModel(this);
    cxGrid1->setModel(m_model);
    top->addWidget(cxGrid1, 1);

    auto* alt = new QHBoxLayout;
    GridTop = new QTableWidget(1, 6, this);
    GridTop->setObjectName(QStringLiteral("GridTop"));
    GridTop->setHorizontalHeaderLabels({QStringLiteral("BORÇLAR TOPLAMI"), QStringLiteral("ALACAK TOPLAMI"),
                                        QStringLiteral("KALAN"), QStringLiteral("BORÇ TOPLAMI $"),
                                        QStringLiteral("ALACAK TOPLAMI $"), QStringLiteral("$ KALAN")});
    GridTop->verticalHeader()->hide();
    GridTop->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridTop->setMaximumHeight(60);
    GridVade = new QTableWidget(1, 4, this);
    GridVade->setObjectName(QStringLiteral("GridVade"));
    GridVade->setHorizontalHeaderLabels({QStringLiteral("Kap.BorçVd."), QStringLiteral("Alacak Vade"),
                                         QStringLiteral("Kapatan Gün"), QStringLiteral("Kapatan Vade")});
    GridVade->verticalHeader()->hide();
    GridVade->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridVade->setMaximumHeight(60);
    auto* gridler = new QVBoxLayout;
    gridler->addWidget(GridTop);
    gridler->addWidget(GridVade);
    alt->addLayout(gridler, 3);

    GBFiltre = new QGroupBox(QStringLiteral("FİLTRE"), this);
    GBFiltre->setObjectName(QStringLiteral("GBFiltre"));
    auto* fl = new QGridLayout(GBFiltre);
    EditBasTrh = tarihKutusu("EditBasTrh", GBFiltre);
    EditSonTrh = tarihKutusu("EditSonTrh", GBFiltre);
    EditVadeBas = tarihKutusu("EditVadeBas", GBFiltre);
    EditVadeSon = tarihKutusu("EditVadeSon", GBFiltre);
    RGOdeme = new QComboBox(GBFiltre);
    RGOdeme->setObjectName(QStringLiteral("RGOdeme"));
    RGOdeme->addItems({QStringLiteral("Hepsi"), QStringLiteral("Ödenmişler"), QStringLiteral("Ödenmemişler")});
    BtnFiltrele = dugme(GBFiltre, "BtnFiltrele", QStringLiteral("Filtrele"));
    BtnFiltreKaldir = dugme(GBFiltre, "BtnFiltreKaldir", QStringLiteral("&Filtre Kaldır"));
    fl->addWidget(new QLabel(QStringLiteral("Tarih Aralığı"), GBFiltre), 0, 0);
    fl->addWidget(EditBasTrh, 0, 1);
    fl->addWidget(EditSonTrh, 0, 2);
    fl->addWidget(new QLabel(QStringLiteral("Vade Tarihi Aralığı"), GBFiltre), 1, 0);
    fl->addWidget(EditVadeBas, 1, 1);
    fl->addWidget(EditVadeSon, 1, 2);
    fl->addWidget(new QLabel(QStringLiteral("Ödeme"), GBFiltre), 2, 0);
    fl->addWidget(RGOdeme, 2, 1);
    fl->addWidget(BtnFiltrele, 3, 1);
    fl->addWidget(BtnFiltreKaldir, 3, 2);
    alt->addWidget(GBFiltre, 2);

    auto* yazim = new QGroupBox(QStringLiteral("Yazım Seçeneği"), this);
    auto* yl = new QVBoxLayout(yazim);
    RGYazim = new QComboBox(yazim);
    RGYazim->setObjectName(QStringLiteral("RGYazim"));
    RGYazim->addItems({QStringLiteral("Ön İzleme"), QStringLiteral("Word"), QStringLiteral("Excel"),
                       QStringLiteral("Text"), QStringLiteral("e-mail")});
    const QString yerel = m_ctx.YerelPara.isEmpty() ? QStringLiteral("TL.") : m_ctx.YerelPara;
    CBTL = new QCheckBox(yerel + QStringLiteral(" Ekstresi"), yazim);
    CBTL->setObjectName(QStringLiteral("CBTL"));
    CBTL->setChecked(true);
    CBDetay = new QCheckBox(QStringLiteral("Detaylı Ekstre"), yazim);
    CBDetay->setObjectName(QStringLiteral("CBDetay"));
    CBDetay->setEnabled(false);
    CBDetay->setToolTip(QStringLiteral("Fatura kalemleri bu kurulumda ekstreye basılmıyor."));
    CBBakiyeDetay = new QCheckBox(QStringLiteral("Bakiye Detay"), yazim);
    CBBakiyeDetay->setObjectName(QStringLiteral("CBBakiyeDetay"));
    CBBaslik = new QCheckBox(QStringLiteral("Başlık ve Toplamları Gösterme"), yazim);
    CBBaslik->setObjectName(QStringLiteral("CBBaslik"));
    CBBelgeNo = new QCheckBox(QStringLiteral("Belge No Alanı Görünsün"), yazim);
    CBBelgeNo->setObjectName(QStringLiteral("CBBelgeNo"));
    for (QWidget* w : {static_cast<QWidget*>(RGYazim), static_cast<QWidget*>(CBTL), static_cast<QWidget*>(CBDetay),
                       static_cast<QWidget*>(CBBakiyeDetay), static_cast<QWidget*>(CBBaslik),
                       static_cast<QWidget*>(CBBelgeNo)})
        yl->addWidget(w);
    alt->addWidget(yazim, 1);
    top->addLayout(alt);

    auto* dugmeler = new QHBoxLayout;
    BtnEkstre = dugme(this, "BtnEkstre", QStringLiteral("Cari Ekstre Yazdır"));
    BtnIlgili = dugme(this, "BtnIlgili", QStringLiteral("İlgili İşlem"));
    BtnBorcKapa = dugme(this, "BtnBorcKapa", QStringLiteral("Borç Kapama"));
    BtnBorcKapaDetay = dugme(this, "BtnBorcKapaDetay", QStringLiteral("Borç Kap.Detay"));
    BtnSms = dugme(this, "BtnSms", QStringLiteral("Bakiyeyi SMS ile Gönder"));
    BtnGorunum = dugme(this, "BtnGorunum", QStringLiteral("Görünümü Sakla"));
    BtnKapat = dugme(this, "BtnKapat", QStringLiteral("&Kapat"));
    for (QPushButton* b : {BtnEkstre, BtnIlgili, BtnBorcKapa, BtnBorcKapaDetay, BtnSms, BtnGorunum})
        dugmeler->addWidget(b);
    dugmeler->addStretch();
    dugmeler->addWidget(BtnKapat);
    top->addLayout(dugmeler);

    const bool borcKapama = Targets().isRegistered(QLatin1String(entry::HizliBorcKapaAc));
    BtnBorcKapa->setEnabled(borcKapama);
    BtnBorcKapaDetay->setEnabled(borcKapama);
    // The SMS form is not part of this installation.
    BtnSms->setEnabled(false);

    connect(BtnFiltrele, &QPushButton::clicked, this, Guarded([this] { BtnFiltreleClick(); }));
    connect(BtnFiltreKaldir, &QPushButton::clicked, this, Guarded([this] { BtnFiltreKaldirClick(); }));
    connect(BtnEkstre, &QPushButton::clicked, this, Guarded([this] { BtnEkstreClick(); }));
    connect(BtnIlgili, &QPushButton::clicked, this, Guarded([this] { BtnIlgiliClick(); }));
    connect(BtnBorcKapa, &QPushButton::clicked, this, Guarded([this] { BtnBorcKapaClick(); }));
    connect(BtnBorcKapaDetay, &QPushButton::clicked, this, Guarded([this] { BtnBorcKapaClick(); }));
    connect(BtnSms, &QPushButton::clicked, this, Guarded([this] { BtnSmsClick(); }));
    connect(BtnGorunum, &QPushButton::clicked, this, Guarded([this] { BtnGorunumClick(); }));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::accept); // unguarded: ui only
    connect(CBBakiyeDetay, &QCheckBox::toggled, this, Guarded([](bool on) {
        if (on)
            ShowInfo(QStringLiteral("Bakiye Detayın Doğru Görünmesi için Borç Kapama çalıştırınız"));
    }));
    connect(cxGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this, Guarded([this] { ilgiliDurumu(); }));

    yukle();
    RestoreGridLayout(QStringLiteral("FormCariHrk"), cxGrid1, RestoreFlags{});
}

void TFormCariHrk::yukle()
{
    const Db& db = m_ctx.Database1;
    Query q(db, QStringLiteral("SELECT CARI_KOD,FIRMA_ADI, TEL1,TEL2,TEL3,TEL4 FROM CARI WHERE CARI_KOD=:CARI_KOD"));
    q.bind(QStringLiteral("CARI_KOD"), m_kod).exec();
    if (q.next()) {
        m_ad = q.str(QStringLiteral("FIRMA_ADI"));
        for (int i = 0; i < 4; ++i)
            m_telefonlar[i] = q.str(QStringLiteral("TEL%1").arg(i + 1));
    }
    q.finish();
    LabelCari->setText(m_kod + QLatin1Char('-') + m_ad);
    m_tum = CariHareketleri(db, m_kod);
    m_vade = VadeOzeti(VadeToplamlariHesapla(m_tum), QDate::currentDate());

    const CariToplam t = CariToplamOku(db, m_kod);
    const double kalan = t.bakiye();
    const double kalanUsd = t.borcUsd - t.alacakUsd;
    GridTop->horizontalHeaderItem(2)->setText(BakiyeBasligi(kalan));
    GridTop->horizontalHeaderItem(5)->setText(UsdBakiyeBasligi(kalanUsd));
    const double degerler[6] = {t.borc, t.alacak, std::abs(kalan), t.borcUsd, t.alacakUsd, std::abs(kalanUsd)};
    for (int i = 0; i < 6; ++i) {
        auto* item = new QTableWidgetItem(tutar(degerler[i]));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        GridTop->setItem(0, i, item);
    }
    GridVade->setItem(0, 0, new QTableWidgetItem(tarih(m_vade.KBORCVTRH)));
    GridVade->setItem(0, 1, new QTableWidgetItem(tarih(m_vade.ALAVTRH)));
    GridVade->setItem(0, 2, new QTableWidgetItem(m_vade.KGUN.isNull() ? QString() : m_vade.KGUN.toString()));
    GridVade->setItem(0, 3, new QTableWidgetItem(tarih(m_vade.KAPATANVADE)));
    GridTop->resizeColumnsToContents();
    GridVade->resizeColumnsToContents();
    m_gosterilen = Filtrele(m_tum, m_filtre);
    listeyiDoldur();
}

void TFormCariHrk::listeyiDoldur()
{
    struct Kolon {
        const char* alan;
        const char* baslik;
    };
    static const Kolon kolonlar[] = {
        {"TARIH", "Tarih"},           {"REF_NO", "Ref.No"},           {"CRHRK_TUR", "Cari Hrk.Türü"},
        {"ALT_TIP", "Detay"},         {"VADE_TRH", "Vade"},           {"PLAKA_NO", "Plaka"},
        {"BORC", "Borç"},             {"ALACAK", "Alacak"},           {"PORTFOYNO", "Portföy No"},
        {"SON_DURUMU", "ÇEK Durumu"}, {"ACIKLAMA", "Açıklama"},       {"TL_KURDEGER", "Kur"},
        {"TL_USDEGER", "USD Kur"},    {"ODE_KOD", "Ödeme Kodu"},      {"BORC_USD", "Borç $"},
        {"ALACAK_USD", "Alacak $"},   {"BORC_DVZ", "Borç Dvz"},       {"ALACAK_DVZ", "Alacak Dvz"},
        {"DOVIZ_KODU", "Döviz"},      {"PARA_BAZ", "Para Bazı"},      {"CARI_NO", "Cari No"},
    };
    m_model->clear();
    QStringList basliklar;
    for (const Kolon& k : kolonlar)
        basliklar.append(QString::fromUtf8(k.baslik));
    m_model->setHorizontalHeaderLabels(basliklar);
    for (int c = 0; c < int(std::size(kolonlar)); ++c)
        m_model->setHeaderData(c, Qt::Horizontal, QString::fromLatin1(kolonlar[c].alan), Qt::UserRole);
    double toplam[6] = {};
    for (const CariHrkSatiri& s : m_gosterilen) {
        const QChar tur = s.CRHRK_TUR.isEmpty() ? QChar() : s.CRHRK_TUR.at(0);
        const QStringList metin{
            tarih(s.TARIH.date()),
            s.REF_NO.isNull() ? QString() : QString::number(s.REF_NO.toDouble(), 'f', 0),
            CariHrkTurBasligi(CariHrkEkrani::HareketListesi, tur, s.REF_NO),
            AltTipBasligi(AltTipEkrani::HareketListesi, s.ALT_TIP, tur),
            tarih(s.VADE_TRH.date()),
            s.PLAKA_NO,
            tutar(s.BORC),
            tutar(s.ALACAK),
            s.PORTFOYNO == 0 ? QString() : QString::number(s.PORTFOYNO, 'f', 0),
            s.SON_DURUMU,
            s.Aciklama2,
            tutar(s.TL_KURDEGER),
            tutar(s.TL_USDEGER),
            s.ODE_KOD,
            tutar(s.BORC_USD),
            tutar(s.ALACAK_USD),
            tutar(s.BORC_DVZ),
            tutar(s.ALACAK_DVZ),
            s.DOVIZ_KODU,
            ParaBazBasligi(s.PARA_BAZ),
            QString::number(s.CARI_NO, 'f', 0),
        };
        QList<QStandardItem*> satir;
        for (int c = 0; c < metin.size(); ++c) {
            auto* item = new QStandardItem(metin.at(c));
            const QString alan = QString::fromLatin1(kolonlar[c].alan);
            if (alan.startsWith(QLatin1String("BORC")) || alan.startsWith(QLatin1String("ALACAK")) ||
                alan.startsWith(QLatin1String("TL_")))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            satir.append(item);
        }
        m_model->appendRow(satir);
        toplam[0] += s.BORC, toplam[1] += s.ALACAK, toplam[2] += s.BORC_USD;
        toplam[3] += s.ALACAK_USD, toplam[4] += s.BORC_DVZ, toplam[5] += s.ALACAK_DVZ;
    }
    // The footer sums of the six amount columns.
    QList<QStandardItem*> alt;
    for (const Kolon& k : kolonlar) {
        const QString alan = QString::fromLatin1(k.alan);
        static const QStringList paralar{QStringLiteral("BORC"),     QStringLiteral("ALACAK"),
                                         QStringLiteral("BORC_USD"), QStringLiteral("ALACAK_USD"),
                                         QStringLiteral("BORC_DVZ"), QStringLiteral("ALACAK_DVZ")};
        const int i = paralar.indexOf(alan);
        auto* item = new QStandardItem(i >= 0 ? tutar(toplam[i]) : QString());
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QFont f = item->font();
        f.setBold(true);
        item->setFont(f);
        item->setSelectable(false);
        alt.append(item);
    }
    m_model->appendRow(alt);
    cxGrid1->resizeColumnsToContents();
    if (!m_gosterilen.isEmpty())
        cxGrid1->setCurrentIndex(m_model->index(int(m_gosterilen.size()) - 1, 0));
    ilgiliDurumu();
}

void TFormCariHrk::ilgiliDurumu()
{
    const int row = cxGrid1->currentIndex().row();
    bool acilir = false;
    if (row >= 0 && row < m_gosterilen.size())
        acilir = IlgiliIslemAcilabilir(IlgiliIslemBul(m_gosterilen.at(row), m_kod, false)) ||
                 IlgiliIslemAcilabilir(IlgiliIslemBul(m_gosterilen.at(row), m_kod, true));
    BtnIlgili->setEnabled(acilir);
}

CariHrkFiltre TFormCariHrk::filtreOku(bool* gecerli) const
{
    CariHrkFiltre f;
    *gecerli = tarihOku(EditBasTrh, &f.bas) && tarihOku(EditSonTrh, &f.son) && tarihOku(EditVadeBas, &f.vadeBas) &&
               tarihOku(EditVadeSon, &f.vadeSon);
    f.odeme = CariHrkFiltre::Odeme(qMax(0, RGOdeme->currentIndex()));
    return f;
}

void TFormCariHrk::BtnFiltreleClick()
{
    bool gecerli = false;
    const CariHrkFiltre f = filtreOku(&gecerli);
    if (!gecerli) {
        ShowWarning(QStringLiteral("Geçerli bir tarih giriniz."));
        return;
    }
    // With every field cleared the filter goes: the list and the statement show all rows.
    m_filtre = f;
    DispFlt = m_filtre.aciklama();
    m_gosterilen = Filtrele(m_tum, m_filtre);
    listeyiDoldur();
}

void TFormCariHrk::BtnFiltreKaldirClick()
{
    for (QLineEdit* e : {EditBasTrh, EditSonTrh, EditVadeBas, EditVadeSon})
        e->clear();
    RGOdeme->setCurrentIndex(0);
    m_filtre = CariHrkFiltre();
    DispFlt.clear();
    m_gosterilen = m_tum;
    listeyiDoldur();
}

EkstreSecenekleri TFormCariHrk::secenekler() const
{
    EkstreSecenekleri s;
    s.yerelPara = CBTL->isChecked();
    s.bakiyeDetay = CBBakiyeDetay->isChecked();
    s.baslikBirKez = CBBaslik->isChecked();
    s.belgeNo = CBBelgeNo->isChecked();
    return s;
}

QString TFormCariHrk::BtnEkstreClick()
{
    const EkstreSecenekleri s = secenekler();
    const EkstreVerisi veri = EkstreVerisiOku(m_ctx.Database1, m_kod, m_ad, m_filtre, s);
    const QString cikti = RGYazim->currentText();
    if (cikti == QLatin1String("Ön İzleme") || cikti == QLatin1String("e-mail"))
        return report::OutputDocument(EkstreBelgesi(veri, s), report::OutputPreview);
    if (cikti == QLatin1String("Excel")) {
        GridExport(QStringLiteral("E"), cxGrid1, true);
        EkstreSecenekleri doviz = s;
        doviz.yerelPara = false;
        return report::OutputDocument(EkstreBelgesi(veri, doviz), report::OutputExcel);
    }
    // Word and text write the currency statement, as the statement choice there always did.
    EkstreSecenekleri doviz = s;
    doviz.yerelPara = false;
    return report::OutputDocument(EkstreBelgesi(veri, doviz),
                                  cikti == QLatin1String("Word") ? report::OutputWord : report::OutputText);
}

void TFormCariHrk::BtnIlgiliClick()
{
    const int row = cxGrid1->currentIndex().row();
    if (row < 0 || row >= m_gosterilen.size())
        return;
    const CariHrkSatiri& s = m_gosterilen.at(row);
    bool satisVar = false;
    if (s.CRHRK_TUR == QLatin1String("S") && m_ctx.Database1.dialect().tableExists(m_ctx.Database1, QStringLiteral("SATIS"))) {
        Query q(m_ctx.Database1, QStringLiteral("SELECT COUNT(*) AS CNT FROM SATIS WHERE SATIS_NO=:REF_NO"));
        q.bind(QStringLiteral("REF_NO"), s.REF_NO).exec();
        satisVar = q.next() && q.integer(QStringLiteral("CNT")) > 0;
    }
    const IlgiliIslemHedefi h = IlgiliIslemBul(s, m_kod, satisVar);
    if (!IlgiliIslemAcilabilir(h))
        return;
    if (h.tur == IlgiliIslemHedefi::CariFis) {
        CariHrkGir(m_ctx, h.fisTipi, h.kilit, m_kod, m_ad, h.cariNo, this);
    } else {
        OpenRequest r;
        r.target = h.hedef;
        r.ctx = &m_ctx;
        r.owner = this;
        r.key = h.anahtar;
        r.mode = h.mod;
        r.codeType = h.kodTipi;
        Targets().routine(h.hedef)(r);
    }
    yukle();
}

void TFormCariHrk::BtnBorcKapaClick()
{
    if (const RoutineOpener ac = Targets().routine(QLatin1String(entry::HizliBorcKapaAc))) {
        OpenRequest r;
        r.target = QLatin1String(entry::HizliBorcKapaAc);
        r.ctx = &m_ctx;
        r.owner = this;
        r.key = m_kod;
        ac(r);
        yukle();
    }
}

void TFormCariHrk::BtnSmsClick()
{
}

void TFormCariHrk::BtnGorunumClick()
{
    SaveGridLayout(QStringLiteral("FormCariHrk"), cxGrid1);
}

void CariHareketGoster(SessionContext& ctx, const QString& cariKod, QWidget* parent)
{
    TFormCariHrk f(ctx, cariKod, parent);
    f.exec();
}

} // namespace tornaly::accounts
