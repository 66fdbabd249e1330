#include "accounts/vouchers/CariHrkFis.h"

#include "accounts/cash/Kasa.h"
#include "accounts/ledger/CariHrkTutar.h"
#include "accounts/vouchers/MuhasebeSorusu.h"
#include "company/Kilit.h"
#include "counters/Counters.h"
#include "messages/Messages.h"
#include "services/KurBul.h"
#include "services/MuhasebeEntegre.h"
#include "sql/SqlHelpers.h"

#include <QHash>
#include <QSet>
#include <cmath>

namespace tornaly::accounts {

namespace {

bool pozitif(const QVariant& v)
{
    return v.isValid() && !v.isNull() && v.toDouble() > 0;
}

QVariant sayi(double d)
{
    return QVariant(d);
}

QVariant bosSayi()
{
    return QVariant(QMetaType(QMetaType::Double));
}

QVariant metin(const QString& s)
{
    return s.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(s);
}

QVariant tarihVeyaBos(const QDate& d)
{
    return d.isValid() ? QVariant(d) : QVariant(QMetaType(QMetaType::QDate));
}

qint64 kurus(double v)
{
    return std::llround(v * 100.0);
}

bool vadeliTur(const QString& tip)
{
    return tip == QLatin1String("D") || tip == QLatin1String("I") || tip == QLatin1String("O");
}

// Payment terms of the accounts of a voucher, read with one statement; an
// account that does not exist is missing from the answer.
QHash<QString, int> hesapVadeleri(const Db& db, const QList<CariHrkFisSatiri>& satirlar)
{
    QStringList kodlar;
    for (const CariHrkFisSatiri& s : satirlar)
        if (!s.CARI_KOD.isEmpty() && !kodlar.contains(s.CARI_KOD))
            kodlar << s.CARI_KOD;
    QHash<QString, int> out;
    if (kodlar.isEmpty())
        return out;
    QStringList yerler;
    for (int i = 0; i < kodlar.size(); ++i)
        yerler << QStringLiteral(":K%1").arg(i);
    Query q(db, QStringLiteral("SELECT CARI_KOD, VADEGUN FROM CARI WHERE CARI_KOD IN (%1)").arg(yerler.join(QLatin1Char(','))));
    for (int i = 0; i < kodlar.size(); ++i)
        q.bind(QStringLiteral("K%1").arg(i), kodlar.at(i));
    q.exec();
    while (q.next())
        out.insert(q.str(QStringLiteral("CARI_KOD")), int(q.integer(QStringLiteral("VADEGUN"))));
    return out;
}

void basligiYaz(const Db& db, const CariHrkFisi& f, bool mevcut)
{
    const QVariantMap b{{QStringLiteral("CARI_NO"), f.CARI_NO},
                        {QStringLiteral("TARIH"), f.TARIH},
                        {QStringLiteral("TIP"), f.TIP},
                        {QStringLiteral("BORC"), f.BORC},
                        {QStringLiteral("ALACAK"), f.ALACAK},
                        {QStringLiteral("BORC_USD"), f.BORC_USD},
                        {QStringLiteral("ALACAK_USD"), f.ALACAK_USD},
                        {QStringLiteral("DOVIZ_KODU"), metin(f.DOVIZ_KODU)},
                        {QStringLiteral("FIS_NO"), f.FIS_NO.isValid() ? f.FIS_NO : bosSayi()},
                        {QStringLiteral("BELGE_NO"), metin(f.BELGE_NO.left(10))},
                        {QStringLiteral("REF_NO"), f.REF_NO.isValid() ? f.REF_NO : bosSayi()},
                        {QStringLiteral("REF_TIP"), metin(f.REF_TIP)},
                        {QStringLiteral("ALT_TIP"), metin(f.ALT_TIP)}};
    if (mevcut)
        db.exec(QStringLiteral("UPDATE CARIHRKM SET TARIH=:TARIH, TIP=:TIP, BORC=:BORC, ALACAK=:ALACAK, "
                               "BORC_USD=:BORC_USD, ALACAK_USD=:ALACAK_USD, DOVIZ_KODU=:DOVIZ_KODU, FIS_NO=:FIS_NO, "
                               "BELGE_NO=:BELGE_NO, REF_NO=:REF_NO, REF_TIP=:REF_TIP, ALT_TIP=:ALT_TIP "
                               "WHERE CARI_NO=:CARI_NO"),
                b);
    else
        db.exec(QStringLiteral("INSERT INTO CARIHRKM (CARI_NO, TARIH, TIP, BORC, ALACAK, BORC_USD, ALACAK_USD, "
                               "DOVIZ_KODU, FIS_NO, BELGE_NO, REF_NO, REF_TIP, ALT_TIP) VALUES (:CARI_NO, :TARIH, "
                               ":TIP, :BORC, :ALACAK, :BORC_USD, :ALACAK_USD, :DOVIZ_KODU, :FIS_NO, :BELGE_NO, "
                               ":REF_NO, :REF_TIP, :ALT_TIP)"),
                b);
}

void satirlariYaz(const Db& db, const CariHrkFisi& f)
{
    Query q(db, QStringLiteral(
                    "INSERT INTO CARIHRK (CARI_NO, SIRANO, CARI_KOD, TARIH, VADE_TRH, CRHRK_TUR, ALT_TIP, REF_NO, "
                    "REF_TIP, BORC, ALACAK, BORC_USD, ALACAK_USD, BORC_DVZ, ALACAK_DVZ, DOVIZ_KODU, PARA_BAZ, "
                    "TL_KURDEGER, TL_USDEGER, ACIKLAMA, BELGE_NO, KASAKOD, ODE_KOD, AY, YIL, FIS_NO) VALUES "
                    "(:CARI_NO, :SIRANO, :CARI_KOD, :TARIH, :VADE_TRH, :CRHRK_TUR, :ALT_TIP, :REF_NO, :REF_TIP, "
                    ":BORC, :ALACAK, :BORC_USD, :ALACAK_USD, :BORC_DVZ, :ALACAK_DVZ, :DOVIZ_KODU, :PARA_BAZ, "
                    ":TL_KURDEGER, :TL_USDEGER, :ACIKLAMA, :BELGE_NO, :KASAKOD, :ODE_KOD, :AY, :YIL, :FIS_NO)"));
    for (const CariHrkFisSatiri& s : f.satirlar) {
        q.bind(QStringLiteral("CARI_NO"), f.CARI_NO)
            .bind(QStringLiteral("SIRANO"), s.SIRANO)
            .bind(QStringLiteral("CARI_KOD"), s.CARI_KOD)
            .bind(QStringLiteral("TARIH"), f.TARIH)
            .bind(QStringLiteral("VADE_TRH"), tarihVeyaBos(s.VADE_TRH))
            .bind(QStringLiteral("CRHRK_TUR"), f.TIP)
            .bind(QStringLiteral("ALT_TIP"), metin(s.ALT_TIP))
            .bind(QStringLiteral("REF_NO"), s.REF_NO.isValid() ? s.REF_NO : bosSayi())
            .bind(QStringLiteral("REF_TIP"), metin(s.REF_TIP))
            .bind(QStringLiteral("BORC"), s.BORC.isValid() ? s.BORC : bosSayi())
            .bind(QStringLiteral("ALACAK"), s.ALACAK.isValid() ? s.ALACAK : bosSayi())
            .bind(QStringLiteral("BORC_USD"), s.BORC_USD.isValid() ? s.BORC_USD : bosSayi())
            .bind(QStringLiteral("ALACAK_USD"), s.ALACAK_USD.isValid() ? s.ALACAK_USD : bosSayi())
            .bind(QStringLiteral("BORC_DVZ"), s.BORC_DVZ.isValid() ? s.BORC_DVZ : bosSayi())
            .bind(QStringLiteral("ALACAK_DVZ"), s.ALACAK_DVZ.isValid() ? s.ALACAK_DVZ : bosSayi())
            .bind(QStringLiteral("DOVIZ_KODU"), metin(s.DOVIZ_KODU))
            .bind(QStringLiteral("PARA_BAZ"), QString(s.PARA_BAZ))
            .bind(QStringLiteral("TL_KURDEGER"), s.TL_KURDEGER)
            .bind(QStringLiteral("TL_USDEGER"), s.TL_USDEGER > 0 ? sayi(s.TL_USDEGER) : bosSayi())
            .bind(QStringLiteral("ACIKLAMA"), metin(s.ACIKLAMA))
            .bind(QStringLiteral("BELGE_NO"), metin(s.BELGE_NO))
            .bind(QStringLiteral("KASAKOD"), metin(s.KASAKOD))
            .bind(QStringLiteral("ODE_KOD"), metin(s.ODE_KOD))
            .bind(QStringLiteral("AY"), f.TARIH.month())
            .bind(QStringLiteral("YIL"), f.TARIH.year())
            .bind(QStringLiteral("FIS_NO"), f.FIS_NO.isValid() ? f.FIS_NO : bosSayi())
            .exec();
    }
}

} // namespace

bool CariHrkFisSatiri::alacakli() const
{
    return pozitif(ALACAK) || pozitif(ALACAK_USD) || pozitif(ALACAK_DVZ);
}

double CariHrkFisSatiri::tutar() const
{
    return BORC.toDouble() + ALACAK.toDouble();
}

void CariHrkFisi::toplamlariHesapla()
{
    BORC = ALACAK = BORC_USD = ALACAK_USD = 0;
    for (const CariHrkFisSatiri& s : satirlar) {
        BORC += s.BORC.toDouble();
        ALACAK += s.ALACAK.toDouble();
        BORC_USD += s.BORC_USD.toDouble();
        ALACAK_USD += s.ALACAK_USD.toDouble();
    }
}

QString KilitTipiTahmini(const CariHrkFisi& fis)
{
    static const QStringList kilitsiz = {QStringLiteral("V"), QStringLiteral("I"), QStringLiteral("O"),
                                         QStringLiteral("K"), QStringLiteral("F"), QStringLiteral("D"),
                                         QStringLiteral("1"), QStringLiteral("2")};
    if (kilitsiz.contains(fis.TIP))
        return {};
    return fis.ALACAK > 0 ? QStringLiteral("B") : QStringLiteral("A");
}

void CariHrkSatirHesapla(const SessionContext& ctx, const Db& db, const CariHrkFisi& fis, CariHrkFisSatiri& s,
                         int vadeGun)
{
    if (s.DOVIZ_KODU.trimmed().isEmpty())
        s.DOVIZ_KODU = ctx.YerelPara;
    const SatirKurlari k = SatirKurlariniBelirle(ctx, db, s.DOVIZ_KODU, s.TL_KURDEGER, s.TL_USDEGER, fis.TARIH);
    if (!k.tlKurDeger)
        throw CariHrkFisHatasi(KurYokMesaji(s.DOVIZ_KODU, fis.TARIH));
    if (!k.tlUsDeger && s.PARA_BAZ == QLatin1Char('U'))
        throw CariHrkFisHatasi(KurYokMesaji(QStringLiteral("USD"), fis.TARIH));
    s.TL_KURDEGER = *k.tlKurDeger;
    s.TL_USDEGER = k.tlUsDeger.value_or(0.0);

    const bool alacak = s.alacakli();
    QVariant& tl = alacak ? s.ALACAK : s.BORC;
    QVariant& usd = alacak ? s.ALACAK_USD : s.BORC_USD;
    QVariant& dvz = alacak ? s.ALACAK_DVZ : s.BORC_DVZ;
    const QChar baz = s.PARA_BAZ == QLatin1Char('U') || s.PARA_BAZ == QLatin1Char('D') ? s.PARA_BAZ : QLatin1Char('T');
    const QVariant& girilen = baz == QLatin1Char('U') ? usd : baz == QLatin1Char('D') ? dvz : tl;
    if (girilen.isValid() && !girilen.isNull()) {
        const UcTutar u = UcTutarHesapla(baz, girilen.toDouble(), s.TL_KURDEGER, k.tlUsDeger.value_or(1.0));
        tl = u.tl;
        dvz = u.dvz;
        usd = k.tlUsDeger ? QVariant(u.usd) : bosSayi();
    }
    // The other side carries nothing.
    (alacak ? s.BORC : s.ALACAK) = bosSayi();
    (alacak ? s.BORC_USD : s.ALACAK_USD) = bosSayi();
    (alacak ? s.BORC_DVZ : s.ALACAK_DVZ) = bosSayi();

    if (vadeliTur(fis.TIP)) {
        if (!s.VADE_TRH.isValid())
            s.VADE_TRH = fis.TARIH;
    } else {
        s.VADE_TRH = vadeGun >= 1 ? fis.TARIH.addDays(vadeGun) : fis.TARIH;
    }
}

namespace {

std::optional<QString> fisKontrol(const SessionContext& ctx, const Db& db, const CariHrkFisi& fis,
                                  const QHash<QString, int>& hesaplar)
{
    if (pozitif(fis.FIS_NO)) {
        Query q(db, QStringLiteral("SELECT COUNT(*) FAT_SAYISI FROM CARIHRKM WHERE FIS_NO = :FIS_NO"));
        q.bind(QStringLiteral("FIS_NO"), fis.FIS_NO).exec();
        if (q.next() && q.integer(QStringLiteral("FAT_SAYISI")) > 1)
            return QStringLiteral("Uyarı: Bu Kayıt Toplu Muhasebeleştirilmiştir.\n"
                                  "Muhasebe modülünden fiş kaydını silerek !\n"
                                  "belge üzerindeki değişiklikleri saklıyabilirsinz.");
    }
    if (fis.TIP.isEmpty())
        return QString(); // nothing to save; stops without a message
    if (IsDateLocked(ctx, false, fis.TARIH))
        return QStringLiteral("İlgili tarih için işlem yapılamaz!");
    if (fis.TIP == QLatin1String("N")) {
        QSet<QString> bakilan;
        for (const CariHrkFisSatiri& s : fis.satirlar) {
            if (bakilan.contains(s.KASAKOD))
                continue;
            if (!KasaVar(db, s.KASAKOD))
                return QStringLiteral("Kasa Kodu Seçilmelidir !");
            bakilan.insert(s.KASAKOD);
        }
    }
    if (fis.TIP == QLatin1String("V")) {
        double borc = 0, alacak = 0;
        for (const CariHrkFisSatiri& s : fis.satirlar) {
            borc += s.BORC.toDouble();
            alacak += s.ALACAK.toDouble();
        }
        if (kurus(borc) != kurus(alacak))
            return QStringLiteral("Borç-Alacak Toplamları Eşit olmalı");
    }
    if (fis.satirlar.isEmpty())
        return QStringLiteral("Dikkat Hareket Kaydı olmadan Kayıt Yapılmaz");
    for (const CariHrkFisSatiri& s : fis.satirlar) {
        if (s.CARI_KOD.trimmed().isEmpty())
            return QStringLiteral("Cari Kod alanı boş geçilemez.");
        if (!hesaplar.contains(s.CARI_KOD))
            return QStringLiteral("Cari Kodu Bulunamadı: ") + s.CARI_KOD;
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> CariHrkFisKontrol(const SessionContext& ctx, const Db& db, const CariHrkFisi& fis)
{
    return fisKontrol(ctx, db, fis, hesapVadeleri(db, fis.satirlar));
}

double CariHrkFisKaydet(const SessionContext& ctx, const Db& db, CariHrkFisi& fis)
{
    // Amounts first, so that the transfer balance is checked on the posted values.
    // Lines of one account share its payment term: read it once.
    const QHash<QString, int> vadeler = hesapVadeleri(db, fis.satirlar);
    QHash<QString, std::optional<double>> kurlar;
    for (CariHrkFisSatiri& s : fis.satirlar) {
        if (fis.TIP == QLatin1String("N") && !fis.BELGE_NO.isEmpty())
            s.BELGE_NO = fis.BELGE_NO;
        // Lines without their own rates take the day's rate: one look-up per currency.
        const auto gunKuru = [&](const QString& doviz, double& kur) {
            if (kur != 0.0 && kur != 1.0)
                return;
            auto k = kurlar.find(doviz);
            if (k == kurlar.end())
                k = kurlar.insert(doviz, KurBul(ctx, db, doviz, 2, fis.TARIH));
            if (k.value())
                kur = *k.value();
        };
        if (!YerelParaMi(ctx, QStringLiteral("USD")))
            gunKuru(QStringLiteral("USD"), s.TL_USDEGER);
        if (!YerelParaMi(ctx, s.DOVIZ_KODU))
            gunKuru(s.DOVIZ_KODU.trimmed(), s.TL_KURDEGER);
        CariHrkSatirHesapla(ctx, db, fis, s, vadeler.value(s.CARI_KOD));
    }
    fis.toplamlariHesapla();
    if (const auto m = fisKontrol(ctx, db, fis, vadeler))
        throw CariHrkFisHatasi(*m);
    if (fis.CARI_NO <= 0)
        fis.CARI_NO = double(TakeCounterNumber(db, QStringLiteral("NEWCARI")));

    Transaction tx(db);
    Query var(db, QStringLiteral("SELECT FIS_NO FROM CARIHRKM WHERE CARI_NO=:N"));
    var.bind(QStringLiteral("N"), fis.CARI_NO).exec();
    const bool mevcut = var.next();
    if (mevcut)
        fis.FIS_NO = var.value(QStringLiteral("FIS_NO"));
    basligiYaz(db, fis, mevcut);
    db.exec(QStringLiteral("DELETE FROM CARIHRK WHERE CARI_NO=:N"), {{QStringLiteral("N"), fis.CARI_NO}});
    satirlariYaz(db, fis);
    KasaAynaSil(db, fis.CARI_NO, QLatin1Char('C'));
    if (fis.TIP == QLatin1String("N"))
        CariHrkKasaAynaYaz(db, fis.CARI_NO);
    tx.commit();
    return fis.CARI_NO;
}

std::optional<CariHrkFisi> CariHrkFisOku(const Db& db, double cariNo)
{
    Query h(db, QStringLiteral("SELECT * FROM CARIHRKM WHERE CARI_NO=:CARI_NO"));
    h.bind(QStringLiteral("CARI_NO"), cariNo).exec();
    if (!h.next())
        return std::nullopt;
    CariHrkFisi f;
    f.CARI_NO = h.num(QStringLiteral("CARI_NO"));
    f.TARIH = h.date(QStringLiteral("TARIH"));
    f.TIP = h.str(QStringLiteral("TIP"));
    f.BELGE_NO = h.str(QStringLiteral("BELGE_NO"));
    f.FIS_NO = h.value(QStringLiteral("FIS_NO"));
    f.REF_NO = h.value(QStringLiteral("REF_NO"));
    f.REF_TIP = h.str(QStringLiteral("REF_TIP"));
    f.ALT_TIP = h.str(QStringLiteral("ALT_TIP"));
    f.DOVIZ_KODU = h.str(QStringLiteral("DOVIZ_KODU"));
    Query q(db, QStringLiteral("SELECT * FROM CARIHRK WHERE CARI_NO=:CARI_NO ORDER BY SIRANO"));
    q.bind(QStringLiteral("CARI_NO"), cariNo).exec();
    while (q.next()) {
        CariHrkFisSatiri s;
        s.SIRANO = int(q.integer(QStringLiteral("SIRANO")));
        s.CARI_KOD = q.str(QStringLiteral("CARI_KOD"));
        s.BORC = q.value(QStringLiteral("BORC"));
        s.BORC_USD = q.value(QStringLiteral("BORC_USD"));
        s.BORC_DVZ = q.value(QStringLiteral("BORC_DVZ"));
        s.ALACAK = q.value(QStringLiteral("ALACAK"));
        s.ALACAK_USD = q.value(QStringLiteral("ALACAK_USD"));
        s.ALACAK_DVZ = q.value(QStringLiteral("ALACAK_DVZ"));
        const QString baz = q.str(QStringLiteral("PARA_BAZ"));
        s.PARA_BAZ = baz.isEmpty() ? QLatin1Char('T') : baz.at(0);
        s.DOVIZ_KODU = q.str(QStringLiteral("DOVIZ_KODU"));
        s.TL_KURDEGER = q.num(QStringLiteral("TL_KURDEGER"));
        s.TL_USDEGER = q.num(QStringLiteral("TL_USDEGER"));
        s.KASAKOD = q.str(QStringLiteral("KASAKOD"));
        s.ODE_KOD = q.str(QStringLiteral("ODE_KOD"));
        s.BELGE_NO = q.str(QStringLiteral("BELGE_NO"));
        s.ACIKLAMA = q.str(QStringLiteral("ACIKLAMA"));
        s.VADE_TRH = q.date(QStringLiteral("VADE_TRH"));
        s.REF_NO = q.value(QStringLiteral("REF_NO"));
        s.REF_TIP = q.str(QStringLiteral("REF_TIP"));
        s.ALT_TIP = q.str(QStringLiteral("ALT_TIP"));
        f.satirlar << s;
    }
    f.toplamlariHesapla();
    return f;
}

std::optional<double> FaturaOdemeFisi(const Db& db, double refNo, const QString& refTip, const QString& tip)
{
    Query q(db, QStringLiteral("SELECT CARI_NO FROM CARIHRKM WHERE REF_NO=:refno AND REF_TIP=:alttip AND TIP=:tip "
                               "ORDER BY CARI_NO"));
    q.bind(QStringLiteral("refno"), refNo).bind(QStringLiteral("alttip"), refTip).bind(QStringLiteral("tip"), tip).exec();
    if (q.next())
        return q.num(QStringLiteral("CARI_NO"));
    return std::nullopt;
}

void CariHrkFisSil(const SessionContext& ctx, const Db& db, double cariNo)
{
    const auto fis = CariHrkFisOku(db, cariNo);
    if (!fis)
        return;
    if (pozitif(fis->FIS_NO))
        throw CariHrkFisHatasi(MuhasebeFisiVarText());
    if (IsDateLocked(ctx, false, fis->TARIH))
        throw CariHrkFisHatasi(QStringLiteral("İlgili tarih için işlem yapılamaz!"));
    Transaction tx(db);
    const QVariantMap b{{QStringLiteral("N"), cariNo}};
    KasaAynaSil(db, cariNo, QLatin1Char('C'));
    db.exec(QStringLiteral("DELETE FROM CARIHRK WHERE CARI_NO=:N"), b);
    db.exec(QStringLiteral("DELETE FROM CARIHRKM WHERE CARI_NO=:N"), b);
    tx.commit();
}

CariHrkFisi FaturaOdemeFisiHazirla(const SessionContext& ctx, const Db& db, const QString& REF_TIP,
                                  const QString& TIP, const QString& KILITLETIP, double tutar,
                                  const QString& kasaKod, const QString& cariKod, const QString& belgeNo,
                                  double REF_NO)
{
    if (const auto no = FaturaOdemeFisi(db, REF_NO, REF_TIP, TIP))
        if (const auto f = CariHrkFisOku(db, *no))
            return *f;
    CariHrkFisi f;
    f.TIP = TIP;
    f.TARIH = ServerToday(db);
    f.BELGE_NO = belgeNo;
    f.REF_NO = REF_NO;
    f.REF_TIP = REF_TIP;
    f.ALT_TIP = TIP;
    CariHrkFisSatiri s;
    s.SIRANO = 1;
    s.CARI_KOD = cariKod;
    (KILITLETIP == QLatin1String("B") ? s.ALACAK : s.BORC) = tutar;
    s.REF_NO = REF_NO;
    s.BELGE_NO = belgeNo;
    s.ACIKLAMA = belgeNo + QStringLiteral(" Nolu Fatura Ödemesi.");
    s.REF_TIP = REF_TIP;
    s.ALT_TIP = TIP;
    s.KASAKOD = kasaKod;
    s.DOVIZ_KODU = ctx.YerelPara;
    f.satirlar << s;
    f.toplamlariHesapla();
    return f;
}

bool CariHrkMuhasebeyeAktar(const SessionContext& ctx, const Db& db, const CariHrkFisi& fis)
{
    if (ctx.AktifKullanici.diger10 != QLatin1String("Y") || fis.TIP == QLatin1String("I"))
        return false;
    return KayittanSonraMuhasebele(ctx, db, MuhasebeEntegreIstegi{QLatin1Char('C'), false, fis.FIS_NO, fis.CARI_NO});
}

const QList<CariHrkYeniSecenek>& CariHrkYeniSecenekleri()
{
    static const QList<CariHrkYeniSecenek> l = {
        {QStringLiteral("Nakit Tahsilat"), QStringLiteral("N"), QStringLiteral("B")},
        {QStringLiteral("Nakit Ödeme"), QStringLiteral("N"), QStringLiteral("A")},
        {QStringLiteral("Dekont"), QStringLiteral("D"), QString()},
        {QStringLiteral("Virman"), QStringLiteral("V"), QString()},
        {QStringLiteral("Özel"), QStringLiteral("O"), QString()},
        {QStringLiteral("İlk Açılış"), QStringLiteral("I"), QString()},
        {QStringLiteral("Kur Farkı"), QStringLiteral("F"), QString()}};
    return l;
}

} // namespace tornaly::accounts
