#pragma once
#include "db/Database.h"

#include <QString>

namespace tornaly::invoicing {

// The printed invoice series of NEWSATIS: the letters followed by the
// number padded with "0" to six digits ("A" and 1234 give "A001234").
QString FatNoBicim(const QString& sabitHarf, double fatNo);

struct FatNoSeri {
    QString SABITHARF;
    double FATNO = 0;
    QString numara() const { return FatNoBicim(SABITHARF, FATNO); }
};

// The series as it stands, read without a lock (for a proposal only).
FatNoSeri FatNoOku(const Db& db);
// The series under the counter row's lock, inside the caller's transaction.
FatNoSeri FatNoKilitle(const Db& db);
// Moves the series one on (inside the caller's transaction, after FatNoKilitle).
void FatNoIlerlet(const Db& db);

// The internal document number shared by sales, work-order invoices and
// stock slips (NEWSATIS.YENINO), taken before the document is written.
double SatisNoAl(const Db& db);

// Whether a printed number is used by another work-order invoice or a sale;
// fills the other document's SATIS_NO and which kind it is.
struct FatNoKullanim {
    bool kullanildi = false;
    bool satis = false; // a sale (SATIS), else a work-order invoice
    double satisNo = 0;
};
FatNoKullanim FatNoKullanimi(const Db& db, const QString& fatNo, double haricSatisNo);
QString FatNoKullanimMesaji(const FatNoKullanim& k);

} // namespace tornaly::invoicing
