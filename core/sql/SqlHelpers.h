#pragma once
#include "db/Database.h"

#include <QSqlQueryModel>
#include <QStringList>
#include <QVariant>
#include <memory>

class QComboBox;

namespace tornaly {

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

// A query model for grids: its statement is bound, it fetches rows as the
// view needs them, and it carries column captions and field names.
class BoundQueryModel : public QSqlQueryModel {
    Q_OBJECT
public:
    explicit BoundQueryModel(QObject* parent = nullptr);

    void setStatement(const Db& db, const QString& statement, const QVariantMap& binds = {});
    void setPositional(const QVariant& params) { m_positional = params; }
    void setCaptions(const QStringList& captions) { m_captions = captions; }
    // Runs the statement; throws DbError.
    void open();
    void close() { clear(); }
    const QString& statement() const { return m_statement; }
    // The column of a field, -1 when none (names compare without case).
    int columnOf(const QString& field) const;
    QString fieldName(int column) const;

    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    Db m_db;
    QString m_statement;
    QVariantMap m_binds;
    QVariant m_positional;
    QStringList m_captions;
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

// Pads to more than n lines, empties line n when `clear`, then appends " " + text.
void AppendSqlLine(SqlText& sql, int n, const QString& text, bool clear = false);
// Appends a condition to line n and binds its first parameter to `value`.
void AddSqlParamCondition(SqlText& sql, int n, const QString& condition, const QVariant& value,
                          bool clear = false);

QDateTime ServerNow(const Db& db);
QDate ServerToday(const Db& db);
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

// Fills a combo box from a query: text from the description field (else the
// second column, else the value), item data from the value field (else the
// first column), and the tag field, when given, under Qt::UserRole + 1.
void FillComboItemsFromQuery(QComboBox* combo, Query& query, const QString& valueField = {},
                             const QString& descField = {}, const QString& tagField = {});
void FillComboFromSql(QComboBox* combo, const Db& db, const QString& statement, const QVariant& params = {},
                      const QString& valueField = {}, const QString& descField = {});

} // namespace tornaly
