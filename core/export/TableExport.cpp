#include "export/TableExport.h"
#include "export/SafeFile.h"
#include "messages/Messages.h"
#include "platform/Desktop.h"

#include <QAbstractItemModel>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QTableView>
#include <QTextStream>
#include <QXmlStreamWriter>

#include <xlsxwriter.h>

namespace tornaly {

namespace {

struct Sheet {
    QStringList headers;
    QList<QVariantList> rows;
};

Sheet collect(const QAbstractItemModel& constModel, const QTableView* view)
{
    auto& model = const_cast<QAbstractItemModel&>(constModel);
    while (model.canFetchMore(QModelIndex()))
        model.fetchMore(QModelIndex());
    QList<int> columns;
    if (view) {
        const QHeaderView* h = view->horizontalHeader();
        for (int visual = 0; visual < h->count(); ++visual) {
            const int logical = h->logicalIndex(visual);
            if (!h->isSectionHidden(logical))
                columns << logical;
        }
    } else {
        for (int c = 0; c < model.columnCount(); ++c)
            columns << c;
    }
    Sheet s;
    for (int c : columns)
        s.headers << model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    for (int r = 0; r < model.rowCount(); ++r) {
        QVariantList row;
        for (int c : columns)
            row << model.data(model.index(r, c), Qt::DisplayRole);
        s.rows << row;
    }
    return s;
}


bool isNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Short: case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

bool writeXlsxTo(const Sheet& s, const QString& path)
{
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook* wb = workbook_new(file.constData());
    if (!wb)
        return false;
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    lxw_format* bold = workbook_add_format(wb);
    format_set_bold(bold);
    lxw_format* dateFormat = workbook_add_format(wb);
    format_set_num_format(dateFormat, "dd.mm.yyyy");
    lxw_format* dateTimeFormat = workbook_add_format(wb);
    format_set_num_format(dateTimeFormat, "dd.mm.yyyy hh:mm");
    for (int c = 0; c < s.headers.size(); ++c)
        worksheet_write_string(ws, 0, lxw_col_t(c), s.headers.at(c).toUtf8().constData(), bold);
    for (int r = 0; r < s.rows.size(); ++r) {
        const QVariantList& row = s.rows.at(r);
        for (int c = 0; c < row.size(); ++c) {
            const QVariant& v = row.at(c);
            const auto rr = lxw_row_t(r + 1);
            const auto cc = lxw_col_t(c);
            if (v.isNull())
                continue;
            if (isNumber(v)) {
                worksheet_write_number(ws, rr, cc, v.toDouble(), nullptr);
            } else if (v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime) {
                const QDateTime dt = v.toDateTime();
                lxw_datetime d{dt.date().year(), dt.date().month(), dt.date().day(), dt.time().hour(),
                               dt.time().minute(), double(dt.time().second())};
                worksheet_write_datetime(ws, rr, cc, &d,
                                         v.typeId() == QMetaType::QDate ? dateFormat : dateTimeFormat);
            } else {
                worksheet_write_string(ws, rr, cc, v.toString().toUtf8().constData(), nullptr);
            }
        }
    }
    return workbook_close(wb) == LXW_NO_ERROR;
}

void writeXlsx(const Sheet& s, const QString& path)
{
    SaveThroughTemporary(path, [&](const QString& temporary) { return writeXlsxTo(s, temporary); });
}

QString displayText(const QVariant& v)
{
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm"));
    return v.toString();
}

void writeHtml(const Sheet& s, const QString& path)
{
    SaveFileStream(path, [&](QIODevice& f) {
    QTextStream out(&f);
    out.setEncoding(QStringConverter::Utf8);
    out << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"></head><body>\n<table border=\"1\">\n<tr>";
    for (const QString& h : s.headers)
        out << "<th>" << h.toHtmlEscaped() << "</th>";
    out << "</tr>\n";
    for (const auto& row : s.rows) {
        out << "<tr>";
        for (const QVariant& v : row)
            out << (isNumber(v) ? "<td align=\"right\">" : "<td>") << displayText(v).toHtmlEscaped() << "</td>";
        out << "</tr>\n";
    }
    out << "</table>\n</body></html>\n";
    out.flush();
    return out.status() == QTextStream::Ok;
    });
}

QString xmlName(const QString& header, int column)
{
    QString n;
    for (const QChar c : header)
        n += (c.isLetterOrNumber() || c == QLatin1Char('_')) ? c : QLatin1Char('_');
    if (n.isEmpty() || !(n.at(0).isLetter() || n.at(0) == QLatin1Char('_')))
        n.prepend(QStringLiteral("K%1_").arg(column + 1));
    return n;
}

void writeXml(const Sheet& s, const QString& path)
{
    SaveFileStream(path, [&](QIODevice& f) {
    QXmlStreamWriter w(&f);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("LISTE"));
    QStringList names;
    for (int c = 0; c < s.headers.size(); ++c)
        names << xmlName(s.headers.at(c), c);
    for (const auto& row : s.rows) {
        w.writeStartElement(QStringLiteral("SATIR"));
        for (int c = 0; c < row.size(); ++c)
            w.writeTextElement(names.at(c), displayText(row.at(c)));
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndDocument();
    return !w.hasError();
    });
}

void writeText(const Sheet& s, const QString& path)
{
    SaveFileStream(path, [&](QIODevice& f) {
    QTextStream out(&f);
    out.setEncoding(QStringConverter::Utf8);
    out << s.headers.join(QLatin1Char('\t')) << '\n';
    for (const auto& row : s.rows) {
        QStringList cells;
        for (const QVariant& v : row)
            cells << displayText(v);
        out << cells.join(QLatin1Char('\t')) << '\n';
    }
    out.flush();
    return out.status() == QTextStream::Ok;
    });
}

} // namespace

QString ExportExtension(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Xlsx: return QStringLiteral("xlsx");
    case ExportFormat::Html: return QStringLiteral("html");
    case ExportFormat::Xml: return QStringLiteral("xml");
    case ExportFormat::Text: return QStringLiteral("txt");
    }
    return {};
}

void ExportModel(const QAbstractItemModel& model, ExportFormat format, const QString& path, const QTableView* view)
{
    const Sheet s = collect(model, view);
    switch (format) {
    case ExportFormat::Xlsx: writeXlsx(s, path); break;
    case ExportFormat::Html: writeHtml(s, path); break;
    case ExportFormat::Xml: writeXml(s, path); break;
    case ExportFormat::Text: writeText(s, path); break;
    }
}

QString GridExport(const QString& letter, const QTableView* grid, bool, bool)
{
    if (!grid || !grid->model())
        return {};
    ExportFormat format = ExportFormat::Xlsx;
    const QChar l = letter.toUpper().isEmpty() ? QLatin1Char('E') : letter.toUpper().at(0);
    if (l == QLatin1Char('H'))
        format = ExportFormat::Html;
    else if (l == QLatin1Char('T'))
        format = ExportFormat::Text;
    else if (l == QLatin1Char('X'))
        format = ExportFormat::Xml;
    const QString ext = ExportExtension(format);
    const QString name = AskExportFile(QStringLiteral("Export Dosyasını Kaydet"),
                                       QStringLiteral("Seçtiğiniz Export Biçimi (*.%1)").arg(ext), ext);
    if (name.isEmpty())
        return {};
    try {
        ExportModel(*grid->model(), format, name, grid);
    } catch (const std::exception& e) {
        ShowError(QString::fromUtf8(e.what()));
        return {};
    }
    OpenDocument(name);
    return name;
}

} // namespace tornaly
