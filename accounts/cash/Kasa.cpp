#include "accounts/cash/Kasa.h"
#include "accounts/vouchers/MuhasebeSorusu.h"

#include "accounts/ledger/CariHrkTutar.h"
#include "counters/Counters.h"
#include "services/KurBul.h"
#include "services/MuhasebeEntegre.h"
#include "messages/Messages.h"

namespace tornaly::accounts {

namespace {

QVariant kasaMetin(const QString& s)
{
    return s.isNull() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(s);
}

} // namespace

namespace {
KasaKaydi kasaKaydi(const Query& q)
{
    return KasaKaydi{q.str(QStringLiteral("KASAKOD")),   q.str(QStringLiteral("ADI")),
                     q.str(QStringLiteral("ACIKLAMA1")), q.str(QStringLiteral("ACIKLAMA2")),
                     q.str(QStringLiteral("ACIKLAMA3")), q.str(QStringLiteral("MUH_KOD"))};
}
} // namespace

std::optional<KasaKaydi> KasaOku(const Db& db, const QString& kod)
{
    Query q(db, QStringLiteral("SELECT * FROM KASA WHERE KASAKOD=:K"));
    q.bind(QStringLiteral("K"), kod).exec();
    if (!q.next())
        return std::nullopt;
    return kasaKaydi(q);
}

QList<KasaKaydi> Kasalar(const Db& db)
{
    QList<KasaKaydi> out;
    Query q(db, QStringLiteral("SELECT * FROM KASA ORDER BY KASAKOD"));
    q.exec();
    while (q.next())
        out.append(kasaKaydi(q));
    return out;
}

bool KasaVar(const Db& db, const QString& kod)
{
    if (kod.trimmed().isEmpty())
        return false;
    Query q(db, QStringLiteral("SELECT KASAKOD FROM KASA WHERE KASAKOD=:KasaNe"));
    q.bind(QStringLiteral("KasaNe"), kod).exec();
    return q.next();
}

void KasaKaydet(const Db& db, const KasaKaydi& k, bool yeni)
{
    const QString kod = k.KASAKOD.trimmed();
    if (kod.isEmpty())
        throw KasaHatasi(KasaKoduYokText());
    Transaction tx(db);
    const bool var = KasaVar(db, kod);
    if (yeni && var)
        throw KasaHatasi(KasaKoduKullanilmisText());
    const QVariantMap b{{QStringLiteral("KASAKOD"), kod},
                        {QStringLiteral("ADI"), kasaMetin(k.ADI)},
                        {QStringLiteral("ACIKLAMA1"), kasaMetin(k.ACIKLAMA1)},
                        {QStringLiteral("ACIKLAMA2"), kasaMetin(k.ACIKLAMA2)},
                        {QStringLiteral("ACIKLAMA3"), kasaMetin(k.ACIKLAMA3)},
                        {QStringLiteral("MUH_KOD"), kasaMetin(k.MUH_KOD)}};
    if (var)
        db.exec(QStringLiteral("UPDATE KASA SET ADI=:ADI, ACIKLAMA1=:ACIKLAMA1, ACIKLAMA2=:ACIKLAMA2, "
                               "ACIKLAMA3=:ACIKLAMA3, MUH_KOD=:MUH_KOD WHERE KASAKOD=:KASAKOD"),
                b);
    else
        db.exec(QStringLiteral("INSERT INTO KASA (KASAKOD, ADI, ACIKLAMA1, ACIKLAMA2, ACIKLAMA3, MUH_KOD) "
                               "VALUES (:KASAKOD, :ADI, :ACIKLAMA1, :ACIKLAMA2, :ACIKLAMA3, :MUH_KOD)"),
                b);
    tx.commit();
}

void KasaSil(const Db& db, const QString& kod)
{
    Transaction tx(db);
    Query q(db, QStringLiteral("SELECT KASAKOD FROM KASAHRKT WHERE KASAKOD=:Akod"));
    q.bind(QStringLiteral("Akod"), kod).exec();
    if (q.next())
        throw KasaHatasi(KasaHareketVarText(), MsgIcon::Information);
    db.exec(QStringLiteral("DELETE FROM KASA WHERE KASAKOD=:K"), {{QStringLiteral("K"), kod}});
    tx.commit();
}

double KasaBakiye(const Db& db, const QString& kod)
{
    Query q(db, QStringLiteral("SELECT SUM(CASE WHEN TIP='B' THEN TUTAR ELSE 0 END) - "
                               "SUM(CASE WHEN TIP='A' THEN TUTAR ELSE 0 END) AS BAKIYE FROM KASAHRKT "
                               "WHERE KASAKOD=:K"));
    q.bind(QStringLiteral("K"), kod).exec();
    return q.next() ? q.num(QStringLiteral("BAKIYE")) : 0.0;
}

QChar KasaTipi(QChar t)
{
    return (t == QLatin1Char('A') || t == QLatin1Char('V')) ? QLatin1Char('A') : QLatin1Char('B');
}

bool KasaVirmanMi(QChar t)
{
    return t == QLatin1Char('B') || t == QLatin1Char('V');
}

void KasaTutarHesapla(const SessionContext& ctx, const Db& db, KasaHareketi& h)
{
    if (h.DOVIZ_KOD.trimmed().isEmpty())
        h.DOVIZ_KOD = ctx.YerelPara;
    const SatirKurlari k = SatirKurlariniBelirle(ctx, db, h.DOVIZ_KOD, h.TL_KURDEGER, h.TL_USDEGER, h.TARIH);
    if (!k.tlKurDeger)
        throw KasaHatasi(KurYokMesaji(h.DOVIZ_KOD, h.TARIH));
    if (!k.tlUsDeger && h.PARA_BAZ == QLatin1Char('U'))
        throw KasaHatasi(KurYokMesaji(QStringLiteral("USD"), h.TARIH));
    h.TL_KURDEGER = *k.tlKurDeger;
    h.TL_USDEGER = k.tlUsDeger.value_or(0.0);
    if (h.PARA_BAZ == QLatin1Char('U'))
        h.TUTAR = h.TUTAR_USD * h.TL_USDEGER;
    else if (h.PARA_BAZ == QLatin1Char('D'))
        h.TUTAR = h.TUTAR_DVZ * h.TL_KURDEGER;
    if (h.PARA_BAZ != QLatin1Char('D'))
        h.TUTAR_DVZ = h.TUTAR / h.TL_KURDEGER;
    if (h.PARA_BAZ != QLatin1Char('U'))
        h.TUTAR_USD = k.tlUsDeger ? h.TUTAR / *k.tlUsDeger : 0.0;
}

std::optional<QString> KasaHareketKontrol(const KasaHareketi& h)
{
    if (h.TUTAR < 0.0001)
        return QStringLiteral("Tutar Yazın.");
    if (!h.TARIH.isValid())
        return QStringLiteral("Tarihi Belirleyin.");
    if (KasaVirmanMi(h.HRK_TURU) && (h.KARSIKOD.trimmed().isEmpty() || h.KARSIKOD.trimmed() == h.KASAKOD.trimmed()))
        return QStringLiteral("Virman Kasasını Belirleyin.");
    return std::nullopt;
}

namespace {

void satirYaz(const Db& db, const KasaHareketi& h, QChar tur, const QString& kasa, const QString& karsi,
              const QString& aciklama)
{
    const QVariantMap b{
        {QStringLiteral("TARIH"), h.TARIH},
        {QStringLiteral("HRKNO"), h.HRKNO},
        {QStringLiteral("SIRANO"), tur == QLatin1Char('V') ? -1.0 : 0.0},
        {QStringLiteral("HRK_TURU"), QString(tur)},
        {QStringLiteral("BELGE_NO"), kasaMetin(h.BELGE_NO)},
        {QStringLiteral("KASAKOD"), kasa},
        {QStringLiteral("KARSIKOD"), kasaMetin(karsi)},
        {QStringLiteral("TIP"), QString(KasaTipi(tur))},
        {QStringLiteral("TUTAR"), h.TUTAR},
        {QStringLiteral("TUTAR_USD"), h.TUTAR_USD},
        {QStringLiteral("TUTAR_DVZ"), h.TUTAR_DVZ},
        {QStringLiteral("TL_KURDEGER"), h.TL_KURDEGER},
        {QStringLiteral("TL_USDEGER"), h.TL_USDEGER},
        {QStringLiteral("PARA_BAZ"), QString(h.PARA_BAZ)},
        {QStringLiteral("DOVIZ_KOD"), h.DOVIZ_KOD},
        {QStringLiteral("ACIKLAMA"), kasaMetin(aciklama)},
        {QStringLiteral("AY"), h.TARIH.month()},
        {QStringLiteral("YIL"), h.TARIH.year()},
        {QStringLiteral("FIS_NO"), h.FIS_NO.isValid() ? h.FIS_NO : QVariant(QMetaType(QMetaType::Double))}};
    db.exec(QStringLiteral(
                "INSERT INTO KASAHRKT (TARIH, REF_TIP, HRKNO, SIRANO, HRK_TURU, BELGE_NO, KASAKOD, KARSIKOD, TIP, "
                "TUTAR, TUTAR_USD, TUTAR_DVZ, TL_KURDEGER, TL_USDEGER, PARA_BAZ, DOVIZ_KOD, ACIKLAMA, AY, YIL, FIS_NO) "
                "VALUES (:TARIH, 'w', :HRKNO, :SIRANO, :HRK_TURU, :BELGE_NO, :KASAKOD, :KARSIKOD, :TIP, :TUTAR, "
                ":TUTAR_USD, :TUTAR_DVZ, :TL_KURDEGER, :TL_USDEGER, :PARA_BAZ, :DOVIZ_KOD, :ACIKLAMA, :AY, :YIL, "
                ":FIS_NO)"),
            b);
}

} // namespace

double KasaHareketKaydet(const SessionContext& ctx, const Db& db, KasaHareketi h)
{
    if (const auto m = KasaHareketKontrol(h))
        throw KasaHatasi(*m);
    KasaTutarHesapla(ctx, db, h);
    if (h.HRKNO <= 0)
        h.HRKNO = double(TakeCounterNumber(db, QStringLiteral("NEWKASA")));
    Transaction tx(db);
    // The partner's description is its own; keep it when the transfer is changed.
    QString partnerAciklama;
    if (KasaVirmanMi(h.HRK_TURU)) {
        Query q(db, QStringLiteral("SELECT ACIKLAMA FROM KASAHRKT WHERE HRKNO=:N AND REF_TIP='w' AND SIRANO=:S"));
        q.bind(QStringLiteral("N"), h.HRKNO).bind(QStringLiteral("S"), h.HRK_TURU == QLatin1Char('V') ? 0.0 : -1.0).exec();
        if (q.next())
            partnerAciklama = q.str(QStringLiteral("ACIKLAMA"));
    }
    db.exec(QStringLiteral("DELETE FROM KASAHRKT WHERE HRKNO=:N AND REF_TIP='w' AND SIRANO IN (0, -1)"),
            {{QStringLiteral("N"), h.HRKNO}});
    satirYaz(db, h, h.HRK_TURU, h.KASAKOD, h.KARSIKOD, h.ACIKLAMA);
    if (KasaVirmanMi(h.HRK_TURU)) {
        const QChar karsiTur = h.HRK_TURU == QLatin1Char('V') ? QLatin1Char('B') : QLatin1Char('V');
        satirYaz(db, h, karsiTur, h.KARSIKOD, h.KASAKOD, partnerAciklama);
    }
    tx.commit();
    return h.HRKNO;
}

std::optional<KasaHareketi> KasaHareketOku(const Db& db, double hrkNo, QChar hrkTuru)
{
    Query q(db, QStringLiteral("SELECT * FROM KASAHRKT WHERE HRKNO=:N AND REF_TIP='w' AND SIRANO=:S"));
    q.bind(QStringLiteral("N"), hrkNo).bind(QStringLiteral("S"), hrkTuru == QLatin1Char('V') ? -1.0 : 0.0).exec();
    if (!q.next())
        return std::nullopt;
    KasaHareketi h;
    h.HRKNO = q.num(QStringLiteral("HRKNO"));
    h.TARIH = q.date(QStringLiteral("TARIH"));
    const QString tur = q.str(QStringLiteral("HRK_TURU"));
    h.HRK_TURU = tur.isEmpty() ? hrkTuru : tur.at(0);
    h.KASAKOD = q.str(QStringLiteral("KASAKOD"));
    h.KARSIKOD = q.str(QStringLiteral("KARSIKOD"));
    h.BELGE_NO = q.str(QStringLiteral("BELGE_NO"));
    h.ACIKLAMA = q.str(QStringLiteral("ACIKLAMA"));
    const QString baz = q.str(QStringLiteral("PARA_BAZ"));
    h.PARA_BAZ = baz.isEmpty() ? QLatin1Char('T') : baz.at(0);
    h.DOVIZ_KOD = q.str(QStringLiteral("DOVIZ_KOD"));
    h.TUTAR = q.num(QStringLiteral("TUTAR"));
    h.TUTAR_USD = q.num(QStringLiteral("TUTAR_USD"));
    h.TUTAR_DVZ = q.num(QStringLiteral("TUTAR_DVZ"));
    h.TL_KURDEGER = q.num(QStringLiteral("TL_KURDEGER"));
    h.TL_USDEGER = q.num(QStringLiteral("TL_USDEGER"));
    h.FIS_NO = q.value(QStringLiteral("FIS_NO"));
    return h;
}

std::optional<QString> KasaHareketSilKontrol(const QVariant& fisNo, const QString& refTip)
{
    if (fisNo.isValid() && !fisNo.isNull() && fisNo.toDouble() > 0)
        return QStringLiteral("Bu Hareketin Muhasebe Kayıt Fişi Var. Silinemez.");
    if (refTip != QLatin1String("w"))
        return QStringLiteral("Bu Hareketin İlgili Kayıt Fişi Var. Silinemez.");
    return std::nullopt;
}

void KasaHareketSil(const Db& db, double hrkNo)
{
    Transaction tx(db);
    db.exec(QStringLiteral("DELETE FROM KASAHRKT WHERE (HRKNO=:hrkNosu) AND (REF_TIP='w') AND (SIRANO IN (0, -1))"),
            {{QStringLiteral("hrkNosu"), hrkNo}});
    tx.commit();
}

void KasaAynaSil(const Db& db, double hrkNo, QChar refTip)
{
    db.exec(QStringLiteral("DELETE FROM KASAHRKT WHERE (HRKNO=:RNosu) AND (REF_TIP=:T)"),
            {{QStringLiteral("RNosu"), hrkNo}, {QStringLiteral("T"), QString(refTip)}});
}

void CariHrkKasaAynaYaz(const Db& db, double cariNo)
{
    // Texts are cut to the cash ledger's narrower columns.
    const QString sql = QStringLiteral(
        "INSERT INTO KASAHRKT (TARIH, REF_TIP, HRKNO, SIRANO, HRK_TURU, REFAYRTIP, BELGE_NO, KASAKOD, KARSIKOD, TIP, "
        "TUTAR, TUTAR_USD, TUTAR_DVZ, TL_KURDEGER, TL_USDEGER, PARA_BAZ, DOVIZ_KOD, ACIKLAMA, AY, YIL, FIS_NO) "
        "SELECT H.TARIH, 'C', H.CARI_NO, H.SIRANO, 'w', M.TIP, SUBSTR(H.BELGE_NO, 1, 15), H.KASAKOD, H.CARI_KOD, "
        "'%1', H.%2, H.%2_USD, H.%2_DVZ, H.TL_KURDEGER, H.TL_USDEGER, H.PARA_BAZ, H.DOVIZ_KODU, "
        "SUBSTR(H.ACIKLAMA, 1, 75), H.AY, H.YIL, M.FIS_NO "
        "FROM CARIHRK H JOIN CARIHRKM M ON M.CARI_NO = H.CARI_NO "
        "WHERE H.CARI_NO = :NO AND H.%2 > 0");
    const QVariantMap b{{QStringLiteral("NO"), cariNo}};
    db.exec(sql.arg(QStringLiteral("B"), QStringLiteral("ALACAK")), b);
    db.exec(sql.arg(QStringLiteral("A"), QStringLiteral("BORC")), b);
}

void BankaHrkKasaAynaYaz(const Db& db, double hrkNo)
{
    const QString sql = QStringLiteral(
        "INSERT INTO KASAHRKT (TARIH, REF_TIP, HRKNO, SIRANO, HRK_TURU, REFAYRTIP, BELGE_NO, KASAKOD, KARSIKOD, TIP, "
        "TUTAR, TUTAR_USD, TUTAR_DVZ, TL_KURDEGER, TL_USDEGER, PARA_BAZ, DOVIZ_KOD, ACIKLAMA, ACIKLAMA1, AY, YIL, "
        "FIS_NO) "
        "SELECT A.TARIH, 'B', A.HRK_NO, A.SIRANO, 'w', A.TIP, A.BELGE_NO, A.KASAKOD, A.BANKA_KOD, '%1', A.%2, "
        "A.%2_USD, A.%2_DVZ, A.TL_KURDEGER, A.TL_USDEGER, A.PARA_BAZ, A.DOVIZ_KODU, SUBSTR(A.ACIKLAMA, 1, 75), "
        "SUBSTR(A.HESAP_NO, 1, 75), A.AY, A.YIL, H.FIS_NO "
        "FROM BANKHRKA A JOIN BANKHRK H ON H.HRK_NO = A.HRK_NO "
        "WHERE A.HRK_NO = :NO AND A.%2 > 0");
    const QVariantMap b{{QStringLiteral("NO"), hrkNo}};
    db.exec(sql.arg(QStringLiteral("B"), QStringLiteral("ALACAK")), b);
    db.exec(sql.arg(QStringLiteral("A"), QStringLiteral("BORC")), b);
}

QString KasaHrkTuruBasligi(QChar t, bool girisFormu, const QString& tip, const QString& refTip)
{
    switch (t.unicode()) {
    case 'I': return girisFormu ? QStringLiteral("Kasa Açılış (Borç)") : QStringLiteral("Açılış (Borç)");
    case 'A': return girisFormu ? QStringLiteral("Kasa Açılış (Alacak)") : QStringLiteral("Açılış (Alacak)");
    case 'B': return QStringLiteral("Kasa Virman (Borç)");
    case 'V': return QStringLiteral("Kasa Virman (Alacak)");
    case 'w': {
        if (girisFormu)
            return {};
        const bool giris = tip == QLatin1String("B"), cikis = tip == QLatin1String("A");
        if (refTip == QLatin1String("C") && (giris || cikis))
            return giris ? QStringLiteral("Nakit Tahsilat") : QStringLiteral("Nakit Ödeme");
        if (refTip == QLatin1String("E") && (giris || cikis))
            return giris ? QStringLiteral("Çek/Senet Hrk.Tahsil") : QStringLiteral("Çek/Senet Hrk.Ödeme");
        if (refTip == QLatin1String("B") && (giris || cikis))
            return giris ? QStringLiteral("Bankadan Çekilen") : QStringLiteral("Bankaya Yatırılan");
        return QStringLiteral("Kasa Hareketi");
    }
    default: return {};
    }
}

QString KasaRefTipBasligi(const QString& refTip)
{
    if (refTip == QLatin1String("C"))
        return QStringLiteral("Cari Hrk.");
    if (refTip == QLatin1String("B"))
        return QStringLiteral("Bank Hrk.");
    if (refTip == QLatin1String("E"))
        return QStringLiteral("Çek/Senet Hrk.");
    if (refTip == QLatin1String("A"))
        return QStringLiteral("Alış");
    return {};
}

bool KasaVirmanMuhasebeyeAktar(const SessionContext& ctx, const Db& db, double hrkNo)
{
    if (!MuhasebelensinMi(db, QLatin1Char('P')))
        return false;
    // The voucher mark as stored: a transfer posted before is posted onto its own voucher again.
    Query q(db, QStringLiteral("SELECT FIS_NO FROM KASAHRKT WHERE HRKNO = :N AND REF_TIP = 'w' ORDER BY SIRANO"));
    q.bind(QStringLiteral("N"), hrkNo).exec();
    const QVariant fisNo = q.next() ? q.value(0) : QVariant();
    q.finish();
    MuhasebeEntegre(ctx, db, MuhasebeEntegreIstegi{QLatin1Char('P'), false, fisNo, hrkNo});
    return true;
}

} // namespace tornaly::accounts
