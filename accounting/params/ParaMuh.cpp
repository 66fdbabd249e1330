#include "accounting/params/ParaMuh.h"
#include "controls/TarihEdit.h"

#include "accounting/chart/HesapSec.h"
#include "accounts/cash/KasaBr.h"
#include "guard/FormGuard.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace tornaly::accounting {

namespace {

const QList<QPair<QString, QString>> otomatikSorYok = {
    {QStringLiteral("O"), QStringLiteral("Otomatik")}, {QStringLiteral("S"), QStringLiteral("Sor")},
    {QStringLiteral("Y"), QStringLiteral("Yok")}};
const QList<QPair<QString, QString>> evetHayirSor = {
    {QStringLiteral("E"), QStringLiteral("Evet")}, {QStringLiteral("H"), QStringLiteral("Hayır")},
    {QStringLiteral("S"), QStringLiteral("Sor")}};
const QList<QPair<QString, QString>> faizTipi = {
    {QStringLiteral("B"), QStringLiteral("Basit Faiz")}, {QStringLiteral("L"), QStringLiteral("Bileşik Faiz")},
    {QStringLiteral("K"), QStringLiteral("Karma Faiz")}, {QStringLiteral("G"), QStringLiteral("Geri Faiz")}};
const QList<QPair<QString, QString>> sure = {{QStringLiteral("A"), QStringLiteral("Ay")},
                                             {QStringLiteral("G"), QStringLiteral("Gün")}};

QGridLayout* izgara(QWidget* sayfa) { return static_cast<QGridLayout*>(sayfa->layout()); }

void ekle(QWidget* sayfa, QWidget* w, int genislik = 1)
{
    auto* g = izgara(sayfa);
    const int n = sayfa->property("adet").toInt();
    const int kolonSayisi = 2;
    g->addWidget(w, n / kolonSayisi, n % kolonSayisi, 1, genislik);
    sayfa->setProperty("adet", n + genislik);
}

} // namespace

TFormParaMuh::TFormParaMuh(const SessionContext& ctx, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    setObjectName(QStringLiteral("FormParaMuh"));
    setWindowTitle(QStringLiteral("Muhasebe Bağlantı Parametreleri"));
    hesapSecici = [this] { return HesapSec(m_ctx, 1, this); };
    kasaSecici = [this] { return accounts::KasaSec(m_ctx, 1, this); };
    kdvSetiSecici = [this] { return MuhKDVSec(m_ctx, 1, this); };

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));

    QWidget* s1 = sayfa(QStringLiteral("Satış Alış Muhasebe Kodları"));
    secenek(s1, true, QStringLiteral("A_MUH_KAY"), QStringLiteral("Alışta Muhasebe Kaydı"), otomatikSorYok);
    secenek(s1, true, QStringLiteral("AA_MUH_KAY"), QStringLiteral("Araç Alışta Muhasebe Kaydı"), otomatikSorYok);
    secenek(s1, true, QStringLiteral("S_MUH_KAY"), QStringLiteral("Satışta Muhasebe Kaydı"), otomatikSorYok);
    secenek(s1, true, QStringLiteral("SA_MUH_KAY"), QStringLiteral("Araç Satışta Muhasebe Kaydı"), otomatikSorYok);
    secenek(s1, true, QStringLiteral("C_MUH_KAY"), QStringLiteral("Cari Hareketlerde Muhasebe Kaydı"), otomatikSorYok);
    secenek(s1, true, QStringLiteral("ISK_DUS"), QStringLiteral("Alış-Satışta İsk.Düşüp Yaz"),
            {{QStringLiteral("D"), QStringLiteral("Düş")}, {QStringLiteral("H"), QStringLiteral("Düşme")}}, 2);
    kodAlani(s1, QStringLiteral("DEF_KASA"), QStringLiteral("Varsayılan Kasa Kodu"), QStringLiteral("SpeedBKasa"),
             [this] { SpeedBKasaClick(); });
    hesap(s1, QStringLiteral("MUH_KDVTEV_A"), QStringLiteral("Alış KDV Tev. Muh. Kodu"), false);
    hesap(s1, QStringLiteral("MUH_KDVTEV_S"), QStringLiteral("Satış KDV Tev. Muh. Kodu"), false);
    kodAlani(s1, QStringLiteral("MUH_KDV_A"), QStringLiteral("KDV Alış-Satış-İade Muh .Kodu"),
             QStringLiteral("SpeedBMUH_KDV_A"), [this] { SpeedBMUH_KDV_AClick(); });

    QWidget* s2 = sayfa(QStringLiteral("Çek Senet Muhasebe Kodları"));
    secenek(s2, false, QStringLiteral("C_MUH_KAY"), QStringLiteral(" Çek Muhasebe Kaydı "), evetHayirSor);
    secenek(s2, false, QStringLiteral("S_MUH_KAY"), QStringLiteral(" Senet Muhasebe Kaydı "), evetHayirSor);
    secenek(s2, false, QStringLiteral("C_V_FARKSURE"), QStringLiteral(" Çek Vade Farkı Süresi "), sure, 2);
    secenek(s2, false, QStringLiteral("S_V_FARKSURE"), QStringLiteral(" Senet Vade Farkı Süresi "), sure, 2);
    secenek(s2, false, QStringLiteral("C_V_FARKTIP"), QStringLiteral(" Çek Vade Farkı Tipi "), faizTipi, 2);
    secenek(s2, false, QStringLiteral("S_V_FARKTIP"), QStringLiteral(" Senet Vade Farkı Tipi "), faizTipi, 2);
    oran(s2, QStringLiteral("C_VADEFARKO"), QStringLiteral("Çek Vade Farkı Oranı %"));
    oran(s2, QStringLiteral("S_VADEFARKO"), QStringLiteral("Senet Vade Farkı Oranı %"));
    oran(s2, QStringLiteral("PUL_ORAN"), QStringLiteral("Pul Oranı"));
    oran(s2, QStringLiteral("REEISKONFAIZ"), QStringLiteral("Reeskonto Faizi"));
    oran(s2, QStringLiteral("CIROTAKSURE"), QStringLiteral("Ciro Takip Süresi"), true);
    for (const auto& [k, b] : QList<QPair<QString, QString>>{
             {QStringLiteral("MUH_ELCEK"), QStringLiteral("Eldeki Çekler Muh.Kodu")},
             {QStringLiteral("MUH_KESCEK"), QStringLiteral("Kesilen Çekler Muh.Kodu")},
             {QStringLiteral("MUH_KRSCEK"), QStringLiteral("Karşılıksız Çekler Muh.Kodu")},
             {QStringLiteral("MUH_TAHCEK"), QStringLiteral("Tahsildeki Çekler Muh.Kodu")},
             {QStringLiteral("MUH_ELSEN"), QStringLiteral("Eldeki Senetler Muh.Kodu")},
             {QStringLiteral("MUH_BORCSEN"), QStringLiteral("Borç Senetleri Muh.Kodu")},
             {QStringLiteral("MUH_PROSEN"), QStringLiteral("Protestolu Senetler Muh.Kodu")},
             {QStringLiteral("MUH_PROVIZMAS"), QStringLiteral("Provizyon Masrafları Muh.Kodu")},
             {QStringLiteral("MUH_PROTESMAS"), QStringLiteral("Protesto Masrafları Muh.Kodu")}})
        hesap(s2, k, b, false);

    QWidget* s3 = sayfa(QStringLiteral("Banka Parametereleri"));
    secenek(s3, false, QStringLiteral("MUH_KAY"), QStringLiteral("Banka Hareketleri Muhasebe Kaydı "), evetHayirSor);
    for (const auto& [k, b] : QList<QPair<QString, QString>>{
             {QStringLiteral("MUH_CHES"), QStringLiteral("Banka Cari Hesap Muh.Kodu")},
             {QStringLiteral("MUH_TAHSEN"), QStringLiteral("Tahsil Senetleri Muh.kodu")},
             {QStringLiteral("MUH_KESCEKB"), QStringLiteral("Kesilen Çekler Muh.Kodu")},
             {QStringLiteral("MUH_TAKCEK"), QStringLiteral("Takas Çekleri Muh.Kodu")},
             {QStringLiteral("MUH_TEMSEN"), QStringLiteral("Teminat Senetleri Muh.Kodu")},
             {QStringLiteral("MUH_TEMCEK"), QStringLiteral("Teminat Çekleri Muh.Kodu")},
             {QStringLiteral("MUH_SENKRED"), QStringLiteral("Senet Karşılığı Kredi MuhKodu")},
             {QStringLiteral("MUH_CEKREDI"), QStringLiteral("Çek Karşılığı Kredi Muh.Kodu")}})
        hesap(s3, k, b, true);

    QWidget* s4 = sayfa(QStringLiteral(" Diğer Parametreler  "));
    hesap(s4, QStringLiteral("MUH_OTVIND"), QStringLiteral("ÖTV Hurda İndirimi"), true);
    {
        auto* kutu = new QGroupBox(QStringLiteral("Kilit Tarihi"), s4);
        auto* l = new QHBoxLayout(kutu);
        DBDateEditKILIT_TRH = new TTarihEdit(kutu);
        DBDateEditKILIT_TRH->setObjectName(QStringLiteral("DBDateEditKILIT_TRH"));
        DBDateEditKILIT_TRH->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        DBDateEditKILIT_TRH->setCalendarPopup(true);
        // The first day stands for "no lock date" and shows empty.
        DBDateEditKILIT_TRH->setMinimumDate(QDate(1900, 1, 1));
        DBDateEditKILIT_TRH->setSpecialValueText(QStringLiteral(" "));
        l->addWidget(DBDateEditKILIT_TRH);
        ekle(s4, kutu);
    }
    for (QWidget* s : {s1, s2, s3, s4})
        izgara(s)->setRowStretch(izgara(s)->rowCount(), 1);

    BitBtn1 = new QPushButton(QStringLiteral("Sakla"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(QStringLiteral("Vazgeç"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn1->setAutoDefault(false);
    BitBtn2->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, Guarded([this](auto&&...) { BitBtn1Click(); }));
    connect(BitBtn2, &QPushButton::clicked, this, Guarded([this](auto&&...) { BitBtn2Click(); }));
    auto* alt = new QHBoxLayout;
    alt->addStretch();
    alt->addWidget(BitBtn1);
    alt->addWidget(BitBtn2);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(PageControl1, 1);
    lay->addLayout(alt);
    FormShow();
    resize(860, 620);
}

QWidget* TFormParaMuh::sayfa(const QString& baslik)
{
    auto* s = new QWidget(PageControl1);
    new QGridLayout(s);
    PageControl1->addTab(s, baslik);
    return s;
}

void TFormParaMuh::secenek(QWidget* s, bool paramuh, const QString& kolon, const QString& baslik,
                           const QList<QPair<QString, QString>>& degerler, int kolonSayisi)
{
    const QString anahtar = (paramuh ? QStringLiteral("PARAMUH.") : QStringLiteral("PARAFAT.")) + kolon;
    auto* kutu = new QGroupBox(baslik, s);
    kutu->setObjectName(QStringLiteral("RG") + (paramuh ? QString() : QStringLiteral("F")) + kolon);
    auto* l = new QGridLayout(kutu);
    auto* grup = new QButtonGroup(kutu);
    QStringList harfler;
    for (int i = 0; i < degerler.size(); ++i) {
        auto* r = new QRadioButton(degerler.at(i).second, kutu);
        grup->addButton(r, i);
        l->addWidget(r, i / kolonSayisi, i % kolonSayisi);
        harfler << degerler.at(i).first;
    }
    m_secenekler.insert(anahtar, grup);
    m_secenekDegerleri.insert(anahtar, harfler);
    ekle(s, kutu);
}

void TFormParaMuh::kodAlani(QWidget* s, const QString& kolon, const QString& baslik, const QString& dugmeAdi,
                            const std::function<void()>& sec)
{
    auto* kutu = new QGroupBox(baslik, s);
    auto* l = new QHBoxLayout(kutu);
    auto* e = new QLineEdit(kutu);
    e->setObjectName(QStringLiteral("DBEdit") + kolon);
    e->setReadOnly(true);
    auto* b = new QToolButton(kutu);
    b->setObjectName(dugmeAdi);
    b->setText(QStringLiteral("Seç"));
    connect(b, &QToolButton::clicked, this, Guarded([sec](auto&&...) { sec(); }));
    l->addWidget(e, 1);
    l->addWidget(b);
    m_kodlar.insert(kolon, e);
    ekle(s, kutu);
}

void TFormParaMuh::hesap(QWidget* s, const QString& kolon, const QString& baslik, bool bankaGrubu)
{
    kodAlani(s, kolon, baslik, QStringLiteral("SpeedB") + kolon, [this, kolon, bankaGrubu] {
        bankaGrubu ? SpeedBMUH_CHESClick(kolon) : SpeedBMUH_ELCEKClick(kolon);
    });
}

void TFormParaMuh::oran(QWidget* s, const QString& kolon, const QString& baslik, bool tamSayi)
{
    auto* kutu = new QGroupBox(baslik, s);
    auto* l = new QHBoxLayout(kutu);
    if (tamSayi) {
        auto* e = new QSpinBox(kutu);
        e->setObjectName(QStringLiteral("DBEdit") + kolon);
        e->setRange(0, 9999);
        l->addWidget(e);
        m_tamSayilar.insert(kolon, e);
    } else {
        auto* e = new QDoubleSpinBox(kutu);
        e->setObjectName(QStringLiteral("DBEdit") + kolon);
        e->setLocale(QLocale(QLocale::Turkish, QLocale::Turkey));
        e->setDecimals(2);
        e->setRange(0, 1000000);
        l->addWidget(e);
        m_oranlar.insert(kolon, e);
    }
    ekle(s, kutu);
}

void TFormParaMuh::FormShow()
{
    m_kayit = ParaMuhOku(m_db);
    ekranaYaz();
}

void TFormParaMuh::ekranaYaz()
{
    for (auto it = m_secenekler.cbegin(); it != m_secenekler.cend(); ++it) {
        const bool paramuh = it.key().startsWith(QLatin1String("PARAMUH."));
        const QString kolon = it.key().mid(8);
        const QString deger = (paramuh ? m_kayit.PARAMUH : m_kayit.PARAFAT).value(kolon).toString().trimmed();
        const int i = int(m_secenekDegerleri.value(it.key()).indexOf(deger));
        it.value()->setExclusive(false);
        for (auto* b : it.value()->buttons())
            b->setChecked(false);
        it.value()->setExclusive(true);
        if (i >= 0)
            it.value()->button(i)->setChecked(true);
    }
    for (auto it = m_kodlar.cbegin(); it != m_kodlar.cend(); ++it)
        it.value()->setText(m_kayit.PARAFAT.value(it.key()).toString().trimmed());
    for (auto it = m_oranlar.cbegin(); it != m_oranlar.cend(); ++it)
        it.value()->setValue(m_kayit.PARAFAT.value(it.key()).toDouble());
    for (auto it = m_tamSayilar.cbegin(); it != m_tamSayilar.cend(); ++it)
        it.value()->setValue(m_kayit.PARAFAT.value(it.key()).toInt());
    const QDate kilit = Query::toDate(m_kayit.PARAMUH.value(QStringLiteral("KILIT_TRH")));
    DBDateEditKILIT_TRH->setDate(kilit.isValid() ? kilit : DBDateEditKILIT_TRH->minimumDate());
}

void TFormParaMuh::ekrandanOku()
{
    for (auto it = m_secenekler.cbegin(); it != m_secenekler.cend(); ++it) {
        const bool paramuh = it.key().startsWith(QLatin1String("PARAMUH."));
        const QString kolon = it.key().mid(8);
        const int i = it.value()->checkedId();
        QVariantMap& hedef = paramuh ? m_kayit.PARAMUH : m_kayit.PARAFAT;
        // A switch the user left unset keeps what it held.
        if (i >= 0)
            hedef.insert(kolon, m_secenekDegerleri.value(it.key()).at(i));
    }
    for (auto it = m_oranlar.cbegin(); it != m_oranlar.cend(); ++it)
        m_kayit.PARAFAT.insert(it.key(), it.value()->value());
    for (auto it = m_tamSayilar.cbegin(); it != m_tamSayilar.cend(); ++it)
        m_kayit.PARAFAT.insert(it.key(), it.value()->value());
    const QDate d = DBDateEditKILIT_TRH->date();
    m_kayit.PARAMUH.insert(QStringLiteral("KILIT_TRH"), d == DBDateEditKILIT_TRH->minimumDate()
                                                            ? QVariant(QMetaType(QMetaType::QDateTime))
                                                            : QVariant(QDateTime(d, QTime(0, 0))));
}

void TFormParaMuh::BitBtn1Click()
{
    ekrandanOku();
    ParaMuhKaydet(m_db, m_kayit);
    accept();
}

void TFormParaMuh::BitBtn2Click() { reject(); }

void TFormParaMuh::SpeedBMUH_ELCEKClick(const QString& kolon)
{
    const QString kod = hesapSecici ? hesapSecici() : QString();
    if (kod.isEmpty())
        return;
    m_kayit.PARAFAT.insert(kolon, kod);
    m_kodlar.value(kolon)->setText(kod);
}

void TFormParaMuh::SpeedBMUH_CHESClick(const QString& kolon) { SpeedBMUH_ELCEKClick(kolon); }

void TFormParaMuh::SpeedBKasaClick()
{
    const QString kod = kasaSecici ? kasaSecici() : QString();
    if (kod.isEmpty())
        return;
    m_kayit.PARAFAT.insert(QStringLiteral("DEF_KASA"), kod);
    m_kodlar.value(QStringLiteral("DEF_KASA"))->setText(kod);
}

void TFormParaMuh::SpeedBMUH_KDV_AClick()
{
    const QString kod = kdvSetiSecici ? kdvSetiSecici() : QString();
    if (kod.isEmpty())
        return;
    m_kayit.PARAFAT.insert(QStringLiteral("MUH_KDV_A"), kod);
    m_kodlar.value(QStringLiteral("MUH_KDV_A"))->setText(kod);
}

void ParaMuhAc(const SessionContext& ctx, QWidget* owner)
{
    TFormParaMuh f(ctx, owner);
    f.exec();
}

} // namespace tornaly::accounting
