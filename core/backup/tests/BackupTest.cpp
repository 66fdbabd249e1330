#include "backup/DatabaseBackup.h"
#include "backup/UBackup.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "sql/SqlHelpers.h"
#include "testsupport/TestSupport.h"
#include "util/ZipReader.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>

namespace tornaly {
namespace {

class BackupTest : public test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        qputenv("TORNALY_CONFIG_DIR", config.path().toUtf8());
        db.exec(QStringLiteral("INSERT INTO FIRKIM (EADI, ILI) VALUES (:A, :I)"),
                {{QStringLiteral("A"), QStringLiteral("ŞİŞLİ OTOMOTİV")}, {QStringLiteral("I"), QStringLiteral("İSTANBUL")}});
    }
    void TearDown() override
    {
        for (const ConnectionProfile& p : restored) {
            Db::close(QStringLiteral("restored"));
            try {
                DropDatabase(p);
            } catch (...) {
            }
        }
        DbTest::TearDown();
    }
    ConnectionProfile restoreTarget()
    {
        restored << test::FreshProfile(dir.path());
        return restored.last();
    }
    QString readFile(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    QTemporaryDir dir;
    QTemporaryDir config;
    QList<ConnectionProfile> restored;
};

TEST_F(BackupTest, BackupIsReadBackIntoAFreshDatabase)
{
    BackupOptions o;
    o.folder = dir.filePath(QStringLiteral("yedek"));
    QDir().mkpath(o.folder);
    o.today = QDate(2026, 12, 31);
    o.zip = true;
    o.zipFolder = dir.filePath(QStringLiteral("yedek"));
    EXPECT_EQ(SonYedekTarihi(db), QStringLiteral("Yedek Alınmamış"));
    const BackupResult r = BackupDatabase(db, o);
    EXPECT_TRUE(SonYedekTarihi(db).startsWith(DisplayText(QDateTime::currentDateTime()).left(8)))
        << "the start-up tells when the database was last backed up: " << SonYedekTarihi(db).toStdString();

    const QString name = BackupDatabaseName(db.profile());
    EXPECT_EQ(r.file, o.folder + QStringLiteral("/") + name + QStringLiteral("_20261231.bak"));
    EXPECT_TRUE(QFile::exists(r.file));
    EXPECT_EQ(QDir(o.folder).entryList({QStringLiteral("*.part")}, QDir::Files).size(), 0);
    // The archive holds the backup itself.
    ZipReader zip(r.archive);
    ASSERT_TRUE(zip.isOpen());
    QFile bak(r.file);
    ASSERT_TRUE(bak.open(QIODevice::ReadOnly));
    bool ok = false;
    EXPECT_EQ(zip.read(QFileInfo(r.file).fileName(), &ok), bak.readAll());
    EXPECT_TRUE(ok);

    // Rows written after the backup are not in it.
    db.exec(QStringLiteral("DELETE FROM FIRKIM"));
    const ConnectionProfile target = restoreTarget();
    RestoreBackup(r.file, target);
    {
        Db back = Db::open(target, QStringLiteral("restored"));
        Query q(back, QStringLiteral("SELECT EADI, ILI FROM FIRKIM"));
        q.exec();
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.str(QStringLiteral("EADI")), QStringLiteral("ŞİŞLİ OTOMOTİV"));
        EXPECT_EQ(q.str(QStringLiteral("ILI")), QStringLiteral("İSTANBUL"));
        EXPECT_FALSE(q.next());
        EXPECT_GT(SchemaVersion(back, QStringLiteral("core")), 0);
    }
    Db::close(QStringLiteral("restored"));
}

TEST_F(BackupTest, ExistingBackupIsKeptUnlessOverwriteIsTicked)
{
    BackupOptions o;
    o.folder = dir.path();
    o.dateSuffix = false;
    const QString file = BackupFileName(o.folder, BackupDatabaseName(db.profile()), o);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("eski yedek");
    f.close();

    o.overwrite = false;
    try {
        BackupDatabase(db, o);
        FAIL() << "an existing file was overwritten";
    } catch (const BackupError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("zaten var"))) << e.text().toStdString();
    }
    EXPECT_EQ(readFile(file), QStringLiteral("eski yedek"));

    o.overwrite = true;
    EXPECT_EQ(BackupDatabase(db, o).file, file);
    EXPECT_NE(readFile(file), QStringLiteral("eski yedek"));
}

TEST_F(BackupTest, BadFoldersAndFilesAreRefusedWithNothingLeftBehind)
{
    BackupOptions o;
    // Not writable even for the superuser.
    o.folder = QStringLiteral("/proc");
    try {
        BackupDatabase(db, o);
        FAIL() << "backup into a folder that cannot be written";
    } catch (const BackupError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("/proc klasörüne yazılamıyor. Yazma izniniz olan bir klasör seçiniz."));
    }

    // A text file, an empty file and a truncated backup are not backups.
    const QString text = dir.filePath(QStringLiteral("notlar.bak"));
    QFile t(text);
    ASSERT_TRUE(t.open(QIODevice::WriteOnly));
    t.write("kod;miktar\n");
    t.close();
    const QString empty = dir.filePath(QStringLiteral("bos.bak"));
    QFile(empty).open(QIODevice::WriteOnly);
    o.folder = dir.path();
    o.dateSuffix = false;
    const QString good = BackupDatabase(db, o).file;
    QFile full(good);
    ASSERT_TRUE(full.open(QIODevice::ReadOnly));
    const QByteArray bytes = full.readAll();
    full.close();
    const QString cut = dir.filePath(QStringLiteral("yarim.bak"));
    QFile c(cut);
    ASSERT_TRUE(c.open(QIODevice::WriteOnly));
    c.write(bytes.left(bytes.size() / 3));
    c.close();

    for (const QString& file : {text, empty, cut}) {
        const ConnectionProfile target = restoreTarget();
        try {
            RestoreBackup(file, target);
            FAIL() << "restored " << file.toStdString();
        } catch (const BackupError& e) {
            EXPECT_TRUE(e.text().contains(QStringLiteral("yedek"))) << e.text().toStdString();
        }
        EXPECT_FALSE(DatabaseExists(target)) << file.toStdString();
    }

    // Never over an existing database.
    try {
        RestoreBackup(good, db.profile());
        FAIL() << "restored over the live database";
    } catch (const BackupError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("zaten var"))) << e.text().toStdString();
    }
}

TEST_F(BackupTest, CommandAsksForTheFolderAndReportsTheFile)
{
    BackupOptions o;
    EXPECT_FALSE(YedekAl(db, o, true));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Bir klasör Seçiniz!"));

    o.folder = dir.filePath(QStringLiteral("yeni/alt"));
    messages.answer(MsgNo);
    EXPECT_FALSE(YedekAl(db, o, true));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Belirtilen Klasör Bulunamadı!. Oluşturulmasını İster misiniz?"));
    EXPECT_FALSE(QDir(o.folder).exists());

    messages.clear();
    messages.answer(MsgYes);
    EXPECT_FALSE(YedekAl(db, o, false));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Yedeklenecek Veri Tabanı Seçmelisiniz!"));

    o.today = QDate(2026, 1, 2);
    const auto r = YedekAl(db, o, true);
    ASSERT_TRUE(r);
    const QString name = BackupDatabaseName(db.profile());
    EXPECT_EQ(r->file, o.folder + QStringLiteral("/") + name + QStringLiteral("_20260102.bak"));
    EXPECT_EQ(messages.lastText(), name + QStringLiteral(" Veritabanı\n") + QDir::toNativeSeparators(r->file)
                                       + QStringLiteral(" dosyasına yedeklendi."));
}

// pg_dump runs while the window handles its events; the backup file
// appears only once the dump is complete.
TEST_F(BackupTest, WindowKeepsHandlingEventsWhileTheServerIsDumped)
{
    if (db.backend() != Backend::PostgreSQL)
        GTEST_SKIP() << "SQLite is copied inside the program";
    BackupOptions o;
    o.folder = dir.path();
    o.dateSuffix = false;
    const QString file = BackupFileName(o.folder, BackupDatabaseName(db.profile()), o);
    bool handled = false;
    bool fileWasThere = true;
    QObject events;
    QMetaObject::invokeMethod(
        &events,
        [&] {
            handled = true;
            fileWasThere = QFile::exists(file);
        },
        Qt::QueuedConnection);
    EXPECT_EQ(BackupDatabase(db, o).file, file);
    EXPECT_TRUE(handled) << "the window froze for the whole dump";
    EXPECT_FALSE(fileWasThere) << "the file appeared before the dump was complete";
    EXPECT_TRUE(QFile::exists(file));
}

TEST_F(BackupTest, StoppedDumpLeavesNoFile)
{
    if (db.backend() != Backend::PostgreSQL)
        GTEST_SKIP() << "SQLite is copied inside the program";
    BackupOptions o;
    o.folder = dir.filePath(QStringLiteral("durdur"));
    QDir().mkpath(o.folder);
    QString label;
    QObject events;
    QMetaObject::invokeMethod(
        &events,
        [&] {
            // The clerk sees the wait dialog and stops the dump.
            auto* wait = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(wait, nullptr) << "no wait dialog while the server is dumped";
            label = wait->labelText();
            QPushButton* stop = wait->findChild<QPushButton*>();
            ASSERT_NE(stop, nullptr);
            EXPECT_EQ(stop->text(), QStringLiteral("Vazgeç"));
            stop->click();
        },
        Qt::QueuedConnection);
    EXPECT_FALSE(YedekAl(db, o, true));
    EXPECT_EQ(label, QStringLiteral("Veritabanı yedekleniyor, lütfen bekleyiniz..."));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Yedekleme durduruldu; yedek dosyası yazılmadı."));
    EXPECT_EQ(QDir(o.folder).entryList(QDir::Files | QDir::Hidden).size(), 0) << "a part of the dump was left behind";
    EXPECT_EQ(SonYedekTarihi(db), QStringLiteral("Yedek Alınmamış"));
}

TEST_F(BackupTest, FormKeepsItsChoicesAndIsReachableFromTheRegistry)
{
    {
        TFormBackup form(db);
        EXPECT_FALSE(form.DirectoryEdit2->isEnabled());
        form.cbZip->setChecked(true);
        EXPECT_TRUE(form.DirectoryEdit2->isEnabled());
        EXPECT_TRUE(form.cbzipover->isEnabled());
        form.DirectoryEdit1->setText(dir.path());
        form.cbTarih->setChecked(false);
        form.DirectoryEdit2->setText(dir.path());
        form.BtnYedekAlClick();
        EXPECT_TRUE(messages.lastText().endsWith(QStringLiteral(" dosyasına yedeklendi."))) << messages.lastText().toStdString();
        EXPECT_NE(form.Label5->text(), QStringLiteral("-"));
        EXPECT_TRUE(form.DirectoryEdit1->text().endsWith(QLatin1Char('/')));
    }
    TFormBackup again(db);
    EXPECT_TRUE(again.cbZip->isChecked());
    EXPECT_FALSE(again.cbTarih->isChecked());
    EXPECT_NE(again.Label5->text(), QStringLiteral("-"));

    Targets().clear();
    RegisterBackupEntryPoints();
    EXPECT_TRUE(Targets().isRegistered(QString::fromLatin1(entry::ShowBackupForm)));
    Targets().clear();
}

} // namespace
} // namespace tornaly
