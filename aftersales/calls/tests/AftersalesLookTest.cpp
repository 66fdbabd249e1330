#include "aftersales/AftersalesEntry.h"
#include "aftersales/AftersalesSchema.h"
#include "aftersales/calls/forms/AraPeriyotTanim.h"
#include "aftersales/calls/forms/SerAramaSorgu.h"
#include "aftersales/calls/forms/ServisAramaPer.h"
#include "aftersales/claims/forms/Claimvarnek.h"
#include "aftersales/claims/forms/brClaim.h"
#include "connection/DialogRunner.h"
#include "mainwindow/A_Pro.h"
#include "report/RaporCikti.h"
#include "report/ReportPaint.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "sql/SqlHelpers.h"
#include "startup/EmbeddedDemo.h"
#include "testsupport/TestSupport.h"

#include <QDateEdit>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>

namespace tornaly::aftersales {
namespace {

class AftersalesLookTest : public test::DbTest {
protected:
    void registerSchema() override { aftersales::RegisterSchema(); }
    void TearDown() override
    {
        SetModalRunner({});
        Targets().clear();
        DbTest::TearDown();
    }
    void keep(QWidget* w, const char* name)
    {
        QApplication::processEvents();
        const QString dir = qEnvironmentVariable("TORNALY_LOOK_DIR");
        if (!dir.isEmpty()) {
            QDir().mkpath(dir);
            w->grab().save(QDir(dir).filePath(QString::fromLatin1(name)));
        }
    }
};

// The demo company's claims and due calls, opened the way a user reaches
// them; with TORNALY_LOOK_DIR set the windows are kept there as pictures.
TEST_F(AftersalesLookTest, DemoClaimsAndCallsFromTheMainWindow)
{
    Targets().clear();
    RegisterEntryPoints();
    RunDemoSeeds(db);
    EXPECT_EQ(SqlLookup(db, QStringLiteral("SELECT COUNT(*) FROM CLAIMM")).toInt(), 2);
    EXPECT_GE(SqlLookup(db, QStringLiteral("SELECT COUNT(*) FROM PERIYOT WHERE SAT_SER = 'S'")).toInt(), 3);
    EXPECT_GE(SqlLookup(db, QStringLiteral("SELECT COUNT(*) FROM ARAMAPER WHERE MUS_TIP = 'S'")).toInt(), 3);
    ctx.Database1 = db;
    ctx.CalismaYiliNo = QDate::currentDate().year();
    ctx.AktifKullanici.diger16 = QStringLiteral("T");

    int listed = 0, claimed = 0, others = 0;
    SetModalRunner([&](QDialog& d) {
        d.show();
        if (auto* f = qobject_cast<TFormSerAramaSorgu*>(&d)) {
            ++listed;
            // The list keeps to its period; the demo's open calls show once
            // the period reaches back to them.
            const QDate bitis = f->enddate();
            f->DtBas->setDate(bitis.addYears(-3));
            f->BtnFiltrele->click();
            EXPECT_GE(f->rowCount(), 1); // open calls of the delivered work orders
            keep(f, "call-list.png");
            const QString dir = qEnvironmentVariable("TORNALY_LOOK_DIR");
            if (!dir.isEmpty() && listed == 1) {
                report::SetPreviewHook([&](const report::Document& doc) {
                    report::PageImage(doc, 0, 110).save(QDir(dir).filePath(QStringLiteral("call-list-print.png")));
                });
                f->BtnYazdir->click();
                report::SetPreviewHook([&](const report::Document& doc) {
                    report::PageImage(doc, 0, 110).save(QDir(dir).filePath(QStringLiteral("call-labels.png")));
                });
                f->ChkTelEtiket->setChecked(true);
                f->BtnEtiket->click();
                report::SetPreviewHook({});
            }
        } else if (auto* b = qobject_cast<TFormClaimBr*>(&d)) {
            EXPECT_EQ(b->rowCount(), 2);
            keep(b, "claim-list.png");
            b->Grid->setCurrentIndex(b->Grid->model()->index(0, 0));
            b->BtnDuzenle->click();
        } else if (auto* p = qobject_cast<TFormAraPeriyotTanim*>(&d)) {
            ++others;
            EXPECT_GE(p->DBGrid1->rowCount(), 4);
            keep(p, "call-periods.png");
        } else if (auto* w = qobject_cast<TFormServisAramaPer*>(&d)) {
            ++others;
            EXPECT_GE(w->Grid->rowCount(), 3);
            keep(w, "work-order-calls.png");
        } else if (auto* c = qobject_cast<TFormClaim2*>(&d)) {
            ++claimed;
            keep(c, "claim-form.png");
            // The warranty card: one card per part row, with the claim's details.
            QList<report::Document> kartlar;
            report::SetPreviewHook([&](const report::Document& doc) { kartlar << doc; });
            c->BtnGarKarti->click();
            report::SetPreviewHook({});
            EXPECT_EQ(kartlar.size(), 1);
            if (!kartlar.isEmpty()) {
                const QStringList t = kartlar.first().texts(1);
                for (const char* s : {"İşemri No:", "Talep No:", "Hasar No:", "E0210", "SLC-MTR-ON", "Servis Onay",
                                      "ÖN SİLECEK MOTORU ÇALIŞMIYOR"})
                    EXPECT_TRUE(t.join(QLatin1Char('|')).contains(QString::fromUtf8(s))) << s;
                const QString dir = qEnvironmentVariable("TORNALY_LOOK_DIR");
                if (!dir.isEmpty())
                    report::PageImage(kartlar.first(), 0, 110).save(QDir(dir).filePath(QStringLiteral("warranty-card.png")));
            }
            if (!qEnvironmentVariable("TORNALY_LOOK_DIR").isEmpty()) {
                auto* tabs = c->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
                for (int i = 1; tabs && i < tabs->count(); ++i) {
                    tabs->setCurrentIndex(i);
                    keep(c, QStringLiteral("claim-form-%1.png").arg(i).toLatin1().constData());
                }
            }
        }
        d.hide();
        return int(QDialog::Rejected);
    });
    TAnaForm main(ctx);
    main.resize(1366, 768);
    main.show();
    QApplication::processEvents(); // the start-up call of the due list
    EXPECT_EQ(listed, 0) << "no demo call is due today: the start-up opens nothing";
    main.triggerCommand(QStringLiteral("MusteriAramaSorgu1"));
    EXPECT_EQ(listed, 1);

    OpenRequest r;
    r.target = QString::fromLatin1(entry::ClaimListeSec);
    r.ctx = &ctx;
    r.owner = &main;
    Targets().routine(r.target)(r);
    EXPECT_EQ(claimed, 1);

    // The period editor of the maintenance window and the work order's call view.
    r.target = QString::fromLatin1(entry::AraPeriyotGoster);
    Targets().routine(r.target)(r);
    r.target = QString::fromLatin1(entry::ShowServisAramaPer);
    r.key = SqlLookup(db, QStringLiteral("SELECT MIN(IE_NO) FROM ARAMAPER WHERE MUS_TIP = 'S'")).toString();
    Targets().routine(r.target)(r);
    EXPECT_EQ(others, 2);
}

} // namespace
} // namespace tornaly::aftersales
