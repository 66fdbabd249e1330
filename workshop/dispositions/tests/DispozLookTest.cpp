#include "testsupport/TestSupport.h"
#include "workshop/WorkshopSchema.h"
#include "mainwindow/A_Pro.h"
#include "mainwindow/Targets.h"
#include "startup/EmbeddedDemo.h"
#include "workshop/WorkshopEntry.h"
#include "workshop/dispositions/forms/SatirGrid.h"
#include "workshop/dispositions/forms/dispoz.h"
#include "workshop/partsissue/forms/IsDetayForm.h"
#include "workshop/workorders/forms/IsEmri.h"
#include "workshop/workorders/forms/IEBr.h"
#include "connection/DialogRunner.h"
#include "workshop/labour/forms/SecFrt.h"

#include <QAction>
#include <QLabel>
#include <QShortcut>
#include <QTest>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace tornaly;
using namespace tornaly::workshop;

namespace {

class DispozLookTest : public test::DbTest {
protected:
    void registerSchema() override { workshop::RegisterSchema(); }
    QVariant scalar(const QString& sql)
    {
        Query q(db, sql);
        q.exec();
        return q.next() ? q.value(0) : QVariant();
    }
};

template <typename T>
T* openForm(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<T*>(w); f && f->objectName() == QLatin1String(name) && f->isVisible())
            return f;
    return nullptr;
}

// The demo company's open maintenance work order on the dispositions and the
// parts issue, opened from the main window's tiles the way the workshop does;
// with TORNALY_LOOK_DIR set the windows are kept there as pictures.
TEST_F(DispozLookTest, DemoWorkOrderFromTheMainWindow)
{
    Targets().clear();
    workshop::RegisterEntryPoints();
    RunDemoSeeds(db);
    const QString no = scalar(QStringLiteral("SELECT IS_EMRI_NO FROM ISEMRI WHERE DISPOZ_YAP = 'E'")).toString();
    ASSERT_FALSE(no.isEmpty());
    ctx.Database1 = db;
    ctx.CalismaYiliNo = QDate::currentDate().year();
    auto& u = ctx.AktifKullanici;
    u.stok = u.dispoz = u.diger20 = u.iefatura = u.ie_ackapat = QStringLiteral("Y");
    u.per_kod = QStringLiteral("P1");
    const QString dir = qEnvironmentVariable("TORNALY_LOOK_DIR");
    auto keep = [&](QWidget* w, const char* name) {
        QApplication::processEvents();
        if (!dir.isEmpty()) {
            QDir().mkpath(dir);
            w->grab().save(QDir(dir).filePath(QString::fromLatin1(name)));
        }
    };
    TAnaForm main(ctx);
    main.resize(1366, 768);
    main.show();

    main.triggerCommand(QStringLiteral("TileIsemriKapat"));
    auto* d = openForm<TFormDispoz>("FormDispoz");
    ASSERT_NE(d, nullptr);
    d->Edit2->setText(no);
    d->Edit2KeyPress();
    EXPECT_EQ(d->GridParca->rowCount(), 4);
    EXPECT_EQ(d->GridIscilik->rowCount(), 2);
    d->EditFRT->setText(QStringLiteral("KLIMA"));
    d->EditFRTKeyPress();
    ASSERT_GE(d->GridFrt->rowCount(), 1);
    d->GridFrt->setCurrentCell(0, 0);
    d->FRTEkle();
    EXPECT_EQ(d->GridIscilik->rowCount(), 3);
    keep(d, "dispositions-editing.png");
    d->BtnSakla->click();
    EXPECT_FALSE(d->edit_mod);
    keep(d, "dispositions-saved.png");
    // The labour commands' windows, pictured as they open.
    {
        QStringList acilan;
        const ModalRunner once = SetModalRunner([&](QDialog& w) {
            acilan << w.objectName();
            w.resize(w.sizeHint().expandedTo(w.size()));
            w.show();
            keep(&w, (QStringLiteral("dispositions-") + w.objectName() + QStringLiteral(".png")).toLatin1().constData());
            w.hide();
            return int(QDialog::Rejected);
        });
        d->GridIscilik->setCurrentCell(0, 0);
        d->IscilikParcaSec1->trigger();
        // F8 has no menu item; its key opens the editor.
        for (QShortcut* k : d->findChildren<QShortcut*>())
            if (k->key() == QKeySequence(Qt::Key_F8))
                emit k->activated();
        SetModalRunner(once);
        EXPECT_EQ(acilan, (QStringList{QStringLiteral("FormSecFrt"), QStringLiteral("FormFRTSTK")}));
    }
    d->close();

    main.triggerCommand(QStringLiteral("TileIsemriYedekParca"));
    auto* p = openForm<TFormIsDetay>("FormIsDetay");
    ASSERT_NE(p, nullptr);
    p->EdAra->setText(no);
    p->EdAraKeyPress();
    p->BtnDuzenle->click();
    ASSERT_TRUE(p->Belge.duzenleme);
    p->EdStokAra->setText(QStringLiteral("28800"));
    p->EdStokAraKeyPress();
    ASSERT_GE(p->GridStok->rowCount(), 1);
    p->GridStok->setCurrentCell(0, 0);
    p->GridStokDblClick();
    keep(p, "parts-issue-editing.png");
    p->BtnKaydet->click();
    EXPECT_FALSE(p->Belge.duzenleme);
    keep(p, "parts-issue-saved.png");
    p->BtnSikayetGoster->click();
    keep(p, "parts-issue-complaints.png");
    // "İş Emri &Açma": the shared card on this work order.
    p->ActIsEmriAcma->trigger();
    auto* kart = openForm<TFormIsEmri>("FormIsEmri");
    ASSERT_NE(kart, nullptr);
    EXPECT_EQ(kart->EdIsEmriNo->text(), no);
    kart->resize(1200, 720);
    keep(kart, "card-from-parts-issue.png");
    kart->Kart.iptal();
    kart->close();
    p->close();

    // The vehicle that came back: its service note and past work orders.
    const QString gecmis = scalar(QStringLiteral("SELECT MAX(IS_EMRI_NO) FROM ISEMRI WHERE SASI_NO = 'VNK1SED2023000342'")).toString();
    TFormIsEmri* k = PaylasilanIsEmriKarti(ctx, &main);
    k->Kart.iptal();
    k->isemriac(gecmis);
    k->resize(1200, 720);
    EXPECT_TRUE(k->LblUyari->isVisible());
    keep(k, "card-service-note.png");
    k->BtnGecmis->click();
    auto* g = openForm<QDialog>("FormIEGecmis");
    ASSERT_NE(g, nullptr);
    g->resize(1200, 600);
    keep(g, "card-past-work-orders.png");
    g->close();
    ShowIEGecmisPrcIsc(ctx, QStringLiteral("VNK1SED2023000342"), {}, &main);
    auto* pi = openForm<QDialog>("FormIEGecmisPrcIsc");
    ASSERT_NE(pi, nullptr);
    pi->resize(1200, 600);
    keep(pi, "vehicle-parts-and-labour.png");
    pi->close();
    k->close();
    Targets().clear();
}

} // namespace
