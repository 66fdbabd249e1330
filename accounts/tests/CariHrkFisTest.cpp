#include "accounts/AccountsSchema.h"
#include "accounts/cash/Kasa.h"
#include "accounts/ledger/CariHrk.h"
#include "accounts/vouchers/CariHrkFis.h"
#include "services/MuhasebeEntegre.h"
#include "testsupport/TestSupport.h"

#include <cmath>

using namespace tornaly;
using namespace tornaly::accounts;

namespace {

class CariHrkFisTest : public test::DbTest {
protected:
    void registerSchema() override { accounts::RegisterSchema(); }
    void SetUp() override
    {
        test::DbTest::SetUp();
        for (const auto& [kod, vade] : {std::pair{"120.01", 30}, std::pair{"120.02", 0}, std::pair{"320.01", 0}})
            db.exec(QStringLiteral("INSERT INTO CARI (CARI_KOD, FIRMA_ADI, VADEGUN) VALUES (:K, :A, :V)"),
                    {{QStringLiteral("K"), QLatin1String(kod)},
                     {QStringLiteral("A"), QStringLiteral("Hesap ") + QLatin1String(kod)},
                     {QStringLiteral("V"), vade}});
        KasaKaydet(db, {QStringLiteral("MERKEZ"), QStringLiteral("Merkez Kasa")}, true);
        kur(QStringLiteral("USD"), 30);
        kur(QStringLiteral("EUR"), 32);
    }

    void kur(const QString& dvz, double satis)
    {
        db.exec(QStringLiteral("INSERT INTO KURDEGER (DOVIZ_KODU, TARIH, TLDEGERI_ALIS, TLDEGERI_SATIS) "
                               "VALUES (:D, :T, :S, :S)"),
                {{QStringLiteral("D"), dvz}, {QStringLiteral("T"), QDateTime(QDate(2026, 1, 1), QTime(0, 0))},
                 {QStringLiteral("S"), satis}});
    }

    CariHrkFisSatiri satir(const char* kod, double borc, double alacak)
    {
        CariHrkFisSatiri s;
        s.CARI_KOD = QLatin1String(kod);
        if (borc > 0)
            s.BORC = borc;
        if (alacak > 0)
            s.ALACAK = alacak;
        s.KASAKOD = QStringLiteral("MERKEZ");
        return s;
    }

    CariHrkFisi fis(const char* tip)
    {
        CariHrkFisi f;
        f.TIP = QLatin1String(tip);
        f.TARIH = QDate(2026, 4, 10);
        return f;
    }

    int say(const QString& sql)
    {
        Query q(db, sql);
        q.exec();
        q.next();
        return q.value(0).toInt();
    }
    int tumSatirlar()
    {
        return say(QStringLiteral("SELECT COUNT(*) FROM CARIHRKM")) + say(QStringLiteral("SELECT COUNT(*) FROM CARIHRK")) +
               say(QStringLiteral("SELECT COUNT(*) FROM KASAHRKT"));
    }
};

// Each kind with the rows it writes: ledger lines, cash mirrors, balances.
TEST_F(CariHrkFisTest, EachKindWritesItsLinesMirrorsAndBalances)
{
    struct C {
        const char* tip;
        std::vector<std::tuple<const char*, double, double>> satirlar;
        int kasaB, kasaA;      // cash mirrors in / out
        double kasaBakiye;
        double bakiye12001;    // balance of 120.01 afterwards
    } const cases[] = {
        {"N", {{"120.01", 0, 500}}, 1, 0, 500, -500},               // collection
        {"N", {{"120.01", 200, 0}, {"120.02", 50, 0}}, 0, 2, -250, 200}, // payment
        {"D", {{"120.01", 1000, 0}}, 0, 0, 0, 1000},
        {"V", {{"120.01", 0, 75.5}, {"320.01", 75.5, 0}}, 0, 0, 0, -75.5},
        {"I", {{"120.01", 10, 0}}, 0, 0, 0, 10},
        {"F", {{"120.01", 0, 3}}, 0, 0, 0, -3},
        {"O", {{"120.01", 7, 0}}, 0, 0, 0, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tip);
        db.exec(QStringLiteral("DELETE FROM CARIHRK"));
        db.exec(QStringLiteral("DELETE FROM KASAHRKT"));
        CariHrkFisi f = fis(c.tip);
        int sira = 0;
        for (const auto& [kod, b, a] : c.satirlar) {
            f.satirlar << satir(kod, b, a);
            f.satirlar.back().SIRANO = ++sira;
        }
        const double no = CariHrkFisKaydet(ctx, db, f);
        EXPECT_GT(no, 0);
        EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM CARIHRK WHERE CARI_NO=%1 AND CRHRK_TUR='%2' AND AY=4 AND "
                                     "YIL=2026")
                          .arg(no)
                          .arg(QLatin1String(c.tip))),
                  int(c.satirlar.size()));
        EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM KASAHRKT WHERE REF_TIP='C' AND HRK_TURU='w' AND TIP='B' "
                                     "AND KASAKOD='MERKEZ' AND HRKNO=%1")
                          .arg(no)),
                  c.kasaB);
        EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM KASAHRKT WHERE REF_TIP='C' AND TIP='A' AND HRKNO=%1").arg(no)),
                  c.kasaA);
        EXPECT_NEAR(KasaBakiye(db, QStringLiteral("MERKEZ")), c.kasaBakiye, 1e-9);
        EXPECT_NEAR(CariBakiyeOku(db, QStringLiteral("120.01")).bakiye(), c.bakiye12001, 1e-9);
        const auto okunan = CariHrkFisOku(db, no);
        ASSERT_TRUE(okunan);
        // USD at 30 and the local currency's own amount, derived and not rounded.
        EXPECT_NEAR(okunan->BORC_USD + okunan->ALACAK_USD, (okunan->BORC + okunan->ALACAK) / 30, 1e-9);
        EXPECT_EQ(okunan->satirlar.first().DOVIZ_KODU, QStringLiteral("TL"));
    }
}

TEST_F(CariHrkFisTest, ForeignLinesDueDatesAndTransferBalance)
{
    CariHrkFisi f = fis("N");
    CariHrkFisSatiri usd = satir("120.01", 0, 0);
    usd.PARA_BAZ = QLatin1Char('U');
    usd.ALACAK_USD = 100;
    usd.DOVIZ_KODU = QStringLiteral("EUR");
    usd.SIRANO = 1;
    usd.VADE_TRH = QDate(2026, 12, 31); // overwritten: cash vouchers take the account's term
    f.satirlar << usd;
    const double no = CariHrkFisKaydet(ctx, db, f);
    const CariHrkFisSatiri s = CariHrkFisOku(db, no)->satirlar.first();
    EXPECT_DOUBLE_EQ(s.ALACAK.toDouble(), 3000);
    EXPECT_DOUBLE_EQ(s.ALACAK_DVZ.toDouble(), 93.75);
    EXPECT_TRUE(s.BORC.isNull());
    EXPECT_EQ(s.VADE_TRH, QDate(2026, 5, 10));

    CariHrkFisi d = fis("D");
    CariHrkFisSatiri ds = satir("120.01", 10, 0);
    ds.VADE_TRH = QDate(2026, 12, 31);
    d.satirlar << ds;
    EXPECT_EQ(CariHrkFisOku(db, CariHrkFisKaydet(ctx, db, d))->satirlar.first().VADE_TRH, QDate(2026, 12, 31));

    // 0.1 + 0.2 balances 0.3 at cents; 1,000.00 against 999.99 does not.
    CariHrkFisi v = fis("V");
    v.satirlar << satir("120.01", 0.1, 0) << satir("120.02", 0.2, 0) << satir("320.01", 0, 0.3);
    EXPECT_NO_THROW(CariHrkFisKaydet(ctx, db, v));
    CariHrkFisi v2 = fis("V");
    v2.satirlar << satir("120.01", 1000, 0) << satir("320.01", 0, 999.99);
    const int once = tumSatirlar();
    try {
        CariHrkFisKaydet(ctx, db, v2);
        FAIL();
    } catch (const CariHrkFisHatasi& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Borç-Alacak Toplamları Eşit olmalı"));
    }
    EXPECT_EQ(tumSatirlar(), once);
}

TEST_F(CariHrkFisTest, RefusalsWriteNothing)
{
    struct C {
        const char* ad;
        std::function<void(CariHrkFisi&)> ayar;
        const char* mesaj;
    };
    const std::vector<C> cases = {
        {"no lines", [](CariHrkFisi& f) { f.satirlar.clear(); }, "Dikkat Hareket Kaydı olmadan Kayıt Yapılmaz"},
        {"deleted cash box", [](CariHrkFisi& f) { f.satirlar[0].KASAKOD = QStringLiteral("YOK"); },
         "Kasa Kodu Seçilmelidir !"},
        {"locked date", [this](CariHrkFisi&) { ctx.KilitTarihi = QDate(2026, 4, 30); },
         "İlgili tarih için işlem yapılamaz!"},
        {"no rate for the currency",
         [](CariHrkFisi& f) {
             f.satirlar[0].DOVIZ_KODU = QStringLiteral("GBP");
             f.satirlar[0].PARA_BAZ = QLatin1Char('D');
             f.satirlar[0].ALACAK_DVZ = 5;
         },
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ad);
        ctx.KilitTarihi = QDate();
        CariHrkFisi f = fis("N");
        f.satirlar << satir("120.01", 0, 10);
        c.ayar(f);
        try {
            CariHrkFisKaydet(ctx, db, f);
            FAIL();
        } catch (const CariHrkFisHatasi& e) {
            if (*c.mesaj)
                EXPECT_EQ(e.text(), QString::fromUtf8(c.mesaj));
            else
                EXPECT_TRUE(e.text().contains(QStringLiteral("GBP")));
        }
        EXPECT_EQ(tumSatirlar(), 0);
    }
}

// The cash mirror write fails after the head and lines went in: nothing stays.
TEST_F(CariHrkFisTest, SaveThatFailsHalfWayLeavesNoRow)
{
    CariHrkFisi f = fis("N");
    f.satirlar << satir("120.01", 0, 10) << satir("120.02", 0, 20);
    const double no = CariHrkFisKaydet(ctx, db, f);
    db.exec(QStringLiteral("ALTER TABLE KASAHRKT RENAME TO KASAHRKT_GECICI"));
    db.exec(QStringLiteral("CREATE TABLE KASAHRKT (HRKNO DOUBLE PRECISION, REF_TIP VARCHAR(1))"));

    CariHrkFisi yeni = fis("N");
    yeni.satirlar << satir("120.01", 0, 99);
    EXPECT_THROW(CariHrkFisKaydet(ctx, db, yeni), DbError);
    EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM CARIHRKM")), 1);
    EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM CARIHRK")), 2);

    CariHrkFisi degisen = *CariHrkFisOku(db, no);
    degisen.satirlar.removeLast();
    EXPECT_THROW(CariHrkFisKaydet(ctx, db, degisen), DbError);
    EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM CARIHRK WHERE CARI_NO=%1").arg(no)), 2);

    db.exec(QStringLiteral("DROP TABLE KASAHRKT"));
    db.exec(QStringLiteral("ALTER TABLE KASAHRKT_GECICI RENAME TO KASAHRKT"));
    EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM KASAHRKT WHERE HRKNO=%1").arg(no)), 2);
}

TEST_F(CariHrkFisTest, DeleteTakesLinesAndCashMirrorsUnlessPosted)
{
    CariHrkFisi f = fis("N");
    f.satirlar << satir("120.01", 0, 10);
    const double no = CariHrkFisKaydet(ctx, db, f);
    CariHrkFisi v = fis("V");
    v.satirlar << satir("120.01", 5, 0) << satir("320.01", 0, 5);
    const double vno = CariHrkFisKaydet(ctx, db, v);

    db.exec(QStringLiteral("UPDATE CARIHRKM SET FIS_NO=77 WHERE CARI_NO=:N"), {{QStringLiteral("N"), vno}});
    try {
        CariHrkFisSil(ctx, db, vno);
        FAIL();
    } catch (const CariHrkFisHatasi& e) {
        EXPECT_EQ(e.text(), MuhasebeFisiVarText());
    }
    CariHrkFisSil(ctx, db, no);
    EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM CARIHRKM")), 1);
    EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM CARIHRK")), 2);
    EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM KASAHRKT")), 0);
}

TEST_F(CariHrkFisTest, InvoicePaymentOpensItsOwnVoucherAgainAndHandsOverToAccounting)
{
    CariHrkFisi f = FaturaOdemeFisiHazirla(ctx, db, QStringLiteral("S"), QStringLiteral("N"), QStringLiteral("B"),
                                           1180, QStringLiteral("MERKEZ"), QStringLiteral("120.01"),
                                           QStringLiteral("F-2026-17"), 4711);
    ASSERT_EQ(f.satirlar.size(), 1);
    EXPECT_EQ(f.satirlar.first().ACIKLAMA, QStringLiteral("F-2026-17 Nolu Fatura Ödemesi."));
    EXPECT_DOUBLE_EQ(f.satirlar.first().ALACAK.toDouble(), 1180);
    EXPECT_EQ(f.ALT_TIP, QStringLiteral("N"));
    const double no = CariHrkFisKaydet(ctx, db, f);

    CariHrkFisi tekrar = FaturaOdemeFisiHazirla(ctx, db, QStringLiteral("S"), QStringLiteral("N"),
                                                QStringLiteral("B"), 999, QStringLiteral("MERKEZ"),
                                                QStringLiteral("120.01"), QStringLiteral("F-2026-17"), 4711);
    EXPECT_EQ(tekrar.CARI_NO, no);
    EXPECT_DOUBLE_EQ(tekrar.ALACAK, 1180);
    EXPECT_EQ(KilitTipiTahmini(tekrar), QStringLiteral("B"));

    QList<MuhasebeEntegreIstegi> istekler;
    MuhasebeAktarimi anahtar = MuhasebeAktarimi::Sor;
    SetMuhasebeEntegre([&](const SessionContext&, const Db&, const MuhasebeEntegreIstegi& i) { istekler << i; },
                       [&](const Db&, QChar) { return anahtar; });
    ctx.AktifKullanici.diger10 = QStringLiteral("Y");
    messages.answer(MsgNo);
    EXPECT_FALSE(CariHrkMuhasebeyeAktar(ctx, db, tekrar));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Muhasebe Kaydı Yapılsın mı?"));
    anahtar = MuhasebeAktarimi::Aktar;
    EXPECT_TRUE(CariHrkMuhasebeyeAktar(ctx, db, tekrar));
    ctx.AktifKullanici.diger10 = QStringLiteral("O");
    EXPECT_FALSE(CariHrkMuhasebeyeAktar(ctx, db, tekrar));
    SetMuhasebeEntegre({}, {});
    ASSERT_EQ(istekler.size(), 1);
    EXPECT_EQ(istekler.first().belgeTuru, QLatin1Char('C'));
    EXPECT_DOUBLE_EQ(istekler.first().kaynakNo, no);
}

} // namespace
