#pragma once
#include "../../workorders/tests/WorkOrderFixture.h"
#include "workshop/pdi/BelgeForm.h"
#include "workshop/pdi/Pdi.h"

namespace tornaly::test {

// The work-order fixture with error places and codes, a new vehicle and the
// final-check questions (type 1: a heading and three check points, one of
// them inactive; type 2: one question).
class PdiTest : public WorkOrderTest {
protected:
    void SetUp() override;
    // A stored PDI record of the chassis with the faults (place, code).
    QString addPdi(const QString& sase, const QList<std::pair<QString, QString>>& hatalar = {});
    void setSeriNo(double seri);
    int addSoru(int tip, int sira, const QString& metin, int soruTip = 0, int aktif = 1);
    static const QString kSase;
};

} // namespace tornaly::test
