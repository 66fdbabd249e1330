#include "invoicing/InvoicingSchema.h"
#include "invoicing/maintenance/FaturaOnarim.h"
#include "stock/ledger/StokMik.h"
#include "stock/maintenance/StokOnarim.h"
#include "testsupport/TestSupport.h"
#include "workshop/maintenance/IsEmriOnarim.h"

using namespace tornaly;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

// Documents of every kind, some of whose lines and stock movements lost
// their document; the clean-up steps come from the subsystems that own them.
class FaturaOnarimTest : public test::DbTest {
protected:
    void registerSchema() override { invoicing::RegisterSchema(); }
    void SetUp() override
    {
        DbTest::SetUp();
        stock::UnregisterBelgeTemizlikleri();
        invoicing::RegisterFaturaTemizlikleri();
        workshop::RegisterIsEmriTemizlikleri();
        const char* satirlar[] = {
            // Sales and purchases are read by their steps before their own tables exist here.
            "CREATE TABLE SATIS (SATIS_NO DOUBLE PRECISION PRIMARY KEY, TIP VARCHAR(1))",
            "CREATE TABLE SATISAYR (SATIS_NO DOUBLE PRECISION, SIRA INTEGER)",
            "CREATE TABLE ALIS (ALIS_NO DOUBLE PRECISION PRIMARY KEY, TIP VARCHAR(1))",
            "CREATE TABLE ALISAYR (ALIS_NO DOUBLE PRECISION, SIRA INTEGER)",
            "INSERT INTO SATIS VALUES (10, 'İ')",
            "INSERT INTO SATIS VALUES (11, 'S')",
            "INSERT INTO SATISAYR VALUES (10, 1)",
            "INSERT INTO SATISAYR VALUES (99, 1)",
            "INSERT INTO ALIS VALUES (20, 'F')",
            "INSERT INTO ALISAYR VALUES (20, 1)",
            "INSERT INTO ALISAYR VALUES (77, 1)",
            "INSERT INTO SERFAT (SATIS_NO) VALUES (30)",
            "INSERT INTO SERFATDT (SATIS_NO, SIRA, PARCA_ISCILIK, KDV) VALUES (30, 1, 'P', 20)",
            "INSERT INTO SERFATDT (SATIS_NO, SIRA, PARCA_ISCILIK, KDV) VALUES (31, 1, 'P', 20)",
            "INSERT INTO ISEMRI (IS_EMRI_NO) VALUES ('W000001')",
            "INSERT INTO ISEAYRIN (ISEMRI_NO, FYILI, SIRANO) VALUES ('W000001', 2026, 1)",
            "INSERT INTO ISEAYRIN (ISEMRI_NO, FYILI, SIRANO) VALUES ('W000009', 2026, 1)",
            "INSERT INTO ISCILIK (ISEMRI_NO, FYILI, SIRANO) VALUES ('W000009', 2026, 1)",
            "INSERT INTO DEPOHRK (SATISNO, TIP, STOK_NO, DEPO_KODU, CIKMIK) VALUES (10, 'S', 1, '1', 1)",
            "INSERT INTO DEPOHRK (SATISNO, TIP, STOK_NO, DEPO_KODU, CIKMIK) VALUES (11, 'S', 1, '1', 1)",
            "INSERT INTO DEPOHRK (SATISNO, TIP, STOK_NO, DEPO_KODU, CIKMIK) VALUES (99, 'S', 1, '1', 1)",
            "INSERT INTO DEPOHRK (SATISNO, TIP, STOK_NO, DEPO_KODU, GIRMIK) VALUES (20, 'A', 1, '1', 5)",
            "INSERT INTO DEPOHRK (SATISNO, TIP, STOK_NO, DEPO_KODU, CIKMIK) VALUES (30, 'C', 1, '2', 1)",
            "INSERT INTO DEPOHRK (SATISNO, TIP, STOK_NO, DEPO_KODU, CIKMIK) VALUES (31, 'C', 1, '2', 1)",
            "INSERT INTO DEPOHRK (ISEMRINO, TIP, STOK_NO, DEPO_KODU, CIKMIK) VALUES ('W000001', 'I', 1, '2', 1)",
            "INSERT INTO DEPOHRK (ISEMRINO, TIP, STOK_NO, DEPO_KODU, GIRMIK) VALUES ('W000009', 'G', 1, '2', 1)",
            "INSERT INTO DEPOHRK (SATISNO, TIP, STOK_NO, DEPO_KODU, GIRMIK) VALUES (0, 'D', 1, '1', 10)",
            "INSERT INTO FISTK (HRKNO, TIP, ACIKLAMA1, PERSON_KOD, GIRDEPO) VALUES (0, 'D', 'Devir', 'P01', '1')",
            "INSERT INTO DEPOHRK (SATISNO, TIP, STOK_NO, DEPO_KODU, GIRMIK) VALUES (77, 'D', 1, '1', 4)",
        };
        for (const char* sql : satirlar)
            db.exec(S(sql));
    }
    void TearDown() override
    {
        stock::UnregisterBelgeTemizlikleri();
        DbTest::TearDown();
    }
    int say(const char* tablo, const char* kosul = "1=1")
    {
        Query q(db, S("SELECT COUNT(*) FROM %1 WHERE %2").arg(S(tablo), S(kosul)));
        q.exec();
        return q.next() ? q.value(0).toInt() : -1;
    }
};

TEST_F(FaturaOnarimTest, EachSubsystemsStepsRemoveOnlyTheirOrphansThenStockRecounts)
{
    const TOnarimSonucu s = stock::BelgeHareketleriniDuzenle(db);
    struct Beklenen {
        const char* tablo;
        const char* kosul;
        int kalan;
        const char* neden;
    };
    const Beklenen beklenen[] = {
        {"SATISAYR", "1=1", 1, "the line of a missing sale goes"},
        {"ALISAYR", "1=1", 1, "the line of a missing purchase goes"},
        {"SERFATDT", "1=1", 1, "the line of a missing work-order invoice goes"},
        {"ISEAYRIN", "1=1", 1, "the part of a missing work order goes"},
        {"ISCILIK", "1=1", 0, "the labour of a missing work order goes"},
        {"DEPOHRK", "TIP='S'", 1, "a sale of another kind and a missing sale lose their movements"},
        {"DEPOHRK", "TIP='A'", 0, "a purchase of kind F is not among İ R L E"},
        {"DEPOHRK", "TIP='C'", 1, "the invoice's movement stays, the orphan goes"},
        {"DEPOHRK", "TIP IN ('I','G')", 1, "the work order's issue stays, the orphan return goes"},
        {"DEPOHRK", "TIP='D'", 1, "the opening slip's row stays, the row of a missing slip goes"},
    };
    for (const Beklenen& b : beklenen)
        EXPECT_EQ(say(b.tablo, b.kosul), b.kalan) << b.tablo << " " << b.kosul << ": " << b.neden;

    QStringList adimlar;
    for (const auto& a : s.adimlar)
        adimlar << a.first;
    EXPECT_EQ(adimlar, (QStringList{S("Satış kalemleri"), S("Satış stok hareketleri"), S("İş emri fatura kalemleri"),
                                    S("İş emri fatura stok hareketleri"), S("Alış kalemleri"),
                                    S("Alış stok hareketleri"), S("İş emri ayrıntıları"), S("İş emri işçilikleri"),
                                    S("İş emri stok hareketleri"), S("Stok fişi kalemleri"),
                                    S("Stok fişi hareketleri"), S("Stok miktarları yeniden hesaplandı")}));
    EXPECT_TRUE(stock::StokMikFarklari(db, 1e-9).isEmpty());
}

} // namespace
