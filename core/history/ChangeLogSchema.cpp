#include "history/ChangeLogSchema.h"

#include "db/DbError.h"

namespace tornaly {

namespace {

void requireIdentifier(const QString& name)
{
    if (!Dialect::isPlainIdentifier(name))
        throw DbError(DbError::Kind::Other, QStringLiteral("Geçersiz tablo veya alan adı: %1").arg(name));
}

QString prefixed(const QList<ChangeLogColumn>& columns, const QString& prefix)
{
    QStringList out;
    for (const auto& c : columns)
        out << prefix + c.name;
    return out.join(QLatin1String(", "));
}

} // namespace

QStringList ChangeLogDdl(Backend backend, const QString& table, const QList<ChangeLogColumn>& columns)
{
    requireIdentifier(table);
    QStringList defs{QStringLiteral("LOG_STATE SMALLINT"), QStringLiteral("LOG_DATE TIMESTAMP"),
                     QStringLiteral("LOG_USER VARCHAR(32)")};
    for (const auto& c : columns) {
        requireIdentifier(c.name);
        defs << c.name + QLatin1Char(' ') + c.type;
    }
    const QString logTable = QStringLiteral("CLOG_") + table;
    const QString colList = QStringLiteral("LOG_STATE, LOG_DATE, LOG_USER, ") + prefixed(columns, QString());
    QStringList out;
    out << QStringLiteral("CREATE TABLE %1 (\n    %2\n)").arg(logTable, defs.join(QLatin1String(",\n    ")));
    out << QStringLiteral("CREATE INDEX IX_%1_DATE ON %1 (LOG_DATE)").arg(logTable);

    if (backend == Backend::SQLite) {
        const QString now = QStringLiteral("strftime('%Y-%m-%d %H:%M:%f','now','localtime')");
        const QString user = Dialect(backend).historyUserExpr();
        struct Ev {
            const char* suffix;
            const char* event;
            int state;
            const char* row;
        };
        for (const Ev& e : {Ev{"INS", "INSERT", 0, "NEW."}, Ev{"UPD", "UPDATE", 1, "NEW."},
                            Ev{"DEL", "DELETE", 2, "OLD."}}) {
            out << QStringLiteral("CREATE TRIGGER %1_%2 AFTER %3 ON %4 FOR EACH ROW BEGIN\n"
                                  "    INSERT INTO %1 (%5)\n    VALUES (%6, %7, %8, %9);\nEND")
                       .arg(logTable, QLatin1String(e.suffix), QLatin1String(e.event), table, colList)
                       .arg(e.state)
                       .arg(now, user, prefixed(columns, QLatin1String(e.row)));
        }
        return out;
    }

    const QString values = QStringLiteral("(LOG_STATE, LOG_DATE, LOG_USER, %1)").arg(prefixed(columns, QString()));
    out << QStringLiteral(
               "CREATE OR REPLACE FUNCTION %1_FN() RETURNS trigger LANGUAGE plpgsql AS $$\n"
               "BEGIN\n"
               "    IF TG_OP = 'DELETE' THEN\n"
               "        INSERT INTO %1 %2 VALUES (2, CAST(clock_timestamp() AS TIMESTAMP), %5, %3);\n"
               "        RETURN OLD;\n"
               "    END IF;\n"
               "    INSERT INTO %1 %2 VALUES (CASE WHEN TG_OP = 'INSERT' THEN 0 ELSE 1 END,\n"
               "        CAST(clock_timestamp() AS TIMESTAMP), %5, %4);\n"
               "    RETURN NEW;\n"
               "END\n$$")
               .arg(logTable, values, prefixed(columns, QStringLiteral("OLD.")),
                    prefixed(columns, QStringLiteral("NEW.")), Dialect(backend).historyUserExpr());
    out << QStringLiteral("CREATE TRIGGER %1_TRG AFTER INSERT OR UPDATE OR DELETE ON %2 "
                          "FOR EACH ROW EXECUTE FUNCTION %1_FN()")
               .arg(logTable, table);
    return out;
}

void EnableChangeLog(const Db& db, const QString& table, const QList<ChangeLogColumn>& columns)
{
    if (db.dialect().tableExists(db, QStringLiteral("CLOG_") + table))
        return;
    Transaction tx(db);
    for (const QString& statement : ChangeLogDdl(db.backend(), table, columns))
        db.exec(statement);
    tx.commit();
}

void ClearChangeLogTables(const Db& db, const QStringList& tables)
{
    Transaction tx(db);
    // DELETE rather than TRUNCATE so that it runs inside the transaction on both servers.
    for (const QString& t : tables) {
        requireIdentifier(t);
        if (db.dialect().tableExists(db, t))
            db.exec(QStringLiteral("DELETE FROM ") + t);
    }
    tx.commit();
}

void SetChangeLogUser(const Db& db, const QString& user)
{
    db.dialect().setHistoryUser(db, user);
}

} // namespace tornaly
