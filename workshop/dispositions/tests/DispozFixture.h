#pragma once
#include "../../workorders/tests/WorkOrderFixture.h"

namespace tornaly::test {

// A work order W000001 of model VRN1600 (labour model VS1) for customer M001,
// labour cards, three parts with stock in the main warehouse.
class DispozTest : public WorkOrderTest {
protected:
    void SetUp() override;
    void addFrt(const QString& kod, const QString& model, double zaman, double fiyat, double kdv = 18,
                const QString& kbmy = QStringLiteral("M"), const QString& aktif = QStringLiteral("A"));
    void addPart(double stokNo, const QString& kod, double fiyat, const QString& pay = QStringLiteral("P"));
    // Puts stock into a warehouse through the ledger writer (a purchase slip).
    void receive(double stokNo, double miktar, const QString& depo = QStringLiteral("1"));
    double stokmik(double stokNo, const QString& depo);
    int ledgerRows(const QString& where);
    void expectLedgerInStep();
    const QString wo = QStringLiteral("W000001");
    double slip = 900;
};

} // namespace tornaly::test
