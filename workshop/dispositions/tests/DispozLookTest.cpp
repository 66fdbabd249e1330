#include "testsupport/TestSupport.h"
#include "workshop/WorkshopSchema.h"
#include "mainwindow/A_Pro.h"
#include "mainwindow/Targets.h"
#include "startup/EmbeddedDemo.h"
#include "workshop/WorkshopEntry.h"
#include "workshop/dispositions/forms/SatirGrid.h"
#include "workshop/dispositions/forms/dispoz.h"
#include "workshop/partsissue/forms/IsDetayForm.h"

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
    p->close();
    Targets().clear();
}

} // namespace
