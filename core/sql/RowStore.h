#pragma once
#include <QVariant>
#include <QVector>
#include <vector>

namespace tornaly {

// Rows of a list kept packed, one tagged value after another, instead of a
// QVariant per cell: a long list scrolled to its end costs about what its
// values weigh. Values come back as the types they went in as.
class RowStore {
public:
    void clear();
    // Adds a row of `columns` values taken from `cell(c)`.
    template <typename Cell>
    void addRow(int columns, Cell&& cell)
    {
        m_starts.push_back(quint32(m_data.size()));
        for (int c = 0; c < columns; ++c)
            append(cell(c));
    }
    int rows() const { return int(m_starts.size()); }
    // Gives back the room kept for rows to come (the list is complete).
    void squeeze()
    {
        m_data.shrink_to_fit();
        m_starts.shrink_to_fit();
    }
    // The value at (row, column); a null keeps the type `nullType`.
    QVariant value(int row, int column, const QMetaType& nullType) const;
    qsizetype bytes() const { return qsizetype(m_data.capacity() + m_starts.capacity() * sizeof(quint32)); }

private:
    void append(const QVariant& v);
    void putLength(quint32 n);

    std::vector<char> m_data;
    std::vector<quint32> m_starts;
};

} // namespace tornaly
