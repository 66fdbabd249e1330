#include "workshop/pdi/forms/BelgeFormForm.h"
#include "workshop/pdi/PdiOrtak.h"
#include "workshop/pdi/PdiYaz.h"
#include "workshop/pdi/forms/PdiDugme.h"
#include "workshop/vehicles/RecordIo.h"
#include "workshop/vehicles/Registration.h"
#include "workshop/vehicles/forms/AracSakla.h"
#include "workshop/vehicles/forms/Beyan.h"
#include "workshop/vehicles/forms/FieldPanel.h"
#include "workshop/workorders/forms/IEBr.h"
#include "context/SessionContext.h"
#include "connection/DialogRunner.h"
#include "guard/FormGuard.h"
#include "guard/IslemReddi.h"
#include "messages/Messages.h"
#include "report/RaporCikti.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::workshop {

using namespace pdiortak;

namespace {
const QStringList& uygunMetinleri()
{
    static const QStringList m{QString(), QStringLiteral("Evet"), QStringLiteral("Hayır")};
    return m;
}
} // namespace

TFormBelgeForm::TFormBelgeForm(SessionContext& ctx, int tip, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1), m_tip(tip)
{
    setObjectName(QStringLiteral("FormBelgeForm"));
    setWindowTitle(QStringLiteral("FormBelgeForm"));
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(kurBaslik());
    lay->addWidget(kurSorular(), 1);
    lay->addLayout(kurDugmeler());
    resize(1000, 720);
}

QWidget* TFormBelgeForm::kurBaslik()
{
    Alanlar = new FieldPanel(this, 3);
    Alanlar->add(K("BEL_ID"), QStringLiteral("Form No"), FieldPanel::Integer);
    Alanlar->add(K("BEL_TARIH"), QStringLiteral("Tarih"), FieldPanel::Date);
    Alanlar->add(K("BEL_ISEMRI"), QStringLiteral("İş Emri No"), FieldPanel::Text, 10);
    Alanlar->add(K("BEL_SASE_NO"), QStringLiteral("Şase No"), FieldPanel::Text, 30);
    Alanlar->add(K("BEL_PLAKA"), QStringLiteral("Plaka No"), FieldPanel::Text, 15);
    LblModelAdi = new QLabel(this);
    LblModelAdi->setObjectName(QStringLiteral("LblModelAdi"));
    Alanlar->addWidget(QStringLiteral("Model"), LblModelAdi);
    Alanlar->add(K("BEL_MODEL_YIL"), QStringLiteral("Model Yılı"), FieldPanel::Integer);
    Alanlar->add(K("BEL_KM"), QStringLiteral("KM"), FieldPanel::Number);
    Alanlar->add(K("BEL_TRAFIK_TRH"), QStringLiteral("Trafiğe Çıkış Tarihi"), FieldPanel::Date);
    Alanlar->add(K("BEL_CARI_AD"), QStringLiteral("Firma Adı"), FieldPanel::Text, 100);
    Alanlar->add(K("BEL_CARI_IRT"), QStringLiteral("İrtibat Kişi"), FieldPanel::Text, 50);
    Alanlar->add(K("BEL_CARI_TEL1"), QStringLiteral("Tel"), FieldPanel::Text, 20);
    Alanlar->add(K("BEL_CARI_TEL2"), QStringLiteral("Cep"), FieldPanel::Text, 20);
    CmbHazirlayan = new QComboBox(this);
    CmbHazirlayan->setObjectName(QStringLiteral("CmbHazirlayan"));
    PersonelDoldur(CmbHazirlayan, m_db);
    Alanlar->addWidget(QStringLiteral("Hazırlayan Personel"), CmbHazirlayan);
    CmbOnaylayan = new QComboBox(this);
    CmbOnaylayan->setObjectName(QStringLiteral("CmbOnaylayan"));
    PersonelDoldur(CmbOnaylayan, m_db);
    Alanlar->addWidget(QStringLiteral("Onaylayan"), CmbOnaylayan);
    for (const char* c : {"BEL_ID", "BEL_ISEMRI", "BEL_SASE_NO"})
        Alanlar->setReadOnly(K(c), true);
    connect(Alanlar, &FieldPanel::edited, this, Guarded([this] { degisti(); }));
    connect(CmbHazirlayan, &QComboBox::activated, this, Guarded([this] { degisti(); }));
    connect(CmbOnaylayan, &QComboBox::activated, this, Guarded([this] { degisti(); }));
    return Alanlar;
}

QWidget* TFormBelgeForm::kurSorular()
{
    auto* tabs = new QTabWidget(this);
    GridSoru = new QTableWidget(0, 4, tabs);
    GridSoru->setObjectName(QStringLiteral("GridSoru"));
    GridSoru->setHorizontalHeaderLabels(
        {QStringLiteral("SIRA NO"), QStringLiteral("AÇIKLAMA"), QStringLiteral("UYGUN"), QStringLiteral("GÖRÜLEN AKSAKLIK")});
    GridSoru->verticalHeader()->hide();
    GridSoru->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    GridSoru->setColumnWidth(0, 70);
    GridSoru->setColumnWidth(2, 90);
    GridSoru->setColumnWidth(3, 260);
    connect(GridSoru, &QTableWidget::cellChanged, this, Guarded([this](int r, int c) {
        if (m_yukleniyor || c != 3 || r >= m_b.sorular.size())
            return;
        m_b.sorular[r].BS_BILGI = GridSoru->item(r, c)->text();
        degisti();
    }));
    tabs->addTab(GridSoru, QStringLiteral("Kontrol Noktaları"));
    MemoNotlar = new QPlainTextEdit(tabs);
    MemoNotlar->setObjectName(QStringLiteral("MemoNotlar"));
    auto* ek = new QWidget(tabs);
    auto* v = new QVBoxLayout(ek);
    v->addWidget(new QLabel(QStringLiteral("Notlar"), ek));
    v->addWidget(MemoNotlar, 1);
    tabs->addTab(ek, QStringLiteral(" Ek Bilgi "));
    connect(MemoNotlar, &QPlainTextEdit::textChanged, this, Guarded([this] {
        if (!m_yukleniyor)
            degisti();
    }));
    return tabs;
}

QLayout* TFormBelgeForm::kurDugmeler()
{
    auto* h = new QHBoxLayout;
    BtnIsEmriSec = PdiDugme(this, h, "BtnIsEmriSec", QStringLiteral("İş Emri Seç"), &TFormBelgeForm::BtnIsEmriSecClick);
    BtnAracSec = PdiDugme(this, h, "BtnAracSec", QStringLiteral("Araç Seç"), &TFormBelgeForm::BtnAracSecClick);
    BtnMerkez = PdiDugme(this, h, "BtnMerkez", QStringLiteral("Merkezden Sorgula"), &TFormBelgeForm::BtnMerkezClick);
    h->addStretch(1);
    BtnYazdir = PdiDugme(this, h, "BtnYazdir", QStringLiteral("Yazdır"), &TFormBelgeForm::BtnYazdirClick);
    BtnKaydet = PdiDugme(this, h, "BtnKaydet", QStringLiteral("&Kaydet"), &TFormBelgeForm::BtnKaydetClick);
    BtnVazgec = PdiDugme(this, h, "BtnVazgec", QStringLiteral("&Vazgeç"), &TFormBelgeForm::BtnVazgecClick);
    BtnKapat = PdiDugme(this, h, "BtnKapat", QStringLiteral("Kapa&t"), &TFormBelgeForm::BtnKapatClick);
    return h;
}

void TFormBelgeForm::ac(const QString& isEmriNo, const QString& sase)
{
    const int id = BelgeFormBul(m_db, m_tip, isEmriNo, sase);
    if (id > 0) {
        m_b = BelgeFormOku(m_db, id, m_tip);
        m_degisiyor = false;
        m_baslatildi = false;
    } else {
        m_b = BelgeFormYeni(m_db, m_ctx, m_tip);
        m_degisiyor = true;
        m_baslatildi = true;
        // A vehicle the look-up does not find leaves the document empty.
        if (!isEmriNo.trimmed().isEmpty())
            Guard([&] { BelgeIsemriDoldur(m_db, m_b.row, isEmriNo); });
        else if (!sase.trimmed().isEmpty())
            Guard([&] { BelgeAracDoldur(m_db, m_b.row, sase); });
    }
    m_degistiSonra = false;
    goster();
}

int TFormBelgeForm::sonuc() const
{
    const int id = m_b.row.value(K("BEL_ID")).toInt();
    return id > 0 ? id : -1;
}

void TFormBelgeForm::goster()
{
    m_yukleniyor = true;
    Alanlar->load(m_b.row);
    const QString model = m_b.row.value(K("BEL_MODEL")).toString().trimmed();
    LblModelAdi->setText(BelgeBaskiAdlariOku(m_db, m_b.row).modelAdi);
    if (model.isEmpty())
        LblModelAdi->clear();
    int i = CmbHazirlayan->findData(m_b.row.value(K("BEL_PER_KOD")).toString().trimmed());
    CmbHazirlayan->setCurrentIndex(i < 0 ? 0 : i);
    i = CmbOnaylayan->findData(m_b.row.value(K("BEL_ONAY_PER")).toString().trimmed());
    CmbOnaylayan->setCurrentIndex(i < 0 ? 0 : i);
    MemoNotlar->setPlainText(m_b.row.value(K("BEL_ACIKLAMA1")).toString());
    sorulariGoster();
    m_yukleniyor = false;
}

void TFormBelgeForm::sorulariGoster()
{
    const bool eski = m_yukleniyor;
    m_yukleniyor = true;
    GridSoru->setRowCount(int(m_b.sorular.size()));
    QFont kalin = GridSoru->font();
    kalin.setBold(true);
    for (int r = 0; r < m_b.sorular.size(); ++r) {
        const BelgeSoru& s = m_b.sorular.at(r);
        auto* no = new QTableWidgetItem(s.baslik ? QString() : QString::number(s.BS_SORU_NO));
        auto* metin = new QTableWidgetItem(s.BS_SORU_TEXT);
        auto* bilgi = new QTableWidgetItem(s.BS_BILGI);
        no->setFlags(no->flags() & ~Qt::ItemIsEditable);
        metin->setFlags(metin->flags() & ~Qt::ItemIsEditable);
        GridSoru->setItem(r, 0, no);
        GridSoru->setItem(r, 1, metin);
        GridSoru->setItem(r, 3, bilgi);
        if (s.baslik) {
            // A heading is shown in its own style and takes no answer.
            for (QTableWidgetItem* it : {no, metin, bilgi}) {
                it->setFont(kalin);
                it->setBackground(QColor(0xdc, 0xe6, 0xf2));
            }
            bilgi->setFlags(bilgi->flags() & ~Qt::ItemIsEditable);
            auto* bos = new QTableWidgetItem;
            bos->setFlags(Qt::ItemIsEnabled);
            bos->setBackground(QColor(0xdc, 0xe6, 0xf2));
            GridSoru->removeCellWidget(r, 2);
            GridSoru->setItem(r, 2, bos);
            continue;
        }
        // The row's answer box is kept across reloads; a new one only for a new row.
        auto* c = qobject_cast<QComboBox*>(GridSoru->cellWidget(r, 2));
        if (!c) {
            c = new QComboBox(GridSoru);
            c->setObjectName(QStringLiteral("CmbUygun%1").arg(r));
            c->addItems(uygunMetinleri());
            connect(c, &QComboBox::activated, this,
                    Guarded([this, r](int i) { cevapla(r, i == 0 ? -1 : (i == 1 ? 1 : 0)); }));
            GridSoru->setCellWidget(r, 2, c);
        }
        c->setCurrentIndex(s.BS_DEGER.isNull() ? 0 : (s.BS_DEGER.toInt() == 1 ? 1 : 2));
    }
    m_yukleniyor = eski;
}

void TFormBelgeForm::cevapla(int satir, int deger, const QString& bilgi)
{
    if (satir < 0 || satir >= m_b.sorular.size() || m_b.sorular.at(satir).baslik)
        return;
    BelgeSoru& s = m_b.sorular[satir];
    s.BS_DEGER = deger < 0 ? QVariant() : QVariant(deger);
    if (!bilgi.isEmpty())
        s.BS_BILGI = bilgi;
    if (auto* c = qobject_cast<QComboBox*>(GridSoru->cellWidget(satir, 2))) {
        const bool eski = m_yukleniyor;
        m_yukleniyor = true;
        c->setCurrentIndex(deger < 0 ? 0 : (deger == 1 ? 1 : 2));
        if (!bilgi.isEmpty())
            GridSoru->item(satir, 3)->setText(bilgi);
        m_yukleniyor = eski;
    }
    degisti();
}

void TFormBelgeForm::degisti()
{
    if (m_yukleniyor)
        return;
    m_degisiyor = true;
    m_degistiSonra = true;
}

bool TFormBelgeForm::oku()
{
    QVariantMap r = m_b.row;
    if (!Alanlar->store(r))
        return false; // the panel has told the user
    r[K("BEL_PER_KOD")] = CmbHazirlayan->currentData().toString();
    r[K("BEL_ONAY_PER")] = CmbOnaylayan->currentData().toString();
    r[K("BEL_ACIKLAMA1")] = MemoNotlar->toPlainText().left(255);
    for (const char* c : {"BEL_PER_KOD", "BEL_ONAY_PER", "BEL_ACIKLAMA1"})
        if (r.value(K(c)).toString().trimmed().isEmpty())
            r[K(c)] = QVariant();
    m_b.row = r;
    return true;
}

void TFormBelgeForm::BtnIsEmriSecClick()
{
    const QString no = isEmriSecici ? isEmriSecici() : IsemriSec(m_ctx, 1, QString(), this).IsEmriNo;
    if (no.isEmpty() || !oku())
        return;
    QVariantMap r = m_b.row;
    BelgeIsemriDoldur(m_db, r, no);
    m_b.row = r;
    goster();
    degisti();
}

void TFormBelgeForm::BtnAracSecClick()
{
    const QString sase = aracSecici ? aracSecici() : AracRuhsatSec(m_ctx, TypeIsEmri{}, 2, this).SasiNo;
    if (sase.isEmpty() || !oku())
        return;
    QVariantMap r = m_b.row;
    BelgeAracDoldur(m_db, r, sase);
    m_b.row = r;
    goster();
    degisti();
}

void TFormBelgeForm::BtnMerkezClick()
{
    if (!oku())
        return;
    if (BelgeAracUyumlu(m_db, m_b.row)) {
        ShowInfo(QStringLiteral("Araç bilgileri merkezden kontrol edilmiştir."));
        return;
    }
    ShowWarning(QStringLiteral("Araç bilgileri merkezdeki bilgilerle uyumsuz. Lütfen araç bilgilerini güncelleyiniz!"));
    const QString sase = m_b.row.value(K("BEL_SASE_NO")).toString().trimmed();
    if (sase.isEmpty() || AracKartGir(m_ctx, sase, false, this).isEmpty())
        return;
    QVariantMap r = m_b.row;
    BelgeAracDoldur(m_db, r, sase);
    m_b.row = r;
    goster();
    degisti();
}

void TFormBelgeForm::BtnKaydetClick()
{
    if (!m_degisiyor || !oku())
        return;
    BelgeFormKaydet(m_db, m_ctx, m_b);
    m_degisiyor = false;
    m_degistiSonra = false;
    goster();
}

void TFormBelgeForm::BtnVazgecClick()
{
    if (m_baslatildi && !m_degistiSonra) {
        QDialog::reject();
        return;
    }
    const int id = m_b.row.value(K("BEL_ID")).toInt();
    if (m_b.kayitli) {
        m_b = BelgeFormOku(m_db, id, m_tip);
        m_degisiyor = false;
    } else {
        // An unsaved new document keeps its id and starts over empty.
        const QVariantMap eski = m_b.row;
        m_b.row = {{K("BEL_ID"), id}, {K("BEL_TIP"), m_tip}, {K("BEL_PER_KOD"), eski.value(K("BEL_PER_KOD"))},
                   {K("BEL_TARIH"), eski.value(K("BEL_TARIH"))}};
        m_b.sorular = BelgeSorulari(m_db, id, m_tip);
    }
    m_degistiSonra = false;
    goster();
}

void TFormBelgeForm::BtnKapatClick()
{
    if (m_degisiyor) {
        ShowWarning(QStringLiteral("Kaydı saklayın yada iptal edin!"));
        return;
    }
    if (m_b.kayitli && sonuc() > 0)
        accept();
    else
        QDialog::reject();
}

void TFormBelgeForm::reject()
{
    // Esc and the window's close box act as "Kapa&t".
    Guard([this] { BtnKapatClick(); });
}

void TFormBelgeForm::BtnYazdirClick()
{
    report::OutputDocument(report::Render(SonKontrolYaz(m_b, BelgeBaskiAdlariOku(m_db, m_b.row))), report::OutputPreview);
}

int ShowBelgeForm(SessionContext& ctx, int tip, const QString& isEmriNo, const QString& sase, QWidget* parent)
{
    TFormBelgeForm f(ctx, tip, parent);
    f.ac(isEmriNo, sase);
    return RunModal(f) == QDialog::Accepted ? f.sonuc() : -1;
}

} // namespace tornaly::workshop
