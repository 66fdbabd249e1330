#include "sql/RowStore.h"

#include <QDateTime>
#include <cstring>

namespace tornaly {

namespace {

enum Tag : char { Null, Int, Real, Text, Stamp, Day, Flag, Bytes, Clock, Other };

template <typename T>
void put(std::vector<char>& d, const T& v)
{
    const size_t at = d.size();
    d.resize(at + sizeof(T));
    std::memcpy(d.data() + at, &v, sizeof(T));
}

template <typename T>
T get(const char*& p)
{
    T v;
    std::memcpy(&v, p, sizeof(T));
    p += sizeof(T);
    return v;
}

quint32 getLength(const char*& p)
{
    const auto first = quint8(*p++);
    if (first < 0x80)
        return first;
    const quint32 n = (quint32(first & 0x7f) << 24) | (quint32(quint8(p[0])) << 16) | (quint32(quint8(p[1])) << 8)
        | quint32(quint8(p[2]));
    p += 3;
    return n;
}

void skip(const char*& p)
{
    switch (Tag(*p++)) {
    case Null: break;
    case Int: case Real: case Stamp: p += 8; break;
    case Day: case Clock: p += 4; break;
    case Flag: p += 1; break;
    default: {
        const quint32 n = getLength(p);
        p += n;
        break;
    }
    }
}

} // namespace

void RowStore::clear()
{
    std::vector<char>().swap(m_data);
    std::vector<quint32>().swap(m_starts);
}

void RowStore::putLength(quint32 n)
{
    if (n < 0x80) {
        m_data.push_back(char(n));
        return;
    }
    m_data.push_back(char(0x80 | ((n >> 24) & 0x7f)));
    m_data.push_back(char((n >> 16) & 0xff));
    m_data.push_back(char((n >> 8) & 0xff));
    m_data.push_back(char(n & 0xff));
}

void RowStore::append(const QVariant& v)
{
    if (v.isNull() || !v.isValid()) {
        m_data.push_back(Null);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Int: case QMetaType::LongLong: case QMetaType::Short: case QMetaType::UInt:
    case QMetaType::UShort: case QMetaType::Long:
        m_data.push_back(Int);
        put<qint64>(m_data, v.toLongLong());
        break;
    case QMetaType::Double: case QMetaType::Float:
        m_data.push_back(Real);
        put<double>(m_data, v.toDouble());
        break;
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        m_data.push_back(Stamp);
        put<qint32>(m_data, qint32(dt.date().toJulianDay()));
        put<qint32>(m_data, dt.time().msecsSinceStartOfDay());
        break;
    }
    case QMetaType::QDate:
        m_data.push_back(Day);
        put<qint32>(m_data, qint32(v.toDate().toJulianDay()));
        break;
    case QMetaType::QTime:
        m_data.push_back(Clock);
        put<qint32>(m_data, v.toTime().msecsSinceStartOfDay());
        break;
    case QMetaType::Bool:
        m_data.push_back(Flag);
        m_data.push_back(v.toBool() ? 1 : 0);
        break;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        m_data.push_back(Bytes);
        putLength(quint32(b.size()));
        m_data.insert(m_data.end(), b.constBegin(), b.constEnd());
        break;
    }
    default: {
        const QByteArray b = v.toString().toUtf8();
        m_data.push_back(v.typeId() == QMetaType::QString ? Text : Other);
        putLength(quint32(b.size()));
        m_data.insert(m_data.end(), b.constBegin(), b.constEnd());
        break;
    }
    }
}

QVariant RowStore::value(int row, int column, const QMetaType& nullType) const
{
    if (row < 0 || row >= rows() || column < 0)
        return {};
    const char* p = m_data.data() + m_starts[size_t(row)];
    const char* end = size_t(row) + 1 < m_starts.size() ? m_data.data() + m_starts[size_t(row) + 1]
                                                        : m_data.data() + m_data.size();
    for (int c = 0; c < column; ++c) {
        if (p >= end)
            return {};
        skip(p);
    }
    if (p >= end)
        return {};
    switch (Tag(*p++)) {
    case Null: return QVariant(nullType);
    case Int: return qlonglong(get<qint64>(p));
    case Real: return get<double>(p);
    case Stamp: {
        const qint32 jd = get<qint32>(p);
        const qint32 ms = get<qint32>(p);
        return QDateTime(QDate::fromJulianDay(jd), QTime::fromMSecsSinceStartOfDay(ms));
    }
    case Day: return QDate::fromJulianDay(get<qint32>(p));
    case Clock: return QTime::fromMSecsSinceStartOfDay(get<qint32>(p));
    case Flag: return *p != 0;
    case Bytes: {
        const quint32 n = getLength(p);
        return QByteArray(p, qsizetype(n));
    }
    default: {
        const quint32 n = getLength(p);
        return QString::fromUtf8(p, qsizetype(n));
    }
    }
}

} // namespace tornaly
