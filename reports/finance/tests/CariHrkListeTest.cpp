// The current-account movement list: criteria, opening balances, the running
// balance per account, the cumulative balance and the totals with their filter.
#include "accounts/AccountsSchema.h"
#include "reports/ReportsEntry.h"
#include "reports/finance/CHrkList.h"
#include "reports/menu/listem.h"
#include "report/RaporCikti.h"
#include "testsupport/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

using namespace tornaly;
using namespace tornaly::reports;

namespace {

class CariHrkListeDb : public test::DbTest {
protected:
    void registerSchema() override { accounts::RegisterSchema(); }
    void SetUp() override
    {
        DbTest::SetUp();
        for (const auto& [kod, ad] : {std::pair{"120.001", "Ayşe Yılmaz"}, std::pair{"120.002", "Işık Otomotiv"}})
            db.exec(QStringLiteral("INSERT INTO CARI (CARI_KOD, FIRMA_ADI, CARI_GRP_KOD) VALUES (:K, :A, 'K')"),
                    {{QStringLiteral("K"), QString::fromUtf8(kod)}, {QStringLiteral("A"), QString::fromUtf8(ad)}});
        hareket(1, "120.001", QDateTime(QDate(2025, 12, 1), QTime(9, 0)), "S", 300, 0);   // opening of 120.001
        hareket(2, "120.001", QDateTime(QDate(2026, 1, 5), QTime(9, 0)), "S", 100, 0);
        hareket(3, "120.001", QDateTime(QDate(2026, 1, 31), QTime(18, 0)), "N", 0, 40);   // end day, 18:00
        hareket(4, "120.002", QDateTime(QDate(2025, 11, 1), QTime(9, 0)), "N", 0, 1000);  // opening of 120.002
        hareket(5, "120.002", QDateTime(QDate(2026, 1, 10), QTime(9, 0)), "S", 200, 0);
        // Back-dated: a higher number on an earlier day.
        hareket(9, "120.001", QDateTime(QDate(2026, 1, 2), QTime(9, 0)), "D", 0, 10);
    }
    void hareket(double no, const char* kod, const QDateTime& t, const char* tur, double borc, double alacak)
    {
        db.exec(QStringLiteral("INSERT INTO CARIHRK (CARI_NO, SIRANO, CARI_KOD, TARIH, CRHRK_TUR, BORC, ALACAK, "
                               "BORC_DVZ, ALACAK_DVZ, ODENDI_MI) VALUES (:N, 1, :K, :T, :TUR, :B, :A, 0, 0, 'H')"),
                {{QStringLiteral("N"), no},
                 {QStringLiteral("K"), QString::fromUtf8(kod)},
                 {QStringLiteral("T"), t},
                 {QStringLiteral("TUR"), QString::fromUtf8(tur)},
                 {QStringLiteral("B"), borc},
                 {QStringLiteral("A"), alacak}});
    }
    static QStringList bakiyeler(const report::Document& d)
    {
        QStringList out;
        for (int p = 1; p <= d.pageCount(); ++p)
            for (const report::LayoutItem& it : d.find(p, QStringLiteral("BAKIYE")))
                if (it.bandKind == report::BandKind::Detail)
                    out.append(it.text);
        return out;
    }
};

} // namespace

TEST_F(CariHrkListeDb, RunningBalanceStartsAgainAtEachAccountFromItsOpening)
{
    TSorgu s;
    s.GeriDon = QLatin1Char('T');
    s.SorguStrA = QStringLiteral("01.01.2026");
    s.SorguStrB = QStringLiteral("31.01.2026");
    s.SorguInt = s.SorguSecLInt = s.SorguSecLInt1 = -1;
    CariHrkKriter k;
    QString hata;
    ASSERT_TRUE(KriterOku(s, &k, &hata));
    const auto rows = CariHrkListesiOku(db, k);
    ASSERT_EQ(rows.size(), 4); // the end day's 18:00 movement is in
    QStringList hesaplar;
    for (const auto& r : rows)
        hesaplar.append(r.CARI_KOD);
    const auto acilis = AcilisBakiyeleri(db, hesaplar, k.trhBas);
    EXPECT_DOUBLE_EQ(acilis.value(QStringLiteral("120.001")).alacakEksiBorc, -300);
    EXPECT_DOUBLE_EQ(acilis.value(QStringLiteral("120.002")).alacakEksiBorc, 1000);
    const report::Document d = report::Render(CariHrkListeRaporu(rows, acilis, k, false, {}));
    EXPECT_EQ(bakiyeler(d), (QStringList{QStringLiteral("290,00 (B)"), QStringLiteral("390,00 (B)"),
                                         QStringLiteral("350,00 (B)"), QStringLiteral("800,00 (A)")}));

    // Without a start day nothing is carried.
    EXPECT_TRUE(AcilisBakiyeleri(db, hesaplar, QDate()).isEmpty());
}

TEST_F(CariHrkListeDb, CriteriaAreBoundAndTheKindIsChosen)
{
    CariHrkKriter k;
    k.grup = QStringLiteral("K' OR '1'='1");
    EXPECT_TRUE(CariHrkListesiOku(db, k).isEmpty()); // typed text is a value, never SQL
    k = CariHrkKriter();
    k.hrkTuru = 5; // "Nakit"
    const auto nakit = CariHrkListesiOku(db, k);
    ASSERT_EQ(nakit.size(), 2);
    EXPECT_EQ(nakit.at(0).CRHRK_TUR, QStringLiteral("N"));
    EXPECT_EQ(HrkTuruHarfi(6), QChar(0x00C7)); // "Çek"
    k = CariHrkKriter();
    k.borcAlacak = 1;
    EXPECT_EQ(CariHrkListesiOku(db, k).size(), 3);

    TSorgu bad;
    bad.GeriDon = QLatin1Char('T');
    bad.SorguStrA = QStringLiteral("31.02.2026");
    QString hata;
    EXPECT_FALSE(KriterOku(bad, &k, &hata));
    EXPECT_EQ(hata, QStringLiteral("Geçerli bir tarih giriniz."));
}

TEST_F(CariHrkListeDb, CumulativeBalanceCountsBackDatedMovements)
{
    // Up to movement 2 (5 January): 300 debit, 10 credit of 2 January (number 9).
    const KumulatifBakiye k = KumulatifBakiyeOku(db, QStringLiteral("120.001"),
                                                 QDateTime(QDate(2026, 1, 5), QTime(9, 0)), 2);
    EXPECT_DOUBLE_EQ(k.bakiye, 10 - 400);
    EXPECT_EQ(ListeBakiye(k.bakiye), QStringLiteral("390,00 (B)"));
    EXPECT_EQ(ListeBakiye(0), QStringLiteral("---   "));
}

TEST_F(CariHrkListeDb, TotalsOrderByTheNamedColumnAndFilterByBalance)
{
    const auto rows = CariHrkToplamlariOku(db, CariHrkKriter(), QStringLiteral("Top.Borç YTL"));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(0).CARI_KOD, QStringLiteral("120.002")); // 200 before 400
    EXPECT_DOUBLE_EQ(rows.at(0).KALAN(), 800);
    EXPECT_DOUBLE_EQ(rows.at(1).KALAN(), -350);
    struct Case {
        int filtre;
        double minimum;
        bool a, b;
    } cases[] = {{0, 0, true, true}, {1, 500, true, false}, {2, 100, false, true}, {3, 100, true, false},
                 {3, 900, false, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(ToplamFiltredenGecer(rows.at(0), c.filtre, c.minimum), c.a) << c.filtre << "/" << c.minimum;
        EXPECT_EQ(ToplamFiltredenGecer(rows.at(1), c.filtre, c.minimum), c.b) << c.filtre << "/" << c.minimum;
    }
    const report::Document d = report::Render(CariHrkToplamRaporu(rows, CariHrkKriter(), false, {}, 3, 100));
    EXPECT_TRUE(d.texts(1).join(QLatin1Char('|')).contains(QStringLiteral("800,00 (A)")));
    EXPECT_FALSE(d.texts(1).join(QLatin1Char('|')).contains(QStringLiteral("Ayşe Yılmaz")));
}

TEST_F(CariHrkListeDb, MenuRunsCriteriaListAndStatement)
{
    RegisterEntryPoints();
    QList<report::Document> shown;
    report::SetPreviewHook([&](const report::Document& d) { shown.append(d); });
    TFormListe menu(ctx);
    menu.refreshNodes();
    const auto node = menu.tvListe->findItems(QStringLiteral("Cari Hareketler Listesi"), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(node.size(), 1);
    EXPECT_FALSE(node.first()->isDisabled());

    TSorgu s;
    THarekSorDlg dlg(ctx, s);
    dlg.EditKod1->setText(QStringLiteral("120.002"));
    dlg.BtnTamam->click();
    EXPECT_EQ(s.GeriDon, QLatin1Char('T'));
    CariHrkKriter k;
    QString hata;
    ASSERT_TRUE(KriterOku(s, &k, &hata));
    TFormCHrkList list(ctx, k, CariHrkListesiOku(db, k));
    EXPECT_EQ(list.satirlar().size(), 2);
    list.CBDovizli->setChecked(true);
    EXPECT_TRUE(list.BtnListeClick().isEmpty());
    EXPECT_EQ(messages.texts().last(), QStringLiteral("Herhangi bir döviz kodu seçiniz"));
    list.CBDovizli->setChecked(false);
    list.BtnListeClick();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().texts(1).join(QLatin1Char('|')).contains(QStringLiteral("CARİ HAREKET LİSTESİ")));

    // No movement matches: the list says so and shows nothing.
    TSorgu none;
    none.GeriDon = QLatin1Char('T');
    none.str1 = QStringLiteral("999");
    none.SorguInt = none.SorguSecLInt = none.SorguSecLInt1 = -1;
    ReportMenuEnv env{&ctx, nullptr};
    CariHrkListele(env, none);
    EXPECT_EQ(messages.texts().last(), QStringLiteral("Hareket Bilgisi Yok"));
    report::SetPreviewHook({});
}

// The two accounts' movements interleave in time; in every order the list
// offers, a row shows its own account's balance after that row.
TEST_F(CariHrkListeDb, RunningBalanceIsTheSameInEverySortOrder)
{
    CariHrkKriter k;
    k.trhBas = QDate(2026, 1, 1);
    k.trhSon = QDate(2026, 1, 31);
    const QHash<double, QString> beklenen{
        {9, QStringLiteral("290,00 (B)")},  // 120.001: -300 opening, +10
        {2, QStringLiteral("390,00 (B)")},  // 120.001: -100
        {5, QStringLiteral("800,00 (A)")},  // 120.002: +1000 opening, -200
        {3, QStringLiteral("350,00 (B)")}}; // 120.001: +40
    const auto acilis =
        AcilisBakiyeleri(db, {QStringLiteral("120.001"), QStringLiteral("120.002")}, k.trhBas);
    for (const QString& siralama : SiralamaSecenekleri()) {
        const auto rows = CariHrkListesiOku(db, k, siralama);
        ASSERT_EQ(rows.size(), 4) << siralama.toStdString();
        const QStringList metinler = bakiyeler(report::Render(CariHrkListeRaporu(rows, acilis, k, false, {})));
        ASSERT_EQ(metinler.size(), rows.size()) << siralama.toStdString();
        for (qsizetype i = 0; i < rows.size(); ++i)
            EXPECT_EQ(metinler.at(i), beklenen.value(rows.at(i).CARI_NO))
                << siralama.toStdString() << " row " << rows.at(i).CARI_NO;
    }
}
