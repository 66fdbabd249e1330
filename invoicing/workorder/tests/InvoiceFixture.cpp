#include "InvoiceFixture.h"
#include "aftersales/AftersalesSchema.h"
#include "invoicing/InvoicingSchema.h"

namespace tornaly::test {

void InvoiceTest::registerSchema()
{
    invoicing::RegisterSchema();
    aftersales::RegisterSchema();
}

void InvoiceTest::SetUp()
{
    WorkOrderTest::SetUp();
    ctx.AktifKullanici.iefatura = QStringLiteral("Y");
    ctx.AktifKullanici.u_type = QStringLiteral("A");
    ctx.DonemBasTarih = QDate(2025, 1, 1);
    ctx.DonemBitTarih = QDate(2025, 12, 31);
    ctx.CalismaYili = QStringLiteral("2025");
    addWorkOrder(QStringLiteral("W000001"), QStringLiteral("VF1AAA11111111111"), 15000);
    addStockCard(QStringLiteral("YAGFILTRE"), 50);
    addStockCard(QStringLiteral("BALATA"), 80);
    addPart(QStringLiteral("W000001"), 1, QStringLiteral("YAGFILTRE"), 2, 2, 100.0, QStringLiteral("M"), 10);
    addPart(QStringLiteral("W000001"), 2, QStringLiteral("BALATA"), 1, 1, 400.0, QStringLiteral("G"));
    addLabour(QStringLiteral("W000001"), 1, QStringLiteral("BAKIM"), 1.5, 200.0);
    addLabour(QStringLiteral("W000001"), 2, QStringLiteral("NOT1"), 0, 0, QStringLiteral("M"), QStringLiteral("A"));
    insert(QStringLiteral("PERIYOT"), {{QStringLiteral("SAT_SER"), QStringLiteral("S")},
                                       {QStringLiteral("ARA_TIP"), QStringLiteral("1")},
                                       {QStringLiteral("PER_GUN"), 30}});
}

void InvoiceTest::addPart(const QString& ie, int sira, const QString& kod, double istenen, double verilen,
                          double fiyat, const QString& garanti, double isk, const QString& exp)
{
    QVariantMap r{{QStringLiteral("ISEMRI_NO"), ie},      {QStringLiteral("FYILI"), 2025},
                  {QStringLiteral("SIRANO"), sira},       {QStringLiteral("STOK_KOD_NO"), kod},
                  {QStringLiteral("YEDEK_P_ADI"), kod},   {QStringLiteral("STOK_MIKTAR"), istenen},
                  {QStringLiteral("VERILEN_MIKTAR"), verilen}, {QStringLiteral("STOK_FIYATI"), fiyat},
                  {QStringLiteral("KDV"), 20.0},          {QStringLiteral("GARANTI_TIPI"), garanti},
                  {QStringLiteral("ISK_ORAN"), isk}};
    if (!exp.isEmpty())
        r.insert(QStringLiteral("EXP"), exp);
    insert(QStringLiteral("ISEAYRIN"), r);
}

void InvoiceTest::addLabour(const QString& ie, int sira, const QString& kod, double sure, double fiyat,
                            const QString& garanti, const QString& grup, const QString& exp)
{
    QVariantMap r{{QStringLiteral("ISEMRI_NO"), ie},    {QStringLiteral("FYILI"), 2025},
                  {QStringLiteral("SIRANO"), sira},     {QStringLiteral("ARIZA_KODU"), kod},
                  {QStringLiteral("ARIZA_ADI"), kod},   {QStringLiteral("SURE"), sure},
                  {QStringLiteral("QTY"), 1},           {QStringLiteral("ISCILIK_B_FIYATI"), fiyat},
                  {QStringLiteral("KDV"), 20.0},        {QStringLiteral("GARANTI_TIPI"), garanti}};
    if (!grup.isEmpty())
        r.insert(QStringLiteral("ARIZA_GRUP"), grup);
    if (!exp.isEmpty())
        r.insert(QStringLiteral("EXP"), exp);
    insert(QStringLiteral("ISCILIK"), r);
}

void InvoiceTest::addStockCard(const QString& kod, double maliyet)
{
    const double no = count(QStringLiteral("SELECT COUNT(*) FROM STOK")) + 1;
    insert(QStringLiteral("STOK"), {{QStringLiteral("STOK_NO"), no},
                                    {QStringLiteral("STOK_KOD_NO"), kod},
                                    {QStringLiteral("STOK_ADI_TR"), kod},
                                    {QStringLiteral("MALIYET_FYT_TL"), maliyet}});
}

invoicing::IEFatura InvoiceTest::build(const QString& ie, const QString& tur)
{
    invoicing::IEFatura f = invoicing::YeniIEFatura(ctx, db, tur);
    f.set(QStringLiteral("TARIH"), QDateTime(invoiceDay, QTime(0, 0)));
    const bool ok = invoicing::IsEmriFaturaOlustur(ctx, db, f, ie, 2025);
    EXPECT_TRUE(ok) << messages.texts().join(QStringLiteral(" | ")).toStdString();
    return f;
}

double InvoiceTest::stockOf(const QString& kod)
{
    return scalar(QStringLiteral("SELECT COALESCE(SUM(M.MIKTAR), 0) FROM STOKMIK M JOIN STOK S ON S.STOK_NO = M.STOK_NO "
                                 "WHERE S.STOK_KOD_NO = :K"),
                  {{QStringLiteral("K"), kod}})
        .toDouble();
}

double InvoiceTest::ledgerOf(const QString& kod)
{
    return scalar(QStringLiteral("SELECT COALESCE(SUM(H.GIRMIK - H.CIKMIK), 0) FROM DEPOHRK H JOIN STOK S ON "
                                 "S.STOK_NO = H.STOK_NO WHERE S.STOK_KOD_NO = :K"),
                  {{QStringLiteral("K"), kod}})
        .toDouble();
}

} // namespace tornaly::test
