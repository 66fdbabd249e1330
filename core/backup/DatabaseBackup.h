#pragma once
#include "db/Database.h"

#include <QDate>
#include <QString>
#include <functional>
#include <stdexcept>

class QProcess;

namespace tornaly {

// A backup or restore that could not be done; the text is for the user.
class BackupError : public std::runtime_error {
public:
    explicit BackupError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

// What the backup form asks for.
struct BackupOptions {
    QString folder;              // where the backup file goes
    bool overwrite = true;       // "Dosya var ise Üzerine yaz"
    bool dateSuffix = true;      // "Dosya Sonuna Tarih Ekle"
    bool zip = false;            // pack the backup into a zip archive as well
    QString zipFolder;
    bool zipDateSuffix = true;   // "Zip Dosyası Sonuna Tarih Ekle"
    bool zipOverwrite = true;    // "Zip Dosyası var ise Üzerine yaz"; otherwise added to the archive
    QDate today = QDate::currentDate();
};

struct BackupResult {
    QString file;     // the backup file written
    QString archive;  // the zip archive, empty when none was asked for
};

// The name the database is backed up under: the SQLite file's base name or
// the PostgreSQL database name.
QString BackupDatabaseName(const ConnectionProfile& profile);
// folder + name [+ "_" + yyyymmdd] + ".bak"; a folder without a trailing
// separator gets one.
QString BackupFileName(const QString& folder, const QString& databaseName, const BackupOptions& options);
QString BackupArchiveName(const QString& folder, const QString& databaseName, const BackupOptions& options);

// How a caller waits for pg_dump: it returns once the running program has
// ended, false when the user stopped it (it kills the program then).
using ProgramWait = std::function<bool(QProcess&)>;

// Writes a consistent copy of the open database: SQLite through its online
// backup API, PostgreSQL through pg_dump (custom format), waited for by
// `wait` (without one, the window keeps painting and input waits). The file
// appears only once complete; an existing file is replaced only with
// `overwrite`. The archive is made only after a successful backup. Throws
// BackupError.
BackupResult BackupDatabase(const Db& db, const BackupOptions& options, const ProgramWait& wait = {});

// When the database was last backed up from the program, "31.12.26 14:05",
// or "Yedek Alınmamış" when never.
QString SonYedekTarihi(const Db& db);

// Reads a backup back into a database that does not exist yet (never over a
// live one). A file that is not a backup of this program is refused and
// nothing is left behind. Throws BackupError.
void RestoreBackup(const QString& backupFile, const ConnectionProfile& target);

// Packs one file into a zip archive (replacing the archive, or adding to an
// existing one when `replace` is false). Throws BackupError.
void ZipFile(const QString& file, const QString& archive, bool replace);

} // namespace tornaly
