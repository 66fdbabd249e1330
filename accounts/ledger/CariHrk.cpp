#include "accounts/ledger/CariHrk.h"

#include "counters/Counters.h"
#include "money/Money.h"
#include "services/KurBul.h"

namespace tornaly::accounts {

namespace {

QVariant nullDouble()
{
    return QVariant(QMetaType(QMetaType::Double));
}

QVariant textOrNull(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return QVariant(QMetaType(QMetaType::QString));
    return v.toString();
}

bool dolu(const QVariant& v)
{
    return v.isValid() && !v.isNull();
}

// Amounts of one side of the row from the typed one, or all null when the
// side carries nothing.
struct Taraf {
    QVariant tl, usd, dvz;
};

Taraf tarafHesapla(QChar baz, const QVariant& tl, const QVariant& dvz, const SatirKurlari& k)
{
    Taraf t{nullDouble(), nullDouble(), nullDouble()};
    const bool dvzBazli = baz == QLatin1Char('D') && dolu(dvz);
    const QVariant girilen = dvzBazli ? dvz : tl;
    if (!dolu(girilen))
        return t;
    const UcTutar u = UcTutarHesapla(dvzBazli ? QLatin1Char('D') : QLatin1Char('T'), girilen.toDouble(),
                                     *k.tlKurDeger, k.tlUsDeger.value_or(1.0));
    t.tl = u.tl;
    t.dvz = u.dvz;
    if (k.tlUsDeger)
        t.usd = u.usd;
    return t;
}

} // namespace

double CariHrkYaz(const SessionContext& ctx, const Db& db, const CariHrkYazDegerleri& d)
{
    if (d.CARI_KOD.trimmed().isEmpty())
        throw CariHrkHatasi(QStringLiteral("Cari kodu boş olan hareket kaydedilemez."));
    QChar baz = d.PARA_BAZ.isEmpty() ? QLatin1Char('T') : d.PARA_BAZ.at(0);
    const QString doviz = d.DOVIZ_KODU.trimmed().isEmpty() ? ctx.YerelPara : d.DOVIZ_KODU.trimmed();

    const SatirKurlari k = SatirKurlariniBelirle(ctx, db, doviz, d.TL_KURDEGER.toDouble(),
                                                 d.TL_USDEGER.toDouble(), d.TARIH);
    if (!k.tlKurDeger)
        throw CariHrkHatasi(KurYokMesaji(doviz, d.TARIH));
    if (baz == QLatin1Char('U')) {
        // The dollar amount is not among the values handed over: the local amount is the base.
        if (!k.tlUsDeger)
            throw CariHrkHatasi(KurYokMesaji(QStringLiteral("USD"), d.TARIH));
    }
    const Taraf borc = tarafHesapla(baz, d.BORC, d.BORC_DVZ, k);
    const Taraf alacak = tarafHesapla(baz, d.ALACAK, d.ALACAK_DVZ, k);

    Transaction tx(db);
    // The counter row is locked first and held to the commit: a second
    // workstation re-posting the same document waits here, and its DELETE then
    // sees the row this one writes, so one row per (kind, reference) remains.
    const double cariNo = double(TakeCounterNumber(db, QStringLiteral("NEWCARI")));
    if (dolu(d.REF_NO)) {
        QVariantMap b{{QStringLiteral("TUR"), QString(d.CRHRK_TUR)}, {QStringLiteral("REF_NO"), d.REF_NO.toDouble()}};
        QString sql = QStringLiteral("DELETE FROM CARIHRK WHERE CRHRK_TUR=:TUR AND REF_NO=:REF_NO");
        if (dolu(d.SIRANO)) {
            sql += QStringLiteral(" AND SIRANO=:SIRANO");
            b.insert(QStringLiteral("SIRANO"), d.SIRANO.toInt());
        }
        db.exec(sql, b);
    }
    Query q(db, QStringLiteral(
                    "INSERT INTO CARIHRK (CARI_NO, SIRANO, CARI_KOD, TARIH, VADE_TRH, CRHRK_TUR, ALT_TIP, REF_NO, "
                    "BORC, ALACAK, BORC_USD, ALACAK_USD, BORC_DVZ, ALACAK_DVZ, DOVIZ_KODU, PARA_BAZ, TL_KURDEGER, "
                    "TL_USDEGER, ACIKLAMA, BELGE_NO, KASAKOD, PORTFOYNO, AY, YIL, ODENDI_MI) VALUES (:CARI_NO, :SIRANO, "
                    ":CARI_KOD, :TARIH, :VADE_TRH, :CRHRK_TUR, :ALT_TIP, :REF_NO, :BORC, :ALACAK, :BORC_USD, "
                    ":ALACAK_USD, :BORC_DVZ, :ALACAK_DVZ, :DOVIZ_KODU, :PARA_BAZ, :TL_KURDEGER, :TL_USDEGER, "
                    ":ACIKLAMA, :BELGE_NO, :KASAKOD, :PORTFOYNO, :AY, :YIL, 'H')"));
    q.bind(QStringLiteral("CARI_NO"), cariNo)
        .bind(QStringLiteral("SIRANO"), dolu(d.SIRANO) ? d.SIRANO.toInt() : 1)
        .bind(QStringLiteral("CARI_KOD"), d.CARI_KOD.trimmed())
        .bind(QStringLiteral("TARIH"), d.TARIH.startOfDay())
        .bind(QStringLiteral("VADE_TRH"), dolu(d.VADE_TRH) ? QVariant(Query::toDateTime(d.VADE_TRH))
                                                           : QVariant(QMetaType(QMetaType::QDateTime)))
        .bind(QStringLiteral("CRHRK_TUR"), QString(d.CRHRK_TUR))
        .bind(QStringLiteral("ALT_TIP"), textOrNull(d.ALT_TIP))
        .bind(QStringLiteral("REF_NO"), dolu(d.REF_NO) ? QVariant(d.REF_NO.toDouble()) : nullDouble())
        .bind(QStringLiteral("BORC"), borc.tl)
        .bind(QStringLiteral("ALACAK"), alacak.tl)
        .bind(QStringLiteral("BORC_USD"), borc.usd)
        .bind(QStringLiteral("ALACAK_USD"), alacak.usd)
        .bind(QStringLiteral("BORC_DVZ"), borc.dvz)
        .bind(QStringLiteral("ALACAK_DVZ"), alacak.dvz)
        .bind(QStringLiteral("DOVIZ_KODU"), doviz)
        .bind(QStringLiteral("PARA_BAZ"), QString(baz))
        .bind(QStringLiteral("TL_KURDEGER"), *k.tlKurDeger)
        .bind(QStringLiteral("TL_USDEGER"), k.tlUsDeger ? QVariant(*k.tlUsDeger) : nullDouble())
        .bind(QStringLiteral("ACIKLAMA"), textOrNull(d.ACIKLAMA))
        .bind(QStringLiteral("BELGE_NO"), textOrNull(d.BELGE_NO))
        .bind(QStringLiteral("KASAKOD"), textOrNull(d.KASAKOD))
        .bind(QStringLiteral("PORTFOYNO"), dolu(d.PORTFOYNO1) ? QVariant(d.PORTFOYNO1.toDouble()) : nullDouble())
        .bind(QStringLiteral("AY"), d.TARIH.month())
        .bind(QStringLiteral("YIL"), d.TARIH.year())
        .exec();
    tx.commit();
    return cariNo;
}

void CariHrkSil(const Db& db, QChar CRHRK_TUR, double REF_NO)
{
    db.exec(QStringLiteral("DELETE FROM CARIHRK WHERE CRHRK_TUR=:TUR AND REF_NO=:REF_NO"),
            {{QStringLiteral("TUR"), QString(CRHRK_TUR)}, {QStringLiteral("REF_NO"), REF_NO}});
}

CariBakiye CariBakiyeOku(const Db& db, const QString& CARI_KOD)
{
    Query q(db, QStringLiteral("SELECT\nSUM(CARIHRK.BORC) AS BORCT,\nSUM(CARIHRK.ALACAK) AS ALAT,\n"
                               "SUM(CARIHRK.BORC_USD) AS BORCU,\nSUM(CARIHRK.ALACAK_USD) AS ALAU\n"
                               "FROM CARIHRK\nWHERE CARI_KOD=:CARI_KOD"));
    q.bind(QStringLiteral("CARI_KOD"), CARI_KOD).exec();
    CariBakiye b;
    if (q.next()) {
        b.borc = q.num(QStringLiteral("BORCT"));
        b.alacak = q.num(QStringLiteral("ALAT"));
        b.borcUsd = q.num(QStringLiteral("BORCU"));
        b.alacakUsd = q.num(QStringLiteral("ALAU"));
    }
    return b;
}

bool CariRiskAsimi(const Db& db, const QString& CARI_KOD, double limit)
{
    if (limit <= 0)
        return false;
    return RoundTo2(CariBakiyeOku(db, CARI_KOD).bakiye()) > RoundTo2(limit);
}

namespace {
int isaret(double bakiye)
{
    const double r = RoundTo2(bakiye);
    return r > 0 ? 1 : r < 0 ? -1 : 0;
}
} // namespace

QString BakiyeBasligi(double bakiye)
{
    switch (isaret(bakiye)) {
    case 1: return QStringLiteral("KALAN (BORÇ)");
    case -1: return QStringLiteral("KALAN (ALACAK)");
    default: return QStringLiteral("KALAN");
    }
}

QString UsdBakiyeBasligi(double bakiye)
{
    return QStringLiteral("$ ") + BakiyeBasligi(bakiye);
}

QString BakiyeEki(double bakiye)
{
    switch (isaret(bakiye)) {
    case 1: return QStringLiteral("(B)");
    case -1: return QStringLiteral("(A)");
    default: return {};
    }
}

} // namespace tornaly::accounts
