#include "accounts/AccountsEntry.h"
#include "accounts/AccountsSchema.h"
#include "accounts/bank/BrBanka.h"
#include "accounts/bank/BrBnkHrk.h"
#include "accounts/cards/BrCari.h"
#include "accounts/cards/CariSakla.h"
#include "accounts/cash/BrMFis.h"
#include "accounts/closing/HizliBorcKapa.h"
#include "accounts/documents/DocBr.h"
#include "mainwindow/A_Pro.h"
#include "mainwindow/Targets.h"
#include "startup/EmbeddedDemo.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>

using namespace tornaly;
using namespace tornaly::accounts;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

class BankaLookTest : public test::DbTest {
protected:
    void registerSchema() override { accounts::RegisterSchema(); }

    // Runs `fn` on the modal window the next step opens, then closes that
    // window whatever happened, so that a missing window never blocks the test.
    template <typename T>
    void acilinca(const char* ad, std::function<void(T*)> fn)
    {
        QTimer::singleShot(0, [this, ad, fn] {
            QWidget* w = QApplication::activeModalWidget();
            auto* f = qobject_cast<T*>(w);
            EXPECT_TRUE(f) << ad;
            if (f) {
                fn(f);
                sakla(f, ad);
            }
            if (auto* d = qobject_cast<QDialog*>(w))
                d->reject();
        });
    }
    void sakla(QWidget* w, const char* ad)
    {
        QApplication::processEvents();
        if (!dir.isEmpty()) {
            QDir().mkpath(dir);
            w->grab().save(QDir(dir).filePath(QString::fromLatin1(ad)));
        }
    }
    QString dir = qEnvironmentVariable("TORNALY_LOOK_DIR");
};

// The money desk of the demo company from the main window: banks and their
// statement, bank vouchers, cash slips with a new offset slip, debt closing and
// an account's documents. With TORNALY_LOOK_DIR set the windows are kept as pictures.
TEST_F(BankaLookTest, TheMoneyDeskFromTheMainWindow)
{
    Targets().clear();
    accounts::RegisterEntryPoints();
    RunDemoSeeds(db);
    ctx.Database1 = db;
    auto& u = ctx.AktifKullanici;
    u.diger09 = u.diger21 = u.cari = u.diger10 = S("Y");
    u.carichodekapa = S("H");
    TAnaForm main(ctx);
    main.resize(1366, 768);
    main.show();

    acilinca<TFormBankaBr>("banks.png", [this](TFormBankaBr* f) {
        EXPECT_EQ(f->GridBanka->rowCount(), 2);
        acilinca<QDialog>("bank-statement.png", [](QDialog*) {});
        f->BtnHesapHareketleri->click();
    });
    main.triggerCommand(S("TileBankaKayitlari"));

    acilinca<TFormBankHrkBr>("bank-vouchers.png", [this](TFormBankHrkBr* f) {
        EXPECT_GE(f->GridFis->rowCount(), 6);
        // The money columns show two decimals.
        EXPECT_TRUE(f->GridFis->item(0, 2)->text().contains(QLatin1Char(','))) << f->GridFis->item(0, 2)->text().toStdString();
        f->GridFis->selectRow(1);
        acilinca<QDialog>("bank-voucher.png", [](QDialog*) {});
        f->BtnDuzenle->click();
    });
    main.triggerCommand(S("TileBankaHareketleri"));

    acilinca<TFormMFisBr>("cash-slips.png", [this](TFormMFisBr* f) {
        EXPECT_GE(f->GridFis->rowCount(), 4);
        EXPECT_TRUE(f->GridFis->item(0, 3)->text().contains(QLatin1Char(',')));
        acilinca<QDialog>("offset-slip.png", [](QDialog*) {});
        f->MenuYeni->findChild<QAction*>(S("YeniV"))->trigger();
    });
    main.triggerCommand(S("TileFisGirisleri"));

    acilinca<TFormCariBr>("accounts.png", [this](TFormCariBr* f) {
        // The list opens on the first search.
        f->listeyiAc();
        EXPECT_TRUE(f->selectKod(S("120.101")));
        acilinca<TFormHizliBorcKapa>("debt-closing.png", [](TFormHizliBorcKapa* k) {
            EXPECT_EQ(k->QCari->rowCount(), 1);
            k->BtnVadeliKapat->click();
            EXPECT_GE(k->QHrk->rowCount(), 1);
        });
        f->BtnBorcKapama->click();
        acilinca<TFormCariSakla>("account-card.png", [this](TFormCariSakla* c) {
            acilinca<TFormDocBr>("documents.png", [](TFormDocBr* d) { EXPECT_EQ(d->cxGrid->rowCount(), 2); });
            c->BtnDokuman->click();
        });
        f->BtnDuzenle->click();
    });
    main.triggerCommand(S("TileCariKayitlari"));
}

} // namespace
