#include "db/Dialect.h"
#include "db/Database.h"

#include <QRegularExpression>
#include <optional>

namespace tornaly {

// The connection's schema answers (Database.cpp keeps them and forgets them
// when the connection changes its schema, rolls back or closes).
std::optional<bool> CatalogueAnswer(const Dialect* connection, const QString& question);
void KeepCatalogueAnswer(const Dialect* connection, const QString& question, bool answer);

QString Dialect::nowExpr() const
{
    return m_backend == Backend::SQLite
        ? QStringLiteral("strftime('%Y-%m-%d %H:%M:%f','now','localtime')")
        : QStringLiteral("LOCALTIMESTAMP");
}

QString Dialect::addDaysExpr(const QString& expr, const QString& daysExpr) const
{
    if (m_backend == Backend::SQLite)
        return QStringLiteral("strftime('%Y-%m-%d %H:%M:%f', %1, (%2) || ' days')").arg(expr, daysExpr);
    return QStringLiteral("(CAST(%1 AS DATE) + CAST(%2 AS INTEGER))").arg(expr, daysExpr);
}

QString Dialect::dateOnlyExpr(const QString& expr) const
{
    if (m_backend == Backend::SQLite)
        return QStringLiteral("strftime('%Y-%m-%d 00:00:00.000', %1)").arg(expr);
    return QStringLiteral("CAST(%1 AS DATE)").arg(expr);
}

QString Dialect::monthExpr(const QString& expr) const
{
    if (m_backend == Backend::SQLite)
        return QStringLiteral("CAST(strftime('%m', %1) AS INTEGER)").arg(expr);
    return QStringLiteral("CAST(EXTRACT(MONTH FROM %1) AS INTEGER)").arg(expr);
}

QString Dialect::yearExpr(const QString& expr) const
{
    if (m_backend == Backend::SQLite)
        return QStringLiteral("CAST(strftime('%Y', %1) AS INTEGER)").arg(expr);
    return QStringLiteral("CAST(EXTRACT(YEAR FROM %1) AS INTEGER)").arg(expr);
}

QString Dialect::rowLockSuffix() const
{
    return m_backend == Backend::PostgreSQL ? QStringLiteral(" FOR UPDATE") : QString();
}

QString Dialect::upsert(const QString& table, const QStringList& keyColumns, const QStringList& columns) const
{
    QStringList params, updates;
    for (const QString& c : columns) {
        params << QLatin1Char(':') + c;
        if (!keyColumns.contains(c, Qt::CaseInsensitive))
            updates << QStringLiteral("%1 = excluded.%1").arg(c);
    }
    QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) ON CONFLICT (%4) ")
                      .arg(table, columns.join(QLatin1String(", ")), params.join(QLatin1String(", ")),
                           keyColumns.join(QLatin1String(", ")));
    sql += updates.isEmpty() ? QStringLiteral("DO NOTHING")
                             : QStringLiteral("DO UPDATE SET ") + updates.join(QLatin1String(", "));
    return sql;
}

QString Dialect::ciLike(const QString& columnExpr, const QString& param) const
{
    const QString p = param.startsWith(QLatin1Char(':')) ? param : QLatin1Char(':') + param;
    return QStringLiteral("TR_UPPER(%1) LIKE TR_UPPER(%2) ESCAPE '\\'").arg(columnExpr, p);
}

QString Dialect::upperExpr(const QString& expr) const
{
    return QStringLiteral("TR_UPPER(%1)").arg(expr);
}

namespace {
// Pairs of letters that change case one to one, the Turkish dotted and dotless
// i the Turkish way, every other Latin letter as Unicode says.
void caseMap(QString* lowers, QString* uppers)
{
    *lowers = QStringLiteral("iı");
    *uppers = QStringLiteral("İI");
    for (char16_t c = u'a'; c <= u'z'; ++c) {
        if (c == u'i')
            continue;
        *lowers += QChar(c);
        *uppers += QChar(c).toUpper();
    }
    for (char16_t c = 0xC0; c <= 0x24F; ++c) {
        const QChar ch(c);
        if (c == 0x131 || !ch.isLower())
            continue;
        const QString up = QString(ch).toUpper();
        if (up.size() != 1 || up.at(0) == ch || QString(up).toLower() != QString(ch))
            continue;
        *lowers += ch;
        *uppers += up;
    }
}
} // namespace

QStringList Dialect::caseFoldingFunctions() const
{
    if (m_backend != Backend::PostgreSQL)
        return {};
    QString lowers, uppers;
    caseMap(&lowers, &uppers);
    // Both maps are built above from fixed letters; none of them is a quote.
    return {QStringLiteral("CREATE OR REPLACE FUNCTION TR_UPPER(t TEXT) RETURNS TEXT LANGUAGE SQL IMMUTABLE "
                           "PARALLEL SAFE AS $$ SELECT UPPER(TRANSLATE(t, '%1', '%2')) $$")
                .arg(lowers, uppers),
            QStringLiteral("CREATE OR REPLACE FUNCTION TR_LOWER(t TEXT) RETURNS TEXT LANGUAGE SQL IMMUTABLE "
                           "PARALLEL SAFE AS $$ SELECT LOWER(TRANSLATE(t, '%1', '%2')) $$")
                .arg(uppers, lowers)};
}

QString Dialect::historyUserExpr() const
{
    return QStringLiteral("CLOG_KULLANICI()");
}

void Dialect::setHistoryUser(const Db& db, const QString& user) const
{
    const QString name = user.left(32);
    Query q(db, m_backend == Backend::PostgreSQL ? QStringLiteral("SELECT set_config('tornaly.log_user', :U, false)")
                                                 : QStringLiteral("SELECT CLOG_KULLANICI_AYARLA(:U)"));
    q.bind(QStringLiteral("U"), name).exec();
}

QString Dialect::blobType() const
{
    return m_backend == Backend::SQLite ? QStringLiteral("BLOB") : QStringLiteral("BYTEA");
}

QString Dialect::identityType() const
{
    return m_backend == Backend::SQLite ? QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")
                                        : QStringLiteral("INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY");
}

QString Dialect::expandSchemaTokens(const QString& sql) const
{
    QString s = sql;
    s.replace(QLatin1String("{{BLOB}}"), blobType());
    s.replace(QLatin1String("{{IDENTITY}}"), identityType());
    s.replace(QLatin1String("{{NOW}}"), nowExpr());
    return s;
}

QString Dialect::escapeLike(const QString& typed)
{
    QString out;
    out.reserve(typed.size() + 4);
    for (const QChar c : typed) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

QString Dialect::turkishUpper(const QString& s)
{
    QString t = s;
    for (QChar& c : t) {
        if (c == QLatin1Char('i'))
            c = QChar(0x0130); // İ
        else if (c == QChar(0x0131))
            c = QLatin1Char('I');
    }
    return t.toUpper();
}

QString Dialect::turkishLower(const QString& s)
{
    QString t = s;
    for (QChar& c : t) {
        if (c == QLatin1Char('I'))
            c = QChar(0x0131); // ı
        else if (c == QChar(0x0130))
            c = QLatin1Char('i');
    }
    return t.toLower();
}

bool Dialect::isPlainIdentifier(const QString& name)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]{0,62}$"));
    return re.match(name).hasMatch();
}

void Dialect::lockSchemaChanges(const Db& db) const
{
    if (m_backend != Backend::PostgreSQL)
        return;
    // One fixed key for the schema of this database ("TRNLYSCH").
    Query q(db, QStringLiteral("SELECT pg_advisory_xact_lock(6076004937099330376)"));
    q.exec();
}

bool Dialect::tableExists(const Db& db, const QString& table) const
{
    const QString question = QStringLiteral("T:") + table.toUpper();
    if (const std::optional<bool> known = CatalogueAnswer(&db.dialect(), question))
        return *known;
    QString sql;
    if (m_backend == Backend::SQLite)
        sql = QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type IN ('table','view') AND UPPER(name) = UPPER(:T)");
    else
        sql = QStringLiteral("SELECT COUNT(*) FROM information_schema.tables WHERE table_schema = current_schema() "
                             "AND UPPER(table_name) = UPPER(:T)");
    Query q(db, sql);
    q.bind(QStringLiteral("T"), table).exec();
    const bool exists = q.next() && q.value(0).toInt() > 0;
    KeepCatalogueAnswer(&db.dialect(), question, exists);
    return exists;
}

bool Dialect::columnExists(const Db& db, const QString& table, const QString& column) const
{
    if (!isPlainIdentifier(table))
        return false;
    const QString question = QStringLiteral("C:") + table.toUpper() + QLatin1Char('.') + column.toUpper();
    if (const std::optional<bool> known = CatalogueAnswer(&db.dialect(), question))
        return *known;
    bool exists = false;
    if (m_backend == Backend::SQLite) {
        Query q(db, QStringLiteral("SELECT COUNT(*) FROM pragma_table_info(:T) WHERE UPPER(name) = UPPER(:C)"));
        q.bind(QStringLiteral("T"), table).bind(QStringLiteral("C"), column).exec();
        exists = q.next() && q.value(0).toInt() > 0;
    } else {
        Query q(db, QStringLiteral("SELECT COUNT(*) FROM information_schema.columns WHERE table_schema = current_schema() "
                                   "AND UPPER(table_name) = UPPER(:T) AND UPPER(column_name) = UPPER(:C)"));
        q.bind(QStringLiteral("T"), table).bind(QStringLiteral("C"), column).exec();
        exists = q.next() && q.value(0).toInt() > 0;
    }
    KeepCatalogueAnswer(&db.dialect(), question, exists);
    return exists;
}

bool Dialect::isIndexUnique(const Db& db, const QString& table, const QString& index) const
{
    if (m_backend == Backend::SQLite) {
        Query q(db, QStringLiteral("SELECT \"unique\" FROM pragma_index_list(:T) WHERE UPPER(name) = UPPER(:I)"));
        q.bind(QStringLiteral("T"), table).bind(QStringLiteral("I"), index).exec();
        return q.next() && q.value(0).toInt() == 1;
    }
    Query q(db, QStringLiteral(
        "SELECT i.indisunique FROM pg_index i "
        "JOIN pg_class ic ON ic.oid = i.indexrelid "
        "JOIN pg_class tc ON tc.oid = i.indrelid "
        "JOIN pg_namespace n ON n.oid = tc.relnamespace AND n.nspname = current_schema() "
        "WHERE UPPER(ic.relname) = UPPER(:I) AND UPPER(tc.relname) = UPPER(:T)"));
    q.bind(QStringLiteral("T"), table).bind(QStringLiteral("I"), index).exec();
    return q.next() && q.value(0).toBool();
}

} // namespace tornaly
