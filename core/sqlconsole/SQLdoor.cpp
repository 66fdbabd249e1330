#include "sqlconsole/SQLdoor.h"
#include "util/Utf8.h"
#include "context/SessionContext.h"
#include "guard/FormGuard.h"
#include "guard/WaitCursor.h"
#include "messages/Messages.h"

#include <QCloseEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly {

namespace {
using text::S;

QString hucreMetni(const QVariant& v)
{
    if (v.isNull())
        return {};
    switch (v.typeId()) {
    case QMetaType::QDateTime: return v.toDateTime().toString(S("dd.MM.yyyy HH:mm:ss"));
    case QMetaType::QDate: return v.toDate().toString(S("dd.MM.yyyy"));
    case QMetaType::Double: return QLocale(QLocale::Turkish).toString(v.toDouble(), 'f', 2);
    default: break;
    }
    // The embedded database hands dates back as text.
    static const QRegularExpression zaman(S("^\\d{4}-\\d{2}-\\d{2}[ T]\\d{2}:\\d{2}:\\d{2}"));
    const QString t = v.toString();
    if (zaman.match(t).hasMatch()) {
        const QDateTime d = Query::toDateTime(t);
        if (d.isValid())
            return d.time() == QTime(0, 0) ? d.toString(S("dd.MM.yyyy")) : d.toString(S("dd.MM.yyyy HH:mm:ss"));
    }
    return t;
}
} // namespace

TFormSQL::TFormSQL(SessionContext& ctx, QWidget* parent) : QDialog(parent)
{
    setObjectName(S("FormSQL"));
    setWindowTitle(S("SQL Kapısı"));
    m_kapi = std::make_unique<TSqlKapisi>(ctx);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(S("Memo1"));
    Memo1->setPlaceholderText(S("SQL"));
    Memo1->setMaximumHeight(140);
    m_model = new QStandardItemModel(this);
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(S("DBGrid1"));
    DBGrid1->setModel(m_model);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LblDurum = new QLabel(this);
    LblDurum->setObjectName(S("LblDurum"));
    LblDurum->setWordWrap(true);

    const auto buton = [this](QPushButton*& b, const char* ad, const char* baslik) {
        b = new QPushButton(S(baslik), this);
        b->setObjectName(S(ad));
    };
    buton(BtnSorguAc, "BtnSorguAc", "Sorgu &Aç");
    buton(BtnSorguCalistir, "BtnSorguCalistir", "S&orgu Çalıştır");
    buton(BtnOnayla, "BtnOnayla", "İşlemi &Onayla");
    buton(BtnGeriAl, "BtnGeriAl", "İşlemi &Geri Al");
    buton(BtnYukle, "BtnYukle", "Sorgu &Yükle");
    buton(BtnSakla, "BtnSakla", "Sorgu &Sakla");
    buton(BtnRaporSakla, "BtnRaporSakla", "&Raporu Sakla");
    auto* butonlar = new QHBoxLayout;
    for (QPushButton* b : {BtnSorguAc, BtnSorguCalistir, BtnOnayla, BtnGeriAl})
        butonlar->addWidget(b);
    butonlar->addStretch();
    for (QPushButton* b : {BtnYukle, BtnSakla, BtnRaporSakla})
        butonlar->addWidget(b);

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(new QLabel(S("S&QL"), this));
    lay->addWidget(Memo1);
    lay->addLayout(butonlar);
    lay->addWidget(LblDurum);
    lay->addWidget(DBGrid1, 1);
    resize(900, 600);

    connect(BtnSorguAc, &QPushButton::clicked, this, Guarded(this, &TFormSQL::BtnSorguAcClick));
    connect(BtnSorguCalistir, &QPushButton::clicked, this, Guarded(this, &TFormSQL::BtnSorguCalistirClick));
    connect(BtnOnayla, &QPushButton::clicked, this, Guarded(this, &TFormSQL::BtnOnaylaClick));
    connect(BtnGeriAl, &QPushButton::clicked, this, Guarded(this, &TFormSQL::BtnGeriAlClick));
    connect(BtnYukle, &QPushButton::clicked, this, Guarded(this, &TFormSQL::BtnYukleClick));
    connect(BtnSakla, &QPushButton::clicked, this, Guarded(this, &TFormSQL::BtnSaklaClick));
    connect(BtnRaporSakla, &QPushButton::clicked, this, Guarded(this, &TFormSQL::BtnRaporSaklaClick));
    durumGoster(S("Sorgu Aç yalnızca okur. Sorgu Çalıştır değişiklikleri bir işlem içinde yapar; "
                  "İşlemi Onayla ile kalıcı olur, İşlemi Geri Al ile geri alınır."));
}

TFormSQL::~TFormSQL() = default;

void TFormSQL::durumGoster(const QString& metin)
{
    const bool acik = m_kapi && m_kapi->islemAcik();
    BtnOnayla->setEnabled(acik);
    BtnGeriAl->setEnabled(acik);
    LblDurum->setText(acik ? S("Açık işlem var: değişiklikler onaylanana kadar kalıcı değildir.\n") + metin : metin);
}

void TFormSQL::BtnSorguAcClick()
{
    Guard([&] {
        WaitCursor wait;
        const TSorguSonucu s = m_kapi->sorguAc(Memo1->toPlainText());
        m_model->clear();
        m_model->setHorizontalHeaderLabels(s.kolonlar);
        for (const QVariantList& satir : s.satirlar) {
            QList<QStandardItem*> hucreler;
            for (const QVariant& v : satir)
                hucreler << new QStandardItem(hucreMetni(v));
            m_model->appendRow(hucreler);
        }
        DBGrid1->resizeColumnsToContents();
        durumGoster(s.kesildi ? S("İlk %1 satır gösteriliyor.").arg(TSqlKapisi::kAzamiSatir)
                              : S("%1 satır").arg(s.satirlar.size()));
    });
}

void TFormSQL::BtnSorguCalistirClick()
{
    const bool ok = Guard([&] {
        WaitCursor wait;
        const int n = m_kapi->calistir(Memo1->toPlainText());
        durumGoster(S("%1 satır değişti.").arg(n));
    });
    if (!ok)
        durumGoster(S("Komut çalışmadı; önceki komutlar açık işlemde duruyor."));
}

void TFormSQL::BtnOnaylaClick()
{
    if (Guard([&] { WaitCursor wait; m_kapi->onayla(); }))
        durumGoster(S("Değişiklikler kaydedildi."));
}

void TFormSQL::BtnGeriAlClick()
{
    if (Guard([&] { WaitCursor wait; m_kapi->geriAl(); }))
        durumGoster(S("Değişiklikler geri alındı."));
}

void TFormSQL::BtnYukleClick()
{
    const QString dosya = Messages().askOpenFile(S("Sorgu Yükle"),
                                                 S("SQL Dosyası (*.sql);;Text Dosya (*.txt);;Tüm Dosyalar (*)"));
    if (dosya.isEmpty())
        return;
    QFile f(dosya);
    if (!f.open(QIODevice::ReadOnly)) {
        ShowError(S("Dosya okunamadı: %1").arg(dosya));
        return;
    }
    Memo1->setPlainText(QString::fromUtf8(f.readAll()));
}

void TFormSQL::BtnSaklaClick()
{
    QString dosya = Messages().askSaveFile(S("Sorgu Sakla"), S("SQL Dosyası (*.sql)"), S("sqlcumle.sql"));
    if (dosya.isEmpty())
        return;
    if (!dosya.contains(QLatin1Char('.')))
        dosya += S(".sql");
    QFile f(dosya);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(Memo1->toPlainText().toUtf8()) < 0) {
        ShowError(S("Dosya yazılamadı: %1").arg(dosya));
        return;
    }
}

void TFormSQL::BtnRaporSaklaClick()
{
    const std::optional<QString> ad = Messages().askText(S("SQL"), S("Dosya adı ?"), S("rapor001"));
    if (!ad)
        return;
    Guard([&] {
        WaitCursor wait;
        const QString hata = m_kapi->raporuSakla(*ad, Memo1->toPlainText());
        if (!hata.isEmpty())
            ShowError(hata);
        else
            durumGoster(S("%1 tablosu yazıldı.").arg(ad->trimmed().toUpper()));
    });
}

void TFormSQL::closeEvent(QCloseEvent* e)
{
    // An open transaction is rolled back first; the user is told afterwards.
    if (m_kapi && m_kapi->islemAcik()) {
        m_kapi->geriAl();
        ShowInfo(S("Onaylanmamış değişiklikler geri alındı."));
    }
    QDialog::closeEvent(e);
}

} // namespace tornaly
