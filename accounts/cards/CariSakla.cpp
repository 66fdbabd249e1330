#include "accounts/cards/CariSakla.h"
#include "accounts/documents/DocBr.h"
#include "services/HesapSecici.h"
#include "guard/FormGuard.h"

#include "accounts/codes/Bayiler.h"
#include "accounts/codes/CariKodlari.h"
#include "accounts/ui/ListeModeli.h"
#include "sql/SqlHelpers.h"
#include "context/User.h"
#include "db/DbError.h"
#include "messages/Messages.h"
#include "money/Money.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::accounts {

namespace {

const QStringList& sayisalKolonlar()
{
    static const QStringList l = {QStringLiteral("RISK_LIMITI"), QStringLiteral("SERMAYE"), QStringLiteral("TEMINAT_1"),
                                  QStringLiteral("TEMINAT_2"),   QStringLiteral("VADEGUN"), QStringLiteral("IND_YUZ_PAR"),
                                  QStringLiteral("IND_YUZ_AKS"), QStringLiteral("IND_YUZ_SRF"), QStringLiteral("IND_YUZ_ISCI"),
                                  QStringLiteral("IND_YUZ_HSR"), QStringLiteral("IND_YUZ_BKM"), QStringLiteral("IND_YUZ_ARZ")};
    return l;
}

bool tamSayiKolonu(const QString& k)
{
    return k == QLatin1String("VADEGUN") || k.startsWith(QLatin1String("IND_YUZ_"));
}

QTableWidget* tablo(QWidget* parent, const char* ad, const QList<QPair<QString, QString>>& kolonlar)
{
    auto* t = new QTableWidget(0, int(kolonlar.size()), parent);
    t->setObjectName(QLatin1String(ad));
    for (int c = 0; c < kolonlar.size(); ++c) {
        auto* h = new QTableWidgetItem(kolonlar.at(c).second);
        h->setData(Qt::UserRole, kolonlar.at(c).first);
        t->setHorizontalHeaderItem(c, h);
    }
    t->horizontalHeader()->setStretchLastSection(true);
    t->verticalHeader()->hide();
    return t;
}

QList<QVariantMap> tabloOku(const QTableWidget* t)
{
    QList<QVariantMap> out;
    for (int r = 0; r < t->rowCount(); ++r) {
        QVariantMap m;
        bool dolu = false;
        for (int c = 0; c < t->columnCount(); ++c) {
            const QString kolon = t->horizontalHeaderItem(c)->data(Qt::UserRole).toString();
            const QTableWidgetItem* it = t->item(r, c);
            const QVariant v = it ? it->data(Qt::EditRole) : QVariant();
            if (v.isValid() && !v.toString().isEmpty()) {
                m.insert(kolon, v);
                dolu = true;
            }
        }
        if (dolu)
            out << m;
    }
    return out;
}

void tabloYaz(QTableWidget* t, const QList<QVariantMap>& satirlar)
{
    t->setRowCount(0);
    for (const QVariantMap& m : satirlar) {
        const int r = t->rowCount();
        t->insertRow(r);
        for (int c = 0; c < t->columnCount(); ++c) {
            const QString kolon = t->horizontalHeaderItem(c)->data(Qt::UserRole).toString();
            auto* it = new QTableWidgetItem;
            it->setData(Qt::EditRole, m.value(kolon));
            t->setItem(r, c, it);
        }
    }
}

} // namespace

TFormCariSakla::TFormCariSakla(const SessionContext& ctx, const QString& kod, int mode, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    setObjectName(QStringLiteral("FormCariSakla"));
    setWindowTitle(QStringLiteral("Cari Kayıt"));

    auto* ust = new QGroupBox(QStringLiteral("Cari Kayıt Kartı"), this);
    ust->setObjectName(QStringLiteral("Panel1"));
    auto* g = new QGridLayout(ust);
    alanEkle(ust, g, 0, 0, QStringLiteral("CARI_KOD"), QStringLiteral("Cari Kodu"), 11);
    BtnSonKod = Dugme(ust, "BtnSonKod", QStringLiteral("Son &Cari Kodu Getir"));
    g->addWidget(BtnSonKod, 0, 2);
    alanEkle(ust, g, 1, 0, QStringLiteral("FIRMA_ADI"), QStringLiteral("Cari Adı"), 45);
    alanEkle(ust, g, 2, 0, QStringLiteral("FIRMA_ADI2"), QStringLiteral("Cari Adı Devamı"), 45);
    alanEkle(ust, g, 3, 0, QStringLiteral("YETKILI_ADI"), QStringLiteral("Yetkili Adı"), 25);
    alanEkle(ust, g, 4, 0, QStringLiteral("YETKILI_SOYAD"), QStringLiteral("Yetkili Soyadı"), 25);
    alanEkle(ust, g, 5, 0, QStringLiteral("ADRES_1"), QStringLiteral("Adres Satır 1"), 45, true);
    alanEkle(ust, g, 6, 0, QStringLiteral("ADRES_2"), QStringLiteral("Adres Satır 2"), 45);
    alanEkle(ust, g, 7, 0, QStringLiteral("PK"), QStringLiteral("PK"), 8);
    auto* ili = secimEkle(ust, g, 8, 0, QStringLiteral("ILI"), QStringLiteral("İli"), false, true);
    secimEkle(ust, g, 9, 0, QStringLiteral("SEMT"), QStringLiteral("İlce"), true);
    auto* ulke = secimEkle(ust, g, 10, 0, QStringLiteral("ULKE"), QStringLiteral("Ülke"), false);

    alanEkle(ust, g, 0, 3, QStringLiteral("TEL1"), QStringLiteral("Telefon 1"), 17, true);
    alanEkle(ust, g, 1, 3, QStringLiteral("TEL2"), QStringLiteral("Telefon 2"), 17);
    alanEkle(ust, g, 2, 3, QStringLiteral("TEL3"), QStringLiteral("GSM 1"), 17, true);
    alanEkle(ust, g, 3, 3, QStringLiteral("TEL4"), QStringLiteral("GSM 2"), 17);
    alanEkle(ust, g, 4, 3, QStringLiteral("FAKS"), QStringLiteral("Faks"), 17);
    auto* telNot = new QLabel(QStringLiteral("Telefon 1 veya GSM 1 \nAlanlarından Birini Girmelisiniz"), ust);
    telNot->setStyleSheet(QStringLiteral("color: maroon"));
    g->addWidget(telNot, 0, 5, 2, 1);
    alanEkle(ust, g, 5, 3, QStringLiteral("EMAIL"), QStringLiteral("E-Mail"), 150);
    alanEkle(ust, g, 6, 3, QStringLiteral("URL"), QStringLiteral("URL"), 30);
    auto* cins = secimEkle(ust, g, 7, 3, QStringLiteral("CINSIYET"), QStringLiteral("Cinsiyet/Firma"), false, true);
    cins->addItem(QString(), QString());
    cins->addItem(QStringLiteral("Erkek"), QStringLiteral("E"));
    cins->addItem(QStringLiteral("Kadın"), QStringLiteral("K"));
    cins->addItem(QStringLiteral("Firma"), QStringLiteral("F"));
    auto* grp = secimEkle(ust, g, 8, 3, QStringLiteral("CARI_GRP_KOD"), QStringLiteral("Cari Grup/İskonto Grup"), false,
                          true);
    grp->addItem(QString(), QString());
    for (const CariGrubu& cg : CariGruplari(m_db))
        grp->addItem(cg.GRUP_ADI, cg.GRUP_KODU);
    alanEkle(ust, g, 9, 3, QStringLiteral("VD"), QStringLiteral("Vergi Dairesi"), 20);
    alanEkle(ust, g, 10, 3, QStringLiteral("VN"), QStringLiteral("Vergi Numarası"), 11, true);
    LblVnUzunluk = new QLabel(QStringLiteral("11 Karakter"), ust);
    LblVnUzunluk->setObjectName(QStringLiteral("LblVnUzunluk"));
    g->addWidget(LblVnUzunluk, 10, 5);
    alanEkle(ust, g, 11, 3, QStringLiteral("KIMLIKNO"), QStringLiteral("Kimlik No"), 15, true);
    auto* dvz = secimEkle(ust, g, 11, 0, QStringLiteral("DOVIZ"), QStringLiteral("Çalışılan Döviz"), false);
    {
        Query q(m_db, QStringLiteral("SELECT DOVIZ_KODU FROM DOVIZ ORDER BY DOVIZ_KODU"));
        q.exec();
        dvz->addItem(ctx.YerelPara, ctx.YerelPara);
        while (q.next())
            if (q.str(QStringLiteral("DOVIZ_KODU")) != ctx.YerelPara)
                dvz->addItem(q.str(QStringLiteral("DOVIZ_KODU")), q.str(QStringLiteral("DOVIZ_KODU")));
    }

    ili->addItem(QString());
    for (const Sehir& s : Sehirler(m_db))
        ili->addItem(s.SEHIR);
    ulke->addItem(QString());
    ulke->addItems(Ulkeler(m_db));

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl1"));
    auto sayfa = [&](const QString& baslik, const char* ad) {
        auto* w = new QWidget(PageControl);
        w->setObjectName(QLatin1String(ad));
        PageControl->addTab(w, baslik);
        return w;
    };
    QWidget* nufus = sayfa(QStringLiteral("Nüfus Bilgileri"), "TabNufus");
    auto* ng = new QGridLayout(nufus);
    alanEkle(nufus, ng, 0, 0, QStringLiteral("DOGUM_YERI"), QStringLiteral("Doğum Yeri"), 20);
    alanEkle(nufus, ng, 1, 0, QStringLiteral("DOGUM_TRH"), QStringLiteral("Doğum Tarihi"), 10);
    alanEkle(nufus, ng, 2, 0, QStringLiteral("BABA_ADI"), QStringLiteral("Baba Adı"), 20);
    alanEkle(nufus, ng, 3, 0, QStringLiteral("ANA_ADI"), QStringLiteral("Ana Adı"), 20);
    alanEkle(nufus, ng, 4, 0, QStringLiteral("KANGRUBU"), QStringLiteral("Kan Grubu"), 7);
    alanEkle(nufus, ng, 0, 2, QStringLiteral("N_SERI"), QStringLiteral("Cüzdan Seri"), 3);
    alanEkle(nufus, ng, 1, 2, QStringLiteral("N_NO"), QStringLiteral("No"), 6);
    auto* nil = secimEkle(nufus, ng, 2, 2, QStringLiteral("N_IL"), QStringLiteral("Nüfus İli"), false);
    secimEkle(nufus, ng, 3, 2, QStringLiteral("N_ILCE"), QStringLiteral("Nüfus İlçesi"), true);
    alanEkle(nufus, ng, 4, 2, QStringLiteral("N_CILTNO"), QStringLiteral("Cilt No"), 4);
    alanEkle(nufus, ng, 5, 2, QStringLiteral("N_AILESIRANO"), QStringLiteral("Aile Sıra No"), 5);
    alanEkle(nufus, ng, 6, 2, QStringLiteral("N_SIRANO"), QStringLiteral("Sıra No"), 4);
    auto* meslek = secimEkle(nufus, ng, 5, 0, QStringLiteral("MESLEK_KOD"), QStringLiteral("Mesleği"), false);
    meslek->addItems(Meslekler());
    nil->addItem(QString());
    for (const Sehir& s : Sehirler(m_db))
        nil->addItem(s.SEHIR);

    QWidget* isk = sayfa(QStringLiteral("İskontolar"), "TabIskonto");
    auto* ig = new QGridLayout(isk);
    const QList<QPair<QString, QString>> iskontolar = {
        {QStringLiteral("IND_YUZ_PAR"), QStringLiteral("Parça İskonto")},
        {QStringLiteral("IND_YUZ_AKS"), QStringLiteral("Aksesuar İskonto")},
        {QStringLiteral("IND_YUZ_SRF"), QStringLiteral("Sarf İskonto")},
        {QStringLiteral("IND_YUZ_ISCI"), QStringLiteral("İşçilik İskonto")},
        {QStringLiteral("IND_YUZ_HSR"), QStringLiteral("Hasar İskonto")},
        {QStringLiteral("IND_YUZ_BKM"), QStringLiteral("Bakım İskonto")},
        {QStringLiteral("IND_YUZ_ARZ"), QStringLiteral("Arıza İskonto")}};
    for (int i = 0; i < iskontolar.size(); ++i)
        alanEkle(isk, ig, i, 0, iskontolar.at(i).first, iskontolar.at(i).second, 3);
    ig->setRowStretch(int(iskontolar.size()), 1);

    QWidget* ozel = sayfa(QStringLiteral("Özel Kodlar"), "TabOzel");
    auto* og = new QGridLayout(ozel);
    for (int n = 1; n <= 3; ++n) {
        auto* c = secimEkle(ozel, og, n - 1, 0, QStringLiteral("OZEL_KOD_%1").arg(n), QStringLiteral("Özel Kod %1").arg(n),
                            false);
        c->addItem(QString());
        c->addItems(CariOzelKodlari(m_db, n));
    }
    alanEkle(ozel, og, 3, 0, QStringLiteral("ACIKLAMA"), QStringLiteral("AÇIKLAMA"), 80);
    og->setRowStretch(4, 1);

    QWidget* banka = sayfa(QStringLiteral(" Bankalar "), "TabBanka");
    auto* bl = new QVBoxLayout(banka);
    GridBanka = tablo(banka, "GridBanka",
                      {{QStringLiteral("CB_NO"), QStringLiteral("SıraNo")}, {QStringLiteral("CB_BANKA"), QStringLiteral("Banka")},
                       {QStringLiteral("CB_SUBE"), QStringLiteral("Şube")}, {QStringLiteral("CB_HESAP_NO"), QStringLiteral("Hesap No")},
                       {QStringLiteral("CB_HESAP_DVZ"), QStringLiteral("Döviz")}, {QStringLiteral("CB_IBAN"), QStringLiteral("IBAN")},
                       {QStringLiteral("CB_ACIKLAMA"), QStringLiteral("Açıklama")}});
    BtnBankaEkle = Dugme(banka, "BtnBankaEkle", QStringLiteral("Ekle"));
    bl->addWidget(GridBanka);
    bl->addWidget(BtnBankaEkle, 0, Qt::AlignLeft);

    QWidget* diger = sayfa(QStringLiteral("Diğer"), "TabDiger");
    auto* dg = new QGridLayout(diger);
    alanEkle(diger, dg, 0, 0, QStringLiteral("BANKA_1"), QStringLiteral("Çalıştığı Banka"), 15);
    alanEkle(diger, dg, 1, 0, QStringLiteral("BANKA_2"), QStringLiteral("Çalıştığı Banka"), 15);
    alanEkle(diger, dg, 2, 0, QStringLiteral("TEMINAT_1"), QStringLiteral("Teminatı"), 20);
    alanEkle(diger, dg, 3, 0, QStringLiteral("TEM_BANK_1"), QStringLiteral("Teminat Bnk"), 15);
    alanEkle(diger, dg, 4, 0, QStringLiteral("TEMINAT_2"), QStringLiteral("Teminatı"), 20);
    alanEkle(diger, dg, 5, 0, QStringLiteral("TEM_BANK_2"), QStringLiteral("Teminat Bnk"), 15);
    alanEkle(diger, dg, 6, 0, QStringLiteral("SERMAYE"), QStringLiteral("Sermayesi"), 20);
    alanEkle(diger, dg, 0, 2, QStringLiteral("RISK_LIMITI"), QStringLiteral("Risk Limiti"), 20);
    alanEkle(diger, dg, 1, 2, QStringLiteral("VADEGUN"), QStringLiteral("Vade Gün"), 5);
    auto* tah = secimEkle(diger, dg, 2, 2, QStringLiteral("TAH_SEKLI"), QStringLiteral("Ödeme Şekli"), false);
    for (const auto& [baslik, harf] : TahsilSekilleri())
        tah->addItem(baslik, harf);
    alanEkle(diger, dg, 3, 2, QStringLiteral("MUH_KOD"), QStringLiteral("Muhasebe Kodu"), 30);
    BtnMuhKod = Dugme(diger, "BtnMuhKod", QStringLiteral("Seç"));
    BtnMuhKod->setEnabled(m_ctx.AktifKullanici.diger10 == QLatin1String("Y") && HesapSeciciVar());
    dg->addWidget(BtnMuhKod, 3, 4);
    alanEkle(diger, dg, 4, 2, QStringLiteral("MERKEZ_BAYI"), QStringLiteral("Merkez Bayi Kodu"), 11);
    BtnMerkezBayi = Dugme(diger, "BtnMerkezBayi", QStringLiteral("Seç"));
    dg->addWidget(BtnMerkezBayi, 4, 4);
    alanEkle(diger, dg, 5, 2, QStringLiteral("PER_KOD"), QStringLiteral("Müşteri Temsilcisi"), 11);
    auto* web = new QCheckBox(QStringLiteral("Web Müşterisi"), diger);
    web->setObjectName(QStringLiteral("WEB_AKTAR"));
    m_alanlar.insert(QStringLiteral("WEB_AKTAR"), web);
    dg->addWidget(web, 6, 3);
    dg->setRowStretch(7, 1);
    for (const char* salt : {"MUH_KOD", "MERKEZ_BAYI"})
        static_cast<QLineEdit*>(alan(QLatin1String(salt)))->setReadOnly(true);

    QWidget* per = sayfa(QStringLiteral("  &Personel   "), "TabPersonel");
    auto* pl = new QVBoxLayout(per);
    GridPersonel = tablo(per, "GridPersonel",
                         {{QStringLiteral("CP_PER_AD"), QStringLiteral("Personel Adı Soyadı")},
                          {QStringLiteral("CP_GOREV"), QStringLiteral("Görev")},
                          {QStringLiteral("CP_TEL_DAHILI"), QStringLiteral("Dahili Tel.")},
                          {QStringLiteral("CP_GSM1"), QStringLiteral("Gsm1")}, {QStringLiteral("CP_GSM2"), QStringLiteral("Gsm2")},
                          {QStringLiteral("CP_PLAKA"), QStringLiteral("Plaka")}, {QStringLiteral("CP_ACIKLAMA"), QStringLiteral("Not")}});
    BtnPersonelEkle = Dugme(per, "BtnPersonelEkle", QStringLiteral("Ekle"));
    pl->addWidget(GridPersonel);
    pl->addWidget(BtnPersonelEkle, 0, Qt::AlignLeft);

    QWidget* ef = sayfa(QStringLiteral("E-Fatura Bilgileri"), "TabEFatura");
    auto* eg = new QGridLayout(ef);
    auto* muk = new QCheckBox(QStringLiteral("E-FATURA MÜKELLEFİ"), ef);
    muk->setObjectName(QStringLiteral("EF_MUKELLEF"));
    m_alanlar.insert(QStringLiteral("EF_MUKELLEF"), muk);
    eg->addWidget(muk, 0, 1);
    alanEkle(ef, eg, 1, 0, QStringLiteral("EF_UNVAN"), QStringLiteral("Ünvanı"), 255);
    alanEkle(ef, eg, 2, 0, QStringLiteral("SOKAK"), QStringLiteral("Sokak"), 100);
    alanEkle(ef, eg, 3, 0, QStringLiteral("KAPI_NO"), QStringLiteral("Kapı No"), 25);
    alanEkle(ef, eg, 4, 0, QStringLiteral("DAIRE_NO"), QStringLiteral("Daire No"), 25);
    GridPostaKutusu = tablo(ef, "GridPostaKutusu",
                            {{QStringLiteral("EF_POSTAKUTUSU"), QStringLiteral("E.F.Posta Kutusu")},
                             {QStringLiteral("PK_ISIM"), QStringLiteral("İsim")},
                             {QStringLiteral("PK_DEFAULT"), QStringLiteral("Default")}});
    BtnPostaKutusuEkle = Dugme(ef, "BtnPostaKutusuEkle", QStringLiteral("Ekle"));
    eg->addWidget(GridPostaKutusu, 5, 0, 1, 3);
    eg->addWidget(BtnPostaKutusuEkle, 6, 0);

    BtnSakla = Dugme(this, "BtnSakla", QStringLiteral("&Sakla"));
    BtnIptal = Dugme(this, "BtnIptal", QStringLiteral("&İptal"));
    BtnDokuman = Dugme(this, "BtnDokuman", QStringLiteral("Resim/Döküman Ekle"));
    for (QPushButton* b : {BtnSakla, BtnIptal, BtnDokuman, BtnSonKod, BtnMerkezBayi, BtnMuhKod, BtnBankaEkle, BtnPersonelEkle,
                           BtnPostaKutusuEkle})
        b->setAutoDefault(false);
    auto* dugmeler = new QHBoxLayout;
    dugmeler->addWidget(BtnDokuman);
    dugmeler->addStretch();
    dugmeler->addWidget(BtnSakla);
    dugmeler->addWidget(BtnIptal);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(ust);
    lay->addWidget(PageControl, 1);
    lay->addLayout(dugmeler);

    maskele(QStringLiteral("TEL1"), TelefonMaskesi());
    maskele(QStringLiteral("TEL2"), TelefonMaskesi());
    maskele(QStringLiteral("TEL3"), GsmMaskesi());
    maskele(QStringLiteral("TEL4"), GsmMaskesi());
    maskele(QStringLiteral("FAKS"), GsmMaskesi());
    maskele(QStringLiteral("KIMLIKNO"), KimlikNoMaskesi());
    maskele(QStringLiteral("VN"), SahisVergiNoMaskesi());

    connect(BtnSakla, &QPushButton::clicked, this, Guarded(this, &TFormCariSakla::BtnSaklaClick));
    connect(BtnIptal, &QPushButton::clicked, this, Guarded(this, &TFormCariSakla::BtnIptalClick));
    connect(BtnSonKod, &QPushButton::clicked, this, Guarded(this, &TFormCariSakla::BtnSonKodClick));
    connect(BtnDokuman, &QPushButton::clicked, this, Guarded(this, &TFormCariSakla::BtnDokumanClick));
    connect(BtnMuhKod, &QPushButton::clicked, this, Guarded(this, &TFormCariSakla::BtnMuhKodClick));
    connect(BtnBankaEkle, &QPushButton::clicked, this, Guarded(this, &TFormCariSakla::BtnBankaEkleClick));
    connect(BtnPersonelEkle, &QPushButton::clicked, this, Guarded(this, &TFormCariSakla::BtnPersonelEkleClick));
    connect(BtnPostaKutusuEkle, &QPushButton::clicked, this, Guarded(this, &TFormCariSakla::BtnPostaKutusuEkleClick));
    connect(cins, &QComboBox::currentIndexChanged, this, Guarded(this, &TFormCariSakla::CINSIYETChange));
    connect(ili, &QComboBox::activated, this, Guarded(this, &TFormCariSakla::ILIExit));
    connect(ili, &QComboBox::currentTextChanged, this, Guarded([this, ulke = ulke](const QString& t) {
        ulke->setEnabled(t.isEmpty());
        ilceleriDoldur(QStringLiteral("ILI"), QStringLiteral("SEMT"));
    }));
    connect(ulke, &QComboBox::currentTextChanged, this, Guarded([this, ili = ili](const QString& t) {
        ili->setEnabled(t.isEmpty());
        alan(QStringLiteral("SEMT"))->setEnabled(t.isEmpty());
    }));
    connect(nil, &QComboBox::currentTextChanged, this,
            Guarded([this] { ilceleriDoldur(QStringLiteral("N_IL"), QStringLiteral("N_ILCE")); }));
    connect(BtnMerkezBayi, &QPushButton::clicked, this, Guarded([this] {
        const TypeCari b = BayiSec(m_ctx, 1, this);
        if (b.bos())
            return;
        const auto kullanan = MerkezBayiKullanan(m_db, b.CariKod, text(QStringLiteral("CARI_KOD")));
        if (kullanan && !AskYesNo(MerkezBayiSoruText(*kullanan)))
            return;
        setText(QStringLiteral("MERKEZ_BAYI"), b.CariKod);
    }));
    alan(QStringLiteral("VN"))->installEventFilter(this);
    alan(QStringLiteral("KIMLIKNO"))->installEventFilter(this);
    alan(QStringLiteral("MUH_KOD"))->installEventFilter(this);
    alan(QStringLiteral("MERKEZ_BAYI"))->installEventFilter(this);

    // Mode 0 changes the account (a missing one starts new); mode 1 starts a
    // new card, a copy of `kod` when one is given.
    if (mode == 0) {
        const auto k = CariKartOku(m_db, kod);
        m_yeni = !k.has_value();
        CariKartKaydi yeni = YeniCariKart(ctx);
        yeni.cari.insert(QStringLiteral("CARI_KOD"), kod);
        kayitYukle(k ? *k : yeni);
        auto* kodAlani = static_cast<QLineEdit*>(alan(QStringLiteral("CARI_KOD")));
        kodAlani->setReadOnly(true);
        kodAlani->setStyleSheet(QStringLiteral("background: silver"));
    } else {
        m_yeni = true;
        kayitYukle(kod.isEmpty() ? YeniCariKart(ctx) : CariKartKopyala(ctx, m_db, kod));
    }
    BtnSonKod->setEnabled(m_yeni && mode == 1); // the code of a mode-0 card is fixed
    BtnDokuman->setEnabled(!m_yeni);
    if (!text(QStringLiteral("ULKE")).isEmpty()) {
        ili->setEnabled(false);
        alan(QStringLiteral("SEMT"))->setEnabled(false);
    } else if (!text(QStringLiteral("ILI")).isEmpty()) {
        ulke->setEnabled(false);
    }
    m_girisIli = text(QStringLiteral("ILI"));
    PageControl->setCurrentIndex(0);
    resize(1020, 720);
}

QWidget* TFormCariSakla::alanEkle(QWidget* sayfa, QGridLayout* lay, int row, int col, const QString& kolon,
                                  const QString& baslik, int uzunluk, bool zorunlu)
{
    auto* e = new QLineEdit(sayfa);
    e->setObjectName(kolon);
    e->setMaxLength(uzunluk);
    auto* l = new QLabel(baslik, sayfa);
    l->setBuddy(e);
    if (zorunlu)
        l->setStyleSheet(QStringLiteral("color: maroon"));
    lay->addWidget(l, row, col);
    lay->addWidget(e, row, col + 1);
    m_alanlar.insert(kolon, e);
    return e;
}

QComboBox* TFormCariSakla::secimEkle(QWidget* sayfa, QGridLayout* lay, int row, int col, const QString& kolon,
                                     const QString& baslik, bool duzenlenir, bool zorunlu)
{
    auto* c = new QComboBox(sayfa);
    c->setObjectName(kolon);
    c->setEditable(duzenlenir);
    auto* l = new QLabel(baslik, sayfa);
    l->setBuddy(c);
    if (zorunlu)
        l->setStyleSheet(QStringLiteral("color: maroon"));
    lay->addWidget(l, row, col);
    lay->addWidget(c, row, col + 1);
    m_alanlar.insert(kolon, c);
    return c;
}

void TFormCariSakla::maskele(const QString& kolon, const QString& maske)
{
    auto* e = qobject_cast<QLineEdit*>(alan(kolon));
    if (!e)
        return;
    e->setMaxLength(32767);
    e->setInputMask(QtMaskesi(maske));
    m_maskeler.insert(kolon, maske);
    e->installEventFilter(this);
}

void TFormCariSakla::ilceleriDoldur(const QString& ilKolon, const QString& ilceKolon)
{
    auto* ilce = qobject_cast<QComboBox*>(alan(ilceKolon));
    if (!ilce)
        return;
    const QString mevcut = ilce->currentText();
    ilce->clear();
    ilce->addItem(QString());
    ilce->addItems(Ilceler(m_db, text(ilKolon)));
    ilce->setCurrentText(mevcut);
}

void TFormCariSakla::setText(const QString& kolon, const QString& deger)
{
    QWidget* w = alan(kolon);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        if (m_maskeler.contains(kolon)) {
            e->setText(deger);
            e->setCursorPosition(0);
        } else {
            e->setText(deger);
        }
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        const int i = c->findData(deger);
        if (i >= 0)
            c->setCurrentIndex(i);
        else if (c->isEditable())
            c->setCurrentText(deger);
        else {
            const int t = c->findText(deger);
            if (t < 0 && !deger.isEmpty())
                c->addItem(deger, deger);
            c->setCurrentIndex(t >= 0 ? t : c->count() - 1);
            if (deger.isEmpty())
                c->setCurrentIndex(qMax(0, c->findText(QString())));
        }
    } else if (auto* b = qobject_cast<QCheckBox*>(w)) {
        b->setChecked(deger.toInt() != 0);
    }
}

QString TFormCariSakla::text(const QString& kolon) const
{
    QWidget* w = alan(kolon);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return m_maskeler.contains(kolon) ? MaskeliDeger(m_maskeler.value(kolon), e->displayText()) : e->text();
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (!c->isEditable() && c->currentData().isValid())
            return c->currentData().toString();
        return c->currentText();
    }
    if (auto* b = qobject_cast<QCheckBox*>(w))
        return b->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    return m_tasinan.value(kolon).toString();
}

CariKartKaydi TFormCariSakla::kayit() const
{
    CariKartKaydi k;
    k.cari = m_tasinan;
    for (auto it = m_alanlar.cbegin(); it != m_alanlar.cend(); ++it) {
        const QString& kolon = it.key();
        const QString t = text(kolon);
        if (kolon == QLatin1String("DOGUM_TRH")) {
            const QDate d = QDate::fromString(t, QStringLiteral("dd.MM.yyyy"));
            k.cari.insert(kolon, d.isValid() ? QVariant(d) : QVariant(QMetaType(QMetaType::QDate)));
        } else if (sayisalKolonlar().contains(kolon) || qobject_cast<QCheckBox*>(it.value())) {
            double v = 0;
            if (t.trimmed().isEmpty() || !ParseMoney(t, &v))
                k.cari.insert(kolon, QVariant(QMetaType(QMetaType::Double)));
            else
                k.cari.insert(kolon, tamSayiKolonu(kolon) || qobject_cast<QCheckBox*>(it.value()) ? QVariant(qRound(v))
                                                                                                   : QVariant(v));
        } else {
            k.cari.insert(kolon, t.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(t));
        }
    }
    k.personel = tabloOku(GridPersonel);
    k.bankalar = tabloOku(GridBanka);
    k.postaKutulari = tabloOku(GridPostaKutusu);
    return k;
}

void TFormCariSakla::kayitYukle(const CariKartKaydi& k)
{
    m_tasinan.clear();
    for (auto it = k.cari.cbegin(); it != k.cari.cend(); ++it)
        if (!m_alanlar.contains(it.key()))
            m_tasinan.insert(it.key(), it.value());
    for (auto it = m_alanlar.cbegin(); it != m_alanlar.cend(); ++it) {
        const QVariant v = k.cari.value(it.key());
        QString t;
        if (it.key() == QLatin1String("DOGUM_TRH"))
            t = TarihYazi(Query::toDate(v));
        else if (sayisalKolonlar().contains(it.key()) && !v.isNull() && v.isValid())
            t = tamSayiKolonu(it.key()) ? QString::number(v.toInt()) : FormatMoney(v.toDouble(), QStringLiteral("0.00"));
        else
            t = v.toString();
        setText(it.key(), t);
    }
    CINSIYETChange();
    tabloYaz(GridPersonel, k.personel);
    tabloYaz(GridBanka, k.bankalar);
    tabloYaz(GridPostaKutusu, k.postaKutulari);
}

void TFormCariSakla::BtnSaklaClick()
{
    for (const QString& kolon : sayisalKolonlar()) {
        const QString t = text(kolon).trimmed();
        double v = 0;
        if (!t.isEmpty() && !ParseMoney(t, &v)) {
            ShowWarning(QStringLiteral("Geçersiz sayı: ") + t);
            alan(kolon)->setFocus();
            return;
        }
    }
    CariKartKaydi k = kayit();
    const auto uyari = CariKartKontrol(k, SqlLookup(m_db, QStringLiteral("SELECT EKSIK_ALAN_UYARI FROM PARAMET"))
                                              .toInt() == 1);
    setText(QStringLiteral("VN"), k.str("VN"));
    if (uyari) {
        Messages().show(uyari->ikon, uyari->mesaj, MsgOk, MsgOk, windowTitle());
        if (uyari->alan == QLatin1String("KIMLIKNO"))
            PageControl->setCurrentIndex(0);
        if (QWidget* w = alan(uyari->alan))
            w->setFocus();
        return;
    }
    try {
        sonuc = CariKartKaydet(m_db, k, m_yeni);
    } catch (const CariKartHatasi&) {
        // The guard shows the refusal; the code field it is about takes the focus.
        alan(QStringLiteral("CARI_KOD"))->setFocus();
        throw;
    }
    accept();
}

void TFormCariSakla::BtnIptalClick()
{
    sonuc.clear();
    reject();
}

void TFormCariSakla::BtnDokumanClick()
{
    // A card not yet saved has no key for its documents.
    if (m_yeni)
        return;
    DokumanlarAc(m_ctx, DokCari, text(QStringLiteral("CARI_KOD")).trimmed(), 0, this);
}

void TFormCariSakla::BtnSonKodClick()
{
    if (!m_yeni)
        return;
    const auto kod = SonCariKodu(m_db, text(QStringLiteral("CARI_KOD")));
    if (!kod) {
        ShowError(SonCariKoduYokText());
        return;
    }
    setText(QStringLiteral("CARI_KOD"), *kod);
}

void TFormCariSakla::BtnPersonelEkleClick()
{
    if (text(QStringLiteral("CARI_KOD")).trimmed().isEmpty()) {
        ShowWarning(QStringLiteral("Cari kodu girdikten sonra personel tanımlayınız!"));
        return;
    }
    GridPersonel->insertRow(GridPersonel->rowCount());
    GridPersonel->setCurrentCell(GridPersonel->rowCount() - 1, 0);
}

void TFormCariSakla::BtnBankaEkleClick()
{
    if (text(QStringLiteral("CARI_KOD")).trimmed().isEmpty()) {
        ShowWarning(QStringLiteral("Cari kodu girdikten sonra tanımlayınız!"));
        return;
    }
    int son = 0;
    for (int r = 0; r < GridBanka->rowCount(); ++r)
        if (const QTableWidgetItem* it = GridBanka->item(r, 0))
            son = qMax(son, it->data(Qt::EditRole).toInt());
    const int r = GridBanka->rowCount();
    GridBanka->insertRow(r);
    auto* no = new QTableWidgetItem;
    no->setData(Qt::EditRole, son + 1);
    GridBanka->setItem(r, 0, no);
    GridBanka->setCurrentCell(r, 1);
}

void TFormCariSakla::BtnPostaKutusuEkleClick()
{
    GridPostaKutusu->insertRow(GridPostaKutusu->rowCount());
}

void TFormCariSakla::VNExit()
{
    if (const auto kod = NumarayiKullananCari(m_db, text(QStringLiteral("VN")), text(QStringLiteral("CARI_KOD"))))
        ShowInfo(VergiNoKullanilmisText(*kod));
}

void TFormCariSakla::KIMLIKNOExit()
{
    if (const auto kod = NumarayiKullananCari(m_db, text(QStringLiteral("KIMLIKNO")), text(QStringLiteral("CARI_KOD"))))
        ShowInfo(KimlikNoKullanilmisText(*kod));
}

void TFormCariSakla::ILIExit()
{
    const QString il = text(QStringLiteral("ILI"));
    if (il == m_girisIli)
        return;
    m_girisIli = il;
    const QString onek = AlanKoduOneki(m_db, il);
    if (onek.isEmpty())
        return;
    for (const char* tel : {"TEL1", "TEL2", "FAKS"}) {
        const QString kolon = QLatin1String(tel);
        QString deger = text(kolon);
        if (deger.isEmpty())
            deger = QStringLiteral("(   )");
        setText(kolon, TelefonaAlanKodu(onek, deger));
    }
}

void TFormCariSakla::CINSIYETChange()
{
    const bool firma = text(QStringLiteral("CINSIYET")) == QLatin1String("F");
    const QString vn = text(QStringLiteral("VN"));
    const QString maske = firma ? FirmaVergiNoMaskesi() : SahisVergiNoMaskesi();
    if (m_maskeler.value(QStringLiteral("VN")) != maske) {
        auto* e = static_cast<QLineEdit*>(alan(QStringLiteral("VN")));
        m_maskeler.insert(QStringLiteral("VN"), maske);
        e->setInputMask(QtMaskesi(maske));
        e->setText(vn);
    }
    LblVnUzunluk->setText(firma ? QStringLiteral("10 Karakter") : QStringLiteral("11 Karakter"));
}

void TFormCariSakla::BtnMuhKodClick()
{
    if (!BtnMuhKod->isEnabled())
        return;
    const QString kod = HesapSecimi(m_ctx, this).trimmed();
    if (!kod.isEmpty())
        setText(QStringLiteral("MUH_KOD"), kod);
}

bool TFormCariSakla::eventFilter(QObject* o, QEvent* e)
{
    auto* edit = qobject_cast<QLineEdit*>(o);
    if (edit && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        const bool silme = key == Qt::Key_Backspace || key == Qt::Key_Delete || key == Qt::Key_Clear;
        if (silme && m_maskeler.contains(edit->objectName())) {
            edit->clear();
            return true;
        }
        if (key == Qt::Key_Delete && edit->objectName() == QLatin1String("MUH_KOD")) {
            edit->clear();
            return true;
        }
        if (key == Qt::Key_Backspace && edit->objectName() == QLatin1String("MERKEZ_BAYI")) {
            edit->clear();
            return true;
        }
    }
    if (edit && e->type() == QEvent::FocusOut) {
        if (edit->objectName() == QLatin1String("VN"))
            VNExit();
        else if (edit->objectName() == QLatin1String("KIMLIKNO"))
            KIMLIKNOExit();
    }
    return QDialog::eventFilter(o, e);
}

QString CariKartAc(const SessionContext& ctx, const QString& kod, int mode, QWidget* parent)
{
    const QString& hak = ctx.AktifKullanici.cari;
    if (hak != QLatin1String("D") && hak != QLatin1String("N") && hak != QLatin1String("Y")) {
        ShowWarning(CariKartYetkiYokText());
        return {};
    }
    TFormCariSakla f(ctx, kod, mode, parent);
    return f.exec() == QDialog::Accepted ? f.sonuc : QString();
}

} // namespace tornaly::accounts
