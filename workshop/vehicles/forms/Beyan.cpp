#include "workshop/vehicles/forms/Beyan.h"
#include "connection/DialogRunner.h"
#include "workshop/vehicles/RecordIo.h"
#include "workshop/vehicles/VehicleRules.h"
#include "workshop/vehicles/Vehicles.h"
#include "workshop/vehicles/forms/AracSakla.h"
#include "guard/FormGuard.h"
#include "context/SessionContext.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "sql/SqlHelpers.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::workshop {

namespace {
CariSecici& cariSecici()
{
    static CariSecici picker = [](SessionContext& ctx, QWidget*) -> QString {
        // Until the account picker is installed: the code typed, if it exists.
        const auto typed = Messages().askText(QStringLiteral("&Cari Seç"), QStringLiteral("Cari Kodu"), QString());
        if (!typed || typed->trimmed().isEmpty())
            return {};
        const QVariantMap r = ReadRow(ctx.Database1, QStringLiteral("SELECT CARI_KOD FROM CARI WHERE CARI_KOD = :K"),
                                      {{QStringLiteral("K"), typed->trimmed()}});
        if (r.isEmpty()) {
            ShowWarning(QStringLiteral("Cari kaydı bulunamadı: %1").arg(typed->trimmed()));
            return {};
        }
        return Trimmed(r, "CARI_KOD");
    };
    return picker;
}

QGroupBox* group(QWidget* owner, const QString& title, QWidget* content)
{
    auto* g = new QGroupBox(title, owner);
    auto* l = new QVBoxLayout(g);
    l->setContentsMargins(4, 4, 4, 4);
    l->addWidget(content);
    return g;
}

QLabel* amountLabel(QWidget* owner, const char* name)
{
    auto* l = new QLabel(owner);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(120);
    return l;
}
} // namespace

void SetCariSecici(CariSecici picker)
{
    cariSecici() = std::move(picker);
}

QString CariSecimi(SessionContext& ctx, QWidget* parent) { return cariSecici()(ctx, parent); }

TFormBeyan::TFormBeyan(SessionContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    setObjectName(QStringLiteral("FormBeyan"));
    setWindowTitle(QStringLiteral("Beyanname Formu"));
    auto* lay = new QVBoxLayout(this);
    auto* tabTitle = new QLabel(QStringLiteral(" Beyanname "), this);
    QFont f = tabTitle->font();
    f.setBold(true);
    tabTitle->setFont(f);
    lay->addWidget(tabTitle);

    auto* top = new QHBoxLayout;
    Arac = new FieldPanel(this, 1);
    Arac->add(QStringLiteral("SASE_NO"), QStringLiteral("Şase No"), FieldPanel::Text, 30);
    Arac->add(QStringLiteral("MOTOR_NO"), QStringLiteral("Motor No"), FieldPanel::Text, 25);
    Arac->add(QStringLiteral("PLAKA"), QStringLiteral("&Plaka No"), FieldPanel::Text, 15);
    Arac->add(QStringLiteral("FAT_TRH"), QStringLiteral("Fatura Tarihi"), FieldPanel::Date);
    Arac->add(QStringLiteral("CARI_KOD"), QStringLiteral("Cari Kod"), FieldPanel::Text, 11);
    Arac->add(QStringLiteral("NOTLAR"), QStringLiteral("Açıklama"), FieldPanel::Text, 80);
    Arac->setReadOnly(QStringLiteral("SASE_NO"), true);
    Arac->setReadOnly(QStringLiteral("CARI_KOD"), true);
    auto* aracBox = new QWidget(this);
    auto* av = new QVBoxLayout(aracBox);
    av->setContentsMargins(0, 0, 0, 0);
    av->addWidget(Arac);
    auto* ab = new QHBoxLayout;
    BtnAracSec = new QPushButton(QStringLiteral("&Araç Seç"), this);
    BtnAracSec->setObjectName(QStringLiteral("BtnAracSec"));
    BtnAracKarti = new QPushButton(QStringLiteral("A&raç Kartı"), this);
    BtnAracKarti->setObjectName(QStringLiteral("BtnAracKarti"));
    BtnAracKarti->setToolTip(QStringLiteral("Araç Bilgisini Değiştir"));
    BtnCariSec = new QPushButton(QStringLiteral("&Cari Seç"), this);
    BtnCariSec->setObjectName(QStringLiteral("BtnCariSec"));
    for (QPushButton* b : {BtnAracSec, BtnAracKarti, BtnCariSec}) {
        b->setAutoDefault(false);
        ab->addWidget(b);
    }
    av->addLayout(ab);
    top->addWidget(group(this, QStringLiteral("Araç"), aracBox), 1);

    Sahibi = new FieldPanel(this, 1);
    for (const auto& [c, cap] : std::initializer_list<std::pair<const char*, QString>>{
             {"FIRMA_ADI", QStringLiteral("Adı")}, {"TEL1", QStringLiteral("Telefon")}, {"VD", QStringLiteral("Vergi Dairesi")},
             {"VN", QStringLiteral("Vergi No")}, {"ADRES_1", QStringLiteral("Adres")}, {"ADRES_2", QString()},
             {"ILI", QStringLiteral("İli")}, {"PK", QStringLiteral("Posta Kodu")}, {"SEMT", QStringLiteral("Semt/İlçe")}})
        Sahibi->add(QString::fromLatin1(c), cap);
    Sahibi->setAllReadOnly(true);
    top->addWidget(group(this, QStringLiteral("Araç Sahibi"), Sahibi), 1);

    ModelBilgi = new FieldPanel(this, 1);
    for (const auto& [c, cap] : std::initializer_list<std::pair<const char*, QString>>{
             {"MARKA", QStringLiteral("Marka")}, {"ARC_MODEL_TRH", QStringLiteral("Modeli")},
             {"ARC_MODEL_KODU", QStringLiteral("Tip Kodu")}, {"ARC_MODEL_ADI", QStringLiteral("Tipi")},
             {"MOTOR_HACIM", QStringLiteral("Silindir Hacmi")}, {"MOTOR_GUC", QStringLiteral("Motor Gücü")},
             {"AGIRLIK", QStringLiteral("Ağırlık")}, {"OZEL2", QStringLiteral("İstiab Haddi")},
             {"RENK_AD", QStringLiteral("Renk")}, {"GOVDE_TIP", QStringLiteral("Kasa Tipi")}})
        ModelBilgi->add(QString::fromLatin1(c), cap);
    ModelBilgi->setAllReadOnly(true);
    top->addWidget(group(this, QStringLiteral("Model"), ModelBilgi), 1);
    lay->addLayout(top);

    Vergi = new FieldPanel(this, 4);
    Vergi->add(QStringLiteral("ARAC_BEDEL"), QStringLiteral("Arac Bedel"), FieldPanel::Number);
    Vergi->add(QStringLiteral("OTV"), QStringLiteral("ÖTV %"), FieldPanel::Number);
    Vergi->add(QStringLiteral("OTV_TUT"), QStringLiteral("ÖTV"), FieldPanel::Number);
    Vergi->add(QStringLiteral("OTV_IST"), QStringLiteral("ÖTV İstisnası"), FieldPanel::Number);
    LblOtvNet = amountLabel(this, "LblOtvNet");
    Vergi->addWidget(QStringLiteral("ÖTV Tutarı"), LblOtvNet);
    Vergi->add(QStringLiteral("KDV_SIZ"), QStringLiteral("ÖTV li Tutar"), FieldPanel::Number);
    Vergi->add(QStringLiteral("KDV"), QStringLiteral("KDV %"), FieldPanel::Number);
    LblKdvTut = amountLabel(this, "LblKdvTut");
    Vergi->addWidget(QStringLiteral("KDV"), LblKdvTut);
    LblKdvli = amountLabel(this, "LblKdvli");
    Vergi->addWidget(QStringLiteral("KDV Dahil"), LblKdvli);
    Vergi->add(QStringLiteral("MAS_TOP"), QStringLiteral("Vergiler"), FieldPanel::Number);
    Vergi->add(QStringLiteral("ATF"), QStringLiteral("AnahtarTes.Fyt"), FieldPanel::Number);
    EdNum1 = new QLineEdit(this);
    EdNum1->setObjectName(QStringLiteral("EdNUM_1"));
    EdNum1->setAlignment(Qt::AlignRight);
    Vergi->addWidget(QStringLiteral("İhraç Kayd. Tecil ÖTV"), EdNum1);
    for (const char* c : {"OTV_TUT", "KDV_SIZ", "ATF"})
        Vergi->setReadOnly(QString::fromLatin1(c), true);
    lay->addWidget(group(this, QStringLiteral("Vergiler"), Vergi));
    lay->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    BtnKaydet = new QPushButton(QStringLiteral("&Kaydet"), this);
    BtnKaydet->setObjectName(QStringLiteral("BtnKaydet"));
    BtnIptal = new QPushButton(QStringLiteral("İ&ptal"), this);
    BtnIptal->setObjectName(QStringLiteral("BtnIptal"));
    BtnKapat = new QPushButton(QStringLiteral("Kapat"), this);
    BtnKapat->setObjectName(QStringLiteral("BtnKapat"));
    for (QPushButton* b : {BtnKaydet, BtnIptal, BtnKapat}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    lay->addLayout(buttons);

    m_readOnly = !ctx.AktifKullanici.beyan.startsWith(QLatin1Char('Y'));
    if (m_readOnly) {
        Arac->setAllReadOnly(true);
        Vergi->setAllReadOnly(true);
        EdNum1->setReadOnly(true);
        BtnCariSec->setEnabled(false);
        BtnAracSec->setEnabled(false);
    }

    connect(BtnKaydet, &QPushButton::clicked, this, Guarded([this] { BtnKaydetClick(); }));
    connect(BtnIptal, &QPushButton::clicked, this, Guarded([this] { BtnIptalClick(); }));
    connect(BtnKapat, &QPushButton::clicked, this, Guarded([this] { BtnKapatClick(); }));
    connect(BtnCariSec, &QPushButton::clicked, this, Guarded([this] { BtnCariSecClick(); }));
    connect(BtnAracSec, &QPushButton::clicked, this, Guarded([this] { BtnAracSecClick(); }));
    connect(BtnAracKarti, &QPushButton::clicked, this, Guarded([this] {
        const QString sase = Trimmed(m_arac, "SASE_NO");
        if (sase.isEmpty())
            return;
        AracKartGir(m_ctx, sase, false, this);
        openVehicle(sase);
    }));
    // The first change puts the vehicle into edit: the model's rates and
    // price fill what is still empty (not the field being typed).
    auto beginEdit = [this](const QString& column) {
        if (m_editBegun)
            return;
        m_editBegun = true;
        QVariantMap r = m_arac;
        ApplyBeyanDefaults(r, ReadAracModel(m_db, Trimmed(m_arac, "ARC_MODEL_KODU")));
        for (const char* c : {"KDV", "OTV", "ARAC_BEDEL"}) {
            const QString k = QString::fromLatin1(c);
            if (k != column && r.value(k) != m_arac.value(k))
                Vergi->editor(k)->setText(FormatMoney(r.value(k).toDouble(), QStringLiteral(",0.00")));
        }
        m_arac = r;
        Hesapla();
    };
    connect(Arac, &FieldPanel::edited, this, Guarded(beginEdit));
    connect(Vergi, &FieldPanel::edited, this, Guarded(beginEdit));
    connect(Vergi, &FieldPanel::left, this, Guarded([this] { Hesapla(); }));
    connect(EdNum1, &QLineEdit::textEdited, this, Guarded([this, beginEdit] {
        Vergi->setModified(true);
        beginEdit(QString());
    }));
    resize(1180, 560);
}

bool TFormBeyan::isEditing() const
{
    return Arac->isModified() || Vergi->isModified() || m_ownerChanged;
}

bool TFormBeyan::openVehicle(const QString& saseNo)
{
    const QVariantMap arac = ReadArac(m_db, saseNo);
    if (arac.isEmpty())
        return false;
    m_arac = arac;
    m_beyan = ReadBeyan(m_db, saseNo);
    m_previousPlate = Trimmed(arac, "PLAKA");
    m_ownerChanged = false;
    m_editBegun = false;
    Arac->load(arac);
    Vergi->load(arac);
    EdNum1->setText(m_beyan.value(QStringLiteral("NUM_1")).isNull()
                        ? QString()
                        : FormatMoney(m_beyan.value(QStringLiteral("NUM_1")).toDouble(), QStringLiteral(",0.00")));
    QVariantMap model = ReadAracModel(m_db, Trimmed(arac, "ARC_MODEL_KODU"));
    model.insert(QStringLiteral("ARC_MODEL_TRH"), arac.value(QStringLiteral("ARC_MODEL_TRH")));
    model.insert(QStringLiteral("RENK_AD"), RenkAdi(m_db, Trimmed(arac, "ARC_RENK_KODU")));
    ModelBilgi->load(model);
    showOwner();
    Hesapla();
    return true;
}

void TFormBeyan::showOwner()
{
    Sahibi->load(ReadRow(m_db, QStringLiteral("SELECT * FROM CARI WHERE CARI_KOD = :K"),
                         {{QStringLiteral("K"), Trimmed(m_arac, "CARI_KOD")}}));
}

bool TFormBeyan::gather(QVariantMap& arac)
{
    arac = m_arac;
    if (!Arac->store(arac) || !Vergi->store(arac))
        return false;
    arac.insert(QStringLiteral("CARI_KOD"), m_arac.value(QStringLiteral("CARI_KOD")));
    double num1 = 0;
    if (EdNum1->text().trimmed().isEmpty())
        m_beyan.insert(QStringLiteral("NUM_1"), QVariant(QMetaType(QMetaType::Double)));
    else if (ParseMoney(EdNum1->text(), &num1))
        m_beyan.insert(QStringLiteral("NUM_1"), num1);
    else {
        ShowWarning(QStringLiteral("\"%1\" geçerli bir sayı değil.").arg(EdNum1->text()));
        return false;
    }
    return true;
}

void TFormBeyan::Hesapla()
{
    QVariantMap r = m_arac;
    if (!Vergi->store(r))
        return;
    const BeyanToplam t = ApplyBeyanToplam(r);
    // Only a row in edit gets new figures; an opened row shows its own.
    if (m_editBegun) {
        for (const char* c : {"OTV_TUT", "KDV_SIZ", "ATF"})
            Vergi->editor(QString::fromLatin1(c))->setText(FormatMoney(r.value(QString::fromLatin1(c)).toDouble(), QStringLiteral(",0.00")));
    }
    LblOtvNet->setText(FormatMoney(t.otvNet, QStringLiteral(",0.00")));
    LblKdvTut->setText(FormatMoney(t.kdvTut, QStringLiteral(",0.00")));
    LblKdvli->setText(FormatMoney(t.kdvliTut, QStringLiteral(",0.00")));
}

void TFormBeyan::BtnKaydetClick()
{
    if (m_readOnly)
        return;
    QVariantMap arac;
    if (!gather(arac))
        return;
    if (!SaveBeyan(m_db, arac, m_beyan, m_previousPlate, ServerToday(m_db)))
        return;
    openVehicle(Trimmed(arac, "SASE_NO"));
}

void TFormBeyan::BtnIptalClick()
{
    const QString sase = Trimmed(m_arac, "SASE_NO");
    Arac->setModified(false);
    Vergi->setModified(false);
    m_ownerChanged = false;
    if (!sase.isEmpty())
        openVehicle(sase);
}

void TFormBeyan::BtnKapatClick()
{
    if (isEditing() && !Trimmed(m_arac, "SASE_NO").isEmpty()) {
        if (AskYesNo(QStringLiteral("Bilgileri Saklamak İstiyor musunuz?"))) {
            QVariantMap arac;
            if (!gather(arac) || !SaveBeyanArac(m_db, arac, m_previousPlate))
                return;
            openVehicle(Trimmed(arac, "SASE_NO"));
        }
    }
    m_result = Trimmed(m_arac, "SASE_NO");
    if (isEditing()) {
        ShowWarning(QStringLiteral("Değişikliği Saklayın yada İptal Ediniz!"));
        return;
    }
    accept();
}

void TFormBeyan::closeEvent(QCloseEvent* e)
{
    if (isEditing()) {
        ShowWarning(QStringLiteral("Değişikliği Saklayın yada İptal Ediniz!"));
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void TFormBeyan::BtnCariSecClick()
{
    const QString code = cariSecici()(m_ctx, this);
    if (code.isEmpty())
        return;
    if (!m_editBegun) {
        m_editBegun = true;
        QVariantMap r = m_arac;
        ApplyBeyanDefaults(r, ReadAracModel(m_db, Trimmed(m_arac, "ARC_MODEL_KODU")));
        m_arac = r;
        Vergi->load(r);
        Vergi->setModified(true);
    }
    m_arac.insert(QStringLiteral("CARI_KOD"), code);
    Arac->editor(QStringLiteral("CARI_KOD"))->setText(code);
    m_ownerChanged = true;
    showOwner();
}

void TFormBeyan::BtnAracSecClick()
{
    if (isEditing()) {
        ShowWarning(QStringLiteral("Değişikliği Saklayın yada İptal Edin!"));
        return;
    }
    const TDonPara p = AracSaseSec(m_ctx, Trimmed(m_arac, "SASE_NO"), this);
    if (p.IlkStr.isEmpty() || !openVehicle(p.IlkStr))
        return;
    if (Trimmed(m_arac, "CARI_KOD").isEmpty())
        BtnCariSecClick();
}

QString BeyanAc(SessionContext& ctx, const QString& saseNo, const QString& presetSase, const QString& presetPlaka,
                QWidget* parent)
{
    TFormBeyan f(ctx, parent);
    QString sase = saseNo.trimmed();
    if (sase.isEmpty()) {
        sase = AracKartGirSasePlaka(ctx, {}, presetSase, presetPlaka, true, parent);
        if (sase.isEmpty())
            return {};
        f.openVehicle(sase);
        if (Trimmed(ReadArac(ctx.Database1, sase), "CARI_KOD").isEmpty())
            f.BtnCariSecClick();
    } else if (!f.openVehicle(sase)) {
        return {};
    }
    return f.exec() == QDialog::Accepted ? f.result() : QString();
}

QString BeyanAracAc(SessionContext& ctx, const QString& saseNo, QWidget* parent)
{
    return BeyanAc(ctx, saseNo, {}, {}, parent);
}

// --- Registration lists ----------------------------------------------------

namespace {
QLineEdit* activeField(QWidget* owner, QHBoxLayout* row, const char* name, const QString& caption)
{
    auto* l = new QLabel(caption, owner);
    auto* e = new QLineEdit(owner);
    e->setObjectName(QString::fromLatin1(name));
    l->setBuddy(e);
    row->addWidget(l);
    row->addWidget(e);
    e->installEventFilter(owner);
    return e;
}

RuhsatAramaAlani alanOf(QLineEdit* f, QLineEdit* plaka, QLineEdit* cari, QLineEdit* sase, QLineEdit* motor)
{
    if (f == plaka)
        return RuhsatAramaAlani::Plaka;
    if (f == cari)
        return RuhsatAramaAlani::CariAd;
    if (f == sase)
        return RuhsatAramaAlani::Sase;
    if (f == motor)
        return RuhsatAramaAlani::Motor;
    return RuhsatAramaAlani::Yok;
}

void paintActive(QLineEdit* active, std::initializer_list<QLineEdit*> all)
{
    for (QLineEdit* e : all) {
        QPalette p = e->palette();
        p.setColor(QPalette::Base, e == active ? e->style()->standardPalette().color(QPalette::Base)
                                               : e->style()->standardPalette().color(QPalette::Button));
        e->setPalette(p);
    }
}

const QStringList kRuhsatCaptions = {
    QStringLiteral("Şase No"),   QStringLiteral("Motor No"),  QStringLiteral("Plaka"),    QStringLiteral("Cari Kod"),
    QStringLiteral("Cari Adı"),  QStringLiteral("İli"),       QStringLiteral("Semt/İlçe"), QStringLiteral("Telefon"),
    QStringLiteral("Telefon 2"), QStringLiteral("Cep 1"),     QStringLiteral("Cep 2"),     QStringLiteral("Baba Adı"),
    QStringLiteral("Model Yılı"), QStringLiteral("Ana Model"), QStringLiteral("Model Adı"), QStringLiteral("Trafiğe Çıkış Trh.")};
} // namespace

TFrmBeyanList::TFrmBeyanList(SessionContext& ctx, int mode, QWidget* parent) : VehicleListBase(ctx, mode, parent)
{
    setObjectName(QStringLiteral("FrmBeyanList"));
    setWindowTitle(QStringLiteral("Araç Ruhsat Listesi"));
    EdPlaka = activeField(this, SearchRow, "EdPlaka", QStringLiteral("&Plaka"));
    EdCariAd = activeField(this, SearchRow, "EdCariAd", QStringLiteral("&Cari Ad"));
    EdSase = activeField(this, SearchRow, "EdSase", QStringLiteral("Şa&se No"));
    EdMotor = activeField(this, SearchRow, "EdMotor", QStringLiteral("&Motor No"));
    auto* filtre = new QPushButton(QStringLiteral("Filtrele"), this);
    filtre->setObjectName(QStringLiteral("BtnFiltrele"));
    auto* kaldir = new QPushButton(QStringLiteral("&Filtre Kaldır"), this);
    kaldir->setObjectName(QStringLiteral("BtnFiltreKaldir"));
    auto* gecmis = new QPushButton(QStringLiteral("Aracın Önceki İşemrileri"), this);
    gecmis->setObjectName(QStringLiteral("BtnGecmis"));
    gecmis->setEnabled(false); // the work-order history comes with the work orders
    SearchRow->addWidget(filtre);
    SearchRow->addWidget(kaldir);
    SearchRow->addWidget(gecmis);
    connect(filtre, &QPushButton::clicked, this, Guarded([this] { FiltreleClick(); }));
    connect(kaldir, &QPushButton::clicked, this, Guarded([this] { FiltreKaldirClick(); }));
    BtnYeni->setEnabled(ctx.AktifKullanici.beyan.startsWith(QLatin1Char('Y')));
    BtnSil->setEnabled(ctx.AktifKullanici.arac_beyan_sil.startsWith(QLatin1Char('E')));
    tablo(true);
}

void TFrmBeyanList::tablo(bool ilk50)
{
    const RuhsatAramaAlani alan = alanOf(m_active, EdPlaka, EdCariAd, EdSase, EdMotor);
    const RuhsatSorgusu s = RuhsatListeSorgu(m_db, alan, m_active ? m_active->text() : QString(), ilk50);
    runList(s.statement, s.binds, kRuhsatCaptions);
}

void TFrmBeyanList::FiltreleClick() { tablo(false); }

void TFrmBeyanList::FiltreKaldirClick()
{
    m_active = nullptr;
    tablo(false);
}

bool TFrmBeyanList::eventFilter(QObject* o, QEvent* e)
{
    auto* f = qobject_cast<QLineEdit*>(o);
    if (f && (f == EdPlaka || f == EdCariAd || f == EdSase || f == EdMotor)) {
        if (e->type() == QEvent::FocusIn) {
            m_active = f;
            paintActive(f, {EdPlaka, EdCariAd, EdSase, EdMotor});
        }
        if (e->type() == QEvent::KeyPress) {
            const int k = static_cast<QKeyEvent*>(e)->key();
            if (k == Qt::Key_Return || k == Qt::Key_Enter) {
                m_active = f;
                FiltreleClick();
                return true;
            }
        }
    }
    return VehicleListBase::eventFilter(o, e);
}

void TFrmBeyanList::BtnDuzenleClick()
{
    const QString cur = currentRow().value(QStringLiteral("SASE_NO")).toString().trimmed();
    if (cur.isEmpty())
        return;
    const QString sase = BeyanAracAc(m_ctx, cur, this);
    EdSase->setText(sase);
    EdSase->setFocus();
}

void TFrmBeyanList::BtnYeniClick()
{
    const QString sase = BeyanAc(m_ctx, {}, EdSase->text(), EdPlaka->text(), this);
    EdSase->setText(sase);
    EdSase->setFocus();
}

void TFrmBeyanList::BtnSilClick()
{
    const QString sase = currentRow().value(QStringLiteral("SASE_NO")).toString().trimmed();
    if (sase.isEmpty())
        return;
    if (DeleteArac(m_db, sase, sase + QStringLiteral("  ") + QStringLiteral("Şase No lu Araç Ruhsat kaydını silmek istiyor musunuz?")))
        FiltreleClick();
}

void TFrmBeyanList::BtnSecClick()
{
    if (!!BtnSec->isHidden()) {
        BtnDuzenleClick();
        return;
    }
    const QVariantMap row = currentRow();
    if (row.isEmpty() || !RuhsatSecilebilir(mode(), row))
        return;
    m_secim.SasiNo = Trimmed(row, "SASE_NO").left(30);
    m_secim.PlakaNo = Trimmed(row, "PLAKA").left(15);
    m_secim.MotorNo = Trimmed(row, "MOTOR_NO").left(25);
    m_result = m_secim.SasiNo;
    accept();
}

TFrmBeyanList2::TFrmBeyanList2(SessionContext& ctx, int mode, QWidget* parent) : VehicleListBase(ctx, mode, parent)
{
    setObjectName(QStringLiteral("FrmBeyanList2"));
    setWindowTitle(QStringLiteral("Beyan Listesi"));
    EdPlaka = activeField(this, SearchRow, "EdPlaka", QStringLiteral("&Plaka"));
    EdCariAd = activeField(this, SearchRow, "EdCariAd", QStringLiteral("&Cari Ad"));
    EdSase = activeField(this, SearchRow, "EdSase", QStringLiteral("Şa&se No"));
    EdMotor = activeField(this, SearchRow, "EdMotor", QStringLiteral("&Motor No"));
    auto* ara = new QPushButton(QStringLiteral("&Ara"), this);
    ara->setObjectName(QStringLiteral("BtnAra"));
    SearchRow->addWidget(ara);
    connect(ara, &QPushButton::clicked, this, Guarded([this] { AraClick(); }));
    BtnYeni->hide();
    BtnDuzenle->hide();
    BtnSil->hide();
}

void TFrmBeyanList2::AraClick()
{
    const RuhsatSorgusu s = BeyanListe2Sorgu(m_db, alanOf(m_active, EdPlaka, EdCariAd, EdSase, EdMotor),
                                             m_active ? m_active->text() : QString());
    runList(s.statement, s.binds,
            {QStringLiteral("ŞASE NO"), QStringLiteral("MOTOR NO"), QStringLiteral("PLAKA"), QStringLiteral("CARİ KOD"),
             QStringLiteral("CARİ AD"), QStringLiteral("İL"), QStringLiteral("TELEFON"), QStringLiteral("BABA ADI")});
}

bool TFrmBeyanList2::eventFilter(QObject* o, QEvent* e)
{
    auto* f = qobject_cast<QLineEdit*>(o);
    if (f && (f == EdPlaka || f == EdCariAd || f == EdSase || f == EdMotor)) {
        if (e->type() == QEvent::FocusIn) {
            m_active = f;
            paintActive(f, {EdPlaka, EdCariAd, EdSase, EdMotor});
        }
        if (e->type() == QEvent::KeyPress) {
            const int k = static_cast<QKeyEvent*>(e)->key();
            if (k == Qt::Key_Return || k == Qt::Key_Enter) {
                m_active = f;
                AraClick();
                return true;
            }
        }
    }
    return VehicleListBase::eventFilter(o, e);
}

void TFrmBeyanList2::BtnSecClick()
{
    if (!!BtnSec->isHidden())
        return;
    const QVariantMap row = currentRow();
    if (row.isEmpty() || !RuhsatSecilebilir(1, row))
        return;
    m_secim.SasiNo = Trimmed(row, "SASE_NO").left(30);
    m_result = m_secim.SasiNo;
    accept();
}

TypeIsEmri AracRuhsatSec(SessionContext& ctx, const TypeIsEmri& start, int mode, QWidget* parent)
{
    TFrmBeyanList f(ctx, mode, parent);
    if (mode != 0 && !start.PlakaNo.isEmpty())
        f.EdPlaka->setText(start.PlakaNo);
    f.BtnSec->setVisible(mode >= 1);
    TypeIsEmri result = start;
    if (RunModal(f) == QDialog::Accepted) {
        result.SasiNo = f.secim().SasiNo;
        result.PlakaNo = f.secim().PlakaNo;
        result.MotorNo = f.secim().MotorNo;
    } else {
        result.SasiNo.clear();
    }
    return result;
}

TypeIsEmri BeyanListesiSec(SessionContext& ctx, int mode, QWidget* parent)
{
    TFrmBeyanList2 f(ctx, mode, parent);
    f.BtnSec->setVisible(mode == 1);
    TypeIsEmri result;
    if (RunModal(f) == QDialog::Accepted)
        result.SasiNo = f.secim().SasiNo;
    return result;
}

} // namespace tornaly::workshop
