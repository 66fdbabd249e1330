#include "stock/maintenance/OnarimFormlari.h"
#include "util/Utf8.h"
#include "connection/DialogRunner.h"
#include "context/SessionContext.h"
#include "guard/FormGuard.h"
#include "maintenance/OnarimUyarisi.h"
#include "stock/ledger/Maliyet.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "report/ListReport.h"
#include "report/ReportEngine.h"
#include "report/ReportPreview.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::stock {

using text::S;

TFormStokMiktarGuncelle::TFormStokMiktarGuncelle(SessionContext& ctx, QWidget* parent)
    : QDialog(parent), m_db(ctx.Database1)
{
    setObjectName(S("FormStokMiktarGuncelle"));
    setWindowTitle(S("Belge Hareketlerini Düzenle"));
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(OnarimUyarisi(S("Lütfen Bu Bölümü Kullanmadan Önce Diğer Bilgisayarlarda Kalvesaun Kapalı Olduğuna Emin "
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
    connect(BtnDuzenle, &QPushButton::clicked, this, Guarded([this] { BtnDuzenleClick(); }));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::accept); // unguarded: ui only
}

void TFormStokMiktarGuncelle::BtnDuzenleClick()
{
    if (AskYesNoCancel(S("Belge Hareketleri Güncellensin mi?")) != MsgYes)
        return;
    const TOnarimSonucu sonuc = BelgeHareketleriniDuzenle(m_db);
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
    connect(LookupDepo, &QComboBox::currentIndexChanged, this, Guarded([this] { Yenile(); }));
    connect(BtnListe, &QPushButton::clicked, this, Guarded([this] { BtnListeClick(); }));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::accept); // unguarded: ui only
    // The list opens on the service depot when there is one, else on the first.
    const int servis = LookupDepo->findData(ctx.ServisDepoKodu);
    if (servis >= 0)
        LookupDepo->setCurrentIndex(servis);
    Guard([this] { Yenile(); });
}

void TFormStkMikUyaman::Yenile()
{
    {
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
    }
}

void TFormStkMikUyaman::BtnListeClick()
{
    {
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
    }
}

void ShowStkMikUyamanForm(SessionContext& ctx, QWidget* parent)
{
    TFormStkMikUyaman f(ctx, parent);
    RunModal(f);
}

namespace {
bool evetMi(const QString& soru) { return AskYesNoCancel(soru) == MsgYes; }
void sonucGoster(const QString& tamam, const TOnarimSonucu& sonuc)
{
    const QString ozet = sonuc.ozet();
    ShowInfo(ozet.isEmpty() ? tamam : tamam + S("\n\n") + ozet);
}
} // namespace

void BaslangicMaliyetiKomutu(const SessionContext& ctx)
{
    const QString oran = FormatMoney(ctx.StokIskonto, S("#.##"));
    if (!evetMi(S("Stok Maliyetleri Güncellenecektir!\nDikkate alınacak Stok Alış İskonto Oranı ") + oran + S(" dir") +
                S("\n") + S("Dönem başı olarak el ile girilen değerler dikkate alınmayacaktır") + S("\n") +
                S("Bu İşlemden sonra Maliyetleri Tekrar hesaplatmalısınız. Devam Etmek İstiyor musunuz? ")))
        return;
    sonucGoster(S("Güncelleme Tamamlandı."), BaslangicMaliyetiYaz(ctx.Database1, ctx.StokIskonto));
}

void StokMaliyetiHesaplaKomutu(const SessionContext& ctx)
{
    if (!evetMi(S("Stok Maliyetleri Güncellenecektir! Devam Etmek İstiyor musunuz?")))
        return;
    TOnarimSonucu s;
    s.adimlar.append({S("Maliyeti hesaplanan stok"), MaliyetYenidenHesapla(ctx.Database1)});
    sonucGoster(S("Maliyetler Güncellendi."), s);
}

void AnagrupAtaKomutu(const SessionContext& ctx)
{
    if (!evetMi(S("Anagrubu olmayan stoklara YP grubunu ata!\nDevam Etmek İstiyor musunuz? ")))
        return;
    sonucGoster(S("Güncelleme Tamamlandı."), AnagrupAta(ctx.Database1));
}

void StokYeniKodlariKomutu(const SessionContext& ctx)
{
    // The wait cursor stands for the progress: the event loop never runs
    // while the update's transaction is open.
    TOnarimSonucu s;
    {
        struct BeklemeImleci {
            BeklemeImleci() { QApplication::setOverrideCursor(Qt::WaitCursor); }
            ~BeklemeImleci() { QApplication::restoreOverrideCursor(); }
        } imlec;
        s = StokYeniKodlariniGuncelle(ctx.Database1);
    }
    sonucGoster(S("Güncelleme Tamamlandı."), s);
}

} // namespace tornaly::stock
