#include "parameters/parametr.h"
#include "controls/SayiAlani.h"
#include "util/Utf8.h"
#include "context/SessionContext.h"
#include "guard/FormGuard.h"
#include "guard/WaitCursor.h"
#include "messages/Messages.h"
#include "money/Money.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace tornaly {

namespace {

using text::S;

enum class Tur { Metin, Tam, Para, Sayi, Tarih, Saat, Onay, OnayMetin, Yuvarlama, Dosya, Klasor };

struct Alan {
    const char* ad;     // TABLE.COLUMN
    const char* baslik;
    Tur tur;
    int sekme;          // 0 Servis, 1 Araç Satış, 2 Genel, 3 Mesai Bilgileri
};

const QList<Alan>& alanlar()
{
    static const QList<Alan> a{
        {"PARAMET.GARANTI_SURE", "Garanti Süresi (Yil)", Tur::Tam, 0},
        {"PARAMET.STOK_ISKONTO", "Stok Siparis Iskonto", Tur::Sayi, 0},
        {"PARAMET.ACIL_ISKONTO", "Acil Siparis Iskonto", Tur::Sayi, 0},
        {"PARAMET.CLAIM_PRC_ISK", "Garanti Talep Parça Isk.", Tur::Sayi, 0},
        {"PARAMET.CLAIM_ISC_ISK", "Garanti Talep Isçilik Isk.", Tur::Sayi, 0},
        {"PARAMET.ISC_MARK", "Fat.İşcilik İşareti", Tur::Metin, 0},
        {"PARAMET.ISCILIK_PRG_YOL", "Harici Isçilik Katalog Programi", Tur::Dosya, 0},
        {"PARAMSER.EMIR_HARF", "Is Emri No Harf", Tur::Metin, 0},
        {"PARAMSER.SERI_NO", "Baslangiç IsEmri Seri No", Tur::Tam, 0},
        {"PARAMET.ISCLIK_UCR_TOP", "Aylık İşçilik Ücret Tutarı", Tur::Para, 0},
        {"PARAMET.CALIS_GUN", "Aylık Çalışılan Gün", Tur::Sayi, 0},
        {"PARAMET.GUN_CALIS_SAAT", "Günlük Çalışma Saati", Tur::Sayi, 0},
        {"FIRKIM.BBSDIZIN", "PDKS Cihazi Kayit Dosyasi", Tur::Dosya, 0},
        {"PARAMET.NEGATIF_STOK", "Negatif Stok Izni", Tur::Onay, 0},
        {"PARAMET.MALIYET_UYARI", "Maliyetin Altinda Satış Uyarısı", Tur::Onay, 0},
        {"PARAMET.STK_MALIYET", "Maliyet Analizinde Stok kartındaki Maliyeti esas al.", Tur::Onay, 0},
        {"PARAMET.KAPFORM_ISK", "Kapanış Formu Kalem İskonto", Tur::OnayMetin, 0},
        {"PARAMET.BEKLE_GUN", "Pot.Mşt.Görüşme Bekle Gün", Tur::Tam, 1},
        {"PARAMET.POQ_AYL_SAP", "Aylik POQ Sapma %", Tur::Tam, 1},
        {"PARAMET.POQ_YIL_SAP", "Yillik POQ Sapma %", Tur::Tam, 1},
        {"PARAMET.ARCSAT_MAXISK", "Araç Satışta Minimum ÖTV Matrahının Altında Satış İzni", Tur::Onay, 1},
        {"PARAMET.IKI_CRISKKONTROL", "2.Elde Cari risk kontrolü yapsın.", Tur::OnayMetin, 1},
        {"PARAMET.FAT_KILIT_TRH", "Fatura Kilit Tarihi", Tur::Tarih, 2},
        {"PARAMET.FATYUVARTIP", "Faturada Yuvarlama", Tur::Yuvarlama, 2},
        {"PARAMET.EKSIK_ALAN_UYARI",
         "Cari kayıtta Fatura için gerekli bilgileri(TcKimlikNo,Vergi Dairesi,Telefon, Adres-1 vs.) Uyarsın ",
         Tur::Onay, 2},
        {"PARAMET.DOVIZLI_BKY", "Dövizli Bakiye Yaz", Tur::Onay, 2},
        {"PARAMET.CARIMSGVAR", "Cari İşlemlerde, Carinin Mesajı varsa Uyarsın ", Tur::OnayMetin, 2},
        {"PARAMET.SATSIP_ACIKLAMA", "Banko Satışta sipariş kalemlerine Açıklama satırı ekle", Tur::Onay, 2},
        {"PARAMET.TAKIP_LINK", "Kargo Takip Link", Tur::Metin, 2},
        {"PARAMET.FILE_PATH", "Dosya Kayıt Yolu", Tur::Klasor, 2},
        {"FIRKIM.MESAIBAS", "Mesai Başlangıcı", Tur::Saat, 3},
        {"FIRKIM.MESAIBIT", "Mesai Bitişi", Tur::Saat, 3},
        {"FIRKIM.YEMEKBAS", "Yemek Başlangıcı", Tur::Saat, 3},
        {"FIRKIM.YEMEKBIT", "Yemek Bitişi", Tur::Saat, 3},
        {"FIRKIM.MOLA1BAS", "Mola Başlangıcı", Tur::Saat, 3},
        {"FIRKIM.MOLA1BIT", "Mola Bitişi", Tur::Saat, 3},
        {"FIRKIM.MOLA2BAS", "2. Mola Başlangıcı", Tur::Saat, 3},
        {"FIRKIM.MOLA2BIT", "2. Mola Bitişi", Tur::Saat, 3},
        {"FIRKIM.MESAIBASCT", "Mesai Başlangıcı Cts", Tur::Saat, 3},
        {"FIRKIM.MESAIBITCT", "Mesai Bitişi Cts", Tur::Saat, 3},
    };
    return a;
}

const Alan* bul(const QString& ad)
{
    for (const Alan& a : alanlar())
        if (ad == QLatin1String(a.ad))
            return &a;
    return nullptr;
}

QString nesneAdi(const QString& ad) { return QString(ad).replace(QLatin1Char('.'), QLatin1Char('_')); }

} // namespace

TFormParam::TFormParam(SessionContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    setObjectName(S("FormParam"));
    setWindowTitle(S("Parametreler"));
    kur();
    // The invoice lock date is for administrators, the waiting days for
    // users with the follow-up right.
    alan(S("PARAMET.FAT_KILIT_TRH"))->setEnabled(ctx.AktifKullanici.u_type == QLatin1String("A"));
    alan(S("PARAMET.BEKLE_GUN"))->setEnabled(ctx.AktifKullanici.diger24 == QLatin1String("E"));
    if (ctx.ModulSevk != 1) {
        for (const char* k : {"PARAMET.SATSIP_ACIKLAMA", "PARAMET.TAKIP_LINK"}) {
            QWidget* w = alan(S(k));
            w->hide();
            if (auto* f = qobject_cast<QFormLayout*>(w->parentWidget()->layout()))
                if (QWidget* l = f->labelForField(w))
                    l->hide();
        }
    }
    goster(ParametreleriOku(m_db));
}

void TFormParam::kur()
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(S("PageControl1"));
    QList<QFormLayout*> formlar;
    for (const char* s : {"Servis", "Araç Satış", "Genel", "Mesai Bilgileri"}) {
        auto* sayfa = new QWidget(PageControl1);
        auto* f = new QFormLayout(sayfa);
        f->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        formlar << f;
        PageControl1->addTab(sayfa, S(s));
    }
    for (const Alan& a : alanlar()) {
        const QString ad = S(a.ad);
        QWidget* w = nullptr;
        QWidget* satir = nullptr;
        switch (a.tur) {
        case Tur::Onay:
        case Tur::OnayMetin: {
            auto* c = new QCheckBox(S(a.baslik), this);
            w = c;
            formlar.at(a.sekme)->addRow(QString(), c);
            break;
        }
        case Tur::Saat: {
            auto* t = new QTimeEdit(this);
            t->setDisplayFormat(S("HH:mm"));
            t->setMaximumWidth(90);
            w = t;
            break;
        }
        case Tur::Yuvarlama: {
            auto* kutu = new QWidget(this);
            auto* l = new QHBoxLayout(kutu);
            l->setContentsMargins(0, 0, 0, 0);
            auto* g = new QButtonGroup(kutu);
            g->setObjectName(S("rgYuvarlama"));
            const char* secenekler[][2] = {{"Y", "Yukarı"}, {"A", "Aşağı"}, {"H", "Hiçbiri"}};
            for (const auto& s : secenekler) {
                auto* r = new QRadioButton(S(s[1]), kutu);
                r->setObjectName(S("rbYuvarla") + S(s[0]));
                r->setProperty("deger", S(s[0]));
                g->addButton(r);
                l->addWidget(r);
            }
            l->addStretch();
            w = kutu;
            break;
        }
        case Tur::Dosya:
        case Tur::Klasor: {
            auto* e = new QLineEdit(this);
            e->setReadOnly(true);
            e->setMinimumWidth(320);
            auto* b = new QPushButton(a.tur == Tur::Dosya ? S("Dosya Seç") : S("Klasör Seç"), this);
            b->setObjectName(S("BtnSec_") + nesneAdi(ad));
            satir = new QWidget(this);
            auto* l = new QHBoxLayout(satir);
            l->setContentsMargins(0, 0, 0, 0);
            l->addWidget(e, 1);
            l->addWidget(b);
            if (a.tur == Tur::Dosya)
                connect(b, &QPushButton::clicked, this, Guarded([this, ad] { DosyaSecClick(ad); }));
            else
                connect(b, &QPushButton::clicked, this, Guarded(this, &TFormParam::KlasorSecClick));
            w = e;
            break;
        }
        default: {
            auto* e = new QLineEdit(this);
            e->setMaximumWidth(a.tur == Tur::Metin ? 16777215 : 140);
            if (a.tur != Tur::Metin)
                e->setAlignment(Qt::AlignRight);
            if (a.tur == Tur::Tarih)
                e->setPlaceholderText(S("gg.aa.yyyy"));
            if (ad == QLatin1String("PARAMET.ISC_MARK") || ad == QLatin1String("PARAMSER.EMIR_HARF"))
                e->setMaxLength(1), e->setMaximumWidth(40);
            w = e;
        }
        }
        w->setObjectName(nesneAdi(ad));
        m_alanlar.insert(ad, w);
        if (a.tur != Tur::Onay && a.tur != Tur::OnayMetin)
            formlar.at(a.sekme)->addRow(S(a.baslik), satir ? satir : w);
    }

    auto* tatilSayfa = new QWidget(PageControl1);
    auto* tl = new QVBoxLayout(tatilSayfa);
    GridTatil = new QTableWidget(0, 3, tatilSayfa);
    GridTatil->setObjectName(S("GridTatil"));
    GridTatil->setHorizontalHeaderLabels({S("Tarih"), S("Tatil Açıklaması"), S("Yarımgün")});
    GridTatil->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    GridTatil->verticalHeader()->hide();
    BtnTatilEkle = new QPushButton(S("Tatil Ekle"), tatilSayfa);
    BtnTatilEkle->setObjectName(S("BtnTatilEkle"));
    BtnTatilSil = new QPushButton(S("Tatil Sil"), tatilSayfa);
    BtnTatilSil->setObjectName(S("BtnTatilSil"));
    auto* tb = new QHBoxLayout;
    tb->addWidget(BtnTatilEkle);
    tb->addWidget(BtnTatilSil);
    tb->addStretch();
    tl->addWidget(GridTatil);
    tl->addLayout(tb);
    PageControl1->addTab(tatilSayfa, S("Resmi Tatiller"));
    PageControl1->setCurrentIndex(0);

    BtnKaydet = new QPushButton(S("Kaydet"), this);
    BtnKaydet->setObjectName(S("BtnKaydet"));
    BtnIptal = new QPushButton(S("İptal"), this);
    BtnIptal->setObjectName(S("BtnIptal"));
    auto* butonlar = new QHBoxLayout;
    butonlar->addStretch();
    butonlar->addWidget(BtnKaydet);
    butonlar->addWidget(BtnIptal);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(PageControl1);
    lay->addLayout(butonlar);
    resize(720, 560);

    connect(BtnKaydet, &QPushButton::clicked, this, Guarded(this, &TFormParam::BtnKaydetClick));
    connect(BtnIptal, &QPushButton::clicked, this, Guarded(this, &TFormParam::BtnIptalClick));
    connect(BtnTatilEkle, &QPushButton::clicked, this, Guarded(this, &TFormParam::BtnTatilEkleClick));
    connect(BtnTatilSil, &QPushButton::clicked, this, Guarded(this, &TFormParam::BtnTatilSilClick));
}

void TFormParam::setDeger(const QString& ad, const QVariant& v)
{
    const Alan* a = bul(ad);
    QWidget* w = alan(ad);
    if (!a || !w)
        return;
    switch (a->tur) {
    case Tur::Onay: static_cast<QCheckBox*>(w)->setChecked(v.toInt() == 1); break;
    case Tur::OnayMetin: static_cast<QCheckBox*>(w)->setChecked(v.toString() == QLatin1String("1")); break;
    case Tur::Saat: static_cast<QTimeEdit*>(w)->setTime(v.isNull() ? QTime(0, 0) : v.toDateTime().time()); break;
    case Tur::Yuvarlama:
        for (auto* r : w->findChildren<QRadioButton*>())
            r->setChecked(r->property("deger").toString() == v.toString());
        break;
    default: {
        QString t;
        if (!v.isNull()) {
            if (a->tur == Tur::Tarih)
                t = v.toDateTime().date().toString(S("dd.MM.yyyy"));
            else if (a->tur == Tur::Para)
                t = FormatMoney(v.toDouble(), S(",0.00"));
            else if (a->tur == Tur::Sayi)
                t = FormatMoney(v.toDouble(), S("#.##"));
            else
                t = v.toString();
        }
        static_cast<QLineEdit*>(w)->setText(t);
    }
    }
}

QVariant TFormParam::deger(const QString& ad) const
{
    const Alan* a = bul(ad);
    QWidget* w = alan(ad);
    if (!a || !w)
        return {};
    switch (a->tur) {
    case Tur::Onay: return static_cast<QCheckBox*>(w)->isChecked() ? 1 : 0;
    case Tur::OnayMetin: return static_cast<QCheckBox*>(w)->isChecked() ? S("1") : S("0");
    case Tur::Saat: return QDateTime(QDate(1899, 12, 30), static_cast<QTimeEdit*>(w)->time());
    case Tur::Yuvarlama:
        for (auto* r : w->findChildren<QRadioButton*>())
            if (r->isChecked())
                return r->property("deger").toString();
        return {};
    default: break;
    }
    const QString t = static_cast<QLineEdit*>(w)->text().trimmed();
    if (t.isEmpty())
        return a->tur == Tur::Metin || a->tur == Tur::Dosya || a->tur == Tur::Klasor ? QVariant(QString()) : QVariant();
    switch (a->tur) {
    case Tur::Tam: {
        bool ok = false;
        const int v = t.toInt(&ok);
        return ok ? QVariant(v) : QVariant();
    }
    case Tur::Para:
    case Tur::Sayi: {
        double v = 0;
        return ParseMoney(t, &v) ? QVariant(v) : QVariant();
    }
    case Tur::Tarih: {
        const QDate d = QDate::fromString(t, S("dd.MM.yyyy"));
        return d.isValid() ? QVariant(d.startOfDay()) : QVariant();
    }
    default: return t;
    }
}

void TFormParam::goster(const TParametreler& p)
{
    for (const Alan& a : alanlar()) {
        const QString ad = S(a.ad);
        const QString tablo = ad.section(QLatin1Char('.'), 0, 0), kolon = ad.section(QLatin1Char('.'), 1);
        const QVariantMap& m = tablo == QLatin1String("PARAMET") ? p.PARAMET
                               : tablo == QLatin1String("PARAMSER") ? p.PARAMSER
                                                                    : p.FIRKIM;
        setDeger(ad, m.value(kolon));
    }
    GridTatil->setRowCount(0);
    for (const TResmiTatil& t : p.tatiller) {
        const int r = GridTatil->rowCount();
        GridTatil->insertRow(r);
        GridTatil->setItem(r, 0, new QTableWidgetItem(t.TARIH.toString(S("dd.MM.yyyy"))));
        GridTatil->setItem(r, 1, new QTableWidgetItem(t.RESMITATILAD));
        auto* y = new QComboBox(GridTatil);
        y->addItem(S("Hayır"), S("H"));
        y->addItem(S("Evet"), S("E"));
        y->setCurrentIndex(t.YARIMGUN == QLatin1String("E") ? 1 : 0);
        GridTatil->setCellWidget(r, 2, y);
    }
}

TParametreler TFormParam::topla() const
{
    TParametreler p;
    for (const Alan& a : alanlar()) {
        const QString ad = S(a.ad);
        const QString tablo = ad.section(QLatin1Char('.'), 0, 0), kolon = ad.section(QLatin1Char('.'), 1);
        QVariantMap& m = tablo == QLatin1String("PARAMET") ? p.PARAMET
                         : tablo == QLatin1String("PARAMSER") ? p.PARAMSER
                                                              : p.FIRKIM;
        m.insert(kolon, deger(ad));
    }
    for (int r = 0; r < GridTatil->rowCount(); ++r) {
        TResmiTatil t;
        const auto metin = [this](int r, int c) {
            const QTableWidgetItem* i = GridTatil->item(r, c);
            return i ? i->text().trimmed() : QString();
        };
        t.TARIH = QDate::fromString(metin(r, 0), S("dd.MM.yyyy"));
        t.RESMITATILAD = metin(r, 1);
        if (auto* y = qobject_cast<QComboBox*>(GridTatil->cellWidget(r, 2)))
            t.YARIMGUN = y->currentData().toString();
        p.tatiller << t;
    }
    return p;
}

void TFormParam::BtnKaydetClick()
{
    QList<QLineEdit*> sayilar, tamSayilar;
    for (const Alan& a : alanlar()) {
        auto* e = qobject_cast<QLineEdit*>(alan(S(a.ad)));
        if (a.tur == Tur::Tam)
            tamSayilar << e;
        else if (a.tur == Tur::Para || a.tur == Tur::Sayi)
            sayilar << e;
    }
    if (!SayiAlanlariGecerli(sayilar, tamSayilar))
        return;
    Guard([&] {
        WaitCursor wait;
        const QString hata = ParametreleriKaydet(m_db, m_ctx.AktifKullanici, topla());
        if (!hata.isEmpty()) {
            ShowError(hata);
            return;
        }
        accept();
    });
}

void TFormParam::BtnIptalClick() { reject(); }

void TFormParam::BtnTatilEkleClick()
{
    const int r = GridTatil->rowCount();
    GridTatil->insertRow(r);
    GridTatil->setItem(r, 0, new QTableWidgetItem);
    GridTatil->setItem(r, 1, new QTableWidgetItem);
    auto* y = new QComboBox(GridTatil);
    y->addItem(S("Hayır"), S("H"));
    y->addItem(S("Evet"), S("E"));
    GridTatil->setCellWidget(r, 2, y);
    GridTatil->setCurrentCell(r, 0);
}

void TFormParam::BtnTatilSilClick()
{
    if (GridTatil->currentRow() >= 0)
        GridTatil->removeRow(GridTatil->currentRow());
}

void TFormParam::DosyaSecClick(const QString& ad)
{
    const QString dosya = Messages().askOpenFile(S("Dosya Seç"), S("Tüm Dosyalar (*)"));
    if (!dosya.isEmpty())
        static_cast<QLineEdit*>(alan(ad))->setText(QDir::toNativeSeparators(dosya));
}

void TFormParam::KlasorSecClick()
{
    const QString klasor = QFileDialog::getExistingDirectory(this, S("Dosya Kayıt Yolu"));
    if (!klasor.isEmpty())
        static_cast<QLineEdit*>(alan(S("PARAMET.FILE_PATH")))->setText(QDir::toNativeSeparators(klasor));
}

} // namespace tornaly
