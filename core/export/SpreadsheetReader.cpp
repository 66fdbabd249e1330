#include "export/SpreadsheetReader.h"
#include "util/ZipReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QXmlStreamReader>

#include <algorithm>

#include <freexl.h>

namespace tornaly {

namespace {

QString shownPath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

[[noreturn]] void damaged(const QString& path)
{
    throw SpreadsheetError(QStringLiteral("%1 okunamadı: dosya bozuk ya da bir Excel dosyası değil.").arg(shownPath(path)));
}

void checkFile(const QString& path)
{
    const QFileInfo fi(path);
    if (!fi.isFile())
        throw SpreadsheetError(QStringLiteral("%1 dosyası bulunamadı.").arg(shownPath(path)));
    if (fi.size() == 0)
        throw SpreadsheetError(QStringLiteral("%1 dosyası boş.").arg(shownPath(path)));
}

// Column letters of a cell reference ("AB12") as a zero-based index.
int columnOf(const QString& ref)
{
    int col = 0;
    int letters = 0;
    for (const QChar c : ref) {
        if (c < QLatin1Char('A') || c > QLatin1Char('Z'))
            break;
        col = col * 26 + (c.unicode() - 'A' + 1);
        ++letters;
    }
    return letters ? col - 1 : -1;
}

// The text of an <si> or <is> element: every <t> inside it, runs included.
QString inlineText(QXmlStreamReader& x)
{
    const QStringView end = x.name();
    const QString endName = end.toString();
    QString text;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("t"))
            text += x.readElementText();
        else if (x.isStartElement() && x.name() == QLatin1String("rPh"))
            x.skipCurrentElement(); // phonetic hints are not part of the value
        else if (x.isEndElement() && x.name() == endName)
            break;
    }
    return text;
}

QStringList sharedStrings(const ZipReader& zip, const QString& path)
{
    QStringList strings;
    if (!zip.contains(QStringLiteral("xl/sharedStrings.xml")))
        return strings;
    bool ok = false;
    const QByteArray data = zip.read(QStringLiteral("xl/sharedStrings.xml"), &ok);
    if (!ok)
        damaged(path);
    QXmlStreamReader x(data);
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("si"))
            strings << inlineText(x);
    }
    if (x.hasError())
        damaged(path);
    return strings;
}

// The member of the workbook's first sheet, as the workbook lists its sheets.
QString firstSheetMember(const ZipReader& zip, const QString& path, QString& sheetName)
{
    bool ok = false;
    const QByteArray wb = zip.read(QStringLiteral("xl/workbook.xml"), &ok);
    if (!ok)
        damaged(path);
    QString rid;
    QXmlStreamReader x(wb);
    while (!x.atEnd() && rid.isEmpty()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("sheet")) {
            sheetName = x.attributes().value(QLatin1String("name")).toString();
            for (const auto& a : x.attributes())
                if (a.name() == QLatin1String("id"))
                    rid = a.value().toString();
        }
    }
    if (rid.isEmpty())
        throw SpreadsheetError(QStringLiteral("%1 dosyasında sayfa yok.").arg(shownPath(path)));
    const QByteArray rels = zip.read(QStringLiteral("xl/_rels/workbook.xml.rels"), &ok);
    if (!ok)
        damaged(path);
    QXmlStreamReader r(rels);
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == QLatin1String("Relationship")
            && r.attributes().value(QLatin1String("Id")) == rid) {
            QString target = r.attributes().value(QLatin1String("Target")).toString();
            if (target.startsWith(QLatin1Char('/')))
                return target.mid(1);
            return QStringLiteral("xl/") + target;
        }
    }
    damaged(path);
}

SheetTable toTable(QList<QStringList> grid, const QString& path)
{
    // Trailing empty rows carry no record.
    while (!grid.isEmpty() && std::all_of(grid.last().cbegin(), grid.last().cend(),
                                          [](const QString& s) { return s.trimmed().isEmpty(); }))
        grid.removeLast();
    if (grid.isEmpty())
        throw SpreadsheetError(QStringLiteral("%1 dosyasının ilk sayfası boş.").arg(shownPath(path)));
    SheetTable t;
    t.columns = grid.takeFirst();
    while (!t.columns.isEmpty() && t.columns.last().trimmed().isEmpty())
        t.columns.removeLast();
    for (QString& c : t.columns)
        c = c.trimmed();
    const qsizetype n = t.columns.size();
    for (QStringList& row : grid) {
        row.resize(n);
        t.rows << row;
    }
    return t;
}

QString numberText(double v)
{
    return QString::number(v, 'g', 15);
}

} // namespace

int SheetTable::columnIndex(const QString& name) const
{
    for (int i = 0; i < columns.size(); ++i)
        if (columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

SheetTable ReadSpreadsheet(const QString& path)
{
    if (QFileInfo(path).suffix().toLower() == QLatin1String("xlsx"))
        return ReadXlsx(path);
    return ReadXls(path);
}

SheetTable ReadXlsx(const QString& path)
{
    checkFile(path);
    const ZipReader zip(path);
    if (!zip.isOpen() || !zip.contains(QStringLiteral("xl/workbook.xml")))
        damaged(path);
    QString sheetName;
    const QString member = firstSheetMember(zip, path, sheetName);
    const QStringList strings = sharedStrings(zip, path);
    bool ok = false;
    const QByteArray data = zip.read(member, &ok);
    if (!ok)
        damaged(path);

    QList<QStringList> grid;
    QXmlStreamReader x(data);
    int rowIndex = -1;
    while (!x.atEnd()) {
        x.readNext();
        if (!x.isStartElement())
            continue;
        if (x.name() == QLatin1String("row")) {
            const auto r = x.attributes().value(QLatin1String("r"));
            rowIndex = r.isEmpty() ? rowIndex + 1 : r.toInt() - 1;
            if (rowIndex < 0 || rowIndex > 1048575)
                damaged(path);
            continue;
        }
        if (x.name() != QLatin1String("c") || rowIndex < 0)
            continue;
        const QString ref = x.attributes().value(QLatin1String("r")).toString();
        const QString type = x.attributes().value(QLatin1String("t")).toString();
        int col = columnOf(ref);
        if (col < 0) {
            col = grid.size() > rowIndex ? int(grid.at(rowIndex).size()) : 0;
        }
        if (col > 16383)
            damaged(path);
        QString value;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == QLatin1String("v"))
                value = x.readElementText();
            else if (x.isStartElement() && x.name() == QLatin1String("is"))
                value = inlineText(x);
            else if (x.isEndElement() && x.name() == QLatin1String("c"))
                break;
        }
        if (type == QLatin1String("s")) {
            bool okIndex = false;
            const int i = value.toInt(&okIndex);
            if (!okIndex || i < 0 || i >= strings.size())
                damaged(path);
            value = strings.at(i);
        } else if (type == QLatin1String("b")) {
            value = value == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        }
        while (grid.size() <= rowIndex)
            grid.append(QStringList());
        QStringList& row = grid[rowIndex];
        if (row.size() <= col)
            row.resize(col + 1);
        row[col] = value;
    }
    if (x.hasError())
        damaged(path);
    SheetTable t = toTable(grid, path);
    t.sheetName = sheetName;
    return t;
}

SheetTable ReadXls(const QString& path)
{
    checkFile(path);
    const void* h = nullptr;
    const QByteArray name = QFile::encodeName(path);
    const int rc = freexl_open(name.constData(), &h);
    struct Closer {
        const void* h;
        ~Closer()
        {
            if (h)
                freexl_close(h);
        }
    } closer{h};
    if (rc != FREEXL_OK)
        damaged(path);
    unsigned int sheets = 0;
    if (freexl_get_info(h, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK || sheets == 0)
        throw SpreadsheetError(QStringLiteral("%1 dosyasında sayfa yok.").arg(shownPath(path)));
    unsigned int password = 0;
    if (freexl_get_info(h, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK && password == FREEXL_BIFF_OBFUSCATED)
        throw SpreadsheetError(QStringLiteral("%1 dosyası parola ile korunuyor; okunamadı.").arg(shownPath(path)));
    if (freexl_select_active_worksheet(h, 0) != FREEXL_OK)
        damaged(path);
    SheetTable t;
    const char* sheetName = nullptr;
    if (freexl_get_worksheet_name(h, 0, &sheetName) == FREEXL_OK && sheetName)
        t.sheetName = QString::fromUtf8(sheetName);
    unsigned int rows = 0;
    unsigned short cols = 0;
    if (freexl_worksheet_dimensions(h, &rows, &cols) != FREEXL_OK)
        damaged(path);
    QList<QStringList> grid;
    for (unsigned int r = 0; r < rows; ++r) {
        QStringList row;
        for (unsigned short c = 0; c < cols; ++c) {
            FreeXL_CellValue v;
            if (freexl_get_cell_value(h, r, c, &v) != FREEXL_OK)
                damaged(path);
            switch (v.type) {
            case FREEXL_CELL_INT: row << QString::number(v.value.int_value); break;
            case FREEXL_CELL_DOUBLE: row << numberText(v.value.double_value); break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME: row << QString::fromUtf8(v.value.text_value); break;
            default: row << QString(); break;
            }
        }
        grid << row;
    }
    SheetTable result = toTable(grid, path);
    result.sheetName = t.sheetName;
    return result;
}

} // namespace tornaly
