#include "testsupport/XlsWriter.h"

#include <QtEndian>
#include <cstring>

namespace tornaly::test {

namespace {

void put16(QByteArray& b, quint16 v)
{
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}

void put32(QByteArray& b, quint32 v)
{
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}

void record(QByteArray& out, quint16 type, const QByteArray& data)
{
    put16(out, type);
    put16(out, quint16(data.size()));
    out.append(data);
}

QByteArray bof(quint16 kind)
{
    QByteArray d;
    put16(d, 0x0600);
    put16(d, kind);
    put16(d, 0x0DBB);
    put16(d, 0x07CC);
    put32(d, 0);
    put32(d, 0x06);
    return d;
}

QByteArray utf16(const QString& s)
{
    QByteArray b;
    for (QChar c : s)
        put16(b, c.unicode());
    return b;
}

QByteArray workbookStream(const QList<QVariantList>& rows, const QString& sheetName)
{
    QStringList strings;
    quint32 stringCells = 0;
    int cols = 0;
    for (const auto& r : rows) {
        cols = std::max(cols, int(r.size()));
        for (const QVariant& v : r)
            if (v.typeId() == QMetaType::QString) {
                ++stringCells;
                if (!strings.contains(v.toString()))
                    strings << v.toString();
            }
    }

    QByteArray globals;
    record(globals, 0x0809, bof(0x0005));
    QByteArray cp;
    put16(cp, 1200);
    record(globals, 0x0042, cp);
    // Padding: the workbook stream must be large enough to live in ordinary
    // sectors of the container (4096 bytes and more).
    record(globals, 0x00EB, QByteArray(4200, '\0'));
    QByteArray xf;
    put16(xf, 0);
    put16(xf, 0);
    put16(xf, 0x0001);
    xf.append(QByteArray(14, '\0'));
    for (int i = 0; i < 16; ++i)
        record(globals, 0x00E0, xf);
    QByteArray sst;
    put32(sst, stringCells);
    put32(sst, quint32(strings.size()));
    for (const QString& s : strings) {
        put16(sst, quint16(s.size()));
        sst.append('\x01');
        sst.append(utf16(s));
    }
    record(globals, 0x00FC, sst);
    const int boundSheetAt = int(globals.size());
    QByteArray bs;
    put32(bs, 0); // the sheet's offset, filled below
    put16(bs, 0);
    bs.append(char(sheetName.size()));
    bs.append('\x01');
    bs.append(utf16(sheetName));
    record(globals, 0x0085, bs);
    record(globals, 0x000A, {});

    QByteArray sheet;
    record(sheet, 0x0809, bof(0x0010));
    QByteArray dim;
    put32(dim, 0);
    put32(dim, quint32(rows.size()));
    put16(dim, 0);
    put16(dim, quint16(cols));
    put16(dim, 0);
    record(sheet, 0x0200, dim);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows.at(r).size(); ++c) {
            const QVariant& v = rows.at(r).at(c);
            QByteArray cell;
            put16(cell, quint16(r));
            put16(cell, quint16(c));
            put16(cell, 15);
            if (v.typeId() == QMetaType::QString) {
                put32(cell, quint32(strings.indexOf(v.toString())));
                record(sheet, 0x00FD, cell);
            } else if (v.isValid()) {
                const double d = v.toDouble();
                char raw[8];
                std::memcpy(raw, &d, 8);
                cell.append(raw, 8);
                record(sheet, 0x0203, cell);
            }
        }
    record(sheet, 0x000A, {});

    qToLittleEndian(quint32(globals.size()), globals.data() + boundSheetAt + 4);
    return globals + sheet;
}

} // namespace

QByteArray MinimalXls(const QList<QVariantList>& rows, const QString& sheetName)
{
    const QByteArray stream = workbookStream(rows, sheetName);
    const int sectors = int((stream.size() + 511) / 512);
    constexpr quint32 kFree = 0xFFFFFFFF, kEnd = 0xFFFFFFFE, kFat = 0xFFFFFFFD;

    // Sector 0: the allocation table; 1: the directory; 2...: the stream.
    QByteArray header;
    header.append("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    header.append(QByteArray(16, '\0'));
    put16(header, 0x003E);
    put16(header, 0x0003);
    put16(header, 0xFFFE);
    put16(header, 9);
    put16(header, 6);
    header.append(QByteArray(6, '\0'));
    put32(header, 0);     // directory sectors (version 3: 0)
    put32(header, 1);     // allocation-table sectors
    put32(header, 1);     // first directory sector
    put32(header, 0);
    put32(header, 4096);  // mini stream cut-off
    put32(header, kEnd);  // no mini allocation table
    put32(header, 0);
    put32(header, kEnd);  // no further allocation-table list
    put32(header, 0);
    put32(header, 0);     // the allocation table is sector 0
    for (int i = 1; i < 109; ++i)
        put32(header, kFree);

    QByteArray fat;
    put32(fat, kFat);
    put32(fat, kEnd);
    for (int i = 0; i < sectors; ++i)
        put32(fat, i + 1 < sectors ? quint32(3 + i) : kEnd);
    while (fat.size() < 512)
        put32(fat, kFree);

    const auto entry = [](const QString& name, quint8 type, quint32 child, quint32 start, quint32 size) {
        QByteArray e;
        QByteArray n = utf16(name);
        n.append(2, '\0');
        e.append(n);
        e.append(QByteArray(64 - n.size(), '\0'));
        put16(e, quint16(name.isEmpty() ? 0 : n.size()));
        e.append(char(type));
        e.append(char(1));
        put32(e, 0xFFFFFFFF);
        put32(e, 0xFFFFFFFF);
        put32(e, child);
        e.append(QByteArray(16 + 4 + 16, '\0'));
        put32(e, start);
        put32(e, size);
        put32(e, 0);
        return e;
    };
    QByteArray dir;
    dir.append(entry(QStringLiteral("Root Entry"), 5, 1, kEnd, 0));
    dir.append(entry(QStringLiteral("Workbook"), 2, 0xFFFFFFFF, 2, quint32(stream.size())));
    dir.append(entry(QString(), 0, 0xFFFFFFFF, 0, 0));
    dir.append(entry(QString(), 0, 0xFFFFFFFF, 0, 0));

    QByteArray body = stream;
    body.append(QByteArray(sectors * 512 - stream.size(), '\0'));
    return header + fat + dir + body;
}

} // namespace tornaly::test
