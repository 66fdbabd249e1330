#include "stock/tools/QRListForm.h"

#include "export/TableExport.h"
#include "report/ListReport.h"
#include "report/RaporCikti.h"
#include "guard/FormGuard.h"

#include "messages/Messages.h"
#include "stock/common/ListeGorunumu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::stock {

SqlText SayimOncesiSorgu(const SayimListeKriteri& k)
{
    SqlText s;
    s.lines = {QStringLiteral("SELECT STOK.STOK_KOD_NO, STOK.STOK_ADI_TR, STOKMIK.RAF_YERI, STOKMIK.MIKTAR, STOKMIK.SAYIM_MIK"),
               QStringLiteral("FROM STOKMIK LEFT OUTER JOIN STOK ON (STOK.STOK_NO = STOKMIK.STOK_NO)"),
               QStringLiteral("WHERE STOKMIK.DEPO_KOD = :DEPO")};
    s.binds.insert(QStringLiteral("DEPO"), k.depo);
    if (k.raf == SayimListeKriteri::Raf::Olanlar)
        s.lines << QStringLiteral("AND STOKMIK.RAF_YERI IS NOT NULL AND STOKMIK.RAF_YERI <> ''");
    else if (k.raf == SayimListeKriteri::Raf::Olmayanlar)
        s.lines << QStringLiteral("AND (STOKMIK.RAF_YERI IS NULL OR STOKMIK.RAF_YERI = '')");
    if (k.hareketGorenler)
        s.lines << QStringLiteral("AND STOKMIK.STOK_NO IN (SELECT STOK_NO FROM DEPOHRK)");
    if (!k.grup.isEmpty()) {
        s.lines << QStringLiteral("AND STOK.GRUP_NO = :GRUP");
        s.binds.insert(QStringLiteral("GRUP"), k.grup);
    }
    static const char* siralar[] = {"ORDER BY STOKMIK.RAF_YERI, STOK_KOD_NO", "ORDER BY STOKMIK.RAF_YERI, STOK_ADI_TR",
                                    "ORDER BY STOK_KOD_NO", "ORDER BY STOK_ADI_TR"};
    s.lines << QString::fromLatin1(siralar[qBound(0, k.siralama, 3)]);
    return s;
}

TQRListForm::TQRListForm(const SessionContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("QRListForm"));
    setWindowTitle(QStringLiteral("Sayım Öncesi Ürün Listesi Dökümü"));
    auto* v = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    CmbDepo = new QComboBox(this);
    CmbDepo->setObjectName(QStringLiteral("CmbDepo"));
    CmbGrup = new QComboBox(this);
    CmbGrup->setObjectName(QStringLiteral("CmbGrup"));
    CmbRaf = new QComboBox(this);
    CmbRaf->setObjectName(QStringLiteral("CmbRaf"));
    CmbRaf->addItems({QStringLiteral("Hepsi"), QStringLiteral("Olanlar"), QStringLiteral("Olmayanlar")});
    ChkHareket = new QCheckBox(QStringLiteral("Hareket Görenler"), this);
    ChkHareket->setObjectName(QStringLiteral("ChkHareket"));
    CmbSiralama = new QComboBox(this);
    CmbSiralama->setObjectName(QStringLiteral("CmbSiralama"));
    CmbSiralama->addItems({QStringLiteral("Raf Yeri && Stok Kodu"), QStringLiteral("Raf Yeri && Stok Adı"),
                           QStringLiteral("Stok Kodu "), QStringLiteral("Stok Adı")});
    CmbDepo->addItem(QString(), QString());
    CmbGrup->addItem(QString(), QString());
    {
        Query d(ctx.Database1, QStringLiteral("SELECT DEPO_KODU, DEPO_ADI FROM DEPO ORDER BY SIRA"));
        d.exec();
        while (d.next())
            CmbDepo->addItem(d.value(1).toString(), d.value(0).toString());
        Query g(ctx.Database1, QStringLiteral("SELECT GRUP_KODU, GRUP_ADI FROM GRUP ORDER BY GRUP_ADI"));
        g.exec();
        while (g.next())
            CmbGrup->addItem(g.value(1).toString(), g.value(0).toString());
    }
    form->addRow(QStringLiteral("Sayım Deposu"), CmbDepo);
    form->addRow(QStringLiteral("Stok Grubu"), CmbGrup);
    form->addRow(QStringLiteral("RAF_YERİ"), CmbRaf);
    form->addRow(QString(), ChkHareket);
    form->addRow(QStringLiteral("SIRALAMA KRİTERİ"), CmbSiralama);
    v->addLayout(form);
    LblBaslik = new QLabel(QStringLiteral("SAYIM ÖNCESİ DÖKÜMÜ"), this);
    LblBaslik->setObjectName(QStringLiteral("LblBaslik"));
    v->addWidget(LblBaslik);
    GridListe = new QTableView(this);
    GridListe->setObjectName(QStringLiteral("GridListe"));
    QListe = new BoundQueryModel(this);
    ListeHazirla(GridListe, QListe, {{{QStringLiteral("STOK_KOD_NO"), QStringLiteral("Stok Kodu")},
                                      {QStringLiteral("STOK_ADI_TR"), QStringLiteral("Stok Adı")},
                                      {QStringLiteral("RAF_YERI"), QStringLiteral("Raf Yeri")},
                                      {QStringLiteral("MIKTAR"), QStringLiteral("Miktar")},
                                      {QStringLiteral("SAYIM_MIK"), QStringLiteral("Sayım Miktar")}}});
    v->addWidget(GridListe, 1);
    auto* h = new QHBoxLayout;
    h->addStretch(1);
    auto* listele = new QPushButton(QStringLiteral("Listele"), this);
    listele->setObjectName(QStringLiteral("BtnListele"));
    BtnYazdir = new QPushButton(QStringLiteral("Yazdır"), this);
    BtnYazdir->setObjectName(QStringLiteral("BtnYazdir"));
    BtnExcel = new QPushButton(QStringLiteral("Excele Aktar"), this);
    BtnExcel->setObjectName(QStringLiteral("BtnExcel"));
    auto* kapat = new QPushButton(QStringLiteral("&Kapat"), this);
    for (QPushButton* b : {listele, BtnYazdir, BtnExcel, kapat}) {
        b->setAutoDefault(false);
        h->addWidget(b);
    }
    v->addLayout(h);
    connect(listele, &QPushButton::clicked, this, Guarded(this, &TQRListForm::BtnListeleClick));
    connect(BtnYazdir, &QPushButton::clicked, this, Guarded(this, &TQRListForm::BtnYazdirClick));
    connect(BtnExcel, &QPushButton::clicked, this, Guarded([this] {
                if (QListe->isOpen())
                    GridExport(QStringLiteral("E"), GridListe, true);
            }));
    connect(kapat, &QPushButton::clicked, this, &QDialog::accept); // unguarded: ui only
    resize(760, 560);
}

void TQRListForm::BtnListeleClick()
{
    SayimListeKriteri k;
    k.depo = CmbDepo->currentData().toString();
    if (k.depo.isEmpty()) {
        ShowWarning(QStringLiteral("Lütfen sayım deposu seçiniz!"));
        return;
    }
    k.grup = CmbGrup->currentData().toString();
    k.raf = static_cast<SayimListeKriteri::Raf>(CmbRaf->currentIndex());
    k.hareketGorenler = ChkHareket->isChecked();
    k.siralama = CmbSiralama->currentIndex();
    LblBaslik->setText(QStringLiteral("Depo: %1  Tarih :%2")
                           .arg(CmbDepo->currentText(), QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"))));
    const SqlText s = SayimOncesiSorgu(k);
    QListe->setStatement(m_ctx.Database1, s.text(), s.binds);
    QListe->open();
    KolonlariSigdir(GridListe);
}

void TQRListForm::BtnYazdirClick()
{
    if (!QListe->isOpen())
        BtnListeleClick();
    if (!QListe->isOpen())
        return;
    QListe->fetchAll();
    QVector<QVector<QVariant>> satirlar;
    const QStringList alanlar{QStringLiteral("STOK_KOD_NO"), QStringLiteral("STOK_ADI_TR"), QStringLiteral("RAF_YERI"),
                              QStringLiteral("MIKTAR"), QStringLiteral("SAYIM_MIK")};
    for (int r = 0; r < QListe->rowCount(); ++r) {
        QVector<QVariant> v{r + 1};
        for (const QString& a : alanlar)
            v << QListe->index(r, QListe->columnOf(a)).data(Qt::EditRole);
        satirlar << v;
    }
    report::Report rapor =
        report::ListReportBuilder(QStringLiteral("SAYIM ÖNCESİ DÖKÜM"))
            .source(report::RecordsSource(QStringList{QStringLiteral("SIRA")} + alanlar, satirlar))
            .company(m_ctx.FirmaAdi)
            .subtitle(LblBaslik->text())
            .number(QStringLiteral("SIRA"), QStringLiteral("Sıra"), 12)
            .text(QStringLiteral("STOK_KOD_NO"), QStringLiteral("Stok Kodu"), 35)
            .text(QStringLiteral("STOK_ADI_TR"), QStringLiteral("Stok Adı"), 65)
            .text(QStringLiteral("RAF_YERI"), QStringLiteral("Raf Yeri"), 22)
            .money(QStringLiteral("MIKTAR"), QStringLiteral("Miktar"), 22, false, QStringLiteral(",0.##"))
            .money(QStringLiteral("SAYIM_MIK"), QStringLiteral("Sayım Miktar"), 24, false, QStringLiteral(",0.##"))
            .summary(QStringLiteral("Toplam Kalem: ") + QString::number(satirlar.size()))
            .build();
    report::RaporCikti(m_ctx.Database1, rapor, QStringLiteral("SAYIMONCESI"), report::OutputPreview);
}

void ShowQRListForm(const SessionContext& ctx, QWidget* parent)
{
    TQRListForm f(ctx, parent);
    f.exec();
}

} // namespace tornaly::stock
