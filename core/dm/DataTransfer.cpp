#include "dm/DataTransfer.h"
#include "export/TableExport.h"
#include "messages/Messages.h"
#include "platform/Desktop.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>

namespace tornaly {

namespace {

struct StokKart {
    bool found = false;
    QString code;  // the code that found the card (after the suffix rule)
    QString STOK_KOD_NO;
    QString RAF_YERI;
};

StokKart findOne(const Db& db, const QString& code)
{
    Query q(db, QStringLiteral("SELECT STOK_NO, STOK_KOD_NO, RAF_YERI FROM STOK WHERE STOK_KOD_NO = :STOK_KOD_NO"));
    q.bind(QStringLiteral("STOK_KOD_NO"), code).exec();
    StokKart k;
    if (q.next()) {
        k.found = true;
        k.code = code;
        k.STOK_KOD_NO = q.str(QStringLiteral("STOK_KOD_NO"));
        k.RAF_YERI = q.str(QStringLiteral("RAF_YERI"));
    }
    return k;
}

// Some labels print four characters after the part number: a code longer than
// seven characters that finds no card is tried again without them.
StokKart findStock(const Db& db, const QString& scanned)
{
    StokKart k = findOne(db, scanned);
    if (!k.found && scanned.size() > 7) {
        const QString shortened = scanned.left(scanned.size() - 4).trimmed();
        k = findOne(db, shortened);
        k.code = shortened;
    }
    if (!k.found)
        k.code = scanned;
    return k;
}

QString dikkat(const QString& terminalShelf, const QString& cardShelf)
{
    return terminalShelf.trimmed() == cardShelf.trimmed() ? QString() : QStringLiteral("X");
}

// Quantities come as the terminal writes them: "3", "2.5" or "2,5".
bool parseQuantity(const QString& text, double& value)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    value = t.toDouble(&ok);
    return ok && std::isfinite(value);
}

// Terminal files are plain text; older terminals write the Turkish code page.
bool decodeText(const QByteArray& data, QString& text)
{
    if (data.contains('\0'))
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8);
    text = utf8(data);
    if (!utf8.hasError())
        return true;
    QStringDecoder tr("windows-1254");
    if (tr.isValid()) {
        text = tr(data);
        return !tr.hasError();
    }
    text = QString::fromLatin1(data);
    return true;
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

QString ExceleAktar(const QAbstractItemModel& table)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    dir += QStringLiteral("/aktarim");
    QDir().mkpath(dir);
    const QString path = QStringLiteral("%1/aktarim_%2.xlsx")
                             .arg(dir, QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmsszzz")));
    ExportModel(table, ExportFormat::Xlsx, path);
    OpenDocument(path);
    return path;
}

bool ExceldenOkuDosya(const QString& path, SheetTable& table, const QStringList& requiredColumns)
{
    table = SheetTable();
    if (path.isEmpty())
        return false;
    try {
        SheetTable t = ReadSpreadsheet(path);
        QStringList missing;
        for (const QString& c : requiredColumns)
            if (t.columnIndex(c) < 0)
                missing << c;
        if (!missing.isEmpty())
            throw SpreadsheetError(QStringLiteral("%1 dosyasının ilk satırında beklenen sütunlar yok: %2")
                                       .arg(shown(path), missing.join(QStringLiteral(", "))));
        table = std::move(t);
        return true;
    } catch (const SpreadsheetError& e) {
        ShowError(QStringLiteral("Hata:") + e.text());
    }
    return false;
}

bool ExceldenOku(SheetTable& table, const QStringList& requiredColumns)
{
    table = SheetTable();
    const QString path =
        Messages().askOpenFile(QString(), QStringLiteral("Excel 2007 (*.xlsx);;Excel (*.xls)"));
    return ExceldenOkuDosya(path, table, requiredColumns);
}

bool MobilSayimOku(const Db& company, const Db& terminal, const QString& TIP, const QString& BELGE_NO,
                   SayimTablolari& out)
{
    if (BELGE_NO.isEmpty())
        return false;
    out.clear();
    Query q(terminal, QStringLiteral("SELECT STOK_KOD, MIKTAR, RAF_YERI FROM ISLEMLER "
                                     "WHERE TIP = :TIP AND BELGE_NO = :BELGE_NO ORDER BY STOK_KOD"));
    q.bind(QStringLiteral("TIP"), TIP).bind(QStringLiteral("BELGE_NO"), BELGE_NO).exec();
    // The terminal's rows are read whole before the look-ups: a server
    // connection streams one result at a time.
    struct Row {
        QString code;
        double miktar;
        QString sraf;
    };
    QList<Row> rows;
    while (q.next())
        rows.append({q.str(QStringLiteral("STOK_KOD")).trimmed(), q.num(QStringLiteral("MIKTAR")),
                     q.str(QStringLiteral("RAF_YERI"))});
    for (const Row& row : rows) {
        const StokKart k = findStock(company, row.code);
        if (!k.found) {
            out.rxHatali.append({row.code, row.miktar, QString()});
            continue;
        }
        auto same = std::find_if(out.rxSayim.begin(), out.rxSayim.end(),
                                 [&](const SayimSatiri& s) { return s.STOK_KOD == k.STOK_KOD_NO; });
        if (same != out.rxSayim.end()) {
            same->MIKTAR += row.miktar;
            continue;
        }
        out.rxSayim.append({k.code, row.miktar, k.STOK_KOD_NO, row.sraf, k.RAF_YERI, dikkat(row.sraf, k.RAF_YERI)});
    }
    const bool any = !rows.isEmpty();
    return any;
}

QString SayimDosyasiFiltre()
{
    return QStringLiteral("Text (*.txt);;Çikis Dosyasi (*.cks);;Giris Dosyasi (*.grs);;Sayim Dosyasi (*.sym);;"
                          "Tümü (*.*)");
}

bool SayimDosyasiOku(const Db& company, const QString& type, SayimTablolari& out)
{
    // The caller's kind comes first, as the dialog's default.
    QStringList filters = SayimDosyasiFiltre().split(QStringLiteral(";;"));
    const QString own = QStringLiteral("(*.%1)").arg(type.toLower());
    for (int i = 0; i < filters.size(); ++i)
        if (!type.isEmpty() && filters.at(i).endsWith(own)) {
            filters.move(i, 0);
            break;
        }
    const QString path = Messages().askOpenFile(QString(), filters.join(QStringLiteral(";;")));
    if (path.isEmpty())
        return false;
    return SayimDosyasiOkuDosya(company, path, type, out);
}

bool SayimDosyasiOkuDosya(const Db& company, const QString& path, const QString& type, SayimTablolari& out)
{
    out.clear();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        ShowError(QStringLiteral("%1 dosyası okunamadı.").arg(shown(path)));
        return false;
    }
    const QByteArray data = f.readAll();
    if (f.error() != QFile::NoError) {
        ShowError(QStringLiteral("%1 dosyası okunamadı.").arg(shown(path)));
        return false;
    }
    if (data.trimmed().isEmpty()) {
        ShowError(QStringLiteral("%1 dosyası boş.").arg(shown(path)));
        return false;
    }
    QString text;
    if (!decodeText(data, text)) {
        ShowError(QStringLiteral("%1 bir sayım dosyası değil (metin dosyası olmalı: kod;miktar;belge;tarih;saat;raf;tip).")
                      .arg(shown(path)));
        return false;
    }

    SayimTablolari read;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!line.contains(QLatin1Char(';')))
            continue;
        // code;quantity;document;date;time;shelf;type. Every field but the type
        // must be closed by its ";"; the type counts only when nothing follows it.
        const QStringList parts = line.split(QLatin1Char(';'));
        const QString code = parts.at(0).trimmed();
        const bool complete = parts.size() >= 7;
        QString lineType;
        if (parts.size() == 7)
            lineType = parts.at(6).trimmed().left(3);
        if (complete && lineType != type)
            continue;

        double miktar = 0;
        bool quantityOk = parts.size() >= 3 && parseQuantity(parts.at(1), miktar);
        if (!quantityOk)
            miktar = 0;
        else if (miktar < 0)
            miktar = 0;
        const StokKart k = findStock(company, code);
        if (!complete || !quantityOk || !k.found) {
            read.rxHatali.append({k.code, miktar, k.found ? k.STOK_KOD_NO : QString()});
            continue;
        }
        const QString sraf = parts.at(5).trimmed();
        read.rxSayim.append({k.code, miktar, k.STOK_KOD_NO, sraf, k.RAF_YERI, dikkat(sraf, k.RAF_YERI)});
    }
    out = std::move(read);
    return true;
}

} // namespace tornaly
