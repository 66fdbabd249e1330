#include "backup/DatabaseBackup.h"
#include "db/Schema.h"
#include "sql/SqlHelpers.h"
#include "util/DateCode.h"
#include "util/Programs.h"
#include "util/ZipReader.h"

#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlDriver>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUuid>

#include <cstdio>
#include <minizip/zip.h>
#include <sqlite3.h>

namespace tornaly {

namespace {

const QByteArray kSqliteMagic("SQLite format 3", 16); // with its closing NUL
const QByteArray kPgDumpMagic("PGDMP");
const QString kSurumTablosu = QStringLiteral("SCHEMA_SURUM");

QString withSeparator(const QString& folder)
{
    QString f = QDir::fromNativeSeparators(folder.trimmed());
    if (!f.endsWith(QLatin1Char('/')))
        f += QLatin1Char('/');
    return f;
}

QString notWritable(const QString& folder)
{
    return QStringLiteral("%1 klasörüne yazılamıyor. Yazma izniniz olan bir klasör seçiniz.")
        .arg(QDir::toNativeSeparators(folder));
}

// A file name beside `target` that no one else uses, for writing before the rename.
QString partFile(const QString& target)
{
    return target + QStringLiteral(".") + QUuid::createUuid().toString(QUuid::Id128).left(8)
           + QStringLiteral(".part");
}

// Moves the finished file into place; POSIX rename replaces an existing file
// atomically, so an old backup is never removed before the new one exists.
void moveIntoPlace(const QString& part, const QString& target)
{
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(target).constData()) != 0) {
        QFile::remove(part);
        throw BackupError(QStringLiteral("%1 dosyası yazılamadı.").arg(QDir::toNativeSeparators(target)));
    }
}

void checkFolder(const QString& folder)
{
    const QFileInfo fi(folder);
    if (!fi.isDir())
        throw BackupError(QStringLiteral("Belirtilen Klasör Bulunamadı!."));
    // isWritable() follows the permission bits only; a real file tells the truth
    // (read-only mounts, ACLs).
    QTemporaryFile probe(withSeparator(folder) + QStringLiteral(".tornaly-XXXXXX"));
    if (!fi.isWritable() || !probe.open())
        throw BackupError(notWritable(folder));
}

sqlite3* sqliteHandle(const Db& db)
{
    const QVariant v = db.sql().driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(v.constData());
}

QString sqliteText(sqlite3* h)
{
    return h ? QString::fromUtf8(sqlite3_errmsg(h)) : QString();
}

// Copies every page of `src` into a new file `path` (the online backup API:
// the copy is consistent even while other connections write).
void sqliteCopy(sqlite3* src, const QString& path)
{
    sqlite3* dst = nullptr;
    const QByteArray name = QFile::encodeName(path);
    if (sqlite3_open_v2(name.constData(), &dst, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        sqlite3_close(dst);
        throw BackupError(QStringLiteral("%1 dosyası oluşturulamadı.").arg(QDir::toNativeSeparators(path)));
    }
    sqlite3_backup* b = sqlite3_backup_init(dst, "main", src, "main");
    int rc = SQLITE_ERROR;
    QString error;
    if (b) {
        do {
            rc = sqlite3_backup_step(b, -1);
            if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
                sqlite3_sleep(50);
        } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
        sqlite3_backup_finish(b);
    }
    if (rc != SQLITE_DONE)
        error = sqliteText(dst);
    else if (sqlite3_exec(dst, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr) != SQLITE_OK)
        error = sqliteText(dst);
    sqlite3_close(dst);
    if (rc != SQLITE_DONE || !error.isEmpty()) {
        QFile::remove(path);
        throw BackupError(QStringLiteral("Yedekleme yapılamadı: %1").arg(error));
    }
}

QString findTool(const QString& name)
{
    const QString path = QStandardPaths::findExecutable(name);
    if (path.isEmpty())
        throw BackupError(QStringLiteral("%1 programı bulunamadı. Debian'ın \"postgresql-client\" paketini kurunuz.")
                              .arg(name));
    return path;
}

// The server's login for pg_dump/pg_restore: the password travels in the
// environment, never on the command line where other users could read it.
QProcessEnvironment pgEnvironment(const ConnectionProfile& p)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!p.password.isEmpty())
        env.insert(QStringLiteral("PGPASSWORD"), p.password);
    env.insert(QStringLiteral("PGCONNECT_TIMEOUT"), QStringLiteral("10"));
    env.insert(QStringLiteral("PGCLIENTENCODING"), QStringLiteral("UTF8"));
    return env;
}

QStringList pgConnectionArgs(const ConnectionProfile& p)
{
    QStringList args{QStringLiteral("--no-password")};
    if (!p.host.isEmpty())
        args << QStringLiteral("--host=") + p.host;
    args << QStringLiteral("--port=%1").arg(p.port);
    if (!p.user.isEmpty())
        args << QStringLiteral("--username=") + p.user;
    return args;
}

struct ToolRun {
    bool ok = false;
    bool stopped = false; // the user stopped it
    QString output;
};

// Runs the tool to its end while the window keeps painting: the caller's
// `wait`, else an event loop that holds back what the user types.
ToolRun runTool(const QString& tool, const QStringList& args, const ConnectionProfile& p,
                const ProgramWait& wait = {})
{
    QProcess proc;
    proc.setProcessEnvironment(pgEnvironment(p));
    proc.setProcessChannelMode(QProcess::MergedChannels);
    proc.start(findTool(tool), args);
    ToolRun r;
    if (!proc.waitForStarted()) {
        r.output = proc.errorString();
        return r;
    }
    if (wait)
        r.stopped = !wait(proc);
    else
        WaitForProgramEnd(proc, QEventLoop::ExcludeUserInputEvents);
    // A wait that returns early leaves nothing running behind it.
    if (proc.state() != QProcess::NotRunning) {
        proc.kill();
        WaitForProgramEnd(proc, QEventLoop::ExcludeUserInputEvents);
    }
    r.output = QString::fromUtf8(proc.readAll()).trimmed();
    r.ok = !r.stopped && proc.exitStatus() == QProcess::NormalExit && proc.exitCode() == 0;
    return r;
}


QByteArray fileStart(const QString& path, int n)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.read(n);
}

QString notABackup(const QString& file)
{
    return QStringLiteral("%1 bir yedek dosyası değil; geri yüklenmedi.").arg(QDir::toNativeSeparators(file));
}

void restoreSqlite(const QString& file, const ConnectionProfile& target)
{
    if (!fileStart(file, 16).startsWith(kSqliteMagic))
        throw BackupError(notABackup(file));
    sqlite3* src = nullptr;
    const QByteArray name = QFile::encodeName(file);
    if (sqlite3_open_v2(name.constData(), &src, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(src);
        throw BackupError(notABackup(file));
    }
    // A database of this program carries its schema versions; any other
    // SQLite file (or a damaged one) is not restored.
    sqlite3_stmt* st = nullptr;
    bool ours = sqlite3_prepare_v2(src, "SELECT COUNT(*) FROM SCHEMA_SURUM", -1, &st, nullptr) == SQLITE_OK
                && sqlite3_step(st) == SQLITE_ROW && sqlite3_column_int(st, 0) > 0;
    sqlite3_finalize(st);
    if (ours) {
        st = nullptr;
        ours = sqlite3_prepare_v2(src, "PRAGMA quick_check", -1, &st, nullptr) == SQLITE_OK
               && sqlite3_step(st) == SQLITE_ROW
               && qstrcmp(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), "ok") == 0;
        sqlite3_finalize(st);
    }
    if (!ours) {
        sqlite3_close(src);
        throw BackupError(notABackup(file));
    }
    const QString part = partFile(target.filePath);
    try {
        sqliteCopy(src, part);
    } catch (...) {
        sqlite3_close(src);
        throw;
    }
    sqlite3_close(src);
    // Another restore may have made the target meanwhile: never replace it.
    if (QFile::exists(target.filePath)) {
        QFile::remove(part);
        throw BackupError(QStringLiteral("%1 zaten var; yedek üzerine yüklenmedi.").arg(target.describe()));
    }
    moveIntoPlace(part, target.filePath);
}

void restorePostgres(const QString& file, const ConnectionProfile& target)
{
    if (!fileStart(file, 5).startsWith(kPgDumpMagic))
        throw BackupError(notABackup(file));
    const ToolRun list = runTool(QStringLiteral("pg_restore"), {QStringLiteral("--list"), file}, target);
    if (!list.ok || !list.output.contains(kSurumTablosu, Qt::CaseInsensitive))
        throw BackupError(notABackup(file));
    try {
        CreateEmptyDatabase(target);
    } catch (const DbError& e) {
        throw BackupError(QStringLiteral("Geri yükleme için veritabanı oluşturulamadı: %1").arg(e.text()));
    }
    QStringList args = pgConnectionArgs(target);
    args << QStringLiteral("--dbname=") + target.database << QStringLiteral("--no-owner")
         << QStringLiteral("--no-privileges") << QStringLiteral("--exit-on-error")
         << QStringLiteral("--single-transaction") << file;
    const ToolRun r = runTool(QStringLiteral("pg_restore"), args, target);
    if (!r.ok) {
        try {
            DropDatabase(target);
        } catch (...) {
        }
        throw BackupError(QStringLiteral("Yedek geri yüklenemedi: %1").arg(r.output));
    }
}

void backupPostgres(const Db& db, const QString& part, const ProgramWait& wait)
{
    const ConnectionProfile& p = db.profile();
    QStringList args = pgConnectionArgs(p);
    args << QStringLiteral("--format=custom") << QStringLiteral("--file=") + part
         << QStringLiteral("--dbname=") + p.database;
    const ToolRun r = runTool(QStringLiteral("pg_dump"), args, p, wait);
    if (!r.ok) {
        QFile::remove(part);
        if (r.stopped)
            throw BackupError(QStringLiteral("Yedekleme durduruldu; yedek dosyası yazılmadı."));
        throw BackupError(QStringLiteral("Yedekleme yapılamadı: %1").arg(r.output));
    }
}

} // namespace

QString BackupDatabaseName(const ConnectionProfile& profile)
{
    if (profile.backend == Backend::SQLite)
        return QFileInfo(profile.filePath).completeBaseName();
    return profile.database;
}

QString BackupFileName(const QString& folder, const QString& databaseName, const BackupOptions& o)
{
    QString name = withSeparator(folder) + databaseName;
    if (o.dateSuffix)
        name += QLatin1Char('_') + DateToYmdText(o.today);
    return name + QStringLiteral(".bak");
}

QString BackupArchiveName(const QString& folder, const QString& databaseName, const BackupOptions& o)
{
    QString name = withSeparator(folder) + databaseName;
    if (o.zipDateSuffix)
        name += QLatin1Char('_') + DateToYmdText(o.today);
    return name + QStringLiteral(".zip");
}

namespace {

const QString kBackupHistory = QStringLiteral("YEDEK_GECMISI");

// The backup is in place whatever happens here: a database that cannot take
// the note only misses it at the next start-up.
void recordBackup(const Db& db, const QString& file)
{
    try {
        if (db.dialect().tableExists(db, kBackupHistory))
            db.exec(QStringLiteral("INSERT INTO YEDEK_GECMISI (YEDEK_TRH, DOSYA) VALUES (:T, :D)"),
                    {{QStringLiteral("T"), QDateTime::currentDateTime()},
                     {QStringLiteral("D"), QDir::toNativeSeparators(file).right(255)}});
    } catch (const DbError&) {
    }
}

} // namespace

QString SonYedekTarihi(const Db& db)
{
    QDateTime last;
    if (db.dialect().tableExists(db, kBackupHistory)) {
        Query q(db, QStringLiteral("SELECT MAX(YEDEK_TRH) FROM YEDEK_GECMISI"));
        q.exec();
        if (q.next())
            last = Query::toDateTime(q.value(0));
    }
    return last.isValid() ? DisplayText(last) : QStringLiteral("Yedek Alınmamış");
}

BackupResult BackupDatabase(const Db& db, const BackupOptions& o, const ProgramWait& wait)
{
    const QString dbName = BackupDatabaseName(db.profile());
    if (dbName.isEmpty())
        throw BackupError(QStringLiteral("Bayi veritabanı bulunamadı!"));
    checkFolder(o.folder);
    BackupResult result;
    result.file = BackupFileName(o.folder, dbName, o);
    if (!o.overwrite && QFile::exists(result.file))
        throw BackupError(QStringLiteral("%1 dosyası zaten var. \"Dosya var ise Üzerine yaz\" seçeneğini "
                                         "işaretleyiniz ya da başka bir klasör seçiniz.")
                              .arg(QDir::toNativeSeparators(result.file)));
    if (o.zip) {
        if (o.zipFolder.trimmed().isEmpty())
            throw BackupError(QStringLiteral("Zip dosyası için bir klasör seçiniz!"));
        checkFolder(o.zipFolder);
    }

    const QString part = partFile(result.file);
    if (db.backend() == Backend::SQLite) {
        sqlite3* h = sqliteHandle(db);
        if (!h)
            throw BackupError(QStringLiteral("Yedekleme yapılamadı: veritabanı bağlantısı açık değil."));
        sqliteCopy(h, part);
    } else {
        backupPostgres(db, part, wait);
    }
    moveIntoPlace(part, result.file);
    recordBackup(db, result.file);

    if (o.zip) {
        result.archive = BackupArchiveName(o.zipFolder, dbName, o);
        ZipFile(result.file, result.archive, o.zipOverwrite);
    }
    return result;
}

void RestoreBackup(const QString& backupFile, const ConnectionProfile& target)
{
    if (!QFileInfo(backupFile).isFile())
        throw BackupError(QStringLiteral("%1 dosyası bulunamadı.").arg(QDir::toNativeSeparators(backupFile)));
    bool exists = false;
    try {
        exists = DatabaseExists(target);
    } catch (const DbError& e) {
        throw BackupError(e.text());
    }
    if (exists)
        throw BackupError(QStringLiteral("%1 zaten var; yedek üzerine yüklenmedi.").arg(target.describe()));
    if (target.backend == Backend::SQLite)
        restoreSqlite(backupFile, target);
    else
        restorePostgres(backupFile, target);
}

void ZipFile(const QString& file, const QString& archive, bool replace)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        throw BackupError(QStringLiteral("%1 dosyası okunamadı.").arg(QDir::toNativeSeparators(file)));
    const QString member = QFileInfo(file).fileName();
    const bool add = !replace && QFile::exists(archive);
    if (add && ZipReader(archive).contains(member))
        throw BackupError(QStringLiteral("%1 zip dosyasında %2 zaten var.")
                              .arg(QDir::toNativeSeparators(archive), member));
    const QString part = partFile(archive);
    // Adding works on a copy, so a failure leaves the old archive as it was.
    if (add && !QFile::copy(archive, part))
        throw BackupError(notWritable(QFileInfo(archive).absolutePath()));

    const auto fail = [&](const QString& text) -> BackupError {
        QFile::remove(part);
        return BackupError(text);
    };
    const QByteArray partName = QFile::encodeName(part);
    zipFile z = zipOpen64(partName.constData(), add ? APPEND_STATUS_ADDINZIP : APPEND_STATUS_CREATE);
    if (!z)
        throw fail(add ? QStringLiteral("%1 bir zip dosyası değil.").arg(QDir::toNativeSeparators(archive))
                       : notWritable(QFileInfo(archive).absolutePath()));

    zip_fileinfo info{};
    const QDateTime mtime = QFileInfo(file).lastModified();
    info.tmz_date.tm_sec = uInt(mtime.time().second());
    info.tmz_date.tm_min = uInt(mtime.time().minute());
    info.tmz_date.tm_hour = uInt(mtime.time().hour());
    info.tmz_date.tm_mday = uInt(mtime.date().day());
    info.tmz_date.tm_mon = uInt(mtime.date().month() - 1);
    info.tmz_date.tm_year = uInt(mtime.date().year());
    const QByteArray memberName = member.toUtf8();
    bool ok = zipOpenNewFileInZip64(z, memberName.constData(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                    Z_DEFAULT_COMPRESSION, 1)
              == ZIP_OK;
    while (ok && !in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        ok = zipWriteInFileInZip(z, chunk.constData(), unsigned(chunk.size())) == ZIP_OK;
    }
    ok = zipCloseFileInZip(z) == ZIP_OK && ok;
    ok = zipClose(z, nullptr) == ZIP_OK && ok;
    if (!ok || in.error() != QFile::NoError)
        throw fail(QStringLiteral("%1 zip dosyası yazılamadı.").arg(QDir::toNativeSeparators(archive)));
    moveIntoPlace(part, archive);
}

} // namespace tornaly
