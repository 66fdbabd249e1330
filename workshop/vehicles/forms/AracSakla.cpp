#include "workshop/vehicles/forms/AracSakla.h"
#include "workshop/vehicles/Catalogue.h"
#include "workshop/vehicles/RecordIo.h"
#include "workshop/vehicles/Vehicles.h"
#include "workshop/vehicles/forms/CodeLists.h"
#include "workshop/vehicles/forms/ModelSakla.h"
#include "guard/FormGuard.h"
#include "context/SessionContext.h"
#include "db/udbconn.h"
#include "messages/Messages.h"
#include "services/CentralServices.h"
#include "settings/Settings.h"
#include "sql/SqlHelpers.h"

#include <QTableView>

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tornaly::workshop {

TFormAracSakla::TFormAracSakla(SessionContext& ctx, QWidget* parent)
    : VehicleCardBase(ctx, QStringLiteral("Araç Kayıt"), QStringLiteral("Araç Kartı"), parent)
{
    setObjectName(QStringLiteral("FormAracSakla"));
    Panel->add(QStringLiteral("SASE_NO"), QStringLiteral("Şase No"), FieldPanel::Text, MarkaBayiModuAcik(ctx) ? 17 : 30);
    LblSaseSayac = new QLabel(QStringLiteral("0"), this);
    LblSaseSayac->setObjectName(QStringLiteral("LblSaseSayac"));
    Panel->addWidget(QStringLiteral("Hane"), LblSaseSayac);
    Panel->add(QStringLiteral("MOTOR_NO"), QStringLiteral("Motor No"), FieldPanel::Text, 25);
    Panel->add(QStringLiteral("PLAKA"), QStringLiteral("Plaka No"), FieldPanel::Text, 15);
    Panel->add(QStringLiteral("ARC_MODEL_KODU"), QStringLiteral("Araç Model Kod"), FieldPanel::Text, 15);
    auto* modelBtn = new QPushButton(QStringLiteral("&Araç Modeli Seç"), this);
    modelBtn->setObjectName(QStringLiteral("BtnModelSec"));
    Panel->addWidget(QString(), modelBtn);
    LblModelAdi = new QLabel(this);
    LblModelAdi->setObjectName(QStringLiteral("LblModelAdi"));
    Panel->addWidget(QStringLiteral("Araç Model Adı"), LblModelAdi);
    Panel->add(QStringLiteral("ARC_MODEL_TRH"), QStringLiteral("Araç Model Yılı"), FieldPanel::Integer, 4);
    Panel->add(QStringLiteral("ARC_RENK_KODU"), QStringLiteral("Dış Renk"), FieldPanel::Text, 11);
    auto* disBtn = new QPushButton(QStringLiteral("..."), this);
    disBtn->setObjectName(QStringLiteral("BtnDisRenk"));
    disBtn->setToolTip(QStringLiteral("Renk Listesi"));
    LblDisRenkAdi = new QLabel(this);
    auto* disRow = new QWidget(this);
    auto* dh = new QHBoxLayout(disRow);
    dh->setContentsMargins(0, 0, 0, 0);
    dh->addWidget(disBtn);
    dh->addWidget(LblDisRenkAdi, 1);
    Panel->addWidget(QString(), disRow);
    Panel->add(QStringLiteral("IC_RENK"), QStringLiteral("İç Renk"), FieldPanel::Text, 11);
    auto* icBtn = new QPushButton(QStringLiteral("..."), this);
    icBtn->setObjectName(QStringLiteral("BtnIcRenk"));
    icBtn->setToolTip(QStringLiteral("Renk Listesi"));
    LblIcRenkAdi = new QLabel(this);
    auto* icRow = new QWidget(this);
    auto* ih = new QHBoxLayout(icRow);
    ih->setContentsMargins(0, 0, 0, 0);
    ih->addWidget(icBtn);
    ih->addWidget(LblIcRenkAdi, 1);
    Panel->addWidget(QString(), icRow);
    Panel->add(QStringLiteral("OTPA"), QStringLiteral("Operasyon No"), FieldPanel::Text, 25);
    Panel->setReadOnly(QStringLiteral("ARC_MODEL_KODU"), true);
    Panel->setReadOnly(QStringLiteral("ARC_RENK_KODU"), true);
    Panel->setReadOnly(QStringLiteral("IC_RENK"), true);

    ModelBilgi = new FieldPanel(this, 4);
    for (const auto& [c, cap] : std::initializer_list<std::pair<const char*, QString>>{
             {"MARKA", QStringLiteral("Marka")}, {"MODEL", QStringLiteral("Modelin Segment Kodu")},
             {"OZEL1", QStringLiteral("Segment İşç. Kodu")}, {"CINS", QStringLiteral("Araç Cinsi")}})
        ModelBilgi->add(QString::fromLatin1(c), cap);
    ModelBilgi->setAllReadOnly(true);
    Body->addWidget(ModelBilgi);

    Sayfalar = new QTabWidget(this);
    Sayfalar->setObjectName(QStringLiteral("Sayfalar"));
    Garanti = new FieldPanel(this, 2);
    Garanti->add(QStringLiteral("EK_GARANTIGUN"), QStringLiteral("Ek Garanti Gün"), FieldPanel::Integer, 5);
    Garanti->add(QStringLiteral("TRF_CIKIS_TRH"), QStringLiteral("Trafiğe Çıkış Trh"), FieldPanel::Date);
    Garanti->add(QStringLiteral("GARANTI_BAS"), QStringLiteral("Garanti Baş.Trh"), FieldPanel::Date);
    Garanti->add(QStringLiteral("GARANTI_BIT"), QStringLiteral("Garanti Bit.Trh"), FieldPanel::Date);
    Garanti->add(QStringLiteral("SGBASTRH"), QStringLiteral("Sigorta Baş.Trh"), FieldPanel::Date);
    Garanti->add(QStringLiteral("SGBITRH"), QStringLiteral("Sigorta Bit.Trh"), FieldPanel::Date);
    Garanti->add(QStringLiteral("MUAYENE_TRH"), QStringLiteral("Muayene Trh BaşlamaTrh"), FieldPanel::Date);
    Garanti->add(QStringLiteral("MUAYENE_BITTRH"), QStringLiteral("Muayene Trh BitişTrh"), FieldPanel::Date);
    Garanti->add(QStringLiteral("EKSOZ_TRH"), QStringLiteral("Eksoz Muayn.Trh BaşlamaTrh"), FieldPanel::Date);
    Garanti->add(QStringLiteral("EKSOZ_BITTRH"), QStringLiteral("Eksoz Muayn.Trh BitişTrh"), FieldPanel::Date);
    Garanti->add(QStringLiteral("KASKA_TRH"), QStringLiteral("Kasko Trh BaşlamaTrh"), FieldPanel::Date);
    Garanti->add(QStringLiteral("KASKO_BITTRH"), QStringLiteral("Kasko Trh BitişTrh"), FieldPanel::Date);
    Sayfalar->addTab(Garanti, QStringLiteral("Garanti-Sigorta"));

    Teknik = new FieldPanel(this, 3);
    Teknik->add(QStringLiteral("BARKODU"), QStringLiteral("Barkod No"), FieldPanel::Text, 27);
    Teknik->add(QStringLiteral("ANAHTAR_NO"), QStringLiteral("Anahtar No"), FieldPanel::Text, 15);
    Teknik->add(QStringLiteral("DEPO_KODU"), QStringLiteral("Depo Kodu"), FieldPanel::Text, 11);
    Sayfalar->addTab(Teknik, QStringLiteral("Teknik Bilgiler"));

    AlisSatis = new FieldPanel(this, 2);
    AlisSatis->add(QStringLiteral("ALIS_FAT_NO"), QStringLiteral("Alış Fat.No."), FieldPanel::Text, 17);
    AlisSatis->add(QStringLiteral("AL_FAT_TRH"), QStringLiteral("Alış Fat.Trh."), FieldPanel::Date);
    AlisSatis->add(QStringLiteral("FATURA_NO"), QStringLiteral("Sat Fat.No."), FieldPanel::Text, 17);
    AlisSatis->add(QStringLiteral("FAT_TRH"), QStringLiteral("Sat Fat.Trh."), FieldPanel::Date);
    AlisSatis->add(QStringLiteral("SIP_NO"), QStringLiteral("Sipariş No"), FieldPanel::Text, 17);
    AlisSatis->add(QStringLiteral("SIP_TRH"), QStringLiteral("Sipariş Trh."), FieldPanel::Date);
    AlisSatis->add(QStringLiteral("BAYI_KOD"), QStringLiteral("Bayi Kodu"), FieldPanel::Text, 11);
    AlisSatis->add(QStringLiteral("MALIYET_FYT_TL"), QStringLiteral("FOB Maliyet TL"), FieldPanel::Number);
    Sayfalar->addTab(AlisSatis, QStringLiteral("Alış-Satış Bilgileri"));

    Kiralama = new FieldPanel(this, 3);
    Kiralama->add(QStringLiteral("AKTIF"), QStringLiteral("Aktif (E/H)"), FieldPanel::Text, 1);
    for (const auto& [c, cap] : std::initializer_list<std::pair<const char*, QString>>{
             {"KIRA_FYT_SAAT", QStringLiteral("Saatlik Fiyatı")}, {"KIRA_FYT_GUN", QStringLiteral("Günlük Fiyatı")},
             {"KIRA_FYT_HAFTA", QStringLiteral("Haftalık Fiyatı")}, {"KIRA_FYT_AY", QStringLiteral("Aylık Fiyatı")},
             {"KIRA_FYT_YIL", QStringLiteral("Yıllık Fiyatı")}, {"GEC_FAIZ_SAAT", QStringLiteral("Saatlik Gecikme %")},
             {"GEC_FAIZ_GUN", QStringLiteral("Günlük Gecikme %")}, {"GEC_FAIZ_HAFTA", QStringLiteral("Haftalık Gecikme %")},
             {"GEC_FAIZ_AY", QStringLiteral("Aylık Gecikme %")}})
        Kiralama->add(QString::fromLatin1(c), cap, FieldPanel::Number);
    // The rental page belongs to the rental company's own database only.
    const QString rentalDb = ReadSetting(QStringLiteral("Kalvesa"), QStringLiteral("SERVIS"), QStringLiteral("KiralamaVeritabani"));
    if (!rentalDb.isEmpty() && rentalDb == ctx.FirmaVeritabani)
        Sayfalar->addTab(Kiralama, QStringLiteral("Kiralama Bilgileri"));
    else
        Kiralama->hide();
    Body->addWidget(Sayfalar, 1);

    auto* bottom = new QHBoxLayout;
    BtnSaseDegis = new QPushButton(QStringLiteral("Şase Değiş."), this);
    BtnSaseDegis->setObjectName(QStringLiteral("BtnSaseDegis"));
    BtnSaseDegis->setEnabled(false); // the chassis change of the registry is not part of this card
    BtnMerkezdenCek = new QPushButton(QStringLiteral("Araç Bilgisini Merkezden Çek"), this);
    BtnMerkezdenCek->setObjectName(QStringLiteral("BtnMerkezdenCek"));
    BtnMerkezdenCek->setVisible(MarkaBayiModuAcik(ctx));
    bottom->addWidget(BtnSaseDegis);
    bottom->addWidget(BtnMerkezdenCek);
    bottom->addStretch(1);
    Body->addLayout(bottom);

    connect(Panel->editor(QStringLiteral("SASE_NO")), &QLineEdit::textChanged, this,
            Guarded([this](const QString& t) { LblSaseSayac->setText(QString::number(t.size())); }));
    connect(modelBtn, &QPushButton::clicked, this, Guarded([this] { ModelSecClick(); }));
    connect(disBtn, &QPushButton::clicked, this, Guarded([this] { DisRenkClick(); }));
    connect(icBtn, &QPushButton::clicked, this, Guarded([this] { IcRenkClick(); }));
    connect(BtnMerkezdenCek, &QPushButton::clicked, this, Guarded([this] { MerkezdenCekClick(); }));
    connect(Panel, &FieldPanel::left, this, Guarded([this](const QString& c) {
        if (c == QLatin1String("SASE_NO") && MarkaBayiModuAcik(m_ctx) && m_new)
            MerkezdenCekClick();
    }));
    resize(980, 720);
}

TFormAracSakla::~TFormAracSakla()
{
    YeniArac().clear();
}

void TFormAracSakla::loadArac(const QVariantMap& row, bool isNew)
{
    QVariantMap r = row;
    if (isNew) {
        r = NewAracRow();
        if (MarkaBayiModuAcik(m_ctx) && !r.contains(QStringLiteral("SASE_NO")))
            r.insert(QStringLiteral("SASE_NO"), QStringLiteral("VRN"));
    }
    open(r, isNew);
    for (FieldPanel* p : {Garanti, Teknik, AlisSatis, Kiralama})
        p->load(r);
    Panel->setReadOnly(QStringLiteral("PLAKA"), !isNew);
    Panel->editor(QStringLiteral("PLAKA"))
        ->setToolTip(isNew ? QString() : QStringLiteral("PLAKA yı Beyannameden Değiştirebilirsiniz"));
    BtnSaseDegis->setEnabled(false);
    Sayfalar->setCurrentIndex(0);
    showModel();
    showColours();
    // A new card counts its presets as typed: "&Sakla" saves them.
    if (isNew && !r.isEmpty())
        markModified();
    Panel->editor(QStringLiteral("ARC_MODEL_TRH"))->setFocus();
}

void TFormAracSakla::showModel()
{
    const QVariantMap m = ReadAracModel(m_db, Trimmed(m_row, "ARC_MODEL_KODU"));
    LblModelAdi->setText(Trimmed(m, "ARC_MODEL_ADI"));
    ModelBilgi->load(m);
}

void TFormAracSakla::showColours()
{
    LblDisRenkAdi->setText(RenkAdi(m_db, Trimmed(m_row, "ARC_RENK_KODU")));
    LblIcRenkAdi->setText(RenkAdi(m_db, Trimmed(m_row, "IC_RENK")));
}

void TFormAracSakla::collect(QVariantMap& row)
{
    for (FieldPanel* p : {Garanti, Teknik, AlisSatis, Kiralama}) {
        p->store(row);
        if (p->isModified())
            markModified();
    }
    // The picked codes live in the card's row, not in editable fields.
    for (const char* c : {"ARC_MODEL_KODU", "ARC_RENK_KODU", "IC_RENK"})
        row.insert(QString::fromLatin1(c), m_row.value(QString::fromLatin1(c)));
}

bool TFormAracSakla::save(QVariantMap& row)
{
    return SaveArac(m_db, m_ctx, row, m_new);
}

void TFormAracSakla::ModelSecClick()
{
    const QString m = ModelSec(m_ctx, 1, this);
    if (!m.isEmpty()) {
        m_row.insert(QStringLiteral("ARC_MODEL_KODU"), m);
        Panel->editor(QStringLiteral("ARC_MODEL_KODU"))->setText(m);
        markModified();
    }
    showModel();
}

void TFormAracSakla::DisRenkClick()
{
    const QString r = MarkaBayiModuAcik(m_ctx) ? DisRenkSec(m_ctx, Trimmed(m_row, "ARC_MODEL_KODU"), this)
                                               : RenkSec(m_ctx, 1, this);
    if (r.isEmpty())
        return;
    AracExteriorPicked(m_row, r);
    Panel->editor(QStringLiteral("ARC_RENK_KODU"))->setText(Trimmed(m_row, "ARC_RENK_KODU"));
    Panel->editor(QStringLiteral("IC_RENK"))->setText(Trimmed(m_row, "IC_RENK"));
    markModified();
    showColours();
}

void TFormAracSakla::IcRenkClick()
{
    const QString r = MarkaBayiModuAcik(m_ctx)
                          ? IcRenkSec(m_ctx, Trimmed(m_row, "ARC_MODEL_KODU"), Trimmed(m_row, "ARC_RENK_KODU"), this)
                          : RenkSec(m_ctx, 1, this);
    if (r.isEmpty())
        return;
    m_row.insert(QStringLiteral("IC_RENK"), r);
    Panel->editor(QStringLiteral("IC_RENK"))->setText(r);
    markModified();
    showColours();
}

void TFormAracSakla::MerkezdenCekClick()
{
    QVariantMap r = m_row;
    Panel->store(r);
    if (Trimmed(r, "SASE_NO").size() != 17) {
        ShowWarning(QStringLiteral("Şase 17 hane olmalı!"));
        return;
    }
    if (!AskYesNo(QStringLiteral("Merkeze bağlanmak istiyor musunuz?")))
        return;
    // The distributor's server is reached through the central connection
    // when it is open (the core opens it on demand where it can).
    Db central = Db::attach(TDBConn::MerkezName);
    if (!(central.isValid() && central.isOpen()) && MerkezBaglan(m_ctx))
        central = Db::attach(TDBConn::MerkezName);
    if (!central.isValid() || !central.isOpen()) {
        ShowWarning(QStringLiteral("Merkezden Araç Bilgisi Çekilemedi. VPN inizin Çalıştığından Emin Olunuz."));
        return;
    }
    if (!AracBilgisiMerkezdenCek(central, r)) {
        ShowInfo(QStringLiteral("Araç bilgisi bulunamadı!"));
        return;
    }
    m_row = r;
    Panel->load(r);
    Garanti->load(r);
    markModified();
    showModel();
    showColours();
}

// --- List ------------------------------------------------------------------

TFormAracBr::TFormAracBr(SessionContext& ctx, int mode, QWidget* parent) : VehicleListBase(ctx, mode, parent)
{
    setObjectName(QStringLiteral("FormAracBr"));
    setWindowTitle(QStringLiteral("ARAÇ  KAYITLARI"));
    auto field = [&](const char* name, const QString& caption, int max) {
        auto* l = new QLabel(caption, this);
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        if (max > 0)
            e->setMaxLength(max);
        l->setBuddy(e);
        SearchRow->addWidget(l);
        SearchRow->addWidget(e);
        e->installEventFilter(this);
        return e;
    };
    EdSase = field("EdSase", QStringLiteral("Aranan Ş&asi No"), 17);
    EdMotor = field("EdMotor", QStringLiteral("Aranan &Motor No"), 0);
    EdPlaka = field("EdPlaka", QStringLiteral("Aranan &Plaka"), 0);
    SearchRow->addStretch(1);
    const AracListeSorgusu s = AracListeSorgu(m_db, true);
    m_statement = s.statement;
    m_binds = s.binds;
}

namespace {
const QStringList kAracCaptions = {QStringLiteral("Şase No"),        QStringLiteral("Motor No"),
                                   QStringLiteral("Plaka"),          QStringLiteral("Araç Model Kodu"),
                                   QStringLiteral("Model"),          QStringLiteral("Marka"),
                                   QStringLiteral("Araç Model Trh"), QStringLiteral("Cari Kodu"),
                                   QStringLiteral("İlk Tescil"),     QStringLiteral("Araç Model Adı")};
}

void TFormAracBr::tablo()
{
    runList(m_statement, m_binds, kAracCaptions);
    Grid->setColumnHidden(Liste->columnOf(QStringLiteral("TRF_CIKIS_TRH")), true);
}

void TFormAracBr::tabloSorgu(const QString& statement, const QVariantMap& binds)
{
    m_statement = statement;
    m_binds = binds;
    tablo();
}

void TFormAracBr::search(QLineEdit* field)
{
    const QString text = field->text().trimmed();
    if (text.isEmpty()) {
        if (AskYesNoCancel(QStringLiteral("Tüm Kayıtları Görmek İstiyor Musunuz?")) == MsgYes) {
            tabloSorgu(AracListeSorgu(m_db, false).statement, {});
        } else {
            Liste->clear();
            LblSayi->setText(QStringLiteral("Kayıt Sayısı : 0"));
        }
        return;
    }
    const AracAramaAlani alan = field == EdSase ? AracAramaAlani::Sase
                                : field == EdMotor ? AracAramaAlani::Motor
                                                   : AracAramaAlani::Plaka;
    const AracListeSorgusu s = AracAramaSorgu(m_db, alan, text);
    tabloSorgu(s.statement, s.binds);
}

bool TFormAracBr::eventFilter(QObject* o, QEvent* e)
{
    if ((o == EdSase || o == EdMotor || o == EdPlaka) && e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            // A second Enter in the field just searched goes to the grid.
            if (m_searched && m_searchedField == o)
                Grid->setFocus();
            else
                search(static_cast<QLineEdit*>(o));
            m_searched = !(m_searched && m_searchedField == o);
            m_searchedField = o;
            return true;
        }
        m_searched = false;
    }
    return VehicleListBase::eventFilter(o, e);
}

void TFormAracBr::BtnYeniClick()
{
    const QString sase = AracKartGir(m_ctx, {}, true, this);
    if (sase.isEmpty())
        return;
    EdSase->setText(sase);
    EdSase->setFocus();
    const AracListeSorgusu s = AracAramaSorgu(m_db, AracAramaAlani::Sase, sase);
    tabloSorgu(s.statement, s.binds);
}

void TFormAracBr::BtnDuzenleClick()
{
    const QString cur = currentRow().value(QStringLiteral("SASE_NO")).toString();
    if (cur.isEmpty())
        return;
    if (!AracKartGir(m_ctx, cur, false, this).isEmpty()) {
        Grid->setFocus();
        tablo();
    }
}

void TFormAracBr::BtnSilClick()
{
    if (DeleteArac(m_db, currentRow().value(QStringLiteral("SASE_NO")).toString(), QStringLiteral("Kayıt Silinsin mi?")))
        tablo();
}

void TFormAracBr::BtnSecClick()
{
    const QVariantMap row = currentRow();
    if (row.isEmpty())
        return;
    m_secim = AracSecimi(row);
    m_result = m_secim.IlkStr;
    accept();
}

// --- Openers ---------------------------------------------------------------

QString AracKartGir(SessionContext& ctx, const QString& saseNo, bool isNew, QWidget* parent)
{
    TFormAracSakla card(ctx, parent);
    card.loadArac(isNew ? QVariantMap() : ReadArac(ctx.Database1, saseNo), isNew);
    return card.exec() == QDialog::Accepted ? card.result() : QString();
}

QString AracKartGirSasePlaka(SessionContext& ctx, const QString& saseNo, const QString& presetSase,
                             const QString& presetPlaka, bool isNew, QWidget* parent)
{
    if (isNew) {
        if (!presetSase.trimmed().isEmpty())
            YeniArac().YeniAracSaseNo = presetSase.trimmed();
        if (!presetPlaka.trimmed().isEmpty())
            YeniArac().YeniAracPlaka = presetPlaka.trimmed();
    }
    return AracKartGir(ctx, saseNo, isNew, parent);
}

QString AracSec(SessionContext& ctx, int mode, QWidget* parent)
{
    TFormAracBr f(ctx, mode, parent);
    f.tablo();
    return f.exec() == QDialog::Accepted ? f.result() : QString();
}

TDonPara AracSaseSec(SessionContext& ctx, const QString& saseNo, QWidget* parent)
{
    TFormAracBr f(ctx, 1, parent);
    // The list opens on the chassis number it was handed, so the user sees
    // the vehicle at once instead of an empty list.
    f.EdSase->setText(saseNo.trimmed());
    const AracListeSorgusu s = AracSaseFiltreSorgu(ctx.Database1, saseNo);
    f.tabloSorgu(s.statement, s.binds);
    return f.exec() == QDialog::Accepted ? f.secim() : TDonPara();
}

} // namespace tornaly::workshop
