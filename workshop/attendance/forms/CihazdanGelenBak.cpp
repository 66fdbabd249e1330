#include "workshop/attendance/forms/CihazdanGelenBak.h"
#include "connection/DialogRunner.h"
#include "connection/DonPara.h"
#include "context/SessionContext.h"
#include "controls/TarihEdit.h"
#include "export/TableExport.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"
#include "personnel/PersonBr.h"
#include "sql/SqlHelpers.h"
#include "workshop/attendance/forms/PdksIzgara.h"
#include "workshop/workorders/forms/IEBr.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace tornaly::workshop {

namespace {


std::function<void(SessionContext&, const QString&, const QDate&, QWidget*)>& pdksGunlukAcici()
{
    static std::function<void(SessionContext&, const QString&, const QDate&, QWidget*)> f;
    return f;
}

const QStringList& pdksFiltreTipleri()
{
    static const QStringList t{pdks::U("Tümü"),           pdks::U("W1 Atölye İşleri"),  pdks::U("W2 Boş Zaman"),
                               pdks::U("W3 Yardım(Stajyer İçin)"), pdks::U("W4 İş Tekrarı"), pdks::U("W5 İzin"),
                               pdks::U("W6 Eğitim"),      pdks::U("W7 Hastalık"),       pdks::U("W8 Vekalet"),
                               pdks::U("W9 Parça Bekleme"), pdks::U("W10 Ücretli İzin"), pdks::U("W11 PDI Çalışılan"),
                               pdks::U("W12 Dahili İşler"), pdks::U("W13 Yol Yardımı"), pdks::U("WW2 Fazla Mesai"),
                               pdks::U("I İş Emri")};
    return t;
}

QString pdksIeTipAdi(const QString& t)
{
    if (t == QLatin1String("I"))
        return pdks::U("I:İşemri");
    if (t == QLatin1String("G"))
        return pdks::U("G:Giriş");
    if (t == QLatin1String("C"))
        return pdks::U("C:Çıkış");
    if (t == QLatin1String("M"))
        return pdks::U("M:Mazeret");
    return t;
}

} // namespace

void SetPdksGunlukAcici(std::function<void(SessionContext&, const QString&, const QDate&, QWidget*)> acici)
{
    pdksGunlukAcici() = std::move(acici);
}

TFormCihazdanGelenBak::TFormCihazdanGelenBak(SessionContext& ctx, QWidget* parent)
    : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FormCihazdanGelenBak"));
    setWindowTitle(pdks::U("Cihazdan Okunan Çalışma Saatleri"));
    auto* lay = new QVBoxLayout(this);
    kurFiltre(lay);
    Grid = PdksIzgara(this, "Grid",
                      {pdks::U("Tarih"), pdks::U("Baş.Saati"), pdks::U("Bit.Saati"), pdks::U("Top.Süre(Dakika)"), pdks::U("Fiili Süre"),
                       pdks::U("Satılan Süre"), pdks::U("İş Tipi"), pdks::U("İE.Tip"), pdks::U("İşemriNo"), pdks::U("Per.Kod"), pdks::U("Personel Adı"),
                       pdks::U("Pdks Baş.Sıra"), pdks::U("Pdks Son.Sıra"), pdks::U("Arıza Kod"), pdks::U("KartNo")});
    lay->addWidget(Grid, 1);
    LblToplam = new QLabel(this);
    LblToplam->setObjectName(QStringLiteral("LblToplam"));
    lay->addWidget(LblToplam);
    auto* lejant = new QLabel(pdks::U("Satılan Süre : İşçilik süresi (Birim Süre Cinsinden)\n"
                                "Fili Süre : Top. Süre (Dakika)  X 100 / 60\n"
                                "Top.Süre(Dakika) : Baş. Saati ile Bit.Saati arasındaki dakika"),
                              this);
    lay->addWidget(lejant);
    kurDugmeler(lay);
    kurMenu();
    resize(1150, 600);
}

void TFormCihazdanGelenBak::kurFiltre(QVBoxLayout* lay)
{
    auto* ust = new QHBoxLayout;
    auto* filtre = new QGroupBox(pdks::U("Filtre"), this);
    auto* f = new QFormLayout(filtre);
    CmbIsTipi = new QComboBox(filtre);
    CmbIsTipi->setObjectName(QStringLiteral("CmbIsTipi"));
    CmbIsTipi->addItems(pdksFiltreTipleri());
    f->addRow(pdks::U("İş Tipi"), CmbIsTipi);
    auto* tarihler = new QHBoxLayout;
    TarihBas = new TTarihEdit(filtre);
    TarihBas->setObjectName(QStringLiteral("TarihBas"));
    TarihBas->setBosOlabilir(true);
    TarihBas->temizle();
    TarihBit = new TTarihEdit(filtre);
    TarihBit->setObjectName(QStringLiteral("TarihBit"));
    TarihBit->setBosOlabilir(true);
    TarihBit->temizle();
    tarihler->addWidget(TarihBas);
    tarihler->addWidget(TarihBit);
    f->addRow(pdks::U("Hrk.Tarihleri"), tarihler);
    auto* per = new QHBoxLayout;
    EdPerKod = new QLineEdit(filtre);
    EdPerKod->setObjectName(QStringLiteral("EdPerKod"));
    auto* perSec = PdksDugme(filtre, "BtnPerSec", QStringLiteral("..."));
    perSec->setToolTip(pdks::U("Cari  Seç Ctrl-C"));
    per->addWidget(EdPerKod);
    per->addWidget(perSec);
    f->addRow(pdks::U("Pers. Kodu"), per);
    auto* fd = new QHBoxLayout;
    auto* filtrele = PdksDugme(filtre, "BtnFiltrele", pdks::U("Filtrele"));
    auto* kaldir = PdksDugme(filtre, "BtnFiltreKaldir", pdks::U("Filtreyi Kaldır"));
    fd->addWidget(filtrele);
    fd->addWidget(kaldir);
    f->addRow(fd);
    ust->addWidget(filtre);

    auto* sag = new QVBoxLayout;
    auto* sira = new QGroupBox(pdks::U("Sıralama Değiş"), this);
    auto* sl = new QHBoxLayout(sira);
    RbTarih = new QRadioButton(pdks::U("Tarih"), sira);
    RbTarih->setObjectName(QStringLiteral("RbTarih"));
    RbTarih->setChecked(true);
    RbPerKod = new QRadioButton(pdks::U("Pers.Kod"), sira);
    RbPerKod->setObjectName(QStringLiteral("RbPerKod"));
    sl->addWidget(RbTarih);
    sl->addWidget(RbPerKod);
    sag->addWidget(sira);
    auto* ara = new QFormLayout;
    EdAraPerKod = new QLineEdit(this);
    EdAraPerKod->setObjectName(QStringLiteral("EdAraPerKod"));
    EdAraTarih = new TTarihEdit(ServerToday(m_ctx.Database1), this);
    EdAraTarih->setObjectName(QStringLiteral("EdAraTarih"));
    ara->addRow(pdks::U("Aranan Prs.Kod"), EdAraPerKod);
    ara->addRow(pdks::U("Aranan Trh."), EdAraTarih);
    sag->addLayout(ara);
    ust->addLayout(sag);
    ust->addStretch();
    lay->addLayout(ust);

    connect(filtrele, &QPushButton::clicked, this, Guarded(this, &TFormCihazdanGelenBak::FiltreleClick));
    connect(kaldir, &QPushButton::clicked, this, Guarded(this, &TFormCihazdanGelenBak::FiltreyiKaldirClick));
    connect(perSec, &QPushButton::clicked, this, Guarded([this] {
                TDonPara d;
                PersonelSec(m_ctx, 1, d, this);
                if (!d.KodStr.isEmpty())
                    EdPerKod->setText(d.KodStr);
            }));
    connect(RbTarih, &QRadioButton::toggled, this, Guarded([this] { Listele(); }));
    connect(EdAraPerKod, &QLineEdit::returnPressed, this, Guarded(this, &TFormCihazdanGelenBak::AraPerKod));
    connect(EdAraTarih, &QDateEdit::editingFinished, this, Guarded(this, &TFormCihazdanGelenBak::AraTarih));
    EdAraTarih->installEventFilter(this);
}

bool TFormCihazdanGelenBak::eventFilter(QObject* o, QEvent* e)
{
    // In the date search box Down and Up walk the list instead of the date.
    if (o == EdAraTarih && e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Down || k == Qt::Key_Up) {
            const int r = Grid->currentRow() + (k == Qt::Key_Down ? 1 : -1);
            if (r >= 0 && r < Grid->rowCount())
                Grid->selectRow(r);
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

void TFormCihazdanGelenBak::kurDugmeler(QVBoxLayout* lay)
{
    auto* alt = new QHBoxLayout;
    auto* ek = PdksDugme(this, "BtnEkCalisma", pdks::U("Ek Çalışma/İzin Girişi"));
    auto* gunluk = PdksDugme(this, "BtnGunlukTakip", pdks::U("Seçilen Personelin Günlük Takibi"));
    auto* excel = PdksDugme(this, "BtnExcel", pdks::U("EXCEL"));
    auto* kapat = PdksDugme(this, "BtnKapat", pdks::U("Kapat"));
    alt->addWidget(ek);
    alt->addWidget(gunluk);
    alt->addStretch();
    alt->addWidget(excel);
    alt->addWidget(kapat);
    lay->addLayout(alt);
    connect(ek, &QPushButton::clicked, this, Guarded(this, &TFormCihazdanGelenBak::YeniKayitClick));
    connect(gunluk, &QPushButton::clicked, this, Guarded(this, &TFormCihazdanGelenBak::GunlukTakipClick));
    connect(excel, &QPushButton::clicked, this, Guarded([this] { GridExport(QStringLiteral("E"), Grid, true); }));
    connect(kapat, &QPushButton::clicked, this, &QDialog::close); // unguarded: ui only
}

void TFormCihazdanGelenBak::kurMenu()
{
    Grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    const auto eylem = [this](const char* name, const QString& caption, void (TFormCihazdanGelenBak::*slot)()) {
        auto* a = new QAction(caption, Grid);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, Guarded(this, slot));
        Grid->addAction(a);
    };
    eylem("YeniKayitEkle1", pdks::U("Yeni Kayıt Ekle"), &TFormCihazdanGelenBak::YeniKayitClick);
    eylem("Degistir1", pdks::U("Değiştir"), &TFormCihazdanGelenBak::DegistirClick);
    eylem("Sil1", pdks::U("Sil"), &TFormCihazdanGelenBak::SilClick);
}

void TFormCihazdanGelenBak::Listele()
{
    m_filtre.perKodSirali = RbPerKod->isChecked();
    QVariantMap binds;
    Query q(m_ctx.Database1, PdksAralikSorgusu(m_filtre, binds));
    q.bindAll(binds).exec();
    Grid->setRowCount(0);
    double fiili = 0, satilan = 0, dakika = 0;
    int r = 0;
    while (q.next()) {
        Grid->insertRow(r);
        const double fs = q.num(pdks::U("FIILISURE"));
        const double ss = q.num(pdks::U("SATILAN_SURE"));
        const double dk = fs * 6 / 10;
        fiili += fs;
        satilan += ss;
        dakika += dk;
        PdksHucre(Grid, r, 0, PdksTarih(q.dateTime(pdks::U("TARIH"))), int(q.integer(pdks::U("SIRANO"))));
        PdksHucre(Grid, r, 1, PdksSaat(q.dateTime(pdks::U("SAATBAS")), true));
        PdksHucre(Grid, r, 2, PdksSaat(q.dateTime(pdks::U("SAATBIT")), true));
        PdksHucre(Grid, r, 3, dk == 0 ? QString() : PdksSayi(dk));
        PdksHucre(Grid, r, 4, PdksSayi(fs, 2));
        PdksHucre(Grid, r, 5, PdksSayi(ss, 2));
        PdksHucre(Grid, r, 6, pdks::IsTipiAdi(q.str(pdks::U("IS_TIP"))));
        PdksHucre(Grid, r, 7, pdksIeTipAdi(q.str(pdks::U("TIPKOD"))));
        PdksHucre(Grid, r, 8, q.str(pdks::U("IENO")));
        PdksHucre(Grid, r, 9, q.str(pdks::U("PER_KOD")), q.str(pdks::U("PER_KOD")));
        PdksHucre(Grid, r, 10, q.str(pdks::U("ISCI_ADI")));
        PdksHucre(Grid, r, 11, q.isNull(pdks::U("SIRANO_BAS")) ? QString() : QString::number(q.integer(pdks::U("SIRANO_BAS"))));
        PdksHucre(Grid, r, 12, q.isNull(pdks::U("SIRANO_SON")) ? QString() : QString::number(q.integer(pdks::U("SIRANO_SON"))));
        PdksHucre(Grid, r, 13, q.str(pdks::U("ARIZA_KODU")));
        PdksHucre(Grid, r, 14, q.str(pdks::U("CIHAZ_ID")));
        ++r;
    }
    LblToplam->setText(pdks::U("Kayıt: %1   Fiili Süre: %2   Satılan Süre: %3   Top.Süre(Dakika): %4")
                           .arg(PdksSayi(r), PdksSayi(fiili, 2), PdksSayi(satilan, 2), PdksSayi(dakika, 2)));
    PdksIzgaraBoyutla(Grid);
    if (r > 0)
        Grid->selectRow(0);
}

void TFormCihazdanGelenBak::FiltreleClick()
{
    PdksAralikFiltresi f;
    const QString secim = CmbIsTipi->currentIndex() > 0 ? CmbIsTipi->currentText() : QString();
    f.isTip = secim.section(QLatin1Char(' '), 0, 0);
    f.bas = TarihBas->tarih();
    f.bit = TarihBit->tarih();
    f.perKod = EdPerKod->text().trimmed();
    m_filtre = f;
    Listele();
}

void TFormCihazdanGelenBak::FiltreyiKaldirClick()
{
    m_filtre = {};
    Listele();
}

int TFormCihazdanGelenBak::seciliSirano() const
{
    const int r = Grid->currentRow();
    return r < 0 || !Grid->item(r, 0) ? 0 : Grid->item(r, 0)->data(Qt::UserRole).toInt();
}

bool TFormCihazdanGelenBak::satiraGit(int sirano)
{
    for (int r = 0; r < Grid->rowCount(); ++r)
        if (Grid->item(r, 0)->data(Qt::UserRole).toInt() == sirano) {
            Grid->selectRow(r);
            return true;
        }
    return false;
}

void TFormCihazdanGelenBak::YeniKayitClick()
{
    const int no = SelectEkCalismaIzin(m_ctx, 0, this);
    if (no > 0) {
        Listele();
        satiraGit(no);
    }
}

void TFormCihazdanGelenBak::DegistirClick()
{
    const int no = seciliSirano();
    if (no == 0)
        return;
    if (AralikKilitli(m_ctx.Database1, no)) {
        ShowWarning(pdks::U("Arıza Kodu atanmış işlem üzerinde değişiklik yapılamaz!.."));
        return;
    }
    if (SelectEkCalismaIzin(m_ctx, no, this) > 0) {
        Listele();
        satiraGit(no);
    }
}

void TFormCihazdanGelenBak::SilClick()
{
    const int no = seciliSirano();
    if (no == 0)
        return;
    if (AralikKilitli(m_ctx.Database1, no)) {
        ShowWarning(pdks::U("Arıza Kodu atanmış işlem silinemez!.."));
        return;
    }
    if (!AskYesNo(pdks::U("Kaydı silmek istediğinizden emin misiniz?")))
        return;
    PdksAralikSil(m_ctx.Database1, no);
    ShowInfo(pdks::U("Kayıt Silindi!.."));
    Listele();
}

void TFormCihazdanGelenBak::GunlukTakipClick()
{
    const int r = Grid->currentRow();
    if (r < 0 || !pdksGunlukAcici())
        return;
    const QDate gun = QDate::fromString(Grid->item(r, 0)->text(), QStringLiteral("dd.MM.yyyy"));
    pdksGunlukAcici()(m_ctx, Grid->item(r, 9)->text(), gun, this);
}

void TFormCihazdanGelenBak::AraPerKod()
{
    const QString kod = EdAraPerKod->text().trimmed();
    for (int r = 0; r < Grid->rowCount(); ++r)
        if (Grid->item(r, 9)->text() == kod) {
            Grid->selectRow(r);
            return;
        }
}

void TFormCihazdanGelenBak::AraTarih()
{
    const QString t = EdAraTarih->date().toString(QStringLiteral("dd.MM.yyyy"));
    for (int r = 0; r < Grid->rowCount(); ++r)
        if (Grid->item(r, 0)->text() == t) {
            Grid->selectRow(r);
            return;
        }
}

// ---- Entry form -------------------------------------------------------------------

TFormPerEkCalisizin::TFormPerEkCalisizin(SessionContext& ctx, int sirano, QWidget* parent)
    : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FormPerEkCalisizin"));
    setWindowTitle(pdks::U("Ek Çalışma / İzin Girişi"));
    const Db& db = ctx.Database1;
    auto* lay = new QVBoxLayout(this);
    auto* f = new QFormLayout;
    LblSiraNo = new QLabel(this);
    LblSiraNo->setObjectName(QStringLiteral("LblSiraNo"));
    f->addRow(pdks::U("Sıra No"), LblSiraNo);
    CmbPersonel = new QComboBox(this);
    CmbPersonel->setObjectName(QStringLiteral("CmbPersonel"));
    {
        Query q(db, QStringLiteral("SELECT ISCI_KOD, ISCI_ADI, CIHAZ_ID FROM ISCIUSTA ORDER BY ISCI_ADI"));
        q.exec();
        CmbPersonel->addItem(QString());
        while (q.next())
            CmbPersonel->addItem(q.str(pdks::U("ISCI_ADI")), QStringList{q.str(pdks::U("ISCI_KOD")), q.str(pdks::U("CIHAZ_ID"))});
    }
    f->addRow(pdks::U("Personel Kodu"), CmbPersonel);
    LblCihazId = new QLabel(this);
    LblCihazId->setObjectName(QStringLiteral("LblCihazId"));
    f->addRow(pdks::U("Cihaz ID"), LblCihazId);
    EdTarih = new TTarihEdit(this);
    EdTarih->setObjectName(QStringLiteral("EdTarih"));
    f->addRow(pdks::U("Tarih"), EdTarih);
    auto* saatler = new QHBoxLayout;
    EdBas = new QTimeEdit(this);
    EdBas->setObjectName(QStringLiteral("EdBas"));
    EdBas->setDisplayFormat(QStringLiteral("HH:mm"));
    EdBit = new QTimeEdit(this);
    EdBit->setObjectName(QStringLiteral("EdBit"));
    EdBit->setDisplayFormat(QStringLiteral("HH:mm"));
    saatler->addWidget(EdBas);
    saatler->addWidget(EdBit);
    f->addRow(pdks::U("Başlama/Bitiş Saati"), saatler);
    CmbIsTipi = new QComboBox(this);
    CmbIsTipi->setObjectName(QStringLiteral("CmbIsTipi"));
    CmbIsTipi->addItem(QString());
    for (const char* t : {"WW2:Ek Mesai", "001:Atölye İşleri", "002:Boş Zaman", "003:Yardım(Stajyer için)",
                          "005:İzin", "006:Eğitim", "007:Hastalık", "008:Vekalet", "009:Parça Bekliyor",
                          "013:Yol Yardımı", "I:İş Emri"})
        CmbIsTipi->addItem(pdks::U(t), pdks::U(t).section(QLatin1Char(':'), 0, 0));
    f->addRow(pdks::U("İş Tipi"), CmbIsTipi);
    auto* ie = new QHBoxLayout;
    EdIeNo = new QLineEdit(this);
    EdIeNo->setObjectName(QStringLiteral("EdIeNo"));
    EdIeNo->setMaxLength(7);
    BtnSec = PdksDugme(this, "BtnSec", pdks::U("SEÇ"));
    ie->addWidget(EdIeNo);
    ie->addWidget(BtnSec);
    LblIeNo = new QLabel(pdks::U("İş Emri No"), this);
    f->addRow(LblIeNo, ie);
    LblFiili = new QLabel(this);
    LblFiili->setObjectName(QStringLiteral("LblFiili"));
    f->addRow(pdks::U("Fiili Süre(Birim Zaman)"), LblFiili);
    LblTopSure = new QLabel(this);
    LblTopSure->setObjectName(QStringLiteral("LblTopSure"));
    f->addRow(pdks::U("Top Süre(Dakika)"), LblTopSure);
    lay->addLayout(f);
    auto* alt = new QHBoxLayout;
    alt->addStretch();
    BtnKaydet = PdksDugme(this, "BtnKaydet", pdks::U("&Kaydet"));
    BtnIptal = PdksDugme(this, "BtnIptal", pdks::U("&İptal"));
    alt->addWidget(BtnKaydet);
    alt->addWidget(BtnIptal);
    lay->addLayout(alt);

    const PdksAralikGirisi g = PdksAralikOku(db, sirano);
    m_sirano = g.SIRANO;
    if (g.SIRANO == 0) {
        const QDateTime an = ServerNow(db);
        EdTarih->setDate(an.date());
        EdBas->setTime(QTime(an.time().hour(), an.time().minute()));
        EdBit->setTime(EdBas->time());
    } else {
        LblSiraNo->setText(QString::number(g.SIRANO));
        for (int i = 0; i < CmbPersonel->count(); ++i)
            if (CmbPersonel->itemData(i).toStringList().value(0) == g.PER_KOD)
                CmbPersonel->setCurrentIndex(i);
        EdTarih->setDate(g.TARIH);
        EdBas->setTime(g.SAATBAS);
        EdBit->setTime(g.SAATBIT);
        const int t = CmbIsTipi->findData(g.IS_TIP);
        CmbIsTipi->setCurrentIndex(t < 0 ? 0 : t);
        EdIeNo->setText(g.IENO);
    }
    tipDegisti();
    sureleriGoster();
    connect(CmbIsTipi, &QComboBox::currentIndexChanged, this, Guarded(this, &TFormPerEkCalisizin::tipDegisti));
    connect(CmbPersonel, &QComboBox::currentIndexChanged, this, Guarded([this] {
                LblCihazId->setText(CmbPersonel->currentData().toStringList().value(1));
            }));
    connect(EdBas, &QTimeEdit::timeChanged, this, Guarded(this, &TFormPerEkCalisizin::sureleriGoster));
    connect(EdBit, &QTimeEdit::timeChanged, this, Guarded(this, &TFormPerEkCalisizin::sureleriGoster));
    connect(BtnSec, &QPushButton::clicked, this, Guarded(this, &TFormPerEkCalisizin::SecClick));
    connect(BtnKaydet, &QPushButton::clicked, this, Guarded(this, &TFormPerEkCalisizin::KaydetClick));
    connect(BtnIptal, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    LblCihazId->setText(CmbPersonel->currentData().toStringList().value(1));
}

void TFormPerEkCalisizin::tipDegisti()
{
    const bool goster = pdks::IsEmriGerekir(CmbIsTipi->currentData().toString());
    LblIeNo->setVisible(goster);
    EdIeNo->setVisible(goster);
    BtnSec->setVisible(goster);
}

void TFormPerEkCalisizin::sureleriGoster()
{
    const QDateTime bas(EdTarih->date(), EdBas->time());
    const QDateTime bit = pdks::ElleBitis(bas, EdBit->time());
    LblFiili->setText(PdksSayi(pdks::ElleFiiliSure(bas, bit), 2));
    LblTopSure->setText(PdksSayi(double(bas.secsTo(bit)) / 60.0));
}

void TFormPerEkCalisizin::SecClick()
{
    const TypeIsEmri t = IsemriSec(m_ctx, 2, QString(), this);
    if (!t.IsEmriNo.isEmpty())
        EdIeNo->setText(t.IsEmriNo);
}

void TFormPerEkCalisizin::KaydetClick()
{
    PdksAralikGirisi g;
    g.SIRANO = m_sirano;
    g.PER_KOD = CmbPersonel->currentData().toStringList().value(0);
    g.TARIH = EdTarih->tarih();
    g.SAATBAS = EdBas->time();
    g.SAATBIT = EdBit->time();
    g.IS_TIP = CmbIsTipi->currentData().toString();
    g.IENO = EdIeNo->text();
    m_sirano = PdksAralikKaydet(m_ctx.Database1, g);
    accept();
}

void CihazdanGelenBakGoster(SessionContext& ctx, QWidget* parent)
{
    auto* f = new TFormCihazdanGelenBak(ctx, parent);
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->setModal(false);
    f->Listele();
    f->show();
}

int SelectEkCalismaIzin(SessionContext& ctx, int sirano, QWidget* parent)
{
    TFormPerEkCalisizin f(ctx, sirano, parent);
    return RunModal(f) == QDialog::Accepted ? f.sirano() : 0;
}

} // namespace tornaly::workshop
