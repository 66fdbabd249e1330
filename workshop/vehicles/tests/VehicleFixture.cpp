#include "VehicleFixture.h"
#include "workshop/WorkshopSchema.h"

namespace tornaly::test {

void VehicleTest::registerSchema() { workshop::RegisterSchema(); }

void VehicleTest::SetUp()
{
    DbTest::SetUp();
    // The owner columns the registration lists show belong to the account
    // card; add those an older account table lacks.
    for (const char* c : {"ILI", "SEMT", "TEL2", "TEL4", "BABA_ADI"})
        if (!db.dialect().columnExists(db, QStringLiteral("CARI"), QString::fromLatin1(c)))
            db.exec(QStringLiteral("ALTER TABLE CARI ADD COLUMN %1 VARCHAR(30)").arg(QString::fromLatin1(c)));

    insert(QStringLiteral("MARKALAR"), {{QStringLiteral("MARKA_KOD"), QStringLiteral("VARNEK")}});
    insert(QStringLiteral("MARKALAR"), {{QStringLiteral("MARKA_KOD"), QStringLiteral("KORSA")}});
    insert(QStringLiteral("MODELKOD"), {{QStringLiteral("MODEL_KOD"), QStringLiteral("SEDAN")},
                                        {QStringLiteral("MODEL_AD"), QStringLiteral("SEDAN")},
                                        {QStringLiteral("MARKA"), QStringLiteral("VARNEK")},
                                        {QStringLiteral("ISCILIK_KOD"), QStringLiteral("VS1")}});
    insert(QStringLiteral("MODELKOD"), {{QStringLiteral("MODEL_KOD"), QStringLiteral("HB")},
                                        {QStringLiteral("MODEL_AD"), QStringLiteral("HATCHBACK")},
                                        {QStringLiteral("MARKA"), QStringLiteral("KORSA")},
                                        {QStringLiteral("ISCILIK_KOD"), QStringLiteral("KH1")}});
    insert(QStringLiteral("MODELKOD"), {{QStringLiteral("MODEL_KOD"), QStringLiteral("GENEL")},
                                        {QStringLiteral("MODEL_AD"), QStringLiteral("GENEL")},
                                        {QStringLiteral("MARKA"), QStringLiteral("ZZ")},
                                        {QStringLiteral("ISCILIK_KOD"), QStringLiteral("ZZ")}});
    for (const auto& r : {std::tuple{"BYZ", "BEYAZ", "D"}, std::tuple{"SYH", "SİYAH", "D"},
                          std::tuple{"GRI", "GRİ KUMAŞ", "I"}, std::tuple{"BEJ", "BEJ DERİ", "I"}})
        insert(QStringLiteral("RENK"), {{QStringLiteral("ARC_RENK_KODU"), QString::fromLatin1(std::get<0>(r))},
                                        {QStringLiteral("ARC_RENK_ADI"), QString::fromUtf8(std::get<1>(r))},
                                        {QStringLiteral("RENK_TIP"), QString::fromLatin1(std::get<2>(r))}});
    insert(QStringLiteral("MODEL"), {{QStringLiteral("ARC_MODEL_KODU"), QStringLiteral("VRN1600")},
                                     {QStringLiteral("ARC_MODEL_ADI"), QStringLiteral("VARNEK 1.6 SEDAN")},
                                     {QStringLiteral("MARKA"), QStringLiteral("VARNEK")},
                                     {QStringLiteral("MODEL"), QStringLiteral("SEDAN")},
                                     {QStringLiteral("OZEL1"), QStringLiteral("VS1")},
                                     {QStringLiteral("KDV"), 20.0},
                                     {QStringLiteral("OTV"), 45.0},
                                     {QStringLiteral("SATIS_FIYAT_TL"), 900000.0},
                                     {QStringLiteral("MOTOR_HACIM"), QStringLiteral("1598")},
                                     {QStringLiteral("MOTOR_GUC"), 85},
                                     {QStringLiteral("GOVDE_TIP"), QStringLiteral("SD")}});
}

void VehicleTest::insert(const QString& table, const QVariantMap& row)
{
    QStringList names, params;
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        names << it.key();
        params << QLatin1Char(':') + it.key();
    }
    db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(table, names.join(QLatin1Char(',')), params.join(QLatin1Char(','))),
            row);
}

int VehicleTest::count(const QString& statement, const QVariantMap& binds)
{
    return scalar(statement, binds).toInt();
}

QVariant VehicleTest::scalar(const QString& statement, const QVariantMap& binds)
{
    Query q(db, statement);
    q.bindAll(binds).exec();
    return q.next() ? q.value(0) : QVariant();
}

void VehicleTest::addVehicle(const QString& sase, const QString& plaka, const QString& cari)
{
    QVariantMap r{{QStringLiteral("SASE_NO"), sase},
                  {QStringLiteral("ARC_MODEL_KODU"), QStringLiteral("VRN1600")},
                  {QStringLiteral("ARC_MODEL_TRH"), 2024},
                  {QStringLiteral("ARC_RENK_KODU"), QStringLiteral("BYZ")}};
    if (!plaka.isEmpty())
        r.insert(QStringLiteral("PLAKA"), plaka);
    if (!cari.isEmpty())
        r.insert(QStringLiteral("CARI_KOD"), cari);
    insert(QStringLiteral("ARAC"), r);
}

} // namespace tornaly::test
