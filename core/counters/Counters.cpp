#include "counters/Counters.h"
#include "db/Dialect.h"
#include "messages/Messages.h"

namespace tornaly {

QString CounterBusyText()
{
    return QStringLiteral("Diğer Kullanıcı Dosyaya Yazıyor.2-3 saniye sonra OK tuşuna basın.");
}

namespace {

void checkCounterName(const QString& table)
{
    if (!table.startsWith(QLatin1String("NEW")) || !Dialect::isPlainIdentifier(table))
        throw DbError(DbError::Kind::Other, QStringLiteral("Geçersiz sayaç tablosu: %1").arg(table));
}

qint64 takeOnce(const Db& db, const QString& table, const CounterOptions& options)
{
    Transaction tx(db);
    // The table name is one of our fixed counter names, checked above.
    const QString lockSuffix = db.backend() == Backend::PostgreSQL ? QStringLiteral(" FOR UPDATE") : QString();
    Query read(db, QStringLiteral("SELECT YENINO FROM %1%2").arg(table, lockSuffix));
    read.exec();
    if (!read.next())
        throw DbError(DbError::Kind::Other, QStringLiteral("Sayaç tablosunda satır yok: %1").arg(table));
    qint64 number = qRound64(read.value(0).toDouble());
    if (number <= 0 && options.zeroMeansOne)
        number = 1;
    Query write(db, QStringLiteral("UPDATE %1 SET YENINO = :YENI").arg(table));
    write.bind(QStringLiteral("YENI"), double(number + 1)).exec();
    tx.commit();
    return number;
}

} // namespace

qint64 TakeCounterNumber(const Db& db, const QString& counterTable, const CounterOptions& options)
{
    checkCounterName(counterTable);
    for (;;) {
        try {
            return takeOnce(db, counterTable, options);
        } catch (const DbError& e) {
            if (!e.isBusy())
                throw;
            const MsgButton b = Messages().show(MsgIcon::Error, CounterBusyText(), MsgOk, MsgOk, {});
            if (b != MsgOk)
                throw;
        }
    }
}

qint64 PeekCounterNumber(const Db& db, const QString& counterTable)
{
    checkCounterName(counterTable);
    Query q(db, QStringLiteral("SELECT YENINO FROM %1").arg(counterTable));
    q.exec();
    return q.next() ? qRound64(q.value(0).toDouble()) : 0;
}

} // namespace tornaly
