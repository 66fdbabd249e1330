#include "connection/DialogRunner.h"
#include "controls/SayiAlani.h"
#include "mainwindow/A_Pro.h"
#include "money/Money.h"
#include "mainwindow/Targets.h"
#include "maintenance/ekj.h"
#include "sql/SqlHelpers.h"
#include "stock/labour/ParcayaGoreAriza.h"
#include "testsupport/TestSupport.h"
#include "util/FormHelpers.h"
#include "workshop/WorkshopEntry.h"
#include "workshop/WorkshopSchema.h"
#include "workshop/labour/Frt.h"
#include "workshop/labour/forms/FrtFiyat.h"
#include "workshop/labour/forms/FrtSakla.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>

using namespace tornaly;
using namespace tornaly::workshop;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

class LabourPriceTest : public test::DbTest {
protected:
    void registerSchema() override { workshop::RegisterSchema(); }
    void SetUp() override
    {
        DbTest::SetUp();
        ctx.Database1 = db;
        Targets().clear();
        for (const auto& [kod, kbmy, fiyat] : {std::tuple{"K1", "K", 1.0}, std::tuple{"B1", "B", 2.0},
                                               std::tuple{"M1", "M", 3.0}, std::tuple{"D1", "D", 4.0},
                                               std::tuple{"H1", "H", 5.0}, std::tuple{"N1", "", 6.0}})
            db.exec(S("INSERT INTO FRT (MODEL_KODU, FRT_KODU, FRT_ADI, KBMY, FRT_ZAMAN, BIRIM_FIYAT_TL, KDV) "
                      "VALUES ('ZZ', :K, 'İş', :T, 1, :F, 20)"),
                    {{S("K"), S(kod)}, {S("T"), *kbmy ? QVariant(S(kbmy)) : QVariant()}, {S("F"), fiyat}});
        grupFiyatlari(120.5, 0, 100, 80);
    }
    void TearDown() override
    {
        SetModalRunner({});
        SetMuhKodSecici({});
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName().startsWith(S("Form")))
                delete w;
        Targets().clear();
        DbTest::TearDown();
    }
    void grupFiyatlari(double k, double b, double m, double d)
    {
        for (const auto& [g, p] : {std::pair{"K", k}, std::pair{"B", b}, std::pair{"M", m}, std::pair{"D", d}})
            db.exec(S("UPDATE FRTFYT SET BR_FIYAT_TL = :P WHERE GRUP_KOD = :G"), {{S("P"), p}, {S("G"), S(g)}});
    }
    QVariant deger(const QString& sql, const QVariantMap& b = {})
    {
        Query q(db, sql);
        q.bindAll(b).exec();
        return q.next() ? q.value(0) : QVariant();
    }
    double fiyat(const char* kod)
    {
        return deger(S("SELECT BIRIM_FIYAT_TL FROM FRT WHERE FRT_KODU = :K"), {{S("K"), S(kod)}}).toDouble();
    }
    QString tur(const char* kod)
    {
        return deger(S("SELECT KBMY FROM FRT WHERE FRT_KODU = :K"), {{S("K"), S(kod)}}).toString();
    }
    int satir(QTableWidget* g, const char* kod)
    {
        for (int r = 0; r < g->rowCount(); ++r)
            if (g->item(r, 0)->text() == S(kod))
                return r;
        return -1;
    }
};

// Editing an operation in the price window reprices it by its kind before it is posted.
TEST_F(LabourPriceTest, AnEditedOperationTakesItsKindsPrice)
{
    struct Case {
        const char* kod;
        double dFiyati, grupsuz;
        double beklenen;
        const char* beklenenTur;
    };
    const Case cases[] = {
        {"K1", 80, 90, 120.5, "K"},
        {"B1", 80, 90, 0, "B"}, // the group has no price: 0, as for K and M
        {"M1", 80, 90, 100, "M"},
        {"D1", 80, 90, 80, "D"},
        {"D1", 0, 90, 90, "D"},  // no D price: the no-group price
        {"D1", 0, 0, 4, "D"},    // neither: unchanged
        {"H1", 80, 90, 90, "D"}, // service and expense: no-group price, kind D
        {"H1", 80, 0, 5, "D"},
        {"N1", 80, 90, 90, "D"},
    };
    for (const Case& c : cases) {
        db.exec(S("UPDATE FRT SET BIRIM_FIYAT_TL = CASE FRT_KODU WHEN 'B1' THEN 2 WHEN 'D1' THEN 4 WHEN 'H1' THEN 5 "
                  "ELSE BIRIM_FIYAT_TL END, FRT_ZAMAN = 1, KBMY = CASE FRT_KODU WHEN 'H1' THEN 'H' WHEN 'N1' THEN NULL ELSE KBMY END"));
        grupFiyatlari(120.5, 0, 100, c.dFiyati);
        TFormFytListFRT f(ctx);
        f.EdGrupsuz->setText(c.grupsuz > 0 ? QString::number(c.grupsuz) : QString());
        f.show();
        f.GrupsuzCikis();
        const int r = satir(f.GridFrt, c.kod);
        ASSERT_GE(r, 0) << c.kod;
        f.GridFrt->item(r, 3)->setText(S("1,5")); // the time
        EXPECT_NEAR(fiyat(c.kod), c.beklenen, 1e-9) << c.kod << " D=" << c.dFiyati << " grupsuz=" << c.grupsuz;
        EXPECT_EQ(tur(c.kod), S(c.beklenenTur)) << c.kod;
        EXPECT_DOUBLE_EQ(deger(S("SELECT FRT_ZAMAN FROM FRT WHERE FRT_KODU = :K"), {{S("K"), S(c.kod)}}).toDouble(), 1.5);
    }
}

// Group prices typed in either window: a number is stored, text that is no
// number gets the message and nothing is written.
TEST_F(LabourPriceTest, GroupPricesParseOrWriteNothing)
{
    struct Case {
        const char* yazilan;
        double saklanan;
        bool mesaj;
    };
    const Case cases[] = {{"12,5", 12.5, false}, {"1.250,75", 1250.75, false}, {"12a5x", 100, true}, {"abc", 100, true}};
    for (const Case& c : cases) {
        // The price form's group grid.
        grupFiyatlari(120.5, 0, 100, 80);
        messages.clear();
        {
            TFormFytListFRT f(ctx);
            f.show();
            int m = -1;
            for (int r = 0; r < f.GridGrup->rowCount(); ++r)
                if (f.GridGrup->item(r, 0)->text() == S("M"))
                    m = r;
            ASSERT_GE(m, 0);
            f.GridGrup->item(m, 2)->setText(S(c.yazilan));
            EXPECT_DOUBLE_EQ(deger(S("SELECT BR_FIYAT_TL FROM FRTFYT WHERE GRUP_KOD = 'M'")).toDouble(), c.saklanan) << c.yazilan;
            EXPECT_EQ(messages.count() > 0, c.mesaj) << c.yazilan;
            if (c.mesaj) {
                EXPECT_EQ(messages.lastText(), SayiDegilMesaji(S(c.yazilan)));
            }
            // The working price follows the posted group row.
            EXPECT_DOUBLE_EQ(f.fiyatlar().mf, c.saklanan) << c.yazilan;
        }
        // The group card.
        grupFiyatlari(120.5, 0, 100, 80);
        messages.clear();
        TFormFrtGrup g(ctx);
        g.show();
        while (g.EdGrupKod->text() != S("M") && g.BtnSonraki->isEnabled())
            g.BtnSonraki->click();
        ASSERT_EQ(g.EdGrupKod->text(), S("M"));
        g.BtnDuzenle->click();
        g.EdFiyatTL->setText(S(c.yazilan));
        g.BtnKaydet->click();
        EXPECT_DOUBLE_EQ(deger(S("SELECT BR_FIYAT_TL FROM FRTFYT WHERE GRUP_KOD = 'M'")).toDouble(), c.saklanan) << c.yazilan;
        EXPECT_EQ(messages.count() > 0, c.mesaj) << c.yazilan;
        EXPECT_EQ(g.BtnKaydet->isEnabled(), c.mesaj) << "a refused price keeps the row in edit";
    }
}

// "Birim Fiyatları Güncelle" from the window: only Yes writes the group prices.
TEST_F(LabourPriceTest, UpdateFromTheWindowAsksFirst)
{
    TFormFytListFRT f(ctx);
    f.show();
    f.EdGrupsuz->setText(S("90"));
    messages.answer(MsgNo);
    f.BtnGuncelle->click();
    EXPECT_DOUBLE_EQ(fiyat("K1"), 1.0);
    messages.answer(MsgYes);
    f.BtnGuncelle->click();
    EXPECT_EQ(messages.texts().first(),
              S("Tüm İşçilik Birim Fiyatları Verilen Değerlere Değiştirilecektir. Devam Etmek İstiyor musunuz?"));
    EXPECT_EQ(messages.lastText(), S("İşçilik Birim Fiyatları Güncellendi!"));
    EXPECT_DOUBLE_EQ(fiyat("K1"), 120.5);
    EXPECT_DOUBLE_EQ(fiyat("B1"), 2.0);
    EXPECT_DOUBLE_EQ(fiyat("D1"), 80.0);
    EXPECT_DOUBLE_EQ(fiyat("H1"), 5.0);
    EXPECT_DOUBLE_EQ(fiyat("N1"), 90.0);
    EXPECT_EQ(tur("N1"), S("D"));
    // The grid shows what was written.
    EXPECT_EQ(f.GridFrt->item(satir(f.GridFrt, "K1"), 5)->text(), FormatMoney(120.5, S(",0.00##")));
}

// The card's nine ledger codes: picked through "Seç", cleared with Delete,
// stored with the card; the sales, purchase, discount and return pickers
// need the accounting-code right.
TEST_F(LabourPriceTest, LedgerCodesArePickedAndStored)
{
    QStringList istenen;
    SetMuhKodSecici([&](SessionContext&, bool kdv, QWidget*) {
        istenen << (kdv ? S("KDV") : S("HESAP"));
        return kdv ? S("KDV20") : S("600.01.%1").arg(istenen.size());
    });
    struct Case {
        const char* diger10;
        int acik; // enabled pickers
    };
    for (const Case& c : {Case{"H", 3}, Case{"Y", 9}}) {
        ctx.AktifKullanici.diger10 = S(c.diger10);
        TFormFRTSakla f(ctx, S("K1"), S("ZZ"), false);
        int acik = 0;
        for (QPushButton* b : f.MuhSec)
            acik += b->isEnabled() ? 1 : 0;
        EXPECT_EQ(acik, c.acik) << c.diger10;
        for (const char* kolon : {"MUH_GRSAT", "MUH_GRSATISK", "MUH_KDV_A"})
            EXPECT_TRUE(f.MuhSec.value(S(kolon))->isEnabled()) << kolon;
    }
    TFormFRTSakla f(ctx, S("K1"), S("ZZ"), false);
    for (const auto& [kolon, baslik] : FrtMuhKodlari())
        f.MuhSec.value(kolon)->click();
    EXPECT_EQ(istenen.count(S("KDV")), 1);
    EXPECT_EQ(istenen.count(S("HESAP")), 8);
    // Delete clears a field the picker filled.
    QLineEdit* iade = f.Alanlar.value(S("MUH_IADE_A"));
    ASSERT_FALSE(iade->text().isEmpty());
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(iade, &del);
    EXPECT_TRUE(iade->text().isEmpty());
    f.BtnSakla->click();
    const QVariantMap row = FrtOku(db, S("K1"), S("ZZ"));
    EXPECT_EQ(row.value(S("MUH_KDV_A")).toString(), S("KDV20"));
    EXPECT_TRUE(row.value(S("MUH_S")).toString().startsWith(S("600.01.")));
    EXPECT_TRUE(row.value(S("MUH_GRSATISK")).toString().startsWith(S("600.01.")));
    EXPECT_TRUE(row.value(S("MUH_IADE_A")).isNull());
    EXPECT_EQ(row.value(S("KLEIM_TURU")).toString(), S("A")) << "the distributor's flag is not the card's";
}

// The active flag shows only in brand-dealer mode, never editable; an
// active operation keeps its code, names, time and prices there.
TEST_F(LabourPriceTest, ActiveFlagInBrandDealerMode)
{
    struct Case {
        bool markaBayi;
        const char* kleim;
        bool gorunur, kodSaltOkunur;
    };
    for (const Case& c : {Case{false, "A", false, false}, Case{true, "A", true, true}, Case{true, "P", true, false}}) {
        ctx.MarkaBayiModu = c.markaBayi;
        db.exec(S("UPDATE FRT SET KLEIM_TURU = :A WHERE FRT_KODU = 'M1'"), {{S("A"), S(c.kleim)}});
        TFormFRTSakla f(ctx, S("M1"), S("ZZ"), false);
        f.show();
        EXPECT_EQ(f.ChkAktif->isVisible(), c.gorunur) << c.markaBayi << c.kleim;
        EXPECT_EQ(f.ChkAktif->isChecked(), QLatin1String(c.kleim) == QLatin1String("A"));
        EXPECT_EQ(f.Alanlar.value(S("FRT_KODU"))->isReadOnly(), c.kodSaltOkunur) << c.markaBayi << c.kleim;
        EXPECT_EQ(f.Alanlar.value(S("BIRIM_FIYAT_TL"))->isReadOnly(), c.kodSaltOkunur);
        EXPECT_FALSE(f.Alanlar.value(S("ACIKLAMA1"))->isReadOnly());
    }
}

// The windows open from the program's own windows: the price forms from the
// system-management window (one instance each, without a modal wait), the
// parts-to-labour picker from the labour list of the main window.
TEST_F(LabourPriceTest, WindowsOpenFromTheMainAndManagementWindows)
{
    workshop::RegisterEntryPoints();
    ctx.AktifKullanici.frt_fiyat = 2;
    auto* bakim = new TBakimForm(ctx);
    bakim->show();
    struct Case {
        const char* komut;
        const char* form;
        const char* baslik;
    };
    for (const Case& c : {Case{"RTTGrubu", "FormFrtGrup", "FRT Grupları ve Birim Fiyatları"},
                          Case{"RTTFiyatlandirma", "FormFytListFRT", "RTT Fiyatlandırma"}}) {
        ASSERT_TRUE(bakim->komut(S(c.komut))->isEnabled()) << c.komut;
        bakim->komut(S(c.komut))->trigger();
        QWidget* w = FindFormByName(S(c.form));
        ASSERT_NE(w, nullptr) << c.form;
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->windowTitle(), S(c.baslik));
        bakim->komut(S(c.komut))->trigger();
        int n = 0;
        for (QWidget* t : QApplication::topLevelWidgets())
            n += t->objectName() == S(c.form) ? 1 : 0;
        EXPECT_EQ(n, 1) << c.form << ": at most one instance";
        const QString dir = qEnvironmentVariable("TORNALY_LOOK_DIR");
        if (!dir.isEmpty()) {
            QDir().mkpath(dir);
            w->grab().save(QDir(dir).filePath(QString::fromLatin1(c.form) + S(".png")));
        }
        w->close();
    }
    delete bakim;

    // "Parçayla İlgili İşçilikler" from the labour list of the main window.
    db.exec(S("INSERT INTO TARIZPAR (IZP_KODU, IZP_ARAC_TIPI, IZP_MALZEME) VALUES ('M1', 'ZZ', 'P-100')"));
    ctx.AktifKullanici.frtfct = S("Y");
    QStringList acilan;
    QString kod, model;
    SetModalRunner([&](QDialog& d) {
        acilan << d.objectName();
        if (auto* p = qobject_cast<stock::TFormParcayaGoreAriza*>(&d)) {
            EXPECT_EQ(p->GridAriza->model()->rowCount(), 1);
            return int(QDialog::Accepted);
        }
        if (auto* l = qobject_cast<TFormFRTBr1*>(&d)) {
            l->EdParca->setText(S("P-100"));
            l->BtnParcaIscilik->click();
            kod = l->EdKod->text();
            model = l->EdModel->text();
            const QString dir = qEnvironmentVariable("TORNALY_LOOK_DIR");
            if (!dir.isEmpty()) {
                d.show();
                l->Ara(0);
                QApplication::processEvents();
                d.grab().save(QDir(dir).filePath(S("FormFRTBr1.png")));
                ctx.AktifKullanici.diger10 = S("Y");
                TFormFRTSakla kart(ctx, S("M1"), S("ZZ"), false);
                kart.show();
                QApplication::processEvents();
                kart.grab().save(QDir(dir).filePath(S("FormFRTSakla.png")));
            }
        }
        return int(QDialog::Rejected);
    });
    TAnaForm main(ctx);
    main.show();
    main.triggerCommand(S("IscilikHizmetMasraf1"));
    EXPECT_EQ(acilan, (QStringList{S("FormFRTBr1"), S("FormParcayaGoreAriza")}));
    EXPECT_EQ(kod, S("M1"));
    EXPECT_EQ(model, S("ZZ"));
}

} // namespace
