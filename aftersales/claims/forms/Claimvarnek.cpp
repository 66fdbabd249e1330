#include "aftersales/claims/forms/Claimvarnek.h"
#include "aftersales/claims/GarantiKarti.h"
#include "guard/FormGuard.h"
#include "report/RaporCikti.h"

#include "aftersales/claims/forms/brClaim.h"
#include "connection/DialogRunner.h"
#include "controls/SayiAlani.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "report/ListReport.h"
#include "report/ReportEngine.h"
#include "report/ReportPreview.h"
#include "sql/SqlHelpers.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

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
    return a.stored() == b.stored() && headerSame() && iscSame() && prcSame();
}

} // namespace

TFormClaim2::TFormClaim2(SessionContext& ctx, int mode, const QString& isemri, double claimNo, QWidget* parent)
    : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FormClaim2"));
    setWindowTitle(QStringLiteral("Garanti Kleym Formu"));
    setProperty("tag", mode);
    resize(1000, 700);
    if (mode == 1)
        m_claim = ClaimYeni(ctx, ctx.Database1, isemri);
    else
        m_claim = ClaimOku(ctx.Database1, claimNo);
    if (m_claim)
        m_kayitli = *m_claim;

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    const QStringList tabs = {QStringLiteral("Kleym Bilgileri"), QStringLiteral("Araç Bilgileri"),
                              QStringLiteral("Müşteri Bilgileri"), QStringLiteral("Açıklama")};
    // Two caption-and-field pairs a row: the claim tab's sixteen codes in one
    // column pushed the line grids down to a single visible row.
    QList<QGridLayout*> forms;
    QList<int> filled;
    for (const QString& t : tabs) {
        auto* page = new QWidget(PageControl1);
        auto* gl = new QGridLayout(page);
        gl->setColumnStretch(1, 1);
        gl->setColumnStretch(3, 1);
        gl->setColumnMinimumWidth(2, 110);
        forms << gl;
        filled << 0;
        PageControl1->addTab(page, t);
    }
    for (const Alan& f : kAlanlar) {
        auto* ed = new QLineEdit(this);
        const QString c = QString::fromLatin1(f.column);
        ed->setObjectName(QStringLiteral("Ed") + c);
        m_alanlar.insert(c, ed);
        const int n = filled[f.tab]++;
        auto* caption = new QLabel(QString::fromUtf8(f.caption), this);
        caption->setBuddy(ed);
        forms[f.tab]->addWidget(caption, n / 2, (n % 2) * 2);
        forms[f.tab]->addWidget(ed, n / 2, (n % 2) * 2 + 1);
    }
    for (int t = 0; t < forms.size(); ++t)
        forms[t]->setRowStretch((filled[t] + 1) / 2, 1);
    m_alanlar.value(QStringLiteral("CL_ISEMRI"))->setReadOnly(true);

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

    auto* top = new QHBoxLayout;
    for (QPushButton* b : {BtnSakla, BtnIptal, BtnSil, BtnToplam, BtnFormNo, BtnKleymFormu, BtnGarKarti})
        top->addWidget(b);
    top->addStretch();
    top->addWidget(BtnKapat);
    auto* status = new QHBoxLayout;
    for (QPushButton* b : {BtnOnayla, BtnRed, BtnBeklemede, BtnBostaki})
        status->addWidget(b);
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
    goster();
}

void TFormClaim2::goster()
{
    const bool var = m_claim.has_value();
    for (QPushButton* b : {BtnSakla, BtnIptal, BtnSil, BtnToplam, BtnFormNo, BtnKleymFormu, BtnGarKarti, BtnOnayla, BtnRed,
                           BtnBeklemede, BtnBostaki})
        b->setEnabled(var);
    if (!var)
        return;
    const Claim& c = *m_claim;
    for (auto it = m_alanlar.cbegin(); it != m_alanlar.cend(); ++it) {
        const QVariant v = c.m.value(it.key());
        it.value()->setText(isNumberColumn(it.key()) && !v.isNull() ? QString::number(v.toDouble(), 'f', 0)
                                                                    : v.toString().trimmed());
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
    return true;
}

bool TFormClaim2::degisti() const
{
    return m_claim && !ayni(*m_claim, m_kayitli);
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
