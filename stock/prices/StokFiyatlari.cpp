#include "stock/prices/StokFiyatlari.h"

#include <QHash>

namespace tornaly::stock {

int StokFiyatlariniGuncelle(const Db& db, const QDate& gun, const QString& ASKUR)
{
    const QString kolon = ASKUR == QLatin1String("A") ? QStringLiteral("TLDEGERI_ALIS") : QStringLiteral("TLDEGERI_SATIS");
    // The latest rate of each currency up to the end of the day.
    Query q(db, QStringLiteral("SELECT K.DOVIZ_KODU, K.%1 FROM KURDEGER K WHERE K.TARIH = (SELECT MAX(K2.TARIH) FROM "
                               "KURDEGER K2 WHERE K2.DOVIZ_KODU = K.DOVIZ_KODU AND K2.TARIH < :SON)").arg(kolon));
    q.bind(QStringLiteral("SON"), QDateTime(gun.addDays(1), QTime(0, 0))).exec();
    QHash<QString, double> kurlar;
    while (q.next())
        if (q.value(1).toDouble() > 0)
            kurlar.insert(q.value(0).toString().trimmed(), q.value(1).toDouble());

    Transaction tx(db);
    int degisen = 0;
    Query tl(db, QStringLiteral("UPDATE STOK SET ALIS_FYT_TL = COALESCE(ALIS_FYT_DOVIZ * :R, ALIS_FYT_TL), "
                                "SAT_FYT_TL = COALESCE(SAT_FYT_DOVIZ * :R, SAT_FYT_TL) WHERE FYT_KUR = :KUR "
                                "AND (ALIS_FYT_DOVIZ IS NOT NULL OR SAT_FYT_DOVIZ IS NOT NULL)"));
    for (auto it = kurlar.cbegin(); it != kurlar.cend(); ++it) {
        tl.bind(QStringLiteral("R"), it.value()).bind(QStringLiteral("KUR"), it.key()).exec();
        degisen += tl.rowsAffected();
    }
    if (const auto usd = kurlar.constFind(QStringLiteral("USD")); usd != kurlar.cend()) {
        Query u(db, QStringLiteral("UPDATE STOK SET ALIS_FYT_USD = ALIS_FYT_TL / :U, SAT_FYT_USD = SAT_FYT_TL / :U "
                                   "WHERE ALIS_FYT_TL IS NOT NULL OR SAT_FYT_TL IS NOT NULL"));
        u.bind(QStringLiteral("U"), usd.value()).exec();
        degisen = qMax(degisen, u.rowsAffected());
    }
    tx.commit();
    return degisen;
}

IskontoKurali IskontoKuraliBul(const Db& db, const IskontoSorgusu& s)
{
    IskontoKurali k;
    QVariant stokIskGrup(QMetaType(QMetaType::QString));
    double satTl = 0, satDvz = 0;
    QString kur;
    if (!s.STOK_NO.isNull()) {
        Query st(db, QStringLiteral("SELECT ISKGRUP, SAT_FYT_TL, SAT_FYT_DOVIZ, FYT_KUR FROM STOK WHERE STOK_NO = :N"));
        st.bind(QStringLiteral("N"), s.STOK_NO).exec();
        if (st.next()) {
            if (!st.value(0).toString().trimmed().isEmpty())
                stokIskGrup = st.value(0).toString().trimmed();
            satTl = st.value(1).toDouble();
            satDvz = st.value(2).toDouble();
            kur = st.value(3).toString().trimmed();
        }
    }
    // Specificity: the part itself over its discount group, the customer over
    // its group, a payment kind over any; the newest rule breaks ties.
    Query q(db, QStringLiteral(
                    "SELECT ORAN, ORAN1, ORAN2, ORAN3, FIYAT_TUR, ISLEM, FIYAT_TL, FIYAT_DOVIZ, DOVIZ_KOD, "
                    "(CASE WHEN STOK_NO IS NOT NULL THEN 16 ELSE 0 END + CASE WHEN STOK_ISKGRUP IS NOT NULL THEN 8 ELSE 0 END "
                    "+ CASE WHEN CARI IS NOT NULL THEN 4 ELSE 0 END + CASE WHEN CGRUP IS NOT NULL THEN 2 ELSE 0 END "
                    "+ CASE WHEN ODE_KOD IS NOT NULL THEN 1 ELSE 0 END) AS AGIRLIK FROM ISKKURAL "
                    "WHERE (CARI IS NULL OR CARI = :CARI) AND (CGRUP IS NULL OR CGRUP = :CGRUP) "
                    "AND (STOK_NO IS NULL OR STOK_NO = :STOK_NO) AND (STOK_ISKGRUP IS NULL OR STOK_ISKGRUP = :SGRUP) "
                    "AND (ODE_KOD IS NULL OR ODE_KOD = :ODE_KOD) AND (STOK_NO IS NOT NULL OR STOK_ISKGRUP IS NOT NULL "
                    "OR CARI IS NOT NULL OR CGRUP IS NOT NULL) ORDER BY AGIRLIK DESC, KURAL_NO DESC"));
    q.bind(QStringLiteral("CARI"), s.CARI).bind(QStringLiteral("CGRUP"), s.CGRUP);
    q.bind(QStringLiteral("STOK_NO"), s.STOK_NO).bind(QStringLiteral("SGRUP"), stokIskGrup);
    q.bind(QStringLiteral("ODE_KOD"), s.ODE_KOD).exec();
    k.STOK_ISKGRUP = stokIskGrup;
    if (!q.next())
        return k;
    k.ORAN = q.value(0).toDouble();
    k.ORAN1 = q.value(1).toDouble();
    k.ORAN2 = q.value(2).toDouble();
    k.ORAN3 = q.value(3).toDouble();
    k.FIYAT_TUR = q.value(4);
    k.ISLEM = q.value(5).toString();
    const bool ozelFiyat = !q.value(6).isNull() || !q.value(7).isNull();
    k.FIYAT_TL = ozelFiyat ? q.value(6).toDouble() : satTl;
    k.FIYAT_DOVIZ = ozelFiyat ? q.value(7).toDouble() : satDvz;
    k.DOVIZ_KOD = ozelFiyat ? q.value(8).toString().trimmed() : kur;
    return k;
}

} // namespace tornaly::stock
