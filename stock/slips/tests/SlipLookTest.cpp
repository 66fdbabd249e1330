#include "connection/DialogRunner.h"
#include "mainwindow/A_Pro.h"
#include "mainwindow/Targets.h"
#include "maintenance/ekj.h"
#include "stock/StockDemo.h"
#include "stock/StockEntry.h"
#include "stock/StockSchema.h"
#include "sql/SqlHelpers.h"
#include "stock/count/MikDevret.h"
#include "stock/slips/StkFis.h"
#include "stock/slips/StokFisBak.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace tornaly;
using namespace tornaly::stock;

namespace {

class StockSlipLookTest : public test::DbTest {
protected:
    void registerSchema() override { stock::RegisterSchema(); }
};

// With the demo stock: "Stok Fişleri" from the main window's tile, a new
// transfer from the list, and the quick count from the system window, the
// way the parts clerk reaches them; with TORNALY_LOOK_DIR set the windows are
// kept there as pictures.
TEST_F(StockSlipLookTest, SlipsAndQuickCountFromTheProgramsWindows)
{
    {
        Transaction tx(db);
        StokDemoVerisi(db);
        tx.commit();
    }
    ctx.Database1 = db;
    ctx.CalismaYiliNo = QDate::currentDate().year();
    ctx.AktifKullanici.stok = QStringLiteral("Y");
    ctx.AktifKullanici.diger06 = QStringLiteral("Y");
    ctx.AktifKullanici.per_kod = QStringLiteral("01");
    ctx.AktifKullanici.DepoTransferOnayi = true;
    Targets().clear();
    stock::RegisterEntryPoints();
    const QString dir = qEnvironmentVariable("TORNALY_LOOK_DIR");
    auto keep = [&](QWidget* w, const char* name) {
        QApplication::processEvents();
        if (!dir.isEmpty()) {
            QDir().mkpath(dir);
            w->grab().save(QDir(dir).filePath(QString::fromLatin1(name)));
        }
    };
    {
        TAnaForm main(ctx);
        main.resize(1366, 768);
        main.show();
        main.triggerCommand(QStringLiteral("TileStokFisleri"));
        auto* liste = main.findChild<TFormStokFisBak*>();
        ASSERT_NE(liste, nullptr);
        EXPECT_EQ(liste->QFis->rowCount(), 9) << "one slip of every type and an unapproved transfer";
        keep(liste, "stock-slips.png");
        liste->YeniFis(u'O');
        TFormStkFis* fis = liste->sonPencere();
        ASSERT_NE(fis, nullptr);
        fis->EditAra->setText(QStringLiteral("0"));
        fis->EditAraEnter();
        fis->StokEkle();
        keep(fis, "stock-slip-transfer.png");
        fis->BtnIptal->click();
    }

    int acilan = 0;
    SetModalRunner([&](QDialog& d) {
        if (auto* f = qobject_cast<TFormMikDevret*>(&d)) {
            ++acilan;
            f->BtnSonraki->click();
            EXPECT_EQ(f->sayfa().size(), 20);
            keep(f, "stock-quick-count.png");
        }
        return int(QDialog::Rejected);
    });
    TBakimForm sistem(ctx);
    sistem.show();
    sistem.komut(QStringLiteral("HizliSayim"))->trigger();
    EXPECT_EQ(acilan, 1);
    SetModalRunner({});
    Targets().clear();
}

} // namespace
