#include "accounts/cash/MahsupFis.h"

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
#include "stock/ledger/DepoHrk.h"

namespace tornaly::accounts {

namespace {

bool mahsupAktarildi(const QVariant& fisNo)
{
    return fisNo.isValid() && !fisNo.isNull() && fisNo.toDouble() > 0;
}

QString paylasilanFisText()
{
    return QStringLiteral("Uyarı: Bu Kayıt Toplu Muhasebeleştirilmiştir.\rMuhasebe modülünden fiş kaydını silerek !\r"
                          "fatura üzerindeki değişiklikleri saklıyabilirsinz.");
}

void mahsupBasligiYaz(const Db& db, const MahsupFisi& f, bool mevcut)
{
    const QVariantMap b{{QStringLiteral("HRK_NO"), f.HRK_NO},       {QStringLiteral("TARIH"), f.TARIH.startOfDay()},
                        {QStringLiteral("TIP"), f.TIP},             {QStringLiteral("BORC"), f.BORC},
                        {QStringLiteral("ALACAK"), f.ALACAK},       {QStringLiteral("BORC_USD"), f.BORC_USD},
                        {QStringLiteral("ALACAK_USD"), f.ALACAK_USD}};
    // FIS_NO and ACIKLAMA are not this form's to write.
    if (mevcut)
        db.exec(QStringLiteral("UPDATE FISG SET TARIH=:TARIH, BORC=:BORC, ALACAK=:ALACAK, BORC_USD=:BORC_USD, "
                               "ALACAK_USD=:ALACAK_USD WHERE HRK_NO=:HRK_NO AND TIP=:TIP"),
                b);
    else
        db.exec(QStringLiteral("INSERT INTO FISG (HRK_NO, TARIH, TIP, BORC, ALACAK, BORC_USD, ALACAK_USD) VALUES "
                               "(:HRK_NO, :TARIH, :TIP, :BORC, :ALACAK, :BORC_USD, :ALACAK_USD)"),
                b);
}

void mahsupSatiriYaz(const Db& db, double hrkNo, const MahsupSatiri& s, const QVariant& fisNo)
{
    Query q(db, QStringLiteral(
                    "INSERT INTO FISGA (HRK_NO, SIRA_NO, TIP, STOK_NO, KOD, ACIKLAMA1, ACIKLAMA2, KDV, KDV_TUT, MIKTAR, "
                    "BORC, BORC_USD, BORC_DVZ, ALACAK, ALACAK_USD, ALACAK_DVZ, PARA_BAZ, DOVIZ_CINS, KUR_BAZ, KUR_DVZ, "
                    "FIS_NO, ISIN_TUTARI, VERGI_TUTARI, MUH_KARSI, BANKA_KOD) VALUES (:HRK_NO, :SIRA_NO, :TIP, :STOK_NO, "
                    ":KOD, :ACIKLAMA1, :ACIKLAMA2, :KDV, :KDV_TUT, :MIKTAR, :BORC, :BORC_USD, :BORC_DVZ, :ALACAK, "
                    ":ALACAK_USD, :ALACAK_DVZ, :PARA_BAZ, :DOVIZ_CINS, :KUR_BAZ, :KUR_DVZ, :FIS_NO, :ISIN_TUTARI, "
                    ":VERGI_TUTARI, :MUH_KARSI, :BANKA_KOD)"));
    q.bind(QStringLiteral("HRK_NO"), hrkNo)
        .bind(QStringLiteral("SIRA_NO"), s.SIRA_NO)
        .bind(QStringLiteral("TIP"), s.TIP)
        .bind(QStringLiteral("STOK_NO"), s.STOK_NO)
        .bind(QStringLiteral("KOD"), s.KOD.left(20))
        .bind(QStringLiteral("ACIKLAMA1"), s.ACIKLAMA1.left(50))
        .bind(QStringLiteral("ACIKLAMA2"), s.ACIKLAMA2.left(50))
        .bind(QStringLiteral("KDV"), s.KDV)
        .bind(QStringLiteral("KDV_TUT"), s.KDV_TUT)
        .bind(QStringLiteral("MIKTAR"), s.MIKTAR)
        .bind(QStringLiteral("BORC"), s.BORC)
        .bind(QStringLiteral("BORC_USD"), s.BORC_USD)
        .bind(QStringLiteral("BORC_DVZ"), s.BORC_DVZ)
        .bind(QStringLiteral("ALACAK"), s.ALACAK)
        .bind(QStringLiteral("ALACAK_USD"), s.ALACAK_USD)
        .bind(QStringLiteral("ALACAK_DVZ"), s.ALACAK_DVZ)
        .bind(QStringLiteral("PARA_BAZ"), QString(s.PARA_BAZ))
        .bind(QStringLiteral("DOVIZ_CINS"), s.DOVIZ_CINS)
        .bind(QStringLiteral("KUR_BAZ"), s.KUR_BAZ)
        .bind(QStringLiteral("KUR_DVZ"), s.KUR_DVZ)
        .bind(QStringLiteral("FIS_NO"), mahsupAktarildi(fisNo) ? QVariant(fisNo.toDouble())
                                                              : QVariant(QMetaType(QMetaType::Double)))
        .bind(QStringLiteral("ISIN_TUTARI"), s.ISIN_TUTARI)
        .bind(QStringLiteral("VERGI_TUTARI"), s.VERGI_TUTARI)
        .bind(QStringLiteral("MUH_KARSI"), s.MUH_KARSI)
        .bind(QStringLiteral("BANKA_KOD"), s.BANKA_KOD)
        .exec();
}

// The cash ledger rows of the K lines: money in on debit lines (B), out on credit lines (A).
void mahsupKasaAynaYaz(const Db& db, double hrkNo)
{
    const QString sql = QStringLiteral(
        "INSERT INTO KASAHRKT (TARIH, REF_TIP, HRKNO, SIRANO, HRK_TURU, REFAYRTIP, BELGE_NO, KASAKOD, KARSIKOD, TIP, "
        "TUTAR, TUTAR_USD, TUTAR_DVZ, TL_KURDEGER, TL_USDEGER, PARA_BAZ, DOVIZ_KOD, ACIKLAMA, AY, YIL, FIS_NO, KDV, "
        "KDVTUT) "
        "SELECT G.TARIH, 'M', A.HRK_NO, A.SIRA_NO, 'w', G.TIP, SUBSTR(A.ACIKLAMA2, 1, 15), A.KOD, NULL, '%1', A.%2, "
        "A.%2_USD, A.%2_DVZ, A.KUR_BAZ, A.KUR_DVZ, A.PARA_BAZ, A.DOVIZ_CINS, A.ACIKLAMA1, %3, %4, G.FIS_NO, A.KDV, "
        "A.KDV_TUT FROM FISGA A JOIN FISG G ON G.HRK_NO = A.HRK_NO WHERE A.HRK_NO = :NO AND A.TIP = 'K' AND A.%2 > 0");
    const QString ay = db.dialect().monthExpr(QStringLiteral("G.TARIH"));
    const QString yil = db.dialect().yearExpr(QStringLiteral("G.TARIH"));
    const QVariantMap b{{QStringLiteral("NO"), hrkNo}};
    db.exec(sql.arg(QStringLiteral("B"), QStringLiteral("BORC"), ay, yil), b);
    db.exec(sql.arg(QStringLiteral("A"), QStringLiteral("ALACAK"), ay, yil), b);
}

} // namespace

void MahsupFisi::toplamlariHesapla()
{
    BORC = ALACAK = BORC_USD = ALACAK_USD = 0;
    for (const auto& s : satirlar) {
        BORC += s.BORC;
        ALACAK += s.ALACAK;
        BORC_USD += s.BORC_USD;
        ALACAK_USD += s.ALACAK_USD;
    }
}

bool MahsupFisi::kasaKuraliBozuk() const
{
    for (const auto& s : satirlar) {
        if (s.TIP != QLatin1String("K"))
            continue;
        if ((TIP == QLatin1String("A") || TIP == QLatin1String("M")) && s.BORC > 0)
            return true;
        if (TIP == QLatin1String("N") && s.ALACAK > 0)
            return true;
    }
    return false;
}

QString MahsupFisTipMetni(const QString& tip, bool giris)
{
    if (tip == QLatin1String("N"))
        return QStringLiteral("Kasa Tahsil Fişi");
    if (tip == QLatin1String("M"))
        return QStringLiteral("Kasa Ödeme Fişi");
    if (tip == QLatin1String("V"))
        return giris ? QStringLiteral("Mahsup Fişi (Kasa Zorunlu Değil)") : QStringLiteral("Mahsup Fişi");
    if (tip == QLatin1String("A"))
        return giris ? QStringLiteral("Peşin Alış (Cari Harekete Yazmaz)") : QStringLiteral("Peşin Alış");
    return {};
}

QString MahsupSatirTipMetni(const QString& tip)
{
    static const QHash<QString, QString> m{{QStringLiteral("K"), QStringLiteral("Kasa")},
                                           {QStringLiteral("C"), QStringLiteral("Cari")},
                                           {QStringLiteral("S"), QStringLiteral("Stok")},
                                           {QStringLiteral("M"), QStringLiteral("Masraf")},
                                           {QStringLiteral("G"), QStringLiteral("Gider Pusulası")},
                                           {QStringLiteral("B"), QStringLiteral("Banka")},
                                           {QStringLiteral("P"), QStringLiteral("P")}};
    return m.value(tip);
}

double YeniMahsupFisNo(const Db& db)
{
    CounterOptions o;
    o.zeroMeansOne = true;
    return double(TakeCounterNumber(db, QStringLiteral("NEWFISG"), o));
}

void MahsupSatirHesapla(const SessionContext& ctx, const Db& db, const QDate& tarih, MahsupSatiri& s)
{
    if (s.TIP == QLatin1String("G"))
        s.BORC = s.ISIN_TUTARI - s.VERGI_TUTARI;
    else
        s.ISIN_TUTARI = s.VERGI_TUTARI = 0;
    // The line's rates and its three amounts follow the bank voucher's rules.
    BankaHrkaSatiri b;
    b.BORC = s.BORC;
    b.BORC_USD = s.BORC_USD;
    b.BORC_DVZ = s.BORC_DVZ;
    b.ALACAK = s.ALACAK;
    b.ALACAK_USD = s.ALACAK_USD;
    b.ALACAK_DVZ = s.ALACAK_DVZ;
    b.PARA_BAZ = s.PARA_BAZ;
    b.DOVIZ_KODU = s.DOVIZ_CINS;
    b.TL_KURDEGER = s.KUR_BAZ;
    b.TL_USDEGER = s.KUR_DVZ;
    BankaHrkSatirHesapla(ctx, db, tarih, b);
    s.BORC = b.BORC;
    s.BORC_USD = b.BORC_USD;
    s.BORC_DVZ = b.BORC_DVZ;
    s.ALACAK = b.ALACAK;
    s.ALACAK_USD = b.ALACAK_USD;
    s.ALACAK_DVZ = b.ALACAK_DVZ;
    s.KUR_BAZ = b.TL_KURDEGER;
    s.KUR_DVZ = b.TL_USDEGER;
    if (s.KDV > 0) {
        s.KDV_TUT = (s.BORC + s.ALACAK) * s.KDV / (s.KDV + 100);
        if (s.KDV_TUT <= 0.00001)
            s.KDV_TUT = 0;
    } else {
        s.KDV = s.KDV_TUT = 0;
    }
}

std::optional<QString> MahsupFisKontrol(const SessionContext& ctx, const Db& db, const MahsupFisi& fis)
{
    if (mahsupAktarildi(fis.FIS_NO)) {
        Query q(db, QStringLiteral("SELECT COUNT(*) AS FAT_SAYISI FROM FISG WHERE FIS_NO = :FIS_NO"));
        q.bind(QStringLiteral("FIS_NO"), fis.FIS_NO.toDouble()).exec();
        if (q.next() && q.num(QStringLiteral("FAT_SAYISI")) > 1)
            return paylasilanFisText();
    }
    if (!fis.TARIH.isValid() || (ctx.DonemBasTarih.isValid() && fis.TARIH < ctx.DonemBasTarih) ||
        (ctx.DonemBitTarih.isValid() && fis.TARIH > ctx.DonemBitTarih))
        return QStringLiteral("Lütfen Çalışma Dönemi içinde bir Tarih Yazınız");
    if (IsDateLocked(ctx, false, fis.TARIH))
        return QStringLiteral("İlgili tarih için işlem yapılamaz!");
    if (fis.kasaKuraliBozuk())
        return KasaKuraliText();
    if (fis.satirlar.isEmpty())
        return QStringLiteral("Dikkat Hareket Kaydı olmadan Kayıt Yapılmaz");
    for (const auto& s : fis.satirlar) {
        if (s.TIP.isEmpty() || s.KOD.trimmed().isEmpty())
            return QStringLiteral("%1. satırın Tip ve Kod bilgisi girilmelidir !").arg(s.SIRA_NO);
        // A quantity of zero or less is refused rather than booked as one piece.
        if (s.TIP == QLatin1String("S") && s.MIKTAR <= 0.00001)
            return QStringLiteral("%1. satırın Miktarı sıfırdan büyük olmalıdır !").arg(s.SIRA_NO);
        if (s.TIP == QLatin1String("K") && !KasaVar(db, s.KOD.trimmed()))
            return QStringLiteral("Kasa Kodu Seçilmelidir !");
        if (s.TIP == QLatin1String("B") && s.BANKA_KOD.trimmed().isEmpty())
            return QStringLiteral("Banka Kodu ve Hesap No Seçilmelidir !");
    }
    return std::nullopt;
}

double MahsupFisKaydet(const SessionContext& ctx, const Db& db, MahsupFisi& fis)
{
    for (auto& s : fis.satirlar)
        MahsupSatirHesapla(ctx, db, fis.TARIH, s);
    fis.toplamlariHesapla();
    if (const auto m = MahsupFisKontrol(ctx, db, fis))
        throw IslemReddi(*m, MsgIcon::Warning);
    if (fis.HRK_NO <= 0)
        fis.HRK_NO = YeniMahsupFisNo(db);

    RetryAfterAsking(db, [&] {
        Transaction tx(db);
        Query var(db, QStringLiteral("SELECT TIP, FIS_NO FROM FISG WHERE HRK_NO=:N") + db.dialect().rowLockSuffix());
        var.bind(QStringLiteral("N"), fis.HRK_NO).exec();
        const bool mevcut = var.next();
        if (mevcut) {
            fis.FIS_NO = var.value(QStringLiteral("FIS_NO"));
            var.finish();
            // The mark is read again under the lock: another workstation may
            // have posted the slip in bulk with others meanwhile.
            if (const auto m = MahsupFisKontrol(ctx, db, fis))
                throw IslemReddi(*m, MsgIcon::Warning);
        }
        var.finish();
        mahsupBasligiYaz(db, fis, mevcut);
        const QVariantMap no{{QStringLiteral("N"), fis.HRK_NO}};
        db.exec(QStringLiteral("DELETE FROM FISGA WHERE HRK_NO=:N"), no);
        KasaAynaSil(db, fis.HRK_NO, QLatin1Char('M'));
        CariHrkSil(db, QLatin1Char('M'), fis.HRK_NO);
        BankaHrkaSil(db, fis.HRK_NO, QStringLiteral("B"));
        QList<stock::DepoHrkSatiri> depo;
        for (const auto& s : fis.satirlar) {
            mahsupSatiriYaz(db, fis.HRK_NO, s, fis.FIS_NO);
            if (s.TIP == QLatin1String("C") && fis.TIP != QLatin1String("A")) {
                CariHrkYazDegerleri d;
                d.CARI_KOD = s.KOD;
                d.CRHRK_TUR = QLatin1Char('M');
                d.REF_NO = fis.HRK_NO;
                d.SIRANO = s.SIRA_NO;
                d.TARIH = fis.TARIH;
                d.PARA_BAZ = QString(s.PARA_BAZ);
                d.DOVIZ_KODU = s.DOVIZ_CINS;
                d.TL_KURDEGER = s.KUR_BAZ;
                d.TL_USDEGER = s.KUR_DVZ;
                if (s.BORC > 0) {
                    d.BORC = s.BORC;
                    d.BORC_DVZ = s.BORC_DVZ;
                }
                if (s.ALACAK > 0) {
                    d.ALACAK = s.ALACAK;
                    d.ALACAK_DVZ = s.ALACAK_DVZ;
                }
                d.ACIKLAMA = s.ACIKLAMA2;
                CariHrkYaz(ctx, db, d);
            } else if (s.TIP == QLatin1String("B")) {
                BankaHrkaSatiri b;
                b.HRK_NO = YeniBankaHrkNo(db);
                b.SIRANO = s.SIRA_NO;
                b.TARIH = fis.TARIH;
                b.TIP = QStringLiteral("B");
                b.BANKA_KOD = s.KOD;
                b.HESAP_NO = s.BANKA_KOD;
                b.BORC = s.BORC;
                b.BORC_USD = s.BORC_USD;
                b.BORC_DVZ = s.BORC_DVZ;
                b.ALACAK = s.ALACAK;
                b.ALACAK_USD = s.ALACAK_USD;
                b.ALACAK_DVZ = s.ALACAK_DVZ;
                b.TL_USDEGER = s.KUR_DVZ;
                b.TL_KURDEGER = s.KUR_BAZ;
                b.DOVIZ_KODU = s.DOVIZ_CINS;
                b.PARA_BAZ = s.PARA_BAZ;
                b.ACIKLAMA = s.ACIKLAMA2;
                b.REF_NO = fis.HRK_NO;
                BankaHrkaYaz(db, b);
            } else if (s.TIP == QLatin1String("S")) {
                const bool borc = s.BORC > 0;
                const double net = (borc ? s.BORC : s.ALACAK) - s.KDV_TUT;
                depo << stock::DepoHrkKasa(s.SIRA_NO, borc, s.STOK_NO, QStringLiteral("1"), fis.TARIH.startOfDay(),
                                           s.MIKTAR, stock::StokFisiBirimFiyat(net, s.MIKTAR));
            }
        }
        stock::DepoHrkYaz(db, stock::DepoHrkBelge::Belge(fis.HRK_NO, QLatin1Char('M')), depo);
        mahsupKasaAynaYaz(db, fis.HRK_NO);
        tx.commit();
    });
    return fis.HRK_NO;
}

std::optional<MahsupFisi> MahsupFisOku(const Db& db, double hrkNo)
{
    Query h(db, QStringLiteral("SELECT * FROM FISG WHERE HRK_NO=:N"));
    h.bind(QStringLiteral("N"), hrkNo).exec();
    if (!h.next())
        return std::nullopt;
    MahsupFisi f;
    f.HRK_NO = h.num(QStringLiteral("HRK_NO"));
    f.TARIH = h.date(QStringLiteral("TARIH"));
    f.TIP = h.str(QStringLiteral("TIP"));
    f.FIS_NO = h.value(QStringLiteral("FIS_NO"));
    f.ACIKLAMA = h.str(QStringLiteral("ACIKLAMA"));
    Query q(db, QStringLiteral("SELECT * FROM FISGA WHERE HRK_NO=:N ORDER BY SIRA_NO"));
    q.bind(QStringLiteral("N"), hrkNo).exec();
    while (q.next()) {
        MahsupSatiri s;
        s.SIRA_NO = int(q.integer(QStringLiteral("SIRA_NO")));
        s.TIP = q.str(QStringLiteral("TIP"));
        s.STOK_NO = q.num(QStringLiteral("STOK_NO"));
        s.KOD = q.str(QStringLiteral("KOD"));
        s.ACIKLAMA1 = q.str(QStringLiteral("ACIKLAMA1"));
        s.ACIKLAMA2 = q.str(QStringLiteral("ACIKLAMA2"));
        s.KDV = q.num(QStringLiteral("KDV"));
        s.KDV_TUT = q.num(QStringLiteral("KDV_TUT"));
        s.MIKTAR = q.num(QStringLiteral("MIKTAR"));
        s.BORC = q.num(QStringLiteral("BORC"));
        s.BORC_USD = q.num(QStringLiteral("BORC_USD"));
        s.BORC_DVZ = q.num(QStringLiteral("BORC_DVZ"));
        s.ALACAK = q.num(QStringLiteral("ALACAK"));
        s.ALACAK_USD = q.num(QStringLiteral("ALACAK_USD"));
        s.ALACAK_DVZ = q.num(QStringLiteral("ALACAK_DVZ"));
        const QString baz = q.str(QStringLiteral("PARA_BAZ"));
        s.PARA_BAZ = baz.isEmpty() ? QLatin1Char('T') : baz.at(0);
        s.DOVIZ_CINS = q.str(QStringLiteral("DOVIZ_CINS"));
        s.KUR_BAZ = q.num(QStringLiteral("KUR_BAZ"));
        s.KUR_DVZ = q.num(QStringLiteral("KUR_DVZ"));
        s.ISIN_TUTARI = q.num(QStringLiteral("ISIN_TUTARI"));
        s.VERGI_TUTARI = q.num(QStringLiteral("VERGI_TUTARI"));
        s.MUH_KARSI = q.str(QStringLiteral("MUH_KARSI"));
        s.BANKA_KOD = q.str(QStringLiteral("BANKA_KOD"));
        f.satirlar << s;
    }
    f.toplamlariHesapla();
    return f;
}

void MahsupFisSil(const SessionContext& ctx, const Db& db, double hrkNo)
{
    const auto fis = MahsupFisOku(db, hrkNo);
    if (!fis)
        return;
    if (mahsupAktarildi(fis->FIS_NO))
        throw IslemReddi(QStringLiteral("Bu Hareketin Muhasebe Kayıt Fişi Var. Silinemez."), MsgIcon::Warning);
    if (IsDateLocked(ctx, false, fis->TARIH))
        throw IslemReddi(QStringLiteral("İlgili tarih için işlem yapılamaz!"), MsgIcon::Warning);
    Transaction tx(db);
    Query kilit(db, QStringLiteral("SELECT FIS_NO FROM FISG WHERE HRK_NO=:N") + db.dialect().rowLockSuffix());
    kilit.bind(QStringLiteral("N"), hrkNo).exec();
    if (kilit.next() && mahsupAktarildi(kilit.value(QStringLiteral("FIS_NO"))))
        throw IslemReddi(QStringLiteral("Bu Hareketin Muhasebe Kayıt Fişi Var. Silinemez."), MsgIcon::Warning);
    kilit.finish();
    KasaAynaSil(db, hrkNo, QLatin1Char('M'));
    CariHrkSil(db, QLatin1Char('M'), hrkNo);
    stock::DepoHrkSil(db, stock::DepoHrkBelge::Belge(hrkNo, QLatin1Char('M')));
    BankaHrkaSil(db, hrkNo, QStringLiteral("B"));
    const QVariantMap b{{QStringLiteral("Cno"), hrkNo}};
    db.exec(QStringLiteral("DELETE FROM FISG WHERE HRK_NO=:Cno"), b);
    db.exec(QStringLiteral("DELETE FROM FISGA WHERE HRK_NO=:Cno"), b);
    tx.commit();
}

bool MahsupFisMuhasebeyeAktar(const SessionContext& ctx, const Db& db, const MahsupFisi& fis)
{
    if (ctx.AktifKullanici.diger10 != QLatin1String("Y"))
        return false;
    return KayittanSonraMuhasebele(ctx, db, MuhasebeEntegreIstegi{QLatin1Char('X'), false, fis.FIS_NO, fis.HRK_NO});
}

} // namespace tornaly::accounts
