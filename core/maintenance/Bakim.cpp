#include "maintenance/Bakim.h"
#include "util/Utf8.h"
#include "money/Money.h"
#include "sql/SqlHelpers.h"

#include <QFileInfo>

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
