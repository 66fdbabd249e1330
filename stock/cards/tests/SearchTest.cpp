#include "stock/StockSchema.h"
#include "stock/cards/StokArama.h"
#include "stock/ledger/DepoHrk.h"
#include "testsupport/TestSupport.h"

#include <algorithm>

using namespace tornaly;
using namespace tornaly::stock;

namespace {

class StockSearchTest : public test::DbTest {
protected:
    void registerSchema() override { stock::RegisterSchema(); }
    void SetUp() override
    {
        DbTest::SetUp();
        struct Kart {
            int no;
            const char* kod;
            const char* ad;
            const char* ing;
            const char* grup;
            const char* barkod;
            const char* yeni;
        };
        const Kart kartlar[] = {
            {1, "ABC-100", "IŞIK AMPULÜ", "BULB", "ELK", "869001", nullptr},
            {2, "abc-200", "ışık anahtarı", "SWITCH", "ELK", "869002", "ABC-201"},
            {3, "İNCE-1", "İnce Conta", "GASKET", "MOT", "869003", nullptr},
            {4, "X%Y", "Yüzde'li Parça", "PERCENT", "MOT", "869004", nullptr},
            {5, "X_Y", "Alt Çizgili", "UNDERSCORE", "MOT", "869005", nullptr},
            {6, "ZZ-9", "O'Reilly Filtresi", "FILTER", "MOT", "869006", nullptr},
        };
        for (const Kart& k : kartlar)
            db.exec(QStringLiteral("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, STOK_ADI_TR, STOK_ADI_ING, PAY, KDV, "
                                   "GRUP_NO, BARKOD, YENI_KOD) VALUES (:N, :K, :A, :I, 'P', 18, :G, :B, :Y)"),
                    {{QStringLiteral("N"), k.no}, {QStringLiteral("K"), QString::fromUtf8(k.kod)},
                     {QStringLiteral("A"), QString::fromUtf8(k.ad)}, {QStringLiteral("I"), QString::fromUtf8(k.ing)},
                     {QStringLiteral("G"), QString::fromUtf8(k.grup)}, {QStringLiteral("B"), QString::fromUtf8(k.barkod)},
                     {QStringLiteral("Y"), k.yeni ? QVariant(QString::fromUtf8(k.yeni)) : QVariant(QMetaType(QMetaType::QString))}});
        db.exec(QStringLiteral("INSERT INTO STOKKOD (STOK_KOD, ESKI_KOD) VALUES ('İNCE-1', 'OLD-77')"));
        DepoHrkYaz(db, DepoHrkBelge::Belge(1, u'D'),
                   {DepoHrkHareket(u'D', 1, StokFisiCariKod(), 6, QStringLiteral("1"), QDateTime::currentDateTime(), 2, 1.0)});
        db.exec(QStringLiteral("UPDATE STOKMIK SET RAF_YERI = 'R-1' WHERE STOK_NO = 6"));
    }

    QList<int> ara(const StokAramaKriteri& k)
    {
        const SqlText s = StokListeSorgusu(db.dialect(), k);
        Query q(db, s.text());
        q.bindAll(s.binds).exec();
        QList<int> out;
        while (q.next())
            out << q.value(QStringLiteral("STOK_NO")).toInt();
        return out;
    }
};

struct SearchCase {
    StokAramaKutusu kutu;
    const char* metin;
    const char* grup;
    QList<int> beklenen;
};

TEST_F(StockSearchTest, TypedTextIsBoundFoldedAndEscaped)
{
    using K = StokAramaKutusu;
    const SearchCase cases[] = {
        {K::Kod, "abc", "", {1, 2}},           // starts with, either case
        {K::Kod, "bc", "", {}},                // not inside
        {K::Kod, "ince", "", {3}},             // i folds to İ
        {K::Kod, "X%", "", {4, 5}},            // the user's % is a wildcard
        {K::Kod, "X_", "", {5}},               // _ is a plain character
        {K::Ad, "ışık", "", {1, 2}},           // anywhere in the name, Turkish folding
        {K::Ad, "IŞIK", "", {1, 2}},
        {K::Ad, "o'reilly", "", {6}},          // a quote is just a character
        {K::Ad, "gasket", "", {3}},            // the English name too
        {K::Ad, "a", "ELK", {1, 2}},           // filters hold for every search
        {K::Barkod, "869003", "", {3}},
        {K::Barkod, "' OR 1=1 --", "", {}},
        {K::Muadil, "OLD", "", {3}},           // cards on either side of a pair
        {K::Muadil, "İNCE", "", {3}},
        {K::Muadil, "ABC-20", "", {2}},        // a new code
        {K::Raf, "R-1", "", {6}},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.kutu) << " " << c.metin);
        StokAramaKriteri k;
        k.kutu = c.kutu;
        k.metin = QString::fromUtf8(c.metin);
        k.grup = QString::fromUtf8(c.grup);
        EXPECT_EQ(ara(k), c.beklenen);
    }
    StokAramaKriteri k;
    k.kutu = K::Muadil;
    k.metin = QStringLiteral("OLD-77");
    db.exec(QStringLiteral("INSERT INTO STOKKOD (STOK_KOD, ESKI_KOD) VALUES ('ZZ-OTHER', 'ZZ-9')"));
    k.metin = QStringLiteral("ZZ-OTHER");
    EXPECT_EQ(ara(k), QList<int>{6});
}

TEST_F(StockSearchTest, FirstOpeningLimitAndColumnSort)
{
    for (int i = 100; i < 160; ++i)
        db.exec(QStringLiteral("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, STOK_ADI_TR, PAY, KDV) VALUES (:N, :K, 'X', 'P', 8)"),
                {{QStringLiteral("N"), i}, {QStringLiteral("K"), QStringLiteral("Q-%1").arg(i)}});
    StokAramaKriteri k;
    k.ilkAcilis = true;
    EXPECT_EQ(ara(k).size(), 50);
    k.ilkAcilis = false;
    EXPECT_EQ(ara(k).size(), 66);

    k.kutu = StokAramaKutusu::Kod;
    k.metin = QStringLiteral("ABC");
    k.siralama = QStringLiteral("stok_adi_tr");
    k.azalan = true;
    EXPECT_EQ(ara(k), (QList<int>{2, 1}));
    k.siralama = QStringLiteral("STOK_NO; DROP TABLE STOK"); // not a column: the box's own order
    k.azalan = false;
    EXPECT_EQ(ara(k), (QList<int>{1, 2}));
}

TEST_F(StockSearchTest, WarehouseStripAndPairs)
{
    const auto m = StokDepoMiktarlari(db, 6);
    ASSERT_EQ(m.size(), 1);
    EXPECT_EQ(m[0].DEPO_ADI, QStringLiteral("Ana Depo>R-1"));
    EXPECT_DOUBLE_EQ(m[0].DEPO_MIK, 2);
    EXPECT_EQ(MuadilCiftleri(db, QStringLiteral("OLD-77")).size(), 1);
}

} // namespace

namespace {

// "Contains" in the part names finds the same cards whether the server reads
// every card or narrows them by the names' trigram index (PostgreSQL, the
// plain read turned off): the folding is TR_UPPER's either way.
TEST_F(StockSearchTest, ContainsSearchesFindTheSameCardsThroughTheTrigramIndex)
{
    const struct {
        const char* metin;
        QList<int> beklenen;
    } cases[] = {
        {"ışık", {1, 2}},
        {"ampulü", {1}},
        {"ÇİZGİ", {5}},
        {"izgi", {5}},           // i folds to İ
        {"reil", {6}},           // O'REİLLY
        {"REIL", {}},            // dotless I is another letter
        {"ltres", {6}},
        {"gask", {3}},           // the English name too
        {"a", {1, 2, 3, 4, 5}}, // too short for a trigram: still every card that holds it
        {"zzzz", {}},
    };
    const bool pg = db.backend() == Backend::PostgreSQL;
    for (const bool indeks : {false, true}) {
        if (indeks && !pg)
            break;
        if (pg) {
            // With plain reads and ordered index reads off, only a bitmap read of the trigram index remains.
            db.exec(QStringLiteral("SET enable_seqscan = %1").arg(indeks ? QStringLiteral("off") : QStringLiteral("on")));
            db.exec(QStringLiteral("SET enable_indexscan = %1").arg(indeks ? QStringLiteral("off") : QStringLiteral("on")));
        }
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.metin << (indeks ? " (index)" : ""));
            StokAramaKriteri k;
            k.kutu = StokAramaKutusu::Ad;
            k.metin = QString::fromUtf8(c.metin);
            QList<int> bulunan = ara(k);
            std::sort(bulunan.begin(), bulunan.end());
            EXPECT_EQ(bulunan, c.beklenen);
        }
    }
    if (!pg)
        return;
    // The index is what the server read.
    StokAramaKriteri k;
    k.kutu = StokAramaKutusu::Ad;
    k.metin = QStringLiteral("ışık");
    const SqlText s = StokListeSorgusu(db.dialect(), k);
    Query plan(db, QStringLiteral("EXPLAIN ") + s.text());
    plan.bindAll(s.binds).exec();
    QString metin;
    while (plan.next())
        metin += plan.value(0).toString() + QLatin1Char('\n');
    db.exec(QStringLiteral("SET enable_seqscan = on"));
    db.exec(QStringLiteral("SET enable_indexscan = on"));
    EXPECT_TRUE(metin.contains(QLatin1String("ix_stok_adi_trgm"), Qt::CaseInsensitive)) << metin.toStdString();
}

} // namespace
