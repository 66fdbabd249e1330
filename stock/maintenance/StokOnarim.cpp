#include "stock/maintenance/StokOnarim.h"

#include "stock/ledger/StokMik.h"
#include "util/Utf8.h"

#include <QHash>
#include <QMutex>
#include <QSet>

namespace tornaly::stock {

namespace {

using text::S;

QMutex g_mutex;
QList<BelgeTemizligi>& kayitliAdimlar()
{
    static QList<BelgeTemizligi> adimlar;
    return adimlar;
}

// The stock slips' own lines and movements.
QList<BelgeTemizligi> stokFisiAdimlari()
{
    return {
        {S("Stok fişi kalemleri"), {S("FISTKAYR"), S("FISTK")},
         S("DELETE FROM FISTKAYR WHERE NOT EXISTS (SELECT 1 FROM FISTK WHERE FISTK.HRKNO=FISTKAYR.HRKNO)")},
        {S("Stok fişi hareketleri"), {S("DEPOHRK"), S("FISTK")},
         S("DELETE FROM DEPOHRK WHERE TIP IN ('D','Z','T','U','L','F','R') AND NOT EXISTS (SELECT 1 FROM FISTK "
           "WHERE FISTK.HRKNO=DEPOHRK.SATISNO)")},
    };
}

bool tablolarVar(const Db& db, const BelgeTemizligi& t, TOnarimSonucu& sonuc)
{
    QStringList eksik;
    for (const QString& tablo : t.tablolar)
        if (!db.dialect().tableExists(db, tablo))
            eksik << tablo;
    if (eksik.isEmpty())
        return true;
    sonuc.atlanan << S("%1: %2 tablosu bu veri tabanında yok").arg(t.adim, eksik.join(S(", ")));
    return false;
}

} // namespace

void RegisterBelgeTemizligi(const BelgeTemizligi& t)
{
    QMutexLocker l(&g_mutex);
    for (BelgeTemizligi& k : kayitliAdimlar())
        if (k.adim == t.adim) {
            k = t;
            return;
        }
    kayitliAdimlar().append(t);
}

void UnregisterBelgeTemizlikleri()
{
    QMutexLocker l(&g_mutex);
    kayitliAdimlar().clear();
}

TOnarimSonucu BelgeHareketleriniDuzenle(const Db& db)
{
    QList<BelgeTemizligi> adimlar;
    {
        QMutexLocker l(&g_mutex);
        adimlar = kayitliAdimlar();
    }
    adimlar += stokFisiAdimlari();

    TOnarimSonucu sonuc;
    Transaction tr(db);
    for (const BelgeTemizligi& t : std::as_const(adimlar))
        if (tablolarVar(db, t, sonuc))
            sonuc.adimlar.append({t.adim, db.exec(t.sql)});
    sonuc.adimlar.append({S("Stok miktarları yeniden hesaplandı"), SP_STOKMIK_UPDATE(db)});
    tr.commit();
    return sonuc;
}

QList<TUyusmayanStok> StokMiktariUyusmayanlar(const Db& db, const QString& depoKodu)
{
    QList<TUyusmayanStok> out;
    // Both sides are read: movements without a kept quantity and a kept
    // quantity without movements are mismatches too.
    Query q(db, S("SELECT X.STOK_NO, SUM(X.HRK) AS HRKMIK, SUM(X.MIK) AS MIKTAR, MIN(STOK.STOK_ADI_TR) AS STOK_ADI_TR, "
                  "MIN(STOK.STOK_KOD_NO) AS STOK_KOD_NO FROM ("
                  "SELECT STOK_NO, GIRMIK-CIKMIK AS HRK, 0 AS MIK FROM DEPOHRK WHERE DEPO_KODU=:DEPO_KODU "
                  "UNION ALL SELECT STOK_NO, 0, MIKTAR FROM STOKMIK WHERE DEPO_KOD=:DEPO_KODU) X "
                  "LEFT OUTER JOIN STOK ON STOK.STOK_NO=X.STOK_NO GROUP BY X.STOK_NO "
                  "HAVING ABS(SUM(X.HRK)-SUM(X.MIK)) > 0.01 ORDER BY MIN(STOK.STOK_KOD_NO), X.STOK_NO"));
    q.bind(S("DEPO_KODU"), depoKodu).exec();
    while (q.next()) {
        TUyusmayanStok s;
        s.STOK_NO = q.num(S("STOK_NO"));
        s.STOK_KOD_NO = q.str(S("STOK_KOD_NO"));
        s.STOK_ADI_TR = q.str(S("STOK_ADI_TR"));
        s.HRKMIK = q.num(S("HRKMIK"));
        s.MIKTAR = q.num(S("MIKTAR"));
        out << s;
    }
    return out;
}

QList<QPair<QString, QString>> SayimDepolari(const Db& db)
{
    QList<QPair<QString, QString>> out;
    Query q(db, S("SELECT DEPO_KODU, DEPO_ADI FROM DEPO ORDER BY DEPO_KODU"));
    q.exec();
    while (q.next())
        out.append({q.str(S("DEPO_KODU")), q.str(S("DEPO_ADI"))});
    return out;
}

TOnarimSonucu BaslangicMaliyetiYaz(const Db& db, double stokIskonto)
{
    TOnarimSonucu sonuc;
    Transaction tr(db);
    sonuc.adimlar.append({S("Maliyeti yazılan stok"),
                          db.exec(S("UPDATE STOK SET MALIYET_FYT_TL=SAT_FYT_TL*:ISK WHERE NOT EXISTS (SELECT 1 FROM "
                                    "DEPOHRK WHERE DEPOHRK.STOK_NO=STOK.STOK_NO AND DEPOHRK.TIP='D' AND "
                                    "(DEPOHRK.GIRMIK*DEPOHRK.FIYAT)>0)"),
                                  {{S("ISK"), (100.0 - stokIskonto) / 100.0}})});
    tr.commit();
    return sonuc;
}

TOnarimSonucu AnagrupAta(const Db& db)
{
    TOnarimSonucu sonuc;
    Transaction tr(db);
    sonuc.adimlar.append({S("Ana grubu atanan stok"), db.exec(S("UPDATE STOK SET PAY='P' WHERE PAY IS NULL OR PAY=''"))});
    tr.commit();
    return sonuc;
}

QString EnYeniKod(const std::function<QString(const QString&)>& yeniKodu, const QString& stokKod,
                  const QString& yeniKod)
{
    if (stokKod == yeniKod)
        return yeniKod;
    QSet<QString> gorulen;
    QString c = yeniKod, enYeni;
    while (!c.isEmpty() && !gorulen.contains(c)) {
        enYeni = c;
        gorulen.insert(c);
        c = yeniKodu(c);
    }
    return enYeni;
}

TOnarimSonucu StokYeniKodlariniGuncelle(const Db& db, const std::function<void(int)>& ilerleme)
{
    TOnarimSonucu sonuc;
    // The chains are walked in memory: one read of the replacement codes.
    QHash<QString, QString> yeniKodlar;
    QList<QPair<QString, QString>> zincirler;
    {
        Query q(db, S("SELECT STOK_KOD_NO, YENI_KOD FROM STOK"));
        q.exec();
        while (q.next()) {
            const QString kod = q.str(S("STOK_KOD_NO")), yeni = q.str(S("YENI_KOD"));
            yeniKodlar.insert(kod, yeni);
            if (!yeni.isEmpty())
                zincirler.append({kod, yeni});
        }
    }
    const auto yeniKodu = [&](const QString& k) { return yeniKodlar.value(k); };
    // Progress is told while no transaction is open: the window may handle events then.
    QList<QString> enYeniler;
    enYeniler.reserve(zincirler.size());
    for (const auto& z : std::as_const(zincirler)) {
        enYeniler.append(EnYeniKod(yeniKodu, z.first, z.second));
        if (enYeniler.size() % 100 == 0 && ilerleme)
            ilerleme(int(enYeniler.size()));
    }
    Transaction tr(db);
    Query yaz(db, S("UPDATE STOK SET YENI_KOD_SON=:EN_YENI_KOD WHERE STOK_KOD_NO=:STOK_KOD_NO"));
    int n = 0;
    for (const auto& z : std::as_const(zincirler))
        yaz.bind(S("EN_YENI_KOD"), enYeniler.at(n++)).bind(S("STOK_KOD_NO"), z.first).exec();
    sonuc.adimlar.append({S("Yeni kodu güncellenen stok"), n});
    sonuc.adimlar.append({S("Yeni kodu kendisi olan stok"),
                          db.exec(S("UPDATE STOK SET YENI_KOD_SON=STOK_KOD_NO WHERE YENI_KOD_SON IS NULL OR "
                                    "YENI_KOD_SON=''"))});
    tr.commit();
    return sonuc;
}

} // namespace tornaly::stock
