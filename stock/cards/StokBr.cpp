#include "stock/cards/StokBr.h"
#include "connection/DialogRunner.h"
#include "sql/ListeKonum.h"

#include "history/ChLogBr.h"
#include "messages/Messages.h"
#include "guard/FormGuard.h"
#include "money/Money.h"
#include "stock/cards/StokKart.h"
#include "stock/cards/StokSakla.h"
#include "stock/common/ListeGorunumu.h"
#include "stock/movements/DepoHrkForm.h"
#include "stock/pictures/ResimKutusu.h"
#include "stock/pictures/StokResim.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::stock {

namespace {
QString hakHarfi(const SessionContext& ctx) { return ctx.AktifKullanici.stok.left(1).toUpper(); }
} // namespace

TFormStokBr::TFormStokBr(const SessionContext& ctx, int mode, bool listele, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1), m_mod(mode == 2 ? 1 : mode)
{
    setObjectName(QStringLiteral("FormStokBr"));
    setWindowTitle(QStringLiteral("STOK KAYITLARI"));
    auto* ana = new QVBoxLayout(this);

    // Search boxes and the filters that hold for every search.
    auto* ust = new QGridLayout;
    auto yeniKutu = [&](const QString& ad, const QString& etiket, int r, int c) {
        auto* e = new QLineEdit(this);
        e->setObjectName(ad);
        auto* l = new QLabel(etiket, this);
        l->setBuddy(e);
        ust->addWidget(l, r, c);
        ust->addWidget(e, r, c + 1);
        e->installEventFilter(this);
        return e;
    };
    EditKod = yeniKutu(QStringLiteral("EditKod"), QStringLiteral("Aranan Stok &Kod"), 0, 0);
    EditAd = yeniKutu(QStringLiteral("EditAd"), QStringLiteral("Aranan Stok &Adı"), 0, 2);
    EditMuadil = yeniKutu(QStringLiteral("EditMuadil"), QStringLiteral("&Eski/Yeni/Muadil Kod"), 0, 4);
    EditBarkod = yeniKutu(QStringLiteral("EditBarkod"), QStringLiteral("&Barkod"), 1, 0);
    EditRaf = yeniKutu(QStringLiteral("EditRaf"), QStringLiteral("&Raf Yeri"), 1, 2);
    EditKod->setMaxLength(25);
    auto yeniSecim = [&](const QString& ad, const QString& etiket, int r, int c) {
        auto* cb = new QComboBox(this);
        cb->setObjectName(ad);
        auto* l = new QLabel(etiket, this);
        l->setBuddy(cb);
        ust->addWidget(l, r, c);
        ust->addWidget(cb, r, c + 1);
        return cb;
    };
    CmbModel = yeniSecim(QStringLiteral("CmbModel"), QStringLiteral("Araç Model"), 2, 0);
    CmbModel->setEditable(true);
    CmbModel->lineEdit()->installEventFilter(this);
    CmbPay = yeniSecim(QStringLiteral("CmbPay"), QStringLiteral("Ana Grup"), 2, 2);
    CmbGrup = yeniSecim(QStringLiteral("CmbGrup"), QStringLiteral("Grup"), 1, 4);
    CmbAltGrup = yeniSecim(QStringLiteral("CmbAltGrup"), QStringLiteral("Alt Grup"), 2, 4);
    auto* not_ = new QLabel(QStringLiteral("Üst filtreler tüm aramalarda geçerlidir"), this);
    not_->setObjectName(QStringLiteral("LblFiltreNotu"));
    QFont nf = not_->font();
    nf.setItalic(true);
    not_->setFont(nf);
    ust->addWidget(not_, 3, 0, 1, 6);
    for (int c : {1, 3, 5})
        ust->setColumnStretch(c, 1);
    ana->addLayout(ust);

    CmbPay->addItem(QString(), QString());
    for (const AnaGrup& a : AnaGruplar())
        CmbPay->addItem(a.kartAdi, a.harf);
    CmbGrup->addItem(QString(), QString());
    CmbAltGrup->addItem(QString(), QString());
    Guard([this] {
        Query g(m_db, QStringLiteral("SELECT GRUP_KODU, GRUP_ADI FROM GRUP ORDER BY GRUP_ADI"));
        g.exec();
        while (g.next()) {
            m_grupAdlari.insert(g.value(0).toString(), g.value(1).toString());
            CmbGrup->addItem(g.value(1).toString().isEmpty() ? g.value(0).toString() : g.value(1).toString(),
                             g.value(0).toString());
        }
        Query a(m_db, QStringLiteral("SELECT GRUP_KODU, ALT_GRUP_KODU, GRUP_ADI FROM ALTGRUP ORDER BY GRUP_ADI"));
        a.exec();
        while (a.next())
            m_altGrupAdlari.insert(a.value(0).toString() + QLatin1Char('\x1f') + a.value(1).toString(), a.value(2).toString());
        CmbModel->addItem(QString());
        Query m(m_db, QStringLiteral("SELECT DISTINCT PA_MODEL FROM PARACTIP ORDER BY PA_MODEL"));
        m.exec();
        while (m.next())
            CmbModel->addItem(m.value(0).toString());
    });

    // The list with the detail panels on the right.
    auto* bolme = new QSplitter(this);
    DBGrid1 = new QTableView(bolme);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->installEventFilter(this);
    Liste = new BoundQueryModel(this);
    ListeAyari ayar;
    ayar.basliklar = {{QStringLiteral("STOK_KOD_NO"), QStringLiteral("Stok Kodu")},
                      {QStringLiteral("STOK_ADI_TR"), QStringLiteral("Stok Adı (TR)")},
                      {QStringLiteral("MARKAKOD"), QStringLiteral("Marka")},
                      {QStringLiteral("ALIS_FYT_TL"), QStringLiteral("Alış Fyt. TL")},
                      {QStringLiteral("ALIS_FYT_DOVIZ"), QStringLiteral("Alış Fyt. Dvz")},
                      {QStringLiteral("SAT_FYT_TL"), QStringLiteral("Sat.Fyt.TL")},
                      {QStringLiteral("KDV"), QStringLiteral("KDV")},
                      {QStringLiteral("SATIS_KDVLI"), QStringLiteral("KDVli Sat.TL")},
                      {QStringLiteral("FYT_KUR"), QStringLiteral("Döviz")},
                      {QStringLiteral("SAT_FYT_DOVIZ"), QStringLiteral("Sat.Fyt.Dvz")},
                      {QStringLiteral("SATIS_KDVLI_DVZ"), QStringLiteral("Kdvli Dvz Sat.Fyt")},
                      {QStringLiteral("ESKI_PART_NO"), QStringLiteral("Eski Kod")},
                      {QStringLiteral("YENI_KOD"), QStringLiteral("Yeni Kod")},
                      {QStringLiteral("YENI_KOD_SON"), QStringLiteral("En Yeni Kod")},
                      {QStringLiteral("BARKOD"), QStringLiteral("Barkodu")},
                      {QStringLiteral("ORJ"), QStringLiteral("Orj?")},
                      {QStringLiteral("PAY"), QStringLiteral("AnaGrup")},
                      {QStringLiteral("GRUP_NO"), QStringLiteral("Grup")},
                      {QStringLiteral("ALTGRUP_NO"), QStringLiteral("AltGrup")},
                      {QStringLiteral("MODEL_NO"), QStringLiteral("Model No")},
                      {QStringLiteral("STOK_ADI_ING"), QStringLiteral("Stok Adı (ING)")}};
    ayar.gizli = {QStringLiteral("STOK_NO"), QStringLiteral("ALIS_FYT_DOVIZ"), QStringLiteral("BARK_TIP"),
                  QStringLiteral("FYT_TRH"), QStringLiteral("RESIM_NO"), QStringLiteral("KOORX"), QStringLiteral("KOORY")};
    for (const char* k : {"ALIS_FYT_TL", "ALIS_FYT_DOVIZ", "SAT_FYT_TL", "SATIS_KDVLI", "SAT_FYT_DOVIZ", "SATIS_KDVLI_DVZ"})
        ayar.bicimler.insert(QString::fromLatin1(k), QStringLiteral(",0.00"));
    ayar.bicimler.insert(QStringLiteral("KDV"), QStringLiteral(",0"));
    ayar.cevirici.insert(QStringLiteral("PAY"), [](const QVariant& v) { return AnaGrupListeAdi(v.toString()); });
    ayar.cevirici.insert(QStringLiteral("GRUP_NO"), [this](const QVariant& v) {
        return m_grupAdlari.value(v.toString(), v.toString());
    });
    ayar.cevirici.insert(QStringLiteral("ALTGRUP_NO"), [this](const QVariant& v) {
        const int r = DBGrid1->currentIndex().row();
        Q_UNUSED(r);
        for (auto it = m_altGrupAdlari.cbegin(); it != m_altGrupAdlari.cend(); ++it)
            if (it.key().section(QLatin1Char('\x1f'), 1) == v.toString())
                return it.value();
        return v.toString();
    });
    ListeHazirla(DBGrid1, Liste, ayar);
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            Guarded([this] { satirDegisti(); }));
    BaslikSiralama(DBGrid1, Liste, [this](const QString& alan, bool azalan) {
        m_kriter.siralama = alan;
        m_kriter.azalan = azalan;
        Guard([this] { listeyiAc(); });
    });

    auto* sag = new QWidget(bolme);
    auto* sagv = new QVBoxLayout(sag);
    sagv->setContentsMargins(0, 0, 0, 0);
    GridDepo = new QTableWidget(0, 2, sag);
    GridDepo->setObjectName(QStringLiteral("GridDepo"));
    GridDepo->setHorizontalHeaderLabels({QStringLiteral("Depo"), QStringLiteral("Miktar")});
    GridDepo->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    GridDepo->verticalHeader()->hide();
    GridDepo->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridDepo->setMaximumHeight(160);
    sagv->addWidget(GridDepo);
    ChkMuadil = new QCheckBox(QStringLiteral("Eski/Muadil K&odlar"), sag);
    ChkMuadil->setObjectName(QStringLiteral("ChkMuadil"));
    sagv->addWidget(ChkMuadil);
    GridMuadil = new QTableWidget(0, 2, sag);
    GridMuadil->setObjectName(QStringLiteral("GridMuadil"));
    GridMuadil->setHorizontalHeaderLabels({QStringLiteral("Parça Kod"), QStringLiteral("Eski/Muadil Parça Kodu")});
    GridMuadil->horizontalHeader()->setStretchLastSection(true);
    GridMuadil->verticalHeader()->hide();
    GridMuadil->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridMuadil->setVisible(false);
    GridMuadil->setMaximumHeight(140);
    sagv->addWidget(GridMuadil);
    GridModel = new QTableWidget(0, 5, sag);
    GridModel->setObjectName(QStringLiteral("GridModel"));
    GridModel->setHorizontalHeaderLabels({QStringLiteral("Marka"), QStringLiteral("Araç Model"), QStringLiteral("Araç Tip"),
                                          QStringLiteral("Yıl Baş."), QStringLiteral("Yıl Bit.")});
    GridModel->setVisible(false);
    GridModel->setMaximumHeight(140);
    sagv->addWidget(GridModel);
    auto* resimSatiri = new QHBoxLayout;
    ChkResim = new QCheckBox(QStringLiteral("Resmi &Göster"), sag);
    ChkResim->setObjectName(QStringLiteral("ChkResim"));
    ChkSigdir = new QCheckBox(QStringLiteral("Resmi Sığ&dır"), sag);
    ChkSigdir->setObjectName(QStringLiteral("ChkSigdir"));
    ChkSigdir->setEnabled(false);
    resimSatiri->addWidget(ChkResim);
    resimSatiri->addWidget(ChkSigdir);
    resimSatiri->addStretch(1);
    sagv->addLayout(resimSatiri);
    ImgResim = new ResimKutusu(sag);
    ImgResim->setObjectName(QStringLiteral("ImgResim"));
    ImgResim->setVisible(false);
    sagv->addWidget(ImgResim, 1);
    sagv->addStretch(0);
    bolme->addWidget(DBGrid1);
    bolme->addWidget(sag);
    bolme->setStretchFactor(0, 4);
    bolme->setStretchFactor(1, 1);
    ana->addWidget(bolme, 1);
    LblKayitSayisi = new QLabel(this);
    LblKayitSayisi->setObjectName(QStringLiteral("LblKayitSayisi"));
    ana->addWidget(LblKayitSayisi);

    auto* dugmeler = new QHBoxLayout;
    auto dugme = [&](const QString& ad, const QString& baslik) {
        auto* b = new QPushButton(baslik, this);
        b->setObjectName(ad);
        b->setAutoDefault(false);
        dugmeler->addWidget(b);
        return b;
    };
    BtnSec = dugme(QStringLiteral("BtnSec"), QStringLiteral("&Seç"));
    BtnYeni = dugme(QStringLiteral("BtnYeni"), QStringLiteral("&Yeni"));
    BtnKopyala = dugme(QStringLiteral("BtnKopyala"), QStringLiteral("Kopyala"));
    BtnDuzenle = dugme(QStringLiteral("BtnDuzenle"), QStringLiteral("&Düzenle"));
    BtnSil = dugme(QStringLiteral("BtnSil"), QStringLiteral("&Sil"));
    BtnHareket = dugme(QStringLiteral("BtnHareket"), QStringLiteral("Hareketleri"));
    BtnGecmis = dugme(QStringLiteral("BtnGecmis"), QStringLiteral("Kayıt Geçmişi"));
    BtnModel = dugme(QStringLiteral("BtnModel"), QStringLiteral("Parça Model Listesi"));
    BtnBackorder = dugme(QStringLiteral("BtnBackorder"), QStringLiteral("&Merkezden Backorder Sorgulama"));
    dugmeler->addStretch(1);
    BtnKapat = dugme(QStringLiteral("BtnKapat"), QStringLiteral("&Kapat"));
    ana->addLayout(dugmeler);

    BtnSec->setVisible(m_mod == 1);
    const QString hak = hakHarfi(ctx);
    BtnYeni->setEnabled(hak == QLatin1String("D") || hak == QLatin1String("N") || hak == QLatin1String("Y"));
    BtnKopyala->setEnabled(BtnYeni->isEnabled());
    BtnDuzenle->setEnabled(hak == QLatin1String("D") || hak == QLatin1String("Y"));
    BtnSil->setEnabled(hak == QLatin1String("Y"));
    BtnHareket->setEnabled(hak != QLatin1String("H"));

    connect(BtnSec, &QPushButton::clicked, this, Guarded(this, &TFormStokBr::BtnSecClick));
    connect(BtnYeni, &QPushButton::clicked, this, Guarded([this] { BtnYeniClick(); }));
    connect(BtnKopyala, &QPushButton::clicked, this, Guarded([this] { BtnKopyalaClick(); }));
    connect(BtnDuzenle, &QPushButton::clicked, this, Guarded([this] { BtnDuzenleClick(); }));
    connect(BtnSil, &QPushButton::clicked, this, Guarded([this] { BtnSilClick(); }));
    connect(BtnHareket, &QPushButton::clicked, this, Guarded([this] { BtnHareketClick(); }));
    connect(BtnGecmis, &QPushButton::clicked, this, Guarded([this] { BtnGecmisClick(); }));
    connect(BtnModel, &QPushButton::clicked, this, Guarded([this] { BtnModelClick(); }));
    connect(BtnBackorder, &QPushButton::clicked, this, Guarded([] { ShowWarning(QStringLiteral("Merkeze Bağlanılamadı!")); }));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    connect(DBGrid1, &QTableView::doubleClicked, this, Guarded([this] {
        if (m_mod == 1)
            BtnSecClick();
        else
            Guard([this] { BtnDuzenleClick(); });
    }));
    connect(ChkMuadil, &QCheckBox::toggled, this, Guarded([this](bool on) {
        GridMuadil->setVisible(on);
        Guard([this] { satirDegisti(); });
    }));
    connect(ChkResim, &QCheckBox::toggled, this, Guarded([this](bool on) {
        ImgResim->setVisible(on);
        ChkSigdir->setEnabled(on);
        Guard([this] { satirDegisti(); });
    }));
    connect(ChkSigdir, &QCheckBox::toggled, ImgResim, Guarded(ImgResim, &ResimKutusu::sigdirAyarla));
    ImgResim->sigdirAyarla(false);
    connect(GridMuadil, &QTableWidget::cellDoubleClicked, this, Guarded([this](int r, int c) {
        if (auto* it = GridMuadil->item(r, c))
            kutuyaYazVeAra(it->text());
    }));
    for (QComboBox* cb : {CmbPay, CmbGrup, CmbAltGrup})
        connect(cb, qOverload<int>(&QComboBox::activated), this, Guarded([this, cb] {
            if (cb == CmbGrup) {
                CmbAltGrup->clear();
                CmbAltGrup->addItem(QString(), QString());
                const QString g = CmbGrup->currentData().toString();
                for (auto it = m_altGrupAdlari.cbegin(); it != m_altGrupAdlari.cend(); ++it)
                    if (it.key().section(QLatin1Char('\x1f'), 0, 0) == g)
                        CmbAltGrup->addItem(it.value(), it.key().section(QLatin1Char('\x1f'), 1));
            }
            ara(StokAramaKutusu::Yok);
        }));
    connect(CmbModel, qOverload<int>(&QComboBox::activated), this, Guarded([this] {
        GridModel->setVisible(true);
        ara(StokAramaKutusu::Yok);
    }));

    if (listele) {
        m_kriter.ilkAcilis = true;
        Guard([this] { listeyiAc(); });
    }
    resize(1280, 720);
}


QLineEdit* TFormStokBr::kutu(StokAramaKutusu k) const
{
    switch (k) {
    case StokAramaKutusu::Kod: return EditKod;
    case StokAramaKutusu::Ad: return EditAd;
    case StokAramaKutusu::Muadil: return EditMuadil;
    case StokAramaKutusu::Barkod: return EditBarkod;
    case StokAramaKutusu::Raf: return EditRaf;
    case StokAramaKutusu::Yok: break;
    }
    return nullptr;
}

StokAramaKutusu TFormStokBr::kutuTuru(QObject* o) const
{
    for (StokAramaKutusu k : {StokAramaKutusu::Kod, StokAramaKutusu::Ad, StokAramaKutusu::Muadil, StokAramaKutusu::Barkod,
                              StokAramaKutusu::Raf})
        if (kutu(k) == o)
            return k;
    return StokAramaKutusu::Yok;
}

void TFormStokBr::ara(StokAramaKutusu k)
{
    m_kriter.ilkAcilis = false;
    m_kriter.model = CmbModel->currentText().trimmed();
    m_kriter.pay = CmbPay->currentData().toString();
    m_kriter.grup = CmbGrup->currentData().toString();
    m_kriter.altGrup = CmbAltGrup->currentData().toString();
    if (k != StokAramaKutusu::Yok) {
        m_kriter.kutu = k;
        m_kriter.metin = kutu(k)->text();
        m_kriter.siralama.clear();
        m_kriter.azalan = false;
        DBGrid1->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
        if (k == StokAramaKutusu::Muadil)
            ChkMuadil->setChecked(true);
    }
    Guard([this] { listeyiAc(); });
}

void TFormStokBr::listeyiAc()
{
    const SqlText s = StokListeSorgusu(m_db.dialect(), m_kriter);
    Liste->setStatement(m_db, s.text(), s.binds);
    Liste->setOrderKeys({QStringLiteral("STOK_NO")});
    Liste->open();
    KolonlariSigdir(DBGrid1);
    const auto t = Liste->totals({});
    LblKayitSayisi->setText(QStringLiteral("Kayıt Sayısı = %1").arg(FormatMoney(double(t.count), QStringLiteral(",0"))));
    if (Liste->rowCount() > 0)
        DBGrid1->setCurrentIndex(Liste->index(0, Liste->columnOf(QStringLiteral("STOK_KOD_NO"))));
    satirDegisti();
}

QVariant TFormStokBr::deger(const QString& alan) const
{
    const int r = DBGrid1->currentIndex().row();
    const int c = Liste->columnOf(alan);
    if (r < 0 || c < 0)
        return {};
    return Liste->index(r, c).data(Qt::EditRole);
}

void TFormStokBr::satirDegisti()
{
    const QVariant no = deger(QStringLiteral("STOK_NO"));
    GridDepo->setRowCount(0);
    if (no.isNull()) {
        GridMuadil->setRowCount(0);
        ImgResim->temizle();
        return;
    }
    for (const StokDepoMiktari& m : StokDepoMiktarlari(m_db, no.toDouble())) {
        const int r = GridDepo->rowCount();
        GridDepo->insertRow(r);
        GridDepo->setItem(r, 0, new QTableWidgetItem(m.DEPO_ADI));
        auto* mik = new QTableWidgetItem(FormatMoney(m.DEPO_MIK, QStringLiteral("0.0")));
        mik->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        GridDepo->setItem(r, 1, mik);
    }
    const QString parcaNo = deger(QStringLiteral("STOK_KOD_NO")).toString();
    if (ChkMuadil->isChecked()) {
        GridMuadil->setRowCount(0);
        for (const auto& [a, b] : MuadilCiftleri(m_db, parcaNo)) {
            const int r = GridMuadil->rowCount();
            GridMuadil->insertRow(r);
            GridMuadil->setItem(r, 0, new QTableWidgetItem(a));
            GridMuadil->setItem(r, 1, new QTableWidgetItem(b));
        }
    }
    if (GridModel->isVisible()) {
        GridModel->setRowCount(0);
        Query q(m_db, QStringLiteral("SELECT PA_MODEL, PA_TIP, MODEL_YIL1, MODEL_YIL2 FROM PARACTIP WHERE PA_STOK = :STOK_KOD_NO"));
        q.bind(QStringLiteral("STOK_KOD_NO"), parcaNo).exec();
        while (q.next()) {
            const int r = GridModel->rowCount();
            GridModel->insertRow(r);
            for (int c = 0; c < 4; ++c)
                GridModel->setItem(r, c + 1, new QTableWidgetItem(q.value(c).toString()));
        }
    }
    if (ChkResim->isChecked()) {
        const int resim = deger(QStringLiteral("RESIM_NO")).toInt();
        ImgResim->noktaAyarla({deger(QStringLiteral("KOORX")).toInt(), deger(QStringLiteral("KOORY")).toInt()});
        if (resim <= 0 || !ImgResim->resimGoster(ResimOku(m_db, resim))) {
            ImgResim->temizle();
            ImgResim->noktaAyarla({});
        }
    }
}

bool TFormStokBr::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() != QEvent::KeyPress)
        return QDialog::eventFilter(o, e);
    auto* k = static_cast<QKeyEvent*>(e);
    if (o == DBGrid1) {
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            if (m_mod == 1)
                BtnSecClick();
            else
                Guard([this] { BtnDuzenleClick(); });
            return true;
        }
        if (k->key() == Qt::Key_F9) {
            EditBarkod->setFocus();
            return true;
        }
        const QHash<int, const char*> kodlar = {{Qt::Key_F5, "ESKI_PART_NO"}, {Qt::Key_F6, "YENI_KOD"}, {Qt::Key_F7, "YENI_KOD_SON"}};
        if (kodlar.contains(k->key())) {
            const QString kod = deger(QString::fromLatin1(kodlar.value(k->key()))).toString().trimmed();
            if (!kod.isEmpty())
                kutuyaYazVeAra(kod);
            return true;
        }
        if (k->key() == Qt::Key_F3) {
            for (const char* f : {"ALIS_FYT_TL", "ALIS_FYT_DOVIZ"}) {
                const int c = Liste->columnOf(QString::fromLatin1(f));
                if (c >= 0)
                    DBGrid1->setColumnHidden(c, !DBGrid1->isColumnHidden(c));
            }
            return true;
        }
        return QDialog::eventFilter(o, e);
    }
    const bool modelKutusu = o == CmbModel->lineEdit();
    const StokAramaKutusu tur = kutuTuru(o);
    if (tur == StokAramaKutusu::Yok && !modelKutusu)
        return QDialog::eventFilter(o, e);
    if (k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter) {
        m_enterBirKez = false;
        const int r = DBGrid1->currentIndex().row();
        if (k->key() == Qt::Key_Down && r + 1 < Liste->rowCount()) {
            DBGrid1->setCurrentIndex(Liste->index(r + 1, DBGrid1->currentIndex().column()));
            return true;
        }
        if (k->key() == Qt::Key_Up && r > 0) {
            DBGrid1->setCurrentIndex(Liste->index(r - 1, DBGrid1->currentIndex().column()));
            return true;
        }
        return QDialog::eventFilter(o, e);
    }
    if (m_enterBirKez) {
        DBGrid1->setFocus();
        return true;
    }
    m_enterBirKez = true;
    if (modelKutusu) {
        GridModel->setVisible(true);
        ara(StokAramaKutusu::Yok);
        return true;
    }
    if (kutu(tur)->text().trimmed().isEmpty()
        && AskYesNoCancel(QStringLiteral("Tüm Stok Kayıtlarını Görmek İstiyor musunuz?")) != MsgYes)
        return true;
    ara(tur);
    return true;
}

void TFormStokBr::kutuyaYazVeAra(const QString& kod)
{
    EditKod->setText(kod);
    ara(StokAramaKutusu::Kod);
}

void TFormStokBr::gitParcaNo(const QString& no)
{
    const int r = LocateRow(*Liste, StokListeSorgusu(m_db.dialect(), m_kriter).binds, QStringLiteral("STOK_KOD_NO"), no);
    if (r >= 0)
        DBGrid1->setCurrentIndex(Liste->index(r, Liste->columnOf(QStringLiteral("STOK_KOD_NO"))));
}

void TFormStokBr::BtnSecClick()
{
    if (m_mod != 1 || DBGrid1->currentIndex().row() < 0)
        return;
    secilen.StokNo = deger(QStringLiteral("STOK_NO")).toDouble();
    secilen.StokKod = deger(QStringLiteral("STOK_KOD_NO")).toString();
    secilen.StokAd = deger(QStringLiteral("STOK_ADI_TR")).toString();
    accept();
}

void TFormStokBr::BtnYeniClick()
{
    if (hakHarfi(m_ctx) == QLatin1String("H"))
        return;
    QString no;
    StokKartiAc(m_ctx, true, no, -1, this);
    if (!no.isEmpty()) {
        EditKod->setText(no);
        EditKod->setFocus();
    }
}

void TFormStokBr::BtnKopyalaClick()
{
    const QString hak = hakHarfi(m_ctx);
    if (hak == QLatin1String("O") || hak == QLatin1String("H") || deger(QStringLiteral("STOK_NO")).isNull())
        return;
    QString no;
    StokKartiAc(m_ctx, true, no, deger(QStringLiteral("STOK_NO")).toDouble(), this);
    listeyiAc();
    if (!no.isEmpty())
        gitParcaNo(no);
}

void TFormStokBr::BtnDuzenleClick()
{
    const QString hak = hakHarfi(m_ctx);
    if (hak == QLatin1String("O") || hak == QLatin1String("H") || deger(QStringLiteral("STOK_NO")).isNull())
        return;
    QString no;
    StokKartiAc(m_ctx, false, no, deger(QStringLiteral("STOK_NO")).toDouble(), this);
    if (!no.isEmpty()) {
        EditKod->setText(no);
        EditKod->setFocus();
        listeyiAc();
        gitParcaNo(no);
    }
}

void TFormStokBr::BtnSilClick()
{
    if (hakHarfi(m_ctx) != QLatin1String("Y") || deger(QStringLiteral("STOK_NO")).isNull())
        return;
    if (AskYesNoCancel(QStringLiteral("Kayıt Silinsin mi?")) != MsgYes)
        return;
    const double no = deger(QStringLiteral("STOK_NO")).toDouble();
    Query q(m_db, QStringLiteral("SELECT 1 FROM DEPOHRK WHERE STOK_NO = :StkNo"));
    q.bind(QStringLiteral("StkNo"), no).exec();
    if (q.next()) {
        ShowInfo(HareketliStokMesaji());
        return;
    }
    if (AskYesNoCancel(QStringLiteral("Stok Kartını Silmek İstediğinizden Emin misiniz!")) != MsgYes)
        return;
    // Checked again in the delete's own transaction: a movement posted meanwhile still refuses it.
    const QString m = StokKartiSil(m_db, no);
    if (!m.isEmpty())
        ShowInfo(m);
    listeyiAc();
}

void TFormStokBr::BtnHareketClick()
{
    if (hakHarfi(m_ctx) == QLatin1String("H") || deger(QStringLiteral("STOK_NO")).isNull())
        return;
    DepoHareketleri(m_ctx, deger(QStringLiteral("STOK_ADI_TR")).toString(), deger(QStringLiteral("STOK_NO")).toDouble(), this);
}

void TFormStokBr::BtnGecmisClick()
{
    ShowChangeLog(m_ctx, QStringLiteral("STOK"), deger(QStringLiteral("STOK_NO")));
}

void TFormStokBr::BtnModelClick()
{
    GridModel->setVisible(true);
    satirDegisti();
}

double StokSec(const SessionContext& ctx, int mode, QWidget* parent)
{
    if (hakHarfi(ctx) == QLatin1String("H") || ctx.AktifKullanici.stok.isEmpty())
        return 0;
    TFormStokBr f(ctx, mode, true, parent);
    if (f.exec() == QDialog::Accepted && f.secilen.StokNo > 0)
        return f.secilen.StokNo;
    return -1;
}

void StokSecKayit(const SessionContext& ctx, int mode, TypeStok& kayit, QWidget* parent)
{
    if (hakHarfi(ctx) == QLatin1String("H") || ctx.AktifKullanici.stok.isEmpty())
        return;
    kayit.StokNo = -1;
    TFormStokBr f(ctx, mode, false, parent);
    if (RunModal(f) == QDialog::Accepted && f.secilen.StokNo > 0) {
        kayit.StokNo = f.secilen.StokNo;
        kayit.StokKod = f.secilen.StokKod;
        kayit.StokAd = f.secilen.StokAd;
    }
}

} // namespace tornaly::stock
