#include "connection/DialogRunner.h"
#include "mainwindow/Targets.h"
#include "maintenance/ekj.h"
#include "stock/StockEntry.h"
#include "stock/StockSchema.h"
#include "stock/ledger/Maliyet.h"
#include "stock/ledger/StokMik.h"
#include "stock/maintenance/OnarimFormlari.h"
#include "stock/maintenance/StokOnarim.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

using namespace tornaly;
using namespace tornaly::stock;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

// Four cards in one depot: some movements lost their document, some kept
// quantities disagree with their movements.
class StokOnarimTest : public test::DbTest {
protected:
    void registerSchema() override { stock::RegisterSchema(); }
    void SetUp() override
    {
        DbTest::SetUp();
        Targets().clear();
        UnregisterBelgeTemizlikleri();
        const char* satirlar[] = {
            "INSERT INTO STOK (STOK_NO, STOK_KOD_NO, STOK_ADI_TR, SAT_FYT_TL, MALIYET_FYT_TL, PAY, YENI_KOD) "
            "VALUES (1, 'A-1', 'Filtre', 100, 0, NULL, NULL)",
            "INSERT INTO STOK (STOK_NO, STOK_KOD_NO, STOK_ADI_TR, SAT_FYT_TL, MALIYET_FYT_TL, PAY, YENI_KOD) "
            "VALUES (2, 'B-2', 'Balata', 200, 7, '', 'B-3')",
            "INSERT INTO STOK (STOK_NO, STOK_KOD_NO, STOK_ADI_TR, SAT_FYT_TL, MALIYET_FYT_TL, PAY, YENI_KOD) "
            "VALUES (3, 'B-3', 'Balata Yeni', 210, 0, 'P', 'B-4')",
            "INSERT INTO STOK (STOK_NO, STOK_KOD_NO, STOK_ADI_TR, SAT_FYT_TL, MALIYET_FYT_TL, PAY, YENI_KOD) "
            "VALUES (4, 'B-4', 'Balata En Yeni', 220, NULL, 'P', 'B-3')",
            "INSERT INTO DEPO (SIRA, DEPO_KODU, DEPO_ADI) VALUES (7, '7', 'Sayım Deposu')",
            // Opening stock of item 1: 10 at 50; a kept sale; an orphan sale; a purchase of item 3.
            "INSERT INTO DEPOHRK (SATISNO, TIP, STOK_NO, DEPO_KODU, GIRMIK, CIKMIK, FIYAT) VALUES (0, 'D', 1, '7', 10, 0, 50)",
            "INSERT INTO DEPOHRK (SATISNO, TIP, STOK_NO, DEPO_KODU, GIRMIK, CIKMIK, FIYAT) VALUES (10, 'S', 1, '7', 0, 2, 100)",
            "INSERT INTO DEPOHRK (SATISNO, TIP, STOK_NO, DEPO_KODU, GIRMIK, CIKMIK, FIYAT) VALUES (99, 'S', 2, '7', 0, 3, 200)",
            "INSERT INTO DEPOHRK (SATISNO, TIP, STOK_NO, DEPO_KODU, GIRMIK, CIKMIK, FIYAT) VALUES (20, 'A', 3, '7', 4, 0, 150)",
            "INSERT INTO FISTK (HRKNO, TIP, ACIKLAMA1, PERSON_KOD, GIRDEPO) VALUES (0, 'D', 'Devir', 'P01', '7')",
            "INSERT INTO STOKMIK (STOK_NO, DEPO_KOD, MIKTAR) VALUES (1, '7', 7)",
            "INSERT INTO STOKMIK (STOK_NO, DEPO_KOD, MIKTAR) VALUES (2, '7', 0)",
            // A document table of a later subsystem, as its clean-up step reads it.
            "CREATE TABLE SATIS (SATIS_NO DOUBLE PRECISION PRIMARY KEY, TIP VARCHAR(1))",
            "INSERT INTO SATIS VALUES (10, 'R')",
        };
        for (const char* sql : satirlar)
            db.exec(S(sql));
    }
    void TearDown() override
    {
        Targets().clear();
        UnregisterBelgeTemizlikleri();
        SetModalRunner({});
        DbTest::TearDown();
    }
    static void satisTemizliginiKaydet()
    {
        RegisterBelgeTemizligi({S("Satış stok hareketleri"), {S("DEPOHRK"), S("SATIS")},
                                S("DELETE FROM DEPOHRK WHERE TIP='S' AND NOT EXISTS (SELECT 1 FROM SATIS "
                                  "WHERE SATIS.SATIS_NO=DEPOHRK.SATISNO)")});
    }
    double sayi(const QString& sql)
    {
        Query q(db, sql);
        q.exec();
        return q.next() ? q.value(0).toDouble() : -1;
    }
    QList<double> maliyetler()
    {
        QList<double> m;
        Query q(db, S("SELECT MALIYET_FYT_TL FROM STOK ORDER BY STOK_NO"));
        q.exec();
        while (q.next())
            m << q.value(0).toDouble();
        return m;
    }
};

TEST_F(StokOnarimTest, OrphanCleanupRunsTheRegisteredStepsThenRecounts)
{
    // Item 1 keeps 7 against 10-2; item 2 keeps 0 against -3; item 3 has 4 without a kept row.
    ASSERT_EQ(StokMiktariUyusmayanlar(db, S("7")).size(), 3);
    EXPECT_EQ(StokMiktariUyusmayanlar(db, S("7")).at(2).STOK_KOD_NO, S("B-3"))
        << "movements without a kept quantity are listed too";

    satisTemizliginiKaydet();
    RegisterBelgeTemizligi({S("Yok olan belge"), {S("YOKTABLO")}, S("DELETE FROM YOKTABLO")});
    satisTemizliginiKaydet(); // registering again replaces the step
    const TOnarimSonucu s = BelgeHareketleriniDuzenle(db);
    EXPECT_EQ(sayi(S("SELECT COUNT(*) FROM DEPOHRK WHERE TIP='S'")), 1) << "only the orphan sale goes";
    EXPECT_EQ(s.adimlar.first(), (QPair<QString, int>{S("Satış stok hareketleri"), 1}));
    EXPECT_DOUBLE_EQ(sayi(S("SELECT MIKTAR FROM STOKMIK WHERE STOK_NO=1")), 8);
    EXPECT_DOUBLE_EQ(sayi(S("SELECT MIKTAR FROM STOKMIK WHERE STOK_NO=2")), 0);
    EXPECT_DOUBLE_EQ(sayi(S("SELECT MIKTAR FROM STOKMIK WHERE STOK_NO=3")), 4);
    EXPECT_TRUE(StokMiktariUyusmayanlar(db, S("7")).isEmpty());
    EXPECT_TRUE(StokMikFarklari(db, 1e-9).isEmpty()) << "the recount is stock's own";
    EXPECT_TRUE(s.ozet().contains(S("YOKTABLO"))) << s.ozet().toStdString();
    EXPECT_FALSE(s.ozet().contains(S("FISTK"))) << "the slip tables are in the database: their steps run";

    // On consistent data nothing more goes, and the recount still runs.
    const TOnarimSonucu ikinci = BelgeHareketleriniDuzenle(db);
    EXPECT_EQ(ikinci.toplam(), 0);
    EXPECT_EQ(ikinci.adimlar.last().first, S("Stok miktarları yeniden hesaplandı"));
}

TEST_F(StokOnarimTest, RepairOnADatabaseAnotherWorkstationIsPostingToWritesNothing)
{
    satisTemizliginiKaydet();
    Db diger = database->open(S("diger_istasyon"));
    Transaction tr(diger);
    diger.exec(S("UPDATE DEPOHRK SET CIKMIK=CIKMIK WHERE SATISNO=99"));
    TFormStokMiktarGuncelle f(ctx);
    messages.answer(MsgYes);
    f.BtnDuzenle->click();
    EXPECT_EQ(messages.texts().first(), S("Belge Hareketleri Güncellensin mi?"));
    EXPECT_TRUE(messages.lastText().startsWith(S("Kayıt başka bir kullanıcı tarafından kullanılıyor")))
        << messages.lastText().toStdString();
    tr.rollback();
    EXPECT_EQ(sayi(S("SELECT COUNT(*) FROM DEPOHRK")), 4) << "nothing half-written";
    EXPECT_DOUBLE_EQ(sayi(S("SELECT MIKTAR FROM STOKMIK WHERE STOK_NO=1")), 7);

    messages.answer(MsgYes);
    f.BtnDuzenle->click();
    EXPECT_TRUE(messages.lastText().startsWith(S("Belge Hareketleriniz Güncellendi.")));
    EXPECT_EQ(sayi(S("SELECT COUNT(*) FROM DEPOHRK")), 3);
}

TEST_F(StokOnarimTest, InitialCostMainGroupAndNewestCodes)
{
    BaslangicMaliyetiYaz(db, 10);
    EXPECT_EQ(maliyetler(), (QList<double>{0, 180, 189, 198})) << "item 1 has an opening value";

    AnagrupAta(db);
    EXPECT_EQ(sayi(S("SELECT COUNT(*) FROM STOK WHERE PAY='P'")), 4);

    const QHash<QString, QString> yeni{{S("A"), S("B")}, {S("B"), S("C")}, {S("C"), S("C")},
                                       {S("X"), S("Y")}, {S("Y"), S("X")}};
    const auto f = [&](const QString& k) { return yeni.value(k); };
    EXPECT_EQ(EnYeniKod(f, S("A"), S("B")), S("C")) << "an item naming itself ends the chain";
    EXPECT_EQ(EnYeniKod(f, S("X"), S("Y")), S("X")) << "a two-item cycle ends where a code repeats";
    EXPECT_EQ(EnYeniKod(f, S("C"), S("C")), S("C"));
    EXPECT_EQ(EnYeniKod(f, S("Q"), S("Z")), S("Z"));

    StokYeniKodlariniGuncelle(db);
    Query q(db, S("SELECT YENI_KOD_SON FROM STOK ORDER BY STOK_NO"));
    q.exec();
    QStringList son;
    while (q.next())
        son << q.str(S("YENI_KOD_SON"));
    EXPECT_EQ(son, (QStringList{S("A-1"), S("B-4"), S("B-3"), S("B-4")}));
}

TEST_F(StokOnarimTest, NewestCodeProgressIsToldOutsideTheTransaction)
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
    EXPECT_EQ(sayi(S("SELECT COUNT(*) FROM STOK WHERE YENI_KOD_SON='Z-250'")), 250);
}

TEST_F(StokOnarimTest, MaintenanceWindowRunsStocksRoutinesOnlyWhenStockIsLinked)
{
    const QStringList stokKomutlari{S("BelgeStokHareketleri"), S("StokMiktariUyusmayan"), S("BaslangicMaliyeti"),
                                    S("StokMaliyetiHesapla"), S("AnagrupAta"), S("StokYeniKodlari")};
    // A stock clerk with the price, cost and stock-slip rights.
    ctx.AktifKullanici.stok = S("Y");
    ctx.AktifKullanici.diger06 = S("E");
    ctx.AktifKullanici.stok_fiyat = 2;
    ctx.AktifKullanici.maliyet = S("Y");
    // The newest-code and main-group repairs are the administrator's.
    ctx.AktifKullanici.u_type = S("A");
    auto* f = new TBakimForm(ctx);
    f->show();
    for (const QString& k : stokKomutlari)
        EXPECT_FALSE(f->komut(k)->isEnabled()) << k.toStdString() << ": the stock library is not registered";

    stock::RegisterEntryPoints();
    for (const QString& k : stokKomutlari)
        ASSERT_TRUE(f->komut(k)->isEnabled()) << k.toStdString();

    // "Stok Maliyeti Hesapla" from the window and stock's own recalculation agree.
    db.exec(S("INSERT INTO DEPOHRK (SATISNO, TIP, STOK_NO, DEPO_KODU, GIRMIK, CIKMIK, FIYAT) "
              "VALUES (0, 'D', 2, '7', 3, 0, 40)"));
    messages.answer(MsgYes);
    f->komut(S("StokMaliyetiHesapla"))->trigger();
    EXPECT_EQ(messages.texts().first(), S("Stok Maliyetleri Güncellenecektir! Devam Etmek İstiyor musunuz?"));
    EXPECT_TRUE(messages.lastText().startsWith(S("Maliyetler Güncellendi."))) << messages.lastText().toStdString();
    const QList<double> pencereden = maliyetler();
    EXPECT_NEAR(pencereden.at(0), 50, 1e-6);
    EXPECT_NEAR(pencereden.at(1), 40, 1e-6);
    db.exec(S("UPDATE STOK SET MALIYET_FYT_TL=999"));
    MaliyetYenidenHesapla(db);
    EXPECT_EQ(maliyetler().mid(0, 2), pencereden.mid(0, 2));
    EXPECT_EQ(maliyetler().mid(2), (QList<double>{999, 999})) << "cards without receipts keep their cost";

    messages.answer(MsgNo);
    f->komut(S("AnagrupAta"))->trigger();
    EXPECT_EQ(sayi(S("SELECT COUNT(*) FROM STOK WHERE PAY='P'")), 2) << "No changes nothing";
    messages.answer(MsgYes);
    f->komut(S("AnagrupAta"))->trigger();
    EXPECT_EQ(sayi(S("SELECT COUNT(*) FROM STOK WHERE PAY='P'")), 4);

    f->komut(S("StokYeniKodlari"))->trigger();
    EXPECT_TRUE(messages.lastText().startsWith(S("Güncelleme Tamamlandı.")));
    EXPECT_EQ(sayi(S("SELECT COUNT(*) FROM STOK WHERE YENI_KOD_SON='B-4'")), 2);

    // The two windows open modally through the registry.
    QStringList acilan;
    SetModalRunner([&](QDialog& d) {
        acilan << d.objectName();
        if (auto* b = d.findChild<QPushButton*>(S("BtnDuzenle")))
            b->click();
        return int(QDialog::Accepted);
    });
    satisTemizliginiKaydet();
    messages.answer(MsgYes);
    f->komut(S("BelgeStokHareketleri"))->trigger();
    f->komut(S("StokMiktariUyusmayan"))->trigger();
    EXPECT_EQ(acilan, (QStringList{S("FormStokMiktarGuncelle"), S("FormStkMikUyaman")}));
    EXPECT_TRUE(StokMikFarklari(db, 1e-9).isEmpty()) << "the clean-up ran from the window";
    f->close();
    delete f;
}

} // namespace
