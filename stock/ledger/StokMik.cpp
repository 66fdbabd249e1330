#include "stock/ledger/StokMik.h"

namespace tornaly::stock {

namespace {
double sumOf(const Db& db, const QString& sql, double stokNo, const QString& depo)
{
    Query q(db, sql);
    q.bind(QStringLiteral("STOK_NO"), stokNo);
    if (!depo.isEmpty())
        q.bind(QStringLiteral("DEPO"), depo);
    q.exec();
    return q.next() ? q.value(0).toDouble() : 0.0;
}
} // namespace

double DepoHrkMiktari(const Db& db, double stokNo, const QString& depo)
{
    return sumOf(db,
                 depo.isEmpty()
                     ? QStringLiteral("SELECT COALESCE(SUM(GIRMIK - CIKMIK), 0) FROM DEPOHRK WHERE STOK_NO = :STOK_NO")
                     : QStringLiteral("SELECT COALESCE(SUM(GIRMIK - CIKMIK), 0) FROM DEPOHRK "
                                      "WHERE STOK_NO = :STOK_NO AND DEPO_KODU = :DEPO"),
                 stokNo, depo);
}

double StokMikMiktari(const Db& db, double stokNo, const QString& depo)
{
    return sumOf(db,
                 depo.isEmpty()
                     ? QStringLiteral("SELECT COALESCE(SUM(MIKTAR), 0) FROM STOKMIK WHERE STOK_NO = :STOK_NO")
                     : QStringLiteral("SELECT COALESCE(SUM(MIKTAR), 0) FROM STOKMIK "
                                      "WHERE STOK_NO = :STOK_NO AND DEPO_KOD = :DEPO"),
                 stokNo, depo);
}

namespace {
// Both sides of the comparison: every (part, warehouse) that has a STOKMIK
// row or a ledger row.
const char* kFarkSql =
    "SELECT K.STOK_NO, K.DEPO_KOD, COALESCE(M.MIKTAR, 0) AS MIKTAR, COALESCE(H.HAREKET, 0) AS HAREKET "
    "FROM (SELECT STOK_NO, DEPO_KOD FROM STOKMIK UNION SELECT STOK_NO, DEPO_KODU FROM DEPOHRK) K "
    "LEFT JOIN STOKMIK M ON M.STOK_NO = K.STOK_NO AND M.DEPO_KOD = K.DEPO_KOD "
    "LEFT JOIN (SELECT STOK_NO, DEPO_KODU, SUM(GIRMIK - CIKMIK) AS HAREKET FROM DEPOHRK "
    "GROUP BY STOK_NO, DEPO_KODU) H ON H.STOK_NO = K.STOK_NO AND H.DEPO_KODU = K.DEPO_KOD "
    "WHERE ABS(COALESCE(M.MIKTAR, 0) - COALESCE(H.HAREKET, 0)) > :TOLERANS OR M.STOK_NO IS NULL "
    "ORDER BY K.STOK_NO, K.DEPO_KOD";
} // namespace

QList<StokMikFarki> StokMikFarklari(const Db& db, double tolerans)
{
    Query q(db, QString::fromLatin1(kFarkSql));
    q.bind(QStringLiteral("TOLERANS"), tolerans);
    q.exec();
    QList<StokMikFarki> out;
    while (q.next()) {
        StokMikFarki f{q.value(0).toDouble(), q.value(1).toString(), q.value(2).toDouble(), q.value(3).toDouble()};
        // A missing row of a part whose movements sum to 0 is no difference.
        if (qAbs(f.MIKTAR - f.HAREKET) > tolerans)
            out << f;
    }
    return out;
}

int SP_STOKMIK_UPDATE(const Db& db)
{
    Transaction tx(db);
    Query q(db, QString::fromLatin1(kFarkSql));
    q.bind(QStringLiteral("TOLERANS"), 0.0);
    q.exec();
    struct Satir {
        double stokNo;
        QString depo;
        double hareket;
        bool var;
    };
    QList<Satir> satirlar;
    while (q.next()) {
        const double m = q.value(2).toDouble(), h = q.value(3).toDouble();
        if (m != h)
            satirlar << Satir{q.value(0).toDouble(), q.value(1).toString(), h, true};
    }
    Query yaz(db, QStringLiteral(
                      "INSERT INTO STOKMIK (STOK_NO, DEPO_KOD, MIKTAR, UPDATE_TRH) VALUES (:STOK_NO, :DEPO_KOD, "
                      ":MIKTAR, %1) ON CONFLICT (STOK_NO, DEPO_KOD) DO UPDATE SET MIKTAR = excluded.MIKTAR, "
                      "UPDATE_TRH = excluded.UPDATE_TRH").arg(db.dialect().nowExpr()));
    for (const Satir& s : satirlar) {
        yaz.bind(QStringLiteral("STOK_NO"), s.stokNo);
        yaz.bind(QStringLiteral("DEPO_KOD"), s.depo);
        yaz.bind(QStringLiteral("MIKTAR"), s.hareket);
        yaz.exec();
    }
    tx.commit();
    return int(satirlar.size());
}

} // namespace tornaly::stock
