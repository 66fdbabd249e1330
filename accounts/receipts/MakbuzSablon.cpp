#include "util/Utf8.h"
#include "accounts/receipts/MakbuzSablon.h"

#include "db/DbError.h"
#include "db/Dialect.h"
#include "guard/IslemReddi.h"
#include "sql/SqlHelpers.h"

#include <stdexcept>

namespace tornaly::accounts {

namespace {
using text::S;

const QStringList& sablonKolonlari()
{
    static const QStringList k = {S("MAK_ID"),  S("MAK_TANIM"),    S("HSP_GIDER"),  S("HSP_KDV_ORAN"),
                                  S("HSP_KDV"), S("HSP_KASA"),     S("HSP_STP_ORAN"), S("HSP_STOPAJ"),
                                  S("HSP_STP_KARSI"), S("MAK_ACIKLAMA")};
    return k;
}

MakbuzSablonu sablonOku(const Query& q)
{
    MakbuzSablonu s;
    s.MAK_ID = int(q.integer(S("MAK_ID")));
    s.MAK_TANIM = q.str(S("MAK_TANIM"));
    s.HSP_GIDER = q.str(S("HSP_GIDER"));
    s.HSP_KDV_ORAN = q.value(S("HSP_KDV_ORAN")).toDouble();
    s.HSP_KDV = q.str(S("HSP_KDV"));
    s.HSP_KASA = q.str(S("HSP_KASA"));
    s.HSP_STP_ORAN = q.value(S("HSP_STP_ORAN")).toDouble();
    s.HSP_STOPAJ = q.str(S("HSP_STOPAJ"));
    s.HSP_STP_KARSI = q.str(S("HSP_STP_KARSI"));
    s.MAK_ACIKLAMA = q.str(S("MAK_ACIKLAMA"));
    return s;
}

QVariantMap sablonDegerleri(const MakbuzSablonu& s)
{
    return {{S("MAK_ID"), s.MAK_ID},           {S("MAK_TANIM"), s.MAK_TANIM},
            {S("HSP_GIDER"), s.HSP_GIDER},     {S("HSP_KDV_ORAN"), s.HSP_KDV_ORAN},
            {S("HSP_KDV"), s.HSP_KDV},         {S("HSP_KASA"), s.HSP_KASA},
            {S("HSP_STP_ORAN"), s.HSP_STP_ORAN}, {S("HSP_STOPAJ"), s.HSP_STOPAJ},
            {S("HSP_STP_KARSI"), s.HSP_STP_KARSI}, {S("MAK_ACIKLAMA"), s.MAK_ACIKLAMA}};
}
} // namespace

QString PesinCariSorgusu()
{
    return S("SELECT KOD, MAX(ACIKLAMA1) ACIKLAMA, MAX(MUH_KARSI) MUH_KARSI FROM FISGA\n"
             "WHERE TIP='P'\nGROUP BY KOD\nORDER BY KOD");
}

QList<MakbuzSablonu> MakbuzSablonlari(const Db& db)
{
    QList<MakbuzSablonu> out;
    Query q(db, S("SELECT * FROM MAKBUZTMP ORDER BY MAK_ID"));
    q.exec();
    while (q.next())
        out.append(sablonOku(q));
    return out;
}

std::optional<MakbuzSablonu> MakbuzSablonOku(const Db& db, int makId)
{
    Query q(db, S("SELECT * FROM MAKBUZTMP WHERE MAK_ID=:ID"));
    q.bind(S("ID"), makId).exec();
    if (!q.next())
        return std::nullopt;
    return sablonOku(q);
}

int MakbuzSablonKaydet(const Db& db, MakbuzSablonu& s)
{
    if (s.MAK_TANIM.trimmed().isEmpty())
        throw IslemReddi(MakbuzTanimBosText(), MsgIcon::Warning);
    if (s.MAK_ID > 0) {
        QStringList kolonlar = sablonKolonlari();
        kolonlar.removeFirst();
        db.exec(S("UPDATE MAKBUZTMP SET ") + AssignSql(kolonlar) + S(" WHERE MAK_ID=:MAK_ID"), sablonDegerleri(s));
        return s.MAK_ID;
    }
    // MAX+1 under the primary key: a workstation that lost the race to the
    // same number takes the next one.
    for (int deneme = 0;; ++deneme) {
        Transaction tx(db);
        Query q(db, S("SELECT COALESCE(MAX(MAK_ID),0)+1 YENINO FROM MAKBUZTMP"));
        q.exec();
        q.next();
        MakbuzSablonu yeni = s;
        yeni.MAK_ID = int(q.integer(S("YENINO")));
        try {
            db.exec(InsertSql(S("MAKBUZTMP"), sablonKolonlari()), sablonDegerleri(yeni));
            tx.commit();
        } catch (const DbError& e) {
            if (!e.isUniqueViolation() || deneme >= 4)
                throw;
            continue;
        }
        s.MAK_ID = yeni.MAK_ID;
        return s.MAK_ID;
    }
}

void MakbuzSablonSil(const Db& db, int makId)
{
    db.exec(S("DELETE FROM MAKBUZTMP WHERE MAK_ID=:ID"), {{S("ID"), makId}});
}

MakbuzTutarlari MakbuzHesapla(double gider, double kdvOran, double stopajOran)
{
    MakbuzTutarlari t;
    t.G = gider;
    t.V = kdvOran / 100.0 * gider;
    t.C = t.G + t.V;
    t.W = 100.0 + stopajOran != 0 ? t.C / (100.0 + stopajOran) * stopajOran : 0;
    t.N = t.C - t.W;
    return t;
}

double KdvHaricTutar(double kdvDahil, double kdvOran)
{
    return kdvOran > 0 ? kdvDahil / (kdvOran / 100.0 + 1.0) : kdvDahil;
}

tfislist MakbuzSatirlari(const MakbuzSablonu& s, const MakbuzTutarlari& t,
                         const std::function<QString(const QString&, const QString&)>& ad)
{
    tfislist out;
    const auto satir = [&](double tutar, const QString& tur, const QString& hesap, bool borc) {
        if (tutar <= 0)
            return;
        tfistemp l;
        l.hesap = hesap;
        l.hes_tur = tur;
        (borc ? l.borc : l.alacak) = tutar;
        l.aciklama1 = ad ? ad(tur, hesap) : QString();
        l.aciklama2 = s.MAK_ACIKLAMA;
        out.append(l);
    };
    satir(t.G, S("M"), s.HSP_GIDER, true);
    satir(t.V, S("M"), s.HSP_KDV, true);
    satir(t.W, S("M"), s.HSP_STP_KARSI, true);
    satir(t.C, S("K"), s.HSP_KASA, false);
    satir(t.W, S("C"), s.HSP_STOPAJ, false);
    return out;
}

QString MakbuzHesapAdi(const Db& db, const QString& tur, const QString& kod)
{
    QString sql;
    if (tur == QLatin1String("K"))
        sql = S("SELECT ADI FROM KASA WHERE KASAKOD=:K");
    else if (tur == QLatin1String("C"))
        sql = S("SELECT FIRMA_ADI FROM CARI WHERE CARI_KOD=:K");
    else if (db.dialect().tableExists(db, S("FRT")))
        sql = S("SELECT FRT_ADI FROM FRT WHERE FRT_KODU=:K");
    if (sql.isEmpty() || kod.isEmpty())
        return {};
    Query q(db, sql);
    q.bind(S("K"), kod).exec();
    return q.next() ? q.value(0).toString() : QString();
}

tfislist& SonMakbuzSatirlari()
{
    static tfislist liste;
    return liste;
}

} // namespace tornaly::accounts
