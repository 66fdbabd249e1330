#include "aftersales/AftersalesSchema.h"
#include "aftersales/calls/forms/AraPeriyotTanim.h"
#include "aftersales/calls/forms/SerAramaSorgu.h"
#include "aftersales/calls/forms/ServisAramaPer.h"
#include "connection/DialogRunner.h"
#include "report/RaporCikti.h"
#include "sql/SqlHelpers.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTime>

namespace tornaly::aftersales {
namespace {

class CallFormsTest : public test::DbTest {
protected:
    void registerSchema() override { aftersales::RegisterSchema(); }
    void SetUp() override
    {
        DbTest::SetUp();
        ctx.Database1 = db;
    }
    void TearDown() override
    {
        SetModalRunner({});
        report::SetPreviewHook({});
        DbTest::TearDown();
    }
    int count(const QString& sql) { return SqlLookup(db, sql).toInt(); }
    void call(const char* ie, const char* ara, const QDate& due, const char* durum = nullptr)
    {
        db.exec(QStringLiteral("INSERT INTO ARAMAPER (MUS_TIP, ARA_TIP, IE_NO, PERIYOT, REF_TRH, ARAMA_TRH, DURUM) "
                               "VALUES ('S', :A, :IE, 3, :R, :T, :D)"),
                {{QStringLiteral("A"), QString::fromLatin1(ara)},
                 {QStringLiteral("IE"), QString::fromLatin1(ie)},
                 {QStringLiteral("R"), QDateTime(due.addDays(-3), QTime(0, 0))},
                 {QStringLiteral("T"), QDateTime(due, QTime(0, 0))},
                 {QStringLiteral("D"), durum ? QVariant(QString::fromLatin1(durum)) : QVariant()}});
    }
    const QDate mon{2026, 6, 8};
};

TEST_F(CallFormsTest, DueListOpensOnlyWithDueCallsAndMarksOutcomes)
{
    int shown = 0;
    SetModalRunner([&](QDialog&) { ++shown; return int(QDialog::Rejected); });
    call("IE0", "T", mon.addDays(3)); // not due yet
    AramaSorguGoster(ctx, QStringLiteral("S"), 1, nullptr, mon);
    EXPECT_EQ(shown, 0);
    AramaSorguGoster(ctx, QStringLiteral("S"), 0, nullptr, mon); // the menu opens it anyway
    EXPECT_EQ(shown, 1);

    call("IE1", "T", mon.addDays(-1)); // Sunday: shown on Monday
    call("IE2", "M", mon);
    SetModalRunner([&](QDialog& d) {
        auto* f = qobject_cast<TFormSerAramaSorgu*>(&d);
        EXPECT_TRUE(f);
        if (!f)
            return int(QDialog::Rejected);
        ++shown;
        EXPECT_EQ(f->DtBas->date(), mon.addDays(-1));
        EXPECT_EQ(f->DtBit->date(), mon);
        EXPECT_EQ(f->rowCount(), 2);
        // A letter row: no survey, "Sonuçlandı" offered.
        EXPECT_TRUE(f->selectRow(1));
        EXPECT_EQ(f->current(QStringLiteral("IE_NO")).toString(), QStringLiteral("IE2"));
        EXPECT_TRUE(f->BtnAnket->isHidden());
        EXPECT_TRUE(f->MnSonuclandi->isVisible());
        EXPECT_EQ(f->Grid->model()->data(f->Grid->model()->index(1, 2)).toString(), QStringLiteral("Mektup"));
        // "Ulaşılamadı" keeps the row open; "Telefon Yanlış" closes it.
        f->selectRow(0);
        EXPECT_FALSE(f->MnSonuclandi->isVisible()); // telephone rows are concluded by the survey
        messages.answer(MsgYes);
        f->MnUlasilamadi->trigger();
        EXPECT_EQ(messages.lastText(), QStringLiteral("Müşteri Durumu kaydedilsin mi?"));
        EXPECT_EQ(f->rowCount(), 2);
        EXPECT_EQ(f->current(QStringLiteral("DURUM")).toString(), QStringLiteral("U"));
        messages.answer(MsgCancel);
        f->MnTelYanlis->trigger();
        EXPECT_EQ(f->rowCount(), 2);
        messages.answer(MsgYes);
        f->MnTelYanlis->trigger();
        EXPECT_EQ(f->rowCount(), 1);
        f->ChkSonuclananlar->click();
        EXPECT_EQ(f->rowCount(), 1);
        EXPECT_EQ(f->current(QStringLiteral("IE_NO")).toString(), QStringLiteral("IE1"));
        f->ChkSonuclananlar->click();
        // Days back and forth.
        f->BtnOncekiGun->click();
        EXPECT_EQ(f->begdate(), QDate(2026, 6, 6));
        EXPECT_EQ(f->enddate(), QDate(2026, 6, 6));
        EXPECT_EQ(f->rowCount(), 0);
        f->BtnSonrakiGun->click();
        f->BtnSonrakiGun->click();
        EXPECT_EQ(f->DtBas->date(), mon);
        EXPECT_EQ(f->rowCount(), 1);
        // The printout goes to the preview.
        QStringList printed;
        report::SetPreviewHook([&](const report::Document& doc) { printed = doc.texts(1); });
        f->BtnYazdir->click();
        EXPECT_TRUE(printed.contains(QStringLiteral("Müşteri Takip Listesi")));
        return int(QDialog::Rejected);
    });
    AramaSorguGoster(ctx, QStringLiteral("S"), 1, nullptr, mon);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ARAMAPER WHERE IE_NO = 'IE1' AND DURUM = 'Y'")), 1);
}

TEST_F(CallFormsTest, PeriodEditorRefusesNoDaysAndStoresTheRest)
{
    TFormAraPeriyotTanim f(ctx);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Müşteri Arama Periyotları Tanımlama"));
    f.BtnEkle->click();
    f.setCell(0, 1, QStringLiteral("Mektup"));
    f.setCell(0, 2, QStringLiteral("0"));
    EXPECT_FALSE(f.BtnKaydetClick());
    EXPECT_EQ(messages.lastText(), kPeriyotGunMesaj);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM PERIYOT")), 0);
    f.setCell(0, 2, QStringLiteral("30"));
    f.setCell(0, 3, QStringLiteral("1 AY"));
    EXPECT_TRUE(f.BtnKaydetClick());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM PERIYOT WHERE SAT_SER = 'S' AND ARA_TIP = 'M' AND PER_GUN = 30 "
                                   "AND PER_AD = '1 AY'")),
              1);
    ASSERT_EQ(f.DBGrid1->rowCount(), 1);
    f.DBGrid1->setCurrentCell(0, 2);
    f.BtnSil->click();
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM PERIYOT")), 1); // until saved
    EXPECT_TRUE(f.BtnKaydetClick());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM PERIYOT")), 0);
}

TEST_F(CallFormsTest, WorkOrderViewRebuildsAndDeletes)
{
    db.exec(QStringLiteral("INSERT INTO PERIYOT (SAT_SER, ARA_TIP, PER_GUN) VALUES ('S', 'T', 3), ('S', 'M', 30)"));
    ServisAramalariYaz(db, {QStringLiteral("IE1"), QDate(2026, 3, 1), QStringLiteral("C1"), 5.0});
    db.exec(QStringLiteral("DELETE FROM ARAMAPER WHERE PERIYOT = 30"));
    int shown = 0;
    SetModalRunner([&](QDialog& d) {
        auto* f = qobject_cast<TFormServisAramaPer*>(&d);
        EXPECT_TRUE(f);
        if (!f)
            return int(QDialog::Rejected);
        ++shown;
        EXPECT_EQ(f->Grid->rowCount(), 1);
        EXPECT_EQ(f->Grid->item(0, 2)->text(), QStringLiteral("3 Gün"));
        f->BtnYenidenDuzenle->click();
        EXPECT_EQ(f->Grid->rowCount(), 2);
        EXPECT_EQ(f->Grid->item(1, 0)->text(), QStringLiteral("Mektup"));
        EXPECT_EQ(f->Grid->item(1, 2)->text(), QStringLiteral("1 Ay"));
        EXPECT_EQ(f->Grid->item(1, 3)->text(), QStringLiteral("31.03.2026"));
        f->Grid->setCurrentCell(0, 0);
        messages.answer(MsgYes);
        f->BtnSil->click();
        EXPECT_EQ(messages.lastText(), QStringLiteral("Silmek İstediğinizden Emin misiniz?"));
        EXPECT_EQ(f->Grid->rowCount(), 1);
        return int(QDialog::Accepted);
    });
    // The invoice date and customer come from the rows when not handed over.
    EXPECT_EQ(ShowServisAramaPer(ctx, {QStringLiteral("IE1"), {}, {}, {}}), int(QDialog::Accepted));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ARAMAPER WHERE IE_NO = 'IE1' AND CARI_KOD = 'C1' AND PERIYOT = 30")), 1);
}

// A database error inside a handler: one Turkish message, nothing half
// written, the typed rows kept, and the window usable once the cause is gone.
TEST_F(CallFormsTest, ADatabaseErrorInAHandlerLeavesTheWindowUsable)
{
    call("IE1", "T", mon);
    TFormSerAramaSorgu l(ctx, QStringLiteral("S"), mon);
    l.show();
    l.BtnFiltrele->click();
    ASSERT_EQ(l.rowCount(), 1);
    TFormAraPeriyotTanim f(ctx);
    f.show();
    f.BtnEkle->click();
    f.setCell(0, 1, QStringLiteral("Telefon"));
    f.setCell(0, 2, QStringLiteral("30"));

    db.exec(QStringLiteral("ALTER TABLE ARAMAPER RENAME TO ARAMAPER_YOK"));
    db.exec(QStringLiteral("ALTER TABLE PERIYOT RENAME TO PERIYOT_YOK"));
    const QString hata = QStringLiteral("Veritabanı işlemi tamamlanamadı");
    int shown = messages.count();
    l.BtnFiltrele->click();
    EXPECT_EQ(messages.count(), shown + 1);
    EXPECT_TRUE(messages.lastText().startsWith(hata)) << messages.lastText().toStdString();
    shown = messages.count();
    f.BtnKaydet->click();
    EXPECT_EQ(messages.count(), shown + 1);
    EXPECT_TRUE(messages.lastText().startsWith(hata)) << messages.lastText().toStdString();
    EXPECT_TRUE(l.isVisible());
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.DBGrid1->rowCount(), 1);

    db.exec(QStringLiteral("ALTER TABLE ARAMAPER_YOK RENAME TO ARAMAPER"));
    db.exec(QStringLiteral("ALTER TABLE PERIYOT_YOK RENAME TO PERIYOT"));
    l.BtnFiltrele->click();
    EXPECT_EQ(l.rowCount(), 1);
    f.BtnKaydet->click();
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM PERIYOT WHERE PER_GUN = 30")), 1);
}

} // namespace
} // namespace tornaly::aftersales
