#include "aftersales/AftersalesEntry.h"
#include "aftersales/AftersalesSchema.h"
#include "aftersales/claims/Claims.h"
#include "aftersales/claims/forms/BrFCT.h"
#include "aftersales/claims/forms/Claimvarnek.h"
#include "aftersales/claims/forms/brClaim.h"
#include "connection/DialogRunner.h"
#include "mainwindow/A_Pro.h"
#include "mainwindow/Targets.h"
#include "stock/cards/StokBr.h"
#include "report/ReportEngine.h"
#include "sql/SqlHelpers.h"
#include "testsupport/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
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
        Targets().clear();
        DbTest::TearDown();
    }
    void serbestParca(int sira)
    {
        db.exec(QStringLiteral("INSERT INTO ISEAYRIN (ISEMRI_NO, FYILI, SIRANO, STOK_KOD_NO, STOK_MIKTAR, STOK_FIYATI, "
                               "GARANTI_TIPI) VALUES ('IE1', 2026, :S, 'P9', 1, 10, 'G')"),
                {{QStringLiteral("S"), sira}});
    }
    // A claim of IE1 saved through the form with its damage code.
    double formdanKaydet(const QString& hataKod)
    {
        TFormClaim2 f(ctx, 1, QStringLiteral("IE1"), 0);
        f.alan(QStringLiteral("CL_ARACTIP"))->setText(QStringLiteral("GOLF"));
        f.hata(QStringLiteral("CD_HATAKOD"))->setText(hataKod);
        f.BtnSakla->click();
        return f.claim().stored() ? f.claim().no() : -1;
    }
};

// The claim form writes the damage row, "Servis Onay", the repair and
// warranty dates and the failed part picked through "Seç"; the customer tab
// reads the customer's card.
TEST_F(ClaimFormsTest, DamageRowApprovalDatesAndPickedPartFromTheForm)
{
    db.exec(QStringLiteral("INSERT INTO CARI (CARI_KOD, FIRMA_ADI, ADRES_1, TEL1, SEMT, ILI) "
                           "VALUES ('C1', 'Deniz Yılmaz', 'Atatürk Cad. 5', '0212 555 00 00', 'Kadıköy', 'İstanbul')"));
    db.exec(QStringLiteral("UPDATE ISEMRI SET CARI_KOD = 'C1'"));
    ctx.AktifKullanici.stok = QStringLiteral("Y");
    SetModalRunner([](QDialog& d) {
        if (auto* s = qobject_cast<stock::TFormStokBr*>(&d)) {
            s->secilen.StokNo = 5;
            s->secilen.StokKod = QStringLiteral("P-77");
            return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    });
    TFormClaim2 f(ctx, 1, QStringLiteral("IE1"), 0);
    ASSERT_FALSE(f.bos());
    EXPECT_EQ(f.cari(QStringLiteral("FIRMA_ADI"))->text(), QStringLiteral("Deniz Yılmaz"));
    EXPECT_EQ(f.cari(QStringLiteral("ILI"))->text(), QStringLiteral("İstanbul"));
    EXPECT_EQ(f.hata(QStringLiteral("CD_SIRANO"))->text(), QStringLiteral("01"));
    EXPECT_EQ(f.hata(QStringLiteral("CD_IMALATCI"))->text(), QStringLiteral("XXX"));
    EXPECT_EQ(f.tarih(QStringLiteral("CL_TAMIRTRH"))->date(), QDate(2026, 3, 1));
    f.alan(QStringLiteral("CL_ARACTIP"))->setText(QStringLiteral("GOLF"));
    f.hata(QStringLiteral("CD_HATAKOD"))->setText(QStringLiteral("E0210"));
    f.hata(QStringLiteral("CD_HATAACIK"))->setText(QStringLiteral("Silecek motoru"));
    f.ChkOnay->setChecked(true);
    f.tarih(QStringLiteral("CL_TAMIRTRH"))->setDate(QDate(2026, 3, 4));
    f.tarih(QStringLiteral("CL_TESLIMTRH"))->setDate(QDate(2024, 6, 30));
    f.BtnYPSec->click();
    EXPECT_EQ(f.alan(QStringLiteral("CL_YPNO"))->text(), QStringLiteral("P-77"));
    f.BtnSakla->click();
    ASSERT_TRUE(f.claim().stored()) << messages.lastText().toStdString();
    const QVariantMap no{{QStringLiteral("N"), f.claim().no()}};
    const auto oku = [&](const char* sql) { return Deger(db, QString::fromLatin1(sql), no); };
    EXPECT_EQ(oku("SELECT CL_ONAY FROM CLAIMM WHERE CL_CLAIMNO = :N").toString(), QStringLiteral("E"));
    EXPECT_EQ(oku("SELECT CL_YPNO FROM CLAIMM WHERE CL_CLAIMNO = :N").toString().trimmed(), QStringLiteral("P-77"));
    EXPECT_EQ(Query::toDateTime(oku("SELECT CL_TAMIRTRH FROM CLAIMM WHERE CL_CLAIMNO = :N")).date(), QDate(2026, 3, 4));
    EXPECT_EQ(Query::toDateTime(oku("SELECT CL_TESLIMTRH FROM CLAIMM WHERE CL_CLAIMNO = :N")).date(), QDate(2024, 6, 30));
    EXPECT_EQ(oku("SELECT CD_HATAKOD FROM CLAIMD WHERE CD_CLAIMNO = :N").toString(), QStringLiteral("E0210"));
    EXPECT_EQ(oku("SELECT CD_HATAACIK FROM CLAIMD WHERE CD_CLAIMNO = :N").toString(), QStringLiteral("Silecek motoru"));
    const QString dir = qEnvironmentVariable("TORNALY_LOOK_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        f.show();
        for (int i : {0, 2}) {
            f.PageControl1->setCurrentIndex(i);
            QApplication::processEvents();
            f.grab().save(QDir(dir).filePath(QStringLiteral("claim-form-entered-%1.png").arg(i)));
        }
    }
}

// The navigator moves among the work order's claims; an unsaved change stops it.
TEST_F(ClaimFormsTest, NavigatorMovesAmongTheWorkOrdersClaims)
{
    const double ilk = formdanKaydet(QStringLiteral("H01"));
    serbestParca(2);
    const double ikinci = formdanKaydet(QStringLiteral("H02"));
    ASSERT_GT(ilk, 0);
    ASSERT_GT(ikinci, ilk);
    TFormClaim2 f(ctx, 2, QString(), ilk);
    EXPECT_FALSE(f.BtnSonraki->isEnabled()) << "a claim opened by number is the only one the form holds";
    serbestParca(3);
    TFormClaim2 g(ctx, 1, QStringLiteral("IE1"), 0);
    ASSERT_EQ(g.nolar().size(), 2u);
    g.hata(QStringLiteral("CD_HATAKOD"))->setText(QStringLiteral("H03"));
    messages.clear();
    g.BtnIlk->click();
    EXPECT_EQ(messages.lastText(), QStringLiteral("Değişikliği Saklayın yada İptal Ediniz"));
    EXPECT_FALSE(g.claim().stored());
    g.alan(QStringLiteral("CL_ARACTIP"))->setText(QStringLiteral("GOLF"));
    g.BtnSakla->click();
    ASSERT_EQ(g.nolar().size(), 3u);
    struct Case {
        QPushButton* dugme;
        double beklenen;
        const char* hata;
    };
    for (const Case& c : {Case{g.BtnIlk, ilk, "H01"}, Case{g.BtnSonraki, ikinci, "H02"}, Case{g.BtnSon, g.nolar().back(), "H03"},
                          Case{g.BtnOnceki, ikinci, "H02"}}) {
        c.dugme->click();
        EXPECT_DOUBLE_EQ(g.claim().no(), c.beklenen) << c.dugme->objectName().toStdString();
        EXPECT_EQ(g.hata(QStringLiteral("CD_HATAKOD"))->text(), QString::fromLatin1(c.hata));
    }
}

// Mode 3 returns the claim's number, work order and chassis together and keeps
// its window; nothing chosen leaves the result as it was. The main window's
// menu opens the list.
TEST_F(ClaimFormsTest, ClaimListModeThreeAndTheMenuEntry)
{
    const double acik = formdanKaydet(QStringLiteral("H01"));
    serbestParca(2);
    const double faturali = formdanKaydet(QStringLiteral("H02"));
    db.exec(QStringLiteral("UPDATE CLAIMM SET CL_FATURA = 'E' WHERE CL_CLAIMNO = :N"), {{QStringLiteral("N"), faturali}});
    QWidget sahip;
    QList<TFormClaimBr*> pencereler;
    bool sec = true;
    SetModalRunner([&](QDialog& d) {
        auto* b = qobject_cast<TFormClaimBr*>(&d);
        if (!b)
            return int(QDialog::Rejected);
        pencereler << b;
        EXPECT_EQ(b->rowCount(), 1) << "uninvoiced claims only";
        EXPECT_FALSE(b->RgFatura->isEnabled());
        if (!sec)
            return int(QDialog::Rejected);
        b->Grid->setCurrentIndex(b->Grid->model()->index(0, 0));
        b->BtnSec->click();
        return b->result();
    });
    TypeClaim t;
    ASSERT_TRUE(ClaimListeGoster(ctx, 3, t, &sahip));
    EXPECT_DOUBLE_EQ(t.ClaimNo, acik);
    EXPECT_EQ(t.IENO, QStringLiteral("IE1"));
    EXPECT_EQ(t.SaseNo, QStringLiteral("WVWZZZ1JZXW000001"));
    sec = false;
    t.IENO = QStringLiteral("KALSIN");
    EXPECT_FALSE(ClaimListeGoster(ctx, 3, t, &sahip));
    EXPECT_EQ(t.IENO, QStringLiteral("KALSIN"));
    ASSERT_EQ(pencereler.size(), 2);
    EXPECT_EQ(pencereler[0], pencereler[1]) << "one list window serves every call";
    EXPECT_FALSE(pencereler[1]->isVisible());

    Targets().clear();
    RegisterEntryPoints();
    ctx.AktifKullanici.claim = QStringLiteral("Y");
    QStringList acilan;
    SetModalRunner([&](QDialog& d) {
        acilan << d.objectName();
        return int(QDialog::Rejected);
    });
    TAnaForm main(ctx);
    main.show();
    ASSERT_TRUE(main.isCommandEnabled(QStringLiteral("GarantiTalep1")));
    main.triggerCommand(QStringLiteral("GarantiTalep1"));
    EXPECT_EQ(acilan, QStringList{QStringLiteral("FormClaimBr")});
}

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
            c->hata(QStringLiteral("CD_HATAKOD"))->setText(QStringLiteral("H01"));
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
