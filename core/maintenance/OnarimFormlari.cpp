#include "maintenance/OnarimFormlari.h"
#include "util/Utf8.h"
#include "connection/DialogRunner.h"
#include "context/SessionContext.h"
#include "guard/FormGuard.h"
#include "guard/IslemReddi.h"
#include "guard/WaitCursor.h"
#include "db/DbError.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "report/ListReport.h"
#include "report/ReportEngine.h"
#include "report/ReportPreview.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly {

void OnarimAdimi(const std::function<void()>& adim)
{
    WaitCursor wait;
    try {
        adim();
    } catch (const DbError& e) {
        throw IslemReddi(OnarimHataMetni(e));
    }
}

namespace {
using text::S;

QLabel* uyari(const QString& metin, QWidget* parent)
{
    auto* l = new QLabel(metin, parent);
    l->setWordWrap(true);
    l->setStyleSheet(S("QLabel { color: #b71c1c; font-weight: bold; padding: 6px; }"));
    return l;
}
} // namespace

TFormStokMiktarGuncelle::TFormStokMiktarGuncelle(SessionContext& ctx, QWidget* parent)
    : QDialog(parent), m_db(ctx.Database1)
{
    setObjectName(S("FormStokMiktarGuncelle"));
    setWindowTitle(S("Belge Hareketlerini Düzenle"));
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(uyari(S("Lütfen Bu Bölümü Kullanmadan Önce Diğer Bilgisayarlarda Kalvesaun Kapalı Olduğuna Emin "
                           "Olun. Ve Yedek Alın."),
                         this));
    LblSonuc = new QLabel(this);
    LblSonuc->setObjectName(S("LblSonuc"));
    LblSonuc->setWordWrap(true);
    lay->addWidget(LblSonuc, 1);
    BtnDuzenle = new QPushButton(S("Belge Hareketlerini Düzenle"), this);
    BtnDuzenle->setObjectName(S("BtnDuzenle"));
    BtnKapat = new QPushButton(S("Kapat"), this);
    BtnKapat->setObjectName(S("BtnKapat"));
    auto* b = new QHBoxLayout;
    b->addStretch();
    b->addWidget(BtnDuzenle);
    b->addWidget(BtnKapat);
    lay->addLayout(b);
    resize(520, 300);
    connect(BtnDuzenle, &QPushButton::clicked, this, Guarded(this, &TFormStokMiktarGuncelle::BtnDuzenleClick));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::accept); // unguarded: ui only
}

void TFormStokMiktarGuncelle::BtnDuzenleClick()
{
    if (AskYesNoCancel(S("Belge Hareketleri Güncellensin mi?")) != MsgYes)
        return;
    TOnarimSonucu sonuc;
    if (!Guard([&] { OnarimAdimi([&] { sonuc = BelgeHareketleriniDuzenle(m_db); }); }))
        return;
    LblSonuc->setText(sonuc.ozet());
    Messages().show(MsgIcon::Information, S("Belge Hareketleriniz Güncellendi.") + S("\n\n") + sonuc.ozet(), MsgOk,
                    MsgOk, {});
}

void ShowStokMiktarGuncelleForm(SessionContext& ctx, QWidget* parent)
{
    TFormStokMiktarGuncelle f(ctx, parent);
    RunModal(f);
}

TFormStkMikUyaman::TFormStkMikUyaman(SessionContext& ctx, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    setObjectName(S("FormStkMikUyaman"));
    setWindowTitle(S("Miktarı, Depo Hareket Miktarı İle Uyuşmayan Ürünler"));
    auto* lay = new QVBoxLayout(this);
    auto* ust = new QHBoxLayout;
    ust->addWidget(new QLabel(S("Sayım Deposu"), this));
    LookupDepo = new QComboBox(this);
    LookupDepo->setObjectName(S("LookupDepo"));
    LookupDepo->setMinimumWidth(220);
    for (const auto& d : SayimDepolari(m_db))
        LookupDepo->addItem(d.second.isEmpty() ? d.first : d.first + S(" - ") + d.second, d.first);
    ust->addWidget(LookupDepo);
    ust->addStretch();
    lay->addLayout(ust);
    LblBilgi = new QLabel(this);
    LblBilgi->setObjectName(S("LblBilgi"));
    LblBilgi->setWordWrap(true);
    lay->addWidget(LblBilgi);
    Grid = new QTableWidget(0, 5, this);
    Grid->setObjectName(S("Grid"));
    Grid->setHorizontalHeaderLabels({S("Stok Kod No"), S("Stok Adı"), S("D.Hrk.Miktarı"), S("Miktarı"), S("Stok No")});
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->verticalHeader()->hide();
    lay->addWidget(Grid, 1);
    BtnListe = new QPushButton(S("Liste Dökümü"), this);
    BtnListe->setObjectName(S("BtnListe"));
    BtnKapat = new QPushButton(S("Kapat"), this);
    BtnKapat->setObjectName(S("BtnKapat"));
    auto* b = new QHBoxLayout;
    b->addStretch();
    b->addWidget(BtnListe);
    b->addWidget(BtnKapat);
    lay->addLayout(b);
    resize(760, 480);
    connect(LookupDepo, &QComboBox::currentIndexChanged, this, Guarded(this, &TFormStkMikUyaman::Yenile));
    connect(BtnListe, &QPushButton::clicked, this, Guarded(this, &TFormStkMikUyaman::BtnListeClick));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::accept); // unguarded: ui only
    // The list opens on the service depot when there is one, else on the first.
    const int servis = LookupDepo->findData(ctx.ServisDepoKodu);
    if (servis >= 0)
        LookupDepo->setCurrentIndex(servis);
    Yenile();
}

void TFormStkMikUyaman::Yenile()
{
    Guard([&] {
        WaitCursor wait;
        m_satirlar.clear();
        if (LookupDepo->count() == 0)
            LblBilgi->setText(S("Stok modülü kurulu değil ya da tanımlı depo yok; listelenecek ürün yok."));
        else
            m_satirlar = StokMiktariUyusmayanlar(m_db, LookupDepo->currentData().toString());
        Grid->setRowCount(0);
        for (const TUyusmayanStok& s : std::as_const(m_satirlar)) {
            const int r = Grid->rowCount();
            Grid->insertRow(r);
            Grid->setItem(r, 0, new QTableWidgetItem(s.STOK_KOD_NO));
            Grid->setItem(r, 1, new QTableWidgetItem(s.STOK_ADI_TR));
            for (int c : {2, 3}) {
                auto* i = new QTableWidgetItem(FormatMoney(c == 2 ? s.HRKMIK : s.MIKTAR, S(",0.00")));
                i->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                Grid->setItem(r, c, i);
            }
            Grid->setItem(r, 4, new QTableWidgetItem(QString::number(qint64(s.STOK_NO))));
        }
        Grid->resizeColumnsToContents();
        Grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
        if (LookupDepo->count() > 0)
            LblBilgi->setText(S("%1 ürün").arg(m_satirlar.size()));
    });
}

void TFormStkMikUyaman::BtnListeClick()
{
    Guard([&] {
        WaitCursor wait;
        QVector<QVector<QVariant>> satirlar;
        for (const TUyusmayanStok& s : std::as_const(m_satirlar))
            satirlar.append({s.STOK_KOD_NO, s.STOK_ADI_TR, s.MIKTAR, s.HRKMIK});
        const report::Report rapor =
            report::ListReportBuilder(S("Miktarı, Depo Hareket Miktarı İle Uyuşmayan Ürünler"))
                .source(report::RecordsSource({S("STOK_KOD_NO"), S("STOK_ADI_TR"), S("MIKTAR"), S("HRKMIK")},
                                              satirlar))
                .company(m_ctx.FirmaAdi)
                .text(S("STOK_KOD_NO"), S("Kod"), 35)
                .text(S("STOK_ADI_TR"), S("Ad"), 80)
                .money(S("MIKTAR"), S("Miktarı"), 28, false)
                .money(S("HRKMIK"), S("D.Hrk.Miktarı"), 28, false)
                .build();
        report::ShowReportPreview(report::Render(rapor), this);
    });
}

void ShowStkMikUyamanForm(SessionContext& ctx, QWidget* parent)
{
    TFormStkMikUyaman f(ctx, parent);
    RunModal(f);
}

TFormCarKDegis::TFormCarKDegis(SessionContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    setObjectName(S("FormCarKDegis"));
    setWindowTitle(S("Cari Kodu Değiştirme"));
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(uyari(S("Lütfen Değiştirme İşlemine Başlamadan Önce Tüm Makinalarda Kalvesa Programını Kapatınız..."),
                         this));
    auto* form = new QFormLayout;
    EditESKI = new QLineEdit(this);
    EditESKI->setObjectName(S("EditESKI"));
    BtnCariSec = new QPushButton(S("Cari Seç"), this);
    BtnCariSec->setObjectName(S("BtnCariSec"));
    // The account picker of the main window hands no code back to a caller;
    // until one does, the code is typed and Enter looks it up.
    BtnCariSec->setEnabled(false);
    BtnCariSec->setToolTip(S("Cari kodu yazıp Enter tuşuna basınız."));
    auto* eski = new QHBoxLayout;
    eski->addWidget(EditESKI, 1);
    eski->addWidget(BtnCariSec);
    form->addRow(S("Değiştirilmek İstenen Cari Kod"), eski);
    LblEskiAd = new QLabel(this);
    LblEskiAd->setObjectName(S("LblEskiAd"));
    form->addRow(QString(), LblEskiAd);
    EditYENI = new QLineEdit(this);
    EditYENI->setObjectName(S("EditYENI"));
    form->addRow(S("Yeni Cari Kodu"), EditYENI);
    lay->addLayout(form);
    BtnDegistir = new QPushButton(S("Değiştir"), this);
    BtnDegistir->setObjectName(S("BtnDegistir"));
    BtnKapat = new QPushButton(S("&Kapat"), this);
    BtnKapat->setObjectName(S("BtnKapat"));
    auto* b = new QHBoxLayout;
    b->addStretch();
    b->addWidget(BtnDegistir);
    b->addWidget(BtnKapat);
    lay->addLayout(b);
    resize(520, 220);
    connect(EditESKI, &QLineEdit::returnPressed, this, Guarded(this, &TFormCarKDegis::EditESKIEnter));
    connect(BtnCariSec, &QPushButton::clicked, this, Guarded(this, &TFormCarKDegis::BtnCariSecClick));
    connect(BtnDegistir, &QPushButton::clicked, this, Guarded(this, &TFormCarKDegis::BtnDegistirClick));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::accept); // unguarded: ui only
}

void TFormCarKDegis::EditESKIEnter()
{
    Guard([&] {
        WaitCursor wait;
        const auto cari = CariBul(m_db, EditESKI->text().trimmed());
        LblEskiAd->setText(cari.first.isEmpty() ? QString() : cari.first + S(" - ") + cari.second);
        if (!cari.first.isEmpty())
            EditYENI->setFocus();
    });
}

void TFormCarKDegis::BtnCariSecClick() {}

void TFormCarKDegis::BtnDegistirClick()
{
    const QString eski = EditESKI->text().trimmed(), yeni = EditYENI->text().trimmed();
    TCariKodDegisimi k;
    if (!Guard([&] { WaitCursor wait; k = CariKodDegisimKontrol(m_db, eski, yeni); }))
        return;
    if (!k.hata.isEmpty()) {
        ShowError(k.hata);
        (k.odak == TCariKodDegisimi::Odak::Yeni ? EditYENI : EditESKI)->setFocus();
        return;
    }
    if (Messages().show(MsgIcon::Confirmation, eski + S(" kodu ") + yeni + S(" ile değiştirilecektir. Onaylıyormusunuz?"),
                        MsgYes | MsgNo, MsgNo, {}) != MsgYes)
        return;
    Guard([&] {
        TCariKodDegisimi d;
        OnarimAdimi([&] { d = CariKodDegistir(m_db, eski, yeni); });
        if (!d.hata.isEmpty())
            ShowError(d.hata);
    });
}

} // namespace tornaly
