#include "accounts/statements/CariEkstre.h"
#include "accounts/ledger/CariHrkTurleri.h"

#include "money/Money.h"

#include <QMap>
#include <cmath>

namespace tornaly::accounts {

namespace {

const QDate kVadeBaslangic(2000, 1, 1);

QString ekstreTarih(const QDate& d)
{
    return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

bool esitMi(double a, double b)
{
    return std::llround(a * 100) == std::llround(b * 100);
}

} // namespace

QString CariHrkFiltre::aciklama() const
{
    if (bos())
        return {};
    QString s = QStringLiteral("Tarih :") + ekstreTarih(bas) + QStringLiteral(" - ") + ekstreTarih(son);
    s += QStringLiteral(" Vade :") + ekstreTarih(vadeBas) + QStringLiteral(" - ") + ekstreTarih(vadeSon);
    if (odeme == Odenmisler)
        s += QStringLiteral(" Ödenmişler");
    else if (odeme == Odenmemisler)
        s += QStringLiteral(" Ödenmemişler");
    return s;
}

QString Aciklama2(const QString& plaka, const QString& aciklama)
{
    if (plaka.trimmed().size() >= 6)
        return plaka + QStringLiteral(" Plakalı, ") + aciklama;
    return aciklama;
}

QVector<CariHrkSatiri> CariHareketleri(const Db& db, const QString& cariKod)
{
    const Dialect& d = db.dialect();
    // The plate and the cheque status come from tables other areas own; a
    // company without them still lists its movements.
    const bool plaka = d.tableExists(db, QStringLiteral("SERFAT")) && d.tableExists(db, QStringLiteral("ISEMRI")) &&
                       d.columnExists(db, QStringLiteral("SERFAT"), QStringLiteral("IS_EMRI_NO")) &&
                       d.columnExists(db, QStringLiteral("ISEMRI"), QStringLiteral("PLAKA_NO"));
    const bool cek = d.tableExists(db, QStringLiteral("CSKART")) &&
                     d.columnExists(db, QStringLiteral("CSKART"), QStringLiteral("SON_DURUMU"));
    QString sql = QStringLiteral("SELECT CARIHRK.*, %1 AS PLAKA_NO, %2 AS SON_DURUMU FROM CARIHRK ")
                      .arg(plaka ? QStringLiteral("ISEMRI.PLAKA_NO") : QStringLiteral("NULL"),
                           cek ? QStringLiteral("CSKART.SON_DURUMU") : QStringLiteral("NULL"));
    if (plaka)
        sql += QStringLiteral("LEFT OUTER JOIN SERFAT ON (CARIHRK.REF_NO=SERFAT.SATIS_NO AND CARIHRK.CRHRK_TUR='S') "
                              "LEFT OUTER JOIN ISEMRI ON (SERFAT.IS_EMRI_NO=ISEMRI.IS_EMRI_NO) ");
    if (cek)
        sql += QStringLiteral("LEFT OUTER JOIN CSKART ON (CARIHRK.PORTFOYNO=CSKART.PORTFOYNO) ");
    sql += QStringLiteral("WHERE CARIHRK.CARI_KOD=:CARI_KOD "
                          "ORDER BY CARIHRK.TARIH, CARIHRK.CRHRK_TUR, CARIHRK.REF_NO, CARIHRK.SIRANO, CARIHRK.CARI_NO");
    Query q(db, sql);
    q.bind(QStringLiteral("CARI_KOD"), cariKod).exec();
    QVector<CariHrkSatiri> rows;
    while (q.next()) {
        CariHrkSatiri r;
        r.CARI_NO = q.num(QStringLiteral("CARI_NO"));
        r.SIRANO = int(q.integer(QStringLiteral("SIRANO")));
        r.TARIH = q.dateTime(QStringLiteral("TARIH"));
        r.VADE_TRH = q.dateTime(QStringLiteral("VADE_TRH"));
        r.CRHRK_TUR = q.str(QStringLiteral("CRHRK_TUR"));
        r.ALT_TIP = q.str(QStringLiteral("ALT_TIP"));
        r.REF_NO = q.value(QStringLiteral("REF_NO"));
        r.BORC = q.num(QStringLiteral("BORC"));
        r.ALACAK = q.num(QStringLiteral("ALACAK"));
        r.BORC_USD = q.num(QStringLiteral("BORC_USD"));
        r.ALACAK_USD = q.num(QStringLiteral("ALACAK_USD"));
        r.BORC_DVZ = q.num(QStringLiteral("BORC_DVZ"));
        r.ALACAK_DVZ = q.num(QStringLiteral("ALACAK_DVZ"));
        r.KAPANANB = q.num(QStringLiteral("KAPANANB"));
        r.KAPANANA = q.num(QStringLiteral("KAPANANA"));
        r.TL_KURDEGER = q.num(QStringLiteral("TL_KURDEGER"));
        r.TL_USDEGER = q.num(QStringLiteral("TL_USDEGER"));
        r.PORTFOYNO = q.num(QStringLiteral("PORTFOYNO"));
        r.DOVIZ_KODU = q.str(QStringLiteral("DOVIZ_KODU"));
        r.PARA_BAZ = q.str(QStringLiteral("PARA_BAZ"));
        r.ACIKLAMA = q.str(QStringLiteral("ACIKLAMA"));
        r.BELGE_NO = q.str(QStringLiteral("BELGE_NO"));
        r.ODE_KOD = q.str(QStringLiteral("ODE_KOD"));
        r.ODENDI_MI = q.str(QStringLiteral("ODENDI_MI"));
        r.PLAKA_NO = q.str(QStringLiteral("PLAKA_NO"));
        r.SON_DURUMU = q.str(QStringLiteral("SON_DURUMU"));
        r.Aciklama2 = Aciklama2(r.PLAKA_NO, r.ACIKLAMA);
        rows.append(r);
    }
    return rows;
}

QVector<CariHrkSatiri> Filtrele(const QVector<CariHrkSatiri>& rows, const CariHrkFiltre& f)
{
    if (f.bos())
        return rows;
    auto gunIcinde = [](const QDateTime& t, const QDate& from, const QDate& to) {
        if (from.isValid() && (!t.isValid() || t < from.startOfDay()))
            return false;
        // Half-open: the whole end day belongs to the range.
        if (to.isValid() && (!t.isValid() || t >= to.addDays(1).startOfDay()))
            return false;
        return true;
    };
    QVector<CariHrkSatiri> out;
    for (const CariHrkSatiri& r : rows) {
        if (!gunIcinde(r.TARIH, f.bas, f.son) || !gunIcinde(r.VADE_TRH, f.vadeBas, f.vadeSon))
            continue;
        if (f.odeme == CariHrkFiltre::Odenmisler && r.ODENDI_MI != QLatin1String("E"))
            continue;
        if (f.odeme == CariHrkFiltre::Odenmemisler && r.ODENDI_MI != QLatin1String("H"))
            continue;
        out.append(r);
    }
    return out;
}

namespace {

CariToplam toplamOku(const Db& db, const QString& cariKod, const QDate& onceki)
{
    QString sql = QStringLiteral(
        "SELECT SUM(BORC) AS BORCT, SUM(ALACAK) AS ALAT, SUM(BORC_USD) AS BORC_UT, SUM(ALACAK_USD) AS ALA_UT, "
        "SUM(BORC_DVZ) AS BORC_DT, SUM(ALACAK_DVZ) AS ALA_DT FROM CARIHRK WHERE CARI_KOD=:carikodu");
    if (onceki.isValid())
        sql += QStringLiteral(" AND TARIH<:bastrh");
    Query q(db, sql);
    q.bind(QStringLiteral("carikodu"), cariKod);
    if (onceki.isValid())
        q.bind(QStringLiteral("bastrh"), onceki.startOfDay());
    q.exec();
    CariToplam t;
    if (q.next()) {
        t.borc = q.num(QStringLiteral("BORCT"));
        t.alacak = q.num(QStringLiteral("ALAT"));
        t.borcUsd = q.num(QStringLiteral("BORC_UT"));
        t.alacakUsd = q.num(QStringLiteral("ALA_UT"));
        t.borcDvz = q.num(QStringLiteral("BORC_DT"));
        t.alacakDvz = q.num(QStringLiteral("ALA_DT"));
    }
    return t;
}

} // namespace

CariToplam CariToplamOku(const Db& db, const QString& cariKod)
{
    return toplamOku(db, cariKod, {});
}

CariToplam CariDevirOku(const Db& db, const QString& cariKod, const QDate& bas)
{
    if (!bas.isValid())
        return {};
    return toplamOku(db, cariKod, bas);
}

VadeToplamlari VadeToplamlariHesapla(const QVector<CariHrkSatiri>& rows)
{
    // Each ...Gun is the amount-weighted mean due day; rows without a due
    // date weigh in the amount only, as an SQL sum would count them.
    struct Ortalama {
        double tutar = 0, agirlik = 0;
        void ekle(double t, const QDateTime& vade)
        {
            tutar += t;
            if (vade.isValid())
                agirlik += double(kVadeBaslangic.daysTo(vade.date())) * t;
        }
        double gun() const { return agirlik / (tutar + 0.0000000001); }
    } borc, alacak, kBorc, kAlacak, aBorc, aAlacak;
    for (const CariHrkSatiri& r : rows) {
        borc.ekle(r.BORC, r.VADE_TRH);
        alacak.ekle(r.ALACAK, r.VADE_TRH);
        kBorc.ekle(r.KAPANANB, r.VADE_TRH);
        kAlacak.ekle(r.KAPANANA, r.VADE_TRH);
        aBorc.ekle(r.BORC - r.KAPANANB, r.VADE_TRH);
        aAlacak.ekle(r.ALACAK - r.KAPANANA, r.VADE_TRH);
    }
    VadeToplamlari t;
    t.borc = borc.tutar, t.borcGun = borc.gun();
    t.alacak = alacak.tutar, t.alacakGun = alacak.gun();
    t.kBorc = kBorc.tutar, t.kBorcGun = kBorc.gun();
    t.kAlacak = kAlacak.tutar, t.kAlacakGun = kAlacak.gun();
    t.aBorc = aBorc.tutar, t.aBorcGun = aBorc.gun();
    t.aAlacak = aAlacak.tutar, t.aAlacakGun = aAlacak.gun();
    return t;
}

CariVadeOzeti VadeOzeti(const VadeToplamlari& t, const QDate& bugun)
{
    CariVadeOzeti o;
    if (esitMi(t.alacak, t.borc)) {
        o.BAKIYE = 0;
        o.BAKIYETIP = QLatin1Char('-');
    } else if (t.alacak > t.borc) {
        o.BAKIYE = t.alacak - t.borc;
        o.BAKIYETIP = QLatin1Char('A');
    } else {
        o.BAKIYE = t.borc - t.alacak;
        o.BAKIYETIP = QLatin1Char('B');
    }
    auto vade = [](double gun) { return gun > 1 ? kVadeBaslangic.addDays(qRound64(gun)) : QDate(); };
    o.BORCVTRH = vade(t.borcGun);
    o.ALAVTRH = vade(t.alacakGun);
    o.KBORCVTRH = vade(t.kBorcGun);
    o.KALAVTRH = vade(t.kAlacakGun);
    o.ABORCVTRH = vade(t.aBorcGun);
    o.AALAVTRH = vade(t.aAlacakGun);
    if (o.BAKIYETIP == QLatin1Char('B'))
        o.BAKIYEVTRH = o.ABORCVTRH;
    else if (o.BAKIYETIP == QLatin1Char('A'))
        o.BAKIYEVTRH = o.AALAVTRH;
    if (o.BAKIYEVTRH.isValid())
        o.GUN = qint64(o.BAKIYEVTRH.daysTo(bugun));
    if (o.KBORCVTRH.isValid() && o.KALAVTRH.isValid())
        o.KGUN = qint64(o.KALAVTRH.daysTo(o.KBORCVTRH));
    if (o.BAKIYETIP == QLatin1Char('B') && t.aBorc > 1)
        o.KAPATANVADE = kVadeBaslangic.addDays(qRound64((t.borc * t.borcGun - t.kAlacak * t.kAlacakGun) / t.aBorc));
    else if (o.BAKIYETIP == QLatin1Char('A') && t.aAlacak > 1)
        o.KAPATANVADE =
            kVadeBaslangic.addDays(qRound64((t.alacak * t.alacakGun - t.kBorc * t.kBorcGun) / t.aAlacak));
    return o;
}

QVector<BakiyeDetaySatiri> BakiyeDetay(const QVector<CariHrkSatiri>& rows)
{
    QMap<QPair<QString, QString>, double> groups;
    for (const CariHrkSatiri& r : rows)
        groups[{r.CRHRK_TUR, r.ALT_TIP}] += (r.BORC - r.KAPANANB) - (r.ALACAK - r.KAPANANA);
    QVector<BakiyeDetaySatiri> out;
    for (auto it = groups.cbegin(); it != groups.cend(); ++it)
        if (std::abs(it.value()) > 0.1)
            out.append({it.key().first, it.key().second, it.value()});
    return out;
}

QString EkstreBakiye(double b, int decimals)
{
    const QString format = decimals > 0 ? QStringLiteral(",0.") + QString(decimals, QLatin1Char('0')) : QStringLiteral(",0");
    if (std::llround(b * 100) == 0)
        return decimals > 0 ? QStringLiteral("0,00") : QStringLiteral("0");
    return FormatMoney(std::abs(b), format).rightJustified(12) + (b > 0 ? QStringLiteral(" (B)") : QStringLiteral(" (A)"));
}

QString BakiyeSmsMetni(const QString& firmaAdi, const QDate& bugun, double b)
{
    const QString taraf = std::llround(b * 100) == 0 ? QStringLiteral("-")
                          : b > 0                    ? QStringLiteral("BORC")
                                                     : QStringLiteral("ALACAK");
    return QStringLiteral("SAYIN ") + firmaAdi + QLatin1Char(' ') + ekstreTarih(bugun) + QStringLiteral(" ITIBARIYLE ") +
           FormatMoney(std::abs(b), QStringLiteral(",0")) + QStringLiteral(" TL ") + taraf +
           QStringLiteral(" BAKIYENIZ MEVCUTTUR");
}

EkstreVerisi EkstreVerisiOku(const Db& db, const QString& cariKod, const QString& cariAd, const CariHrkFiltre& filtre,
                              const EkstreSecenekleri& secenek)
{
    EkstreVerisi v;
    v.cariKod = cariKod;
    v.cariAd = cariAd;
    v.filtre = filtre;
    const QVector<CariHrkSatiri> tum = CariHareketleri(db, cariKod);
    v.satirlar = Filtrele(tum, filtre);
    v.devir = CariDevirOku(db, cariKod, filtre.bas);
    v.hesapToplami = CariToplamOku(db, cariKod);
    if (secenek.bakiyeDetay)
        v.bakiyeDetay = BakiyeDetay(tum);
    v.dokumZamani = QDateTime::currentDateTime();
    return v;
}

// ---------------------------------------------------------------------------
// The printed statements.

namespace {

using namespace tornaly::report;

struct Kolon {
    QString alan;
    QString baslik;
    double genislik;
    bool sag; // amounts stand right
};

QString ekstreTutar(double v)
{
    return FormatMoney(v, QStringLiteral(",0.00"));
}

// Heading, column titles, one line per record and the closing lines.
Report tablo(const QString& baslik, const EkstreVerisi& v, const QList<Kolon>& kolonlar,
             const QVector<QVector<QVariant>>& satirlar, const QStringList& kapanis, bool baslikBirKez)
{
    Report r;
    r.name = QStringLiteral("QuickRep1");
    r.title = baslik;
    r.page.landscape = true;
    r.page.marginsMm = {10, 10, 10, 10};
    r.font = ReportFont{QStringLiteral("DejaVu Sans"), 7, false, false};
    r.printTime = v.dokumZamani;
    QStringList alanlar;
    for (const Kolon& k : kolonlar)
        alanlar.append(k.alan);
    r.source = RecordsSource(alanlar, satirlar);

    Band& bas = baslikBirKez ? r.titleBand : r.pageHeader;
    bas.height = 24;
    bas.add(Sized(Bold(Label(0, 0, 277, 7, baslik, Qt::AlignHCenter | Qt::AlignVCenter)), 11));
    bas.add(Label(0, 8, 120, 5, QStringLiteral("Cari Adı : ") + v.cariAd));
    bas.add(Label(0, 13, 120, 5, QStringLiteral("Cari Kodu : ") + v.cariKod));
    bas.add(PrintDateEl(177, 8, 100, 5, QStringLiteral("Döküm Tarihi : {DATE}")));
    bas.add(Label(0, 18, 277, 5, v.filtre.aciklama()));
    if (!baslikBirKez)
        bas.add(PageNo(177, 13, 100, 5, QStringLiteral("Sayfa No : {PAGE}")));

    r.columnHeader.height = 6;
    r.detail.height = 4.5;
    double x = 0;
    for (const Kolon& k : kolonlar) {
        const Qt::Alignment a = (k.sag ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        r.columnHeader.add(Bold(Label(x, 0, k.genislik, 6, k.baslik, a)));
        r.detail.add(Named(Field(x, 0, k.genislik - 1, 4.5, k.alan, {}, a), k.alan));
        x += k.genislik;
    }
    r.columnHeader.add(HLine(0, 5.8, x));

    r.summary.height = 3 + 5 * kapanis.size();
    r.summary.add(HLine(0, 1, x));
    for (int i = 0; i < kapanis.size(); ++i)
        r.summary.add(Named(Bold(Label(0, 2 + 5 * i, x, 5, kapanis.at(i))), QStringLiteral("Kapanis%1").arg(i)));
    return r;
}

QString islemBasligi(const CariHrkSatiri& s)
{
    return CariHrkTurBasligi(CariHrkEkrani::Ekstre, s.CRHRK_TUR.isEmpty() ? QChar() : s.CRHRK_TUR.at(0), s.REF_NO);
}

Report yerelEkstre(const EkstreVerisi& v, const EkstreSecenekleri& secenek)
{
    const QList<Kolon> kolonlar{
        {"SNO", "S.No", 9, false},          {"TARIH", "Tarih", 18, false},
        {"ISLEM", "İşlem", 20, false},      {"BORC", "Borç", 24, true},
        {"ALACAK", "Alacak", 24, true},     {"BAKIYE", "Bakiye", 30, true},
        {"BORC_DVZ", "Borç Dvz  ", 22, true}, {"ALACAK_DVZ", "Alacak Dvz ", 22, true},
        {"BAKIYE_DVZ", "Bakiye Dvz  ", 28, true}, {"DOVIZ", "Döviz  ", 12, false},
        {"VADE", "Vade", 18, false},
        {"CEKDRM", secenek.belgeNo ? QStringLiteral("Belge No") : QStringLiteral("ÇekDrm"), 14, false},
        {"ACIKLAMA", "Açıklama", 36, false},
    };
    QVector<QVector<QVariant>> rows;
    double bakiye = v.devir.bakiye();
    double bakiyeDvz = v.devir.bakiyeDvz();
    double borc = v.devir.borc, alacak = v.devir.alacak;
    rows.append({QString(), QString(), QStringLiteral("(Devir)"), ekstreTutar(v.devir.borc), ekstreTutar(v.devir.alacak),
                 EkstreBakiye(bakiye), ekstreTutar(v.devir.borcDvz), ekstreTutar(v.devir.alacakDvz), EkstreBakiye(bakiyeDvz),
                 QString(), QString(), QString(), QString()});
    int sno = 0;
    for (const CariHrkSatiri& s : v.satirlar) {
        bakiye += s.BORC - s.ALACAK;
        bakiyeDvz += s.BORC_DVZ - s.ALACAK_DVZ;
        borc += s.BORC;
        alacak += s.ALACAK;
        rows.append({QString::number(++sno), ekstreTarih(s.TARIH.date()), islemBasligi(s), ekstreTutar(s.BORC), ekstreTutar(s.ALACAK),
                     EkstreBakiye(bakiye), ekstreTutar(s.BORC_DVZ), ekstreTutar(s.ALACAK_DVZ), EkstreBakiye(bakiyeDvz),
                     s.DOVIZ_KODU, ekstreTarih(s.VADE_TRH.date()), secenek.belgeNo ? s.BELGE_NO : s.SON_DURUMU,
                     s.Aciklama2});
    }
    QStringList kapanis{QStringLiteral("Genel Toplam      Borç : %1      Alacak : %2      Bakiye : %3")
                            .arg(ekstreTutar(borc), ekstreTutar(alacak), EkstreBakiye(bakiye).trimmed())};
    // With a filter the account's totals of all rows would not match the lines shown.
    if (v.filtre.bos()) {
        const double kalan = v.hesapToplami.bakiye();
        const QString taraf = std::llround(kalan * 100) == 0 ? QString()
                              : kalan > 0                    ? QStringLiteral("(Borç)")
                                                             : QStringLiteral("(Alacak)");
        kapanis.append(QStringLiteral("Toplam Borç : %1      Toplam Alacak : %2      Kalan : %3 %4")
                           .arg(ekstreTutar(v.hesapToplami.borc), ekstreTutar(v.hesapToplami.alacak), ekstreTutar(std::abs(kalan)), taraf)
                           .trimmed());
    }
    return tablo(QStringLiteral("Cari Hesap Ekstresi"), v, kolonlar, rows, kapanis, secenek.baslikBirKez);
}

Report dovizEkstre(const EkstreVerisi& v)
{
    const QList<Kolon> kolonlar{
        {"TARIH", "Tarih", 18, false},       {"BORC", "Borç", 26, true},         {"ALACAK", "Alacak", 26, true},
        {"BORC_USD", "Borç $", 22, true},    {"ALACAK_USD", "Alacak $", 22, true}, {"BORC_DVZ", "Borç Dvz", 24, true},
        {"ALACAK_DVZ", "Alck. Dvz", 24, true}, {"DOVIZ", "Döviz", 12, false},    {"VADE", "Vade", 18, false},
        {"ACIKLAMA", "Açıklama", 75, false}, {"SNO", "S.No", 10, true},
    };
    QVector<QVector<QVariant>> rows;
    double borc = 0, alacak = 0, borcUsd = 0, alacakUsd = 0;
    int sno = 0;
    for (const CariHrkSatiri& s : v.satirlar) {
        borc += s.BORC;
        alacak += s.ALACAK;
        borcUsd += s.BORC_USD;
        alacakUsd += s.ALACAK_USD;
        rows.append({ekstreTarih(s.TARIH.date()), ekstreTutar(s.BORC), ekstreTutar(s.ALACAK), ekstreTutar(s.BORC_USD), ekstreTutar(s.ALACAK_USD),
                     ekstreTutar(s.BORC_DVZ), ekstreTutar(s.ALACAK_DVZ), s.DOVIZ_KODU, ekstreTarih(s.VADE_TRH.date()), s.Aciklama2,
                     QString::number(++sno)});
    }
    QStringList kapanis{QStringLiteral("Genel Toplam      Alacak : %1      Borç : %2      Kalan : %3")
                            .arg(ekstreTutar(alacak), ekstreTutar(borc), EkstreBakiye(borc - alacak).trimmed())};
    if (v.filtre.bos())
        kapanis.append(QStringLiteral("Toplam Borç : %1      Toplam Alacak : %2      Toplam $ Borç : %3      "
                                      "Toplam $ Alacak : %4      $ Kalan : %5")
                           .arg(ekstreTutar(v.hesapToplami.borc), ekstreTutar(v.hesapToplami.alacak),
                                ekstreTutar(v.hesapToplami.borcUsd), ekstreTutar(v.hesapToplami.alacakUsd),
                                EkstreBakiye(v.hesapToplami.borcUsd - v.hesapToplami.alacakUsd).trimmed()));
    Report r = tablo(QStringLiteral("Cari Hesap Ekstresi"), v, kolonlar, rows, kapanis, false);
    return r;
}

Report bakiyeDetayRaporu(const EkstreVerisi& v)
{
    const QList<Kolon> kolonlar{{"TUR", "İşlem", 40, false}, {"ALT", "Detay", 40, false},
                                {"BAKIYE", "Bakiye", 40, true}};
    QVector<QVector<QVariant>> rows;
    for (const BakiyeDetaySatiri& b : v.bakiyeDetay)
        rows.append({CariHrkTurBasligi(CariHrkEkrani::Ekstre, b.CRHRK_TUR.isEmpty() ? QChar() : b.CRHRK_TUR.at(0)),
                     AltTipBasligi(AltTipEkrani::BakiyeDetay, b.ALT_TIP,
                                   b.CRHRK_TUR.isEmpty() ? QChar() : b.CRHRK_TUR.at(0)),
                     EkstreBakiye(b.BAKIYE)});
    return tablo(QStringLiteral("Bakiye Detayı"), v, kolonlar, rows, {}, false);
}

} // namespace

report::Document EkstreBelgesi(const EkstreVerisi& v, const EkstreSecenekleri& secenek)
{
    report::Document doc = report::Render(secenek.yerelPara ? yerelEkstre(v, secenek) : dovizEkstre(v));
    if (secenek.yerelPara && secenek.bakiyeDetay) {
        const report::Document detay = report::Render(bakiyeDetayRaporu(v));
        doc.pages.append(detay.pages);
    }
    return doc;
}

} // namespace tornaly::accounts
