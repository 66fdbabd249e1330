#include "aftersales/claims/forms/Claimvarnek.h"
#include "aftersales/claims/GarantiKarti.h"
#include "guard/FormGuard.h"
#include "report/RaporCikti.h"

#include "aftersales/claims/forms/brClaim.h"
#include "connection/DialogRunner.h"
#include "stock/cards/StokBr.h"
#include "workshop/workorders/forms/IEBr.h"
#include "controls/SayiAlani.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "report/ListReport.h"
#include "report/ReportEngine.h"
#include "report/ReportPreview.h"
#include "sql/SqlHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHash>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

namespace tornaly::aftersales {
namespace {

struct Alan {
    const char* column;
    const char* caption;
    int tab; // 0 claim, 1 vehicle, 2 customer, 3 description
};
const Alan kAlanlar[] = {
    {"CL_GARTIP", "Kleym Tipi", 0},        {"CL_ONAYTIP1", "Onay Tip1", 0},      {"CL_ONAYTIP2", "Onay Tip2", 0},
    {"CL_ONAYKOD", "Onay Kod", 0},         {"CL_HARICITIP1", "Harici Onar.1", 0}, {"CL_HARICITIP2", "Harici Onar.2", 0},
    {"CL_NKOD", "Müş.Şikayet", 0},         {"CL_CKOD", "Arıza Sebebi", 0},       {"CL_TG", "TG", 0},
    {"CL_KAMPNO", "Kampanya No", 0},       {"CL_ZIYARET", "Ziyaret", 0},         {"CL_YPNO", "Arıza Parça  Kod", 0},
    {"CL_YPOKM", "Y.P. Önceki KM", 0},     {"CL_YPOIE", "Y.P. Önceki İ.E.", 0},  {"CL_YPFIRKOD", "İmal.Kod", 0},
    {"CL_YPFIRMA", "Firma Adı", 0},        {"CL_ISEMRI", "İşemri No", 1},        {"CL_SASE", "Şase No", 1},
    {"CL_PLAKA", "Plaka", 1},              {"CL_KM", "Km", 1},                   {"CL_ARACTIP", "Model", 1},
    {"CL_MOTOR", "Motor No", 1},           {"CL_CARI", "Cari Kod", 2},           {"CL_ACIKLA", "Açıklama", 3},
    {"CL_OZELNOT", "Özel Notlar", 3},
};

bool isNumberColumn(const QString& c)
{
    return c == QLatin1String("CL_KM") || c == QLatin1String("CL_YPOKM");
}

QString para(double v) { return FormatMoney(v, QStringLiteral(",0.00")); }

QString tarih(const QVariant& v)
{
    const QDateTime d = Query::toDateTime(v);
    return d.isValid() ? d.date().toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

bool ayni(const Claim& a, const Claim& b)
{
    const auto headerSame = [&] {
        for (const Alan& f : kAlanlar) {
            const QString c = QString::fromLatin1(f.column);
            if (a.m.value(c).toString().trimmed() != b.m.value(c).toString().trimmed())
                return false;
        }
        return true;
    };
    const auto extraSame = [&] {
        for (const char* col : {"CL_ONAY", "CL_TAMIRTRH", "CL_TESLIMTRH", "CL_YPOOTRH"}) {
            const QString c = QString::fromLatin1(col);
            if (Query::toDateTime(a.m.value(c)).isValid() || Query::toDateTime(b.m.value(c)).isValid()) {
                if (Query::toDateTime(a.m.value(c)).date() != Query::toDateTime(b.m.value(c)).date())
                    return false;
            } else if (a.m.value(c).toString().trimmed() != b.m.value(c).toString().trimmed()) {
                return false;
            }
        }
        if (a.hatalar.size() != b.hatalar.size())
            return false;
        for (size_t i = 0; i < a.hatalar.size(); ++i) {
            const ClaimHata &x = a.hatalar[i], &y = b.hatalar[i];
            if (x.CD_HATAKOD != y.CD_HATAKOD || x.CD_IMALATCI != y.CD_IMALATCI || x.CD_ISLEMTIP != y.CD_ISLEMTIP
                || x.CD_HATAACIK != y.CD_HATAACIK || x.CD_TAMIRKOD != y.CD_TAMIRKOD || x.CD_ONARKOD != y.CD_ONARKOD)
                return false;
        }
        return true;
    };
    const auto iscSame = [&] {
        if (a.iscilik.size() != b.iscilik.size())
            return false;
        for (size_t i = 0; i < a.iscilik.size(); ++i)
            if (a.iscilik[i].CS_ISKONTO != b.iscilik[i].CS_ISKONTO || a.iscilik[i].CS_REFSIRA != b.iscilik[i].CS_REFSIRA)
                return false;
        return true;
    };
    const auto prcSame = [&] {
        if (a.parcalar.size() != b.parcalar.size())
            return false;
        for (size_t i = 0; i < a.parcalar.size(); ++i)
            if (a.parcalar[i].CS_ISKONTO != b.parcalar[i].CS_ISKONTO || a.parcalar[i].CS_REFSIRA != b.parcalar[i].CS_REFSIRA)
                return false;
        return true;
    };
    return a.stored() == b.stored() && headerSame() && extraSame() && iscSame() && prcSame();
}

} // namespace

TFormClaim2::TFormClaim2(SessionContext& ctx, int mode, const QString& isemri, double claimNo, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_isemri(isemri)
{
    setObjectName(QStringLiteral("FormClaim2"));
    setWindowTitle(QStringLiteral("Garanti Kleym Formu"));
    setProperty("tag", mode);
    resize(1100, 760);
    if (mode == 1)
        m_claim = ClaimYeni(ctx, ctx.Database1, isemri);
    else
        m_claim = ClaimOku(ctx.Database1, claimNo);
    if (m_claim) {
        m_kayitli = *m_claim;
        m_isemri = m_claim->isemri();
    }
    nolariOku();

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    const QStringList tabs = {QStringLiteral("Kleym Bilgileri"), QStringLiteral("Araç Bilgileri"),
                              QStringLiteral("Müşteri Bilgileri"), QStringLiteral("Açıklama")};
    QList<QGridLayout*> forms;
    for (const QString& t : tabs) {
        auto* page = new QWidget(PageControl1);
        forms << new QGridLayout(page);
        PageControl1->addTab(page, t);
    }
    kurAlanlar(forms);

    m_iscModel = new QStandardItemModel(this);
    m_prcModel = new QStandardItemModel(this);
    GridIscilik = new QTableView(this);
    GridIscilik->setObjectName(QStringLiteral("GridIscilik"));
    GridIscilik->setModel(m_iscModel);
    GridParca = new QTableView(this);
    GridParca->setObjectName(QStringLiteral("GridParca"));
    GridParca->setModel(m_prcModel);
    for (QTableView* g : {GridIscilik, GridParca}) {
        g->setEditTriggers(QAbstractItemView::NoEditTriggers);
        g->setSelectionBehavior(QAbstractItemView::SelectRows);
        g->horizontalHeader()->setStretchLastSection(true);
    }
    LblToplam = new QLabel(this);
    LblToplam->setObjectName(QStringLiteral("LblToplam"));
    LblDurum = new QLabel(this);
    LblDurum->setObjectName(QStringLiteral("LblDurum"));
    ChkAktarildi = new QCheckBox(QStringLiteral("Merkeze Aktarıldı"), this);
    ChkAktarildi->setObjectName(QStringLiteral("ChkAktarildi"));
    // The transfer mark belongs to the transfer outside the program: shown only.
    ChkAktarildi->setAttribute(Qt::WA_TransparentForMouseEvents);
    ChkAktarildi->setFocusPolicy(Qt::NoFocus);
    kurDugmeler();
    goster();
}

// Three caption-and-field pairs a row on the claim tab (codes, previous
// repair, approval and the damage row), two on the others.
void TFormClaim2::kurAlanlar(const QList<QGridLayout*>& sayfalar)
{
    QList<int> dolu(sayfalar.size(), 0);
    const auto yer = [&](int tab, QWidget* etiketli, const QString& baslik) {
        const int sutun = tab == 0 ? 3 : 2;
        const int n = dolu[tab]++;
        auto* caption = new QLabel(baslik, this);
        caption->setBuddy(etiketli);
        sayfalar[tab]->addWidget(caption, n / sutun, (n % sutun) * 2);
        sayfalar[tab]->addWidget(etiketli, n / sutun, (n % sutun) * 2 + 1);
    };
    for (const Alan& f : kAlanlar) {
        auto* ed = new QLineEdit(this);
        const QString c = QString::fromLatin1(f.column);
        ed->setObjectName(QStringLiteral("Ed") + c);
        m_alanlar.insert(c, ed);
        QWidget* w = ed;
        if (c == QLatin1String("CL_YPNO")) {
            // The failed part's code comes from the stock cards through "Seç".
            w = new QWidget(this);
            auto* h = new QHBoxLayout(w);
            h->setContentsMargins(0, 0, 0, 0);
            BtnYPSec = new QPushButton(QStringLiteral("Seç"), w);
            BtnYPSec->setObjectName(QStringLiteral("BtnYPSec"));
            BtnYPSec->setAutoDefault(false);
            h->addWidget(ed, 1);
            h->addWidget(BtnYPSec);
        }
        yer(f.tab, w, QString::fromUtf8(f.caption));
    }
    for (const auto& [c, baslik, tab] : {std::tuple{"CL_YPOOTRH", "Y.P. Önc Onarım Trh", 0},
                                         std::tuple{"CL_TAMIRTRH", "Onarım Tarihi", 1},
                                         std::tuple{"CL_TESLIMTRH", "Gar.Baş.Tarihi", 1}}) {
        QDateEdit* d = workshop::BosTarihEdit(this, (QByteArray("Dt") + c).constData());
        m_tarihler.insert(QString::fromLatin1(c), d);
        yer(tab, d, QString::fromUtf8(baslik));
    }
    ChkOnay = new QCheckBox(QStringLiteral("Servis Onay"), this);
    ChkOnay->setObjectName(QStringLiteral("ChkOnay"));
    sayfalar[0]->addWidget(ChkOnay, dolu[0] / 3 + 1, 0, 1, 2);
    dolu[0] = (dolu[0] / 3 + 2) * 3;
    kurHasar(sayfalar[0], dolu[0]);
    kurCari(sayfalar[2]);
    dolu[2] += 7; // the customer code's pair, then six read from the card
    m_alanlar.value(QStringLiteral("CL_ISEMRI"))->setReadOnly(true);
    for (int t = 0; t < sayfalar.size(); ++t) {
        const int sutun = t == 0 ? 3 : 2;
        for (int k = 0; k < sutun; ++k)
            sayfalar[t]->setColumnStretch(k * 2 + 1, 1);
        sayfalar[t]->setRowStretch(dolu[t] / sutun + 2, 1);
    }
}

// The claim's damage row (number 1): its code is what the warranty card prints as "Hasar No:".
void TFormClaim2::kurHasar(QGridLayout* sayfa, int& n)
{
    const auto yer = [&](QWidget* w, const QString& baslik) {
        auto* caption = new QLabel(baslik, this);
        caption->setBuddy(w);
        sayfa->addWidget(caption, n / 3, (n % 3) * 2);
        sayfa->addWidget(w, n / 3, (n % 3) * 2 + 1);
        ++n;
    };
    for (const auto& [c, baslik] : {std::pair{"CD_SIRANO", "Hata No"}, std::pair{"CD_HATAKOD", "HataKod"},
                                    std::pair{"CD_IMALATCI", "İmalatçı Kod"}}) {
        auto* ed = new QLineEdit(this);
        ed->setObjectName(QStringLiteral("Ed") + QString::fromLatin1(c));
        m_hataAlanlari.insert(QString::fromLatin1(c), ed);
        yer(ed, QString::fromUtf8(baslik));
    }
    m_hataAlanlari.value(QStringLiteral("CD_SIRANO"))->setReadOnly(true);
    CmbIslemTip = new QComboBox(this);
    CmbIslemTip->setObjectName(QStringLiteral("CmbIslemTip"));
    CmbIslemTip->setEditable(true);
    for (const auto& [kod, ad] : ClaimIslemTipleri(m_ctx.Database1))
        CmbIslemTip->addItem(kod, ad);
    yer(CmbIslemTip, QStringLiteral("İşlem Tip"));
    LblIslemAciklama = new QLabel(this);
    LblIslemAciklama->setObjectName(QStringLiteral("LblIslemAciklama"));
    yer(LblIslemAciklama, QStringLiteral("İşlem Açıklama"));
    for (const auto& [c, baslik] : {std::pair{"CD_TAMIRKOD", "Tamir Kod"}, std::pair{"CD_ONARKOD", "Onarım Kod"},
                                    std::pair{"CD_HATAACIK", "Hata Açıklama"}}) {
        auto* ed = new QLineEdit(this);
        ed->setObjectName(QStringLiteral("Ed") + QString::fromLatin1(c));
        m_hataAlanlari.insert(QString::fromLatin1(c), ed);
        yer(ed, QString::fromUtf8(baslik));
    }
}

// The customer's name, addresses, phone, district and city, read from the card.
void TFormClaim2::kurCari(QGridLayout* sayfa)
{
    int n = 2; // after the customer code
    for (const auto& [c, baslik] : {std::pair{"FIRMA_ADI", "Adı"}, std::pair{"TEL1", "Telefon"},
                                    std::pair{"ADRES_1", "Adres"}, std::pair{"ADRES_2", "Adres 2"},
                                    std::pair{"SEMT", "Semt"}, std::pair{"ILI", "İl"}}) {
        auto* ed = new QLineEdit(this);
        ed->setObjectName(QStringLiteral("EdCari") + QString::fromLatin1(c));
        ed->setReadOnly(true);
        m_cariAlanlari.insert(QString::fromLatin1(c), ed);
        sayfa->addWidget(new QLabel(QString::fromUtf8(baslik), this), n / 2, (n % 2) * 2);
        sayfa->addWidget(ed, n / 2, (n % 2) * 2 + 1);
        ++n;
    }
}

void TFormClaim2::kurDugmeler()
{
    const auto button = [this](QPushButton*& b, const QString& text, const char* name) {
        b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
    };
    button(BtnKapat, QStringLiteral("&Kapat"), "BtnKapat");
    button(BtnSakla, QStringLiteral("&Sakla"), "BtnSakla");
    button(BtnKleymFormu, QStringLiteral("Kleym &Formu"), "BtnKleymFormu");
    button(BtnGarKarti, QStringLiteral("&Gar.Kartı"), "BtnGarKarti");
    button(BtnIptal, QStringLiteral("İptal"), "BtnIptal");
    button(BtnSil, QStringLiteral("Si&l"), "BtnSil");
    button(BtnToplam, QStringLiteral("Toplam"), "BtnToplam");
    button(BtnFormNo, QStringLiteral("Form No Değiştir"), "BtnFormNo");
    button(BtnOnayla, QStringLiteral("Onayla"), "BtnOnayla");
    button(BtnRed, QStringLiteral("Red"), "BtnRed");
    button(BtnBeklemede, QStringLiteral("Beklemede"), "BtnBeklemede");
    button(BtnBostaki, QStringLiteral("Boştaki Kalemleri Ekle"), "BtnBostaki");
    button(BtnIlk, QStringLiteral("|◀"), "BtnIlk");
    button(BtnOnceki, QStringLiteral("◀"), "BtnOnceki");
    button(BtnSonraki, QStringLiteral("▶"), "BtnSonraki");
    button(BtnSon, QStringLiteral("▶|"), "BtnSon");
    button(BtnYenile, QStringLiteral("↻"), "BtnYenile");
    int yon = 0;
    for (QPushButton* b : {BtnIlk, BtnOnceki, BtnSonraki, BtnSon, BtnYenile}) {
        b->setMaximumWidth(36);
        b->setToolTip(QStringList{QStringLiteral("İlk"), QStringLiteral("Önceki"), QStringLiteral("Sonraki"),
                                  QStringLiteral("Son"), QStringLiteral("Yenile")}[yon]);
        connect(b, &QPushButton::clicked, this, Guarded([this, yon] { Gezin(yon); }));
        ++yon;
    }

    auto* top = new QHBoxLayout;
    for (QPushButton* b : {BtnIlk, BtnOnceki, BtnSonraki, BtnSon, BtnYenile})
        top->addWidget(b);
    top->addSpacing(12);
    for (QPushButton* b : {BtnSakla, BtnIptal, BtnSil, BtnToplam, BtnFormNo, BtnKleymFormu, BtnGarKarti})
        top->addWidget(b);
    top->addStretch();
    top->addWidget(BtnKapat);
    auto* status = new QHBoxLayout;
    for (QPushButton* b : {BtnOnayla, BtnRed, BtnBeklemede, BtnBostaki})
        status->addWidget(b);
    status->addWidget(ChkAktarildi);
    status->addWidget(LblDurum);
    status->addStretch();
    status->addWidget(LblToplam);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addWidget(PageControl1);
    lay->addLayout(status);
    lay->addWidget(new QLabel(QStringLiteral("İşçilik"), this));
    lay->addWidget(GridIscilik, 1);
    lay->addWidget(new QLabel(QStringLiteral("Parça"), this));
    lay->addWidget(GridParca, 1);

    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    connect(BtnSakla, &QPushButton::clicked, this, Guarded(this, &TFormClaim2::BtnSaklaClick));
    connect(BtnToplam, &QPushButton::clicked, this, Guarded(this, &TFormClaim2::BtnToplamClick));
    connect(BtnSil, &QPushButton::clicked, this, Guarded(this, &TFormClaim2::BtnSilClick));
    connect(BtnIptal, &QPushButton::clicked, this, Guarded(this, &TFormClaim2::BtnIptalClick));
    connect(BtnOnayla, &QPushButton::clicked, this, Guarded(this, &TFormClaim2::BtnOnaylaClick));
    connect(BtnRed, &QPushButton::clicked, this, Guarded(this, &TFormClaim2::BtnRedClick));
    connect(BtnBeklemede, &QPushButton::clicked, this, Guarded(this, &TFormClaim2::BtnBeklemedeClick));
    connect(BtnBostaki, &QPushButton::clicked, this, Guarded(this, &TFormClaim2::BtnBostakiClick));
    connect(BtnFormNo, &QPushButton::clicked, this, Guarded(this, &TFormClaim2::BtnFormNoClick));
    connect(BtnKleymFormu, &QPushButton::clicked, this, Guarded(this, &TFormClaim2::BtnKleymFormuClick));
    connect(BtnGarKarti, &QPushButton::clicked, this, Guarded([this] { BtnGarKartiClick(); }));
    connect(BtnYPSec, &QPushButton::clicked, this, Guarded(this, &TFormClaim2::BtnYPSecClick));
    connect(m_alanlar.value(QStringLiteral("CL_CARI")), &QLineEdit::editingFinished, this,
            Guarded([this] { cariGoster(); }));
    connect(CmbIslemTip, &QComboBox::currentTextChanged, this, Guarded([this] {
                const int i = CmbIslemTip->findText(CmbIslemTip->currentText());
                LblIslemAciklama->setText(i >= 0 ? CmbIslemTip->itemData(i).toString() : QString());
            }));
}

void TFormClaim2::nolariOku()
{
    // Mode 1 holds every claim of the work order, mode 2 the one claim.
    m_nolar.clear();
    if (property("tag").toInt() == 1 && !m_isemri.isEmpty())
        m_nolar = IsemriClaimleri(m_ctx.Database1, m_isemri);
    else if (m_claim && m_claim->stored())
        m_nolar.push_back(m_claim->no());
}

void TFormClaim2::cariGoster()
{
    const QVariantMap c = ClaimCariBilgi(m_ctx.Database1, m_alanlar.value(QStringLiteral("CL_CARI"))->text());
    for (auto it = m_cariAlanlari.cbegin(); it != m_cariAlanlari.cend(); ++it)
        it.value()->setText(c.value(it.key()).toString());
}

void TFormClaim2::Gezin(int yon)
{
    if (!m_claim && m_nolar.empty())
        return;
    if (m_claim && !topla())
        return;
    if (degisti()) {
        ShowInfo(QStringLiteral("Değişikliği Saklayın yada İptal Ediniz"));
        return;
    }
    nolariOku();
    if (m_nolar.empty())
        return;
    const double simdiki = m_claim && m_claim->stored() ? m_claim->no() : -1;
    int i = int(std::find(m_nolar.begin(), m_nolar.end(), simdiki) - m_nolar.begin());
    const int son = int(m_nolar.size()) - 1;
    switch (yon) {
    case 0: i = 0; break;
    case 1: i = i > son ? son : std::max(0, i - 1); break;
    case 2: i = i > son ? son : std::min(son, i + 1); break;
    case 3: i = son; break;
    default: i = i > son ? 0 : i; break;
    }
    if (auto c = ClaimOku(m_ctx.Database1, m_nolar[size_t(i)])) {
        m_claim = c;
        m_kayitli = *c;
    }
    goster();
}

void TFormClaim2::BtnYPSecClick()
{
    if (!m_claim)
        return;
    stock::TypeStok kayit;
    stock::StokSecKayit(m_ctx, 1, kayit, this);
    if (kayit.StokNo > 0)
        m_alanlar.value(QStringLiteral("CL_YPNO"))->setText(kayit.StokKod);
}

void TFormClaim2::goster()
{
    const bool var = m_claim.has_value();
    for (QPushButton* b : {BtnSakla, BtnIptal, BtnSil, BtnToplam, BtnFormNo, BtnKleymFormu, BtnGarKarti, BtnOnayla, BtnRed,
                           BtnBeklemede, BtnBostaki, BtnYPSec})
        b->setEnabled(var);
    const double simdiki = var && m_claim->stored() ? m_claim->no() : -1;
    const auto yer = std::find(m_nolar.begin(), m_nolar.end(), simdiki);
    const bool ilk = yer == m_nolar.begin(), son = !m_nolar.empty() && yer == m_nolar.end() - 1;
    BtnIlk->setEnabled(!m_nolar.empty() && !ilk);
    BtnOnceki->setEnabled(!m_nolar.empty() && !ilk);
    BtnSonraki->setEnabled(!m_nolar.empty() && !son);
    BtnSon->setEnabled(!m_nolar.empty() && !son);
    BtnYenile->setEnabled(!m_nolar.empty());
    if (!var)
        return;
    const Claim& c = *m_claim;
    for (auto it = m_alanlar.cbegin(); it != m_alanlar.cend(); ++it) {
        const QVariant v = c.m.value(it.key());
        it.value()->setText(isNumberColumn(it.key()) && !v.isNull() ? QString::number(v.toDouble(), 'f', 0)
                                                                    : v.toString().trimmed());
    }
    for (auto it = m_tarihler.cbegin(); it != m_tarihler.cend(); ++it) {
        const QDateTime d = Query::toDateTime(c.m.value(it.key()));
        if (d.isValid())
            it.value()->setDate(d.date());
        else
            workshop::BosTarihSil(it.value());
    }
    ChkOnay->setChecked(c.m.value(QStringLiteral("CL_ONAY")).toString() == QLatin1String("E"));
    const ClaimHata h = c.hatalar.empty() ? ClaimHata{} : c.hatalar.front();
    m_hataAlanlari.value(QStringLiteral("CD_SIRANO"))->setText(QString::number(h.CD_SIRANO).rightJustified(2, QLatin1Char('0')));
    m_hataAlanlari.value(QStringLiteral("CD_HATAKOD"))->setText(h.CD_HATAKOD);
    m_hataAlanlari.value(QStringLiteral("CD_IMALATCI"))->setText(h.CD_IMALATCI);
    m_hataAlanlari.value(QStringLiteral("CD_HATAACIK"))->setText(h.CD_HATAACIK);
    m_hataAlanlari.value(QStringLiteral("CD_TAMIRKOD"))->setText(h.CD_TAMIRKOD);
    m_hataAlanlari.value(QStringLiteral("CD_ONARKOD"))->setText(h.CD_ONARKOD);
    CmbIslemTip->setEditText(h.CD_ISLEMTIP);
    {
        const int i = CmbIslemTip->findText(h.CD_ISLEMTIP);
        if (i >= 0)
            CmbIslemTip->setCurrentIndex(i);
        LblIslemAciklama->setText(i >= 0 ? CmbIslemTip->itemData(i).toString() : QString());
    }
    cariGoster();
    ChkAktarildi->setChecked(c.m.value(QStringLiteral("CL_AKTARILDI")).toInt() != 0);
    {
        // The answer status: empty while the claim has not been sent.
        static const QHash<QString, QString> adlar{{QStringLiteral("O"), QStringLiteral("Onaylandı")},
                                                   {QStringLiteral("R"), QStringLiteral("Red")},
                                                   {QStringLiteral("D"), QStringLiteral("Düzeltme Yap")},
                                                   {QStringLiteral("U"), QStringLiteral("Düzeltildi")},
                                                   {QStringLiteral("B"), QStringLiteral("Bekliyor")}};
        const QString d = c.m.value(QStringLiteral("CL_DURUM")).toString().trimmed();
        LblDurum->setText(d.isEmpty() ? QString() : QStringLiteral("Durum: ") + adlar.value(d, d));
    }
    const QString no = c.stored() ? QString::number(c.no(), 'f', 0).rightJustified(5, QLatin1Char('0')) : QString();
    setWindowTitle(QStringLiteral("Garanti Kleym Formu") + (no.isEmpty() ? QString() : QStringLiteral(" - ") + no));

    m_iscModel->clear();
    m_iscModel->setHorizontalHeaderLabels({QStringLiteral("İşlem"), QStringLiteral("Süre"), QStringLiteral("Miktar"),
                                           QStringLiteral("Fiyat"), QStringLiteral("İsk.%"), QStringLiteral("Tutar"),
                                           QStringLiteral("Boya Kod"), QStringLiteral("Harici"), QStringLiteral("Harici Kod")});
    for (const ClaimIscilik& r : c.iscilik) {
        QList<QStandardItem*> row{new QStandardItem(r.CS_ISCILIK), new QStandardItem(FormatMoney(r.CS_SURE, QStringLiteral("#.##"))),
                                  new QStandardItem(FormatMoney(r.CS_MIKTAR, QStringLiteral("#.##"))),
                                  new QStandardItem(para(r.CS_FIYAT)), new QStandardItem(FormatMoney(r.CS_ISKONTO, QStringLiteral("#.##"))),
                                  new QStandardItem(para(r.tutar())), new QStandardItem(r.CS_BOYAKOD),
                                  new QStandardItem(r.CS_HARICI), new QStandardItem(r.CS_HARICIKOD)};
        for (int k = 1; k <= 5; ++k)
            row[k]->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (r.CS_STATU)
            for (QStandardItem* i : row)
                i->setBackground(QColor(Qt::lightGray));
        m_iscModel->appendRow(row);
    }
    m_prcModel->clear();
    m_prcModel->setHorizontalHeaderLabels({QStringLiteral("Parça Kod"), QStringLiteral("Miktar"), QStringLiteral("Fiyat"),
                                           QStringLiteral("İsk.%"), QStringLiteral("Tutar")});
    for (const ClaimParca& r : c.parcalar) {
        QList<QStandardItem*> row{new QStandardItem(r.CS_PARCA), new QStandardItem(FormatMoney(r.CS_MIKTAR, QStringLiteral("#.##"))),
                                  new QStandardItem(para(r.CS_FIYAT)), new QStandardItem(FormatMoney(r.CS_ISKONTO, QStringLiteral("#.##"))),
                                  new QStandardItem(para(r.tutar()))};
        for (int k = 1; k <= 4; ++k)
            row[k]->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (r.CS_STATU)
            for (QStandardItem* i : row)
                i->setBackground(QColor(Qt::lightGray));
        m_prcModel->appendRow(row);
    }
    LblToplam->setText(QStringLiteral("İşçilik: %1  Parça: %2  Ara Toplam: %3  KDV: %4  Toplam: %5")
                           .arg(para(c.m.value(QStringLiteral("CL_TPLISCILIK")).toDouble()),
                                para(c.m.value(QStringLiteral("CL_TPLPARCA")).toDouble()), para(c.tplAra()),
                                para(c.tplKdv(kClaimKdvOrani)), para(c.tpl(kClaimKdvOrani))));
}

bool TFormClaim2::topla()
{
    if (!m_claim)
        return false;
    QList<QLineEdit*> sayilar;
    for (auto it = m_alanlar.cbegin(); it != m_alanlar.cend(); ++it)
        if (isNumberColumn(it.key()))
            sayilar << it.value();
    if (!SayiAlanlariGecerli(sayilar))
        return false;
    for (auto it = m_alanlar.cbegin(); it != m_alanlar.cend(); ++it) {
        const QString t = it.value()->text().trimmed();
        if (isNumberColumn(it.key())) {
            double v = 0;
            m_claim->m[it.key()] = ParseMoney(t, &v) ? QVariant(v) : QVariant();
        } else {
            m_claim->m[it.key()] = t;
        }
    }
    for (auto it = m_tarihler.cbegin(); it != m_tarihler.cend(); ++it) {
        const QDate d = workshop::BosTarih(it.value());
        m_claim->m[it.key()] = d.isValid() ? QVariant(d.startOfDay()) : QVariant();
    }
    m_claim->m[QStringLiteral("CL_ONAY")] = ChkOnay->isChecked() ? QStringLiteral("E") : QStringLiteral("H");
    // A claim made by this form always has damage row 1.
    if (m_claim->hatalar.empty())
        m_claim->hatalar.push_back(ClaimHata{});
    ClaimHata& h = m_claim->hatalar.front();
    h.CD_HATAKOD = m_hataAlanlari.value(QStringLiteral("CD_HATAKOD"))->text().trimmed();
    h.CD_IMALATCI = m_hataAlanlari.value(QStringLiteral("CD_IMALATCI"))->text().trimmed();
    h.CD_HATAACIK = m_hataAlanlari.value(QStringLiteral("CD_HATAACIK"))->text().trimmed();
    h.CD_TAMIRKOD = m_hataAlanlari.value(QStringLiteral("CD_TAMIRKOD"))->text().trimmed();
    h.CD_ONARKOD = m_hataAlanlari.value(QStringLiteral("CD_ONARKOD"))->text().trimmed();
    h.CD_ISLEMTIP = CmbIslemTip->currentText().trimmed();
    return true;
}

bool TFormClaim2::degisti() const
{
    // A new claim not saved yet is a change of its own.
    return m_claim && (!m_claim->stored() || !ayni(*m_claim, m_kayitli));
}

void TFormClaim2::BtnSaklaClick()
{
    if (!m_claim)
        return;
    if (!topla())
        return;
    if (ClaimSakla(m_ctx, m_ctx.Database1, *m_claim))
        if (auto back = ClaimOku(m_ctx.Database1, m_claim->no()))
            m_kayitli = *(m_claim = back);
    nolariOku();
    goster();
}

void TFormClaim2::BtnToplamClick()
{
    if (!m_claim)
        return;
    if (!topla())
        return;
    ClaimToplamHesapla(*m_claim, false);
    goster();
}

void TFormClaim2::BtnSilClick()
{
    if (!m_claim)
        return;
    if (!m_claim->stored()) {
        m_claim.reset();
        goster();
        return;
    }
    if (ClaimSil(m_ctx.Database1, m_claim->no())) {
        m_claim.reset();
        nolariOku();
        goster();
    }
}

void TFormClaim2::BtnIptalClick()
{
    if (!m_claim || !AskYesNo(QStringLiteral("Değişikleri İptal Etmek İstediğinden Emin misiniz?")))
        return;
    m_claim = m_kayitli;
    goster();
}

void TFormClaim2::durum(const QString& d)
{
    if (!m_claim)
        return;
    if (!topla())
        return;
    if (ClaimDurumVer(m_ctx, m_ctx.Database1, *m_claim, d))
        m_kayitli = *m_claim;
    goster();
}

void TFormClaim2::BtnOnaylaClick() { durum(QStringLiteral("O")); }
void TFormClaim2::BtnRedClick() { durum(QStringLiteral("R")); }
void TFormClaim2::BtnBeklemedeClick() { durum(QStringLiteral("B")); }

void TFormClaim2::BtnBostakiClick()
{
    if (!m_claim)
        return;
    if (!topla())
        return;
    if (degisti()) {
        ShowInfo(QStringLiteral("Değişikliği Saklayın yada İptal Ediniz"));
        return;
    }
    ClaimBostakiEkle(m_ctx, m_ctx.Database1, *m_claim);
    goster();
}

void TFormClaim2::BtnFormNoClick()
{
    if (!m_claim)
        return;
    if (!topla())
        return;
    const QString engel = ClaimNoDegistirEngel(*m_claim);
    if (engel.startsWith(QStringLiteral("Merkeze"))) {
        ShowError(engel);
        return;
    }
    if (degisti()) {
        Messages().show(MsgIcon::Confirmation, QStringLiteral("Değişikliği Saklayın yada İptal Ediniz"), MsgOk, MsgOk, {});
        return;
    }
    if (!engel.isEmpty()) {
        ShowInfo(engel);
        return;
    }
    if (!m_claim->stored())
        return;
    const double yeni = ClaimNoDegistir(m_ctx, m_claim->no(), this);
    if (yeni < 0)
        return;
    if (auto back = ClaimOku(m_ctx.Database1, yeni))
        m_kayitli = *(m_claim = back);
    nolariOku();
    goster();
}

void TFormClaim2::BtnKleymFormuClick()
{
    if (!m_claim)
        return;
    report::ShowReportPreview(report::Render(ClaimRaporu(m_ctx.Database1, *m_claim)), this);
}

void TFormClaim2::BtnGarKartiClick()
{
    if (!m_claim)
        return;
    report::Report rep = GarantiKartiRaporu(m_ctx.Database1, *m_claim);
    report::RaporCikti(m_ctx.Database1, rep, QString(), report::OutputPreview);
}

report::Report ClaimRaporu(const Db& db, const Claim& c)
{
    QVector<QVector<QVariant>> rows;
    for (const ClaimIscilik& r : c.iscilik) {
        // The operation's name as the work order's labour line has it.
        const QString ad = Deger(db, QStringLiteral("SELECT ARIZA_ADI FROM ISCILIK WHERE ISEMRI_NO = :IE AND SIRANO = :S"),
                                     QVariantMap{{QStringLiteral("IE"), c.isemri()}, {QStringLiteral("S"), r.CS_REFSIRA}},
                                     QString()).toString();
        rows.push_back({QStringLiteral("İşçilik"), r.islemKod(), ad, r.CS_MIKTAR * r.CS_SURE, r.fiyatNet(), r.tutar()});
    }
    for (const ClaimParca& r : c.parcalar) {
        const QString ad = Deger(db, QStringLiteral("SELECT STOK_ADI_TR FROM STOK WHERE STOK_KOD_NO = :K"),
                                     QVariantMap{{QStringLiteral("K"), r.CS_PARCA}}, QString()).toString();
        rows.push_back({QStringLiteral("Parça"), r.CS_PARCA, ad, r.CS_MIKTAR, r.fiyatNet(), r.tutar()});
    }
    const QString no = c.stored() ? QString::number(c.no(), 'f', 0).rightJustified(5, QLatin1Char('0')) : QString();
    const QString baslik = QStringLiteral("Form No: %1  İşemri No: %2  Şasi No: %3  Plaka: %4  Km: %5  Tamir Tarihi: %6  "
                                          "Teslim Tarihi: %7  Kleym Tipi: %8  Hasar Açıklaması : %9")
                               .arg(no, c.isemri(), c.m.value(QStringLiteral("CL_SASE")).toString(),
                                    c.m.value(QStringLiteral("CL_PLAKA")).toString(),
                                    FormatMoney(c.m.value(QStringLiteral("CL_KM")).toDouble(), QStringLiteral(",0")),
                                    tarih(c.m.value(QStringLiteral("CL_TAMIRTRH"))), tarih(c.m.value(QStringLiteral("CL_TESLIMTRH"))),
                                    c.m.value(QStringLiteral("CL_GARTIP")).toString(),
                                    c.m.value(QStringLiteral("CL_ACIKLA")).toString());
    return report::ListReportBuilder(QStringLiteral("Garanti Kleym Formu"))
        .name(QStringLiteral("CLAIM"))
        .subtitle(baslik)
        .source(report::RecordsSource({QStringLiteral("TUR"), QStringLiteral("KOD"), QStringLiteral("AD"),
                                       QStringLiteral("MIKTAR"), QStringLiteral("FIYAT"), QStringLiteral("TUTAR")},
                                      rows))
        .text(QStringLiteral("TUR"), QStringLiteral("Tür"), 18)
        .text(QStringLiteral("KOD"), QStringLiteral("Kod"), 32)
        .text(QStringLiteral("AD"), QStringLiteral("Adı"), 60)
        .money(QStringLiteral("MIKTAR"), QStringLiteral("Miktar"), 18, false, QStringLiteral("#.##"))
        .money(QStringLiteral("FIYAT"), QStringLiteral("Net Fiyat"), 24, false)
        .money(QStringLiteral("TUTAR"), QStringLiteral("Tutar"), 28)
        .summary(QStringLiteral("Toplam"))
        .build();
}

double ClaimNoDegistir(SessionContext& ctx, double eskiNo, QWidget* parent)
{
    QDialog d(parent);
    d.setObjectName(QStringLiteral("FormClaimNo"));
    auto* eski = new QLineEdit(FormatMoney(eskiNo, QStringLiteral(",0")), &d);
    eski->setObjectName(QStringLiteral("EdEski"));
    eski->setReadOnly(true);
    auto* yeni = new QLineEdit(&d);
    yeni->setObjectName(QStringLiteral("EdYeni"));
    auto* buttons = new QDialogButtonBox(&d);
    auto* tamam = buttons->addButton(QStringLiteral("Tamam"), QDialogButtonBox::AcceptRole);
    tamam->setObjectName(QStringLiteral("BtnTamam"));
    buttons->addButton(QStringLiteral("İptal"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("BtnIptal"));
    auto* fl = new QFormLayout(&d);
    fl->addRow(QStringLiteral("Önceki Talep No"), eski);
    fl->addRow(QStringLiteral("Yeni Talep No"), yeni);
    fl->addRow(buttons);
    double sonuc = -1;
    QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject); // unguarded: ui only
    QObject::connect(tamam, &QPushButton::clicked, &d, Guarded([&] {
        double no = 0;
        if (!SayiOku(yeni->text(), &no) || !(no > 0))
            return;
        if (ClaimNoDegis(ctx.Database1, eskiNo, no)) {
            sonuc = no;
            d.accept();
        } else {
            yeni->setFocus();
        }
    }));
    if (RunModal(d) != QDialog::Accepted)
        return -1;
    return sonuc;
}

void ClaimIsemriAc(SessionContext& ctx, const QString& isemri, int /*fyili*/, QWidget* parent)
{
    const double secim = ClaimTipSec(ctx, isemri, parent);
    if (secim == -2)
        return;
    TFormClaim2 f(ctx, secim == -1 ? 1 : 2, isemri, secim, parent);
    if (f.bos())
        return;
    RunModal(f);
}

void ClaimAc(SessionContext& ctx, double claimNo, QWidget* parent)
{
    TFormClaim2 f(ctx, 2, QString(), claimNo, parent);
    if (f.bos())
        return;
    RunModal(f);
}

} // namespace tornaly::aftersales
