#include "aftersales/AftersalesSchema.h"
#include "aftersales/claims/Claims.h"
#include "aftersales/claims/forms/BrFCT.h"
#include "aftersales/claims/forms/Claimvarnek.h"
#include "aftersales/claims/forms/brClaim.h"
#include "connection/DialogRunner.h"
#include "report/ReportEngine.h"
#include "sql/SqlHelpers.h"
#include "testsupport/TestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace tornaly::aftersales {
namespace {

class ClaimFormsTest : public test::DbTest {
protected:
    void registerSchema() override { aftersales::RegisterSchema(); }
    void SetUp() override
    {
        DbTest::SetUp();
        ctx.CalismaYiliNo = 2026;
        ctx.ClaimKodNo = 7;
        db.exec(QStringLiteral("INSERT INTO ISEMRI (IS_EMRI_NO, FYILI, SASI_NO, PLAKA_NO, KM, TESLIM_TRH, ARAC_GIRIS_TRH) "
                               "VALUES ('IE1', 2026, 'WVWZZZ1JZXW000001', '34ABC01', 45000, :T, :T)"),
                {{QStringLiteral("T"), QDateTime(QDate(2026, 3, 1), QTime())}});
        db.exec(QStringLiteral("INSERT INTO ISEAYRIN (ISEMRI_NO, FYILI, SIRANO, STOK_KOD_NO, STOK_MIKTAR, STOK_FIYATI, "
                               "GARANTI_TIPI) VALUES ('IE1', 2026, 1, 'P1', 2, 100, 'G')"));
        db.exec(QStringLiteral("INSERT INTO ISCILIK (ISEMRI_NO, FYILI, SIRANO, ARIZA_KODU, ARIZA_ADI, QTY, SURE, "
                               "ISCILIK_B_FIYATI, GARANTI_TIPI) VALUES ('IE1', 2026, 1, 'L1', 'Fren ayarı', 1, 2, 50, 'G')"));
    }
    void TearDown() override
    {
        SetModalRunner({});
        DbTest::TearDown();
    }
};

TEST_F(ClaimFormsTest, NewClaimThroughChoiceFormAndList)
{
    // The choice: no claim yet, free lines: only "&Yeni " works.
    {
        TFormClaimTipSec f(ctx, QStringLiteral("IE1"));
        EXPECT_FALSE(f.BtnSec->isEnabled());
        EXPECT_TRUE(f.BtnYeni->isEnabled());
        EXPECT_EQ(f.LblVar->text(), QStringLiteral("Claim yapılmamış kalemler var!"));
    }
    // ClaimIsemriAc: the choice says new, the form fills the model and saves.
    int step = 0;
    SetModalRunner([&](QDialog& d) {
        if (auto* t = qobject_cast<TFormClaimTipSec*>(&d)) {
            t->BtnYeniClick();
            return t->result();
        }
        if (auto* c = qobject_cast<TFormClaim2*>(&d)) {
            ++step;
            EXPECT_EQ(c->windowTitle(), QStringLiteral("Garanti Kleym Formu"));
            EXPECT_EQ(c->GridIscilik->model()->rowCount(), 1);
            EXPECT_EQ(c->GridParca->model()->rowCount(), 1);
            c->alan(QStringLiteral("CL_ARACTIP"))->setText(QStringLiteral("GOLF"));
            c->BtnSakla->click();
            EXPECT_TRUE(c->claim().stored()) << messages.lastText().toStdString();
            const report::Document doc = report::Render(ClaimRaporu(db, c->claim()));
            const QString all = doc.texts(1).join(QLatin1Char('|'));
            EXPECT_TRUE(all.contains(QStringLiteral("Fren ayarı"))) << all.toStdString();
            EXPECT_TRUE(all.contains(QStringLiteral("İşemri No: IE1"))) << all.toStdString();
            return int(QDialog::Rejected);
        }
        return int(QDialog::Rejected);
    });
    ClaimIsemriAc(ctx, QStringLiteral("IE1"), 2026);
    EXPECT_EQ(step, 1);
    ASSERT_EQ(Deger(db, QStringLiteral("SELECT COUNT(*) FROM CLAIMM")).toInt(), 1);
    // The list in mode 2 shows approved, uninvoiced claims only.
    db.exec(QStringLiteral("UPDATE CLAIMM SET CL_DURUM = 'O', CL_FATURA = 'H'"));
    TFormClaimBr list(ctx, 2);
    EXPECT_EQ(list.rowCount(), 1);
    EXPECT_FALSE(list.RgDurum->isEnabled());
    db.exec(QStringLiteral("UPDATE CLAIMM SET CL_FATURA = 'E'"));
    list.BtnFiltreleClick();
    EXPECT_EQ(list.rowCount(), 0);
}

} // namespace
} // namespace tornaly::aftersales
