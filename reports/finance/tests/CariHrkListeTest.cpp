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
#include <QSet>
#include <QTableView>
#include <QTreeWidget>
#include <functional>

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

// A long list arrives page by page in every offered order: each movement line
// once, in the order chosen, the first page long before the whole list.
// Many lines share a movement number (ties settled by the line number), many
// have no due day and many share an amount.
TEST_F(CariHrkListeDb, PagesOfTheMovementListGiveEveryLineOnceInOrder)
{
    {
        Transaction tr(db);
        for (int i = 0; i < 700; ++i)
            db.exec(QStringLiteral("INSERT INTO CARIHRK (CARI_NO, SIRANO, CARI_KOD, TARIH, VADE_TRH, CRHRK_TUR, BORC, "
                                   "ALACAK, ODENDI_MI) VALUES (:N, :S, :K, :T, :V, 'S', :B, :A, 'H')"),
                    {{QStringLiteral("N"), double(100 + i / 300)}, // 300 lines under one number
                     {QStringLiteral("S"), i % 300 + 1},
                     {QStringLiteral("K"), i % 2 ? QStringLiteral("120.001") : QStringLiteral("120.002")},
                     {QStringLiteral("T"), QDateTime(QDate(2026, 3, 1 + i % 3), QTime(10, 0))},
                     {QStringLiteral("V"), i % 4 ? QVariant(QDateTime(QDate(2026, 4, 1 + i % 5), QTime(0, 0)))
                                                 : QVariant(QMetaType(QMetaType::QDateTime))},
                     {QStringLiteral("B"), double(i % 7)},
                     {QStringLiteral("A"), double(i % 3)}});
        tr.commit();
    }
    const int toplam = 706;
    // Each order's own columns; the line's number and line settle the rest.
    using Anahtar = std::function<QVariantList(const CariHrkListeSatiri&)>;
    const auto gun = [](const QDateTime& t) { return t.isValid() ? QVariant(t) : QVariant(); };
    const QList<std::pair<QString, Anahtar>> siralar{
        {QStringLiteral("Cari Kod"), [](const CariHrkListeSatiri& r) { return QVariantList{r.CARI_KOD, r.TARIH}; }},
        {QStringLiteral("Tarih"), [](const CariHrkListeSatiri& r) { return QVariantList{r.TARIH}; }},
        {QStringLiteral("Vade"), [&](const CariHrkListeSatiri& r) { return QVariantList{gun(r.VADE_TRH)}; }},
        {QStringLiteral("Hrk.No"), [](const CariHrkListeSatiri&) { return QVariantList{}; }},
        {QStringLiteral("Borç"), [](const CariHrkListeSatiri& r) { return QVariantList{r.BORC}; }},
        {QStringLiteral("Alacak"), [](const CariHrkListeSatiri& r) { return QVariantList{r.ALACAK}; }},
        {QStringLiteral("Cari Adı"), [](const CariHrkListeSatiri& r) { return QVariantList{r.FIRMA_ADI, r.TARIH}; }}};
    // NULL comes first; then values compare by their own kind.
    const auto once = [](const QVariant& a, const QVariant& b) {
        if (a.isNull() || b.isNull())
            return !a.isNull() ? 1 : (!b.isNull() ? -1 : 0);
        const QPartialOrdering o = QVariant::compare(a, b);
        return o == QPartialOrdering::Less ? -1 : (o == QPartialOrdering::Greater ? 1 : 0);
    };
    for (const auto& [siralama, anahtar] : siralar) {
        CariHrkListesi liste(db, CariHrkKriter(), siralama);
        QVector<CariHrkListeSatiri> hepsi = liste.sonrakiSayfa();
        EXPECT_LT(hepsi.size(), toplam) << qPrintable(siralama); // the first page is not the whole list
        EXPECT_FALSE(liste.bitti()) << qPrintable(siralama);
        while (!liste.bitti())
            hepsi += liste.sonrakiSayfa();
        EXPECT_TRUE(liste.sonrakiSayfa().isEmpty()) << qPrintable(siralama);
        ASSERT_EQ(hepsi.size(), toplam) << qPrintable(siralama);
        QSet<std::pair<double, int>> gorulen;
        for (int i = 0; i < hepsi.size(); ++i) {
            const CariHrkListeSatiri& r = hepsi.at(i);
            EXPECT_FALSE(gorulen.contains({r.CARI_NO, r.SIRANO}))
                << qPrintable(siralama) << " twice: " << r.CARI_NO << "/" << r.SIRANO;
            gorulen.insert({r.CARI_NO, r.SIRANO});
            if (i == 0)
                continue;
            const CariHrkListeSatiri& o = hepsi.at(i - 1);
            QVariantList a = anahtar(o) << o.CARI_NO << o.SIRANO, b = anahtar(r) << r.CARI_NO << r.SIRANO;
            int fark = 0;
            for (int c = 0; c < a.size() && fark == 0; ++c)
                fark = once(a.at(c), b.at(c));
            EXPECT_LT(fark, 0) << qPrintable(siralama) << " out of order at " << i;
        }
        // The whole list at once is the same list.
        const QVector<CariHrkListeSatiri> birden = CariHrkListesiOku(db, CariHrkKriter(), siralama);
        ASSERT_EQ(birden.size(), toplam);
        for (int i = 0; i < toplam; ++i)
            EXPECT_TRUE(birden.at(i).CARI_NO == hepsi.at(i).CARI_NO && birden.at(i).SIRANO == hepsi.at(i).SIRANO)
                << qPrintable(siralama) << " at " << i;
    }

    // The window shows the first page and reads on as the grid reaches its end;
    // the statement prints every line.
    auto liste = std::make_unique<CariHrkListesi>(db, CariHrkKriter());
    QVector<CariHrkListeSatiri> ilk = liste->sonrakiSayfa();
    TFormCHrkList form(ctx, CariHrkKriter(), ilk, std::move(liste));
    EXPECT_EQ(form.satirlar().size(), ilk.size());
    while (form.sonrakiSayfa()) {
    }
    EXPECT_EQ(form.satirlar().size(), toplam);
    EXPECT_EQ(form.Grid->model()->rowCount(), toplam);
}

// Opening balances of many accounts in a few grouped statements agree with
// each account's own rows before the start day, in the chosen currency too.
TEST_F(CariHrkListeDb, OpeningBalancesOfManyAccountsAgreeWithTheirRows)
{
    const QDate bas(2026, 1, 1);
    QHash<QString, AcilisBakiyesi> beklenen;
    QStringList hesaplar;
    {
        Transaction tr(db);
        for (int i = 0; i < 1100; ++i) { // more accounts than one statement takes
            const QString kod = QStringLiteral("320.%1").arg(i, 4, 10, QLatin1Char('0'));
            hesaplar << kod << kod; // an account named twice counts once
            for (int j = 0; j < i % 4; ++j) {
                const bool once = j != 2; // the third row falls on the start day: not carried
                const QString dvz = j == 1 ? QStringLiteral("EUR") : QStringLiteral("USD");
                db.exec(QStringLiteral("INSERT INTO CARIHRK (CARI_NO, SIRANO, CARI_KOD, TARIH, BORC, ALACAK, BORC_USD, "
                                       "ALACAK_USD, BORC_DVZ, ALACAK_DVZ, DOVIZ_KODU) "
                                       "VALUES (:N, 1, :K, :T, :B, :A, 1, 0, :BD, :AD, :D)"),
                        {{QStringLiteral("N"), double(10000 + i * 4 + j)},
                         {QStringLiteral("K"), kod},
                         {QStringLiteral("T"), once ? bas.addDays(-1 - j).startOfDay() : bas.startOfDay()},
                         {QStringLiteral("B"), double(i)},
                         {QStringLiteral("A"), double(j * 10)},
                         {QStringLiteral("BD"), double(j + 1)},
                         {QStringLiteral("AD"), 0.5},
                         {QStringLiteral("D"), dvz}});
                if (once) {
                    AcilisBakiyesi& a = beklenen[kod];
                    a.alacakEksiBorc += j * 10 - i;
                    a.usd -= 1;
                    if (dvz == QLatin1String("EUR"))
                        a.doviz += 0.5 - (j + 1);
                }
            }
        }
        tr.commit();
    }
    for (const QString& doviz : {QString(), QStringLiteral("EUR")}) {
        const auto acilis = AcilisBakiyeleri(db, hesaplar, bas, doviz);
        ASSERT_EQ(acilis.size(), 1100);
        for (int i = 0; i < 1100; ++i) {
            const QString kod = hesaplar.at(2 * i);
            const AcilisBakiyesi a = acilis.value(kod), e = beklenen.value(kod);
            EXPECT_DOUBLE_EQ(a.alacakEksiBorc, e.alacakEksiBorc) << qPrintable(kod);
            EXPECT_DOUBLE_EQ(a.usd, e.usd) << qPrintable(kod);
            // Without a currency every currency's amounts count.
            const double dvzBeklenen = doviz.isEmpty() ? (i % 4 == 0 ? 0.0 : [&] {
                double t = 0;
                for (int j = 0; j < i % 4; ++j)
                    if (j != 2)
                        t += 0.5 - (j + 1);
                return t;
            }())
                                                       : e.doviz;
            EXPECT_DOUBLE_EQ(a.doviz, dvzBeklenen) << qPrintable(kod) << " " << qPrintable(doviz);
        }
    }
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
