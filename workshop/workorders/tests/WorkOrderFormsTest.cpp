#include "WorkOrderFixture.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "sql/SqlHelpers.h"
#include "workshop/WorkshopEntry.h"
#include "workshop/workorders/forms/IEBr.h"
#include "workshop/workorders/forms/IsEmri.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace tornaly;
using namespace tornaly::test;
using namespace tornaly::workshop;

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
    GTEST_SKIP() << "hangs offscreen: under investigation";
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
    f.BtnIptal->click();
    EXPECT_TRUE(f.close());
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
