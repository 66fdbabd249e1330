#include "WorkOrderFixture.h"
#include "connection/DialogRunner.h"
#include "mainwindow/A_Pro.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "sql/SqlHelpers.h"
#include "startup/EmbeddedDemo.h"
#include "workshop/WorkshopEntry.h"
#include "workshop/WorkshopSchema.h"
#include "workshop/workorders/forms/IEBr.h"
#include "workshop/workorders/forms/IsEmri.h"
#include "workshop/dispositions/forms/dispoz.h"
#include "workshop/partsissue/forms/IsDetayForm.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QDir>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace tornaly;
using namespace tornaly::test;
using namespace tornaly::workshop;

// Records every window opened modally (with the work order it opened on) and
// closes it at once; the runner before it comes back at the end of the scope.
struct AcilanPencereler {
    QStringList adlar;
    ModalRunner once;
    AcilanPencereler()
    {
        once = SetModalRunner([this](QDialog& d) {
            if (auto* yp = qobject_cast<TFormIsDetay*>(&d))
                adlar << d.objectName() + QLatin1Char(' ') + yp->Belge.no();
            else if (auto* dp = qobject_cast<TFormDispoz*>(&d))
                adlar << d.objectName() + QLatin1Char(' ') + dp->Belge.no();
            else
                adlar << d.objectName();
            return int(QDialog::Rejected);
        });
    }
    ~AcilanPencereler() { SetModalRunner(once); }
};

class WorkOrderFormsTest : public WorkOrderTest {
protected:
    void SetUp() override
    {
        WorkOrderTest::SetUp();
        addVehicle(QStringLiteral("VF1AAA11111111111"), QStringLiteral("34AB12"), QStringLiteral("M001"));
        db.exec(QStringLiteral("UPDATE ARAC SET TRF_CIKIS_TRH = :T"),
                {{QStringLiteral("T"), QDateTime(QDate(2022, 4, 1), QTime(0, 0))}});
    }
};

TEST_F(WorkOrderFormsTest, ReceiveTheVehicleByPlateAndSave)
{
    // Any window opened modally is recorded and closed at once, so a stray one
    // fails the test instead of waiting for a person.
    QStringList modal;
    const ModalRunner before = SetModalRunner([&](QDialog& d) {
        modal << d.objectName();
        return int(QDialog::Rejected);
    });
    struct Restore {
        ModalRunner r;
        ~Restore() { SetModalRunner(r); }
    } restore{before};
    TFormIsEmri f(ctx);
    f.show();
    ASSERT_TRUE(f.Kart.giriste());
    EXPECT_EQ(f.EdIsEmriNo->text(), QStringLiteral("S000001"));
    EXPECT_FALSE(f.BtnYazdir->isEnabled());
    f.EdPlaka->setText(QStringLiteral("34 ab 12"));
    QTest::keyClick(f.EdPlaka, Qt::Key_Return);
    EXPECT_EQ(f.EdSase->text(), QStringLiteral("VF1AAA11111111111"));
    EXPECT_EQ(f.EdCariKod->text(), QStringLiteral("M001"));
    EXPECT_EQ(f.LblCariAdi->text(), QStringLiteral("AYŞE YILMAZ"));
    EXPECT_EQ(f.DtTrfCikis->date(), QDate(2022, 4, 1));
    // Enter in the plate field looks the vehicle up and opens no other window.
    EXPECT_TRUE(modal.isEmpty()) << modal.join(QLatin1Char(',')).toStdString();
    f.CbTip->setCurrentIndex(f.CbTip->findData(QStringLiteral("A")));
    f.EdKm->setText(QStringLiteral("12.500"));
    f.findChild<QLineEdit*>(QStringLiteral("EdMustAlim1"))->setText(QStringLiteral("FREN SESİ"));
    f.BtnSakla->click();
    EXPECT_FALSE(f.Kart.giriste()) << messages.texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(scalar(QStringLiteral("SELECT KM FROM ISEMRI WHERE IS_EMRI_NO = 'S000001'")).toDouble(), 12500);
    EXPECT_EQ(scalar(QStringLiteral("SELECT MUSTALIM_1 FROM ISEMRI")).toString(), QStringLiteral("FREN SESİ"));
    // Closing is refused while a change is pending.
    f.BtnDegistir->click();
    ASSERT_TRUE(f.Kart.giriste());
    messages.clear();
    EXPECT_FALSE(f.close());
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Değişikliği Saklayın yada İptal Edin!")});
    QTest::keyClick(&f, Qt::Key_Escape);
    EXPECT_TRUE(f.isVisible());
    f.BtnIptal->click();
    EXPECT_TRUE(f.close());
    EXPECT_TRUE(modal.isEmpty()) << modal.join(QLatin1Char(',')).toStdString();
}

// A km with letters is not read as some other km, and the first-registration
// date is typed as the clerk reads it off the licence.
TEST_F(WorkOrderFormsTest, KmWithLettersIsRefusedAndTheDateIsTyped)
{
    TFormIsEmri f(ctx);
    f.show();
    ASSERT_TRUE(f.Kart.giriste());
    f.EdPlaka->setText(QStringLiteral("34AB12"));
    QTest::keyClick(f.EdPlaka, Qt::Key_Return);
    f.CbTip->setCurrentIndex(f.CbTip->findData(QStringLiteral("A")));
    f.DtTrfCikis->setDate(f.DtTrfCikis->minimumDate());
    f.DtTrfCikis->setFocus();
    QTest::keyClicks(f.DtTrfCikis, QStringLiteral("03.05.2021"));
    EXPECT_EQ(f.DtTrfCikis->date(), QDate(2021, 5, 3));
    for (const QString& km : {QStringLiteral("12a5x"), QStringLiteral("1.2.3")}) {
        messages.clear();
        f.EdKm->setText(km);
        f.BtnSakla->click();
        EXPECT_TRUE(f.Kart.giriste()) << km.toStdString();
        EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("\"%1\" geçerli bir sayı değil.").arg(km)});
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ISEMRI")), 0) << km.toStdString();
    }
    messages.clear();
    f.EdKm->setText(QStringLiteral("12.500"));
    f.BtnSakla->click();
    EXPECT_FALSE(f.Kart.giriste()) << messages.texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(scalar(QStringLiteral("SELECT KM FROM ISEMRI")).toDouble(), 12500);
    EXPECT_EQ(scalar(QStringLiteral("SELECT TESLIM_TRH FROM ISEMRI")).toDateTime().date(), QDate(2021, 5, 3));
}

TEST_F(WorkOrderFormsTest, ListPicksAndTheMainWindowFindsTheOpeners)
{
    addWorkOrder(QStringLiteral("S000010"), QStringLiteral("VF1AAA11111111111"), 100, QStringLiteral("A"),
                 QStringLiteral("H"), QDate(ctx.CalismaYili.toInt(), 1, 10));
    addWorkOrder(QStringLiteral("S000011"), QStringLiteral("VF1AAA11111111111"), 100, QStringLiteral("A"),
                 QStringLiteral("E"), QDate(ctx.CalismaYili.toInt(), 1, 11));
    TFormIEBr list(ctx, 1, QString());
    EXPECT_EQ(list.Liste->rowCount(), 1);
    list.CbDurum->setCurrentIndex(2);
    list.BtnFiltrele->click();
    EXPECT_EQ(list.Liste->rowCount(), 2);
    QTest::keyClicks(list.EdAraNo, QStringLiteral("IS000011"));
    list.BtnSec->click();
    EXPECT_EQ(list.secilen().IsEmriNo, QStringLiteral("S000011"));
    EXPECT_EQ(list.secilen().Kapandi, QStringLiteral("E"));

    Targets().clear();
    RegisterEntryPoints();
    EXPECT_TRUE(Targets().isRegistered(QString::fromLatin1(entry::TFormIsEmri)));
    EXPECT_TRUE(Targets().isRegistered(QString::fromLatin1(entry::IsemriSec)));
    Targets().clear();
}

// The front desk on the demo company, opened from the main window as a
// service adviser does; with TORNALY_LOOK_DIR set the pictures are kept there.
class FrontDeskLookTest : public DbTest {
protected:
    void registerSchema() override { workshop::RegisterSchema(); }
};

TEST_F(FrontDeskLookTest, ReceptionAndListFromTheMainWindow)
{
    Targets().clear();
    RegisterEntryPoints();
    RunDemoSeeds(db);
    ctx.AktifKullanici.isemri = QStringLiteral("Y");
    const QString dir = qEnvironmentVariable("TORNALY_LOOK_DIR");
    if (!dir.isEmpty())
        QDir().mkpath(dir);
    QStringList lists;
    const ModalRunner before = SetModalRunner([&](QDialog& d) {
        d.show();
        QCoreApplication::processEvents();
        if (!dir.isEmpty())
            d.grab().save(QDir(dir).filePath(QStringLiteral("workorder-list.png")));
        if (auto* list = qobject_cast<TFormIEBr*>(&d))
            lists << QString::number(list->Liste->rowCount());
        return int(QDialog::Rejected);
    });
    {
        TAnaForm w(ctx);
        w.resize(1366, 768);
        w.show();
        w.triggerCommand(QStringLiteral("BtnIsemriAc"));
        auto* card = w.findChild<TFormIsEmri*>(QStringLiteral("FormIsEmri"));
        ASSERT_TRUE(card);
        QCoreApplication::processEvents();
        card->EdPlaka->setText(QStringLiteral("35 klm 051"));
        QTest::keyClick(card->EdPlaka, Qt::Key_Return);
        EXPECT_EQ(card->EdSase->text(), QStringLiteral("VNK1HBC2025000051"));
        card->CbTip->setCurrentIndex(card->CbTip->findData(QStringLiteral("B")));
        card->EdKm->setText(QStringLiteral("14.870"));
        card->findChild<QLineEdit*>(QStringLiteral("EdMustAlim1"))->setText(QStringLiteral("15.000 KM PERİYODİK BAKIM"));
        card->findChild<QLineEdit*>(QStringLiteral("EdMustAlim2"))->setText(QStringLiteral("SAĞ ARKA CAM GIRTLIYOR"));
        QCoreApplication::processEvents();
        if (!dir.isEmpty())
            card->grab().save(QDir(dir).filePath(QStringLiteral("reception.png")));
        card->BtnSakla->click();
        EXPECT_FALSE(card->Kart.giriste()) << messages.texts().join(QLatin1Char('\n')).toStdString();
        QCoreApplication::processEvents();
        if (!dir.isEmpty())
            card->grab().save(QDir(dir).filePath(QStringLiteral("reception-saved.png")));
        w.triggerCommand(QStringLiteral("BtnIsEmirleri"));
        card->close();
    }
    SetModalRunner(before);
    Targets().clear();
    // The list opened with the open work orders of the demo and the new one.
    EXPECT_EQ(lists, QStringList{QStringLiteral("3")});
}

// The invoicing chooser offers only closed work orders with something left to
// invoice; the browser shows the counts panel with the invoice filter.
TEST_F(WorkOrderFormsTest, InvoiceModeAndTheCountsPanel)
{
    const int yil = ctx.CalismaYili.toInt();
    addWorkOrder(QStringLiteral("S000010"), QStringLiteral("VF1AAA11111111111"), 100, QStringLiteral("A"),
                 QStringLiteral("E"), QDate(yil, 1, 10));
    addWorkOrder(QStringLiteral("S000011"), QStringLiteral("VF1AAA11111111111"), 100, QStringLiteral("A"),
                 QStringLiteral("E"), QDate(yil, 1, 11));
    addWorkOrder(QStringLiteral("S000012"), QStringLiteral("VF1AAA11111111111"), 100, QStringLiteral("A"),
                 QStringLiteral("H"), QDate(yil, 1, 12));
    for (const char* no : {"S000010", "S000012"})
        insert(QStringLiteral("ISCILIK"), {{QStringLiteral("ISEMRI_NO"), QString::fromLatin1(no)},
                                           {QStringLiteral("FYILI"), yil}, {QStringLiteral("SIRANO"), 1},
                                           {QStringLiteral("ARIZA_KODU"), QStringLiteral("L1")},
                                           {QStringLiteral("SURE"), 1.0}, {QStringLiteral("QTY"), 1},
                                           {QStringLiteral("GARANTI_TIPI"), QStringLiteral("M")}});
    {
        TFormIEBr list(ctx, 10, QString());
        EXPECT_EQ(list.CbFatura->currentText(), QStringLiteral("Fat.Kesilmemiş"));
        EXPECT_EQ(list.CbDurum->currentText(), QStringLiteral("Kapalı"));
        EXPECT_FALSE(list.PnlFatura->isVisibleTo(&list));
        ASSERT_EQ(list.Liste->rowCount(), 1);
        EXPECT_EQ(list.currentRow().value(QStringLiteral("IS_EMRI_NO")).toString(), QStringLiteral("S000010"));
    }
    TFormIEBr list(ctx, 1, QString());
    EXPECT_FALSE(list.PnlFatura->isVisibleTo(&list));
    list.CbDurum->setCurrentIndex(2);
    list.CbFatura->setCurrentIndex(2);
    list.BtnFiltrele->click();
    EXPECT_TRUE(list.PnlFatura->isVisibleTo(&list));
    ASSERT_EQ(list.Liste->rowCount(), 2);
    EXPECT_EQ(list.LblMusIs->text(), QStringLiteral("1"));
    EXPECT_EQ(list.LblMusFt->text(), QStringLiteral("0"));
    list.BtnFiltKaldir->click();
    EXPECT_EQ(list.CbFatura->currentIndex(), 0);
}

TEST_F(WorkOrderFormsTest, ListCommandsOpenTheirWindowsOnTheCurrentWorkOrder)
{
    const int yil = ctx.CalismaYili.toInt();
    addWorkOrder(QStringLiteral("S000010"), QStringLiteral("VF1AAA11111111111"), 100, QStringLiteral("A"),
                 QStringLiteral("H"), QDate(yil, 1, 10));
    addWorkOrder(QStringLiteral("S000011"), QStringLiteral("VF1BBB22222222222"), 100, QStringLiteral("A"),
                 QStringLiteral("H"), QDate(yil, 1, 11));
    ctx.AktifKullanici.stok = QStringLiteral("Y");
    AcilanPencereler acilan;
    QStringList& opened = acilan.adlar;
    Targets().clear();
    TFormIEBr list(ctx, 5, QString());
    ASSERT_EQ(list.Liste->rowCount(), 2);
    // The work plan is a window of its own, not in the program yet.
    EXPECT_FALSE(list.BtnIsPlan->isEnabled());
    QTest::keyClicks(list.EdAraNo, QStringLiteral("IS000011"));
    list.BtnYedekParca->click();
    list.BtnIEKapama->click();
    EXPECT_EQ(opened, (QStringList{QStringLiteral("FormIsDetay S000011"), QStringLiteral("FormDispoz S000011")}));
    EXPECT_EQ(list.currentRow().value(QStringLiteral("IS_EMRI_NO")).toString(), QStringLiteral("S000011"));

    // Parts order suggestions: a warning without any, the list with some.
    messages.clear();
    list.BtnSipOneri->click();
    EXPECT_EQ(messages.texts(),
              QStringList{QStringLiteral("İş Emrine Ait Yedek Parça Sipariş Önerisi Bulunmamaktadır...")});
    insert(QStringLiteral("SIPONERI"), {{QStringLiteral("ISEMRI_NO"), QStringLiteral("S000011")},
                                        {QStringLiteral("STOK_NO"), 1.0}, {QStringLiteral("IHTIYAC_MIKTARI"), 2.0}});
    opened.clear();
    list.BtnSipOneri->click();
    EXPECT_EQ(opened, QStringList{QStringLiteral("FormSipOneri")});

    // The vehicle's parts and labour, on the listed chassis.
    list.BtnAracPrcIsc->click();
    auto* prc = list.findChild<TFormIEGecmisPrcIsc*>(QStringLiteral("FormIEGecmisPrcIsc"));
    ASSERT_TRUE(prc);
    EXPECT_EQ(prc->IsEmirleri->rowCount(), 1);
    prc->close();

    // "Barkodla Ara" empties the number search for the reader.
    list.ActBarkodlaAra->trigger();
    EXPECT_TRUE(list.EdAraNo->text().isEmpty());
    // "Aranan Cari Kod" and "Aranan Giriş Tarih" move to their row.
    list.DtAraGiris->setDate(QDate(yil, 1, 10));
    EXPECT_EQ(list.currentRow().value(QStringLiteral("IS_EMRI_NO")).toString(), QStringLiteral("S000010"));
}

TEST_F(WorkOrderFormsTest, CardCommandsServiceNoteAndUnbuiltWindows)
{
    addWorkOrder(QStringLiteral("S000010"), QStringLiteral("VF1AAA11111111111"), 100);
    ctx.AktifKullanici.stok = QStringLiteral("Y");
    AcilanPencereler acilan;
    QStringList& opened = acilan.adlar;
    Targets().clear();
    TFormIsEmri f(ctx);
    f.show();
    f.BtnIptal->click();
    f.isemriac(QStringLiteral("S000010"));
    ASSERT_TRUE(f.Kart.giriste());
    // SMS and the attached documents belong to windows not in the program yet.
    EXPECT_FALSE(f.BtnSms->isEnabled());
    EXPECT_FALSE(f.BtnDokuman->isEnabled());
    EXPECT_FALSE(f.LblUyari->isVisibleTo(&f));
    // The service note is kept per chassis and flags the card.
    f.MemoSerNot->setPlainText(QStringLiteral("Direksiyon kutusu sızdırıyor"));
    f.BtnNotuSakla->click();
    EXPECT_EQ(scalar(QStringLiteral("SELECT SER_NOT FROM SERNOT WHERE SASE_NO = 'VF1AAA11111111111'")).toString(),
              QStringLiteral("Direksiyon kutusu sızdırıyor"));
    EXPECT_TRUE(f.LblUyari->isVisibleTo(&f));
    // The parts issue opens on this work order once the card is browsing.
    f.BtnIptal->click();
    ASSERT_FALSE(f.Kart.giriste());
    EXPECT_TRUE(f.BtnYedekParca->isEnabled());
    f.BtnYedekParca->click();
    EXPECT_EQ(opened, QStringList{QStringLiteral("FormIsDetay S000010")});
    f.EdAra->setText(QStringLiteral("S0"));
    f.ActBarkodIleAra->trigger();
    EXPECT_TRUE(f.EdAra->text().isEmpty());
    // A user without the full work-order right reads the note but cannot change it.
    ctx.AktifKullanici.isemri = QStringLiteral("D");
    TFormIsEmri g(ctx);
    g.show();
    g.BtnIptal->click();
    g.isemriac(QStringLiteral("S000010"));
    EXPECT_TRUE(g.MemoSerNot->isReadOnly());
    EXPECT_EQ(g.MemoSerNot->toPlainText(), QStringLiteral("Direksiyon kutusu sızdırıyor"));
    EXPECT_TRUE(g.LblUyari->isVisibleTo(&g));
}

// "Vazgeç" on the same-km question takes the clerk back to the card with
// everything typed; "Hayır" saves, with the approved amount and the wheel
// readings, and the card shows the customer's special codes.
TEST_F(WorkOrderFormsTest, SameKmVazgecGoesBackToTheCardAndNothingIsLost)
{
    addWorkOrder(QStringLiteral("W000009"), QStringLiteral("VF1AAA11111111111"), 12000);
    db.exec(QStringLiteral("UPDATE CARI SET OZEL_KOD_1 = 'FILO', OZEL_KOD_3 = 'VIP' WHERE CARI_KOD = 'M001'"));
    TFormIsEmri f(ctx);
    f.show();
    f.EdPlaka->setText(QStringLiteral("34AB12"));
    QTest::keyClick(f.EdPlaka, Qt::Key_Return);
    EXPECT_EQ(f.LblOzelKod->text(), QStringLiteral("FILO / VIP"));
    f.CbTip->setCurrentIndex(f.CbTip->findData(QStringLiteral("A")));
    f.findChild<QLineEdit*>(QStringLiteral("EdMustAlim1"))->setText(QStringLiteral("FREN SESİ"));
    f.findChild<QLineEdit*>(QStringLiteral("EdOnayTutari"))->setText(QStringLiteral("1.250,50"));
    f.findChild<QLineEdit*>(QStringLiteral("EdSolOn"))->setText(QStringLiteral("2,125"));
    f.findChild<QLineEdit*>(QStringLiteral("EdSagArka"))->setText(QStringLiteral("2,2"));
    ASSERT_EQ(f.EdKm->text(), QStringLiteral("12.000")); // the last km is proposed
    messages.clear();
    messages.answer(MsgCancel);
    f.BtnSakla->click();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("KM aracın son KM si ile aynı değiştirmek istiyor musunuz?")});
    EXPECT_TRUE(f.Kart.giriste());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ISEMRI")), 1);
    EXPECT_EQ(f.findChild<QLineEdit*>(QStringLiteral("EdMustAlim1"))->text(), QStringLiteral("FREN SESİ"));
    EXPECT_EQ(f.findChild<QLineEdit*>(QStringLiteral("EdOnayTutari"))->text(), QStringLiteral("1.250,50"));
    EXPECT_EQ(f.EdKm->text(), QStringLiteral("12.000"));
    messages.clear();
    messages.answer(MsgNo);
    f.BtnSakla->click();
    ASSERT_FALSE(f.Kart.giriste()) << messages.texts().join(QLatin1Char('\n')).toStdString();
    Query q(db, QStringLiteral("SELECT MUSTALIM_1, GARANTI_PUANI, LD_SOL_ON, LD_SAG_ARKA, LD_SOL_ARKA FROM ISEMRI "
                               "WHERE IS_EMRI_NO <> 'W000009'"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.str(QStringLiteral("MUSTALIM_1")), QStringLiteral("FREN SESİ"));
    EXPECT_DOUBLE_EQ(q.num(QStringLiteral("GARANTI_PUANI")), 1250.5);
    EXPECT_DOUBLE_EQ(q.num(QStringLiteral("LD_SOL_ON")), 2.125);
    EXPECT_DOUBLE_EQ(q.num(QStringLiteral("LD_SAG_ARKA")), 2.2);
    EXPECT_TRUE(q.value(QStringLiteral("LD_SOL_ARKA")).isNull());
    EXPECT_EQ(f.findChild<QLineEdit*>(QStringLiteral("EdSolOn"))->text(), QStringLiteral("2,125"));
}
