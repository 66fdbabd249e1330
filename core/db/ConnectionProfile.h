#pragma once
#include <QString>

namespace tornaly {

enum class Backend { SQLite, PostgreSQL };

// Where one connection goes: an embedded SQLite file, or a PostgreSQL server.
struct ConnectionProfile {
    Backend backend = Backend::SQLite;
    QString filePath;   // SQLite: the database file
    QString host;       // PostgreSQL: host name, address, or Unix socket folder
    int port = 5432;
    QString database;   // PostgreSQL: database name
    QString user;
    QString password;
    QString applicationName;  // label the server shows for this connection
    int lockTimeoutMs = 3000; // how long a statement waits for a held row
    // SQLite: opening a missing file is an error instead of creating an empty
    // database; set for every company and catalogue file, cleared only by
    // the path that creates a database.
    bool mustExist = false;

    static ConnectionProfile sqlite(const QString& path)
    {
        ConnectionProfile p;
        p.backend = Backend::SQLite;
        p.filePath = path;
        return p;
    }
    static ConnectionProfile postgres(const QString& host, int port, const QString& database,
                                      const QString& user, const QString& password = {})
    {
        ConnectionProfile p;
        p.backend = Backend::PostgreSQL;
        p.host = host;
        p.port = port;
        p.database = database;
        p.user = user;
        p.password = password;
        return p;
    }

    // The same server with another database (or, for SQLite, another file).
    ConnectionProfile withDatabase(const QString& nameOrPath) const
    {
        ConnectionProfile p = *this;
        if (backend == Backend::SQLite)
            p.filePath = nameOrPath;
        else
            p.database = nameOrPath;
        return p;
    }

    // Human-readable place, never with the password.
    QString describe() const
    {
        if (backend == Backend::SQLite)
            return filePath;
        return QStringLiteral("%1:%2/%3").arg(host).arg(port).arg(database);
    }
};

} // namespace tornaly
