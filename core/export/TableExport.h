#pragma once
#include <QString>

class QAbstractItemModel;
class QTableView;

namespace tornaly {

enum class ExportFormat { Xlsx, Html, Xml, Text };

// Writes the rows of a model (all rows, the visible columns of `view` in
// their shown order when a view is given). Throws std::runtime_error with a
// Turkish text when the file cannot be written.
void ExportModel(const QAbstractItemModel& model, ExportFormat format, const QString& path,
                 const QTableView* view = nullptr);

// The extension a format gets ("xlsx", "html", "xml", "txt").
QString ExportExtension(ExportFormat format);

// The list export of every grid: asks for a file, writes it by the letter
// (E spreadsheet, H HTML, T text, X XML) and opens it. Cancelling does nothing.
// Returns the written path, empty when nothing was written.
QString GridExport(const QString& letter, const QTableView* grid, bool expand, bool unused = false);

} // namespace tornaly
