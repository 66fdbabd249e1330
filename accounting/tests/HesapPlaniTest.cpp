#include "MuhFixture.h"

#include "accounting/chart/GGAtama.h"
#include "accounting/AccountingEntry.h"
#include "accounting/ledger/MuhFisBr.h"
#include "accounts/vouchers/BrCarHrk.h"
#include "mainwindow/Targets.h"
#include "accounting/chart/HesapAylik.h"
#include "accounting/chart/HesapPlani.h"
#include "accounting/chart/HesapSec.h"
#include "accounting/chart/MasMer.h"
#include "accounting/params/ParaMuh.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

using namespace tornaly;
using namespace tornaly::accounting;
using tornaly::accounting::test::MuhTest;

namespace {

class HesapPlaniTest : public MuhTest {
protected:
    void SetUp() override
    {
        MuhTest::SetUp();
        db.exec(QStringLiteral("INSERT INTO PARAMETRE (MUAVIN_HANE, TALI_HANE, DETAY_HANE, SEVIYE, ALFADURUM, AYRAC) "
                               "VALUES (2, 3, 3, 'T', 'S', '.')"));
        p = HesapParametreleriOku(db);
    }
    HesapKaydi kart(int kebir, const char* m, const char* t, const char* d, const char* ad = "Yeni Hesap")
    {
        HesapKaydi h;
        h.KEBIR = kebir;
        h.MUAVIN = QLatin1String(m);
        h.TALI = QLatin1String(t);
        h.DETAY = QLatin1String(d);
        h.HESAP_ADI = QString::fromUtf8(ad);
        return h;
    }
    HesapParametreleri p;
};

TEST_F(HesapPlaniTest, NewAccountCodesFromTheirParts)
{
    struct Case { int kebir; const char* m; const char* t; const char* d; const char* kod; const char* hata; };
    const QList<Case> cases = {
        {120, "5", "", "", "120.05", nullptr},            // padded to its digit count
        {120, "05", "7", "", "120.05.007", nullptr},      // its parent was just made
        {120, "05", "7", "12", "120.05.007.012", nullptr},
        {120, "09", "1", "", nullptr, "Lütfen önce üst hesap kodunu tanımlayın"}, // 120.09 missing
        {120, "", "1", "", nullptr, "Lütfen önce üst hesap kodunu tanımlayın"},   // skips a level
        {121, "01", "", "", nullptr, "Lütfen önce üst hesap kodunu tanımlayın"},  // no main account 121
        {0, "", "", "", "", nullptr},                                            // nothing, no message
        {125, "", "", "", "125", nullptr},
    };
    for (const Case& c : cases) {
        HesapKaydi h = kart(c.kebir, c.m, c.t, c.d);
        try {
            if (c.kebir == 0) {
                EXPECT_TRUE(HesapKoduOlustur(db, p, h).isEmpty());
                continue;
            }
            const QString kod = HesapKaydet(db, p, h, true);
            EXPECT_EQ(kod, QLatin1String(c.kod)) << c.kebir << c.m << c.t;
            EXPECT_FALSE(c.hata) << c.kebir << c.m << c.t;
        } catch (const HesapHatasi& e) {
            ASSERT_TRUE(c.hata) << e.text().toStdString();
            EXPECT_EQ(e.text(), QString::fromUtf8(c.hata));
        }
    }
    const auto h = HesapOku(db, QStringLiteral("120.05"));
    ASSERT_TRUE(h);
    EXPECT_EQ(h->MUAVIN, QStringLiteral("05"));
    EXPECT_EQ(deger(QStringLiteral("SELECT HSINIF FROM HSPLAN WHERE HKOD='120.05'")), 1);
    EXPECT_EQ(deger(QStringLiteral("SELECT HGRUBU FROM HSPLAN WHERE HKOD='120.05'")), 12);
    EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM HSPLAN WHERE HKOD LIKE '120.09%'")), 0);

    EXPECT_THROW(HesapKaydet(db, p, kart(120, "5", "", ""), true), HesapHatasi); // duplicate
    try {
        HesapKaydet(db, p, kart(120, "5", "", ""), true);
    } catch (const HesapHatasi& e) {
        EXPECT_EQ(e.text(), AyniKodluKayitText());
    }
    try {
        HesapKaydet(db, p, kart(120, "6", "", "", ""), true);
        FAIL();
    } catch (const HesapHatasi& e) {
        EXPECT_EQ(e.text(), HesapAdiKebirYokText());
    }
}

TEST_F(HesapPlaniTest, LevelHelpers)
{
    EXPECT_EQ(BilancoTipi(1), QStringLiteral("A"));
    EXPECT_EQ(BilancoTipi(299), QStringLiteral("A"));
    EXPECT_EQ(BilancoTipi(300), QStringLiteral("P"));
    EXPECT_EQ(BilancoTipi(599), QStringLiteral("P"));
    EXPECT_FALSE(BilancoTipi(600));
    EXPECT_TRUE(HesapParcaKarakteri(QLatin1Char('7'), QStringLiteral("S")));
    EXPECT_FALSE(HesapParcaKarakteri(QLatin1Char('B'), QStringLiteral("S")));
    EXPECT_FALSE(HesapParcaKarakteri(QLatin1Char('B'), QString()));
    EXPECT_TRUE(HesapParcaKarakteri(QLatin1Char('B'), QStringLiteral("A")));
    EXPECT_FALSE(HesapParcaKarakteri(QLatin1Char('-'), QStringLiteral("A")));
    EXPECT_EQ(HesapParcasiniDoldur(QStringLiteral("7"), 3), QStringLiteral("007"));
    EXPECT_EQ(HesapParcasiniDoldur(QString(), 3), QString());
}

TEST_F(HesapPlaniTest, PickerLevelsSearchAndBalanceStrip)
{
    HesapKaydet(db, p, kart(120, "01", "1", ""), true);
    HesapKaydet(db, p, kart(120, "01", "2", "", "İzmir Şubesi"), true);
    // SEVIYE T: posting level is the third one.
    QStringList kodlar;
    for (const auto& h : HesapListesi(db, p, 1, QStringLiteral("120"), {}, false))
        kodlar << h.HKOD;
    EXPECT_EQ(kodlar, (QStringList{QStringLiteral("120.01.001"), QStringLiteral("120.01.002")}));
    EXPECT_EQ(HesapListesi(db, p, 99, QStringLiteral("120"), {}, false).size(), 4);
    const auto adla = HesapListesi(db, p, 99, {}, QStringLiteral("izmir"), false);
    ASSERT_EQ(adla.size(), 1);
    EXPECT_EQ(adla.first().HKOD, QStringLiteral("120.01.002"));
    EXPECT_TRUE(HesapListesi(db, p, 99, {}, QStringLiteral("%"), false).isEmpty()); // typed wildcards are text

    cariFis(1, QStringLiteral("D"), {{"C001", 1500, 0, ""}, {"C002", 0, 1500, ""}});
    cariFis(2, QStringLiteral("D"), {{"C002", 200, 0, ""}, {"C001", 0, 200, ""}});
    ASSERT_EQ(post(QLatin1Char('C'), 1).sonuc, MuhasebeSonucu::Yazildi);
    ASSERT_EQ(post(QLatin1Char('C'), 2).sonuc, MuhasebeSonucu::Yazildi);
    const HesapBakiyesi ana = HesapBakiyesiOku(db, QStringLiteral("120"));
    EXPECT_EQ(ana.borc, 1700);
    EXPECT_EQ(ana.alacak, 1700);
    EXPECT_EQ(ana.bakiyeMetni, QStringLiteral("-"));
    EXPECT_EQ(HesapBakiyesiOku(db, QStringLiteral("120.01")).bakiyeMetni, QStringLiteral("1.300 (Borç)"));
    EXPECT_EQ(HesapBakiyesiOku(db, QStringLiteral("120.02")).bakiyeMetni, QStringLiteral("1.300 (Alacak)"));

    // A used account is not deleted.
    EXPECT_TRUE(HesapKullaniliyor(db, QStringLiteral("120.01")));
    EXPECT_FALSE(HesapKullaniliyor(db, QStringLiteral("120.01.001")));
}

// The balance of a code sums every line whose code starts with it, and only
// those: codes that are prefixes of other codes, codes past them in every
// letter order, and Turkish letters.
TEST_F(HesapPlaniTest, BalanceOfACodeSumsExactlyTheLinesStartingWithIt)
{
    const QStringList kodlar{QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("100"),
                             QStringLiteral("100.01"), QStringLiteral("1000"), QStringLiteral("101"),
                             QStringLiteral("11"), QStringLiteral("1/"), QStringLiteral("2"),
                             QStringLiteral("120.Ş"), QStringLiteral("120.Şİ"), QStringLiteral("120.T"),
                             QStringLiteral("120.ı"), QStringLiteral("9\U0010FFFF"), QStringLiteral("9\U0010FFFFA"),
                             QStringLiteral("A"), QStringLiteral("a")};
    {
        Transaction tx(db);
        Query q(db, QStringLiteral("INSERT INTO FISAYR (FISNO, FA_ID, HSPKODU, BORC, ALACAK, AY) "
                                   "VALUES (1, :ID, :K, :B, :A, 1)"));
        for (int i = 0; i < kodlar.size(); ++i)
            q.bind(QStringLiteral("ID"), i + 1).bind(QStringLiteral("K"), kodlar.at(i))
                .bind(QStringLiteral("B"), double(1 << i)).bind(QStringLiteral("A"), double(i)).exec();
        tx.commit();
    }
    const QStringList sorulanlar{QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("100"),
                                 QStringLiteral("100.0"), QStringLiteral("1000"), QStringLiteral("12"),
                                 QStringLiteral("120.Ş"), QStringLiteral("120."), QStringLiteral("9\U0010FFFF"),
                                 QStringLiteral("a"), QStringLiteral("3"), QString()};
    for (const QString& kod : sorulanlar) {
        double borc = 0, alacak = 0;
        for (int i = 0; i < kodlar.size(); ++i) {
            if (kodlar.at(i).startsWith(kod)) {
                borc += double(1 << i);
                alacak += double(i);
            }
        }
        const HesapBakiyesi b = HesapBakiyesiOku(db, kod);
        EXPECT_EQ(b.borc, borc) << kod.toStdString();
        EXPECT_EQ(b.alacak, alacak) << kod.toStdString();
    }
}

TEST_F(HesapPlaniTest, MonthlyPageShowsTheExcessOfEachMonth)
{
    cariFis(1, QStringLiteral("D"), {{"C001", 100, 0, ""}, {"C002", 0, 100, ""}}, QDate(2026, 3, 5));
    cariFis(2, QStringLiteral("D"), {{"C002", 150, 0, ""}, {"C001", 0, 150, ""}}, QDate(2026, 3, 9));
    ASSERT_EQ(post(QLatin1Char('C'), 1).sonuc, MuhasebeSonucu::Yazildi);
    ASSERT_EQ(post(QLatin1Char('C'), 2).sonuc, MuhasebeSonucu::Yazildi);
    TFormHesapAylik f(ctx, QStringLiteral("120.01"));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("120.01 Kodlu Hesabın Aylık Dağılımı"));
    auto cell = [&](int r, int c) { return f.GridYerel->item(r, c)->text(); };
    EXPECT_EQ(cell(2, 0), QStringLiteral("MART"));
    EXPECT_EQ(cell(2, 1), QStringLiteral("100"));
    EXPECT_EQ(cell(2, 2), QStringLiteral("150"));
    EXPECT_EQ(cell(2, 3), QStringLiteral("0"));
    EXPECT_EQ(cell(2, 4), QStringLiteral("50"));
    EXPECT_EQ(cell(12, 0), QStringLiteral("TOPLAM"));
    EXPECT_EQ(cell(12, 4), QStringLiteral("50"));
}

TEST_F(HesapPlaniTest, PickerFormListsOnEnterAndChooses)
{
    HesapKaydet(db, p, kart(120, "01", "1", "", "Ankara"), true);
    TFormHesapSec f(ctx, 1);
    f.show();
    EXPECT_EQ(f.cxGrid->model()->rowCount(), 0);
    f.EditKod->setText(QStringLiteral("120"));
    QTest::keyClick(f.EditKod, Qt::Key_Return);
    ASSERT_EQ(f.cxGrid->model()->rowCount(), 1);
    EXPECT_EQ(f.LabelSonKod->text(), QStringLiteral("120.01.001"));
    f.BtnSec->click();
    EXPECT_EQ(f.secilenKod, QStringLiteral("120.01.001"));
    EXPECT_EQ(f.secilenSeviye, QLatin1Char('T'));
}

TEST_F(HesapPlaniTest, LinkParametersWindow)
{
    db.exec(QStringLiteral("DELETE FROM PARAFAT"));
    db.exec(QStringLiteral("UPDATE PARAMUH SET C_MUH_KAY='S'"));
    {
        TFormParaMuh f(ctx);
        QStringList cevaplar = {QStringLiteral("102.01"), QString()};
        f.hesapSecici = [&] { return cevaplar.isEmpty() ? QString() : cevaplar.takeFirst(); };
        f.findChild<QToolButton*>(QStringLiteral("SpeedBMUH_CHES"))->click();
        f.findChild<QToolButton*>(QStringLiteral("SpeedBMUH_CHES"))->click(); // nothing picked: kept
        EXPECT_EQ(f.findChild<QLineEdit*>(QStringLiteral("DBEditMUH_CHES"))->text(), QStringLiteral("102.01"));
        f.BitBtn2->click();
    }
    EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM PARAFAT")), 0); // Vazgeç wrote nothing
    {
        TFormParaMuh f(ctx);
        f.hesapSecici = [] { return QStringLiteral("391.02"); };
        f.findChild<QToolButton*>(QStringLiteral("SpeedBMUH_KDVTEV_S"))->click();
        auto* rg = f.findChild<QWidget*>(QStringLiteral("RGFMUH_KAY"));
        ASSERT_TRUE(rg);
        const auto radios = rg->findChildren<QAbstractButton*>();
        ASSERT_EQ(radios.size(), 3);
        radios.at(0)->click(); // Evet
        f.BitBtn1->click();
    }
    EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM PARAFAT")), 1);
    Query q(db, QStringLiteral("SELECT MUH_KDVTEV_S, MUH_KAY FROM PARAFAT"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.str(QStringLiteral("MUH_KDVTEV_S")), QStringLiteral("391.02"));
    EXPECT_EQ(q.str(QStringLiteral("MUH_KAY")), QStringLiteral("E"));
    q.finish();
    EXPECT_EQ(MuhasebeAnahtari(db, QLatin1Char('B')), MuhasebeAktarimi::Aktar);
    EXPECT_EQ(MuhasebeAnahtari(db, QLatin1Char('C')), MuhasebeAktarimi::Sor); // untouched switch kept
}

TEST(MasMerTypeAheadTest, AnUnmatchedCharacterIsDroppedAgain)
{
    const QStringList kodlar = {QStringLiteral("10"), QStringLiteral("77"), QStringLiteral("770"), QStringLiteral("80")};
    MasMerArama a;
    for (const char c : {'7', '7', 'X'})
        a = MasMerTypeAhead(kodlar, a.metin, QLatin1Char(c));
    EXPECT_EQ(a.metin, QStringLiteral("77"));
    EXPECT_EQ(a.satir, 1);
    a = MasMerTypeAhead(kodlar, a.metin, QLatin1Char('0'));
    EXPECT_EQ(a.metin, QStringLiteral("770"));
    EXPECT_EQ(a.satir, 2);
    EXPECT_EQ(MasMerTypeAhead(kodlar, QString(36, QLatin1Char('1')), QLatin1Char('8')).metin, QStringLiteral("8"));
}

TEST_F(HesapPlaniTest, CostCentres)
{
    try {
        MasrafMerkeziKaydet(db, {QString(), QStringLiteral("Boş")}, true);
        FAIL();
    } catch (const MasMerHatasi& e) {
        EXPECT_EQ(e.text(), MasMerKodYokText());
    }
    MasrafMerkeziKaydet(db, {QStringLiteral("SERVIS"), QStringLiteral("Servis")}, true);
    MasrafMerkeziKaydet(db, {QStringLiteral("BOS"), QStringLiteral("Kullanılmayan")}, true);
    EXPECT_THROW(MasrafMerkeziKaydet(db, {QStringLiteral("SERVIS"), QStringLiteral("x")}, true), MasMerHatasi);
    cariFis(1, QStringLiteral("D"), {{"C001", 10, 0, ""}, {"C002", 0, 10, ""}});
    const auto r = post(QLatin1Char('C'), 1);
    db.exec(QStringLiteral("UPDATE FISAYR SET MASRAFM_KOD='SERVIS' WHERE FISNO=:F"), {{QStringLiteral("F"), r.fisNo}});
    try {
        MasrafMerkeziSil(db, QStringLiteral("SERVIS"));
        FAIL();
    } catch (const MasMerHatasi& e) {
        EXPECT_EQ(e.text(), MasMerKullanimdaText());
    }
    MasrafMerkeziSil(db, QStringLiteral("BOS"));
    EXPECT_EQ(MasrafMerkezleri(db).size(), 1);

    // Monthly page: debit 500 against credit 200 leaves 300 on the debit side.
    db.exec(QStringLiteral("UPDATE FISAYR SET AY=6, BORC=CASE WHEN BORC>0 THEN 500 ELSE 0 END, "
                           "ALACAK=CASE WHEN ALACAK>0 THEN 200 ELSE 0 END WHERE FISNO=:F"),
            {{QStringLiteral("F"), r.fisNo}});
    const auto aylar = MasrafMerkeziAylik(db, QStringLiteral("SERVIS"));
    ASSERT_EQ(aylar.size(), 13);
    EXPECT_EQ(aylar.at(5), (QStringList{QStringLiteral("HAZİRAN"), QStringLiteral("500"), QStringLiteral("200"),
                                        QStringLiteral("300 (Borç)")}));
    EXPECT_EQ(aylar.at(0).at(3), QStringLiteral("-"));
    EXPECT_EQ(aylar.at(12).at(3), QStringLiteral("300 (Borç)"));
}

} // namespace

namespace {

// Income and expense accounts: only a detail type takes accounts, an account
// is listed once per type, and "&Sil" asks first.
TEST_F(HesapPlaniTest, IncomeExpenseTypesKeepTheirAccountsOnce)
{
    ctx.Database1 = db;
    db.exec(QStringLiteral("INSERT INTO GGHESAP (GGKOD, GGTUR, GGSEVIYE, GGACIKLAMA) VALUES "
                           "('G1', 'G', 'A', 'GELİRLER'), ('G1.01', 'G', 'D', 'Parça')"));
    EXPECT_TRUE(accounting::GelirGiderHesabiEkle(db, QStringLiteral("G1.01"), QStringLiteral("600.001"), u'M'));
    EXPECT_FALSE(accounting::GelirGiderHesabiEkle(db, QStringLiteral("G1.01"), QStringLiteral("600.001"), u'M'));
    EXPECT_TRUE(accounting::GelirGiderHesabiEkle(db, QStringLiteral("G1.01"), QStringLiteral("600.002"), u'D'));
    EXPECT_EQ(accounting::GelirGiderHesaplari(db, QStringLiteral("G1.01")),
              (QStringList{QStringLiteral("600.001"), QStringLiteral("600.002")}));

    accounting::TFormGGAtama f(ctx);
    ASSERT_EQ(f.GridTurler->rowCount(), 2);
    f.GridTurler->setCurrentCell(0, 0);
    EXPECT_FALSE(f.BtnEkle->isEnabled()) << "a group type takes no accounts";
    EXPECT_FALSE(f.BtnSil->isEnabled());
    f.GridTurler->setCurrentCell(1, 0);
    ASSERT_TRUE(f.BtnSil->isEnabled());
    ASSERT_EQ(f.GridHesaplar->rowCount(), 2);
    f.GridHesaplar->setCurrentCell(0, 0);
    for (const MsgButton cevap : {MsgNo, MsgYes}) {
        messages.clear();
        messages.answer(cevap);
        f.BtnSil->click();
        EXPECT_EQ(messages.texts(),
                  QStringList{QStringLiteral("Muhasebe Hesap Kodunu Silmek İstediğinizden Emin misiniz?")});
    }
    EXPECT_EQ(accounting::GelirGiderHesaplari(db, QStringLiteral("G1.01")), QStringList{QStringLiteral("600.002")});
    EXPECT_EQ(f.GridHesaplar->rowCount(), 1);
}

} // namespace

namespace {

// "Muhasebe" on the current-account voucher list opens the voucher list on
// the head's own voucher, in another year than the working one too.
TEST_F(HesapPlaniTest, VoucherListsMuhasebeOpensTheHeadsVoucher)
{
    Targets().clear();
    accounting::RegisterEntryPoints();
    ctx.Database1 = db;
    ctx.AktifKullanici.diger10 = QStringLiteral("Y");
    for (const auto& [no, gun] : {std::pair{11.0, QDate(2024, 2, 1)}, std::pair{12.0, QDate(2024, 6, 5)}})
        db.exec(QStringLiteral("INSERT INTO FIS (FISNO, TARIH, TUR, BORC, ALACAK) VALUES (:N, :T, 'M', 5, 5)"),
                {{QStringLiteral("N"), no}, {QStringLiteral("T"), QDateTime(gun, QTime(0, 0))}});
    db.exec(QStringLiteral("INSERT INTO CARIHRKM (CARI_NO, TARIH, TIP, BORC, ALACAK, FIS_NO) VALUES "
                           "(7, :T, 'D', 5, 5, 12)"),
            {{QStringLiteral("T"), QDateTime(QDate(2024, 6, 5), QTime(0, 0))}});
    accounts::TFormCariHrkBr br(ctx, 0, QString(), QString(), nullptr);
    ASSERT_TRUE(br.BtnMuhasebe->isEnabled());
    br.BtnMuhasebe->click();
    TFormMuhFisBr* acilan = br.findChild<TFormMuhFisBr*>();
    ASSERT_TRUE(acilan) << messages.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(acilan->seciliFisNo(), 12.0);
    acilan->close();
    Targets().clear();
}

} // namespace
