#pragma once
#include "db/Database.h"
#include "report/ReportModel.h"

#include <QPageSize>
#include <QSizeF>
#include <QString>

namespace tornaly::report {

// The page names a stored page setup chooses its paper by.
inline const QString PageA4 = QStringLiteral("A4   (210mm x 297mm)");
inline const QString PageB5 = QStringLiteral("B5   (182mm x 257mm)");
inline const QString PageLegal = QStringLiteral("Legal    (203,2 mm x 355,6mm)");
inline const QString PageMektup = QStringLiteral("Mektup (230,2 mm x 274,9 mm)");
inline const QString PageCustom = QStringLiteral("Kullanıcı Tanımlasın");
// The key under which invoices take their page from the invoice page setup.
inline const QString InvoicePageKey = QStringLiteral("__FATURA_AYARI__");

// One stored page setup (a row of MSAYFA, or the invoice page of SAYFA).
struct PageSetupValues {
    QString PASADI;
    QString QUIKAD;
    QString SAYFAISIM;
    QString PRBICIMI; // "D" portrait, anything else landscape
    int SAYFAGEN = 0; // width, mm
    int SAYFAYUK = 0; // length, mm
    int SAG = 0, SOL = 0, UST = 0, ALT = 0;
    bool found = false;
};

// The paper a page setup gives the report and the printer.
struct PaperChoice {
    QPageSize::PageSizeId reportPaper = QPageSize::A4; // Custom: reportSizeMm
    QSizeF reportSizeMm;                                // portrait width x length
    bool landscape = true;
    int printerPaperCode = 9;       // 9 A4, 13 B5, 5 Legal, 45 10x11 in, 256 user size
    int printerWidthTenths = 0;     // user size only, tenths of a millimetre
    int printerLengthTenths = 0;
};

PaperChoice PaperFor(const QString& pageName, const QString& orientation, int width, int length);

// Reads the stored setup of a report (key "__FATURA_AYARI__": the invoice page).
// An empty key or a missing row gives an empty setup (found = false).
PageSetupValues ReadPageSetup(const Db& db, const QString& key, const QString& reportName);

// The page values of the last call, shared by every print of the session.
class Tdmsayfa {
public:
    PageSetupValues last;
};
Tdmsayfa& dmsayfa();

// Page name, orientation and size of the given setup onto the report; the
// printer of each print job is given the matching paper.
void SayfaBoyutUygula(Report& report, const PageSetupValues& values);
// The same with the values last read into the session's page-setup module.
void SayfaBoyutUygula(Report& report);

// The page-setup rules of the cash list and cash statement: only when a row
// exists, its paper, orientation and margins. Returns whether one existed.
bool SyfAyariYap(const Db& db, Report& report, const QString& key);

} // namespace tornaly::report
