#include "workshop/labour/Frt.h"

#include "db/DbError.h"
#include "guard/IslemReddi.h"
#include "messages/Messages.h"

#include <cmath>

namespace tornaly::workshop {

QStringList FrtKolonlari()
{
    return QStringLiteral("MODEL_KODU,FRT_KODU,FRT_ADI,FRT_ING_ADI,FRT_GRP_KODU,FRT_GRP_ADI,FRT_ZAMAN,"
                          "BIRIM_FIYAT_TL,BIRIM_FIYAT_DVZ,DOVIZ_KODU,KDV,KLEIM_TURU,KBMY,MUH_S,MUH_IADE_S,"
                          "MUH_ISK_S,MUH_KDV_S,MUH_A,MUH_IADE_A,MUH_ISK_A,MUH_KDV_A,ALT_GRUP,ALTER_KOD,"
                          "LOKAS_KOD,PREW_KOD1,PREW_KOD2,ACIKLAMA1,ACIKLAMA2,ACIKLAMA3,MUH_GRSAT,MUH_GRSATISK")
        .split(QLatin1Char(','));
}

QVariantMap FrtOku(const Db& db, const QString& kod, const QString& model)
{
    Query q(db, QStringLiteral("SELECT %1 FROM FRT WHERE MODEL_KODU = :M AND FRT_KODU = :K")
                    .arg(FrtKolonlari().join(QStringLiteral(", "))));
    q.bind(QStringLiteral("M"), model).bind(QStringLiteral("K"), kod).exec();
    QVariantMap r;
    if (q.next())
        for (const QString& c : FrtKolonlari())
            r.insert(c, q.value(c));
    return r;
}

QVariantMap YeniFrtSatiri()
{
    return {{QStringLiteral("DOVIZ_KODU"), QStringLiteral("USD")}};
}

void FrtTurSec(QVariantMap& row, const QString& kbmy)
{
    row[QStringLiteral("KBMY")] = kbmy;
    if (kbmy == QLatin1String("H") || kbmy == QLatin1String("D"))
        row[QStringLiteral("MODEL_KODU")] = GenelModel();
}

bool FrtKaydet(const Db& db, QVariantMap& row, bool yeni, const QString& eskiKod, const QString& eskiModel)
{
    const QString kod = row.value(QStringLiteral("FRT_KODU")).toString().trimmed();
    const QVariant kdv = row.value(QStringLiteral("KDV"));
    if (kod.isEmpty() || kdv.isNull() || kdv.toString().trimmed().isEmpty()) {
        ShowInfo(QStringLiteral("Frt Kodu ve Kdv Yazılmadan Kayıt Saklanamaz."));
        return false;
    }
    const QVariant zaman = row.value(QStringLiteral("FRT_ZAMAN"));
    if ((zaman.isNull() || zaman.toString().trimmed().isEmpty())
        && !AskYesNo(QStringLiteral("İşçilik Süresini yazmadınız. Kayıt saklansın mı?")))
        return false;
    row[QStringLiteral("FRT_KODU")] = kod;
    QStringList cols;
    QVariantMap binds;
    for (const QString& c : FrtKolonlari()) {
        if (c == QLatin1String("KLEIM_TURU") && (yeni || !row.contains(c)))
            continue; // the distributor's flag: a new card gets the database's default
        if (!row.contains(c))
            continue;
        QVariant v = row.value(c);
        if (v.typeId() == QMetaType::QString && v.toString().isEmpty())
            v = QVariant();
        cols << c;
        binds.insert(c, v);
    }
    Transaction tx(db);
    if (yeni) {
        QStringList ph;
        for (const QString& c : cols)
            ph << QLatin1Char(':') + c;
        db.exec(QStringLiteral("INSERT INTO FRT (%1) VALUES (%2)").arg(cols.join(QStringLiteral(", ")),
                                                                         ph.join(QStringLiteral(", "))),
                binds);
    } else {
        QStringList sets;
        for (const QString& c : cols)
            sets << QStringLiteral("%1 = :%1").arg(c);
        binds.insert(QStringLiteral("ESKI_K"), eskiKod.isEmpty() ? kod : eskiKod);
        binds.insert(QStringLiteral("ESKI_M"),
                     eskiModel.isEmpty() ? row.value(QStringLiteral("MODEL_KODU")) : QVariant(eskiModel));
        db.exec(QStringLiteral("UPDATE FRT SET %1 WHERE FRT_KODU = :ESKI_K AND MODEL_KODU = :ESKI_M")
                    .arg(sets.join(QStringLiteral(", "))),
                binds);
    }
    tx.commit();
    return true;
}

bool FrtSil(const Db& db, const QString& kod, const QString& model)
{
    if (AskYesNoCancel(QStringLiteral("Kayıt Silinsin mi?")) != MsgYes)
        return false;
    const QVariantMap b{{QStringLiteral("K"), kod}};
    bool kullanimda = false;
    const auto var = [&](const QString& sql) {
        Query q(db, sql);
        q.bindAll(b).exec();
        return q.next();
    };
    for (const QString& t : {QStringLiteral("ALISAYR"), QStringLiteral("SATISAYR")})
        if (!kullanimda && db.dialect().tableExists(db, t))
            kullanimda = var(QStringLiteral("SELECT STOK_KODU FROM %1 WHERE STOK_KODU = :K AND SAT_TIP = 'I'").arg(t));
    if (!kullanimda)
        kullanimda = var(QStringLiteral("SELECT ARIZA_KODU FROM ISCILIK WHERE ARIZA_KODU = :K"));
    if (kullanimda) {
        ShowInfo(QStringLiteral("İşçilik kodu İşemri yada Faturaya İşlenmiş!. Silinemez."));
        return false;
    }
    FrtSatiriSil(db, kod, model);
    return true;
}

QString FrtListeSorgusu(const FrtArama& a, const Db& db, QVariantMap& binds)
{
    Q_UNUSED(db);
    QString sql = QStringLiteral("SELECT FRT_KODU, FRT_ADI, FRT_ING_ADI, MODEL_KODU, FRT_GRP_KODU, FRT_GRP_ADI, "
                                 "FRT_ZAMAN, BIRIM_FIYAT_TL, KDV, KBMY, KLEIM_TURU, ACIKLAMA1, ACIKLAMA2, "
                                 "ACIKLAMA3, DOVIZ_KODU FROM FRT WHERE 1=1");
    binds.clear();
    if (!a.kod.isEmpty()) {
        sql += QStringLiteral(" AND FRT_KODU LIKE :KOD ESCAPE '\\'");
        binds.insert(QStringLiteral("KOD"), Dialect::escapeLike(a.kod) + QLatin1Char('%'));
    } else if (!a.ad.isEmpty()) {
        sql += QStringLiteral(" AND FRT_ADI LIKE :AD ESCAPE '\\'");
        binds.insert(QStringLiteral("AD"), Dialect::escapeLike(a.ad) + QLatin1Char('%'));
    }
    if (!a.model.isEmpty()) {
        sql += QStringLiteral(" AND MODEL_KODU = :MODEL");
        binds.insert(QStringLiteral("MODEL"), a.model);
    }
    return sql + QStringLiteral(" ORDER BY FRT_KODU, MODEL_KODU");
}

TDonPara FrtDonPara(const QVariantMap& r)
{
    TDonPara d;
    d.KodStr = r.value(QStringLiteral("FRT_KODU")).toString();
    d.IlkStr = r.value(QStringLiteral("MODEL_KODU")).toString();
    d.str1 = r.value(QStringLiteral("FRT_ADI")).toString();
    d.num1 = r.value(QStringLiteral("FRT_ZAMAN")).toDouble();
    d.num2 = r.value(QStringLiteral("BIRIM_FIYAT_TL")).toDouble();
    d.num3 = r.value(QStringLiteral("KDV")).toDouble();
    d.dvz = r.value(QStringLiteral("DOVIZ_KODU")).toString();
    return d;
}

double FrtListeFiyati(const Db& db, const QString& kod, const QString& ozel1)
{
    Query q(db, QStringLiteral("SELECT MODEL_KODU, BIRIM_FIYAT_TL FROM FRT WHERE FRT_KODU = :K "
                               "AND (MODEL_KODU = 'ZZ' OR MODEL_KODU = :M)"));
    q.bind(QStringLiteral("K"), kod).bind(QStringLiteral("M"), ozel1).exec();
    double genel = 0, ozel = 0;
    bool ozelVar = false;
    while (q.next()) {
        if (q.str(QStringLiteral("MODEL_KODU")) == GenelModel() && ozel1 != GenelModel())
            genel = q.num(QStringLiteral("BIRIM_FIYAT_TL"));
        else {
            ozel = q.num(QStringLiteral("BIRIM_FIYAT_TL"));
            ozelVar = true;
        }
    }
    return ozelVar ? ozel : genel;
}

double GarantiSaatFiyati(const Db& db)
{
    Query q(db, QStringLiteral("SELECT BR_FIYAT_TL FROM FRTFYT WHERE GRUP_KOD = 'G'"));
    q.exec();
    return q.next() ? q.num(QStringLiteral("BR_FIYAT_TL")) : 0;
}

double FiyatDortHane(double fiyat)
{
    return std::nearbyint(fiyat * 10000.0) / 10000.0; // FE_TONEAREST: halves to even
}

bool FrtBirimFiyatGuncelle(const Db& db, double grupsuz)
{
    Transaction tx(db);
    Query q(db, QStringLiteral("SELECT GRUP_KOD, BR_FIYAT_TL FROM FRTFYT ORDER BY GRUP_KOD"));
    q.exec();
    QList<QPair<QString, double>> gruplar;
    while (q.next())
        gruplar << qMakePair(q.str(QStringLiteral("GRUP_KOD")), q.num(QStringLiteral("BR_FIYAT_TL")));
    q.finish();
    bool dVar = false;
    for (const auto& [harf, fiyat] : gruplar) {
        if (fiyat <= 0 || harf == QLatin1String("G"))
            continue;
        if (harf == QLatin1String("D"))
            dVar = true;
        db.exec(QStringLiteral("UPDATE FRT SET BIRIM_FIYAT_TL = :F WHERE KBMY = :H"),
                {{QStringLiteral("F"), FiyatDortHane(fiyat)}, {QStringLiteral("H"), harf}});
    }
    if (grupsuz > 0)
        db.exec(dVar ? QStringLiteral("UPDATE FRT SET BIRIM_FIYAT_TL = :F WHERE KBMY IS NULL OR KBMY = ''")
                     : QStringLiteral("UPDATE FRT SET BIRIM_FIYAT_TL = :F WHERE KBMY = 'D' OR KBMY IS NULL "
                                      "OR KBMY = ''"),
                {{QStringLiteral("F"), FiyatDortHane(grupsuz)}});
    db.exec(QStringLiteral("UPDATE FRT SET KBMY = 'D' WHERE KBMY IS NULL OR KBMY = ''"));
    tx.commit();
    ShowInfo(QStringLiteral("İşçilik Birim Fiyatları Güncellendi!"));
    return true;
}

QList<QPair<QString, QString>> FrtMuhKodlari()
{
    return {{QStringLiteral("MUH_S"), QStringLiteral("Satış Muhasebe Kodu")},
            {QStringLiteral("MUH_A"), QStringLiteral("Alış Muh Kodu")},
            {QStringLiteral("MUH_ISK_S"), QStringLiteral("Satış İsk.Muhasebe Kodu")},
            {QStringLiteral("MUH_ISK_A"), QStringLiteral("Alış İsk Muh Kodu")},
            {QStringLiteral("MUH_IADE_S"), QStringLiteral("Satış İade Muh. Kodu")},
            {QStringLiteral("MUH_IADE_A"), QStringLiteral("Alış İade Muh. Kodu")},
            {QStringLiteral("MUH_KDV_A"), QStringLiteral("KDV Alış-Satış-İade Muh Kodu")},
            {QStringLiteral("MUH_GRSAT"), QStringLiteral("Garanti Satış Muh.Kodu")},
            {QStringLiteral("MUH_GRSATISK"), QStringLiteral("Garanti Satış İsk.Muh.Kodu")}};
}

bool FrtMuhKoduHakIster(const QString& kolon)
{
    return kolon != QLatin1String("MUH_KDV_A") && !kolon.startsWith(QLatin1String("MUH_GRSAT"));
}

namespace {
MuhKodSecici& muhKodSecici()
{
    static MuhKodSecici s;
    return s;
}
} // namespace

void SetMuhKodSecici(MuhKodSecici secici) { muhKodSecici() = std::move(secici); }
const MuhKodSecici& FrtMuhKodSecici() { return muhKodSecici(); }

void FrtGrupFiyatlariOku(const Db& db, FrtCalismaFiyatlari& f, double grupsuz)
{
    Query q(db, QStringLiteral("SELECT GRUP_KOD, BR_FIYAT_TL FROM FRTFYT"));
    q.exec();
    while (q.next()) {
        const QString g = q.str(QStringLiteral("GRUP_KOD")).trimmed();
        const double p = q.num(QStringLiteral("BR_FIYAT_TL"));
        if (g == QLatin1String("K"))
            f.kf = p;
        else if (g == QLatin1String("B"))
            f.bf = p;
        else if (g == QLatin1String("M"))
            f.mf = p;
        else if (g == QLatin1String("D"))
            f.df = p;
    }
    if (grupsuz > 0)
        f.ef = grupsuz;
}

void FrtSatirFiyatla(QVariantMap& row, const FrtCalismaFiyatlari& f)
{
    const QString tur = row.value(QStringLiteral("KBMY")).toString().trimmed();
    QVariant& fiyat = row[QStringLiteral("BIRIM_FIYAT_TL")];
    if (tur == QLatin1String("K"))
        fiyat = f.kf;
    else if (tur == QLatin1String("B"))
        fiyat = f.bf;
    else if (tur == QLatin1String("M"))
        fiyat = f.mf;
    else if (tur == QLatin1String("D")) {
        if (f.df > 0)
            fiyat = f.df;
        else if (f.ef > 0)
            fiyat = f.ef;
    } else {
        if (f.ef > 0)
            fiyat = f.ef;
        row[QStringLiteral("KBMY")] = QStringLiteral("D");
    }
}

QList<QVariantMap> FrtGruplari(const Db& db)
{
    QList<QVariantMap> out;
    Query q(db, QStringLiteral("SELECT GRUP_KOD, GRUP_AD, BR_FIYAT_TL, BR_FYT_USD FROM FRTFYT ORDER BY GRUP_KOD"));
    q.exec();
    while (q.next()) {
        QVariantMap r;
        for (const char* c : {"GRUP_KOD", "GRUP_AD", "BR_FIYAT_TL", "BR_FYT_USD"})
            r.insert(QString::fromLatin1(c), q.value(QString::fromLatin1(c)));
        out << r;
    }
    return out;
}

void FrtGrupKaydet(const Db& db, const QString& eskiKod, const QVariantMap& row)
{
    const QString kod = row.value(QStringLiteral("GRUP_KOD")).toString().trimmed().toUpper();
    if (kod.isEmpty())
        throw IslemReddi(QStringLiteral("Grup Kod Yazılmadan Kayıt Saklanamaz."));
    const QVariantMap b{{QStringLiteral("K"), kod},
                        {QStringLiteral("A"), row.value(QStringLiteral("GRUP_AD"))},
                        {QStringLiteral("F"), row.value(QStringLiteral("BR_FIYAT_TL"))},
                        {QStringLiteral("U"), row.value(QStringLiteral("BR_FYT_USD"))},
                        {QStringLiteral("E"), eskiKod}};
    if (eskiKod.isEmpty())
        db.exec(QStringLiteral("INSERT INTO FRTFYT (GRUP_KOD, GRUP_AD, BR_FIYAT_TL, BR_FYT_USD) VALUES (:K, :A, :F, :U)"),
                b);
    else if (db.exec(QStringLiteral("UPDATE FRTFYT SET GRUP_KOD = :K, GRUP_AD = :A, BR_FIYAT_TL = :F, BR_FYT_USD = :U "
                                    "WHERE GRUP_KOD = :E"),
                     b)
             != 1)
        throw IslemReddi(QStringLiteral("Kayıt başka bir kullanıcı tarafından silinmiş."));
}

void FrtGrupSil(const Db& db, const QString& kod)
{
    db.exec(QStringLiteral("DELETE FROM FRTFYT WHERE GRUP_KOD = :K"), {{QStringLiteral("K"), kod}});
}

void FrtSatiriSil(const Db& db, const QString& kod, const QString& model)
{
    db.exec(QStringLiteral("DELETE FROM FRT WHERE FRT_KODU = :K AND MODEL_KODU = :M"),
            {{QStringLiteral("K"), kod}, {QStringLiteral("M"), model}});
}

void FrtFiyatSatiriKaydet(const Db& db, QVariantMap& row, const FrtCalismaFiyatlari& f)
{
    FrtSatirFiyatla(row, f);
    QVariantMap b;
    for (const char* c : {"FRT_ZAMAN", "KBMY", "BIRIM_FIYAT_TL", "BIRIM_FIYAT_DVZ", "DOVIZ_KODU", "FRT_ING_ADI",
                          "FRT_GRP_KODU", "FRT_KODU", "MODEL_KODU"}) {
        QVariant v = row.value(QString::fromLatin1(c));
        if (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty())
            v = QVariant();
        b.insert(QString::fromLatin1(c), v);
    }
    db.exec(QStringLiteral("UPDATE FRT SET FRT_ZAMAN = :FRT_ZAMAN, KBMY = :KBMY, BIRIM_FIYAT_TL = :BIRIM_FIYAT_TL, "
                           "BIRIM_FIYAT_DVZ = :BIRIM_FIYAT_DVZ, DOVIZ_KODU = :DOVIZ_KODU, FRT_ING_ADI = :FRT_ING_ADI, "
                           "FRT_GRP_KODU = :FRT_GRP_KODU WHERE FRT_KODU = :FRT_KODU AND MODEL_KODU = :MODEL_KODU"),
            b);
}

} // namespace tornaly::workshop
