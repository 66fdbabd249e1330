#include "stock/count/Sayim.h"
#include "util/Utf8.h"

#include "counters/Counters.h"
#include "guard/IslemReddi.h"
#include "sql/SqlHelpers.h"
#include "stock/slips/StokFisi.h"

#include <algorithm>
#include <cmath>

namespace tornaly::stock {

namespace {
using text::S;

const char* merkezHaricSql = " AND (MERKEZ IS NULL OR MERKEZ<>1)";

// The order of a page: its expressions (the part number settles ties) and
// the values of a row for them.
struct SiraTanimi {
    QStringList ifadeler;
    QVariantList degerler(const SayimSatiri& r) const
    {
        QVariantList v;
        for (const QString& i : ifadeler) {
            if (i.contains(QLatin1String("RAF_YERI")))
                v << r.RAF_YERI;
            else if (i.contains(QLatin1String("STOK_ADI_TR")))
                v << r.STOK_ADI_TR;
            else if (i.contains(QLatin1String("STOK_KOD_NO")))
                v << r.STOK_KOD_NO;
            else
                v << r.STOK_NO;
        }
        return v;
    }
};

SiraTanimi siraTanimi(SayimSirasi s)
{
    switch (s) {
    case SayimSirasi::Ad: return {{S("COALESCE(S.STOK_ADI_TR, '')"), S("M.STOK_NO")}};
    case SayimSirasi::Raf: return {{S("COALESCE(M.RAF_YERI, '')"), S("S.STOK_KOD_NO"), S("M.STOK_NO")}};
    case SayimSirasi::Kod: break;
    }
    return {{S("S.STOK_KOD_NO"), S("M.STOK_NO")}};
}

// (a, b, c) >= (:K0, :K1, :K2) written out, so both backends use the
// leading column's index: forwards >=, backwards <=, the row itself included.
QString keyset(const QStringList& ifadeler, bool geri, int i = 0)
{
    const QString p = S(":K%1").arg(i);
    const QString kesin = geri ? S(" < ") : S(" > ");
    if (i == ifadeler.size() - 1)
        return ifadeler[i] + (geri ? S(" <= ") : S(" >= ")) + p;
    return S("(") + ifadeler[i] + kesin + p + S(" OR (") + ifadeler[i] + S(" = ") + p + S(" AND ") +
           keyset(ifadeler, geri, i + 1) + S("))");
}

// Read by position, in the order of the page's select list: a page reads 16
// values a row, and a name look-up each costs more than the value.
SayimSatiri sayimSatiriOku(const Query& q)
{
    const auto sayi = [&q](int i) { return q.value(i).toDouble(); };
    const auto metin = [&q](int i) { return q.value(i).toString(); };
    SayimSatiri r;
    r.STOK_NO = sayi(0);
    r.MIKTAR = sayi(1);
    r.RAF_YERI = metin(2);
    r.SAYIM_MIK = sayi(3);
    r.SAYIM_FIILI = sayi(4);
    r.STOK_KOD_NO = metin(5);
    r.STOK_ADI_TR = metin(6);
    r.BARKOD = metin(7);
    r.ALIS_FYT_TL = sayi(8);
    r.SAT_FYT_TL = sayi(9);
    r.MALIYET_FYT_TL = sayi(10);
    r.ESKI_PART_NO = metin(11);
    r.YENI_KOD = metin(12);
    r.MODEL_NO = metin(13);
    r.D_BAS_SRK_MIK = sayi(14);
    r.D_BAS_STK_TUT = sayi(15);
    return r;
}

QString karsilastirilan(SayimKarsilastirma k)
{
    return k == SayimKarsilastirma::Simdiki ? S("COALESCE(M.MIKTAR, 0)") : S("COALESCE(M.SAYIM_FIILI, 0)");
}
} // namespace

QString SayimSayfaSorgusu(const Db& db, const SayimSayfaIstegi& is, QVariantMap& b)
{
    b = {{S("DEPO"), is.depo}, {S("ADET"), is.adet}};
    QString sql = S(
        "SELECT M.STOK_NO, M.MIKTAR, M.RAF_YERI, M.SAYIM_MIK, M.SAYIM_FIILI, S.STOK_KOD_NO, S.STOK_ADI_TR, S.BARKOD, "
        "S.ALIS_FYT_TL, S.SAT_FYT_TL, S.MALIYET_FYT_TL, S.ESKI_PART_NO, S.YENI_KOD, S.MODEL_NO, "
        "(SELECT SUM(H.GIRMIK) FROM DEPOHRK H WHERE H.STOK_NO = M.STOK_NO AND H.TIP = 'D') AS D_BAS_SRK_MIK, "
        "(SELECT SUM(H.GIRMIK * H.FIYAT) FROM DEPOHRK H WHERE H.STOK_NO = M.STOK_NO AND H.TIP = 'D') AS D_BAS_STK_TUT "
        "FROM STOKMIK M JOIN STOK S ON S.STOK_NO = M.STOK_NO WHERE M.DEPO_KOD = :DEPO");
    if (!is.kod.isEmpty())
        sql += S(" AND ") + PrefixCondition(db, S("S.STOK_KOD_NO"), is.kod, S("KOD"), b);
    if (!is.ad.isEmpty()) {
        sql += S(" AND COALESCE(S.STOK_ADI_TR, '') >= :AD");
        b[S("AD")] = is.ad;
    }
    if (!is.raf.isEmpty())
        sql += S(" AND ") + PrefixCondition(db, S("M.RAF_YERI"), is.raf, S("RAF"), b);
    if (!is.barkod.isEmpty()) {
        sql += S(" AND S.BARKOD = :BARKOD");
        b[S("BARKOD")] = is.barkod;
    }
    if (is.merkezHaric)
        sql += S(merkezHaricSql);
    const SiraTanimi sira = siraTanimi(is.sira);
    if (is.baslangic) {
        // The leading bound again on its own: PostgreSQL takes no index range from the OR alone.
        sql += S(" AND ") + sira.ifadeler[0] + (is.geri ? S(" <= :K0") : S(" >= :K0")) + S(" AND ") +
               keyset(sira.ifadeler, is.geri);
        const QVariantList v = sira.degerler(*is.baslangic);
        for (int i = 0; i < v.size(); ++i)
            b[S("K%1").arg(i)] = v[i];
    }
    QStringList order;
    for (const QString& i : sira.ifadeler)
        order << i + (is.geri ? S(" DESC") : QString());
    sql += S(" ORDER BY ") + order.join(S(", ")) + S(" LIMIT :ADET");
    return sql;
}

QList<SayimSatiri> SayimSayfasi(const Db& db, const SayimSayfaIstegi& is)
{
    QVariantMap b;
    Query q(db, SayimSayfaSorgusu(db, is, b));
    q.bindAll(b).exec();
    QList<SayimSatiri> out;
    while (q.next())
        out << sayimSatiriOku(q);
    if (is.geri)
        std::reverse(out.begin(), out.end());
    return out;
}

void SayimDegisiklikleriniYaz(const Db& db, const QString& depo, const QList<SayimDegisikligi>& degisiklikler)
{
    if (degisiklikler.isEmpty())
        return;
    Transaction tx(db);
    Query mik(db, S("UPDATE STOKMIK SET SAYIM_MIK = COALESCE(SAYIM_MIK, 0) + :A WHERE STOK_NO = :N AND DEPO_KOD = :D"));
    Query raf(db, S("UPDATE STOKMIK SET RAF_YERI = :R WHERE STOK_NO = :N AND DEPO_KOD = :D"));
    for (const SayimDegisikligi& d : degisiklikler) {
        if (d.artis != 0)
            mik.bind(S("A"), d.artis).bind(S("N"), d.STOK_NO).bind(S("D"), depo).exec();
        if (d.raf)
            raf.bind(S("R"), d.raf->trimmed().isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(d.raf->left(15)))
                .bind(S("N"), d.STOK_NO)
                .bind(S("D"), depo)
                .exec();
    }
    tx.commit();
}

void SayimSifirla(const Db& db, const QString& depo)
{
    db.exec(S("UPDATE STOKMIK SET SAYIM_MIK = 0, SAYIM_FIILI = MIKTAR WHERE DEPO_KOD = :D"), {{S("D"), depo}});
}

QList<SayimFarkSatiri> SayimFarkListesi(const Db& db, const QString& depo, bool yalnizFarkli, SayimKarsilastirma k)
{
    QString sql = S(
        "SELECT S.STOK_KOD_NO, S.STOK_ADI_TR, M.RAF_YERI, M.MIKTAR, M.SAYIM_MIK, S.SAT_FYT_TL, "
        "(SELECT SUM(H.GIRMIK) FROM DEPOHRK H WHERE H.STOK_NO = M.STOK_NO AND H.TIP = 'D') AS DONEMBASMIK, "
        "(SELECT SUM(H.GIRMIK * H.FIYAT) FROM DEPOHRK H WHERE H.STOK_NO = M.STOK_NO AND H.TIP = 'D') AS DBAS_TUT_TL "
        "FROM STOKMIK M JOIN STOK S ON S.STOK_NO = M.STOK_NO WHERE M.DEPO_KOD = :D "
        "AND (COALESCE(M.SAYIM_MIK, 0) > 0 OR EXISTS (SELECT 1 FROM DEPOHRK H WHERE H.STOK_NO = M.STOK_NO))");
    // Without a chosen comparison the list compares with the count's start.
    if (yalnizFarkli)
        sql += S(" AND ABS(COALESCE(M.SAYIM_MIK, 0) - ") + karsilastirilan(k) + S(") > 0.01");
    sql += S(" ORDER BY S.STOK_KOD_NO, M.STOK_NO");
    Query q(db, sql);
    q.bind(S("D"), depo).exec();
    QList<SayimFarkSatiri> out;
    while (q.next()) {
        SayimFarkSatiri r;
        r.STOK_KOD_NO = q.str(S("STOK_KOD_NO"));
        r.STOK_ADI_TR = q.str(S("STOK_ADI_TR"));
        r.RAF_YERI = q.str(S("RAF_YERI"));
        r.MIKTAR = q.num(S("MIKTAR"));
        r.SAYIM_MIK = q.num(S("SAYIM_MIK"));
        r.SAT_FYT_TL = q.num(S("SAT_FYT_TL"));
        r.DONEMBASMIK = q.num(S("DONEMBASMIK"));
        r.DBAS_TUT_TL = q.num(S("DBAS_TUT_TL"));
        out << r;
    }
    return out;
}

namespace {

struct FarkSatiri {
    double STOK_NO = 0;
    QString STOK_KOD_NO, STOK_ADI_TR, FYT_KUR;
    double fark = 0; // counted − compared
    bool sayilmamis = false;
    double SAT_FYT_TL = 0, SAT_FYT_USD = 0, SAT_FYT_DOVIZ = 0, KDV = 0;
};

QList<FarkSatiri> farklar(const Db& db, const QString& depo, SayimKarsilastirma k, bool kilitle)
{
    Query q(db, S("SELECT M.STOK_NO, M.SAYIM_MIK, ") + karsilastirilan(k) +
                    S(" AS C, S.STOK_KOD_NO, S.STOK_ADI_TR, S.SAT_FYT_TL, S.SAT_FYT_USD, S.SAT_FYT_DOVIZ, S.KDV, S.FYT_KUR "
                      "FROM STOKMIK M JOIN STOK S ON S.STOK_NO = M.STOK_NO WHERE M.DEPO_KOD = :D") +
                    S(merkezHaricSql) + S(" ORDER BY S.STOK_KOD_NO, M.STOK_NO") +
                    (kilitle ? db.dialect().rowLockSuffix() : QString()));
    q.bind(S("D"), depo).exec();
    QList<FarkSatiri> out;
    while (q.next()) {
        FarkSatiri f;
        const double sayim = q.num(S("SAYIM_MIK"));
        f.fark = sayim - q.num(S("C"));
        if (std::abs(f.fark) < 1e-9)
            continue;
        f.sayilmamis = sayim == 0;
        f.STOK_NO = q.num(S("STOK_NO"));
        f.STOK_KOD_NO = q.str(S("STOK_KOD_NO"));
        f.STOK_ADI_TR = q.str(S("STOK_ADI_TR"));
        f.FYT_KUR = q.str(S("FYT_KUR"));
        f.SAT_FYT_TL = q.num(S("SAT_FYT_TL"));
        f.SAT_FYT_USD = q.num(S("SAT_FYT_USD"));
        f.SAT_FYT_DOVIZ = q.num(S("SAT_FYT_DOVIZ"));
        f.KDV = q.num(S("KDV"));
        out << f;
    }
    return out;
}

void farkKarsilastirmasiGerekli(SayimKarsilastirma k)
{
    if (k == SayimKarsilastirma::Secilmedi)
        throw IslemReddi(S("Sayım fişini oluşturmadan önce SAYIM FARKI OLUŞTURMA SEÇENEĞİ ni belirlemeniz gerekmektedir."),
                         MsgIcon::Warning);
}

} // namespace

SayimFarkOzeti SayimFarkiOzeti(const Db& db, const QString& depo, SayimKarsilastirma k)
{
    farkKarsilastirmasiGerekli(k);
    SayimFarkOzeti o;
    for (const FarkSatiri& f : farklar(db, depo, k, false)) {
        if (f.fark > 0)
            ++o.fazla;
        else {
            ++o.eksik;
            if (f.sayilmamis)
                ++o.sayilmamis;
        }
    }
    return o;
}

SayimFisleri SayimFarkiFisleriOlustur(const SessionContext& ctx, const Db& db, const QString& depo,
                                      SayimKarsilastirma k, double yuzde, const QString& aciklama)
{
    farkKarsilastirmasiGerekli(k);
    const double p = (100 - qBound(0.0, yuzde, 100.0)) / 100;
    SayimFisleri sonuc;
    RetryAfterAsking(db, [&] {
        sonuc = {};
        Transaction tx(db);
        const QList<FarkSatiri> satirlar = farklar(db, depo, k, true);
        if (satirlar.isEmpty())
            return;
        for (const bool fazla : {true, false}) {
            StokFisi f;
            f.TIP = fazla ? u'T' : u'Z';
            for (const FarkSatiri& r : satirlar) {
                if ((r.fark > 0) != fazla)
                    continue;
                StokFisSatiri s;
                s.SIRANO = int(f.satirlar.size()) + 1;
                s.STOK_NO = r.STOK_NO;
                s.STOK_KOD_NO = r.STOK_KOD_NO;
                s.STOK_ADI = r.STOK_ADI_TR;
                s.DEPO_KODU = depo;
                s.MIKTAR = std::abs(r.fark);
                s.KDV = r.KDV;
                s.KDV_DAHIL = S("H");
                s.FIYAT = r.SAT_FYT_TL * p;
                s.FYT_USD = r.SAT_FYT_USD * p;
                s.FYT_DOVIZ = r.SAT_FYT_DOVIZ * p;
                s.DOVIZ_KODU = r.FYT_KUR;
                f.satirlar << s;
            }
            if (f.satirlar.isEmpty())
                continue;
            f.HRKNO = double(TakeCounterNumber(db, S("NEWSATIS")));
            f.TARIH = QDateTime(ServerToday(db), QTime(0, 0));
            f.ACIKLAMA1 = fazla ? S("Hızlı Sayım Listesinden Fazla Stoklar") : S("Hızlı Sayım Listesinden Eksik Stoklar");
            f.ACIKLAMA2 = aciklama.left(65);
            f.KULLANICI = ctx.AktifKullanici.per_kod;
            f.PERSON_KOD = ctx.AktifKullanici.per_kod;
            (fazla ? f.GIRDEPO : f.CIKDEPO) = depo;
            StokFisiYaz(ctx, db, f);
            (fazla ? sonuc.fazlaFisi : sonuc.eksikFisi) = f.HRKNO;
        }
        // Booked differences are cleared at once: a second run finds nothing to book.
        SayimSifirla(db, depo);
        tx.commit();
    });
    return sonuc;
}

std::optional<QString> SayimKoduCoz(const Db& db, const QString& kod, bool merkezHaric)
{
    const QString ek = merkezHaric ? S(merkezHaricSql) : QString();
    Query q(db, S("SELECT S.STOK_KOD_NO FROM STOK S WHERE S.STOK_KOD_NO = :K") + ek);
    const QString k = kod.trimmed();
    q.bind(S("K"), k).exec();
    if (q.next())
        return q.str(S("STOK_KOD_NO"));
    q.finish();
    if (k.size() > 7) {
        q.bind(S("K"), k.left(k.size() - 4).trimmed()).exec();
        if (q.next())
            return q.str(S("STOK_KOD_NO"));
    }
    return std::nullopt;
}

namespace {
QString kartRafi(const Db& db, const QString& stokKod)
{
    return SqlLookup(db, S("SELECT RAF_YERI FROM STOK WHERE STOK_KOD_NO = :K"), QVariantList{stokKod}).toString();
}
bool sayiOku(QString metin, double* deger)
{
    metin = metin.trimmed().replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    *deger = metin.toDouble(&ok);
    if (ok && *deger < 0)
        *deger = 0;
    return ok;
}
} // namespace

SayimAktarimi SayimTerminalOku(const Db& db, const QStringList& satirlar, bool merkezHaric)
{
    SayimAktarimi a;
    for (const QString& satir : satirlar) {
        if (satir.trimmed().isEmpty())
            continue;
        const QStringList f = satir.split(QLatin1Char(';'));
        SayimOkunan r;
        r.BARKOD = f.value(0).trimmed();
        const auto stok = SayimKoduCoz(db, r.BARKOD, merkezHaric);
        if (stok)
            r.STOK_KOD = *stok;
        if (f.size() < 3) {
            // The quantity counts only when a ";" follows it.
            sayiOku(f.value(1), &r.MIKTAR);
            r.HATA = S("miktar bulunamadı");
            a.hatali << r;
            continue;
        }
        if (!sayiOku(f.value(1), &r.MIKTAR)) {
            r.HATA = S("miktar bulunamadı");
            a.hatali << r;
            continue;
        }
        if (!stok) {
            r.HATA = S("Stok bulunamadı");
            a.hatali << r;
            continue;
        }
        if (f.size() > 6)
            r.SRAF = f.value(5).trimmed().left(10);
        r.RAF = kartRafi(db, r.STOK_KOD);
        a.dogru << r;
    }
    return a;
}

SayimAktarimi SayimExcelOku(const Db& db, const QList<QStringList>& satirlar)
{
    SayimAktarimi a;
    for (const QStringList& s : satirlar) {
        SayimOkunan r;
        r.BARKOD = s.value(0).trimmed();
        const QString kod = s.value(2).trimmed();
        std::optional<QString> stok;
        if (!r.BARKOD.isEmpty()) {
            const QVariant v = SqlLookup(db, S("SELECT STOK_KOD_NO FROM STOK WHERE BARKOD = :B"), QVariantList{r.BARKOD});
            if (v.isValid() && !v.isNull())
                stok = v.toString();
        }
        if (!stok && !kod.isEmpty()) {
            const QVariant v = SqlLookup(db, S("SELECT STOK_KOD_NO FROM STOK WHERE STOK_KOD_NO = :K"), QVariantList{kod});
            if (v.isValid() && !v.isNull())
                stok = v.toString();
        }
        const bool miktarVar = sayiOku(s.value(1), &r.MIKTAR);
        if (stok)
            r.STOK_KOD = *stok;
        if (!stok || !miktarVar) {
            r.HATA = (!stok ? S("Stok bulunamadı") : S("miktar bulunamadı")).left(100);
            a.hatali << r;
            continue;
        }
        r.SRAF = s.value(3).trimmed().left(10);
        a.dogru << r;
    }
    return a;
}

SayimAktarimi SayimMobilOku(const Db& db, bool merkezHaric)
{
    SayimAktarimi a;
    Query q(db, S("SELECT STOK_KOD, MIKTAR, RAF_YERI FROM ISLEMLER WHERE TIP = 'SS' ORDER BY CIHAZ_NO, SIRA_NO"));
    q.exec();
    struct Okunan {
        QString kod, raf;
        double miktar;
    };
    QList<Okunan> okunan;
    while (q.next())
        okunan << Okunan{q.str(S("STOK_KOD")).trimmed(), q.str(S("RAF_YERI")).trimmed(), qMax(0.0, q.num(S("MIKTAR")))};
    q.finish();
    for (const Okunan& o : okunan) {
        SayimOkunan r;
        r.BARKOD = o.kod;
        r.MIKTAR = o.miktar;
        const auto stok = SayimKoduCoz(db, o.kod, merkezHaric);
        if (!stok) {
            r.STOK_KOD = o.kod;
            r.HATA = S("Stok bulunamadı");
            a.hatali << r;
            continue;
        }
        r.STOK_KOD = *stok;
        r.SRAF = o.raf;
        r.RAF = kartRafi(db, r.STOK_KOD).trimmed();
        r.DIKKAT = r.SRAF != r.RAF ? S("X") : QString();
        a.dogru << r;
    }
    return a;
}

int SayimAktar(const Db& db, const QString& depo, const QList<SayimOkunan>& satirlar, bool ilaveEt, bool rafGuncelle)
{
    if (depo.trimmed().isEmpty())
        throw IslemReddi(S("Lütfen Sayım yapacağınız depoyu seçiniz."), MsgIcon::Warning);
    if (satirlar.isEmpty())
        throw IslemReddi(S("Aktarılacak sayım mevcut değil!"), MsgIcon::Warning);
    Transaction tx(db);
    if (!ilaveEt)
        SayimSifirla(db, depo);
    Query mik(db, S("UPDATE STOKMIK SET SAYIM_MIK = COALESCE(SAYIM_MIK, 0) + :M WHERE DEPO_KOD = :D AND "
                    "STOK_NO = (SELECT STOK_NO FROM STOK WHERE STOK_KOD_NO = :K)"));
    Query raf(db, S("UPDATE STOKMIK SET RAF_YERI = :R WHERE DEPO_KOD = :D AND "
                    "STOK_NO = (SELECT STOK_NO FROM STOK WHERE STOK_KOD_NO = :K)"));
    for (const SayimOkunan& r : satirlar) {
        mik.bind(S("M"), r.MIKTAR).bind(S("D"), depo).bind(S("K"), r.STOK_KOD).exec();
        if (rafGuncelle && !r.SRAF.trimmed().isEmpty())
            raf.bind(S("R"), r.SRAF.trimmed()).bind(S("D"), depo).bind(S("K"), r.STOK_KOD).exec();
    }
    tx.commit();
    return int(satirlar.size());
}

} // namespace tornaly::stock
