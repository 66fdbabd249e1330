#include "stock/cards/StokArama.h"

#include "db/Dialect.h"

namespace tornaly::stock {

const QStringList& StokListeKolonlari()
{
    static const QStringList k = {
        QStringLiteral("STOK_NO"), QStringLiteral("STOK_KOD_NO"), QStringLiteral("STOK_ADI_TR"),
        QStringLiteral("MARKAKOD"), QStringLiteral("ALIS_FYT_TL"), QStringLiteral("ALIS_FYT_DOVIZ"),
        QStringLiteral("SAT_FYT_TL"), QStringLiteral("KDV"), QStringLiteral("SATIS_KDVLI"), QStringLiteral("FYT_KUR"),
        QStringLiteral("SAT_FYT_DOVIZ"), QStringLiteral("SATIS_KDVLI_DVZ"), QStringLiteral("ESKI_PART_NO"),
        QStringLiteral("YENI_KOD"), QStringLiteral("YENI_KOD_SON"), QStringLiteral("BARKOD"), QStringLiteral("ORJ"),
        QStringLiteral("PAY"), QStringLiteral("GRUP_NO"), QStringLiteral("ALTGRUP_NO"), QStringLiteral("MODEL_NO"),
        QStringLiteral("STOK_ADI_ING"), QStringLiteral("BARK_TIP"), QStringLiteral("FYT_TRH"),
        QStringLiteral("RESIM_NO"), QStringLiteral("KOORX"), QStringLiteral("KOORY")};
    return k;
}

QString KullaniciDeseni(const QString& typed)
{
    QString p = Dialect::escapeLike(typed);
    p.replace(QStringLiteral("\\%"), QStringLiteral("%"));
    return p;
}

SqlText StokListeSorgusu(const Dialect& d, const StokAramaKriteri& k)
{
    SqlText s;
    s.lines = {QStringLiteral("SELECT"), QString(),
               QStringLiteral("STOK_NO, STOK_KOD_NO, STOK_ADI_TR, MARKAKOD, ALIS_FYT_TL, ALIS_FYT_DOVIZ, SAT_FYT_TL, "
                              "KDV, SAT_FYT_TL * (COALESCE(KDV, 0) + 100) / 100 AS SATIS_KDVLI, FYT_KUR, SAT_FYT_DOVIZ, "
                              "SAT_FYT_DOVIZ * (COALESCE(KDV, 0) + 100) / 100 AS SATIS_KDVLI_DVZ, ESKI_PART_NO, "
                              "YENI_KOD, YENI_KOD_SON, BARKOD, ORJ, PAY, GRUP_NO, ALTGRUP_NO, MODEL_NO, STOK_ADI_ING, "
                              "BARK_TIP, FYT_TRH, RESIM_NO, KOORX, KOORY"),
               QStringLiteral("FROM STOK"), QStringLiteral("WHERE 1=1"), QString(), QString(), QString()};

    auto filtre = [&](const QString& deger, const QString& kosul, const QString& ad) {
        if (deger.trimmed().isEmpty())
            return;
        s.lines[6] += kosul;
        s.binds.insert(ad, deger.trimmed());
    };
    filtre(k.model, QStringLiteral(" AND STOK_KOD_NO IN (SELECT PA_STOK FROM PARACTIP WHERE PA_MODEL = :MODEL)"),
           QStringLiteral("MODEL"));
    filtre(k.pay, QStringLiteral(" AND STOK.PAY = :PAY"), QStringLiteral("PAY"));
    filtre(k.grup, QStringLiteral(" AND STOK.GRUP_NO = :GRUP"), QStringLiteral("GRUP"));
    filtre(k.altGrup, QStringLiteral(" AND STOK.ALTGRUP_NO = :ALTGRUP"), QStringLiteral("ALTGRUP"));

    QString siralama = QStringLiteral("STOK_KOD_NO");
    const QString t = k.metin.trimmed();
    const QString bas = KullaniciDeseni(t) + QLatin1Char('%');
    switch (k.kutu) {
    case StokAramaKutusu::Kod:
        if (!t.isEmpty()) {
            s.lines[5] = QStringLiteral("AND ") + d.ciLike(QStringLiteral("STOK_KOD_NO"), QStringLiteral("ARANAN"));
            s.binds.insert(QStringLiteral("ARANAN"), bas);
            // SQLite reads a LIKE pattern from no index: the folded prefix as a
            // range lets it use the index of the folded code.
            if (d.backend() == Backend::SQLite && !t.contains(QLatin1Char('%'))) {
                const QString alt = Dialect::turkishUpper(t);
                s.lines[5] += QStringLiteral(" AND TR_UPPER(STOK_KOD_NO) >= :ALT AND TR_UPPER(STOK_KOD_NO) < :UST");
                s.binds.insert(QStringLiteral("ALT"), alt);
                s.binds.insert(QStringLiteral("UST"), alt + QChar(0xFFFF));
            }
        }
        break;
    case StokAramaKutusu::Ad:
        if (!t.isEmpty()) {
            s.lines[5] = QStringLiteral("AND (%1 OR %2)")
                             .arg(d.ciLike(QStringLiteral("STOK_ADI_TR"), QStringLiteral("ARANAN")),
                                  d.ciLike(QStringLiteral("STOK_ADI_ING"), QStringLiteral("ARANAN")));
            s.binds.insert(QStringLiteral("ARANAN"), QLatin1Char('%') + bas);
        }
        siralama = QStringLiteral("STOK_ADI_TR");
        break;
    case StokAramaKutusu::Barkod:
        s.lines[5] = QStringLiteral("AND BARKOD = :ARANAN");
        s.binds.insert(QStringLiteral("ARANAN"), t);
        siralama = QStringLiteral("STOK_ADI_TR");
        break;
    case StokAramaKutusu::Muadil:
        if (!t.isEmpty()) {
            const QString p = QStringLiteral("ARANAN");
            s.lines[5] = QStringLiteral("AND (%1 OR %2 OR %3 OR %4 OR STOK_KOD_NO IN (SELECT STOK_KOD FROM STOKKOD "
                                        "WHERE %5) OR STOK_KOD_NO IN (SELECT ESKI_KOD FROM STOKKOD WHERE %6))")
                             .arg(d.ciLike(QStringLiteral("STOK_KOD_NO"), p), d.ciLike(QStringLiteral("YENI_KOD"), p),
                                  d.ciLike(QStringLiteral("YENI_KOD_SON"), p), d.ciLike(QStringLiteral("ESKI_PART_NO"), p),
                                  d.ciLike(QStringLiteral("ESKI_KOD"), p), d.ciLike(QStringLiteral("STOK_KOD"), p));
            s.binds.insert(p, bas);
        }
        break;
    case StokAramaKutusu::Raf:
        s.lines[5] = QStringLiteral("AND STOK_NO IN (SELECT STOK_NO FROM STOKMIK WHERE RAF_YERI = :ARANAN)");
        s.binds.insert(QStringLiteral("ARANAN"), t);
        break;
    case StokAramaKutusu::Yok:
        break;
    }
    if (!k.siralama.isEmpty() && StokListeKolonlari().contains(k.siralama, Qt::CaseInsensitive))
        siralama = k.siralama.toUpper();
    const QString yon = k.azalan ? QStringLiteral(" DESC") : QString();
    s.lines[7] = QStringLiteral("ORDER BY %1%2, STOK_NO%2").arg(siralama, yon);
    if (k.ilkAcilis)
        s.lines << QStringLiteral("LIMIT 50");
    return s;
}

QList<StokDepoMiktari> StokDepoMiktarlari(const Db& db, double stokNo)
{
    Query q(db, QStringLiteral(
                    "SELECT STOKMIK.DEPO_KOD, DEPO.DEPO_ADI, STOKMIK.RAF_YERI, STOKMIK.MIKTAR FROM STOKMIK "
                    "LEFT OUTER JOIN DEPO ON DEPO.DEPO_KODU = STOKMIK.DEPO_KOD "
                    "WHERE STOKMIK.STOK_NO = :STOK_NO AND STOKMIK.MIKTAR <> 0 ORDER BY STOKMIK.DEPO_KOD"));
    q.bind(QStringLiteral("STOK_NO"), stokNo).exec();
    QList<StokDepoMiktari> out;
    while (q.next()) {
        StokDepoMiktari m;
        m.DEPO_KOD = q.value(0).toString();
        const QString ad = q.value(1).toString().trimmed();
        const QString raf = q.value(2).toString().trimmed();
        m.DEPO_ADI = raf.isEmpty() ? QStringLiteral("%1[%2]").arg(ad, m.DEPO_KOD.trimmed())
                                   : ad.left(10) + QLatin1Char('>') + raf;
        m.DEPO_MIK = q.value(3).toDouble();
        out << m;
    }
    return out;
}

QList<QPair<QString, QString>> MuadilCiftleri(const Db& db, const QString& parcaNo)
{
    Query q(db, QStringLiteral("SELECT STOK_KOD, ESKI_KOD FROM STOKKOD WHERE STOK_KOD = :STOK_KOD_NO "
                               "OR ESKI_KOD = :STOK_KOD_NO ORDER BY STOK_KOD, ESKI_KOD"));
    q.bind(QStringLiteral("STOK_KOD_NO"), parcaNo).exec();
    QList<QPair<QString, QString>> out;
    while (q.next())
        out.append({q.value(0).toString(), q.value(1).toString()});
    return out;
}

} // namespace tornaly::stock
