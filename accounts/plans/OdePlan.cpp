#include "accounts/plans/OdePlan.h"

#include "db/Dialect.h"

namespace tornaly::accounts {

std::optional<OdePlanKaydi> OdePlanOku(const Db& db, const QString& kod)
{
    Query q(db, QStringLiteral("SELECT * FROM ODEPLAN WHERE ODE_KOD=:K"));
    q.bind(QStringLiteral("K"), kod).exec();
    if (!q.next())
        return std::nullopt;
    return OdePlanKaydi{q.str(QStringLiteral("ODE_KOD")),    q.str(QStringLiteral("ADI")),
                        q.str(QStringLiteral("ODE_TIP")),    q.str(QStringLiteral("HESAP_KOD")),
                        q.str(QStringLiteral("HESAP_NO")),   q.num(QStringLiteral("EO_INDIR")),
                        q.num(QStringLiteral("GO_VFARK")),   int(q.integer(QStringLiteral("VADEGUN")))};
}

TOdeParam OdePlanParametresi(const Db& db, const QString& kod)
{
    const auto p = OdePlanOku(db, kod);
    if (!p)
        return {};
    return TOdeParam{p->ODE_KOD, p->ODE_TIP, p->GO_VFARK, p->EO_INDIR, p->VADEGUN};
}

void OdePlanKaydet(const Db& db, const OdePlanKaydi& p, bool yeni)
{
    const QString kod = p.ODE_KOD.trimmed();
    if (kod.isEmpty())
        throw OdePlanHatasi(QStringLiteral("Kodu Bilgisini Vermeden Kayıt Saklanamaz."));
    Transaction tx(db);
    const bool var = OdePlanOku(db, kod).has_value();
    if (yeni && var)
        throw OdePlanHatasi(QStringLiteral("Bu Ödeme Planı Kodu Kullanılmış!"));
    const QVariantMap b{{QStringLiteral("ODE_KOD"), kod},           {QStringLiteral("ADI"), p.ADI},
                        {QStringLiteral("ODE_TIP"), p.ODE_TIP},     {QStringLiteral("HESAP_KOD"), p.HESAP_KOD},
                        {QStringLiteral("HESAP_NO"), p.HESAP_NO},   {QStringLiteral("EO_INDIR"), p.EO_INDIR},
                        {QStringLiteral("GO_VFARK"), p.GO_VFARK},   {QStringLiteral("VADEGUN"), p.VADEGUN}};
    if (var)
        db.exec(QStringLiteral("UPDATE ODEPLAN SET ADI=:ADI, ODE_TIP=:ODE_TIP, HESAP_KOD=:HESAP_KOD, "
                               "HESAP_NO=:HESAP_NO, EO_INDIR=:EO_INDIR, GO_VFARK=:GO_VFARK, VADEGUN=:VADEGUN "
                               "WHERE ODE_KOD=:ODE_KOD"),
                b);
    else
        db.exec(QStringLiteral("INSERT INTO ODEPLAN (ODE_KOD, ADI, ODE_TIP, HESAP_KOD, HESAP_NO, EO_INDIR, GO_VFARK, "
                               "VADEGUN) VALUES (:ODE_KOD, :ADI, :ODE_TIP, :HESAP_KOD, :HESAP_NO, :EO_INDIR, "
                               ":GO_VFARK, :VADEGUN)"),
                b);
    tx.commit();
}

void OdePlanHesapSec(OdePlanKaydi& p, bool yeni, const QString& hesapKod, const QString& ad, const QString& hesapNo)
{
    if (p.ODE_TIP != QLatin1String("N") && p.ODE_TIP != QLatin1String("B"))
        return;
    p.HESAP_KOD = hesapKod;
    p.ADI = ad;
    if (p.ODE_TIP == QLatin1String("B"))
        p.HESAP_NO = hesapNo;
    if (yeni)
        p.ODE_KOD = hesapKod;
}

void OdePlanSil(const Db& db, const QString& kod)
{
    Transaction tx(db);
    for (const char* tablo : {"CARIHRK", "ALIS", "SATIS"}) {
        const QString t = QLatin1String(tablo);
        if (!db.dialect().tableExists(db, t) || !db.dialect().columnExists(db, t, QStringLiteral("ODE_KOD")))
            continue;
        Query q(db, QStringLiteral("SELECT ODE_KOD FROM %1 WHERE ODE_KOD=:KodNe").arg(t));
        q.bind(QStringLiteral("KodNe"), kod).exec();
        if (q.next())
            throw OdePlanHatasi(OdePlanKullanilmisText(), MsgIcon::Information);
    }
    db.exec(QStringLiteral("DELETE FROM ODEPLAN WHERE ODE_KOD=:K"), {{QStringLiteral("K"), kod}});
    tx.commit();
}

} // namespace tornaly::accounts
