#include "backup/UBackup.h"
#include "guard/FormGuard.h"
#include "context/SessionContext.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "messages/Messages.h"
#include "settings/Settings.h"
#include "util/Programs.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tornaly {

namespace {

const QString kIni = QStringLiteral("bakim");
const QString kSection = QStringLiteral("backup");

QString folderText(const QString& folder)
{
    QString f = folder.trimmed();
    if (!f.isEmpty() && !f.endsWith(QLatin1Char('/')) && !f.endsWith(QDir::separator()))
        f += QLatin1Char('/');
    return f;
}

QLineEdit* folderEdit(QWidget* parent, const QString& name, QHBoxLayout*& row)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    auto* pick = new QToolButton(parent);
    pick->setText(QStringLiteral("..."));
    pick->setObjectName(name + QStringLiteral("Btn"));
    QObject::connect(pick, &QToolButton::clicked, edit, Guarded([edit] {
        const QString dir = QFileDialog::getExistingDirectory(edit, QString(), edit->text());
        if (!dir.isEmpty())
            edit->setText(folderText(QDir::toNativeSeparators(dir)));
    }));
    row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(pick);
    return edit;
}

// Waits for pg_dump behind a modal dialog whose "Vazgeç" stops it; the
// window keeps painting meanwhile.
bool waitWithDialog(QProcess& dump, QWidget* parent)
{
    QProgressDialog wait(QStringLiteral("Veritabanı yedekleniyor, lütfen bekleyiniz..."), QStringLiteral("Vazgeç"), 0, 0,
                         parent);
    wait.setObjectName(QStringLiteral("YedekBekleme"));
    wait.setWindowTitle(QStringLiteral("Yedek"));
    wait.setWindowModality(Qt::ApplicationModal);
    wait.setMinimumDuration(0);
    bool stopped = false;
    QObject::connect(&wait, &QProgressDialog::canceled, &dump, Guarded([&] {
        stopped = true;
        dump.kill();
    }));
    wait.show();
    WaitForProgramEnd(dump, QEventLoop::AllEvents);
    return !stopped;
}

} // namespace

std::optional<BackupResult> YedekAl(const Db& db, BackupOptions o, bool bayiServis, QWidget* parent)
{
    if (o.folder.trimmed().isEmpty()) {
        ShowWarning(QStringLiteral("Bir klasör Seçiniz!"));
        return std::nullopt;
    }
    if (!QDir(o.folder.trimmed()).exists()) {
        if (Messages().show(MsgIcon::Error,
                            QStringLiteral("Belirtilen Klasör Bulunamadı!. Oluşturulmasını İster misiniz?"),
                            MsgYes | MsgNo, MsgYes, QString())
            != MsgYes)
            return std::nullopt;
        if (!QDir().mkpath(o.folder.trimmed())) {
            ShowError(QStringLiteral("Klasör Oluşturulamadı!."));
            return std::nullopt;
        }
    }
    if (!bayiServis) {
        ShowWarning(QStringLiteral("Yedeklenecek Veri Tabanı Seçmelisiniz!"));
        return std::nullopt;
    }
    o.folder = folderText(o.folder);
    if (o.zip)
        o.zipFolder = folderText(o.zipFolder);
    try {
        const BackupResult r = BackupDatabase(db, o, [parent](QProcess& dump) { return waitWithDialog(dump, parent); });
        ShowInfo(BackupDatabaseName(db.profile()) + QStringLiteral(" Veritabanı") + QLatin1Char('\n')
                 + QDir::toNativeSeparators(r.file) + QStringLiteral(" dosyasına yedeklendi."));
        return r;
    } catch (const BackupError& e) {
        ShowError(e.text());
    }
    return std::nullopt;
}

TFormBackup::TFormBackup(const Db& db, QWidget* parent) : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("FormBackup"));
    setWindowTitle(QStringLiteral("Yedek"));
    auto* root = new QVBoxLayout(this);

    auto* warning = new QLabel(
        QStringLiteral("Dikkat : Yedekleme İşlemini Ana Bilgisayardan Yapmalısınız ve Diğer Kullanıcıların Kalvesa "
                       "ve Muhasebe Programlarını Kullanmadığından emin olunuz.!\nMuhasebe veritabanın doğru "
                       "olduğundan emin olmak için, Firma Tanımları ekranındaki 'Alias adı' kısmı ile Kalvesa Bakım "
                       "Destek te Muhasebe Parametreleri kısmındaki  Muhasebe 'Alias Adı'  aynı olup olmadığını  "
                       "kontrol edin. "),
        this);
    warning->setWordWrap(true);
    warning->setStyleSheet(QStringLiteral("color: #a01010;"));
    root->addWidget(warning);

    auto* group = new QGroupBox(QStringLiteral("Yedek Alınacak &Veritabanlarını İşaetleyiniz"), this);
    auto* gl = new QVBoxLayout(group);
    CheckBox1 = new QCheckBox(QStringLiteral("Bayi/Servis"), group);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setChecked(true);
    gl->addWidget(CheckBox1);
    root->addWidget(group);

    auto* l1 = new QLabel(QStringLiteral("Yedeklerin Alınacağı &Klasörü Seçiniz"), this);
    root->addWidget(l1);
    QHBoxLayout* row = nullptr;
    DirectoryEdit1 = folderEdit(this, QStringLiteral("DirectoryEdit1"), row);
    l1->setBuddy(DirectoryEdit1);
    root->addLayout(row);

    auto* last = new QHBoxLayout;
    last->addWidget(new QLabel(QStringLiteral("En Son Yedekleme:"), this));
    Label5 = new QLabel(QStringLiteral("-"), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    last->addWidget(Label5, 1);
    root->addLayout(last);

    CheckBox3 = new QCheckBox(QStringLiteral("Dosya var ise Üzerine yaz"), this);
    CheckBox3->setObjectName(QStringLiteral("CheckBox3"));
    CheckBox3->setChecked(true);
    root->addWidget(CheckBox3);
    cbTarih = new QCheckBox(QStringLiteral("Dosya Sonuna Tarih Ekle"), this);
    cbTarih->setObjectName(QStringLiteral("cbTarih"));
    cbTarih->setChecked(true);
    root->addWidget(cbTarih);

    // The archive is written by the program itself; no outside zip program is needed.
    cbZip = new QCheckBox(QStringLiteral("&Zip Dosyası oluştur"), this);
    cbZip->setObjectName(QStringLiteral("cbZip"));
    root->addWidget(cbZip);
    auto* l2 = new QLabel(QStringLiteral("Zip Dosyasının yer alacağı K&lasörü seçiniz"), this);
    root->addWidget(l2);
    DirectoryEdit2 = folderEdit(this, QStringLiteral("DirectoryEdit2"), row);
    l2->setBuddy(DirectoryEdit2);
    root->addLayout(row);
    cbziptrh = new QCheckBox(QStringLiteral("Zip Dosyası Sonuna Tarih Ekle"), this);
    cbziptrh->setObjectName(QStringLiteral("cbziptrh"));
    cbziptrh->setChecked(true);
    root->addWidget(cbziptrh);
    cbzipover = new QCheckBox(QStringLiteral("Zip Dosyası var ise Üzerine yaz"), this);
    cbzipover->setObjectName(QStringLiteral("cbzipover"));
    cbzipover->setChecked(true);
    root->addWidget(cbzipover);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    BtnYedekAl = new QPushButton(QStringLiteral("Ye&dek Al"), this);
    BtnYedekAl->setObjectName(QStringLiteral("BtnYedekAl"));
    BtnYedekAl->setDefault(true);
    buttons->addWidget(BtnYedekAl);
    auto* close = new QPushButton(QStringLiteral("&Kapat"), this);
    close->setObjectName(QStringLiteral("BtnKapat"));
    buttons->addWidget(close);
    root->addLayout(buttons);

    connect(BtnYedekAl, &QPushButton::clicked, this, Guarded(this, &TFormBackup::BtnYedekAlClick));
    connect(close, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    connect(cbZip, &QCheckBox::toggled, this, Guarded(this, &TFormBackup::cbZipClick));

    restoreSettings();
    cbZipClick();
    resize(560, sizeHint().height());
}

TFormBackup::~TFormBackup()
{
    saveSettings();
}

BackupOptions TFormBackup::options() const
{
    BackupOptions o;
    o.folder = DirectoryEdit1->text();
    o.overwrite = CheckBox3->isChecked();
    o.dateSuffix = cbTarih->isChecked();
    o.zip = cbZip->isChecked();
    o.zipFolder = DirectoryEdit2->text();
    o.zipDateSuffix = cbziptrh->isChecked();
    o.zipOverwrite = cbzipover->isChecked();
    return o;
}

void TFormBackup::BtnYedekAlClick()
{
    const BackupOptions o = options();
    const auto result = YedekAl(m_db, o, CheckBox1->isChecked(), this);
    if (o.folder.trimmed().isEmpty()) {
        DirectoryEdit1->setFocus();
        return;
    }
    DirectoryEdit1->setText(folderText(o.folder));
    if (result)
        Label5->setText(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
}

void TFormBackup::cbZipClick()
{
    const bool on = cbZip->isChecked();
    DirectoryEdit2->setEnabled(on);
    if (auto* pick = findChild<QToolButton*>(QStringLiteral("DirectoryEdit2Btn")))
        pick->setEnabled(on);
    cbziptrh->setEnabled(on);
    cbzipover->setEnabled(on);
}

void TFormBackup::restoreSettings()
{
    const auto flag = [](QCheckBox* box) {
        const QString v = ReadSetting(kIni, kSection, box->objectName());
        if (!v.isEmpty())
            box->setChecked(v == QLatin1String("1"));
    };
    for (QCheckBox* b : {CheckBox1, CheckBox3, cbTarih, cbZip, cbziptrh, cbzipover})
        flag(b);
    DirectoryEdit1->setText(ReadSetting(kIni, kSection, DirectoryEdit1->objectName()));
    DirectoryEdit2->setText(ReadSetting(kIni, kSection, DirectoryEdit2->objectName()));
    const QString last = ReadSetting(kIni, kSection, Label5->objectName());
    if (!last.isEmpty())
        Label5->setText(last);
}

void TFormBackup::saveSettings() const
{
    for (QCheckBox* b : {CheckBox1, CheckBox3, cbTarih, cbZip, cbziptrh, cbzipover})
        WriteSetting(kIni, kSection, b->objectName(), b->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    WriteSetting(kIni, kSection, DirectoryEdit1->objectName(), DirectoryEdit1->text());
    WriteSetting(kIni, kSection, DirectoryEdit2->objectName(), DirectoryEdit2->text());
    WriteSetting(kIni, kSection, Label5->objectName(), Label5->text());
}

void ShowBackupForm(const Db& db, QWidget* owner)
{
    TFormBackup form(db, owner);
    form.exec();
}

void RegisterBackupEntryPoints()
{
    RegisterRoutine(QString::fromLatin1(entry::ShowBackupForm),
                    [](const OpenRequest& r) { ShowBackupForm(r.ctx->Database1, r.owner); });
}

} // namespace tornaly
