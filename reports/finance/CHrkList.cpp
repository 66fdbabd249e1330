#include "reports/finance/CHrkList.h"

#include "context/SessionContext.h"
#include "export/TableExport.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "report/RaporCikti.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::reports {

namespace {

QLineEdit* tarihKutusu(const char* ad, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(ad));
    e->setInputMask(QStringLiteral("99.99.9999; "));
    return e;
}

// The text of a masked date box; empty when nothing was typed.
QString maskeliTarih(const QLineEdit* e)
{
    QString t = e->text();
    if (t.remove(QLatin1Char('.')).trimmed().isEmpty())
        return {};
    return e->text().trimmed();
}

QPushButton* dugme(QWidget* parent, const char* ad, const QString& baslik)
{
    auto* b = new QPushButton(baslik, parent);
    b->setObjectName(QLatin1String(ad));
    b->setAutoDefault(false);
    return b;
}

QString harfMetni(const QString& harf, const char* const (*tablo)[2], int n, bool harfiGoster)
{
    for (int i = 0; i < n; ++i)
        if (harf == QString::fromUtf8(tablo[i][0]))
            return QString::fromUtf8(tablo[i][1]);
    return harfiGoster ? harf : QString();
}

const char* const kTurler[][2] = {{"A", "Alış Ft."}, {"D", "Dekont"},     {"E", "Senet"},        {"G", "Gel.Hvl."},
                                  {"H", "Gönd.Hvl."}, {"I", "Devir"},     {"K", "Kredi Kartı"},  {"L", "Araç Al.Ft."},
                                  {"M", "Fiş"},       {"N", "Nakit"},     {"S", "Satış Ft."},    {"T", "Araç Sat.Ft."},
                                  {"V", "Virman"},    {"Ç", "Çek"}};
const char* const kAltTipler[][2] = {{"A", "İade"},     {"B", "Banko"},    {"D", "Diğer"},
                                     {"E", "Hasar"},    {"G", "Garanti"},  {"I", "İşEmri"},
                                     {"K", "Kampanya"}, {"M", "Prim.Srv."}, {"N", "Prim.St."}};
const char* const kGruplar[][2] = {{"D", "Distribütör"}, {"F", "Filo"},     {"K", "Son Kullanıcı"},
                                   {"R", "Şirket"},      {"T", "Tedarikçi"}, {"Z", "Diğer"}};

QString tarih(const QDateTime& t)
{
    return t.isValid() ? t.date().toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QString tutar(double v)
{
    return FormatMoney(v, QStringLiteral(",0.00"));
}

} // namespace

// ---------------------------------------------------------------------------

THarekSorDlg::THarekSorDlg(SessionContext& ctx, TSorgu& sorgu, QWidget* parent) : QDialog(parent), m_sorgu(sorgu)
{
    setObjectName(QStringLiteral("HarekSorDlg"));
    setWindowTitle(QStringLiteral("Cari Hareket Listesi Sorgusu"));
    m_sorgu.GeriDon = QLatin1Char('0');
    auto* top = new QVBoxLayout(this);
    auto* form = new QGridLayout;
    LCGrup = new QComboBox(this);
    LCGrup->setObjectName(QStringLiteral("LCGrup"));
    LCGrup->addItem(QString(), QString());
    for (const auto& g : kGruplar)
        LCGrup->addItem(QString::fromUtf8(g[1]), QString::fromUtf8(g[0]));
    int row = 0;
    form->addWidget(new QLabel(QStringLiteral("Cari Grup"), this), row, 0);
    form->addWidget(LCGrup, row++, 1, 1, 2);
    for (int i = 0; i < 3; ++i) {
        EditOzel[i] = new QLineEdit(this);
        EditOzel[i]->setObjectName(QStringLiteral("EditOzel%1").arg(i + 1));
        form->addWidget(new QLabel(QStringLiteral("Özel Kod %1").arg(i + 1), this), row, 0);
        form->addWidget(EditOzel[i], row++, 1, 1, 2);
    }
    EditKod1 = new QLineEdit(this);
    EditKod1->setObjectName(QStringLiteral("EditKod1"));
    EditKod2 = new QLineEdit(this);
    EditKod2->setObjectName(QStringLiteral("EditKod2"));
    form->addWidget(new QLabel(QStringLiteral("Cari Kod"), this), row, 0);
    form->addWidget(EditKod1, row, 1);
    form->addWidget(EditKod2, row++, 2);
    EditTrh1 = tarihKutusu("EditTrh1", this);
    EditTrh2 = tarihKutusu("EditTrh2", this);
    form->addWidget(new QLabel(QStringLiteral("Hareket Tarihi"), this), row, 0);
    form->addWidget(EditTrh1, row, 1);
    form->addWidget(EditTrh2, row++, 2);
    EditVade1 = tarihKutusu("EditVade1", this);
    EditVade2 = tarihKutusu("EditVade2", this);
    form->addWidget(new QLabel(QStringLiteral("Vade Tarihi"), this), row, 0);
    form->addWidget(EditVade1, row, 1);
    form->addWidget(EditVade2, row++, 2);
    RGOdeme = new QComboBox(this);
    RGOdeme->setObjectName(QStringLiteral("RGOdeme"));
    RGOdeme->addItems({QStringLiteral("Ödenenler"), QStringLiteral("Ödenmiyenler"), QStringLiteral("İkisi de")});
    RGOdeme->setCurrentIndex(2);
    form->addWidget(new QLabel(QStringLiteral("Ödeme Durumu"), this), row, 0);
    form->addWidget(RGOdeme, row++, 1, 1, 2);
    RGBorcAlacak = new QComboBox(this);
    RGBorcAlacak->setObjectName(QStringLiteral("RGBorcAlacak"));
    RGBorcAlacak->addItems({QStringLiteral("Borç"), QStringLiteral("Alacak"), QStringLiteral("İkisi de")});
    RGBorcAlacak->setCurrentIndex(2);
    form->addWidget(new QLabel(QStringLiteral("Borç/Alacak"), this), row, 0);
    form->addWidget(RGBorcAlacak, row++, 1, 1, 2);
    CBHrkTuru = new QComboBox(this);
    CBHrkTuru->setObjectName(QStringLiteral("CBHrkTuru"));
    CBHrkTuru->addItems({QStringLiteral("Tümü"), QStringLiteral("İlk Açılış"), QStringLiteral("Virman"),
                         QStringLiteral("Alış Fat.sı"), QStringLiteral("Satış Fat.sı"), QStringLiteral("Nakit"),
                         QStringLiteral("Çek"), QStringLiteral("Senet"), QStringLiteral("Dekont"),
                         QStringLiteral("Gelen Havaleler"), QStringLiteral("Gönderilen Havaleler"), QStringLiteral("Fiş")});
    form->addWidget(new QLabel(QStringLiteral("Cari Hrk Türü"), this), row, 0);
    form->addWidget(CBHrkTuru, row++, 1, 1, 2);
    top->addLayout(form);
    auto* buttons = new QHBoxLayout;
    BtnTamam = dugme(this, "BtnTamam", QStringLiteral(" &Tamam"));
    BtnVazgec = dugme(this, "BtnVazgec", QStringLiteral(" &Vazgeç"));
    BtnTumu = dugme(this, "BtnTumu", QStringLiteral("&Tümü"));
    buttons->addStretch();
    buttons->addWidget(BtnTamam);
    buttons->addWidget(BtnTumu);
    buttons->addWidget(BtnVazgec);
    top->addLayout(buttons);
    connect(BtnTamam, &QPushButton::clicked, this, Guarded([this] { BtnTamamClick(); }));
    connect(BtnVazgec, &QPushButton::clicked, this, Guarded([this] { BtnVazgecClick(); }));
    connect(BtnTumu, &QPushButton::clicked, this, Guarded([this] { BtnTumuClick(); }));
    Q_UNUSED(ctx);
}

void THarekSorDlg::BtnTamamClick()
{
    TSorgu& s = m_sorgu;
    s.SorguStrA = QString();
    s.SorguStrB = QString();
    s.SorguStrX = QString();
    s.SorguStrY = QString();
    s.SorguSecStr = QString();
    s.ozelkod1.clear();
    s.ozelkod2.clear();
    s.ozelkod3.clear();
    s.SorguSecLInt = s.SorguSecLInt1 = s.SorguInt = -1;
    s.SorguSec1 = LCGrup->currentData().toString();
    s.ozelkod1 = EditOzel[0]->text().trimmed();
    s.ozelkod2 = EditOzel[1]->text().trimmed();
    s.ozelkod3 = EditOzel[2]->text().trimmed();
    s.str1 = EditKod1->text().trimmed();
    s.str2 = EditKod2->text().trimmed();
    s.SorguStrA = maskeliTarih(EditTrh1);
    s.SorguStrB = maskeliTarih(EditTrh2);
    s.SorguStrX = maskeliTarih(EditVade1);
    s.SorguStrY = maskeliTarih(EditVade2);
    s.SorguInt = RGOdeme->currentIndex() < 2 ? RGOdeme->currentIndex() : -1;
    s.SorguSecLInt = RGBorcAlacak->currentIndex() < 2 ? RGBorcAlacak->currentIndex() : -1;
    s.SorguSecLInt1 = CBHrkTuru->currentIndex() > 0 ? CBHrkTuru->currentIndex() : -1;
    CariHrkKriter k;
    QString hata;
    if (!KriterOku(s, &k, &hata)) {
        ShowWarning(hata);
        return;
    }
    s.GeriDon = QLatin1Char('T');
    accept();
}

void THarekSorDlg::BtnVazgecClick()
{
    m_sorgu.GeriDon = QLatin1Char('0');
    reject();
}

void THarekSorDlg::BtnTumuClick()
{
    m_sorgu.GeriDon = QLatin1Char('H');
    accept();
}

// ---------------------------------------------------------------------------

TFormCHrkList::TFormCHrkList(SessionContext& ctx, const CariHrkKriter& kriter, QVector<CariHrkListeSatiri> rows,
                             std::unique_ptr<CariHrkListesi> kalan, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_kriter(kriter), m_rows(std::move(rows)), m_kalan(std::move(kalan))
{
    setObjectName(QStringLiteral("FormCHrkList"));
    setWindowTitle(QStringLiteral("Cari Hrk.Listesi"));
    resize(1300, 760);
    auto* top = new QVBoxLayout(this);
    Grid = new QTableView(this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->verticalHeader()->setDefaultSectionSize(20);
    m_model = new QStandardItemModel(this);
    Grid->setModel(m_model);
    top->addWidget(Grid, 1);
    LabelKumulatif = new QLabel(this);
    LabelKumulatif->setObjectName(QStringLiteral("LabelKumulatif"));
    top->addWidget(LabelKumulatif);

    auto* opts = new QGridLayout;
    CBSiralama = new QComboBox(this);
    CBSiralama->setObjectName(QStringLiteral("CBSiralama"));
    CBSiralama->addItems(SiralamaSecenekleri());
    CBSiralama->setCurrentText(QStringLiteral("Cari Kod"));
    CBUsd = new QCheckBox(QStringLiteral("Usd Yazdır"), this);
    CBUsd->setObjectName(QStringLiteral("CBUsd"));
    CBDovizli = new QCheckBox(QStringLiteral("Dövizli Döküm"), this);
    CBDovizli->setObjectName(QStringLiteral("CBDovizli"));
    LCDoviz = new QComboBox(this);
    LCDoviz->setObjectName(QStringLiteral("LCDoviz"));
    LCDoviz->addItem(QString());
    {
        Query q(ctx.Database1, QStringLiteral("SELECT DOVIZ_KODU FROM DOVIZ ORDER BY DOVIZ_KODU"));
        q.exec();
        while (q.next())
            LCDoviz->addItem(q.str(QStringLiteral("DOVIZ_KODU")));
    }
    CBToplamSira = new QComboBox(this);
    CBToplamSira->setObjectName(QStringLiteral("CBToplamSira"));
    CBToplamSira->addItems(ToplamSiralamaSecenekleri());
    CBToplamFiltre = new QComboBox(this);
    CBToplamFiltre->setObjectName(QStringLiteral("CBToplamFiltre"));
    CBToplamFiltre->addItems(ToplamFiltreSecenekleri());
    EditMinBakiye = new QDoubleSpinBox(this);
    EditMinBakiye->setObjectName(QStringLiteral("EditMinBakiye"));
    EditMinBakiye->setRange(0, 1e12);
    EditMinBakiye->setDecimals(2);
    CBCikti = new QComboBox(this);
    CBCikti->setObjectName(QStringLiteral("CBCikti"));
    CBCikti->addItems(report::ListOutputNames());
    BtnListe = dugme(this, "BtnListe", QStringLiteral("Liste Dökümü"));
    BtnToplam = dugme(this, "BtnToplam", QStringLiteral("Toplamlar Dökümü"));
    BtnKapat = dugme(this, "BtnKapat", QStringLiteral("&Kapat"));
    opts->addWidget(new QLabel(QStringLiteral("Sıralama Değiş"), this), 0, 0);
    opts->addWidget(CBSiralama, 0, 1);
    opts->addWidget(CBUsd, 0, 2);
    opts->addWidget(CBDovizli, 0, 3);
    opts->addWidget(new QLabel(QStringLiteral("Döviz Kodu"), this), 0, 4);
    opts->addWidget(LCDoviz, 0, 5);
    opts->addWidget(new QLabel(QStringLiteral("Toplamlar Döküm Sıralaması"), this), 1, 0);
    opts->addWidget(CBToplamSira, 1, 1);
    opts->addWidget(new QLabel(QStringLiteral("Toplamlar Dökümü Filtresi"), this), 1, 2);
    opts->addWidget(CBToplamFiltre, 1, 3);
    opts->addWidget(new QLabel(QStringLiteral("Minimum Bakiye"), this), 1, 4);
    opts->addWidget(EditMinBakiye, 1, 5);
    opts->addWidget(CBCikti, 2, 0);
    opts->addWidget(BtnListe, 2, 1);
    opts->addWidget(BtnToplam, 2, 2);
    opts->addWidget(BtnKapat, 2, 5);
    top->addLayout(opts);

    connect(CBSiralama, &QComboBox::activated, this, Guarded([this] { CBSiralamaChange(); }));
    connect(BtnListe, &QPushButton::clicked, this, Guarded([this] { BtnListeClick(); }));
    connect(BtnToplam, &QPushButton::clicked, this, Guarded([this] { BtnToplamClick(); }));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::accept); // unguarded: ui only
    doldur();
    connect(Grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, Guarded([this] { kumulatifGoster(); }));
    // The next page comes when the grid shows its last row.
    connect(Grid->verticalScrollBar(), &QScrollBar::valueChanged, this, Guarded([this](int deger) {
                if (deger >= Grid->verticalScrollBar()->maximum())
                    sonrakiSayfa();
            }));
}

TFormCHrkList::~TFormCHrkList() = default;

bool TFormCHrkList::sonrakiSayfa()
{
    if (!m_kalan || m_kalan->bitti())
        return false;
    const QVector<CariHrkListeSatiri> rows = m_kalan->sonrakiSayfa();
    m_rows += rows;
    satirlariEkle(rows);
    return !rows.isEmpty();
}

void TFormCHrkList::tumunuOku()
{
    if (!m_kalan || m_kalan->bitti())
        return;
    const QVector<CariHrkListeSatiri> rows = m_kalan->kalanlar();
    m_rows += rows;
    satirlariEkle(rows);
}

void TFormCHrkList::doldur()
{
    m_model->clear();
    m_model->setHorizontalHeaderLabels(
        {QStringLiteral("Cari Kodu"),   QStringLiteral("Firma/Cari Adı"), QStringLiteral("C.Hrk.Türü"),
         QStringLiteral("Detay"),       QStringLiteral("Hrk.Trh."),       QStringLiteral("Vade"),
         QStringLiteral("Borç"),        QStringLiteral("Alacak"),         QStringLiteral("Açıklama"),
         QStringLiteral("Refrans No"),  QStringLiteral("Cari Hrk No"),    QStringLiteral("Cari Grubu"),
         QStringLiteral("Kapatma Trh."), QStringLiteral("Özel Kod 1"),    QStringLiteral("Özel Kod 2"),
         QStringLiteral("Özel Kod 3"),  QStringLiteral("Dvz.Kod"),        QStringLiteral("Borç $"),
         QStringLiteral("Alacak $"),    QStringLiteral("Borç Dvz"),       QStringLiteral("Alacak Dvz"),
         QStringLiteral("H.Bazı"),      QStringLiteral("Ödedimi")});
    satirlariEkle(m_rows);
    Grid->resizeColumnsToContents();
    if (!m_rows.isEmpty())
        Grid->setCurrentIndex(m_model->index(0, 0));
    kumulatifGoster();
}

void TFormCHrkList::satirlariEkle(const QVector<CariHrkListeSatiri>& rows)
{
    for (const CariHrkListeSatiri& r : rows) {
        const QStringList metin{r.CARI_KOD,
                                r.FIRMA_ADI,
                                harfMetni(r.CRHRK_TUR, kTurler, int(std::size(kTurler)), false),
                                harfMetni(r.ALT_TIP, kAltTipler, int(std::size(kAltTipler)), true),
                                tarih(r.TARIH),
                                tarih(r.VADE_TRH),
                                tutar(r.BORC),
                                tutar(r.ALACAK),
                                r.ACIKLAMA,
                                r.REF_NO == 0 ? QString() : QString::number(r.REF_NO, 'f', 0),
                                QString::number(r.CARI_NO, 'f', 0),
                                harfMetni(r.CARI_GRP_KOD, kGruplar, int(std::size(kGruplar)), false),
                                tarih(r.KTARIH),
                                r.OZEL_KOD_1,
                                r.OZEL_KOD_2,
                                r.OZEL_KOD_3,
                                r.DOVIZ_KODU,
                                tutar(r.BORC_USD),
                                tutar(r.ALACAK_USD),
                                tutar(r.BORC_DVZ),
                                tutar(r.ALACAK_DVZ),
                                r.PARA_BAZ,
                                r.ODENDI_MI};
        QList<QStandardItem*> items;
        for (int c = 0; c < metin.size(); ++c) {
            auto* it = new QStandardItem(metin.at(c));
            if ((c >= 6 && c <= 7) || (c >= 17 && c <= 20))
                it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            items.append(it);
        }
        m_model->appendRow(items);
    }
}

void TFormCHrkList::kumulatifGoster()
{
    const int row = Grid->currentIndex().row();
    if (row < 0 || row >= m_rows.size()) {
        LabelKumulatif->clear();
        return;
    }
    const CariHrkListeSatiri& r = m_rows.at(row);
    const KumulatifBakiye k = KumulatifBakiyeOku(m_ctx.Database1, r.CARI_KOD, r.TARIH, r.CARI_NO);
    LabelKumulatif->setText(QStringLiteral("Küm.Bakiye : %1    Küm.bakiyeusd : %2    Küm.bakiye Döviz : %3")
                                .arg(ListeBakiye(k.bakiye), ListeBakiye(k.usd), ListeBakiye(k.doviz)));
}

void TFormCHrkList::CBSiralamaChange()
{
    m_kalan = std::make_unique<CariHrkListesi>(m_ctx.Database1, m_kriter, CBSiralama->currentText());
    m_rows = m_kalan->sonrakiSayfa();
    doldur();
}

QString TFormCHrkList::BtnListeClick()
{
    QString doviz;
    if (CBDovizli->isChecked()) {
        doviz = LCDoviz->currentText().trimmed();
        if (doviz.isEmpty()) {
            ShowWarning(QStringLiteral("Herhangi bir döviz kodu seçiniz"));
            return {};
        }
    }
    tumunuOku(); // the statement prints the whole list
    QStringList hesaplar;
    for (const CariHrkListeSatiri& r : m_rows)
        hesaplar.append(r.CARI_KOD);
    const auto acilis = AcilisBakiyeleri(m_ctx.Database1, hesaplar, m_kriter.trhBas, doviz);
    const QString cikti = CBCikti->currentText();
    // Word, text and the spreadsheet copy write the local-currency statement.
    report::Report r = CariHrkListeRaporu(m_rows, acilis, m_kriter, CBUsd->isChecked(),
                                          cikti == report::OutputPreview ? doviz : QString());
    if (cikti == report::OutputExcel)
        GridExport(QStringLiteral("E"), Grid, true);
    return report::RaporCikti(m_ctx.Database1, r, QString(), cikti);
}

QString TFormCHrkList::BtnToplamClick()
{
    const QString cikti = CBCikti->currentText();
    QString doviz;
    if (cikti == report::OutputPreview && CBDovizli->isChecked()) {
        doviz = LCDoviz->currentText().trimmed();
        if (doviz.isEmpty()) {
            ShowWarning(QStringLiteral("Herhangi bir döviz kodu seçiniz"));
            return {};
        }
    }
    const auto rows = CariHrkToplamlariOku(m_ctx.Database1, m_kriter, CBToplamSira->currentText(), doviz);
    report::Report r = CariHrkToplamRaporu(rows, m_kriter, CBUsd->isChecked(), doviz, CBToplamFiltre->currentIndex(),
                                           EditMinBakiye->value());
    return report::RaporCikti(m_ctx.Database1, r, QString(), cikti);
}

void CariHrkSorgula(ReportMenuEnv& env, TSorgu& sorgu)
{
    THarekSorDlg dlg(*env.ctx, sorgu, env.menu);
    dlg.exec();
}

void CariHrkListele(ReportMenuEnv& env, const TSorgu& sorgu)
{
    CariHrkKriter k;
    QString hata;
    if (!KriterOku(sorgu, &k, &hata)) {
        ShowWarning(hata);
        return;
    }
    auto liste = std::make_unique<CariHrkListesi>(env.ctx->Database1, k);
    QVector<CariHrkListeSatiri> rows = liste->sonrakiSayfa();
    if (rows.isEmpty()) {
        ShowInfo(QStringLiteral("Hareket Bilgisi Yok"));
        return;
    }
    TFormCHrkList f(*env.ctx, k, std::move(rows), std::move(liste), env.menu);
    f.exec();
}

} // namespace tornaly::reports
