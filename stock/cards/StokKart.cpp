#include "stock/cards/StokKart.h"

#include "counters/Counters.h"
#include "db/Dialect.h"
#include "services/KurBul.h"

namespace tornaly::stock {

const QStringList& StokKartKolonlari()
{
    static const QStringList k = {
        QStringLiteral("STOK_NO"), QStringLiteral("STOK_ADI_TR"), QStringLiteral("STOK_ADI_ING"),
        QStringLiteral("BARKOD"), QStringLiteral("BARK_TIP"), QStringLiteral("STOK_KOD_NO"),
        QStringLiteral("ACILIS_TRH"), QStringLiteral("GRUP_NO"), QStringLiteral("ALTGRUP_NO"),
        QStringLiteral("PNC_NO"), QStringLiteral("PNCSUBNO"), QStringLiteral("BIRIMI"), QStringLiteral("KRITIK_SEV"),
        QStringLiteral("SIPARIS_SEV"), QStringLiteral("HEDEF_SEV"), QStringLiteral("FYT_TRH"),
        QStringLiteral("ALIS_FYT_TL"), QStringLiteral("ALIS_FYT_USD"), QStringLiteral("ALIS_FYT_DOVIZ"),
        QStringLiteral("SAT_FYT_TL"), QStringLiteral("SAT_FYT_USD"), QStringLiteral("SAT_FYT_DOVIZ"),
        QStringLiteral("MALIYET_FYT_TL"), QStringLiteral("MALIYET_FYT_USD"), QStringLiteral("MALIYET_FYT_DOVIZ"),
        QStringLiteral("FYT_KUR"), QStringLiteral("KDV"), QStringLiteral("SIPARIS_SURESI"),
        QStringLiteral("ISKONTO_GRP"), QStringLiteral("VERGILER"), QStringLiteral("KAR_ORAN"),
        QStringLiteral("AMBALAJ_NO"), QStringLiteral("ACIKLAMA"), QStringLiteral("RESIM_NO"), QStringLiteral("KOORX"),
        QStringLiteral("KOORY"), QStringLiteral("ESKI_PART_NO"), QStringLiteral("KAYNAK"), QStringLiteral("ETIKET"),
        QStringLiteral("QTY"), QStringLiteral("CLAIM_TUR"), QStringLiteral("PAY"), QStringLiteral("ORJ"),
        QStringLiteral("MUH_A"), QStringLiteral("MUH_S"), QStringLiteral("MUH_IADE_A"), QStringLiteral("MUH_IADE_S"),
        QStringLiteral("MUH_ISK_A"), QStringLiteral("MUH_ISK_S"), QStringLiteral("MUH_KDV_A"),
        QStringLiteral("MUH_KDV_S"), QStringLiteral("MUH_GRSAT"), QStringLiteral("MUH_GRSATISK"),
        QStringLiteral("ATILSTK_ISK"), QStringLiteral("YENI_KOD"), QStringLiteral("YENI_KOD_SON"),
        QStringLiteral("MODEL_NO"), QStringLiteral("WIRACC0"), QStringLiteral("MERKEZ"), QStringLiteral("REKABET"),
        QStringLiteral("MARKAKOD"), QStringLiteral("ISKGRUP"), QStringLiteral("SONALIS_FYT_TL"),
        QStringLiteral("SONALIS_FYT_DOVIZ"), QStringLiteral("GARANTI_BELGE"), QStringLiteral("SERITAKIP")};
    return k;
}

const QStringList& StokKopyaKolonlari()
{
    static const QStringList k = {
        QStringLiteral("STOK_ADI_TR"), QStringLiteral("STOK_ADI_ING"), QStringLiteral("BARKOD"),
        QStringLiteral("BARK_TIP"), QStringLiteral("BIRIMI"), QStringLiteral("AMBALAJ_NO"), QStringLiteral("GRUP_NO"),
        QStringLiteral("KRITIK_SEV"), QStringLiteral("SIPARIS_SEV"), QStringLiteral("FYT_TRH"),
        QStringLiteral("ALIS_FYT_TL"), QStringLiteral("ALIS_FYT_USD"), QStringLiteral("ALIS_FYT_DOVIZ"),
        QStringLiteral("SAT_FYT_TL"), QStringLiteral("SAT_FYT_USD"), QStringLiteral("SAT_FYT_DOVIZ"),
        QStringLiteral("MALIYET_FYT_TL"), QStringLiteral("MALIYET_FYT_USD"), QStringLiteral("MALIYET_FYT_DOVIZ"),
        QStringLiteral("FYT_KUR"), QStringLiteral("SIPARIS_SURESI"), QStringLiteral("KDV"), QStringLiteral("KAR_ORAN"),
        QStringLiteral("MODEL_NO"), QStringLiteral("ACIKLAMA"), QStringLiteral("WIRACC0"), QStringLiteral("ORJ"),
        QStringLiteral("PAY"), QStringLiteral("KAYNAK"), QStringLiteral("MUH_A"), QStringLiteral("MUH_S"),
        QStringLiteral("MUH_IADE_A"), QStringLiteral("MUH_IADE_S"), QStringLiteral("MUH_ISK_A"),
        QStringLiteral("MUH_ISK_S"), QStringLiteral("MUH_KDV_A"), QStringLiteral("MUH_KDV_S"),
        QStringLiteral("MUH_GRSAT"), QStringLiteral("MUH_GRSATISK")};
    return k;
}

QString ParcaNoVarMesaji()
{
    return QStringLiteral("Bu parçano-ya sahip bir stok var. İkinci kere aynı parçanolu bir ürün saklayamazsınız...");
}
QString StokAdiYokMesaji() { return QStringLiteral("Stok Adı Bilgisini Vermeden Kayıt Saklanamaz."); }
QString DovizKoduYokMesaji() { return QStringLiteral("Döviz Kodu Bilgisini Vermeden Kayıt Saklanamaz."); }
QString BarkodVarMesaji() { return QStringLiteral("Bu borkodlu kayıt var"); }
QString HareketliStokMesaji() { return QStringLiteral("Bu Stokğun Hareket Kaydı var. Silinemez!"); }

const QList<AnaGrup>& AnaGruplar()
{
    static const QList<AnaGrup> g = {
        {QStringLiteral("P"), QStringLiteral("Yedek Parça"), QStringLiteral("Y.Parça")},
        {QStringLiteral("A"), QStringLiteral("Aksesuar"), QStringLiteral("Aksesuar")},
        {QStringLiteral("Y"), QStringLiteral("Yağ"), QStringLiteral("Yağ")},
        {QStringLiteral("S"), QStringLiteral("Sarf Malzeme"), QStringLiteral("Sarf")},
        {QStringLiteral("2"), QStringLiteral("2.El"), QStringLiteral("2.El")},
        {QStringLiteral("L"), QStringLiteral("Alet"), QStringLiteral("Alet")},
        {QStringLiteral("T"), QStringLiteral("Lastik"), QStringLiteral("Lastik")},
        {QStringLiteral("D"), QStringLiteral("Diğer"), QStringLiteral("Diğer")},
    };
    return g;
}

QString AnaGrupListeAdi(const QString& harf)
{
    for (const AnaGrup& g : AnaGruplar())
        if (g.harf == harf)
            return g.listeAdi;
    return harf;
}

double YeniStokNo(const Db& db)
{
    return double(TakeCounterNumber(db, QStringLiteral("NEWSTOK")));
}

StokKarti YeniStokKarti(const Db& db, const SessionContext& ctx, const QDate& bugun)
{
    StokKarti k;
    k.yeni = true;
    k.alan.insert(QStringLiteral("STOK_NO"), YeniStokNo(db));
    k.alan.insert(QStringLiteral("BARK_TIP"), QStringLiteral("E"));
    k.alan.insert(QStringLiteral("ACILIS_TRH"), QDateTime(bugun, QTime(0, 0)));
    k.alan.insert(QStringLiteral("MERKEZ"), 0);
    k.alan.insert(QStringLiteral("FYT_KUR"), ctx.YerelPara);
    k.alan.insert(QStringLiteral("PAY"), QStringLiteral("P"));
    // The company's default rate (PARAMETRE.DF_KDV); today's general rate without one.
    k.alan.insert(QStringLiteral("KDV"), ctx.DfKdv > 0 ? qRound(ctx.DfKdv) : 20);
    k.alan.insert(QStringLiteral("BIRIMI"), QStringLiteral("ADET"));
    k.alan.insert(QStringLiteral("WIRACC0"), QStringLiteral("H"));
    k.alan.insert(QStringLiteral("GARANTI_BELGE"), QStringLiteral("H"));
    return k;
}

StokKarti StokKartiOku(const Db& db, double stokNo)
{
    StokKarti k;
    Query q(db, QStringLiteral("SELECT %1 FROM STOK WHERE STOK_NO = :STOK_NO").arg(StokKartKolonlari().join(u", ")));
    q.bind(QStringLiteral("STOK_NO"), stokNo).exec();
    if (!q.next())
        return k;
    const QSqlRecord r = q.record();
    for (const QString& c : StokKartKolonlari()) {
        QVariant v = q.value(c);
        if (c == QLatin1String("ACILIS_TRH") || c == QLatin1String("FYT_TRH"))
            v = v.isNull() ? QVariant() : QVariant(Query::toDateTime(v));
        k.alan.insert(c, v);
    }
    return k;
}

StokKarti StokKartiKopyala(const Db& db, const SessionContext& ctx, const StokKarti& kaynak, const QDate& bugun)
{
    StokKarti k = YeniStokKarti(db, ctx, bugun);
    for (const QString& c : StokKopyaKolonlari())
        if (kaynak.alan.contains(c))
            k.alan.insert(c, kaynak.alan.value(c));
    QString no = kaynak.parcaNo();
    if (kaynak.alan.value(QStringLiteral("MERKEZ")).toInt() == 1)
        no += QLatin1Char('*');
    k.alan.insert(QStringLiteral("STOK_KOD_NO"), no);
    return k;
}

namespace {
bool parcaNoVar(const Db& db, const QString& no)
{
    Query q(db, QStringLiteral("SELECT STOK_KOD_NO FROM STOK WHERE STOK_KOD_NO = :STOKKOD"));
    q.bind(QStringLiteral("STOKKOD"), no).exec();
    return q.next();
}

QVariant bosIseNull(const QString& kolon, const QVariant& v)
{
    if (v.typeId() == QMetaType::QString && v.toString().isEmpty())
        return QVariant(QMetaType(QMetaType::QString));
    Q_UNUSED(kolon);
    return v;
}
} // namespace

QString StokKartiKaydet(const Db& db, StokKarti& kart)
{
    const QString no = kart.parcaNo().trimmed();
    if (kart.yeni) {
        if (no.isEmpty() || parcaNoVar(db, no))
            return ParcaNoVarMesaji();
    }
    if (kart.alan.value(QStringLiteral("STOK_ADI_TR")).toString().trimmed().isEmpty())
        return StokAdiYokMesaji();
    if (kart.alan.value(QStringLiteral("FYT_KUR")).toString().trimmed().isEmpty())
        return DovizKoduYokMesaji();
    kart.alan.insert(QStringLiteral("STOK_KOD_NO"), no);
    if (kart.alan.value(QStringLiteral("PAY")).toString().isEmpty())
        kart.alan.insert(QStringLiteral("PAY"), QStringLiteral("P"));
    if (kart.alan.value(QStringLiteral("KDV")).isNull())
        kart.alan.insert(QStringLiteral("KDV"), 0);

    try {
        Transaction tx(db);
        QStringList kolonlar;
        for (const QString& c : StokKartKolonlari())
            if (kart.alan.contains(c) && (kart.yeni || c != QLatin1String("STOK_KOD_NO")))
                kolonlar << c;
        QString sql;
        if (kart.yeni) {
            QStringList yer;
            for (const QString& c : kolonlar)
                yer << QLatin1Char(':') + c;
            sql = QStringLiteral("INSERT INTO STOK (%1) VALUES (%2)").arg(kolonlar.join(u", "), yer.join(u", "));
        } else {
            QStringList set;
            for (const QString& c : kolonlar)
                if (c != QLatin1String("STOK_NO"))
                    set << QStringLiteral("%1 = :%1").arg(c);
            sql = QStringLiteral("UPDATE STOK SET %1 WHERE STOK_NO = :STOK_NO").arg(set.join(u", "));
        }
        Query q(db, sql);
        for (const QString& c : kolonlar)
            q.bind(c, bosIseNull(c, kart.alan.value(c)));
        q.exec();

        Query raf(db, QStringLiteral("UPDATE STOKMIK SET RAF_YERI = :RAF_YERI WHERE DEPO_KOD = :DEPO_KODU "
                                     "AND STOK_NO = :STOK_NO"));
        for (auto it = kart.raflar.cbegin(); it != kart.raflar.cend(); ++it) {
            raf.bind(QStringLiteral("RAF_YERI"), it.value().trimmed().isEmpty()
                                                      ? QVariant(QMetaType(QMetaType::QString))
                                                      : QVariant(it.value().trimmed()));
            raf.bind(QStringLiteral("DEPO_KODU"), it.key());
            raf.bind(QStringLiteral("STOK_NO"), kart.stokNo());
            raf.exec();
        }
        tx.commit();
    } catch (const DbError& e) {
        if (e.isUniqueViolation() && kart.yeni)
            return ParcaNoVarMesaji();
        throw;
    }
    kart.yeni = false;
    kart.raflar.clear();
    return {};
}

bool BarkodBaskaKartta(const Db& db, const QString& barkod, double stokNo)
{
    const QString b = barkod.trimmed();
    if (b.isEmpty())
        return false;
    Query q(db, QStringLiteral("SELECT STOK.STOK_NO, STOK.BARKOD FROM STOK WHERE %1 = %2 AND STOK_NO <> :STOK_NO")
                    .arg(db.dialect().upperExpr(QStringLiteral("BARKOD")),
                         db.dialect().upperExpr(QStringLiteral(":kodver"))));
    q.bind(QStringLiteral("kodver"), b).bind(QStringLiteral("STOK_NO"), stokNo).exec();
    return q.next();
}

QString StokKartiSil(const Db& db, double stokNo)
{
    Transaction tx(db);
    Query q(db, QStringLiteral("SELECT 1 FROM DEPOHRK WHERE STOK_NO = :StkNo"));
    q.bind(QStringLiteral("StkNo"), stokNo).exec();
    if (q.next())
        return HareketliStokMesaji();
    db.exec(QStringLiteral("DELETE FROM STOK WHERE STOK_NO = :STOK_NO"), {{QStringLiteral("STOK_NO"), stokNo}});
    tx.commit();
    return {};
}

StokHesapliFiyatlar StokHesapliFiyatlariBul(const Db& db, const SessionContext& ctx, const QVariantMap& k)
{
    StokHesapliFiyatlar f;
    const double satTl = k.value(QStringLiteral("SAT_FYT_TL")).toDouble();
    const double kdv = k.value(QStringLiteral("KDV")).toDouble();
    f.ISKLI1 = satTl * (100 - ctx.AcilIskonto) / 100;
    f.ISKLI2 = satTl * (100 - ctx.StokIskonto) / 100;
    f.SATIS_KDVLI = satTl * (kdv + 100) / 100;
    f.SAT_KDVLI_USD = k.value(QStringLiteral("SAT_FYT_USD")).toDouble() * (kdv + 100) / 100;
    f.SAT_KDVLI_DVZ = k.value(QStringLiteral("SAT_FYT_DOVIZ")).toDouble() * (kdv + 100) / 100;
    const double sonAlis = k.value(QStringLiteral("SONALIS_FYT_TL")).toDouble();
    double kur = 1;
    if (sonAlis != 0) {
        const QDate gun = Query::toDate(k.value(QStringLiteral("FYT_TRH")));
        const auto bulunan = gun.isValid() ? KurBul(ctx, db, QStringLiteral("USD"), 2, gun) : std::nullopt;
        kur = bulunan && *bulunan > 0 ? *bulunan : 1.0;
    }
    f.SONALISFYT_USD = sonAlis / kur;
    return f;
}

void KdvHaricFiyatHesapla(QVariantMap& k)
{
    const double kdv = k.value(QStringLiteral("KDV")).toDouble();
    k.insert(QStringLiteral("SAT_FYT_DOVIZ"), k.value(QStringLiteral("SAT_FYT_DOVIZ")).toDouble() / (kdv / 100 + 1));
}

void YerelSatisFiyatiniEsitle(QVariantMap& k, const SessionContext& ctx)
{
    const double dvz = k.value(QStringLiteral("SAT_FYT_DOVIZ")).toDouble();
    if (k.value(QStringLiteral("FYT_KUR")).toString().trimmed() == ctx.YerelPara && dvz > 0)
        k.insert(QStringLiteral("SAT_FYT_TL"), dvz);
}

DonemBasi DonemBasiBul(const Db& db, double stokNo)
{
    DonemBasi d;
    Query q(db, QStringLiteral("SELECT COALESCE(SUM(GIRMIK), 0), COALESCE(SUM(GIRMIK * FIYAT), 0), "
                               "COALESCE(SUM(GIRMIK * FYT_USD), 0) FROM DEPOHRK WHERE TIP = 'D' AND STOK_NO = :STOK_NO"));
    q.bind(QStringLiteral("STOK_NO"), stokNo).exec();
    if (q.next()) {
        d.miktar = q.value(0).toDouble();
        d.tutarTL = q.value(1).toDouble();
        d.tutarUSD = q.value(2).toDouble();
        if (d.miktar > 0) {
            d.birimTL = d.tutarTL / d.miktar;
            d.birimUSD = d.tutarUSD / d.miktar;
        }
    }
    return d;
}

QList<DepoSatiri> StokDepoSatirlari(const Db& db, double stokNo)
{
    Query q(db, QStringLiteral(
                    "SELECT D.DEPO_KODU, D.DEPO_ADI, H.GIRMIK * 1.0 AS GIRMIK, H.CIKMIK * 1.0 AS CIKMIK, "
                    "H.MIK * 1.0 AS MIK, M.RAF_YERI, M.STOK_NO AS MIK_VAR FROM DEPO D "
                    "LEFT JOIN (SELECT DEPO_KODU, SUM(GIRMIK) AS GIRMIK, SUM(CIKMIK) AS CIKMIK, "
                    "SUM(GIRMIK - CIKMIK) AS MIK FROM DEPOHRK WHERE STOK_NO = :STOK_NO GROUP BY DEPO_KODU) H "
                    "ON H.DEPO_KODU = D.DEPO_KODU "
                    "LEFT JOIN STOKMIK M ON M.DEPO_KOD = D.DEPO_KODU AND M.STOK_NO = :STOK_NO "
                    "ORDER BY D.SIRA, D.DEPO_KODU"));
    q.bind(QStringLiteral("STOK_NO"), stokNo).exec();
    QList<DepoSatiri> out;
    while (q.next()) {
        DepoSatiri s;
        s.DEPO_KODU = q.value(0).toString();
        s.DEPO_ADI = q.value(1).toString();
        s.GIRMIK = q.value(2).toDouble();
        s.CIKMIK = q.value(3).toDouble();
        s.MIK = q.value(4).toDouble();
        s.RAF_YERI = q.value(5).toString();
        s.mikSatiriVar = !q.value(6).isNull();
        out << s;
    }
    return out;
}

QStringList MuadilKodlar(const Db& db, const QString& parcaNo)
{
    Query q(db, QStringLiteral("SELECT ESKI_KOD FROM STOKKOD WHERE STOK_KOD = :STOK_KOD ORDER BY ESKI_KOD"));
    q.bind(QStringLiteral("STOK_KOD"), parcaNo).exec();
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

bool MuadilKoduYaz(const Db& db, const QString& parcaNo, const QString& eskiKod, const QString& degisenKod)
{
    if (parcaNo.trimmed().isEmpty() || eskiKod.trimmed().isEmpty())
        return false;
    Transaction tx(db);
    if (!degisenKod.isEmpty())
        MuadilKoduSil(db, parcaNo, degisenKod);
    db.exec(QStringLiteral("DELETE FROM STOKKOD WHERE STOK_KOD = :S AND ESKI_KOD = :E"),
            {{QStringLiteral("S"), parcaNo.trimmed()}, {QStringLiteral("E"), eskiKod.trimmed()}});
    db.exec(QStringLiteral("INSERT INTO STOKKOD (STOK_KOD, ESKI_KOD) VALUES (:S, :E)"),
            {{QStringLiteral("S"), parcaNo.trimmed()}, {QStringLiteral("E"), eskiKod.trimmed()}});
    tx.commit();
    return true;
}

void MuadilKoduSil(const Db& db, const QString& parcaNo, const QString& kod)
{
    db.exec(QStringLiteral("DELETE FROM STOKKOD WHERE STOK_KOD = :S AND ESKI_KOD = :E"),
            {{QStringLiteral("S"), parcaNo.trimmed()}, {QStringLiteral("E"), kod}});
}

} // namespace tornaly::stock
