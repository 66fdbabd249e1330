#include "DispozFixture.h"
#include "workshop/dispositions/Dispoz.h"
#include "workshop/labour/Frt.h"
#include "workshop/partsissue/IsDetay.h"

#include <stdexcept>

using namespace tornaly;
using namespace tornaly::workshop;
using tornaly::test::DispozTest;

namespace {

class DispozSaveTest : public DispozTest {
protected:
    // A work order with one issued parts line (2 of part 1).
    void issueTwo()
    {
        IsDetayBelgesi p = IsDetayYukle(db, ctx, wo);
        ASSERT_GE(AlisEkle(db, ctx, p, 1), 0);
        p.parcalar[0][QStringLiteral("STOK_MIKTAR")] = 2.0;
        p.parcalar[0][QStringLiteral("TESLIM_MIKTAR")] = 2.0;
        ASSERT_TRUE(IsDetayKaydet(db, ctx, p).kaydedildi);
    }
    QVariantMap frt(const char* kod, const char* model) { return FrtOku(db, QString::fromLatin1(kod), QString::fromLatin1(model)); }
    QString snapshot()
    {
        QStringList out;
        for (const char* sql : {"SELECT IS_TOP_TUTAR, PAR_TOP_TUTAR, NET_TUT, GAR_TUT, DISPOZ_YAP FROM ISEMRI",
                                "SELECT SIRANO, ARIZA_KODU, ISCILIK_B_FIYATI, TOPLAM FROM ISCILIK ORDER BY SIRANO",
                                "SELECT SIRANO, STOK_FIYATI, ISK_ORAN, ARIZA_KODU FROM ISEAYRIN ORDER BY SIRANO",
                                "SELECT TIP, SIRANO, DEPO_KODU, GIRMIK, CIKMIK, FIYAT FROM DEPOHRK ORDER BY TIP, SIRANO, DEPO_KODU",
                                "SELECT STOK_NO, DEPO_KOD, MIKTAR FROM STOKMIK ORDER BY STOK_NO, DEPO_KOD",
                                "SELECT SIRANO, ARIZA_KODU, IE_SIRANO, SATILAN_SURE FROM PEROKUM ORDER BY SIRANO"}) {
            Query q(db, QString::fromLatin1(sql));
            q.exec();
            while (q.next()) {
                QStringList row;
                for (int i = 0; i < q.record().count(); ++i)
                    row << q.value(i).toString();
                out << row.join(QLatin1Char('|'));
            }
        }
        return out.join(QLatin1Char('\n'));
    }
};

TEST_F(DispozSaveTest, LabourCardsBecomeLinesPricedForTheVehicleModel)
{
    db.exec(QStringLiteral("UPDATE CARI SET IND_YUZ_ARZ = 15 WHERE CARI_KOD = 'M001'"));
    DispozBelgesi b = DispozYukle(db, wo);
    ASSERT_EQ(b.ozel1, QStringLiteral("VS1"));
    const int i = IscilikEkle(db, ctx, b, frt("M100", "ZZ"));
    ASSERT_EQ(i, 0);
    const QVariantMap& s = b.iscilikler[0];
    EXPECT_DOUBLE_EQ(s.value(QStringLiteral("ISCILIK_B_FIYATI")).toDouble(), 200); // the model's own card wins
    EXPECT_DOUBLE_EQ(s.value(QStringLiteral("TOPLAM")).toDouble(), 300);
    EXPECT_DOUBLE_EQ(s.value(QStringLiteral("ISK_ORAN")).toDouble(), 15);          // type A: IND_YUZ_ARZ
    EXPECT_EQ(s.value(QStringLiteral("GARANTI_TIPI")).toString(), QStringLiteral("M"));
    EXPECT_EQ(s.value(QStringLiteral("SIRANO")).toInt(), 1);

    EXPECT_EQ(IscilikEkle(db, ctx, b, frt("M100", "VS1")), -1);      // same code again: nothing
    EXPECT_EQ(IscilikEkle(db, ctx, b, frt("K300", "KH1")), -1);      // another labour model
    addFrt(QStringLiteral("P900"), QStringLiteral("ZZ"), 1, 1, 18, QStringLiteral("M"), QStringLiteral("P"));
    EXPECT_EQ(IscilikEkle(db, ctx, b, frt("P900", "ZZ")), -1);       // passive card
    EXPECT_EQ(IscilikEkleKod(db, ctx, b, QStringLiteral("K300")), -1);
    EXPECT_EQ(messages.lastText(), QStringLiteral("Parçaya tanımlı işçilik kodu bulunamadı!"));
    EXPECT_EQ(IscilikEkleKod(db, ctx, b, QStringLiteral("Z200")), 1);
    EXPECT_EQ(b.iscilikler.size(), 2);

    // quantity 2 doubles the amount; the kind change M -> G takes the warranty hourly price and back
    db.exec(QStringLiteral("UPDATE FRTFYT SET BR_FIYAT_TL = 80 WHERE GRUP_KOD = 'G'"));
    QVariantMap e = b.iscilikler[0];
    e[QStringLiteral("QTY")] = 2;
    e[QStringLiteral("GARANTI_TIPI")] = QStringLiteral("G");
    ASSERT_TRUE(IscilikSatirKontrol(db, ctx, b, e, QStringLiteral("M"), b.iscilikler[0]));
    EXPECT_DOUBLE_EQ(e.value(QStringLiteral("TOPLAM")).toDouble(), 80 * 1.5 * 2);
    QVariantMap geri = e;
    geri[QStringLiteral("GARANTI_TIPI")] = QStringLiteral("M");
    geri[QStringLiteral("SURE")] = 0.0; // a time of 0 goes back to the time before the edit
    ASSERT_TRUE(IscilikSatirKontrol(db, ctx, b, geri, QStringLiteral("G"), e));
    EXPECT_DOUBLE_EQ(geri.value(QStringLiteral("TOPLAM")).toDouble(), 200 * 1.5 * 2);

    // a labour line without code is refused silently; a comment line is zeroed
    QVariantMap bos{{QStringLiteral("SURE"), 1.0}};
    EXPECT_FALSE(IscilikSatirKontrol(db, ctx, b, bos, QStringLiteral(" "), {}));
}

TEST_F(DispozSaveTest, SaveWritesLinesTotalsAndOneMovementPairPerPartsLine)
{
    issueTwo();
    DispozBelgesi b = DispozYukle(db, wo);
    ASSERT_EQ(IscilikEkle(db, ctx, b, frt("M100", "VS1")), 0);
    b.iscilikler[0][QStringLiteral("GARANTI_TIPI")] = QStringLiteral("G");
    b.parcalar[0][QStringLiteral("ISK_ORAN")] = 10.0;
    ParcayaIscilikAta(b, {0}, 0);
    b.baslikDegisiklikleri.insert(QStringLiteral("KM_RESET"), 1);
    ASSERT_TRUE(DispozKaydet(db, ctx, b));
    const QVariantMap n{{QStringLiteral("N"), wo}};
    EXPECT_NEAR(scalar(QStringLiteral("SELECT NET_TUT FROM ISEMRI WHERE IS_EMRI_NO = :N"), n).toDouble(), 566.4, 1e-9);
    EXPECT_NEAR(scalar(QStringLiteral("SELECT GAR_TUT FROM ISEMRI WHERE IS_EMRI_NO = :N"), n).toDouble(), 354, 1e-9);
    EXPECT_EQ(scalar(QStringLiteral("SELECT DISPOZ_YAP FROM ISEMRI WHERE IS_EMRI_NO = :N"), n).toString(), QStringLiteral("E"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT KM_RESET FROM ISEMRI WHERE IS_EMRI_NO = :N"), n).toInt(), 1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT ARIZA_KODU FROM ISEAYRIN")).toString(), QStringLiteral("M100"));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ISCILIK")), 1);
    EXPECT_EQ(ledgerRows(QStringLiteral("TIP = 'I' AND DEPO_KODU = '1' AND CIKMIK = 2")), 1);
    EXPECT_EQ(ledgerRows(QStringLiteral("TIP = 'G' AND DEPO_KODU = '2' AND GIRMIK = 2")), 1);
    EXPECT_EQ(ledgerRows(QStringLiteral("ISEMRINO IS NOT NULL")), 2);
    EXPECT_DOUBLE_EQ(stokmik(1, QStringLiteral("1")), 3);
    EXPECT_DOUBLE_EQ(stokmik(1, QStringLiteral("2")), 2);
    expectLedgerInStep();
}

TEST_F(DispozSaveTest, AFailureHalfWayLeavesWorkOrderStockAndAttendanceAsTheyWere)
{
    issueTwo();
    insert(QStringLiteral("PEROKUM"), {{QStringLiteral("IENO"), wo}, {QStringLiteral("PER_KOD"), QStringLiteral("U1")},
                                       {QStringLiteral("TIPKOD"), QStringLiteral("I")}, {QStringLiteral("FIILISURE"), 30.0}});
    const QString before = snapshot();
    for (const char* step : {"parcalar", "iscilikler", "toplamlar", "hareketler", "pdks"}) {
        SCOPED_TRACE(step);
        DispozBelgesi b = DispozYukle(db, wo);
        ASSERT_EQ(IscilikEkle(db, ctx, b, frt("M100", "VS1")), 0);
        b.iscilikler[0][QStringLiteral("ONARAN_KISI")] = QStringLiteral("U1");
        CihazdanGelenSec(db, b, 0, QStringLiteral("U1"), {});
        b.parcalar[0][QStringLiteral("STOK_FIYATI")] = 120.0;
        messages.clear();
        const auto fail = [step](const char* at) {
            if (qstrcmp(at, step) == 0)
                throw std::runtime_error("enjekte");
        };
        EXPECT_FALSE(DispozKaydet(db, ctx, b, fail));
        EXPECT_EQ(messages.lastText(), QStringLiteral("Hata:enjekte"));
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(b.iscilikler.size(), 1); // the form keeps its changes
        EXPECT_EQ(b.pdks.size(), 1);
    }
    DispozBelgesi b = DispozYukle(db, wo);
    ASSERT_EQ(IscilikEkle(db, ctx, b, frt("M100", "VS1")), 0);
    b.iscilikler[0][QStringLiteral("ONARAN_KISI")] = QStringLiteral("U1");
    const PdksSonuc p = CihazdanGelenSec(db, b, 0, QStringLiteral("U1"), {});
    EXPECT_DOUBLE_EQ(p.zaman, 30);
    ASSERT_TRUE(DispozKaydet(db, ctx, b));
    EXPECT_EQ(scalar(QStringLiteral("SELECT ARIZA_KODU FROM PEROKUM")).toString(), QStringLiteral("M100"));
    EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT SATILAN_SURE FROM PEROKUM")).toDouble(), 1.5);
    // the mechanic is removed: the reading is released at the next save
    b = DispozYukle(db, wo);
    b.iscilikler[0][QStringLiteral("ONARAN_KISI")] = QString();
    ASSERT_TRUE(DispozKaydet(db, ctx, b));
    EXPECT_TRUE(scalar(QStringLiteral("SELECT ARIZA_KODU FROM PEROKUM")).isNull());
    expectLedgerInStep();
}

TEST_F(DispozSaveTest, WarrantyPartWithoutLabourAsksAndClosedWorkOrderRefuses)
{
    issueTwo();
    DispozBelgesi b = DispozYukle(db, wo);
    b.parcalar[0][QStringLiteral("GARANTI_TIPI")] = QStringLiteral("G");
    messages.answer(MsgNo);
    EXPECT_FALSE(DispozKaydet(db, ctx, b));
    EXPECT_EQ(messages.lastText(),
              QStringLiteral("İşçilik Ataması Yapılmamış Garantili Ürünler Var.Yine de Kayıt Saklansın mı?"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT GARANTI_TIPI FROM ISEAYRIN")).toString(), QStringLiteral("M"));

    db.exec(QStringLiteral("UPDATE ISEMRI SET KAPANDI = 'E'"));
    EXPECT_FALSE(DispozKaydet(db, ctx, b));
    EXPECT_EQ(messages.lastText(), QStringLiteral("İşemri Kapalı yada Seçilmemiş!"));
    EXPECT_EQ(IscilikEkle(db, ctx, b = DispozYukle(db, wo), frt("M100", "VS1")), -1);
}

TEST_F(DispozSaveTest, CloseAndReopenRules)
{
    EXPECT_TRUE(IsEmriKapat(db, ctx, wo));
    EXPECT_EQ(messages.lastText(), QStringLiteral("İş Emrini Kapatmak İstedeğinizden Emin misiniz?"));
    const QVariantMap n{{QStringLiteral("N"), wo}};
    EXPECT_EQ(scalar(QStringLiteral("SELECT KAPANDI FROM ISEMRI WHERE IS_EMRI_NO = :N"), n).toString(), QStringLiteral("E"));
    const QDateTime ttt = Query::toDateTime(scalar(QStringLiteral("SELECT TAHMINI_TES_TRH FROM ISEMRI"), {}));
    const QDateTime tts = Query::toDateTime(scalar(QStringLiteral("SELECT TAH_TES_SAAT FROM ISEMRI"), {}));
    EXPECT_EQ(ttt.time(), QTime(0, 0));
    EXPECT_EQ(tts.date(), QDate(1899, 12, 30));
    EXPECT_EQ(tts.time().msec(), 0);

    ctx.CalismaYiliNo = 2026;
    EXPECT_FALSE(IsEmriTekrarAc(db, ctx, wo));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Geçmiş Yılın İş Emrini Açamazsınız!"));
    ctx.CalismaYiliNo = 2025;

    // an invoice row of the work order refuses the reopen (the invoice table
    // belongs to the invoicing; a stand-in when it is not linked here)
    if (!db.dialect().tableExists(db, QStringLiteral("SERFAT"))) {
        db.exec(QStringLiteral("CREATE TABLE SERFAT (IS_EMRI_NO VARCHAR(7))"));
        db.exec(QStringLiteral("INSERT INTO SERFAT (IS_EMRI_NO) VALUES (:N)"), n);
        EXPECT_FALSE(IsEmriTekrarAc(db, ctx, wo));
        EXPECT_EQ(messages.lastText(),
                  QStringLiteral("Bu İşemrine Fatura Kesilmiş.Lütfen Fatura Değerlerini Değiştirmeden Düzeltme Yapınız. !"));
        db.exec(QStringLiteral("DROP TABLE SERFAT"));
    }

    messages.answer(MsgNo);
    EXPECT_FALSE(IsEmriTekrarAc(db, ctx, wo));
    EXPECT_TRUE(IsEmriTekrarAc(db, ctx, wo));
    EXPECT_EQ(scalar(QStringLiteral("SELECT KAPANDI FROM ISEMRI"), {}).toString(), QStringLiteral("H"));
    // reopening keeps the closing moment of this work order, writes none of another's
    EXPECT_EQ(Query::toDateTime(scalar(QStringLiteral("SELECT TAHMINI_TES_TRH FROM ISEMRI"), {})), ttt);

    ctx.AktifKullanici.ie_ackapat = QStringLiteral("H");
    EXPECT_FALSE(IsEmriKapat(db, ctx, wo));
    EXPECT_EQ(messages.lastText(), NoRightText());
}

// F6 and Ctrl+F6: the labour tied to a part code (TARIZPAR) becomes a labour
// line and the parts lines are tied to it; each refusal says why.
TEST_F(DispozSaveTest, PartsPickTheirLabourThroughTheTableOfPartsPerLabour)
{
    const auto tie = [this](const char* kod, const char* model, const char* parca) {
        insert(QStringLiteral("TARIZPAR"), {{QStringLiteral("IZP_KODU"), QString::fromLatin1(kod)},
                                            {QStringLiteral("IZP_ARAC_TIPI"), QString::fromLatin1(model)},
                                            {QStringLiteral("IZP_MALZEME"), QString::fromLatin1(parca)}});
    };
    tie("M100", "VS1", "P-1");
    tie("M100", "ZZ", "P-2");
    tie("Z200", "ZZ", "P-2"); // P-2 has two labour codes: the picker decides
    tie("K900", "ZZ", "A-3"); // no labour card for K900
    const auto part = [](const char* kod, const char* iscilik = "") {
        return QVariantMap{{QStringLiteral("STOK_KOD_NO"), QString::fromLatin1(kod)},
                           {QStringLiteral("ARIZA_KODU"), QString::fromLatin1(iscilik)}};
    };
    struct Case {
        const char* ad;
        QVariantMap parca;
        QString secim; // the picker's answer for a part with several codes
        QString mesaj; // empty: a line is added
        QString kod;   // the labour code the part is tied to
        int secimSayisi;
    } const cases[] = {
        {"one code", part("P-1"), {}, {}, QStringLiteral("M100"), 0},
        {"several codes, picked", part("P-2"), QStringLiteral("Z200"), {}, QStringLiteral("Z200"), 1},
        {"several codes, cancelled", part("P-2"), {}, {}, {}, 1},
        {"no labour for the part", part("X-9"), {}, QStringLiteral("Parçanın işçilik tanımı mevcut değil"), {}, 0},
        {"already tied", part("P-1", "Z200"), {}, QStringLiteral("İşçilik seçilmiş!"), QStringLiteral("Z200"), 0},
        {"no card for the code", part("A-3"), {}, QStringLiteral("Parçaya tanımlı işçilik kodu bulunamadı!"), {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ad);
        DispozBelgesi b = DispozYukle(db, wo);
        b.parcalar = {c.parca, part("P-1")};
        messages.clear();
        int secildi = 0;
        const int i = ParcayaIscilikSec(db, ctx, b, 0, {0}, [&](const QString& p) {
            ++secildi;
            EXPECT_EQ(p, c.parca.value(QStringLiteral("STOK_KOD_NO")).toString());
            return c.secim;
        });
        EXPECT_EQ(secildi, c.secimSayisi);
        EXPECT_EQ(messages.lastText(), c.mesaj);
        const bool eklendi = c.mesaj.isEmpty() && !c.kod.isEmpty();
        EXPECT_EQ(i >= 0, eklendi);
        EXPECT_EQ(b.iscilikler.size(), eklendi ? 1 : 0);
        EXPECT_EQ(b.parcalar[0].value(QStringLiteral("ARIZA_KODU")).toString(), c.kod);
        EXPECT_EQ(b.parcalar[1].value(QStringLiteral("ARIZA_KODU")).toString(), QString()); // not selected
        if (eklendi) {
            EXPECT_EQ(b.iscilikler[0].value(QStringLiteral("ARIZA_KODU")).toString(), c.kod);
            EXPECT_EQ(b.parcalar[0].value(QStringLiteral("ISC_SIRANO")), b.iscilikler[0].value(QStringLiteral("SIRANO")));
        }
    }

    // Ctrl+F6 ties every part to a line of its own; a second press adds nothing.
    DispozBelgesi b = DispozYukle(db, wo);
    b.parcalar = {part("P-1"), part("P-2"), part("X-9")};
    const auto z200 = [](const QString&) { return QStringLiteral("Z200"); };
    EXPECT_EQ(ParcalaraIscilikSec(db, ctx, b, z200), 2);
    EXPECT_EQ(b.iscilikler.size(), 2);
    EXPECT_EQ(b.parcalar[0].value(QStringLiteral("ARIZA_KODU")).toString(), QStringLiteral("M100"));
    EXPECT_EQ(b.parcalar[1].value(QStringLiteral("ARIZA_KODU")).toString(), QStringLiteral("Z200"));
    EXPECT_EQ(b.parcalar[1].value(QStringLiteral("ISC_SIRANO")).toInt(), 2);
    EXPECT_EQ(ParcalaraIscilikSec(db, ctx, b, z200), 0);
    EXPECT_EQ(b.iscilikler.size(), 2);
}

} // namespace
