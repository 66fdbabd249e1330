#include "accounts/AccountsSchema.h"
#include "accounts/ledger/CariHrk.h"
#include "accounts/ledger/CariHrkTurleri.h"
#include "history/ChangeLogSchema.h"
#include "testsupport/TestSupport.h"

#include <QMap>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

using namespace tornaly;
using namespace tornaly::accounts;

namespace {

// ---- pure rules -------------------------------------------------------------

struct UcTutarCase {
    char baz;
    double girilen, kur, usdKur;
    double tl, usd, dvz;
};

TEST(LedgerRules, ThreeAmountsFollowTheTypedBase)
{
    const UcTutarCase cases[] = {
        {'T', 1000, 35, 40, 1000, 25, 1000.0 / 35},   // EUR row typed in lira
        {'D', 10, 35, 40, 350, 8.75, 10},             // typed in the row's currency
        {'U', 10, 35, 40, 400, 10, 400.0 / 35},       // typed in dollars
        {'D', 123.45, 1, 40, 123.45, 123.45 / 40, 123.45}, // local-currency row: currency = local
        {'T', 0.1, 3, 7, 0.1, 0.1 / 7, 0.1 / 3},      // derived amounts are not rounded
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.baz << " " << c.girilen);
        const UcTutar u = UcTutarHesapla(QLatin1Char(c.baz), c.girilen, c.kur, c.usdKur);
        EXPECT_DOUBLE_EQ(u.tl, c.tl);
        EXPECT_DOUBLE_EQ(u.usd, c.usd);
        EXPECT_DOUBLE_EQ(u.dvz, c.dvz);
    }
}

struct TurCase {
    CariHrkEkrani ekran;
    char16_t harf;
    QVariant ref;
    bool tahsilat;
    const char* beklenen;
};

TEST(LedgerRules, KindCaptionsPerScreen)
{
    using E = CariHrkEkrani;
    const TurCase cases[] = {
        {E::FisBasligi, u'N', {}, true, "Nakit Tahsilat"},
        {E::FisBasligi, u'N', {}, false, "Nakit Ödeme"},
        {E::FisListesi, u'N', {}, false, "Nakit"},
        {E::FisBasligi, u'F', {}, false, ""},
        {E::FisListesi, u'F', {}, false, "Kur Farkı"},
        {E::HareketListesi, u'O', {}, false, "Verilen Vade Farkı Fat."},
        {E::Ekstre, u'O', {}, false, "O"},
        {E::HareketListesi, u'I', {}, false, "Devir"},
        {E::Ekstre, u'I', {}, false, "Açılış"},
        {E::HareketListesi, u'L', {}, false, "Alınan Vade Farkı Fat."},
        {E::HareketListesi, u'L', 0.0, false, "Alınan Vade Farkı Fat."},
        {E::HareketListesi, u'L', 4711.0, false, "Araç Al.Ft."},
        {E::HareketListesi, u'R', {}, false, "Araç Prim Ft"},
        {E::HareketListesi, u'R', 12.0, false, ""},
        {E::FisListesi, u'R', 12.0, false, "Verilen Vade Farkı Fat."},
        {E::Ekstre, u'R', 12.0, false, "Araç Prim Ft"},
        {E::HareketListesi, u'Ç', {}, false, "Çek"},
        {E::FisBasligi, u'2', {}, false, "2.EL Araç Satışı"},
        {E::FisListesi, u'1', {}, false, "2.El Araç Alış"},
        {E::Ekstre, u'2', {}, false, "2"},
        {E::HareketListesi, u'K', {}, false, "Kredi Kartı"},
        {E::FisListesi, u'K', {}, false, ""},
        {E::HareketListesi, u'Z', {}, false, "Verilen Vade Farkı Fat."}, // unknown letter
        {E::Ekstre, u'Z', {}, false, "Z"},
        {E::HareketListesi, u'M', {}, false, "Fiş"},
        {E::Ekstre, u'H', {}, false, "Gönd.Hvl."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString(QChar(c.harf)).toStdString());
        EXPECT_EQ(CariHrkTurBasligi(c.ekran, QChar(c.harf), c.ref, c.tahsilat), QString::fromUtf8(c.beklenen));
    }
}

TEST(LedgerRules, SubKindCaptions)
{
    using A = AltTipEkrani;
    struct C {
        A ekran;
        const char* alt;
        char16_t tur;
        const char* beklenen;
    } const cases[] = {
        {A::HareketListesi, "B", u'R', "Bonus"},   {A::HareketListesi, "B", u'S', "Banko"},
        {A::BakiyeDetay, "B", u'R', "Banko"},      {A::HareketListesi, "I", u'S', "İşEmri"},
        {A::BakiyeDetay, "I", u'S', "İş Emri"},    {A::HareketListesi, "F", u'S', "Filo"},
        {A::BakiyeDetay, "F", u'S', "F"},          {A::HareketListesi, "N", u'S', "Prim.St."},
        {A::BakiyeDetay, "M", u'S', "M"},          {A::HareketListesi, "X", u'S', "X"},
        {A::HareketListesi, "", u'S', ""},         {A::BakiyeDetay, "A", u'A', "İade"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AltTipBasligi(c.ekran, QString::fromUtf8(c.alt), QChar(c.tur)), QString::fromUtf8(c.beklenen))
            << c.alt;
    EXPECT_EQ(ParaBazBasligi(QStringLiteral("D")), QStringLiteral("DÖVİZ"));
}

TEST(LedgerRules, BalanceCaptionsBySign)
{
    struct C {
        double bakiye;
        const char* baslik;
        const char* ek;
    } const cases[] = {
        {0, "KALAN", ""},
        {0.004, "KALAN", ""}, // a rounding residue is no balance
        {-0.004, "KALAN", ""},
        {0.01, "KALAN (BORÇ)", "(B)"},
        {-250, "KALAN (ALACAK)", "(A)"},
        {1e12 + 0.5 - 1e12, "KALAN (BORÇ)", "(B)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BakiyeBasligi(c.bakiye), QString::fromUtf8(c.baslik)) << c.bakiye;
        EXPECT_EQ(BakiyeEki(c.bakiye), QString::fromUtf8(c.ek)) << c.bakiye;
    }
    EXPECT_EQ(UsdBakiyeBasligi(-3), QStringLiteral("$ KALAN (ALACAK)"));
}

// ---- database ---------------------------------------------------------------

class LedgerTest : public test::DbTest {
protected:
    void registerSchema() override { accounts::RegisterSchema(); }

    void kur(const QString& dvz, const QDateTime& t, double alis, double satis)
    {
        db.exec(QStringLiteral("INSERT INTO KURDEGER (DOVIZ_KODU, TARIH, TLDEGERI_ALIS, TLDEGERI_SATIS) "
                               "VALUES (:D, :T, :A, :S)"),
                {{QStringLiteral("D"), dvz}, {QStringLiteral("T"), t}, {QStringLiteral("A"), alis},
                 {QStringLiteral("S"), satis}});
    }

    CariHrkYazDegerleri satis(double refNo, double tutar)
    {
        CariHrkYazDegerleri d;
        d.CARI_KOD = QStringLiteral("120.01");
        d.CRHRK_TUR = QLatin1Char('S');
        d.REF_NO = refNo;
        d.TARIH = QDate(2026, 3, 10);
        d.BORC = tutar;
        d.PARA_BAZ = QStringLiteral("T");
        d.DOVIZ_KODU = QStringLiteral("TL");
        d.ACIKLAMA = QStringLiteral("Fatura");
        return d;
    }

    int rows(const QString& where = QStringLiteral("1=1"))
    {
        Query q(db, QStringLiteral("SELECT COUNT(*) FROM CARIHRK WHERE ") + where);
        q.exec();
        q.next();
        return q.value(0).toInt();
    }
};

TEST_F(LedgerTest, RepeatedPostingKeepsOneRowPerKindAndReferenceInsideCallersTransaction)
{
    kur(QStringLiteral("USD"), QDateTime(QDate(2026, 3, 9), QTime(0, 0)), 39.5, 40);
    CariHrkYaz(ctx, db, satis(501, 1000));
    CariHrkYaz(ctx, db, satis(502, 70));
    {
        Transaction tx(db);
        CariHrkYaz(ctx, db, satis(501, 1200));
        CariHrkYaz(ctx, db, satis(501, 1500));
        tx.commit();
    }
    EXPECT_EQ(rows(QStringLiteral("REF_NO=501 AND CRHRK_TUR='S'")), 1);
    EXPECT_EQ(rows(), 2);
    Query q(db, QStringLiteral("SELECT BORC, BORC_USD, BORC_DVZ, TL_KURDEGER, TL_USDEGER, AY, YIL, ALACAK "
                               "FROM CARIHRK WHERE REF_NO=501"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_DOUBLE_EQ(q.num(QStringLiteral("BORC")), 1500);
    EXPECT_DOUBLE_EQ(q.num(QStringLiteral("BORC_DVZ")), 1500);
    EXPECT_DOUBLE_EQ(q.num(QStringLiteral("TL_KURDEGER")), 1);
    EXPECT_DOUBLE_EQ(q.num(QStringLiteral("TL_USDEGER")), 40) << "the selling rate of the day";
    EXPECT_DOUBLE_EQ(q.num(QStringLiteral("BORC_USD")), 37.5);
    EXPECT_TRUE(q.isNull(QStringLiteral("ALACAK")));
    EXPECT_EQ(q.integer(QStringLiteral("AY")), 3);
    EXPECT_EQ(q.integer(QStringLiteral("YIL")), 2026);

    // A caller that rolls back takes the replacement back with it.
    {
        Transaction tx(db);
        CariHrkYaz(ctx, db, satis(501, 9));
    }
    Query again(db, QStringLiteral("SELECT BORC FROM CARIHRK WHERE REF_NO=501"));
    again.exec();
    ASSERT_TRUE(again.next());
    EXPECT_DOUBLE_EQ(again.num(QStringLiteral("BORC")), 1500);

    CariHrkSil(db, QLatin1Char('S'), 501);
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(rows(QStringLiteral("REF_NO=502")), 1);
}

TEST_F(LedgerTest, ConcurrentRepostsOfOneDocumentLeaveOneRow)
{
    // Workstations saving the same invoice again at the same moment, each on
    // its own connection: whatever the interleaving, one row remains.
    constexpr int kThreads = 6;
    constexpr int kReposts = 8;
    const QStringList failures = test::OnWorkstations(database->profile(), kThreads, [&](const Db& own, int t) {
        SessionContext ownCtx = ctx;
        ownCtx.Database1 = own;
        for (int i = 0; i < kReposts; ++i) {
            Transaction tx(own);
            CariHrkYaz(ownCtx, own, satis(900, 100 * t + i));
            CariHrkYaz(ownCtx, own, satis(9000 + t, 1));
            tx.commit();
        }
    });
    EXPECT_TRUE(failures.isEmpty()) << failures.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(rows(QStringLiteral("CRHRK_TUR='S' AND REF_NO=900")), 1);
    EXPECT_EQ(rows(), 1 + kThreads);
}

TEST_F(LedgerTest, InvoiceKindsAreKeyedByKindAndReference)
{
    CariHrkYaz(ctx, db, satis(910, 5));
    const QString insert = QStringLiteral("INSERT INTO CARIHRK (CARI_NO, SIRANO, CARI_KOD, CRHRK_TUR, REF_NO, BORC) "
                                          "VALUES (:NO, 1, '120.01', :TUR, :REF, 1)");
    try {
        db.exec(insert, {{QStringLiteral("NO"), 99001.0}, {QStringLiteral("TUR"), QStringLiteral("S")},
                         {QStringLiteral("REF"), 910.0}});
        FAIL() << "a second invoice row under one reference was stored";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.isUniqueViolation()) << e.text().toStdString();
    }
    // Bank and slip documents keep several rows under one reference.
    for (double no : {99002.0, 99003.0})
        db.exec(insert, {{QStringLiteral("NO"), no}, {QStringLiteral("TUR"), QStringLiteral("G")},
                         {QStringLiteral("REF"), 910.0}});
    EXPECT_EQ(rows(QStringLiteral("CRHRK_TUR='G' AND REF_NO=910")), 2);
}

TEST_F(LedgerTest, UpgradeKeepsTheLatestOfDoubledInvoiceRows)
{
    // A database from before the key, holding rows doubled by racing re-posts.
    test::TestDatabase old(DatabaseKind::Company, false);
    Db odb = old.db();
    for (const QString& module : SchemaRegistry::modules(DatabaseKind::Company)) {
        QList<SchemaStep> steps = schemaSteps(module, odb.backend());
        if (module == QLatin1String("accounts")) {
            const auto key = std::find_if(steps.begin(), steps.end(), [](const SchemaStep& s) {
                return s.name == QLatin1String("carihrk_belge_tekil");
            });
            ASSERT_NE(key, steps.end());
            steps.erase(key, steps.end());
        }
        ApplySchemaSteps(odb, module, steps);
    }
    const QString insert = QStringLiteral("INSERT INTO CARIHRK (CARI_NO, SIRANO, CARI_KOD, CRHRK_TUR, REF_NO, BORC) "
                                          "VALUES (:NO, 1, '120.01', :TUR, :REF, :B)");
    struct R {
        double no;
        const char* tur;
        double ref, borc;
    } const rows_[] = {{10, "S", 77, 100}, {12, "S", 77, 120}, {11, "S", 77, 110}, {13, "A", 77, 5},
                       {14, "G", 88, 1},   {15, "G", 88, 2},   {16, "S", 99, 9}};
    for (const R& r : rows_)
        odb.exec(insert, {{QStringLiteral("NO"), r.no}, {QStringLiteral("TUR"), QString::fromUtf8(r.tur)},
                          {QStringLiteral("REF"), r.ref}, {QStringLiteral("B"), r.borc}});

    ApplyMigrations(odb, DatabaseKind::Company);

    Query q(odb, QStringLiteral("SELECT CARI_NO, CRHRK_TUR, REF_NO, BORC FROM CARIHRK ORDER BY CARI_NO"));
    q.exec();
    QStringList left;
    while (q.next())
        left << QStringLiteral("%1 %2 %3 %4")
                    .arg(q.integer(QStringLiteral("CARI_NO")))
                    .arg(q.str(QStringLiteral("CRHRK_TUR")))
                    .arg(q.integer(QStringLiteral("REF_NO")))
                    .arg(q.num(QStringLiteral("BORC")));
    EXPECT_EQ(left, (QStringList{QStringLiteral("12 S 77 120"), QStringLiteral("13 A 77 5"),
                                 QStringLiteral("14 G 88 1"), QStringLiteral("15 G 88 2"),
                                 QStringLiteral("16 S 99 9")}));
    EXPECT_TRUE(odb.dialect().isIndexUnique(odb, QStringLiteral("CARIHRK"), QStringLiteral("UX_CARIHRK_BELGE")));
}

TEST_F(LedgerTest, ForeignRowsTakeTheDaysRateAndAreRefusedWithoutOne)
{
    kur(QStringLiteral("EUR"), QDateTime(QDate(2026, 3, 10), QTime(18, 0)), 44, 45);
    kur(QStringLiteral("USD"), QDateTime(QDate(2026, 3, 1), QTime(0, 0)), 39, 40);

    CariHrkYazDegerleri d = satis(600, {});
    d.BORC = QVariant();
    d.DOVIZ_KODU = QStringLiteral("EUR");
    d.PARA_BAZ = QStringLiteral("D");
    d.BORC_DVZ = 100.0;
    d.TL_KURDEGER = 1.0; // counts as no rate
    CariHrkYaz(ctx, db, d);
    Query q(db, QStringLiteral("SELECT BORC, BORC_USD, BORC_DVZ, TL_KURDEGER FROM CARIHRK WHERE REF_NO=600"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_DOUBLE_EQ(q.num(QStringLiteral("TL_KURDEGER")), 45) << "a rate entered at 18:00 holds for the day";
    EXPECT_DOUBLE_EQ(q.num(QStringLiteral("BORC")), 4500);
    EXPECT_DOUBLE_EQ(q.num(QStringLiteral("BORC_USD")), 112.5);
    EXPECT_DOUBLE_EQ(q.num(QStringLiteral("BORC_DVZ")), 100);

    // The day before the EUR rate exists nothing may be booked at 1:1.
    d.REF_NO = 601.0;
    d.TARIH = QDate(2026, 3, 9);
    try {
        CariHrkYaz(ctx, db, d);
        FAIL() << "a foreign amount without a rate was booked";
    } catch (const CariHrkHatasi& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("EUR")));
    }
    EXPECT_EQ(rows(QStringLiteral("REF_NO=601")), 0);

    // A local row without any dollar rate is booked, its dollar amounts left empty.
    db.exec(QStringLiteral("DELETE FROM KURDEGER"));
    CariHrkYaz(ctx, db, satis(602, 50));
    Query u(db, QStringLiteral("SELECT BORC, BORC_USD FROM CARIHRK WHERE REF_NO=602"));
    u.exec();
    ASSERT_TRUE(u.next());
    EXPECT_DOUBLE_EQ(u.num(QStringLiteral("BORC")), 50);
    EXPECT_TRUE(u.isNull(QStringLiteral("BORC_USD")));
}

TEST_F(LedgerTest, BalanceAndRiskAreSummedFromTheRows)
{
    EXPECT_DOUBLE_EQ(CariBakiyeOku(db, QStringLiteral("120.01")).bakiye(), 0);
    EXPECT_EQ(BakiyeBasligi(CariBakiyeOku(db, QStringLiteral("120.01")).bakiye()), QStringLiteral("KALAN"));
    auto add = [&](const char* kod, QVariant borc, QVariant alacak) {
        db.exec(QStringLiteral("INSERT INTO CARIHRK (CARI_NO, SIRANO, CARI_KOD, CRHRK_TUR, BORC, ALACAK) "
                               "VALUES (1, 1, :K, 'D', :B, :A)"),
                {{QStringLiteral("K"), QString::fromUtf8(kod)}, {QStringLiteral("B"), borc},
                 {QStringLiteral("A"), alacak}});
    };
    const QVariant nul(QMetaType(QMetaType::Double));
    add("BIG", 987654321.17, nul);
    add("BIG", nul, 987654321.17);
    add("R1", 1500.0, nul);
    add("R1", nul, 500.0);
    add("R2", 1000.01, 0.0);

    const CariBakiye big = CariBakiyeOku(db, QStringLiteral("BIG"));
    EXPECT_EQ(BakiyeBasligi(big.bakiye()), QStringLiteral("KALAN"));
    struct C {
        const char* kod;
        double limit;
        bool asim;
    } const cases[] = {
        {"R1", 0, false},       // no limit
        {"R1", 1000, false},    // exactly at the limit
        {"R1", 999.99, true},
        {"R2", 1000, true},
        {"NONE", 1, false},
        {"R1", -5, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CariRiskAsimi(db, QString::fromUtf8(c.kod), c.limit), c.asim) << c.kod << " " << c.limit;
}

TEST_F(LedgerTest, HistoryRecordsEveryChangeOfLedgerRowsWithTheUser)
{
    SetChangeLogUser(db, QStringLiteral("AYŞE"));
    CariHrkYaz(ctx, db, satis(700, 10));
    db.exec(QStringLiteral("UPDATE CARIHRK SET ACIKLAMA='Düzeltme' WHERE REF_NO=700"));
    CariHrkSil(db, QLatin1Char('S'), 700);

    Query q(db, QStringLiteral("SELECT LOG_STATE, LOG_USER, ACIKLAMA, BORC, LOG_DATE FROM CLOG_CARIHRK "
                               "ORDER BY LOG_DATE, LOG_STATE"));
    q.exec();
    QList<int> states;
    QStringList texts;
    while (q.next()) {
        states << int(q.integer(QStringLiteral("LOG_STATE")));
        texts << q.str(QStringLiteral("ACIKLAMA"));
        EXPECT_EQ(q.str(QStringLiteral("LOG_USER")), QStringLiteral("AYŞE"));
        EXPECT_DOUBLE_EQ(q.num(QStringLiteral("BORC")), 10);
        EXPECT_TRUE(q.dateTime(QStringLiteral("LOG_DATE")).isValid());
    }
    EXPECT_EQ(states, (QList<int>{0, 1, 2}));
    EXPECT_EQ(texts, (QStringList{QStringLiteral("Fatura"), QStringLiteral("Düzeltme"), QStringLiteral("Düzeltme")}));
}

} // namespace

// Eight workstations post, re-post and remove documents on three shared
// accounts at the same moment; afterwards each account's balance, read as the
// invoice form reads it (over the index that holds the amounts), equals what
// the documents left standing add up to.
TEST_F(LedgerTest, BalancesEqualTheStandingDocumentsAfterEightWorkstationsPost)
{
    kur(QStringLiteral("USD"), QDateTime(QDate(2026, 3, 9), QTime(0, 0)), 39.5, 40);
    constexpr int kThreads = 8, kRounds = 30;
    const QStringList hesaplar{QStringLiteral("120.01"), QStringLiteral("120.02"), QStringLiteral("120.03")};
    struct Belge {
        QString hesap;
        double borc = 0, alacak = 0;
    };
    // Per workstation: the documents it left, by kind and reference.
    std::vector<std::map<std::pair<char, double>, Belge>> kalan(kThreads);
    const QStringList failures = test::OnWorkstations(database->profile(), kThreads, [&](const Db& own, int t) {
        SessionContext ownCtx = ctx;
        ownCtx.Database1 = own;
        auto& benim = kalan[size_t(t)];
        for (int i = 0; i < kRounds; ++i) {
            const QString hesap = hesaplar.at((t + i) % 3);
            // An invoice saved again under its number moves to the new account and amount.
            const double fatura = 1000 * (t + 1) + i % 4;
            CariHrkYazDegerleri d = satis(fatura, 10.25 * (i + 1) + t);
            d.CARI_KOD = hesap;
            // A payment of its own, every third one taken back.
            CariHrkYazDegerleri n = satis(100000 * (t + 1) + i, 0);
            n.CRHRK_TUR = QLatin1Char('N');
            n.BORC = {};
            n.ALACAK = 3.5 * (i + 1);
            n.CARI_KOD = hesaplar.at((t + 2 * i) % 3);
            const bool geriAl = i % 3 == 2;
            for (int deneme = 0;; ++deneme) {
                try {
                    Transaction tx(own);
                    CariHrkYaz(ownCtx, own, d);
                    CariHrkYaz(ownCtx, own, n);
                    if (geriAl)
                        CariHrkSil(own, QLatin1Char('N'), n.REF_NO.toDouble());
                    tx.commit();
                    break;
                } catch (const DbError& e) {
                    // A workstation that waited too long saves the document again.
                    if (!e.isBusy() || deneme > 20)
                        throw;
                }
            }
            benim[{'S', fatura}] = {hesap, d.BORC.toDouble(), 0};
            if (!geriAl)
                benim[{'N', n.REF_NO.toDouble()}] = {n.CARI_KOD, 0, n.ALACAK.toDouble()};
        }
    });
    ASSERT_TRUE(failures.isEmpty()) << failures.join(QLatin1Char('\n')).toStdString();
    QMap<QString, Belge> beklenen;
    for (const auto& benim : kalan)
        for (const auto& [anahtar, b] : benim) {
            beklenen[b.hesap].borc += b.borc;
            beklenen[b.hesap].alacak += b.alacak;
        }
    for (const QString& h : hesaplar) {
        const CariBakiye b = CariBakiyeOku(db, h);
        EXPECT_NEAR(b.borc, beklenen.value(h).borc, 1e-6) << h.toStdString();
        EXPECT_NEAR(b.alacak, beklenen.value(h).alacak, 1e-6) << h.toStdString();
        EXPECT_GT(b.borc, 0) << h.toStdString();
    }
    int belgeler = 0;
    for (const auto& benim : kalan)
        belgeler += int(benim.size());
    EXPECT_EQ(rows(), belgeler);
}
