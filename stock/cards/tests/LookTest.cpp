#include "mainwindow/A_Pro.h"
#include "mainwindow/Targets.h"
#include "stock/StockDemo.h"
#include "stock/StockEntry.h"
#include "stock/StockSchema.h"
#include "stock/cards/StokBr.h"
#include "stock/cards/StokSakla.h"
#include "testsupport/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

using namespace tornaly;
using namespace tornaly::stock;

namespace {

class StockLookTest : public test::DbTest {
protected:
    void registerSchema() override { stock::RegisterSchema(); }
};

// Opens the stock browse from the main window's tile with the demo stock,
// then a card from the browse, the way a parts clerk does; with
// TORNALY_LOOK_DIR set the windows are kept there as pictures.
TEST_F(StockLookTest, BrowseAndCardFromTheMainWindow)
{
    {
        Transaction tx(db);
        StokDemoVerisi(db);
        tx.commit();
    }
    ctx.AktifKullanici.stok = QStringLiteral("Y");
    ctx.AktifKullanici.maliyet = QStringLiteral("Y");
    ctx.AktifKullanici.diger16 = QStringLiteral("Y");
    Targets().clear();
    stock::RegisterEntryPoints();
    const QString dir = qEnvironmentVariable("TORNALY_LOOK_DIR");
    auto keep = [&](QWidget* w, const char* name) {
        if (!dir.isEmpty()) {
            QDir().mkpath(dir);
            w->grab().save(QDir(dir).filePath(QString::fromLatin1(name)));
        }
    };
    bool sawBrowse = false, sawCard = false;
    TAnaForm main(ctx);
    main.resize(1366, 768);
    main.show();
    QTimer::singleShot(200, [&] {
        auto* br = qobject_cast<TFormStokBr*>(QApplication::activeModalWidget());
        ASSERT_NE(br, nullptr);
        sawBrowse = true;
        br->DBGrid1->setCurrentIndex(br->Liste->index(3, 1));
        QApplication::processEvents();
        keep(br, "stock-browse.png");
        QTimer::singleShot(200, [&, br] {
            auto* card = qobject_cast<TFormStokSakla*>(QApplication::activeModalWidget());
            ASSERT_NE(card, nullptr);
            sawCard = true;
            keep(card, "stock-card.png");
            card->BtnIptal->click();
            QTimer::singleShot(100, br, &QDialog::reject);
        });
        br->BtnDuzenleClick();
    });
    main.triggerCommand(QStringLiteral("TileStokKayitlari"));
    EXPECT_TRUE(sawBrowse);
    EXPECT_TRUE(sawCard);
    Targets().clear();
}

} // namespace
