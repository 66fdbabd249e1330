#include "maintenance/Bakim.h"
#include "util/Utf8.h"
#include "money/Money.h"
#include "sql/SqlHelpers.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace tornaly {

namespace {

using text::S;

bool var(const Db& db, const QString& t) { return db.dialect().tableExists(db, t); }

struct Kaynak {
    const char* tablo;
    const char* kolon;
};

struct Sayac {
    const char* tablo;
    QList<Kaynak> kaynaklar;
    QStringList seriKolonlari;
};

// The highest value of `kolon` in `tablo`; 0 when empty.
double enBuyuk(const Db& db, const QString& tablo, const QString& kolon)
{
    Query q(db, S("SELECT MAX(%1) AS M FROM %2").arg(kolon, tablo));
    q.exec();
    return q.next() ? q.num(S("M")) : 0;
}

} // namespace

TOnarimSonucu BelgeReferansNolariGuncelle(const Db& db)
{
    const QList<Sayac> sayaclar{
        {"NEWSATIS",
         {{"SATIS", "SATIS_NO"}, {"SERFAT", "SATIS_NO"}, {"FISTK", "HRKNO"}},
         {S("SABITHARF"), S("FATNO"), S("IRS_HARF"), S("IRS_NO"), S("IRS_FAT_HARF"), S("IRS_FAT_NO")}},
        {"NEWFIS",
         {{"FIS", "FISNO"}},
         {S("MAHSUP_SB"), S("MAHSUPNO1"), S("ORTAK_NO"), S("ORTAK_SB"), S("OZEL_SB"), S("OZEL1"), S("TAHSIL_SB"),
          S("TAHSILNO1"), S("TEDIYE_SB"), S("TEDIYENO1"), S("TIP"), S("YEVMIYE_NO")}},
        {"NEWALIS", {{"ALIS", "ALIS_NO"}}, {}},
        {"NEWMBFRM", {{"MBILGFRM", "MB_NO"}}, {}},
        {"NEWPTMUS", {{"POTANMUS", "PM_NO"}}, {}},
        {"NEWSTOK", {{"STOK", "STOK_NO"}}, {}},
    };

    TOnarimSonucu sonuc;
    Transaction tr(db);
    for (const Sayac& s : sayaclar) {
        const QString tablo = S(s.tablo);
        if (!var(db, tablo)) {
            sonuc.atlanan << S("%1: sayaç tablosu bu veri tabanında yok").arg(tablo);
            continue;
        }
        // Taking the counter's row first makes a workstation that draws a
        // number now wait until the new value is written.
        db.exec(S("UPDATE %1 SET YENINO=YENINO").arg(tablo));
        double yeniNo = 0;
        for (const Kaynak& k : s.kaynaklar) {
            if (!var(db, S(k.tablo))) {
                sonuc.atlanan << S("%1: %2 tablosu yok, 0 sayıldı").arg(tablo, S(k.tablo));
                continue;
            }
            yeniNo = std::max(yeniNo, enBuyuk(db, S(k.tablo), S(k.kolon)));
        }
        QVariantMap satir{{S("YENINO"), yeniNo + 1}};
        for (const QString& kolon : s.seriKolonlari) {
            if (!db.dialect().columnExists(db, tablo, kolon))
                continue;
            Query q(db, S("SELECT MAX(%1) AS M FROM %2").arg(kolon, tablo));
            q.exec();
            satir.insert(kolon, q.next() ? q.value(S("M")) : QVariant());
        }
        db.exec(S("DELETE FROM ") + tablo);
        db.exec(InsertSql(tablo, satir.keys()), satir);
        sonuc.adimlar.append({S("%1 = %2").arg(tablo).arg(qint64(yeniNo + 1)), 1});
    }
    tr.commit();
    return sonuc;
}

TOnarimSonucu BaslangicMaliyetiYaz(const Db& db, double stokIskonto)
{
    TOnarimSonucu sonuc;
    if (!var(db, S("STOK"))) {
        sonuc.atlanan << S("STOK: tablo bu veri tabanında yok");
        return sonuc;
    }
    QString sql = S("UPDATE STOK SET MALIYET_FYT_TL=SAT_FYT_TL*:ISK");
    if (var(db, S("DEPOHRK")))
        sql += S(" WHERE NOT EXISTS (SELECT 1 FROM DEPOHRK WHERE DEPOHRK.STOK_NO=STOK.STOK_NO AND "
                 "DEPOHRK.TIP='D' AND (DEPOHRK.GIRMIK*DEPOHRK.FIYAT)>0)");
    Transaction tr(db);
    sonuc.adimlar.append({S("Maliyeti yazılan stok"), db.exec(sql, {{S("ISK"), (100.0 - stokIskonto) / 100.0}})});
    tr.commit();
    return sonuc;
}

TOnarimSonucu StokMaliyetiHesapla(const Db& db)
{
    TOnarimSonucu sonuc;
    if (!var(db, S("STOK"))) {
        sonuc.atlanan << S("STOK: tablo bu veri tabanında yok");
        return sonuc;
    }
    QStringList parcalar;
    if (var(db, S("DEPOHRK")))
        parcalar << S("SELECT STOK_NO, GIRMIK AS MIK, FIYAT*GIRMIK AS TUT FROM DEPOHRK WHERE TIP='D'");
    else
        sonuc.atlanan << S("DEPOHRK: tablo yok, açılış hareketleri sayılmadı");
    if (var(db, S("ALISAYR")) && var(db, S("ALIS")))
        parcalar << S("SELECT ALISAYR.STOK_NO, ALISAYR.MIKTAR, ALISAYR.GER_TUT FROM ALISAYR INNER JOIN ALIS "
                      "ON ALIS.ALIS_NO=ALISAYR.ALIS_NO WHERE ALIS.TIP IN ('F','R','L','E')");
    else
        sonuc.atlanan << S("ALIS/ALISAYR: tablo yok, alış faturaları sayılmadı");
    if (parcalar.isEmpty())
        return sonuc;
    const QString kaynak = parcalar.join(S(" UNION ALL "));
    // The same weighted mean as a joined update, written as a correlated
    // sub-query so that both backends run it.
    const QString sql =
        S("UPDATE STOK SET MALIYET_FYT_TL=(SELECT SUM(AAA.TUT)/(SUM(AAA.MIK)+0.00000001) FROM (%1) AAA "
          "WHERE AAA.STOK_NO=STOK.STOK_NO) WHERE EXISTS (SELECT 1 FROM (%1) BBB WHERE BBB.STOK_NO=STOK.STOK_NO)")
            .arg(kaynak);
    Transaction tr(db);
    sonuc.adimlar.append({S("Maliyeti hesaplanan stok"), db.exec(sql)});
    tr.commit();
    return sonuc;
}

TOnarimSonucu AnagrupAta(const Db& db)
{
    TOnarimSonucu sonuc;
    if (!var(db, S("STOK"))) {
        sonuc.atlanan << S("STOK: tablo bu veri tabanında yok");
        return sonuc;
    }
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
    if (!var(db, S("STOK"))) {
        sonuc.atlanan << S("STOK: tablo bu veri tabanında yok");
        return sonuc;
    }
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

QString VeriTabaniBoyutu(const Db& db)
{
    if (db.backend() == Backend::SQLite) {
        const QString yol = db.profile().filePath;
        const qint64 ana = QFileInfo(yol).size();
        const qint64 wal = QFileInfo(yol + S("-wal")).size();
        return S("Veri Tabanı Dosyası: %1 KB, Günlük (WAL) Dosyası: %2 KB")
            .arg(FormatMoney(double(ana / 1024), S(",0")), FormatMoney(double(wal / 1024), S(",0")));
    }
    Query q(db, S("SELECT pg_database_size(current_database()) AS BOYUT"));
    q.exec();
    const qint64 boyut = q.next() ? q.integer(S("BOYUT")) : 0;
    return S("Veri Tabanı Boyutu: %1 KB").arg(FormatMoney(double(boyut / 1024), S(",0")));
}

QString LogTemizlemeMetni(const Db& db)
{
    if (db.backend() == Backend::SQLite)
        return S("Bu veri tabanında temizlenecek ayrı bir log dosyası yoktur: SQLite günlük (WAL) dosyasını "
                 "kayıtlar işlendikçe kendisi boşaltır. Bu komut hiçbir şeyi değiştirmez.");
    return S("Bu veri tabanında log temizleme işleminin karşılığı yoktur: PostgreSQL günlük (WAL) dosyalarını "
             "kendisi yönetir ve eski dosyaları kendisi siler. Bu komut hiçbir şeyi değiştirmez.");
}

} // namespace tornaly
