#include "accounts/documents/DocBr.h"
#include "util/Utf8.h"

#include "accounts/ui/ListeModeli.h"
#include "export/SafeFile.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace tornaly::accounts {

using text::S;

namespace {

// The grid tells whether a cell is being edited.
class DocGrid : public QTableWidget {
public:
    using QTableWidget::QTableWidget;
    bool duzenleniyor() const { return state() == EditingState; }
};

enum Kolon { KolKayitNo, KolModul, KolAd, KolTanim, KolTarih, KolKullanici, KolSayisi };

// The description is typed or picked from the usual papers.
class TanimDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* c = new QComboBox(parent);
        c->setEditable(true);
        c->addItems(DokumanTanimOnerileri());
        c->lineEdit()->setMaxLength(100);
        return c;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        static_cast<QComboBox*>(editor)->setEditText(index.data().toString());
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        model->setData(index, static_cast<QComboBox*>(editor)->currentText());
    }
};

} // namespace

TFormDocBr::TFormDocBr(const SessionContext& ctx, int grup, const QVariant& anahtar, int dokumanId, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1), m_grup(grup), m_anahtar(anahtar), m_dokumanId(dokumanId)
{
    setObjectName(S("FormDocBr"));
    setWindowTitle(S("Dökümanlar"));
    const bool kayit = DokumanKaydinListesi(grup, dokumanId);
    cxGrid = new DocGrid(0, KolSayisi, this);
    cxGrid->setObjectName(S("cxGrid"));
    cxGrid->setHorizontalHeaderLabels({S("Kayıt No"), S("Modül"), S("Döküman Adı"), S("Tanım"), S("Tarih"), S("Kullanıcı")});
    cxGrid->verticalHeader()->hide();
    cxGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    cxGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    cxGrid->setColumnHidden(KolKayitNo, kayit);
    cxGrid->setColumnHidden(KolModul, kayit);
    cxGrid->setEditTriggers(kayit ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                        | QAbstractItemView::AnyKeyPressed
                                  : QAbstractItemView::NoEditTriggers);
    cxGrid->setItemDelegateForColumn(KolTanim, new TanimDelegate(cxGrid));
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(cxGrid, 1);
    auto* h = new QHBoxLayout;
    kurDugmeler(h);
    lay->addLayout(h);
    BtnDokumanEkle->setVisible(kayit);
    BtnResimEkle->setVisible(kayit);
    BtnSil->setVisible(kayit);
    BtnResimEkle->setEnabled(grup != 102);
    connect(cxGrid, &QTableWidget::cellChanged, this, Guarded([this](int r, int c) { tanimDegisti(r, c); }));
    connect(cxGrid, &QTableWidget::cellDoubleClicked, this, Guarded([this](int, int c) {
                if (c != KolTanim || cxGrid->editTriggers() == QAbstractItemView::NoEditTriggers)
                    BtnAcClick();
            }));
    resize(820, 420);
    listeyiAc();
}

void TFormDocBr::kurDugmeler(QHBoxLayout* h)
{
    BtnDokumanEkle = Dugme(this, "BtnDokumanEkle", S("&Döküman Ekle"));
    BtnResimEkle = Dugme(this, "BtnResimEkle", S("&Resim Ekle"));
    BtnAc = Dugme(this, "BtnAc", S("Resim/Dökümanı &Aç"));
    BtnFarkliKaydet = Dugme(this, "BtnFarkliKaydet", S("Farklı &Kaydet"));
    BtnSil = Dugme(this, "BtnSil", S("Sil"));
    BtnCikis = Dugme(this, "BtnCikis", S("&Çıkış"));
    for (QPushButton* b : {BtnDokumanEkle, BtnResimEkle, BtnAc, BtnFarkliKaydet, BtnSil})
        h->addWidget(b);
    h->addStretch();
    h->addWidget(BtnCikis);
    connect(BtnDokumanEkle, &QPushButton::clicked, this, Guarded(this, &TFormDocBr::BtnDokumanEkleClick));
    connect(BtnResimEkle, &QPushButton::clicked, this, Guarded(this, &TFormDocBr::BtnResimEkleClick));
    connect(BtnAc, &QPushButton::clicked, this, Guarded(this, &TFormDocBr::BtnAcClick));
    connect(BtnFarkliKaydet, &QPushButton::clicked, this, Guarded(this, &TFormDocBr::BtnFarkliKaydetClick));
    connect(BtnSil, &QPushButton::clicked, this, Guarded(this, &TFormDocBr::BtnSilClick));
    connect(BtnCikis, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
}

void TFormDocBr::listeyiAc()
{
    m_yukleniyor = true;
    const QList<DokumanSatiri> l = DokumanListesi(m_db, m_grup, m_anahtar, m_dokumanId);
    cxGrid->setRowCount(int(l.size()));
    for (int r = 0; r < l.size(); ++r) {
        const DokumanSatiri& d = l[r];
        const QStringList metin{QString::number(d.ROW_ID), DokumanGrupAdi(d.DOC_GRP), d.DOC_NAME, d.DOC_DESC,
                                DisplayText(d.DOC_DATE), d.DOC_USER};
        for (int c = 0; c < KolSayisi; ++c) {
            auto* i = new QTableWidgetItem(metin[c]);
            if (c != KolTanim)
                i->setFlags(i->flags() & ~Qt::ItemIsEditable);
            i->setData(Qt::UserRole, d.ROW_ID);
            cxGrid->setItem(r, c, i);
        }
    }
    cxGrid->resizeColumnsToContents();
    cxGrid->horizontalHeader()->setSectionResizeMode(KolTanim, QHeaderView::Stretch);
    if (!l.isEmpty())
        cxGrid->setCurrentCell(0, KolAd);
    m_yukleniyor = false;
}

qint64 TFormDocBr::seciliRowId() const
{
    const int r = cxGrid->currentRow();
    return r < 0 || !cxGrid->item(r, KolKayitNo) ? 0 : cxGrid->item(r, KolKayitNo)->data(Qt::UserRole).toLongLong();
}

void TFormDocBr::tanimDegisti(int row, int column)
{
    if (m_yukleniyor || column != KolTanim)
        return;
    const qint64 id = cxGrid->item(row, KolKayitNo)->data(Qt::UserRole).toLongLong();
    const QString tanim = cxGrid->item(row, KolTanim)->text().trimmed();
    // The description is required: an emptied one goes back to the file's name.
    DokumanTanimiYaz(m_db, id, tanim.isEmpty() ? cxGrid->item(row, KolAd)->text() : tanim);
    if (tanim.isEmpty())
        listeyiAc();
}

void TFormDocBr::dosyaEkle(const QString& yol)
{
    if (yol.isEmpty())
        return;
    DokumanDosyasiEkle(m_ctx, m_db, m_grup, m_anahtar, yol);
    listeyiAc();
    cxGrid->setCurrentCell(cxGrid->rowCount() - 1, KolAd);
}

void TFormDocBr::BtnDokumanEkleClick()
{
    const QString filtre = m_grup == 102
                               ? S("XML (*.xml);;PDF (*.pdf);;Excel (*.xls*);;Word (*.doc*);;Tümü (*.*)")
                               : S("PDF (*.pdf);;Excel (*.xls*);;Word (*.doc*);;XML (*.xml);;Tümü (*.*)");
    dosyaEkle(Messages().askOpenFile(S("Döküman Ekle"), filtre));
}

void TFormDocBr::BtnResimEkleClick()
{
    dosyaEkle(Messages().askOpenFile(
        S("Resim Ekle"), S("Resimler (*.jpg *.jpeg *.png *.bmp *.gif *.tif *.tiff);;Tümü (*.*)")));
}

void TFormDocBr::BtnAcClick()
{
    const int r = cxGrid->currentRow();
    if (r < 0 || cxGrid->item(r, KolAd)->text().isEmpty())
        return;
    const QString yol = DokumanDosyayaYaz(m_db, seciliRowId(), cxGrid->item(r, KolAd)->text(), QDir::tempPath());
    QDesktopServices::openUrl(QUrl::fromLocalFile(yol));
}

void TFormDocBr::BtnFarkliKaydetClick()
{
    const int r = cxGrid->currentRow();
    if (r < 0)
        return;
    const QString ad = cxGrid->item(r, KolAd)->text();
    const QString yol = Messages().askSaveFile(S("Farklı Kaydet"), S("Tümü (*.*)"), ad, QFileInfo(ad).suffix());
    if (yol.isEmpty())
        return;
    SaveFileData(yol, DokumanOku(m_db, seciliRowId()));
}

void TFormDocBr::BtnSilClick()
{
    const qint64 id = seciliRowId();
    if (id <= 0 || !AskYesNo(S("Kayıt silinsin mi?"), MsgNo))
        return;
    DokumanSil(m_db, id);
    listeyiAc();
}

bool TFormDocBr::duzenleniyor() const
{
    return static_cast<const DocGrid*>(cxGrid)->duzenleniyor();
}

void TFormDocBr::reject()
{
    if (duzenleniyor()) {
        ShowWarning(S("Kaydı saklayın yada iptal edin!"));
        return;
    }
    QDialog::reject();
}

void TFormDocBr::closeEvent(QCloseEvent* e)
{
    if (duzenleniyor()) {
        ShowWarning(S("Kaydı saklayın yada iptal edin!"));
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void DokumanlarAc(const SessionContext& ctx, int grup, const QVariant& anahtar, int dokumanId, QWidget* parent)
{
    if (grup > 0 && grup < 111 && (anahtar.isNull() || anahtar.toString().trimmed().isEmpty()) && dokumanId == 0)
        return;
    if (dokumanId > 0) {
        // One document asked for by its number: opened at once, without the list.
        const QList<DokumanSatiri> l = DokumanListesi(ctx.Database1, grup, anahtar, dokumanId);
        if (!l.isEmpty() && !l.first().DOC_NAME.isEmpty())
            QDesktopServices::openUrl(QUrl::fromLocalFile(
                DokumanDosyayaYaz(ctx.Database1, l.first().ROW_ID, l.first().DOC_NAME, QDir::tempPath())));
        return;
    }
    TFormDocBr f(ctx, grup, anahtar, dokumanId, parent);
    f.exec();
}

} // namespace tornaly::accounts
