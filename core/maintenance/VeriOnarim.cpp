#include "maintenance/VeriOnarim.h"
#include "util/Utf8.h"

namespace tornaly {

namespace {

using text::S;

bool tablolarVar(const Db& db, const QStringList& tablolar, TOnarimSonucu& sonuc, const QString& adim)
{
    QStringList eksik;
    for (const QString& t : tablolar)
        if (!db.dialect().tableExists(db, t))
            eksik << t;
    if (eksik.isEmpty())
        return true;
    sonuc.atlanan << S("%1: %2 tablosu bu veri tabanında yok").arg(adim, eksik.join(S(", ")));
    return false;
}

// One clean-up statement: rows of `tablo` whose document is missing.
struct Temizlik {
    const char* adim;
    QStringList tablolar;
    const char* sql;
};

} // namespace

int TOnarimSonucu::toplam() const
{
    int n = 0;
    for (const auto& a : adimlar)
        n += a.second;
    return n;
}

QString TOnarimSonucu::ozet() const
{
    QStringList satirlar;
    for (const auto& a : adimlar)
        satirlar << S("%1: %2 kayıt").arg(a.first).arg(a.second);
    if (!atlanan.isEmpty()) {
        satirlar << QString() << S("Atlanan adımlar (bu modüller kurulu değil):");
        satirlar << atlanan;
    }
    return satirlar.join(QLatin1Char('\n'));
}

QString OnarimHataMetni(const DbError& e)
{
    if (e.isBusy())
        return S("Veri tabanı şu anda başka bir bilgisayarda yapılan bir kayıt işlemi tarafından kullanılıyor.\n"
                 "İşlem yapılmadı, hiçbir kayıt değişmedi. Diğer bilgisayarlarda programı kapatıp tekrar deneyiniz.");
    return S("İşlem tamamlanamadı, hiçbir kayıt değişmedi.\nHata : ") + e.text();
}

TOnarimSonucu BelgeHareketleriniDuzenle(const Db& db)
{
    // A movement's document is looked for with NOT EXISTS, so a document
    // number left empty in a parent table never hides every orphan.
    static const Temizlik adimlar[] = {
        {"Satış kalemleri", {S("SATISAYR"), S("SATIS")},
         "DELETE FROM SATISAYR WHERE NOT EXISTS (SELECT 1 FROM SATIS WHERE SATIS.SATIS_NO=SATISAYR.SATIS_NO)"},
        {"Satış stok hareketleri", {S("DEPOHRK"), S("SATIS")},
         "DELETE FROM DEPOHRK WHERE TIP='S' AND NOT EXISTS (SELECT 1 FROM SATIS WHERE SATIS.SATIS_NO=DEPOHRK.SATISNO "
         "AND SATIS.TIP IN ('İ','R','L','E'))"},
        {"İş emri fatura kalemleri", {S("SERFATDT"), S("SERFAT")},
         "DELETE FROM SERFATDT WHERE NOT EXISTS (SELECT 1 FROM SERFAT WHERE SERFAT.SATIS_NO=SERFATDT.SATIS_NO)"},
        {"İş emri fatura stok hareketleri", {S("DEPOHRK"), S("SERFAT")},
         "DELETE FROM DEPOHRK WHERE TIP='C' AND NOT EXISTS (SELECT 1 FROM SERFAT WHERE SERFAT.SATIS_NO=DEPOHRK.SATISNO)"},
        {"İş emri ayrıntıları", {S("ISEAYRIN"), S("ISEMRI")},
         "DELETE FROM ISEAYRIN WHERE NOT EXISTS (SELECT 1 FROM ISEMRI WHERE ISEMRI.IS_EMRI_NO=ISEAYRIN.ISEMRI_NO)"},
        {"İş emri işçilikleri", {S("ISCILIK"), S("ISEMRI")},
         "DELETE FROM ISCILIK WHERE NOT EXISTS (SELECT 1 FROM ISEMRI WHERE ISEMRI.IS_EMRI_NO=ISCILIK.ISEMRI_NO)"},
        {"İş emri stok hareketleri", {S("DEPOHRK"), S("ISEMRI")},
         "DELETE FROM DEPOHRK WHERE TIP IN ('I','G') AND NOT EXISTS (SELECT 1 FROM ISEMRI "
         "WHERE ISEMRI.IS_EMRI_NO=DEPOHRK.ISEMRINO)"},
        {"Alış kalemleri", {S("ALISAYR"), S("ALIS")},
         "DELETE FROM ALISAYR WHERE NOT EXISTS (SELECT 1 FROM ALIS WHERE ALIS.ALIS_NO=ALISAYR.ALIS_NO)"},
        {"Alış stok hareketleri", {S("DEPOHRK"), S("ALIS")},
         "DELETE FROM DEPOHRK WHERE TIP='A' AND NOT EXISTS (SELECT 1 FROM ALIS WHERE ALIS.ALIS_NO=DEPOHRK.SATISNO "
         "AND ALIS.TIP IN ('İ','R','L','E'))"},
        {"Stok fişi kalemleri", {S("FISTKAYR"), S("FISTK")},
         "DELETE FROM FISTKAYR WHERE NOT EXISTS (SELECT 1 FROM FISTK WHERE FISTK.HRKNO=FISTKAYR.HRKNO)"},
        {"Stok fişi hareketleri", {S("DEPOHRK"), S("FISTK")},
         "DELETE FROM DEPOHRK WHERE TIP IN ('D','Z','T','U','L','F','R') AND NOT EXISTS (SELECT 1 FROM FISTK "
         "WHERE FISTK.HRKNO=DEPOHRK.SATISNO)"},
    };

    TOnarimSonucu sonuc;
    Transaction tr(db);
    for (const Temizlik& t : adimlar) {
        const QString adim = S(t.adim);
        if (!tablolarVar(db, t.tablolar, sonuc, adim))
            continue;
        sonuc.adimlar.append({adim, db.exec(S(t.sql))});
    }
    if (tablolarVar(db, {S("STOKMIK"), S("DEPOHRK")}, sonuc, S("Stok miktarları")))
        sonuc.adimlar.append({S("Stok miktarları yeniden hesaplandı"), StokMiktarlariniYenile(db)});
    tr.commit();
    return sonuc;
}

int StokMiktarlariniYenile(const Db& db)
{
    int n = db.exec(S("UPDATE STOKMIK SET MIKTAR=COALESCE((SELECT SUM(D.GIRMIK-D.CIKMIK) FROM DEPOHRK D "
                      "WHERE D.STOK_NO=STOKMIK.STOK_NO AND D.DEPO_KODU=STOKMIK.DEPO_KOD),0)"));
    n += db.exec(S("INSERT INTO STOKMIK (STOK_NO,DEPO_KOD,MIKTAR) SELECT D.STOK_NO, D.DEPO_KODU, "
                   "SUM(D.GIRMIK-D.CIKMIK) FROM DEPOHRK D WHERE NOT EXISTS (SELECT 1 FROM STOKMIK M "
                   "WHERE M.STOK_NO=D.STOK_NO AND M.DEPO_KOD=D.DEPO_KODU) GROUP BY D.STOK_NO, D.DEPO_KODU"));
    return n;
}

QList<TUyusmayanStok> StokMiktariUyusmayanlar(const Db& db, const QString& depoKodu)
{
    QList<TUyusmayanStok> out;
    if (!db.dialect().tableExists(db, S("DEPOHRK")) || !db.dialect().tableExists(db, S("STOKMIK")) ||
        !db.dialect().tableExists(db, S("STOK")))
        return out;
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
    if (!db.dialect().tableExists(db, S("DEPO")))
        return out;
    Query q(db, S("SELECT DEPO_KODU, DEPO_ADI FROM DEPO ORDER BY DEPO_KODU"));
    q.exec();
    while (q.next())
        out.append({q.str(S("DEPO_KODU")), q.str(S("DEPO_ADI"))});
    return out;
}

const QList<TKodKolonu>& CariKodKolonlari()
{
    static const QList<TKodKolonu> k{
        {"AALIS", "CARIKOD"},      {"ALIS", "CARIKOD"},       {"ALSIPMAS", "CARI_KODU"},  {"ARAC", "CARI_KOD"},
        {"ARCALSIP", "CARI_KOD"},  {"ARCPRTFY", "SATIS_CARI"}, {"ARCPRTFY", "SIP_CARI"},  {"ASATIS", "CARIKOD"},
        {"BANKHRKA", "CARI_KOD"},  {"CARI", "CARI_KOD"},      {"CARIHRK", "CARI_KOD"},    {"CLAIMM", "CL_CARI"},
        {"CSBORAYR", "CARIKOD"},   {"CSBORAYR", "CIRO_CKOD"}, {"CSBORDRO", "B_CARIKOD"},  {"CSKART", "CARIKOD"},
        {"CSKART", "CIRO_CKOD"},   {"DEPOHRK", "CARIKOD"},    {"EXPER", "SERVIS_KODU"},   {"EXPER", "SIG_ACENTA_KOD"},
        {"GIDER", "CARI_KOD"},     {"ISEMRI", "CARI_KOD"},    {"MBILGFRM", "MB_KOD"},     {"RANMAST", "CARI_KOD"},
        {"SATIS", "CARIKOD"},      {"SERFAT", "MUSTERI_KOD"}, {"SERFAT", "CARI_KOD"},     {"VERSIPMA", "CARI_KODU"},
        // The call list names the account too; left behind it would point at no card.
        {"ARAMAPER", "CARI_KOD"},
    };
    return k;
}

QPair<QString, QString> CariBul(const Db& db, const QString& kod)
{
    if (kod.isEmpty() || !db.dialect().tableExists(db, S("CARI")))
        return {};
    Query q(db, S("SELECT CARI_KOD,FIRMA_ADI FROM CARI WHERE CARI_KOD=:CARI_KOD"));
    q.bind(S("CARI_KOD"), kod).exec();
    if (!q.next())
        return {};
    return {q.str(S("CARI_KOD")), q.str(S("FIRMA_ADI"))};
}

TCariKodDegisimi CariKodDegisimKontrol(const Db& db, const QString& eski, const QString& yeni)
{
    TCariKodDegisimi d;
    if (eski.trimmed().isEmpty() || yeni.trimmed().isEmpty()) {
        d.hata = S("Cari kodlar Boş Olamaz!");
        return d;
    }
    if (CariBul(db, eski).first.isEmpty()) {
        d.hata = S("Değiştirilmek İstenen Cari kod Bulunamadı!");
        d.odak = TCariKodDegisimi::Odak::Eski;
        return d;
    }
    if (!CariBul(db, yeni).first.isEmpty()) {
        d.hata = S("Yeni Verilen Kod Kullanımda, Lütfen Kullanılmayan Bir kod Veriniz!");
        d.odak = TCariKodDegisimi::Odak::Yeni;
    }
    return d;
}

TCariKodDegisimi CariKodDegistir(const Db& db, const QString& eski, const QString& yeni)
{
    TCariKodDegisimi d;
    Transaction tr(db);
    // Checked again inside the transaction: the new code may have been taken
    // since the question was asked.
    d = CariKodDegisimKontrol(db, eski, yeni);
    if (!d.hata.isEmpty())
        return d;
    const QVariantMap b{{S("ECARI_KOD"), eski}, {S("YCARI_KOD"), yeni}};
    for (const TKodKolonu& k : CariKodKolonlari()) {
        const QString tablo = S(k.tablo), kolon = S(k.kolon), adim = tablo + QLatin1Char('.') + kolon;
        if (!db.dialect().tableExists(db, tablo)) {
            d.sonuc.atlanan << S("%1: tablo bu veri tabanında yok").arg(adim);
            continue;
        }
        if (!db.dialect().columnExists(db, tablo, kolon)) {
            d.sonuc.atlanan << S("%1: kolon bu veri tabanında yok").arg(adim);
            continue;
        }
        QString sql = S("UPDATE %1 SET %2=:YCARI_KOD").arg(tablo, kolon);
        if (tablo == QLatin1String("CARI") && db.dialect().columnExists(db, tablo, S("AKTARILDI")))
            sql += S(", AKTARILDI=0");
        sql += S(" WHERE %1=:ECARI_KOD").arg(kolon);
        d.sonuc.adimlar.append({adim, db.exec(sql, b)});
    }
    tr.commit();
    return d;
}

} // namespace tornaly
