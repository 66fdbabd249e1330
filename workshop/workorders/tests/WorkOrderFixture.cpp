#include "WorkOrderFixture.h"

namespace tornaly::test {

void WorkOrderTest::SetUp()
{
    VehicleTest::SetUp();
    ctx.AktifKullanici.isemri = QStringLiteral("Y");
    ctx.AktifKullanici.per_kod = QStringLiteral("P1");
    addCustomer(QStringLiteral("M001"), QStringLiteral("AYŞE YILMAZ"));
}

void WorkOrderTest::addCustomer(const QString& kod, const QString& ad)
{
    insert(QStringLiteral("CARI"), {{QStringLiteral("CARI_KOD"), kod}, {QStringLiteral("FIRMA_ADI"), ad}});
}

void WorkOrderTest::addWorkOrder(const QString& no, const QString& sase, double km, const QString& tip,
                                 const QString& kapandi, const QDate& giris, const QString& plaka)
{
    insert(QStringLiteral("ISEMRI"), {{QStringLiteral("IS_EMRI_NO"), no},
                                      {QStringLiteral("FYILI"), giris.year()},
                                      {QStringLiteral("SASI_NO"), sase},
                                      {QStringLiteral("PLAKA_NO"), plaka},
                                      {QStringLiteral("KM"), km},
                                      {QStringLiteral("IE_TIP"), tip},
                                      {QStringLiteral("KAPANDI"), kapandi},
                                      {QStringLiteral("IPTAL"), QStringLiteral("H")},
                                      {QStringLiteral("CARI_KOD"), QStringLiteral("M001")},
                                      {QStringLiteral("ARAC_GIRIS_TRH"), QDateTime(giris, QTime(0, 0))}});
}

QVariantMap WorkOrderTest::validRow()
{
    QVariantMap r = workshop::YeniIsEmriSatiri(db, ctx);
    r[QStringLiteral("IE_TIP")] = QStringLiteral("A");
    r[QStringLiteral("SASI_NO")] = QStringLiteral("VF1AAA11111111111");
    r[QStringLiteral("PLAKA_NO")] = QStringLiteral("34AB12");
    r[QStringLiteral("CARI_KOD")] = QStringLiteral("M001");
    r[QStringLiteral("ARAC_TIP")] = QStringLiteral("VRN1600");
    r[QStringLiteral("KM")] = 15000.0;
    r[QStringLiteral("TESLIM_TRH")] = QDateTime(QDate(2023, 5, 2), QTime(0, 0));
    return r;
}

} // namespace tornaly::test
