#include "util/Utf8.h"
#include "invoicing/dialogs/YanTablolar.h"

namespace tornaly::invoicing {

namespace {
using text::S;
} // namespace

QList<HazirMetin> HazirMetinler(const Db& db)
{
    QList<HazirMetin> r;
    Query q(db, S("SELECT MT_ID, MT_ACIKLA FROM HAZIRMETIN ORDER BY MT_ACIKLA, MT_ID"));
    q.exec();
    while (q.next())
        r << HazirMetin{int(q.integer(S("MT_ID"))), q.str(S("MT_ACIKLA"))};
    return r;
}

bool HazirMetinYaz(const Db& db, HazirMetin& m)
{
    const QString metin = m.MT_ACIKLA.trimmed().left(100);
    if (metin.isEmpty())
        return false;
    if (m.MT_ID > 0) {
        db.exec(S("UPDATE HAZIRMETIN SET MT_ACIKLA = :A WHERE MT_ID = :I"), {{S("A"), metin}, {S("I"), m.MT_ID}});
    } else {
        Query q(db, S("INSERT INTO HAZIRMETIN (MT_TIP, MT_ACIKLA) VALUES (1, :A) RETURNING MT_ID"));
        q.bind(S("A"), metin).exec();
        if (q.next())
            m.MT_ID = int(q.value(0).toLongLong());
    }
    m.MT_ACIKLA = metin;
    return true;
}

void HazirMetinSil(const Db& db, int id)
{
    db.exec(S("DELETE FROM HAZIRMETIN WHERE MT_ID = :I"), {{S("I"), id}});
}

QList<IskontoOrani> IskontoOranlari(const Db& db)
{
    QList<IskontoOrani> r;
    Query q(db, S("SELECT ISK_NO, ISK_GUN, ISK_ORAN, ACIKLAMA FROM ISKORAN ORDER BY ISK_NO"));
    q.exec();
    while (q.next())
        r << IskontoOrani{int(q.num(S("ISK_NO"))), int(q.num(S("ISK_GUN"))), q.num(S("ISK_ORAN")), q.str(S("ACIKLAMA"))};
    return r;
}

IskontoOrani IskontoOraniOku(const Db& db, int iskNo)
{
    Query q(db, S("SELECT ISK_NO, ISK_GUN, ISK_ORAN, ACIKLAMA FROM ISKORAN WHERE ISK_NO = :N"));
    q.bind(S("N"), iskNo).exec();
    if (!q.next())
        return {};
    return IskontoOrani{int(q.num(S("ISK_NO"))), int(q.num(S("ISK_GUN"))), q.num(S("ISK_ORAN")), q.str(S("ACIKLAMA"))};
}

void IskontoOraniYaz(const Db& db, const IskontoOrani& o)
{
    Transaction tr(db);
    db.exec(S("DELETE FROM ISKORAN WHERE ISK_NO = :N"), {{S("N"), o.ISK_NO}});
    db.exec(S("INSERT INTO ISKORAN (ISK_NO, ISK_GUN, ISK_ORAN, ACIKLAMA) VALUES (:N, :G, :O, :A)"),
            {{S("N"), o.ISK_NO}, {S("G"), o.ISK_GUN}, {S("O"), o.ISK_ORAN}, {S("A"), o.ACIKLAMA.left(60)}});
    tr.commit();
}

void IskontoOraniSil(const Db& db, int iskNo)
{
    db.exec(S("DELETE FROM ISKORAN WHERE ISK_NO = :N"), {{S("N"), iskNo}});
}

FatTaniDegerleri FatTaniOku(const Db& db)
{
    FatTaniDegerleri d;
    Query q(db, S("SELECT SABITHARF, FATNO, IRS_HARF, IRS_NO, IRS_FAT_HARF, IRS_FAT_NO FROM NEWSATIS"));
    q.exec();
    if (q.next()) {
        d.SABITHARF = q.str(S("SABITHARF"));
        d.FATNO = q.num(S("FATNO"));
        d.IRS_HARF = q.str(S("IRS_HARF"));
        d.IRS_NO = q.num(S("IRS_NO"));
        d.IRS_FAT_HARF = q.str(S("IRS_FAT_HARF"));
        d.IRS_FAT_NO = q.num(S("IRS_FAT_NO"));
    }
    return d;
}

void FatTaniYaz(const Db& db, const FatTaniDegerleri& d)
{
    const QVariantMap b{{S("SH"), d.SABITHARF.left(5)},  {S("FN"), d.FATNO},       {S("IH"), d.IRS_HARF.left(5)},
                        {S("IN"), d.IRS_NO},             {S("FH"), d.IRS_FAT_HARF.left(5)}, {S("FF"), d.IRS_FAT_NO}};
    Transaction tr(db);
    const int n = db.exec(S("UPDATE NEWSATIS SET SABITHARF = :SH, FATNO = :FN, IRS_HARF = :IH, IRS_NO = :IN, "
                            "IRS_FAT_HARF = :FH, IRS_FAT_NO = :FF"),
                          b);
    if (n == 0)
        db.exec(S("INSERT INTO NEWSATIS (YENINO, SABITHARF, FATNO, IRS_HARF, IRS_NO, IRS_FAT_HARF, IRS_FAT_NO) "
                  "VALUES (1, :SH, :FN, :IH, :IN, :FH, :FF)"),
                b);
    tr.commit();
}

} // namespace tornaly::invoicing
