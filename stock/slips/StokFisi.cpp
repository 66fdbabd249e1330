#include "stock/slips/StokFisi.h"
#include "util/Utf8.h"

#include "company/Kilit.h"
#include "counters/Counters.h"
#include "db/BatchInsert.h"
#include "guard/IslemReddi.h"
#include "sql/SqlHelpers.h"
#include "stock/ledger/Maliyet.h"

namespace tornaly::stock {

namespace {

using text::S;

QVariant bosIseNull(const QString& s)
{
    return s.trimmed().isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(s);
}

const QStringList& satirKolonlari()
{
    static const QStringList k = {
        S("HRKNO"),     S("SIRANO"),    S("STOK_NO"),    S("STOK_KOD_NO"), S("STOK_ADI"),   S("MIKTAR"),
        S("FIYAT"),     S("KDV"),       S("FYT_USD"),    S("FYT_DOVIZ"),   S("DOVIZ_KODU"), S("TL_KURDEGER"),
        S("PARA_BAZ"),  S("KDV_DAHIL"), S("DEPO_KODU"),  S("GER_TUT"),     S("GER_TUT_USD"), S("SERINO"),
        S("ACIKLAMA")};
    return k;
}

// The head columns a slip save owns; FIS_NO, HRKDURUM and the outside
// system's columns belong to other operations.
const QStringList& basKolonlari()
{
    static const QStringList k = {S("TIP"),       S("TARIH"),     S("OZELKOD"),  S("ACIKLAMA1"), S("ACIKLAMA2"),
                                  S("ACIKLAMA3"), S("KULLANICI"), S("PERSON_KOD"), S("CIKDEPO"), S("GIRDEPO"),
                                  S("BRUTTUT"),   S("KDVTUT"),    S("NETTUT"),   S("BRUT_USD"),  S("KDV_USD"),
                                  S("NET_USD"),   S("USDFYT"),    S("ONAY")};
    return k;
}

QVariantMap basDegerleri(const StokFisi& f)
{
    return {{S("HRKNO"), f.HRKNO},
            {S("TIP"), QString(f.TIP)},
            {S("TARIH"), f.TARIH},
            {S("OZELKOD"), bosIseNull(f.OZELKOD)},
            {S("ACIKLAMA1"), f.ACIKLAMA1},
            {S("ACIKLAMA2"), bosIseNull(f.ACIKLAMA2)},
            {S("ACIKLAMA3"), bosIseNull(f.ACIKLAMA3)},
            {S("KULLANICI"), bosIseNull(f.KULLANICI)},
            {S("PERSON_KOD"), f.PERSON_KOD},
            {S("CIKDEPO"), bosIseNull(f.CIKDEPO)},
            {S("GIRDEPO"), bosIseNull(f.GIRDEPO)},
            {S("BRUTTUT"), f.BRUTTUT},
            {S("KDVTUT"), f.KDVTUT},
            {S("NETTUT"), f.NETTUT},
            {S("BRUT_USD"), f.BRUT_USD},
            {S("KDV_USD"), f.KDV_USD},
            {S("NET_USD"), f.NET_USD},
            {S("USDFYT"), 0.0},
            {S("ONAY"), f.ONAY ? 1 : 0}};
}

bool depoKullanir(QChar tip, bool giris)
{
    const StokFisTipi* t = StokFisTipiBul(tip);
    return t && (giris ? t->giris : t->cikis);
}

// Lines of tracked parts whose batch has gone below zero in the ledger once
// this slip's movements are in.
QStringList yetersizPartiler(const Db& db, const StokFisi& fis)
{
    QStringList eksik;
    Query takip(db, S("SELECT SERITAKIP FROM STOK WHERE STOK_NO = :N"));
    Query kalan(db, S("SELECT COALESCE(SUM(GIRMIK), 0) - COALESCE(SUM(CIKMIK), 0) FROM V_SERINO_HRK "
                      "WHERE STOK_NO = :N AND SERINO = :S"));
    for (const StokFisSatiri& s : fis.satirlar) {
        takip.bind(S("N"), s.STOK_NO).exec();
        const bool izlenir = takip.next() && takip.str(S("SERITAKIP")).trimmed() == QLatin1String("E");
        takip.finish();
        if (!izlenir)
            continue;
        kalan.bind(S("N"), s.STOK_NO).bind(S("S"), s.SERINO.trimmed()).exec();
        const double k = kalan.next() ? kalan.value(0).toDouble() : 0;
        kalan.finish();
        if (s.SERINO.trimmed().isEmpty() || k < -1e-9)
            eksik << s.SERINO;
    }
    return eksik;
}

} // namespace

const QList<StokFisTipi>& StokFisTipleri()
{
    static const QList<StokFisTipi> t = {
        {u'O', S("Depo Transferi"), S("Depo Transferi"), true, true},
        {u'F', S("Fire"), S("Fire"), true, false},
        {u'R', S("Sarf"), S("Sarf"), true, false},
        {u'U', S("Üretime Gidiş"), S("Üretime Gidiş"), true, false},
        {u'L', S("Üretimden Geliş"), S("Üretimden Geliş"), false, true},
        // The slip form and the browse word the count types differently.
        {u'T', S("Sayım Eksiği/Stok Artırma"), S("Sayım Fazlası"), false, true},
        {u'Z', S("Sayım Fazlası/Stok Azaltma"), S("Sayım Eksiği"), true, false},
        {u'D', S("Dönem Başı Deviri"), S("Devir"), false, true},
    };
    return t;
}

const StokFisTipi* StokFisTipiBul(QChar harf)
{
    for (const StokFisTipi& t : StokFisTipleri())
        if (t.harf == harf)
            return &t;
    return nullptr;
}

QList<QPair<QString, QString>> FisDepolari(const SessionContext& ctx, const Db& db)
{
    QList<QPair<QString, QString>> out;
    Query q(db, S("SELECT DEPO_KODU, DEPO_ADI FROM DEPO WHERE DEPO_KODU <> :S ORDER BY SIRA, DEPO_KODU"));
    q.bind(S("S"), ctx.ServisDepoKodu).exec();
    while (q.next())
        out.append({q.str(S("DEPO_KODU")).trimmed(), q.str(S("DEPO_ADI"))});
    return out;
}

StokFisi YeniStokFisi(const SessionContext& ctx, const Db& db, QChar tip)
{
    StokFisi f;
    f.HRKNO = double(TakeCounterNumber(db, S("NEWSATIS")));
    f.TIP = tip;
    f.TARIH = QDateTime(ServerToday(db), QTime(0, 0));
    f.KULLANICI = ctx.AktifKullanici.per_kod;
    f.PERSON_KOD = ctx.AktifKullanici.per_kod;
    return f;
}

std::optional<StokFisi> StokFisiOku(const Db& db, double hrkno)
{
    Query q(db, S("SELECT * FROM FISTK WHERE HRKNO = :H"));
    q.bind(S("H"), hrkno).exec();
    if (!q.next())
        return std::nullopt;
    StokFisi f;
    f.HRKNO = q.num(S("HRKNO"));
    const QString tip = q.str(S("TIP")).trimmed();
    f.TIP = tip.isEmpty() ? QChar() : tip.at(0);
    f.TARIH = q.dateTime(S("TARIH"));
    f.OZELKOD = q.str(S("OZELKOD"));
    f.ACIKLAMA1 = q.str(S("ACIKLAMA1"));
    f.ACIKLAMA2 = q.str(S("ACIKLAMA2"));
    f.ACIKLAMA3 = q.str(S("ACIKLAMA3"));
    f.KULLANICI = q.str(S("KULLANICI"));
    f.PERSON_KOD = q.str(S("PERSON_KOD"));
    f.CIKDEPO = q.str(S("CIKDEPO")).trimmed();
    f.GIRDEPO = q.str(S("GIRDEPO")).trimmed();
    f.BRUTTUT = q.num(S("BRUTTUT"));
    f.KDVTUT = q.num(S("KDVTUT"));
    f.NETTUT = q.num(S("NETTUT"));
    f.BRUT_USD = q.num(S("BRUT_USD"));
    f.KDV_USD = q.num(S("KDV_USD"));
    f.NET_USD = q.num(S("NET_USD"));
    f.ONAY = q.value(S("ONAY")).toInt() != 0;
    f.FIS_NO = q.isNull(S("FIS_NO")) ? QVariant() : q.value(S("FIS_NO"));
    f.HRKDURUM = q.str(S("HRKDURUM"));
    q.finish();
    f.kayitli = true;
    f.eskiGirDepo = f.GIRDEPO;

    Query l(db, S("SELECT * FROM FISTKAYR WHERE HRKNO = :H ORDER BY SIRANO"));
    l.bind(S("H"), hrkno).exec();
    while (l.next()) {
        StokFisSatiri s;
        s.SIRANO = int(l.integer(S("SIRANO")));
        s.STOK_NO = l.num(S("STOK_NO"));
        s.STOK_KOD_NO = l.str(S("STOK_KOD_NO"));
        s.STOK_ADI = l.str(S("STOK_ADI"));
        s.MIKTAR = l.num(S("MIKTAR"));
        s.FIYAT = l.num(S("FIYAT"));
        s.KDV = l.num(S("KDV"));
        s.FYT_USD = l.num(S("FYT_USD"));
        s.FYT_DOVIZ = l.num(S("FYT_DOVIZ"));
        s.DOVIZ_KODU = l.str(S("DOVIZ_KODU"));
        s.TL_KURDEGER = l.isNull(S("TL_KURDEGER")) ? 1 : l.num(S("TL_KURDEGER"));
        s.PARA_BAZ = l.str(S("PARA_BAZ"));
        s.KDV_DAHIL = l.str(S("KDV_DAHIL"));
        s.DEPO_KODU = l.str(S("DEPO_KODU")).trimmed();
        s.SERINO = l.str(S("SERINO"));
        s.ACIKLAMA = l.str(S("ACIKLAMA"));
        f.satirlar << s;
    }
    return f;
}

void StokFisiToplamlari(StokFisi& f)
{
    f.BRUTTUT = f.BRUT_USD = f.KDVTUT = f.KDV_USD = 0;
    double net = 0, netUsd = 0;
    for (const StokFisSatiri& s : f.satirlar) {
        f.BRUTTUT += s.KDVSIZTUT();
        f.BRUT_USD += s.KDVSIZTUT_USD();
        f.KDVTUT += s.AsilKDV();
        f.KDV_USD += s.AsilKDV_USD();
        net += s.NetKDVsizTut();
        netUsd += s.NetKDVsizTutUSD();
    }
    f.NETTUT = f.KDVTUT + net;
    f.NET_USD = f.KDV_USD + netUsd;
}

QList<DepoHrkSatiri> StokFisiHareketleri(const StokFisi& f)
{
    const StokFisTipi* tip = StokFisTipiBul(f.TIP);
    if (!tip)
        throw IslemReddi(S("Hata:İşlem tipi seçimi yapılmamış!"));
    const QDateTime tarih = f.TARIH.isValid() ? f.TARIH : QDateTime(QDate::currentDate(), QTime(0, 0));
    QList<DepoHrkSatiri> rows;
    for (const StokFisSatiri& s : f.satirlar) {
        const QVariant fiyat = StokFisiBirimFiyat(s.NetKDVsizTut(), s.MIKTAR);
        const QVariant usd = s.MIKTAR > 0 ? QVariant(s.NetKDVsizTutUSD() / s.MIKTAR) : QVariant();
        QList<DepoHrkSatiri> satir;
        if (f.TIP == u'O')
            satir = DepoHrkTransfer(s.SIRANO, s.STOK_NO, f.CIKDEPO, f.GIRDEPO, tarih, s.MIKTAR, fiyat, usd);
        else
            satir << DepoHrkHareket(f.TIP, s.SIRANO, StokFisiCariKod(), s.STOK_NO, tip->giris ? f.GIRDEPO : f.CIKDEPO,
                                    tarih, s.MIKTAR, fiyat, usd);
        for (DepoHrkSatiri& r : satir) {
            // A zero quantity carries no unit value.
            if (s.MIKTAR <= 0) {
                r.FIYAT = QVariant();
                r.FYT_USD = QVariant();
            }
            r.SERINO = s.SERINO.trimmed();
            rows << r;
        }
    }
    return rows;
}

void StokFisiKontrol(const SessionContext& ctx, const StokFisi& f)
{
    const bool cikis = depoKullanir(f.TIP, false), giris = depoKullanir(f.TIP, true);
    if (f.TIP == u'O') {
        if (f.CIKDEPO.trimmed().isEmpty() || f.GIRDEPO.trimmed().isEmpty() || f.CIKDEPO.trimmed() == f.GIRDEPO.trimmed())
            throw IslemReddi(S("Lütfen Stokların Çıktığı/Girdiği Depoları Aynı Seçmeyin ve Boş Bırakmayın"),
                             MsgIcon::Warning);
    } else if (giris && f.GIRDEPO.trimmed().isEmpty()) {
        throw IslemReddi(S("Lütfen Stokların Giriş Deposunu Seçiniz"), MsgIcon::Warning);
    } else if (cikis && f.CIKDEPO.trimmed().isEmpty()) {
        throw IslemReddi(S("Lütfen Stokların Çıkış Deposunu Seçiniz"), MsgIcon::Warning);
    }
    if (f.satirlar.isEmpty())
        throw IslemReddi(S("Boş Fiş Saklanmaz."), MsgIcon::Warning);
    if (IsDateLocked(ctx, false, f.TARIH.date()))
        throw IslemReddi(S("İlgili tarih için işlem yapılamaz!"), MsgIcon::Warning);
    if (!StokFisTipiBul(f.TIP))
        throw IslemReddi(S("Hata:İşlem tipi seçimi yapılmamış!"));
    if (f.ACIKLAMA1.trimmed().isEmpty())
        throw IslemReddi(S("Hata:Açıklama alanı boş bırakılamaz."));
    if (f.PERSON_KOD.trimmed().isEmpty())
        throw IslemReddi(S("Hata:Sorumlu personel kodu boş bırakılamaz."));
}

void AcilisAyiniYenidenKur(const SessionContext& ctx, const Db& db, const QString& depo)
{
    if (depo.trimmed().isEmpty())
        return;
    const QVariantMap b{{S("YIL"), ctx.CalismaYiliNo - 1}, {S("DEPO"), depo.trimmed()}};
    db.exec(S("DELETE FROM STKAYMAL WHERE YIL = :YIL AND AY = 12 AND DEPO_KODU = :DEPO"), b);
    db.exec(S("INSERT INTO STKAYMAL (YIL, AY, STOK_NO, STOK_KOD, MIKTAR, MALIYET, DEPO_KODU) "
              "SELECT CAST(:YIL AS SMALLINT), 12, H.STOK_NO, MAX(S.STOK_KOD_NO), SUM(H.GIRMIK), "
              "SUM(H.GIRMIK * COALESCE(H.FIYAT, 0)) / SUM(H.GIRMIK), CAST(:DEPO AS VARCHAR(11)) "
              "FROM DEPOHRK H LEFT JOIN STOK S ON S.STOK_NO = H.STOK_NO "
              "WHERE H.TIP = 'D' AND H.DEPO_KODU = :DEPO GROUP BY H.STOK_NO HAVING SUM(H.GIRMIK) > 0"),
            b);
}

void StokFisiYaz(const SessionContext& ctx, const Db& db, StokFisi& fis)
{
    StokFisiToplamlari(fis);
    const QList<DepoHrkSatiri> hareketler = StokFisiHareketleri(fis);
    Transaction tx(db);
    QString eskiGirDepo = fis.eskiGirDepo;
    {
        // The head is locked first, so two saves of one slip run one after the other.
        Query kilit(db, S("SELECT GIRDEPO FROM FISTK WHERE HRKNO = :H") + db.dialect().rowLockSuffix());
        kilit.bind(S("H"), fis.HRKNO).exec();
        if (kilit.next())
            eskiGirDepo = kilit.str(S("GIRDEPO")).trimmed();
    }
    DepoHrkYazici yazici(db);
    const DepoHrkBelge belge = DepoHrkBelge::Belge(fis.HRKNO, fis.TIP);
    if (fis.TIP != u'O' || fis.ONAY)
        yazici.yaz(belge, hareketler);
    else
        yazici.sil(belge); // an unapproved transfer moves nothing

    db.exec(S("DELETE FROM FISTKAYR WHERE HRKNO = :H"), {{S("H"), fis.HRKNO}});
    BatchInsert satirlar(db, S("FISTKAYR"), satirKolonlari());
    for (const StokFisSatiri& s : fis.satirlar) {
        const bool tutarli = s.MIKTAR > 0;
        satirlar.value(fis.HRKNO).value(s.SIRANO).value(s.STOK_NO).value(s.STOK_KOD_NO).value(s.STOK_ADI);
        satirlar.value(s.MIKTAR).value(s.FIYAT).value(s.KDV).value(s.FYT_USD).value(s.FYT_DOVIZ);
        satirlar.value(s.DOVIZ_KODU.isEmpty() ? ctx.YerelPara : s.DOVIZ_KODU).value(s.TL_KURDEGER);
        satirlar.value(s.PARA_BAZ).value(s.KDV_DAHIL).value(s.DEPO_KODU);
        satirlar.value(tutarli ? QVariant(s.NetKDVsizTut()) : QVariant(QMetaType(QMetaType::Double)));
        satirlar.value(tutarli ? QVariant(s.NetKDVsizTutUSD()) : QVariant(QMetaType(QMetaType::Double)));
        satirlar.value(bosIseNull(s.SERINO)).value(bosIseNull(s.ACIKLAMA));
        satirlar.endRow();
    }
    satirlar.flush();

    if (fis.TIP == u'F' || fis.TIP == u'Z' || fis.TIP == u'R') {
        const QStringList eksik = yetersizPartiler(db, fis);
        if (!eksik.isEmpty()) {
            QString t = S("Parti/Seri yetersiz/tanımsız stok \r\n");
            for (const QString& seri : eksik)
                t += S(" ") + seri + S(" parti/seri nolu ürün stokta yeterli değil! ") + S("\r\n");
            throw IslemReddi(S("Hata:") + t);
        }
    }

    const QVariantMap bas = basDegerleri(fis);
    if (db.exec(S("UPDATE FISTK SET ") + AssignSql(basKolonlari()) + S(" WHERE HRKNO = :HRKNO"), bas) == 0)
        db.exec(InsertSql(S("FISTK"), QStringList{S("HRKNO")} + basKolonlari()), bas);

    if (fis.TIP == u'D') {
        if (!eskiGirDepo.isEmpty() && eskiGirDepo != fis.GIRDEPO.trimmed())
            AcilisAyiniYenidenKur(ctx, db, eskiGirDepo);
        AcilisAyiniYenidenKur(ctx, db, fis.GIRDEPO);
    }
    tx.commit();
}

void StokFisiKaydet(const SessionContext& ctx, const Db& db, StokFisi& fis)
{
    StokFisiKontrol(ctx, fis);
    StokFisiToplamlari(fis);
    StokFisiHareketleri(fis); // a type without movement rules is refused before anything is written
    StokFisi yazilan = fis;
    RetryAfterAsking(db, [&] {
        yazilan = fis;
        StokFisiYaz(ctx, db, yazilan);
    });
    fis = yazilan;
    fis.kayitli = true;
    fis.eskiGirDepo = fis.GIRDEPO.trimmed();
}

namespace {

struct SilinecekFis {
    QChar tip;
    QDate tarih;
    QString girDepo;
    bool fisVar = false;
};

SilinecekFis silmeKontrolu(const SessionContext& ctx, const Db& db, double hrkno, bool kilitle)
{
    Query q(db, S("SELECT TIP, TARIH, GIRDEPO, FIS_NO FROM FISTK WHERE HRKNO = :H") +
                    (kilitle ? db.dialect().rowLockSuffix() : QString()));
    q.bind(S("H"), hrkno).exec();
    SilinecekFis f;
    if (!q.next())
        return f;
    f.fisVar = true;
    const QString tip = q.str(S("TIP")).trimmed();
    f.tip = tip.isEmpty() ? QChar() : tip.at(0);
    f.tarih = q.date(S("TARIH"));
    f.girDepo = q.str(S("GIRDEPO")).trimmed();
    if (!q.isNull(S("FIS_NO")) && q.num(S("FIS_NO")) != 0)
        throw IslemReddi(S("Bu Hareketin Muhasebe Kayıt Fişi Var. Silinemez."), MsgIcon::Warning);
    if (IsDateLocked(ctx, false, f.tarih))
        throw IslemReddi(S("İlgili tarih için işlem yapılamaz!"), MsgIcon::Warning);
    return f;
}

} // namespace

void StokFisiSilinebilir(const SessionContext& ctx, const Db& db, double hrkno)
{
    silmeKontrolu(ctx, db, hrkno, false);
}

void StokFisiSil(const SessionContext& ctx, const Db& db, double hrkno)
{
    RetryAfterAsking(db, [&] {
        Transaction tx(db);
        const SilinecekFis f = silmeKontrolu(ctx, db, hrkno, true);
        if (!f.fisVar)
            return;
        DepoHrkYazici(db).sil(DepoHrkBelge::Belge(hrkno, f.tip));
        db.exec(S("DELETE FROM FISTKAYR WHERE HRKNO = :H"), {{S("H"), hrkno}});
        db.exec(S("DELETE FROM FISTK WHERE HRKNO = :H"), {{S("H"), hrkno}});
        // The warehouse's other opening slips keep their opening month.
        if (f.tip == u'D')
            AcilisAyiniYenidenKur(ctx, db, f.girDepo);
        tx.commit();
    });
}

bool StokFisiMuhasebeyeGider(QChar tip)
{
    return tip == u'O' || tip == u'F' || tip == u'R' || tip == u'U' || tip == u'L';
}

void StokFisiFiyatlariniGuncelle(const SessionContext& ctx, const Db& db, StokFisi& fis, FiyatKaynagi kaynak)
{
    QDate onceki = fis.TARIH.isValid() ? fis.TARIH.date() : ServerToday(db);
    onceki = QDate(onceki.year(), onceki.month(), 1).addMonths(-1);
    for (StokFisSatiri& s : fis.satirlar) {
        QVariant v;
        switch (kaynak) {
        case FiyatKaynagi::AlislarinOrtalamasi:
            if (const auto m = AlislarinOrtalamasi(db, s.STOK_NO))
                v = *m;
            break;
        case FiyatKaynagi::AylikMaliyetAnalizi:
            v = SqlLookup(db, S("SELECT MALIYET FROM STKAYMAL WHERE STOK_NO = :N AND YIL = :Y AND AY = :A"),
                          QVariantList{s.STOK_NO, onceki.year(), onceki.month()});
            break;
        case FiyatKaynagi::SatisFiyati:
            v = SqlLookup(db, S("SELECT SAT_FYT_TL FROM STOK WHERE STOK_NO = :N"), QVariantList{s.STOK_NO});
            break;
        case FiyatKaynagi::AlisFiyati:
            v = SqlLookup(db, S("SELECT ALIS_FYT_TL FROM STOK WHERE STOK_NO = :N"), QVariantList{s.STOK_NO});
            if (v.isValid() && !v.isNull())
                v = v.toDouble() * (100 - ctx.StokIskonto) / 100;
            break;
        }
        s.FIYAT = v.isValid() && !v.isNull() ? v.toDouble() : 0;
    }
}

namespace {
std::optional<StokKartOzeti> ozetOku(Query& q)
{
    if (!q.next())
        return std::nullopt;
    StokKartOzeti o;
    o.STOK_NO = q.num(S("STOK_NO"));
    o.STOK_KOD_NO = q.str(S("STOK_KOD_NO"));
    o.STOK_ADI_TR = q.str(S("STOK_ADI_TR"));
    o.SERITAKIP = q.str(S("SERITAKIP"));
    o.KDV = q.num(S("KDV"));
    o.ALIS_FYT_TL = q.num(S("ALIS_FYT_TL"));
    return o;
}
const char* ozetSql = "SELECT STOK_NO, STOK_KOD_NO, STOK_ADI_TR, SERITAKIP, KDV, ALIS_FYT_TL FROM STOK WHERE ";
} // namespace

std::optional<StokKartOzeti> StokKartiOzeti(const Db& db, double stokNo)
{
    Query q(db, S(ozetSql) + S("STOK_NO = :N"));
    q.bind(S("N"), stokNo).exec();
    return ozetOku(q);
}

std::optional<StokKartOzeti> StokKoduOzeti(const Db& db, const QString& stokKodNo)
{
    Query q(db, S(ozetSql) + S("STOK_KOD_NO = :K"));
    q.bind(S("K"), stokKodNo.trimmed()).exec();
    return ozetOku(q);
}

int StokFisineEkle(const SessionContext& ctx, StokFisi& fis, const StokKartOzeti& stok, const StokEkleme& e)
{
    for (int i = 0; i < fis.satirlar.size(); ++i) {
        StokFisSatiri& s = fis.satirlar[i];
        if (s.STOK_KOD_NO.trimmed() != stok.STOK_KOD_NO.trimmed() || !s.SERINO.trimmed().isEmpty())
            continue;
        if (e.aktarim) {
            s.MIKTAR += e.miktar;
            if (e.maliyet)
                s.FIYAT = *e.maliyet;
        }
        return i;
    }
    StokFisSatiri s;
    s.SIRANO = fis.satirlar.isEmpty() ? 1 : fis.satirlar.last().SIRANO + 1;
    s.STOK_NO = stok.STOK_NO;
    s.STOK_KOD_NO = stok.STOK_KOD_NO;
    s.STOK_ADI = stok.STOK_ADI_TR;
    s.MIKTAR = e.miktar;
    s.DEPO_KODU = fis.TIP == u'O' || depoKullanir(fis.TIP, false) ? fis.CIKDEPO : fis.GIRDEPO;
    if (s.DEPO_KODU.isEmpty())
        s.DEPO_KODU = S("1");
    s.KDV = stok.KDV;
    s.DOVIZ_KODU = ctx.YerelPara;
    // An opening slip takes only a cost that comes with the import.
    if (e.maliyet)
        s.FIYAT = *e.maliyet;
    else if (fis.TIP != u'D')
        s.FIYAT = stok.ALIS_FYT_TL;
    fis.satirlar << s;
    return int(fis.satirlar.size()) - 1;
}

FisAktarimi StokFisiExcelOku(const Db& db, const QList<QVariantList>& satirlar)
{
    FisAktarimi a;
    for (const QVariantList& r : satirlar) {
        FisAktarimSatiri s;
        s.stokKod = r.value(0).toString().trimmed();
        bool okMiktar = false, okMaliyet = false;
        s.miktar = QString(r.value(1).toString()).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&okMiktar);
        if (r.size() > 2)
            s.maliyet = QString(r.value(2).toString()).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&okMaliyet);
        if (!okMaliyet || s.maliyet < 0)
            s.maliyet = 0;
        if (s.miktar < 0)
            s.miktar = 0;
        if (!okMiktar) {
            s.hata = S("miktar bulunamadı");
            a.hatali << s;
        } else if (!StokKoduOzeti(db, s.stokKod)) {
            s.hata = S("Stok bulunamadı");
            a.hatali << s;
        } else {
            a.dogru << s;
        }
    }
    return a;
}

} // namespace tornaly::stock
