// An account's movements: carried balance, running balance, due-date
// figures, filters, the opener of the source document and the statement's outputs.
#include "accounts/AccountsSchema.h"
#include "accounts/statements/carihrk.h"
#include "report/ReportExport.h"
#include "testsupport/TestSupport.h"
#include "testsupport/ZipEntry.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableView>

using namespace tornaly;
using namespace tornaly::accounts;

namespace {

class CariEkstreDb : public test::DbTest {
protected:
    void registerSchema() override { accounts::RegisterSchema(); }
    void SetUp() override
    {
        DbTest::SetUp();
        db.exec(QStringLiteral("INSERT INTO CARI (CARI_KOD, FIRMA_ADI) VALUES ('120.001', :AD)"),
                {{QStringLiteral("AD"), QStringLiteral("Çağrı Öztürk İnşaat")}});
    }
    void hareket(double no, const QDateTime& tarih, const char* tur, double borc, double alacak,
                 const QDate& vade = {}, const QString& odendi = QStringLiteral("H"), const QString& kod = QStringLiteral("120.001"))
    {
        db.exec(QStringLiteral("INSERT INTO CARIHRK (CARI_NO, SIRANO, CARI_KOD, TARIH, VADE_TRH, CRHRK_TUR, BORC, ALACAK, "
                               "BORC_DVZ, ALACAK_DVZ, ODENDI_MI, ACIKLAMA) VALUES (:NO, 1, :KOD, :T, :V, :TUR, :B, :A, 0, 0, :O, :ACK)"),
                {{QStringLiteral("NO"), no},
                 {QStringLiteral("KOD"), kod},
                 {QStringLiteral("T"), tarih},
                 {QStringLiteral("V"), vade.isValid() ? QVariant(vade.startOfDay()) : QVariant()},
                 {QStringLiteral("TUR"), QString::fromUtf8(tur)},
                 {QStringLiteral("B"), borc},
                 {QStringLiteral("A"), alacak},
                 {QStringLiteral("O"), odendi},
                 {QStringLiteral("ACK"), QStringLiteral("Hareket %1").arg(no)}});
    }
    static QDateTime gun(int y, int m, int d, int h = 10) { return QDateTime(QDate(y, m, d), QTime(h, 0)); }
    void ornek()
    {
        hareket(1, gun(2025, 12, 20), "I", 500, 0);          // before the start day: carried
        hareket(2, gun(2026, 1, 5), "S", 1000, 0, QDate(2026, 2, 4));
        hareket(3, gun(2026, 1, 10), "N", 0, 400, QDate(2026, 1, 10), QStringLiteral("E"));
        hareket(4, gun(2026, 1, 31, 18), "S", 250.5, 0, QDate(2026, 3, 2)); // the end day at 18:00
        hareket(5, gun(2026, 2, 1), "D", 0, 100);
    }
    static QStringList bakiyeler(const report::Document& d)
    {
        QStringList out;
        for (int p = 1; p <= d.pageCount(); ++p)
            for (const report::LayoutItem& it : d.find(p, QStringLiteral("BAKIYE")))
                if (it.bandKind == report::BandKind::Detail)
                    out.append(it.text.trimmed());
        return out;
    }
};

} // namespace

TEST_F(CariEkstreDb, CarriedAndRunningBalanceOfTheStatement)
{
    ornek();
    CariHrkFiltre f;
    f.bas = QDate(2026, 1, 1);
    f.son = QDate(2026, 1, 31);
    const EkstreVerisi v = EkstreVerisiOku(db, QStringLiteral("120.001"), QStringLiteral("Çağrı Öztürk İnşaat"), f, {});
    EXPECT_DOUBLE_EQ(v.devir.bakiye(), 500);
    ASSERT_EQ(v.satirlar.size(), 3); // the 18:00 movement of the end day is in
    const report::Document d = EkstreBelgesi(v, {});
    EXPECT_EQ(bakiyeler(d), (QStringList{QStringLiteral("500,00 (B)"), QStringLiteral("1.500,00 (B)"),
                                         QStringLiteral("1.100,00 (B)"), QStringLiteral("1.350,50 (B)")}));
    const QString metin = d.texts(1).join(QLatin1Char('|'));
    EXPECT_TRUE(metin.contains(QStringLiteral("(Devir)")));
    EXPECT_TRUE(metin.contains(QStringLiteral("Cari Adı : Çağrı Öztürk İnşaat")));
    // A filter leaves the account's totals of all rows out.
    EXPECT_FALSE(metin.contains(QStringLiteral("Toplam Borç :")));

    // Without a start day nothing is carried: every row is on the statement already.
    const EkstreVerisi tum = EkstreVerisiOku(db, QStringLiteral("120.001"), QString(), {}, {});
    EXPECT_DOUBLE_EQ(tum.devir.bakiye(), 0);
    const QStringList b = bakiyeler(EkstreBelgesi(tum, {}));
    EXPECT_EQ(b.first(), QStringLiteral("0,00"));
    EXPECT_EQ(b.last(), QStringLiteral("1.250,50 (B)"));
    EXPECT_TRUE(EkstreBelgesi(tum, {}).texts(1).join(QLatin1Char('|')).contains(
        QStringLiteral("Toplam Borç : 1.750,50      Toplam Alacak : 500,00      Kalan : 1.250,50 (Borç)")));
}

TEST_F(CariEkstreDb, AnAccountWithoutMovementsGivesAnEmptyStatement)
{
    const EkstreVerisi v = EkstreVerisiOku(db, QStringLiteral("120.001"), QString(), {}, {true, false, true, false, false});
    const report::Document d = EkstreBelgesi(v, {true, false, true, false, false});
    EXPECT_GE(d.pageCount(), 1);
    EXPECT_EQ(bakiyeler(d), QStringList{QStringLiteral("0,00")});
    const CariVadeOzeti o = VadeOzeti(VadeToplamlariHesapla({}), QDate(2026, 1, 1));
    EXPECT_EQ(o.BAKIYETIP, QLatin1Char('-'));
    EXPECT_TRUE(o.GUN.isNull());
    EXPECT_FALSE(o.KAPATANVADE.isValid());
}

TEST(CariEkstreRules, DueDateFigures)
{
    // 1000 due on day 30 and 3000 due on day 70 after 2000-01-01; 1000 of the
    // first closed by a credit due on day 40.
    CariHrkSatiri a, b, c;
    a.BORC = 1000, a.KAPANANB = 1000, a.VADE_TRH = QDate(2000, 1, 31).startOfDay();
    b.BORC = 3000, b.VADE_TRH = QDate(2000, 3, 11).startOfDay();
    c.ALACAK = 1000, c.KAPANANA = 1000, c.VADE_TRH = QDate(2000, 2, 10).startOfDay();
    const VadeToplamlari t = VadeToplamlariHesapla({a, b, c});
    EXPECT_NEAR(t.borcGun, 60, 1e-6);
    EXPECT_NEAR(t.aBorcGun, 70, 1e-6);
    const CariVadeOzeti o = VadeOzeti(t, QDate(2000, 3, 21));
    EXPECT_EQ(o.BAKIYETIP, QLatin1Char('B'));
    EXPECT_DOUBLE_EQ(o.BAKIYE, 3000);
    EXPECT_EQ(o.BORCVTRH, QDate(2000, 3, 1));
    EXPECT_EQ(o.BAKIYEVTRH, QDate(2000, 3, 11));
    EXPECT_EQ(o.GUN.toInt(), 10);
    EXPECT_EQ(o.KBORCVTRH, QDate(2000, 1, 31));
    EXPECT_EQ(o.KALAVTRH, QDate(2000, 2, 10));
    EXPECT_EQ(o.KGUN.toInt(), -10);
    // (4000*60 - 1000*40) / 3000 = 66.67 -> day 67
    EXPECT_EQ(o.KAPATANVADE, QDate(2000, 1, 1).addDays(67));
}

TEST(CariEkstreRules, TextsOfBalancesPlatesAndSms)
{
    EXPECT_EQ(EkstreBakiye(-1250.5), QStringLiteral("    1.250,50 (A)"));
    EXPECT_EQ(EkstreBakiye(1234567.891), QStringLiteral("1.234.567,89 (B)"));
    EXPECT_EQ(EkstreBakiye(0.004), QStringLiteral("0,00"));
    EXPECT_EQ(Aciklama2(QStringLiteral("34ABC1234"), QStringLiteral("Bakım")), QStringLiteral("34ABC1234 Plakalı, Bakım"));
    EXPECT_EQ(Aciklama2(QStringLiteral(" 34AB "), QStringLiteral("Bakım")), QStringLiteral("Bakım"));
    EXPECT_EQ(BakiyeSmsMetni(QStringLiteral("ALİ ŞAHİN"), QDate(2026, 12, 11), 0),
              QStringLiteral("SAYIN ALİ ŞAHİN 11.12.2026 ITIBARIYLE 0 TL - BAKIYENIZ MEVCUTTUR"));
    EXPECT_EQ(BakiyeSmsMetni(QStringLiteral("X"), QDate(2026, 12, 11), -12345.6),
              QStringLiteral("SAYIN X 11.12.2026 ITIBARIYLE 12.346 TL ALACAK BAKIYENIZ MEVCUTTUR"));
}

TEST(CariEkstreRules, BalanceDetailLeavesOutSmallGroups)
{
    CariHrkSatiri s1, s2, n1;
    s1.CRHRK_TUR = s2.CRHRK_TUR = QStringLiteral("S");
    s1.BORC = 100, s1.KAPANANB = 99.95; // 0.05 open
    s2.ALT_TIP = QStringLiteral("I"), s2.BORC = 300;
    n1.CRHRK_TUR = QStringLiteral("N"), n1.ALACAK = 50;
    const QVector<BakiyeDetaySatiri> d = BakiyeDetay({s1, s2, n1});
    ASSERT_EQ(d.size(), 2);
    EXPECT_EQ(d.at(0).CRHRK_TUR, QStringLiteral("N"));
    EXPECT_DOUBLE_EQ(d.at(0).BAKIYE, -50);
    EXPECT_EQ(d.at(1).ALT_TIP, QStringLiteral("I"));
}

TEST(CariEkstreRules, RelatedDocumentByKind)
{
    struct Case {
        const char* tur;
        double ref;
        double borc;
        bool satis;
        IlgiliIslemHedefi::Tur hedefTur;
        const char* hedef;
        const char* kilit;
    } cases[] = {
        {"N", 0, 100, false, IlgiliIslemHedefi::CariFis, "", "A"},
        {"N", 0, 0, false, IlgiliIslemHedefi::CariFis, "", "B"},
        {"D", 0, 0, false, IlgiliIslemHedefi::CariFis, "", ""},
        {"D", 12, 0, false, IlgiliIslemHedefi::Kayitli, "BordroHrkGir", ""},
        {"Ç", 12, 0, false, IlgiliIslemHedefi::Kayitli, "BordroHrkGir", ""},
        {"V", 0, 0, false, IlgiliIslemHedefi::CariFis, "", ""},
        {"H", 7, 0, false, IlgiliIslemHedefi::Kayitli, "BankaHrkGir", ""},
        {"M", 7, 0, false, IlgiliIslemHedefi::Kayitli, "MahsupFisiGir", ""},
        {"A", 7, 0, false, IlgiliIslemHedefi::Kayitli, "AlisAc", ""},
        {"S", 7, 0, true, IlgiliIslemHedefi::Kayitli, "SatisGoster", ""},
        {"S", 7, 0, false, IlgiliIslemHedefi::Kayitli, "IEFaturaGoster", ""},
        {"T", 7, 0, false, IlgiliIslemHedefi::Yok, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tur);
        CariHrkSatiri s;
        s.CRHRK_TUR = QString::fromUtf8(c.tur);
        s.REF_NO = c.ref == 0 ? QVariant() : QVariant(c.ref);
        s.BORC = c.borc;
        s.CARI_NO = 55;
        const IlgiliIslemHedefi h = IlgiliIslemBul(s, QStringLiteral("120.001"), c.satis);
        EXPECT_EQ(h.tur, c.hedefTur);
        EXPECT_EQ(h.hedef, QString::fromUtf8(c.hedef));
        EXPECT_EQ(h.kilit, QString::fromUtf8(c.kilit));
        // Openers this installation lacks leave the command disabled.
        EXPECT_EQ(IlgiliIslemAcilabilir(h), c.hedefTur == IlgiliIslemHedefi::CariFis);
    }
}

TEST_F(CariEkstreDb, FormFiltersAndAClearedFilterShowsAllAgain)
{
    ornek();
    TFormCariHrk f(ctx, QStringLiteral("120.001"));
    EXPECT_EQ(f.gosterilen().size(), 5);
    f.EditBasTrh->setText(QStringLiteral("01.01.2026"));
    f.EditSonTrh->setText(QStringLiteral("31.01.2026"));
    f.RGOdeme->setCurrentIndex(2); // "Ödenmemişler"
    f.BtnFiltrele->click();
    EXPECT_EQ(f.gosterilen().size(), 2);
    EXPECT_EQ(f.DispFlt, QStringLiteral("Tarih :01.01.2026 - 31.01.2026 Vade : -  Ödenmemişler"));
    for (QLineEdit* e : {f.EditBasTrh, f.EditSonTrh})
        e->clear();
    f.RGOdeme->setCurrentIndex(0);
    f.BtnFiltrele->click();
    EXPECT_EQ(f.gosterilen().size(), 5);
    EXPECT_TRUE(f.DispFlt.isEmpty());

    f.EditBasTrh->setText(QStringLiteral("31.02.2026"));
    f.BtnFiltrele->click();
    EXPECT_EQ(messages.texts().last(), QStringLiteral("Geçerli bir tarih giriniz."));
}

TEST_F(CariEkstreDb, StatementOpensInItsReaders)
{
    ornek();
    const EkstreVerisi v = EkstreVerisiOku(db, QStringLiteral("120.001"), QStringLiteral("Çağrı Öztürk İnşaat"), {}, {});
    const report::Document d = EkstreBelgesi(v, {});
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("ekstre.pdf"));
    report::ExportDocument(d, report::ReportFormat::Pdf, pdf);
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Cari Hesap Ekstresi")));
    EXPECT_TRUE(text.contains(QStringLiteral("Çağrı Öztürk İnşaat")));
    EXPECT_TRUE(text.contains(QStringLiteral("1.250,50 (B)")));

    const QString xlsx = dir.filePath(QStringLiteral("ekstre.xlsx"));
    report::ExportDocument(EkstreBelgesi(v, {false, false, false, false, false}), report::ReportFormat::Xlsx, xlsx);
    const QString strings = QString::fromUtf8(test::ZipEntry(xlsx, QStringLiteral("xl/sharedStrings.xml")));
    EXPECT_TRUE(strings.contains(QStringLiteral("Alck. Dvz")));
    EXPECT_TRUE(strings.contains(QStringLiteral("Hareket 4")));
}
