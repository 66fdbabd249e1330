#include "invoicing/numbering/FatNo.h"
#include "counters/Counters.h"
#include "util/DateCode.h"

namespace tornaly::invoicing {

QString FatNoBicim(const QString& sabitHarf, double fatNo)
{
    return FormatNumberPadded(sabitHarf, 6, QLatin1Char('0'), fatNo);
}

namespace {

FatNoSeri oku(const Db& db, const QString& kilit)
{
    Query q(db, QStringLiteral("SELECT SABITHARF, FATNO FROM NEWSATIS") + kilit);
    q.exec();
    FatNoSeri s;
    if (q.next()) {
        s.SABITHARF = q.str(QStringLiteral("SABITHARF")).trimmed();
        s.FATNO = q.num(QStringLiteral("FATNO"));
    }
    return s;
}

} // namespace

FatNoSeri FatNoOku(const Db& db)
{
    return oku(db, {});
}

FatNoSeri FatNoKilitle(const Db& db)
{
    // SQLite's write transaction already holds the database; PostgreSQL locks the row.
    return oku(db, db.dialect().rowLockSuffix());
}

void FatNoIlerlet(const Db& db)
{
    db.exec(QStringLiteral("UPDATE NEWSATIS SET FATNO = COALESCE(FATNO, 0) + 1"));
}

double SatisNoAl(const Db& db)
{
    return double(TakeCounterNumber(db, QStringLiteral("NEWSATIS")));
}

FatNoKullanim FatNoKullanimi(const Db& db, const QString& fatNo, double haricSatisNo)
{
    FatNoKullanim k;
    if (fatNo.trimmed().isEmpty())
        return k;
    Query q(db, QStringLiteral("SELECT SATIS_NO FROM SERFAT WHERE FAT_NO = :FAT_NO AND SATIS_NO <> :SATIS_NO"));
    q.bind(QStringLiteral("FAT_NO"), fatNo).bind(QStringLiteral("SATIS_NO"), haricSatisNo).exec();
    if (q.next()) {
        k.kullanildi = true;
        k.satisNo = q.num(QStringLiteral("SATIS_NO"));
        return k;
    }
    q.finish();
    // Sales are a later part of the system; until their table exists only
    // work-order invoices can hold a number.
    if (db.dialect().tableExists(db, QStringLiteral("SATIS"))) {
        Query s(db, QStringLiteral("SELECT SATIS_NO FROM SATIS WHERE FATIRSNO = :FAT_NO"));
        s.bind(QStringLiteral("FAT_NO"), fatNo).exec();
        if (s.next()) {
            k.kullanildi = true;
            k.satis = true;
            k.satisNo = s.num(QStringLiteral("SATIS_NO"));
        }
    }
    return k;
}

QString FatNoKullanimMesaji(const FatNoKullanim& k)
{
    const QString no = QString::number(k.satisNo, 'f', 0);
    return k.satis ? QStringLiteral("Aynı Fatura Nolu Satış Faturası Kaydı var !Satış No:") + no
                   : QStringLiteral("Aynı Fatura Nolu İşemri Faturası Kaydı var !Satış No:") + no;
}

} // namespace tornaly::invoicing
