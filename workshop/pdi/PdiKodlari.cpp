#include "workshop/pdi/PdiKodlari.h"
#include "guard/IslemReddi.h"
#include "messages/Messages.h"

namespace tornaly::workshop {

const PdiKodTablosu& PdiHataKodlari()
{
    static const PdiKodTablosu t{QStringLiteral("PDIHATAD"),
                                 QStringLiteral("PDI_HATA_KODU"),
                                 QStringLiteral("PDI_HATA_ADI"),
                                 QStringLiteral("HATA_ADI_KODU"),
                                 QStringLiteral("PDI HATA KOD KAYITLARI"),
                                 QStringLiteral("PDI HATA KODLARI KAYIT KARTI"),
                                 QStringLiteral("Hata Kodu"),
                                 QStringLiteral("Hata Tanımı"),
                                 QStringLiteral("Hata Kodu"),
                                 QStringLiteral("Hata Adı"),
                                 QStringLiteral("Bu Hata Kodu PDI Listesine İşlenmiş.Silinemez!"),
                                 QStringLiteral("Hata Kodu Bilgisini Vermeden Kayıt Saklanamaz."),
                                 true};
    return t;
}

const PdiKodTablosu& PdiHataYerleri()
{
    static const PdiKodTablosu t{QStringLiteral("PDIHYER"),
                                 QStringLiteral("HATA_YERI_KODU"),
                                 QStringLiteral("HATA_YERI_ADI"),
                                 QStringLiteral("HATA_YERI_KODU"),
                                 QStringLiteral("PDI HATA YERİ KAYITLARI"),
                                 QStringLiteral("PDI HATA YERİ KAYIT KARTI"),
                                 QStringLiteral("Hata Yeri Kodu"),
                                 QStringLiteral("Hata Yeri Tanımı"),
                                 QStringLiteral("Hata Yeri Kodu"),
                                 QStringLiteral("Hata Yeri Adı"),
                                 QStringLiteral("Bu Kayıt PDI a işlenmiş. Silinemez!"),
                                 QStringLiteral("Hata Yeri Kodu Bilgisini Vermeden Kayıt Saklanamaz."),
                                 false};
    return t;
}

// Table and column names below come from the two descriptions above, never
// from typed text.
bool PdiKodKullanimda(const Db& db, const PdiKodTablosu& t, const QString& kod)
{
    Query q(db, QStringLiteral("SELECT COUNT(*) FROM PDIDET INNER JOIN PDIMAST ON PDIDET.PDI_NO = PDIMAST.PDI_NO "
                               "WHERE %1 = :hKod")
                    .arg(t.detayKolonu));
    q.bind(QStringLiteral("hKod"), kod).exec();
    q.next();
    return q.value(0).toLongLong() > 0;
}

void PdiKodKaydet(const Db& db, const PdiKodTablosu& t, const QString& kod, const QString& ad, bool yeni,
                  const QString& eskiKod)
{
    const QString k = kod.trimmed();
    if (k.isEmpty())
        throw IslemReddi(t.bosKodMesaji, MsgIcon::Information);
    const QVariantMap binds{{QStringLiteral("KOD"), k}, {QStringLiteral("AD"), ad.trimmed()},
                            {QStringLiteral("ESKI"), eskiKod.isEmpty() ? k : eskiKod}};
    try {
        Transaction tx(db);
        if (yeni)
            db.exec(QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (:KOD, :AD)").arg(t.tablo, t.kodKolonu, t.adKolonu),
                    {{QStringLiteral("KOD"), k}, {QStringLiteral("AD"), binds.value(QStringLiteral("AD"))}});
        else
            db.exec(QStringLiteral("UPDATE %1 SET %2 = :KOD, %3 = :AD WHERE %2 = :ESKI").arg(t.tablo, t.kodKolonu, t.adKolonu),
                    binds);
        tx.commit();
    } catch (const DbError& e) {
        // A code that exists already, or a renamed code the fault lines use.
        if (!e.isBusy() && e.kind() != DbError::Kind::ConnectionFailed)
            throw IslemReddi(QStringLiteral("Aynı Kodlu Kayıt Var."), MsgIcon::Warning);
        throw;
    }
}

void PdiKodSil(const Db& db, const PdiKodTablosu& t, const QString& kod)
{
    Transaction tx(db);
    if (PdiKodKullanimda(db, t, kod))
        throw IslemReddi(t.kullanimdaMesaji, MsgIcon::Information);
    db.exec(QStringLiteral("DELETE FROM %1 WHERE %2 = :KOD").arg(t.tablo, t.kodKolonu), {{QStringLiteral("KOD"), kod}});
    tx.commit();
}

} // namespace tornaly::workshop
