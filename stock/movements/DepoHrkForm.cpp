#include "stock/movements/DepoHrkForm.h"
#include "guard/FormGuard.h"

#include "messages/Messages.h"
#include "money/Money.h"
#include "stock/common/ListeGorunumu.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::stock {

QDate TarihMetni(const QString& text)
{
    const QString t = text.trimmed();
    for (const char* f : {"dd.MM.yyyy", "d.M.yyyy", "dd/MM/yyyy"}) {
        const QDate d = QDate::fromString(t, QString::fromLatin1(f));
        if (d.isValid())
            return d;
    }
    return {};
}

TTarihQueryDlg::TTarihQueryDlg(const TQtrhDlg& ilk, const QString& mesaj, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TarihQueryDlg"));
    setWindowTitle(QStringLiteral("Tarih Aralığı Belirleyin"));
    auto* v = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    EditBas = new QLineEdit(ilk.BasZaman.date().toString(QStringLiteral("dd.MM.yyyy")), this);
    EditBas->setObjectName(QStringLiteral("EditBas"));
    EditBas->setInputMask(QStringLiteral("99.99.9999;_"));
    EditSon = new QLineEdit(ilk.SonZaman.date().toString(QStringLiteral("dd.MM.yyyy")), this);
    EditSon->setObjectName(QStringLiteral("EditSon"));
    EditSon->setInputMask(QStringLiteral("99.99.9999;_"));
    form->addRow(QStringLiteral("Tarihinden"), EditBas);
    auto* mesajEtiket = new QLabel(mesaj, this);
    mesajEtiket->setObjectName(QStringLiteral("LblMesaj"));
    form->addRow(QString(), mesajEtiket);
    form->addRow(QStringLiteral("Tarihine kadar"), EditSon);
    v->addLayout(form);
    auto* h = new QHBoxLayout;
    h->addStretch(1);
    BtnTamam = new QPushButton(QStringLiteral("&Tamam"), this);
    BtnTamam->setObjectName(QStringLiteral("BtnTamam"));
    BtnTamam->setDefault(true);
    BtnVazgec = new QPushButton(QStringLiteral("&Vazgeç"), this);
    BtnVazgec->setObjectName(QStringLiteral("BtnVazgec"));
    h->addWidget(BtnTamam);
    h->addWidget(BtnVazgec);
    v->addLayout(h);
    connect(BtnTamam, &QPushButton::clicked, this, Guarded(this, &TTarihQueryDlg::BtnTamamClick));
    connect(BtnVazgec, &QPushButton::clicked, this, Guarded(this, &TTarihQueryDlg::BtnVazgecClick));
    for (QLineEdit* e : {EditBas, EditSon})
        connect(e, &QLineEdit::editingFinished, this, Guarded([e] {
            const QString digits = QString(e->text()).remove(QLatin1Char('.')).remove(QLatin1Char('_')).trimmed();
            if (!digits.isEmpty() && !TarihMetni(e->text()).isValid()) {
                QApplication::beep();
                e->setFocus();
            }
        }));
}

void TTarihQueryDlg::BtnTamamClick()
{
    const QDate bas = TarihMetni(EditBas->text()), son = TarihMetni(EditSon->text());
    if (!bas.isValid() || !son.isValid()) {
        ShowWarning(QStringLiteral("Geçersiz Bir Tarih Belirlendi"));
        return;
    }
    if (son < bas) {
        ShowWarning(QStringLiteral("Bitiş tarihi başlangıç tarihinden önce olamaz."));
        return;
    }
    sonuc = {QDateTime(bas, QTime(0, 0)), QDateTime(son, QTime(0, 0)), 1};
    accept();
}

void TTarihQueryDlg::BtnVazgecClick()
{
    EditBas->clear();
    EditSon->clear();
    sonuc = {};
    reject();
}

void TarihAraligiSor(const TQtrhDlg& ilk, const QString& mesaj, TQtrhDlg& sonuc, QWidget* parent)
{
    TTarihQueryDlg d(ilk, mesaj, parent);
    d.exec();
    sonuc = d.sonuc;
}

namespace {
ListeAyari hareketAyari()
{
    ListeAyari a;
    a.basliklar = {{QStringLiteral("TARIH"), QStringLiteral("Tarih")}, {QStringLiteral("SATISNO"), QStringLiteral("Sat/Al.No")},
                   {QStringLiteral("ISEMRINO"), QStringLiteral("İşemriNo")}, {QStringLiteral("PLAKA_NO"), QStringLiteral("Plaka")},
                   {QStringLiteral("TIP"), QStringLiteral("Tip")}, {QStringLiteral("SIRANO"), QStringLiteral("SıraNo")},
                   {QStringLiteral("CARIKOD"), QStringLiteral("Cari")}, {QStringLiteral("FIRMA_ADI"), QStringLiteral("Firma Adı")},
                   {QStringLiteral("FIYAT"), QStringLiteral("Fiyat")}, {QStringLiteral("GIRMIK"), QStringLiteral("Gir.Mik.")},
                   {QStringLiteral("CIKMIK"), QStringLiteral("Çık.Mik")}, {QStringLiteral("DEPO"), QStringLiteral("Depo")},
                   {QStringLiteral("DEPO_KODU"), QStringLiteral("Depo")}, {QStringLiteral("DEPO_ADI"), QStringLiteral("Depo Adı")},
                   {QStringLiteral("GIREN"), QStringLiteral("Giren")}, {QStringLiteral("CIKAN"), QStringLiteral("Çıkan")},
                   {QStringLiteral("FARK"), QStringLiteral("Fark")},
                   {QStringLiteral("GIR_TUTAR"), QStringLiteral("Giriş Tutarı (TL)")},
                   {QStringLiteral("CIK_TUTAR"), QStringLiteral("Çıkış Tutarı (TL)")},
                   {QStringLiteral("GIR_USD"), QStringLiteral("Giriş Tutarı (USD)")},
                   {QStringLiteral("CIK_USD"), QStringLiteral("Çıkış Tutarı (USD)")}};
    a.gizli = {QStringLiteral("STOK_NO"), QStringLiteral("DEPO_KOD")};
    a.tarihler = {QStringLiteral("TARIH")};
    for (const char* k : {"FIYAT", "GIR_TUTAR", "CIK_TUTAR", "GIR_USD", "CIK_USD"})
        a.bicimler.insert(QString::fromLatin1(k), QStringLiteral(",0.00"));
    a.bicimler.insert(QStringLiteral("SATISNO"), QStringLiteral("0"));
    a.bicimler.insert(QStringLiteral("SIRANO"), QStringLiteral("0"));
    a.cevirici.insert(QStringLiteral("TIP"), [](const QVariant& v) { return HareketTipAdi(v.toString()); });
    return a;
}
} // namespace

TFormDepoHrk::TFormDepoHrk(const SessionContext& ctx, const QString& stokAdi, double stokNo, QWidget* parent)
    : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FormDepoHrk"));
    setWindowTitle(QStringLiteral("Stok Depo Hareketleri"));
    filtre.stokNo = stokNo;
    auto* v = new QVBoxLayout(this);
    LblBaslik = new QLabel(this);
    LblBaslik->setObjectName(QStringLiteral("LblBaslik"));
    QFont bf = LblBaslik->font();
    bf.setBold(true);
    LblBaslik->setFont(bf);
    Query q(ctx.Database1, QStringLiteral("SELECT STOK_KOD_NO, STOK_ADI_TR FROM STOK WHERE STOK_NO = :STOK_NO"));
    q.bind(QStringLiteral("STOK_NO"), stokNo).exec();
    LblBaslik->setText(q.next() ? q.value(0).toString() + QStringLiteral(" -  ") + q.value(1).toString() : stokAdi);
    v->addWidget(LblBaslik);
    auto* bolme = new QSplitter(Qt::Vertical, this);
    const ListeAyari ayar = hareketAyari();
    GridHareket = new QTableView(bolme);
    GridHareket->setObjectName(QStringLiteral("GridHareket"));
    QHareket = new BoundQueryModel(this);
    ListeHazirla(GridHareket, QHareket, ayar);
    auto* alt = new QSplitter(Qt::Horizontal, bolme);
    GridDepo = new QTableView(alt);
    GridDepo->setObjectName(QStringLiteral("GridDepo"));
    QDepoToplam = new BoundQueryModel(this);
    ListeHazirla(GridDepo, QDepoToplam, ayar);
    GridCari = new QTableView(alt);
    GridCari->setObjectName(QStringLiteral("GridCari"));
    QCariToplam = new BoundQueryModel(this);
    ListeAyari cariAyar = ayar;
    cariAyar.basliklar.insert(QStringLiteral("CARIKOD"), QStringLiteral("Cari Koda Göre Dağılım"));
    cariAyar.basliklar.insert(QStringLiteral("FIRMA_ADI"), QStringLiteral("Cari Adı"));
    ListeHazirla(GridCari, QCariToplam, cariAyar);
    bolme->addWidget(GridHareket);
    bolme->addWidget(alt);
    v->addWidget(bolme, 1);
    LblBelge = new QLabel(this);
    LblBelge->setObjectName(QStringLiteral("LblBelge"));
    v->addWidget(LblBelge);
    auto* h = new QHBoxLayout;
    ChkDepoFiltre = new QCheckBox(QStringLiteral("&Depoya Göre Filtrele"), this);
    ChkDepoFiltre->setObjectName(QStringLiteral("ChkDepoFiltre"));
    BtnTarih = new QPushButton(QStringLiteral("Tarih Aralığı "), this);
    BtnTarih->setObjectName(QStringLiteral("BtnTarih"));
    BtnAylik = new QPushButton(QStringLiteral("&Aylık Rapor"), this);
    BtnAylik->setObjectName(QStringLiteral("BtnAylik"));
    BtnKapat = new QPushButton(QStringLiteral("&Kapat"), this);
    BtnKapat->setObjectName(QStringLiteral("BtnKapat"));
    h->addWidget(ChkDepoFiltre);
    h->addStretch(1);
    for (QPushButton* b : {BtnTarih, BtnAylik, BtnKapat}) {
        b->setAutoDefault(false);
        h->addWidget(b);
    }
    v->addLayout(h);
    connect(BtnTarih, &QPushButton::clicked, this, Guarded(this, &TFormDepoHrk::BtnTarihClick));
    connect(BtnAylik, &QPushButton::clicked, this, Guarded(this, &TFormDepoHrk::BtnAylikClick));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    connect(ChkDepoFiltre, &QCheckBox::toggled, this, Guarded([this] { ac(); }));
    // Moving through the per-warehouse sums narrows the lists while the filter is on.
    connect(GridDepo->selectionModel(), &QItemSelectionModel::currentRowChanged, this, Guarded([this] {
        if (ChkDepoFiltre->isChecked())
            ac();
    }));
    ac();
    resize(1100, 680);
}

void TFormDepoHrk::ac()
{
    const Db& db = m_ctx.Database1;
    const int r = GridDepo->currentIndex().row();
    filtre.depo.clear();
    if (ChkDepoFiltre->isChecked() && r >= 0)
        filtre.depo = QDepoToplam->index(r, QDepoToplam->columnOf(QStringLiteral("DEPO_KODU"))).data(Qt::EditRole).toString();
    const SqlText d = DepoToplamSorgusu(db, filtre);
    if (!ChkDepoFiltre->isChecked() || !QDepoToplam->isOpen()) {
        QDepoToplam->setStatement(db, d.text(), d.binds);
        QDepoToplam->open();
        KolonlariSigdir(GridDepo);
    }
    const SqlText h = HareketSorgusu(db, filtre);
    QHareket->setStatement(db, h.text(), h.binds);
    QHareket->open();
    KolonlariSigdir(GridHareket);
    connect(GridHareket->selectionModel(), &QItemSelectionModel::currentRowChanged, this, Guarded(this, &TFormDepoHrk::belgeGoster),
            Qt::UniqueConnection);
    const SqlText c = CariToplamSorgusu(db, filtre);
    QCariToplam->setStatement(db, c.text(), c.binds);
    QCariToplam->open();
    KolonlariSigdir(GridCari);
    belgeGoster();
}

void TFormDepoHrk::belgeGoster()
{
    const int r = GridHareket->currentIndex().row();
    LblBelge->clear();
    if (r < 0)
        return;
    auto deger = [&](const char* alan) {
        return QHareket->index(r, QHareket->columnOf(QString::fromLatin1(alan))).data(Qt::EditRole);
    };
    const HareketBelgesi b = HareketBelgesiBul(deger("TIP").toString(), deger("ISEMRINO").toString(),
                                               deger("GIRMIK").toDouble(), deger("CIKMIK").toDouble());
    const QString no = QString::number(qint64(deger("SATISNO").toDouble()));
    if (b == HareketBelgesi::Alis)
        LblBelge->setText(QStringLiteral("Alış No: %1   Cari Kodu: %2").arg(no, deger("CARIKOD").toString()));
    else if (b == HareketBelgesi::Satis)
        LblBelge->setText(QStringLiteral("Satış No: %1   Cari Kod: %2").arg(no, deger("CARIKOD").toString()));
}

void TFormDepoHrk::BtnTarihClick()
{
    TQtrhDlg ilk{QDateTime(QDate::currentDate(), QTime()), QDateTime(QDate::currentDate(), QTime()), 0}, sonuc;
    TarihAraligiSor(ilk, QStringLiteral("Olan Stokların Satışlarını ve Alışlarını Göster"), sonuc, this);
    if (sonuc.Sonuc != 1)
        return;
    filtre.bas = sonuc.BasZaman.date();
    filtre.son = sonuc.SonZaman.date();
    setWindowTitle(QStringLiteral("STOK HAREKETLERİ (%1-%2)")
                       .arg(filtre.bas.toString(QStringLiteral("dd.MM.yyyy")), filtre.son.toString(QStringLiteral("dd.MM.yyyy"))));
    QDepoToplam->close();
    ac();
}

void TFormDepoHrk::BtnAylikClick()
{
    AylikGirisCikis(m_ctx, filtre.stokNo, this);
}

void DepoHareketleri(const SessionContext& ctx, const QString& stokAdi, double stokNo, QWidget* parent)
{
    TFormDepoHrk f(ctx, stokAdi, stokNo, parent);
    f.exec();
}

TFormAylik::TFormAylik(const SessionContext& ctx, double stokNo, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAylik"));
    setWindowTitle(QStringLiteral("Aylık Giriş-Çıkış Mik."));
    auto* v = new QVBoxLayout(this);
    GridAylik = new QTableView(this);
    GridAylik->setObjectName(QStringLiteral("GridAylik"));
    auto* m = new QStandardItemModel(0, 5, this);
    m->setHorizontalHeaderLabels({QStringLiteral("Adı"), QStringLiteral("Ay"), QStringLiteral("Yıl"), QStringLiteral("Giren"),
                                  QStringLiteral("Çıkan")});
    for (const AylikSatir& s : AylikGirisCikisBul(ctx.Database1, ctx, stokNo)) {
        QList<QStandardItem*> row{new QStandardItem(s.ayAdi), new QStandardItem(QString::number(s.ay)),
                                  new QStandardItem(QString::number(s.yil)),
                                  new QStandardItem(FormatMoney(s.giren, QStringLiteral(",0.00"))),
                                  new QStandardItem(FormatMoney(s.cikan, QStringLiteral(",0.00")))};
        for (int c = 1; c < 5; ++c)
            row[c]->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m->appendRow(row);
    }
    GridAylik->setModel(m);
    GridAylik->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridAylik->resizeColumnsToContents();
    v->addWidget(GridAylik, 1);
    auto* kapat = new QPushButton(QStringLiteral("&Kapat"), this);
    kapat->setObjectName(QStringLiteral("BtnKapat"));
    connect(kapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    v->addWidget(kapat, 0, Qt::AlignRight);
    resize(480, 420);
}

void AylikGirisCikis(const SessionContext& ctx, double stokNo, QWidget* parent)
{
    TFormAylik f(ctx, stokNo, parent);
    f.exec();
}

} // namespace tornaly::stock
