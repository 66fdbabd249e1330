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
    // One statement reads and moves the counter under its row lock, so the
    // lock is held for that statement only (on its own, outside any document).
    // The table name is one of our fixed counter names, checked above.
    const QString next = options.zeroMeansOne
        ? QStringLiteral("CASE WHEN COALESCE(YENINO, 0) <= 0 THEN 2 ELSE YENINO + 1 END")
        : QStringLiteral("COALESCE(YENINO, 0) + 1");
    Query take(db, QStringLiteral("UPDATE %1 SET YENINO = %2 RETURNING YENINO - 1").arg(table, next));
    take.exec();
    if (!take.next())
        throw DbError(DbError::Kind::Other, QStringLiteral("Sayaç tablosunda satır yok: %1").arg(table));
    const qint64 number = qRound64(take.value(0).toDouble());
    take.finish();
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
            // Inside an open write transaction no box may wait for the user while
            // its locks are held: the caller rolls back and asks (RetryAfterAsking).
            if (!e.isBusy() || db.inTransaction())
                throw;
            const MsgButton b = Messages().show(MsgIcon::Error, CounterBusyText(), MsgOk, MsgOk, {});
            if (b != MsgOk)
                throw;
        }
    }
}

void RetryAfterAsking(const Db& db, const std::function<void()>& operation)
{
    for (;;) {
        try {
            operation();
            return;
        } catch (const DbError& e) {
            // An enclosing transaction is still open: its owner asks.
            if (!e.isBusy() || db.inTransaction())
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
