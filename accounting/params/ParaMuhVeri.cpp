#include "accounting/params/ParaMuhVeri.h"

namespace tornaly::accounting {

namespace {

QVariantMap oku(const Db& db, const QString& tablo, const QStringList& kolonlar)
{
    Query q(db, QStringLiteral("SELECT %1 FROM %2").arg(kolonlar.join(QStringLiteral(", ")), tablo));
    q.exec();
    QVariantMap m;
    const bool var = q.next();
    for (const QString& k : kolonlar)
        m.insert(k, var ? q.value(k) : QVariant());
    return m;
}

void yaz(const Db& db, const QString& tablo, const QStringList& kolonlar, const QVariantMap& degerler)
{
    QVariantMap b;
    QStringList atama, yer;
    for (const QString& k : kolonlar) {
        b.insert(k, degerler.value(k));
        atama << k + QStringLiteral("=:") + k;
        yer << QLatin1Char(':') + k;
    }
    if (db.exec(QStringLiteral("UPDATE %1 SET %2").arg(tablo, atama.join(QStringLiteral(", "))), b) == 0)
        db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                    .arg(tablo, kolonlar.join(QStringLiteral(", ")), yer.join(QStringLiteral(", "))),
                b);
}

} // namespace

const QStringList& ParaMuhKolonlari()
{
    static const QStringList k = {QStringLiteral("A_MUH_KAY"), QStringLiteral("AA_MUH_KAY"),
                                  QStringLiteral("S_MUH_KAY"), QStringLiteral("SA_MUH_KAY"),
                                  QStringLiteral("C_MUH_KAY"), QStringLiteral("ISK_DUS"),
                                  QStringLiteral("KILIT_TRH")};
    return k;
}

const QStringList& ParaFatKolonlari()
{
    static const QStringList k = {
        QStringLiteral("DEF_KASA"),     QStringLiteral("MUH_KDVTEV_A"),  QStringLiteral("MUH_KDVTEV_S"),
        QStringLiteral("MUH_KDV_A"),    QStringLiteral("C_MUH_KAY"),     QStringLiteral("S_MUH_KAY"),
        QStringLiteral("C_V_FARKSURE"), QStringLiteral("S_V_FARKSURE"),  QStringLiteral("C_V_FARKTIP"),
        QStringLiteral("S_V_FARKTIP"),  QStringLiteral("C_VADEFARKO"),   QStringLiteral("S_VADEFARKO"),
        QStringLiteral("PUL_ORAN"),     QStringLiteral("REEISKONFAIZ"),  QStringLiteral("CIROTAKSURE"),
        QStringLiteral("MUH_ELCEK"),    QStringLiteral("MUH_KESCEK"),    QStringLiteral("MUH_KRSCEK"),
        QStringLiteral("MUH_TAHCEK"),   QStringLiteral("MUH_ELSEN"),     QStringLiteral("MUH_BORCSEN"),
        QStringLiteral("MUH_PROSEN"),   QStringLiteral("MUH_PROVIZMAS"), QStringLiteral("MUH_PROTESMAS"),
        QStringLiteral("MUH_KAY"),      QStringLiteral("MUH_CHES"),      QStringLiteral("MUH_TAHSEN"),
        QStringLiteral("MUH_KESCEKB"),  QStringLiteral("MUH_TAKCEK"),    QStringLiteral("MUH_TEMSEN"),
        QStringLiteral("MUH_TEMCEK"),   QStringLiteral("MUH_SENKRED"),   QStringLiteral("MUH_CEKREDI"),
        QStringLiteral("MUH_OTVIND")};
    return k;
}

ParaMuhKaydi ParaMuhOku(const Db& db)
{
    return {oku(db, QStringLiteral("PARAMUH"), ParaMuhKolonlari()),
            oku(db, QStringLiteral("PARAFAT"), ParaFatKolonlari())};
}

void ParaMuhKaydet(const Db& db, const ParaMuhKaydi& k)
{
    Transaction tx(db);
    yaz(db, QStringLiteral("PARAMUH"), ParaMuhKolonlari(), k.PARAMUH);
    yaz(db, QStringLiteral("PARAFAT"), ParaFatKolonlari(), k.PARAFAT);
    tx.commit();
}

} // namespace tornaly::accounting
