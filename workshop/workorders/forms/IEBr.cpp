#include "workshop/workorders/forms/IEBr.h"
#include "controls/TarihEdit.h"
#include "guard/FormGuard.h"

#include "connection/DialogRunner.h"
#include "context/SessionContext.h"
#include "messages/Messages.h"
#include "sql/SqlHelpers.h"
#include "workshop/workorders/forms/IsEmri.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>

namespace tornaly::workshop {

namespace {
QString t(const QVariant& v) { return v.toString().trimmed(); }

const QStringList kListeBasliklari{
    QStringLiteral("İşEmriNo"), QStringLiteral("İETip"), QStringLiteral("Cari Kod"), QStringLiteral("Giriş#"),
    QStringLiteral("Model"), QStringLiteral("Model Yılı"), QStringLiteral("Şase No"), QStringLiteral("Motor No"),
    QStringLiteral("Km"), QStringLiteral("Trf.Çık.Trh"), QStringLiteral("Renk"), QStringLiteral("Plaka"),
    QStringLiteral("Giriş Tarih"), QStringLiteral("Çıkış Tarih"), QStringLiteral("Durum"), QStringLiteral("İptal"),
    QStringLiteral("Yıl"), QStringLiteral("Cari Adı"), QStringLiteral("Araç Teslim Alan"), QStringLiteral("Toplam"),
    QStringLiteral("İşçilik"), QStringLiteral("Parça"), QStringLiteral("BackOrder"), QStringLiteral("Atölye"),
    QStringLiteral("Araç Durum")};

} // namespace

// The shared card, made when it is not open.
static TFormIsEmri* paylasilanKart(SessionContext& ctx, QWidget* parent)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<TFormIsEmri*>(w); f && f->objectName() == QLatin1String("FormIsEmri") && f->isVisible())
            return f;
    auto* f = new TFormIsEmri(ctx, parent);
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->show();
    return f;
}

QDateEdit* BosTarihEdit(QWidget* parent, const char* name)
{
    auto* d = new TTarihEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    d->setCalendarPopup(true);
    d->setMinimumDate(QDate(1900, 1, 1));
    d->setSpecialValueText(QStringLiteral(" "));
    d->setDate(d->minimumDate());
    return d;
}
QDate BosTarih(const QDateEdit* d) { return d->date() > d->minimumDate() ? d->date() : QDate(); }
void BosTarihSil(QDateEdit* d) { d->setDate(d->minimumDate()); }

void IsEmriKartindaAc(SessionContext& ctx, const QVariantMap& row, QWidget* parent)
{
    if (t(row.value(QStringLiteral("KAPANDI"))) == QLatin1String("E")
        && Messages().show(MsgIcon::Warning,
                           QStringLiteral("Bu İş Emri Kapalı, Değişiklik Yapamazsınız, Görmek İstiyor musunuz?"),
                           MsgYes | MsgNo, MsgNo, QStringLiteral("Uyarı!"))
               != MsgYes)
        return;
    paylasilanKart(ctx, parent)->isemriac(t(row.value(QStringLiteral("IS_EMRI_NO"))));
}

TFormIEBr::TFormIEBr(SessionContext& ctx, int mode, const QString& tipFiltre, QWidget* parent)
    : VehicleListBase(ctx, mode == 2 ? 1 : mode, parent), m_tipFiltre(tipFiltre)
{
    setObjectName(QStringLiteral("FormIEBr"));
    setWindowTitle(QStringLiteral("İŞ EMİRLERİ"));
    auto* grid = new QGridLayout;
    auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    EdAraNo = edit("EdAraNo");
    EdAraPlaka = edit("EdAraPlaka");
    EdFiltCari = edit("EdFiltCari");
    EdFiltYil = edit("EdFiltYil");
    EdFiltPlaka = edit("EdFiltPlaka");
    // Wide enough for what each holds: a work-order number, a plate, an
    // account code, a four-digit year.
    const QFontMetrics fm(font());
    for (auto [e, sample] : {std::pair{EdAraNo, "IS000000"}, std::pair{EdAraPlaka, "34 ABC 1234"},
                             std::pair{EdFiltCari, "120.000.000"}, std::pair{EdFiltYil, "20000"}})
        e->setMinimumWidth(fm.horizontalAdvance(QString::fromLatin1(sample)) + 16);
    CbDurum = new QComboBox(this);
    CbDurum->setObjectName(QStringLiteral("CbDurum"));
    CbDurum->addItems({QStringLiteral("Açık"), QStringLiteral("Kapalı"), QStringLiteral("Tümü")});
    CbTip = new QComboBox(this);
    CbTip->setObjectName(QStringLiteral("CbTip"));
    CbTip->addItem(QStringLiteral("Tümü"), QString());
    Query q(m_db, QStringLiteral("SELECT ISEMRI_TIP, ISEMRI_TIP_ADI FROM ISEMRITIP ORDER BY ISEMRI_TIP"));
    q.exec();
    while (q.next())
        CbTip->addItem(q.str(QStringLiteral("ISEMRI_TIP")) + QStringLiteral(" - ") + q.str(QStringLiteral("ISEMRI_TIP_ADI")),
                       q.str(QStringLiteral("ISEMRI_TIP")));
    CbSira = new QComboBox(this);
    CbSira->setObjectName(QStringLiteral("CbSira"));
    CbSira->addItems({QStringLiteral("İ.E.No"), QStringLiteral("Cari Kod"), QStringLiteral("Grş.Trh.i"),
                      QStringLiteral("Çkş.Trh.i"), QStringLiteral("Plaka"), QStringLiteral("Şase No")});
    Chk15Gun = new QCheckBox(QStringLiteral("15 İşgününü geçen açık iş emrileri"), this);
    Chk15Gun->setObjectName(QStringLiteral("Chk15Gun"));
    ChkBackOrder = new QCheckBox(QStringLiteral("BackOrder Olan"), this);
    ChkBackOrder->setObjectName(QStringLiteral("ChkBackOrder"));
    DtGirisBas = BosTarihEdit(this, "DtGirisBas");
    DtGirisSon = BosTarihEdit(this, "DtGirisSon");
    BtnFiltrele = new QPushButton(QStringLiteral("Filtrele F6"), this);
    BtnFiltrele->setObjectName(QStringLiteral("BtnFiltrele"));
    BtnFiltrele->setShortcut(QKeySequence(Qt::Key_F6));
    BtnFiltKaldir = new QPushButton(QStringLiteral("&Filt.Kaldır F5"), this);
    BtnFiltKaldir->setObjectName(QStringLiteral("BtnFiltKaldir"));
    BtnFiltKaldir->setShortcut(QKeySequence(Qt::Key_F5));
    BtnGecmis = new QPushButton(QStringLiteral("Ara&cın İş Emirleri"), this);
    BtnGecmis->setObjectName(QStringLiteral("BtnGecmis"));
    for (QPushButton* b : {BtnFiltrele, BtnFiltKaldir, BtnGecmis})
        b->setAutoDefault(false);
    int c = 0;
    auto add = [&](const QString& label, QWidget* w, int row) {
        auto* l = new QLabel(label, this);
        l->setBuddy(w);
        grid->addWidget(l, row, c);
        grid->addWidget(w, row, c + 1);
    };
    add(QStringLiteral("Aranan I.E. &No"), EdAraNo, 0);
    add(QStringLiteral("Aranan &Plaka"), EdAraPlaka, 1);
    c = 2;
    add(QStringLiteral("Cari Kod"), EdFiltCari, 0);
    add(QStringLiteral("İ.E.Yılı"), EdFiltYil, 1);
    c = 4;
    add(QStringLiteral("Plaka"), EdFiltPlaka, 0);
    add(QStringLiteral("İş Emri Tip"), CbTip, 1);
    c = 6;
    add(QStringLiteral("Giriş Tarih Aralığı"), DtGirisBas, 0);
    add(QString(), DtGirisSon, 1);
    c = 8;
    add(QStringLiteral("Durum"), CbDurum, 0);
    add(QStringLiteral("Sıralama Değiş"), CbSira, 1);
    grid->addWidget(Chk15Gun, 0, 10);
    grid->addWidget(ChkBackOrder, 1, 10);
    grid->addWidget(BtnFiltrele, 0, 11);
    grid->addWidget(BtnFiltKaldir, 1, 11);
    grid->addWidget(BtnGecmis, 0, 12);
    SearchRow->addLayout(grid);

    const QString hak = m_ctx.AktifKullanici.isemri;
    BtnYeni->setEnabled(mode != 2 && IsEmriYeniHakki(hak));
    BtnDuzenle->setEnabled(mode != 2 && IsEmriDegistirHakki(hak));
    BtnSil->setEnabled(IsEmriSilHakki(hak));
    BtnSec->setVisible(mode == 1 || mode == 2 || mode == 10);
    BtnSec->setEnabled(mode != 5);

    connect(BtnFiltrele, &QPushButton::clicked, this, Guarded(this, &TFormIEBr::BtnFiltreleClick));
    connect(BtnFiltKaldir, &QPushButton::clicked, this, Guarded(this, &TFormIEBr::BtnFiltKaldirClick));
    connect(BtnGecmis, &QPushButton::clicked, this, Guarded(this, &TFormIEBr::BtnGecmisClick));
    connect(CbSira, &QComboBox::currentIndexChanged, this, Guarded(this, &TFormIEBr::BtnFiltreleClick));
    connect(EdAraNo, &QLineEdit::textEdited, this,
            Guarded([this](const QString& s) { locate(QStringLiteral("IS_EMRI_NO"), IsEmriNoFromSearch(s)); }));
    connect(EdAraPlaka, &QLineEdit::textEdited, this, Guarded([this](const QString& s) { locate(QStringLiteral("PLAKA_NO"), s); }));

    // Opening filters of each mode.
    IEBrFiltre f;
    f.yil = m_ctx.CalismaYili;
    if (mode == 5)
        f.plan = IEBrFiltre::Plan::Hayir;
    if (mode == 10)
        f.durum = IEBrFiltre::Durum::Kapali;
    if (!tipFiltre.isEmpty())
        f.tipler = {tipFiltre};
    setFiltre(f);
    BtnFiltreleClick();
    EdAraNo->setFocus();
    resize(1280, 640);
}

IEBrFiltre TFormIEBr::filtre() const
{
    IEBrFiltre f;
    f.onbesGun = Chk15Gun->isChecked();
    f.cariKod = EdFiltCari->text();
    f.yil = EdFiltYil->text();
    f.plaka = EdFiltPlaka->text();
    f.girisBas = BosTarih(DtGirisBas);
    f.girisSon = BosTarih(DtGirisSon);
    f.durum = static_cast<IEBrFiltre::Durum>(CbDurum->currentIndex());
    if (!CbTip->currentData().toString().isEmpty())
        f.tipler = {CbTip->currentData().toString()};
    f.backOrder = ChkBackOrder->isChecked();
    f.sira = static_cast<IEBrFiltre::Sira>(CbSira->currentIndex());
    return f;
}

void TFormIEBr::setFiltre(const IEBrFiltre& f)
{
    Chk15Gun->setChecked(f.onbesGun);
    EdFiltCari->setText(f.cariKod);
    EdFiltYil->setText(f.yil);
    EdFiltPlaka->setText(f.plaka);
    DtGirisBas->setDate(f.girisBas.isValid() ? f.girisBas : DtGirisBas->minimumDate());
    DtGirisSon->setDate(f.girisSon.isValid() ? f.girisSon : DtGirisSon->minimumDate());
    CbDurum->setCurrentIndex(int(f.durum));
    CbTip->setCurrentIndex(qMax(0, CbTip->findData(f.tipler.value(0))));
    ChkBackOrder->setChecked(f.backOrder);
}

void TFormIEBr::BtnFiltreleClick()
{
    Sorgu s;
    IEBrFiltre f = filtre();
    // The browser starts with open work orders without a work plan.
    if (mode() == 5)
        f.plan = IEBrFiltre::Plan::Hayir;
    if (!IEBrSorgu(m_db, f, s))
        return;
    if (f.onbesGun)
        CbDurum->setCurrentIndex(0);
    runList(s.statement, s.binds, kListeBasliklari);
}

void TFormIEBr::BtnFiltKaldirClick()
{
    EdFiltCari->clear();
    EdFiltPlaka->clear();
    DtGirisBas->setDate(DtGirisBas->minimumDate());
    DtGirisSon->setDate(DtGirisSon->minimumDate());
    CbDurum->setCurrentIndex(2);
    Chk15Gun->setChecked(false);
}

void TFormIEBr::BtnYeniClick()
{
    if (!BtnYeni->isEnabled())
        return;
    paylasilanKart(m_ctx, this);
}

void TFormIEBr::BtnDuzenleClick()
{
    const QVariantMap row = currentRow();
    if (row.isEmpty() || !BtnDuzenle->isEnabled())
        return;
    IsEmriKartindaAc(m_ctx, row, this);
}

void TFormIEBr::BtnSilClick()
{
    const QVariantMap row = currentRow();
    if (row.isEmpty() || !BtnSil->isEnabled())
        return;
    if (IsEmriSil(m_db, t(row.value(QStringLiteral("IS_EMRI_NO")))))
        BtnFiltreleClick();
}

void TFormIEBr::BtnSecClick()
{
    const QVariantMap row = currentRow();
    if (row.isEmpty())
        return;
    if (row.value(QStringLiteral("FYILI")).toInt() != m_ctx.CalismaYili.toInt()
        && Messages().show(MsgIcon::Warning,
                           QStringLiteral("Dikkat İşemrinin  Yılı Farklı Yine de İşlem Yapmak İstiyor musunuz?"),
                           MsgYes | MsgNo, MsgNo, {})
               != MsgYes)
        return;
    m_secilen = TypeIsEmri();
    m_secilen.IsEmriNo = t(row.value(QStringLiteral("IS_EMRI_NO")));
    m_secilen.IsEmriTip = t(row.value(QStringLiteral("IE_TIP")));
    m_secilen.CariKod = t(row.value(QStringLiteral("CARI_KOD")));
    m_secilen.PlakaNo = t(row.value(QStringLiteral("PLAKA_NO")));
    m_secilen.SasiNo = t(row.value(QStringLiteral("SASI_NO")));
    m_secilen.MotorNo = t(row.value(QStringLiteral("MOTOR_NO")));
    m_secilen.Model = t(row.value(QStringLiteral("ARAC_TIP")));
    m_secilen.Kapandi = t(row.value(QStringLiteral("KAPANDI")));
    m_secilen.FYili = qint16(row.value(QStringLiteral("FYILI")).toInt());
    m_secilen.KM = row.value(QStringLiteral("KM")).toDouble();
    m_result = m_secilen.IsEmriNo;
    accept();
}

void TFormIEBr::BtnGecmisClick()
{
    const QVariantMap row = currentRow();
    if (!row.isEmpty())
        ShowIEGecmis(m_ctx, t(row.value(QStringLiteral("SASI_NO"))), QString(), true, this);
}

TypeIsEmri IsemriSec(SessionContext& ctx, int mode, const QString& tipFiltre, QWidget* parent)
{
    TFormIEBr f(ctx, mode, tipFiltre, parent);
    if (RunModal(f) == QDialog::Accepted)
        return f.secilen();
    return {};
}

// ---- Types --------------------------------------------------------------

TFormIsemriTipBr::TFormIsemriTipBr(SessionContext& ctx, int mode, QWidget* parent) : VehicleListBase(ctx, mode, parent)
{
    setObjectName(QStringLiteral("FormIsemriTipBr"));
    setWindowTitle(QStringLiteral("İşemri Tipleri"));
    BtnYeni->hide();
    BtnSil->hide();
    BtnSec->setVisible(mode == 1);
    auto* legend = new QLabel(QStringLiteral("Sabit İşemri Tipi"), this);
    legend->setStyleSheet(QStringLiteral("color: grey"));
    SearchRow->addWidget(legend);
    SearchRow->addStretch(1);
    tablo();
    resize(420, 480);
}

void TFormIsemriTipBr::tablo()
{
    runList(QStringLiteral("SELECT ISEMRI_TIP, ISEMRI_TIP_ADI FROM ISEMRITIP ORDER BY ISEMRI_TIP"), {},
            {QStringLiteral("Tip"), QStringLiteral("Adı")});
}

void TFormIsemriTipBr::BtnDuzenleClick()
{
    const QVariantMap row = currentRow();
    if (row.isEmpty())
        return;
    const QString tip = t(row.value(QStringLiteral("ISEMRI_TIP")));
    if (IsemriTipSabitMi(tip)) {
        IsemriTipAdiDegistir(m_db, tip, QString()); // shows the refusal
        return;
    }
    const auto ad = Messages().askText(QStringLiteral("İşemri Tipi"), QStringLiteral("Adı"),
                                       t(row.value(QStringLiteral("ISEMRI_TIP_ADI"))));
    if (!ad)
        return;
    IsemriTipAdiDegistir(m_db, tip, ad->trimmed());
    tablo();
    locate(QStringLiteral("ISEMRI_TIP"), tip);
}

QString IsemriTipSec(SessionContext& ctx, const QString& baslangic, int mode, QWidget* parent)
{
    if (mode == 1) {
        TFormIsemriTipBr f(ctx, 1, parent);
        f.locate(QStringLiteral("ISEMRI_TIP"), baslangic);
        return RunModal(f) == QDialog::Accepted ? f.result() : QString();
    }
    auto* f = new TFormIsemriTipBr(ctx, mode, parent);
    f->setAttribute(Qt::WA_DeleteOnClose);
    RunModal(*f);
    return {};
}

// ---- History ------------------------------------------------------------

TFormIEGecmis::TFormIEGecmis(SessionContext& ctx, const QString& sase, const QString& plaka, QWidget* parent)
    : VehicleListBase(ctx, 1, parent)
{
    setObjectName(QStringLiteral("FormIEGecmis"));
    setWindowTitle(QStringLiteral("Geçmiş İş Emirleri"));
    BtnYeni->hide();
    BtnDuzenle->hide();
    BtnSil->hide();
    const Sorgu s = IEGecmisSorgu(sase, plaka);
    QStringList caps{QStringLiteral("Servis"), QStringLiteral("İşEmriNo"), QStringLiteral("Tip"),
                     QStringLiteral("Trf.Çık.Trh"), QStringLiteral("Çıkış Trh"), QStringLiteral("Cari"),
                     QStringLiteral("Giriş Trh"), QStringLiteral("Km")};
    runList(s.statement, s.binds, caps);
}

void TFormIEGecmis::BtnSecClick()
{
    const QVariantMap row = currentRow();
    if (row.isEmpty())
        return;
    TFormIsEmri* kart = paylasilanKart(m_ctx, parentWidget());
    kart->isemriac(t(row.value(QStringLiteral("IS_EMRI_NO"))));
    close();
}

void ShowIEGecmis(SessionContext& ctx, const QString& sase, const QString& plaka, bool secilebilir, QWidget* parent)
{
    if (sase.trimmed().isEmpty() && plaka.trimmed().isEmpty()) {
        ShowWarning(QStringLiteral("Şase/Plaka mevcut değil!"));
        return;
    }
    auto* f = new TFormIEGecmis(ctx, sase, plaka, parent);
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->BtnSec->setVisible(true);
    f->BtnSec->setEnabled(secilebilir);
    f->show();
}

TFormYPGarKontrol::TFormYPGarKontrol(SessionContext& ctx, const QString& isEmriNo, QWidget* parent)
    : VehicleListBase(ctx, 0, parent), m_isEmriNo(isEmriNo)
{
    setObjectName(QStringLiteral("FormYPGarKontrol"));
    setWindowTitle(QStringLiteral("Yedek Parça Garanti Kontrolü"));
    BtnYeni->hide();
    BtnDuzenle->hide();
    BtnSil->hide();
    SearchRow->addWidget(new QLabel(QStringLiteral(" Garanti Süresi  "), this));
    Rb12 = new QRadioButton(QStringLiteral("12 Ay"), this);
    Rb24 = new QRadioButton(QStringLiteral("24 Ay"), this);
    RbDiger = new QRadioButton(this);
    SpAy = new QSpinBox(this);
    SpAy->setRange(1, 240);
    SpAy->setValue(36);
    Rb24->setChecked(true);
    auto* sorgula = new QPushButton(QStringLiteral("&Sorgula"), this);
    for (QWidget* w : std::initializer_list<QWidget*>{Rb12, Rb24, RbDiger, SpAy, sorgula})
        SearchRow->addWidget(w);
    SearchRow->addStretch(1);
    connect(SpAy, &QSpinBox::valueChanged, RbDiger, Guarded([this] { RbDiger->setChecked(true); }));
    connect(sorgula, &QPushButton::clicked, this, Guarded(this, &TFormYPGarKontrol::BtnSorgulaClick));
    BtnSorgulaClick();
}

void TFormYPGarKontrol::BtnSorgulaClick()
{
    const int ay = Rb12->isChecked() ? 12 : Rb24->isChecked() ? 24 : SpAy->value();
    const Sorgu s = YPGarantiSorgu(m_db, m_isEmriNo, ay);
    runList(s.statement, s.binds,
            {QStringLiteral("İşemri No"), QStringLiteral("Araç Giriş Trh."), QStringLiteral("Çıkış Trh"),
             QStringLiteral("Teslim Trh"), QStringLiteral("İstenen"), QStringLiteral("Verilen"),
             QStringLiteral("Garanti Tipi"), QStringLiteral("Stok Kodu"), QStringLiteral("Parça Adı")});
}

void YPGarKontrolGoster(SessionContext& ctx, const QString& isEmriNo, QWidget* parent)
{
    auto* f = new TFormYPGarKontrol(ctx, isEmriNo, parent);
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->show();
}

} // namespace tornaly::workshop
