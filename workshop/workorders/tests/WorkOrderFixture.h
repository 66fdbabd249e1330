#pragma once
#include "../../vehicles/tests/VehicleFixture.h"
#include "workshop/workorders/WorkOrders.h"

namespace tornaly::test {

// The vehicle fixture with customers and a ready-to-save work-order row.
class WorkOrderTest : public VehicleTest {
protected:
    void SetUp() override;
    void addCustomer(const QString& kod, const QString& ad);
    // A stored work order of the chassis.
    void addWorkOrder(const QString& no, const QString& sase, double km, const QString& tip = QStringLiteral("A"),
                      const QString& kapandi = QStringLiteral("H"), const QDate& giris = QDate(2025, 1, 10),
                      const QString& plaka = QStringLiteral("34AB12"));
    // A new row that passes every save check (chassis, plate, type, customer,
    // first-registration date).
    QVariantMap validRow();
};

} // namespace tornaly::test
