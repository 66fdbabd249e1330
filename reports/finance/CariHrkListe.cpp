#include "reports/finance/CariHrkListe.h"

#include <algorithm>
#include <tuple>

#include "money/Money.h"
#include "report/ListReport.h"

#include <cmath>

namespace tornaly::reports {

namespace {

QDate tarihOku(const QString& text, bool* ok)
{
    const QString t = MaskedDateText(text).trimmed();
    if (t.isEmpty())
        return {};
    const QDate d = QDate::fromString(t, QStringLiteral("dd.MM.yyyy"));
    if (!d.isValid())
        *ok = false;
    return d;
}

QString tarih(const QDate& d)
{
    return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

// Conditions with bound values, shared by the movement and totals queries.
struct Kosullar {
    QString sql;
    QVariantMap binds;
    void ekle(const QString& kosul, const QString& ad = {}, const QVariant& deger = {})
    {
        sql += QStringLiteral(" AND ") + kosul;
        if (!ad.isEmpty())
            binds.insert(ad, deger);
    }
};

Kosullar kosullar(const CariHrkKriter& k, bool ozelKodlar)
{
    Kosullar c;
    if (k.hepsi)
        return c;
    if (!k.grup.isEmpty())
        c.ekle(QStringLiteral("(CARI.CARI_GRP_KOD=:grp)"), QStringLiteral("grp"), k.grup);
    if (ozelKodlar)
        for (int i = 0; i < 3; ++i)
            if (!k.ozelKod[i].trimmed().isEmpty())
                c.ekle(QStringLiteral("(CARI.OZEL_KOD_%1=:ozel%1)").arg(i + 1), QStringLiteral("ozel%1").arg(i + 1),
                       k.ozelKod[i].trimmed());
    if (!k.kodBas.isEmpty())
        c.ekle(QStringLiteral("(CARIHRK.CARI_KOD>=:kodbas)"), QStringLiteral("kodbas"), k.kodBas);
    if (!k.kodSon.isEmpty())
        c.ekle(QStringLiteral("(CARIHRK.CARI_KOD<=:kodson)"), QStringLiteral("kodson"), k.kodSon);
    // Whole days: the end day's last second belongs to the range.
    if (k.trhBas.isValid())
        c.ekle(QStringLiteral("(CARIHRK.TARIH>=:trhb)"), QStringLiteral("trhb"), k.trhBas.startOfDay());
    if (k.trhSon.isValid())
        c.ekle(QStringLiteral("(CARIHRK.TARIH<:trhs)"), QStringLiteral("trhs"), k.trhSon.addDays(1).startOfDay());
    if (k.vadeBas.isValid())
        c.ekle(QStringLiteral("(CARIHRK.VADE_TRH>=:vtrhb)"), QStringLiteral("vtrhb"), k.vadeBas.startOfDay());
    if (k.vadeSon.isValid())
        c.ekle(QStringLiteral("(CARIHRK.VADE_TRH<:vtrhs)"), QStringLiteral("vtrhs"), k.vadeSon.addDays(1).startOfDay());
    if (k.odeme == 0)
        c.ekle(QStringLiteral("(CARIHRK.ODENDI_MI='E')"));
    else if (k.odeme == 1)
        c.ekle(QStringLiteral("(CARIHRK.ODENDI_MI='H')"));
    if (k.borcAlacak == 0)
        c.ekle(QStringLiteral("(CARIHRK.BORC>0)"));
    else if (k.borcAlacak == 1)
        c.ekle(QStringLiteral("(CARIHRK.ALACAK>0)"));
    const QChar tur = HrkTuruHarfi(k.hrkTuru);
    if (!tur.isNull())
        c.ekle(QStringLiteral("(CARIHRK.CRHRK_TUR=:tur)"), QStringLiteral("tur"), QString(tur));
    return c;
}

} // namespace

QChar HrkTuruHarfi(int item)
{
    static const QString harfler = QStringLiteral("IVASNÇEDGHM");
    return item >= 1 && item <= harfler.size() ? harfler.at(item - 1) : QChar();
}

bool KriterOku(const TSorgu& s, CariHrkKriter* k, QString* hata)
{
    *k = CariHrkKriter();
    if (s.all()) {
        k->hepsi = true;
        return true;
    }
    bool ok = true;
    k->grup = s.SorguSec1.str().trimmed();
    k->ozelKod[0] = s.ozelkod1;
    k->ozelKod[1] = s.ozelkod2;
    k->ozelKod[2] = s.ozelkod3;
    k->kodBas = s.str1.str().trimmed();
    k->kodSon = s.str2.str().trimmed();
    k->trhBas = tarihOku(s.SorguStrA, &ok);
    k->trhSon = tarihOku(s.SorguStrB, &ok);
    k->vadeBas = tarihOku(s.SorguStrX, &ok);
    k->vadeSon = tarihOku(s.SorguStrY, &ok);
    k->odeme = s.SorguInt;
    k->borcAlacak = s.SorguSecLInt;
    k->hrkTuru = s.SorguSecLInt1;
    if (!ok)
        *hata = QStringLiteral("Geçerli bir tarih giriniz.");
    return ok;
}

QStringList SiralamaSecenekleri()
{
    return {QStringLiteral("Tarih"), QStringLiteral("Vade"),     QStringLiteral("Hrk.No"),  QStringLiteral("Borç"),
            QStringLiteral("Alacak"), QStringLiteral("Cari Kod"), QStringLiteral("Cari Adı")};
}

CariHrkListesi::CariHrkListesi(const Db& db, const CariHrkKriter& k, const QString& siralama)
    : m_liste(std::make_unique<BoundQueryModel>())
{
    const Kosullar c = kosullar(k, true);
    // The statement needs each account's rows together: the chosen order
    // sorts within an account unless it is the name order. The movement's
    // line number settles what is left, so that pages follow one another.
    QString order = QStringLiteral("ORDER BY CARIHRK.CARI_KOD, CARIHRK.TARIH, CARIHRK.CARI_NO");
    if (siralama == QLatin1String("Tarih"))
        order = QStringLiteral("ORDER BY CARIHRK.TARIH, CARIHRK.CARI_NO");
    else if (siralama == QLatin1String("Vade"))
        order = QStringLiteral("ORDER BY CARIHRK.VADE_TRH, CARIHRK.CARI_NO");
    else if (siralama == QLatin1String("Hrk.No"))
        order = QStringLiteral("ORDER BY CARIHRK.CARI_NO");
    else if (siralama == QStringLiteral("Borç"))
        order = QStringLiteral("ORDER BY CARIHRK.BORC, CARIHRK.CARI_NO");
    else if (siralama == QLatin1String("Alacak"))
        order = QStringLiteral("ORDER BY CARIHRK.ALACAK, CARIHRK.CARI_NO");
    else if (siralama == QStringLiteral("Cari Adı"))
        order = QStringLiteral("ORDER BY CARI.FIRMA_ADI, CARIHRK.TARIH, CARIHRK.CARI_NO");
    m_liste->setStatement(db,
                          QStringLiteral("SELECT CARIHRK.CARI_NO, CARIHRK.SIRANO, CARIHRK.CARI_KOD, CARIHRK.TARIH, "
                                         "CARIHRK.CRHRK_TUR, CARIHRK.REF_NO, CARIHRK.VADE_TRH, CARIHRK.KTARIH, "
                                         "CARIHRK.BORC, CARIHRK.ALACAK, CARIHRK.BORC_USD, CARIHRK.ALACAK_USD, "
                                         "CARIHRK.BORC_DVZ, CARIHRK.ALACAK_DVZ, CARIHRK.ODENDI_MI, CARIHRK.DOVIZ_KODU, "
                                         "CARIHRK.PARA_BAZ, CARIHRK.ACIKLAMA, CARIHRK.ALT_TIP, CARI.FIRMA_ADI, "
                                         "CARI.OZEL_KOD_1, CARI.OZEL_KOD_2, CARI.OZEL_KOD_3, CARI.CARI_GRP_KOD "
                                         "FROM CARIHRK, CARI WHERE (CARIHRK.CARI_KOD=CARI.CARI_KOD)") +
                              c.sql + QLatin1Char(' ') + order,
                          c.binds);
    m_liste->setOrderKeys({QStringLiteral("SIRANO")});
    m_liste->open();
}

CariHrkListesi::~CariHrkListesi() = default;

bool CariHrkListesi::bitti() const
{
    return m_verilen >= m_liste->rowCount() && !m_liste->canFetchMore();
}

QVector<CariHrkListeSatiri> CariHrkListesi::sonrakiSayfa()
{
    if (m_verilen >= m_liste->rowCount())
        m_liste->fetchMore();
    return verilmeyenler();
}

QVector<CariHrkListeSatiri> CariHrkListesi::kalanlar()
{
    m_liste->fetchAll();
    return verilmeyenler();
}

QVector<CariHrkListeSatiri> CariHrkListesi::verilmeyenler()
{
    const BoundQueryModel& m = *m_liste;
    const auto kolon = [&m](const char* ad) { return m.columnOf(QString::fromLatin1(ad)); };
    const int cariNo = kolon("CARI_NO"), siraNo = kolon("SIRANO"), cariKod = kolon("CARI_KOD"), tarih = kolon("TARIH"),
              tur = kolon("CRHRK_TUR"), refNo = kolon("REF_NO"), vade = kolon("VADE_TRH"), ktarih = kolon("KTARIH"),
              borc = kolon("BORC"), alacak = kolon("ALACAK"), borcUsd = kolon("BORC_USD"),
              alacakUsd = kolon("ALACAK_USD"), borcDvz = kolon("BORC_DVZ"), alacakDvz = kolon("ALACAK_DVZ"),
              odendi = kolon("ODENDI_MI"), doviz = kolon("DOVIZ_KODU"), paraBaz = kolon("PARA_BAZ"),
              aciklama = kolon("ACIKLAMA"), altTip = kolon("ALT_TIP"), firma = kolon("FIRMA_ADI"),
              ozel1 = kolon("OZEL_KOD_1"), ozel2 = kolon("OZEL_KOD_2"), ozel3 = kolon("OZEL_KOD_3"),
              grup = kolon("CARI_GRP_KOD");
    QVector<CariHrkListeSatiri> rows;
    rows.reserve(m.rowCount() - m_verilen);
    for (; m_verilen < m.rowCount(); ++m_verilen) {
        const auto v = [&](int c) { return m.data(m.index(m_verilen, c), Qt::EditRole); };
        CariHrkListeSatiri r;
        r.CARI_NO = v(cariNo).toDouble();
        r.SIRANO = v(siraNo).toInt();
        r.CARI_KOD = v(cariKod).toString();
        r.TARIH = Query::toDateTime(v(tarih));
        r.CRHRK_TUR = v(tur).toString();
        r.REF_NO = v(refNo).toDouble();
        r.VADE_TRH = Query::toDateTime(v(vade));
        r.KTARIH = Query::toDateTime(v(ktarih));
        r.BORC = v(borc).toDouble();
        r.ALACAK = v(alacak).toDouble();
        r.BORC_USD = v(borcUsd).toDouble();
        r.ALACAK_USD = v(alacakUsd).toDouble();
        r.BORC_DVZ = v(borcDvz).toDouble();
        r.ALACAK_DVZ = v(alacakDvz).toDouble();
        r.ODENDI_MI = v(odendi).toString();
        r.DOVIZ_KODU = v(doviz).toString();
        r.PARA_BAZ = v(paraBaz).toString();
        r.ACIKLAMA = v(aciklama).toString();
        r.ALT_TIP = v(altTip).toString();
        r.FIRMA_ADI = v(firma).toString();
        r.OZEL_KOD_1 = v(ozel1).toString();
        r.OZEL_KOD_2 = v(ozel2).toString();
        r.OZEL_KOD_3 = v(ozel3).toString();
        r.CARI_GRP_KOD = v(grup).toString();
        rows.append(r);
    }
    return rows;
}

QVector<CariHrkListeSatiri> CariHrkListesiOku(const Db& db, const CariHrkKriter& k, const QString& siralama)
{
    return CariHrkListesi(db, k, siralama).kalanlar();
}

QHash<QString, AcilisBakiyesi> AcilisBakiyeleri(const Db& db, const QStringList& hesaplar, const QDate& bas,
                                                const QString& dovizKodu)
{
    QHash<QString, AcilisBakiyesi> out;
    if (!bas.isValid())
        return out;
    QStringList kodlar;
    for (const QString& kod : hesaplar)
        if (!out.contains(kod)) {
            out.insert(kod, {});
            kodlar << kod;
        }
    // One grouped statement per block of accounts; the currency balance
    // counts only the chosen currency's rows when one is given.
    const QString dvz = dovizKodu.isEmpty() ? QString() : QStringLiteral("CASE WHEN DOVIZ_KODU = :DVZ THEN %1 END");
    const auto dvzSutun = [&dvz](const char* sutun) {
        return dvz.isEmpty() ? QString::fromLatin1(sutun) : dvz.arg(QString::fromLatin1(sutun));
    };
    constexpr int blok = 500;
    for (int ilk = 0; ilk < kodlar.size(); ilk += blok) {
        QStringList yerler;
        QVariantMap b{{QStringLiteral("BAS_TARIH"), bas.startOfDay()}};
        for (int i = ilk; i < qMin(ilk + blok, int(kodlar.size())); ++i) {
            yerler << QStringLiteral(":K%1").arg(i - ilk);
            b.insert(QStringLiteral("K%1").arg(i - ilk), kodlar.at(i));
        }
        if (!dovizKodu.isEmpty())
            b.insert(QStringLiteral("DVZ"), dovizKodu);
        Query q(db, QStringLiteral("SELECT CARI_KOD, SUM(BORC) AS T_BORC, SUM(ALACAK) AS T_ALACAK, "
                                   "SUM(BORC_USD) AS T_BORC_USD, SUM(ALACAK_USD) AS T_ALACAK_USD, "
                                   "SUM(%1) AS T_BORC_DVZ, SUM(%2) AS T_ALACAK_DVZ FROM CARIHRK "
                                   "WHERE CARI_KOD IN (%3) AND TARIH < :BAS_TARIH GROUP BY CARI_KOD")
                        .arg(dvzSutun("BORC_DVZ"), dvzSutun("ALACAK_DVZ"), yerler.join(QLatin1Char(','))));
        q.bindAll(b).exec();
        while (q.next()) {
            AcilisBakiyesi& a = out[q.str(QStringLiteral("CARI_KOD"))];
            a.alacakEksiBorc = q.num(QStringLiteral("T_ALACAK")) - q.num(QStringLiteral("T_BORC"));
            a.usd = q.num(QStringLiteral("T_ALACAK_USD")) - q.num(QStringLiteral("T_BORC_USD"));
            a.doviz = q.num(QStringLiteral("T_ALACAK_DVZ")) - q.num(QStringLiteral("T_BORC_DVZ"));
        }
    }
    return out;
}

KumulatifBakiye KumulatifBakiyeOku(const Db& db, const QString& cariKod, const QDateTime& tarih, double cariNo)
{
    // A back-dated movement with a higher number still belongs to the days before.
    Query q(db, QStringLiteral("SELECT SUM(BORC) AS KBORC, SUM(ALACAK) AS KALACAK, SUM(ALACAK_USD) AS KALA_USD, "
                               "SUM(BORC_USD) AS KBORC_USD, SUM(BORC_DVZ) AS KBORC_DVZ, SUM(ALACAK_DVZ) AS KALACAK_DVZ "
                               "FROM CARIHRK WHERE (CARI_KOD = :CARI_KOD) "
                               "AND ((TARIH < :TARIH) OR (TARIH = :TARIH AND CARI_NO <= :CARI_NO))"));
    q.bind(QStringLiteral("CARI_KOD"), cariKod).bind(QStringLiteral("TARIH"), tarih).bind(QStringLiteral("CARI_NO"), cariNo);
    q.exec();
    KumulatifBakiye k;
    if (q.next()) {
        k.bakiye = q.num(QStringLiteral("KALACAK")) - q.num(QStringLiteral("KBORC"));
        k.usd = q.num(QStringLiteral("KALA_USD")) - q.num(QStringLiteral("KBORC_USD"));
        k.doviz = q.num(QStringLiteral("KALACAK_DVZ")) - q.num(QStringLiteral("KBORC_DVZ"));
    }
    return k;
}

QString ListeBakiye(double b)
{
    if (std::llround(b * 100) == 0)
        return QStringLiteral("---   ");
    return FormatMoney(std::abs(b), QStringLiteral(",0.00")) + (b > 0 ? QStringLiteral(" (A)") : QStringLiteral(" (B)"));
}

namespace {

QString altBaslik(const CariHrkKriter& k)
{
    QStringList s;
    if (k.trhBas.isValid() || k.trhSon.isValid())
        s.append(QStringLiteral("Hareket Tarih Aralığı : ") + tarih(k.trhBas) + QLatin1Char('-') + tarih(k.trhSon));
    if (k.vadeBas.isValid() || k.vadeSon.isValid())
        s.append(QStringLiteral("Vade Tarih Aralığı : ") + tarih(k.vadeBas) + QLatin1Char('-') + tarih(k.vadeSon));
    return s.join(QStringLiteral("    "));
}

} // namespace

QVector<double> CariHrkYuruyenBakiyeler(const QVector<CariHrkListeSatiri>& rows,
                                        const QHash<QString, AcilisBakiyesi>& acilis, const QString& dovizKodu)
{
    const bool doviz = !dovizKodu.isEmpty();
    // Each account is walked in its own date order, whatever order the list is shown in.
    QVector<qsizetype> sira(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i)
        sira[i] = i;
    std::stable_sort(sira.begin(), sira.end(), [&](qsizetype a, qsizetype b) {
        const CariHrkListeSatiri& x = rows.at(a);
        const CariHrkListeSatiri& y = rows.at(b);
        return std::tie(x.CARI_KOD, x.TARIH, x.CARI_NO, x.SIRANO) < std::tie(y.CARI_KOD, y.TARIH, y.CARI_NO, y.SIRANO);
    });
    QVector<double> out(rows.size(), 0.0);
    QString hesap;
    double bakiye = 0;
    bool ilk = true;
    for (qsizetype i : sira) {
        const CariHrkListeSatiri& r = rows.at(i);
        if (doviz && r.DOVIZ_KODU != dovizKodu)
            continue;
        if (ilk || r.CARI_KOD != hesap) {
            ilk = false;
            hesap = r.CARI_KOD;
            const AcilisBakiyesi a = acilis.value(hesap);
            bakiye = doviz ? a.doviz : a.alacakEksiBorc;
        }
        bakiye += doviz ? r.ALACAK_DVZ - r.BORC_DVZ : r.ALACAK - r.BORC;
        out[i] = bakiye;
    }
    return out;
}

report::Report CariHrkListeRaporu(const QVector<CariHrkListeSatiri>& rows, const QHash<QString, AcilisBakiyesi>& acilis,
                                  const CariHrkKriter& k, bool usd, const QString& dovizKodu)
{
    const bool doviz = !dovizKodu.isEmpty();
    const QVector<double> bakiyeler = CariHrkYuruyenBakiyeler(rows, acilis, dovizKodu);
    QVector<QVector<QVariant>> data;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const CariHrkListeSatiri& r = rows.at(i);
        if (doviz && r.DOVIZ_KODU != dovizKodu)
            continue;
        const double borc = doviz ? r.BORC_DVZ : r.BORC;
        const double alacak = doviz ? r.ALACAK_DVZ : r.ALACAK;
        data.append({r.CARI_KOD, r.FIRMA_ADI, r.TARIH.date(), r.VADE_TRH.date(), r.ACIKLAMA, borc, alacak, r.BORC_USD,
                     r.ALACAK_USD, r.DOVIZ_KODU, ListeBakiye(bakiyeler.at(i))});
    }
    report::ListReportBuilder b(doviz ? QStringLiteral("DÖVİZ HESABINA  GÖRE CARİ HAREKET LİSTESİ")
                                      : QStringLiteral("CARİ HAREKET LİSTESİ"));
    b.landscape()
        .subtitle(altBaslik(k))
        .source(report::RecordsSource({"CARI_KOD", "FIRMA_ADI", "TARIH", "VADE_TRH", "ACIKLAMA", "BORC", "ALACAK",
                                       "BORC_USD", "ALACAK_USD", "DOVIZ_KODU", "BAKIYE"},
                                      data))
        .text(QStringLiteral("CARI_KOD"), QStringLiteral("Cari Kod"), 20)
        .text(QStringLiteral("FIRMA_ADI"), QStringLiteral("Firma Adı"), 50)
        .date(QStringLiteral("TARIH"), QStringLiteral("Hrk.Trh."))
        .date(QStringLiteral("VADE_TRH"), QStringLiteral("Vade Trh."))
        .text(QStringLiteral("ACIKLAMA"), QStringLiteral("Açıklama"), usd ? 50 : 80)
        .money(QStringLiteral("BORC"), doviz ? QStringLiteral("Borç Dvz") : QStringLiteral("Borç"), 24)
        .money(QStringLiteral("ALACAK"), doviz ? QStringLiteral("Alacak Dvz") : QStringLiteral("Alacak"), 24);
    if (usd && !doviz)
        b.money(QStringLiteral("BORC_USD"), QStringLiteral("Borç($)"), 22)
            .money(QStringLiteral("ALACAK_USD"), QStringLiteral("Alacak($)"), 22);
    if (doviz)
        b.text(QStringLiteral("DOVIZ_KODU"), QStringLiteral("Döviz"), 12);
    b.text(QStringLiteral("BAKIYE"), QStringLiteral("Bakiye"), 30);
    b.pageTotals().summary(QStringLiteral("Genel Toplam"));
    report::Report r = b.build();
    r.name = QStringLiteral("QRCariHrk");
    return r;
}

QStringList ToplamSiralamaSecenekleri()
{
    return {QStringLiteral("Cari Kod"),     QStringLiteral("Top.Borç YTL"),  QStringLiteral("Top.Borç Usd"),
            QStringLiteral("Top.Alacak YTL"), QStringLiteral("Top.Alacak Usd"), QStringLiteral("Top.Borç Dvz"),
            QStringLiteral("Top.Alacak Dvz ")};
}

QStringList ToplamFiltreSecenekleri()
{
    return {QStringLiteral("Hepsi"), QStringLiteral("Bakiyesi Olanlar"), QStringLiteral("Borç Bakiyesi Olanlar"),
            QStringLiteral("Alacak Bakiyesi Olan")};
}

QVector<CariHrkToplamSatiri> CariHrkToplamlariOku(const Db& db, const CariHrkKriter& k, const QString& siralama,
                                                  const QString& dovizKodu)
{
    Kosullar c = kosullar(k, false);
    if (!dovizKodu.isEmpty())
        c.ekle(QStringLiteral("(CARIHRK.DOVIZ_KODU=:dvz)"), QStringLiteral("dvz"), dovizKodu);
    // Each caption orders by the column it names.
    QString order = QStringLiteral("CARIHRK.CARI_KOD");
    const int i = ToplamSiralamaSecenekleri().indexOf(siralama);
    static const char* const kolonlar[] = {"CARIHRK.CARI_KOD", "T_BORC",       "T_BORC_USD",  "T_ALACAK",
                                           "T_ALACAK_USD",     "T_BORC_DVZ",   "T_ALACAK_DVZ"};
    if (i >= 0)
        order = QString::fromLatin1(kolonlar[i]);
    if (order != QLatin1String("CARIHRK.CARI_KOD"))
        order += QStringLiteral(", CARIHRK.CARI_KOD");
    Query q(db, QStringLiteral("SELECT CARIHRK.CARI_KOD, SUM(CARIHRK.BORC) AS T_BORC, SUM(CARIHRK.ALACAK) AS T_ALACAK, "
                               "SUM(CARIHRK.BORC_USD) AS T_BORC_USD, SUM(CARIHRK.ALACAK_USD) AS T_ALACAK_USD, "
                               "SUM(CARIHRK.BORC_DVZ) AS T_BORC_DVZ, SUM(CARIHRK.ALACAK_DVZ) AS T_ALACAK_DVZ, "
                               "MAX(CARIHRK.DOVIZ_KODU) AS DOVIZ_KOD, MIN(CARI.FIRMA_ADI) AS F_ADI "
                               "FROM CARIHRK, CARI WHERE (CARIHRK.CARI_KOD=CARI.CARI_KOD)") +
                    c.sql + QStringLiteral(" GROUP BY CARIHRK.CARI_KOD ORDER BY ") + order);
    q.bindAll(c.binds).exec();
    QVector<CariHrkToplamSatiri> rows;
    while (q.next()) {
        CariHrkToplamSatiri r;
        r.CARI_KOD = q.str(QStringLiteral("CARI_KOD"));
        r.F_ADI = q.str(QStringLiteral("F_ADI"));
        r.DOVIZ_KOD = q.str(QStringLiteral("DOVIZ_KOD"));
        r.T_BORC = q.num(QStringLiteral("T_BORC"));
        r.T_ALACAK = q.num(QStringLiteral("T_ALACAK"));
        r.T_BORC_USD = q.num(QStringLiteral("T_BORC_USD"));
        r.T_ALACAK_USD = q.num(QStringLiteral("T_ALACAK_USD"));
        r.T_BORC_DVZ = q.num(QStringLiteral("T_BORC_DVZ"));
        r.T_ALACAK_DVZ = q.num(QStringLiteral("T_ALACAK_DVZ"));
        rows.append(r);
    }
    return rows;
}

bool ToplamFiltredenGecer(const CariHrkToplamSatiri& r, int filtre, double minimum)
{
    const double kalan = r.KALAN();
    switch (filtre) {
    case 1:
        return std::abs(kalan) >= minimum;
    case 2:
        return -kalan >= minimum;
    case 3:
        return kalan >= minimum;
    default:
        return true;
    }
}

report::Report CariHrkToplamRaporu(const QVector<CariHrkToplamSatiri>& rows, const CariHrkKriter& k, bool usd,
                                   const QString& dovizKodu, int filtre, double minimum)
{
    const bool doviz = !dovizKodu.isEmpty();
    QVector<QVector<QVariant>> data;
    for (const CariHrkToplamSatiri& r : rows) {
        if (!ToplamFiltredenGecer(r, filtre, minimum))
            continue;
        if (doviz)
            data.append({r.CARI_KOD, r.F_ADI, r.T_BORC_DVZ, r.T_ALACAK_DVZ, r.T_ALACAK_DVZ - r.T_BORC_DVZ, 0.0, 0.0, 0.0,
                         r.DOVIZ_KOD});
        else
            data.append({r.CARI_KOD, r.F_ADI, r.T_BORC, r.T_ALACAK, r.KALAN(), r.T_BORC_USD, r.T_ALACAK_USD,
                         r.T_ALACAK_USD - r.T_BORC_USD, r.DOVIZ_KOD});
    }
    // Summed balances: zero or credit " (A)", debit its absolute value " (B)".
    auto taraf = [](const QVariant& v) {
        const double d = v.toDouble();
        return FormatMoney(std::abs(d), QStringLiteral(",0.00")) + (d >= 0 ? QStringLiteral(" (A)") : QStringLiteral(" (B)"));
    };
    report::ListReportBuilder b(doviz ? QStringLiteral("DÖVİZLİ CARİ HAREKET TOPLAM LİSTESİ")
                                      : QStringLiteral("CARİ HAREKET TOPLAM LİSTESİ"));
    b.landscape()
        .subtitle(altBaslik(k))
        .source(report::RecordsSource({"CARI_KOD", "F_ADI", "T_BORC", "T_ALACAK", "KALAN", "T_BORC_USD",
                                       "T_ALACAK_USD", "KALAN_USD", "DOVIZ_KOD"},
                                      data))
        .text(QStringLiteral("CARI_KOD"), QStringLiteral("Cari Kod"), 22)
        .text(QStringLiteral("F_ADI"), QStringLiteral("Firma Adı"), 60)
        .money(QStringLiteral("T_BORC"), QStringLiteral("Borç"), 28)
        .money(QStringLiteral("T_ALACAK"), QStringLiteral("Alacak"), 28)
        .money(QStringLiteral("KALAN"), QStringLiteral("Bakiye"), 32)
        .display(taraf);
    if (usd && !doviz)
        b.money(QStringLiteral("T_BORC_USD"), QStringLiteral("Borç($)"), 24)
            .money(QStringLiteral("T_ALACAK_USD"), QStringLiteral("Alacak($)"), 24)
            .money(QStringLiteral("KALAN_USD"), QStringLiteral("Bakiye($)"), 28)
            .display(taraf);
    b.text(QStringLiteral("DOVIZ_KOD"), QStringLiteral("Döviz"), 14);
    b.pageTotals().summary(QStringLiteral("Genel Toplam"));
    report::Report r = b.build();
    r.name = QStringLiteral("QRCariToplam");
    return r;
}

} // namespace tornaly::reports
