#include "sql/SqlHelpers.h"
#include "settings/GridLayout.h"

#include <QComboBox>
#include <QSqlError>
#include <QSqlField>

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

BoundQueryModel::BoundQueryModel(QObject* parent) : QSqlQueryModel(parent) {}

void BoundQueryModel::setStatement(const Db& db, const QString& statement, const QVariantMap& binds)
{
    m_db = db;
    m_statement = statement;
    m_binds = binds;
}

void BoundQueryModel::open()
{
    Query q(m_db);
    q.setForwardOnly(false); // the model scrolls back and forth
    q.prepare(m_statement);
    if (m_positional.isValid())
        BindPositional(q, m_positional);
    q.bindAll(m_binds);
    q.exec();
    setQuery(std::move(q.raw()));
    if (lastError().isValid())
        throwDbError(lastError(), m_db.backend(), m_statement);
}

int BoundQueryModel::columnOf(const QString& field) const
{
    return record().indexOf(field);
}

QString BoundQueryModel::fieldName(int column) const
{
    return record().fieldName(column).toUpper();
}

QVariant BoundQueryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (role == FieldNameRole)
            return fieldName(section);
        if (role == Qt::DisplayRole && section >= 0 && section < m_captions.size()
            && !m_captions.at(section).isEmpty())
            return m_captions.at(section);
        if (role == Qt::DisplayRole)
            return fieldName(section);
    }
    return QSqlQueryModel::headerData(section, orientation, role);
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

QDateTime ServerNow(const Db& db)
{
    Query q(db, QStringLiteral("SELECT %1 AS LOCAL_DATE").arg(db.dialect().nowExpr()));
    q.exec();
    return q.next() ? Query::toDateTime(q.value(0)) : QDateTime();
}

QDate ServerToday(const Db& db) { return ServerNow(db).date(); }

QDateTime CentralServerNow(const Db& central) { return ServerNow(central); }

double GetCurrencyRate(const Db& db, const QString& currency, bool, const QDate& date)
{
    Query q(db, QStringLiteral(
        "SELECT TLDEGERI_SATIS FROM KURDEGER DK WHERE TARIH=(SELECT MAX(TARIH) FROM KURDEGER KD "
        "WHERE KD.DOVIZ_KODU=:dk AND TARIH<=:TARIH) AND DOVIZ_KODU=:dk\nORDER BY TARIH DESC"));
    q.bind(QStringLiteral("dk"), currency).bind(QStringLiteral("TARIH"), date.addDays(1)).exec();
    return q.next() ? q.value(0).toDouble() : 0.0;
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

void FillComboItemsFromQuery(QComboBox* combo, Query& query, const QString& valueField, const QString& descField,
                             const QString& tagField)
{
    if (!combo)
        return;
    combo->clear();
    while (query.next()) {
        const QSqlRecord r = query.record();
        const QVariant value = valueField.isEmpty() ? query.value(0) : query.value(valueField);
        QString desc;
        if (!descField.isEmpty())
            desc = query.str(descField);
        else if (r.count() > 1)
            desc = query.value(1).toString();
        else
            desc = value.toString();
        combo->addItem(desc, value);
        if (!tagField.isEmpty())
            combo->setItemData(combo->count() - 1, query.value(tagField).toInt(), Qt::UserRole + 1);
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

} // namespace tornaly
