#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "maintenance/Bakim.h"
#include "maintenance/OnarimFormlari.h"
#include "maintenance/VeriOnarim.h"
#include "maintenance/ekj.h"
#include "messages/Messages.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

using namespace tornaly;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

// A small company with the stock and document tables the repairs read: some
// rows lost their document, some quantities disagree with their movements.
class RepairTest : public test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        for (const char* sql : {
                 "CREATE TABLE STOK (STOK_NO DOUBLE PRECISION PRIMARY KEY, STOK_KOD_NO VARCHAR(25), "
                 "STOK_ADI_TR VARCHAR(45), SAT_FYT_TL DOUBLE PRECISION, MALIYET_FYT_TL DOUBLE PRECISION, "
                 "PAY VARCHAR(1), YENI_KOD VARCHAR(25), YENI_KOD_SON VARCHAR(25))",
                 "CREATE TABLE DEPO (DEPO_KODU VARCHAR(11), DEPO_ADI VARCHAR(30))",
                 "CREATE TABLE DEPOHRK (SATISNO DOUBLE PRECISION, ISEMRINO VARCHAR(7), TIP VARCHAR(1), "
                 "STOK_NO DOUBLE PRECISION, DEPO_KODU VARCHAR(11), GIRMIK DOUBLE PRECISION DEFAULT 0, "
                 "CIKMIK DOUBLE PRECISION DEFAULT 0, FIYAT DOUBLE PRECISION, CARIKOD VARCHAR(15))",
                 "CREATE TABLE STOKMIK (STOK_NO DOUBLE PRECISION, DEPO_KOD VARCHAR(11), MIKTAR DOUBLE PRECISION, "
                 "PRIMARY KEY (STOK_NO, DEPO_KOD))",
                 "CREATE TABLE SATIS (SATIS_NO DOUBLE PRECISION PRIMARY KEY, TIP VARCHAR(1), CARIKOD VARCHAR(15))",
                 "CREATE TABLE SATISAYR (SATIS_NO DOUBLE PRECISION, SIRA INTEGER)",
                 "CREATE TABLE ALIS (ALIS_NO DOUBLE PRECISION PRIMARY KEY, TIP VARCHAR(1), CARIKOD VARCHAR(15))",
                 "CREATE TABLE ALISAYR (ALIS_NO DOUBLE PRECISION, STOK_NO DOUBLE PRECISION, MIKTAR DOUBLE PRECISION, "
                 "GER_TUT DOUBLE PRECISION)",
                 "CREATE TABLE CARI (CARI_KOD VARCHAR(15) PRIMARY KEY, FIRMA_ADI VARCHAR(45), AKTARILDI SMALLINT)",
                 "CREATE TABLE CARIHRK (CARI_KOD VARCHAR(15), TUTAR DOUBLE PRECISION)",
                 "CREATE TABLE NEWSTOK (YENINO DOUBLE PRECISION)",
                 "CREATE TABLE NEWALIS (YENINO DOUBLE PRECISION)",
                 "CREATE TABLE NEWSATIS (YENINO DOUBLE PRECISION, SABITHARF VARCHAR(3), FATNO DOUBLE PRECISION)",
             })
            db.exec(S(sql));
        const char* satirlar[] = {
            "INSERT INTO STOK VALUES (1, 'A-1', 'Filtre', 100, 0, NULL, NULL, NULL)",
            "INSERT INTO STOK VALUES (2, 'B-2', 'Balata', 200, 0, '', 'B-3', NULL)",
            "INSERT INTO STOK VALUES (3, 'B-3', 'Balata Yeni', 210, 0, 'P', 'B-4', NULL)",
            "INSERT INTO STOK VALUES (4, 'B-4', 'Balata En Yeni', 220, 0, 'P', 'B-3', NULL)",
            "INSERT INTO DEPO VALUES ('1', 'Ana Depo')",
            "INSERT INTO SATIS VALUES (10, 'İ', 'C1')",
            "INSERT INTO SATIS VALUES (11, 'S', 'C1')",
            "INSERT INTO SATISAYR VALUES (10, 1)",
            "INSERT INTO SATISAYR VALUES (99, 1)",
            "INSERT INTO ALIS VALUES (20, 'F', 'C1')",
            "INSERT INTO ALISAYR VALUES (20, 1, 10, 800)",
            "INSERT INTO ALISAYR VALUES (77, 1, 5, 500)",
            // Opening stock of item 1: 10 at 50; a kept sale; a sale of the wrong kind; an orphan sale.
            "INSERT INTO DEPOHRK (SATISNO, TIP, STOK_NO, DEPO_KODU, GIRMIK, CIKMIK, FIYAT) VALUES (0, 'D', 1, '1', 10, 0, 50)",
            "INSERT INTO DEPOHRK (SATISNO, TIP, STOK_NO, DEPO_KODU, GIRMIK, CIKMIK, FIYAT) VALUES (10, 'S', 1, '1', 0, 2, 100)",
            "INSERT INTO DEPOHRK (SATISNO, TIP, STOK_NO, DEPO_KODU, GIRMIK, CIKMIK, FIYAT) VALUES (11, 'S', 1, '1', 0, 1, 100)",
            "INSERT INTO DEPOHRK (SATISNO, TIP, STOK_NO, DEPO_KODU, GIRMIK, CIKMIK, FIYAT) VALUES (99, 'S', 2, '1', 0, 3, 200)",
            "INSERT INTO DEPOHRK (SATISNO, TIP, STOK_NO, DEPO_KODU, GIRMIK, CIKMIK, FIYAT) VALUES (20, 'A', 3, '1', 4, 0, 150)",
            "INSERT INTO STOKMIK VALUES (1, '1', 7)",
            "INSERT INTO STOKMIK VALUES (2, '1', 0)",
            "INSERT INTO CARI VALUES ('C1', 'Birinci Cari', 1)",
            "INSERT INTO CARI VALUES ('C2', 'İkinci Cari', 1)",
            "INSERT INTO CARIHRK VALUES ('C1', 10)",
            "INSERT INTO CARIHRK VALUES ('C1', 20)",
            "INSERT INTO CARIHRK VALUES ('C2', 30)",
            "INSERT INTO NEWSTOK VALUES (3)",
            "INSERT INTO NEWSATIS VALUES (5, 'A', 5)",
            "INSERT INTO NEWSATIS VALUES (6, 'B', 9)",
        };
        for (const char* sql : satirlar)
            db.exec(S(sql));
    }

    qint64 say(const char* sql)
    {
        Query q(db, S(sql));
        q.exec();
        return q.next() ? q.integer(S("N")) : -1;
    }
    double sayi(const char* sql)
    {
        Query q(db, S(sql));
        q.exec();
        return q.next() ? q.num(S("N")) : -1;
    }
};

TEST_F(RepairTest, OrphanCleanupDeletesOnlyOrphansAndRecounts)
{
    const auto uyusmayan = StokMiktariUyusmayanlar(db, S("1"));
    // Item 1 kept 7, movements 10-2-1 = 7: fine. Item 2: -3 against 0. Item 3: 4 without a kept row.
    ASSERT_EQ(uyusmayan.size(), 2);
    EXPECT_EQ(uyusmayan.at(0).STOK_KOD_NO, S("B-2"));
    EXPECT_DOUBLE_EQ(uyusmayan.at(0).HRKMIK, -3);
    EXPECT_EQ(uyusmayan.at(1).STOK_KOD_NO, S("B-3")) << "movements without a kept quantity are listed too";
    EXPECT_DOUBLE_EQ(uyusmayan.at(1).MIKTAR, 0);

    const TOnarimSonucu s = BelgeHareketleriniDuzenle(db);
    EXPECT_EQ(say("SELECT COUNT(*) AS N FROM SATISAYR"), 1);
    EXPECT_EQ(say("SELECT COUNT(*) AS N FROM ALISAYR"), 1);
    EXPECT_EQ(say("SELECT COUNT(*) AS N FROM DEPOHRK WHERE TIP='S'"), 1) << "wrong kind and orphan sale go";
    EXPECT_EQ(say("SELECT COUNT(*) AS N FROM DEPOHRK WHERE TIP IN ('A','D')"), 1)
        << "a purchase of kind F is not among İ R L E; the opening row has no slip table here and stays";
    EXPECT_DOUBLE_EQ(sayi("SELECT MIKTAR AS N FROM STOKMIK WHERE STOK_NO=1"), 8);
    EXPECT_DOUBLE_EQ(sayi("SELECT MIKTAR AS N FROM STOKMIK WHERE STOK_NO=2"), 0);
    EXPECT_TRUE(StokMiktariUyusmayanlar(db, S("1")).isEmpty());
    EXPECT_FALSE(s.atlanan.isEmpty()) << "work-order and slip tables are not in this database";
    EXPECT_TRUE(s.ozet().contains(S("SERFAT")));

    // On consistent data nothing more goes, and the recount still runs.
    const TOnarimSonucu ikinci = BelgeHareketleriniDuzenle(db);
    int silinen = 0;
    for (const auto& a : ikinci.adimlar)
        if (!a.first.startsWith(S("Stok miktarları")))
            silinen += a.second;
    EXPECT_EQ(silinen, 0);
}

TEST_F(RepairTest, RepairOnADatabaseAnotherWorkstationIsPostingToWritesNothing)
{
    Db diger = database->open(S("diger_istasyon"));
    Transaction tr(diger);
    diger.exec(S("UPDATE DEPOHRK SET CIKMIK=CIKMIK WHERE SATISNO=99"));
    try {
        BelgeHareketleriniDuzenle(db);
        FAIL() << "the held rows should stop the repair";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.isBusy()) << e.text().toStdString();
        EXPECT_TRUE(OnarimHataMetni(e).contains(S("hiçbir kayıt değişmedi")));
    }
    tr.rollback();
    EXPECT_EQ(say("SELECT COUNT(*) AS N FROM SATISAYR"), 2) << "nothing half-written";
    EXPECT_EQ(say("SELECT COUNT(*) AS N FROM DEPOHRK"), 5);

    // Through the window: one Turkish message, the data as it was.
    Transaction tr2(diger);
    diger.exec(S("UPDATE DEPOHRK SET CIKMIK=CIKMIK WHERE SATISNO=99"));
    TFormStokMiktarGuncelle f(ctx);
    messages.answer(MsgYes);
    f.BtnDuzenle->click();
    EXPECT_TRUE(messages.lastText().startsWith(S("Veri tabanı şu anda başka bir bilgisayarda")))
        << messages.lastText().toStdString();
    tr2.rollback();
    EXPECT_EQ(say("SELECT COUNT(*) AS N FROM SATISAYR"), 2);
}

TEST_F(RepairTest, AccountCodeRenameIsAllOrNothing)
{
    EXPECT_EQ(CariKodDegistir(db, S("C1"), S("C2")).hata,
              S("Yeni Verilen Kod Kullanımda, Lütfen Kullanılmayan Bir kod Veriniz!"));
    EXPECT_EQ(CariKodDegistir(db, S("YOK"), S("C9")).hata, S("Değiştirilmek İstenen Cari kod Bulunamadı!"));
    EXPECT_EQ(CariKodDegistir(db, S(""), S("C9")).hata, S("Cari kodlar Boş Olamaz!"));
    EXPECT_EQ(say("SELECT COUNT(*) AS N FROM CARIHRK WHERE CARI_KOD='C1'"), 2) << "refusals change nothing";

    const TCariKodDegisimi d = CariKodDegistir(db, S("C1"), S("C9"));
    ASSERT_TRUE(d.hata.isEmpty());
    EXPECT_EQ(say("SELECT COUNT(*) AS N FROM CARIHRK WHERE CARI_KOD='C9'"), 2);
    EXPECT_EQ(say("SELECT COUNT(*) AS N FROM SATIS WHERE CARIKOD='C9'"), 2);
    EXPECT_EQ(say("SELECT COUNT(*) AS N FROM ALIS WHERE CARIKOD='C9'"), 1);
    EXPECT_EQ(say("SELECT AKTARILDI AS N FROM CARI WHERE CARI_KOD='C9'"), 0) << "sent to accounting again";
    EXPECT_EQ(say("SELECT COUNT(*) AS N FROM CARIHRK WHERE CARI_KOD='C2'"), 1);
    EXPECT_TRUE(d.sonuc.ozet().contains(S("ISEMRI.CARI_KOD")));

    // A failing column rolls back the columns renamed before it.
    db.exec(S("CREATE TABLE SERFAT (MUSTERI_KOD VARCHAR(3), CARI_KOD VARCHAR(15))"));
    db.exec(S("INSERT INTO SERFAT VALUES ('C9', 'C9')"));
    try {
        CariKodDegistir(db, S("C9"), S("UZUN-BIR-KOD-123"));
        if (db.backend() == Backend::PostgreSQL)
            FAIL() << "the short column should refuse the long code";
    } catch (const DbError&) {
        EXPECT_EQ(say("SELECT COUNT(*) AS N FROM CARIHRK WHERE CARI_KOD='C9'"), 2);
        EXPECT_EQ(say("SELECT COUNT(*) AS N FROM CARI WHERE CARI_KOD='C9'"), 1);
    }
}

TEST_F(RepairTest, RenameWindowAsksThenRenames)
{
    TFormCarKDegis f(ctx);
    f.EditESKI->setText(S("C1"));
    f.EditESKIEnter();
    EXPECT_EQ(f.LblEskiAd->text(), S("C1 - Birinci Cari"));
    f.EditYENI->setText(S("C2"));
    f.BtnDegistir->click();
    EXPECT_EQ(messages.lastText(), S("Yeni Verilen Kod Kullanımda, Lütfen Kullanılmayan Bir kod Veriniz!"));
    f.EditYENI->setText(S("C7"));
    messages.answer(MsgNo);
    f.BtnDegistir->click();
    EXPECT_EQ(messages.lastText(), S("C1 kodu C7 ile değiştirilecektir. Onaylıyormusunuz?"));
    EXPECT_EQ(say("SELECT COUNT(*) AS N FROM CARI WHERE CARI_KOD='C7'"), 0);
    messages.answer(MsgYes);
    f.BtnDegistir->click();
    EXPECT_EQ(say("SELECT COUNT(*) AS N FROM CARIHRK WHERE CARI_KOD='C7'"), 2);
}

TEST_F(RepairTest, CounterRepairAndCostTools)
{
    const TOnarimSonucu s = BelgeReferansNolariGuncelle(db);
    EXPECT_DOUBLE_EQ(sayi("SELECT YENINO AS N FROM NEWSTOK"), 5);
    EXPECT_DOUBLE_EQ(sayi("SELECT YENINO AS N FROM NEWALIS"), 21) << "a counter without a row gets one";
    EXPECT_EQ(say("SELECT COUNT(*) AS N FROM NEWSATIS"), 1);
    EXPECT_DOUBLE_EQ(sayi("SELECT YENINO AS N FROM NEWSATIS"), 12);
    EXPECT_DOUBLE_EQ(sayi("SELECT FATNO AS N FROM NEWSATIS"), 9) << "series columns keep their highest value";
    EXPECT_TRUE(s.ozet().contains(S("NEWFIS")));

    db.exec(S("DELETE FROM STOK"));
    db.exec(S("DELETE FROM ALIS"));
    BelgeReferansNolariGuncelle(db);
    EXPECT_DOUBLE_EQ(sayi("SELECT YENINO AS N FROM NEWSTOK"), 1) << "an empty database starts at 1";
    EXPECT_DOUBLE_EQ(sayi("SELECT YENINO AS N FROM NEWALIS"), 1);
}

TEST_F(RepairTest, CostRecalculationAndInitialCost)
{
    // Item 1: opening 10 at 50 and a purchase line of 10 for 800: (500+800)/20 = 65.
    StokMaliyetiHesapla(db);
    EXPECT_NEAR(sayi("SELECT MALIYET_FYT_TL AS N FROM STOK WHERE STOK_NO=1"), 65, 1e-6);
    EXPECT_DOUBLE_EQ(sayi("SELECT MALIYET_FYT_TL AS N FROM STOK WHERE STOK_NO=2"), 0) << "no movement keeps its cost";

    BaslangicMaliyetiYaz(db, 10);
    EXPECT_NEAR(sayi("SELECT MALIYET_FYT_TL AS N FROM STOK WHERE STOK_NO=1"), 65, 1e-6) << "has an opening value";
    EXPECT_DOUBLE_EQ(sayi("SELECT MALIYET_FYT_TL AS N FROM STOK WHERE STOK_NO=2"), 180);

    AnagrupAta(db);
    EXPECT_EQ(say("SELECT COUNT(*) AS N FROM STOK WHERE PAY='P'"), 4);
}

TEST_F(RepairTest, NewestCodeChainsStopAtACycle)
{
    const QHash<QString, QString> yeni{{S("A"), S("B")}, {S("B"), S("C")}, {S("C"), S("C")},
                                       {S("X"), S("Y")}, {S("Y"), S("X")}};
    const auto f = [&](const QString& k) { return yeni.value(k); };
    EXPECT_EQ(EnYeniKod(f, S("A"), S("B")), S("C")) << "an item naming itself ends the chain";
    EXPECT_EQ(EnYeniKod(f, S("X"), S("Y")), S("X")) << "a two-item cycle ends where a code repeats";
    EXPECT_EQ(EnYeniKod(f, S("C"), S("C")), S("C"));
    EXPECT_EQ(EnYeniKod(f, S("Q"), S("Z")), S("Z"));

    StokYeniKodlariniGuncelle(db);
    Query q(db, S("SELECT STOK_KOD_NO, YENI_KOD_SON FROM STOK ORDER BY STOK_NO"));
    q.exec();
    QStringList son;
    while (q.next())
        son << q.str(S("YENI_KOD_SON"));
    EXPECT_EQ(son, (QStringList{S("A-1"), S("B-4"), S("B-3"), S("B-4")}));
}

TEST_F(RepairTest, NewestCodeProgressIsToldOutsideTheTransaction)
{
    // 250 items in one chain each: the window is told the progress twice.
    Transaction tr(db);
    for (int i = 0; i < 250; ++i)
        db.exec(S("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, YENI_KOD) VALUES (:N, :K, :Y)"),
                {{S("N"), 100 + i}, {S("K"), S("Z-%1").arg(i)}, {S("Y"), S("Z-%1").arg(i + 1)}});
    tr.commit();
    QList<int> adimlar;
    QList<bool> islemIcinde;
    StokYeniKodlariniGuncelle(db, [&](int n) {
        adimlar << n;
        islemIcinde << db.inTransaction();
    });
    EXPECT_EQ(adimlar, (QList<int>{100, 200}));
    EXPECT_EQ(islemIcinde, (QList<bool>{false, false})) << "the window handles events only outside the transaction";
    EXPECT_EQ(say("SELECT COUNT(*) AS N FROM STOK WHERE YENI_KOD_SON='Z-250'"), 250);
}

class BakimFormTest : public RepairTest {
protected:
    void TearDown() override
    {
        Targets().clear();
        RepairTest::TearDown();
    }
};

TEST_F(BakimFormTest, CommandsFollowTheRegistryAndTheRights)
{
    Targets().clear();
    ctx.AktifKullanici.u_type = S("A");
    ctx.AktifKullanici.parametre = S("H");
    ctx.AktifKullanici.cari = S("Y");
    auto* f = new TBakimForm(ctx);
    f->show();
    EXPECT_FALSE(f->komut(S("YedekAl"))->isEnabled()) << "the backup module is not registered";
    EXPECT_FALSE(f->buton(S("YedekAl"))->isEnabled());
    EXPECT_FALSE(f->menu(S("IlkOnce"))->isEnabled());
    EXPECT_FALSE(f->buton(S("FirmaBilgileri"))->isEnabled()) << "the panel button obeys the right too";
    EXPECT_TRUE(f->komut(S("CariKodDegistirme"))->isEnabled());
    EXPECT_TRUE(f->komut(S("BelgeReferansNolari"))->isEnabled());

    int yedek = 0;
    RegisterRoutine(QString::fromLatin1(entry::ShowBackupForm), [&](const OpenRequest& r) {
        ++yedek;
        EXPECT_EQ(r.owner, f);
    });
    EXPECT_TRUE(f->komut(S("YedekAl"))->isEnabled()) << "lights up when the module registers";
    f->buton(S("YedekAl"))->click();
    EXPECT_EQ(yedek, 1);

    messages.answer(MsgYes);
    f->komut(S("BelgeReferansNolari"))->trigger();
    EXPECT_TRUE(messages.texts().contains(S("Belge Referans Noları Güncellensin mi?")));
    EXPECT_TRUE(messages.lastText().startsWith(S("Güncelleme Tamamlandı.")));
    EXPECT_DOUBLE_EQ(sayi("SELECT YENINO AS N FROM NEWSTOK"), 5);

    f->komut(S("LogTemizle"))->trigger();
    EXPECT_TRUE(messages.lastText().contains(S("Bu komut hiçbir şeyi değiştirmez.")));
    f->close();
}

// A clerk or a supervisor who reaches the window cannot copy the whole
// database, run the repairs that name no right of their own, or clear the log.
TEST_F(BakimFormTest, BackupRepairsAndLogNeedTheAdministrator)
{
    Targets().clear();
    int yedek = 0;
    RegisterRoutine(QString::fromLatin1(entry::ShowBackupForm), [&](const OpenRequest&) { ++yedek; });
    const char* komutlar[] = {"YedekAl", "BelgeReferansNolari", "StokYeniKodlari", "AnagrupAta", "LogTemizle"};
    for (const char* tip : {"K", "S", ""}) {
        ctx.AktifKullanici.u_type = S(tip);
        auto* f = new TBakimForm(ctx);
        f->show();
        for (const char* ad : komutlar) {
            SCOPED_TRACE(std::string(tip) + " / " + ad);
            EXPECT_FALSE(f->komut(S(ad))->isEnabled());
            if (QPushButton* b = f->buton(S(ad))) {
                EXPECT_FALSE(b->isEnabled());
            }
            messages.clear();
            messages.answer(MsgYes);
            f->calistir(S(ad));
            ASSERT_EQ(messages.count(), 1);
            EXPECT_EQ(messages.lastText(), NoRightText());
        }
        EXPECT_EQ(yedek, 0);
        EXPECT_DOUBLE_EQ(sayi("SELECT YENINO AS N FROM NEWSTOK"), 3);
        EXPECT_EQ(say("SELECT COUNT(*) AS N FROM STOK WHERE YENI_KOD_SON IS NOT NULL OR PAY='P'"), 2);
        f->close();
    }

    ctx.AktifKullanici.u_type = S("A");
    auto* f = new TBakimForm(ctx);
    f->show();
    for (const char* ad : komutlar)
        EXPECT_TRUE(f->komut(S(ad))->isEnabled()) << ad;
    f->buton(S("YedekAl"))->click();
    EXPECT_EQ(yedek, 1);
    f->close();
}

} // namespace
