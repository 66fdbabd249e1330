#include "accounts/closing/BorcKapama.h"
#include "util/Utf8.h"

#include "db/BatchInsert.h"
#include "db/Database.h"
#include "money/Money.h"
#include "sql/SqlHelpers.h"

#include <QHash>
#include <cmath>

namespace tornaly::accounts {

using text::S;

namespace {

const QDate kBazTarih(2000, 1, 1);
constexpr double kSifirBolme = 0.0000000001;


// Amounts compared and carried in cents, so that a remainder of 1e-14 left by
// a subtraction never becomes a piece of its own.
double kurus(double x) { return RoundHalfUp2(x); }

struct Satir {
    double CARI_NO = 0;
    int SIRANO = 0;
    QDateTime VADE_TRH;
    double tutar = 0;
};

QList<Satir> satirlariOku(const Db& db, const QString& sql, const QVariantMap& b, const QString& tutarAlani)
{
    QList<Satir> l;
    Query q(db, sql);
    q.bindAll(b).exec();
    while (q.next())
        l << Satir{q.num(S("CARI_NO")), int(q.integer(S("SIRANO"))), q.dateTime(S("VADE_TRH")),
                   q.num(tutarAlani)};
    return l;
}

void sifirla(const Db& db, const BorcKapamaFiltresi& f)
{
    QVariantMap b;
    db.exec(S("UPDATE CARIHRK SET KAPANANB=0, KAPANANA=0 WHERE 1=1") + BorcKapamaCariKosulu(f, b), b);
}

// One account of the simple closing.
void cariyiKapat(const Db& db, const BorcKapamaFiltresi& f, const QString& kod)
{
    QVariantMap b{{S("CARI_KOD"), kod}};
    const QString tarih = BorcKapamaTarihKosulu(f, b);
    Query t(db, S("SELECT SUM(BORC) BORCTUT, SUM(ALACAK) ALATUT FROM CARIHRK WHERE CARI_KOD=:CARI_KOD") + tarih);
    t.bindAll(b).exec();
    t.next();
    const double D = kurus(t.num(S("BORCTUT")));
    const double A = kurus(t.num(S("ALATUT")));
    t.finish();
    const bool alacakKapatir = D <= A;
    db.exec(alacakKapatir ? S("UPDATE CARIHRK SET KAPANANB=BORC WHERE CARI_KOD=:CARI_KOD AND BORC>0") + tarih
                          : S("UPDATE CARIHRK SET KAPANANA=ALACAK WHERE CARI_KOD=:CARI_KOD AND ALACAK>0") + tarih,
            b);
    const QString alan = alacakKapatir ? S("ALACAK") : S("BORC");
    QVariantMap hb;
    const QString hareket = BorcKapamaHareketSql(f, HareketSuzgeci::Tumu, hb);
    hb.insert(S("CARI_KOD"), kod);
    const QList<Satir> satirlar = satirlariOku(db, hareket, hb, alan);
    Query yaz(db, S("UPDATE CARIHRK SET KAPANANB=:KAPABTUT, KAPANANA=:KAPAATUT WHERE CARI_NO=:CARI_NO AND SIRANO=:SIRANO"));
    double kalan = alacakKapatir ? D : A;
    for (const Satir& s : satirlar) {
        if (kalan <= 0)
            break;
        if (s.tutar <= 0)
            continue;
        const double kapanan = std::min(s.tutar, kalan);
        kalan = kurus(kalan - kapanan);
        yaz.bind(S("KAPABTUT"), alacakKapatir ? 0.0 : kapanan)
            .bind(S("KAPAATUT"), alacakKapatir ? kapanan : 0.0)
            .bind(S("CARI_NO"), s.CARI_NO)
            .bind(S("SIRANO"), s.SIRANO)
            .exec();
    }
}

struct Parca {
    const Satir* borc = nullptr;
    const Satir* alacak = nullptr;
    double BORC = 0, ALACAK = 0;
};

// The three-branch due-date pairing of one account's debits and credits.
QList<Parca> eslestir(const QList<Satir>& borclar, const QList<Satir>& alacaklar)
{
    QList<Parca> l;
    qsizetype i = 0, j = 0;
    const qsizetype nb = borclar.size(), na = alacaklar.size();
    double b = nb ? borclar[0].tutar : 0, a = na ? alacaklar[0].tutar : 0;
    const auto borc = [&]() -> const Satir* { return i < nb ? &borclar[i] : nullptr; };
    const auto alacak = [&]() -> const Satir* { return j < na ? &alacaklar[j] : nullptr; };
    while (i < nb || j < na) {
        const bool borcBitti = i >= nb, alacakBitti = j >= na;
        if ((b > a && a > 0) || (b == 0 && borcBitti)) {
            if (a > 0)
                l << Parca{borc(), alacak(), borcBitti ? 0.0 : std::min(b, a), a};
            if (!borcBitti)
                b = kurus(b - a);
            ++j;
            a = alacak() ? alacak()->tutar : 0;
        } else if ((b < a && b > 0) || (a == 0 && alacakBitti)) {
            if (b > 0)
                l << Parca{borc(), alacak(), b, alacakBitti ? 0.0 : std::min(a, b)};
            if (!alacakBitti)
                a = kurus(a - b);
            ++i;
            b = borc() ? borc()->tutar : 0;
        } else {
            if (b > 0)
                l << Parca{borc(), alacak(), b, a};
            b = a = 0;
            if (i < nb) {
                ++i;
                b = borc() ? borc()->tutar : 0;
            }
            if (j < na) {
                ++j;
                a = alacak() ? alacak()->tutar : 0;
            }
        }
    }
    return l;
}

// An amount-weighted mean of day numbers: null when no row had a date.
struct Agirlik {
    double tutar = 0, carpim = 0;
    bool tarihVar = false;
    void ekle(const QDateTime& t, double x)
    {
        tutar += x;
        if (t.isValid()) {
            carpim += BorcKapamaGunNo(t) * x;
            tarihVar = true;
        }
    }
    std::optional<double> gun() const
    {
        if (!tarihVar)
            return std::nullopt;
        return carpim / (tutar + kSifirBolme);
    }
};

QVariant kapatanVade(const Agirlik& g)
{
    const auto n = g.gun();
    if (!n)
        return QVariant(QMetaType(QMetaType::QDateTime));
    return QDateTime(kBazTarih.addDays(qint64(std::round(*n))), QTime(0, 0));
}

void vadeliYaz(const Db& db, const QString& kod, const QList<Parca>& parcalar)
{
    BatchInsert fifo(db, S("CHFIFO"),
                     {S("CARI_NO"), S("SIRANO"), S("KCARI_NO"), S("KSIRANO"), S("CARI_KOD"), S("BORC"), S("ALACAK"),
                      S("VADE_TRH"), S("KVADE_TRH")});
    const QVariant bosTarih(QMetaType(QMetaType::QDateTime));
    // Keyed by the row, in the order first met, so that the writes are repeatable.
    QList<const Satir*> borcSira, alacakSira;
    QHash<const Satir*, Agirlik> borcG, alacakG;
    for (const Parca& p : parcalar) {
        fifo.value(p.borc ? p.borc->CARI_NO : 0.0)
            .value(p.borc ? p.borc->SIRANO : 0)
            .value(p.alacak ? p.alacak->CARI_NO : 0.0)
            .value(p.alacak ? p.alacak->SIRANO : 0)
            .value(kod)
            .value(p.BORC)
            .value(p.ALACAK)
            .value(p.borc && p.borc->VADE_TRH.isValid() ? QVariant(p.borc->VADE_TRH) : bosTarih)
            .value(p.alacak && p.alacak->VADE_TRH.isValid() ? QVariant(p.alacak->VADE_TRH) : bosTarih);
        fifo.endRow();
        if (p.borc) {
            if (!borcG.contains(p.borc))
                borcSira << p.borc;
            borcG[p.borc].ekle(p.alacak ? p.alacak->VADE_TRH : QDateTime(), p.ALACAK);
        }
        if (p.alacak) {
            if (!alacakG.contains(p.alacak))
                alacakSira << p.alacak;
            alacakG[p.alacak].ekle(p.borc ? p.borc->VADE_TRH : QDateTime(), p.BORC);
        }
    }
    fifo.flush();
    Query borc(db, S("UPDATE CARIHRK SET KAPANANB=:T, KAPATAN_VADE=:V WHERE CARI_NO=:N AND SIRANO=:R"));
    for (const Satir* s : borcSira) {
        const Agirlik& g = borcG[s];
        borc.bind(S("T"), kurus(g.tutar)).bind(S("V"), kapatanVade(g)).bind(S("N"), s->CARI_NO)
            .bind(S("R"), s->SIRANO).exec();
    }
    Query alacak(db, S("UPDATE CARIHRK SET KAPANANA=:T, KAPATAN_VADE=:V WHERE CARI_NO=:N AND SIRANO=:R"));
    for (const Satir* s : alacakSira) {
        const Agirlik& g = alacakG[s];
        alacak.bind(S("T"), kurus(g.tutar)).bind(S("V"), kapatanVade(g)).bind(S("N"), s->CARI_NO)
            .bind(S("R"), s->SIRANO).exec();
    }
}

} // namespace

const QList<QPair<QString, QString>>& BorcKapamaGruplari()
{
    static const QList<QPair<QString, QString>> l = {
        {QString(), QString()},          {S("Son Kullanıcı"), S("K")}, {S("Şirket"), S("R")},
        {S("Tedarikçi"), S("T")},        {S("Distribütör"), S("D")},   {S("Bayi"), S("B")},
        {S("Filo"), S("F")},             {S("Sigorta Şirketi"), S("S")}, {S("Diğer"), S("Z")}};
    return l;
}

QString BorcKapamaCariKosulu(const BorcKapamaFiltresi& f, QVariantMap& b, const QString& kolon)
{
    QString k = S(" AND ") + kolon + S(" IN (SELECT CARI_KOD FROM CARI WHERE 1=1");
    if (!f.ilkKod.trimmed().isEmpty()) {
        k += S(" AND CARI_KOD>=:BK_ILK");
        b.insert(S("BK_ILK"), f.ilkKod.trimmed());
    }
    if (!f.sonKod.trimmed().isEmpty()) {
        k += S(" AND CARI_KOD<=:BK_SON");
        b.insert(S("BK_SON"), f.sonKod.trimmed());
    }
    if (!f.grup.isEmpty()) {
        k += S(" AND CARI_GRP_KOD=:BK_GRP");
        b.insert(S("BK_GRP"), f.grup);
    }
    return k + S(")");
}

QString BorcKapamaTarihKosulu(const BorcKapamaFiltresi& f, QVariantMap& b)
{
    if (!f.tarih || !f.tarih->isValid())
        return {};
    b.insert(S("TRH_SON"), QDateTime(f.tarih->addDays(1), QTime(0, 0)));
    return S(" AND TARIH<:TRH_SON");
}

QString BorcKapamaCariSql(const BorcKapamaFiltresi& f, QVariantMap& b)
{
    return S("SELECT CARI_KOD, FIRMA_ADI, YETKILI_ADI, YETKILI_SOYAD, ADRES_1, ADRES_2, SEMT, ILI, TEL1, TEL2, TEL3,"
             " FAKS, EMAIL, URL, CARI_GRP_KOD, VADEGUN FROM CARI WHERE CARI_KOD IN (SELECT CARI_KOD FROM CARIHRK)")
           + BorcKapamaCariKosulu(f, b) + S(" ORDER BY CARI_KOD");
}

QStringList BorcKapamaCarileri(const Db& db, const BorcKapamaFiltresi& f)
{
    QVariantMap b;
    Query q(db, S("SELECT CARI_KOD FROM CARI WHERE CARI_KOD IN (SELECT CARI_KOD FROM CARIHRK)")
                    + BorcKapamaCariKosulu(f, b) + S(" ORDER BY CARI_KOD"));
    q.bindAll(b).exec();
    QStringList l;
    while (q.next())
        l << q.str(S("CARI_KOD"));
    return l;
}

QString BorcKapamaHareketSql(const BorcKapamaFiltresi& f, HareketSuzgeci s, QVariantMap& b)
{
    QString sql = S("SELECT CARI_NO, SIRANO, TARIH, VADE_TRH, CRHRK_TUR, ALT_TIP, BELGE_NO, ACIKLAMA, BORC, ALACAK,"
                    " COALESCE(KAPANANB,0) KAPANANB, COALESCE(KAPANANA,0) KAPANANA,"
                    " COALESCE(BORC,0)-COALESCE(KAPANANB,0) ACIKBORC, COALESCE(ALACAK,0)-COALESCE(KAPANANA,0) ACIKALACAK,"
                    " COALESCE(BORC,0)+COALESCE(ALACAK,0) TUTAR,"
                    " COALESCE(BORC,0)-COALESCE(KAPANANB,0)+COALESCE(ALACAK,0)-COALESCE(KAPANANA,0) KALAN,"
                    " KAPATAN_VADE, KASAKOD, PORTFOYNO FROM CARIHRK WHERE CARI_KOD=:CARI_KOD");
    if (s == HareketSuzgeci::Kapanmis)
        sql += S(" AND (COALESCE(KAPANANB,0)>0 OR COALESCE(KAPANANA,0)>0)");
    else if (s == HareketSuzgeci::Aciklar)
        sql += S(" AND (COALESCE(BORC,0)-COALESCE(KAPANANB,0)>0 OR COALESCE(ALACAK,0)-COALESCE(KAPANANA,0)>0)");
    sql += BorcKapamaTarihKosulu(f, b);
    return sql + (f.vadeSirasi ? S(" ORDER BY VADE_TRH, BORC, ALACAK, CARI_NO, SIRANO")
                               : S(" ORDER BY TARIH, BORC, ALACAK, CARI_NO, SIRANO"));
}

int BorcKapamaCalistir(const Db& db, const BorcKapamaFiltresi& f, const BorcKapamaIlerleme& ilerleme)
{
    Transaction tx(db);
    sifirla(db, f);
    QVariantMap b{{S("V1950"), QDateTime(QDate(1950, 1, 1), QTime(0, 0))}};
    const QString kosul = BorcKapamaCariKosulu(f, b);
    const QString tarih = BorcKapamaTarihKosulu(f, b);
    db.exec(S("UPDATE CARIHRK SET VADE_TRH=TARIH WHERE (VADE_TRH IS NULL OR VADE_TRH<:V1950)") + kosul + tarih, b);
    const QStringList cariler = BorcKapamaCarileri(db, f);
    for (int n = 0; n < cariler.size(); ++n) {
        if (ilerleme)
            ilerleme(n + 1, int(cariler.size()));
        cariyiKapat(db, f, cariler[n]);
    }
    tx.commit();
    return int(cariler.size());
}

int VadeliKapat(const Db& db, const BorcKapamaFiltresi& f, const BorcKapamaIlerleme& ilerleme)
{
    Transaction tx(db);
    {
        QVariantMap b;
        db.exec(S("DELETE FROM CHFIFO WHERE 1=1") + BorcKapamaCariKosulu(f, b), b);
    }
    sifirla(db, f);
    const QStringList cariler = BorcKapamaCarileri(db, f);
    for (int n = 0; n < cariler.size(); ++n) {
        if (ilerleme)
            ilerleme(n + 1, int(cariler.size()));
        const QVariantMap b{{S("CARI_KOD"), cariler[n]}};
        const QList<Satir> borclar = satirlariOku(
            db, S("SELECT CARI_NO, SIRANO, VADE_TRH, BORC FROM CARIHRK WHERE CARI_KOD=:CARI_KOD AND BORC>0"
                  " ORDER BY VADE_TRH, CARI_NO, SIRANO"), b, S("BORC"));
        const QList<Satir> alacaklar = satirlariOku(
            db, S("SELECT CARI_NO, SIRANO, VADE_TRH, ALACAK FROM CARIHRK WHERE CARI_KOD=:CARI_KOD AND ALACAK>0"
                  " ORDER BY VADE_TRH, CARI_NO, SIRANO"), b, S("ALACAK"));
        vadeliYaz(db, cariler[n], eslestir(borclar, alacaklar));
    }
    tx.commit();
    return int(cariler.size());
}

double BorcKapamaGunNo(const QDateTime& t)
{
    return double(kBazTarih.daysTo(t.date())) + double(t.time().msecsSinceStartOfDay()) / 86400000.0;
}

QDate BorcKapamaGunTarihi(double gunNo)
{
    return kBazTarih.addDays(qint64(std::nearbyint(gunNo)));
}

BorcKapamaToplami BorcKapamaToplamiOku(const Db& db, const QString& cariKod, const BorcKapamaFiltresi& f,
                                       const QDate& bugun)
{
    QVariantMap b{{S("CARI_KOD"), cariKod}};
    Query q(db, S("SELECT VADE_TRH, KAPATAN_VADE, BORC, ALACAK, KAPANANB, KAPANANA FROM CARIHRK"
                  " WHERE CARI_KOD=:CARI_KOD") + BorcKapamaTarihKosulu(f, b));
    q.bindAll(b).exec();
    Agirlik borc, alacak, kBorc, kAlacak, aBorc, aAlacak, kptBorc, kptAlacak;
    while (q.next()) {
        const QDateTime vade = q.dateTime(S("VADE_TRH"));
        const QDateTime kapatan = q.dateTime(S("KAPATAN_VADE"));
        const double B = q.num(S("BORC")), A = q.num(S("ALACAK"));
        const double KB = q.num(S("KAPANANB")), KA = q.num(S("KAPANANA"));
        borc.ekle(vade, B);
        alacak.ekle(vade, A);
        kBorc.ekle(vade, KB);
        kAlacak.ekle(vade, KA);
        aBorc.ekle(vade, B - KB);
        aAlacak.ekle(vade, A - KA);
        kptBorc.ekle(kapatan, KB);
        kptAlacak.ekle(kapatan, KA);
    }
    BorcKapamaToplami t;
    t.BORCTUT = kurus(borc.tutar);
    t.ALATUT = kurus(alacak.tutar);
    t.KBORCTUT = kurus(kBorc.tutar);
    t.KALATUT = kurus(kAlacak.tutar);
    t.ABORCTUT = kurus(aBorc.tutar);
    t.AALATUT = kurus(aAlacak.tutar);
    t.BORCGUN = borc.gun();
    t.ALAGUN = alacak.gun();
    t.KBORCGUN = kBorc.gun();
    t.KALAGUN = kAlacak.gun();
    t.ABORCGUN = aBorc.gun();
    t.AALAGUN = aAlacak.gun();
    t.KPTBORCGUN = kptBorc.gun();
    t.KPTALAGUN = kptAlacak.gun();

    if (t.ALATUT > t.BORCTUT) {
        t.BAKIYE = kurus(t.ALATUT - t.BORCTUT);
        t.BAKIYETIP = S("A");
    } else if (t.BORCTUT > t.ALATUT) {
        t.BAKIYE = kurus(t.BORCTUT - t.ALATUT);
        t.BAKIYETIP = S("B");
    }
    const auto tarih = [](const std::optional<double>& n) {
        return n && *n > 1 ? BorcKapamaGunTarihi(*n) : QDate();
    };
    t.BORCVTRH = tarih(t.BORCGUN);
    t.ALAVTRH = tarih(t.ALAGUN);
    t.KBORCVTRH = tarih(t.KBORCGUN);
    t.KALAVTRH = tarih(t.KALAGUN);
    t.ABORCVTRH = tarih(t.ABORCGUN);
    t.AALAVTRH = tarih(t.AALAGUN);
    t.BAKIYEVTRH = t.BAKIYETIP == S("B") ? t.ABORCVTRH : t.BAKIYETIP == S("A") ? t.AALAVTRH : QDate();
    if (t.BAKIYEVTRH.isValid())
        t.GUN = int(t.BAKIYEVTRH.daysTo(bugun));
    if (t.KBORCVTRH.isValid() && t.KALAVTRH.isValid())
        t.KGUN = int(t.KALAVTRH.daysTo(t.KBORCVTRH));
    // A missing day number counts as 0, as the closing figures always have.
    if (t.BAKIYETIP == S("B") && t.ABORCTUT > 1) {
        const double n = std::nearbyint((t.BORCTUT * t.BORCGUN.value_or(0) - t.KALATUT * t.KALAGUN.value_or(0))
                                        / t.ABORCTUT);
        t.KAPATANVADE = kBazTarih.addDays(qint64(n));
        if (t.ABORCVTRH.isValid())
            t.FGUN = int(t.ABORCVTRH.daysTo(t.KAPATANVADE));
    } else if (t.BAKIYETIP == S("A") && t.AALATUT > 1) {
        const double n = std::nearbyint((t.ALATUT * t.ALAGUN.value_or(0) - t.KBORCTUT * t.KBORCGUN.value_or(0))
                                        / t.AALATUT);
        t.KAPATANVADE = kBazTarih.addDays(qint64(n));
        if (t.AALAVTRH.isValid())
            t.FGUN = int(t.AALAVTRH.daysTo(t.KAPATANVADE));
    }
    t.KAPATANVADE2 = t.KAPATANVADE;
    if (!t.KAPATANVADE.isValid() || t.KAPATANVADE < bugun)
        t.KAPATANVADE = bugun;
    // The day of a mean of whole days; the division's guard term must not pull it back a day.
    if (t.KPTBORCGUN)
        t.KAPATANVADEBORC = kBazTarih.addDays(qint64(std::floor(*t.KPTBORCGUN + 1e-6)));
    if (t.KPTALAGUN)
        t.KAPATANVADEALACAK = kBazTarih.addDays(qint64(std::floor(*t.KPTALAGUN + 1e-6)));
    return t;
}

BorcKapamaEkstresi BorcKapamaEkstresiOku(const Db& db, const BorcKapamaFiltresi& f, const BorcKapamaYazdirma& y,
                                         const QString& seciliCari, const QDate& bugun)
{
    BorcKapamaEkstresi e;
    e.alanlar = {S("CARI_KOD"), S("FIRMA_ADI"), S("BAKIYETIP"), S("BAKIYEGUN"), S("BOS"), S("TARIH"), S("VADE_TRH"),
                 S("CRHRK_TUR"), S("ACIKLAMA"), S("BELGE_NO"), S("GUN"), S("TUTAR"), S("KALAN"), S("FARK"),
                 S("BORCTUT"), S("BORCVTRH"), S("ALATUT"), S("ALAVTRH"), S("BAKIYE"), S("BAKIYEVTRH"),
                 S("KAPATANVADE2"), S("KGUN"), S("KAPATANVADE"), S("FGUN")};
    const QStringList cariler = y.bakiye == BorcKapamaYazdirma::SecileniYaz
                                    ? (seciliCari.isEmpty() ? QStringList{} : QStringList{seciliCari})
                                    : BorcKapamaCarileri(db, f);
    const HareketSuzgeci suzgec = y.hareket == BorcKapamaYazdirma::Kapanmislar ? HareketSuzgeci::Kapanmis
                                  : y.hareket == BorcKapamaYazdirma::Aciklar   ? HareketSuzgeci::Aciklar
                                                                               : HareketSuzgeci::Tumu;
    const auto gunDegeri = [](const std::optional<int>& g) { return g ? QVariant(*g) : QVariant(); };
    const auto tarihDegeri = [](const QDate& d) { return d.isValid() ? QVariant(d) : QVariant(); };
    for (const QString& kod : cariler) {
        const BorcKapamaToplami t = BorcKapamaToplamiOku(db, kod, f, bugun);
        if ((y.bakiye == BorcKapamaYazdirma::BorcBakiyeli && t.BAKIYETIP != S("B"))
            || (y.bakiye == BorcKapamaYazdirma::AlacakBakiyeli && t.BAKIYETIP != S("A"))
            || (y.minBakiye > 0 && t.BAKIYE < y.minBakiye))
            continue;
        const QString ad = SqlLookup(db, S("SELECT FIRMA_ADI FROM CARI WHERE CARI_KOD=:K"), kod).toString();
        const QVector<QVariant> bas{kod, ad, t.BAKIYETIP, gunDegeri(t.GUN)};
        const QVector<QVariant> son{t.BORCTUT, tarihDegeri(t.BORCVTRH), t.ALATUT, tarihDegeri(t.ALAVTRH), t.BAKIYE,
                                    tarihDegeri(t.BAKIYEVTRH), tarihDegeri(t.KAPATANVADE2), gunDegeri(t.KGUN),
                                    tarihDegeri(t.KAPATANVADE), gunDegeri(t.FGUN)};
        int yazilan = 0;
        if (y.hareket != BorcKapamaYazdirma::Hicbiri) {
            QVariantMap b{{S("CARI_KOD"), kod}};
            Query q(db, BorcKapamaHareketSql(f, suzgec, b));
            q.bindAll(b).exec();
            while (q.next()) {
                const double kalan = q.num(S("KALAN"));
                const QDate vade = q.date(S("VADE_TRH"));
                const QVariant gun = kalan > 0 && vade.isValid() ? QVariant(int(vade.daysTo(bugun))) : QVariant();
                if (y.ileriVade && (!gun.isValid() || gun.toInt() < y.gun1 || gun.toInt() > y.gun2))
                    continue;
                const double fark = y.hareket == BorcKapamaYazdirma::Aciklar ? kalan
                                                                             : q.num(S("BORC")) - q.num(S("ALACAK"));
                e.satirlar << (bas + QVector<QVariant>{false, q.value(S("TARIH")), q.value(S("VADE_TRH")),
                                                       q.str(S("CRHRK_TUR")), q.str(S("ACIKLAMA")), q.str(S("BELGE_NO")),
                                                       gun, q.num(S("TUTAR")), kalan, fark}
                               + son);
                ++yazilan;
            }
        }
        if (yazilan == 0)
            e.satirlar << (bas + QVector<QVariant>{true, {}, {}, {}, {}, {}, {}, 0.0, 0.0, 0.0} + son);
    }
    return e;
}

QList<VadesizCari> VadesizCariler(const Db& db, const BorcKapamaFiltresi& f)
{
    QVariantMap b;
    Query q(db, S("SELECT CARI_KOD, FIRMA_ADI, VADEGUN FROM CARI WHERE (VADEGUN IS NULL OR VADEGUN=0)"
                  " AND CARI_KOD IN (SELECT CARI_KOD FROM CARIHRK)")
                    + BorcKapamaCariKosulu(f, b) + S(" ORDER BY CARI_KOD"));
    q.bindAll(b).exec();
    QList<VadesizCari> l;
    while (q.next())
        l << VadesizCari{q.str(S("CARI_KOD")), q.str(S("FIRMA_ADI")), int(q.integer(S("VADEGUN")))};
    return l;
}

void VadeGunleriYaz(const Db& db, const QList<VadesizCari>& cariler)
{
    Transaction tx(db);
    Query q(db, S("UPDATE CARI SET VADEGUN=:VADEGUN WHERE CARI_KOD=:CARI_KOD"));
    for (const VadesizCari& c : cariler)
        q.bind(S("VADEGUN"), c.VADEGUN).bind(S("CARI_KOD"), c.CARI_KOD).exec();
    tx.commit();
}

int VadesizFaturalaraVadeAta(const Db& db, const BorcKapamaFiltresi& f)
{
    QVariantMap b;
    const QString vade = db.dialect().addDaysExpr(
        S("CARIHRK.TARIH"), S("(SELECT COALESCE(CARI.VADEGUN,0) FROM CARI WHERE CARI.CARI_KOD=CARIHRK.CARI_KOD)"));
    const QString sql = S("UPDATE CARIHRK SET VADE_TRH=") + vade
                        + S(" WHERE CRHRK_TUR IN ('A','S') AND (VADE_TRH IS NULL OR VADE_TRH=TARIH)"
                            " AND CARI_KOD IN (SELECT CARI_KOD FROM CARI WHERE VADEGUN IS NOT NULL)")
                        + BorcKapamaCariKosulu(f, b);
    Transaction tx(db);
    const int n = db.exec(sql, b);
    tx.commit();
    return n;
}

} // namespace tornaly::accounts
