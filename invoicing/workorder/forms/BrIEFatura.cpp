#include "util/Utf8.h"
#include "invoicing/workorder/forms/BrIEFatura.h"
#include "context/SessionContext.h"
#include "export/TableExport.h"
#include "guard/FormGuard.h"
#include "invoicing/workorder/IEFatura.h"
#include "invoicing/workorder/forms/IEFatura.h"
#include "report/ListReport.h"
#include "report/RaporCikti.h"
#include "report/ReportEngine.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::invoicing {

using text::S;

namespace {

enum BrKolon { kOdeme, kIsEmri, kSatisNo, kTur, kFatNo, kTarih, kSaat, kIeTip, kCariKod, kCariAd, kVade, kYil, kSayi };

QTableWidgetItem* brHucre(const QString& t, bool sayi = false)
{
    auto* it = new QTableWidgetItem(t);
    if (sayi)
        it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return it;
}

QString brTarih(const QDate& d)
{
    return d.isValid() ? d.toString(S("dd.MM.yyyy")) : QString();
}

} // namespace

TFormBrIEFatura::TFormBrIEFatura(const SessionContext& ctx, int mode, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(S("FormBrIEFatura"));
    setWindowTitle(S("İşemri Faturaları"));
    setProperty("Tag", mode);

    EditAra = new QLineEdit(this);
    EditAra->setObjectName(S("EditAra"));
    EditAra->setPlaceholderText(S("Ara"));
    EditAra->setClearButtonEnabled(true);

    cxGrid1 = new QTableWidget(this);
    cxGrid1->setObjectName(S("cxGrid1"));
    cxGrid1->setColumnCount(kSayi);
    cxGrid1->setHorizontalHeaderLabels({S("Ödeme Durumu"), S("İş Emri No"), S("Satış No"), S("Fat.Tür"),
                                        S("Fatura No"), S("Fatura Tarihi"), S("Saat"), S("İş Emri Tipi"),
                                        S("Cari Kodu"), S("Cari Adı"), S("Vade Tarihi"), S("F.Yılı")});
    cxGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    cxGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    cxGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cxGrid1->verticalHeader()->hide();
    cxGrid1->setAlternatingRowColors(true);
    LabelKayit = new QLabel(S("Kayıt Sayısı: 0"), this);

    const auto dugme = [this](const char* ad, const char* metin) {
        auto* b = new QPushButton(S(metin), this);
        b->setObjectName(S(ad));
        return b;
    };
    BitBtnYeni = dugme("BitBtnYeni", "Yeni");
    BitBtnDuzenle = dugme("BitBtnDuzenle", "Düzenle");
    BitBtnSil = dugme("BitBtnSil", "Kayıt Sil");
    BitBtnSec = dugme("BitBtnSec", "Seç");
    BtnYazdir = dugme("BtnYazdir", "Yazdır");
    BtnExcel = dugme("BtnExcel", "Excele Aktar");
    BitBtnKapat = dugme("BitBtnKapat", "Kapat");
    BitBtnSec->setVisible(mode == 1);
    const QString hak = ctx.AktifKullanici.iefatura;
    BitBtnYeni->setEnabled(hak == QLatin1String("D") || hak == QLatin1String("N") || hak == QLatin1String("Y"));
    BitBtnDuzenle->setEnabled(hak == QLatin1String("D") || hak == QLatin1String("Y"));
    BitBtnSil->setEnabled(hak == QLatin1String("Y"));

    auto* ust = new QHBoxLayout;
    ust->addWidget(new QLabel(S("Ara"), this));
    ust->addWidget(EditAra, 1);
    auto* alt = new QHBoxLayout;
    for (QPushButton* b : {BitBtnYeni, BitBtnDuzenle, BitBtnSil, BitBtnSec})
        alt->addWidget(b);
    alt->addWidget(LabelKayit);
    alt->addStretch();
    for (QPushButton* b : {BtnYazdir, BtnExcel, BitBtnKapat})
        alt->addWidget(b);
    auto* l = new QVBoxLayout(this);
    l->addLayout(ust);
    l->addWidget(cxGrid1, 1);
    l->addLayout(alt);

    connect(EditAra, &QLineEdit::textChanged, this, Guarded(this, &TFormBrIEFatura::AraDegisti));
    connect(BitBtnYeni, &QPushButton::clicked, this, Guarded(this, &TFormBrIEFatura::BitBtnYeniClick));
    connect(BitBtnDuzenle, &QPushButton::clicked, this, Guarded(this, &TFormBrIEFatura::BitBtnDuzenleClick));
    connect(cxGrid1, &QTableWidget::cellDoubleClicked, this, Guarded([this] {
                Guard([&] { property("Tag").toInt() == 1 ? BitBtnSecClick() : BitBtnDuzenleClick(); });
            }));
    connect(BitBtnSil, &QPushButton::clicked, this, Guarded(this, &TFormBrIEFatura::BitBtnSilClick));
    connect(BitBtnSec, &QPushButton::clicked, this, Guarded(this, &TFormBrIEFatura::BitBtnSecClick));
    connect(BtnYazdir, &QPushButton::clicked, this, Guarded(this, &TFormBrIEFatura::BtnYazdirClick));
    connect(BtnExcel, &QPushButton::clicked, this, Guarded(this, &TFormBrIEFatura::BtnExcelClick));
    connect(BitBtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    resize(1240, 640);
}

bool TFormBrIEFatura::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        Guard([&] { listele(); });
    return QDialog::event(e);
}

void TFormBrIEFatura::listele()
{
    const double onceki = currentSatisNo();
    m_liste = IEFatListe(m_ctx, m_ctx.Database1, IEFatListeFiltre{});
    cxGrid1->setRowCount(int(m_liste.size()));
    int secili = m_liste.isEmpty() ? -1 : 0;
    for (int i = 0; i < m_liste.size(); ++i) {
        const IEFatListeSatiri& s = m_liste[i];
        cxGrid1->setItem(i, kOdeme, brHucre(s.ODEMEDRM));
        cxGrid1->setItem(i, kIsEmri, brHucre(s.IS_EMRI_NO));
        cxGrid1->setItem(i, kSatisNo, brHucre(QString::number(s.SATIS_NO, 'f', 0), true));
        cxGrid1->setItem(i, kTur, brHucre(s.FAT_TUR));
        cxGrid1->setItem(i, kFatNo, brHucre(s.FAT_NO));
        cxGrid1->setItem(i, kTarih, brHucre(brTarih(s.TARIH)));
        cxGrid1->setItem(i, kSaat, brHucre(s.SAAT.isValid() ? s.SAAT.toString(S("HH:mm")) : QString()));
        cxGrid1->setItem(i, kIeTip, brHucre(s.IE_TIP));
        cxGrid1->setItem(i, kCariKod, brHucre(s.CARI_KOD));
        cxGrid1->setItem(i, kCariAd, brHucre(s.CARI_AD));
        cxGrid1->setItem(i, kVade, brHucre(brTarih(s.VADE_TRH)));
        cxGrid1->setItem(i, kYil, brHucre(s.FYILI > 0 ? QString::number(s.FYILI) : QString(), true));
        if (s.SATIS_NO == onceki)
            secili = i;
    }
    cxGrid1->resizeColumnsToContents();
    cxGrid1->horizontalHeader()->setSectionResizeMode(kCariAd, QHeaderView::Stretch);
    AraDegisti();
    if (secili >= 0)
        cxGrid1->setCurrentCell(secili, 0);
}

void TFormBrIEFatura::AraDegisti()
{
    const QString aranan = EditAra->text().trimmed();
    int gorunen = 0;
    for (int r = 0; r < cxGrid1->rowCount(); ++r) {
        bool var = aranan.isEmpty();
        for (int c = 0; c < kSayi && !var; ++c)
            var = cxGrid1->item(r, c) && cxGrid1->item(r, c)->text().contains(aranan, Qt::CaseInsensitive);
        cxGrid1->setRowHidden(r, !var);
        gorunen += var ? 1 : 0;
    }
    LabelKayit->setText(S("Kayıt Sayısı: ") + QString::number(gorunen));
}

double TFormBrIEFatura::currentSatisNo() const
{
    const int r = cxGrid1->currentRow();
    return r >= 0 && r < m_liste.size() && !cxGrid1->isRowHidden(r) ? m_liste[r].SATIS_NO : -1;
}

void TFormBrIEFatura::BitBtnYeniClick()
{
    IEFaturaGoster(m_ctx, 1, -1, this);
}

void TFormBrIEFatura::BitBtnDuzenleClick()
{
    const double no = currentSatisNo();
    if (!BitBtnDuzenle->isEnabled() || no < 0)
        return;
    IEFaturaGoster(m_ctx, 0, no, this);
}

void TFormBrIEFatura::BitBtnSilClick()
{
    const double no = currentSatisNo();
    if (!BitBtnSil->isEnabled() || no < 0)
        return;
    if (IEFaturaSil(m_ctx, m_ctx.Database1, no))
        listele();
}

void TFormBrIEFatura::BitBtnSecClick()
{
    const double no = currentSatisNo();
    if (no < 0)
        return;
    secilen = no;
    accept();
}

void TFormBrIEFatura::BtnYazdirClick()
{
    report::ListReportBuilder b(S("İşemri Faturaları"));
    b.source(report::ModelSource(cxGrid1->model())).landscape();
    for (int c = 0; c < kSayi; ++c) {
        const QString baslik = cxGrid1->horizontalHeaderItem(c)->text();
        b.text(baslik, baslik, c == kCariAd ? 60 : 22);
    }
    report::OutputDocument(report::Render(b.build()), report::OutputPreview);
}

void TFormBrIEFatura::BtnExcelClick()
{
    GridExport(S("E"), cxGrid1, false);
}

} // namespace tornaly::invoicing
