#pragma once
#include "../../workorders/tests/WorkOrderFixture.h"
#include "workshop/attendance/PdksKayit.h"

#include <QTemporaryDir>

namespace tornaly::test {

// The workshop fixture with two badged mechanics (U1 on badge "1001", U2 on
// "1002") and a device file in a folder of its own.
class PdksTest : public WorkOrderTest {
protected:
    void SetUp() override;
    // A device-file line at its fixed positions.
    static QString satir(int sirano, const QString& kart, const QDate& gun, const QTime& saat,
                         const QString& tip = QStringLiteral("C"), const QString& ieno = {});
    // Writes the three header lines and `satirlar` as the device file; answers its path.
    QString dosya(const QStringList& satirlar);
    // A stored reading.
    void okuma(int sirano, const QString& kart, const QDate& gun, const QTime& saat, const QString& tip,
               const QString& ieno = {});
    void kisi(const QString& kod, const QString& ad, const QString& kart);
    // "HH:mm-HH:mm" of the group's intervals of a type, in start order.
    QStringList araliklar(const QString& tipkod, const QDate& gun = QDate(2026, 3, 2));
    QTemporaryDir klasor;
    const QDate gun = QDate(2026, 3, 2);
};

} // namespace tornaly::test
