#pragma once
#include "../../../workshop/workorders/tests/WorkOrderFixture.h"
#include "invoicing/workorder/IEFatura.h"

namespace tornaly::test {

// A work order W000001 of customer M001 with two part lines (one issued in
// full, one warranty) and two labour lines, stock cards for its parts and a
// 30-day call-back period.
class InvoiceTest : public WorkOrderTest {
protected:
    void registerSchema() override;
    void SetUp() override;

    void addPart(const QString& ie, int sira, const QString& kod, double istenen, double verilen, double fiyat,
                 const QString& garanti = QStringLiteral("M"), double isk = 0, const QString& exp = {});
    void addLabour(const QString& ie, int sira, const QString& kod, double sure, double fiyat,
                   const QString& garanti = QStringLiteral("M"), const QString& grup = {}, const QString& exp = {});
    void addStockCard(const QString& kod, double maliyet = 0);
    // Builds a kind-I invoice of a work order (answers no questions).
    invoicing::IEFatura build(const QString& ie, const QString& tur = QStringLiteral("I"));
    double stockOf(const QString& kod);
    double ledgerOf(const QString& kod);

    QDate invoiceDay = QDate(2025, 3, 1);
};

} // namespace tornaly::test
