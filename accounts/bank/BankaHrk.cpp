#include "accounts/bank/BankaHrk.h"

#include "accounts/cash/Kasa.h"
#include "accounts/ledger/CariHrk.h"
#include "accounts/vouchers/MuhasebeSorusu.h"
#include "company/Kilit.h"
#include "context/User.h"
#include "counters/Counters.h"
#include "guard/IslemReddi.h"
#include "messages/Messages.h"
#include "services/KurBul.h"
#include "services/MuhasebeEntegre.h"
#include "sql/SqlHelpers.h"

#include <cmath>

namespace tornaly::accounts {

namespace {

bool bankaFisiAktarildi(const QVariant& fisNo)
{
    return fisNo.isValid() && !fisNo.isNull() && fisNo.toDouble() > 0;
}

qint64 bankaKurus(double v)
{
    return std::llround(v * 100.0);
}

QVariant bankaBosMetin(const QString& s)
{
    return s.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(s);
}

QVariant bankaBosSayi(const QVariant& v)
{
    return v.isValid() && !v.isNull() ? QVariant(v.toDouble()) : QVariant(QMetaType(QMetaType::Double));
}

void bankaBasligiYaz(const Db& db, const BankaHrkFisi& f, bool mevcut)
{
    const QVariantMap b{{QStringLiteral("HRK_NO"), f.HRK_NO},
                        {QStringLiteral("TARIH"), f.TARIH.startOfDay()},
                        {QStringLiteral("TIP"), f.TIP},
                        {QStringLiteral("BORC"), f.BORC},
                        {QStringLiteral("BORC_USD"), f.BORC_USD},
                        {QStringLiteral("ALACAK"), f.ALACAK},
                        {QStringLiteral("ALACAK_USD"), f.ALACAK_USD},
                        {QStringLiteral("REF_NO"), bankaBosSayi(f.REF_NO)},
                        {QStringLiteral("REF_TIP"), bankaBosMetin(f.REF_TIP)},
                        {QStringLiteral("ALT_TIP"), bankaBosMetin(f.ALT_TIP)}};
    // FIS_NO belongs to the accounting transfer and is never written here.
    if (mevcut)
        db.exec(QStringLiteral("UPDATE BANKHRK SET TARIH=:TARIH, BORC=:BORC, BORC_USD=:BORC_USD, ALACAK=:ALACAK, "
                               "ALACAK_USD=:ALACAK_USD, REF_NO=:REF_NO, REF_TIP=:REF_TIP, ALT_TIP=:ALT_TIP "
                               "WHERE HRK_NO=:HRK_NO AND TIP=:TIP"),
                b);
    else
        db.exec(QStringLiteral("INSERT INTO BANKHRK (HRK_NO, TARIH, TIP, BORC, BORC_USD, ALACAK, ALACAK_USD, REF_NO, "
                               "REF_TIP, ALT_TIP) VALUES (:HRK_NO, :TARIH, :TIP, :BORC, :BORC_USD, :ALACAK, "
                               ":ALACAK_USD, :REF_NO, :REF_TIP, :ALT_TIP)"),
                b);
}

// The current-account row of one line: money paid into the bank by a
// customer credits the customer, money sent to a supplier debits it.
void bankaCariAynaYaz(const SessionContext& ctx, const Db& db, const BankaHrkFisi& f, const BankaHrkaSatiri& s)
{
    CariHrkYazDegerleri d;
    d.CARI_KOD = s.CARI_KOD;
    d.CRHRK_TUR = f.TIP.at(0);
    d.REF_NO = f.HRK_NO;
    d.SIRANO = int(std::lround(s.SIRANO));
    d.TARIH = f.TARIH;
    d.VADE_TRH = f.TARIH.startOfDay();
    d.PARA_BAZ = QStringLiteral("T");
    d.DOVIZ_KODU = s.DOVIZ_KODU;
    d.TL_KURDEGER = s.TL_KURDEGER;
    d.TL_USDEGER = s.TL_USDEGER;
    if (s.ALACAK > 0)
        d.BORC = s.ALACAK;
    if (s.BORC > 0)
        d.ALACAK = s.BORC;
    d.ACIKLAMA = s.BANKA_KOD + QStringLiteral("/") + s.HESAP_NO + QStringLiteral(" H.Nolu banka");
    CariHrkYaz(ctx, db, d);
}

} // namespace

void BankaHrkaYaz(const Db& db, const BankaHrkaSatiri& s)
{
    Query q(db, QStringLiteral(
                    "INSERT INTO BANKHRKA (HRK_NO, SIRANO, TARIH, AY, YIL, TIP, BANKA_KOD, HESAP_NO, CARI_KOD, BORC, "
                    "BORC_USD, BORC_DVZ, ALACAK, ALACAK_USD, ALACAK_DVZ, DOVIZ_KODU, PARA_BAZ, TL_KURDEGER, TL_USDEGER, "
                    "KASAKOD, MUH_KARSI, KOMISYON, TAKSIT_SAY, BELGE_NO, ACIKLAMA, REF_NO, REF_TIP, ALT_TIP, PORTFOYNO, "
                    "CS_TIP) VALUES (:HRK_NO, :SIRANO, :TARIH, :AY, :YIL, :TIP, :BANKA_KOD, :HESAP_NO, :CARI_KOD, "
                    ":BORC, :BORC_USD, :BORC_DVZ, :ALACAK, :ALACAK_USD, :ALACAK_DVZ, :DOVIZ_KODU, :PARA_BAZ, "
                    ":TL_KURDEGER, :TL_USDEGER, :KASAKOD, :MUH_KARSI, :KOMISYON, :TAKSIT_SAY, :BELGE_NO, :ACIKLAMA, "
                    ":REF_NO, :REF_TIP, :ALT_TIP, :PORTFOYNO, :CS_TIP)"));
    q.bind(QStringLiteral("HRK_NO"), s.HRK_NO)
        .bind(QStringLiteral("SIRANO"), s.SIRANO)
        .bind(QStringLiteral("TARIH"), s.TARIH.startOfDay())
        .bind(QStringLiteral("AY"), s.TARIH.month())
        .bind(QStringLiteral("YIL"), s.TARIH.year())
        .bind(QStringLiteral("TIP"), s.TIP)
        .bind(QStringLiteral("BANKA_KOD"), bankaBosMetin(s.BANKA_KOD))
        .bind(QStringLiteral("HESAP_NO"), s.HESAP_NO)
        .bind(QStringLiteral("CARI_KOD"), bankaBosMetin(s.CARI_KOD))
        .bind(QStringLiteral("BORC"), s.BORC)
        .bind(QStringLiteral("BORC_USD"), s.BORC_USD)
        .bind(QStringLiteral("BORC_DVZ"), s.BORC_DVZ)
        .bind(QStringLiteral("ALACAK"), s.ALACAK)
        .bind(QStringLiteral("ALACAK_USD"), s.ALACAK_USD)
        .bind(QStringLiteral("ALACAK_DVZ"), s.ALACAK_DVZ)
        .bind(QStringLiteral("DOVIZ_KODU"), bankaBosMetin(s.DOVIZ_KODU))
        .bind(QStringLiteral("PARA_BAZ"), QString(s.PARA_BAZ))
        .bind(QStringLiteral("TL_KURDEGER"), s.TL_KURDEGER)
        .bind(QStringLiteral("TL_USDEGER"), s.TL_USDEGER)
        .bind(QStringLiteral("KASAKOD"), bankaBosMetin(s.KASAKOD))
        .bind(QStringLiteral("MUH_KARSI"), bankaBosMetin(s.MUH_KARSI))
        .bind(QStringLiteral("KOMISYON"), s.KOMISYON)
        .bind(QStringLiteral("TAKSIT_SAY"), s.TAKSIT_SAY)
        .bind(QStringLiteral("BELGE_NO"), bankaBosMetin(s.BELGE_NO.left(10)))
        .bind(QStringLiteral("ACIKLAMA"), bankaBosMetin(s.ACIKLAMA.left(200)))
        .bind(QStringLiteral("REF_NO"), bankaBosSayi(s.REF_NO))
        .bind(QStringLiteral("REF_TIP"), bankaBosMetin(s.REF_TIP))
        .bind(QStringLiteral("ALT_TIP"), bankaBosMetin(s.ALT_TIP))
        .bind(QStringLiteral("PORTFOYNO"), bankaBosSayi(s.PORTFOYNO))
        .bind(QStringLiteral("CS_TIP"), bankaBosMetin(s.CS_TIP))
        .exec();
}

void BankaHrkaSil(const Db& db, double refNo, const QString& tip)
{
    db.exec(QStringLiteral("DELETE FROM BANKHRKA WHERE REF_NO=:R AND TIP=:T"),
            {{QStringLiteral("R"), refNo}, {QStringLiteral("T"), tip}});
}

void BankaHrkFisi::toplamlariHesapla()
{
    BORC = BORC_USD = ALACAK = ALACAK_USD = 0;
    for (const auto& s : satirlar) {
        BORC += s.BORC;
        BORC_USD += s.BORC_USD;
        ALACAK += s.ALACAK;
        ALACAK_USD += s.ALACAK_USD;
    }
}

QString BankaHrkTipMetni(const QString& tip, bool kisa)
{
    if (tip.size() != 1)
        return {};
    switch (tip.at(0).unicode()) {
    case 'A': return QStringLiteral("Açılış");
    // Bank lines of cash and offset slips: named by the slip they come from.
    case 'B': return QStringLiteral("Mahsup Fişi");
    case 'E': return kisa ? QStringLiteral("Teminat Sen.leri") : QStringLiteral("Teminat Senetleri");
    case 'G': return kisa ? QStringLiteral("Gelen Hvl.ler") : QStringLiteral("Gelen Havaleler");
    case 'H': return kisa ? QStringLiteral("Gönderilen Hvl.ler") : QStringLiteral("Gönderilen Havaleler");
    case 'I': return kisa ? QStringLiteral("Banka İşlem") : QStringLiteral("Banka-Kasa İşlemleri");
    case 'K': return kisa ? QStringLiteral("Kredi K.İşlemleri") : QStringLiteral("Kredi Kartı İşlemleri");
    case 'M': return QStringLiteral("Diğer Banka İşlemleri");
    case 'R': return kisa ? QStringLiteral("Kredi K.Transferi") : QStringLiteral("Kredi Kartı Transferi");
    case 'T': return QStringLiteral("Teminat Çekleri");
    case 'V': return QStringLiteral("Banka Virman");
    default: return {};
    }
}

const QStringList& BankaHrkYeniTipleri()
{
    static const QStringList l = {QStringLiteral("I"), QStringLiteral("V"), QStringLiteral("G"), QStringLiteral("H"),
                                  QStringLiteral("K"), QStringLiteral("R"), QStringLiteral("A"), QStringLiteral("M")};
    return l;
}

bool BankaHrkCariliMi(const QString& tip)
{
    return tip == QLatin1String("G") || tip == QLatin1String("H") || tip == QLatin1String("K");
}

double YeniBankaHrkNo(const Db& db)
{
    return double(TakeCounterNumber(db, QStringLiteral("NEWBHRK")));
}

void BankaHrkSatirHesapla(const SessionContext& ctx, const Db& db, const QDate& tarih, BankaHrkaSatiri& s)
{
    if (s.TL_USDEGER == 0.0)
        if (const auto k = KurBul(ctx, db, QStringLiteral("USD"), 2, tarih))
            s.TL_USDEGER = *k;
    if (s.DOVIZ_KODU.trimmed().isEmpty() || YerelParaMi(ctx, s.DOVIZ_KODU))
        s.TL_KURDEGER = 1;
    else if (s.TL_KURDEGER == 0.0)
        if (const auto k = KurBul(ctx, db, s.DOVIZ_KODU.trimmed(), 2, tarih))
            s.TL_KURDEGER = *k;
    const bool alacak = s.alacakli();
    double& tl = alacak ? s.ALACAK : s.BORC;
    double& usd = alacak ? s.ALACAK_USD : s.BORC_USD;
    double& dvz = alacak ? s.ALACAK_DVZ : s.BORC_DVZ;
    const QChar baz = s.PARA_BAZ.toUpper();
    const bool dovizli = baz == QLatin1Char('D') || (!YerelParaMi(ctx, s.DOVIZ_KODU) && !s.DOVIZ_KODU.isEmpty());
    if (dovizli && s.TL_KURDEGER == 0.0 && (tl != 0.0 || dvz != 0.0))
        throw IslemReddi(KurYokMesaji(s.DOVIZ_KODU, tarih), MsgIcon::Warning);
    const bool usdGerekli = baz == QLatin1Char('U') && usd != 0.0;
    if (usdGerekli && s.TL_USDEGER == 0.0)
        throw IslemReddi(KurYokMesaji(QStringLiteral("USD"), tarih), MsgIcon::Warning);
    if (baz == QLatin1Char('U'))
        tl = usd * s.TL_USDEGER;
    else if (baz == QLatin1Char('D'))
        tl = dvz * s.TL_KURDEGER;
    if (baz != QLatin1Char('U'))
        usd = s.TL_USDEGER != 0.0 ? tl / s.TL_USDEGER : 0.0;
    if (baz != QLatin1Char('D'))
        dvz = s.TL_KURDEGER != 0.0 ? tl / s.TL_KURDEGER : 0.0;
}

std::optional<QString> BankaHrkKontrol(const SessionContext& ctx, const Db& db, const BankaHrkFisi& fis)
{
    if (fis.TIP == QLatin1String("I")) {
        for (const auto& s : fis.satirlar)
            if (s.KASAKOD.trimmed().isEmpty() || !KasaVar(db, s.KASAKOD.trimmed()))
                return QStringLiteral("Kasa Kodu Seçilmelidir !");
    }
    if (fis.TIP == QLatin1String("V") || fis.TIP == QLatin1String("R")) {
        double borc = 0, alacak = 0;
        for (const auto& s : fis.satirlar) {
            borc += s.BORC;
            alacak += s.ALACAK;
        }
        if (bankaKurus(borc) != bankaKurus(alacak))
            return QStringLiteral("Borç-Alacak Toplamları Eşit Olmalı");
    }
    if (fis.satirlar.isEmpty())
        return QStringLiteral("Dikkat Hareket Kaydı olmadan Kayıt Yapılmaz");
    if (!fis.TARIH.isValid() || IsDateLocked(ctx, false, fis.TARIH))
        return QStringLiteral("İlgili tarih için işlem yapılamaz!");
    for (const auto& s : fis.satirlar) {
        if (s.BANKA_KOD.trimmed().isEmpty() || s.HESAP_NO.trimmed().isEmpty())
            return QStringLiteral("Banka Kodu ve Hesap No Seçilmelidir !");
        if (BankaHrkCariliMi(fis.TIP) && s.CARI_KOD.trimmed().isEmpty())
            return QStringLiteral("Cari Kodu Seçilmelidir !");
        if (s.BORC < 0 || s.ALACAK < 0 || s.BORC_DVZ < 0 || s.ALACAK_DVZ < 0 || s.BORC_USD < 0 || s.ALACAK_USD < 0)
            return QStringLiteral("Tutar sıfırdan küçük olamaz !");
    }
    return std::nullopt;
}

double BankaHrkKaydet(const SessionContext& ctx, const Db& db, BankaHrkFisi& fis)
{
    if (fis.TIP.size() != 1)
        throw IslemReddi(QStringLiteral("İşlem Tipi Seçilmelidir !"), MsgIcon::Warning);
    for (auto& s : fis.satirlar)
        BankaHrkSatirHesapla(ctx, db, fis.TARIH, s);
    fis.toplamlariHesapla();
    if (const auto m = BankaHrkKontrol(ctx, db, fis))
        throw IslemReddi(*m, MsgIcon::Warning);
    if (fis.HRK_NO <= 0)
        fis.HRK_NO = YeniBankaHrkNo(db);

    RetryAfterAsking(db, [&] {
        Transaction tx(db);
        Query var(db, QStringLiteral("SELECT TIP, FIS_NO FROM BANKHRK WHERE HRK_NO=:N") + db.dialect().rowLockSuffix());
        var.bind(QStringLiteral("N"), fis.HRK_NO).exec();
        const bool mevcut = var.next();
        if (mevcut) {
            // A voucher never changes its kind; its posting mark is the transfer's.
            if (var.str(QStringLiteral("TIP")) != fis.TIP)
                throw IslemReddi(QStringLiteral("Hareket tipi değiştirilemez!"), MsgIcon::Warning);
            fis.FIS_NO = var.value(QStringLiteral("FIS_NO"));
        }
        var.finish();
        bankaBasligiYaz(db, fis, mevcut);
        db.exec(QStringLiteral("DELETE FROM BANKHRKA WHERE HRK_NO=:N"), {{QStringLiteral("N"), fis.HRK_NO}});
        for (auto& s : fis.satirlar) {
            s.HRK_NO = fis.HRK_NO;
            s.TARIH = fis.TARIH;
            s.TIP = fis.TIP;
            BankaHrkaYaz(db, s);
        }
        if (BankaHrkCariliMi(fis.TIP)) {
            CariHrkSil(db, fis.TIP.at(0), fis.HRK_NO);
            for (const auto& s : fis.satirlar)
                bankaCariAynaYaz(ctx, db, fis, s);
        }
        KasaAynaSil(db, fis.HRK_NO, QLatin1Char('B'));
        if (fis.TIP == QLatin1String("I"))
            BankaHrkKasaAynaYaz(db, fis.HRK_NO);
        tx.commit();
    });
    return fis.HRK_NO;
}

std::optional<BankaHrkFisi> BankaHrkOku(const Db& db, double hrkNo)
{
    Query h(db, QStringLiteral("SELECT * FROM BANKHRK WHERE HRK_NO=:N"));
    h.bind(QStringLiteral("N"), hrkNo).exec();
    if (!h.next())
        return std::nullopt;
    BankaHrkFisi f;
    f.HRK_NO = h.num(QStringLiteral("HRK_NO"));
    f.TARIH = h.date(QStringLiteral("TARIH"));
    f.TIP = h.str(QStringLiteral("TIP"));
    f.FIS_NO = h.value(QStringLiteral("FIS_NO"));
    f.REF_NO = h.value(QStringLiteral("REF_NO"));
    f.REF_TIP = h.str(QStringLiteral("REF_TIP"));
    f.ALT_TIP = h.str(QStringLiteral("ALT_TIP"));
    Query q(db, QStringLiteral("SELECT * FROM BANKHRKA WHERE HRK_NO=:N ORDER BY SIRANO"));
    q.bind(QStringLiteral("N"), hrkNo).exec();
    while (q.next()) {
        BankaHrkaSatiri s;
        s.HRK_NO = f.HRK_NO;
        s.SIRANO = q.num(QStringLiteral("SIRANO"));
        s.TARIH = q.date(QStringLiteral("TARIH"));
        s.TIP = q.str(QStringLiteral("TIP"));
        s.BANKA_KOD = q.str(QStringLiteral("BANKA_KOD"));
        s.HESAP_NO = q.str(QStringLiteral("HESAP_NO"));
        s.CARI_KOD = q.str(QStringLiteral("CARI_KOD"));
        s.BORC = q.num(QStringLiteral("BORC"));
        s.BORC_USD = q.num(QStringLiteral("BORC_USD"));
        s.BORC_DVZ = q.num(QStringLiteral("BORC_DVZ"));
        s.ALACAK = q.num(QStringLiteral("ALACAK"));
        s.ALACAK_USD = q.num(QStringLiteral("ALACAK_USD"));
        s.ALACAK_DVZ = q.num(QStringLiteral("ALACAK_DVZ"));
        s.DOVIZ_KODU = q.str(QStringLiteral("DOVIZ_KODU"));
        const QString baz = q.str(QStringLiteral("PARA_BAZ"));
        s.PARA_BAZ = baz.isEmpty() ? QLatin1Char('T') : baz.at(0);
        s.TL_KURDEGER = q.num(QStringLiteral("TL_KURDEGER"));
        s.TL_USDEGER = q.num(QStringLiteral("TL_USDEGER"));
        s.KASAKOD = q.str(QStringLiteral("KASAKOD"));
        s.MUH_KARSI = q.str(QStringLiteral("MUH_KARSI"));
        s.KOMISYON = q.num(QStringLiteral("KOMISYON"));
        s.TAKSIT_SAY = int(q.integer(QStringLiteral("TAKSIT_SAY")));
        s.BELGE_NO = q.str(QStringLiteral("BELGE_NO"));
        s.ACIKLAMA = q.str(QStringLiteral("ACIKLAMA"));
        s.REF_NO = q.value(QStringLiteral("REF_NO"));
        s.REF_TIP = q.str(QStringLiteral("REF_TIP"));
        s.ALT_TIP = q.str(QStringLiteral("ALT_TIP"));
        f.satirlar << s;
    }
    f.toplamlariHesapla();
    return f;
}

void BankaHrkSil(const SessionContext& ctx, const Db& db, double hrkNo)
{
    const auto fis = BankaHrkOku(db, hrkNo);
    if (!fis)
        return;
    if (bankaFisiAktarildi(fis->FIS_NO))
        throw IslemReddi(QStringLiteral("Bu Hareketin Muhasebe Kayıt Fişi Var. Silinemez."), MsgIcon::Warning);
    if (IsDateLocked(ctx, false, fis->TARIH))
        throw IslemReddi(QStringLiteral("İlgili tarih için işlem yapılamaz!"), MsgIcon::Warning);
    Transaction tx(db);
    Query kilit(db, QStringLiteral("SELECT FIS_NO FROM BANKHRK WHERE HRK_NO=:N") + db.dialect().rowLockSuffix());
    kilit.bind(QStringLiteral("N"), hrkNo).exec();
    if (kilit.next() && bankaFisiAktarildi(kilit.value(QStringLiteral("FIS_NO"))))
        throw IslemReddi(QStringLiteral("Bu Hareketin Muhasebe Kayıt Fişi Var. Silinemez."), MsgIcon::Warning);
    kilit.finish();
    const QVariantMap b{{QStringLiteral("N"), hrkNo}};
    if (BankaHrkCariliMi(fis->TIP))
        CariHrkSil(db, fis->TIP.at(0), hrkNo);
    db.exec(QStringLiteral("DELETE FROM BANKHRKA WHERE HRK_NO=:N"), b);
    db.exec(QStringLiteral("DELETE FROM BANKHRK WHERE HRK_NO=:N"), b);
    if (fis->TIP == QLatin1String("I"))
        KasaAynaSil(db, hrkNo, QLatin1Char('B'));
    tx.commit();
}

BankaHrkFisi BankaHrkFaturaOdemeHazirla(const SessionContext& ctx, const Db& db, const QString& refTip,
                                        const QString& taraf, const QString& tip, double tutar,
                                        const QString& hesapNo, const QString& bankaKod, const QString& cariKod,
                                        const QString& belgeNo, double refNo)
{
    Query q(db, QStringLiteral("SELECT HRK_NO FROM BANKHRK WHERE REF_NO=:refno AND REF_TIP=:reftip AND ALT_TIP=:alttip "
                               "ORDER BY HRK_NO"));
    q.bind(QStringLiteral("refno"), refNo).bind(QStringLiteral("reftip"), refTip).bind(QStringLiteral("alttip"), tip).exec();
    BankaHrkFisi f;
    if (q.next()) {
        if (auto mevcut = BankaHrkOku(db, q.num(QStringLiteral("HRK_NO"))))
            f = *mevcut;
    }
    if (f.HRK_NO <= 0) {
        f.HRK_NO = YeniBankaHrkNo(db);
        f.TARIH = ServerToday(db);
    }
    f.TIP = tip;
    f.ALT_TIP = tip;
    f.REF_NO = refNo;
    f.REF_TIP = refTip;
    if (f.satirlar.isEmpty()) {
        BankaHrkaSatiri s;
        s.SIRANO = 1;
        s.DOVIZ_KODU = ctx.YerelPara;
        f.satirlar << s;
    }
    // The current (first) line takes the payment.
    BankaHrkaSatiri& s = f.satirlar.first();
    s.TIP = tip;
    s.ALT_TIP = tip;
    s.REF_NO = refNo;
    s.REF_TIP = refTip;
    s.BELGE_NO = belgeNo;
    s.CARI_KOD = cariKod;
    s.BANKA_KOD = bankaKod;
    s.HESAP_NO = hesapNo;
    s.ACIKLAMA = belgeNo + QStringLiteral(" Nolu Fatura Ödemesi.");
    s.BORC = s.BORC_USD = s.BORC_DVZ = s.ALACAK = s.ALACAK_USD = s.ALACAK_DVZ = 0;
    (taraf == QLatin1String("B") ? s.BORC : s.ALACAK) = tutar;
    f.toplamlariHesapla();
    return f;
}

bool BankaHrkMuhasebeyeAktar(const SessionContext& ctx, const Db& db, const BankaHrkFisi& fis, bool birlestir)
{
    return KayittanSonraMuhasebele(ctx, db, MuhasebeEntegreIstegi{QLatin1Char('B'), birlestir, fis.FIS_NO, fis.HRK_NO});
}

} // namespace tornaly::accounts
