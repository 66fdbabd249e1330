#pragma once
#include "db/Database.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>

namespace tornaly { struct SessionContext; }

namespace tornaly::invoicing {

// The week of the year as the company's database server counts it: weeks
// start on Sunday and week 1 is the week that holds 1 January.
int SunucuHaftasi(const QDate& d);
// The days of that week within the same year, as a half-open range.
struct GunAraligi {
    QDate bas, son; // son is the day after the last
};
GunAraligi HaftaAraligi(const QDate& d);

// The Excel copy's file: firm + ".einv-" + the day for e-invoice accounts,
// firm + ".Inv-" + week + "-" + year otherwise. The name never holds a
// folder separator or a character a file name cannot have.
QString FaturaExcelDosyaAdi(const QString& firmaAdi, bool eFatura, const QDate& bugun);
QString DosyaAdiTemizle(const QString& ad);

// One row of the copy, in the file's column order.
struct FaturaExcelSatiri {
    QDate TARIH;
    QString FATURA_NO, CARI_KODU, CARI_UNVANI;
    double GENEL_IND = 0;
    QString STOK_KODU, STOK_CINSI;
    double MIKTAR = 0, FIYAT = 0, TUTAR = 0, KDV = 0, IND1 = 0;
};
QStringList FaturaExcelBasliklari();

// The rows of the copy for today (work-order invoice lines, warranty lines
// left out) and the invoices the copy marks as copied.
struct FaturaExcelSecimi {
    QList<FaturaExcelSatiri> satirlar;
    QList<double> isaretlenecek; // SERFAT.SATIS_NO
};
FaturaExcelSecimi FaturaExcelSatirlari(const Db& db, bool eFatura, const QDate& bugun);

// InvoiceExportExcel: writes the invoices of the day (e-invoice accounts) or
// of the week (other accounts) into `folder` and marks them as copied. Runs
// only after a committed save. Returns the file written; empty when there
// were no rows (an older file of that name is removed). A file that cannot
// be written throws std::runtime_error with a Turkish text; the marks are
// then not set.
QString InvoiceExportExcel(const SessionContext& ctx, const Db& db, const QString& folder, bool eFatura,
                           const QDate& bugun = QDate::currentDate());

// Whether the invoice's account is an e-invoice payer (CARI.EF_MUKELLEF = 1).
bool EFaturaMukellefi(const Db& db, const QString& cariKod);

} // namespace tornaly::invoicing
