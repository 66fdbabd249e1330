#include "accounts/ui/ListeModeli.h"
#include "controls/TarihEdit.h"
#include "guard/FormGuard.h"
#include "accounts/cash/KasaHrkBr.h"

#include "accounts/cash/KasaBr.h"
#include "accounts/ledger/CariHrkTurleri.h"
#include "context/User.h"
#include "counters/Counters.h"
#include "db/DbError.h"
#include "messages/Messages.h"
#include "controls/SayiAlani.h"
#include "money/Money.h"
#include "sql/SqlHelpers.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::accounts {

namespace {

double sayi(const QLineEdit* e)
{
    double v = 0;
    ParseMoney(e->text(), &v);
    return v;
}

QString yaz(double v, int ondalik = 2)
{
    return FormatMoney(v, ondalik == 2 ? QStringLiteral(",0.00") : QStringLiteral(",0.0000"));
}

} // namespace

TFormKasaHrkYaz::TFormKasaHrkYaz(const SessionContext& ctx, const KasaHareketi& h, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1), m_h(h)
{
    setObjectName(QStringLiteral("FormKasaHrkYaz"));
    setWindowTitle(QStringLiteral("Kasa İşlemleri"));
    LblTur = new QLabel(KasaHrkTuruBasligi(h.HRK_TURU, true), this);
    QFont f = LblTur->font();
    f.setBold(true);
    LblTur->setFont(f);
    auto* form = new QFormLayout;
    form->addRow(LblTur);
    form->addRow(QStringLiteral("Muh Fiş Ref.No"), new QLabel(h.FIS_NO.toString(), this));
    form->addRow(QStringLiteral("Hrk.No"), new QLabel(h.HRKNO > 0 ? QString::number(qint64(h.HRKNO)) : QString(), this));
    form->addRow(QStringLiteral("Kasa Kodu"), new QLabel(h.KASAKOD, this));
    TARIH = new TTarihEdit(h.TARIH, this);
    TARIH->setObjectName(QStringLiteral("TARIH"));
    TARIH->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    TARIH->setCalendarPopup(true);
    form->addRow(QStringLiteral("Tarih"), TARIH);
    auto alan = [&](QLineEdit*& e, const char* ad, const QString& baslik, const QString& deger) {
        e = new QLineEdit(deger, this);
        e->setObjectName(QLatin1String(ad));
        form->addRow(baslik, e);
    };
    alan(BELGE_NO, "BELGE_NO", QStringLiteral("Belge No"), h.BELGE_NO);
    BELGE_NO->setMaxLength(15);
    alan(TUTAR, "TUTAR", QStringLiteral("Tutar"), h.TUTAR > 0 ? yaz(h.TUTAR) : QString());
    alan(TUTAR_USD, "TUTAR_USD", QStringLiteral("Tutar USD"), h.TUTAR_USD > 0 ? yaz(h.TUTAR_USD) : QString());
    alan(TUTAR_DVZ, "TUTAR_DVZ", QStringLiteral("Tutar Döviz "), h.TUTAR_DVZ > 0 ? yaz(h.TUTAR_DVZ) : QString());
    DOVIZ_KOD = new QComboBox(this);
    DOVIZ_KOD->setObjectName(QStringLiteral("DOVIZ_KOD"));
    DOVIZ_KOD->addItem(ctx.YerelPara);
    {
        Query q(m_db, QStringLiteral("SELECT DOVIZ_KODU FROM DOVIZ ORDER BY DOVIZ_KODU"));
        q.exec();
        while (q.next())
            if (q.str(QStringLiteral("DOVIZ_KODU")) != ctx.YerelPara)
                DOVIZ_KOD->addItem(q.str(QStringLiteral("DOVIZ_KODU")));
    }
    DOVIZ_KOD->setCurrentText(h.DOVIZ_KOD.isEmpty() ? ctx.YerelPara : h.DOVIZ_KOD);
    form->addRow(QStringLiteral("Döviz"), DOVIZ_KOD);
    alan(TL_KURDEGER, "TL_KURDEGER", QStringLiteral("Döviz Kuru"), h.TL_KURDEGER > 0 ? yaz(h.TL_KURDEGER, 4) : QString());
    alan(TL_USDEGER, "TL_USDEGER", QStringLiteral("USD Kuru"), h.TL_USDEGER > 0 ? yaz(h.TL_USDEGER, 4) : QString());
    TL_USDEGER->setReadOnly(true);
    PARA_BAZ = new QComboBox(this);
    PARA_BAZ->setObjectName(QStringLiteral("PARA_BAZ"));
    PARA_BAZ->addItem(ctx.YerelPara, QStringLiteral("T"));
    PARA_BAZ->addItem(QStringLiteral("USD"), QStringLiteral("U"));
    PARA_BAZ->addItem(QStringLiteral("DÖVİZ"), QStringLiteral("D"));
    PARA_BAZ->setCurrentIndex(qMax(0, PARA_BAZ->findData(QString(h.PARA_BAZ))));
    form->addRow(QStringLiteral("Tutar Kur Hesap Baz Değeri"), PARA_BAZ);
    alan(ACIKLAMA, "ACIKLAMA", QStringLiteral("Açıklama"), h.ACIKLAMA);
    ACIKLAMA->setMaxLength(75);

    PanelVirman = new QWidget(this);
    PanelVirman->setObjectName(QStringLiteral("PanelVirman"));
    auto* vl = new QHBoxLayout(PanelVirman);
    vl->setContentsMargins(0, 0, 0, 0);
    KARSIKOD = new QLineEdit(h.KARSIKOD, PanelVirman);
    KARSIKOD->setObjectName(QStringLiteral("KARSIKOD"));
    KARSIKOD->setReadOnly(true);
    BtnKasaSec = Dugme(PanelVirman, "BtnKasaSec", QStringLiteral("Kasa Seç"));
    vl->addWidget(new QLabel(QStringLiteral("Virman Yapılacak Kasa"), PanelVirman));
    vl->addWidget(KARSIKOD);
    vl->addWidget(BtnKasaSec);
    PanelVirman->setVisible(KasaVirmanMi(h.HRK_TURU));
    form->addRow(PanelVirman);
    connect(BtnKasaSec, &QPushButton::clicked, this, Guarded([this] {
        const QString k = KasaSec(m_ctx, 1, this);
        if (!k.isEmpty())
            KARSIKOD->setText(k);
    }));

    BtnSakla = Dugme(this, "BtnSakla", QStringLiteral("&Sakla"));
    BtnVazgec = Dugme(this, "BtnVazgec", QStringLiteral("&Vazgeç"));
    connect(BtnSakla, &QPushButton::clicked, this, Guarded(this, &TFormKasaHrkYaz::BtnSaklaClick));
    connect(BtnVazgec, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    for (QLineEdit* e : {TUTAR, TUTAR_USD, TUTAR_DVZ, TL_KURDEGER})
        connect(e, &QLineEdit::editingFinished, this, Guarded(this, &TFormKasaHrkYaz::tutarlariHesapla));
    connect(DOVIZ_KOD, &QComboBox::activated, this, Guarded([this] {
        TL_KURDEGER->clear();
        if (DOVIZ_KOD->currentText() != m_ctx.YerelPara)
            PARA_BAZ->setCurrentIndex(2);
        tutarlariHesapla();
    }));
    connect(PARA_BAZ, &QComboBox::activated, this, Guarded(this, &TFormKasaHrkYaz::tutarlariHesapla));
    auto* d = new QHBoxLayout;
    d->addStretch();
    d->addWidget(BtnSakla);
    d->addWidget(BtnVazgec);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(form);
    lay->addLayout(d);
    resize(480, 520);
}

KasaHareketi TFormKasaHrkYaz::hareket() const
{
    KasaHareketi h = m_h;
    h.TARIH = TARIH->date();
    h.BELGE_NO = BELGE_NO->text();
    h.TUTAR = sayi(TUTAR);
    h.TUTAR_USD = sayi(TUTAR_USD);
    h.TUTAR_DVZ = sayi(TUTAR_DVZ);
    h.DOVIZ_KOD = DOVIZ_KOD->currentText();
    h.TL_KURDEGER = sayi(TL_KURDEGER);
    h.TL_USDEGER = sayi(TL_USDEGER);
    h.PARA_BAZ = PARA_BAZ->currentData().toString().at(0);
    h.ACIKLAMA = ACIKLAMA->text();
    h.KARSIKOD = KARSIKOD->text();
    return h;
}

void TFormKasaHrkYaz::tutarlariHesapla()
{
    for (QLineEdit* e : {TUTAR, TUTAR_USD, TUTAR_DVZ, TL_KURDEGER}) {
        double v = 0;
        if (!e->text().trimmed().isEmpty() && !ParseMoney(e->text(), &v)) {
            ShowWarning(QStringLiteral("Geçersiz tutar: ") + e->text());
            e->setFocus();
            return;
        }
    }
    KasaHareketi h = hareket();
    try {
        KasaTutarHesapla(m_ctx, m_db, h);
    } catch (const KasaHatasi&) {
        return; // the save reports the missing rate
    }
    TUTAR->setText(yaz(h.TUTAR));
    TUTAR_USD->setText(yaz(h.TUTAR_USD));
    TUTAR_DVZ->setText(yaz(h.TUTAR_DVZ));
    TL_KURDEGER->setText(yaz(h.TL_KURDEGER, 4));
    TL_USDEGER->setText(yaz(h.TL_USDEGER, 4));
}

void TFormKasaHrkYaz::BtnSaklaClick()
{
    if (!SayiAlanlariGecerli({TUTAR, TUTAR_USD, TUTAR_DVZ, TL_KURDEGER, TL_USDEGER}))
        return;
    const KasaHareketi h = hareket();
    if (const auto m = KasaHareketKontrol(h)) {
        ShowWarning(*m);
        (*m == QLatin1String("Tutar Yazın.") ? static_cast<QWidget*>(TUTAR)
         : *m == QLatin1String("Tarihi Belirleyin.") ? static_cast<QWidget*>(TARIH)
                                                     : static_cast<QWidget*>(BtnKasaSec))
            ->setFocus();
        return;
    }
    // A counter or row another workstation holds: asked after the rollback, then saved again.
    RetryAfterAsking(m_db, [&] { sonuc = KasaHareketKaydet(m_ctx, m_db, h); });
    // The hand-over runs after the commit; a refusal there leaves the saved transfer as it is.
    if (KasaVirmanMi(h.HRK_TURU))
        Guard([&] { KasaVirmanMuhasebeyeAktar(m_ctx, m_db, sonuc); });
    accept();
}

TFormKasaHrkBr::TFormKasaHrkBr(const SessionContext& ctx, int mode, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    setObjectName(QStringLiteral("FormKasaHrkBr"));
    setWindowTitle(QStringLiteral("KASA İŞLEMLERİ"));
    setProperty("Tag", mode);
    TableBr = new ListeModeli(this);
    TableBr->setCaptions({QStringLiteral("Tarih"), QStringLiteral("Hrk.No"), QStringLiteral("Belge No"),
                          QStringLiteral("Kasa Kodu"), QStringLiteral("Karşı H.Kod"), QStringLiteral("Hrk.Türü"),
                          QStringLiteral("Tutar"), QStringLiteral(" "), QStringLiteral("Tutar $"), QStringLiteral("Tutar Dvz"),
                          QStringLiteral("H.Baz"), QStringLiteral("Döviz"), QStringLiteral("Muh Fiş Ref.No"),
                          QStringLiteral("H.Ref.Tipi"), QStringLiteral("H.Ref.S.No"), QStringLiteral("Ref.Ayr.Tip"),
                          QStringLiteral("Açıklama"), QStringLiteral("Açıklama"),
                          QStringLiteral("YTL/$ Değeri"), QStringLiteral("YTL/Dvz Değeri")});
    TableBr->setOrderKeys({QStringLiteral("HRKNO"), QStringLiteral("SIRANO")});
    TableBr->tarihBicimi({QStringLiteral("TARIH")});
    TableBr->paraBicimi({QStringLiteral("TUTAR"), QStringLiteral("TUTAR_USD"), QStringLiteral("TUTAR_DVZ")});
    TableBr->paraBicimi({QStringLiteral("HRKNO")}, QStringLiteral("#,#"));
    TableBr->setBicim(QStringLiteral("HRK_TURU"), [this](const QVariant& v, int row) {
        const QString t = v.toString();
        return t.isEmpty() ? QString()
                           : KasaHrkTuruBasligi(t.at(0), false, TableBr->deger(row, QStringLiteral("TIP")).toString(),
                                                TableBr->deger(row, QStringLiteral("REF_TIP")).toString());
    });
    TableBr->setBicim(QStringLiteral("REF_TIP"), [](const QVariant& v, int) { return KasaRefTipBasligi(v.toString()); });
    TableBr->setBicim(QStringLiteral("PARA_BAZ"), [](const QVariant& v, int) { return ParaBazBasligi(v.toString()); });
    dbgridbr = new QTableView(this);
    dbgridbr->setObjectName(QStringLiteral("dbgridbr"));
    dbgridbr->setModel(TableBr);
    dbgridbr->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbgridbr->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dbgridbr->verticalHeader()->hide();

    btnNew = Dugme(this, "btnNew", QStringLiteral("&Yeni"));
    btnEdit = Dugme(this, "btnEdit", QStringLiteral("&Düzenle"));
    btnDelete = Dugme(this, "btnDelete", QStringLiteral("&Sil"));
    btnSelect = Dugme(this, "btnSelect", QStringLiteral("&Seç"));
    btnClose = Dugme(this, "btnClose", QStringLiteral("&Kapat"));
    LblSayi = new QLabel(this);
    PopupYeni = new QMenu(this);
    const QList<QPair<QString, QChar>> turler = {{QStringLiteral("İlk Açılış (Borç)"), QLatin1Char('I')},
                                                 {QStringLiteral("İlk Açılış (Alacak)"), QLatin1Char('A')},
                                                 {QStringLiteral("Kasa Virman (Borç)"), QLatin1Char('B')},
                                                 {QStringLiteral("Kasa Virman (Alacak)"), QLatin1Char('V')}};
    for (const auto& [baslik, tur] : turler) {
        QAction* a = PopupYeni->addAction(baslik);
        a->setVisible(tur == QLatin1Char('I') || tur == QLatin1Char('A'));
        connect(a, &QAction::triggered, this, Guarded([this, tur = tur] { yeniHareket(tur); }));
    }
    connect(btnNew, &QPushButton::clicked, this,
            Guarded([this] { PopupYeni->popup(btnNew->mapToGlobal(QPoint(btnNew->width(), 0))); }));
    connect(btnEdit, &QPushButton::clicked, this, Guarded(this, &TFormKasaHrkBr::btnEditClick));
    connect(btnDelete, &QPushButton::clicked, this, Guarded(this, &TFormKasaHrkBr::btnDeleteClick));
    connect(btnSelect, &QPushButton::clicked, this, Guarded([this] {
        SEC = TableBr->deger(dbgridbr->currentIndex().row(), QStringLiteral("HRKNO")).toDouble();
        accept();
    }));
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    connect(dbgridbr, &QTableView::doubleClicked, this, Guarded([this] {
        if (btnSelect->isVisible())
            btnSelect->click();
        else if (btnEdit->isEnabled())
            btnEditClick();
    }));
    auto* alt = new QHBoxLayout;
    for (QPushButton* b : {btnSelect, btnNew, btnEdit, btnDelete}) {
        b->setAutoDefault(false);
        alt->addWidget(b);
    }
    alt->addStretch();
    alt->addWidget(new QLabel(QStringLiteral("Listedeki Kayıt Sayısı"), this));
    alt->addWidget(LblSayi);
    alt->addWidget(btnClose);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(kurFiltre());
    lay->addWidget(dbgridbr, 1);
    lay->addLayout(alt);

    const QString& hak = ctx.AktifKullanici.diger21;
    btnSelect->setVisible(mode == 1);
    btnNew->setEnabled(RightAdds(hak));
    btnEdit->setEnabled(RightChanges(hak));
    btnDelete->setEnabled(RightDeletes(hak));
    listeyiAc();
    resize(1200, 560);
}

void TFormKasaHrkBr::listeyiAc(double konum)
{
    const SqlText sql = KasaHrkListeSorgusu(filtre);
    TableBr->setStatement(m_db, sql.text(), sql.binds);
    TableBr->open();
    KolonlariAyarla(dbgridbr);
    int satir = TableBr->rowCount() > 0 ? 0 : -1;
    for (int r = 0; konum > 0 && r < TableBr->rowCount(); ++r)
        if (TableBr->deger(r, QStringLiteral("HRKNO")).toDouble() == konum)
            satir = r;
    if (satir >= 0)
        dbgridbr->setCurrentIndex(TableBr->index(satir, 0));
    LblSayi->setText(QString::number(TableBr->totals({}).count));
}

namespace {

// "Tipi" items and their conditions, in the list's order.
const QList<QPair<const char*, const char*>>& kasaTipKosullari()
{
    static const QList<QPair<const char*, const char*>> k{
        {"Kasa Açılış (Borç)", "(HRK_TURU='I')"},
        {"Kasa Açılış (Alacak)", "(HRK_TURU='A')"},
        {"Kasa Virman (Borç)", "(HRK_TURU='B')"},
        {"Kasa Virman (Alacak)", "(HRK_TURU='V')"},
        {"Nakit Tahsilat", "(HRK_TURU='w') AND (TIP='B')  AND (REF_TIP='C')"},
        {"Çek/Senet Hrk.Tahsil", "(HRK_TURU='w') AND (TIP='B')  AND (REF_TIP='E')"},
        {"Bankadan Çekilen", "(HRK_TURU='w') AND (TIP='B')  AND (REF_TIP='B')"},
        {"Nakit Ödeme", "(HRK_TURU='w') AND (TIP='A')  AND (REF_TIP='C')"},
        {"Çek/Senet Hrk.Ödeme", "(HRK_TURU='w') AND (TIP='A')  AND (REF_TIP='E')"},
        {"Bankaya Yatırılan", "(HRK_TURU='w') AND (TIP='A')  AND (REF_TIP='B')"},
    };
    return k;
}

} // namespace

QStringList KasaHrkTipleri()
{
    QStringList t{QStringLiteral("Tümü")};
    for (const auto& [baslik, kosul] : kasaTipKosullari())
        t << QString::fromUtf8(baslik);
    return t;
}

SqlText KasaHrkListeSorgusu(const KasaHrkFiltresi& f)
{
    SqlText t;
    t.lines << QStringLiteral("SELECT TARIH, HRKNO, BELGE_NO, KASAKOD, KARSIKOD, HRK_TURU, TUTAR, TIP, TUTAR_USD, "
                              "TUTAR_DVZ, PARA_BAZ, DOVIZ_KOD, FIS_NO, REF_TIP, SIRANO, REFAYRTIP, ACIKLAMA, "
                              "ACIKLAMA1, TL_USDEGER, TL_KURDEGER")
            << QStringLiteral("FROM KASAHRKT WHERE 1=1");
    // The kind conditions are fixed texts; only typed values are bound.
    if (f.tip > 0 && f.tip <= kasaTipKosullari().size())
        t.lines << QStringLiteral("AND ") + QString::fromLatin1(kasaTipKosullari()[f.tip - 1].second);
    if (!f.karsiKod.trimmed().isEmpty()) {
        t.lines << QStringLiteral("AND (KARSIKOD=:KARSI)");
        t.binds.insert(QStringLiteral("KARSI"), f.karsiKod.trimmed());
    }
    if (!f.kasaKod.trimmed().isEmpty()) {
        t.lines << QStringLiteral("AND (KASAKOD=:KASA)");
        t.binds.insert(QStringLiteral("KASA"), f.kasaKod.trimmed());
    }
    if (f.ilk.isValid()) {
        t.lines << QStringLiteral("AND (TARIH>=:ILK)");
        t.binds.insert(QStringLiteral("ILK"), QDateTime(f.ilk, QTime(0, 0)));
    }
    if (f.son.isValid()) {
        // Half-open: the whole last day counts.
        t.lines << QStringLiteral("AND (TARIH<:SON)");
        t.binds.insert(QStringLiteral("SON"), QDateTime(f.son.addDays(1), QTime(0, 0)));
    }
    t.lines << QStringLiteral("ORDER BY TARIH, HRKNO");
    return t;
}

QWidget* TFormKasaHrkBr::kurFiltre()
{
    auto* ust = new QWidget(this);
    auto* h = new QHBoxLayout(ust);
    h->setContentsMargins(0, 0, 0, 0);
    EditAraHrkNo = new QLineEdit(ust);
    EditAraHrkNo->setObjectName(QStringLiteral("EditAraHrkNo"));
    EditAraTarih = new TTarihEdit(ust);
    EditAraTarih->setObjectName(QStringLiteral("EditAraTarih"));
    EditAraTarih->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    EditAraTarih->setDate(QDate::currentDate());
    EditAraTarih->installEventFilter(this);
    auto* ara = new QFormLayout;
    ara->addRow(QStringLiteral("Aranan Hrk.No"), EditAraHrkNo);
    ara->addRow(QStringLiteral("Aranan Tarih"), EditAraTarih);
    h->addLayout(ara);

    auto* kutu = new QGroupBox(QStringLiteral("Filtre"), ust);
    auto* g = new QGridLayout(kutu);
    CbTipi = new QComboBox(kutu);
    CbTipi->setObjectName(QStringLiteral("CbTipi"));
    CbTipi->addItems(KasaHrkTipleri());
    EditKarsiKod = new QLineEdit(kutu);
    EditKarsiKod->setObjectName(QStringLiteral("EditKarsiKod"));
    EditKasaKod = new QLineEdit(kutu);
    EditKasaKod->setObjectName(QStringLiteral("EditKasaKod"));
    EditIlk = new TTarihEdit(kutu);
    EditSon = new TTarihEdit(kutu);
    for (QDateEdit* d : {EditIlk, EditSon}) {
        d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        d->setCalendarPopup(true);
        d->setSpecialValueText(QStringLiteral(" "));
        d->setMinimumDate(QDate(1900, 1, 1));
        d->setDate(d->minimumDate());
    }
    EditIlk->setObjectName(QStringLiteral("EditIlk"));
    EditSon->setObjectName(QStringLiteral("EditSon"));
    BtnFiltrele = Dugme(kutu, "BtnFiltrele", QStringLiteral("Filtrele"));
    BtnFiltreKaldir = Dugme(kutu, "BtnFiltreKaldir", QStringLiteral("&Filtre Kaldır"));
    g->addWidget(new QLabel(QStringLiteral("Tipi"), kutu), 0, 0);
    g->addWidget(CbTipi, 1, 0);
    g->addWidget(new QLabel(QStringLiteral("Karşı Hrk.Kodu"), kutu), 0, 1);
    g->addWidget(EditKarsiKod, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Kasa Kodu"), kutu), 0, 2);
    g->addWidget(EditKasaKod, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Hareket Tarihleri"), kutu), 0, 3, 1, 2);
    g->addWidget(EditIlk, 1, 3);
    g->addWidget(EditSon, 1, 4);
    g->addWidget(BtnFiltrele, 1, 5);
    g->addWidget(BtnFiltreKaldir, 1, 6);
    h->addWidget(kutu, 1);

    connect(EditAraHrkNo, &QLineEdit::returnPressed, this, Guarded(this, &TFormKasaHrkBr::AraHrkNoEnter));
    connect(BtnFiltrele, &QPushButton::clicked, this, Guarded(this, &TFormKasaHrkBr::BtnFiltreleClick));
    connect(BtnFiltreKaldir, &QPushButton::clicked, this, Guarded(this, &TFormKasaHrkBr::BtnFiltreKaldirClick));
    return ust;
}

bool TFormKasaHrkBr::eventFilter(QObject* o, QEvent* e)
{
    if (o == EditAraTarih && e->type() == QEvent::KeyPress) {
        const int tus = static_cast<QKeyEvent*>(e)->key();
        if (tus == Qt::Key_Return || tus == Qt::Key_Enter) {
            Guard([this] { AraTarihEnter(); });
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

void TFormKasaHrkBr::BtnFiltreleClick()
{
    filtre.tip = CbTipi->currentIndex();
    filtre.karsiKod = EditKarsiKod->text();
    filtre.kasaKod = EditKasaKod->text();
    filtre.ilk = EditIlk->date() == EditIlk->minimumDate() ? QDate() : EditIlk->date();
    filtre.son = EditSon->date() == EditSon->minimumDate() ? QDate() : EditSon->date();
    listeyiAc(currentNo());
}

void TFormKasaHrkBr::BtnFiltreKaldirClick()
{
    CbTipi->setCurrentIndex(0);
    EditKarsiKod->clear();
    EditKasaKod->clear();
    EditIlk->setDate(EditIlk->minimumDate());
    EditSon->setDate(EditSon->minimumDate());
    filtre = {};
    listeyiAc(currentNo());
}

double TFormKasaHrkBr::currentNo() const
{
    const int r = dbgridbr->currentIndex().row();
    return r < 0 ? -1 : TableBr->deger(r, QStringLiteral("HRKNO")).toDouble();
}

bool TFormKasaHrkBr::konumlan(const QString& kolon, const std::function<bool(const QVariant&)>& uyar)
{
    for (int r = 0;; ++r) {
        if (r >= TableBr->rowCount() && TableBr->canFetchMore())
            TableBr->fetchMore();
        if (r >= TableBr->rowCount())
            return false;
        if (uyar(TableBr->deger(r, kolon))) {
            dbgridbr->setCurrentIndex(TableBr->index(r, 0));
            return true;
        }
    }
}

void TFormKasaHrkBr::AraHrkNoEnter()
{
    bool ok = false;
    const double no = EditAraHrkNo->text().trimmed().toDouble(&ok);
    if (!ok) {
        ShowWarning(QStringLiteral("\"%1\" geçerli bir sayı değil.").arg(EditAraHrkNo->text()));
        return;
    }
    konumlan(QStringLiteral("HRKNO"), [no](const QVariant& v) { return v.toDouble() == no; });
}

void TFormKasaHrkBr::AraTarihEnter()
{
    const QDate gun = EditAraTarih->date();
    konumlan(QStringLiteral("TARIH"), [gun](const QVariant& v) { return Query::toDate(v) == gun; });
}

void TFormKasaHrkBr::yeniHareket(QChar tur)
{
    const QString kasa = KasaSec(m_ctx, 1, this);
    if (kasa.isEmpty())
        return;
    const double no = KasaHrkGir(m_ctx, QChar(), tur, kasa, -1, ServerToday(m_db), this);
    if (no > 0)
        listeyiAc(no);
}

void TFormKasaHrkBr::btnEditClick()
{
    const int r = dbgridbr->currentIndex().row();
    if (r < 0 || TableBr->deger(r, QStringLiteral("REF_TIP")).toString() != QLatin1String("w"))
        return;
    const QString tur = TableBr->deger(r, QStringLiteral("HRK_TURU")).toString();
    const double no = TableBr->deger(r, QStringLiteral("HRKNO")).toDouble();
    KasaHrkGir(m_ctx, QChar(), tur.isEmpty() ? QChar() : tur.at(0), TableBr->deger(r, QStringLiteral("KASAKOD")).toString(),
               no, Query::toDate(TableBr->deger(r, QStringLiteral("TARIH"))), this);
    listeyiAc(no);
}

void TFormKasaHrkBr::btnDeleteClick()
{
    const int r = dbgridbr->currentIndex().row();
    if (r < 0)
        return;
    if (const auto m = KasaHareketSilKontrol(TableBr->deger(r, QStringLiteral("FIS_NO")),
                                             TableBr->deger(r, QStringLiteral("REF_TIP")).toString())) {
        ShowWarning(*m);
        return;
    }
    if (AskYesNoCancel(QStringLiteral("Kayıt Silinsin mi?")) != MsgYes)
        return;
    KasaHareketSil(m_db, TableBr->deger(r, QStringLiteral("HRKNO")).toDouble());
    listeyiAc();
    if (r > 0 && r - 1 < TableBr->rowCount())
        dbgridbr->setCurrentIndex(TableBr->index(r - 1, 0));
}

double KasaHrkGir(const SessionContext& ctx, QChar tip, QChar hrkTuru, const QString& kasaKod, double hrkNo,
                  const QDate& tarih, QWidget* parent)
{
    const QString& hak = ctx.AktifKullanici.diger21;
    KasaHareketi h;
    if (hrkNo > 0) {
        if (!RightChanges(hak))
            return 0;
        const auto okunan = KasaHareketOku(ctx.Database1, hrkNo, hrkTuru);
        if (!okunan)
            return 0;
        h = *okunan;
    } else {
        if (!RightAdds(hak))
            return 0;
        h.TARIH = tarih.isValid() ? tarih : ServerToday(ctx.Database1);
        h.HRK_TURU = hrkTuru;
        h.KASAKOD = kasaKod;
        h.DOVIZ_KOD = ctx.YerelPara;
        h.TL_KURDEGER = 1;
    }
    Q_UNUSED(tip);
    TFormKasaHrkYaz f(ctx, h, parent);
    return f.exec() == QDialog::Accepted ? f.sonuc : 0;
}

double KasaHrkSec(const SessionContext& ctx, int mode, QWidget* parent)
{
    TFormKasaHrkBr f(ctx, mode, parent);
    return f.exec() == QDialog::Accepted ? f.SEC : -1;
}

} // namespace tornaly::accounts
