#pragma once
#include "testsupport/TestSupport.h"

#include <QVariantMap>

namespace tornaly::test {

// A company database with the workshop's tables, a brand with two
// segments, colours and one model.
class VehicleTest : public DbTest {
protected:
    void registerSchema() override;
    void SetUp() override;

    void insert(const QString& table, const QVariantMap& row);
    int count(const QString& statement, const QVariantMap& binds = {});
    QVariant scalar(const QString& statement, const QVariantMap& binds = {});
    // A vehicle of the fixture's model.
    void addVehicle(const QString& sase, const QString& plaka = {}, const QString& cari = {});
};

} // namespace tornaly::test
