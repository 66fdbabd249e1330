#include "stock/ledger/Maliyet.h"

#include <QHash>

namespace tornaly::stock {

namespace {
constexpr double kKucuk = 0.00000001;
} // namespace

double MaliyetAlisEkle(std::optional<double> Q, double maliyet, double q, double v)
{
    const double bolen = Q.value_or(0) + q;
    if (bolen == 0)
        return maliyet;
    return ((Q ? *Q * maliyet : 0.0) + v) / bolen;
}

double MaliyetAlisGeriAl(std::optional<double> Q, double maliyet, double q, double v)
{
    if (!Q || *Q - q <= 0)
        return maliyet;
    return (*Q * maliyet - v) / (*Q - q + kKucuk);
}

namespace {
std::pair<std::optional<double>, double> miktarVeMaliyet(const Db& db, double stokNo)
{
    Query q(db, QStringLiteral("SELECT (SELECT SUM(MIKTAR) FROM STOKMIK WHERE STOK_NO = :STOK_NO) AS Q, "
                               "MALIYET_FYT_TL FROM STOK WHERE STOK_NO = :STOK_NO"));
    q.bind(QStringLiteral("STOK_NO"), stokNo).exec();
    if (!q.next())
        return {std::nullopt, 0.0};
    std::optional<double> Q;
    if (!q.value(0).isNull())
        Q = q.value(0).toDouble();
    return {Q, q.value(1).toDouble()};
}

void maliyetYaz(const Db& db, double stokNo, double maliyet)
{
    db.exec(QStringLiteral("UPDATE STOK SET MALIYET_FYT_TL = :M WHERE STOK_NO = :STOK_NO"),
            {{QStringLiteral("M"), maliyet}, {QStringLiteral("STOK_NO"), stokNo}});
}
} // namespace

void MaliyetAlisIsle(const Db& db, double stokNo, double q, double v)
{
    const auto [Q, maliyet] = miktarVeMaliyet(db, stokNo);
    maliyetYaz(db, stokNo, MaliyetAlisEkle(Q, maliyet, q, v));
}

void MaliyetAlisGeriIsle(const Db& db, double stokNo, double q, double v)
{
    const auto [Q, maliyet] = miktarVeMaliyet(db, stokNo);
    maliyetYaz(db, stokNo, MaliyetAlisGeriAl(Q, maliyet, q, v));
}

int MaliyetYenidenHesapla(const Db& db)
{
    Transaction tx(db);
    struct Toplam {
        double deger = 0, miktar = 0;
    };
    QHash<double, Toplam> toplam;
    {
        Query q(db, QStringLiteral("SELECT STOK_NO, SUM(GIRMIK * COALESCE(FIYAT, 0)), SUM(GIRMIK) FROM DEPOHRK "
                                   "WHERE TIP = 'D' GROUP BY STOK_NO"));
        q.exec();
        while (q.next()) {
            Toplam& t = toplam[q.value(0).toDouble()];
            t.deger += q.value(1).toDouble();
            t.miktar += q.value(2).toDouble();
        }
    }
    const Dialect& d = db.dialect();
    if (d.tableExists(db, QStringLiteral("ALISAYR")) && d.tableExists(db, QStringLiteral("ALIS"))) {
        Query q(db, QStringLiteral("SELECT R.STOK_NO, SUM(R.GER_TUT), SUM(R.MIKTAR) FROM ALISAYR R "
                                   "JOIN ALIS A ON A.ALIS_NO = R.ALIS_NO WHERE A.TIP IN ('F', 'R', 'A', 'E') "
                                   "GROUP BY R.STOK_NO"));
        q.exec();
        while (q.next()) {
            Toplam& t = toplam[q.value(0).toDouble()];
            t.deger += q.value(1).toDouble();
            t.miktar += q.value(2).toDouble();
        }
    }
    Query kartlar(db, QStringLiteral("SELECT STOK_NO, MALIYET_FYT_TL FROM STOK"));
    kartlar.exec();
    QList<std::pair<double, double>> yazilacak;
    while (kartlar.next()) {
        const double no = kartlar.value(0).toDouble();
        const auto it = toplam.constFind(no);
        const double yeni = it == toplam.cend() ? 0.0 : it->deger / (it->miktar + kKucuk);
        if (kartlar.value(1).isNull() || kartlar.value(1).toDouble() != yeni)
            yazilacak.append({no, yeni});
    }
    Query yaz(db, QStringLiteral("UPDATE STOK SET MALIYET_FYT_TL = :M WHERE STOK_NO = :STOK_NO"));
    for (const auto& [no, m] : yazilacak)
        yaz.bind(QStringLiteral("M"), m).bind(QStringLiteral("STOK_NO"), no).exec();
    tx.commit();
    return int(yazilacak.size());
}

} // namespace tornaly::stock
