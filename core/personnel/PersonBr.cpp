#include "personnel/PersonBr.h"
#include "connection/DialogRunner.h"
#include "util/Utf8.h"
#include "context/SessionContext.h"
#include "dm/LookupLists.h"
#include "history/ChLogBr.h"
#include "guard/FormGuard.h"
#include "guard/WaitCursor.h"
#include "messages/Messages.h"
#include "personnel/personSakla.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly {

namespace {
using text::S;

// Shows the caption of a code letter (group, department, position).
class KodDelegate : public QStyledItemDelegate {
public:
    KodDelegate(const TLookupList& liste, QObject* parent) : QStyledItemDelegate(parent), m_liste(liste) {}
    QString displayText(const QVariant& value, const QLocale&) const override
    {
        const QString kod = value.toString();
        const QString baslik = LookupCaption(m_liste, kod);
        return baslik.isEmpty() ? kod : baslik;
    }

private:
    const TLookupList& m_liste;
};
} // namespace

TFormPersonBr::TFormPersonBr(SessionContext& ctx, int mode, QWidget* parent)
    : TFormListeBr(ctx.Database1, parent), m_ctx(ctx)
{
    setObjectName(S("FormPersonBr"));
    setWindowTitle(S("SERVİS PERSONELİ KAYITLARI"));
    setProperty("Tag", mode);

    auto* filtreler = new QHBoxLayout;
    filtreler->addWidget(new QLabel(S("Bölüme Göre Filtrele"), this));
    cbBolum = new QComboBox(this);
    cbBolum->setObjectName(S("cbBolum"));
    cbBolum->addItem(S("Tümü"), QString());
    for (const auto& b : cxOrgBolum())
        if (cbBolum->findData(b.first) < 0)
            cbBolum->addItem(b.second, b.first);
    filtreler->addWidget(cbBolum);
    cbAyrilanlar = new QCheckBox(S("İşten Ayrılanları Gösterme"), this);
    cbAyrilanlar->setObjectName(S("cbAyrilanlar"));
    cbAyrilanlar->setChecked(true);
    filtreler->addWidget(cbAyrilanlar);
    auto* durum = new QGroupBox(S("Durum"), this);
    auto* durumLay = new QHBoxLayout(durum);
    rgDurum = new QButtonGroup(this);
    const char* durumlar[] = {"Tümü", "Aktif", "Pasif"};
    for (int i = 0; i < 3; ++i) {
        auto* r = new QRadioButton(S(durumlar[i]), durum);
        r->setObjectName(S("rgDurum%1").arg(i));
        rgDurum->addButton(r, i);
        durumLay->addWidget(r);
    }
    rgDurum->button(0)->setChecked(true);
    filtreler->addWidget(durum);
    filtreler->addStretch();

    auto* aramalar = new QHBoxLayout;
    const auto arama = [&](QLineEdit*& e, const char* ad, const char* baslik, int genislik) {
        aramalar->addWidget(new QLabel(S(baslik), this));
        e = new QLineEdit(this);
        e->setObjectName(S(ad));
        e->setMaximumWidth(genislik);
        aramalar->addWidget(e);
        connect(e, &QLineEdit::returnPressed, this, Guarded(this, &TFormPersonBr::AramaEnter));
    };
    arama(EditKod, "EditKod", "Aranan P.Kod", 120);
    arama(EditAd, "EditAd", "Aranan Personel Adı Soyadı", 240);
    arama(EditSira, "EditSira", "Sıraya Göre", 70);
    aramalar->addStretch();

    auto* lay = static_cast<QVBoxLayout*>(layout());
    lay->insertLayout(1, filtreler);
    lay->insertLayout(2, aramalar);

    btnCopy = new QPushButton(S("&Kopyala"), this);
    btnCopy->setObjectName(S("btnCopy"));
    btnHistory = new QPushButton(S("Kayıt Geçmişi"), this);
    btnHistory->setObjectName(S("btnHistory"));
    if (auto* alt = qobject_cast<QHBoxLayout*>(lay->itemAt(lay->count() - 1)->layout())) {
        alt->insertWidget(3, btnCopy);
        alt->insertWidget(4, btnHistory);
    }
    btnNew->setText(S("&Yeni"));
    btnEdit->setText(S("&Düzenle"));
    btnDelete->setText(S("&Sil"));
    btnSelect->setText(S("&Seç"));

    TableBrSql.lines = PersonelListeSatirlari();
    TableBr->setCaptions({S("Kodu"), S("Adı"), S("Grubu"), S("Bölümü"), S("Pozisyon"), S("Görevi"), S("KartNo"),
                          S("Liste Sıra")});
    setkeyfield(S("ISCI_KOD"));
    PersonelFiltreUygula(TableBrSql, filtre());
    dbgridbr->setWordWrap(false);
    dbgridbr->setItemDelegateForColumn(2, new KodDelegate(cxPerOrg(), this));
    dbgridbr->setItemDelegateForColumn(3, new KodDelegate(cxOrgBolum(), this));
    dbgridbr->setItemDelegateForColumn(4, new KodDelegate(cxPozisyon(), this));
    // Columns follow their data once the rows of an open have arrived.
    connect(TableBr, &QAbstractItemModel::modelReset, this, Guarded([this] {
        QTimer::singleShot(0, this, Guarded([this] {
            dbgridbr->resizeColumnsToContents();
            for (int c = 0; c < TableBr->columnCount(); ++c)
                dbgridbr->setColumnWidth(c, dbgridbr->columnWidth(c) + 12);
            dbgridbr->horizontalHeader()->setStretchLastSection(true);
        }));
    }));

    // Only the "Y" letter adds, changes, copies and deletes personnel.
    m_yazabilir = m_ctx.AktifKullanici.personel == QLatin1String("Y");
    btnSelect->setVisible(mode == 1 || mode == 2);
    btnNew->setEnabled(m_yazabilir);
    btnEdit->setEnabled(m_yazabilir);
    btnDelete->setEnabled(m_yazabilir);
    btnCopy->setEnabled(m_yazabilir);

    connect(cbBolum, &QComboBox::currentIndexChanged, this, Guarded(this, &TFormPersonBr::FiltreDegisti));
    connect(cbAyrilanlar, &QCheckBox::toggled, this, Guarded(this, &TFormPersonBr::FiltreDegisti));
    connect(rgDurum, &QButtonGroup::idClicked, this, Guarded(this, &TFormPersonBr::FiltreDegisti));
    connect(EditKod, &QLineEdit::textEdited, this, Guarded([this](const QString& t) { araKonumlan(S("ISCI_KOD"), t); }));
    connect(EditAd, &QLineEdit::textEdited, this, Guarded([this](const QString& t) { araKonumlan(S("ISCI_ADI"), t); }));
    connect(EditSira, &QLineEdit::textEdited, this, Guarded([this](const QString& t) { araKonumlan(S("LISTE_SIRA"), t); }));
    connect(btnNew, &QPushButton::clicked, this, Guarded(this, &TFormPersonBr::btnNewClick));
    connect(btnEdit, &QPushButton::clicked, this, Guarded(this, &TFormPersonBr::btnEditClick));
    connect(btnCopy, &QPushButton::clicked, this, Guarded(this, &TFormPersonBr::btnCopyClick));
    connect(btnDelete, &QPushButton::clicked, this, Guarded(this, &TFormPersonBr::btnDeleteClick));
    connect(btnHistory, &QPushButton::clicked, this, Guarded(this, &TFormPersonBr::btnHistoryClick));
    resize(900, 560);
}

TPersonelFiltre TFormPersonBr::filtre() const
{
    TPersonelFiltre f;
    f.bolum = cbBolum->currentData().toString();
    f.ayrilanlariGizle = cbAyrilanlar->isChecked();
    f.durum = rgDurum->checkedId();
    f.arananKod = EditKod->text().trimmed();
    f.arananAd = EditAd->text().trimmed();
    f.siraMetni = EditSira->text().trimmed();
    f.bugun = QDate::currentDate();
    return f;
}

void TFormPersonBr::FiltreDegisti()
{
    Guard([&] {
        WaitCursor wait;
        PersonelFiltreUygula(TableBrSql, filtre());
        openTable();
        if (TableBr->rowCount() > 0)
            dbgridbr->setCurrentIndex(TableBr->index(0, 0));
    });
}

void TFormPersonBr::AramaEnter()
{
    Guard([&] {
        WaitCursor wait;
        TPersonelFiltre f = filtre();
        // Only the edit the user pressed Enter in searches.
        QObject* kaynak = sender();
        if (kaynak != EditKod)
            f.arananKod.clear();
        if (kaynak != EditAd)
            f.arananAd.clear();
        if (kaynak != EditSira)
            f.siraMetni.clear();
        PersonelAramaUygula(TableBrSql, m_db.dialect(), f);
        openTable();
        if (TableBr->rowCount() > 0)
            dbgridbr->setCurrentIndex(TableBr->index(0, 0));
    });
}

void TFormPersonBr::araKonumlan(const QString& kolon, const QString& text)
{
    const int col = TableBr->columnOf(kolon);
    if (col < 0 || text.isEmpty())
        return;
    const QString aranan = Dialect::turkishUpper(text);
    for (int r = 0; r < TableBr->rowCount(); ++r) {
        const QString v = TableBr->index(r, col).data(Qt::EditRole).toString();
        const bool uyar = kolon == QLatin1String("LISTE_SIRA") ? v == text.trimmed()
                                                                : Dialect::turkishUpper(v).contains(aranan);
        if (uyar) {
            dbgridbr->setCurrentIndex(TableBr->index(r, 0));
            return;
        }
    }
}

void TFormPersonBr::yenileVeKonumlan(const QString& kod)
{
    openTable();
    if (!kod.isEmpty())
        locatekeyvalue(kod);
}

void TFormPersonBr::btnNewClick()
{
    if (!m_yazabilir)
        return;
    Guard([&] {
        const QString kod = PersonelKartGir(m_ctx, QString(), 1, this);
        if (!kod.isEmpty())
            yenileVeKonumlan(kod);
    });
}

void TFormPersonBr::btnEditClick()
{
    const QString kod = currentValue(S("ISCI_KOD")).toString();
    if (!m_yazabilir || kod.isEmpty())
        return;
    Guard([&] {
        const QString donen = PersonelKartGir(m_ctx, kod, 0, this);
        if (!donen.isEmpty())
            yenileVeKonumlan(donen);
    });
}

void TFormPersonBr::btnCopyClick()
{
    const QString kod = currentValue(S("ISCI_KOD")).toString();
    if (!m_yazabilir || kod.isEmpty())
        return;
    if (AskYesNoCancel(S("Personel Kartı Kopyalamak İstiyor musunuz?")) != MsgYes)
        return;
    Guard([&] {
        const QString donen = PersonelKartGir(m_ctx, kod, 1, this);
        if (!donen.isEmpty())
            yenileVeKonumlan(donen);
    });
}

void TFormPersonBr::btnDeleteClick()
{
    const QString kod = currentValue(S("ISCI_KOD")).toString();
    if (!m_yazabilir || kod.isEmpty())
        return;
    if (!AskYesNo(S("Kayıt Silinsin mi?")))
        return;
    Guard([&] {
        WaitCursor wait;
        const QString hata = PersonelSil(m_db, kod);
        if (!hata.isEmpty()) {
            ShowError(hata);
            return;
        }
        openTable();
    });
}

void TFormPersonBr::btnHistoryClick()
{
    Guard([&] { ShowChangeLog(m_ctx, S("ISCIUSTA"), currentValue(S("ISCI_KOD"))); });
}

void PersonelSec(SessionContext& ctx, int mode, TDonPara& result, QWidget* parent)
{
    if (!RightOpens(ctx.AktifKullanici.personel))
        return;
    TFormPersonBr f(ctx, mode, parent);
    f.openTable();
    if (f.TableBr->rowCount() > 0)
        f.dbgridbr->setCurrentIndex(f.TableBr->index(0, 0));
    if (RunModal(f) == QDialog::Accepted) {
        result.IlkStr = f.currentValue(S("ISCI_ADI")).toString();
        result.SonStr = f.currentValue(S("BOLUMU")).toString();
        result.KodStr = f.currentValue(S("ISCI_KOD")).toString();
    } else {
        result.IlkStr.clear();
        result.SonStr.clear();
        result.KodStr.clear();
    }
}

} // namespace tornaly
