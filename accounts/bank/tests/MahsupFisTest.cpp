#include "accounts/AccountsSchema.h"
#include "accounts/bank/Banka.h"
#include "accounts/cash/Kasa.h"
#include "accounts/cash/MahsupFis.h"
#include "db/DbError.h"
#include "guard/FormGuard.h"
#include "testsupport/TestSupport.h"

using namespace tornaly;
using namespace tornaly::accounts;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

class MahsupFisTest : public test::DbTest {
protected:
    void registerSchema() override { accounts::RegisterSchema(); }
    void SetUp() override
    {
        test::DbTest::SetUp();
        ctx.DonemBasTarih = QDate(2026, 1, 1);
        ctx.DonemBitTarih = QDate(2026, 12, 31);
        KasaKaydet(db, {S("MERKEZ"), S("Merkez Kasa")}, true);
        BankaKaydet(db, {S("ZB"), S("Ziraat Bankası"), {}}, true);
        BankaHesabi h;
        h.BANKA_KOD = S("ZB");
        h.HESAP_NO = S("100");
        h.HESAR_TURU = S("1");
        BankaHesabiKaydet(ctx, db, h, true);
        db.exec(S("INSERT INTO CARI (CARI_KOD, FIRMA_ADI) VALUES ('C1', 'Ayşe Yılmaz')"));
        db.exec(S("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, STOK_ADI_TR, PAY, KDV) VALUES (7, 'FLT-1', 'Filtre', 'P', 18)"));
    }
    double deger(const QString& sql) const
    {
        Query q(db, sql);
        q.exec();
        return q.next() ? q.value(0).toDouble() : 0.0;
    }
    int say(const char* tablo) const { return int(deger(S("SELECT COUNT(*) FROM ") + S(tablo))); }
    int toplamSatir() const
    {
        return say("FISG") + say("FISGA") + say("KASAHRKT") + say("CARIHRK") + say("BANKHRKA") + say("DEPOHRK");
    }

    static MahsupSatiri satir(const char* tip, const char* kod, double borc, double alacak)
    {
        MahsupSatiri s;
        s.TIP = S(tip);
        s.KOD = S(kod);
        s.ACIKLAMA1 = S(kod);
        s.BORC = borc;
        s.ALACAK = alacak;
        s.DOVIZ_CINS = S("TL");
        s.KUR_DVZ = 40;
        return s;
    }
    static MahsupFisi fis(const char* tip, QList<MahsupSatiri> l)
    {
        MahsupFisi f;
        f.TIP = S(tip);
        f.TARIH = QDate(2026, 3, 10);
        for (int i = 0; i < l.size(); ++i)
            l[i].SIRA_NO = i + 1;
        f.satirlar = l;
        return f;
    }
};

// Each kind of line: the rows it leaves in the other ledgers; a second save
// leaves one set.
TEST_F(MahsupFisTest, EachLineKindWritesItsLedgerRowsOnce)
{
    MahsupSatiri stok = satir("S", "FLT-1", 118, 0);
    stok.STOK_NO = 7;
    stok.KDV = 18;
    stok.MIKTAR = 2;
    MahsupSatiri banka = satir("B", "ZB", 0, 40);
    banka.BANKA_KOD = S("100");
    MahsupSatiri gider = satir("G", "GP", 0, 0);
    gider.ISIN_TUTARI = 100;
    gider.VERGI_TUTARI = 20;
    struct Case {
        const char* ad;
        MahsupFisi fis;
        int kasaB, kasaA, cari, banka, depoGiris;
        double cariAlacak, depoFiyat;
    };
    const QList<Case> cases{
        {"collection from an account", fis("N", {satir("K", "MERKEZ", 100, 0), satir("C", "C1", 0, 100)}), 1, 0, 1, 0,
         0, 100, 0},
        {"payment for stock", fis("M", {satir("K", "MERKEZ", 0, 118), stok}), 0, 1, 0, 0, 2, 0, 50},
        {"offset without cash", fis("V", {satir("C", "C1", 40, 0), banka}), 0, 0, 1, 1, 0, 0, 0},
        {"cash purchase writes no account row", fis("A", {satir("K", "MERKEZ", 0, 50), satir("C", "C1", 50, 0)}), 0,
         1, 0, 0, 0, 0, 0},
        {"expenses write nothing beyond the line",
         fis("V", {satir("M", "ISC", 10, 0), gider, satir("P", "Ali Veli", 0, 90)}), 0, 0, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        for (const char* t : {"FISG", "FISGA", "KASAHRKT", "CARIHRK", "BANKHRKA", "DEPOHRK", "STOKMIK"})
            db.exec(S("DELETE FROM ") + S(t));
        MahsupFisi f = c.fis;
        const double no = MahsupFisKaydet(ctx, db, f);
        MahsupFisi tekrar = *MahsupFisOku(db, no);
        MahsupFisKaydet(ctx, db, tekrar);
        EXPECT_EQ(say("FISGA"), c.fis.satirlar.size()) << c.ad;
        EXPECT_EQ(int(deger(S("SELECT COUNT(*) FROM KASAHRKT WHERE REF_TIP='M' AND TIP='B'"))), c.kasaB) << c.ad;
        EXPECT_EQ(int(deger(S("SELECT COUNT(*) FROM KASAHRKT WHERE REF_TIP='M' AND TIP='A'"))), c.kasaA) << c.ad;
        EXPECT_EQ(int(deger(S("SELECT COUNT(*) FROM CARIHRK WHERE CRHRK_TUR='M'"))), c.cari) << c.ad;
        EXPECT_DOUBLE_EQ(deger(S("SELECT COALESCE(SUM(ALACAK), 0) FROM CARIHRK")), c.cariAlacak) << c.ad;
        EXPECT_EQ(int(deger(S("SELECT COUNT(*) FROM BANKHRKA WHERE TIP='B'"))), c.banka) << c.ad;
        EXPECT_DOUBLE_EQ(deger(S("SELECT COALESCE(SUM(GIRMIK), 0) FROM DEPOHRK WHERE TIP='M'")), c.depoGiris) << c.ad;
        if (c.depoGiris > 0) {
            EXPECT_DOUBLE_EQ(deger(S("SELECT FIYAT FROM DEPOHRK")), c.depoFiyat) << c.ad;
        }
    }
    // The expense voucher's debit is the job less the withheld tax.
    EXPECT_DOUBLE_EQ(deger(S("SELECT BORC FROM FISGA WHERE TIP='G'")), 80);
}

TEST_F(MahsupFisTest, BadSlipsAreRefusedAndWriteNothing)
{
    ctx.KilitTarihi = QDate(2026, 2, 28);
    MahsupSatiri stokSifir = satir("S", "FLT-1", 10, 0);
    stokSifir.STOK_NO = 7;
    MahsupSatiri dovizKursuz = satir("C", "C1", 0, 0);
    dovizKursuz.DOVIZ_CINS = S("EUR");
    dovizKursuz.PARA_BAZ = QLatin1Char('D');
    dovizKursuz.ALACAK_DVZ = 10;
    MahsupFisi donemDisi = fis("V", {satir("C", "C1", 10, 0)});
    donemDisi.TARIH = QDate(2027, 1, 5);
    MahsupFisi kilitli = fis("V", {satir("C", "C1", 10, 0)});
    kilitli.TARIH = QDate(2026, 2, 1);
    struct Case {
        const char* ad;
        MahsupFisi fis;
        QString mesaj;
    };
    const QList<Case> cases{
        {"cash out on a collection slip", fis("N", {satir("K", "MERKEZ", 0, 10)}), KasaKuraliText()},
        {"cash in on a payment slip", fis("M", {satir("K", "MERKEZ", 10, 0)}), KasaKuraliText()},
        {"cash in on a cash purchase", fis("A", {satir("K", "MERKEZ", 10, 0)}), KasaKuraliText()},
        {"no lines", fis("V", {}), S("Dikkat Hareket Kaydı olmadan Kayıt Yapılmaz")},
        {"date outside the period", donemDisi, S("Lütfen Çalışma Dönemi içinde bir Tarih Yazınız")},
        {"locked date", kilitli, S("İlgili tarih için işlem yapılamaz!")},
        {"stock quantity zero", fis("V", {stokSifir}), S("1. satırın Miktarı sıfırdan büyük olmalıdır !")},
        {"unknown cash box", fis("V", {satir("K", "YOK", 10, 0)}), S("Kasa Kodu Seçilmelidir !")},
    };
    for (auto c : cases) {
        messages.clear();
        EXPECT_FALSE(Guard([&] { MahsupFisKaydet(ctx, db, c.fis); })) << c.ad;
        EXPECT_EQ(messages.lastText(), c.mesaj) << c.ad;
        EXPECT_EQ(toplamSatir(), 0) << c.ad;
    }
    MahsupFisi f = fis("V", {dovizKursuz});
    EXPECT_FALSE(Guard([&] { MahsupFisKaydet(ctx, db, f); }));
    EXPECT_EQ(toplamSatir(), 0);
}

TEST_F(MahsupFisTest, ASlipSharingItsVoucherRefusesItsSave)
{
    MahsupFisi a = fis("V", {satir("C", "C1", 10, 0)});
    MahsupFisi b = fis("V", {satir("C", "C1", 0, 10)});
    const double na = MahsupFisKaydet(ctx, db, a);
    const double nb = MahsupFisKaydet(ctx, db, b);
    db.exec(S("UPDATE FISG SET FIS_NO=12"));
    MahsupFisi tekrar = *MahsupFisOku(db, na);
    tekrar.satirlar[0].BORC = 20;
    EXPECT_FALSE(Guard([&] { MahsupFisKaydet(ctx, db, tekrar); }));
    EXPECT_TRUE(messages.lastText().startsWith(S("Uyarı: Bu Kayıt Toplu Muhasebeleştirilmiştir.")));
    EXPECT_DOUBLE_EQ(deger(S("SELECT SUM(BORC) FROM CARIHRK")), 10);
    // A posted slip is not deleted; an unposted one takes only its own rows.
    EXPECT_FALSE(Guard([&] { MahsupFisSil(ctx, db, nb); }));
    EXPECT_EQ(messages.lastText(), S("Bu Hareketin Muhasebe Kayıt Fişi Var. Silinemez."));
    db.exec(S("UPDATE FISG SET FIS_NO=0"));
    db.exec(S("INSERT INTO CARIHRK (CARI_NO, SIRANO, CARI_KOD, CRHRK_TUR, REF_NO, BORC) VALUES (900, 1, 'C1', 'G', :N, 5)"),
            {{S("N"), na}});
    MahsupFisSil(ctx, db, na);
    EXPECT_EQ(int(deger(S("SELECT COUNT(*) FROM CARIHRK WHERE CRHRK_TUR='G'"))), 1);
    EXPECT_EQ(int(deger(S("SELECT COUNT(*) FROM CARIHRK WHERE CRHRK_TUR='M'"))), 1);
    EXPECT_EQ(say("FISG"), 1);
}

TEST_F(MahsupFisTest, AFailingLedgerTakesTheWholeSlipBack)
{
    MahsupSatiri stok = satir("S", "FLT-1", 118, 0);
    stok.STOK_NO = 7;
    stok.MIKTAR = 1;
    db.exec(S("ALTER TABLE KASAHRKT RENAME TO KASAHRKT_X"));
    MahsupFisi f = fis("N", {satir("C", "C1", 0, 118), stok, satir("K", "MERKEZ", 0, 0)});
    EXPECT_THROW(MahsupFisKaydet(ctx, db, f), DbError);
    db.exec(S("ALTER TABLE KASAHRKT_X RENAME TO KASAHRKT"));
    EXPECT_EQ(toplamSatir(), 0);
}

} // namespace
