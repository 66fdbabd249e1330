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

namespace {

struct Toplam {
    double deger = 0, miktar = 0;
};

// Value and quantity of every receipt that sets a cost: opening rows (kind D)
// and purchase lines of the kinds F R A E, each counted once at its invoiced
// value. With a part number, that part's only.
QHash<double, Toplam> maliyetToplamlari(const Db& db, std::optional<double> stokNo)
{
    QHash<double, Toplam> toplam;
    const QString tekParca = stokNo ? QStringLiteral(" AND STOK_NO = :N") : QString();
    auto topla = [&](const QString& sql) {
        Query q(db, sql);
        if (stokNo)
            q.bind(QStringLiteral("N"), *stokNo);
        q.exec();
        while (q.next()) {
            Toplam& t = toplam[q.value(0).toDouble()];
            t.deger += q.value(1).toDouble();
            t.miktar += q.value(2).toDouble();
        }
    };
    topla(QStringLiteral("SELECT STOK_NO, SUM(GIRMIK * COALESCE(FIYAT, 0)), SUM(GIRMIK) FROM DEPOHRK "
                         "WHERE TIP = 'D'") + tekParca + QStringLiteral(" GROUP BY STOK_NO"));
    const Dialect& d = db.dialect();
    if (d.tableExists(db, QStringLiteral("ALISAYR")) && d.tableExists(db, QStringLiteral("ALIS")))
        topla(QStringLiteral("SELECT STOK_NO, SUM(GER_TUT), SUM(MIKTAR) FROM (SELECT R.STOK_NO, R.GER_TUT, R.MIKTAR "
                             "FROM ALISAYR R JOIN ALIS A ON A.ALIS_NO = R.ALIS_NO WHERE A.TIP IN ('F', 'R', 'A', 'E')) X "
                             "WHERE 1 = 1") + tekParca + QStringLiteral(" GROUP BY STOK_NO"));
    return toplam;
}

} // namespace

std::optional<double> AlislarinOrtalamasi(const Db& db, double stokNo)
{
    const QHash<double, Toplam> t = maliyetToplamlari(db, stokNo);
    const auto it = t.constFind(stokNo);
    if (it == t.cend())
        return std::nullopt;
    return it->deger / (it->miktar + kKucuk);
}

int MaliyetYenidenHesapla(const Db& db)
{
    Transaction tx(db);
    const QHash<double, Toplam> toplam = maliyetToplamlari(db, std::nullopt);
    Query kartlar(db, QStringLiteral("SELECT STOK_NO, MALIYET_FYT_TL FROM STOK"));
    kartlar.exec();
    QList<std::pair<double, double>> yazilacak;
    while (kartlar.next()) {
        const double no = kartlar.value(0).toDouble();
        const auto it = toplam.constFind(no);
        // A card without receipts keeps the cost it has ("Başlangıç Maliyeti
        // Olmayan Stoklara..." fills exactly those).
        if (it == toplam.cend())
            continue;
        const double yeni = it->deger / (it->miktar + kKucuk);
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
