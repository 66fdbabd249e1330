#include "workshop/common/RowValues.h"
#include "connection/DialogRunner.h"
#include "controls/SayiAlani.h"
#include "workshop/labour/forms/FrtSakla.h"

#include "guard/FormGuard.h"
#include "workshop/dispositions/IsEmriSatirlari.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "sql/SqlHelpers.h"
#include "stock/cards/StokBr.h"
#include "stock/labour/ParcayaGoreAriza.h"
#include "workshop/labour/Frt.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QKeyEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::workshop {

namespace {
using rowvals::K;
const char* const kTurler[][2] = {{"K", "Kaporta"}, {"B", "Boya"}, {"M", "Mekanik"}, {"H", "Hizmet-Masraf"}, {"D", "Diğer"}};
bool sayiAlan(const QString& c)
{
    return c == QLatin1String("FRT_ZAMAN") || c == QLatin1String("BIRIM_FIYAT_TL")
           || c == QLatin1String("BIRIM_FIYAT_DVZ") || c == QLatin1String("KDV");
}
} // namespace

TFormFRTSakla::TFormFRTSakla(SessionContext& ctx, const QString& kod, const QString& model, bool yeni, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_yeni(yeni), m_eskiKod(kod), m_eskiModel(model)
{
    setObjectName(QStringLiteral("FormFRTSakla"));
    setWindowTitle(QStringLiteral("RTT TANIM KARTI"));
    m_row = yeni ? YeniFrtSatiri() : FrtOku(ctx.Database1, kod, model);
    auto* lay = new QVBoxLayout(this);
    auto* baslik = new QLabel(QStringLiteral("RTT - Repair Time Table\n(İşçilik Süre Tablosu)"), this);
    baslik->setStyleSheet(QStringLiteral("font-weight: bold"));
    lay->addWidget(baslik);
    auto* form = new QFormLayout;
    CbModel = new QComboBox(this);
    CbModel->setObjectName(QStringLiteral("MODEL_KODU"));
    CbModel->setEditable(true);
    {
        Query q(ctx.Database1, QStringLiteral("SELECT ISCILIK_KOD, MODEL_AD FROM MODELKOD ORDER BY ISCILIK_KOD"));
        q.exec();
        while (q.next())
            CbModel->addItem(q.str(K("ISCILIK_KOD")) + QStringLiteral(" - ") + q.str(K("MODEL_AD")), q.str(K("ISCILIK_KOD")));
    }
    const int mi = CbModel->findData(m_row.value(K("MODEL_KODU")).toString());
    CbModel->setCurrentIndex(mi);
    if (mi < 0)
        CbModel->setEditText(m_row.value(K("MODEL_KODU")).toString());
    form->addRow(QStringLiteral("Segment İşçilik Kodu"), CbModel);
    const std::pair<const char*, const char*> alanlar[] = {
        {"FRT_KODU", "İşçilik Kodu"}, {"FRT_ADI", "İşçilik Adı TR"}, {"FRT_ING_ADI", "İşçilik Adı ING"},
        {"FRT_GRP_KODU", "İşçilik Grup Kodu"}, {"ALT_GRUP", "Alt Grup"}, {"FRT_ZAMAN", "İşçilik Süresi"},
        {"BIRIM_FIYAT_TL", "Birim Fiyatı"}, {"BIRIM_FIYAT_DVZ", "Döviz Birim Fiyatı"}, {"DOVIZ_KODU", "Döviz Kodu"},
        {"KDV", "KDV %"}, {"ALTER_KOD", "Alternatif Kod"}, {"PREW_KOD1", "Önceki İşçilik 1"},
        {"ACIKLAMA1", "Açıklama 1"}, {"ACIKLAMA2", "Açıklama 2"}, {"ACIKLAMA3", "Açıklama 3"}};
    for (auto [c, cap] : alanlar) {
        auto* e = new QLineEdit(this);
        e->setObjectName(K(c));
        const QVariant v = m_row.value(K(c));
        e->setText(sayiAlan(K(c)) && !v.isNull() ? FormatMoney(v.toDouble(), QStringLiteral("0.####")) : v.toString());
        Alanlar.insert(K(c), e);
        form->addRow(QString::fromUtf8(cap), e);
    }
    auto* ust = new QHBoxLayout;
    ust->addLayout(form, 1);
    ust->addWidget(kurMuhKodlari(), 1, Qt::AlignTop);
    lay->addLayout(ust);
    auto* tur = new QGroupBox(QStringLiteral(" Tür "), this);
    auto* tl = new QHBoxLayout(tur);
    RgTur = new QButtonGroup(this);
    for (int i = 0; i < 5; ++i) {
        auto* rb = new QRadioButton(QString::fromUtf8(kTurler[i][1]), tur);
        rb->setObjectName(QStringLiteral("RbTur") + K(kTurler[i][0]));
        rb->setChecked(m_row.value(K("KBMY")).toString() == K(kTurler[i][0]));
        RgTur->addButton(rb, i);
        tl->addWidget(rb);
    }
    connect(RgTur, &QButtonGroup::idClicked, this, Guarded([this](int id) {
        FrtTurSec(m_row, K(kTurler[id][0]));
        if (m_row.value(K("MODEL_KODU")).toString() == GenelModel()) {
            const int i = CbModel->findData(GenelModel());
            if (i >= 0)
                CbModel->setCurrentIndex(i);
            else
                CbModel->setEditText(GenelModel());
        }
    }));
    lay->addWidget(tur);
    kurAktiflik(lay);
    lay->addWidget(new QLabel(QStringLiteral("İşçilikte Kullanılabilecek Parçalar"), this));
    GridParca = new QTableWidget(0, 2, this);
    GridParca->setObjectName(QStringLiteral("GridParca"));
    GridParca->setHorizontalHeaderLabels({QStringLiteral("Parça Kodu"), QStringLiteral("Grup")});
    GridParca->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    GridParca->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridParca->setMaximumHeight(140);
    lay->addWidget(GridParca);
    auto* alt = new QHBoxLayout;
    BtnParcaEkle = new QPushButton(QStringLiteral("Listeye Parça Ekle"), this);
    BtnParcaEkle->setObjectName(QStringLiteral("BtnParcaEkle"));
    BtnSakla = new QPushButton(QStringLiteral("&Sakla"), this);
    BtnSakla->setObjectName(QStringLiteral("BtnSakla"));
    BtnVazgec = new QPushButton(QStringLiteral("&Vazgeç"), this);
    BtnVazgec->setObjectName(QStringLiteral("BtnVazgec"));
    alt->addWidget(BtnParcaEkle);
    alt->addStretch();
    alt->addWidget(BtnSakla);
    alt->addWidget(BtnVazgec);
    lay->addLayout(alt);
    connect(BtnSakla, &QPushButton::clicked, this, Guarded([this] { BtnSaklaClick(); }));
    connect(BtnVazgec, &QPushButton::clicked, this, Guarded([this] { BtnVazgecClick(); }));
    connect(BtnParcaEkle, &QPushButton::clicked, this, Guarded([this] { BtnParcaEkleClick(); }));
    parcalariOku();
}

// The ledger codes come from the chart of accounts (the VAT code from the VAT
// sets) through "Seç"; the fields are read only and Delete clears one.
QWidget* TFormFRTSakla::kurMuhKodlari()
{
    auto* kutu = new QGroupBox(QStringLiteral("Muhasebe Kodları"), this);
    auto* fl = new QFormLayout(kutu);
    const bool hak = m_ctx.AktifKullanici.diger10 == QLatin1String("Y");
    const bool secici = static_cast<bool>(FrtMuhKodSecici());
    for (const auto& [kolon, baslik] : FrtMuhKodlari()) {
        auto* e = new QLineEdit(m_row.value(kolon).toString(), kutu);
        e->setObjectName(kolon);
        e->setReadOnly(true);
        e->setMinimumWidth(150);
        e->installEventFilter(this);
        Alanlar.insert(kolon, e);
        auto* b = new QPushButton(QStringLiteral("Seç"), kutu);
        b->setObjectName(QStringLiteral("BtnSec") + kolon);
        b->setAutoDefault(false);
        b->setEnabled(secici && (hak || !FrtMuhKoduHakIster(kolon)));
        MuhSec.insert(kolon, b);
        connect(b, &QPushButton::clicked, this, Guarded([this, k = kolon] { MuhKodSec(k); }));
        auto* satir = new QHBoxLayout;
        satir->addWidget(e, 1);
        satir->addWidget(b);
        fl->addRow(baslik, satir);
    }
    return kutu;
}

// The active flag is the distributor's: shown in brand-dealer mode only and
// never changed here; an active operation keeps its identity and price fields.
void TFormFRTSakla::kurAktiflik(QVBoxLayout* lay)
{
    ChkAktif = new QCheckBox(QStringLiteral("Aktiflik durumu  (Aktif değilse iş emrine işlenemez ve Aktiflik Merkez "
                                            "tarafından belirlenir)"),
                             this);
    ChkAktif->setObjectName(QStringLiteral("KLEIM_TURU"));
    const bool aktif = m_row.value(K("KLEIM_TURU")).toString() == QLatin1String("A");
    ChkAktif->setChecked(aktif);
    ChkAktif->setAttribute(Qt::WA_TransparentForMouseEvents);
    ChkAktif->setFocusPolicy(Qt::NoFocus);
    ChkAktif->setVisible(m_ctx.MarkaBayiModu);
    lay->addWidget(ChkAktif);
    if (!m_ctx.MarkaBayiModu || !aktif || m_yeni)
        return;
    for (const char* c : {"FRT_KODU", "FRT_ADI", "FRT_ING_ADI", "FRT_GRP_KODU", "FRT_ZAMAN", "BIRIM_FIYAT_TL",
                          "BIRIM_FIYAT_DVZ", "ACIKLAMA3"})
        Alanlar.value(K(c))->setReadOnly(true);
    CbModel->setEnabled(false);
    for (QAbstractButton* b : RgTur->buttons())
        b->setEnabled(false);
}

void TFormFRTSakla::MuhKodSec(const QString& kolon)
{
    const MuhKodSecici& secici = FrtMuhKodSecici();
    if (!secici)
        return;
    const QString kod = secici(m_ctx, kolon == QLatin1String("MUH_KDV_A"), this);
    if (!kod.isEmpty())
        Alanlar.value(kolon)->setText(kod);
}

bool TFormFRTSakla::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete)
        if (auto* e = qobject_cast<QLineEdit*>(watched); e && MuhSec.contains(e->objectName())) {
            e->clear();
            return true;
        }
    return QDialog::eventFilter(watched, event);
}

void TFormFRTSakla::parcalariOku()
{
    Query q(m_ctx.Database1, QStringLiteral("SELECT IZP_MALZEME, IZP_GRUP FROM TARIZPAR WHERE IZP_KODU = :K AND "
                                            "IZP_ARAC_TIPI = :M ORDER BY IZP_MALZEME"));
    q.bind(K("K"), m_row.value(K("FRT_KODU"))).bind(K("M"), m_row.value(K("MODEL_KODU"))).exec();
    GridParca->setRowCount(0);
    while (q.next()) {
        const int r = GridParca->rowCount();
        GridParca->insertRow(r);
        GridParca->setItem(r, 0, new QTableWidgetItem(q.str(K("IZP_MALZEME"))));
        GridParca->setItem(r, 1, new QTableWidgetItem(q.str(K("IZP_GRUP"))));
    }
}

void TFormFRTSakla::BtnSaklaClick()
{
    const QString model = CbModel->currentIndex() >= 0 && CbModel->currentText() == CbModel->itemText(CbModel->currentIndex())
                              ? CbModel->currentData().toString()
                              : CbModel->currentText().trimmed();
    m_row[K("MODEL_KODU")] = model;
    for (auto it = Alanlar.cbegin(); it != Alanlar.cend(); ++it) {
        const QString t = it.value()->text().trimmed();
        if (sayiAlan(it.key())) {
            QVariant v;
            if (!SayiOku(t, &v)) {
                it.value()->setFocus();
                return;
            }
            m_row[it.key()] = v;
        } else {
            m_row[it.key()] = t;
        }
    }
    if (!FrtKaydet(m_ctx.Database1, m_row, m_yeni, m_eskiKod, m_eskiModel))
        return;
    Sonuc.KodStr = m_row.value(K("FRT_KODU")).toString();
    Sonuc.IlkStr = model;
    accept();
}

void TFormFRTSakla::BtnVazgecClick() { reject(); }

void TFormFRTSakla::BtnParcaEkleClick()
{
    const QString kod = Alanlar.value(K("FRT_KODU"))->text().trimmed();
    const QString model = CbModel->currentData().toString().isEmpty() ? CbModel->currentText().trimmed()
                                                                     : CbModel->currentData().toString();
    if (kod.isEmpty() || model.isEmpty()) {
        ShowError(QStringLiteral("Arıza Kod ve Model Kod Doldurulmada Parça Seçemezsiniz!"));
        return;
    }
    stock::TypeStok kayit;
    stock::StokSecKayit(m_ctx, 1, kayit, this);
    if (kayit.StokNo <= 0)
        return;
    const QString stok = kayit.StokKod;
    m_ctx.Database1.exec(QStringLiteral("INSERT INTO TARIZPAR (IZP_KODU, IZP_ARAC_TIPI, IZP_MALZEME) VALUES (:K, :M, :P)"),
                         {{K("K"), kod}, {K("M"), model}, {K("P"), stok}});
    m_row[K("FRT_KODU")] = kod;
    m_row[K("MODEL_KODU")] = model;
    parcalariOku();
}

TFormFRTBr1::TFormFRTBr1(SessionContext& ctx, int mode, QWidget* parent) : QDialog(parent), m_ctx(ctx), m_mode(mode)
{
    setObjectName(QStringLiteral("FormFRTBr1"));
    setWindowTitle(QStringLiteral("RTT"));
    auto* lay = new QVBoxLayout(this);
    auto* ust = new QHBoxLayout;
    const auto edit = [&](const char* name, const QString& cap) {
        ust->addWidget(new QLabel(cap, this));
        auto* e = new QLineEdit(this);
        e->setObjectName(K(name));
        ust->addWidget(e);
        return e;
    };
    EdKod = edit("EdKod", QStringLiteral("RTT &Kodu"));
    EdAd = edit("EdAd", QStringLiteral("RTT &Adı"));
    EdModel = edit("EdModel", QStringLiteral("&Model Kodu"));
    EdParca = edit("EdParca", QStringLiteral("Parça Kodu"));
    BtnParcaIscilik = new QPushButton(QStringLiteral("Parçayla İlgili İşçilikler"), this);
    BtnParcaIscilik->setObjectName(QStringLiteral("BtnParcaIscilik"));
    BtnParcaIscilik->setAutoDefault(false);
    ust->addWidget(BtnParcaIscilik);
    lay->addLayout(ust);
    Grid = new QTableWidget(0, 9, this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setHorizontalHeaderLabels({QStringLiteral("Hizmet/Masraf Kodu"), QStringLiteral("Hizmet/Masraf Adı "),
                                     QStringLiteral("Grup"), QStringLiteral("Süre"), QStringLiteral("Birim Fiyatı"),
                                     QStringLiteral("İşçilik Adı ING"), QStringLiteral("KDV"), QStringLiteral("Tür"),
                                     QStringLiteral("Aktif")});
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    lay->addWidget(Grid, 1);
    LblSayi = new QLabel(QStringLiteral("Kayıt Sayısı= 0"), this);
    lay->addWidget(LblSayi);
    auto* alt = new QHBoxLayout;
    const auto btn = [&](const char* name, const QString& cap) {
        auto* b = new QPushButton(cap, this);
        b->setObjectName(K(name));
        alt->addWidget(b);
        return b;
    };
    BtnYeni = btn("BtnYeni", QStringLiteral("&Yeni"));
    BtnDuzenle = btn("BtnDuzenle", QStringLiteral("&Düzenle"));
    BtnSil = btn("BtnSil", QStringLiteral("&Sil"));
    alt->addStretch();
    BtnSec = btn("BtnSec", QStringLiteral("&Seç"));
    BtnKapat = btn("BtnKapat", QStringLiteral("&Kapat"));
    BtnSec->setVisible(mode == 1);
    lay->addLayout(alt);
    connect(EdKod, &QLineEdit::returnPressed, this, Guarded([this] { Ara(0); }));
    connect(EdAd, &QLineEdit::returnPressed, this, Guarded([this] { Ara(1); }));
    connect(EdModel, &QLineEdit::returnPressed, this, Guarded([this] { Ara(2); }));
    connect(BtnParcaIscilik, &QPushButton::clicked, this, Guarded([this] { BtnParcaIscilikClick(); }));
    connect(EdParca, &QLineEdit::returnPressed, this, Guarded([this] { BtnParcaIscilikClick(); }));
    connect(BtnYeni, &QPushButton::clicked, this, Guarded([this] { BtnYeniClick(); }));
    connect(BtnDuzenle, &QPushButton::clicked, this, Guarded([this] { BtnDuzenleClick(); }));
    connect(BtnSil, &QPushButton::clicked, this, Guarded([this] { BtnSilClick(); }));
    connect(BtnSec, &QPushButton::clicked, this, Guarded([this] { BtnSecClick(); }));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    connect(Grid, &QTableWidget::cellDoubleClicked, this, Guarded([this] {
                if (BtnSec->isVisible())
                    BtnSecClick();
                else
                    BtnDuzenleClick();
            }));
    resize(1000, 560);
    EdKod->setFocus();
}

void TFormFRTBr1::Ara(int alan)
{
    m_sonAlan = alan;
    const QLineEdit* e = alan == 0 ? EdKod : alan == 1 ? EdAd : EdModel;
    if (e->text().trimmed().isEmpty()
        && AskYesNoCancel(QStringLiteral("Tüm İşçilik Kayıtlarını Görmek İstiyor musunuz?")) != MsgYes)
        return;
    FrtArama a;
    if (alan == 0)
        a.kod = EdKod->text().trimmed();
    else if (alan == 1)
        a.ad = EdAd->text().trimmed();
    a.model = EdModel->text().trimmed();
    QVariantMap binds;
    Query q(m_ctx.Database1, FrtListeSorgusu(a, m_ctx.Database1, binds));
    q.bindAll(binds).exec();
    m_rows.clear();
    while (q.next()) {
        m_rows << SatirOku(q);
    }
    Grid->setRowCount(m_rows.size());
    const char* cols[] = {"FRT_KODU", "FRT_ADI", "FRT_GRP_KODU", "FRT_ZAMAN", "BIRIM_FIYAT_TL", "FRT_ING_ADI", "KDV", "KBMY", "KLEIM_TURU"};
    for (int r = 0; r < m_rows.size(); ++r)
        for (int c = 0; c < 9; ++c) {
            QVariant v = m_rows[r].value(K(cols[c]));
            QString t = c == 4 ? FormatMoney(v.toDouble(), QStringLiteral(",0.00##")) : DisplayText(v);
            if (c == 7)
                for (const auto& k : kTurler)
                    if (v.toString() == K(k[0]))
                        t = QString::fromUtf8(k[1]);
            Grid->setItem(r, c, new QTableWidgetItem(t));
        }
    Grid->resizeColumnsToContents();
    LblSayi->setText(QStringLiteral("Kayıt Sayısı= %1").arg(m_rows.size()));
}

void TFormFRTBr1::BtnParcaIscilikClick()
{
    TDonPara d;
    stock::ParcayaGoreArizaSec(m_ctx, EdParca->text().trimmed(), d, this);
    if (d.KodStr.isEmpty())
        return;
    EdModel->setText(d.IlkStr);
    EdKod->setText(d.KodStr);
    EdKod->setFocus();
}

void TFormFRTBr1::BtnYeniClick()
{
    const TDonPara d = FrtKarti(m_ctx, {}, {}, true, this);
    if (!d.KodStr.isEmpty()) {
        EdModel->setText(d.IlkStr);
        EdKod->setText(d.KodStr);
        EdKod->setFocus();
    }
}

void TFormFRTBr1::BtnDuzenleClick()
{
    const int r = Grid->currentRow();
    if (r < 0 || r >= m_rows.size())
        return;
    const TDonPara d = FrtKarti(m_ctx, m_rows[r].value(K("FRT_KODU")).toString(),
                                m_rows[r].value(K("MODEL_KODU")).toString(), false, this);
    if (!d.KodStr.isEmpty()) {
        EdModel->setText(d.IlkStr);
        EdKod->setText(d.KodStr);
        EdKod->setFocus();
    }
}

void TFormFRTBr1::BtnSilClick()
{
    const int r = Grid->currentRow();
    if (r < 0 || r >= m_rows.size())
        return;
    if (FrtSil(m_ctx.Database1, m_rows[r].value(K("FRT_KODU")).toString(), m_rows[r].value(K("MODEL_KODU")).toString()))
        Ara(m_sonAlan);
}

void TFormFRTBr1::BtnSecClick()
{
    const int r = Grid->currentRow();
    if (r < 0 || r >= m_rows.size())
        return;
    Sonuc = FrtDonPara(m_rows[r]);
    accept();
}

TDonPara FrtKarti(SessionContext& ctx, const QString& kod, const QString& model, bool yeni, QWidget* parent)
{
    TFormFRTSakla f(ctx, kod, model, yeni, parent);
    return RunModal(f) == QDialog::Accepted ? f.Sonuc : TDonPara{};
}

TDonPara FrtSec(SessionContext& ctx, int mode, QWidget* parent)
{
    TFormFRTBr1 f(ctx, mode, parent);
    return RunModal(f) == QDialog::Accepted ? f.Sonuc : TDonPara{};
}

} // namespace tornaly::workshop
