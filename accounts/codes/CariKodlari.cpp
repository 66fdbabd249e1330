#include "accounts/codes/CariKodlari.h"

#include "db/BatchInsert.h"
#include "db/Dialect.h"

#include <QFile>

namespace tornaly::accounts {

QList<CariGrubu> CariGruplari(const Db& db)
{
    QList<CariGrubu> out;
    Query q(db, QStringLiteral("SELECT * FROM CARIYETKIGRUP ORDER BY GRUP_KODU"));
    q.exec();
    while (q.next())
        out.append({q.str(QStringLiteral("GRUP_KODU")), q.str(QStringLiteral("GRUP_ADI")),
                    q.integer(QStringLiteral("SABIT")) != 0});
    return out;
}

std::optional<QString> CariGrupAdiDegistir(const Db& db, const QString& kod, const QString& yeniAd)
{
    Transaction tx(db);
    Query q(db, QStringLiteral("SELECT SABIT FROM CARIYETKIGRUP WHERE GRUP_KODU=:K"));
    q.bind(QStringLiteral("K"), kod).exec();
    if (!q.next())
        return std::nullopt;
    if (q.integer(QStringLiteral("SABIT")) != 0)
        return SabitGrupText();
    db.exec(QStringLiteral("UPDATE CARIYETKIGRUP SET GRUP_ADI=:A WHERE GRUP_KODU=:K"),
            {{QStringLiteral("A"), yeniAd}, {QStringLiteral("K"), kod}});
    tx.commit();
    return std::nullopt;
}

const QList<QPair<QString, QString>>& SabitCariGruplari()
{
    static const QList<QPair<QString, QString>> l = {
        {QStringLiteral("K"), QStringLiteral("Son Kullanıcı")}, {QStringLiteral("R"), QStringLiteral("Şirket")},
        {QStringLiteral("T"), QStringLiteral("Tedarikçi")},     {QStringLiteral("D"), QStringLiteral("Distribütör")},
        {QStringLiteral("B"), QStringLiteral("Bayi")},          {QStringLiteral("F"), QStringLiteral("Filo")},
        {QStringLiteral("S"), QStringLiteral("Sigorta Şirketi")}, {QStringLiteral("Z"), QStringLiteral("Diğer")}};
    return l;
}

QStringList CariOzelKodlari(const Db& db, int cgNo)
{
    QStringList out;
    Query q(db, QStringLiteral("SELECT CG_KOD FROM CARIG WHERE CG_NO=:N ORDER BY CG_KOD"));
    q.bind(QStringLiteral("N"), cgNo).exec();
    while (q.next())
        out << q.str(QStringLiteral("CG_KOD"));
    return out;
}

void CariOzelKodEkle(const Db& db, int cgNo, const QString& kod)
{
    db.exec(QStringLiteral("INSERT INTO CARIG (CG_NO, CG_KOD) VALUES (:N, :K)"),
            {{QStringLiteral("N"), cgNo}, {QStringLiteral("K"), kod}});
}

std::optional<QString> CariOzelKodSil(const Db& db, int cgNo, const QString& kod)
{
    Transaction tx(db);
    Query q(db, QStringLiteral("SELECT COUNT(*) ADET FROM CARI WHERE (OZEL_KOD_1=:CG_KOD AND 1=:CG_NO) OR "
                               "(OZEL_KOD_2=:CG_KOD AND 2=:CG_NO) OR (OZEL_KOD_3=:CG_KOD AND 3=:CG_NO)"));
    q.bind(QStringLiteral("CG_KOD"), kod).bind(QStringLiteral("CG_NO"), cgNo).exec();
    if (q.next() && q.integer(QStringLiteral("ADET")) > 0)
        return OzelKodKullanilmisText();
    db.exec(QStringLiteral("DELETE FROM CARIG WHERE CG_NO=:N AND CG_KOD=:K"),
            {{QStringLiteral("N"), cgNo}, {QStringLiteral("K"), kod}});
    tx.commit();
    return std::nullopt;
}

int CariKartlardakiGruplariGetir(const Db& db)
{
    Transaction tx(db);
    int eklenen = 0;
    for (int n = 1; n <= 3; ++n) {
        const QString kolon = QStringLiteral("OZEL_KOD_%1").arg(n);
        Query q(db, QStringLiteral("INSERT INTO CARIG (CG_NO, CG_KOD) SELECT DISTINCT %1, %2 FROM CARI "
                                   "WHERE %2 IS NOT NULL AND %2 <> '' AND %2 NOT IN "
                                   "(SELECT CG_KOD FROM CARIG WHERE CG_NO=%1)")
                        .arg(n)
                        .arg(kolon));
        q.exec();
        eklenen += q.rowsAffected();
    }
    tx.commit();
    return eklenen;
}

QList<Sehir> Sehirler(const Db& db)
{
    QList<Sehir> out;
    Query q(db, QStringLiteral("SELECT * FROM SEHIR WHERE 1=1 ORDER BY SEHIR"));
    q.exec();
    while (q.next())
        out.append({q.str(QStringLiteral("SEHIR")), q.str(QStringLiteral("ALANKODU")), q.str(QStringLiteral("PLAKA"))});
    return out;
}

QStringList Ilceler(const Db& db, const QString& sehir)
{
    QStringList out;
    Query q(db, QStringLiteral("SELECT I.ILCE_ADI FROM ILCE I JOIN SEHIR S ON I.ILCE_KOD = CAST(S.PLAKA AS INTEGER) "
                               "WHERE S.SEHIR=:S ORDER BY I.ILCE_ADI"));
    q.bind(QStringLiteral("S"), sehir).exec();
    while (q.next())
        out << q.str(QStringLiteral("ILCE_ADI"));
    return out;
}

void SehirKaydet(const Db& db, const Sehir& s)
{
    db.exec(db.dialect().upsert(QStringLiteral("SEHIR"), {QStringLiteral("SEHIR")},
                                {QStringLiteral("SEHIR"), QStringLiteral("ALANKODU"), QStringLiteral("PLAKA")}),
            {{QStringLiteral("SEHIR"), s.SEHIR}, {QStringLiteral("ALANKODU"), s.ALANKODU}, {QStringLiteral("PLAKA"), s.PLAKA}});
}

void IlceEkle(const Db& db, const QString& plaka, const QString& ilce)
{
    db.exec(QStringLiteral("INSERT INTO ILCE (ILCE_KOD, ILCE_ADI) VALUES (:K, :A)"),
            {{QStringLiteral("K"), plaka.toInt()}, {QStringLiteral("A"), ilce}});
}

void IlceSil(const Db& db, const QString& plaka, const QString& ilce)
{
    db.exec(QStringLiteral("DELETE FROM ILCE WHERE ILCE_KOD=:K AND ILCE_ADI=:A"),
            {{QStringLiteral("K"), plaka.toInt()}, {QStringLiteral("A"), ilce}});
}

void SehirSil(const Db& db, const QString& sehir)
{
    Transaction tx(db);
    db.exec(QStringLiteral("DELETE FROM ILCE WHERE ILCE_KOD IN (SELECT CAST(PLAKA AS INTEGER) FROM SEHIR WHERE SEHIR=:S) "
                           "AND NOT EXISTS (SELECT 1 FROM SEHIR S2 WHERE S2.SEHIR<>:S AND S2.PLAKA IN "
                           "(SELECT PLAKA FROM SEHIR WHERE SEHIR=:S))"),
            {{QStringLiteral("S"), sehir}});
    db.exec(QStringLiteral("DELETE FROM SEHIR WHERE SEHIR=:S"), {{QStringLiteral("S"), sehir}});
    tx.commit();
}

QStringList Ulkeler(const Db& db)
{
    QStringList out;
    Query q(db, QStringLiteral("SELECT ULKE_ADI FROM ULKE ORDER BY ULKE_ADI"));
    q.exec();
    while (q.next())
        out << q.str(QStringLiteral("ULKE_ADI"));
    return out;
}

namespace {

// The lines of a list kept with the program, without its comment lines.
QStringList listeSatirlari(const QString& kaynak)
{
    QFile f(kaynak);
    if (!f.open(QIODevice::ReadOnly))
        throw DbError(DbError::Kind::Other, QStringLiteral("Liste dosyası okunamadı: %1").arg(kaynak));
    QStringList out;
    for (const QString& satir : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        const QString s = satir.trimmed();
        if (!s.isEmpty() && !s.startsWith(QLatin1Char('#')))
            out << s;
    }
    return out;
}

bool bosMu(const Db& db, const QString& tablo)
{
    Query q(db, QStringLiteral("SELECT COUNT(*) AS N FROM %1").arg(tablo));
    q.exec();
    return !q.next() || q.integer(QStringLiteral("N")) == 0;
}

} // namespace

void IlIlceUlkeYukle(const Db& db)
{
    const bool iller = bosMu(db, QStringLiteral("SEHIR")), ilceler = bosMu(db, QStringLiteral("ILCE"));
    if (iller || ilceler) {
        BatchInsert sehir(db, QStringLiteral("SEHIR"), {QStringLiteral("SEHIR"), QStringLiteral("ALANKODU"), QStringLiteral("PLAKA")});
        BatchInsert ilce(db, QStringLiteral("ILCE"), {QStringLiteral("ILCE_KOD"), QStringLiteral("ILCE_ADI")});
        // plate;province;area code;districts separated by commas
        for (const QString& satir : listeSatirlari(QStringLiteral(":/data/accounts/iller.txt"))) {
            const QStringList p = satir.split(QLatin1Char(';'));
            if (p.size() < 4)
                continue;
            if (iller) {
                sehir.value(p.at(1)).value(p.at(2)).value(p.at(0));
                sehir.endRow();
            }
            if (ilceler)
                for (const QString& ad : p.at(3).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                    ilce.value(p.at(0).toInt()).value(ad.trimmed());
                    ilce.endRow();
                }
        }
        sehir.flush();
        ilce.flush();
    }
    if (bosMu(db, QStringLiteral("ULKE"))) {
        BatchInsert ulke(db, QStringLiteral("ULKE"), {QStringLiteral("ULKE_ADI"), QStringLiteral("ULKE_TELKOD")});
        for (const QString& satir : listeSatirlari(QStringLiteral(":/data/accounts/ulkeler.txt"))) {
            const QStringList p = satir.split(QLatin1Char(';'));
            ulke.value(p.at(0)).value(p.value(1));
            ulke.endRow();
        }
        ulke.flush();
    }
}

std::optional<Bayi> BayiBul(const Db& db, const QString& aranan, bool kodaGore)
{
    const QString kolon = kodaGore ? QStringLiteral("BAYI_KOD") : QStringLiteral("BAYI_KISA_AD");
    Query q(db, QStringLiteral("SELECT BAYI_KOD, BAYI_KISA_AD FROM BAYILER WHERE %1 ORDER BY %2")
                    .arg(db.dialect().ciLike(kolon, QStringLiteral("P")), kolon));
    q.bind(QStringLiteral("P"), Dialect::escapeLike(aranan) + QLatin1Char('%')).exec();
    if (q.next())
        return Bayi{q.str(QStringLiteral("BAYI_KOD")), q.str(QStringLiteral("BAYI_KISA_AD"))};
    return std::nullopt;
}

} // namespace tornaly::accounts
