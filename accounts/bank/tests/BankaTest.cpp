#include "accounts/AccountsSchema.h"
#include "accounts/bank/Banka.h"
#include "accounts/bank/BankaHrk.h"
#include "accounts/cash/Kasa.h"
#include "db/DbError.h"
#include "guard/FormGuard.h"
#include "guard/IslemReddi.h"
#include "services/KurBul.h"
#include "testsupport/TestSupport.h"

#include <cmath>

using namespace tornaly;
using namespace tornaly::accounts;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

class BankaTest : public test::DbTest {
protected:
    void registerSchema() override { accounts::RegisterSchema(); }
    void SetUp() override
    {
        test::DbTest::SetUp();
        BankaKaydet(db, {S("ZB"), S("Ziraat Bankası"), S("Merkez")}, true);
        BankaKaydet(db, {S("YK"), S("Yapı Kredi"), S("Sanayi")}, true);
        hesap(S("ZB"), S("100"), S("1"), S("TL"));
        hesap(S("ZB"), S("200"), S("3"), S("USD"));
        hesap(S("YK"), S("300"), S("1"), S("TL"));
        KasaKaydet(db, {S("MERKEZ"), S("Merkez Kasa")}, true);
        for (const char* c : {"C1", "C2"})
            db.exec(S("INSERT INTO CARI (CARI_KOD, FIRMA_ADI) VALUES (:K, :K)"), {{S("K"), S(c)}});
        db.exec(S("INSERT INTO KURDEGER (DOVIZ_KODU, TARIH, TLDEGERI_ALIS, TLDEGERI_SATIS) VALUES ('USD', :T, 39, 40)"),
                {{S("T"), QDateTime(QDate(2026, 3, 1), QTime(0, 0))}});
    }

    void hesap(const QString& banka, const QString& no, const QString& tur, const QString& doviz)
    {
        BankaHesabi h;
        h.BANKA_KOD = banka;
        h.HESAP_NO = no;
        h.HESAR_TURU = tur;
        h.DOVIZ_KODU = doviz;
        BankaHesabiKaydet(ctx, db, h, true);
    }

    double deger(const QString& sql, const QVariantMap& b = {}) const
    {
        Query q(db, sql);
        q.bindAll(b).exec();
        return q.next() ? q.value(0).toDouble() : 0.0;
    }
    int say(const QString& tablo) const { return int(deger(S("SELECT COUNT(*) FROM ") + tablo)); }

    static BankaHrkaSatiri satir(const char* banka, const char* hesapNo, double borc, double alacak,
                                 const char* cari = "", const char* kasa = "")
    {
        BankaHrkaSatiri s;
        s.BANKA_KOD = S(banka);
        s.HESAP_NO = S(hesapNo);
        s.BORC = borc;
        s.ALACAK = alacak;
        s.CARI_KOD = S(cari);
        s.KASAKOD = S(kasa);
        s.DOVIZ_KODU = S("TL");
        s.TL_USDEGER = 40;
        return s;
    }
    BankaHrkFisi fis(const char* tip, QList<BankaHrkaSatiri> satirlar) const
    {
        BankaHrkFisi f;
        f.TIP = S(tip);
        f.TARIH = QDate(2026, 3, 10);
        for (int i = 0; i < satirlar.size(); ++i)
            satirlar[i].SIRANO = i + 1;
        f.satirlar = satirlar;
        return f;
    }
};

TEST_F(BankaTest, AccountsKeepTheirCurrencyByTypeAndRefuseDeletesWhileUsed)
{
    EXPECT_EQ(BankaHesabiOku(db, S("ZB"), S("100"))->DOVIZ_KODU, S("TL"));
    hesap(S("YK"), S("301"), S("1"), S("USD"));
    hesap(S("YK"), S("303"), S("3"), S("EUR"));
    EXPECT_EQ(BankaHesabiOku(db, S("YK"), S("301"))->DOVIZ_KODU, S("TL")) << "type 1 always holds the local currency";
    EXPECT_EQ(BankaHesabiOku(db, S("YK"), S("303"))->DOVIZ_KODU, S("EUR"));

    struct Case {
        const char* ad;
        std::function<void()> sil;
        QString mesaj;
    };
    auto f = fis("M", {satir("YK", "303", 10, 0)});
    BankaHrkKaydet(ctx, db, f);
    const QList<Case> cases{
        {"bank with accounts", [&] { BankaSil(db, S("YK")); }, BankaHesabiVarText()},
        {"account with a voucher row", [&] { BankaHesabiSil(db, S("YK"), S("303")); }, BankaHesapHareketVarText()},
    };
    for (const auto& c : cases) {
        messages.clear();
        EXPECT_FALSE(Guard(c.sil)) << c.ad;
        EXPECT_EQ(messages.lastText(), c.mesaj) << c.ad;
    }
    EXPECT_TRUE(BankaOku(db, S("YK")).has_value());
    BankaHesabiSil(db, S("YK"), S("301"));
    EXPECT_FALSE(BankaHesabiOku(db, S("YK"), S("301")).has_value());
}

TEST_F(BankaTest, PickerRefusesTheWrongTypeOrCurrency)
{
    struct Case {
        const char* tur;
        const char* doviz;
        const char* tipUyumu;
        const char* tipDoviz;
        std::optional<QString> mesaj;
    };
    const QList<Case> cases{
        {"1", "TL", "1", "", std::nullopt},
        {"3", "USD", "1", "", std::nullopt},
        {"2", "TL", "1", "", S("Hesap Türü Uyumsuz !")},
        {"4", "USD", "1", "", S("Hesap Türü Uyumsuz !")},
        {"5", "TL", "1", "", S("Hesap Türü Uyumsuz !")},
        {"6", "TL", "1", "", S("Hesap Türü Uyumsuz !")},
        {"1", "TL", "2", "", S("Hesap Türü Uyumsuz !")},
        {"4", "USD", "2", "", std::nullopt},
        {"5", "TL", "", "", std::nullopt},
        {"6", "TL", "", "TL", std::nullopt},
        {"3", "USD", "", "TL", S("Döviz Tipi Uyumsuz  !")},
        {"1", "TL", "9", "", S("Hesap Türü Uyumsuz !")},
    };
    for (const auto& c : cases) {
        BankaHesabi h;
        h.HESAP_NO = S("1");
        h.HESAR_TURU = S(c.tur);
        h.DOVIZ_KODU = S(c.doviz);
        EXPECT_EQ(BankaHesapSecKontrol(&h, S(c.tipUyumu), S(c.tipDoviz)), c.mesaj)
            << c.tur << " / " << c.tipUyumu << " / " << c.tipDoviz;
    }
    BankaHesabi bos;
    EXPECT_EQ(BankaHesapSecKontrol(&bos, {}, {}), S("Hesap No.su Olmayan Kayıt Seçilemez."));
    EXPECT_EQ(BankaHesapSecKontrol(nullptr, {}, {}), S("Hesap No.su Olmayan Kayıt Seçilemez."));
}

// Each kind of voucher: the rows it leaves in every ledger and the account's
// balance afterwards; a second save leaves one set of mirrors.
TEST_F(BankaTest, EachKindWritesItsMirrorsOnceAndTheBalanceFollows)
{
    struct Case {
        const char* tip;
        QList<BankaHrkaSatiri> satirlar;
        int bankaSatiri;
        int cariSatiri;
        double cariBorc, cariAlacak;      // sums of the kind's CARIHRK rows
        int kasaGiris, kasaCikis;         // KASAHRKT rows TIP B / A
        double kasaGirisTutar;
        double zb100Bakiye;               // balance of ZB/100 after the save
    };
    const QList<Case> cases{
        {"G", {satir("ZB", "100", 1000, 0, "C1"), satir("ZB", "100", 250, 0, "C2")}, 2, 2, 0, 1250, 0, 0, 0, -1250},
        {"H", {satir("ZB", "100", 0, 400, "C1")}, 1, 1, 400, 0, 0, 0, 0, 400},
        {"K", {satir("ZB", "100", 300, 0, "C1"), satir("ZB", "100", 0, 50, "C2")}, 2, 2, 50, 300, 0, 0, 0, -250},
        {"I", {satir("ZB", "100", 0, 500, "", "MERKEZ"), satir("ZB", "100", 200, 0, "", "MERKEZ")}, 2, 0, 0, 0, 1, 1,
         500, 300},
        {"V", {satir("ZB", "100", 0, 700), satir("YK", "300", 700, 0)}, 2, 0, 0, 0, 0, 0, 0, 700},
        {"R", {satir("ZB", "100", 0, 100.1), satir("YK", "300", 100.1, 0)}, 2, 0, 0, 0, 0, 0, 0, 100.1},
        {"A", {satir("ZB", "100", 5000, 0)}, 1, 0, 0, 0, 0, 0, 0, -5000},
        {"M", {satir("ZB", "100", 0, 12.5)}, 1, 0, 0, 0, 0, 0, 0, 12.5},
    };
    for (const auto& c : cases) {
        db.exec(S("DELETE FROM BANKHRKA"));
        db.exec(S("DELETE FROM BANKHRK"));
        db.exec(S("DELETE FROM CARIHRK"));
        db.exec(S("DELETE FROM KASAHRKT"));
        BankaHrkFisi f = fis(c.tip, c.satirlar);
        const double no = BankaHrkKaydet(ctx, db, f);
        BankaHrkFisi tekrar = *BankaHrkOku(db, no);
        BankaHrkKaydet(ctx, db, tekrar);
        EXPECT_EQ(say(S("BANKHRK")), 1) << c.tip;
        EXPECT_EQ(say(S("BANKHRKA")), c.bankaSatiri) << c.tip;
        EXPECT_EQ(say(S("CARIHRK")), c.cariSatiri) << c.tip;
        EXPECT_DOUBLE_EQ(deger(S("SELECT COALESCE(SUM(BORC), 0) FROM CARIHRK WHERE CRHRK_TUR=:T AND REF_NO=:N"),
                               {{S("T"), S(c.tip)}, {S("N"), no}}),
                         c.cariBorc) << c.tip;
        EXPECT_DOUBLE_EQ(deger(S("SELECT COALESCE(SUM(ALACAK), 0) FROM CARIHRK WHERE CRHRK_TUR=:T AND REF_NO=:N"),
                               {{S("T"), S(c.tip)}, {S("N"), no}}),
                         c.cariAlacak) << c.tip;
        EXPECT_EQ(int(deger(S("SELECT COUNT(*) FROM KASAHRKT WHERE REF_TIP='B' AND TIP='B'"))), c.kasaGiris) << c.tip;
        EXPECT_EQ(int(deger(S("SELECT COUNT(*) FROM KASAHRKT WHERE REF_TIP='B' AND TIP='A'"))), c.kasaCikis) << c.tip;
        EXPECT_DOUBLE_EQ(deger(S("SELECT COALESCE(SUM(TUTAR), 0) FROM KASAHRKT WHERE REF_TIP='B' AND TIP='B'")),
                         c.kasaGirisTutar) << c.tip;
        const auto b = BankaBakiyeleriOku(db, S("ZB"), S("100"));
        EXPECT_NEAR(b.nakitToplam.bakiye(), c.zb100Bakiye, 1e-9) << c.tip;
        EXPECT_NEAR(b.cariHesapToplam.bakiye(), c.zb100Bakiye, 1e-9) << c.tip;
    }
}

TEST_F(BankaTest, ForeignLinesConvertWithoutRounding)
{
    BankaHrkaSatiri s = satir("ZB", "200", 0, 0);
    s.DOVIZ_KODU = S("EUR");
    s.PARA_BAZ = QLatin1Char('D');
    s.BORC_DVZ = 100;
    s.TL_KURDEGER = 30;
    s.TL_USDEGER = 32;
    BankaHrkFisi f = fis("M", {s});
    BankaHrkKaydet(ctx, db, f);
    EXPECT_DOUBLE_EQ(f.satirlar[0].BORC, 3000);
    EXPECT_DOUBLE_EQ(f.satirlar[0].BORC_USD, 93.75);

    BankaHrkaSatiri yerel = satir("ZB", "100", 10, 0);
    yerel.TL_KURDEGER = 7;
    BankaHrkFisi g = fis("M", {yerel});
    BankaHrkKaydet(ctx, db, g);
    EXPECT_DOUBLE_EQ(g.satirlar[0].TL_KURDEGER, 1);
}

// Each bad voucher gets its message and writes nothing.
TEST_F(BankaTest, BadVouchersAreRefusedAndWriteNothing)
{
    ctx.KilitTarihi = QDate(2026, 1, 31);
    BankaHrkaSatiri dovizKursuz = satir("ZB", "200", 0, 0);
    dovizKursuz.DOVIZ_KODU = S("EUR");
    dovizKursuz.PARA_BAZ = QLatin1Char('D');
    dovizKursuz.BORC_DVZ = 100;
    struct Case {
        const char* ad;
        BankaHrkFisi fis;
        QString mesaj;
    };
    BankaHrkFisi kilitli = fis("M", {satir("ZB", "100", 10, 0)});
    kilitli.TARIH = QDate(2026, 1, 15);
    const QList<Case> cases{
        {"unbalanced transfer", fis("V", {satir("ZB", "100", 1000, 0), satir("YK", "300", 0, 999.99)}),
         S("Borç-Alacak Toplamları Eşit Olmalı")},
        {"unbalanced card transfer", fis("R", {satir("ZB", "100", 10, 0)}), S("Borç-Alacak Toplamları Eşit Olmalı")},
        {"no lines", fis("M", {}), S("Dikkat Hareket Kaydı olmadan Kayıt Yapılmaz")},
        {"missing cash box", fis("I", {satir("ZB", "100", 10, 0)}), S("Kasa Kodu Seçilmelidir !")},
        {"unknown cash box", fis("I", {satir("ZB", "100", 10, 0, "", "YOK")}), S("Kasa Kodu Seçilmelidir !")},
        {"locked date", kilitli, S("İlgili tarih için işlem yapılamaz!")},
        {"transfer without account", fis("G", {satir("ZB", "100", 10, 0)}), S("Cari Kodu Seçilmelidir !")},
        {"foreign line without a rate", fis("M", {dovizKursuz}),
         KurYokMesaji(S("EUR"), QDate(2026, 3, 10))},
    };
    for (auto c : cases) {
        messages.clear();
        EXPECT_FALSE(Guard([&] { BankaHrkKaydet(ctx, db, c.fis); })) << c.ad;
        EXPECT_TRUE(messages.contains(c.mesaj)) << c.ad << ": " << messages.lastText().toStdString();
        EXPECT_EQ(say(S("BANKHRK")) + say(S("BANKHRKA")) + say(S("CARIHRK")) + say(S("KASAHRKT")), 0) << c.ad;
    }
    // Sums that differ only as binary floats balance.
    BankaHrkFisi f = fis("V", {satir("ZB", "100", 0.1, 0), satir("ZB", "100", 0.2, 0), satir("YK", "300", 0, 0.3)});
    EXPECT_TRUE(Guard([&] { BankaHrkKaydet(ctx, db, f); }));
}

// A ledger that cannot be written halfway through the save takes the whole
// voucher back with it.
TEST_F(BankaTest, AFailureInAnyLedgerLeavesNoRow)
{
    struct Case {
        const char* tip;
        const char* tablo;
        QList<BankaHrkaSatiri> satirlar;
    };
    const QList<Case> cases{
        {"G", "CARIHRK", {satir("ZB", "100", 10, 0, "C1")}},
        {"I", "KASAHRKT", {satir("ZB", "100", 10, 0, "", "MERKEZ")}},
    };
    for (const auto& c : cases) {
        const QString tablo = S(c.tablo);
        db.exec(S("ALTER TABLE ") + tablo + S(" RENAME TO ") + tablo + S("_X"));
        BankaHrkFisi f = fis(c.tip, c.satirlar);
        EXPECT_THROW(BankaHrkKaydet(ctx, db, f), DbError) << c.tip;
        db.exec(S("ALTER TABLE ") + tablo + S("_X RENAME TO ") + tablo);
        EXPECT_EQ(say(S("BANKHRK")) + say(S("BANKHRKA")) + say(S("CARIHRK")) + say(S("KASAHRKT")), 0) << c.tip;
    }
}

TEST_F(BankaTest, DeleteTakesOnlyTheVouchersOwnRows)
{
    BankaHrkFisi g = fis("G", {satir("ZB", "100", 100, 0, "C1")});
    const double no = BankaHrkKaydet(ctx, db, g);
    // Rows of other documents that happen to carry the same number.
    db.exec(S("INSERT INTO CARIHRK (CARI_NO, SIRANO, CARI_KOD, CRHRK_TUR, REF_NO, BORC) VALUES (900, 1, 'C1', 'N', :N, 5)"),
            {{S("N"), no}});
    db.exec(S("INSERT INTO KASAHRKT (HRKNO, SIRANO, REF_TIP, TIP, TUTAR) VALUES (:N, 1, 'C', 'B', 5)"), {{S("N"), no}});
    BankaHrkaSatiri diger = satir("YK", "300", 5, 0);
    diger.HRK_NO = 9000;
    diger.SIRANO = 1;
    diger.TARIH = QDate(2026, 3, 10);
    diger.TIP = S("B");
    diger.REF_NO = no;
    BankaHrkaYaz(db, diger);

    BankaHrkSil(ctx, db, no);
    EXPECT_EQ(say(S("BANKHRK")), 0);
    EXPECT_EQ(int(deger(S("SELECT COUNT(*) FROM BANKHRKA WHERE HRK_NO=9000"))), 1);
    EXPECT_EQ(say(S("BANKHRKA")), 1);
    EXPECT_EQ(say(S("CARIHRK")), 1);
    EXPECT_EQ(say(S("KASAHRKT")), 1);

    BankaHrkFisi i = fis("I", {satir("ZB", "100", 10, 0, "", "MERKEZ")});
    const double kasaNo = BankaHrkKaydet(ctx, db, i);
    db.exec(S("UPDATE BANKHRK SET FIS_NO=77 WHERE HRK_NO=:N"), {{S("N"), kasaNo}});
    EXPECT_FALSE(Guard([&] { BankaHrkSil(ctx, db, kasaNo); }));
    EXPECT_EQ(messages.lastText(), S("Bu Hareketin Muhasebe Kayıt Fişi Var. Silinemez."));
    db.exec(S("UPDATE BANKHRK SET FIS_NO=0 WHERE HRK_NO=:N"), {{S("N"), kasaNo}});
    BankaHrkSil(ctx, db, kasaNo);
    EXPECT_EQ(int(deger(S("SELECT COUNT(*) FROM KASAHRKT WHERE REF_TIP='B'"))), 0);
}

TEST_F(BankaTest, AnInvoicePaidTwiceByPosReopensItsVoucher)
{
    BankaHrkFisi f = BankaHrkFaturaOdemeHazirla(ctx, db, S("I"), S("B"), S("K"), 1180, S("100"), S("ZB"), S("C1"),
                                                S("A-12"), 4711);
    const double no = BankaHrkKaydet(ctx, db, f);
    BankaHrkFisi ikinci = BankaHrkFaturaOdemeHazirla(ctx, db, S("I"), S("B"), S("K"), 1200, S("100"), S("ZB"),
                                                     S("C1"), S("A-12"), 4711);
    EXPECT_EQ(ikinci.HRK_NO, no);
    BankaHrkKaydet(ctx, db, ikinci);
    EXPECT_EQ(say(S("BANKHRK")), 1);
    EXPECT_EQ(say(S("BANKHRKA")), 1);
    EXPECT_DOUBLE_EQ(deger(S("SELECT SUM(ALACAK) FROM CARIHRK WHERE CRHRK_TUR='K'")), 1200);
    EXPECT_EQ(BankaHrkOku(db, no)->satirlar[0].ACIKLAMA, S("A-12 Nolu Fatura Ödemesi."));
}

TEST_F(BankaTest, CashAndGeneralBalancesFollowThePapers)
{
    // A customer's cheque at the bank for collection: its clearing row stays
    // out of the cash balance until the card says collected.
    db.exec(S("INSERT INTO CSKART (PORTFOYNO, CS_TIP, SAHIP, SON_DURUMU, CIRO_CKOD, TEMTAHSP_NO, TUTAR, TUTAR_USD, "
              "TUTAR_DOVIZ, DOVIZ_KOD) VALUES (1, :C, 'M', 'V', 'ZB', '100', 600, 15, 600, 'TL')"),
            {{S("C"), S("Ç")}});
    BankaHrkaSatiri cek = satir("ZB", "100", 600, 0);
    cek.HRK_NO = 50;
    cek.SIRANO = 1;
    cek.TARIH = QDate(2026, 3, 1);
    cek.TIP = S("V");
    cek.PORTFOYNO = 1;
    cek.CS_TIP = S("Ç");
    BankaHrkaYaz(db, cek);
    BankaHrkFisi a = fis("A", {satir("ZB", "100", 1000, 0)});
    BankaHrkKaydet(ctx, db, a);

    auto b = BankaBakiyeleriOku(db, S("ZB"), S("100"));
    EXPECT_DOUBLE_EQ(b.cariHesapToplam.bakiye(), -1000);
    EXPECT_DOUBLE_EQ(b.nakitToplam.bakiye(), -1000);
    EXPECT_DOUBLE_EQ(b.genelToplam.bakiye(), -1600);
    EXPECT_EQ(BankaBakiyeMetni(b.genelToplam.bakiye()), S("1.600,00 (B)"));

    db.exec(S("UPDATE CSKART SET SON_DURUMU='T'"));
    b = BankaBakiyeleriOku(db, S("ZB"), S("100"));
    EXPECT_DOUBLE_EQ(b.cariHesapToplam.bakiye(), -1000);
    EXPECT_DOUBLE_EQ(b.nakitToplam.bakiye(), -1600);
    EXPECT_DOUBLE_EQ(b.genelToplam.bakiye(), -1600);
    // Up to the day before the opening only the cheque's row counts.
    EXPECT_DOUBLE_EQ(BankaBakiyeleriOku(db, S("ZB"), S("100"), QDate(2026, 3, 9)).nakitToplam.bakiye(), -600);
    EXPECT_EQ(BankaBakiyeMetni(BankaBakiyeleriOku(db, S("YK"), S("300")).nakitToplam.bakiye()), S("---   "));
}

// Eight workstations post vouchers on the same accounts at once; afterwards
// every account's balance equals its rows and every voucher has one mirror
// per line.
TEST_F(BankaTest, EightConnectionsKeepEveryBalanceEqualToItsRows)
{
    constexpr int kIs = 8, kFis = 6;
    const QStringList hata = test::OnWorkstations(database->profile(), kIs, [&](const Db& own, int i) {
        SessionContext c = ctx;
        c.Database1 = own;
        for (int n = 0; n < kFis; ++n) {
            const char* tip = (i + n) % 2 ? "G" : "H";
            const double tutar = 10.0 * (i + 1) + n;
            BankaHrkFisi f = fis(tip, {tip[0] == 'G' ? satir("ZB", "100", tutar, 0, "C1") : satir("ZB", "100", 0, tutar, "C2"),
                                       tip[0] == 'G' ? satir("YK", "300", tutar, 0, "C2") : satir("YK", "300", 0, tutar, "C1")});
            for (int deneme = 0;; ++deneme) {
                try {
                    BankaHrkKaydet(c, own, f);
                    break;
                } catch (const DbError& e) {
                    if (!e.isBusy() || deneme > 50)
                        throw;
                }
            }
        }
    });
    EXPECT_TRUE(hata.isEmpty()) << hata.join(S("; ")).toStdString();
    EXPECT_EQ(say(S("BANKHRK")), kIs * kFis);
    EXPECT_EQ(say(S("CARIHRK")), say(S("BANKHRKA")));
    for (const auto& [banka, no] : {std::pair{"ZB", "100"}, std::pair{"YK", "300"}}) {
        const double satirlar = deger(S("SELECT SUM(ALACAK) - SUM(BORC) FROM BANKHRKA WHERE BANKA_KOD=:B AND HESAP_NO=:H"),
                                      {{S("B"), S(banka)}, {S("H"), S(no)}});
        EXPECT_NEAR(BankaBakiyeleriOku(db, S(banka), S(no)).nakitToplam.bakiye(), satirlar, 1e-6) << banka;
    }
    // The accounts' mirrors mirror the bank lines, sides swapped.
    EXPECT_NEAR(deger(S("SELECT SUM(BORC) - SUM(ALACAK) FROM CARIHRK")),
                deger(S("SELECT SUM(ALACAK) - SUM(BORC) FROM BANKHRKA")), 1e-6);
    EXPECT_EQ(int(deger(S("SELECT COUNT(*) FROM BANKHRKA A WHERE NOT EXISTS (SELECT 1 FROM CARIHRK C WHERE "
                          "C.REF_NO=A.HRK_NO AND C.CRHRK_TUR=A.TIP AND C.SIRANO=A.SIRANO)"))),
              0);
}

} // namespace
