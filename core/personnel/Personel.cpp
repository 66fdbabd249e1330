#include "personnel/Personel.h"
#include "util/Utf8.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

namespace tornaly {

namespace {

using text::S;

bool bos(const QVariant& v) { return v.isNull() || v.toString().trimmed().isEmpty(); }

// Date columns come back as text on SQLite; the card works with QDateTime.
const QStringList& tarihKolonlari()
{
    static const QStringList k{S("IS_BAS_TRH"), S("AYRILIS_TRH"), S("DTAR")};
    return k;
}

} // namespace

const QStringList& PersonelKolonlari()
{
    static const QStringList k{
        S("ISCI_KOD"), S("ISCI_ADI"), S("ISCI_TIP"), S("GRUBU"), S("BOLUMU"), S("GOREVI"), S("LISTE_SIRA"),
        S("DURUM"), S("IS_BAS_TRH"), S("AYRILIS_TRH"), S("IS_TEC_YIL"), S("ISCI_UCRET_NET"), S("ISCI_UCRET_BRUT"),
        S("ISCI_SSK"), S("SSK_NO"), S("CIHAZ_ID"), S("TEL1"), S("TEL2"), S("ADRES1"), S("SEMT"), S("IL"),
        S("EMAIL"), S("TCKIMLIK_NO"), S("VKIMLIK_NO"), S("DTAR"), S("DYER"), S("CINSIYET"), S("MEDENI_DURUM"),
        S("COCUK"), S("MEZUNIYET"), S("ESKI_KURSLAR"), S("REFERANSI"), S("CALISTIGI_YERLER"), S("ACIKLAMA"),
        S("KANGRUBU"), S("BEDEN_NO"), S("BEDEN_UST"), S("BEDEN_ALT"), S("AYAKKABI_NO"), S("ASKERLIK"),
        S("ASTECYIL")};
    return k;
}

const QStringList& PersonelKopyaKolonlari()
{
    static const QStringList k{
        S("ISCI_ADI"), S("ISCI_TIP"), S("GOREVI"), S("TEL1"), S("TEL2"), S("ADRES1"), S("SEMT"), S("IL"),
        S("EMAIL"), S("IS_BAS_TRH"), S("IS_TEC_YIL"), S("MEZUNIYET"), S("ESKI_KURSLAR"), S("REFERANSI"),
        S("CALISTIGI_YERLER"), S("ACIKLAMA"), S("CIHAZ_ID"), S("BOLUMU"), S("GRUBU"), S("MEDENI_DURUM"),
        S("CINSIYET"), S("COCUK"), S("DYER"), S("DTAR"), S("ISCI_UCRET_NET"), S("ISCI_UCRET_BRUT"),
        S("ISCI_SSK"), S("SSK_NO"), S("BEDEN_NO"), S("BEDEN_UST"), S("BEDEN_ALT"), S("AYAKKABI_NO"),
        S("TCKIMLIK_NO"), S("VKIMLIK_NO"), S("KANGRUBU")};
    return k;
}

TPersonelKart PersonelOku(const Db& db, const QString& kod)
{
    TPersonelKart kart;
    Query q(db, S("SELECT ") + PersonelKolonlari().join(QLatin1Char(',')) +
                    S(" FROM ISCIUSTA WHERE ISCI_KOD=:ISCI_KOD"));
    q.bind(S("ISCI_KOD"), kod).exec();
    if (!q.next())
        return kart;
    for (const QString& k : PersonelKolonlari()) {
        const QVariant v = q.value(k);
        if (tarihKolonlari().contains(k))
            kart.insert(k, v.isNull() ? QVariant() : QVariant(Query::toDateTime(v)));
        else
            kart.insert(k, v);
    }
    return kart;
}

TPersonelKart YeniPersonelKarti(const Db& db, const QString& kopyaKod)
{
    TPersonelKart kart;
    for (const QString& k : PersonelKolonlari())
        kart.insert(k, QVariant());
    if (!kopyaKod.isEmpty()) {
        const TPersonelKart kaynak = PersonelOku(db, kopyaKod);
        for (const QString& k : PersonelKopyaKolonlari())
            kart.insert(k, kaynak.value(k));
    }
    kart.insert(S("DURUM"), S("A"));
    kart.insert(S("LISTE_SIRA"), 999);
    if (bos(kart.value(S("MEDENI_DURUM"))))
        kart.insert(S("MEDENI_DURUM"), S("B"));
    return kart;
}

QList<TPerEgitim> PersonelEgitimleri(const Db& db, const QString& kod)
{
    QList<TPerEgitim> out;
    Query q(db, S("SELECT SIRA_NO,KURS_KOD,KURS_AD,BAS_TARIH,BIT_TARIH,TOPLAM_SAAT FROM PEREGIT "
                  "WHERE ISCI_KOD=:ISCI_KOD ORDER BY SIRA_NO"));
    q.bind(S("ISCI_KOD"), kod).exec();
    while (q.next()) {
        TPerEgitim e;
        e.SIRA_NO = q.num(S("SIRA_NO"));
        e.KURS_KOD = q.str(S("KURS_KOD"));
        e.KURS_AD = q.str(S("KURS_AD"));
        e.BAS_TARIH = q.dateTime(S("BAS_TARIH"));
        e.BIT_TARIH = q.dateTime(S("BIT_TARIH"));
        e.TOPLAM_SAAT = q.num(S("TOPLAM_SAAT"));
        out << e;
    }
    return out;
}

double SonrakiEgitimSiraNo(const QList<TPerEgitim>& satirlar)
{
    double enBuyuk = 0;
    for (const TPerEgitim& e : satirlar)
        enBuyuk = std::max(enBuyuk, e.SIRA_NO);
    return enBuyuk + 1;
}

QString PersonelKartiHazirla(TPersonelKart& kart)
{
    const QString kod = kart.value(S("ISCI_KOD")).toString().trimmed();
    if (kod.isEmpty())
        return S("Lütfen personel kodunu giriniz!");
    kart.insert(S("ISCI_KOD"), kod);
    if (bos(kart.value(S("ISCI_ADI"))))
        return S("Lütfen personelin adını soyadını giriniz!");
    const QVariant ayrilis = kart.value(S("AYRILIS_TRH"));
    if (!ayrilis.isNull() && ayrilis.toDateTime().isValid())
        kart.insert(S("DURUM"), S("P"));
    if (bos(kart.value(S("DURUM"))))
        kart.insert(S("DURUM"), S("A"));
    if (kart.value(S("CINSIYET")).toString() != S("Bay")) {
        kart.insert(S("ASKERLIK"), QVariant());
        kart.insert(S("ASTECYIL"), QVariant());
    } else if (kart.value(S("ASKERLIK")).toInt() != 2) {
        kart.insert(S("ASTECYIL"), QVariant());
    }
    if (kart.value(S("LISTE_SIRA")).isNull())
        kart.insert(S("LISTE_SIRA"), 999);
    return {};
}

QList<TPerCV> PersonelOzgecmisi(const Db& db, const QString& kod)
{
    QList<TPerCV> out;
    Query q(db, S("SELECT ROW_ID,BOLUM,TARIH1,TARIH2,BILGI_TXT1,BILGI_TXT2,BILGI_TXT3,BILGI_TXT4,BILGI_INT1 "
                  "FROM PERCV WHERE PER_KOD=:KOD ORDER BY BOLUM, ROW_ID"));
    q.bind(S("KOD"), kod).exec();
    while (q.next()) {
        TPerCV c;
        c.ROW_ID = q.integer(S("ROW_ID"));
        c.BOLUM = int(q.integer(S("BOLUM")));
        c.TARIH1 = q.date(S("TARIH1"));
        c.TARIH2 = q.date(S("TARIH2"));
        c.BILGI_TXT1 = q.str(S("BILGI_TXT1"));
        c.BILGI_TXT2 = q.str(S("BILGI_TXT2"));
        c.BILGI_TXT3 = q.str(S("BILGI_TXT3"));
        c.BILGI_TXT4 = q.str(S("BILGI_TXT4"));
        c.BILGI_INT1 = int(q.integer(S("BILGI_INT1")));
        out << c;
    }
    return out;
}

QString OzgecmisKullanicisi(const QString& bayiKodu, const QString& login)
{
    return bayiKodu + QLatin1Char(';') + login.left(15);
}

namespace {

void ozgecmisYaz(const Db& db, const QString& kod, const TOzgecmisKaydi& o)
{
    for (qint64 id : o.silinen)
        db.exec(S("DELETE FROM PERCV WHERE ROW_ID=:ID AND PER_KOD=:KOD"), {{S("ID"), id}, {S("KOD"), kod}});
    const auto tarih = [](const QDate& d) { return d.isValid() ? QVariant(d.startOfDay()) : QVariant(); };
    for (const TPerCV& c : o.satirlar) {
        if (c.ROW_ID != 0 && !c.degisti)
            continue;
        QVariantMap b{{S("PER_KOD"), kod},           {S("BOLUM"), c.BOLUM},
                      {S("TARIH1"), tarih(c.TARIH1)}, {S("TARIH2"), tarih(c.TARIH2)},
                      {S("BILGI_TXT1"), c.BILGI_TXT1}, {S("BILGI_TXT2"), c.BILGI_TXT2},
                      {S("BILGI_TXT3"), c.BILGI_TXT3}, {S("BILGI_TXT4"), c.BILGI_TXT4},
                      {S("BILGI_INT1"), c.BILGI_INT1}};
        if (c.ROW_ID == 0) {
            b.insert(S("INS_USER"), o.kullanici);
            db.exec(S("INSERT INTO PERCV (PER_KOD,BOLUM,TARIH1,TARIH2,BILGI_TXT1,BILGI_TXT2,BILGI_TXT3,BILGI_TXT4,"
                      "BILGI_INT1,INS_DATE,INS_USER) VALUES (:PER_KOD,:BOLUM,:TARIH1,:TARIH2,:BILGI_TXT1,:BILGI_TXT2,"
                      ":BILGI_TXT3,:BILGI_TXT4,:BILGI_INT1,") + db.dialect().nowExpr() + S(",:INS_USER)"),
                    b);
        } else {
            b.insert(S("ROW_ID"), c.ROW_ID);
            b.insert(S("UPD_USER"), o.kullanici);
            db.exec(S("UPDATE PERCV SET BOLUM=:BOLUM,TARIH1=:TARIH1,TARIH2=:TARIH2,BILGI_TXT1=:BILGI_TXT1,"
                      "BILGI_TXT2=:BILGI_TXT2,BILGI_TXT3=:BILGI_TXT3,BILGI_TXT4=:BILGI_TXT4,BILGI_INT1=:BILGI_INT1,"
                      "UPD_DATE=") + db.dialect().nowExpr() +
                        S(",UPD_USER=:UPD_USER WHERE ROW_ID=:ROW_ID AND PER_KOD=:PER_KOD"),
                    b);
        }
    }
}

} // namespace

QString PersonelKaydet(const Db& db, TPersonelKart kart, bool yeni, const QList<TPerEgitim>& egitimler,
                       const std::optional<QByteArray>& foto, const std::optional<TOzgecmisKaydi>& ozgecmis)
{
    if (const QString hata = PersonelKartiHazirla(kart); !hata.isEmpty())
        return hata;
    const QString kod = kart.value(S("ISCI_KOD")).toString();
    QStringList kolonlar;
    QVariantMap binds;
    for (const QString& k : PersonelKolonlari()) {
        kolonlar << k;
        binds.insert(k, kart.value(k));
    }

    Transaction tr(db);
    Query var(db, S("SELECT ISCI_KOD FROM ISCIUSTA WHERE ISCI_KOD=:ISCI_KOD"));
    var.bind(S("ISCI_KOD"), kod).exec();
    const bool mevcut = var.next();
    if (yeni && mevcut)
        return S("Bu personel kodu kullanılıyor, lütfen başka bir kod veriniz!");
    if (!yeni && !mevcut)
        return S("Personel kartı bulunamadı; başka bir bilgisayardan silinmiş olabilir.");
    if (yeni) {
        db.exec(InsertSql(S("ISCIUSTA"), kolonlar), binds);
    } else {
        kolonlar.removeAll(S("ISCI_KOD"));
        db.exec(S("UPDATE ISCIUSTA SET ") + AssignSql(kolonlar) + S(" WHERE ISCI_KOD=:ISCI_KOD"), binds);
    }
    db.exec(S("DELETE FROM PEREGIT WHERE ISCI_KOD=:ISCI_KOD"), {{S("ISCI_KOD"), kod}});
    for (const TPerEgitim& e : egitimler)
        db.exec(S("INSERT INTO PEREGIT (ISCI_KOD,SIRA_NO,KURS_KOD,KURS_AD,BAS_TARIH,BIT_TARIH,TOPLAM_SAAT) "
                  "VALUES (:ISCI_KOD,:SIRA_NO,:KURS_KOD,:KURS_AD,:BAS_TARIH,:BIT_TARIH,:TOPLAM_SAAT)"),
                {{S("ISCI_KOD"), kod},
                 {S("SIRA_NO"), e.SIRA_NO},
                 {S("KURS_KOD"), e.KURS_KOD},
                 {S("KURS_AD"), e.KURS_AD},
                 {S("BAS_TARIH"), e.BAS_TARIH.isValid() ? QVariant(e.BAS_TARIH) : QVariant()},
                 {S("BIT_TARIH"), e.BIT_TARIH.isValid() ? QVariant(e.BIT_TARIH) : QVariant()},
                 {S("TOPLAM_SAAT"), e.TOPLAM_SAAT}});
    if (ozgecmis)
        ozgecmisYaz(db, kod, *ozgecmis);
    if (foto) {
        if (foto->isEmpty())
            PersonelFotoSil(db, kod);
        else
            PersonelFotoYaz(db, kod, *foto);
    }
    tr.commit();
    return {};
}

QString PersonelSil(const Db& db, const QString& kod)
{
    Transaction tr(db);
    Query kullanici(db, S("SELECT LOGIN_NAME FROM RIGHTS WHERE PERSONEL_KOD=:KOD"));
    kullanici.bind(S("KOD"), kod).exec();
    if (kullanici.next())
        return S("Bu personel '%1' kullanıcısına bağlı; önce kullanıcının personel kodunu değiştiriniz.")
            .arg(kullanici.str(S("LOGIN_NAME")));
    const QVariantMap b{{S("KOD"), kod}};
    db.exec(S("DELETE FROM PEREGIT WHERE ISCI_KOD=:KOD"), b);
    db.exec(S("DELETE FROM PERCV WHERE PER_KOD=:KOD"), b);
    db.exec(S("DELETE FROM RESIMLER WHERE KOD=:KOD AND TIP='P'"), b);
    db.exec(S("DELETE FROM ISCIUSTA WHERE ISCI_KOD=:KOD"), b);
    tr.commit();
    return {};
}

QByteArray PersonelFotoHazirla(const QString& dosya, QString* hata)
{
    QImageReader okuyucu(dosya);
    okuyucu.setAutoTransform(true);
    const QImage resim = okuyucu.read();
    if (resim.isNull()) {
        if (hata)
            *hata = S("Resim dosyası okunamadı!");
        return {};
    }
    const QImage kucuk = (resim.width() > 320 || resim.height() > 320)
                             ? resim.scaled(320, 320, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                             : resim;
    QByteArray jpeg;
    QBuffer tampon(&jpeg);
    tampon.open(QIODevice::WriteOnly);
    kucuk.save(&tampon, "JPEG");
    if (jpeg.size() > kFotoAzamiBayt) {
        if (hata)
            *hata = S("50 KB tan büyük dosya yükleyemezsiniz!");
        return {};
    }
    return jpeg;
}

void PersonelFotoYaz(const Db& db, const QString& kod, const QByteArray& jpeg)
{
    Transaction tr(db);
    const QVariantMap b{{S("KOD"), kod}};
    db.exec(S("DELETE FROM RESIMLER WHERE KOD=:KOD AND TIP='P'"), b);
    db.exec(S("INSERT INTO RESIMLER (KOD,TIP,RESIM) VALUES (:KOD,'P',:RESIM)"),
            {{S("KOD"), kod}, {S("RESIM"), jpeg}});
    tr.commit();
}

void PersonelFotoSil(const Db& db, const QString& kod)
{
    db.exec(S("DELETE FROM RESIMLER WHERE KOD=:KOD AND TIP='P'"), {{S("KOD"), kod}});
}

QByteArray PersonelFotoOku(const Db& db, const QString& kod)
{
    Query q(db, S("SELECT RESIM FROM RESIMLER WHERE KOD=:KOD AND TIP='P'"));
    q.bind(S("KOD"), kod).exec();
    return q.next() ? q.value(S("RESIM")).toByteArray() : QByteArray();
}

QStringList PersonelListeSatirlari()
{
    return {S("SELECT ISCI_KOD,ISCI_ADI,GRUBU,BOLUMU,ISCI_TIP,GOREVI,CIHAZ_ID,LISTE_SIRA FROM ISCIUSTA"),
            S("WHERE 1=1"), QString(), QString(), QString(), S("ORDER BY LISTE_SIRA")};
}

void PersonelFiltreUygula(SqlText& sql, const TPersonelFiltre& f)
{
    for (const char* n : {"BOLUMU", "tarih", "DURUM"})
        sql.binds.remove(QString::fromLatin1(n));
    sql.lines[2].clear();
    sql.lines[4].clear();
    if (!f.bolum.isEmpty())
        AddSqlParamCondition(sql, 2, S(" AND BOLUMU=:BOLUMU "), f.bolum);
    if (f.ayrilanlariGizle)
        AddSqlParamCondition(sql, 2, S(" AND (AYRILIS_TRH IS NULL OR AYRILIS_TRH> :tarih)"),
                             f.bugun.startOfDay());
    if (f.durum == 1 || f.durum == 2)
        AddSqlParamCondition(sql, 2, S(" AND DURUM=:DURUM "), f.durum == 1 ? S("A") : S("P"));
}

void PersonelAramaUygula(SqlText& sql, const Dialect& dialect, const TPersonelFiltre& f)
{
    for (const char* n : {"ARANAN", "ARANAN_KOD", "ARANAN_AD", "SIRA"})
        sql.binds.remove(QString::fromLatin1(n));
    // The search line binds what was typed: a code or name part, or a list order.
    sql.lines[3].clear();
    if (!f.arananKod.isEmpty()) {
        AddSqlParamCondition(sql, 3, S("AND ") + dialect.ciLike(S("ISCI_KOD"), S(":ARANAN_KOD")),
                             QLatin1Char('%') + Dialect::escapeLike(f.arananKod) + QLatin1Char('%'));
    } else if (!f.arananAd.isEmpty()) {
        AddSqlParamCondition(sql, 3, S("AND ") + dialect.ciLike(S("ISCI_ADI"), S(":ARANAN_AD")),
                             QLatin1Char('%') + Dialect::escapeLike(f.arananAd) + QLatin1Char('%'));
    } else if (!f.siraMetni.trimmed().isEmpty()) {
        bool ok = false;
        const int sira = f.siraMetni.trimmed().toInt(&ok);
        if (ok)
            AddSqlParamCondition(sql, 3, S("AND LISTE_SIRA=:SIRA"), sira);
    }
}

} // namespace tornaly
