#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace tornaly {

// The first sheet of a workbook as text: the first row names the columns,
// every later row is one record (cells as the sheet shows their values;
// mixed columns come out as text).
struct SheetTable {
    QString sheetName;
    QStringList columns;
    QList<QStringList> rows;  // each as long as `columns`

    int columnIndex(const QString& name) const;  // -1 when missing (case-insensitive)
};

// A workbook that cannot be read; the text is for the user.
class SpreadsheetError : public std::runtime_error {
public:
    explicit SpreadsheetError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

// Reads the first sheet of an .xlsx workbook (through the zip reader) or of an
// .xls workbook (through FreeXL), chosen by the extension in any case.
// Throws SpreadsheetError for a missing, empty, damaged or wrong-kind file.
SheetTable ReadSpreadsheet(const QString& path);
SheetTable ReadXlsx(const QString& path);
SheetTable ReadXls(const QString& path);

} // namespace tornaly
