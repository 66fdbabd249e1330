#include "report/PageSetup.h"

#include "db/Database.h"

namespace tornaly::report {

PaperChoice PaperFor(const QString& pageName, const QString& orientation, int width, int length)
{
    PaperChoice c;
    c.landscape = orientation != QLatin1String("D");
    if (pageName == PageA4) {
        c.reportPaper = QPageSize::A4;
        c.printerPaperCode = 9;
    } else if (pageName == PageB5) {
        c.reportPaper = QPageSize::JisB5; // 182 x 257
        c.printerPaperCode = 13;
    } else if (pageName == PageLegal) {
        c.reportPaper = QPageSize::Legal;
        c.printerPaperCode = 5;
    } else if (pageName == PageMektup) {
        c.reportPaper = QPageSize::Letter;
        c.printerPaperCode = 45;
    } else if (pageName == PageCustom) {
        c.reportPaper = QPageSize::Custom;
        c.reportSizeMm = QSizeF(width < 15 ? 210 : width, length < 15 ? 210 : length);
        c.printerPaperCode = 256;
        c.printerWidthTenths = width < 150 ? 2100 : width * 10;
        c.printerLengthTenths = length < 150 ? 2100 : length * 10;
    } else {
        // No page name (or one we do not know): a plain 210 x 297 page.
        c.reportPaper = QPageSize::Custom;
        c.reportSizeMm = QSizeF(210, 297);
        c.printerPaperCode = 9;
    }
    if (c.reportPaper != QPageSize::Custom)
        c.reportSizeMm = QPageSize(c.reportPaper).size(QPageSize::Millimeter);
    return c;
}

PageSetupValues ReadPageSetup(const Db& db, const QString& key, const QString& reportName)
{
    PageSetupValues v;
    v.PASADI = key;
    v.QUIKAD = reportName;
    if (key.isEmpty())
        return v;
    if (key == InvoicePageKey) {
        Query q(db, QStringLiteral("SELECT SAYFAISIM, PRBICIMI, SAYFAGEN, SAYFAYUK FROM SAYFA"));
        q.exec();
        if (q.next()) {
            v.found = true;
            v.SAYFAISIM = q.str(QStringLiteral("SAYFAISIM"));
            v.PRBICIMI = q.integer(QStringLiteral("PRBICIMI")) != 0 ? QStringLiteral("Y") : QStringLiteral("D");
            v.SAG = v.SOL = v.UST = v.ALT = 5;
            v.SAYFAYUK = int(q.integer(QStringLiteral("SAYFAYUK")));
            v.SAYFAGEN = int(q.integer(QStringLiteral("SAYFAGEN")));
        }
        return v;
    }
    Query q(db, QStringLiteral("SELECT * FROM MSAYFA WHERE (PASADI=:pasad) AND (QUIKAD=:qadi)"));
    q.bind(QStringLiteral("pasad"), key).bind(QStringLiteral("qadi"), reportName).exec();
    if (q.next()) {
        v.found = true;
        v.SAYFAISIM = q.str(QStringLiteral("SAYFAISIM"));
        v.PRBICIMI = q.str(QStringLiteral("PRBICIMI"));
        v.SAG = int(q.integer(QStringLiteral("SAG")));
        v.SOL = int(q.integer(QStringLiteral("SOL")));
        v.ALT = int(q.integer(QStringLiteral("ALT")));
        v.UST = int(q.integer(QStringLiteral("UST")));
        v.SAYFAYUK = int(q.integer(QStringLiteral("SAYFAYUK")));
        v.SAYFAGEN = int(q.integer(QStringLiteral("SAYFAGEN")));
    }
    return v;
}

Tdmsayfa& dmsayfa()
{
    static Tdmsayfa module;
    return module;
}

void SayfaBoyutUygula(Report& report, const PageSetupValues& v)
{
    const PaperChoice c = PaperFor(v.SAYFAISIM, v.PRBICIMI, v.SAYFAGEN, v.SAYFAYUK);
    report.page.paperId = c.reportPaper;
    report.page.sizeMm = c.reportSizeMm;
    report.page.landscape = c.landscape;
    report.page.printerPaperCode = c.printerPaperCode;
    switch (c.printerPaperCode) {
    case 256: report.page.printerSizeMm = QSizeF(c.printerWidthTenths / 10.0, c.printerLengthTenths / 10.0); break;
    case 45: report.page.printerSizeMm = QSizeF(254.0, 279.4); break; // 10 x 11 inches
    case 9: report.page.printerSizeMm = QSizeF(210, 297); break;
    default: report.page.printerSizeMm = QSizeF(); break; // the report's own paper
    }
}

void SayfaBoyutUygula(Report& report)
{
    SayfaBoyutUygula(report, dmsayfa().last);
}

bool SyfAyariYap(const Db& db, Report& report, const QString& key)
{
    const PageSetupValues v = ReadPageSetup(db, key, report.name);
    if (!v.found)
        return false;
    SayfaBoyutUygula(report, v);
    report.page.marginsMm = QMarginsF(v.SOL, v.UST, v.SAG, v.ALT);
    return true;
}

} // namespace tornaly::report
