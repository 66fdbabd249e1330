#pragma once
#include "db/Database.h"
#include "export/SpreadsheetReader.h"

#include <QList>
#include <QString>
#include <QStringList>

class QAbstractItemModel;

namespace tornaly {

// A recognised count item (rxSayim).
struct SayimSatiri {
    QString BARKOD;   // the code as scanned, after the suffix rule
    double MIKTAR = 0;
    QString STOK_KOD; // the stock card's STOK_KOD_NO
    QString SRAF;     // the shelf the terminal reported
    QString RAF;      // the shelf on the stock card
    QString DIKKAT;   // "X" when the two shelves differ, else empty
};

// A rejected count line (rxHatali).
struct HataliSatir {
    QString BARKOD;
    double MIKTAR = 0;
    QString STOK_KOD;
};

// The two in-memory tables the count readers fill for the calling form.
struct SayimTablolari {
    QList<SayimSatiri> rxSayim;
    QList<HataliSatir> rxHatali;
    void clear()
    {
        rxSayim.clear();
        rxHatali.clear();
    }
};

// Writes the rows of a table into a new workbook in the per-user data folder
// and opens it with the desktop's spreadsheet program (column captions in the
// first row). Throws std::runtime_error with a Turkish text when it cannot be written.
QString ExceleAktar(const QAbstractItemModel& table);

// Asks for an .xlsx or .xls file and reads its first sheet. False when
// cancelled, or after "Hata:" + the reason (damaged, empty or wrong-kind
// file, or a column of `requiredColumns` missing): the table is then empty.
bool ExceldenOku(SheetTable& table, const QStringList& requiredColumns = {});
// The same without the dialog (callers that already hold a file name, tests).
bool ExceldenOkuDosya(const QString& path, SheetTable& table, const QStringList& requiredColumns = {});

// Reads the items a hand-held terminal scanned for one document from its
// table ISLEMLER (`terminal` is the terminal's database). True when the
// terminal had at least one row for the document.
bool MobilSayimOku(const Db& company, const Db& terminal, const QString& TIP, const QString& BELGE_NO,
                   SayimTablolari& out);

// Asks for a terminal's text file (";"-separated, see the file reader) and
// reads the lines of `type`. True when a file was read.
bool SayimDosyasiOku(const Db& company, const QString& type, SayimTablolari& out);
// The reader itself: code; quantity; document; date; time; shelf; type.
// A file that cannot be read, is empty or is not text gets a message and
// leaves both tables empty.
bool SayimDosyasiOkuDosya(const Db& company, const QString& path, const QString& type, SayimTablolari& out);

// The open dialog's filter of the count files.
QString SayimDosyasiFiltre();

} // namespace tornaly
