#include "util/Utf8.h"
#include "guard/FormGuard.h"
#include "accounts/receipts/MakbuzTemplate.h"

#include "accounts/cash/Kasa.h"
#include "db/DbError.h"
#include "messages/Messages.h"
#include "money/Money.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <stdexcept>

namespace tornaly::accounts {

namespace {
using text::S;
const QString TutarBicimi = QStringLiteral(",0.00##");

double tutarSayi(const QLineEdit* e)
{
    double v = 0;
    return ParseMoney(e->text(), &v) ? v : 0;
}
} // namespace

TFormMakbuzTemplate::TFormMakbuzTemplate(const SessionContext& ctx, int mode, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    setObjectName(S("FormMakbuzTemplate"));
    setWindowTitle(S("Makbuz Şablonları"));
    TableBr = new ListeModeli(this);
    TableBr->setCaptions({S("No"), S("Tanım"), S("Gider Hes"), S("KDV%"), S("KDV Hes"), S("Kasa Hes"), S("Stop.%"),
                          S("Stopaj Hes"), S("Stopaj Karşı Hsp"), S("Varsayılan Açıklama")});
    cxGrid = new QTableView(this);
    cxGrid->setObjectName(S("cxGrid"));
    cxGrid->setModel(TableBr);
    cxGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    cxGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    cxGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cxGrid->verticalHeader()->hide();
    connect(cxGrid, &QTableView::doubleClicked, this, Guarded([this] {
        if (BtnSec->isVisible())
            BtnSecClick();
        else
            sablonDuzenle(false);
    }));

    BtnYeni = Dugme(this, "BtnYeni", S("&Yeni"));
    BtnDuzenle = Dugme(this, "BtnDuzenle", S("&Düzenle"));
    BtnSil = Dugme(this, "BtnSil", S("&Sil"));
    BtnSec = Dugme(this, "BtnSec", S("Sec"));
    BtnSec->setVisible(mode == 1);
    BtnKapat = Dugme(this, "BtnKapat", S("Kapat"));
    connect(BtnYeni, &QPushButton::clicked, this, Guarded([this] { sablonDuzenle(true); }));
    connect(BtnDuzenle, &QPushButton::clicked, this, Guarded([this] { sablonDuzenle(false); }));
    connect(BtnSil, &QPushButton::clicked, this, Guarded(this, &TFormMakbuzTemplate::BtnSilClick));
    connect(BtnSec, &QPushButton::clicked, this, Guarded(this, &TFormMakbuzTemplate::BtnSecClick));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only

    // The amount panel under the list, opened by "Sec".
    PanelTutar = new QWidget(this);
    PanelTutar->setObjectName(S("PanelTutar"));
    auto* pl = new QGridLayout(PanelTutar);
    const auto edit = [&](QLineEdit*& e, const char* ad) {
        e = new QLineEdit(PanelTutar);
        e->setObjectName(QLatin1String(ad));
        e->setAlignment(Qt::AlignRight);
        connect(e, &QLineEdit::textEdited, this, Guarded(this, &TFormMakbuzTemplate::tutarlariGoster));
    };
    const auto etiket = [&](QLabel*& l, const char* ad) {
        l = new QLabel(PanelTutar);
        l->setObjectName(QLatin1String(ad));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(120);
    };
    edit(EditGider, "EditGider");
    edit(EditKdvOran, "EditKdvOran");
    edit(EditStopajOran, "EditStopajOran");
    etiket(LblKdv, "LblKdv");
    etiket(LblKasa, "LblKasa");
    etiket(LblStopaj, "LblStopaj");
    etiket(LblNet, "LblNet");
    pl->addWidget(new QLabel(S("Gider Hesabı"), PanelTutar), 0, 0);
    pl->addWidget(EditGider, 0, 1);
    pl->addWidget(new QLabel(S("KDV Oran"), PanelTutar), 1, 0);
    pl->addWidget(EditKdvOran, 1, 1);
    pl->addWidget(new QLabel(S("Stopaj Oranı"), PanelTutar), 2, 0);
    pl->addWidget(EditStopajOran, 2, 1);
    pl->addWidget(new QLabel(S("KDV Hesabı"), PanelTutar), 0, 2);
    pl->addWidget(LblKdv, 0, 3);
    pl->addWidget(new QLabel(S("Kasa Hesabı"), PanelTutar), 1, 2);
    pl->addWidget(LblKasa, 1, 3);
    pl->addWidget(new QLabel(S("Stopaj Hesabı"), PanelTutar), 2, 2);
    pl->addWidget(LblStopaj, 2, 3);
    pl->addWidget(new QLabel(S("Net Ücret"), PanelTutar), 3, 2);
    pl->addWidget(LblNet, 3, 3);
    BtnKdvHaric = Dugme(PanelTutar, "BtnKdvHaric", S("KDV Dahilden Hariç Hesapla"));
    BtnAktar = Dugme(PanelTutar, "BtnAktar", S("Aktar"));
    BtnIptal = Dugme(PanelTutar, "BtnIptal", S("İptal"));
    pl->addWidget(BtnKdvHaric, 3, 0, 1, 2);
    auto* pd = new QHBoxLayout;
    pd->addStretch();
    pd->addWidget(BtnAktar);
    pd->addWidget(BtnIptal);
    pl->addLayout(pd, 4, 0, 1, 4);
    connect(BtnKdvHaric, &QPushButton::clicked, this, Guarded(this, &TFormMakbuzTemplate::BtnKdvHaricClick));
    connect(BtnAktar, &QPushButton::clicked, this, Guarded(this, &TFormMakbuzTemplate::BtnAktarClick));
    connect(BtnIptal, &QPushButton::clicked, this, Guarded(this, &TFormMakbuzTemplate::BtnIptalClick));
    PanelTutar->hide();

    auto* dl = new QHBoxLayout;
    for (QPushButton* b : {BtnYeni, BtnDuzenle, BtnSil})
        dl->addWidget(b);
    dl->addStretch();
    dl->addWidget(BtnSec);
    dl->addWidget(BtnKapat);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(cxGrid, 1);
    lay->addWidget(PanelTutar);
    lay->addLayout(dl);
    listeyiAc();
    resize(980, 460);
}

void TFormMakbuzTemplate::listeyiAc(int konum)
{
    TableBr->setStatement(m_db, S("SELECT MAK_ID, MAK_TANIM, HSP_GIDER, HSP_KDV_ORAN, HSP_KDV, HSP_KASA, HSP_STP_ORAN, "
                                  "HSP_STOPAJ, HSP_STP_KARSI, MAK_ACIKLAMA FROM MAKBUZTMP ORDER BY MAK_ID"));
    TableBr->open();
    TableBr->fetchAll();
    KolonlariAyarla(cxGrid);
    int satir = TableBr->rowCount() > 0 ? 0 : -1;
    for (int r = 0; r < TableBr->rowCount(); ++r)
        if (TableBr->deger(r, S("MAK_ID")).toInt() == konum)
            satir = r;
    if (satir >= 0)
        cxGrid->setCurrentIndex(TableBr->index(satir, 0));
}

int TFormMakbuzTemplate::seciliNo() const
{
    return TableBr->deger(cxGrid->currentIndex().row(), S("MAK_ID")).toInt();
}

bool TFormMakbuzTemplate::sablonDuzenle(bool yeni)
{
    MakbuzSablonu s;
    if (!yeni) {
        const auto o = MakbuzSablonOku(m_db, seciliNo());
        if (!o)
            return false;
        s = *o;
    }
    QDialog d(this);
    d.setWindowTitle(S("Makbuz Şablonu"));
    auto* form = new QFormLayout(&d);
    const auto satir = [&](const char* ad, const QString& baslik, const QString& deger, int uzunluk) {
        auto* e = new QLineEdit(deger, &d);
        e->setObjectName(QLatin1String(ad));
        e->setMaxLength(uzunluk);
        form->addRow(baslik, e);
        return e;
    };
    const auto oran = [&](const char* ad, const QString& baslik, double deger) {
        auto* e = new QDoubleSpinBox(&d);
        e->setObjectName(QLatin1String(ad));
        e->setRange(0, 100);
        e->setDecimals(2);
        e->setValue(deger);
        form->addRow(baslik, e);
        return e;
    };
    auto* tanim = satir("MAK_TANIM", S("Tanım"), s.MAK_TANIM, 50);
    auto* gider = satir("HSP_GIDER", S("Gider Hes"), s.HSP_GIDER, 15);
    auto* kdvOran = oran("HSP_KDV_ORAN", S("KDV%"), s.HSP_KDV_ORAN);
    auto* kdv = satir("HSP_KDV", S("KDV Hes"), s.HSP_KDV, 15);
    auto* kasa = new QComboBox(&d);
    kasa->setObjectName(S("HSP_KASA"));
    kasa->addItem(QString(), QString());
    for (const KasaKaydi& k : Kasalar(m_db))
        kasa->addItem(k.KASAKOD + S(" - ") + k.ADI, k.KASAKOD);
    kasa->setCurrentIndex(qMax(0, kasa->findData(s.HSP_KASA)));
    form->addRow(S("Kasa Hes"), kasa);
    auto* stpOran = oran("HSP_STP_ORAN", S("Stop.%"), s.HSP_STP_ORAN);
    auto* stopaj = satir("HSP_STOPAJ", S("Stopaj Hes"), s.HSP_STOPAJ, 15);
    auto* karsi = satir("HSP_STP_KARSI", S("Stopaj Karşı Hsp"), s.HSP_STP_KARSI, 15);
    auto* aciklama = satir("MAK_ACIKLAMA", S("Varsayılan Açıklama"), s.MAK_ACIKLAMA, 50);
    auto* bb = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    form->addRow(bb);
    connect(bb, &QDialogButtonBox::accepted, &d, &QDialog::accept); // unguarded: ui only
    connect(bb, &QDialogButtonBox::rejected, &d, &QDialog::reject); // unguarded: ui only
    while (d.exec() == QDialog::Accepted) {
        s.MAK_TANIM = tanim->text();
        s.HSP_GIDER = gider->text().trimmed();
        s.HSP_KDV_ORAN = kdvOran->value();
        s.HSP_KDV = kdv->text().trimmed();
        s.HSP_KASA = kasa->currentData().toString();
        s.HSP_STP_ORAN = stpOran->value();
        s.HSP_STOPAJ = stopaj->text().trimmed();
        s.HSP_STP_KARSI = karsi->text().trimmed();
        s.MAK_ACIKLAMA = aciklama->text();
        // A refused or failed save is shown and the dialog opens again with what was typed.
        if (Guard([&] { listeyiAc(MakbuzSablonKaydet(m_db, s)); }))
            return true;
    }
    return false;
}

void TFormMakbuzTemplate::BtnSilClick()
{
    const int no = seciliNo();
    if (no <= 0 || AskYesNoCancel(S("Kayıt Silinsin mi?")) != MsgYes)
        return;
    MakbuzSablonSil(m_db, no);
    listeyiAc();
}

void TFormMakbuzTemplate::BtnSecClick()
{
    if (!PanelTutar->isHidden()) {
        BtnAktarClick();
        return;
    }
    const auto s = MakbuzSablonOku(m_db, seciliNo());
    if (!s)
        return;
    m_sablon = *s;
    EditGider->clear();
    EditKdvOran->setText(FormatMoney(m_sablon.HSP_KDV_ORAN, S("0.##")));
    EditStopajOran->setText(FormatMoney(m_sablon.HSP_STP_ORAN, S("0.##")));
    PanelTutar->show();
    tutarlariGoster();
    EditGider->setFocus();
}

void TFormMakbuzTemplate::BtnIptalClick()
{
    PanelTutar->hide();
    cxGrid->setFocus();
}

MakbuzTutarlari TFormMakbuzTemplate::tutarlar() const
{
    return MakbuzHesapla(tutarSayi(EditGider), tutarSayi(EditKdvOran), tutarSayi(EditStopajOran));
}

void TFormMakbuzTemplate::tutarlariGoster()
{
    const MakbuzTutarlari t = tutarlar();
    LblKdv->setText(FormatMoney(t.V, TutarBicimi));
    LblKasa->setText(FormatMoney(t.C, TutarBicimi));
    LblStopaj->setText(FormatMoney(t.W, TutarBicimi));
    LblNet->setText(FormatMoney(t.N, TutarBicimi));
}

void TFormMakbuzTemplate::BtnKdvHaricClick()
{
    EditGider->setText(FormatMoney(KdvHaricTutar(tutarSayi(EditGider), tutarSayi(EditKdvOran)), TutarBicimi));
    tutarlariGoster();
}

void TFormMakbuzTemplate::BtnAktarClick()
{
    if (PanelTutar->isHidden() || m_sablon.MAK_ID <= 0)
        return;
    // The rates typed in the panel belong to the template itself.
    const double kdvOran = tutarSayi(EditKdvOran), stpOran = tutarSayi(EditStopajOran);
    if (kdvOran != m_sablon.HSP_KDV_ORAN || stpOran != m_sablon.HSP_STP_ORAN) {
        m_sablon.HSP_KDV_ORAN = kdvOran;
        m_sablon.HSP_STP_ORAN = stpOran;
        MakbuzSablonKaydet(m_db, m_sablon);
    }
    SonMakbuzSatirlari() = MakbuzSatirlari(m_sablon, tutarlar(), [this](const QString& tur, const QString& kod) {
        return MakbuzHesapAdi(m_db, tur, kod);
    });
    secilen = m_sablon.MAK_ID;
    accept();
}

int MakbuzSablonSec(const SessionContext& ctx, int mode, QWidget* parent)
{
    TFormMakbuzTemplate f(ctx, mode, parent);
    return f.exec() == QDialog::Accepted ? f.secilen : 0;
}

} // namespace tornaly::accounts
