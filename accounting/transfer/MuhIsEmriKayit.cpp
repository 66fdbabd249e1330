#include "accounting/transfer/MuhKayitlari.h"

#include "context/SessionContext.h"
#include "messages/Messages.h"

#include <QMap>
#include <cmath>
#include <cstdlib>

namespace tornaly::accounting {

namespace {


QString parametre(const Db& db, const QString& tablo, const QString& kolon)
{
    Query q(db, QStringLiteral("SELECT %1 FROM %2").arg(kolon, tablo));
    q.exec();
    return q.next() ? q.str(kolon).trimmed() : QString();
}

// One (code, VAT rate) group of an invoice's part or labour lines, summed
// exactly; the card's accounts are the smallest of the group.
struct Grup {
    QString piKod;
    double kdv = 0;
    MuhTutar tutKdv, tutGer, tutIsk, tutTam;
    QString muhSat, muhIskSat, muhIadeA, muhGrSat, muhGrSatIsk, muhKdvSat, muhKdvAIade;
};

void enKucuk(QString& hedef, const QString& deger)
{
    if (deger.isEmpty())
        return;
    if (hedef.isEmpty() || deger < hedef)
        hedef = deger;
}

// The labour card of a code is the FRT row with the greatest MODEL_KODU; the
// control check uses the same row as the posting.
QList<Grup> gruplar(const Db& db, double no, bool parca)
{
    const QString kart = parca ? QStringLiteral("LEFT JOIN STOK S ON S.STOK_KOD_NO=D.PI_KOD ")
                               : QStringLiteral("LEFT JOIN FRT S ON S.FRT_KODU=D.PI_KOD AND S.MODEL_KODU="
                                                "(SELECT MAX(F2.MODEL_KODU) FROM FRT F2 WHERE F2.FRT_KODU=D.PI_KOD) ");
    Query q(db, QStringLiteral("SELECT D.PI_KOD, D.KDV, D.GER_TUT, D.ISK_TUT, S.MUH_S, S.MUH_ISK_S, S.MUH_IADE_A, "
                               "S.MUH_GRSAT, S.MUH_GRSATISK, K.MUH_KDV_S, K.MUH_KDV_A_IADE FROM SERFATDT D ") +
                    kart +
                    QStringLiteral("LEFT JOIN MUHKDVAYR K ON K.MUHKDV_KOD=S.MUH_KDV_A AND K.KDV=D.KDV "
                                   "WHERE D.SATIS_NO=:N AND D.PARCA_ISCILIK=:T ORDER BY D.PI_KOD, D.KDV, D.SIRA"));
    q.bind(QStringLiteral("N"), no).bind(QStringLiteral("T"), parca ? QStringLiteral("P") : QStringLiteral("I")).exec();
    QMap<QPair<QString, qint64>, Grup> g;
    QList<QPair<QString, qint64>> sira;
    while (q.next()) {
        const QString pi = q.str(QStringLiteral("PI_KOD"));
        const double kdv = q.num(QStringLiteral("KDV"));
        const auto key = qMakePair(pi, std::llround(kdv * 1e6));
        if (!g.contains(key)) {
            sira << key;
            g[key].piKod = pi;
            g[key].kdv = kdv;
        }
        Grup& x = g[key];
        const double ger = q.num(QStringLiteral("GER_TUT"));
        const double isk = q.num(QStringLiteral("ISK_TUT"));
        x.tutKdv += MuhTutar::fromDouble(ger * kdv * 0.01);
        x.tutGer += MuhTutar::fromDouble(ger);
        x.tutIsk += MuhTutar::fromDouble(isk);
        x.tutTam += MuhTutar::fromDouble(ger) + MuhTutar::fromDouble(isk);
        enKucuk(x.muhSat, q.str(QStringLiteral("MUH_S")).trimmed());
        enKucuk(x.muhIskSat, q.str(QStringLiteral("MUH_ISK_S")).trimmed());
        enKucuk(x.muhIadeA, q.str(QStringLiteral("MUH_IADE_A")).trimmed());
        enKucuk(x.muhGrSat, q.str(QStringLiteral("MUH_GRSAT")).trimmed());
        enKucuk(x.muhGrSatIsk, q.str(QStringLiteral("MUH_GRSATISK")).trimmed());
        enKucuk(x.muhKdvSat, q.str(QStringLiteral("MUH_KDV_S")).trimmed());
        enKucuk(x.muhKdvAIade, q.str(QStringLiteral("MUH_KDV_A_IADE")).trimmed());
    }
    QList<Grup> out;
    for (const auto& k : sira)
        out << g.value(k);
    return out;
}

// The control check: a group misses a code the posting will need. Empty
// texts count as missing, not only NULL.
bool eksik(const Grup& x, bool iade, bool garanti, bool iskontoAyri)
{
    const bool kdvVar = x.kdv > 0;
    if (iade)
        return bosKod(x.muhIadeA) || (kdvVar && bosKod(x.muhKdvAIade));
    bool m = bosKod(x.muhSat) || (kdvVar && bosKod(x.muhKdvSat));
    if (garanti)
        m = m || bosKod(x.muhGrSat) || (x.tutIsk.isPositive() && iskontoAyri && bosKod(x.muhGrSatIsk));
    if (iskontoAyri)
        m = m || (x.tutIsk.isPositive() && bosKod(x.muhIskSat));
    return m;
}

QStringList satirMetni(const Grup& x)
{
    return {x.piKod, x.muhSat, x.muhKdvSat, x.muhIskSat, x.muhIadeA};
}

// What one group credits (goods, VAT) and debits (discount kept apart).
struct IsEmriGrupTutari {
    MuhTutar mal, isk, kdv;
};

// With a rounding letter the invoice's header figures are each rounded to
// the cent while its lines are not, so the line sums miss the header by less
// than a cent per figure. The header is what the customer is debited with;
// the credited amounts of one kind are brought to its figure by putting the
// difference on the largest of them (the first one when several are equal).
// A larger difference is no rounding: it is left for the balance check.
void isEmriYuvarlamaFarkiniDagit(QList<IsEmriGrupTutari>& tutarlar, MuhTutar IsEmriGrupTutari::*alan,
                                 double baslikTutari)
{
    constexpr qint64 enFazlaFark = 20000; // millionths: under two cents
    MuhTutar toplam;
    qsizetype enBuyuk = -1;
    for (qsizetype i = 0; i < tutarlar.size(); ++i) {
        const MuhTutar t = tutarlar[i].*alan;
        if (!t.isPositive())
            continue;
        toplam += t;
        if (enBuyuk < 0 || t.millionths() > (tutarlar[enBuyuk].*alan).millionths())
            enBuyuk = i;
    }
    if (enBuyuk < 0)
        return;
    const MuhTutar fark = MuhTutar::fromDouble(baslikTutari) - toplam;
    if (std::llabs(fark.millionths()) >= enFazlaFark)
        return;
    const MuhTutar yeni = (tutarlar[enBuyuk].*alan) + fark;
    if (yeni.isPositive())
        tutarlar[enBuyuk].*alan = yeni;
}

} // namespace

MuhHazirlik MuhIsEmriKayit(const SessionContext& ctx, const Db& db, double no, bool iade)
{
    MuhHazirlik h(QLatin1Char('I'), iade, no);
    h.kaynak = *KaynakBelgesi(QLatin1Char('I'));
    h.pencere = true;
    Query bas(db, QStringLiteral("SELECT F.CARI_KOD, F.NET_TUTAR, F.TARIH, F.FAT_NO, F.FAT_TUR, F.KDVTEV_TUT, "
                                 "F.ENT_KOD, F.BRUT_TUTAR, F.INDIRIM, F.TOPLAM_TUTAR, F.KDV_TUTARI, "
                                 "C.MUH_KOD, C.FIRMA_ADI FROM SERFAT F "
                                 "LEFT JOIN CARI C ON C.CARI_KOD=F.CARI_KOD WHERE F.SATIS_NO=:N"));
    bas.bind(QStringLiteral("N"), no).exec();
    h.eksikler.baslik.basliklar = {QStringLiteral("Cari Kod"), QStringLiteral("Ünvan"), QStringLiteral("Muh. Kod")};
    h.eksikler.parcalar.basliklar = {QStringLiteral("Stok Kod"), QStringLiteral("Muh. Satıs"),
                                     QStringLiteral("Muh. KDV"), QStringLiteral("Muh. Isk"),
                                     QStringLiteral("Muh. Iade")};
    h.eksikler.iscilikler.basliklar = {QStringLiteral("Iscilik Kod"), QStringLiteral("Muh. Satıs"),
                                       QStringLiteral("Muh. KDV"), QStringLiteral("Muh. Isk"),
                                       QStringLiteral("Muh. Iade")};
    if (!bas.next()) {
        // The invoice not found counts as missing codes.
        h.eksikKod = true;
        return h;
    }
    h.bulundu = true;
    const QString cariKod = bas.str(QStringLiteral("CARI_KOD"));
    const QString firma = bas.str(QStringLiteral("FIRMA_ADI"));
    const QString cariMuh = bas.str(QStringLiteral("MUH_KOD")).trimmed();
    const QString fatNo = bas.str(QStringLiteral("FAT_NO"));
    const bool garanti = bas.str(QStringLiteral("FAT_TUR")) == QLatin1String("G");
    const double net = bas.num(QStringLiteral("NET_TUTAR"));
    const double tevkifat = bas.num(QStringLiteral("KDVTEV_TUT"));
    const double entKod = bas.num(QStringLiteral("ENT_KOD"));
    const double brutTutar = bas.num(QStringLiteral("BRUT_TUTAR"));
    const double indirim = bas.num(QStringLiteral("INDIRIM"));
    const double toplamTutar = bas.num(QStringLiteral("TOPLAM_TUTAR"));
    const double kdvTutari = bas.num(QStringLiteral("KDV_TUTARI"));
    auto& fis = h.olusturucu.fis;
    fis.TARIH = bas.date(QStringLiteral("TARIH"));
    bas.finish();
    h.eksikler.baslik.satirlar << QStringList{cariKod, firma, cariMuh};

    const bool iskontoAyri = parametre(db, QStringLiteral("PARAMUH"), QStringLiteral("ISK_DUS")) == QLatin1String("H");
    const QList<Grup> parcalar = gruplar(db, no, true);
    const QList<Grup> iscilikler = gruplar(db, no, false);
    for (const auto& x : parcalar)
        if (eksik(x, iade, garanti, iskontoAyri))
            h.eksikler.parcalar.satirlar << satirMetni(x);
    for (const auto& x : iscilikler)
        if (eksik(x, iade, garanti, iskontoAyri))
            h.eksikler.iscilikler.satirlar << satirMetni(x);
    h.eksikKod = bosKod(cariMuh) || !h.eksikler.parcalar.satirlar.isEmpty() || !h.eksikler.iscilikler.satirlar.isEmpty();

    QString tevkifatHesabi;
    if (tevkifat > 0) {
        tevkifatHesabi = parametre(db, QStringLiteral("PARAFAT"), QStringLiteral("MUH_KDVTEV_S"));
        if (bosKod(tevkifatHesabi) || !SeviyeKontroluYap(db, tevkifatHesabi)) {
            h.uyari = SayiMetni(no) + QStringLiteral(".Nolu İ.Fatura KDV Tev. Muh Kodu Eksik ya da Hatalı.");
            h.eksikKod = true;
        }
    }
    if (h.eksikKod)
        return h;

    fis.TUR = QLatin1Char('M');
    fis.BELGE_TUR = QStringLiteral("FT");
    fis.BELGENO = fatNo;
    fis.ACIKLAMA = fatNo + (garanti ? QStringLiteral(" nolu Gar.Fat. ") : QStringLiteral(" nolu İşemri Fat. ")) +
                   cariKod + QStringLiteral("-") + firma + QStringLiteral(" Hes.a Satış");
    if (entKod > 0)
        fis.MASRAFM_KOD = QString::number(qRound64(entKod));
    const QString D = fatNo + QStringLiteral(" No.lu Sat.Fat., ") + cariKod + QStringLiteral("-") + firma;
    auto& o = h.olusturucu;
    const QChar borc = QLatin1Char('B'), alacak = QLatin1Char('A');
    o.AyrHesapGir(cariMuh, net, borc, D);
    if (tevkifat > 0)
        o.AyrHesapGir(tevkifatHesabi, tevkifat, borc, D + QStringLiteral(" KDV Tev."));
    const QString stokMetni = D + (iade ? QStringLiteral(", Stok Hrk.-A.İade-") : QStringLiteral(", Stok Hrk."));
    // The amounts each group posts, parts first and then labour; a zero
    // amount posts nothing.
    QList<const Grup*> sirali;
    QList<IsEmriGrupTutari> tutarlar;
    for (const QList<Grup>* liste : {&parcalar, &iscilikler})
        for (const auto& x : *liste) {
            IsEmriGrupTutari t;
            if (!iskontoAyri)
                t.mal = x.tutGer;
            else if (x.tutTam.isPositive()) {
                t.mal = x.tutTam;
                if (x.tutIsk.isPositive())
                    t.isk = x.tutIsk;
            }
            t.kdv = x.tutKdv;
            sirali << &x;
            tutarlar << t;
        }
    if (ctx.FatYuvarTip == QLatin1String("Y") || ctx.FatYuvarTip == QLatin1String("A")) {
        isEmriYuvarlamaFarkiniDagit(tutarlar, &IsEmriGrupTutari::mal, iskontoAyri ? brutTutar : toplamTutar);
        if (iskontoAyri)
            isEmriYuvarlamaFarkiniDagit(tutarlar, &IsEmriGrupTutari::isk, indirim);
        isEmriYuvarlamaFarkiniDagit(tutarlar, &IsEmriGrupTutari::kdv, kdvTutari);
    }
    for (qsizetype i = 0; i < sirali.size(); ++i) {
        const Grup& x = *sirali[i];
        const IsEmriGrupTutari& t = tutarlar[i];
        const QString G = iade ? x.muhIadeA : (garanti ? x.muhGrSat : x.muhSat);
        const QString K = garanti ? x.muhGrSatIsk : x.muhIskSat;
        if (!iskontoAyri && t.mal.isPositive())
            o.AyrHesapGir(G, t.mal, alacak, stokMetni);
        if (iskontoAyri && t.isk.isPositive())
            o.AyrHesapGir(K, t.isk, borc, D + QStringLiteral(", Stok İsk.su"));
        if (iskontoAyri && t.mal.isPositive())
            o.AyrHesapGir(G, t.mal, alacak, stokMetni);
        if (t.kdv.isPositive())
            o.AyrHesapGir(x.muhKdvSat, t.kdv, alacak, D + QStringLiteral(", KDV"));
    }
    return h;
}

} // namespace tornaly::accounting
