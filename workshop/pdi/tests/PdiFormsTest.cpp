#include "PdiFixture.h"
#include "connection/DialogRunner.h"
#include "mainwindow/EntryPoints.h"
#include "sql/SqlHelpers.h"
#include "mainwindow/Targets.h"
#include "workshop/WorkshopEntry.h"
#include "workshop/pdi/forms/BelgeFormForm.h"
#include "workshop/pdi/forms/PDI.h"
#include "workshop/pdi/forms/PdiFormuForm.h"
#include "workshop/pdi/forms/PdiKodForm.h"
#include "workshop/vehicles/forms/FieldPanel.h"
#include "sql/SqlHelpers.h"
#include "workshop/workorders/forms/IsEmri.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

using namespace tornaly;
using namespace tornaly::test;
using namespace tornaly::workshop;

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }

// Runs the dialogs opened modally through `adim` instead of waiting for a
// person; the previous runner comes back at the end of the scope.
struct Kosucu {
    ModalRunner once;
    explicit Kosucu(ModalRunner r) { once = SetModalRunner(std::move(r)); }
    ~Kosucu() { SetModalRunner(once); }
};

void tikla(QWidget* w, const char* ad)
{
    auto* b = w->findChild<QAbstractButton*>(S(ad));
    ASSERT_NE(b, nullptr) << ad;
    ASSERT_TRUE(b->isEnabled()) << ad;
    b->click();
}
} // namespace

TEST_F(PdiTest, TheMainWindowOpensThePdiFormAndItsBrandDealerButtons)
{
    Targets().clear();
    workshop::RegisterEntryPoints();
    ASSERT_TRUE(Targets().isRegistered(S(entry::TFormPDI)));
    for (const bool markaBayi : {false, true}) {
        ctx.MarkaBayiModu = markaBayi;
        OpenRequest r;
        r.target = S(entry::TFormPDI);
        r.ctx = &ctx;
        std::unique_ptr<QWidget> w(Targets().form(r.target)(r));
        EXPECT_EQ(w->objectName(), S("FormPDI"));
        EXPECT_EQ(w->windowTitle(), S("PDI Kayıtları"));
        EXPECT_EQ(!w->findChild<QPushButton*>(S("BtnPDIForm"))->isHidden(), markaBayi);
        EXPECT_EQ(!w->findChild<QPushButton*>(S("BtnSonKontrol"))->isHidden(), markaBayi);
    }
    Targets().clear();
}

TEST_F(PdiTest, AClerkRecordsFaultsAndOpensTheWorkOrder)
{
    setSeriNo(12);
    TFormPDI f(ctx);
    f.show();
    // An empty table: nothing to delete or open yet.
    EXPECT_FALSE(f.findChild<QToolButton*>(S("NavSil"))->isEnabled());
    EXPECT_FALSE(f.BitBtn4->isEnabled());
    tikla(&f, "NavYeni");
    EXPECT_EQ(f.durum(), TFormPDI::Durum::Ekleme);
    EXPECT_EQ(f.Alanlar->editor(S("PDI_NO"))->text(), S("000001"));
    // The engine number typed, Enter: the vehicle card fills the record.
    QLineEdit* motor = f.Alanlar->editor(S("MOTOR_NO"));
    motor->setText(S("M16A140901"));
    QTest::keyClick(motor, Qt::Key_Return);
    EXPECT_EQ(f.Alanlar->editor(S("SASE_NO"))->text(), kSase);
    EXPECT_EQ(f.LblModelAdi->text(), S("VARNEK 1.6 SEDAN"));
    EXPECT_EQ(f.LblRenkAdi->text(), S("BEYAZ"));
    // Two faults through the pickers of the grid's code columns.
    QStringList secimler{S("OTP"), S("CZK"), S("KPT"), S("GCK")};
    f.hataSecici = [&](bool) { return secimler.takeFirst(); };
    for (int satir = 0; satir < 2; ++satir) {
        tikla(&f, "BtnSatirEkle");
        for (int kolon : {1, 3}) {
            f.GridHata->setCurrentCell(satir, kolon);
            tikla(&f, "BtnHataSec");
        }
    }
    EXPECT_EQ(f.GridHata->item(1, 4)->text(), S("Göçük"));
    EXPECT_EQ(f.GridHata->item(1, 0)->text(), S("2"));
    tikla(&f, "NavSakla");
    EXPECT_EQ(f.durum(), TFormPDI::Durum::Gezinme);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM PDIDET WHERE PDI_NO = '000001'")), 2);

    tikla(&f, "BitBtn4");
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(f.Alanlar->editor(S("MODEL_SERISI"))->text(), S("000012"));
    auto* kart = f.findChild<TFormIsEmri*>();
    ASSERT_NE(kart, nullptr);
    EXPECT_TRUE(kart->isVisible());
    EXPECT_EQ(ReadIsEmri(db, S("000012")).value(S("MUSTALIM_2")).toString(), S("Kaput Göçük"));
    kart->Kart.iptal();
    kart->close();

    // A second record for the same vehicle is refused on saving.
    tikla(&f, "NavYeni");
    f.Alanlar->editor(S("SASE_NO"))->setText(kSase);
    tikla(&f, "NavSakla");
    EXPECT_EQ(messages.lastText(), S("Bu Aracın PDI ı var!"));
    EXPECT_EQ(f.durum(), TFormPDI::Durum::Ekleme);
    tikla(&f, "NavIptal");
    EXPECT_EQ(f.kayit().row.value(S("PDI_NO")).toString(), S("000001"));
}

TEST_F(PdiTest, SearchingByChassisListsSeveralAndGoesToTheChosenOne)
{
    addPdi(S("VNK1SED2026000911"));
    const QString ikinci = addPdi(S("VNK1SED2026000912"));
    addPdi(S("KRS4SUV2026000913"));
    TFormPDI f(ctx);
    f.show();
    f.Edit2->setText(S("VNK1SED%"));
    QTest::keyClick(f.Edit2, Qt::Key_Return);
    ASSERT_TRUE(f.ListeSase->isVisible());
    EXPECT_EQ(f.ListeSase->rowCount(), 2);
    f.ListeSase->setCurrentCell(1, 0);
    QTest::keyClick(f.ListeSase, Qt::Key_Return);
    EXPECT_FALSE(f.ListeSase->isVisible());
    EXPECT_EQ(f.kayit().row.value(S("PDI_NO")).toString(), ikinci);
    // One match goes straight to it; the PDI number search too.
    f.Edit2->setText(S("KRS%"));
    QTest::keyClick(f.Edit2, Qt::Key_Return);
    EXPECT_EQ(f.kayit().row.value(S("SASE_NO")).toString(), S("KRS4SUV2026000913"));
    f.Edit1->setText(ikinci);
    QTest::keyClick(f.Edit1, Qt::Key_Return);
    EXPECT_EQ(f.kayit().row.value(S("PDI_NO")).toString(), ikinci);
}

TEST_F(PdiTest, TheErrorCodeListSearchesAsTheClerkTypes)
{
    TFormHataPDIBr f(ctx, 1);
    f.tablo();
    f.show();
    EXPECT_EQ(f.windowTitle(), S("PDI HATA KOD KAYITLARI"));
    EXPECT_FALSE(f.BtnSec->isHidden());
    QTest::keyClicks(f.Grid, S("A1"));
    EXPECT_EQ(f.aramaMetni(), S("A"));
    EXPECT_EQ(f.currentRow().value(S("PDI_HATA_KODU")).toString().trimmed(), S("A2"));
    QTest::keyClick(f.Grid, Qt::Key_Escape);
    EXPECT_TRUE(f.aramaMetni().isEmpty());
    // The error places do not search as one types; Enter picks the current row.
    QString secilen;
    {
        Kosucu k([&](QDialog& d) {
            auto* liste = qobject_cast<TFormHataYeriBr*>(&d);
            if (!liste)
                return int(QDialog::Rejected);
            QTest::keyClicks(liste->Grid, S("T"));
            EXPECT_TRUE(liste->aramaMetni().isEmpty());
            liste->Grid->setCurrentIndex(liste->Liste->index(2, 0));
            QTest::keyClick(liste->Grid, Qt::Key_Return);
            return d.result();
        });
        secilen = SelectHataYerPdi(ctx, 1);
    }
    EXPECT_EQ(secilen, S("TAV"));
}

TEST_F(PdiTest, TheCheckListFormMustBeSavedOrCancelledBeforeClosing)
{
    addSoru(1, 1, S("DIŞ"), 1);
    addSoru(1, 2, S("Boya"));
    addSoru(1, 3, S("Lastik"));
    int sonuc = 0;
    {
        Kosucu k([&](QDialog& d) {
            auto* f = qobject_cast<TFormBelgeForm*>(&d);
            if (!f)
                return int(QDialog::Rejected);
            EXPECT_EQ(f->belge().row.value(S("BEL_SASE_NO")).toString(), kSase);
            EXPECT_EQ(f->GridSoru->rowCount(), 3);
            f->BtnKapat->click();
            EXPECT_EQ(messages.lastText(), S("Kaydı saklayın yada iptal edin!"));
            f->BtnKaydet->click();
            EXPECT_EQ(messages.lastText(), S("Lütfen kontrol noktalarını doldurunuz"));
            f->cevapla(0, 1); // a heading takes no answer
            f->cevapla(1, 1);
            f->cevapla(2, 0, S("Basınç düşük"));
            f->BtnKaydet->click();
            EXPECT_FALSE(f->degisiyor());
            f->BtnKapat->click();
            return d.result();
        });
        sonuc = ShowBelgeForm(ctx, 1, QString(), kSase);
    }
    EXPECT_GT(sonuc, 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM BELGEFORMCEVAP WHERE BEL_ID = :ID"), {{S("ID"), sonuc}}), 2);
    // Opened again for the chassis: the same document; "Vazgeç" at once ends
    // the form without a new document.
    {
        Kosucu k([&](QDialog& d) {
            auto* f = qobject_cast<TFormBelgeForm*>(&d);
            EXPECT_EQ(f->belge().row.value(S("BEL_ID")).toInt(), sonuc);
            f->BtnKapat->click();
            return d.result();
        });
        EXPECT_EQ(ShowBelgeForm(ctx, 1, QString(), kSase), sonuc);
    }
    {
        Kosucu k([&](QDialog& d) {
            qobject_cast<TFormBelgeForm*>(&d)->BtnVazgec->click();
            return d.result();
        });
        EXPECT_EQ(ShowBelgeForm(ctx, 2, QString(), kSase), -1);
    }
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM BELGEFORM")), 1);
}

TEST_F(PdiTest, ThePdiFormStartsOnTheServersDayAndReturnsTheSavedChassis)
{
    const QDateTime eski(QDate(2025, 6, 1), QTime(0, 0));
    QString sonuc;
    {
        Kosucu k([&](QDialog& d) {
            auto* f = qobject_cast<TFormPDIFormu*>(&d);
            if (!f)
                return int(QDialog::Rejected);
            EXPECT_TRUE(f->yeni());
            EXPECT_TRUE(f->BtnAracSec->isEnabled());
            EXPECT_EQ(Query::toDate(f->row().value(S("TARIH"))), ServerToday(db));
            EXPECT_EQ(f->LblModelAdi->text(), S("VARNEK 1.6 SEDAN"));
            f->madde(S("K3_ARCRENK"))->setChecked(true);
            f->BtnSakla->click();
            EXPECT_FALSE(f->yeni());
            f->BtnVazgec->click();
            return d.result();
        });
        // A date with no form still starts on the server's day.
        sonuc = ShowPDIFormu(ctx, kSase, eski);
    }
    EXPECT_EQ(sonuc, kSase);
    EXPECT_EQ(scalar(S("SELECT K3_ARCRENK FROM PDIFORMU WHERE SASI_NO = :S"), {{S("S"), kSase}}).toString(), S("E"));
    EXPECT_EQ(scalar(S("SELECT K1_MNOSIPK FROM PDIFORMU WHERE SASI_NO = :S"), {{S("S"), kSase}}).toString(), S("H"));
    EXPECT_EQ(Query::toDate(scalar(S("SELECT TARIH FROM PDIFORMU"))), ServerToday(db));
}

TEST_F(PdiTest, TheCodeCardFromTheListRefusesADuplicateAndStaysOpen)
{
    TFormHataYeriBr liste(ctx, 0);
    liste.tablo();
    liste.show();
    EXPECT_TRUE(liste.BtnSec->isHidden());
    int acilan = 0;
    {
        Kosucu k([&](QDialog& d) {
            auto* kart = qobject_cast<TFormHataYerPdi*>(&d);
            if (!kart)
                return int(QDialog::Rejected);
            ++acilan;
            EXPECT_EQ(kart->windowTitle(), S("PDI HATA YERİ KAYIT KARTI"));
            QTest::keyClicks(kart->Panel->editor(S("HATA_YERI_KODU")), S("KPT"));
            QTest::keyClicks(kart->Panel->editor(S("HATA_YERI_ADI")), S("Kaput 2"));
            kart->BtnSakla->click();
            EXPECT_EQ(messages.lastText(), S("Aynı Kodlu Kayıt Var."));
            EXPECT_EQ(kart->result(), QString());
            kart->Panel->editor(S("HATA_YERI_KODU"))->clear();
            QTest::keyClicks(kart->Panel->editor(S("HATA_YERI_KODU")), S("BAG"));
            kart->Panel->editor(S("HATA_YERI_ADI"))->clear();
            QTest::keyClicks(kart->Panel->editor(S("HATA_YERI_ADI")), S("Bagaj"));
            kart->BtnSakla->click();
            return d.result();
        });
        liste.BtnYeni->click();
    }
    EXPECT_EQ(acilan, 1);
    EXPECT_EQ(PdiHataYeriAdi(db, S("BAG")), S("Bagaj"));
    EXPECT_EQ(liste.Liste->rowCount(), 4);
}
