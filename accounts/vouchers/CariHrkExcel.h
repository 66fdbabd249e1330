#pragma once
#include "accounts/vouchers/CariHrkFis.h"
#include "export/SpreadsheetReader.h"

namespace tornaly::accounts {

inline QString CariHrkExcelSorusu()
{
    return QStringLiteral("Seçtiğiniz Exceldeki bilgiler aktarılacaktır..[Format:SNo,CariKod,CariAd,Borc,Alacak,"
                          "(DövizCinsi,Kur)]\n Devam Edilsin mi?");
}
inline QString AktarilamayanText() { return QStringLiteral("Aktarılamayan kayıtlar mevcut!"); }

struct CariHrkExcelSonucu {
    QList<CariHrkFisSatiri> satirlar; // not yet numbered nor computed
    QStringList reddedilen;           // one entry per refused row
};

// Voucher lines from a sheet whose columns are, by position: sequence number,
// account code, account name, debit, credit, description, currency code,
// rate. Missing trailing columns count as empty. Rows without a code are
// skipped; rows on an unknown account or with an amount that does not parse
// are refused and listed.
CariHrkExcelSonucu CariHrkExceldenSatirlar(const SessionContext& ctx, const Db& db, const SheetTable& sayfa);

// Whether the sheet can be imported at all: rows and more than one column.
bool CariHrkExcelKullanilabilir(const SheetTable& sayfa);

} // namespace tornaly::accounts
