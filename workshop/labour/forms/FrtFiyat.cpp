#include "workshop/labour/forms/FrtFiyat.h"

#include "controls/SayiAlani.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "sql/SqlHelpers.h"
#include "util/FormHelpers.h"
#include "workshop/dispositions/IsEmriSatirlari.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::workshop {

namespace {

QString yazi(const char* s) { return QString::fromUtf8(s); }

QPushButton* dugme(QWidget* parent, const char* name, const QString& text, QLayout* lay)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    lay->addWidget(b);
    return b;
}

QString sayiMetni(const QVariant& v, const char* bicim)
{
    return v.isNull() ? QString() : FormatMoney(v.toDouble(), QString::fromLatin1(bicim));
}

// The group letter's pick list: "K Kaporta" ... "D Diğer"; the letter is stored.
class GrupKodDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* c = new QComboBox(parent);
        c->setEditable(true);
        c->addItems({yazi("K Kaporta"), yazi("B Boya"), yazi("M Mekanik"), yazi("G Garanti"), yazi("D Diğer")});
        return c;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* c = static_cast<QComboBox*>(editor);
        const QString harf = index.data().toString();
        const int i = c->findText(harf + QLatin1Char(' '), Qt::MatchStartsWith);
        if (i >= 0)
            c->setCurrentIndex(i);
        else
            c->setEditText(harf);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        const QString t = static_cast<QComboBox*>(editor)->currentText().trimmed();
        model->setData(index, t.left(1).toUpper());
    }
};

const char* const kFrtKolonlari[] = {"FRT_KODU", "MODEL_KODU", "FRT_ADI", "FRT_ZAMAN", "KBMY", "BIRIM_FIYAT_TL",
                                     "BIRIM_FIYAT_DVZ", "DOVIZ_KODU", "FRT_ING_ADI", "FRT_GRP_KODU"};
bool sayiKolonu(const QString& c)
{
    return c == QLatin1String("FRT_ZAMAN") || c.startsWith(QLatin1String("BIRIM_FIYAT"));
}
QString frtMetni(const QString& c, const QVariant& v)
{
    if (c == QLatin1String("BIRIM_FIYAT_TL"))
        return sayiMetni(v, ",0.00##");
    if (c == QLatin1String("BIRIM_FIYAT_DVZ"))
        return sayiMetni(v, ",0.00");
    if (c == QLatin1String("FRT_ZAMAN"))
        return sayiMetni(v, "0.##");
    return v.toString();
}

} // namespace

TFormFrtGrup::TFormFrtGrup(SessionContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(yazi("FormFrtGrup"));
    setWindowTitle(yazi("FRT Grupları ve Birim Fiyatları"));
    auto* lay = new QVBoxLayout(this);
    auto* nav = new QHBoxLayout;
    BtnIlk = dugme(this, "BtnIlk", yazi("|◀"), nav);
    BtnOnceki = dugme(this, "BtnOnceki", yazi("◀"), nav);
    BtnSonraki = dugme(this, "BtnSonraki", yazi("▶"), nav);
    BtnSon = dugme(this, "BtnSon", yazi("▶|"), nav);
    BtnDuzenle = dugme(this, "BtnDuzenle", yazi("✎"), nav);
    BtnKaydet = dugme(this, "BtnKaydet", yazi("✔"), nav);
    BtnVazgec = dugme(this, "BtnVazgec", yazi("✖"), nav);
    BtnYenile = dugme(this, "BtnYenile", yazi("↻"), nav);
    const QStringList ipucu{yazi("İlk"), yazi("Önceki"), yazi("Sonraki"), yazi("Son"), yazi("Düzenle"), yazi("Kaydet"), yazi("Vazgeç"), yazi("Yenile")};
    int k = 0;
    for (QPushButton* b : {BtnIlk, BtnOnceki, BtnSonraki, BtnSon, BtnDuzenle, BtnKaydet, BtnVazgec, BtnYenile}) {
        b->setToolTip(ipucu[k++]);
        b->setMaximumWidth(40);
    }
    nav->addStretch();
    lay->addLayout(nav);
    auto* form = new QFormLayout;
    const auto alan = [&](const char* name, const QString& cap) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        form->addRow(cap, e);
        return e;
    };
    EdGrupKod = alan("GRUP_KOD", yazi("Grup Kod"));
    EdGrupKod->setMaxLength(1);
    EdGrupAd = alan("GRUP_AD", yazi("Grup Adı"));
    EdGrupAd->setMaxLength(15);
    EdFiyatTL = alan("BR_FIYAT_TL", yazi("Birim Fiyat TL"));
    EdFiyatUSD = alan("BR_FYT_USD", yazi("Birim Fiyat USD"));
    lay->addLayout(form);
    for (int yon = 0; yon < 4; ++yon)
        connect(QList<QPushButton*>{BtnIlk, BtnOnceki, BtnSonraki, BtnSon}[yon], &QPushButton::clicked, this,
                Guarded([this, yon] { Git(yon); }));
    connect(BtnDuzenle, &QPushButton::clicked, this, Guarded([this] { Duzenle(); }));
    connect(BtnKaydet, &QPushButton::clicked, this, Guarded([this] { Kaydet(); }));
    connect(BtnVazgec, &QPushButton::clicked, this, Guarded([this] { Vazgec(); }));
    connect(BtnYenile, &QPushButton::clicked, this, Guarded([this] { Yenile(); }));
    duzenleme(false);
    resize(380, 200);
}

void TFormFrtGrup::showEvent(QShowEvent* e)
{
    Guard([this] { Yenile(); });
    QDialog::showEvent(e);
}

void TFormFrtGrup::Yenile()
{
    const QString kod = m_i >= 0 && m_i < m_rows.size() ? m_rows[m_i].value(yazi("GRUP_KOD")).toString() : QString();
    m_rows = FrtGruplari(m_ctx.Database1);
    m_i = m_rows.isEmpty() ? -1 : 0;
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].value(yazi("GRUP_KOD")).toString() == kod)
            m_i = i;
    duzenleme(false);
    goster();
}

void TFormFrtGrup::goster()
{
    const QVariantMap r = m_i >= 0 ? m_rows[m_i] : QVariantMap{};
    EdGrupKod->setText(r.value(yazi("GRUP_KOD")).toString());
    EdGrupAd->setText(r.value(yazi("GRUP_AD")).toString());
    EdFiyatTL->setText(sayiMetni(r.value(yazi("BR_FIYAT_TL")), m_duzenle ? "0.####" : "#,##0"));
    EdFiyatUSD->setText(sayiMetni(r.value(yazi("BR_FYT_USD")), m_duzenle ? "0.##" : "#,##0.00"));
    const int son = int(m_rows.size()) - 1;
    BtnIlk->setEnabled(!m_duzenle && m_i > 0);
    BtnOnceki->setEnabled(!m_duzenle && m_i > 0);
    BtnSonraki->setEnabled(!m_duzenle && m_i < son);
    BtnSon->setEnabled(!m_duzenle && m_i < son);
}

void TFormFrtGrup::duzenleme(bool acik)
{
    m_duzenle = acik;
    for (QLineEdit* e : {EdGrupKod, EdGrupAd, EdFiyatTL, EdFiyatUSD})
        e->setReadOnly(!acik);
    BtnDuzenle->setEnabled(!acik && m_i >= 0);
    BtnKaydet->setEnabled(acik);
    BtnVazgec->setEnabled(acik);
}

void TFormFrtGrup::Git(int yon)
{
    if (m_rows.isEmpty() || m_duzenle)
        return;
    const int son = int(m_rows.size()) - 1;
    m_i = yon == 0 ? 0 : yon == 1 ? std::max(0, m_i - 1) : yon == 2 ? std::min(son, m_i + 1) : son;
    goster();
}

void TFormFrtGrup::Duzenle()
{
    if (m_i < 0)
        return;
    duzenleme(true);
    goster();
}

void TFormFrtGrup::Kaydet()
{
    if (!m_duzenle || m_i < 0)
        return;
    QVariant tl, usd;
    // A price that is no number gets the message and nothing is written.
    if (!SayiOku(EdFiyatTL->text(), &tl)) {
        EdFiyatTL->setFocus();
        return;
    }
    if (!SayiOku(EdFiyatUSD->text(), &usd)) {
        EdFiyatUSD->setFocus();
        return;
    }
    QVariantMap r{{yazi("GRUP_KOD"), EdGrupKod->text().trimmed().toUpper()},
                  {yazi("GRUP_AD"), EdGrupAd->text().trimmed()},
                  {yazi("BR_FIYAT_TL"), tl},
                  {yazi("BR_FYT_USD"), usd}};
    FrtGrupKaydet(m_ctx.Database1, m_rows[m_i].value(yazi("GRUP_KOD")).toString(), r);
    m_rows[m_i] = r;
    Yenile();
}

void TFormFrtGrup::Vazgec()
{
    duzenleme(false);
    goster();
}

TFormFytListFRT::TFormFytListFRT(SessionContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(yazi("FormFytListFRT"));
    setWindowTitle(yazi("RTT Fiyatlandırma"));
    auto* lay = new QVBoxLayout(this);
    auto* ust = new QHBoxLayout;
    auto* grupKutusu = new QVBoxLayout;
    GridGrup = new QTableWidget(0, 3, this);
    GridGrup->setObjectName(yazi("GridGrup"));
    GridGrup->setHorizontalHeaderLabels({yazi("Gr.Kod"), yazi("Grup Adı"), yazi("Birim Fiyat")});
    GridGrup->setItemDelegateForColumn(0, new GrupKodDelegate(GridGrup));
    GridGrup->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    GridGrup->setMinimumWidth(330);
    GridGrup->setMaximumHeight(170);
    grupKutusu->addWidget(GridGrup);
    auto* grupDugme = new QHBoxLayout;
    BtnGrupEkle = dugme(this, "BtnGrupEkle", yazi("Grup Ekle"), grupDugme);
    BtnGrupSil = dugme(this, "BtnGrupSil", yazi("Grup Sil"), grupDugme);
    grupDugme->addStretch();
    grupKutusu->addLayout(grupDugme);
    ust->addLayout(grupKutusu);
    auto* sag = new QVBoxLayout;
    auto* grupsuz = new QHBoxLayout;
    grupsuz->addWidget(new QLabel(yazi("Grubu Olmayan\nİşçilikler Birim Fiyatı"), this));
    EdGrupsuz = new QLineEdit(this);
    EdGrupsuz->setObjectName(yazi("EdGrupsuz"));
    grupsuz->addWidget(EdGrupsuz);
    sag->addLayout(grupsuz);
    auto* uyari = new QLabel(yazi("Masraf ve Hizmet Kayıtları Otomatik Fiyatlandırma İşlemine Dahil Değildir!!!"), this);
    uyari->setStyleSheet(yazi("color: #b00000; font-weight: bold"));
    uyari->setWordWrap(true);
    sag->addWidget(uyari);
    auto* arama = new QHBoxLayout;
    arama->addWidget(new QLabel(yazi("Aranan İşçilik Kodu"), this));
    EdAranan = new QLineEdit(this);
    EdAranan->setObjectName(yazi("EdAranan"));
    arama->addWidget(EdAranan);
    sag->addLayout(arama);
    auto* dugmeler = new QHBoxLayout;
    BtnGuncelle = dugme(this, "BtnGuncelle", yazi("Birim Fiyatları &Güncelle"), dugmeler);
    BtnKapat = dugme(this, "BtnKapat", yazi("&Kapat"), dugmeler);
    sag->addLayout(dugmeler);
    sag->addStretch();
    ust->addLayout(sag, 1);
    lay->addLayout(ust);
    GridFrt = new QTableWidget(0, int(std::size(kFrtKolonlari)), this);
    GridFrt->setObjectName(yazi("GridFrt"));
    GridFrt->setHorizontalHeaderLabels({yazi("İşçilik Kodu"), yazi("Model"), yazi("İşçilik Adı"), yazi("Süre"), yazi("İşç.Grp"),
                                        yazi("Birim Fiyatı"), yazi("Döviz Birim Fiyatı"), yazi("Döviz Kodu"),
                                        yazi("İşçilik Adı ING"), yazi("Grup")});
    GridFrt->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridFrt->installEventFilter(this);
    lay->addWidget(GridFrt, 1);
    connect(BtnGuncelle, &QPushButton::clicked, this, Guarded([this] { BtnGuncelleClick(); }));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::close); // unguarded: ui only
    connect(BtnGrupEkle, &QPushButton::clicked, this, Guarded([this] { GrupEkle(); }));
    connect(BtnGrupSil, &QPushButton::clicked, this, Guarded([this] { GrupSil(); }));
    connect(EdGrupsuz, &QLineEdit::editingFinished, this, Guarded([this] { GrupsuzCikis(); }));
    connect(EdAranan, &QLineEdit::returnPressed, this, Guarded([this] { AranaGit(); }));
    connect(GridGrup, &QTableWidget::itemChanged, this, Guarded([this](QTableWidgetItem* i) { grupHucresi(i); }));
    connect(GridFrt, &QTableWidget::itemChanged, this, Guarded([this](QTableWidgetItem* i) { frtHucresi(i); }));
    resize(1000, 620);
}

void TFormFytListFRT::showEvent(QShowEvent* e)
{
    Guard([this] {
        gruplariOku();
        fiyatlariOku();
        frtOku();
    });
    QDialog::showEvent(e);
}

void TFormFytListFRT::gruplariOku()
{
    m_yukleniyor = true;
    m_gruplar = FrtGruplari(m_ctx.Database1);
    GridGrup->setRowCount(int(m_gruplar.size()));
    for (int r = 0; r < m_gruplar.size(); ++r) {
        for (int c = 0; c < 3; ++c)
            GridGrup->setItem(r, c, new QTableWidgetItem);
        grupSatiriniYaz(r, m_gruplar[r]);
    }
    m_yukleniyor = false;
}

// The working prices: the groups' and, when the field holds one above 0, the no-group price.
void TFormFytListFRT::fiyatlariOku()
{
    double grupsuz = 0;
    ParseMoney(EdGrupsuz->text(), &grupsuz);
    FrtGrupFiyatlariOku(m_ctx.Database1, m_f, grupsuz);
}

void TFormFytListFRT::frtOku()
{
    m_yukleniyor = true;
    m_frt.clear();
    Query q(m_ctx.Database1, yazi("SELECT FRT_KODU, MODEL_KODU, FRT_ADI, FRT_ZAMAN, KBMY, BIRIM_FIYAT_TL, BIRIM_FIYAT_DVZ, "
                               "DOVIZ_KODU, FRT_ING_ADI, FRT_GRP_KODU FROM FRT ORDER BY FRT_KODU, MODEL_KODU"));
    q.exec();
    while (q.next())
        m_frt << SatirOku(q);
    GridFrt->setRowCount(int(m_frt.size()));
    for (int r = 0; r < m_frt.size(); ++r)
        for (int c = 0; c < int(std::size(kFrtKolonlari)); ++c) {
            const QString kolon = QString::fromLatin1(kFrtKolonlari[c]);
            auto* item = new QTableWidgetItem(frtMetni(kolon, m_frt[r].value(kolon)));
            if (c < 3)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            if (sayiKolonu(kolon))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            GridFrt->setItem(r, c, item);
        }
    GridFrt->resizeColumnsToContents();
    m_yukleniyor = false;
}

void TFormFytListFRT::grupSatiriniYaz(int r, const QVariantMap& g)
{
    m_yukleniyor = true;
    GridGrup->item(r, 0)->setText(g.value(yazi("GRUP_KOD")).toString());
    GridGrup->item(r, 1)->setText(g.value(yazi("GRUP_AD")).toString());
    GridGrup->item(r, 2)->setText(sayiMetni(g.value(yazi("BR_FIYAT_TL")), ",0.000"));
    m_yukleniyor = false;
}

// A changed cell posts its group row at once; a price that is no number puts
// the row back as stored.
void TFormFytListFRT::grupHucresi(QTableWidgetItem* item)
{
    if (m_yukleniyor || !item || item->row() >= m_gruplar.size())
        return;
    const int r = item->row();
    const auto metin = [&](int c) { return GridGrup->item(r, c) ? GridGrup->item(r, c)->text().trimmed() : QString(); };
    QVariant fiyat;
    if (!SayiOku(metin(2), &fiyat)) {
        grupSatiriniYaz(r, m_gruplar[r]);
        return;
    }
    if (metin(0).isEmpty())
        return; // a new row is posted once it has its letter
    QVariantMap row = m_gruplar[r];
    row[yazi("GRUP_KOD")] = metin(0).toUpper();
    row[yazi("GRUP_AD")] = metin(1);
    row[yazi("BR_FIYAT_TL")] = fiyat;
    try {
        FrtGrupKaydet(m_ctx.Database1, m_gruplar[r].value(yazi("GRUP_KOD")).toString(), row);
    } catch (...) {
        grupSatiriniYaz(r, m_gruplar[r]);
        throw;
    }
    m_gruplar[r] = row;
    grupSatiriniYaz(r, row);
    fiyatlariOku();
}

void TFormFytListFRT::frtHucresi(QTableWidgetItem* item)
{
    if (m_yukleniyor || !item || item->row() >= m_frt.size())
        return;
    const int r = item->row();
    const QString kolon = QString::fromLatin1(kFrtKolonlari[item->column()]);
    QVariantMap row = m_frt[r];
    const auto geriAl = [&] {
        m_yukleniyor = true;
        item->setText(frtMetni(kolon, m_frt[r].value(kolon)));
        m_yukleniyor = false;
    };
    if (sayiKolonu(kolon)) {
        QVariant v;
        if (!SayiOku(item->text(), &v)) {
            geriAl();
            return;
        }
        row[kolon] = v;
    } else {
        row[kolon] = kolon == QLatin1String("KBMY") ? item->text().trimmed().toUpper() : item->text().trimmed();
    }
    try {
        FrtFiyatSatiriKaydet(m_ctx.Database1, row, m_f);
    } catch (...) {
        geriAl();
        throw;
    }
    m_frt[r] = row;
    m_yukleniyor = true;
    for (int c = 0; c < int(std::size(kFrtKolonlari)); ++c) {
        const QString k = QString::fromLatin1(kFrtKolonlari[c]);
        GridFrt->item(r, c)->setText(frtMetni(k, row.value(k)));
    }
    m_yukleniyor = false;
}

void TFormFytListFRT::GrupEkle()
{
    m_yukleniyor = true;
    const int r = GridGrup->rowCount();
    GridGrup->insertRow(r);
    for (int c = 0; c < 3; ++c)
        GridGrup->setItem(r, c, new QTableWidgetItem);
    m_gruplar << QVariantMap{};
    m_yukleniyor = false;
    GridGrup->setCurrentCell(r, 0);
}

void TFormFytListFRT::GrupSil()
{
    const int r = GridGrup->currentRow();
    if (r < 0 || r >= m_gruplar.size())
        return;
    const QString kod = m_gruplar[r].value(yazi("GRUP_KOD")).toString();
    if (!kod.isEmpty()) {
        if (AskYesNoCancel(yazi("Kayıt Silinsin mi?")) != MsgYes)
            return;
        FrtGrupSil(m_ctx.Database1, kod);
    }
    gruplariOku();
    fiyatlariOku();
}

void TFormFytListFRT::FrtSil()
{
    const int r = GridFrt->currentRow();
    if (r < 0 || r >= m_frt.size())
        return;
    if (AskYesNoCancel(yazi("Kayıt Silinsin mi?")) != MsgYes)
        return;
    FrtSatiriSil(m_ctx.Database1, m_frt[r].value(yazi("FRT_KODU")).toString(), m_frt[r].value(yazi("MODEL_KODU")).toString());
    frtOku();
}

void TFormFytListFRT::GrupsuzCikis()
{
    QVariant v;
    if (!SayiOku(EdGrupsuz->text(), &v))
        return;
    m_f.ef = v.toDouble();
}

void TFormFytListFRT::AranaGit()
{
    const QString aranan = EdAranan->text().trimmed();
    int hedef = int(m_frt.size()) - 1;
    for (int r = 0; r < m_frt.size(); ++r)
        if (m_frt[r].value(yazi("FRT_KODU")).toString().compare(aranan, Qt::CaseInsensitive) >= 0) {
            hedef = r;
            break;
        }
    if (hedef < 0)
        return;
    GridFrt->setCurrentCell(hedef, 0);
    GridFrt->scrollToItem(GridFrt->item(hedef, 0));
}

void TFormFytListFRT::BtnGuncelleClick()
{
    if (AskYesNoCancel(yazi("Tüm İşçilik Birim Fiyatları Verilen Değerlere Değiştirilecektir. Devam Etmek İstiyor musunuz?"))
        != MsgYes)
        return;
    double grupsuz = 0;
    if (!SayiOku(EdGrupsuz->text(), &grupsuz))
        return;
    try {
        FrtBirimFiyatGuncelle(m_ctx.Database1, grupsuz);
    } catch (...) {
        frtOku();
        throw;
    }
    frtOku();
}

bool TFormFytListFRT::eventFilter(QObject* watched, QEvent* event)
{
    // The grid's own delete command: Ctrl+Delete.
    if (watched == GridFrt && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Delete && (k->modifiers() & Qt::ControlModifier)) {
            Guard([this] { FrtSil(); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void RegisterLabourPriceForms()
{
    // Opened from the system-management window without a modal wait; a
    // second command brings the open window forward.
    RegisterForm(QString::fromLatin1(entry::TFormFrtGrup), [](const OpenRequest& r) -> QWidget* {
        if (QWidget* w = FindFormByName(yazi("FormFrtGrup")))
            return w;
        auto* f = new TFormFrtGrup(*r.ctx, r.owner);
        f->setAttribute(Qt::WA_DeleteOnClose);
        f->setModal(false);
        return f;
    });
    RegisterForm(QString::fromLatin1(entry::TFormFytListFRT), [](const OpenRequest& r) -> QWidget* {
        if (QWidget* w = FindFormByName(yazi("FormFytListFRT")))
            return w;
        auto* f = new TFormFytListFRT(*r.ctx, r.owner);
        f->setAttribute(Qt::WA_DeleteOnClose);
        f->setModal(false);
        return f;
    });
}

} // namespace tornaly::workshop
