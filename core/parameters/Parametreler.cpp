#include "parameters/Parametreler.h"
#include "util/Utf8.h"
#include "sql/SqlHelpers.h"

#include <QSet>

namespace tornaly {

namespace {

using text::S;

bool tarihKolonu(const QString& c)
{
    static const QSet<QString> k{S("FAT_KILIT_TRH"), S("MESAIBAS"), S("MESAIBIT"),  S("YEMEKBAS"),
                                 S("YEMEKBIT"),      S("MOLA1BAS"), S("MOLA1BIT"),  S("MOLA2BAS"),
                                 S("MOLA2BIT"),      S("MESAIBASCT"), S("MESAIBITCT")};
    return k.contains(c);
}

} // namespace

const QStringList& ParametKolonlari()
{
    static const QStringList k{
        S("GARANTI_SURE"), S("STOK_ISKONTO"), S("ACIL_ISKONTO"), S("CLAIM_PRC_ISK"), S("CLAIM_ISC_ISK"),
        S("ISC_MARK"), S("ISCILIK_PRG_YOL"), S("NEGATIF_STOK"), S("MALIYET_UYARI"), S("ISCLIK_UCR_TOP"),
        S("CALIS_GUN"), S("GUN_CALIS_SAAT"), S("STK_MALIYET"), S("KAPFORM_ISK"), S("BEKLE_GUN"),
        S("POQ_AYL_SAP"), S("POQ_YIL_SAP"), S("ARCSAT_MAXISK"), S("IKI_CRISKKONTROL"), S("FAT_KILIT_TRH"),
        S("FATYUVARTIP"), S("EKSIK_ALAN_UYARI"), S("DOVIZLI_BKY"), S("CARIMSGVAR"), S("SATSIP_ACIKLAMA"),
        S("TAKIP_LINK"), S("FILE_PATH")};
    return k;
}

const QStringList& ParamserKolonlari()
{
    static const QStringList k{S("EMIR_HARF"), S("SERI_NO")};
    return k;
}

const QStringList& FirkimMesaiKolonlari()
{
    static const QStringList k{S("BBSDIZIN"), S("MESAIBAS"), S("MESAIBIT"),   S("YEMEKBAS"),
                               S("YEMEKBIT"), S("MOLA1BAS"), S("MOLA1BIT"),   S("MOLA2BAS"),
                               S("MOLA2BIT"), S("MESAIBASCT"), S("MESAIBITCT")};
    return k;
}

const QStringList& FirmaBilgiKolonlari()
{
    static const QStringList k{S("EADI"),      S("OZEL1"),     S("ADI"),       S("MESULAD"),   S("ADR1"),
                               S("ADR2"),      S("ADR3"),      S("VERGINO"),   S("VERGIDAIRE"), S("TLF"),
                               S("TLF2"),      S("FAX"),       S("MAIL"),      S("WEB"),       S("XXX"),
                               S("URET_BKOD"), S("DIST_BKOD"), S("TED_BKOD"),  S("DIST_CKOD"), S("TED_CKOD"),
                               S("ACE")};
    return k;
}

QVariantMap TekSatirOku(const Db& db, const QString& table, const QStringList& columns)
{
    QVariantMap out;
    for (const QString& c : columns)
        out.insert(c, QVariant());
    Query q(db, S("SELECT ") + columns.join(QLatin1Char(',')) + S(" FROM ") + table);
    q.exec();
    if (q.next())
        for (const QString& c : columns) {
            const QVariant v = q.value(c);
            out.insert(c, tarihKolonu(c) && !v.isNull() ? QVariant(Query::toDateTime(v)) : v);
        }
    return out;
}

void TekSatirYaz(const Db& db, const QString& table, const QVariantMap& values)
{
    if (values.isEmpty())
        return;
    Query say(db, S("SELECT COUNT(*) AS ADET FROM ") + table);
    say.exec();
    const bool var = say.next() && say.integer(S("ADET")) > 0;
    QStringList kolonlar;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        kolonlar << it.key();
    if (var)
        db.exec(S("UPDATE ") + table + S(" SET ") + AssignSql(kolonlar), values);
    else
        db.exec(InsertSql(table, kolonlar), values);
}

QList<TResmiTatil> ResmiTatiller(const Db& db)
{
    QList<TResmiTatil> out;
    Query q(db, S("SELECT TARIH,RESMITATILAD,YARIMGUN FROM RESMITAT ORDER BY TARIH"));
    q.exec();
    while (q.next())
        out << TResmiTatil{q.date(S("TARIH")), q.str(S("RESMITATILAD")), q.str(S("YARIMGUN"))};
    return out;
}

TParametreler ParametreleriOku(const Db& db)
{
    TParametreler p;
    p.PARAMET = TekSatirOku(db, S("PARAMET"), ParametKolonlari());
    p.PARAMSER = TekSatirOku(db, S("PARAMSER"), ParamserKolonlari());
    p.FIRKIM = TekSatirOku(db, S("FIRKIM"), FirkimMesaiKolonlari());
    p.tatiller = ResmiTatiller(db);
    return p;
}

QString ParametreleriKaydet(const Db& db, const t_user& kullanici, TParametreler p)
{
    QSet<QDate> gunler;
    for (TResmiTatil& t : p.tatiller) {
        if (!t.TARIH.isValid())
            return S("Resmi tatilin tarihini giriniz!");
        if (gunler.contains(t.TARIH))
            return S("%1 tarihi resmi tatillerde iki kez yazılmış!").arg(t.TARIH.toString(S("dd.MM.yyyy")));
        gunler.insert(t.TARIH);
        if (t.YARIMGUN != QLatin1String("E"))
            t.YARIMGUN = S("H");
    }

    Transaction tr(db);
    const QVariantMap kayitli = TekSatirOku(db, S("PARAMET"), {S("FAT_KILIT_TRH"), S("BEKLE_GUN")});
    if (kullanici.u_type != QLatin1String("A"))
        p.PARAMET.insert(S("FAT_KILIT_TRH"), kayitli.value(S("FAT_KILIT_TRH")));
    if (kullanici.diger24 != QLatin1String("E"))
        p.PARAMET.insert(S("BEKLE_GUN"), kayitli.value(S("BEKLE_GUN")));
    if (p.PARAMET.contains(S("BEKLE_GUN")) && p.PARAMET.value(S("BEKLE_GUN")).toInt() == 0)
        p.PARAMET.insert(S("BEKLE_GUN"), 5);

    TekSatirYaz(db, S("PARAMET"), p.PARAMET);
    TekSatirYaz(db, S("PARAMSER"), p.PARAMSER);
    TekSatirYaz(db, S("FIRKIM"), p.FIRKIM);
    db.exec(S("DELETE FROM RESMITAT"));
    for (const TResmiTatil& t : std::as_const(p.tatiller))
        db.exec(S("INSERT INTO RESMITAT (TARIH,RESMITATILAD,YARIMGUN,CAY) VALUES (:TARIH,:AD,:YARIM,:CAY)"),
                {{S("TARIH"), t.TARIH.startOfDay()},
                 {S("AD"), t.RESMITATILAD},
                 {S("YARIM"), t.YARIMGUN},
                 {S("CAY"), t.TARIH.toString(S("MM"))}});
    tr.commit();
    return {};
}

QVariantMap FirmaBilgileriOku(const Db& db) { return TekSatirOku(db, S("FIRKIM"), FirmaBilgiKolonlari()); }

QByteArray FirmaLogosuOku(const Db& db)
{
    Query q(db, S("SELECT RESIM FROM RESIMLER WHERE KOD='LOGO' AND TIP='L'"));
    q.exec();
    return q.next() ? q.value(S("RESIM")).toByteArray() : QByteArray();
}

void FirmaBilgileriKaydet(const Db& db, QVariantMap firkim, const std::optional<QByteArray>& logo)
{
    QString tel = firkim.value(S("TLF")).toString();
    tel.remove(QLatin1Char(' '));
    firkim.insert(S("TLF"), tel);
    firkim.insert(S("SER_KOD"), firkim.value(S("URET_BKOD")).toString().left(5));
    Transaction tr(db);
    TekSatirYaz(db, S("FIRKIM"), firkim);
    if (logo) {
        db.exec(S("DELETE FROM RESIMLER WHERE KOD='LOGO' AND TIP='L'"));
        db.exec(S("INSERT INTO RESIMLER (KOD,TIP,RESIM) VALUES ('LOGO','L',:RESIM)"),
                {{S("RESIM"), logo->isEmpty() ? QVariant(QMetaType(QMetaType::QByteArray)) : QVariant(*logo)}});
    }
    tr.commit();
}

} // namespace tornaly
