#include "workshop/pdi/forms/PDI.h"
#include "workshop/pdi/PdiOrtak.h"
#include "workshop/pdi/forms/BelgeFormForm.h"
#include "workshop/pdi/forms/PdiFormuForm.h"
#include "workshop/pdi/forms/PdiDugme.h"
#include "workshop/pdi/forms/PdiKodForm.h"
#include "workshop/vehicles/Catalogue.h"
#include "workshop/vehicles/forms/AracSakla.h"
#include "workshop/vehicles/forms/FieldPanel.h"
#include "workshop/workorders/forms/IsEmri.h"
#include "connection/DonPara.h"
#include "context/SessionContext.h"
#include "guard/FormGuard.h"
#include "guard/IslemReddi.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "messages/Messages.h"
#include "personnel/PersonBr.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace tornaly::workshop {

using namespace pdiortak;

namespace {

// Enter in the chassis list goes to the chosen record; Esc returns to the
// PDI number field.
class SaseListeFiltresi : public QObject {
public:
    SaseListeFiltresi(TFormPDI* f) : QObject(f), m_f(f) {}
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                Guard([this] { m_f->ListeSaseSec(); });
                return true;
            }
            if (key == Qt::Key_Escape) {
                m_f->Edit1->setFocus();
                return true;
            }
        }
        if (e->type() == QEvent::FocusOut)
            static_cast<QWidget*>(o)->hide();
        return false;
    }

private:
    TFormPDI* m_f;
};
} // namespace

TFormPDI::TFormPDI(SessionContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    setObjectName(QStringLiteral("FormPDI"));
    setWindowTitle(QStringLiteral("PDI Kayıtları"));
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(kurGezgin());
    lay->addWidget(kurAlanlar());
    lay->addWidget(kurHatalar(), 1);
    lay->addLayout(kurDugmeler());
    resize(940, 700);
    // Opening positions on the last record.
    git(QString());
}

QWidget* TFormPDI::kurGezgin()
{
    auto* w = new QWidget(this);
    auto* v = new QVBoxLayout(w);
    v->setContentsMargins(0, 0, 0, 0);
    auto* h = new QHBoxLayout;
    struct Dugme {
        const char* ad;
        const char* metin;
        QString ipucu;
        void (TFormPDI::*slot)();
    };
    const Dugme dugmeler[] = {
        {"NavIlk", "|<", QStringLiteral("İlk Kayıt"), &TFormPDI::IlkClick},
        {"NavOnceki", "<", QStringLiteral("Önceki Kayıt"), &TFormPDI::OncekiClick},
        {"NavSonraki", ">", QStringLiteral("Sonraki Kayıt"), &TFormPDI::SonrakiClick},
        {"NavSon", ">|", QStringLiteral("Son Kayıt"), &TFormPDI::SonClick},
        {"NavYeni", "+", QStringLiteral("Yeni Kayıt"), &TFormPDI::YeniClick},
        {"NavSil", "-", QStringLiteral("Sil"), &TFormPDI::SilClick},
        {"NavDuzelt", "▲", QStringLiteral("Düzelt"), &TFormPDI::DuzeltClick},
        {"NavSakla", "✓", QStringLiteral("Sakla"), &TFormPDI::SaklaClick},
        {"NavIptal", "✗", QStringLiteral("İptal"), &TFormPDI::IptalClick},
        {"NavYenile", "↻", QStringLiteral("Yenile"), &TFormPDI::YenileClick},
    };
    for (const Dugme& d : dugmeler) {
        auto* b = new QToolButton(w);
        b->setObjectName(QString::fromLatin1(d.ad));
        b->setText(QString::fromUtf8(d.metin));
        b->setToolTip(d.ipucu);
        b->setMinimumWidth(30);
        const auto slot = d.slot;
        connect(b, &QToolButton::clicked, this, Guarded([this, slot] { (this->*slot)(); }));
        h->addWidget(b);
        m_gezgin << b;
    }
    h->addSpacing(20);
    auto* l1 = new QLabel(QStringLiteral("&Aranan PDI No"), w);
    Edit1 = new QLineEdit(w);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    l1->setBuddy(Edit1);
    auto* l2 = new QLabel(QStringLiteral("Aranan Şa&si"), w);
    Edit2 = new QLineEdit(w);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    l2->setBuddy(Edit2);
    Edit2->setMinimumWidth(180);
    h->addWidget(l1);
    h->addWidget(Edit1);
    h->addWidget(l2);
    h->addWidget(Edit2);
    h->addStretch(1);
    v->addLayout(h);
    connect(Edit1, &QLineEdit::returnPressed, this, Guarded([this] { Edit1Enter(); }));
    connect(Edit2, &QLineEdit::returnPressed, this, Guarded([this] { Edit2Enter(); }));

    ListeSase = new QTableWidget(0, 4, w);
    ListeSase->setObjectName(QStringLiteral("ListeSase"));
    ListeSase->setHorizontalHeaderLabels({QStringLiteral("PDI No"), QStringLiteral("Şase No"), QStringLiteral("Model Kodu"),
                                          QStringLiteral("Renk Kodu")});
    ListeSase->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListeSase->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListeSase->verticalHeader()->hide();
    ListeSase->horizontalHeader()->setStretchLastSection(true);
    ListeSase->setMaximumHeight(140);
    ListeSase->installEventFilter(new SaseListeFiltresi(this));
    ListeSase->hide();
    connect(ListeSase, &QTableWidget::cellDoubleClicked, this, Guarded([this] { ListeSaseSec(); }));
    v->addWidget(ListeSase);
    return w;
}

QWidget* TFormPDI::kurAlanlar()
{
    Alanlar = new FieldPanel(this, 2);
    Alanlar->add(K("PDI_NO"), QStringLiteral("PDI No"), FieldPanel::Text, 7);
    Alanlar->add(K("TARIH"), QStringLiteral("Tarih"), FieldPanel::Date);
    Alanlar->add(K("SASE_NO"), QStringLiteral("Şa&se No"), FieldPanel::Text, 25);
    Alanlar->add(K("MOTOR_NO"), QStringLiteral("&Motor No"), FieldPanel::Text, 25);
    Alanlar->add(K("MODEL_KODU"), QStringLiteral("Model Kodu"), FieldPanel::Text, 15);
    LblModelAdi = new QLabel(this);
    LblModelAdi->setObjectName(QStringLiteral("LblModelAdi"));
    Alanlar->addWidget(QStringLiteral("Model Adı"), LblModelAdi);
    Alanlar->add(K("RENK_KODU"), QStringLiteral("Renk Kodu"), FieldPanel::Text, 11);
    LblRenkAdi = new QLabel(this);
    LblRenkAdi->setObjectName(QStringLiteral("LblRenkAdi"));
    Alanlar->addWidget(QStringLiteral("Renk Adı"), LblRenkAdi);
    Alanlar->add(K("LASTIK_MARKASI"), QStringLiteral("Lastik Markası"), FieldPanel::Text, 15);
    Alanlar->add(K("AKU_MARKASI"), QStringLiteral("Akü Markası"), FieldPanel::Text, 15);
    Alanlar->add(K("ANAHTAR_KNL_NO"), QStringLiteral("Anahtar Kanal No"), FieldPanel::Text, 15);
    Alanlar->add(K("IMM_KNT_KOD"), QStringLiteral("İmm.Knt.Ün.Kodu"), FieldPanel::Text, 15);
    Alanlar->add(K("TEYP_KOD"), QStringLiteral("Teyp Kodu"), FieldPanel::Text, 15);
    Alanlar->add(K("BIJON_SIFRE"), QStringLiteral("Bijon Şifresi"), FieldPanel::Text, 15);
    Alanlar->add(K("ONAY_VEREN"), QStringLiteral("Onaylayan"), FieldPanel::Text, 40);
    Alanlar->add(K("MODEL_SERISI"), QStringLiteral("İş emri No"), FieldPanel::Text, 10);
    Alanlar->setReadOnly(K("PDI_NO"), true);
    Alanlar->setReadOnly(K("MODEL_SERISI"), true);
    connect(Alanlar, &FieldPanel::edited, this, Guarded([this] {
        if (!m_yukleniyor)
            duzenlemeyeGec();
    }));
    connect(Alanlar->editor(K("SASE_NO")), &QLineEdit::returnPressed, this,
            Guarded([this] { AracAra(PdiAracAlani::Sase); }));
    connect(Alanlar->editor(K("MOTOR_NO")), &QLineEdit::returnPressed, this,
            Guarded([this] { AracAra(PdiAracAlani::Motor); }));
    return Alanlar;
}

QWidget* TFormPDI::kurHatalar()
{
    auto* w = new QWidget(this);
    auto* v = new QVBoxLayout(w);
    v->setContentsMargins(0, 0, 0, 0);
    GridHata = new QTableWidget(0, 5, w);
    GridHata->setObjectName(QStringLiteral("GridHata"));
    GridHata->setHorizontalHeaderLabels({QStringLiteral("S.N."), QStringLiteral("HY.Kod"), QStringLiteral("Hata Yeri"),
                                         QStringLiteral("HA.Kod"), QStringLiteral("Hata Adı")});
    GridHata->verticalHeader()->hide();
    GridHata->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    GridHata->horizontalHeader()->setSectionResizeMode(4, QHeaderView::Stretch);
    GridHata->setColumnWidth(0, 50);
    GridHata->setColumnWidth(1, 80);
    GridHata->setColumnWidth(3, 80);
    v->addWidget(GridHata, 1);
    connect(GridHata, &QTableWidget::cellChanged, this, Guarded([this](int r, int c) { hataKoduYazildi(r, c); }));
    connect(GridHata, &QTableWidget::cellDoubleClicked, this, Guarded([this](int, int c) {
        if (c == 1 || c == 3)
            HataSecClick();
    }));
    auto* h = new QHBoxLayout;
    BtnSatirEkle = PdiDugme(this, h, "BtnSatirEkle", QStringLiteral("Hata Ekle"), &TFormPDI::SatirEkleClick);
    BtnSatirSil = PdiDugme(this, h, "BtnSatirSil", QStringLiteral("Hata Sil"), &TFormPDI::SatirSilClick);
    BtnHataSec = PdiDugme(this, h, "BtnHataSec", QStringLiteral("..."), &TFormPDI::HataSecClick);
    BtnHataSec->setToolTip(QStringLiteral("HY.Kod / HA.Kod seç"));
    h->addStretch(1);
    v->addLayout(h);
    return w;
}

QLayout* TFormPDI::kurDugmeler()
{
    auto* h = new QHBoxLayout;
    BitBtn2 = PdiDugme(this, h, "BitBtn2", QStringLiteral("&Araç Seç"), &TFormPDI::BitBtn2Click);
    BitBtn5 = PdiDugme(this, h, "BitBtn5", QStringLiteral("&Personel Seç"), &TFormPDI::BitBtn5Click);
    BitBtn4 = PdiDugme(this, h, "BitBtn4", QStringLiteral("İşemri Aç"), &TFormPDI::BitBtn4Click);
    BitBtn3 = PdiDugme(this, h, "BitBtn3", QStringLiteral("Yedek Parça Talep"), &TFormPDI::BitBtn3Click);
    BtnPDIForm = PdiDugme(this, h, "BtnPDIForm", QStringLiteral("Satış Öncesi PDI Formunu Doldur"), &TFormPDI::BtnPDIFormClick);
    BtnSonKontrol = PdiDugme(this, h, "BtnSonKontrol", QStringLiteral("Son Kontrol Formu Doldur"), &TFormPDI::BtnSonKontrolClick);
    h->addStretch(1);
    BitBtn1 = new QPushButton(QStringLiteral("&Kapat"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::close); // unguarded: ui only
    h->addWidget(BitBtn1);
    const bool markaBayi = MarkaBayiModuAcik(m_ctx);
    BtnPDIForm->setVisible(markaBayi);
    BtnSonKontrol->setVisible(markaBayi);
    BitBtn3->setEnabled(Targets().isRegistered(QString::fromLatin1(entry::TFormSipAl)));
    return h;
}

bool TFormPDI::git(const QString& pdiNo)
{
    const QString no = pdiNo.isEmpty() ? PdiSon(m_db) : pdiNo;
    PdiKaydi k = no.isEmpty() ? PdiKaydi{} : PdiOku(m_db, no);
    if (!no.isEmpty() && k.row.isEmpty())
        return false;
    m_kayit = k;
    m_durum = Durum::Gezinme;
    goster();
    return !k.row.isEmpty();
}

void TFormPDI::goster()
{
    m_yukleniyor = true;
    Alanlar->load(m_kayit.row);
    hatalariGoster();
    adlariGoster();
    m_yukleniyor = false;
    setButtons();
}

void TFormPDI::hatalariGoster()
{
    const bool eski = m_yukleniyor;
    m_yukleniyor = true;
    GridHata->setRowCount(int(m_kayit.hatalar.size()));
    for (int r = 0; r < m_kayit.hatalar.size(); ++r) {
        const PdiHata& h = m_kayit.hatalar.at(r);
        const QStringList hucreler{QString::number(h.SIRA_NO), h.HATA_YERI_KODU, h.HATA_YERI_ADI, h.HATA_ADI_KODU,
                                   h.PDI_HATA_ADI};
        for (int c = 0; c < hucreler.size(); ++c) {
            auto* it = new QTableWidgetItem(hucreler.at(c));
            if (c != 1 && c != 3)
                it->setFlags(it->flags() & ~Qt::ItemIsEditable);
            GridHata->setItem(r, c, it);
        }
    }
    m_yukleniyor = eski;
}

void TFormPDI::adlariGoster()
{
    LblModelAdi->setText(PdiModelAdi(m_db, m_kayit.row.value(K("MODEL_KODU")).toString().trimmed()));
    LblRenkAdi->setText(PdiRenkAdi(m_db, m_kayit.row.value(K("RENK_KODU")).toString().trimmed()));
}

void TFormPDI::setButtons()
{
    const bool gezinme = m_durum == Durum::Gezinme;
    const bool var = !m_kayit.row.isEmpty();
    for (QToolButton* b : std::as_const(m_gezgin)) {
        const QString n = b->objectName();
        if (n == QLatin1String("NavSakla") || n == QLatin1String("NavIptal"))
            b->setEnabled(!gezinme);
        else if (n == QLatin1String("NavSil") || n == QLatin1String("NavDuzelt"))
            b->setEnabled(gezinme && var);
        else
            b->setEnabled(gezinme);
    }
    BitBtn4->setEnabled(var);
    BtnSatirEkle->setEnabled(var);
    BtnSatirSil->setEnabled(var && !m_kayit.hatalar.isEmpty());
    BtnHataSec->setEnabled(var);
    BtnPDIForm->setEnabled(var);
    BtnSonKontrol->setEnabled(var);
    Edit1->setEnabled(gezinme);
    Edit2->setEnabled(gezinme);
}

void TFormPDI::duzenlemeyeGec()
{
    if (m_kayit.row.isEmpty() || m_durum != Durum::Gezinme)
        return;
    m_durum = Durum::Duzeltme;
    setButtons();
}

bool TFormPDI::alanlariOku()
{
    QVariantMap r = m_kayit.row;
    if (!Alanlar->store(r))
        return false; // the panel has told the user
    for (const char* c : {"SASE_NO", "MOTOR_NO", "MODEL_KODU", "RENK_KODU"})
        r[K(c)] = r.value(K(c)).toString().trimmed();
    m_kayit.row = r;
    return true;
}

void TFormPDI::IlkClick() { git(PdiIlk(m_db)); }
void TFormPDI::SonClick() { git(PdiSon(m_db)); }
void TFormPDI::SonrakiClick()
{
    const QString n = PdiSonraki(m_db, m_kayit.row.value(K("PDI_NO")).toString());
    if (!n.isEmpty())
        git(n);
}
void TFormPDI::OncekiClick()
{
    const QString n = PdiOnceki(m_db, m_kayit.row.value(K("PDI_NO")).toString());
    if (!n.isEmpty())
        git(n);
}

void TFormPDI::YeniClick()
{
    m_kayit = PdiYeni(m_db);
    m_durum = Durum::Ekleme;
    goster();
    Alanlar->editor(K("SASE_NO"))->setFocus();
}

void TFormPDI::SilClick()
{
    if (m_kayit.row.isEmpty())
        return;
    if (Messages().show(MsgIcon::Confirmation, QStringLiteral("Kayıt Silinsin mi?"), MsgYes | MsgNo, MsgNo, {}) != MsgYes)
        return;
    const QString no = m_kayit.row.value(K("PDI_NO")).toString();
    PdiSil(m_db, no);
    const QString sonraki = PdiSonraki(m_db, no);
    git(sonraki);
}

void TFormPDI::DuzeltClick() { duzenlemeyeGec(); }

void TFormPDI::SaklaClick()
{
    if (m_durum == Durum::Gezinme)
        return;
    if (!alanlariOku())
        return;
    PdiKaydi k = m_kayit;
    PdiKaydet(m_db, k, m_durum == Durum::Ekleme);
    git(k.row.value(K("PDI_NO")).toString());
}

void TFormPDI::IptalClick()
{
    if (m_durum == Durum::Gezinme)
        return;
    git(m_durum == Durum::Ekleme ? QString() : m_kayit.row.value(K("PDI_NO")).toString());
}

void TFormPDI::YenileClick()
{
    if (m_durum == Durum::Gezinme)
        git(m_kayit.row.value(K("PDI_NO")).toString());
}

void TFormPDI::Edit1Enter()
{
    const QString no = Edit1->text().trimmed();
    if (no.isEmpty() || !git(no))
        QApplication::beep();
}

void TFormPDI::Edit2Enter()
{
    ListeSase->hide();
    const QList<PdiSaseSonucu> bulunan = PdiSaseAra(m_db, Edit2->text());
    if (bulunan.isEmpty()) {
        QApplication::beep();
        return;
    }
    if (bulunan.size() == 1) {
        git(bulunan.first().PDI_NO);
        return;
    }
    ListeSase->setRowCount(int(bulunan.size()));
    for (int r = 0; r < bulunan.size(); ++r) {
        const PdiSaseSonucu& s = bulunan.at(r);
        const QStringList h{s.PDI_NO, s.SASE_NO, s.MODEL_KODU, s.RENK_KODU};
        for (int c = 0; c < h.size(); ++c)
            ListeSase->setItem(r, c, new QTableWidgetItem(h.at(c)));
    }
    ListeSase->resizeColumnsToContents();
    ListeSase->setCurrentCell(0, 0);
    ListeSase->show();
    ListeSase->setFocus();
}

void TFormPDI::ListeSaseSec()
{
    const int r = ListeSase->currentRow();
    if (r < 0)
        return;
    const QString no = ListeSase->item(r, 0)->text();
    ListeSase->hide();
    git(no);
}

void TFormPDI::AracAra(PdiAracAlani alan)
{
    if (m_durum == Durum::Gezinme)
        return;
    if (!alanlariOku())
        return;
    const QString typed = m_kayit.row.value(alan == PdiAracAlani::Sase ? K("SASE_NO") : K("MOTOR_NO")).toString();
    PdiAracBul(m_db, m_kayit.row, alan, typed);
    m_yukleniyor = true;
    Alanlar->load(m_kayit.row);
    m_yukleniyor = false;
    adlariGoster();
}

void TFormPDI::BitBtn2Click()
{
    if (m_durum == Durum::Gezinme)
        return;
    const QString sase = aracSecici ? aracSecici() : AracSec(m_ctx, 1, this);
    if (sase.isEmpty())
        return;
    // The diagnostic switch (first argument "D") shows what the picker returned.
    if (QCoreApplication::arguments().value(1) == QLatin1String("D"))
        ShowInfo(sase);
    if (PdiSaseVar(m_db, sase, m_kayit.row.value(K("PDI_NO")).toString()))
        throw IslemReddi(QStringLiteral("Bu Aracın PDI ı var!"));
    if (!alanlariOku())
        return;
    m_kayit.row[K("SASE_NO")] = sase;
    Alanlar->editor(K("SASE_NO"))->setFocus();
    PdiAracBul(m_db, m_kayit.row, PdiAracAlani::Sase, sase);
    m_yukleniyor = true;
    Alanlar->load(m_kayit.row);
    m_yukleniyor = false;
    adlariGoster();
}

void TFormPDI::BitBtn5Click()
{
    if (m_kayit.row.isEmpty())
        return;
    TDonPara p;
    PersonelSec(m_ctx, 1, p, this);
    if (p.KodStr.isEmpty())
        return;
    if (!alanlariOku())
        return;
    duzenlemeyeGec();
    m_kayit.row[K("ONAY_VEREN")] = p.KodStr;
    m_yukleniyor = true;
    Alanlar->load(m_kayit.row);
    m_yukleniyor = false;
}

void TFormPDI::BitBtn4Click()
{
    if (m_kayit.row.isEmpty())
        return;
    // Unsaved input is saved first, with the record's own checks.
    if (m_durum != Durum::Gezinme)
        SaklaClick();
    const QString no = m_kayit.row.value(K("PDI_NO")).toString();
    const QString ie = PdiIsemriAc(m_db, m_ctx, no);
    git(no);
    IsemriKartAc(m_ctx, ie, parentWidget() ? parentWidget() : this);
}

void TFormPDI::BitBtn3Click()
{
    if (m_sipAl) {
        m_sipAl->show();
        m_sipAl->raise();
        m_sipAl->activateWindow();
        return;
    }
    const FormFactory f = Targets().form(QString::fromLatin1(entry::TFormSipAl));
    if (!f)
        return;
    OpenRequest r;
    r.target = QString::fromLatin1(entry::TFormSipAl);
    r.ctx = &m_ctx;
    r.owner = this;
    QWidget* w = f(r);
    if (!w)
        return;
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->show();
    m_sipAl = w;
}

void TFormPDI::BtnPDIFormClick()
{
    if (m_kayit.row.isEmpty())
        return;
    ShowPDIFormu(m_ctx, m_kayit.row.value(K("SASE_NO")).toString().trimmed(), QDateTime(), this);
}

void TFormPDI::BtnSonKontrolClick()
{
    if (m_kayit.row.isEmpty())
        return;
    ShowBelgeForm(m_ctx, 1, QString(), m_kayit.row.value(K("SASE_NO")).toString().trimmed(), this);
}

void TFormPDI::SatirEkleClick()
{
    if (m_kayit.row.isEmpty())
        return;
    if (!alanlariOku())
        return;
    duzenlemeyeGec();
    PdiHata h;
    h.SIRA_NO = PdiYeniSiraNo(m_kayit.hatalar);
    m_kayit.hatalar << h;
    hatalariGoster();
    setButtons();
    GridHata->setCurrentCell(int(m_kayit.hatalar.size()) - 1, 1);
    GridHata->setFocus();
}

void TFormPDI::SatirSilClick()
{
    const int r = GridHata->currentRow();
    if (r < 0 || r >= m_kayit.hatalar.size())
        return;
    if (!alanlariOku())
        return;
    duzenlemeyeGec();
    m_kayit.hatalar.removeAt(r);
    hatalariGoster();
    setButtons();
}

void TFormPDI::HataSecClick()
{
    const int r = GridHata->currentRow();
    const int c = GridHata->currentColumn();
    if (r < 0 || r >= m_kayit.hatalar.size() || (c != 1 && c != 3))
        return;
    const bool yer = c == 1;
    const QString kod = hataSecici ? hataSecici(yer) : (yer ? SelectHataYerPdi(m_ctx, 1, this) : SelectHataPdi(m_ctx, 1, this));
    if (kod.isEmpty())
        return;
    if (!alanlariOku())
        return;
    duzenlemeyeGec();
    GridHata->item(r, c)->setText(kod); // the name follows through hataKoduYazildi
}

void TFormPDI::hataKoduYazildi(int row, int col)
{
    if (m_yukleniyor || row >= m_kayit.hatalar.size() || (col != 1 && col != 3))
        return;
    if (!alanlariOku())
        return;
    duzenlemeyeGec();
    PdiHata& h = m_kayit.hatalar[row];
    const QString kod = GridHata->item(row, col)->text().trimmed().toUpper();
    if (col == 1) {
        h.HATA_YERI_KODU = kod;
        h.HATA_YERI_ADI = PdiHataYeriAdi(m_db, kod);
    } else {
        h.HATA_ADI_KODU = kod;
        h.PDI_HATA_ADI = PdiHataAdi(m_db, kod);
    }
    hatalariGoster();
}

} // namespace tornaly::workshop
