#include "util/Utf8.h"
#include "invoicing/dialogs/YanFormlar.h"
#include "context/SessionContext.h"
#include "guard/FormGuard.h"
#include "invoicing/dialogs/YanTablolar.h"
#include "messages/Messages.h"
#include "money/Money.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::invoicing {

namespace {
using text::S;

// The two table dialogs: the grid over a button row of new, delete | pick, close.
void tabloDuzeni(QDialog* d, QTableWidget* tablo, std::initializer_list<QPushButton*> dugmeler, int yukseklik)
{
    const std::vector<QPushButton*> b(dugmeler);
    auto* satir = new QHBoxLayout;
    satir->addWidget(b[0]);
    satir->addWidget(b[1]);
    satir->addStretch();
    satir->addWidget(b[2]);
    satir->addWidget(b[3]);
    auto* l = new QVBoxLayout(d);
    l->addWidget(tablo);
    l->addLayout(satir);
    d->resize(560, yukseklik);
}

QPushButton* dugme(QWidget* p, const char* metin, const char* ad)
{
    auto* b = new QPushButton(S(metin), p);
    b->setObjectName(S(ad));
    return b;
}
} // namespace

// ---- TFormFatTani ----

TFormFatTani::TFormFatTani(const SessionContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(S("FormFatTani"));
    setWindowTitle(S("Fatura No Tanım"));
    auto* form = new QFormLayout;
    auto edit = [&](const char* ad, bool harf) {
        auto* e = new QLineEdit(this);
        e->setObjectName(S(ad));
        if (harf)
            e->setMaxLength(5);
        return e;
    };
    EditSABITHARF = edit("EditSABITHARF", true);
    EditFATNO = edit("EditFATNO", false);
    EditIRS_HARF = edit("EditIRS_HARF", true);
    EditIRS_NO = edit("EditIRS_NO", false);
    EditIRS_FAT_HARF = edit("EditIRS_FAT_HARF", true);
    EditIRS_FAT_NO = edit("EditIRS_FAT_NO", false);
    form->addRow(S("Fatura Sabit Başlangıç &Harfleri"), EditSABITHARF);
    form->addRow(S("&Fatura Başlangıç No"), EditFATNO);
    form->addRow(S("İrsaliye Sabit Başlangıç Harfleri"), EditIRS_HARF);
    form->addRow(S("İrsaliye Başlangıç No"), EditIRS_NO);
    form->addRow(S("İrsaliyeli Fatura Sabit Baş. Harf."), EditIRS_FAT_HARF);
    form->addRow(S("İrsaliyeli Fatura Başlangıç No"), EditIRS_FAT_NO);
    const FatTaniDegerleri d = FatTaniOku(ctx.Database1);
    EditSABITHARF->setText(d.SABITHARF);
    EditFATNO->setText(QString::number(d.FATNO, 'f', 0));
    EditIRS_HARF->setText(d.IRS_HARF);
    EditIRS_NO->setText(QString::number(d.IRS_NO, 'f', 0));
    EditIRS_FAT_HARF->setText(d.IRS_FAT_HARF);
    EditIRS_FAT_NO->setText(QString::number(d.IRS_FAT_NO, 'f', 0));
    auto* sakla = dugme(this, "&Sakla", "BtnSakla");
    auto* vazgec = dugme(this, "&Vazgeç", "BtnVazgec");
    connect(sakla, &QPushButton::clicked, this, Guarded([this] { BtnSaklaClick(); }));
    connect(vazgec, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    auto* b = new QHBoxLayout;
    b->addStretch();
    b->addWidget(sakla);
    b->addWidget(vazgec);
    auto* l = new QVBoxLayout(this);
    l->addLayout(form);
    l->addLayout(b);
}

void TFormFatTani::BtnSaklaClick()
{
    FatTaniDegerleri d;
    bool ok1 = false, ok2 = false, ok3 = false;
    d.SABITHARF = EditSABITHARF->text();
    d.FATNO = EditFATNO->text().toDouble(&ok1);
    d.IRS_HARF = EditIRS_HARF->text();
    d.IRS_NO = EditIRS_NO->text().toDouble(&ok2);
    d.IRS_FAT_HARF = EditIRS_FAT_HARF->text();
    d.IRS_FAT_NO = EditIRS_FAT_NO->text().toDouble(&ok3);
    if (!ok1 || !ok2 || !ok3) {
        ShowError(S("Geçerli bir sayı yazınız."));
        return;
    }
    FatTaniYaz(m_ctx.Database1, d);
    accept();
}

// ---- ready texts ----

TFormHazirMetin::TFormHazirMetin(const SessionContext& ctx, int mode, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(S("FormHazirMetin"));
    setWindowTitle(S("HAZIR METİNLER"));
    setProperty("Tag", mode);
    cxGrid1 = new QTableWidget(this);
    cxGrid1->setObjectName(S("cxGrid1"));
    cxGrid1->setColumnCount(1);
    cxGrid1->setHorizontalHeaderLabels({S("Açıklama")});
    cxGrid1->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    cxGrid1->verticalHeader()->hide();
    auto* yeni = dugme(this, "Yeni Kayıt", "BtnYeni");
    auto* sil = dugme(this, "Kayıt Sil", "BtnSil");
    auto* sec = dugme(this, "&Seç", "BtnSec");
    auto* kapat = dugme(this, "Kapat", "BtnKapat");
    sec->setVisible(mode == 1);
    connect(yeni, &QPushButton::clicked, this, Guarded([this] {
        const int r = cxGrid1->rowCount();
        cxGrid1->insertRow(r);
        auto* it = new QTableWidgetItem;
        it->setData(Qt::UserRole, 0);
        cxGrid1->setItem(r, 0, it);
        cxGrid1->editItem(it);
    }));
    connect(cxGrid1, &QTableWidget::itemChanged, this, Guarded([this](QTableWidgetItem* it) {
        if (m_yukleniyor)
            return;
        Guard([&] {
            HazirMetin m{it->data(Qt::UserRole).toInt(), it->text()};
            if (HazirMetinYaz(m_ctx.Database1, m))
                yukle();
        });
    }));
    connect(sil, &QPushButton::clicked, this, Guarded([this] {
        auto* it = cxGrid1->currentItem();
        if (!it || AskYesNoCancel(S("Kayıt Silinsin mi?")) != MsgYes)
            return;
        Guard([&] {
            HazirMetinSil(m_ctx.Database1, it->data(Qt::UserRole).toInt());
            yukle();
        });
    }));
    const auto sec1 = [this] {
        auto* it = cxGrid1->currentItem();
        if (!it || property("Tag").toInt() != 1)
            return;
        secilen = it->text();
        accept();
    };
    connect(sec, &QPushButton::clicked, this, Guarded(sec1));
    connect(cxGrid1, &QTableWidget::itemDoubleClicked, this, Guarded(sec1));
    connect(kapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    tabloDuzeni(this, cxGrid1, {yeni, sil, sec, kapat}, 380);
    yukle();
}

void TFormHazirMetin::yukle()
{
    m_yukleniyor = true;
    const QList<HazirMetin> liste = HazirMetinler(m_ctx.Database1);
    cxGrid1->setRowCount(int(liste.size()));
    for (int i = 0; i < liste.size(); ++i) {
        auto* it = new QTableWidgetItem(liste[i].MT_ACIKLA);
        it->setData(Qt::UserRole, liste[i].MT_ID);
        cxGrid1->setItem(i, 0, it);
    }
    m_yukleniyor = false;
}

QString SelectHazirMetin(const SessionContext& ctx, int mode, QWidget* parent)
{
    TFormHazirMetin d(ctx, mode, parent);
    return d.exec() == QDialog::Accepted ? d.secilen : QString();
}

// ---- discount rates ----

TFormIskontoBr::TFormIskontoBr(const SessionContext& ctx, int mode, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(S("FormIskontoBr"));
    setWindowTitle(S("İSKONTO ORANLARI KAYITLARI"));
    setProperty("Tag", mode);
    cxGrid1 = new QTableWidget(this);
    cxGrid1->setObjectName(S("cxGrid1"));
    cxGrid1->setColumnCount(4);
    cxGrid1->setHorizontalHeaderLabels({S("No"), S("Gün"), S("İskonto %"), S("Açıklama")});
    cxGrid1->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    cxGrid1->verticalHeader()->hide();
    auto* yeni = dugme(this, "Yeni Kayıt", "BtnYeni");
    auto* sil = dugme(this, "Kayıt Sil", "BtnSil");
    sil->setToolTip(S("Ctrl Delete Tuşu"));
    auto* sec = dugme(this, "Seç", "BtnSec");
    auto* kapat = dugme(this, "Kapat", "BtnKapat");
    sec->setVisible(mode == 1);
    connect(yeni, &QPushButton::clicked, this, Guarded([this] {
        m_yukleniyor = true;
        const int r = cxGrid1->rowCount();
        cxGrid1->insertRow(r);
        int enBuyuk = 0;
        for (const IskontoOrani& o : IskontoOranlari(m_ctx.Database1))
            enBuyuk = std::max(enBuyuk, o.ISK_NO);
        cxGrid1->setItem(r, 0, new QTableWidgetItem(QString::number(enBuyuk + 1)));
        for (int c = 1; c < 4; ++c)
            cxGrid1->setItem(r, c, new QTableWidgetItem);
        m_yukleniyor = false;
        cxGrid1->editItem(cxGrid1->item(r, 2));
    }));
    connect(cxGrid1, &QTableWidget::itemChanged, this, Guarded([this](QTableWidgetItem* it) {
        if (m_yukleniyor)
            return;
        const int r = it->row();
        const auto txt = [&](int c) { return cxGrid1->item(r, c) ? cxGrid1->item(r, c)->text() : QString(); };
        IskontoOrani o;
        bool ok = false;
        o.ISK_NO = txt(0).toInt(&ok);
        if (!ok)
            return;
        o.ISK_GUN = txt(1).toInt();
        double oran = 0;
        ParseMoney(txt(2), &oran);
        o.ISK_ORAN = oran;
        o.ACIKLAMA = txt(3);
        Guard([&] { IskontoOraniYaz(m_ctx.Database1, o); });
    }));
    connect(sil, &QPushButton::clicked, this, Guarded([this] {
        const int r = cxGrid1->currentRow();
        if (r < 0 || AskYesNoCancel(S("Kayıt Silinsin mi?")) != MsgYes)
            return;
        Guard([&] {
            IskontoOraniSil(m_ctx.Database1, cxGrid1->item(r, 0)->text().toInt());
            yukle();
        });
    }));
    const auto sec1 = [this] {
        const int r = cxGrid1->currentRow();
        if (r < 0 || property("Tag").toInt() != 1)
            return;
        secilen = cxGrid1->item(r, 0)->text().toInt();
        accept();
    };
    connect(sec, &QPushButton::clicked, this, Guarded(sec1));
    connect(cxGrid1, &QTableWidget::itemDoubleClicked, this, Guarded(sec1));
    connect(kapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    tabloDuzeni(this, cxGrid1, {yeni, sil, sec, kapat}, 320);
    yukle();
}

void TFormIskontoBr::yukle()
{
    m_yukleniyor = true;
    const QList<IskontoOrani> liste = IskontoOranlari(m_ctx.Database1);
    cxGrid1->setRowCount(int(liste.size()));
    for (int i = 0; i < liste.size(); ++i) {
        const IskontoOrani& o = liste[i];
        cxGrid1->setItem(i, 0, new QTableWidgetItem(QString::number(o.ISK_NO)));
        cxGrid1->setItem(i, 1, new QTableWidgetItem(QString::number(o.ISK_GUN)));
        cxGrid1->setItem(i, 2, new QTableWidgetItem(FormatMoney(o.ISK_ORAN, S(",0.##"))));
        cxGrid1->setItem(i, 3, new QTableWidgetItem(o.ACIKLAMA));
    }
    m_yukleniyor = false;
}

int SelectIskonto(const SessionContext& ctx, int mode, QWidget* parent)
{
    TFormIskontoBr d(ctx, mode, parent);
    return d.exec() == QDialog::Accepted ? d.secilen : -1;
}

} // namespace tornaly::invoicing
