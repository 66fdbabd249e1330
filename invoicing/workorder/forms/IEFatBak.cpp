#include "util/Utf8.h"
#include "controls/TarihEdit.h"
#include "invoicing/workorder/forms/IEFatBak.h"
#include "context/SessionContext.h"
#include "guard/FormGuard.h"
#include "invoicing/workorder/IEFatura.h"
#include "invoicing/workorder/forms/IEFatura.h"
#include "invoicing/workorder/forms/BrIEFatura.h"
#include "accounts/cards/BrCari.h"
#include "accounts/ledger/CariHrk.h"
#include "history/ChLogBr.h"
#include "invoicing/print/IEFatListeYaz.h"
#include "report/RaporCikti.h"
#include "report/ReportEngine.h"
#include "workshop/workorders/forms/IEBr.h"
#include <QMenu>
#include <QAction>
#include <cmath>
#include "messages/Messages.h"
#include "money/Money.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::invoicing {

namespace {
using text::S;

QTableWidgetItem* sayi(const QString& t)
{
    auto* it = new QTableWidgetItem(t);
    it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return it;
}
} // namespace

TFormIEFatBak::TFormIEFatBak(const SessionContext& ctx, int mode, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(S("FormIEFatBak"));
    setWindowTitle(S("Eski İş Emri Faturaları"));
    setProperty("Tag", mode);

    auto* filtre = new QGridLayout;
    EditSATNO = new QLineEdit(this);
    EditSATNO->setObjectName(S("EditSATNO"));
    EditFATNO = new QLineEdit(this);
    EditFATNO->setObjectName(S("EditFATNO"));
    EditIENO = new QLineEdit(this);
    EditIENO->setObjectName(S("EditIENO"));
    EditCARIKOD = new QLineEdit(this);
    EditCARIKOD->setObjectName(S("EditCARIKOD"));
    EditPlaka = new QLineEdit(this);
    EditPlaka->setObjectName(S("EditPlaka"));
    auto* cariSec = new QPushButton(S("Cari Seç"), this);
    cariSec->setObjectName(S("BtnCariSec"));
    connect(cariSec, &QPushButton::clicked, this, Guarded([this] { BtnCariSecClick(); }));
    auto* isEmriSec = new QPushButton(S("İşEmri Seç"), this);
    isEmriSec->setObjectName(S("BtnIsEmriSec"));
    connect(isEmriSec, &QPushButton::clicked, this, Guarded(this, &TFormIEFatBak::BtnIsEmriSecClick));
    EditTrh1 = new TTarihEdit(this);
    EditTrh2 = new TTarihEdit(this);
    for (QDateEdit* d : {EditTrh1, EditTrh2}) {
        d->setDisplayFormat(S("dd.MM.yyyy"));
        d->setCalendarPopup(true);
        d->setSpecialValueText(S(" "));
        d->setMinimumDate(QDate(1900, 1, 1));
        d->setDate(d->minimumDate());
    }
    RadioGroup1 = new QComboBox(this);
    RadioGroup1->setObjectName(S("RadioGroup1"));
    RadioGroup1->addItems({S("Hepsi"), S("İşemri"), S("Ekspertiz"), S("Garanti"), S("Diğer")});
    RGMUH = new QComboBox(this);
    RGMUH->setObjectName(S("RGMUH"));
    RGMUH->addItems({S("Hepsi"), S("Muhasebeleşmiş"), S("Muhasebeleşmemiş")});
    rgDokum = new QComboBox(this);
    rgDokum->setObjectName(S("rgDokum"));
    rgDokum->addItems({S("Hepsi"), S("Alındı"), S("Alınmadı")});
    auto* filtrele = new QPushButton(S("Filtrele"), this);
    filtrele->setObjectName(S("BtnFiltre"));
    auto* kaldir = new QPushButton(S("Filtre Kaldır"), this);
    kaldir->setObjectName(S("BtnFiltreKaldir"));
    filtre->addWidget(new QLabel(S("Satış No"), this), 0, 0);
    filtre->addWidget(EditSATNO, 0, 1);
    filtre->addWidget(new QLabel(S("Fat. No"), this), 0, 2);
    filtre->addWidget(EditFATNO, 0, 3);
    filtre->addWidget(new QLabel(S("İş Emri No"), this), 0, 4);
    filtre->addWidget(EditIENO, 0, 5);
    filtre->addWidget(isEmriSec, 0, 6);
    filtre->addWidget(new QLabel(S("Fatura Tarihi Filtresi"), this), 1, 0);
    filtre->addWidget(EditTrh1, 1, 1);
    filtre->addWidget(EditTrh2, 1, 3);
    filtre->addWidget(new QLabel(S("Faturalama Türü"), this), 2, 0);
    filtre->addWidget(RadioGroup1, 2, 1);
    filtre->addWidget(new QLabel(S("Muhasebe Durumu"), this), 2, 2);
    filtre->addWidget(RGMUH, 2, 3);
    filtre->addWidget(new QLabel(S("Döküm Durumu"), this), 2, 4);
    filtre->addWidget(rgDokum, 2, 5);
    filtre->addWidget(filtrele, 1, 4);
    filtre->addWidget(kaldir, 1, 5);
    filtre->addWidget(new QLabel(S("Cari Kod/Adı"), this), 3, 0);
    filtre->addWidget(EditCARIKOD, 3, 1);
    filtre->addWidget(cariSec, 3, 2);
    filtre->addWidget(new QLabel(S("Plaka"), this), 3, 3);
    filtre->addWidget(EditPlaka, 3, 4);
    // The balance of the current invoice's account.
    LabelKalanBaslik = new QLabel(S("KALAN"), this);
    LabelKalanBaslik->setObjectName(S("LabelKalanBaslik"));
    LabelKalan = new QLabel(this);
    LabelKalan->setObjectName(S("LabelKALAN"));
    filtre->addWidget(LabelKalanBaslik, 0, 7);
    filtre->addWidget(LabelKalan, 1, 7);

    cxGrid1 = new QTableWidget(this);
    cxGrid1->setObjectName(S("cxGrid1"));
    cxGrid1->setColumnCount(12);
    cxGrid1->setHorizontalHeaderLabels({S("Durum"), S("Satış No"), S("Fat. No"), S("Tür"), S("İş Emri No"),
                                        S("Tarih"), S("Cari Kodu"), S("Cari Adı"), S("Brüt T."), S("KDV T."),
                                        S("Net T."), S("Ödeme")});
    cxGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    cxGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    cxGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cxGrid1->verticalHeader()->hide();
    cxGrid1->setAlternatingRowColors(true);
    cxGridDetay = new QTableWidget(this);
    cxGridDetay->setObjectName(S("cxGrid2"));
    cxGridDetay->setColumnCount(8);
    cxGridDetay->setHorizontalHeaderLabels({S("Sıra"), S("P/I"), S("P/I Kodu"), S("P/I Adı"), S("Miktar"),
                                            S("Birim. Fiyatı"), S("İsk%"), S("Grn.")});
    cxGridDetay->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cxGridDetay->verticalHeader()->hide();
    LabelKayit = new QLabel(S("Kayıt Sayısı: 0"), this);

    BtnYeni = new QPushButton(S("Yeni"), this);
    BtnYeni->setObjectName(S("BtnYeni"));
    BtnDuzenle = new QPushButton(S("Düzenle"), this);
    BtnDuzenle->setObjectName(S("BtnDuzenle"));
    BtnSil = new QPushButton(S("Satış Sil"), this);
    BtnSil->setObjectName(S("BtnSil"));
    BtnKapat = new QPushButton(S("Kapat"), this);
    BtnKapat->setObjectName(S("BtnKapat"));
    auto* yazici = new QPushButton(S("Yazıcı"), this);
    yazici->setObjectName(S("BtnYazici"));
    connect(yazici, &QPushButton::clicked, this, Guarded(this, &TFormIEFatBak::BtnYaziciClick));
    const QString hak = ctx.AktifKullanici.iefatura;
    BtnYeni->setEnabled(hak == QLatin1String("D") || hak == QLatin1String("N") || hak == QLatin1String("Y"));
    BtnDuzenle->setEnabled(mode != 0 || hak == QLatin1String("D") || hak == QLatin1String("Y"));
    BtnSil->setEnabled(hak == QLatin1String("Y"));

    auto* b = new QHBoxLayout;
    for (QPushButton* p : {BtnYeni, BtnDuzenle, BtnSil})
        b->addWidget(p);
    b->addWidget(LabelKayit);
    b->addStretch();
    b->addWidget(yazici);
    b->addWidget(BtnKapat);
    auto* bolum = new QSplitter(Qt::Vertical, this);
    bolum->addWidget(cxGrid1);
    bolum->addWidget(cxGridDetay);
    bolum->setStretchFactor(0, 3);
    bolum->setStretchFactor(1, 1);
    auto* l = new QVBoxLayout(this);
    l->addLayout(filtre);
    l->addWidget(bolum, 1);
    l->addLayout(b);

    connect(filtrele, &QPushButton::clicked, this, Guarded([this] { FiltreleClick(); }));
    connect(kaldir, &QPushButton::clicked, this, Guarded([this] { FiltreKaldirClick(); }));
    cxGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    const auto komut = [&](const char* ad, const QString& metin, std::function<void()> f) {
        auto* a = new QAction(metin, cxGrid1);
        a->setObjectName(S(ad));
        connect(a, &QAction::triggered, this, Guarded(std::move(f)));
        cxGrid1->addAction(a);
    };
    komut("EFatHazir", S("2: Gönderilmeye Hazır"), [this] { EFaturaDurumClick(2); });
    komut("EFatHazirDegil", S("1: Hazır Değil (E-Faturaya Tabi)"), [this] { EFaturaDurumClick(1); });
    komut("EFatTopluHazir", S("Listedeki E-Faturaları Gönderilmeye Hazır Yap"), [this] { EFaturaTopluClick(2); });
    komut("EFatTopluHazirDegil", S("Listedeki E-Faturaları Hazır Değil Yap"), [this] { EFaturaTopluClick(1); });
    komut("KayitGecmisi", S("Kayıt Geçmişi"), [this] { KayitGecmisiClick(); });
    for (QLineEdit* e : {EditSATNO, EditFATNO, EditIENO, EditCARIKOD, EditPlaka})
        connect(e, &QLineEdit::returnPressed, this, Guarded([this] { FiltreleClick(); }));
    connect(BtnSil, &QPushButton::clicked, this, Guarded([this] { BtnSilClick(); }));
    connect(BtnDuzenle, &QPushButton::clicked, this, Guarded([this] { BtnDuzenleClick(); }));
    connect(cxGrid1, &QTableWidget::cellDoubleClicked, this, Guarded([this] { BtnDuzenleClick(); }));
    connect(BtnYeni, &QPushButton::clicked, this, Guarded([this] { BtnYeniClick(); }));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    connect(cxGrid1, &QTableWidget::currentCellChanged, this, Guarded([this] { satirlariGoster(); }));
    resize(1180, 680);
}

void TFormIEFatBak::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (SonIEFatSatisNo() > 0) {
        EditSATNO->setText(QString::number(SonIEFatSatisNo(), 'f', 0));
        Guard([&] { listele(); });
    }
}

void TFormIEFatBak::listele()
{
    IEFatListeFiltre f;
    f.satisNo = EditSATNO->text();
    f.fatNo = EditFATNO->text();
    f.isEmriNo = EditIENO->text();
    f.cariKodAdi = EditCARIKOD->text();
    f.plaka = EditPlaka->text();
    f.fatTur = RadioGroup1->currentIndex();
    f.muhasebe = RGMUH->currentIndex();
    f.dokum = rgDokum->currentIndex();
    if (EditTrh1->date() != EditTrh1->minimumDate())
        f.ilkTarih = EditTrh1->date();
    if (EditTrh2->date() != EditTrh2->minimumDate())
        f.sonTarih = EditTrh2->date();
    m_liste = IEFatListe(m_ctx, m_ctx.Database1, f);
    cxGrid1->setRowCount(int(m_liste.size()));
    for (int i = 0; i < m_liste.size(); ++i) {
        const IEFatListeSatiri& s = m_liste[i];
        cxGrid1->setItem(i, 0, new QTableWidgetItem(s.ODEMEDRM));
        cxGrid1->setItem(i, 1, sayi(QString::number(s.SATIS_NO, 'f', 0)));
        cxGrid1->setItem(i, 2, new QTableWidgetItem(s.FAT_NO));
        cxGrid1->setItem(i, 3, new QTableWidgetItem(FatTurMetni(s.FAT_TUR)));
        cxGrid1->setItem(i, 4, new QTableWidgetItem(s.IS_EMRI_NO));
        cxGrid1->setItem(i, 5, new QTableWidgetItem(s.TARIH.toString(S("dd.MM.yyyy"))));
        cxGrid1->setItem(i, 6, new QTableWidgetItem(s.CARI_KOD));
        cxGrid1->setItem(i, 7, new QTableWidgetItem(s.CARI_AD));
        cxGrid1->setItem(i, 8, sayi(FormatMoney(s.TOPLAM_TUTAR, S(",0.00"))));
        cxGrid1->setItem(i, 9, sayi(FormatMoney(s.KDV_TUTARI, S(",0.00"))));
        cxGrid1->setItem(i, 10, sayi(FormatMoney(s.NET_TUTAR, S(",0.00"))));
        cxGrid1->setItem(i, 11, new QTableWidgetItem(OdemeTipiMetni(s.ODE_TIP)));
    }
    cxGrid1->resizeColumnsToContents();
    cxGrid1->horizontalHeader()->setSectionResizeMode(7, QHeaderView::Stretch);
    LabelKayit->setText(S("Kayıt Sayısı: ") + QString::number(m_liste.size()));
    if (!m_liste.isEmpty())
        cxGrid1->setCurrentCell(0, 0);
    satirlariGoster();
}

double TFormIEFatBak::currentSatisNo() const
{
    const int r = cxGrid1->currentRow();
    return r >= 0 && r < m_liste.size() ? m_liste[r].SATIS_NO : 0;
}

void TFormIEFatBak::bakiyeGoster()
{
    const int r = cxGrid1->currentRow();
    const QString kod = r >= 0 && r < m_liste.size() ? m_liste[r].CARI_KOD : QString();
    const accounts::CariBakiye b = kod.isEmpty() ? accounts::CariBakiye{} : accounts::CariBakiyeOku(m_ctx.Database1, kod);
    const double kalan = std::round(b.bakiye() * 100.0) / 100.0;
    LabelKalanBaslik->setText(kalan > 0 ? S("KALAN (BORÇ)") : kalan < 0 ? S("KALAN (ALACAK)") : S("KALAN"));
    LabelKalan->setText(FormatMoney(std::abs(kalan), S(",0.00")));
}

void TFormIEFatBak::BtnCariSecClick()
{
    const QString kod = accounts::CariSec(m_ctx, 1, this);
    if (kod.isEmpty())
        return;
    EditCARIKOD->setText(kod);
    EditCARIKOD->setFocus();
}

void TFormIEFatBak::BtnIsEmriSecClick()
{
    const workshop::TypeIsEmri t = workshop::IsemriSec(const_cast<SessionContext&>(m_ctx), 1, QString(), this);
    if (t.IsEmriNo.isEmpty())
        return;
    EditIENO->setText(t.IsEmriNo);
    EditIENO->setFocus();
}

void TFormIEFatBak::BtnYaziciClick()
{
    report::OutputDocument(report::Render(AyrintiliIEFatListesi(m_ctx.Database1, m_liste)), report::OutputPreview);
}

void TFormIEFatBak::KayitGecmisiClick()
{
    const double no = currentSatisNo();
    if (no > 0)
        ShowChangeLog(m_ctx, S("SERFAT"), no);
}

void TFormIEFatBak::EFaturaDurumClick(int yeniDurum)
{
    const double no = currentSatisNo();
    if (no <= 0)
        return;
    const QString red = EFaturaDurumDegistir(m_ctx.Database1, no, yeniDurum, [](const QString& soru) {
        return AskYesNo(soru);
    });
    if (!red.isEmpty())
        ShowWarning(red);
    listele();
}

void TFormIEFatBak::EFaturaTopluClick(int yeniDurum)
{
    const QString soru = yeniDurum == 2
        ? S("Listedeki E-Faturaya tanımlı tüm faturalar \"Gönderilmeye Hazır\" hale getirilecektir. Devam etmek istiyor musunuz?")
        : S("Listedeki E-Faturaya tanımlı tüm faturalar \"Hazır Değil\" olarak değiştirilecektir. Devam etmek istiyor musunuz?");
    if (!AskYesNo(soru))
        return;
    QList<double> nolar;
    for (const IEFatListeSatiri& s : m_liste)
        nolar << s.SATIS_NO;
    const int n = EFaturaTopluDurum(m_ctx.Database1, nolar, yeniDurum);
    listele();
    ShowInfo(QString::number(n) + (yeniDurum == 2 ? S(" adet E-fatura \"Gönderilmeye Hazır\" hale getirildi.")
                                                  : S(" adet E-Fatura \"Hazır Değil\" olarak ayarlandı.")));
}

void TFormIEFatBak::satirlariGoster()
{
    bakiyeGoster();
    const double no = currentSatisNo();
    const QList<IEFatSatir> satirlar = no > 0 ? IEFaturaOku(m_ctx.Database1, no).satirlar : QList<IEFatSatir>();
    cxGridDetay->setRowCount(int(satirlar.size()));
    for (int i = 0; i < satirlar.size(); ++i) {
        const IEFatSatir& s = satirlar[i];
        cxGridDetay->setItem(i, 0, sayi(QString::number(s.SIRA)));
        cxGridDetay->setItem(i, 1, new QTableWidgetItem(s.PARCA_ISCILIK));
        cxGridDetay->setItem(i, 2, new QTableWidgetItem(s.PI_KOD));
        cxGridDetay->setItem(i, 3, new QTableWidgetItem(s.PI_AD));
        cxGridDetay->setItem(i, 4, sayi(FormatMoney(s.MIKTAR, S(",0.##"))));
        cxGridDetay->setItem(i, 5, sayi(FormatMoney(s.BIRIM_FIYAT, S(",0.00"))));
        cxGridDetay->setItem(i, 6, sayi(FormatMoney(s.ISKONTO, S(",0.##"))));
        cxGridDetay->setItem(i, 7, new QTableWidgetItem(s.GARANTI_TIP));
    }
    cxGridDetay->resizeColumnsToContents();
    cxGridDetay->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
}

void TFormIEFatBak::FiltreleClick()
{
    listele();
}

void TFormIEFatBak::FiltreKaldirClick()
{
    RadioGroup1->setCurrentIndex(0);
    RGMUH->setCurrentIndex(0);
    rgDokum->setCurrentIndex(0);
    EditSATNO->clear();
    EditFATNO->clear();
    EditIENO->clear();
    EditCARIKOD->clear();
    EditPlaka->clear();
    EditTrh1->setDate(EditTrh1->minimumDate());
    EditTrh2->setDate(EditTrh2->minimumDate());
    listele();
}

void TFormIEFatBak::BtnSilClick()
{
    const double no = currentSatisNo();
    if (no <= 0 || !BtnSil->isEnabled())
        return;
    if (IEFaturaSil(m_ctx, m_ctx.Database1, no))
        listele();
}

void TFormIEFatBak::BtnDuzenleClick()
{
    if (!BtnDuzenle->isEnabled())
        return;
    const double no = currentSatisNo();
    if (no <= 0)
        return;
    if (property("Tag").toInt() != 0) {
        secilen = no;
        accept();
        return;
    }
    IEFaturaGoster(m_ctx, 0, no, this);
}

void TFormIEFatBak::BtnYeniClick()
{
    IEFaturaGoster(m_ctx, 1, -1, this);
}

double SelectIEFatura(const SessionContext& ctx, int mode, QWidget* parent)
{
    if (ctx.AktifKullanici.iefatura == QLatin1String("H")) {
        ShowWarning(S("Yetkiniz yok!"));
        return 0;
    }
    TFormIEFatBak f(ctx, mode, parent);
    return f.exec() == QDialog::Accepted ? f.secilen : 0;
}

void IEFaturaListeSec(const SessionContext& ctx, int mode, QWidget* parent)
{
    // Both lists delete through the one invoice delete, so a warranty invoice
    // deleted from either releases its claims the same way.
    TFormBrIEFatura f(ctx, mode, parent);
    f.listele();
    f.exec();
}

} // namespace tornaly::invoicing
