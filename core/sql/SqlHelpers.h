#pragma once
#include "db/Database.h"
#include "dm/LookupLists.h"
#include "sql/RowStore.h"

#include <QAbstractTableModel>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

class QComboBox;

namespace tornaly {

class TCheckComboBox;

// Sets a statement's parameter from a value. A null value leaves the
// parameter as it is and answers false.
bool SetParamFromVariant(Query& q, const QString& name, const QVariant& value);
// Positional values: a QVariantList gives element i to the i-th placeholder
// (extra elements ignored, missing ones left null); a single non-null value
// goes to the first placeholder; null means none.
void BindPositional(Query& q, const QVariant& params);

// First column of the first row, or `def` when there is no row or it is null.
QVariant SqlLookup(const Db& db, const QString& statement, const QVariant& params = {},
                   const QVariant& def = {});
void ExecSql(const Db& db, const QString& statement, const QVariant& params = {});

// A value as a grid shows it: "31.12.2026" for a day, "31.12.26 14:05" for a
// time of day, "1.234.567,89" for an amount; `wholeNumber` shows a float that
// holds whole numbers (a document number) without decimals.
QString DisplayText(const QVariant& v, bool wholeNumber = false);

// A query model for grids: its statement is bound, it reads rows page by page
// as the view asks for them (on every backend, the count is never taken up
// front), and it carries column captions and field names.
//
// Pages are separate statements, each read to its end before the call
// returns, so nothing is left pending on the connection: postings may run on
// the same connection between two pages. When the order is made of columns of
// the list and a key field settles its ties, the next page starts after the
// last row read (keyset paging: a page near the end costs what the first
// does); NULLs come first in ascending order on both backends. Otherwise
// pages are LIMIT/OFFSET statements whose order gets the order keys and then
// every column appended. A statement that limits itself (LIMIT, OFFSET,
// FETCH, FOR UPDATE) or is no SELECT is read in one go.
//
// The display role shows dates, times and numbers in the Turkish forms
// ("31.12.2026", "31.12.26 14:05", "1.234.567,89"); the edit role gives the
// values themselves.
class BoundQueryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int DefaultPageSize = 256;

    explicit BoundQueryModel(QObject* parent = nullptr);

    void setStatement(const Db& db, const QString& statement, const QVariantMap& binds = {});
    void setPositional(const QVariant& params) { m_positional = params; }
    void setCaptions(const QStringList& captions) { m_captions = captions; }
    // Output columns that settle ties of the statement's order before the rest
    // of the columns do (a browse gives its key field).
    void setOrderKeys(const QStringList& fields) { m_orderKeys = fields; }
    // Orders the list by one of its columns (column -1: the statement's own
    // order); the key settles ties. Takes effect at the next open().
    void setSort(int column, Qt::SortOrder order = Qt::AscendingOrder);
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    // Orders and reopens an open list (a view's header click); throws DbError.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // True when the open list pages by keyset, false for LIMIT/OFFSET or one go.
    bool isKeyset() const { return !m_keysetColumns.isEmpty(); }
    // Rows of the first page; later pages grow up to MaxPageSize.
    void setPageSize(int rows) { m_pageSize = qMax(1, rows); }
    // Runs the statement and reads its first page; throws DbError.
    void open();
    void close() { clear(); }
    void clear();
    bool isOpen() const { return m_open; }
    const QString& statement() const { return m_statement; }
    const Db& db() const { return m_db; }
    // The column of a field, -1 when none (names compare without case).
    int columnOf(const QString& field) const;
    QString fieldName(int column) const;
    // The fields of the list (no values) / the fields with one row's values.
    QSqlRecord record() const { return m_record; }
    QSqlRecord record(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent = {}) const override;
    // Reads the next page; throws DbError.
    void fetchMore(const QModelIndex& parent = {}) override;
    // Reads every remaining row with one statement (print, export, going to the end).
    void fetchAll();

    // How many statements have read rows since open() (the first page counts).
    int pagesRead() const { return m_pagesRead; }
    // Bytes the rows read so far take.
    qsizetype heldBytes() const { return m_rows.bytes(); }
    // False when the statement is read in one go.
    bool isPaged() const { return m_paged; }

    // The row count and sums of numeric fields over the whole result of the
    // statement (with its binds), computed by the database whatever has been
    // read so far. Fields that are no plain column of the list are refused.
    struct Totals {
        qint64 count = 0;
        QList<double> sums; // in the order of the fields asked for
    };
    Totals totals(const QStringList& fields) const;

    static constexpr int MaxPageSize = 8192;

private:
    void bindInto(Query& q) const;
    void readRows(qint64 limit); // limit < 0: all remaining rows
    bool planKeyset(const QString& unordered, const QString& ownOrder, const QSqlRecord& fields);
    QString keysetStatement(QVariantMap& binds) const;

    Db m_db;
    QString m_statement;
    QString m_pagedStatement;
    QString m_unorderedStatement; // for totals: the statement without its own order
    QVariantMap m_binds;
    QVariant m_positional;
    QStringList m_captions;
    QStringList m_orderKeys;
    QSqlRecord m_record;
    RowStore m_rows;
    int m_visibleRows = 0;
    QList<int> m_keysetColumns;  // columns of the keyset order, the key last
    QStringList m_keysetNames;   // their names
    QList<bool> m_keysetDesc;
    QString m_keysetSource;      // the statement without its order
    QVariantList m_lastKey;      // keyset values of the last row read
    QList<bool> m_wholeNumbers;  // per column: numbers shown without decimals
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    int m_pageSize = DefaultPageSize;
    int m_nextPage = DefaultPageSize;
    int m_pagesRead = 0;
    bool m_open = false;
    bool m_more = false;
    bool m_paged = false;
};

// A query with field captions, not yet opened; the caller owns it.
std::unique_ptr<BoundQueryModel> OpenSqlQuery(const Db& db, const QString& statement, const QVariant& params,
                                              const QVariant& captions);

// A statement kept as lines that forms complete at run time, with its values.
struct SqlText {
    QStringList lines;
    QVariantMap binds;
    QString text() const { return lines.join(QLatin1Char('\n')); }
};

// "INSERT INTO table (A,B) VALUES (:A,:B)": every column bound under its own name.
QString InsertSql(const QString& table, const QStringList& columns);
// "A=:A,B=:B" for an UPDATE of the columns.
QString AssignSql(const QStringList& columns);

// Pads to more than n lines, empties line n when `clear`, then appends " " + text.
void AppendSqlLine(SqlText& sql, int n, const QString& text, bool clear = false);
// Appends a condition to line n and binds its first parameter to `value`.
void AddSqlParamCondition(SqlText& sql, int n, const QString& condition, const QVariant& value,
                          bool clear = false);

// The company server's clock: every number, date and time the program
// stamps on a document comes from here, never from the workstation's clock.
QDateTime ServerNow(const Db& db);
QDate ServerToday(const Db& db);
// Stands in for the server's clock (tests set a fixed moment; an empty
// function goes back to the server).
void SetServerClock(std::function<QDateTime(const Db&)> clock);
QDateTime CentralServerNow(const Db& central);

// Selling rate of a currency on the latest rate date up to `date` plus one
// day; 0 when there is none. `unused` has no effect.
double GetCurrencyRate(const Db& db, const QString& currency, bool unused, const QDate& date);

struct CheckedItem {
    QString code;
    bool checked = false;
};
// " FIELD in ('a','b')" (mode 1), " (FIELD & 1 > 0 OR FIELD & 4 > 0 )" (mode 2),
// " FIELD in (1,4)" (other modes); empty when no item is used.
QString CheckedItemsSqlCondition(const QList<CheckedItem>& items, const QString& field, int mode,
                                 bool allWhenNone);
// The same over a check combo's items (their short descriptions are the codes).
QString CheckedItemsSqlCondition(const TCheckComboBox* combo, const QString& field, int mode, bool allWhenNone);
QList<CheckedItem> CheckedItems(const TCheckComboBox* combo);

// Drop-down fillers. Each replaces the target's items with one item per row
// of the query, which must have been run, in the query's order. Empty field
// names take the defaults: the value is the first column, the description
// the second.
//
// A combo box: text from the description field (else the second column, else
// the value), item data from the value field, and the tag field, when given,
// under Qt::UserRole + 1. A check combo given as a combo box is filled as one.
void FillComboItemsFromQuery(QComboBox* combo, Query& query, const QString& valueField = {},
                             const QString& descField = {}, const QString& tagField = {});
// A check combo: the short description is the value field as text, the
// description the description field (else the second column).
void FillComboItemsFromQuery(TCheckComboBox* combo, Query& query, const QString& valueField = {},
                             const QString& descField = {}, const QString& tagField = {});
// A shared look-up list (the values and captions grid columns of several
// forms show): a one-column query shows each value as its own caption.
void FillComboItemsFromQuery(TLookupList& items, Query& query, const QString& valueField = {},
                             const QString& descField = {});
// Runs the statement with its positional values and fills the target with the
// filler of its kind, without a tag field.
void FillComboFromSql(QComboBox* combo, const Db& db, const QString& statement, const QVariant& params = {},
                      const QString& valueField = {}, const QString& descField = {});
void FillComboFromSql(TLookupList& items, const Db& db, const QString& statement, const QVariant& params = {},
                      const QString& valueField = {}, const QString& descField = {});

} // namespace tornaly
