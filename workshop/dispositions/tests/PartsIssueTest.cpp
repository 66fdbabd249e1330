#include "DispozFixture.h"
#include "guard/FormGuard.h"
#include "settings/Settings.h"
#include "stock/ledger/DepoHrk.h"
#include "workshop/partsissue/IsDetay.h"

#include <stdexcept>

using namespace tornaly;
using namespace tornaly::workshop;
using tornaly::test::DispozTest;

namespace {

class PartsIssueTest : public DispozTest {
protected:
    IsDetayBelgesi load()
    {
        IsDetayBelgesi b = IsDetayYukle(db, ctx, wo);
        if (!b.parcalar.isEmpty()) {
            EXPECT_TRUE(YPDuzenle(ctx, b)); // the question about the last delivery is answered Yes
        }
        return b;
    }
    double verilen(int sira)
    {
        return scalar(QStringLiteral("SELECT VERILEN_MIKTAR FROM ISEAYRIN WHERE SIRANO = :S"), {{QStringLiteral("S"), sira}})
            .toDouble();
    }
    void expectPairs()
    {
        // every stored line has exactly one I and one G row
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ISEAYRIN A WHERE (SELECT COUNT(*) FROM DEPOHRK H WHERE "
                                       "H.ISEMRINO = A.ISEMRI_NO AND H.SIRANO = A.SIRANO AND H.TIP = 'I') <> 1 OR "
                                       "(SELECT COUNT(*) FROM DEPOHRK H WHERE H.ISEMRINO = A.ISEMRI_NO AND "
                                       "H.SIRANO = A.SIRANO AND H.TIP = 'G') <> 1")),
                  0);
        EXPECT_EQ(ledgerRows(QStringLiteral("ISEMRINO IS NOT NULL")), 2 * count(QStringLiteral("SELECT COUNT(*) FROM ISEAYRIN")));
        expectLedgerInStep();
    }
};

TEST_F(PartsIssueTest, IssueAndReturnSequenceLeavesItsLedgerRows)
{
    IsDetayBelgesi b = load();
    EXPECT_EQ(b.isemri.value(QStringLiteral("YPTESLIMEDEN")).toString(), QStringLiteral("P1"));
    ASSERT_EQ(AlisEkle(db, ctx, b, 1), 0);
    ASSERT_EQ(AlisEkle(db, ctx, b, 1), 0); // the same part raises the line's quantity
    ASSERT_EQ(b.parcalar.size(), 1);
    EXPECT_DOUBLE_EQ(b.parcalar[0].value(QStringLiteral("STOK_MIKTAR")).toDouble(), 2);
    b.parcalar[0][QStringLiteral("STOK_MIKTAR")] = 3.0;
    b.parcalar[0][QStringLiteral("TESLIM_MIKTAR")] = 3.0;
    const YPKayitSonucu r1 = IsDetayKaydet(db, ctx, b);
    ASSERT_TRUE(r1.kaydedildi);
    EXPECT_TRUE(r1.sorun.isEmpty());
    EXPECT_DOUBLE_EQ(verilen(1), 3);
    EXPECT_EQ(scalar(QStringLiteral("SELECT YPTESLIMEDEN FROM ISEMRI")).toString(), QStringLiteral("P1"));
    EXPECT_DOUBLE_EQ(stokmik(1, QStringLiteral("1")), 2);
    EXPECT_DOUBLE_EQ(stokmik(1, QStringLiteral("2")), 3);
    expectPairs();

    // a return of 1
    b = load();
    EXPECT_EQ(messages.lastText(), QStringLiteral("Son Teslim Edilen Miktarlar sıfırlanacaktır,\r\n Değiştirmek İstiyormusunuz?"));
    EXPECT_DOUBLE_EQ(b.parcalar[0].value(QStringLiteral("TESLIM_MIKTAR")).toDouble(), 0);
    b.parcalar[0][QStringLiteral("TESLIM_MIKTAR")] = -1.0;
    ASSERT_TRUE(IsDetayKaydet(db, ctx, b).kaydedildi);
    EXPECT_DOUBLE_EQ(verilen(1), 2);
    EXPECT_EQ(messages.lastText(), QStringLiteral("Bu İşemrine ait Bekleyen Parçalar var."));
    EXPECT_DOUBLE_EQ(stokmik(1, QStringLiteral("1")), 3);
    EXPECT_DOUBLE_EQ(stokmik(1, QStringLiteral("2")), 2);
    expectPairs();

    // a return larger than what was issued is refused for the line
    b = load();
    b.parcalar[0][QStringLiteral("TESLIM_MIKTAR")] = -5.0;
    const YPKayitSonucu r3 = IsDetayKaydet(db, ctx, b);
    ASSERT_TRUE(r3.kaydedildi);
    EXPECT_EQ(r3.sorun, QStringLiteral(" P-1 .... Parça P-1 .. iade miktar teslim miktardan fazla olamaz!"));
    EXPECT_DOUBLE_EQ(verilen(1), 2);
    EXPECT_DOUBLE_EQ(stokmik(1, QStringLiteral("1")), 3);

    // a deleted line loses its movements at the save
    b = load();
    messages.answer(MsgYes);
    ASSERT_TRUE(ParcaSatirSil(db, ctx, b, 0));
    ASSERT_TRUE(IsDetayKaydet(db, ctx, b).kaydedildi);
    EXPECT_EQ(ledgerRows(QStringLiteral("ISEMRINO IS NOT NULL")), 0);
    EXPECT_DOUBLE_EQ(stokmik(1, QStringLiteral("1")), 5);
    expectPairs();
}

TEST_F(PartsIssueTest, TwoLinesOfOnePartCannotTakeMoreThanTheWarehouseHolds)
{
    for (const bool negatif : {false, true}) {
        SCOPED_TRACE(negatif);
        ctx.NegatifStok = negatif;
        db.exec(QStringLiteral("DELETE FROM ISEAYRIN"));
        stock::DepoHrkSil(db, stock::DepoHrkBelge::Isemri(wo));
        IsDetayBelgesi b = load();
        ASSERT_EQ(AlisEkle(db, ctx, b, 3), 0); // 2 in stock
        b.parcalar[0][QStringLiteral("STOK_MIKTAR")] = 2.0;
        b.parcalar[0][QStringLiteral("TESLIM_MIKTAR")] = 2.0;
        QVariantMap ikinci = b.parcalar[0];
        ikinci[QStringLiteral("SIRANO")] = 2;
        ikinci[QStringLiteral("STOK_MIKTAR")] = 1.0;
        ikinci[QStringLiteral("TESLIM_MIKTAR")] = 1.0;
        b.parcalar << ikinci;
        const YPKayitSonucu r = IsDetayKaydet(db, ctx, b);
        ASSERT_TRUE(r.kaydedildi);
        EXPECT_EQ(r.sorun, QStringLiteral(" A-3 .... Parça A-3 .. stokta:0\r\n"));
        EXPECT_DOUBLE_EQ(verilen(1), 2);
        EXPECT_DOUBLE_EQ(verilen(2), negatif ? 1 : 0);
        EXPECT_DOUBLE_EQ(stokmik(3, QStringLiteral("1")), negatif ? -1 : 0);
        EXPECT_TRUE(SorunPaneliMetni(ctx, r.sorun).endsWith(negatif ? QStringLiteral("STOK MİKTARLARI NEGATİF(-) SEVİYEYE DÜŞTÜ !")
                                                                    : QStringLiteral("STOK MİKTARLARI YETERLİ DEĞİL !")));
        expectPairs();
    }
}

TEST_F(PartsIssueTest, ResavingCountsTheWorkOrdersOwnIssueOnce)
{
    IsDetayBelgesi b = load();
    ASSERT_EQ(AlisEkle(db, ctx, b, 3), 0);
    b.parcalar[0][QStringLiteral("STOK_MIKTAR")] = 2.0;
    b.parcalar[0][QStringLiteral("TESLIM_MIKTAR")] = 2.0;
    ASSERT_TRUE(IsDetayKaydet(db, ctx, b).kaydedildi);
    EXPECT_DOUBLE_EQ(stokmik(3, QStringLiteral("1")), 0);
    b = load(); // nothing new: the two already issued still fit
    const YPKayitSonucu r = IsDetayKaydet(db, ctx, b);
    ASSERT_TRUE(r.kaydedildi);
    EXPECT_TRUE(r.sorun.isEmpty());
    EXPECT_DOUBLE_EQ(verilen(1), 2);
    EXPECT_DOUBLE_EQ(stokmik(3, QStringLiteral("1")), 0);
}

TEST_F(PartsIssueTest, NoQuantityRowForTheWarehouseLeavesTheDeliveryOpen)
{
    insert(QStringLiteral("DEPO"), {{QStringLiteral("SIRA"), 3}, {QStringLiteral("DEPO_KODU"), QStringLiteral("3")},
                                    {QStringLiteral("DEPO_ADI"), QStringLiteral("Yan")}});
    IsDetayBelgesi b = load();
    ASSERT_EQ(AlisEkle(db, ctx, b, 1), 0);
    b.parcalar[0][QStringLiteral("DEPO_KODU")] = QStringLiteral("3");
    ASSERT_TRUE(IsDetayKaydet(db, ctx, b).kaydedildi);
    EXPECT_DOUBLE_EQ(verilen(1), 0);
    EXPECT_DOUBLE_EQ(b.parcalar[0].value(QStringLiteral("TESLIM_MIKTAR")).toDouble(), 1);
    expectPairs();
}

TEST_F(PartsIssueTest, AFailedSaveChangesNothingAndARetryAddsTheDeliveryOnce)
{
    IsDetayBelgesi b = load();
    ASSERT_EQ(AlisEkle(db, ctx, b, 1), 0);
    ASSERT_TRUE(IsDetayKaydet(db, ctx, b).kaydedildi);
    b = load();
    b.parcalar[0][QStringLiteral("STOK_MIKTAR")] = 3.0;
    b.parcalar[0][QStringLiteral("TESLIM_MIKTAR")] = 2.0;
    for (const char* step : {"kontrol", "parcalar", "toplamlar", "hareketler"}) {
        SCOPED_TRACE(step);
        const auto fail = [step](const char* at) {
            if (qstrcmp(at, step) == 0)
                throw std::runtime_error("enjekte");
        };
        EXPECT_FALSE(IsDetayKaydet(db, ctx, b, fail).kaydedildi);
        EXPECT_EQ(messages.lastText(), QStringLiteral("Hata:enjekte"));
        EXPECT_DOUBLE_EQ(verilen(1), 1);
        EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT STOK_MIKTAR FROM ISEAYRIN")).toDouble(), 1);
        EXPECT_DOUBLE_EQ(stokmik(1, QStringLiteral("1")), 4);
        EXPECT_NEAR(scalar(QStringLiteral("SELECT PAR_TOP_TUTAR FROM ISEMRI")).toDouble(), 100, 1e-9);
        EXPECT_DOUBLE_EQ(b.parcalar[0].value(QStringLiteral("VERILEN_MIKTAR")).toDouble(), 1);
        EXPECT_TRUE(b.duzenleme);
    }
    ASSERT_TRUE(IsDetayKaydet(db, ctx, b).kaydedildi);
    EXPECT_DOUBLE_EQ(verilen(1), 3);
    EXPECT_DOUBLE_EQ(stokmik(1, QStringLiteral("1")), 2);
    expectPairs();
}

TEST_F(PartsIssueTest, BadInputGetsItsMessage)
{
    IsDetayBelgesi b = load();
    ASSERT_EQ(AlisEkle(db, ctx, b, 1), 0);
    QVariantMap s = b.parcalar[0];
    s[QStringLiteral("TESLIM_MIKTAR")] = 2.0;
    EXPECT_FALSE(ParcaSatirKontrol(db, ctx, b, s));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Verilen Miktar Sipariş Miktarından Büyük Olamaz"));
    s = b.parcalar[0];
    s[QStringLiteral("DEPO_KODU")] = QStringLiteral("2");
    EXPECT_FALSE(ParcaSatirKontrol(db, ctx, b, s));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Servis Deposunu seçemezsiniz!"));
    s = b.parcalar[0];
    s[QStringLiteral("TESLIM_TRH")] = QDateTime(QDate(2024, 1, 1), QTime(0, 0));
    EXPECT_FALSE(ParcaSatirKontrol(db, ctx, b, s));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Teslim Tarihi Araç Giriş Tarihinden Küçük Olamaz!"));
    s = b.parcalar[0];
    s[QStringLiteral("DOVIZ_KODU")] = QStringLiteral("GBP");
    s[QStringLiteral("FYT_DOVIZ")] = 3.0;
    EXPECT_FALSE(ParcaSatirKontrol(db, ctx, b, s)); // no rate: never booked at 1

    db.exec(QStringLiteral("UPDATE ISEMRI SET KAPANDI = 'E'"));
    IsDetayBelgesi k = IsDetayYukle(db, ctx, wo);
    EXPECT_FALSE(YPDuzenle(ctx, k));
    EXPECT_EQ(messages.lastText(), QStringLiteral("İşemri Kapalı yada Seçilmemiş!"));
    // a save started before the close is refused, nothing written
    EXPECT_FALSE(IsDetayKaydet(db, ctx, b).kaydedildi);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ISEAYRIN")), 0);
    ctx.AktifKullanici.diger20 = QStringLiteral("H");
    EXPECT_FALSE(YPDuzenle(ctx, k));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Yedek Parça Düzeltme Yetkiniz Yok..."));
}

TEST_F(PartsIssueTest, StockSearchBindsTheTypedText)
{
    db.exec(QStringLiteral("UPDATE STOK SET ESKI_PART_NO = 'A-3' WHERE STOK_NO = 1"));
    const auto kodlar = [&](int mod, const QString& t) {
        QVariantMap binds;
        Query q(db, StokAramaSorgusu(mod, t, u'T', binds));
        q.bindAll(binds).exec();
        QStringList out;
        while (q.next())
            out << q.str(QStringLiteral("STOK_KOD_NO"));
        return out;
    };
    EXPECT_EQ(kodlar(0, QStringLiteral("-1")), QStringList({QStringLiteral("P-1")}));
    // old numbers of the codes that start with the text come along
    EXPECT_EQ(kodlar(0, QStringLiteral("P-1")), QStringList({QStringLiteral("A-3"), QStringLiteral("P-1")}));
    EXPECT_TRUE(kodlar(1, QStringLiteral("' OR '1'='1")).isEmpty());
}

} // namespace

namespace {
class BatchSerialTest : public PartsIssueTest {
protected:
    void SetUp() override
    {
        PartsIssueTest::SetUp();
        WriteSetting(QStringLiteral("Kalvesa"), QStringLiteral("SERVIS"), QStringLiteral("OzelFirmaId"),
                     QString::number(ctx.FirmaId));
        db.exec(QStringLiteral("UPDATE STOK SET SERITAKIP = 'E' WHERE STOK_NO = 1"));
        // Batch A has 2 in stock, batch B 1.
        receiveBatch(QStringLiteral("PARTI-A"), 2);
        receiveBatch(QStringLiteral("PARTI-B"), 1);
    }
    void TearDown() override
    {
        WriteSetting(QStringLiteral("Kalvesa"), QStringLiteral("SERVIS"), QStringLiteral("OzelFirmaId"), QString());
        PartsIssueTest::TearDown();
    }
    void receiveBatch(const QString& seri, double miktar)
    {
        stock::DepoHrkSatiri s = stock::DepoHrkHareket(u'A', 1, {}, 1, QStringLiteral("1"),
                                                       QDateTime(QDate(2025, 1, 2), QTime(9, 0)), miktar, 10.0);
        s.SERINO = seri;
        stock::DepoHrkYaz(db, stock::DepoHrkBelge::Belge(++slip, u'A'), {s});
    }
};
} // namespace

TEST_F(BatchSerialTest, ATrackedPartWaitsForItsBatchAndTheIssueTakesIt)
{
    IsDetayBelgesi b = load();
    ASSERT_EQ(AlisEkle(db, ctx, b, 1), 0);
    EXPECT_EQ(b.parcalar[0].value(QStringLiteral("SERINO")).toString(), QStringLiteral("SERI/PARTI NO GIRINIZ"));
    EXPECT_NO_THROW(SeriNoSecilebilir(db, b, b.parcalar[0]));
    EXPECT_EQ(PartiSeriKalan(db, 1, QStringLiteral("PARTI-A")), 2);

    struct Case {
        const char* name;
        QString seri;
        double miktar;
        bool saved;
    };
    const QList<Case> cases{
        {"the placeholder has no stock", QStringLiteral("SERI/PARTI NO GIRINIZ"), 1, false},
        {"more than the batch holds", QStringLiteral("PARTI-B"), 2, false},
        {"an unknown batch", QStringLiteral("PARTI-X"), 1, false},
        {"within the batch", QStringLiteral("PARTI-A"), 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        b.parcalar[0][QStringLiteral("SERINO")] = c.seri;
        b.parcalar[0][QStringLiteral("STOK_MIKTAR")] = c.miktar;
        b.parcalar[0][QStringLiteral("TESLIM_MIKTAR")] = c.miktar;
        const YPKayitSonucu r = IsDetayKaydet(db, ctx, b);
        EXPECT_EQ(r.kaydedildi, c.saved);
        if (!c.saved) {
            EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Hata:Parti/Seri yetersiz/tanımsız stok")});
            EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ISEAYRIN")), 0);
        }
    }
    // The line and its issue movement carry the batch, in the same save.
    EXPECT_EQ(scalar(QStringLiteral("SELECT SERINO FROM ISEAYRIN")).toString(), QStringLiteral("PARTI-A"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT SERINO FROM DEPOHRK WHERE TIP = 'I'")).toString(), QStringLiteral("PARTI-A"));
    EXPECT_EQ(PartiSeriKalan(db, 1, QStringLiteral("PARTI-A")), 0);
    EXPECT_EQ(PartiSeriKalan(db, 1, QStringLiteral("PARTI-B")), 1);
}

TEST_F(BatchSerialTest, DeliveredLinesKeepTheirBatchAndStay)
{
    IsDetayBelgesi b = load();
    ASSERT_EQ(AlisEkle(db, ctx, b, 1), 0);
    ASSERT_EQ(AlisEkle(db, ctx, b, 2), 1);
    b.parcalar[0][QStringLiteral("SERINO")] = QStringLiteral("PARTI-A");
    b.parcalar[0][QStringLiteral("TESLIM_MIKTAR")] = 1.0;
    b.parcalar[1][QStringLiteral("TESLIM_MIKTAR")] = 0.0;
    ASSERT_TRUE(IsDetayKaydet(db, ctx, b).kaydedildi) << messages.texts().join(QLatin1Char('\n')).toStdString();
    b = load();
    struct Case {
        const char* name;
        std::function<void()> action;
        QString message;
    };
    const QList<Case> cases{
        {"changing the batch of a delivered line", [&] { SeriNoDegisebilir(b, b.parcalar[0]); },
         QStringLiteral("Teslim edilen seri/parti mevcut! Bunlar iade edilmeden seri/parti değiştirilemez!")},
        {"picking a batch for an untracked part", [&] { SeriNoSecilebilir(db, b, b.parcalar[1]); },
         QStringLiteral("Bu üründe parti/seri no takibi yok!")},
        {"deleting a delivered line", [&] { ParcaSatirSil(db, ctx, b, 0); },
         QStringLiteral("Teslim edilen miktar mevcut! Bunlar iade edilmeden silinemez!")},
    };
    for (const Case& c : cases) {
        messages.clear();
        EXPECT_FALSE(Guard(c.action)) << c.name;
        EXPECT_EQ(messages.texts(), QStringList{c.message}) << c.name;
    }
    EXPECT_EQ(b.parcalar.size(), 2);
    EXPECT_EQ(b.parcalar[0].value(QStringLiteral("SERINO")).toString(), QStringLiteral("PARTI-A"));
}

TEST_F(PartsIssueTest, F9AddsThePartOfABarcodeAndRefusesAnUnknownOne)
{
    db.exec(QStringLiteral("UPDATE STOK SET BARKOD = '8690000000011' WHERE STOK_NO = 2"));
    IsDetayBelgesi b = load();
    struct Case {
        const char* name;
        QString barkod;
        QString stokHakki;
        int lines;         // parts lines afterwards
        QString message;   // empty: none
    };
    const QList<Case> cases{
        {"an unknown barcode", QStringLiteral("1234"), QStringLiteral("Y"), 0,
         QStringLiteral("Aranan Barkod Bir Ürüne Atanmamış.")},
        {"a typed part of the barcode", QStringLiteral("869000"), QStringLiteral("Y"), 0,
         QStringLiteral("Aranan Barkod Bir Ürüne Atanmamış.")},
        {"a user who may only look", QStringLiteral("8690000000011"), QStringLiteral("O"), 0,
         QStringLiteral("Aranan Barkod Bir Ürüne Atanmamış.")},
        {"the barcode of a part", QStringLiteral("8690000000011"), QStringLiteral("Y"), 1, QString()},
    };
    for (const Case& c : cases) {
        messages.clear();
        ctx.AktifKullanici.stok = c.stokHakki;
        Guard([&] { BarkodlaEkle(db, ctx, b, c.barkod); });
        EXPECT_EQ(b.parcalar.size(), c.lines) << c.name;
        EXPECT_EQ(messages.texts(), c.message.isEmpty() ? QStringList{} : QStringList{c.message}) << c.name;
    }
    EXPECT_EQ(b.parcalar.value(0).value(QStringLiteral("STOK_NO")).toDouble(), 2);
}
