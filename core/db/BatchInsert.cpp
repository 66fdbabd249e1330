#include "db/BatchInsert.h"
#include "db/KayitBildirimi.h"
#include "db/Statement.h"

#include <QSqlError>
#include <libpq-fe.h>

namespace tornaly {

BatchInsert::BatchInsert(const Db& db, const QString& table, const QStringList& columns)
    : m_db(db), m_table(table), m_columns(columns)
{
    // Names become statement text: only plain identifiers are accepted.
    bool plain = Dialect::isPlainIdentifier(table) && !columns.isEmpty();
    for (const QString& c : columns)
        plain = plain && Dialect::isPlainIdentifier(c);
    if (!plain)
        throw DbError(DbError::Kind::Other, QStringLiteral("Geçersiz tablo ya da alan adı: %1").arg(table));
    if (db.backend() == Backend::SQLite) {
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i)
            marks << QStringLiteral(":P%1").arg(i);
        m_insert = std::make_unique<Query>(db, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                   .arg(table, columns.join(QLatin1String(", ")),
                                                        marks.join(QLatin1String(", "))));
    } else {
        m_copy.reserve(1 << 16);
    }
}

BatchInsert::~BatchInsert() = default;

BatchInsert& BatchInsert::value(const QVariant& v)
{
    if (m_column >= m_columns.size())
        throw DbError(DbError::Kind::Other, QStringLiteral("Toplu kayıtta satırın alan sayısı fazla: %1").arg(m_table));
    if (m_insert)
        m_insert->bindAt(m_column, v);
    else
        appendCopyValue(v);
    ++m_column;
    return *this;
}

void BatchInsert::endRow()
{
    if (m_column != m_columns.size())
        throw DbError(DbError::Kind::Other, QStringLiteral("Toplu kayıtta satırın alan sayısı eksik: %1").arg(m_table));
    m_column = 0;
    if (m_insert) {
        m_insert->exec();
        ++m_written;
        return;
    }
    m_copy.back() = '\n';
    if (++m_pendingRows >= RowsPerCopy)
        sendCopy();
}

void BatchInsert::flush()
{
    if (m_column != 0)
        throw DbError(DbError::Kind::Other, QStringLiteral("Toplu kayıtta yarım satır kaldı: %1").arg(m_table));
    if (!m_insert && m_pendingRows > 0)
        sendCopy();
}

void BatchInsert::appendCopyValue(const QVariant& raw)
{
    const QVariant v = Query::toDbValue(raw, Backend::PostgreSQL);
    if (v.isNull()) {
        m_copy += "\\N\t";
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Double: case QMetaType::Float:
        m_copy += QByteArray::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
        break;
    case QMetaType::Int: case QMetaType::LongLong: case QMetaType::Short: case QMetaType::Long:
        m_copy += QByteArray::number(v.toLongLong());
        break;
    case QMetaType::Bool:
        m_copy += v.toBool() ? "t" : "f";
        break;
    case QMetaType::QByteArray: {
        // bytea in hex, itself escaped once more for COPY's backslash.
        m_copy += "\\\\x";
        m_copy += v.toByteArray().toHex();
        break;
    }
    default: {
        const QByteArray text = v.toString().toUtf8();
        for (const char c : text) {
            switch (c) {
            case '\\': m_copy += "\\\\"; break;
            case '\t': m_copy += "\\t"; break;
            case '\n': m_copy += "\\n"; break;
            case '\r': m_copy += "\\r"; break;
            default: m_copy += c; break;
            }
        }
        break;
    }
    }
    m_copy += '\t';
}

void BatchInsert::sendCopy()
{
    auto* conn = static_cast<PGconn*>(m_db.nativeHandle());
    if (!conn)
        throw DbError(DbError::Kind::ConnectionFailed, QStringLiteral("Veritabanı bağlantısı açık değil."));
    const QString statement = QStringLiteral("COPY %1 (%2) FROM STDIN").arg(m_table, m_columns.join(QLatin1String(", ")));
    const int rows = m_pendingRows;
    m_pendingRows = 0;
    QByteArray data;
    data.swap(m_copy);
    m_copy.reserve(1 << 16);

    auto failWith = [&](PGresult* r) {
        const char* code = r ? PQresultErrorField(r, PG_DIAG_SQLSTATE) : nullptr;
        const char* msg = r ? PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
        const QSqlError err(QString(), QString::fromUtf8(msg ? msg : PQerrorMessage(conn)).trimmed(),
                            QSqlError::StatementError, QString::fromLatin1(code ? code : ""));
        if (r)
            PQclear(r);
        // Drain what is left of the exchange so that the connection stays usable.
        while (PGresult* rest = PQgetResult(conn))
            PQclear(rest);
        throwDbError(err, Backend::PostgreSQL, statement);
    };

    PGresult* r = PQexec(conn, statement.toUtf8().constData());
    if (!r || PQresultStatus(r) != PGRES_COPY_IN)
        failWith(r);
    PQclear(r);
    if (PQputCopyData(conn, data.constData(), int(data.size())) != 1 || PQputCopyEnd(conn, nullptr) != 1)
        failWith(nullptr);
    r = PQgetResult(conn);
    if (!r || PQresultStatus(r) != PGRES_COMMAND_OK)
        failWith(r);
    PQclear(r);
    while (PGresult* rest = PQgetResult(conn))
        PQclear(rest);
    m_written += rows;
    // COPY passes no statement through Query: the write is told here.
    TabloYazildi(m_db.name(), m_db.inTransaction(), m_table.toUpper());
}

} // namespace tornaly
