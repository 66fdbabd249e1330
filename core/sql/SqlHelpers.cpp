#include "sql/SqlHelpers.h"
#include "sql/TutarAlanlari.h"
#include "db/KayitBildirimi.h"
#include "sql/ListeKonum.h"
#include "controls/CheckCombo.h"
#include "money/Money.h"
#include "services/KurBul.h"
#include "settings/GridLayout.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPointer>
#include <QSqlError>
#include <QSqlField>

#include <algorithm>
#include <limits>
#include <malloc.h>

namespace tornaly {

bool SetParamFromVariant(Query& q, const QString& name, const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return false;
    switch (value.typeId()) {
    case QMetaType::Short: case QMetaType::Int: case QMetaType::UShort: case QMetaType::UChar:
    case QMetaType::UInt: case QMetaType::ULongLong: case QMetaType::LongLong: case QMetaType::Char:
    case QMetaType::SChar: case QMetaType::Long: case QMetaType::ULong:
        q.bind(name, value.toLongLong());
        break;
    case QMetaType::Float: case QMetaType::Double:
        q.bind(name, value.toDouble());
        break;
    case QMetaType::QDate: case QMetaType::QDateTime:
        q.bind(name, value.toDateTime());
        break;
    case QMetaType::QString:
        q.bind(name, value.toString());
        break;
    default:
        q.bind(name, value);
        break;
    }
    return true;
}

void BindPositional(Query& q, const QVariant& params)
{
    const QStringList names = q.placeholders();
    for (const QString& n : names)
        q.bind(n, QVariant());
    if (!params.isValid() || params.isNull())
        return;
    if (params.typeId() == QMetaType::QVariantList || params.typeId() == QMetaType::QStringList) {
        const QVariantList list = params.toList();
        for (int i = 0; i < list.size() && i < names.size(); ++i)
            SetParamFromVariant(q, names.at(i), list.at(i));
        return;
    }
    if (!names.isEmpty())
        SetParamFromVariant(q, names.first(), params);
}

QVariant SqlLookup(const Db& db, const QString& statement, const QVariant& params, const QVariant& def)
{
    Query q(db, statement);
    BindPositional(q, params);
    q.exec();
    if (!q.next())
        return def;
    const QVariant v = q.value(0);
    return v.isNull() ? def : v;
}

void ExecSql(const Db& db, const QString& statement, const QVariant& params)
{
    Query q(db, statement);
    BindPositional(q, params);
    q.exec();
}

// ---------------------------------------------------------------------------

namespace {

// Where a statement's own top-level clauses are: found by scanning outside
// quotes, comments and parentheses, so that a subquery's ORDER BY or LIMIT
// does not count.
struct StatementShape {
    bool select = false;   // starts with SELECT, WITH or VALUES
    bool limited = false;  // LIMIT, OFFSET, FETCH or FOR at the top level
    int orderBy = -1;      // start of the last top-level ORDER BY
};

StatementShape shapeOf(const QString& sql)
{
    StatementShape shape;
    const int n = int(sql.size());
    int depth = 0;
    bool firstWord = true;
    for (int i = 0; i < n;) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            ++i;
            while (i < n && sql.at(i) != c)
                ++i;
            ++i;
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            while (i < n && sql.at(i) != QLatin1Char('\n'))
                ++i;
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) {
            const int close = sql.indexOf(QLatin1String("*/"), i + 2);
            i = close < 0 ? n : close + 2;
            continue;
        }
        if (c == QLatin1Char('(')) {
            ++depth;
            ++i;
            continue;
        }
        if (c == QLatin1Char(')')) {
            --depth;
            ++i;
            continue;
        }
        if (c.isLetter() || c == QLatin1Char('_')) {
            const int begin = i;
            while (i < n && (sql.at(i).isLetterOrNumber() || sql.at(i) == QLatin1Char('_')
                             || sql.at(i) == QLatin1Char('$') || sql.at(i) == QLatin1Char('.')))
                ++i;
            const bool wordStart = begin == 0 || !(sql.at(begin - 1).isLetterOrNumber()
                                                   || sql.at(begin - 1) == QLatin1Char(':')
                                                   || sql.at(begin - 1) == QLatin1Char('_'));
            if (!wordStart || depth != 0)
                continue;
            const QString word = sql.mid(begin, i - begin).toUpper();
            if (firstWord) {
                shape.select = word == QLatin1String("SELECT") || word == QLatin1String("WITH")
                    || word == QLatin1String("VALUES");
                firstWord = false;
            }
            if (word == QLatin1String("LIMIT") || word == QLatin1String("OFFSET") || word == QLatin1String("FETCH")
                || word == QLatin1String("FOR"))
                shape.limited = true;
            if (word == QLatin1String("ORDER")) {
                int j = i;
                while (j < n && sql.at(j).isSpace())
                    ++j;
                if (sql.mid(j, 2).toUpper() == QLatin1String("BY")
                    && (j + 2 >= n || !(sql.at(j + 2).isLetterOrNumber() || sql.at(j + 2) == QLatin1Char('_'))))
                    shape.orderBy = begin;
            }
            continue;
        }
        if (c.isDigit()) { // numbers such as 1e5 are no words
            while (i < n && (sql.at(i).isLetterOrNumber() || sql.at(i) == QLatin1Char('.')))
                ++i;
            continue;
        }
        ++i;
    }
    return shape;
}

QString withoutTrailingSemicolon(QString sql)
{
    while (!sql.isEmpty() && (sql.back().isSpace() || sql.back() == QLatin1Char(';')))
        sql.chop(1);
    return sql;
}

bool isPlainIdentifier(const QString& s)
{
    if (s.isEmpty() || !(s.at(0).isLetter() || s.at(0) == QLatin1Char('_')))
        return false;
    for (const QChar c : s)
        if (!(c.isLetterOrNumber() || c == QLatin1Char('_')) || c.unicode() > 127)
            return false;
    return true;
}

// The items of an ORDER BY clause (its text after the two words), split at
// top-level commas.
QStringList orderItems(const QString& clause)
{
    QStringList items;
    int depth = 0;
    int from = 0;
    QChar quote;
    for (int i = 0; i < clause.size(); ++i) {
        const QChar c = clause.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            --depth;
        } else if (c == QLatin1Char(',') && depth == 0) {
            items << clause.mid(from, i - from).trimmed();
            from = i + 1;
        }
    }
    items << clause.mid(from).trimmed();
    return items;
}

// The statement's own order has an item the keyset cannot follow (an
// expression, a collation) and ends in the list's key, so that it is total as
// it stands. Such a list pages by offset in its own order, whatever its columns.
bool orderIsTotalExpression(const QString& base, int orderBy, int sortColumn, const QStringList& orderKeys)
{
    if (orderBy < 0 || sortColumn >= 0 || orderKeys.isEmpty())
        return false;
    QString clause = base.mid(orderBy).trimmed();
    clause = clause.mid(clause.indexOf(QLatin1String("BY"), 0, Qt::CaseInsensitive) + 2).trimmed();
    QStringList items = orderItems(clause);
    const auto plain = [](QString item) {
        const QString upper = item.toUpper();
        if (upper.endsWith(QLatin1String(" DESC")))
            item.chop(5);
        else if (upper.endsWith(QLatin1String(" ASC")))
            item.chop(4);
        item = item.trimmed();
        return isPlainIdentifier(item.section(QLatin1Char('.'), -1)) && !item.contains(QLatin1Char(' '))
            ? item.section(QLatin1Char('.'), -1)
            : QString();
    };
    const bool expression = std::any_of(items.cbegin(), items.cend(), [&](const QString& i) {
        bool number = false;
        i.toInt(&number);
        return !number && plain(i).isEmpty();
    });
    if (!expression)
        return false;
    const QString last = plain(items.last());
    return !last.isEmpty() && std::any_of(orderKeys.cbegin(), orderKeys.cend(), [&](const QString& k) {
        return k.section(QLatin1Char('.'), -1).compare(last, Qt::CaseInsensitive) == 0;
    });
}

const QString kLimitParam = QStringLiteral("TORNALY_PAGE_LIMIT");
const QString kOffsetParam = QStringLiteral("TORNALY_PAGE_OFFSET");

} // namespace

QString DisplayText(const QVariant& v, bool wholeNumber)
{
    if (v.isNull() || !v.isValid())
        return {};
    switch (v.typeId()) {
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        // A day kept in a timestamp column shows as a day.
        return dt.time() == QTime(0, 0) ? dt.toString(QStringLiteral("dd.MM.yyyy"))
                                        : dt.toString(QStringLiteral("dd.MM.yy HH:mm"));
    }
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case QMetaType::QTime:
        return v.toTime().toString(QStringLiteral("HH:mm"));
    case QMetaType::Double: case QMetaType::Float:
        return wholeNumber ? QString::number(qint64(v.toDouble())) : FormatMoney(v.toDouble(), QStringLiteral(",0.00"));
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("Evet") : QStringLiteral("Hayır");
    default:
        return v.toString();
    }
}

namespace {

const char* const kOkunanSira = "tornaly_okunanSira";
const char* const kTazelemeBekliyor = "tornaly_tazelemeBekliyor";
const char* const kTutarAlanlari = "tornaly_tutarAlanlari";

// Whether the statement names the table as a whole word (FROM, JOIN, a sub-select).
bool tabloyuOkur(const QString& statement, const QString& tablo)
{
    const auto ayirici = [&](qsizetype k) {
        if (k < 0 || k >= statement.size())
            return true;
        const QChar c = statement.at(k);
        return !(c.isLetterOrNumber() || c == QLatin1Char('_'));
    };
    for (qsizetype i = 0; (i = statement.indexOf(tablo, i, Qt::CaseInsensitive)) >= 0; i += tablo.size())
        if (ayirici(i - 1) && ayirici(i + tablo.size()))
            return true;
    return false;
}

bool ayniSatir(const QSqlRecord& a, const QSqlRecord& b)
{
    if (a.count() != b.count() || a.isEmpty())
        return false;
    for (int c = 0; c < a.count(); ++c)
        if (a.value(c) != b.value(c))
            return false;
    return true;
}

// Reads the list again, as many rows as it showed, and puts each view that
// shows it back on the record it stood on (or the same place when that
// record is gone).
void listeyiTazele(BoundQueryModel* m)
{
    struct Gorunum {
        QPointer<QAbstractItemView> view;
        QSqlRecord kayit;
        int satir, kolon;
    };
    QList<Gorunum> gorunumler;
    for (QWidget* w : QApplication::allWidgets())
        if (auto* v = qobject_cast<QAbstractItemView*>(w); v && v->model() == m) {
            const QModelIndex i = v->currentIndex();
            gorunumler.append({v, i.isValid() ? m->record(i.row()) : QSqlRecord(), i.isValid() ? i.row() : -1,
                               i.isValid() ? i.column() : 0});
        }
    const int okunan = m->rowCount();
    m->open();
    while (m->rowCount() < okunan && m->canFetchMore())
        m->fetchMore();
    for (const Gorunum& g : gorunumler) {
        if (!g.view || g.satir < 0)
            continue;
        int satir = -1;
        for (int r = 0; r < m->rowCount() && satir < 0; ++r)
            if (ayniSatir(m->record(r), g.kayit))
                satir = r;
        if (satir < 0)
            satir = qMin(g.satir, m->rowCount() - 1);
        if (satir >= 0)
            g.view->setCurrentIndex(m->index(satir, g.kolon));
    }
}

} // namespace

BoundQueryModel::BoundQueryModel(QObject* parent) : QAbstractTableModel(parent)
{
    // A save of a table the open list reads, told after its commit: the list
    // reads itself again once the event loop runs, unless it was opened after
    // that save.
    connect(&KayitBildirimi::instance(), &KayitBildirimi::tabloKaydedildi, this,
            [this](const QString& tablo, quint64 sira) {
                if (!m_open || sira <= property(kOkunanSira).toULongLong() || property(kTazelemeBekliyor).toBool()
                    || !tabloyuOkur(m_statement, tablo))
                    return;
                setProperty(kTazelemeBekliyor, true);
                QMetaObject::invokeMethod(
                    this,
                    [this] {
                        setProperty(kTazelemeBekliyor, false);
                        try {
                            listeyiTazele(this);
                        } catch (const DbError&) {
                            // The list keeps what it showed; the next open reads again.
                        }
                    },
                    Qt::QueuedConnection);
            },
            Qt::QueuedConnection);
}

void BoundQueryModel::setStatement(const Db& db, const QString& statement, const QVariantMap& binds)
{
    m_db = db;
    m_statement = statement;
    m_binds = binds;
}

void BoundQueryModel::bindInto(Query& q) const
{
    if (m_positional.isValid())
        BindPositional(q, m_positional);
    q.bindAll(m_binds);
}

void BoundQueryModel::clear()
{
    beginResetModel();
    m_rows.clear();
    m_visibleRows = 0;
    m_record = QSqlRecord();
    m_open = false;
    m_more = false;
    m_paged = false;
    m_pagesRead = 0;
    m_pagedStatement.clear();
    m_unorderedStatement.clear();
    m_keysetColumns.clear();
    m_keysetNames.clear();
    m_keysetDesc.clear();
    m_keysetSource.clear();
    m_lastKey.clear();
    m_wholeNumbers.clear();
    endResetModel();
}

void BoundQueryModel::setSort(int column, Qt::SortOrder order)
{
    m_sortColumn = column;
    m_sortOrder = order;
}

void BoundQueryModel::sort(int column, Qt::SortOrder order)
{
    setSort(column, order);
    if (m_open)
        open();
}

bool BoundQueryModel::planKeyset(const QString& unordered, const QString& ownOrder, const QSqlRecord& fields)
{
    // Every order item must be a column of the list under a plain, unique
    // name, and the key must be one too: its value continues the next page.
    auto columnNamed = [&fields](const QString& name) {
        if (!isPlainIdentifier(name))
            return -1;
        int found = -1;
        for (int i = 0; i < fields.count(); ++i) {
            if (fields.fieldName(i).compare(name, Qt::CaseInsensitive) != 0)
                continue;
            if (found >= 0 || !isPlainIdentifier(fields.fieldName(i)))
                return -1; // two columns of one name, or a name we cannot write back
            found = i;
        }
        return found;
    };
    QList<int> columns;
    QList<bool> desc;
    if (m_sortColumn >= 0) {
        if (m_sortColumn >= fields.count() || columnNamed(fields.fieldName(m_sortColumn)) != m_sortColumn)
            return false;
        columns << m_sortColumn;
        desc << (m_sortOrder == Qt::DescendingOrder);
    } else if (!ownOrder.isEmpty()) {
        for (QString item : orderItems(ownOrder)) {
            bool down = false;
            const QString upper = item.toUpper();
            if (upper.contains(QLatin1String("NULLS")) || upper.contains(QLatin1String("COLLATE")))
                return false;
            if (upper.endsWith(QLatin1String(" DESC"))) {
                down = true;
                item.chop(5);
            } else if (upper.endsWith(QLatin1String(" ASC"))) {
                item.chop(4);
            }
            item = item.trimmed();
            bool number = false;
            const int ordinal = item.toInt(&number);
            const int c = number ? (ordinal >= 1 && ordinal <= fields.count() ? ordinal - 1 : -1)
                                 : columnNamed(item.section(QLatin1Char('.'), -1));
            if (c < 0 || (number && columnNamed(fields.fieldName(c)) != c))
                return false;
            if (!columns.contains(c)) {
                columns << c;
                desc << down;
            }
        }
    }
    int key = -1;
    for (const QString& k : m_orderKeys) {
        key = columnNamed(k.section(QLatin1Char('.'), -1));
        if (key >= 0)
            break;
    }
    if (key < 0)
        return false;
    if (!columns.contains(key)) {
        // The key runs in the direction of the order, so that one index
        // scan serves the whole order.
        columns << key;
        desc << (!desc.isEmpty() && !desc.contains(false));
    }
    m_keysetColumns = columns;
    m_keysetDesc = desc;
    m_keysetNames.clear();
    for (int c : columns)
        m_keysetNames << fields.fieldName(c);
    m_keysetSource = unordered;
    return true;
}

int BoundQueryModel::keysetGroupOf(const QVariantList& key) const
{
    // Group 0 comes first: NULLs of the leading column going up, its values going down.
    const bool null = key.at(0).isNull() || !key.at(0).isValid();
    return null == m_keysetDesc.at(0) ? 1 : 0;
}

QString BoundQueryModel::keysetStatement(int group, bool afterLast, QVariantMap& binds) const
{
    // The leading column's NULLs and values are read as two ranges: inside
    // each, its order needs no NULLS clause and the rows after the last one
    // read start at its value, so an ordinary index on the order's leading
    // column serves every page on both backends. NULL counts as the smallest
    // value of every column.
    const int n = m_keysetColumns.size();
    const QString& lead = m_keysetNames.at(0);
    const bool leadNull = (group == 1) == m_keysetDesc.at(0);
    QStringList where{lead + (leadNull ? QStringLiteral(" IS NULL") : QStringLiteral(" IS NOT NULL"))};
    QStringList order{lead + (m_keysetDesc.at(0) ? QStringLiteral(" DESC") : QString())};
    for (int i = 1; i < n; ++i)
        order << m_keysetNames.at(i)
                + (m_keysetDesc.at(i) ? QStringLiteral(" DESC NULLS LAST") : QStringLiteral(" NULLS FIRST"));
    if (afterLast) {
        // Rows after the last one read: (a > x) OR (a = x AND b > y) OR ...,
        // the leading column's bound written apart so that it limits the range.
        QStringList alternatives;
        QStringList equal;
        for (int i = 0; i < n; ++i) {
            const QString& col = m_keysetNames.at(i);
            const QVariant v = m_lastKey.at(i);
            const bool null = v.isNull() || !v.isValid();
            const QString param = QStringLiteral("TORNALY_K%1").arg(i);
            if (!null)
                binds.insert(param, v);
            if (i == 0 && !null)
                where << QStringLiteral("%1 %2 :%3").arg(col, m_keysetDesc.at(0) ? QStringLiteral("<=")
                                                                                  : QStringLiteral(">="), param);
            QString after;
            if (i == 0 && null)
                after = QString(); // the NULL range holds no greater value
            else if (null)
                after = m_keysetDesc.at(i) ? QString() : col + QStringLiteral(" IS NOT NULL");
            else if (i == 0)
                after = QStringLiteral("%1 %2 :%3").arg(col, m_keysetDesc.at(0) ? QStringLiteral("<") : QStringLiteral(">"), param);
            else
                after = m_keysetDesc.at(i) ? QStringLiteral("(%1 < :%2 OR %1 IS NULL)").arg(col, param)
                                           : QStringLiteral("%1 > :%2").arg(col, param);
            if (!after.isEmpty())
                alternatives << QStringLiteral("(") + QStringList(equal + QStringList{after}).join(QStringLiteral(" AND "))
                        + QStringLiteral(")");
            if (i > 0 || !null)
                equal << (null ? col + QStringLiteral(" IS NULL") : QStringLiteral("%1 = :%2").arg(col, param));
        }
        where << (alternatives.isEmpty() ? QStringLiteral("1=0")
                                         : QStringLiteral("(") + alternatives.join(QStringLiteral("\n   OR "))
                                               + QStringLiteral(")"));
    }
    return QStringLiteral("SELECT * FROM (\n%1\n) TORNALY_PAGE\nWHERE %2\nORDER BY %3\nLIMIT :%4")
        .arg(m_keysetSource, where.join(QStringLiteral("\n  AND ")), order.join(QStringLiteral(", ")), kLimitParam);
}

void BoundQueryModel::open()
{
    clear();
    const QString base = withoutTrailingSemicolon(m_statement);
    const StatementShape shape = shapeOf(base);
    m_paged = shape.select && !shape.limited;
    m_unorderedStatement = m_paged && shape.orderBy >= 0 ? base.left(shape.orderBy) : base;
    if (m_paged && orderIsTotalExpression(base, shape.orderBy, m_sortColumn, m_orderKeys)) {
        // An order the keyset cannot follow that already ends in the key
        // pages by its own order: no need to learn the columns first.
        m_pagedStatement = base + QStringLiteral("\nLIMIT :%1 OFFSET :%2").arg(kLimitParam, kOffsetParam);
    } else if (m_paged) {
        // The columns are needed for the order; an empty read of the
        // statement gives them without running it through.
        Query probe(m_db);
        probe.prepare(QStringLiteral("SELECT * FROM (\n%1\n) TORNALY_PROBE LIMIT 0").arg(base));
        bindInto(probe);
        probe.exec();
        const QSqlRecord fields = probe.record();
        probe.finish();
        QString ownOrder;
        if (shape.orderBy >= 0) {
            ownOrder = base.mid(shape.orderBy).trimmed();
            ownOrder = ownOrder.mid(ownOrder.indexOf(QLatin1String("BY"), 0, Qt::CaseInsensitive) + 2).trimmed();
        }
        if (!planKeyset(m_unorderedStatement, ownOrder, fields)) {
            QStringList order;
            QList<int> used;
            if (m_sortColumn >= 0 && m_sortColumn < fields.count()) {
                used << m_sortColumn;
                order << QString::number(m_sortColumn + 1)
                        + (m_sortOrder == Qt::DescendingOrder ? QStringLiteral(" DESC") : QString());
            }
            for (const QString& key : m_orderKeys) {
                const int i = fields.indexOf(key.section(QLatin1Char('.'), -1));
                if (i >= 0 && !used.contains(i)) {
                    used << i;
                    order << QString::number(i + 1);
                }
            }
            for (int i = 0; i < fields.count(); ++i) {
                if (!used.contains(i)) {
                    used << i;
                    order << QString::number(i + 1);
                }
            }
            const bool ownOrderKept = shape.orderBy >= 0 && m_sortColumn < 0;
            m_pagedStatement = ownOrderKept ? base : m_unorderedStatement;
            if (!order.isEmpty())
                m_pagedStatement += (ownOrderKept ? QStringLiteral("\n, ") : QStringLiteral("\nORDER BY "))
                    + order.join(QStringLiteral(", "));
            m_pagedStatement += QStringLiteral("\nLIMIT :%1 OFFSET :%2").arg(kLimitParam, kOffsetParam);
        }
    } else {
        m_pagedStatement = m_statement;
    }
    m_nextPage = m_pageSize;
    setProperty(kOkunanSira, KayitBildirimi::sonSira());
    readRows(m_paged ? m_pageSize : -1);
    m_open = true;
}

void BoundQueryModel::readRows(qint64 limit)
{
    const bool keyset = m_paged && isKeyset();
    const bool firstPage = m_pagesRead == 0;
    ++m_pagesRead;
    const int first = m_rows.rows();
    bool more = false;
    qint64 read = 0;
    // One statement, or on a keyset list one per range of the leading
    // column (its NULLs, its values) from the last row's on until the page is full.
    const int groups = keyset ? 2 : 1;
    int group = keyset && !m_lastKey.isEmpty() ? keysetGroupOf(m_lastKey) : 0;
    bool afterLast = keyset && !m_lastKey.isEmpty();
    for (; group < groups && !more; ++group, afterLast = false) {
        Query q(m_db);
        QVariantMap keysetBinds;
        q.prepare(keyset ? keysetStatement(group, afterLast, keysetBinds) : m_pagedStatement);
        bindInto(q);
        q.bindAll(keysetBinds);
        const qint64 want = limit < 0 ? -1 : limit - read;
        if (m_paged) {
            // One row past the page tells whether there is more.
            q.bind(kLimitParam, want < 0 ? std::numeric_limits<qint64>::max() : want + 1);
            if (!keyset)
                q.bind(kOffsetParam, qint64(m_rows.rows()));
        }
        q.exec();
        if (m_record.isEmpty()) {
            QSqlRecord rec = q.record();
            rec.clearValues();
            beginResetModel();
            m_record = rec;
            m_wholeNumbers = QList<bool>(rec.count(), true);
            const QStringList tutarlar = property(kTutarAlanlari).toStringList();
            for (int c = 0; c < rec.count(); ++c)
                if (tutarlar.contains(rec.fieldName(c), Qt::CaseInsensitive))
                    m_wholeNumbers[c] = false;
            endResetModel();
        }
        const int columns = m_record.count();
        while (q.next()) {
            if (limit >= 0 && read >= limit) {
                more = true;
                break;
            }
            m_rows.addRow(columns, [&q, firstPage, this](int c) {
                QVariant v = q.value(c);
                if (firstPage && v.typeId() == QMetaType::Double && !v.isNull()) {
                    const double d = v.toDouble();
                    if (d != double(qint64(d)))
                        m_wholeNumbers[c] = false;
                }
                return v;
            });
            ++read;
        }
        q.finish();
    }
    m_more = m_paged && more;
    if (!m_more)
        m_rows.squeeze();
    // The PostgreSQL client held the whole result before the first row was
    // read; after a read of the whole list its pages go back to the system
    // instead of staying on the process beside the rows kept here. (A page
    // read while scrolling is small and its memory serves the next page.)
    if (limit < 0 && read >= MaxPageSize && m_db.backend() == Backend::PostgreSQL)
        malloc_trim(0);
    if (read == 0)
        return;
    if (keyset) {
        m_lastKey.clear();
        for (int c : m_keysetColumns)
            m_lastKey << m_rows.value(m_rows.rows() - 1, c, m_record.field(c).metaType());
    }
    // Views learn of the new rows once they are all there.
    beginInsertRows(QModelIndex(), first, first + int(read) - 1);
    m_visibleRows = m_rows.rows();
    endInsertRows();
}

bool BoundQueryModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && m_open && m_more;
}

void BoundQueryModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent))
        return;
    // Each page costs the server the rows before it too: pages grow, so that
    // reading a long list to its end takes few statements.
    m_nextPage = qMin(m_nextPage * 2, qMax(MaxPageSize, m_pageSize));
    readRows(m_nextPage);
}

void BoundQueryModel::fetchAll()
{
    if (canFetchMore())
        readRows(-1);
}

int LocateRow(BoundQueryModel& m, const QVariantMap& binds, const QString& field, const QVariant& value)
{
    const int c = m.columnOf(field);
    if (c < 0 || !m.isOpen())
        return -1;
    const auto find = [&](int from) {
        for (int r = from; r < m.rowCount(); ++r)
            if (m.data(m.index(r, c), Qt::EditRole) == value)
                return r;
        return -1;
    };
    int row = find(0);
    if (row >= 0 || !m.canFetchMore())
        return row;
    const QString name = m.fieldName(c);
    if (!isPlainIdentifier(name))
        return -1;
    {
        Query q(m.db());
        q.prepare(QStringLiteral("SELECT 1 FROM (\n%1\n) TORNALY_FIND WHERE %2 = :TORNALY_FIND LIMIT 1")
                      .arg(withoutTrailingSemicolon(m.statement()), name));
        q.bindAll(binds);
        q.bind(QStringLiteral("TORNALY_FIND"), value);
        if (!q.exec().next())
            return -1;
    }
    while (row < 0 && m.canFetchMore()) {
        const int from = m.rowCount();
        m.fetchMore();
        row = find(from);
    }
    return row;
}

int BoundQueryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_visibleRows;
}

int BoundQueryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_record.count();
}

QVariant BoundQueryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_visibleRows || index.column() >= m_record.count())
        return {};
    const int c = index.column();
    if (role == Qt::TextAlignmentRole) {
        const int t = m_record.field(c).metaType().id();
        const bool number = t == QMetaType::Double || t == QMetaType::Int || t == QMetaType::LongLong;
        return QVariant::fromValue(Qt::Alignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const QVariant v = m_rows.value(index.row(), c, m_record.field(c).metaType());
    if (role == Qt::EditRole || v.isNull())
        return v;
    return DisplayText(v, c < m_wholeNumbers.size() && m_wholeNumbers.at(c));
}

QSqlRecord BoundQueryModel::record(int row) const
{
    QSqlRecord rec = m_record;
    if (row < 0 || row >= m_rows.rows())
        return rec;
    for (int c = 0; c < rec.count(); ++c)
        rec.setValue(c, m_rows.value(row, c, m_record.field(c).metaType()));
    return rec;
}

int BoundQueryModel::columnOf(const QString& field) const
{
    return m_record.indexOf(field);
}

QString BoundQueryModel::fieldName(int column) const
{
    return m_record.fieldName(column).toUpper();
}

QVariant BoundQueryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= m_record.count())
            return {};
        if (role == FieldNameRole)
            return fieldName(section);
        if (role == Qt::DisplayRole && section < m_captions.size() && !m_captions.at(section).isEmpty())
            return m_captions.at(section);
        if (role == Qt::DisplayRole)
            return fieldName(section);
        return {};
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

BoundQueryModel::Totals BoundQueryModel::totals(const QStringList& fields) const
{
    Totals t;
    if (!m_open)
        return t;
    QStringList columns{QStringLiteral("COUNT(*) AS TORNALY_COUNT")};
    for (int i = 0; i < fields.size(); ++i) {
        const QString& f = fields.at(i);
        if (!isPlainIdentifier(f) || columnOf(f) < 0)
            throw DbError(DbError::Kind::Other, QStringLiteral("Toplam alınacak alan listede yok: %1").arg(f));
        columns << QStringLiteral("SUM(%1) AS TORNALY_SUM%2").arg(f).arg(i);
    }
    Query q(m_db);
    q.prepare(QStringLiteral("SELECT %1 FROM (\n%2\n) TORNALY_TOTALS").arg(columns.join(QStringLiteral(", ")),
                                                                            m_unorderedStatement));
    bindInto(q);
    q.exec();
    if (q.next()) {
        t.count = q.value(0).toLongLong();
        for (int i = 0; i < fields.size(); ++i)
            t.sums << q.value(i + 1).toDouble();
    }
    return t;
}

std::unique_ptr<BoundQueryModel> OpenSqlQuery(const Db& db, const QString& statement, const QVariant& params,
                                              const QVariant& captions)
{
    auto model = std::make_unique<BoundQueryModel>();
    model->setStatement(db, statement);
    model->setPositional(params.isValid() ? params : QVariant(QVariantList{}));
    QStringList caps;
    if (captions.typeId() == QMetaType::QVariantList || captions.typeId() == QMetaType::QStringList) {
        for (const QVariant& c : captions.toList())
            caps << c.toString();
    } else if (captions.isValid() && !captions.isNull()) {
        caps << captions.toString();
    }
    model->setCaptions(caps);
    return model;
}

// ---------------------------------------------------------------------------

QString PrefixRangeEnd(const QString& prefix)
{
    QList<uint> points = prefix.toUcs4();
    while (!points.isEmpty()) {
        uint& last = points.last();
        if (last < 0x10FFFF) {
            last = last == 0xD7FF ? 0xE000 : last + 1; // no code point lies in the surrogate range
            return QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData()), points.size());
        }
        points.removeLast();
    }
    return {};
}

QString PrefixCondition(const Db& db, const QString& column, const QString& prefix, const QString& name,
                        QVariantMap& binds)
{
    const QString col = db.backend() == Backend::PostgreSQL ? column + QStringLiteral(" COLLATE \"C\"") : column;
    const QString end = PrefixRangeEnd(prefix);
    binds.insert(name, prefix);
    QString sql = QStringLiteral("%1 >= :%2").arg(col, name);
    if (!end.isEmpty()) {
        binds.insert(name + QStringLiteral("_SON"), end);
        sql += QStringLiteral(" AND %1 < :%2_SON").arg(col, name);
    }
    return QStringLiteral("(") + sql + QStringLiteral(")");
}

QString InsertSql(const QString& table, const QStringList& columns)
{
    QStringList params;
    for (const QString& c : columns)
        params << QLatin1Char(':') + c;
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(table, columns.join(QLatin1Char(',')), params.join(QLatin1Char(',')));
}

QString AssignSql(const QStringList& columns)
{
    QStringList out;
    for (const QString& c : columns)
        out << c + QStringLiteral("=:") + c;
    return out.join(QLatin1Char(','));
}

void AppendSqlLine(SqlText& sql, int n, const QString& text, bool clear)
{
    while (sql.lines.size() <= n)
        sql.lines << QString();
    if (clear)
        sql.lines[n].clear();
    sql.lines[n] = sql.lines[n] + QLatin1Char(' ') + text;
}

void AddSqlParamCondition(SqlText& sql, int n, const QString& condition, const QVariant& value, bool clear)
{
    AppendSqlLine(sql, n, condition, clear);
    const QStringList names = Query::placeholderNames(condition);
    if (!names.isEmpty())
        sql.binds.insert(names.first(), value);
}

namespace {
std::function<QDateTime(const Db&)>& serverClock()
{
    static std::function<QDateTime(const Db&)> clock;
    return clock;
}
} // namespace

void SetServerClock(std::function<QDateTime(const Db&)> clock) { serverClock() = std::move(clock); }

QDateTime ServerNow(const Db& db)
{
    if (serverClock())
        return serverClock()(db);
    Query q(db, QStringLiteral("SELECT %1 AS LOCAL_DATE").arg(db.dialect().nowExpr()));
    q.exec();
    return q.next() ? Query::toDateTime(q.value(0)) : QDateTime();
}

QDate ServerToday(const Db& db) { return ServerNow(db).date(); }

QDateTime CentralServerNow(const Db& central) { return ServerNow(central); }

double GetCurrencyRate(const Db& db, const QString& currency, bool, const QDate& date)
{
    // Unlike KurBul, a rate stamped at midnight after the day still counts,
    // and a currency without a rate (the local one too) gives 0.
    const auto kayit = SonKurKaydi(db, currency, date.addDays(1).startOfDay(), true);
    return kayit ? kayit->satis : 0.0;
}

QString CheckedItemsSqlCondition(const QList<CheckedItem>& items, const QString& field, int mode, bool allWhenNone)
{
    QStringList codes;
    for (const auto& it : items)
        if (it.checked)
            codes << it.code;
    if (codes.isEmpty() && allWhenNone)
        for (const auto& it : items)
            codes << it.code;
    if (codes.isEmpty())
        return {};
    if (mode == 1) {
        QStringList quoted;
        for (QString c : codes)
            quoted << QLatin1Char('\'') + c.replace(QLatin1String("'"), QLatin1String("''")) + QLatin1Char('\'');
        return QLatin1Char(' ') + field + QStringLiteral(" in (") + quoted.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    if (mode == 2) {
        QString s = QStringLiteral(" (");
        for (const QString& c : codes) {
            bool ok = false;
            const qint64 bit = c.toLongLong(&ok);
            s += field + QStringLiteral(" & ") + QString::number(ok ? bit : 0) + QStringLiteral(" > 0 OR ");
        }
        s.chop(3);
        return s + QLatin1Char(')');
    }
    QStringList numbers;
    for (const QString& c : codes) {
        bool ok = false;
        const qint64 v = c.toLongLong(&ok);
        numbers << QString::number(ok ? v : 0);
    }
    return QLatin1Char(' ') + field + QStringLiteral(" in (") + numbers.join(QLatin1Char(',')) + QLatin1Char(')');
}

namespace {

QVariant comboValue(const Query& query, const QString& valueField)
{
    return valueField.isEmpty() ? query.value(0) : query.value(valueField);
}

// The description field, else the second column; `fallback` for a one-column query.
QString comboDescription(const Query& query, const QString& descField, const QString& fallback)
{
    if (!descField.isEmpty())
        return query.str(descField);
    if (query.record().count() > 1)
        return query.value(1).toString();
    return fallback;
}

} // namespace

void FillComboItemsFromQuery(QComboBox* combo, Query& query, const QString& valueField, const QString& descField,
                             const QString& tagField)
{
    if (auto* check = qobject_cast<TCheckComboBox*>(combo)) {
        FillComboItemsFromQuery(check, query, valueField, descField, tagField);
        return;
    }
    if (!combo)
        return;
    combo->clear();
    while (query.next()) {
        const QVariant value = comboValue(query, valueField);
        combo->addItem(comboDescription(query, descField, value.toString()), value);
        if (!tagField.isEmpty())
            combo->setItemData(combo->count() - 1, query.value(tagField).toInt(), Qt::UserRole + 1);
    }
}

void FillComboItemsFromQuery(TCheckComboBox* combo, Query& query, const QString& valueField,
                             const QString& descField, const QString& tagField)
{
    if (!combo)
        return;
    combo->clearItems();
    while (query.next()) {
        const QString code = comboValue(query, valueField).toString();
        combo->addCheckItem(code, comboDescription(query, descField, code),
                            tagField.isEmpty() ? QVariant() : QVariant(query.value(tagField).toInt()));
    }
}

void FillComboItemsFromQuery(TLookupList& items, Query& query, const QString& valueField, const QString& descField)
{
    items.clear();
    while (query.next()) {
        const QString value = comboValue(query, valueField).toString();
        items.append({value, comboDescription(query, descField, value)});
    }
}

void FillComboFromSql(QComboBox* combo, const Db& db, const QString& statement, const QVariant& params,
                      const QString& valueField, const QString& descField)
{
    Query q(db, statement);
    BindPositional(q, params);
    q.exec();
    FillComboItemsFromQuery(combo, q, valueField, descField, {});
}

void FillComboFromSql(TLookupList& items, const Db& db, const QString& statement, const QVariant& params,
                      const QString& valueField, const QString& descField)
{
    Query q(db, statement);
    BindPositional(q, params);
    q.exec();
    FillComboItemsFromQuery(items, q, valueField, descField);
}

QList<CheckedItem> CheckedItems(const TCheckComboBox* combo)
{
    QList<CheckedItem> items;
    if (combo)
        for (int i = 0; i < combo->count(); ++i)
            items.append({combo->shortDescription(i), combo->isChecked(i)});
    return items;
}

QString CheckedItemsSqlCondition(const TCheckComboBox* combo, const QString& field, int mode, bool allWhenNone)
{
    return CheckedItemsSqlCondition(CheckedItems(combo), field, mode, allWhenNone);
}

void SetTutarAlanlari(BoundQueryModel& model, const QStringList& alanlar)
{
    model.setProperty(kTutarAlanlari, alanlar);
}

} // namespace tornaly
