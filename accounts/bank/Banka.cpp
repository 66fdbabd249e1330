#include "accounts/bank/Banka.h"

#include "guard/IslemReddi.h"
#include "money/Money.h"
#include "services/KurBul.h"

namespace tornaly::accounts {

namespace {

#define L QStringLiteral

BankaHesabi bankaHesapSatiri(const Query& q)
{
    BankaHesabi h;
    h.BANKA_KOD = q.str(L("BANKA_KOD"));
    h.HESAP_ADI = q.str(L("HESAP_ADI"));
    h.HESAR_TURU = q.str(L("HESAR_TURU"));
    h.HESAP_NO = q.str(L("HESAP_NO"));
    h.DOVIZ_KODU = q.str(L("DOVIZ_KODU"));
    h.IBAN = q.str(L("IBAN"));
    h.VALOR = int(q.integer(L("VALOR")));
    h.KOMISYON = q.num(L("KOMISYON"));
    QString* kodlar[] = {&h.MUH_CHES,  &h.MUH_TAHSEN,  &h.MUH_KESCEK,  &h.MUH_TAKCEK,  &h.MUH_TEMSEN,
                         &h.MUH_SENKRED, &h.MUH_TEMCEK, &h.MUH_CEKREDI, &h.MUH_KOMISYON};
    for (int i = 0; i < BankaMuhKodKolonlari().size(); ++i)
        *kodlar[i] = q.str(BankaMuhKodKolonlari().at(i));
    return h;
}

QVariant bankaMetni(const QString& s)
{
    return s.trimmed().isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(s.trimmed());
}

// Sums of one account's rows per currency under a condition on rows aliased A.
QList<BankaToplami> bankaDovizToplamlari(const Db& db, const QString& bankaKod, const QString& hesapNo,
                                    const QString& kosul, const QDate& bitis)
{
    QString sql = L("SELECT COALESCE(A.DOVIZ_KODU, '') AS DOVIZ, SUM(A.BORC) AS B, SUM(A.ALACAK) AS AL, "
                    "SUM(A.BORC_USD) AS BU, SUM(A.ALACAK_USD) AS AU, SUM(A.BORC_DVZ) AS BD, "
                    "SUM(A.ALACAK_DVZ) AS AD FROM BANKHRKA A WHERE A.BANKA_KOD=:B AND A.HESAP_NO=:H");
    if (!kosul.isEmpty())
        sql += L(" AND ") + kosul;
    if (bitis.isValid())
        sql += L(" AND A.TARIH < :BITIS");
    sql += L(" GROUP BY COALESCE(A.DOVIZ_KODU, '') ORDER BY 1");
    Query q(db, sql);
    q.bind(L("B"), bankaKod).bind(L("H"), hesapNo);
    if (bitis.isValid())
        q.bind(L("BITIS"), bitis.addDays(1).startOfDay());
    q.exec();
    QList<BankaToplami> l;
    while (q.next())
        l << BankaToplami{q.str(L("DOVIZ")), q.num(L("B")),  q.num(L("AL")), q.num(L("BU")),
                          q.num(L("AU")),    q.num(L("BD")), q.num(L("AD"))};
    return l;
}

BankaToplami bankaGenelToplam(const QList<BankaToplami>& l)
{
    BankaToplami t;
    for (const auto& s : l)
        t.ekle(s);
    return t;
}

} // namespace

void BankaToplami::ekle(const BankaToplami& t)
{
    borc += t.borc;
    alacak += t.alacak;
    borcUsd += t.borcUsd;
    alacakUsd += t.alacakUsd;
    borcDvz += t.borcDvz;
    alacakDvz += t.alacakDvz;
}

const QStringList& BankaMuhKodKolonlari()
{
    static const QStringList l = {L("MUH_CHES"),    L("MUH_TAHSEN"), L("MUH_KESCEK"),  L("MUH_TAKCEK"),
                                  L("MUH_TEMSEN"),  L("MUH_SENKRED"), L("MUH_TEMCEK"), L("MUH_CEKREDI"),
                                  L("MUH_KOMISYON")};
    return l;
}

QList<BankaKaydi> Bankalar(const Db& db)
{
    Query q(db, L("SELECT BANKA_KOD, BANKA_ADI, BANKA_SUBE FROM BANKA ORDER BY BANKA_KOD"));
    q.exec();
    QList<BankaKaydi> l;
    while (q.next())
        l << BankaKaydi{q.str(L("BANKA_KOD")), q.str(L("BANKA_ADI")), q.str(L("BANKA_SUBE"))};
    return l;
}

std::optional<BankaKaydi> BankaOku(const Db& db, const QString& kod)
{
    Query q(db, L("SELECT BANKA_KOD, BANKA_ADI, BANKA_SUBE FROM BANKA WHERE BANKA_KOD=:K"));
    q.bind(L("K"), kod).exec();
    if (!q.next())
        return std::nullopt;
    return BankaKaydi{q.str(L("BANKA_KOD")), q.str(L("BANKA_ADI")), q.str(L("BANKA_SUBE"))};
}

QList<BankaHesabi> BankaHesaplari(const Db& db, const QString& bankaKod)
{
    Query q(db, L("SELECT * FROM BANKAYR WHERE BANKA_KOD=:K ORDER BY HESAP_NO"));
    q.bind(L("K"), bankaKod).exec();
    QList<BankaHesabi> l;
    while (q.next())
        l << bankaHesapSatiri(q);
    return l;
}

std::optional<BankaHesabi> BankaHesabiOku(const Db& db, const QString& bankaKod, const QString& hesapNo)
{
    Query q(db, L("SELECT * FROM BANKAYR WHERE BANKA_KOD=:K AND HESAP_NO=:H"));
    q.bind(L("K"), bankaKod).bind(L("H"), hesapNo).exec();
    if (!q.next())
        return std::nullopt;
    return bankaHesapSatiri(q);
}

void BankaKaydet(const Db& db, const BankaKaydi& b, bool yeni)
{
    const QString kod = b.BANKA_KOD.trimmed();
    if (kod.isEmpty())
        throw IslemReddi(L("Banka Kodu Bilgisini Vermeden Kayıt Saklanamaz."), MsgIcon::Warning);
    const QVariantMap v{{L("K"), kod}, {L("A"), b.BANKA_ADI.trimmed()}, {L("S"), bankaMetni(b.BANKA_SUBE)}};
    if (yeni) {
        if (BankaOku(db, kod))
            throw IslemReddi(L("Bu Banka Kodu Kullanılmış!"), MsgIcon::Warning);
        db.exec(L("INSERT INTO BANKA (BANKA_KOD, BANKA_ADI, BANKA_SUBE) VALUES (:K, :A, :S)"), v);
    } else {
        db.exec(L("UPDATE BANKA SET BANKA_ADI=:A, BANKA_SUBE=:S WHERE BANKA_KOD=:K"), v);
    }
}

void BankaHesabiKaydet(const SessionContext& ctx, const Db& db, BankaHesabi h, bool yeni)
{
    h.HESAP_NO = h.HESAP_NO.trimmed();
    if (h.HESAP_NO.isEmpty())
        throw IslemReddi(L("Hesap No.su Olmayan Kayıt Seçilemez."), MsgIcon::Warning);
    if (h.HESAR_TURU.isEmpty())
        throw IslemReddi(L("Hesap Türü Seçilmelidir !"), MsgIcon::Warning);
    QVariantMap v{{L("BANKA_KOD"), h.BANKA_KOD},   {L("HESAP_NO"), h.HESAP_NO},
                  {L("HESAP_ADI"), bankaMetni(h.HESAP_ADI)}, {L("IBAN"), bankaMetni(h.IBAN)},
                  {L("VALOR"), h.VALOR},           {L("KOMISYON"), h.KOMISYON}};
    if (!yeni) {
        db.exec(L("UPDATE BANKAYR SET HESAP_ADI=:HESAP_ADI, IBAN=:IBAN, VALOR=:VALOR, KOMISYON=:KOMISYON "
                  "WHERE BANKA_KOD=:BANKA_KOD AND HESAP_NO=:HESAP_NO"),
                v);
        return;
    }
    if (BankaHesabiOku(db, h.BANKA_KOD, h.HESAP_NO))
        throw IslemReddi(L("Bu Hesap No Kullanılmış!"), MsgIcon::Warning);
    if (h.HESAR_TURU == L("1") || h.HESAR_TURU == L("2") || h.DOVIZ_KODU.trimmed().isEmpty())
        h.DOVIZ_KODU = ctx.YerelPara;
    v.insert(L("HESAR_TURU"), h.HESAR_TURU);
    v.insert(L("DOVIZ_KODU"), h.DOVIZ_KODU);
    QString kolonlar, degerler;
    for (const QString& k : BankaMuhKodKolonlari()) {
        kolonlar += L(", ") + k;
        degerler += L(", :") + k;
    }
    const QString kodlar[] = {h.MUH_CHES,  h.MUH_TAHSEN,  h.MUH_KESCEK,  h.MUH_TAKCEK,  h.MUH_TEMSEN,
                              h.MUH_SENKRED, h.MUH_TEMCEK, h.MUH_CEKREDI, h.MUH_KOMISYON};
    for (int i = 0; i < BankaMuhKodKolonlari().size(); ++i)
        v.insert(BankaMuhKodKolonlari().at(i), bankaMetni(kodlar[i]));
    db.exec(L("INSERT INTO BANKAYR (BANKA_KOD, HESAP_NO, HESAP_ADI, HESAR_TURU, DOVIZ_KODU, IBAN, VALOR, "
              "KOMISYON") + kolonlar + L(") VALUES (:BANKA_KOD, :HESAP_NO, :HESAP_ADI, :HESAR_TURU, :DOVIZ_KODU, "
                                          ":IBAN, :VALOR, :KOMISYON") + degerler + L(")"),
            v);
}

void BankaHesabiMuhKoduYaz(const Db& db, const QString& bankaKod, const QString& hesapNo, const QString& kolon,
                           const QString& kod)
{
    // The column name comes from our own list, never from typed text.
    if (!BankaMuhKodKolonlari().contains(kolon))
        return;
    db.exec(L("UPDATE BANKAYR SET ") + kolon + L("=:KOD WHERE BANKA_KOD=:B AND HESAP_NO=:H"),
            {{L("KOD"), bankaMetni(kod)}, {L("B"), bankaKod}, {L("H"), hesapNo}});
}

void BankaSil(const Db& db, const QString& kod)
{
    Transaction tx(db);
    Query q(db, L("SELECT BANKA_KOD FROM BANKAYR WHERE BANKA_KOD=:Banka"));
    q.bind(L("Banka"), kod).exec();
    if (q.next())
        throw IslemReddi(BankaHesabiVarText(), MsgIcon::Information);
    db.exec(L("DELETE FROM BANKA WHERE BANKA_KOD=:K"), {{L("K"), kod}});
    tx.commit();
}

void BankaHesabiSil(const Db& db, const QString& bankaKod, const QString& hesapNo)
{
    Transaction tx(db);
    Query q(db, L("SELECT BANKA_KOD FROM BANKHRKA WHERE (BANKA_KOD=:Banka) AND (HESAP_NO=:HspNo)"));
    q.bind(L("Banka"), bankaKod).bind(L("HspNo"), hesapNo).exec();
    if (q.next())
        throw IslemReddi(BankaHesapHareketVarText(), MsgIcon::Information);
    db.exec(L("DELETE FROM BANKAYR WHERE BANKA_KOD=:B AND HESAP_NO=:H"), {{L("B"), bankaKod}, {L("H"), hesapNo}});
    tx.commit();
}

QStringList HesapTurleri()
{
    return {L("1.Ticari Hesap"), L("2.Kredi Hesabı"), L("3.Dvz.li Tic.Hesap"), L("4.Dvz.li Kredi Hesabı"),
            L("5.Kredi Kartı Geçici Hesabı"), L("6.Kredi Kartı Komisyon Hesabı")};
}

QString HesapTuruMetni(const QString& tur)
{
    bool ok = false;
    const int n = tur.toInt(&ok);
    return ok && tur.size() == 1 && n >= 1 && n <= 6 ? HesapTurleri().at(n - 1) : QString();
}

std::optional<QString> BankaHesapSecKontrol(const BankaHesabi* hesap, const QString& tipUyumu,
                                            const QString& tipDoviz)
{
    if (!hesap || hesap->HESAP_NO.trimmed().isEmpty())
        return L("Hesap No.su Olmayan Kayıt Seçilemez.");
    if (!tipDoviz.isEmpty() && hesap->DOVIZ_KODU != tipDoviz)
        return L("Döviz Tipi Uyumsuz  !");
    if (!tipUyumu.isEmpty()) {
        const QString t = hesap->HESAR_TURU;
        bool uygun = false;
        if (tipUyumu == L("1") || tipUyumu == L("3"))
            uygun = t == L("1") || t == L("3");
        else if (tipUyumu == L("2") || tipUyumu == L("4"))
            uygun = t == L("2") || t == L("4");
        if (!uygun)
            return L("Hesap Türü Uyumsuz !");
    }
    return std::nullopt;
}

QString NakitBakiyeKosulu()
{
    return L("((A.PORTFOYNO IS NULL) OR (A.PORTFOYNO=0) OR "
             "((A.TIP='I') AND EXISTS (SELECT 1 FROM CSKART C WHERE C.PORTFOYNO=A.PORTFOYNO "
             "AND C.SAHIP='F' AND C.SON_DURUMU='T')) OR "
             "((A.TIP='V') AND (A.BORC>0) AND EXISTS (SELECT 1 FROM CSKART C WHERE C.PORTFOYNO=A.PORTFOYNO "
             "AND C.SAHIP='M' AND C.SON_DURUMU='T')))");
}

BankaBakiyeleri BankaBakiyeleriOku(const Db& db, const QString& bankaKod, const QString& hesapNo,
                                   const QDate& bitis)
{
    BankaBakiyeleri b;
    b.cariHesap = bankaDovizToplamlari(db, bankaKod, hesapNo, L("((A.PORTFOYNO IS NULL) OR (A.PORTFOYNO=0))"), bitis);
    b.nakit = bankaDovizToplamlari(db, bankaKod, hesapNo, NakitBakiyeKosulu(), bitis);
    b.genel = b.nakit;
    // Customers' cheques in clearing and notes at collection at this account
    // count as money on the way in: their absolute amounts join the debit side.
    Query q(db, L("SELECT COALESCE(DOVIZ_KOD, '') AS DOVIZ, SUM(ABS(TUTAR)) AS T, SUM(ABS(TUTAR_USD)) AS U, "
                  "SUM(ABS(TUTAR_DOVIZ)) AS D FROM CSKART WHERE SON_DURUMU='V' AND SAHIP='M' "
                  "AND TEMTAHSP_NO=:H AND (CIRO_CKOD=:B1 OR (CS_TIP=:CEK AND BANKA_KOD=:B2)) "
                  "GROUP BY COALESCE(DOVIZ_KOD, '') ORDER BY 1"));
    q.bind(L("B1"), bankaKod).bind(L("B2"), bankaKod).bind(L("H"), hesapNo).bind(L("CEK"), QStringLiteral("Ç")).exec();
    while (q.next()) {
        const QString doviz = q.str(L("DOVIZ"));
        auto it = std::find_if(b.genel.begin(), b.genel.end(), [&](const BankaToplami& t) { return t.doviz == doviz; });
        if (it == b.genel.end())
            it = b.genel.insert(b.genel.end(), BankaToplami{doviz});
        it->borc += q.num(L("T"));
        it->borcUsd += q.num(L("U"));
        it->borcDvz += q.num(L("D"));
    }
    b.cariHesapToplam = bankaGenelToplam(b.cariHesap);
    b.nakitToplam = bankaGenelToplam(b.nakit);
    b.genelToplam = bankaGenelToplam(b.genel);
    return b;
}

BankaToplami BankaToplamiOku(const Db& db, const QString& bankaKod)
{
    Query q(db, L("SELECT SUM(BORC) AS B, SUM(ALACAK) AS AL, SUM(BORC_USD) AS BU, SUM(ALACAK_USD) AS AU, "
                  "SUM(BORC_DVZ) AS BD, SUM(ALACAK_DVZ) AS AD FROM BANKHRKA WHERE BANKA_KOD=:B"));
    q.bind(L("B"), bankaKod).exec();
    q.next();
    return BankaToplami{QString(), q.num(L("B")),  q.num(L("AL")), q.num(L("BU")),
                        q.num(L("AU")), q.num(L("BD")), q.num(L("AD"))};
}

QString BankaBakiyeMetni(double bakiye, const QString& format)
{
    if (qRound64(bakiye * 100) == 0)
        return L("---   ");
    return bakiye > 0 ? FormatMoney(bakiye, format) + L(" (A)") : FormatMoney(-bakiye, format) + L(" (B)");
}

#undef L

} // namespace tornaly::accounts
