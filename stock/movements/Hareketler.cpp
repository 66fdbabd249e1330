#include "stock/movements/Hareketler.h"

namespace tornaly::stock {

namespace {
bool tabloVar(const Db& db, const char* t) { return db.dialect().tableExists(db, QString::fromLatin1(t)); }

void ortakBaglar(SqlText& s, const HareketFiltresi& f)
{
    s.binds.insert(QStringLiteral("STOK_NO"), f.stokNo);
    s.binds.insert(QStringLiteral("BASTRH"), QDateTime(f.bas, QTime(0, 0)));
    // The last day counts to its end: everything before the next midnight.
    s.binds.insert(QStringLiteral("SONTRH"), QDateTime(f.son.addDays(1), QTime(0, 0)));
    if (!f.depo.isEmpty())
        s.binds.insert(QStringLiteral("DEPO_KODU"), f.depo);
}

QString depoKosulu(const HareketFiltresi& f)
{
    return f.depo.isEmpty() ? QString() : QStringLiteral("AND DEPOHRK.DEPO_KODU = :DEPO_KODU");
}

QString cariAdi(const Db& db, QString* join)
{
    if (tabloVar(db, "CARI")) {
        *join = QStringLiteral("LEFT OUTER JOIN CARI ON (DEPOHRK.CARIKOD = CARI.CARI_KOD)");
        return QStringLiteral("CARI.FIRMA_ADI");
    }
    return QStringLiteral("CAST(NULL AS VARCHAR(45))");
}
} // namespace

SqlText HareketSorgusu(const Db& db, const HareketFiltresi& f)
{
    QString cariJoin, isemriJoin;
    const QString firma = cariAdi(db, &cariJoin);
    QString plaka = QStringLiteral("CAST(NULL AS VARCHAR(15))");
    if (tabloVar(db, "ISEMRI")) {
        isemriJoin = QStringLiteral("LEFT OUTER JOIN ISEMRI ON (DEPOHRK.ISEMRINO = ISEMRI.IS_EMRI_NO)");
        plaka = QStringLiteral("ISEMRI.PLAKA_NO");
    }
    SqlText s;
    s.lines = {QStringLiteral("SELECT DEPOHRK.TARIH, DEPOHRK.SATISNO, DEPOHRK.ISEMRINO, %1 AS PLAKA_NO, DEPOHRK.TIP, "
                              "DEPOHRK.SIRANO, DEPOHRK.CARIKOD, %2 AS FIRMA_ADI, DEPOHRK.FIYAT, DEPOHRK.GIRMIK, "
                              "DEPOHRK.CIKMIK, DEPOHRK.DEPO_KODU || ':' || COALESCE(DEPO.DEPO_ADI, '') AS DEPO, "
                              "DEPOHRK.STOK_NO, DEPOHRK.DEPO_KODU AS DEPO_KOD")
                   .arg(plaka, firma),
               QStringLiteral("FROM DEPOHRK %1 %2 LEFT OUTER JOIN DEPO ON (DEPO.DEPO_KODU = DEPOHRK.DEPO_KODU)")
                   .arg(cariJoin, isemriJoin),
               QStringLiteral("WHERE DEPOHRK.STOK_NO = :STOK_NO AND DEPOHRK.TARIH >= :BASTRH AND DEPOHRK.TARIH < :SONTRH"),
               depoKosulu(f), QStringLiteral("ORDER BY DEPOHRK.TARIH")};
    ortakBaglar(s, f);
    return s;
}

SqlText DepoToplamSorgusu(const Db& db, const HareketFiltresi& f)
{
    Q_UNUSED(db);
    SqlText s;
    s.lines = {QStringLiteral("SELECT DEPOHRK.DEPO_KODU, MIN(DEPO.DEPO_ADI) AS DEPO_ADI, SUM(GIRMIK) AS GIREN, "
                              "SUM(CIKMIK) AS CIKAN, SUM(GIRMIK) - SUM(CIKMIK) AS FARK, "
                              "SUM(GIRMIK * COALESCE(FIYAT, 0)) AS GIR_TUTAR, SUM(CIKMIK * COALESCE(FIYAT, 0)) AS CIK_TUTAR"),
               QStringLiteral("FROM DEPOHRK LEFT OUTER JOIN DEPO ON (DEPO.DEPO_KODU = DEPOHRK.DEPO_KODU)"),
               QStringLiteral("WHERE DEPOHRK.STOK_NO = :STOK_NO AND DEPOHRK.TARIH >= :BASTRH AND DEPOHRK.TARIH < :SONTRH"),
               QStringLiteral("GROUP BY DEPOHRK.DEPO_KODU"), QStringLiteral("ORDER BY DEPOHRK.DEPO_KODU")};
    ortakBaglar(s, f);
    s.binds.remove(QStringLiteral("DEPO_KODU"));
    return s;
}

SqlText CariToplamSorgusu(const Db& db, const HareketFiltresi& f)
{
    QString cariJoin;
    const QString firma = cariAdi(db, &cariJoin);
    SqlText s;
    s.lines = {QStringLiteral("SELECT DEPOHRK.CARIKOD, MIN(%1) AS FIRMA_ADI, DEPOHRK.DEPO_KODU || ':' || "
                              "COALESCE(MIN(DEPO.DEPO_ADI), '') AS DEPO, SUM(GIRMIK) AS GIREN, SUM(CIKMIK) AS CIKAN, "
                              "SUM(GIRMIK * COALESCE(FIYAT, 0)) AS GIR_TUTAR, SUM(CIKMIK * COALESCE(FIYAT, 0)) AS CIK_TUTAR, "
                              "SUM(GIRMIK * COALESCE(FYT_USD, 0)) AS GIR_USD, SUM(CIKMIK * COALESCE(FYT_USD, 0)) AS CIK_USD")
                   .arg(firma),
               QStringLiteral("FROM DEPOHRK %1 LEFT OUTER JOIN DEPO ON (DEPO.DEPO_KODU = DEPOHRK.DEPO_KODU)").arg(cariJoin),
               QStringLiteral("WHERE DEPOHRK.STOK_NO = :STOK_NO AND DEPOHRK.TARIH >= :BASTRH AND DEPOHRK.TARIH < :SONTRH"),
               depoKosulu(f), QStringLiteral("GROUP BY DEPOHRK.CARIKOD, DEPOHRK.DEPO_KODU"),
               QStringLiteral("ORDER BY DEPOHRK.CARIKOD, DEPOHRK.DEPO_KODU")};
    ortakBaglar(s, f);
    return s;
}

QString HareketTipAdi(const QString& tip)
{
    if (tip == QLatin1String("A"))
        return QStringLiteral("Alış");
    if (tip == QLatin1String("S"))
        return QStringLiteral("Satış");
    return {};
}

HareketBelgesi HareketBelgesiBul(const QString& tip, const QString& isemriNo, double girmik, double cikmik)
{
    if (!isemriNo.trimmed().isEmpty())
        return HareketBelgesi::Yok;
    if (girmik > 0 && tip == QLatin1String("A"))
        return HareketBelgesi::Alis;
    if (cikmik > 0 && tip == QLatin1String("S"))
        return HareketBelgesi::Satis;
    return HareketBelgesi::Yok;
}

QList<AylikSatir> AylikGirisCikisBul(const Db& db, const SessionContext& ctx, double stokNo)
{
    Query q(db, QStringLiteral("SELECT H.YIL, H.AY, SUM(H.GIRMIK) AS GIR, SUM(H.CIKMIK) AS CIK, MIN(AYLAR.AYADI) AS ADI "
                               "FROM DEPOHRK H LEFT JOIN AYLAR ON (H.AY = AYLAR.AYNO) WHERE H.STOK_NO = :StkNo "
                               "AND H.DEPO_KODU IN (SELECT DEPO_KODU FROM DEPO WHERE DEPO_KODU <> :ServisDepo) "
                               "GROUP BY H.YIL, H.AY ORDER BY H.YIL, H.AY"));
    q.bind(QStringLiteral("StkNo"), stokNo).bind(QStringLiteral("ServisDepo"), ctx.ServisDepoKodu).exec();
    QList<AylikSatir> out;
    while (q.next())
        out << AylikSatir{q.value(0).toInt(), q.value(1).toInt(), q.value(4).toString(), q.value(2).toDouble(),
                          q.value(3).toDouble()};
    return out;
}

} // namespace tornaly::stock
