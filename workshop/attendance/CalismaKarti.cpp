#include "workshop/attendance/CalismaKarti.h"
#include "guard/IslemReddi.h"

namespace tornaly::workshop {

namespace {
// Times of day sit on day 0, as the card's time editors keep them.
QVariant pdksSaatDegeri(const QTime& t)
{
    return t.isValid() ? QVariant(QDateTime(QDate(1899, 12, 30), t)) : QVariant(QMetaType(QMetaType::QDateTime));
}
} // namespace

void CalismaToplami::ekle(const QString& isTip, double fiili, double satilan)
{
    const QString t = isTip.trimmed();
    if (t.isEmpty())
        return;
    m_satilan += satilan;
    const QChar ilk = t.at(0);
    if (ilk == QLatin1Char('D') || ilk == QLatin1Char('G') || ilk == QLatin1Char('M') || ilk == QLatin1Char('P')) {
        m_verimli += fiili;
        m_calis += fiili;
        return;
    }
    for (const char* w : {"W1", "W2", "W3", "W4", "W8", "W9"})
        if (t == QLatin1String(w))
            m_calis += fiili;
}

double CalismaToplami::calisilan() const
{
    if (m_mola && m_calis - 0.5 > 0)
        return m_calis - 0.5;
    return m_calis;
}

QString CalismaSatirTipi(const QString& secim)
{
    const QString t = secim.left(2).trimmed();
    return t.isEmpty() ? QStringLiteral("M") : t;
}

double CalismaFiiliSaat(const QTime& bas, const QTime& bit)
{
    if (!bas.isValid() || !bit.isValid())
        return 0;
    return double(bas.msecsTo(bit)) / 3600000.0;
}

QList<double> CalismaKartNolari(const Db& db)
{
    QList<double> out;
    Query q(db, QStringLiteral("SELECT KONT_KART_NO FROM PERWORKM ORDER BY TARIH, PER_KOD, KONT_KART_NO"));
    q.exec();
    while (q.next())
        out << q.num(pdks::U("KONT_KART_NO"));
    return out;
}

CalismaKarti CalismaKartiOku(const Db& db, double no)
{
    CalismaKarti k;
    Query q(db, QStringLiteral("SELECT * FROM PERWORKM WHERE KONT_KART_NO = :N"));
    q.bind(pdks::U("N"), no).exec();
    if (!q.next())
        return k;
    k.KONT_KART_NO = no;
    k.PER_KOD = q.str(pdks::U("PER_KOD"));
    k.TARIH = q.date(pdks::U("TARIH"));
    k.VERIMLI_SAAT = q.num(pdks::U("VERIMLI_SAAT"));
    k.CALIS_SAAT = q.num(pdks::U("CALIS_SAAT"));
    k.SATILAN_SAAT = q.num(pdks::U("SATILAN_SAAT"));
    k.UCRETLI_MOLA = q.integer(pdks::U("UCRETLI_MOLA")) != 0;
    return k;
}

QList<CalismaSatiri> CalismaSatirlari(const Db& db, double no)
{
    QList<CalismaSatiri> out;
    Query q(db, QStringLiteral("SELECT * FROM PERWORKD WHERE KONT_KART_NO = :N ORDER BY SIRA_NO"));
    q.bind(pdks::U("N"), no).exec();
    while (q.next()) {
        CalismaSatiri s;
        s.SIRA_NO = int(q.integer(pdks::U("SIRA_NO")));
        s.IS_TIP = q.str(pdks::U("IS_TIP"));
        s.IS_EMRI_NO = q.str(pdks::U("IS_EMRI_NO"));
        s.SATILAN_SAAT = q.num(pdks::U("SATILAN_SAAT"));
        if (!q.isNull(pdks::U("BAS_SAAT")))
            s.BAS_SAAT = q.dateTime(pdks::U("BAS_SAAT")).time();
        if (!q.isNull(pdks::U("BIT_SAAT")))
            s.BIT_SAAT = q.dateTime(pdks::U("BIT_SAAT")).time();
        s.FIILI_SAAT = q.num(pdks::U("FIILI_SAAT"));
        out << s;
    }
    return out;
}

double CalismaKartiBul(const Db& db, const QDate& gun, const QString& perKod)
{
    Query q(db, QStringLiteral("SELECT KONT_KART_NO FROM PERWORKM WHERE TARIH >= :G AND TARIH < :S AND PER_KOD = :P"));
    q.bind(pdks::U("G"), pdks::GunBasi(gun)).bind(pdks::U("S"), pdks::GunBasi(gun.addDays(1))).bind(pdks::U("P"), perKod).exec();
    return q.next() ? q.num(pdks::U("KONT_KART_NO")) : 0;
}

double CalismaKartiIlkGun(const Db& db, const QDate& gun)
{
    Query q(db, QStringLiteral("SELECT KONT_KART_NO FROM PERWORKM WHERE TARIH >= :G "
                               "ORDER BY TARIH, PER_KOD, KONT_KART_NO"));
    q.bind(pdks::U("G"), pdks::GunBasi(gun)).exec();
    return q.next() ? q.num(pdks::U("KONT_KART_NO")) : 0;
}

double CalismaKartiKaydet(const Db& db, CalismaKarti& k)
{
    if (k.PER_KOD.trimmed().isEmpty())
        throw IslemReddi(pdks::U("Personel Kod Bilgisini Vermeden Kayıt Saklanamaz."));
    if (!k.TARIH.isValid())
        throw IslemReddi(pdks::U("Tarih Bilgisini Vermeden Kayıt Saklanamaz."));
    QVariantMap b{{pdks::U("P"), k.PER_KOD},          {pdks::U("T"), pdks::GunBasi(k.TARIH)},     {pdks::U("V"), k.VERIMLI_SAAT},
                  {pdks::U("C"), k.CALIS_SAAT},       {pdks::U("S"), k.SATILAN_SAAT},       {pdks::U("M"), k.UCRETLI_MOLA ? 1 : 0}};
    if (k.KONT_KART_NO > 0) {
        b.insert(pdks::U("N"), k.KONT_KART_NO);
        db.exec(QStringLiteral("UPDATE PERWORKM SET PER_KOD = :P, TARIH = :T, VERIMLI_SAAT = :V, CALIS_SAAT = :C, "
                               "SATILAN_SAAT = :S, UCRETLI_MOLA = :M, AKTARILDI = 0 WHERE KONT_KART_NO = :N"),
                b);
        return k.KONT_KART_NO;
    }
    // The highest number + 1; the key refuses a number another workstation took meanwhile.
    for (int deneme = 0;; ++deneme) {
        try {
            Transaction tx(db);
            Query m(db, QStringLiteral("SELECT COALESCE(MAX(KONT_KART_NO), 0) + 1 FROM PERWORKM"));
            m.exec();
            m.next();
            const double no = m.value(0).toDouble();
            m.finish();
            b.insert(pdks::U("N"), no);
            db.exec(QStringLiteral("INSERT INTO PERWORKM (KONT_KART_NO, PER_KOD, TARIH, VERIMLI_SAAT, CALIS_SAAT, "
                                   "SATILAN_SAAT, UCRETLI_MOLA, AKTARILDI) VALUES (:N, :P, :T, :V, :C, :S, :M, 0)"),
                    b);
            tx.commit();
            k.KONT_KART_NO = no;
            return no;
        } catch (const DbError& e) {
            if (!e.isUniqueViolation() || deneme >= 4)
                throw;
        }
    }
}

CalismaKarti CalismaToplamlariniYaz(const Db& db, double kartNo)
{
    CalismaKarti k = CalismaKartiOku(db, kartNo);
    CalismaToplami t;
    t.ucretliMola(k.UCRETLI_MOLA);
    for (const CalismaSatiri& s : CalismaSatirlari(db, kartNo))
        t.ekle(s.IS_TIP, s.FIILI_SAAT, s.SATILAN_SAAT);
    k.VERIMLI_SAAT = t.verimli();
    k.CALIS_SAAT = t.calisilan();
    k.SATILAN_SAAT = t.satilan();
    db.exec(QStringLiteral("UPDATE PERWORKM SET VERIMLI_SAAT = :V, CALIS_SAAT = :C, SATILAN_SAAT = :S, AKTARILDI = 0 "
                           "WHERE KONT_KART_NO = :N"),
            {{pdks::U("V"), k.VERIMLI_SAAT}, {pdks::U("C"), k.CALIS_SAAT}, {pdks::U("S"), k.SATILAN_SAAT}, {pdks::U("N"), kartNo}});
    return k;
}

CalismaKarti CalismaKartiHesapla(const Db& db, CalismaKarti k)
{
    Transaction tx(db);
    CalismaKartiKaydet(db, k);
    const CalismaKarti sonuc = CalismaToplamlariniYaz(db, k.KONT_KART_NO);
    tx.commit();
    return sonuc;
}

int CalismaSatiriKaydet(const Db& db, double kartNo, CalismaSatiri& s)
{
    s.IS_TIP = CalismaSatirTipi(s.IS_TIP);
    if (s.BAS_SAAT.isValid() && s.BIT_SAAT.isValid())
        s.FIILI_SAAT = CalismaFiiliSaat(s.BAS_SAAT, s.BIT_SAAT);
    const CalismaKarti k = CalismaKartiOku(db, kartNo);
    Transaction tx(db);
    QVariantMap b{{pdks::U("N"), kartNo},           {pdks::U("T"), s.IS_TIP},
                  {pdks::U("E"), s.IS_EMRI_NO},     {pdks::U("SS"), s.SATILAN_SAAT},
                  {pdks::U("B"), pdksSaatDegeri(s.BAS_SAAT)}, {pdks::U("BT"), pdksSaatDegeri(s.BIT_SAAT)},
                  {pdks::U("F"), s.FIILI_SAAT},     {pdks::U("P"), k.PER_KOD},
                  {pdks::U("G"), pdks::GunBasi(k.TARIH)}};
    if (s.SIRA_NO > 0) {
        b.insert(pdks::U("R"), s.SIRA_NO);
        db.exec(QStringLiteral("UPDATE PERWORKD SET IS_TIP = :T, IS_EMRI_NO = :E, SATILAN_SAAT = :SS, BAS_SAAT = :B, "
                               "BIT_SAAT = :BT, FIILI_SAAT = :F, PER_KOD = :P, TARIH = :G "
                               "WHERE KONT_KART_NO = :N AND SIRA_NO = :R"),
                b);
    } else {
        Query m(db, QStringLiteral("SELECT COALESCE(MAX(SIRA_NO), 0) + 1 FROM PERWORKD WHERE KONT_KART_NO = :N"));
        m.bind(pdks::U("N"), kartNo).exec();
        m.next();
        s.SIRA_NO = m.value(0).toInt();
        m.finish();
        b.insert(pdks::U("R"), s.SIRA_NO);
        db.exec(QStringLiteral("INSERT INTO PERWORKD (KONT_KART_NO, SIRA_NO, IS_TIP, IS_EMRI_NO, SATILAN_SAAT, "
                               "BAS_SAAT, BIT_SAAT, FIILI_SAAT, PER_KOD, TARIH) VALUES (:N, :R, :T, :E, :SS, :B, :BT, "
                               ":F, :P, :G)"),
                b);
    }
    CalismaToplamlariniYaz(db, kartNo);
    tx.commit();
    return s.SIRA_NO;
}

void CalismaSatiriSil(const Db& db, double kartNo, int siraNo)
{
    Transaction tx(db);
    db.exec(QStringLiteral("DELETE FROM PERWORKD WHERE KONT_KART_NO = :N AND SIRA_NO = :R"),
            {{pdks::U("N"), kartNo}, {pdks::U("R"), siraNo}});
    CalismaToplamlariniYaz(db, kartNo);
    tx.commit();
}

void CalismaKartiSil(const Db& db, double kartNo)
{
    Transaction tx(db);
    db.exec(QStringLiteral("DELETE FROM PERWORKD WHERE KONT_KART_NO = :N"), {{pdks::U("N"), kartNo}});
    db.exec(QStringLiteral("DELETE FROM PERWORKM WHERE KONT_KART_NO = :N"), {{pdks::U("N"), kartNo}});
    tx.commit();
}

} // namespace tornaly::workshop
