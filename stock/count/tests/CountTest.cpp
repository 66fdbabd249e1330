#include "guard/FormGuard.h"
#include "stock/StockSchema.h"
#include "stock/count/Sayim.h"
#include "stock/count/StokAyPrm.h"
#include "stock/ledger/DepoHrk.h"
#include "stock/ledger/StokMik.h"
#include "stock/slips/StokFisi.h"
#include "testsupport/TestSupport.h"

using namespace tornaly;
using namespace tornaly::stock;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

class StockCountTest : public test::DbTest {
protected:
    void registerSchema() override { stock::RegisterSchema(); }
    void SetUp() override
    {
        DbTest::SetUp();
        ctx.CalismaYiliNo = 2026;
        ctx.AktifKullanici.per_kod = S("P01");
    }
    // A part with `miktar` pieces in warehouse 1 through an opening row.
    void parca(int no, const QString& kod, double miktar, const QString& ad = S("Parça"), double satis = 200)
    {
        db.exec(S("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, STOK_ADI_TR, BARKOD, PAY, KDV, FYT_KUR, SAT_FYT_TL, SAT_FYT_USD, "
                  "RAF_YERI) VALUES (:N, :K, :A, :B, 'P', 20, 'TL', :S, :U, 'R1')"),
                {{S("N"), no}, {S("K"), kod}, {S("A"), ad}, {S("B"), S("869%1").arg(no)}, {S("S"), satis}, {S("U"), satis / 40}});
        DepoHrkYaz(db, DepoHrkBelge::Belge(9000 + no, u'D'),
                   {DepoHrkHareket(u'D', 1, StokFisiCariKod(), no, S("1"), QDateTime(QDate(2026, 1, 2), QTime()), miktar, 5.0)});
    }
    double sayim(int no)
    {
        Query q(db, S("SELECT SAYIM_MIK FROM STOKMIK WHERE STOK_NO = :N AND DEPO_KOD = '1'"));
        q.bind(S("N"), no).exec();
        return q.next() ? q.num(S("SAYIM_MIK")) : -1;
    }
    int say(const QString& sql)
    {
        Query q(db, sql);
        q.exec();
        return q.next() ? q.value(0).toInt() : -1;
    }
    QStringList kodlar(const QList<SayimSatiri>& l)
    {
        QStringList out;
        for (const SayimSatiri& s : l)
            out << s.STOK_KOD_NO;
        return out;
    }
};

TEST_F(StockCountTest, APageRowCarriesEveryFieldOfItsPart)
{
    parca(1, S("K-1"), 4, S("Fren Balatası"), 250);
    db.exec(S("UPDATE STOK SET ALIS_FYT_TL = 120, MALIYET_FYT_TL = 130, ESKI_PART_NO = 'E-1', YENI_KOD = 'Y-1', "
              "MODEL_NO = 'M-1' WHERE STOK_NO = 1"));
    db.exec(S("UPDATE STOKMIK SET RAF_YERI = 'A-3', SAYIM_MIK = 2, SAYIM_FIILI = 3 WHERE STOK_NO = 1"));
    for (const SayimSirasi sira : {SayimSirasi::Kod, SayimSirasi::Ad, SayimSirasi::Raf}) {
        const QList<SayimSatiri> sayfa = SayimSayfasi(db, SayimSayfaIstegi{S("1"), sira});
        ASSERT_EQ(sayfa.size(), 1);
        const SayimSatiri& r = sayfa.first();
        EXPECT_EQ(QStringList({r.STOK_KOD_NO, r.STOK_ADI_TR, r.BARKOD, r.RAF_YERI.trimmed(), r.ESKI_PART_NO, r.YENI_KOD,
                               r.MODEL_NO}),
                  QStringList({S("K-1"), S("Fren Balatası"), S("8691"), S("A-3"), S("E-1"), S("Y-1"), S("M-1")}));
        EXPECT_EQ(QList<double>({r.STOK_NO, r.MIKTAR, r.SAYIM_MIK, r.SAYIM_FIILI, r.ALIS_FYT_TL, r.SAT_FYT_TL,
                                 r.MALIYET_FYT_TL, r.D_BAS_SRK_MIK, r.D_BAS_STK_TUT}),
                  QList<double>({1, 4, 2, 3, 120, 250, 130, 4, 20}));
    }
}

TEST_F(StockCountTest, PagesShareOneRowAndNeverLoopOnEqualNames)
{
    for (int i = 1; i <= 45; ++i)
        parca(i, S("K%1").arg(i, 3, 10, QLatin1Char('0')), 1, S("AYNI AD"));
    for (const SayimSirasi sira : {SayimSirasi::Kod, SayimSirasi::Ad, SayimSirasi::Raf}) {
        SayimSayfaIstegi is{S("1"), sira};
        QList<SayimSatiri> sayfa = SayimSayfasi(db, is);
        ASSERT_EQ(sayfa.size(), 20);
        QSet<double> gorulen;
        for (const SayimSatiri& s : sayfa)
            gorulen.insert(s.STOK_NO);
        int sayfaSayisi = 1;
        while (sayfa.size() == 20 && sayfaSayisi < 10) {
            is.baslangic = sayfa.last();
            const QList<SayimSatiri> sonraki = SayimSayfasi(db, is);
            ASSERT_FALSE(sonraki.isEmpty());
            EXPECT_EQ(sonraki.first().STOK_NO, sayfa.last().STOK_NO) << "the last row opens the next page";
            for (const SayimSatiri& s : sonraki)
                gorulen.insert(s.STOK_NO);
            sayfa = sonraki;
            ++sayfaSayisi;
        }
        EXPECT_EQ(gorulen.size(), 45) << int(sira);
        EXPECT_EQ(sayfaSayisi, 3) << int(sira);

        // Back from the first row of the last page: the page before, sharing that row.
        is.baslangic = sayfa.first();
        is.geri = true;
        const QList<SayimSatiri> onceki = SayimSayfasi(db, is);
        ASSERT_EQ(onceki.size(), 20);
        EXPECT_EQ(onceki.last().STOK_NO, sayfa.first().STOK_NO);
    }
}

TEST_F(StockCountTest, SearchesAndDistributorParts)
{
    parca(1, S("AB-1"), 1, S("Balata"));
    parca(2, S("AB-2"), 1, S("Conta"));
    parca(3, S("X'1%"), 1, S("Filtre"));
    db.exec(S("UPDATE STOK SET MERKEZ = 1 WHERE STOK_NO = 2"));
    struct Case {
        SayimSayfaIstegi is;
        QStringList beklenen;
    };
    const QList<Case> cases{
        {{S("1"), SayimSirasi::Kod, S("AB")}, {S("AB-1"), S("AB-2")}},
        {{S("1"), SayimSirasi::Kod, S("X'1%")}, {S("X'1%")}}, // typed quotes and wildcards are plain text
        {{S("1"), SayimSirasi::Ad, {}, S("Conta")}, {S("AB-2"), S("X'1%")}},
        {{S("1"), SayimSirasi::Kod, {}, {}, {}, S("8692")}, {S("AB-2")}},
        {{S("1"), SayimSirasi::Kod, S("AB"), {}, {}, {}, std::nullopt, false, true}, {S("AB-1")}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kodlar(SayimSayfasi(db, c.is)), c.beklenen);
}

TEST_F(StockCountTest, TwoClerksCountingOneWarehouseLoseNothing)
{
    parca(1, S("A1"), 10);
    const Db ikinci = database->open(S("ikinci"));
    // Both clerks read the same page, then each writes what they counted.
    const QList<SayimSatiri> a = SayimSayfasi(db, {S("1")});
    const QList<SayimSatiri> b = SayimSayfasi(ikinci, {S("1")});
    ASSERT_EQ(a.size(), 1);
    ASSERT_EQ(b.size(), 1);
    SayimDegisiklikleriniYaz(db, S("1"), {{1, 3, S("R9")}});
    SayimDegisiklikleriniYaz(ikinci, S("1"), {{1, 4, std::nullopt}});
    EXPECT_DOUBLE_EQ(sayim(1), 7);
    EXPECT_EQ(SayimSayfasi(db, {S("1")}).first().RAF_YERI, S("R9"));
}

TEST_F(StockCountTest, DifferenceSlipsBookWhatTheCountSays)
{
    parca(1, S("A1"), 3);             // counted 5: excess 2
    parca(2, S("A2"), 4);             // counted 1: shortage 3
    parca(3, S("A3"), 3);             // never counted: shortage 3
    parca(4, S("A4"), 2);             // counted right
    parca(5, S("A5"), 6);             // distributor-sourced: never booked
    db.exec(S("UPDATE STOK SET MERKEZ = 1 WHERE STOK_NO = 5"));
    SayimSifirla(db, S("1"));
    SayimDegisiklikleriniYaz(db, S("1"), {{1, 5, {}}, {2, 1, {}}, {4, 2, {}}});

    EXPECT_FALSE(Guard([&] { SayimFarkiOzeti(db, S("1"), SayimKarsilastirma::Secilmedi); }));
    EXPECT_EQ(messages.lastText(),
              S("Sayım fişini oluşturmadan önce SAYIM FARKI OLUŞTURMA SEÇENEĞİ ni belirlemeniz gerekmektedir."));

    const SayimFarkOzeti o = SayimFarkiOzeti(db, S("1"), SayimKarsilastirma::Simdiki);
    EXPECT_EQ(o.fazla, 1);
    EXPECT_EQ(o.eksik, 2);
    EXPECT_EQ(o.sayilmamis, 1);

    const SayimFisleri f = SayimFarkiFisleriOlustur(ctx, db, S("1"), SayimKarsilastirma::Simdiki, 10, S("Yıl sonu"));
    ASSERT_GT(f.fazlaFisi, 0);
    ASSERT_GT(f.eksikFisi, 0);
    const StokFisi t = *StokFisiOku(db, f.fazlaFisi);
    const StokFisi z = *StokFisiOku(db, f.eksikFisi);
    EXPECT_EQ(t.TIP, u'T');
    EXPECT_EQ(t.GIRDEPO, S("1"));
    EXPECT_EQ(t.ACIKLAMA1, S("Hızlı Sayım Listesinden Fazla Stoklar"));
    EXPECT_EQ(t.ACIKLAMA2, S("Yıl sonu"));
    ASSERT_EQ(t.satirlar.size(), 1);
    EXPECT_DOUBLE_EQ(t.satirlar[0].MIKTAR, 2);
    EXPECT_DOUBLE_EQ(t.satirlar[0].FIYAT, 180); // sale price 200 less 10 %
    EXPECT_DOUBLE_EQ(t.BRUTTUT, 360);
    EXPECT_EQ(z.TIP, u'Z');
    EXPECT_EQ(z.CIKDEPO, S("1"));
    ASSERT_EQ(z.satirlar.size(), 2);
    EXPECT_DOUBLE_EQ(z.satirlar[0].MIKTAR, 3);
    EXPECT_DOUBLE_EQ(z.satirlar[1].MIKTAR, 3);
    EXPECT_DOUBLE_EQ(z.NETTUT, 6 * 180 * 1.2);
    // The ledger now agrees with the count, and the count starts again.
    for (const auto& [no, miktar] : {std::pair{1, 5.0}, {2, 1.0}, {3, 0.0}, {4, 2.0}, {5, 6.0}})
        EXPECT_DOUBLE_EQ(StokMikMiktari(db, no, S("1")), miktar) << no;
    EXPECT_EQ(say(S("SELECT COUNT(*) FROM STOKMIK WHERE DEPO_KOD = '1' AND (SAYIM_MIK <> 0 OR SAYIM_FIILI <> MIKTAR)")), 0);
    EXPECT_TRUE(StokMikFarklari(db, 1e-9).isEmpty());
    // Booked counts are gone: run again now, every part holding stock would be
    // an uncounted shortage, and the summary says so before anything is booked.
    const SayimFarkOzeti sonra = SayimFarkiOzeti(db, S("1"), SayimKarsilastirma::Simdiki);
    EXPECT_EQ(sonra.fazla, 0);
    EXPECT_EQ(sonra.eksik, 3);
    EXPECT_EQ(sonra.sayilmamis, 3);
}

TEST_F(StockCountTest, StartOfCountComparisonIsUsedThroughout)
{
    parca(1, S("A1"), 4);
    SayimSifirla(db, S("1")); // SAYIM_FIILI = 4
    DepoHrkYaz(db, DepoHrkBelge::Belge(500, u'S'),
               {DepoHrkHareket(u'S', 1, S("120"), 1, S("1"), QDateTime(QDate(2026, 2, 1), QTime()), 1, 10.0)});
    SayimDegisiklikleriniYaz(db, S("1"), {{1, 3, {}}}); // counted what is there now
    // Against the start (4) one piece is missing; against now (3) nothing is.
    EXPECT_EQ(SayimFarkiOzeti(db, S("1"), SayimKarsilastirma::Simdiki).eksik, 0);
    const SayimFisleri f = SayimFarkiFisleriOlustur(ctx, db, S("1"), SayimKarsilastirma::Baslangic, 0, {});
    EXPECT_EQ(f.fazlaFisi, 0);
    ASSERT_GT(f.eksikFisi, 0);
    EXPECT_DOUBLE_EQ(StokFisiOku(db, f.eksikFisi)->satirlar[0].MIKTAR, 1);
}

TEST_F(StockCountTest, AFailureInTheSlipsLeavesNoSlipAndTheCountsAsTheyWere)
{
    parca(1, S("A1"), 3);
    parca(2, S("A2"), 4);
    SayimSifirla(db, S("1"));
    SayimDegisiklikleriniYaz(db, S("1"), {{1, 5, {}}, {2, 1, {}}});
    // The shortage slip's lines fail to write, after the excess slip is in.
    if (db.backend() == Backend::PostgreSQL) {
        db.exec(S("CREATE FUNCTION ARIZA() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN RAISE EXCEPTION 'ariza'; END $$"));
        db.exec(S("CREATE TRIGGER ARIZA BEFORE INSERT ON FISTKAYR FOR EACH ROW WHEN (NEW.STOK_NO = 2) "
                  "EXECUTE FUNCTION ARIZA()"));
    } else {
        db.exec(S("CREATE TRIGGER ARIZA BEFORE INSERT ON FISTKAYR WHEN NEW.STOK_NO = 2 "
                  "BEGIN SELECT RAISE(ABORT, 'ariza'); END"));
    }
    const double sayac = say(S("SELECT CAST(YENINO AS INTEGER) FROM NEWSATIS"));
    EXPECT_FALSE(Guard([&] { SayimFarkiFisleriOlustur(ctx, db, S("1"), SayimKarsilastirma::Simdiki, 0, {}); }));
    EXPECT_EQ(say(S("SELECT COUNT(*) FROM FISTK")), 0);
    EXPECT_EQ(say(S("SELECT CAST(YENINO AS INTEGER) FROM NEWSATIS")), sayac);
    EXPECT_EQ(say(S("SELECT COUNT(*) FROM FISTKAYR")), 0);
    EXPECT_EQ(say(S("SELECT COUNT(*) FROM DEPOHRK WHERE TIP IN ('T', 'Z')")), 0);
    EXPECT_DOUBLE_EQ(sayim(1), 5);
    EXPECT_DOUBLE_EQ(sayim(2), 1);
    EXPECT_DOUBLE_EQ(StokMikMiktari(db, 1, S("1")), 3);
}

TEST_F(StockCountTest, ImportCodesResolveAndApply)
{
    parca(1, S("12345678"), 1);
    parca(2, S("ABC"), 1);
    struct Case {
        const char* satir;
        const char* stok; // part found; empty: faulty
        double miktar;
        const char* raf;
    };
    const QList<Case> cases{
        {"12345678;2;D1;01.01.2026;10:00;RAF-7;S", "12345678", 2, "RAF-7"},
        {"12345678LOT9;1;", "12345678", 1, ""},   // a 4-character suffix after a long code
        {"ABCDEFG;1;", "", 1, ""},                // 7 characters, no second try
        {"ABC9;1;", "", 1, ""},
        {"ABC;3", "", 3, ""},                     // no ";" after the quantity
        {"ABC;-4;", "ABC", 0, ""},                // negative counts as 0
        {"ABC;x;", "", 0, ""},
    };
    QStringList satirlar;
    for (const Case& c : cases)
        satirlar << S(c.satir);
    const SayimAktarimi a = SayimTerminalOku(db, satirlar);
    int d = 0, h = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.satir);
        if (*c.stok) {
            ASSERT_LT(d, a.dogru.size());
            EXPECT_EQ(a.dogru[d].STOK_KOD, S(c.stok));
            EXPECT_DOUBLE_EQ(a.dogru[d].MIKTAR, c.miktar);
            EXPECT_EQ(a.dogru[d].SRAF, S(c.raf));
            ++d;
        } else {
            ASSERT_LT(h, a.hatali.size());
            EXPECT_EQ(a.hatali[h].BARKOD, QString(S(c.satir)).section(QLatin1Char(';'), 0, 0));
            ++h;
        }
    }
    EXPECT_EQ(d, a.dogru.size());
    EXPECT_EQ(h, a.hatali.size());

    // Add twice doubles, replace twice keeps one import.
    const QList<SayimOkunan> bir{{S("x"), 2, S("ABC")}};
    SayimAktar(db, S("1"), bir, true, false);
    SayimAktar(db, S("1"), bir, true, false);
    EXPECT_DOUBLE_EQ(sayim(2), 4);
    SayimAktar(db, S("1"), bir, false, false);
    SayimAktar(db, S("1"), bir, false, false);
    EXPECT_DOUBLE_EQ(sayim(2), 2);
    EXPECT_DOUBLE_EQ(sayim(1), 0);

    EXPECT_FALSE(Guard([&] { SayimAktar(db, {}, bir, true, false); }));
    EXPECT_EQ(messages.lastText(), S("Lütfen Sayım yapacağınız depoyu seçiniz."));
    EXPECT_FALSE(Guard([&] { SayimAktar(db, S("1"), {}, true, false); }));
    EXPECT_EQ(messages.lastText(), S("Aktarılacak sayım mevcut değil!"));

    // Excel: barcode first, then the part number; mobile readings mark a shelf that differs.
    const SayimAktarimi x = SayimExcelOku(db, {{S("8692"), S("3"), S(""), S("R5")}, {S(""), S("1"), S("12345678"), S("")},
                                              {S("0000"), S("1"), S("YOK"), S("")}});
    ASSERT_EQ(x.dogru.size(), 2);
    EXPECT_EQ(x.dogru[0].STOK_KOD, S("ABC"));
    EXPECT_EQ(x.hatali.size(), 1);
    db.exec(S("INSERT INTO ISLEMLER (SIRA_NO, CIHAZ_NO, STOK_KOD, MIKTAR, RAF_YERI, TIP) VALUES (1, '1', 'ABC', 2, 'R1', 'SS')"));
    db.exec(S("INSERT INTO ISLEMLER (SIRA_NO, CIHAZ_NO, STOK_KOD, MIKTAR, RAF_YERI, TIP) VALUES (2, '1', 'ABC', 2, 'R2', 'SS')"));
    db.exec(S("INSERT INTO ISLEMLER (SIRA_NO, CIHAZ_NO, STOK_KOD, MIKTAR, RAF_YERI, TIP) VALUES (3, '1', 'ABC', 9, 'R1', 'XX')"));
    const SayimAktarimi m = SayimMobilOku(db);
    ASSERT_EQ(m.dogru.size(), 2);
    EXPECT_EQ(m.dogru[0].DIKKAT, QString());
    EXPECT_EQ(m.dogru[1].DIKKAT, S("X"));
}

TEST_F(StockCountTest, MatrixHeadingsComeFromTheHeadingRow)
{
    EXPECT_EQ(SipMatrisiOku(db).basliklar.size(), 7);
    db.exec(S("INSERT INTO SIPMTRX (FIYAT, A1, A2, A3, A4, A5, A6, A7) VALUES (100, 1, 2, 3, 4, 5, 6, 7)"));
    SipMatrisi m = SipMatrisiOku(db); // no heading row: the first row's values
    EXPECT_EQ(m.basliklar.first(), S("1"));
    EXPECT_EQ(m.satirlar.size(), 1);
    db.exec(S("INSERT INTO SIPMTRX (FIYAT, A1, A2, A3, A4, A5, A6, A7) VALUES (0, 3, 6, 9, 12, 15, 18, 24)"));
    m = SipMatrisiOku(db);
    EXPECT_EQ(m.basliklar, (QStringList{S("3"), S("6"), S("9"), S("12"), S("15"), S("18"), S("24")}));
    ASSERT_EQ(m.satirlar.size(), 1);
    m.satirlar[0].A[0] = 11.5;
    m.satirlar << SipMatrisSatiri{500, {}};
    SipMatrisiYaz(db, m.satirlar);
    EXPECT_EQ(say(S("SELECT COUNT(*) FROM SIPMTRX")), 3);
    EXPECT_DOUBLE_EQ(SipMatrisiOku(db).satirlar[0].A[0].toDouble(), 11.5);
}

} // namespace
