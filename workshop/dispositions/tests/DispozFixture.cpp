#include "DispozFixture.h"

#include "stock/ledger/DepoHrk.h"
#include "stock/ledger/StokMik.h"

namespace tornaly::test {

void DispozTest::SetUp()
{
    WorkOrderTest::SetUp();
    ctx.CalismaYiliNo = 2025;
    ctx.AktifKullanici.ie_ackapat = QStringLiteral("E");
    ctx.AktifKullanici.diger20 = QStringLiteral("E");
    ctx.AktifKullanici.stok = QStringLiteral("Y");
    addWorkOrder(wo, QStringLiteral("VF1AAA11111111111"), 12000);
    db.exec(QStringLiteral("UPDATE ISEMRI SET ARAC_TIP = 'VRN1600' WHERE IS_EMRI_NO = :N"), {{QStringLiteral("N"), wo}});
    addFrt(QStringLiteral("M100"), QStringLiteral("VS1"), 1.5, 200);
    addFrt(QStringLiteral("M100"), QStringLiteral("ZZ"), 1.5, 150);
    addFrt(QStringLiteral("Z200"), QStringLiteral("ZZ"), 2, 100);
    addFrt(QStringLiteral("K300"), QStringLiteral("KH1"), 1, 500);
    addPart(1, QStringLiteral("P-1"), 100);
    addPart(2, QStringLiteral("P-2"), 33.3333);
    addPart(3, QStringLiteral("A-3"), 50, QStringLiteral("A"));
    receive(1, 5);
    receive(2, 10);
    receive(3, 2);
}

void DispozTest::addFrt(const QString& kod, const QString& model, double zaman, double fiyat, double kdv,
                        const QString& kbmy, const QString& aktif)
{
    insert(QStringLiteral("FRT"), {{QStringLiteral("FRT_KODU"), kod}, {QStringLiteral("MODEL_KODU"), model},
                                   {QStringLiteral("FRT_ADI"), QStringLiteral("İşçilik ") + kod},
                                   {QStringLiteral("FRT_ZAMAN"), zaman}, {QStringLiteral("BIRIM_FIYAT_TL"), fiyat},
                                   {QStringLiteral("KDV"), kdv}, {QStringLiteral("KBMY"), kbmy},
                                   {QStringLiteral("KLEIM_TURU"), aktif}, {QStringLiteral("DOVIZ_KODU"), QStringLiteral("TL")}});
}

void DispozTest::addPart(double stokNo, const QString& kod, double fiyat, const QString& pay)
{
    insert(QStringLiteral("STOK"), {{QStringLiteral("STOK_NO"), stokNo}, {QStringLiteral("STOK_KOD_NO"), kod},
                                    {QStringLiteral("STOK_ADI_TR"), QStringLiteral("Parça ") + kod},
                                    {QStringLiteral("SAT_FYT_TL"), fiyat}, {QStringLiteral("KDV"), 18.0},
                                    {QStringLiteral("PAY"), pay}, {QStringLiteral("FYT_KUR"), QStringLiteral("TL")}});
}

void DispozTest::receive(double stokNo, double miktar, const QString& depo)
{
    stock::DepoHrkYaz(db, stock::DepoHrkBelge::Belge(++slip, u'A'),
                      {stock::DepoHrkHareket(u'A', 1, {}, stokNo, depo, QDateTime(QDate(2025, 1, 2), QTime(9, 0)),
                                             miktar, 10.0)});
}

double DispozTest::stokmik(double stokNo, const QString& depo) { return stock::StokMikMiktari(db, stokNo, depo); }

int DispozTest::ledgerRows(const QString& where)
{
    return count(QStringLiteral("SELECT COUNT(*) FROM DEPOHRK WHERE ") + where);
}

void DispozTest::expectLedgerInStep()
{
    EXPECT_TRUE(stock::StokMikFarklari(db, 1e-9).isEmpty());
}

} // namespace tornaly::test
