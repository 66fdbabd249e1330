#include "stock/count/MikDevret.h"
#include "util/Utf8.h"

#include "connection/DialogRunner.h"
#include "export/SpreadsheetReader.h"
#include "export/TableExport.h"
#include "guard/FormGuard.h"
#include "guard/IslemReddi.h"
#include "guard/WaitCursor.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "report/ListReport.h"
#include "report/RaporCikti.h"
#include "sql/SqlHelpers.h"
#include "stock/slips/StokFisi.h"

#include <QButtonGroup>
#include <optional>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTextStream>
#include <QVBoxLayout>

namespace tornaly::stock {

namespace {
using text::S;

enum SayimKolonu { SKod, SAd, SBarkod, SDBasMik, SDBasTut, SSayim, SRaf, SEski, SYeni, SAlis, SSatis, SMaliyet, SModel, SKolonSayisi };

QPushButton* sayimDugmesi(QWidget* parent, const char* ad, const QString& baslik)
{
    auto* b = new QPushButton(baslik, parent);
    b->setObjectName(QString::fromLatin1(ad));
    return b;
}

// The terminal file and the mobile terminal ask the same question.
QString terminalSorusu()
{
    return S("Sayım terminalinden okumak istiyor musunuz.\r\nAktarımdan önce mevcut sayım miktarları "
             "sıfırlanacaktır.\r\nSayım dosyasını seçmek için Evet e tıklayınız.");
}

QTableWidget* aktarimIzgarasi(QWidget* parent, const char* ad, const QStringList& basliklar)
{
    auto* g = new QTableWidget(0, int(basliklar.size()), parent);
    g->setObjectName(QString::fromLatin1(ad));
    g->setHorizontalHeaderLabels(basliklar);
    g->verticalHeader()->hide();
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return g;
}
} // namespace

TFormMikDevret::TFormMikDevret(SessionContext& ctx, int mode, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    Q_UNUSED(mode);
    setObjectName(QStringLiteral("FormMikDevret"));
    setWindowTitle(S("HIZLI SAYIM FİŞİ GİRİŞİ"));
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(kurUstPanel());
    GridSayim = new QTableWidget(0, SKolonSayisi, this);
    GridSayim->setObjectName(QStringLiteral("GridSayim"));
    GridSayim->setHorizontalHeaderLabels({S("Stok Kodu"), S("Stok Adı"), S("Barkod"), S("D.Başı(Mik)"),
                                          S("D.Başı(Maliyet)"), S("Sayım Mik."), S("Raf Yeri"), S("Eski ParçaNo"),
                                          S("Yeni ParçaNo"), S("Alış Fiyat (TL)"), S("Sat. Fiyat (TL)"), S("Maliyet(TL)"),
                                          S("Model No")});
    GridSayim->verticalHeader()->hide();
    GridSayim->setWordWrap(false);
    connect(GridSayim, &QTableWidget::cellChanged, this, Guarded([this](int r, int c) { hucreDegisti(r, c); }));
    lay->addWidget(GridSayim, 1);
    PanelAktarim = kurAktarimPaneli();
    PanelAktarim->hide();
    lay->addWidget(PanelAktarim, 1);
    lay->addWidget(kurAltPanel());
    resize(1200, 780);
}

QWidget* TFormMikDevret::kurUstPanel()
{
    auto* w = new QWidget(this);
    auto* g = new QGridLayout(w);
    g->setContentsMargins(0, 0, 0, 0);
    g->addWidget(new QLabel(S("Sayım Deposu"), w), 0, 0);
    CmbDepo = new QComboBox(w);
    CmbDepo->setObjectName(QStringLiteral("CmbDepo"));
    CmbDepo->addItem(QString(), QString());
    for (const auto& [kod, ad] : FisDepolari(m_ctx, m_db))
        CmbDepo->addItem(ad, kod);
    CmbDepo->setCurrentIndex(qMax(0, CmbDepo->findData(QStringLiteral("1"))));
    g->addWidget(CmbDepo, 0, 1);
    const struct {
        QLineEdit** e;
        const char* ad;
        const char* baslik;
    } kutular[] = {{&EditKod, "EditKod", "S&tok Kod"},
                   {&EditAd, "EditAd", "S&tok Adı"},
                   {&EditBarkod, "EditBarkod", "&Barkod"},
                   {&EditRaf, "EditRaf", "&Raf Yeri"}};
    int c = 2;
    for (const auto& k : kutular) {
        auto* l = new QLabel(S(k.baslik), w);
        *k.e = new QLineEdit(w);
        (*k.e)->setObjectName(QString::fromLatin1(k.ad));
        l->setBuddy(*k.e);
        g->addWidget(l, 0, c);
        g->addWidget(*k.e, 1, c++);
    }
    g->addWidget(new QLabel(S("Sayfa Sıralama"), w), 0, c);
    CmbSayfaSira = new QComboBox(w);
    CmbSayfaSira->setObjectName(QStringLiteral("CmbSayfaSira"));
    CmbSayfaSira->addItems({S("Koda Göre"), S("Ada Göre"), S("Rafa Göre")});
    g->addWidget(CmbSayfaSira, 1, c++);
    BtnOnceki = sayimDugmesi(w, "BtnOnceki", S("Ön&ceki Sayfa"));
    BtnSonraki = sayimDugmesi(w, "BtnSonraki", S("So&nraki Sayfa"));
    BtnSakla = sayimDugmesi(w, "BtnSakla", S("&Sakla"));
    ChkOtomatik = new QCheckBox(S("Otomatik Sakla"), w);
    ChkOtomatik->setObjectName(QStringLiteral("ChkOtomatik"));
    ChkOtomatik->setChecked(true);
    g->addWidget(BtnOnceki, 1, c++);
    g->addWidget(BtnSonraki, 1, c++);
    g->addWidget(BtnSakla, 1, c++);
    g->addWidget(ChkOtomatik, 1, c++);

    connect(EditKod, &QLineEdit::returnPressed, this, Guarded(this, &TFormMikDevret::AraKod));
    connect(EditAd, &QLineEdit::returnPressed, this, Guarded(this, &TFormMikDevret::AraAd));
    connect(EditRaf, &QLineEdit::returnPressed, this, Guarded(this, &TFormMikDevret::AraRaf));
    connect(EditBarkod, &QLineEdit::returnPressed, this, Guarded(this, &TFormMikDevret::AraBarkod));
    connect(BtnOnceki, &QPushButton::clicked, this, Guarded(this, &TFormMikDevret::OncekiSayfa));
    connect(BtnSonraki, &QPushButton::clicked, this, Guarded(this, &TFormMikDevret::SonrakiSayfa));
    connect(BtnSakla, &QPushButton::clicked, this, Guarded(this, &TFormMikDevret::Kaydet));
    connect(CmbDepo, &QComboBox::activated, this, Guarded([this] {
                Kaydet();
                m_acik = false;
                SonrakiSayfa();
            }));
    connect(CmbSayfaSira, &QComboBox::activated, this, Guarded([this] {
                Kaydet();
                m_acik = false;
                SonrakiSayfa();
            }));
    return w;
}

QWidget* TFormMikDevret::kurAltPanel()
{
    auto* w = new QWidget(this);
    auto* g = new QGridLayout(w);
    g->setContentsMargins(0, 0, 0, 0);
    g->addWidget(new QLabel(S("Fiş Açıklaması"), w), 0, 0);
    EditFisAciklama = new QLineEdit(w);
    EditFisAciklama->setObjectName(QStringLiteral("EditFisAciklama"));
    EditFisAciklama->setMaxLength(65);
    g->addWidget(EditFisAciklama, 0, 1, 1, 3);
    g->addWidget(new QLabel(S("Fişte Satış Fiyatının %"), w), 1, 0);
    SpinYuzde = new QDoubleSpinBox(w);
    SpinYuzde->setObjectName(QStringLiteral("SpinYuzde"));
    SpinYuzde->setRange(0, 100);
    g->addWidget(SpinYuzde, 1, 1);
    g->addWidget(new QLabel(S("Eksiğini Fiyat olarak Yaz"), w), 1, 2);
    auto* secenek = new QGroupBox(S("Sayım Farkı Oluşturma Seçeneği"), w);
    auto* sl = new QVBoxLayout(secenek);
    RadioBaslangic = new QRadioButton(S("Sayım Başlangıcındaki Miktara göre"), secenek);
    RadioBaslangic->setObjectName(QStringLiteral("RadioBaslangic"));
    RadioSimdiki = new QRadioButton(S("Şuandaki Miktara Göre"), secenek);
    RadioSimdiki->setObjectName(QStringLiteral("RadioSimdiki"));
    sl->addWidget(RadioBaslangic);
    sl->addWidget(RadioSimdiki);
    g->addWidget(secenek, 0, 4, 2, 1);
    ChkYalnizFarkli = new QCheckBox(S("Yalnız Sayım Farklı Olanlar Listelensin"), w);
    ChkYalnizFarkli->setObjectName(QStringLiteral("ChkYalnizFarkli"));
    ChkYalnizFarkli->setChecked(true);
    g->addWidget(ChkYalnizFarkli, 2, 0, 1, 3);

    auto* d = new QHBoxLayout;
    BtnFarkListesi = sayimDugmesi(w, "BtnFarkListesi", S("Sayım Farkı Listesi"));
    BtnSifirla = sayimDugmesi(w, "BtnSifirla", S("Sayım Mik.nı Sıfırla"));
    BtnFisOlustur = sayimDugmesi(w, "BtnFisOlustur", S("Sakla ve Sayım Farkı Fişi Oluştur"));
    BtnTerminal = sayimDugmesi(w, "BtnTerminal", S("Dos Term.den Oku"));
    BtnExcel = sayimDugmesi(w, "BtnExcel", S("Excelden Oku"));
    BtnExcel->setToolTip(S("FORMAT : BARKOD, MIKTAR, STOKKODU, RAFYERİ"));
    BtnMobil = sayimDugmesi(w, "BtnMobil", S("Mobil CE den Oku"));
    BtnModel = sayimDugmesi(w, "BtnModel", S("P.-Model List."));
    BtnKapat = sayimDugmesi(w, "BtnKapat", S("&Kapat"));
    BtnYardim = sayimDugmesi(w, "BtnYardim", S("Yardım"));
    for (QPushButton* b : {BtnFarkListesi, BtnSifirla, BtnFisOlustur, BtnTerminal, BtnExcel, BtnMobil, BtnModel})
        d->addWidget(b);
    d->addStretch();
    d->addWidget(BtnYardim);
    d->addWidget(BtnKapat);
    g->addLayout(d, 3, 0, 1, 5);
    BtnModel->setEnabled(false); // the vehicle-model list belongs to the workshop
    BtnSifirla->setEnabled(m_ctx.AktifKullanici.diger06 == QLatin1String("Y"));

    connect(BtnFarkListesi, &QPushButton::clicked, this, Guarded(this, &TFormMikDevret::BtnFarkListesiClick));
    connect(BtnSifirla, &QPushButton::clicked, this, Guarded(this, &TFormMikDevret::BtnSifirlaClick));
    connect(BtnFisOlustur, &QPushButton::clicked, this, Guarded(this, &TFormMikDevret::BtnFisOlusturClick));
    connect(BtnTerminal, &QPushButton::clicked, this, Guarded(this, &TFormMikDevret::BtnTerminalClick));
    connect(BtnExcel, &QPushButton::clicked, this, Guarded(this, &TFormMikDevret::BtnExcelClick));
    connect(BtnMobil, &QPushButton::clicked, this, Guarded(this, &TFormMikDevret::BtnMobilClick));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject);
    return w;
}

QWidget* TFormMikDevret::kurAktarimPaneli()
{
    auto* w = new QWidget(this);
    w->setObjectName(QStringLiteral("PanelAktarim"));
    auto* lay = new QGridLayout(w);
    lay->addWidget(new QLabel(S("Doğru Okunan Stoklar"), w), 0, 0);
    lay->addWidget(new QLabel(S("Hatalı Okunan Stoklar"), w), 0, 1);
    GridDogru = aktarimIzgarasi(w, "GridDogru", {S("Barkod"), S("Miktar"), S("StokKod"), S("SayımRaf"), S("SistemRaf"), S("RafHata")});
    GridHatali = aktarimIzgarasi(w, "GridHatali", {S("Barkod"), S("Miktar"), S("StokKod"), S("Hata")});
    lay->addWidget(GridDogru, 1, 0);
    lay->addWidget(GridHatali, 1, 1);
    auto* dogruExcel = sayimDugmesi(w, "BtnDogruExcel", S("Excel e Aktar"));
    auto* hataliExcel = sayimDugmesi(w, "BtnHataliExcel", S("Excel e Aktar"));
    lay->addWidget(dogruExcel, 2, 0);
    lay->addWidget(hataliExcel, 2, 1);
    auto* d = new QHBoxLayout;
    ChkRafGuncelle = new QCheckBox(S("Raf Yerini Güncelle"), w);
    ChkRafGuncelle->setObjectName(QStringLiteral("ChkRafGuncelle"));
    BtnAktar = sayimDugmesi(w, "BtnAktar", S("Aktar"));
    BtnIlave = sayimDugmesi(w, "BtnIlave", S("Sayıma İlave Et"));
    BtnPanelKapat = sayimDugmesi(w, "BtnPanelKapat", S("Kapat"));
    d->addWidget(ChkRafGuncelle);
    d->addStretch();
    for (QPushButton* b : {BtnAktar, BtnIlave, BtnPanelKapat})
        d->addWidget(b);
    lay->addLayout(d, 3, 0, 1, 2);
    connect(BtnAktar, &QPushButton::clicked, this, Guarded([this] { AktarimUygula(false); }));
    connect(BtnIlave, &QPushButton::clicked, this, Guarded([this] { AktarimUygula(true); }));
    connect(BtnPanelKapat, &QPushButton::clicked, this, [this] {
        PanelAktarim->hide();
        GridSayim->show();
    });
    auto disari = [this](QTableWidget* g) {
        const QString dosya = Messages().askSaveFile(S("Excele Aktar"), S("Excel (*.xlsx)"), QString(), S("xlsx"));
        if (!dosya.isEmpty())
            ExportModel(*g->model(), ExportFormat::Xlsx, dosya);
    };
    connect(dogruExcel, &QPushButton::clicked, this, Guarded([this, disari] { disari(GridDogru); }));
    connect(hataliExcel, &QPushButton::clicked, this, Guarded([this, disari] { disari(GridHatali); }));
    return w;
}

QString TFormMikDevret::depo() const { return CmbDepo->currentData().toString(); }

SayimKarsilastirma TFormMikDevret::karsilastirma() const
{
    if (RadioSimdiki->isChecked())
        return SayimKarsilastirma::Simdiki;
    if (RadioBaslangic->isChecked())
        return SayimKarsilastirma::Baslangic;
    return SayimKarsilastirma::Secilmedi;
}

bool TFormMikDevret::bekleyenVar() const
{
    for (const Bekleyen& b : m_bekleyen)
        if (b.yeni != b.okunan || b.raf)
            return true;
    return false;
}

void TFormMikDevret::Kaydet()
{
    {
        // Moving off the current cell posts one still being edited.
        const QModelIndex i = GridSayim->currentIndex();
        GridSayim->setCurrentIndex(QModelIndex());
        GridSayim->setCurrentIndex(i);
    }
    if (!bekleyenVar()) {
        m_bekleyen.clear();
        return;
    }
    if (!ChkOtomatik->isChecked() && AskYesNoCancel(S("Girişleri Saklamak İstiyor musunuz?")) != MsgYes) {
        m_bekleyen.clear();
        return;
    }
    QList<SayimDegisikligi> d;
    for (auto it = m_bekleyen.cbegin(); it != m_bekleyen.cend(); ++it)
        d << SayimDegisikligi{it.key(), it->yeni - it->okunan, it->raf};
    SayimDegisiklikleriniYaz(m_db, depo(), d);
    m_bekleyen.clear();
}

void TFormMikDevret::listele(SayimSayfaIstegi is)
{
    is.depo = depo();
    is.sira = static_cast<SayimSirasi>(CmbSayfaSira->currentIndex());
    is.merkezHaric = m_ctx.MarkaBayiModu;
    goster(SayimSayfasi(m_db, is));
    m_acik = true;
}

void TFormMikDevret::goster(const QList<SayimSatiri>& satirlar)
{
    m_sayfa = satirlar;
    m_bekleyen.clear();
    m_yukleniyor = true;
    GridSayim->setRowCount(int(satirlar.size()));
    for (int r = 0; r < satirlar.size(); ++r) {
        const SayimSatiri& s = satirlar[r];
        const QStringList d{s.STOK_KOD_NO,
                            s.STOK_ADI_TR,
                            s.BARKOD,
                            FormatMoney(s.D_BAS_SRK_MIK, S(",0.##")),
                            FormatMoney(s.D_BAS_STK_TUT, S(",0.00")),
                            FormatMoney(s.SAYIM_MIK, S(",0.##")),
                            s.RAF_YERI,
                            s.ESKI_PART_NO,
                            s.YENI_KOD,
                            FormatMoney(s.ALIS_FYT_TL, S(",0.00")),
                            FormatMoney(s.SAT_FYT_TL, S(",0.00")),
                            FormatMoney(s.MALIYET_FYT_TL, S(",0.00")),
                            s.MODEL_NO};
        for (int c = 0; c < SKolonSayisi; ++c) {
            auto* i = new QTableWidgetItem(d[c]);
            if (c != SSayim && c != SRaf)
                i->setFlags(i->flags() & ~Qt::ItemIsEditable);
            if (c == SDBasMik || c == SDBasTut || c == SSayim || (c >= SAlis && c <= SMaliyet))
                i->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            GridSayim->setItem(r, c, i);
        }
    }
    GridSayim->resizeColumnsToContents();
    m_yukleniyor = false;
}

void TFormMikDevret::hucreDegisti(int row, int col)
{
    if (m_yukleniyor || row < 0 || row >= m_sayfa.size())
        return;
    const SayimSatiri& s = m_sayfa[row];
    if (!m_bekleyen.contains(s.STOK_NO))
        m_bekleyen.insert(s.STOK_NO, Bekleyen{s.SAYIM_MIK, s.SAYIM_MIK, std::nullopt});
    Bekleyen& b = m_bekleyen[s.STOK_NO];
    const QString metin = GridSayim->item(row, col)->text();
    if (col == SSayim) {
        double v = 0;
        if (ParseMoney(metin, &v) || metin.trimmed().isEmpty())
            b.yeni = v;
        m_yukleniyor = true;
        GridSayim->item(row, col)->setText(FormatMoney(b.yeni, S(",0.##")));
        m_yukleniyor = false;
    } else if (col == SRaf) {
        b.raf = metin.trimmed().left(15);
    }
}

void TFormMikDevret::SonrakiSayfa()
{
    Kaydet();
    SayimSayfaIstegi is;
    if (m_acik && !m_sayfa.isEmpty())
        is.baslangic = m_sayfa.last();
    listele(is);
}

void TFormMikDevret::OncekiSayfa()
{
    Kaydet();
    SayimSayfaIstegi is;
    // Back from the first row shown, so that the pages share one row either way.
    if (m_acik && !m_sayfa.isEmpty()) {
        is.baslangic = m_sayfa.first();
        is.geri = true;
    }
    listele(is);
}

void TFormMikDevret::AraKod()
{
    Kaydet();
    EditFocus = 1;
    CmbSayfaSira->setCurrentIndex(0);
    SayimSayfaIstegi is;
    is.kod = EditKod->text().trimmed();
    listele(is);
}

void TFormMikDevret::AraAd()
{
    Kaydet();
    EditFocus = 2;
    CmbSayfaSira->setCurrentIndex(1);
    SayimSayfaIstegi is;
    is.ad = EditAd->text().trimmed();
    listele(is);
}

void TFormMikDevret::AraRaf()
{
    Kaydet();
    EditFocus = 4;
    CmbSayfaSira->setCurrentIndex(0);
    SayimSayfaIstegi is;
    is.raf = EditRaf->text().trimmed();
    listele(is);
}

void TFormMikDevret::AraBarkod()
{
    Kaydet();
    SayimSayfaIstegi is;
    is.barkod = EditBarkod->text().trimmed();
    listele(is);
    // Each scan counts one piece; the next scan writes it.
    if (!is.barkod.isEmpty() && !m_sayfa.isEmpty()) {
        const SayimSatiri& s = m_sayfa.first();
        m_bekleyen.insert(s.STOK_NO, Bekleyen{s.SAYIM_MIK, s.SAYIM_MIK + 1, std::nullopt});
        const Bekleyen& b = m_bekleyen[s.STOK_NO];
        m_yukleniyor = true;
        GridSayim->item(0, SSayim)->setText(FormatMoney(b.yeni, S(",0.##")));
        m_yukleniyor = false;
    }
    EditBarkod->clear();
    EditBarkod->setFocus();
}

void TFormMikDevret::BtnSifirlaClick()
{
    if (m_ctx.AktifKullanici.diger06 != QLatin1String("Y"))
        return;
    if (AskYesNoCancel(S("Sayım Miktarları Sıfırlanacak! Devam Etmek İstiyor musunuz?")) != MsgYes)
        return;
    Kaydet();
    SayimSifirla(m_db, depo());
    m_acik = false;
    SonrakiSayfa();
}

void TFormMikDevret::BtnFarkListesiClick()
{
    if (ChkOtomatik->isChecked())
        Kaydet();
    const QList<SayimFarkSatiri> satirlar =
        SayimFarkListesi(m_db, depo(), ChkYalnizFarkli->isChecked(), karsilastirma());
    QVector<QVector<QVariant>> rows;
    double fark = 0;
    for (const SayimFarkSatiri& s : satirlar) {
        rows.append({s.STOK_KOD_NO, s.STOK_ADI_TR, s.MIKTAR, s.DONEMBASMIK, s.DBAS_TUT_TL, s.SAT_FYT_TL, s.SAYIM_MIK,
                     s.SAYIM_MIK - s.MIKTAR, s.RAF_YERI});
        fark += (s.SAYIM_MIK - s.MIKTAR) * s.SAT_FYT_TL;
    }
    report::Report r =
        report::ListReportBuilder(S("SAYIM LİSTESİ"))
            .source(report::RecordsSource({S("STOK_KOD_NO"), S("STOK_ADI_TR"), S("MIKTAR"), S("DONEMBASMIK"),
                                           S("DBAS_TUT_TL"), S("SAT_FYT_TL"), S("SAYIM_MIK"), S("FARK"), S("RAF_YERI")},
                                          rows))
            .company(m_ctx.FirmaAdi)
            .landscape()
            .subtitle(S("Fark Tutarı : ") + FormatMoney(fark, S(",0")))
            .text(S("STOK_KOD_NO"), S("Stok Kod"), 32)
            .text(S("STOK_ADI_TR"), S("Stok Adı"), 60)
            .money(S("MIKTAR"), S("Miktar"), 18, false, S(",0.##"))
            .money(S("DONEMBASMIK"), S("D.Başı"), 18, false, S(",0.##"))
            .money(S("DBAS_TUT_TL"), S("D.Başı Maliyet"), 24, false)
            .money(S("SAT_FYT_TL"), S("Satış TL"), 22, false)
            .money(S("SAYIM_MIK"), S("Sayım M."), 18, false, S(",0.##"))
            .money(S("FARK"), S("Fark"), 18, false, S(",0.0"))
            .text(S("RAF_YERI"), S("Raf Yeri"), 22)
            .build();
    report::RaporCikti(m_db, r, S("SAYIMLISTESI"), report::OutputPreview);
}

void TFormMikDevret::BtnFisOlusturClick()
{
    const SayimKarsilastirma k = karsilastirma();
    if (k == SayimKarsilastirma::Secilmedi) {
        ShowWarning(S("Sayım fişini oluşturmadan önce SAYIM FARKI OLUŞTURMA SEÇENEĞİ ni belirlemeniz gerekmektedir."));
        return;
    }
    if (!AskYesNo(S("Girişleri Saklayıp Stok Sayım Fişi Oluşturmak İstiyor musunuz?")))
        return;
    Kaydet();
    const SayimFarkOzeti o = SayimFarkiOzeti(m_db, depo(), k);
    if (o.fazla + o.eksik == 0)
        return;
    // Uncounted parts become shortages of all they hold: say so before booking.
    if (o.sayilmamis > 0 &&
        !AskYesNo(S("%1 adet sayılmamış (sayım miktarı 0 olan) stok, miktarının tamamı kadar eksik olarak fişe "
                    "yazılacaktır. Devam etmek istiyor musunuz?")
                      .arg(o.sayilmamis)))
        return;
    SayimFarkiFisleriOlustur(m_ctx, m_db, depo(), k, SpinYuzde->value(), EditFisAciklama->text());
    m_acik = false;
    SonrakiSayfa();
}

void TFormMikDevret::aktarimiGoster(const SayimAktarimi& a, const QString& hataMesaji)
{
    m_aktarim = a;
    GridDogru->setRowCount(int(a.dogru.size()));
    for (int r = 0; r < a.dogru.size(); ++r) {
        const SayimOkunan& s = a.dogru[r];
        const QStringList d{s.BARKOD, FormatMoney(s.MIKTAR, S(",0.##")), s.STOK_KOD, s.SRAF, s.RAF, s.DIKKAT};
        for (int c = 0; c < d.size(); ++c)
            GridDogru->setItem(r, c, new QTableWidgetItem(d[c]));
    }
    GridHatali->setRowCount(int(a.hatali.size()));
    for (int r = 0; r < a.hatali.size(); ++r) {
        const SayimOkunan& s = a.hatali[r];
        const QStringList d{s.BARKOD, FormatMoney(s.MIKTAR, S(",0.##")), s.STOK_KOD, s.HATA};
        for (int c = 0; c < d.size(); ++c)
            GridHatali->setItem(r, c, new QTableWidgetItem(d[c]));
    }
    GridDogru->resizeColumnsToContents();
    GridHatali->resizeColumnsToContents();
    if (!a.hatali.isEmpty())
        ShowWarning(hataMesaji);
    GridSayim->hide();
    PanelAktarim->show();
}

void TFormMikDevret::BtnTerminalClick()
{
    if (!AskYesNo(terminalSorusu()))
        return;
    const QString yol = Messages().askOpenFile(S("Dos Term.den Oku"), S("Text (*.txt)"));
    if (yol.isEmpty())
        return;
    QFile f(yol);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        throw IslemReddi(S("Hata:") + f.errorString());
    QStringList satirlar;
    QTextStream in(&f);
    while (!in.atEnd())
        satirlar << in.readLine();
    f.close();
    aktarimiGoster(SayimTerminalOku(m_db, satirlar, m_ctx.MarkaBayiModu), S("Hatalı okunan stoklar mevcut!"));
}

void TFormMikDevret::BtnExcelClick()
{
    if (depo().isEmpty()) {
        ShowWarning(S("Lütfen Sayım yapacağınız depoyu seçiniz."));
        CmbDepo->setFocus();
        return;
    }
    if (!AskYesNo(S("Excelden Sayım Listesini Aktarmak istiyor musunuz.")))
        return;
    const QString yol = Messages().askOpenFile(S("Excelden Oku"), S("Excel (*.xlsx *.xls)"));
    if (yol.isEmpty())
        return;
    SheetTable t;
    try {
        t = ReadSpreadsheet(yol);
    } catch (const SpreadsheetError& e) {
        throw IslemReddi(S("Hata:") + e.text());
    }
    aktarimiGoster(SayimExcelOku(m_db, t.rows), S("Hatalı okunan veya Merkez kaynaklı stoklar mevcut!"));
}

void TFormMikDevret::BtnMobilClick()
{
    if (!AskYesNo(terminalSorusu()))
        return;
    aktarimiGoster(SayimMobilOku(m_db, m_ctx.MarkaBayiModu), S("Hatalı okunan stoklar mevcut!"));
}

void TFormMikDevret::AktarimUygula(bool ilaveEt)
{
    if (depo().isEmpty())
        throw IslemReddi(S("Lütfen Sayım yapacağınız depoyu seçiniz."), MsgIcon::Warning);
    if (m_aktarim.dogru.isEmpty())
        throw IslemReddi(S("Aktarılacak sayım mevcut değil!"), MsgIcon::Warning);
    const QString soru =
        ilaveEt ? S("Mevcut Sayım miktarlarına aktarılacak sayım miktarları ilave edilecektir. Devam etmek istiyor musunuz?")
                : S("Sayım miktarları sıfırlanacak ve yeni sayım miktarları geçerli olacaktır. Devam etmek istiyor "
                    "musunuz?");
    if (AskYesNo(soru)) {
        // Entries typed on the list go in before the reset, never after it.
        Kaydet();
        const int n = SayimAktar(m_db, depo(), m_aktarim.dogru, ilaveEt, ChkRafGuncelle->isChecked());
        ShowInfo(QString::number(n) + S(" adet sayım aktarımı tamamlandı"));
    }
    m_acik = false;
    SonrakiSayfa();
}

void TFormMikDevret::reject()
{
    if (Guard([this] { Kaydet(); }))
        QDialog::reject();
}

void MikDevretAc(SessionContext& ctx, int mode, QWidget* parent)
{
    std::optional<TFormMikDevret> f;
    {
        WaitCursor bekle;
        f.emplace(ctx, mode, parent);
    }
    RunModal(*f);
}

} // namespace tornaly::stock
