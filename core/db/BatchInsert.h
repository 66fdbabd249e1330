#pragma once
#include "db/Database.h"

namespace tornaly {

// Many rows of one INSERT (document lines, ledger rows, bulk transfers) in
// few round trips: SQLite runs one kept prepared statement per row, PostgreSQL
// sends the rows with COPY. Rows are given value by value, in the order of
// the columns, each row closed by endRow(). Rows are written at the latest by
// flush(); a batch that ends without flush() writes nothing more, so an
// exception leaves only what the caller's transaction rolls back anyway.
// Triggers and constraints apply to every row as to a single INSERT.
class BatchInsert {
public:
    BatchInsert(const Db& db, const QString& table, const QStringList& columns);
    ~BatchInsert();
    BatchInsert(const BatchInsert&) = delete;
    BatchInsert& operator=(const BatchInsert&) = delete;

    BatchInsert& value(const QVariant& v);
    // Closes the row; throws DbError when it has not one value per column,
    // or when a write of the rows so far fails.
    void endRow();
    // Writes the rows not yet written; throws DbError.
    void flush();
    qint64 rowsWritten() const { return m_written; }

    // Rows PostgreSQL collects before it sends them.
    static constexpr int RowsPerCopy = 5000;

private:
    void appendCopyValue(const QVariant& v);
    void sendCopy();

    Db m_db;
    QString m_table;
    QStringList m_columns;
    int m_column = 0;
    int m_pendingRows = 0;
    qint64 m_written = 0;
    std::unique_ptr<Query> m_insert; // SQLite
    QByteArray m_copy;               // PostgreSQL: COPY text of the pending rows
};

} // namespace tornaly
