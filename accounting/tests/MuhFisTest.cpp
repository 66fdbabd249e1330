#include "MuhFixture.h"

using namespace tornaly;
using namespace tornaly::accounting;
using tornaly::accounting::test::MuhTest;

namespace {

TEST(MuhFisNumara, PrefixZerosAndNumberMakeEightCharacters)
{
    struct Case { const char* onek; qint64 no; const char* beklenen; };
    for (const Case& c : {Case{"MH", 123, "MH000123"}, Case{"T", 7, "T0000007"}, Case{"M", 45, "M0000045"},
                          Case{"", 12, "00000012"}, Case{"ABCDE", 1234, "ABCDE1234"}, Case{"ABCD", 1234, "ABCD1234"}})
        EXPECT_EQ(FisNumarasiBicimle(QLatin1String(c.onek), c.no), QLatin1String(c.beklenen)) << c.onek << c.no;
}

TEST(MuhAyrHesapGir, MergeRulesByKind)
{
    // Two amounts to one account and side: merged (one line) or kept apart.
    struct Case { char tip; bool iade; const char* kod; int satir; };
    for (const Case& c : {Case{'C', false, "120.01", 2}, Case{'E', false, "101.01", 2}, Case{'B', false, "102.01", 2},
                          Case{'B', true, "102.01", 1}, Case{'X', false, "191.01", 2}, Case{'X', false, "391.01", 2},
                          Case{'X', false, "770.01", 1}, Case{'A', false, "153.01", 1}, Case{'I', false, "600.01", 1},
                          Case{'S', true, "600.01", 1}, Case{'P', false, "100.01", 1}}) {
        MuhFisOlusturucu o(MuhPolitika::BelgeBazinda(), QLatin1Char(c.tip), c.iade, 7);
        o.AyrHesapGir(QLatin1String(c.kod), 10.0, QLatin1Char('B'), QStringLiteral("ilk"));
        o.AyrHesapGir(QStringLiteral("999"), 5.0, QLatin1Char('A'), QStringLiteral("karşı"));
        o.AyrHesapGir(QLatin1String(c.kod), 2.5, QLatin1Char('B'), QStringLiteral("son"), QStringLiteral("BLG"));
        ASSERT_EQ(o.fis.satirlar.size(), c.satir + 1) << c.tip << c.kod;
        if (c.satir == 1) {
            const auto& s = o.fis.satirlar.first();
            EXPECT_EQ(s.BORC, MuhTutar::fromDouble(12.5));
            EXPECT_EQ(s.ACIKLAMA, QStringLiteral("son")); // a merged line shows the last description
            EXPECT_EQ(s.BELGE_NO, QStringLiteral("BLG"));
            EXPECT_EQ(s.ENT_REF_TIP, QLatin1Char(c.tip));
        }
        EXPECT_FALSE(o.HalaEksikMuhKodVar);
    }
}

TEST(MuhAyrHesapGir, SidesNeverMergeAndEmptyCodeBlocksEvenAtZero)
{
    MuhFisOlusturucu o(MuhPolitika::BelgeBazinda(), QLatin1Char('I'), false, 1);
    o.AyrHesapGir(QStringLiteral("600.01"), 10.0, QLatin1Char('A'), QStringLiteral("a"));
    o.AyrHesapGir(QStringLiteral("600.01"), 4.0, QLatin1Char('B'), QStringLiteral("b"));
    o.AyrHesapGir(QStringLiteral("600.01"), 0.0, QLatin1Char('A'), QStringLiteral("c"));
    EXPECT_EQ(o.fis.satirlar.size(), 2);
    EXPECT_FALSE(o.HalaEksikMuhKodVar);
    o.AyrHesapGir(QString(), 0.0, QLatin1Char('B'), QStringLiteral("d"));
    EXPECT_TRUE(o.HalaEksikMuhKodVar);
    EXPECT_EQ(o.fis.satirlar.size(), 2);
}

TEST(MuhTutarTest, SumsOfRateProductsStayExact)
{
    // Sixty lines of 0.10 at 18 % sum to exactly 1.08 of VAT; doubles drift.
    MuhTutar t;
    for (int i = 0; i < 60; ++i)
        t += MuhTutar::fromDouble(0.10 * 18 * 0.01);
    EXPECT_EQ(t, MuhTutar::fromDouble(1.08));
}

MuhFisi fis(double borc, double alacak, const char* kod = "120.01", QDate tarih = QDate(2026, 3, 10))
{
    MuhFisi f;
    f.TARIH = tarih;
    f.TUR = QLatin1Char('M');
    f.ENT_TIP = QLatin1Char('C');
    f.ENT_REF_NO = 9;
    MuhFisSatiri b;
    b.HSPKODU = QLatin1String(kod);
    b.BORC = MuhTutar::fromDouble(borc);
    MuhFisSatiri a;
    a.HSPKODU = QStringLiteral("600.01");
    a.ALACAK = MuhTutar::fromDouble(alacak);
    f.satirlar << b << a;
    return f;
}

TEST_F(MuhTest, SaveCheckToleranceCodesDatesAndLock)
{
    const auto p = MuhPolitika::BelgeBazinda();
    MuhFisi f = fis(100.0005, 100);
    EXPECT_EQ(FisTabBeforePost(ctx, db, f, p), FisKontrolSonucu::Kabul);
    f = fis(100.002, 100);
    EXPECT_EQ(FisTabBeforePost(ctx, db, f, p), FisKontrolSonucu::Dengesiz);
    FisKontrolMesaji(FisKontrolSonucu::Dengesiz, f);
    EXPECT_EQ(messages.texts(),
              (QStringList{QStringLiteral("Fiş Borç-Alacak Tutarı Birbirine Eşit Değil.Dengesiz Fiş Kaydı Yapılamaz"),
                           QStringLiteral("Borç : 100  Alacak : 100")}));

    // A wrong code wins over the balance, and the code compares exactly.
    for (const char* kod : {"999.99", "", "120.01 ", "120.1"}) {
        f = fis(100, 50, kod);
        EXPECT_EQ(FisTabBeforePost(ctx, db, f, p), FisKontrolSonucu::HataliKod) << kod;
    }

    f = fis(10, 10, "120.01", QDate(2025, 7, 3));
    EXPECT_EQ(FisTabBeforePost(ctx, db, f, p), FisKontrolSonucu::Kabul);
    EXPECT_EQ(f.TARIH, QDate(2026, 7, 3));
    EXPECT_EQ(f.AY, 7);

    f = fis(10, 10, "120.01", QDate(2024, 2, 29));
    EXPECT_EQ(FisTabBeforePost(ctx, db, f, p), FisKontrolSonucu::GecersizTarih);

    db.exec(QStringLiteral("UPDATE PARAMUH SET KILIT_TRH=:T"), {{QStringLiteral("T"), QDateTime(QDate(2026, 3, 10), QTime())}});
    f = fis(10, 10, "120.01", QDate(2026, 3, 10));
    EXPECT_EQ(FisTabBeforePost(ctx, db, f, p), FisKontrolSonucu::KilitliDonem);
    f = fis(10, 10, "120.01", QDate(2026, 3, 11));
    EXPECT_EQ(FisTabBeforePost(ctx, db, f, p), FisKontrolSonucu::Kabul);
}

TEST_F(MuhTest, SeriesFollowTheNumberingMode)
{
    db.exec(QStringLiteral("UPDATE NEWFIS SET TIP='A', MAHSUP_SB='M', MAHSUPNO1=45, TAHSIL_SB='T', TAHSILNO1=7, "
                           "ORTAK_SB='OR', ORTAK_NO=3, YENINO=10, YEVMIYE_NO=200"));
    auto yaz = [&](QChar tur) {
        MuhFisi f = fis(10, 10);
        f.TUR = tur;
        f.AY = 3;
        Transaction tx(db);
        MuhFisYaz(ctx, db, f, 0);
        tx.commit();
        return f;
    };
    MuhFisi m = yaz(QLatin1Char('M'));
    EXPECT_EQ(m.FISNUMARA, QStringLiteral("M0000045"));
    EXPECT_EQ(m.FISNO, 10);
    EXPECT_EQ(m.YEVMIYE_NO, 200);
    EXPECT_EQ(deger(QStringLiteral("SELECT MAHSUPNO1 FROM NEWFIS")), 46);
    EXPECT_EQ(deger(QStringLiteral("SELECT TAHSILNO1 FROM NEWFIS")), 7);
    EXPECT_EQ(deger(QStringLiteral("SELECT ORTAK_NO FROM NEWFIS")), 3);

    MuhFisi x = yaz(QLatin1Char('Z')); // no series for this type, but a journal number
    EXPECT_TRUE(x.FISNUMARA.isEmpty());
    EXPECT_EQ(x.YEVMIYE_NO, 201);

    db.exec(QStringLiteral("UPDATE NEWFIS SET TIP='O'"));
    EXPECT_EQ(yaz(QLatin1Char('C')).FISNUMARA, QStringLiteral("OR000003"));
    EXPECT_EQ(yaz(QLatin1Char('M')).FISNUMARA, QStringLiteral("OR000004"));
    EXPECT_EQ(deger(QStringLiteral("SELECT MAHSUPNO1 FROM NEWFIS")), 46);

    // Lines copy the header and the chart levels; line ids are unique.
    EXPECT_EQ(say(QStringLiteral("SELECT COUNT(DISTINCT FA_ID) FROM FISAYR")), 8);
    Query q(db, QStringLiteral("SELECT * FROM FISAYR WHERE FISNO=10 ORDER BY SIRANO"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.str(QStringLiteral("HSPKODU")), QStringLiteral("120.01"));
    EXPECT_EQ(q.integer(QStringLiteral("KEBIR")), 120);
    EXPECT_EQ(q.integer(QStringLiteral("HGRUBU")), 12);
    EXPECT_EQ(q.str(QStringLiteral("MUAVIN")), QStringLiteral("01"));
    EXPECT_EQ(q.str(QStringLiteral("FISNUMARA")), QStringLiteral("M0000045"));
    EXPECT_EQ(q.num(QStringLiteral("YEVMIYE_NO")), 200);
    EXPECT_EQ(q.str(QStringLiteral("DOVIZ_KOD")), QStringLiteral("TL"));
    EXPECT_EQ(q.integer(QStringLiteral("AY")), 3);
}

} // namespace
