#pragma once
#include "accounts/vouchers/CariHrkFis.h"
#include "context/SessionContext.h"
#include "report/ReportModel.h"

namespace tornaly::accounts {

// The company lines printed on vouchers and receipts (FIRKIM).
struct FirmaBasligi {
    QString EADI, ADI, ADR1, ADR2, ADR3, TLF;
};
FirmaBasligi FirmaBasligiOku(const Db& db);

// The cash receipt of one line of a cash voucher: the larger of its credit
// and debit, in figures and in words of the local currency.
report::Report CariMakbuzRaporu(const SessionContext& ctx, const Db& db, const CariHrkFisi& fis, int satir);
inline QString MakbuzOnceSaklaText() { return QStringLiteral("Lütfen önce kaydı saklayınız."); }

// The heading of a printed voucher: the receipt titles for a cash voucher,
// empty for the other kinds.
QString CariHrkFisBasligi(const QString& tip, double alacak);

// The printed voucher of the voucher browse: one section per account of its
// lines, each closed with its total in figures and words. With `cariKod`
// only that account's lines are printed.
report::Report CariHrkFisRaporu(const SessionContext& ctx, const Db& db, double cariNo, const QString& cariKod = {});

} // namespace tornaly::accounts
