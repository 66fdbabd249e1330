#include "aftersales/calls/AracHatirlatma.h"

namespace tornaly::aftersales {

namespace {
struct Hatirlatma {
    const char* tip;
    const char* bas;
    const char* bit;
    const char* aciklama;
};

const Hatirlatma kHatirlatmalar[] = {
    {"O", "SGBASTRH", "SGBITRH", "Aracın Sigorta Süresi Sona Ermiştir."},
    {"K", "KASKA_TRH", "KASKO_BITTRH", "Aracın Kasko Süresi Sona Ermiştir."},
    {"U", "MUAYENE_TRH", "MUAYENE_BITTRH", "Aracın Muayene Süresi Sona Ermiştir."},
    {"E", "EKSOZ_TRH", "EKSOZ_BITTRH", "Aracın Eksoz Muayene Süresi Sona Ermiştir."},
};
} // namespace

int AracHatirlatmalariniYaz(const Db& db, const QDateTime& now)
{
    int inserted = 0;
    Transaction tx(db);
    for (const Hatirlatma& h : kHatirlatmalar) {
        // Column names come from the fixed table above, never from input.
        const QString bas = QString::fromLatin1(h.bas);
        const QString bit = QString::fromLatin1(h.bit);
        Query q(db, QStringLiteral(
                        "INSERT INTO ARAMAPER (MUS_TIP, ARA_TIP, SATIS_NO, PERIYOT, REF_TRH, ARAMA_TRH, CARI_KOD, "
                        "SASE_NO, ACIKLAMA) "
                        "SELECT 'D', :TIP, 0, 0, A.%1, A.%2, A.CARI_KOD, A.SASE_NO, :ACIKLAMA FROM ARAC A "
                        "WHERE A.%2 >= :BAS AND A.%2 <= :BIT AND NOT EXISTS (SELECT 1 FROM ARAMAPER P "
                        "WHERE P.MUS_TIP = 'D' AND P.ARA_TIP = :TIP2 AND P.SASE_NO = A.SASE_NO "
                        "AND P.ARAMA_TRH = A.%2)")
                        .arg(bas, bit));
        q.bind(QStringLiteral("TIP"), QString::fromLatin1(h.tip))
            .bind(QStringLiteral("TIP2"), QString::fromLatin1(h.tip))
            .bind(QStringLiteral("ACIKLAMA"), QString::fromUtf8(h.aciklama))
            .bind(QStringLiteral("BAS"), now.addDays(-1))
            .bind(QStringLiteral("BIT"), now.addDays(2))
            .exec();
        inserted += q.rowsAffected();
    }
    tx.commit();
    return inserted;
}

} // namespace tornaly::aftersales
