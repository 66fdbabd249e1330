#include "personnel/personSakla.h"
#include "controls/SayiAlani.h"
#include "util/Utf8.h"
#include "connection/DialogRunner.h"
#include "context/SessionContext.h"
#include "dm/LookupLists.h"
#include "guard/FormGuard.h"
#include "guard/WaitCursor.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "messages/Messages.h"
#include "money/Money.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly {

namespace {

using text::S;

enum class AlanTuru { Metin, Tam, Para, Sayi, Tarih, Liste, Not };

struct AlanTanimi {
    const char* kolon;
    const char* baslik;
    AlanTuru tur;
    int sekme;     // 0 Genel, 1 Kişisel, 2 İletişim, 3 Diğer
    int uzunluk;
    TLookupList liste;
};

const TLookupList& ssk() { static const TLookupList l{{S("E"), S("Evet")}, {S("H"), S("Hayır")}}; return l; }
const TLookupList& durum() { static const TLookupList l{{S("A"), S("Aktif")}, {S("P"), S("Pasif")}}; return l; }
const TLookupList& medeni()
{
    static const TLookupList l{{S("B"), S("Bekâr")}, {S("E"), S("Evli")}, {S("D"), S("Dul")}};
    return l;
}
const TLookupList& mezuniyet()
{
    static const TLookupList l{{S("YOK"), S("YOK")},          {S("CIRAK"), S("ÇIRAKLIK OKULU")},
                               {S("ILK"), S("İLKOKUL")},       {S("ORTA"), S("ORTAOKUL")},
                               {S("LISE"), S("LİSE")},         {S("MESLEK"), S("MESLEK LİSESİ")},
                               {S("MYO"), S("MESLEK YÜKSEK OKULU")}, {S("UNIV"), S("ÜNİVERSİTE")},
                               {S("LUSTU"), S("LİSANS ÜSTÜ")}};
    return l;
}
const TLookupList& kanGrubu()
{
    static const TLookupList l{{S(""), S("")},               {S("0 Rh(+)"), S("0 Rh(+)")}, {S("0 Rh(-)"), S("0 Rh(-)")},
                               {S("A Rh(+)"), S("A Rh(+)")}, {S("A Rh(-)"), S("A Rh(-)")}, {S("B Rh(+)"), S("B Rh(+)")},
                               {S("B Rh(-)"), S("B Rh(-)")}, {S("AB Rh(+)"), S("AB Rh(+)")}, {S("AB Rh(-)"), S("AB Rh(-)")}};
    return l;
}
const TLookupList& askerlik()
{
    static const TLookupList l{{S("0"), S("-")},      {S("1"), S("Yapmadı")}, {S("2"), S("Tecilli")},
                               {S("3"), S("Muaf")},   {S("4"), S("Yaptı")}};
    return l;
}
const TLookupList& cinsiyet() { static const TLookupList l{{S("Bay"), S("Bay")}, {S("Bayan"), S("Bayan")}}; return l; }

const QList<AlanTanimi>& personelAlanlari()
{
    static const QList<AlanTanimi> a{
        {"ISCI_KOD", "Personel Kodu", AlanTuru::Metin, 0, 11, {}},
        {"ISCI_ADI", "Adı Soyadı", AlanTuru::Metin, 0, 30, {}},
        {"ISCI_TIP", "Pozisyon", AlanTuru::Liste, 0, 0, cxPozisyon()},
        {"GRUBU", "Grubu", AlanTuru::Liste, 0, 0, cxPerOrg()},
        {"BOLUMU", "Bölümü", AlanTuru::Liste, 0, 0, cxOrgBolum()},
        {"GOREVI", "Görevi", AlanTuru::Metin, 0, 30, {}},
        {"LISTE_SIRA", "Liste Sıra", AlanTuru::Tam, 0, 0, {}},
        {"DURUM", "Durum", AlanTuru::Liste, 0, 0, durum()},
        {"IS_BAS_TRH", "İşe Başlama Tarihi", AlanTuru::Tarih, 0, 0, {}},
        {"AYRILIS_TRH", "Ayrılış Tarihi", AlanTuru::Tarih, 0, 0, {}},
        {"IS_TEC_YIL", "Tecrübe (Yıl)", AlanTuru::Sayi, 0, 0, {}},
        {"ISCI_UCRET_NET", "Net Ücret", AlanTuru::Para, 0, 0, {}},
        {"ISCI_UCRET_BRUT", "Brüt Ücret", AlanTuru::Para, 0, 0, {}},
        {"ISCI_SSK", "SSK", AlanTuru::Liste, 0, 0, ssk()},
        {"SSK_NO", "SSK No", AlanTuru::Metin, 0, 16, {}},
        {"CIHAZ_ID", "KartNo", AlanTuru::Metin, 0, 15, {}},
        {"TCKIMLIK_NO", "T.C. Kimlik No", AlanTuru::Metin, 1, 15, {}},
        {"VKIMLIK_NO", "Vergi Kimlik No", AlanTuru::Metin, 1, 15, {}},
        {"DTAR", "Doğum Tarihi", AlanTuru::Tarih, 1, 0, {}},
        {"DYER", "Doğum Yeri", AlanTuru::Metin, 1, 30, {}},
        {"CINSIYET", "Cinsiyet", AlanTuru::Liste, 1, 0, cinsiyet()},
        {"MEDENI_DURUM", "Medeni Durum", AlanTuru::Liste, 1, 0, medeni()},
        {"COCUK", "Çocuk Sayısı", AlanTuru::Tam, 1, 0, {}},
        {"MEZUNIYET", "Mezuniyet", AlanTuru::Liste, 1, 0, mezuniyet()},
        {"KANGRUBU", "Kan Grubu", AlanTuru::Liste, 1, 0, kanGrubu()},
        {"ASKERLIK", "Askerlik", AlanTuru::Liste, 1, 0, askerlik()},
        {"ASTECYIL", "Tecil Yılı", AlanTuru::Tam, 1, 0, {}},
        {"BEDEN_NO", "Beden", AlanTuru::Metin, 1, 5, {}},
        {"BEDEN_UST", "Ceket", AlanTuru::Metin, 1, 5, {}},
        {"BEDEN_ALT", "Pantolon", AlanTuru::Metin, 1, 5, {}},
        {"AYAKKABI_NO", "Ayakkabı No", AlanTuru::Metin, 1, 5, {}},
        {"TEL1", "Ev Telefonu", AlanTuru::Metin, 2, 15, {}},
        {"TEL2", "Cep Telefonu", AlanTuru::Metin, 2, 15, {}},
        {"ADRES1", "Adres", AlanTuru::Metin, 2, 40, {}},
        {"SEMT", "Semt", AlanTuru::Metin, 2, 15, {}},
        {"IL", "İl", AlanTuru::Metin, 2, 15, {}},
        {"EMAIL", "E-Posta", AlanTuru::Metin, 2, 50, {}},
        {"ESKI_KURSLAR", "Eski Kurslar", AlanTuru::Metin, 3, 255, {}},
        {"REFERANSI", "Referansı", AlanTuru::Metin, 3, 100, {}},
        {"CALISTIGI_YERLER", "Çalıştığı Yerler", AlanTuru::Metin, 3, 30, {}},
        {"ACIKLAMA", "Açıklama", AlanTuru::Not, 3, 0, {}},
    };
    return a;
}

const AlanTanimi* tanim(const QString& kolon)
{
    for (const AlanTanimi& a : personelAlanlari())
        if (kolon == QLatin1String(a.kolon))
            return &a;
    return nullptr;
}

QDate tarihOku(const QString& text)
{
    for (const char* f : {"dd.MM.yyyy", "d.M.yyyy", "dd.MM.yy"}) {
        QDate d = QDate::fromString(text.trimmed(), S(f));
        if (d.isValid()) {
            if (d.year() < 1930)
                d = d.addYears(100);
            return d;
        }
    }
    return {};
}

// The columns each curriculum vitae section shows: caption and field
// (T1/T2 dates, X1..X4 texts, I1 the level).
struct OzgecmisKolonu {
    const char* baslik;
    const char* alan;
};
const QList<QPair<int, QPair<const char*, QList<OzgecmisKolonu>>>>& ozgecmisBolumleri()
{
    static const QList<QPair<int, QPair<const char*, QList<OzgecmisKolonu>>>> b{
        {10, {"Eğitim", {{"Başlangıç Tarih", "T1"}, {"Bitiş Tarih", "T2"}, {"Kurum", "X1"}, {"Şehir", "X2"},
                          {"Derece", "X3"}, {"Detaylı Bilgi", "X4"}}}},
        {20, {"Yabancı Dil", {{"Yabancı Dil", "X1"}, {"Seviye", "I1"}}}},
        {30, {"İş Tecrübesi", {{"Başlangıç Tarih", "T1"}, {"Bitiş Tarih", "T2"}, {"Şirket", "X1"}, {"Şehir", "X2"},
                                {"Görev", "X3"}, {"Detaylı Bilgi", "X4"}}}},
        {40, {"Referanslar", {{"Referans", "X1"}, {"Şirket", "X2"}, {"İletişim Bilgileri", "X3"}}}},
    };
    return b;
}
const QStringList& seviyeler()
{
    static const QStringList l{S("Zayıf"), S("Orta"), S("İyi"), S("Çok İyi")};
    return l;
}
const QStringList& diller()
{
    static const QStringList l{S("İngilizce"), S("Fransızca"), S("Almanca"), S("İtalyanca"), S("Rusça"),
                               S("Arapça"), S("Kürtçe"), S("Japonca"), S("Çince")};
    return l;
}
constexpr int kRowIdRol = Qt::UserRole;
constexpr int kDegistiRol = Qt::UserRole + 1;

} // namespace

TFormpersonSakla::TFormpersonSakla(SessionContext& ctx, const QString& kod, int mode, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    setObjectName(S("FormpersonSakla"));
    setWindowTitle(S("Personel Kayıtları"));
    kur();
    m_yukleniyor = true;
    if (mode == 1) {
        m_yeni = true;
        kartiGoster(YeniPersonelKarti(m_db, kod));
        egitimleriGoster({});
        fotoGoster({});
    } else {
        m_kod = kod;
        kartiGoster(PersonelOku(m_db, kod));
        egitimleriGoster(PersonelEgitimleri(m_db, kod));
        fotoGoster(PersonelFotoOku(m_db, kod));
    }
    static_cast<QLineEdit*>(alan(S("ISCI_KOD")))->setReadOnly(!m_yeni);
    if (mode == 0) {
        ozgecmisKur();
        for (const TPerCV& c : PersonelOzgecmisi(m_db, kod))
            ozgecmisSatiriEkle(c);
    }
    m_yukleniyor = false;
    kurallariUygula();
}

void TFormpersonSakla::kur()
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(S("PageControl1"));
    const char* sekmeler[] = {"Genel Bilgiler", "Kişisel Bilgiler", "İletişim", "Diğer"};
    QList<QFormLayout*> formlar;
    for (const char* s : sekmeler) {
        auto* sayfa = new QWidget(PageControl1);
        auto* form = new QFormLayout(sayfa);
        form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        formlar << form;
        PageControl1->addTab(sayfa, S(s));
    }
    for (const AlanTanimi& a : personelAlanlari()) {
        QWidget* w = nullptr;
        const QString kolon = S(a.kolon);
        switch (a.tur) {
        case AlanTuru::Liste: {
            auto* c = new QComboBox(this);
            for (const auto& v : a.liste)
                c->addItem(v.second, v.first);
            if (!a.liste.isEmpty() && !a.liste.first().first.isEmpty())
                c->insertItem(0, QString(), QString());
            connect(c, &QComboBox::currentIndexChanged, this, Guarded([this] { degisti(); }));
            w = c;
            break;
        }
        case AlanTuru::Not: {
            auto* t = new QPlainTextEdit(this);
            t->setMinimumHeight(90);
            connect(t, &QPlainTextEdit::textChanged, this, Guarded([this] { degisti(); }));
            w = t;
            break;
        }
        default: {
            auto* e = new QLineEdit(this);
            if (a.uzunluk > 0)
                e->setMaxLength(a.uzunluk);
            if (a.tur == AlanTuru::Tarih) {
                e->setPlaceholderText(S("gg.aa.yyyy"));
                e->setMaximumWidth(110);
            } else if (a.tur != AlanTuru::Metin) {
                e->setMaximumWidth(130);
                e->setAlignment(Qt::AlignRight);
            }
            connect(e, &QLineEdit::textEdited, this, Guarded([this] { degisti(); }));
            w = e;
        }
        }
        w->setObjectName(kolon);
        m_alanlar.insert(kolon, w);
        formlar.at(a.sekme)->addRow(S(a.baslik), w);
    }

    // Trainings.
    auto* egitimSayfa = new QWidget(PageControl1);
    auto* egitimLay = new QVBoxLayout(egitimSayfa);
    GridEgitim = new QTableWidget(0, 6, egitimSayfa);
    GridEgitim->setObjectName(S("GridEgitim"));
    GridEgitim->setHorizontalHeaderLabels({S("Sıra No"), S("Kurs Kodu"), S("Kurs Adı"), S("Baş.Tarih"),
                                           S("Bit.Tarih"), S("Toplam Saat")});
    GridEgitim->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    GridEgitim->verticalHeader()->hide();
    connect(GridEgitim, &QTableWidget::itemChanged, this, Guarded([this] { degisti(); }));
    BtnEgitimEkle = new QPushButton(S("Eğitim Ekle"), egitimSayfa);
    BtnEgitimEkle->setObjectName(S("BtnEgitimEkle"));
    BtnEgitimSil = new QPushButton(S("Eğitim Sil"), egitimSayfa);
    BtnEgitimSil->setObjectName(S("BtnEgitimSil"));
    auto* egitimBtn = new QHBoxLayout;
    egitimBtn->addWidget(BtnEgitimEkle);
    egitimBtn->addWidget(BtnEgitimSil);
    egitimBtn->addStretch();
    egitimLay->addWidget(GridEgitim);
    egitimLay->addLayout(egitimBtn);
    PageControl1->addTab(egitimSayfa, S("Eğitimler"));

    // Photo.
    DBImage1 = new QLabel(this);
    DBImage1->setObjectName(S("DBImage1"));
    DBImage1->setFixedSize(170, 200);
    DBImage1->setFrameShape(QFrame::StyledPanel);
    DBImage1->setAlignment(Qt::AlignCenter);
    BtnResimYukle = new QPushButton(S("Fotoğraf Yükle"), this);
    BtnResimYukle->setObjectName(S("BtnResimYukle"));
    BtnResimSil = new QPushButton(S("Fotoğraf Sil"), this);
    BtnResimSil->setObjectName(S("BtnResimSil"));
    BtnDokuman = new QPushButton(S("Resim/Döküman Ekle"), this);
    BtnDokuman->setObjectName(S("BtnDokuman"));
    BtnDokuman->setAutoDefault(false);
    // The documents list lives with the accounts; it is there when that part is installed.
    BtnDokuman->setEnabled(Targets().isRegistered(QLatin1String(entry::DokumanlarAc)));
    auto* foto = new QVBoxLayout;
    foto->addWidget(DBImage1);
    foto->addWidget(BtnResimYukle);
    foto->addWidget(BtnResimSil);
    foto->addWidget(BtnDokuman);
    foto->addStretch();

    BtnSakla = new QPushButton(S("Sakla"), this);
    BtnSakla->setObjectName(S("BtnSakla"));
    BtnVazgec = new QPushButton(S("Vazgeç"), this);
    BtnVazgec->setObjectName(S("BtnVazgec"));
    BtnKapat = new QPushButton(S("Kapat"), this);
    BtnKapat->setObjectName(S("BtnKapat"));
    auto* butonlar = new QHBoxLayout;
    butonlar->addStretch();
    butonlar->addWidget(BtnSakla);
    butonlar->addWidget(BtnVazgec);
    butonlar->addWidget(BtnKapat);

    auto* ust = new QHBoxLayout;
    ust->addWidget(PageControl1, 1);
    ust->addLayout(foto);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(ust);
    lay->addLayout(butonlar);
    resize(760, 520);

    connect(BtnSakla, &QPushButton::clicked, this, Guarded(this, &TFormpersonSakla::BtnSaklaClick));
    connect(BtnVazgec, &QPushButton::clicked, this, Guarded(this, &TFormpersonSakla::BtnVazgecClick));
    connect(BtnKapat, &QPushButton::clicked, this, Guarded(this, &TFormpersonSakla::BtnKapatClick));
    connect(BtnResimYukle, &QPushButton::clicked, this, Guarded(this, &TFormpersonSakla::BtnResimYukleClick));
    connect(BtnResimSil, &QPushButton::clicked, this, Guarded(this, &TFormpersonSakla::BtnResimSilClick));
    connect(BtnDokuman, &QPushButton::clicked, this, Guarded(this, &TFormpersonSakla::BtnDokumanClick));
    connect(BtnEgitimEkle, &QPushButton::clicked, this, Guarded(this, &TFormpersonSakla::BtnEgitimEkleClick));
    connect(BtnEgitimSil, &QPushButton::clicked, this, Guarded(this, &TFormpersonSakla::BtnEgitimSilClick));
}

void TFormpersonSakla::setAlan(const QString& kolon, const QVariant& deger)
{
    QWidget* w = alan(kolon);
    const AlanTanimi* a = tanim(kolon);
    if (!w || !a)
        return;
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        const QString v = deger.isNull() ? QString() : deger.toString();
        const int i = c->findData(v);
        c->setCurrentIndex(i >= 0 ? i : 0);
    } else if (auto* t = qobject_cast<QPlainTextEdit*>(w)) {
        t->setPlainText(deger.toString());
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        QString text;
        if (!deger.isNull()) {
            switch (a->tur) {
            case AlanTuru::Tarih: text = deger.toDateTime().date().toString(S("dd.MM.yyyy")); break;
            case AlanTuru::Para: text = FormatMoney(deger.toDouble(), S(",0.00")); break;
            case AlanTuru::Sayi: text = FormatMoney(deger.toDouble(), S("#.##")); break;
            default: text = deger.toString();
            }
        }
        e->setText(text);
    }
    if (!m_yukleniyor)
        degisti();
}

QVariant TFormpersonSakla::alanDegeri(const QString& kolon) const
{
    QWidget* w = alan(kolon);
    const AlanTanimi* a = tanim(kolon);
    if (!w || !a)
        return {};
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        const QString v = c->currentData().toString();
        if (v.isEmpty())
            return {};
        return kolon == QLatin1String("ASKERLIK") ? QVariant(v.toInt()) : QVariant(v);
    }
    if (auto* t = qobject_cast<QPlainTextEdit*>(w))
        return t->toPlainText();
    const QString text = static_cast<QLineEdit*>(w)->text().trimmed();
    if (text.isEmpty())
        return a->tur == AlanTuru::Metin ? QVariant(QString()) : QVariant();
    switch (a->tur) {
    case AlanTuru::Tarih: {
        const QDate d = tarihOku(text);
        return d.isValid() ? QVariant(d.startOfDay()) : QVariant();
    }
    case AlanTuru::Para:
    case AlanTuru::Sayi: {
        double v = 0;
        return ParseMoney(text, &v) ? QVariant(v) : QVariant();
    }
    case AlanTuru::Tam: {
        bool ok = false;
        const int v = text.toInt(&ok);
        return ok ? QVariant(v) : QVariant();
    }
    default: return text;
    }
}

void TFormpersonSakla::kartiGoster(const TPersonelKart& kart)
{
    for (const AlanTanimi& a : personelAlanlari())
        setAlan(S(a.kolon), kart.value(S(a.kolon)));
}

void TFormpersonSakla::egitimleriGoster(const QList<TPerEgitim>& satirlar)
{
    const QSignalBlocker b(GridEgitim);
    GridEgitim->setRowCount(0);
    for (const TPerEgitim& e : satirlar) {
        const int r = GridEgitim->rowCount();
        GridEgitim->insertRow(r);
        GridEgitim->setItem(r, 0, new QTableWidgetItem(QString::number(e.SIRA_NO)));
        GridEgitim->item(r, 0)->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        GridEgitim->setItem(r, 1, new QTableWidgetItem(e.KURS_KOD));
        GridEgitim->setItem(r, 2, new QTableWidgetItem(e.KURS_AD));
        GridEgitim->setItem(r, 3, new QTableWidgetItem(e.BAS_TARIH.date().toString(S("dd.MM.yyyy"))));
        GridEgitim->setItem(r, 4, new QTableWidgetItem(e.BIT_TARIH.date().toString(S("dd.MM.yyyy"))));
        GridEgitim->setItem(r, 5, new QTableWidgetItem(FormatMoney(e.TOPLAM_SAAT, S("#.##"))));
    }
    GridEgitim->resizeColumnsToContents();
    GridEgitim->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
}

QList<TPerEgitim> TFormpersonSakla::egitimler() const
{
    QList<TPerEgitim> out;
    const auto metin = [this](int r, int c) {
        const QTableWidgetItem* i = GridEgitim->item(r, c);
        return i ? i->text().trimmed() : QString();
    };
    for (int r = 0; r < GridEgitim->rowCount(); ++r) {
        TPerEgitim e;
        e.SIRA_NO = metin(r, 0).toDouble();
        e.KURS_KOD = metin(r, 1);
        e.KURS_AD = metin(r, 2);
        e.BAS_TARIH = tarihOku(metin(r, 3)).startOfDay();
        e.BIT_TARIH = tarihOku(metin(r, 4)).startOfDay();
        double saat = 0;
        ParseMoney(metin(r, 5), &saat);
        e.TOPLAM_SAAT = saat;
        out << e;
    }
    return out;
}

void TFormpersonSakla::fotoGoster(const QByteArray& jpeg)
{
    QPixmap p;
    if (!jpeg.isEmpty() && p.loadFromData(jpeg))
        DBImage1->setPixmap(p.scaled(DBImage1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    else
        DBImage1->setText(S("Fotoğraf yok"));
}

void TFormpersonSakla::kurallariUygula()
{
    const bool bay = alanDegeri(S("CINSIYET")).toString() == QLatin1String("Bay");
    alan(S("ASKERLIK"))->setEnabled(bay);
    alan(S("ASTECYIL"))->setEnabled(bay && alanDegeri(S("ASKERLIK")).toInt() == 2);
    // A leaving date makes the card passive at once, as the save will.
    if (alanDegeri(S("AYRILIS_TRH")).toDateTime().isValid() &&
        alanDegeri(S("DURUM")).toString() != QLatin1String("P")) {
        auto* c = static_cast<QComboBox*>(alan(S("DURUM")));
        const QSignalBlocker b(c);
        c->setCurrentIndex(c->findData(S("P")));
    }
}

void TFormpersonSakla::degisti()
{
    if (m_yukleniyor)
        return;
    m_degisti = true;
    kurallariUygula();
}

void TFormpersonSakla::BtnSaklaClick()
{
    QList<QLineEdit*> sayilar, tamSayilar;
    for (const AlanTanimi& a : personelAlanlari()) {
        auto* e = qobject_cast<QLineEdit*>(alan(S(a.kolon)));
        if (a.tur == AlanTuru::Tam)
            tamSayilar << e;
        else if (a.tur == AlanTuru::Para || a.tur == AlanTuru::Sayi)
            sayilar << e;
    }
    if (!SayiAlanlariGecerli(sayilar, tamSayilar))
        return;
    for (int r = 0; r < GridEgitim->rowCount(); ++r) {
        const QTableWidgetItem* saat = GridEgitim->item(r, 5);
        double v = 0;
        if (saat && !SayiOku(saat->text(), &v)) {
            GridEgitim->setCurrentCell(r, 5);
            return;
        }
    }
    Guard([&] {
        WaitCursor wait;
        TPersonelKart kart;
        for (const AlanTanimi& a : personelAlanlari())
            kart.insert(S(a.kolon), alanDegeri(S(a.kolon)));
        if (!m_yeni)
            kart.insert(S("ISCI_KOD"), m_kod);
        const std::optional<TOzgecmisKaydi> cv =
            GridOzgecmis.isEmpty() ? std::nullopt : std::optional<TOzgecmisKaydi>(ozgecmis());
        const QString hata = PersonelKaydet(m_db, kart, m_yeni, egitimler(), m_foto, cv);
        if (!hata.isEmpty()) {
            ShowError(hata);
            return;
        }
        m_kod = kart.value(S("ISCI_KOD")).toString().trimmed();
        m_yeni = false;
        m_degisti = false;
        m_foto.reset();
        m_silinenOzgecmis.clear();
        m_kapatilabilir = true;
        accept();
    });
}

void TFormpersonSakla::BtnVazgecClick()
{
    m_yeni = false;
    m_degisti = false;
    m_foto.reset();
    m_kapatilabilir = true;
    QDialog::reject();
}

void TFormpersonSakla::BtnKapatClick() { close(); }

void TFormpersonSakla::reject()
{
    if (duzenleniyor()) {
        ShowWarning(S("Değişikliği Saklayın yada İptal Ediniz"));
        return;
    }
    QDialog::reject();
}

void TFormpersonSakla::closeEvent(QCloseEvent* e)
{
    if (!m_kapatilabilir && duzenleniyor()) {
        ShowWarning(S("Değişikliği Saklayın yada İptal Ediniz"));
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void TFormpersonSakla::BtnResimYukleClick()
{
    const QString kod = alanDegeri(S("ISCI_KOD")).toString().trimmed();
    const QString dosya = Messages().askOpenFile(S("Fotoğraf"),
                                                 S("JPEG Image File (*.jpg);;JPEG Image File (*.jpeg)"));
    if (dosya.isEmpty())
        return;
    if (kod.isEmpty()) {
        ShowError(S("Lütfen personel kodunu giriniz!"));
        return;
    }
    QString hata;
    const QByteArray jpeg = PersonelFotoHazirla(dosya, &hata);
    if (jpeg.isEmpty()) {
        ShowError(hata);
        return;
    }
    m_foto = jpeg;
    fotoGoster(jpeg);
    degisti();
}

void TFormpersonSakla::BtnDokumanClick()
{
    const QString kod = alanDegeri(S("ISCI_KOD")).toString().trimmed();
    const RoutineOpener ac = Targets().routine(QLatin1String(entry::DokumanlarAc));
    if (!ac || kod.isEmpty())
        return;
    OpenRequest r;
    r.target = QLatin1String(entry::DokumanlarAc);
    r.ctx = &m_ctx;
    r.owner = this;
    r.mode = 3;
    r.key = kod;
    ac(r);
}

void TFormpersonSakla::BtnResimSilClick()
{
    m_foto = QByteArray();
    DBImage1->clear();
    DBImage1->setText(S("Fotoğraf yok"));
    degisti();
}

void TFormpersonSakla::BtnEgitimEkleClick()
{
    QList<TPerEgitim> mevcut = egitimler();
    TPerEgitim e;
    e.SIRA_NO = SonrakiEgitimSiraNo(mevcut);
    mevcut << e;
    egitimleriGoster(mevcut);
    GridEgitim->setCurrentCell(GridEgitim->rowCount() - 1, 1);
    degisti();
}

void TFormpersonSakla::BtnEgitimSilClick()
{
    const int r = GridEgitim->currentRow();
    if (r < 0)
        return;
    GridEgitim->removeRow(r);
    degisti();
}

void TFormpersonSakla::ozgecmisKur()
{
    auto* sayfa = new QWidget(PageControl1);
    auto* lay = new QVBoxLayout(sayfa);
    auto* bolumler = new QTabWidget(sayfa);
    bolumler->setObjectName(S("PageOzgecmis"));
    for (const auto& b : ozgecmisBolumleri()) {
        const int bolum = b.first;
        auto* w = new QWidget(bolumler);
        auto* l = new QVBoxLayout(w);
        auto* grid = new QTableWidget(0, int(b.second.second.size()), w);
        grid->setObjectName(S("GridOzgecmis%1").arg(bolum));
        QStringList basliklar;
        for (const OzgecmisKolonu& k : b.second.second)
            basliklar << S(k.baslik);
        grid->setHorizontalHeaderLabels(basliklar);
        grid->horizontalHeader()->setStretchLastSection(true);
        grid->verticalHeader()->hide();
        connect(grid, &QTableWidget::itemChanged, this, Guarded([this](QTableWidgetItem* i) {
            if (m_yukleniyor)
                return;
            if (QTableWidgetItem* ilk = i->tableWidget()->item(i->row(), 0))
                ilk->setData(kDegistiRol, true);
            degisti();
        }));
        auto* ekle = new QPushButton(S("Ekle"), w);
        ekle->setObjectName(S("BtnOzgecmisEkle%1").arg(bolum));
        auto* sil = new QPushButton(S("Sil"), w);
        sil->setObjectName(S("BtnOzgecmisSil%1").arg(bolum));
        connect(ekle, &QPushButton::clicked, this, Guarded([this, bolum] {
            TPerCV c;
            c.BOLUM = bolum;
            ozgecmisSatiriEkle(c);
            degisti();
        }));
        connect(sil, &QPushButton::clicked, this, Guarded([this, grid] {
            const int r = grid->currentRow();
            if (r < 0)
                return;
            if (const qint64 id = grid->item(r, 0)->data(kRowIdRol).toLongLong())
                m_silinenOzgecmis << id;
            grid->removeRow(r);
            degisti();
        }));
        auto* butonlar = new QHBoxLayout;
        butonlar->addWidget(ekle);
        butonlar->addWidget(sil);
        butonlar->addStretch();
        l->addWidget(grid);
        l->addLayout(butonlar);
        bolumler->addTab(w, S(b.second.first));
        GridOzgecmis.insert(bolum, grid);
    }
    lay->addWidget(bolumler);
    PageControl1->addTab(sayfa, S("Özgeçmiş Bilgileri"));
}

void TFormpersonSakla::ozgecmisSatiriEkle(const TPerCV& c)
{
    QTableWidget* grid = GridOzgecmis.value(c.BOLUM);
    if (!grid)
        return;
    const bool eski = m_yukleniyor;
    m_yukleniyor = true;
    const int r = grid->rowCount();
    grid->insertRow(r);
    QList<OzgecmisKolonu> kolonlar;
    for (const auto& b : ozgecmisBolumleri())
        if (b.first == c.BOLUM)
            kolonlar = b.second.second;
    for (int k = 0; k < kolonlar.size(); ++k) {
        const QString alanAdi = S(kolonlar.at(k).alan);
        QString metin;
        if (alanAdi == QLatin1String("T1"))
            metin = c.TARIH1.toString(S("dd.MM.yyyy"));
        else if (alanAdi == QLatin1String("T2"))
            metin = c.TARIH2.toString(S("dd.MM.yyyy"));
        else if (alanAdi == QLatin1String("X1"))
            metin = c.BILGI_TXT1;
        else if (alanAdi == QLatin1String("X2"))
            metin = c.BILGI_TXT2;
        else if (alanAdi == QLatin1String("X3"))
            metin = c.BILGI_TXT3;
        else if (alanAdi == QLatin1String("X4"))
            metin = c.BILGI_TXT4;
        else if (alanAdi == QLatin1String("I1"))
            metin = seviyeler().value(qBound(0, c.BILGI_INT1, 3));
        grid->setItem(r, k, new QTableWidgetItem(metin));
        if (alanAdi == QLatin1String("I1") || (c.BOLUM == 20 && alanAdi == QLatin1String("X1"))) {
            auto* kutu = new QComboBox(grid);
            const bool seviye = alanAdi == QLatin1String("I1");
            kutu->addItems(seviye ? seviyeler() : diller());
            kutu->setEditable(!seviye);
            if (seviye)
                kutu->setCurrentIndex(qBound(0, c.BILGI_INT1, 3));
            else
                kutu->setCurrentText(metin);
            connect(kutu, &QComboBox::currentTextChanged, this, Guarded([this, grid, kutu, k](const QString& t) {
                for (int rr = 0; rr < grid->rowCount(); ++rr)
                    if (grid->cellWidget(rr, k) == kutu)
                        grid->item(rr, k)->setText(t);
            }));
            grid->setCellWidget(r, k, kutu);
        }
    }
    grid->item(r, 0)->setData(kRowIdRol, c.ROW_ID);
    grid->item(r, 0)->setData(kDegistiRol, c.degisti || c.ROW_ID == 0);
    m_yukleniyor = eski;
}

TOzgecmisKaydi TFormpersonSakla::ozgecmis() const
{
    TOzgecmisKaydi o;
    o.silinen = m_silinenOzgecmis;
    o.kullanici = OzgecmisKullanicisi(m_ctx.UretBKod, m_ctx.AktifKullanici.login);
    for (const auto& b : ozgecmisBolumleri()) {
        QTableWidget* grid = GridOzgecmis.value(b.first);
        for (int r = 0; grid && r < grid->rowCount(); ++r) {
            TPerCV c;
            c.BOLUM = b.first;
            c.ROW_ID = grid->item(r, 0)->data(kRowIdRol).toLongLong();
            c.degisti = grid->item(r, 0)->data(kDegistiRol).toBool();
            for (int k = 0; k < b.second.second.size(); ++k) {
                const QString alanAdi = S(b.second.second.at(k).alan);
                const QString metin = grid->item(r, k) ? grid->item(r, k)->text().trimmed() : QString();
                if (alanAdi == QLatin1String("T1"))
                    c.TARIH1 = tarihOku(metin);
                else if (alanAdi == QLatin1String("T2"))
                    c.TARIH2 = tarihOku(metin);
                else if (alanAdi == QLatin1String("X1"))
                    c.BILGI_TXT1 = metin;
                else if (alanAdi == QLatin1String("X2"))
                    c.BILGI_TXT2 = metin;
                else if (alanAdi == QLatin1String("X3"))
                    c.BILGI_TXT3 = metin;
                else if (alanAdi == QLatin1String("X4"))
                    c.BILGI_TXT4 = metin;
                else if (alanAdi == QLatin1String("I1"))
                    c.BILGI_INT1 = qMax(0, seviyeler().indexOf(metin));
            }
            o.satirlar << c;
        }
    }
    return o;
}

QString PersonelKartGir(SessionContext& ctx, const QString& kod, int mode, QWidget* parent)
{
    TFormpersonSakla f(ctx, kod, mode, parent);
    RunModal(f);
    return f.kod();
}

} // namespace tornaly
