// The demo company's disposed work order through the three prints a clerk
// hands over: disposition, delivery form and opening form. With
// TORNALY_LOOK_DIR set the prints are kept there as PDF files.
#include "testsupport/TestSupport.h"
#include "mainwindow/Targets.h"
#include "startup/EmbeddedDemo.h"
#include "workshop/WorkshopEntry.h"
#include "workshop/WorkshopSchema.h"
#include "workshop/dispositions/Dispoz.h"
#include "workshop/prints/DispozYaz.h"
#include "workshop/prints/IsEmriYaz.h"

#include "report/ReportExport.h"

#include <QDir>

using namespace tornaly;
using namespace tornaly::workshop;

namespace {

class DispozYazLook : public test::DbTest {
protected:
    void registerSchema() override { workshop::RegisterSchema(); }
};

TEST_F(DispozYazLook, DemoWorkOrderPrints)
{
    Targets().clear();
    workshop::RegisterEntryPoints();
    RunDemoSeeds(db);
    // The company row the embedded demo's start-up writes.
    db.exec(QStringLiteral("INSERT INTO FIRKIM (EADI, ADR1, ADR3, ILI, TLF, FAX, MESULAD) VALUES "
                           "(:A, :R1, :R3, :I, '(0216) 555 10 20', '(0216) 555 10 21', :M)"),
            {{QStringLiteral("A"), QStringLiteral("DEMO SERVİS")}, {QStringLiteral("R1"), QStringLiteral("Sanayi Sitesi 1. Cadde No: 1")},
             {QStringLiteral("R3"), QStringLiteral("Merkez")}, {QStringLiteral("I"), QStringLiteral("İSTANBUL")},
             {QStringLiteral("M"), QStringLiteral("Ömer Işık")}});
    Query q(db, QStringLiteral("SELECT IS_EMRI_NO FROM ISEMRI WHERE DISPOZ_YAP = 'E'"));
    q.exec();
    ASSERT_TRUE(q.next());
    const QString no = q.str(QStringLiteral("IS_EMRI_NO"));
    q.finish();
    const DispozBelgesi b = DispozYukle(db, no);
    ASSERT_FALSE(b.parcalar.isEmpty());
    const DispozBaskiVerisi v = DispozBaskiOku(db, b);
    const DispozYazimi dispoz = DispozYazRaporu(v, report::ReadLayout(db, report::LayoutWorkOrder), false);
    EXPECT_TRUE(dispoz.uyari.isEmpty());
    const report::Document d = report::Render(dispoz.rapor);
    const report::Document g = report::Render(GarNushaYazRaporu(v, false));
    const report::PrePrintedResult a =
        report::RenderPrePrinted(IsEmriAcilisFormu(report::ReadLayout(db, report::LayoutWorkOrder), IsEmriBaskiOku(db, no)));
    EXPECT_TRUE(a.offPage.isEmpty());
    const QString plaka = b.isemri.value(QStringLiteral("PLAKA_NO")).toString().trimmed();
    EXPECT_TRUE(d.texts(1).contains(plaka));
    EXPECT_TRUE(g.texts(1).contains(QStringLiteral("Plaka : ") + plaka));
    EXPECT_TRUE(g.texts(1).contains(QStringLiteral("DEMO SERVİS")));
    const QString dir = qEnvironmentVariable("TORNALY_LOOK_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        report::ExportDocument(d, report::ReportFormat::Pdf, QDir(dir).filePath(QStringLiteral("dispozisyon.pdf")));
        report::ExportDocument(g, report::ReportFormat::Pdf, QDir(dir).filePath(QStringLiteral("teslim-formu.pdf")));
        report::ExportDocument(a.document, report::ReportFormat::Pdf, QDir(dir).filePath(QStringLiteral("acilis-formu.pdf")));
    }
    Targets().clear();
}

} // namespace
