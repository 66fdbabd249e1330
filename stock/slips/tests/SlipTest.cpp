#include "guard/FormGuard.h"
#include "services/MuhasebeEntegre.h"
#include "sql/SqlHelpers.h"
#include "stock/StockSchema.h"
#include "stock/ledger/StokMik.h"
#include "stock/slips/StkFisKK.h"
#include "stock/slips/StokFisi.h"
#include "testsupport/TestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace tornaly;
using namespace tornaly::stock;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

class StockSlipTest : public test::DbTest {
protected:
    void registerSchema() override { stock::RegisterSchema(); }
    void SetUp() override
    {
        DbTest::SetUp();
        for (int i = 1; i <= 3; ++i)
            db.exec(S("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, STOK_ADI_TR, PAY, KDV, FYT_KUR, ALIS_FYT_TL, SAT_FYT_TL) "
                      "VALUES (:N, :K, 'Parça', 'P', 20, 'TL', 10, 200)"),
                    {{S("N"), i}, {S("K"), S("P-%1").arg(i)}});
        db.exec(S("INSERT INTO DEPO (SIRA, DEPO_KODU, DEPO_ADI) VALUES (3, '3', 'Yan Depo')"));
        ctx.CalismaYiliNo = 2026;
        ctx.AktifKullanici.per_kod = S("P01");
    }

    StokFisi fis(QChar tip, const QString& cik, const QString& gir, QList<std::pair<double, double>> satirlar = {{1, 2}})
    {
        StokFisi f = YeniStokFisi(ctx, db, tip);
        f.TARIH = QDateTime(QDate(2026, 3, 14), QTime(0, 0));
        f.ACIKLAMA1 = S("Deneme");
        f.CIKDEPO = cik;
        f.GIRDEPO = gir;
        for (const auto& [stok, miktar] : satirlar) {
            const int i = StokFisineEkle(ctx, f, *StokKartiOzeti(db, stok), {miktar, std::nullopt, true});
            f.satirlar[i].FIYAT = 5;
        }
        return f;
    }
    int say(const QString& sql, const QVariantMap& b = {})
    {
        Query q(db, sql);
        q.bindAll(b).exec();
        return q.next() ? q.value(0).toInt() : -1;
    }
    // The slip's ledger rows as "warehouse:in/out:line" in line order.
    QStringList hareketler(double hrkno)
    {
        Query q(db, S("SELECT DEPO_KODU, GIRMIK, CIKMIK, SIRANO FROM DEPOHRK WHERE SATISNO = :H ORDER BY SIRANO"));
        q.bind(S("H"), hrkno).exec();
        QStringList out;
        while (q.next())
            out << S("%1:%2/%3:%4").arg(q.str(S("DEPO_KODU")).trimmed()).arg(q.num(S("GIRMIK"))).arg(q.num(S("CIKMIK")))
                       .arg(q.integer(S("SIRANO")));
        return out;
    }
    void stokMikDogru()
    {
        const auto f = StokMikFarklari(db, 1e-9);
        EXPECT_TRUE(f.isEmpty()) << "part " << f.value(0).STOK_NO << " in " << f.value(0).DEPO_KOD.toStdString();
    }
};

TEST_F(StockSlipTest, EachTypeWritesItsLedgerRows)
{
    struct Case {
        char tip;
        const char* cik;
        const char* gir;
        bool onay;
        QStringList rows;
    };
    const QList<Case> cases{
        {'O', "1", "3", true, {S("1:0/2:1"), S("3:2/0:100001")}},
        {'O', "1", "3", false, {}}, // waits for approval
        {'F', "3", "", false, {S("3:0/2:1")}},
        {'R', "1", "", false, {S("1:0/2:1")}},
        {'U', "1", "", false, {S("1:0/2:1")}},
        {'Z', "3", "", false, {S("3:0/2:1")}},
        {'L', "", "3", false, {S("3:2/0:1")}},
        {'T', "", "1", false, {S("1:2/0:1")}},
        {'D', "", "3", false, {S("3:2/0:1")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tip);
        StokFisi f = fis(QLatin1Char(c.tip), S(c.cik), S(c.gir));
        f.ONAY = c.onay;
        StokFisiKaydet(ctx, db, f);
        EXPECT_EQ(hareketler(f.HRKNO), c.rows);
        EXPECT_EQ(say(S("SELECT COUNT(*) FROM FISTKAYR WHERE HRKNO = :H"), {{S("H"), f.HRKNO}}), 1);
        Query q(db, S("SELECT BRUTTUT, KDVTUT, NETTUT, PERSON_KOD FROM FISTK WHERE HRKNO = :H"));
        q.bind(S("H"), f.HRKNO).exec();
        ASSERT_TRUE(q.next());
        EXPECT_DOUBLE_EQ(q.num(S("BRUTTUT")), 10);
        EXPECT_DOUBLE_EQ(q.num(S("KDVTUT")), 2);
        EXPECT_DOUBLE_EQ(q.num(S("NETTUT")), 12);
        EXPECT_EQ(q.str(S("PERSON_KOD")), S("P01"));
    }
    stokMikDogru();
}

TEST_F(StockSlipTest, ResaveDeleteApproveAndUnapprove)
{
    StokFisi f = fis(u'O', S("1"), S("3"), {{1, 2}, {2, 3}});
    StokFisiKaydet(ctx, db, f);
    EXPECT_TRUE(hareketler(f.HRKNO).isEmpty());

    f.ONAY = true;
    StokFisiKaydet(ctx, db, f);
    EXPECT_EQ(hareketler(f.HRKNO).size(), 4);
    EXPECT_DOUBLE_EQ(StokMikMiktari(db, 2, S("3")), 3);

    // Re-saved with one line less: the set is replaced, not added to.
    StokFisi okunan = *StokFisiOku(db, f.HRKNO);
    EXPECT_TRUE(okunan.ONAY);
    okunan.satirlar.removeLast();
    StokFisiKaydet(ctx, db, okunan);
    EXPECT_EQ(hareketler(f.HRKNO), (QStringList{S("1:0/2:1"), S("3:2/0:100001")}));
    EXPECT_DOUBLE_EQ(StokMikMiktari(db, 2, S("3")), 0);

    // Taking the approval back removes the movements.
    okunan.ONAY = false;
    StokFisiKaydet(ctx, db, okunan);
    EXPECT_TRUE(hareketler(f.HRKNO).isEmpty());
    EXPECT_DOUBLE_EQ(StokMikMiktari(db, 1, S("3")), 0);

    okunan.ONAY = true;
    StokFisiKaydet(ctx, db, okunan);
    StokFisiSil(ctx, db, f.HRKNO);
    EXPECT_EQ(say(S("SELECT COUNT(*) FROM DEPOHRK")), 0);
    EXPECT_EQ(say(S("SELECT COUNT(*) FROM FISTKAYR")), 0);
    EXPECT_EQ(say(S("SELECT COUNT(*) FROM FISTK")), 0);
    stokMikDogru();
}

TEST_F(StockSlipTest, OpeningMonthFollowsEveryOpeningSlip)
{
    auto acilis = [&](const char* depo) {
        return say(S("SELECT COUNT(*) FROM STKAYMAL WHERE YIL = 2025 AND AY = 12 AND DEPO_KODU = :D"), {{S("D"), S(depo)}});
    };
    StokFisi a = fis(u'D', {}, S("1"), {{1, 4}});
    StokFisiKaydet(ctx, db, a);
    StokFisi b = fis(u'D', {}, S("1"), {{2, 6}});
    StokFisiKaydet(ctx, db, b);
    StokFisiKaydet(ctx, db, b); // saved twice: still one row per part
    EXPECT_EQ(acilis("1"), 2);

    // Moving b to warehouse 3 keeps a's row in warehouse 1.
    StokFisi tasinan = *StokFisiOku(db, b.HRKNO);
    tasinan.GIRDEPO = S("3");
    StokFisiKaydet(ctx, db, tasinan);
    EXPECT_EQ(acilis("1"), 1);
    EXPECT_EQ(acilis("3"), 1);
    Query m(db, S("SELECT MIKTAR, MALIYET FROM STKAYMAL WHERE DEPO_KODU = '3'"));
    m.exec();
    ASSERT_TRUE(m.next());
    EXPECT_DOUBLE_EQ(m.num(S("MIKTAR")), 6);
    EXPECT_DOUBLE_EQ(m.num(S("MALIYET")), 5);
    m.finish();

    // Deleting b keeps a's opening in warehouse 1; adding another slip there adds a row.
    StokFisiSil(ctx, db, b.HRKNO);
    EXPECT_EQ(acilis("3"), 0);
    EXPECT_EQ(acilis("1"), 1);
}

TEST_F(StockSlipTest, BadInputIsRefusedAndWritesNothing)
{
    ctx.KilitTarihi = QDate(2026, 1, 31);
    db.exec(S("UPDATE STOK SET SERITAKIP = 'E' WHERE STOK_NO = 1"));
    struct Case {
        const char* ad;
        std::function<void(StokFisi&)> boz;
        const char* mesaj;
    };
    const QList<Case> cases{
        {"equal warehouses", [](StokFisi& f) { f.GIRDEPO = f.CIKDEPO; },
         "Lütfen Stokların Çıktığı/Girdiği Depoları Aynı Seçmeyin ve Boş Bırakmayın"},
        {"missing warehouse", [](StokFisi& f) { f.GIRDEPO.clear(); },
         "Lütfen Stokların Çıktığı/Girdiği Depoları Aynı Seçmeyin ve Boş Bırakmayın"},
        {"no in-warehouse", [](StokFisi& f) { f.TIP = u'L'; f.GIRDEPO.clear(); }, "Lütfen Stokların Giriş Deposunu Seçiniz"},
        {"no out-warehouse", [](StokFisi& f) { f.TIP = u'F'; f.CIKDEPO.clear(); }, "Lütfen Stokların Çıkış Deposunu Seçiniz"},
        {"no lines", [](StokFisi& f) { f.satirlar.clear(); }, "Boş Fiş Saklanmaz."},
        {"locked date", [](StokFisi& f) { f.TARIH = QDateTime(QDate(2026, 1, 31), QTime(10, 0)); },
         "İlgili tarih için işlem yapılamaz!"},
        {"batch short", [](StokFisi& f) { f.TIP = u'F'; f.satirlar[0].SERINO = S("L7"); },
         "Hata:Parti/Seri yetersiz/tanımsız stok \r\n L7 parti/seri nolu ürün stokta yeterli değil! \r\n"},
        {"no description", [](StokFisi& f) { f.ACIKLAMA1.clear(); }, "Hata:Açıklama alanı boş bırakılamaz."},
    };
    for (const Case& c : cases) {
        StokFisi f = fis(u'O', S("1"), S("3"));
        f.ONAY = true;
        c.boz(f);
        EXPECT_FALSE(Guard([&] { StokFisiKaydet(ctx, db, f); })) << c.ad;
        EXPECT_EQ(messages.lastText(), S(c.mesaj)) << c.ad;
        EXPECT_EQ(say(S("SELECT COUNT(*) FROM FISTK")), 0) << c.ad;
        EXPECT_EQ(say(S("SELECT COUNT(*) FROM FISTKAYR")), 0) << c.ad;
        EXPECT_EQ(say(S("SELECT COUNT(*) FROM DEPOHRK")), 0) << c.ad;
        EXPECT_EQ(say(S("SELECT COUNT(*) FROM STOKMIK WHERE MIKTAR <> 0")), 0) << c.ad;
    }
}

TEST_F(StockSlipTest, BatchInStockPassesAndDeleteRefusals)
{
    db.exec(S("UPDATE STOK SET SERITAKIP = 'E' WHERE STOK_NO = 1"));
    StokFisi giris = fis(u'L', {}, S("1"), {{1, 5}});
    giris.satirlar[0].SERINO = S("L7");
    StokFisiKaydet(ctx, db, giris);
    StokFisi fire = fis(u'F', S("1"), {}, {{1, 5}});
    fire.satirlar[0].SERINO = S("L7");
    EXPECT_TRUE(Guard([&] { StokFisiKaydet(ctx, db, fire); })) << messages.lastText().toStdString();

    db.exec(S("UPDATE FISTK SET FIS_NO = 77 WHERE HRKNO = :H"), {{S("H"), fire.HRKNO}});
    EXPECT_FALSE(Guard([&] { StokFisiSil(ctx, db, fire.HRKNO); }));
    EXPECT_EQ(messages.lastText(), S("Bu Hareketin Muhasebe Kayıt Fişi Var. Silinemez."));
    ctx.KilitTarihi = QDate(2026, 12, 31);
    EXPECT_FALSE(Guard([&] { StokFisiSil(ctx, db, giris.HRKNO); }));
    EXPECT_EQ(messages.lastText(), S("İlgili tarih için işlem yapılamaz!"));
    EXPECT_EQ(say(S("SELECT COUNT(*) FROM FISTK")), 2);
    EXPECT_EQ(say(S("SELECT COUNT(*) FROM DEPOHRK")), 2);
}

TEST_F(StockSlipTest, PricesAndImportRows)
{
    StokFisi f = fis(u'F', S("1"), {}, {{1, 1}, {2, 1}});
    // A manually picked part already on the slip keeps one line; an import adds.
    EXPECT_EQ(StokFisineEkle(ctx, f, *StokKartiOzeti(db, 1)), 0);
    EXPECT_DOUBLE_EQ(f.satirlar[0].MIKTAR, 1);
    StokFisineEkle(ctx, f, *StokKartiOzeti(db, 1), {2, 7.5, true});
    EXPECT_DOUBLE_EQ(f.satirlar[0].MIKTAR, 3);
    EXPECT_DOUBLE_EQ(f.satirlar[0].FIYAT, 7.5);

    struct Case {
        FiyatKaynagi kaynak;
        double fiyat;
    };
    ctx.StokIskonto = 10;
    db.exec(S("INSERT INTO STKAYMAL (YIL, AY, STOK_NO, DEPO_KODU, MALIYET) VALUES (2026, 2, 1, '1', 8.5)"));
    for (const Case& c : {Case{FiyatKaynagi::SatisFiyati, 200}, Case{FiyatKaynagi::AlisFiyati, 9},
                          Case{FiyatKaynagi::AylikMaliyetAnalizi, 8.5}, Case{FiyatKaynagi::AlislarinOrtalamasi, 0}}) {
        StokFisiFiyatlariniGuncelle(ctx, db, f, c.kaynak);
        EXPECT_DOUBLE_EQ(f.satirlar[0].FIYAT, c.fiyat);
    }

    // A January slip reads December of the year before.
    f.TARIH = QDateTime(QDate(2026, 1, 10), QTime());
    db.exec(S("INSERT INTO STKAYMAL (YIL, AY, STOK_NO, DEPO_KODU, MALIYET) VALUES (2025, 12, 1, '1', 6)"));
    StokFisiFiyatlariniGuncelle(ctx, db, f, FiyatKaynagi::AylikMaliyetAnalizi);
    EXPECT_DOUBLE_EQ(f.satirlar[0].FIYAT, 6);

    const FisAktarimi a = StokFisiExcelOku(db, {{S("P-1"), 2, 3}, {S("YOK"), 1, 1}, {S("P-2"), S("x"), 1}, {S("P-3"), -4, -2}});
    ASSERT_EQ(a.dogru.size(), 2);
    EXPECT_DOUBLE_EQ(a.dogru[1].miktar, 0);
    EXPECT_DOUBLE_EQ(a.dogru[1].maliyet, 0);
    ASSERT_EQ(a.hatali.size(), 2);
    EXPECT_EQ(a.hatali[0].hata, S("Stok bulunamadı"));
}

TEST_F(StockSlipTest, NumbersComeFromTheSharedCounter)
{
    const double a = YeniStokFisi(ctx, db, u'F').HRKNO;
    const double b = YeniStokFisi(ctx, db, u'F').HRKNO;
    EXPECT_EQ(b, a + 1);
    EXPECT_EQ(say(S("SELECT CAST(YENINO AS INTEGER) FROM NEWSATIS")), int(b) + 1);
}

TEST_F(StockSlipTest, CounterCodeIsAnHmacOfTheKey)
{
    const AnahtarKodu k = YeniAnahtarKodu(S("DLR-01"), u'O', 1234);
    const auto cozulen = AnahtarKodu::coz(k.metin());
    ASSERT_TRUE(cozulen.has_value());
    EXPECT_EQ(cozulen->bayi, S("DLR-01"));
    EXPECT_EQ(cozulen->no, 1234);
    const QString kod = KarsiKodHesapla(k, "sir");
    EXPECT_EQ(kod.size(), 8);
    EXPECT_NE(kod, KarsiKodHesapla(k, "baska sir"));
    AnahtarKodu baska = k;
    baska.tip = u'F';
    EXPECT_NE(kod, KarsiKodHesapla(baska, "sir"));
    EXPECT_FALSE(AnahtarKodu::coz(S("DLR-12345-O-1")).has_value()); // five random digits

    ctx.UretBKod = S("DLR");
    TFormStkFisKK d(ctx, 20, 55, u'O');
    EXPECT_EQ(d.windowTitle(), S("Stok Fişi Karşıkod Modülü"));
    const QString anahtar = d.EditAnahtar->text();
    EXPECT_NE(TFormStkFisKK(ctx, 20, 55, u'O').EditAnahtar->text(), anahtar) << "a new key on every opening";
    struct Girdi {
        QString yazilan;
        QString mesaj;
    };
    for (const Girdi& g : {Girdi{S("12ab"), S("Karşı Kod Hatalı Lütfen Yeniden Giriniz!")},
                           Girdi{S("00000000") == KarsiKodHesapla(*AnahtarKodu::coz(anahtar), KarsiKodSirri())
                                     ? S("00000001")
                                     : S("00000000"),
                                 S("Hatalı Karşıkod")}}) {
        d.EditKarsiKod->setText(g.yazilan);
        d.BtnOK->click();
        EXPECT_EQ(messages.lastText(), g.mesaj);
        EXPECT_EQ(d.result(), 0) << "the dialog stays open for another try";
    }
    EXPECT_EQ(d.EditAnahtar->text(), anahtar);
    d.EditKarsiKod->setText(KarsiKodHesapla(*AnahtarKodu::coz(anahtar), KarsiKodSirri()));
    d.BtnOK->click();
    EXPECT_EQ(d.result(), int(QDialog::Accepted));
}

} // namespace
