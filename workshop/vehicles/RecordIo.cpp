#include "workshop/vehicles/RecordIo.h"
#include "db/Dialect.h"

#include <QSqlRecord>

namespace tornaly::workshop {

namespace {
QVariantMap rowOf(const Query& q)
{
    QVariantMap row;
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i)
        row.insert(rec.fieldName(i).toUpper(), q.value(i));
    return row;
}

void checkColumn(const QString& name)
{
    if (!Dialect::isPlainIdentifier(name))
        throw DbError(DbError::Kind::Other, QStringLiteral("Geçersiz kolon adı: %1").arg(name));
}
} // namespace

QVariantMap ReadRow(const Db& db, const QString& statement, const QVariantMap& binds)
{
    Query q(db, statement);
    q.bindAll(binds).exec();
    if (!q.next())
        return {};
    return rowOf(q);
}

QList<QVariantMap> ReadRows(const Db& db, const QString& statement, const QVariantMap& binds)
{
    Query q(db, statement);
    q.bindAll(binds).exec();
    QList<QVariantMap> rows;
    while (q.next())
        rows << rowOf(q);
    return rows;
}

int InsertRow(const Db& db, const QString& table, const QVariantMap& values, const QStringList& columns)
{
    checkColumn(table);
    QStringList names, params;
    QVariantMap binds;
    for (const QString& c : columns) {
        checkColumn(c);
        names << c;
        params << QLatin1Char(':') + c;
        binds.insert(c, values.value(c));
    }
    return db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                       .arg(table, names.join(QStringLiteral(", ")), params.join(QStringLiteral(", "))),
                   binds);
}

int UpdateRow(const Db& db, const QString& table, const QVariantMap& values, const QStringList& columns,
              const QVariantMap& key)
{
    checkColumn(table);
    QStringList sets, where;
    QVariantMap binds;
    for (const QString& c : columns) {
        checkColumn(c);
        sets << QStringLiteral("%1 = :%1").arg(c);
        binds.insert(c, values.value(c));
    }
    for (auto it = key.cbegin(); it != key.cend(); ++it) {
        checkColumn(it.key());
        where << QStringLiteral("%1 = :K_%1").arg(it.key());
        binds.insert(QStringLiteral("K_") + it.key(), it.value());
    }
    return db.exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                       .arg(table, sets.join(QStringLiteral(", ")), where.join(QStringLiteral(" AND "))),
                   binds);
}

QString Trimmed(const QVariantMap& row, const char* column)
{
    return row.value(QString::fromLatin1(column)).toString().trimmed();
}

} // namespace tornaly::workshop
