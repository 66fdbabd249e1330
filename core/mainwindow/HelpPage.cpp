#include "mainwindow/HelpPage.h"
#include "messages/Messages.h"
#include "platform/Desktop.h"
#include "util/DateCode.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QSaveFile>
#include <QStandardPaths>

namespace tornaly {

namespace {
const char* kHelpHtml = R"HTML(<!DOCTYPE html>
<html lang="tr"><head><meta charset="utf-8">
<title>Tornaly Servis Yazılımı - Yardım</title>
<style>
body { font-family: "DejaVu Sans", Arial, sans-serif; margin: 0; color: #1d2b3a; background: #f4f6f9; }
header { background: #16324f; color: #fff; padding: 18px 32px; }
header h1 { margin: 0; font-weight: normal; font-size: 26px; }
main { max-width: 900px; margin: 24px auto; background: #fff; padding: 16px 32px 32px; border-radius: 4px; }
h2 { color: #1f4e74; border-bottom: 1px solid #d8dee6; padding-bottom: 4px; }
td, th { padding: 4px 10px; text-align: left; vertical-align: top; }
th { background: #e8edf3; }
kbd { background: #eef; border: 1px solid #bbc; border-radius: 3px; padding: 0 4px; }
</style></head><body>
<header><h1>Tornaly Servis Yazılımı &mdash; Yardım</h1></header>
<main>
<h2>Ana Pencere</h2>
<p>Program açıldığında kullanıcı haklarınıza göre ana pencere gelir. Modüllere dört yoldan ulaşılır:
kutucuklar (karolar), üst menü, alt sıradaki renkli düğmeler ve kısayol tuşları.</p>
<table>
<tr><th>Grup</th><th>Kutucuklar</th></tr>
<tr><td>Müşteri-Satış Yönetimi</td><td>Stok Kayıtları, Stok Fişleri, Cari Kayıtları, Alış İşlemleri, Satış İşlemleri</td></tr>
<tr><td>Servis Yönetimi</td><td>İşemirleri, İşemri Aç, İşemri Yedek Parça, İşemri Kapat, İşemri Fatura İşlemleri, Hasar, Araç Ruhsat, İşçilik Kodları, Bakım Paketleri</td></tr>
<tr><td>Ön Muhasebe</td><td>Cari Kayıtları, Cari Hareketleri, Banka Kayıtları, Banka Hareketleri, Kasa İşlemleri, Fiş Girişleri, Çek/Senet Kartı, Çek/Senet Bordroları, Döviz Kurları</td></tr>
<tr><td>Raporlar-Yönetim</td><td>Liste Ve Raporlar, Sistem Yönetimi</td></tr>
</table>
<p>Soluk görünen kutucuk ve menüler, bu kurulumda henüz yüklü olmayan modüllere aittir.
Yetkiniz olmayan bir modülü açmak istediğinizde <em>"Bu İşlemi Yapmaya Yetkiniz Yok!"</em> uyarısı gelir;
yetkileriniz için sistem yöneticinize başvurunuz.</p>
<h2>Oturum ve Firma Değiştirme</h2>
<p><b>Başlat &rsaquo; Oturum Kimliğini Değiştir</b> (<kbd>Ctrl</kbd>+<kbd>Alt</kbd>+<kbd>O</kbd>) ile programdan çıkmadan
başka bir firma ve çalışma yılı seçip yeniden giriş yapabilirsiniz. Firma seçiminden vazgeçerseniz
oturumunuz olduğu gibi kalır; onaylarsanız açık pencereler kapanır.</p>
<h2>Izgara Kolon Ayarları</h2>
<p><b>Başlat &rsaquo; Izgara Kolon Ayarlarını Sakla</b> işaretli olduğunda listelerde kolonların sırası ve
genişlikleri saklanır. Seçim bir sonraki açılışta da geçerlidir.</p>
<h2>Harici Programlar</h2>
<p><b>Muhasebe</b> düğmesi muhasebe programını (Kestrani) başlatır. Programların yerleri ayar dosyası
<code>Kalvesa.INI</code> içindeki <code>[PROGRAMLAR]</code> bölümünde tutulur; yazılmamışsa Tornaly'nin klasöründe ve
sistem yolunda aranır. Program zaten açıksa yeni bir kopyası başlatılır.</p>
<h2>Kısayollar</h2>
<table>
<tr><td><kbd>Alt</kbd>+<kbd>Z</kbd></td><td>Döviz Kurları</td></tr>
<tr><td><kbd>Alt</kbd>+<kbd>N</kbd></td><td>Alınan Sipariş</td></tr>
<tr><td><kbd>Alt</kbd>+<kbd>R</kbd></td><td>Randevu</td></tr>
<tr><td><kbd>Alt</kbd>+<kbd>P</kbd></td><td>PDI</td></tr>
<tr><td><kbd>Alt</kbd>+<kbd>U</kbd></td><td>Muhasebe</td></tr>
<tr><td><kbd>Alt</kbd>+<kbd>Y</kbd></td><td>Yardım</td></tr>
<tr><td><kbd>Alt</kbd>+<kbd>H</kbd></td><td>Hakkında</td></tr>
<tr><td><kbd>Alt</kbd>+<kbd>Ş</kbd></td><td>Çıkış</td></tr>
</table>
</main></body></html>
)HTML";
} // namespace

QString HelpPagePath()
{
    const QString installed =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("yardim/Tornaly.html"));
    if (QFileInfo::exists(installed))
        return installed;
    // The user's own runtime folder, not the shared temporary one: there
    // another user could have put a file (or a link) of that name first.
    QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    const QString folder = QDir(base).filePath(QStringLiteral("tornaly"));
    if (!QDir().mkpath(folder))
        return {};
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString path = QDir(folder).filePath(QStringLiteral("Yardim.html"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(kHelpHtml) < 0 || !file.commit())
        return {};
    return path;
}

void OpenHelpContents()
{
    const QString path = HelpPagePath();
    if (path.isEmpty()) {
        ShowWarning(QStringLiteral("Yardım sayfası açılamadı."));
        return;
    }
    if (HasDesktopBrowser()) {
        OpenDocument(path);
        return;
    }
    if (!FormYardim)
        FormYardim = new TFormYardim(path);
    FormYardim->show();
    FormYardim->raise();
    FormYardim->activateWindow();
}

QPointer<TFormYardim> FormYardim;

TFormYardim::TFormYardim(const QString& path, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormYardim"));
    setWindowTitle(QStringLiteral("Tornaly Servis Yazılımı - Yardım"));
    setAttribute(Qt::WA_DeleteOnClose);
    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->setOpenExternalLinks(false);
    Browser->setSource(QUrl::fromLocalFile(path));
    auto* geri = new QPushButton(QStringLiteral("Geri"), this);
    geri->setObjectName(QStringLiteral("BtnGeri"));
    auto* kapat = new QPushButton(QStringLiteral("Kapat"), this);
    kapat->setObjectName(QStringLiteral("BtnKapat"));
    connect(geri, &QPushButton::clicked, Browser, &QTextBrowser::backward); // unguarded: ui only
    connect(Browser, &QTextBrowser::backwardAvailable, geri, &QPushButton::setEnabled); // unguarded: ui only
    geri->setEnabled(false);
    connect(kapat, &QPushButton::clicked, this, &QDialog::close); // unguarded: ui only
    auto* butonlar = new QHBoxLayout;
    butonlar->addWidget(geri);
    butonlar->addStretch();
    butonlar->addWidget(kapat);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(Browser, 1);
    lay->addLayout(butonlar);
    resize(900, 680);
}

} // namespace tornaly
