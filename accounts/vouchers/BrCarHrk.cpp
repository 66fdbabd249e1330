#include "accounts/ui/ListeModeli.h"
#include "controls/TarihEdit.h"
#include "guard/FormGuard.h"
#include "accounts/vouchers/BrCarHrk.h"

#include "accounts/ledger/CariHrkTurleri.h"
#include "accounts/vouchers/CariHark.h"
#include "accounts/vouchers/CariHrkFis.h"
#include "accounts/vouchers/CariHrkYazdir.h"
#include "report/RaporCikti.h"
#include "report/SayfAyar.h"
#include "context/User.h"
#include "db/DbError.h"
#include "db/Dialect.h"
#include "messages/Messages.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "db/Database.h"
#include <QKeyEvent>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::accounts {

namespace {
int& acikListeler()
{
    static int n = 0;
    return n;
}
} // namespace

SqlText CariHrkListeSorgusu(const Db& db, const CariHrkFiltresi& f, CariHrkSiralama s)
{
    SqlText t;
    t.lines << QStringLiteral("SELECT CARI_NO, TARIH, BORC, ALACAK, TIP, FIS_NO FROM CARIHRKM WHERE 1=1");
    if (!f.tip.isEmpty()) {
        t.lines << QStringLiteral("AND (TIP=:TIP)");
        t.binds.insert(QStringLiteral("TIP"), f.tip);
    }
    if (f.ilk.isValid()) {
        t.lines << QStringLiteral("AND (TARIH>=:ILK)");
        t.binds.insert(QStringLiteral("ILK"), f.ilk);
    }
    if (f.son.isValid()) {
        // Half-open: the whole last day counts.
        t.lines << QStringLiteral("AND (TARIH<:SON)");
        t.binds.insert(QStringLiteral("SON"), f.son.addDays(1));
    }
    if (!f.cariKod.isEmpty()) {
        t.lines << QStringLiteral("AND CARI_NO IN (SELECT CARI_NO FROM CARIHRK WHERE %1)")
                       .arg(db.dialect().ciLike(QStringLiteral("CARI_KOD"), QStringLiteral("KOD")));
        t.binds.insert(QStringLiteral("KOD"), Dialect::escapeLike(f.cariKod) + QLatin1Char('%'));
    }
    switch (s) {
    case CariHrkSiralama::Tarih: t.lines << QStringLiteral("ORDER BY CARIHRKM.TARIH"); break;
    case CariHrkSiralama::HrkNo: t.lines << QStringLiteral("ORDER BY CARIHRKM.CARI_NO"); break;
    case CariHrkSiralama::TBorc: t.lines << QStringLiteral("ORDER BY CARIHRKM.BORC"); break;
    case CariHrkSiralama::TAlacak: t.lines << QStringLiteral("ORDER BY CARIHRKM.ALACAK"); break;
    case CariHrkSiralama::MFisNo: t.lines << QStringLiteral("ORDER BY CARIHRKM.FIS_NO"); break;
    }
    return t;
}

TFormCariHrkBr::TFormCariHrkBr(const SessionContext& ctx, int mode, const QString& cariKod, const QString& cariAd,
                               QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1), m_cariKod(cariKod), m_cariAd(cariAd)
{
    setObjectName(QStringLiteral("FormCariHrkBr"));
    setWindowTitle(QStringLiteral("CARİ HAREKETLER GİRİŞLERİ"));
    setProperty("Tag", mode);

    auto* filtreKutusu = new QGroupBox(QStringLiteral("Filtre"), this);
    auto* fl = new QGridLayout(filtreKutusu);
    CbTipi = new QComboBox(filtreKutusu);
    CbTipi->setObjectName(QStringLiteral("CbTipi"));
    const QList<QPair<QString, QString>> tipler = {
        {QStringLiteral("Tümü"), QString()},        {QStringLiteral("Nakit"), QStringLiteral("N")},
        {QStringLiteral("Dekont"), QStringLiteral("D")}, {QStringLiteral("Virman"), QStringLiteral("V")},
        {QStringLiteral("İlk Açılış"), QStringLiteral("I")}, {QStringLiteral("Kur Farkı"), QStringLiteral("F")},
        {QStringLiteral("Özel"), QStringLiteral("O")}};
    for (const auto& [baslik, harf] : tipler)
        CbTipi->addItem(baslik, harf);
    EditIlk = new TTarihEdit(filtreKutusu);
    EditSon = new TTarihEdit(filtreKutusu);
    for (QDateEdit* d : {EditIlk, EditSon}) {
        d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        d->setCalendarPopup(true);
        d->setSpecialValueText(QStringLiteral(" "));
        d->setMinimumDate(QDate(1900, 1, 1));
        d->setDate(d->minimumDate());
    }
    EditIlk->setObjectName(QStringLiteral("EditIlk"));
    EditSon->setObjectName(QStringLiteral("EditSon"));
    EditCariKodu = new QLineEdit(cariKod, filtreKutusu);
    EditCariKodu->setObjectName(QStringLiteral("EditCariKodu"));
    EditCariKodu->setToolTip(QStringLiteral("Cari Kodu Yaz Enter a  Bas Filtrele"));
    BtnFiltrele = Dugme(filtreKutusu, "BtnFiltrele", QStringLiteral("Filtrele"));
    BtnFiltreKaldir = Dugme(filtreKutusu, "BtnFiltreKaldir", QStringLiteral("&Filtre Kaldır"));
    CbSiralama = new QComboBox(filtreKutusu);
    CbSiralama->setObjectName(QStringLiteral("CbSiralama"));
    CbSiralama->addItems({QStringLiteral("Tarih"), QStringLiteral("Hrk.No"), QStringLiteral("T.Borç"),
                          QStringLiteral("T.Alacak"), QStringLiteral("M.Fiş No")});
    CbSiralama->setCurrentIndex(1);
    fl->addWidget(new QLabel(QStringLiteral("Tipi"), filtreKutusu), 0, 0);
    fl->addWidget(CbTipi, 1, 0);
    fl->addWidget(new QLabel(QStringLiteral("Hareket Tarihleri"), filtreKutusu), 0, 1, 1, 2);
    fl->addWidget(EditIlk, 1, 1);
    fl->addWidget(EditSon, 1, 2);
    fl->addWidget(new QLabel(QStringLiteral("Cari Kodu"), filtreKutusu), 0, 3);
    fl->addWidget(EditCariKodu, 1, 3);
    fl->addWidget(BtnFiltrele, 1, 4);
    fl->addWidget(BtnFiltreKaldir, 1, 5);
    fl->addWidget(new QLabel(QStringLiteral("Sıralama Değiş"), filtreKutusu), 0, 6);
    fl->addWidget(CbSiralama, 1, 6);
    EditAraHrkNo = new QLineEdit(filtreKutusu);
    EditAraHrkNo->setObjectName(QStringLiteral("EditAraHrkNo"));
    EditAraMuhRef = new QLineEdit(filtreKutusu);
    EditAraMuhRef->setObjectName(QStringLiteral("EditAraMuhRef"));
    EditAraTarih = new TTarihEdit(filtreKutusu);
    EditAraTarih->setObjectName(QStringLiteral("EditAraTarih"));
    EditAraTarih->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    EditAraTarih->setDate(QDate::currentDate());
    auto* lblMuhRef = new QLabel(QStringLiteral("Muh.&Ref.No"), filtreKutusu);
    lblMuhRef->setBuddy(EditAraMuhRef);
    fl->addWidget(new QLabel(QStringLiteral("Aranan Hrk. No"), filtreKutusu), 0, 7);
    fl->addWidget(EditAraHrkNo, 1, 7);
    fl->addWidget(lblMuhRef, 0, 8);
    fl->addWidget(EditAraMuhRef, 1, 8);
    fl->addWidget(new QLabel(QStringLiteral("Aranan Tarih"), filtreKutusu), 0, 9);
    fl->addWidget(EditAraTarih, 1, 9);
    connect(EditAraHrkNo, &QLineEdit::returnPressed, this, Guarded(this, &TFormCariHrkBr::AraHrkNoEnter));
    connect(EditAraMuhRef, &QLineEdit::returnPressed, this, Guarded(this, &TFormCariHrkBr::AraMuhRefEnter));
    // Enter in the date box is taken by the dialog; the search runs on the key filter below.
    EditAraTarih->installEventFilter(this);

    LblSecilenCari = new QLabel(QStringLiteral("Seçilen Cari : ") + cariKod + QStringLiteral(" ") + cariAd, this);
    LblSecilenCari->setVisible(!cariKod.isEmpty());

    TableBr = new ListeModeli(this);
    TableBr->setCaptions({QStringLiteral("Hrk. No"), QStringLiteral("Hrk.Tarihi"), QStringLiteral("Borç"),
                          QStringLiteral("Alacak"), QStringLiteral("Tipi"), QStringLiteral("Muh.Fiş No")});
    TableBr->setOrderKeys({QStringLiteral("CARI_NO")});
    TableBr->paraBicimi({QStringLiteral("BORC"), QStringLiteral("ALACAK")});
    TableBr->tarihBicimi({QStringLiteral("TARIH")}, QStringLiteral("dd.MM.yy"));
    TableBr->paraBicimi({QStringLiteral("CARI_NO"), QStringLiteral("FIS_NO")}, QStringLiteral("#,#"));
    TableBr->setBicim(QStringLiteral("TIP"), [](const QVariant& v, int) {
        const QString t = v.toString();
        return t.isEmpty() ? QString() : CariHrkTurBasligi(CariHrkEkrani::FisListesi, t.at(0));
    });
    dbgridbr = new QTableView(this);
    dbgridbr->setObjectName(QStringLiteral("dbgridbr"));
    dbgridbr->setModel(TableBr);
    dbgridbr->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbgridbr->setSelectionMode(QAbstractItemView::SingleSelection);
    dbgridbr->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dbgridbr->verticalHeader()->hide();

    QAyr = new ListeModeli(this);
    QAyr->setCaptions({QStringLiteral("Cari Kodu"), QStringLiteral("Firma Adı"), QStringLiteral("Borç"),
                       QStringLiteral("Alacak"), QStringLiteral("Açıklama"), QStringLiteral("Borç $"),
                       QStringLiteral("Alacak$"), QStringLiteral("Borç Dvz"), QStringLiteral("Alacak Fvz"),
                       QStringLiteral("Dvz"), QStringLiteral("H.Baz"), QStringLiteral("Tarih"),
                       QStringLiteral("Belge No"), QStringLiteral("No"), QStringLiteral("Kasa")});
    QAyr->paraBicimi({QStringLiteral("BORC"), QStringLiteral("ALACAK"), QStringLiteral("BORC_USD"),
                      QStringLiteral("ALACAK_USD"), QStringLiteral("BORC_DVZ"), QStringLiteral("ALACAK_DVZ")});
    QAyr->tarihBicimi({QStringLiteral("TARIH")});
    QAyr->setBicim(QStringLiteral("PARA_BAZ"), [](const QVariant& v, int) { return ParaBazBasligi(v.toString()); });
    GridAyr = new QTableView(this);
    GridAyr->setObjectName(QStringLiteral("GridAyr"));
    GridAyr->setModel(QAyr);
    GridAyr->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridAyr->verticalHeader()->hide();
    auto* bolucu = new QSplitter(Qt::Vertical, this);
    bolucu->addWidget(dbgridbr);
    bolucu->addWidget(GridAyr);

    btnNew = Dugme(this, "btnNew", QStringLiteral("&Yeni"));
    btnEdit = Dugme(this, "btnEdit", QStringLiteral("&Düzenle"));
    btnDelete = Dugme(this, "btnDelete", QStringLiteral("&Sil"));
    btnSelect = Dugme(this, "btnSelect", QStringLiteral("&Seç"));
    btnClose = Dugme(this, "btnClose", QStringLiteral("&Kapat"));
    BtnMuhasebe = Dugme(this, "BtnMuhasebe", QStringLiteral("Muhasebe"));
    BtnMuhasebe->setEnabled((ctx.AktifKullanici.diger10 == QLatin1String("O") ||
                             ctx.AktifKullanici.diger10 == QLatin1String("Y")) &&
                            Targets().isRegistered(QLatin1String(entry::TFormMuhFisBr)));
    connect(BtnMuhasebe, &QPushButton::clicked, this, Guarded(this, &TFormCariHrkBr::BtnMuhasebeClick));
    LblSayi = new QLabel(this);
    LblSayi->setObjectName(QStringLiteral("LblSayi"));
    PopupYeni = new QMenu(this);
    for (const CariHrkYeniSecenek& s : CariHrkYeniSecenekleri()) {
        QAction* a = PopupYeni->addAction(s.baslik);
        connect(a, &QAction::triggered, this, Guarded([this, s] { btnNewMenu(s.tip, s.kilit); }));
    }
    for (const char* bos : {"Verilen Vade Farkı  Fat.", "Alınan Vade Farkı Fat."}) {
        QAction* a = PopupYeni->addAction(QString::fromUtf8(bos));
        connect(a, &QAction::triggered, this, Guarded([this] { listeyiAc(0); }));
    }
    connect(btnNew, &QPushButton::clicked, this,
            Guarded([this] { PopupYeni->popup(btnNew->mapToGlobal(QPoint(0, btnNew->height()))); }));
    connect(btnEdit, &QPushButton::clicked, this, Guarded(this, &TFormCariHrkBr::btnEditClick));
    connect(btnDelete, &QPushButton::clicked, this, Guarded(this, &TFormCariHrkBr::btnDeleteClick));
    connect(btnSelect, &QPushButton::clicked, this, Guarded([this] {
        SEC = currentNo();
        accept();
    }));
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    connect(BtnFiltrele, &QPushButton::clicked, this, Guarded(this, &TFormCariHrkBr::BtnFiltreleClick));
    connect(BtnFiltreKaldir, &QPushButton::clicked, this, Guarded(this, &TFormCariHrkBr::BtnFiltreKaldirClick));
    connect(EditCariKodu, &QLineEdit::returnPressed, this, Guarded([this] {
        if (EditCariKodu->text().isEmpty())
            BtnFiltreKaldirClick();
        else
            BtnFiltreleClick();
    }));
    connect(CbSiralama, &QComboBox::activated, this, Guarded([this](int i) {
        m_siralama = CariHrkSiralama(i);
        listeyiAc(currentNo());
    }));
    connect(dbgridbr, &QTableView::doubleClicked, this, Guarded([this] {
        if (btnSelect->isVisible())
            btnSelect->click();
        else if (btnEdit->isEnabled())
            btnEditClick();
    }));
    BtnYazdir = Dugme(this, "BtnYazdir", QStringLiteral("Yazdır"));
    BtnSayfaAyari = Dugme(this, "BtnSayfaAyari", QStringLiteral("Sayfa Ayarı"));
    CbYazim = new QComboBox(this);
    CbYazim->setObjectName(QStringLiteral("CbYazim"));
    CbYazim->setToolTip(QStringLiteral("Yazım Seçenekleri"));
    CbYazim->addItems({report::OutputPreview, report::OutputWord, report::OutputExcel, report::OutputText});
    CbSeciliSatir = new QCheckBox(QStringLiteral("Seçili Satırı Yaz"), this);
    CbSeciliSatir->setObjectName(QStringLiteral("CbSeciliSatir"));
    connect(BtnYazdir, &QPushButton::clicked, this, Guarded(this, &TFormCariHrkBr::BtnYazdirClick));
    connect(BtnSayfaAyari, &QPushButton::clicked, this, Guarded(this, &TFormCariHrkBr::BtnSayfaAyariClick));
    auto* alt = new QHBoxLayout;
    for (QPushButton* b : {btnSelect, btnNew, btnEdit, btnDelete, BtnYazdir, BtnMuhasebe}) {
        b->setAutoDefault(false);
        alt->addWidget(b);
    }
    alt->addWidget(CbYazim);
    alt->addWidget(CbSeciliSatir);
    alt->addWidget(BtnSayfaAyari);
    alt->addStretch();
    alt->addWidget(new QLabel(QStringLiteral("Listedeki Kayıt Sayısı"), this));
    alt->addWidget(LblSayi);
    alt->addWidget(btnClose);

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(filtreKutusu);
    lay->addWidget(LblSecilenCari);
    lay->addWidget(bolucu, 1);
    lay->addLayout(alt);

    const QString& hak = ctx.AktifKullanici.diger09;
    btnSelect->setVisible(mode == 1);
    btnNew->setEnabled(RightAdds(hak));
    btnDelete->setEnabled(RightDeletes(hak));
    btnEdit->setEnabled(RightChanges(hak));
    if (ctx.AktifKullanici.carihrk != QLatin1String("H")) {
        btnNew->setEnabled(false);
        btnDelete->setEnabled(false);
        btnEdit->setEnabled(false);
    }
    ++acikListeler();
    listeyiAc();
    resize(1200, 640);
}

TFormCariHrkBr::~TFormCariHrkBr()
{
    --acikListeler();
}

int CariHrkPenceresiAcik()
{
    return acikListeler();
}

bool TFormCariHrkBr::eventFilter(QObject* o, QEvent* e)
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

void TFormCariHrkBr::AraHrkNoEnter()
{
    bool ok = false;
    const double no = EditAraHrkNo->text().trimmed().toDouble(&ok);
    if (!ok) {
        ShowWarning(QStringLiteral("\"%1\" geçerli bir sayı değil.").arg(EditAraHrkNo->text()));
        return;
    }
    konumlan(no);
}

void TFormCariHrkBr::AraMuhRefEnter()
{
    bool ok = false;
    const double no = EditAraMuhRef->text().trimmed().toDouble(&ok);
    if (!ok) {
        ShowWarning(QStringLiteral("\"%1\" geçerli bir sayı değil.").arg(EditAraMuhRef->text()));
        return;
    }
    konumlanKolon(QStringLiteral("FIS_NO"), [no](const QVariant& v) { return !v.isNull() && v.toDouble() == no; });
}

void TFormCariHrkBr::AraTarihEnter()
{
    const QDate gun = EditAraTarih->date();
    konumlanKolon(QStringLiteral("TARIH"), [gun](const QVariant& v) { return Query::toDate(v) == gun; });
}

void TFormCariHrkBr::BtnMuhasebeClick()
{
    const int row = dbgridbr->currentIndex().row();
    const double fisNo = row < 0 ? 0 : TableBr->deger(row, QStringLiteral("FIS_NO")).toDouble();
    const FormFactory yap = Targets().form(QLatin1String(entry::TFormMuhFisBr));
    if (!yap || !BtnMuhasebe->isEnabled() || fisNo <= 0)
        return;
    OpenRequest r;
    r.target = QLatin1String(entry::TFormMuhFisBr);
    r.ctx = const_cast<SessionContext*>(&m_ctx);
    r.owner = this;
    r.key = QString::number(fisNo, 'f', 0);
    if (QWidget* w = yap(r))
        w->show();
}

void TFormCariHrkBr::listeyiAc(double konum)
{
    const SqlText sql = CariHrkListeSorgusu(m_db, filtre, m_siralama);
    TableBr->setStatement(m_db, sql.text(), sql.binds);
    TableBr->open();
    KolonlariAyarla(dbgridbr);
    if (!konumlan(konum) && TableBr->rowCount() > 0)
        dbgridbr->setCurrentIndex(TableBr->index(0, 0));
    connect(dbgridbr->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            Guarded(this, &TFormCariHrkBr::satirlariGoster), Qt::UniqueConnection);
    LblSayi->setText(QString::number(TableBr->totals({}).count));
    satirlariGoster();
}

double TFormCariHrkBr::currentNo() const
{
    const QVariant v = TableBr->deger(dbgridbr->currentIndex().row(), QStringLiteral("CARI_NO"));
    return v.isValid() ? v.toDouble() : -1;
}

bool TFormCariHrkBr::konumlan(double cariNo)
{
    if (cariNo < 0)
        return false;
    return konumlanKolon(QStringLiteral("CARI_NO"), [cariNo](const QVariant& v) { return v.toDouble() == cariNo; });
}

bool TFormCariHrkBr::konumlanKolon(const QString& kolon, const std::function<bool(const QVariant&)>& uyar)
{
    for (int r = 0;; ++r) {
        if (r >= TableBr->rowCount()) {
            if (!TableBr->canFetchMore())
                return false;
            TableBr->fetchMore();
        }
        if (r >= TableBr->rowCount())
            return false;
        if (uyar(TableBr->deger(r, kolon))) {
            dbgridbr->setCurrentIndex(TableBr->index(r, 0));
            return true;
        }
    }
}

void TFormCariHrkBr::satirlariGoster()
{
    QAyr->setStatement(m_db,
                       QStringLiteral("SELECT CARIHRK.CARI_KOD, CARI.FIRMA_ADI, CARIHRK.BORC, CARIHRK.ALACAK, "
                                      "CARIHRK.ACIKLAMA, CARIHRK.BORC_USD, CARIHRK.ALACAK_USD, CARIHRK.BORC_DVZ, "
                                      "CARIHRK.ALACAK_DVZ, CARIHRK.DOVIZ_KODU, CARIHRK.PARA_BAZ, CARIHRK.TARIH, "
                                      "CARIHRK.BELGE_NO, CARIHRK.SIRANO, CARIHRK.KASAKOD\n"
                                      "FROM CARIHRK LEFT JOIN CARI ON CARIHRK.CARI_KOD = CARI.CARI_KOD\n"
                                      "WHERE CARIHRK.CARI_NO=:CARI_NO\nORDER BY CARIHRK.CARI_KOD"),
                       {{QStringLiteral("CARI_NO"), currentNo()}});
    QAyr->setOrderKeys({QStringLiteral("SIRANO")});
    QAyr->open();
    KolonlariAyarla(GridAyr);
}

void TFormCariHrkBr::btnNewMenu(const QString& tip, const QString& kilit)
{
    const double no = CariHrkGir(m_ctx, tip, kilit, m_cariKod, m_cariAd, -1, this);
    listeyiAc(no);
}

void TFormCariHrkBr::btnEditClick()
{
    const double no = currentNo();
    if (no < 0)
        return;
    const auto fis = CariHrkFisOku(m_db, no);
    if (!fis)
        return;
    CariHrkGir(m_ctx, fis->TIP, KilitTipiTahmini(*fis), m_cariKod, m_cariAd, no, this);
    listeyiAc(no);
}

void TFormCariHrkBr::btnDeleteClick()
{
    const double no = currentNo();
    if (no < 0)
        return;
    const QVariant fisNo = TableBr->deger(dbgridbr->currentIndex().row(), QStringLiteral("FIS_NO"));
    if (!fisNo.isNull() && fisNo.toDouble() > 0) {
        Messages().show(MsgIcon::Warning, MuhasebeFisiVarText(), MsgCancel, MsgCancel, windowTitle());
        return;
    }
    if (AskYesNoCancel(QStringLiteral("Kayıt Silinsin mi?")) != MsgYes)
        return;
    CariHrkFisSil(m_ctx, m_db, no); // a refusal is shown by the slot's guard
    listeyiAc();
}

void TFormCariHrkBr::BtnFiltreleClick()
{
    filtre.tip = CbTipi->currentData().toString();
    filtre.ilk = EditIlk->date() == EditIlk->minimumDate() ? QDate() : EditIlk->date();
    filtre.son = EditSon->date() == EditSon->minimumDate() ? QDate() : EditSon->date();
    filtre.cariKod = EditCariKodu->text().trimmed();
    listeyiAc();
}

void TFormCariHrkBr::BtnFiltreKaldirClick()
{
    filtre = {};
    CbTipi->setCurrentIndex(0);
    EditIlk->setDate(EditIlk->minimumDate());
    EditSon->setDate(EditSon->minimumDate());
    EditCariKodu->clear();
    listeyiAc();
}

QString TFormCariHrkBr::yazdir(const QString& cikti)
{
    const double no = currentNo();
    if (no < 0)
        return {};
    QString cariKod;
    if (CbSeciliSatir->isChecked() && QAyr->rowCount() > 1)
        cariKod = QAyr->deger(qMax(0, GridAyr->currentIndex().row()), QStringLiteral("CARI_KOD")).toString();
    report::Report r = CariHrkFisRaporu(m_ctx, m_db, no, cariKod);
    return report::RaporCikti(m_db, r, QStringLiteral("BrCarHrk"), cikti);
}

void TFormCariHrkBr::BtnYazdirClick()
{
    yazdir(CbYazim->currentText());
}

void TFormCariHrkBr::BtnSayfaAyariClick()
{
    const report::Report r = CariHrkFisRaporu(m_ctx, m_db, -1);
    const QMarginsF m = r.page.marginsMm;
    report::ShowPageSetup(m_db, QStringLiteral("BrCarHrk"), r.name, windowTitle(), int(m.bottom()), int(m.top()),
                          int(m.left()), int(m.right()), QStringLiteral("Y"),
                          QStringLiteral("Cari Hareket Fişi Sayfa Düzeni"));
}

double CariHrkSec(const SessionContext& ctx, int mode, const QString& cariKod, const QString& cariAd, QWidget* parent)
{
    TFormCariHrkBr f(ctx, mode, cariKod, cariAd, parent);
    return f.exec() == QDialog::Accepted ? f.SEC : -1;
}

} // namespace tornaly::accounts
