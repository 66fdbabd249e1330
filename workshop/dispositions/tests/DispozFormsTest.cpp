#include "DispozFixture.h"
#include "connection/DialogRunner.h"
#include "mainwindow/Targets.h"
#include "workshop/partsissue/IsDetay.h"
#include "workshop/dispositions/forms/SatirGrid.h"
#include "workshop/dispositions/forms/dispoz.h"
#include "workshop/labour/forms/FrtSakla.h"
#include "workshop/labour/forms/SecFrt.h"
#include "workshop/workorders/forms/IsEmri.h"
#include "workshop/partsissue/forms/IsDetayForm.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QShortcut>
#include <QTest>

using namespace tornaly;
using namespace tornaly::workshop;
using tornaly::test::DispozTest;

namespace {

// Every window opened modally is recorded and answered by `cevap` (closed
// when it has none), so a stray window fails a test instead of waiting.
struct ModalKayit {
    QStringList acilan;
    std::function<int(QDialog&)> cevap;
    ModalRunner onceki;
    ModalKayit()
    {
        onceki = SetModalRunner([this](QDialog& d) {
            acilan << d.objectName();
            return cevap ? cevap(d) : int(QDialog::Rejected);
        });
    }
    ~ModalKayit() { SetModalRunner(onceki); }
};

class DispozFormsTest : public DispozTest {
protected:
    void SetUp() override
    {
        DispozTest::SetUp();
        ctx.Database1 = db;
        ctx.AktifKullanici.ie_ackapat = QStringLiteral("E");
    }
};

TEST_F(DispozFormsTest, PartsIssueFormIssuesAPartFromTheStockSearch)
{
    TFormIsDetay f(ctx);
    f.isemriypac(wo);
    EXPECT_EQ(f.LblDurum->text(), QStringLiteral("AÇIK İŞEMRİ"));
    EXPECT_TRUE(f.BtnDuzenle->isEnabled());
    EXPECT_FALSE(f.BtnPaketSec->isEnabled());
    f.BtnDuzenle->click();
    EXPECT_TRUE(f.BtnKaydet->isEnabled());
    EXPECT_FALSE(f.BtnPaketSec->isEnabled()); // the package list is not linked in
    f.EdStokAra->setText(QStringLiteral("P-1"));
    f.EdStokAraKeyPress();
    ASSERT_EQ(f.GridStok->rowCount(), 1);
    f.GridStok->setCurrentCell(0, 0);
    f.GridStokDblClick();
    ASSERT_EQ(f.GridParca->rowCount(), 1);
    // the clerk types 2 into "Miktar" and "SonÇıkan"
    f.GridParca->item(0, f.GridParca->kolon(QStringLiteral("STOK_MIKTAR")))->setText(QStringLiteral("2"));
    f.GridParca->item(0, f.GridParca->kolon(QStringLiteral("TESLIM_MIKTAR")))->setText(QStringLiteral("2"));
    f.BtnKaydet->click();
    EXPECT_FALSE(f.BtnKaydet->isEnabled());
    EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT VERILEN_MIKTAR FROM ISEAYRIN")).toDouble(), 2);
    EXPECT_DOUBLE_EQ(stokmik(1, QStringLiteral("1")), 3);
}

TEST_F(DispozFormsTest, DispositionsFormAddsLabourSavesAndRefusesClosingWithChanges)
{
    TFormDispoz f(ctx);
    f.isemriniac(wo);
    EXPECT_EQ(f.Label10->text(), QStringLiteral("Açık İş Emri"));
    EXPECT_TRUE(f.btnIsemriKapat->isEnabled());
    EXPECT_FALSE(f.btnIsemriAc->isEnabled());
    f.EditFRT->setText(QStringLiteral("100"));
    f.EditFRTKeyPress();
    ASSERT_EQ(f.GridFrt->rowCount(), 2); // M100 for VS1 and for ZZ
    f.GridFrt->setCurrentCell(0, 0);
    f.FRTEkle();
    ASSERT_EQ(f.GridIscilik->rowCount(), 1);
    EXPECT_TRUE(f.edit_mod);
    EXPECT_FALSE(f.btnIsemriKapat->isEnabled());
    f.close();
    EXPECT_EQ(messages.lastText(), QStringLiteral("Değişikliği Saklayın yada İptal Ediniz!"));
    f.BtnSakla->click();
    EXPECT_FALSE(f.edit_mod);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ISCILIK")), 1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT DISPOZ_YAP FROM ISEMRI")).toString(), QStringLiteral("E"));
    f.btnIsemriKapat->click();
    EXPECT_EQ(f.Label10->text(), QStringLiteral("Kapalı İş Emri"));
    EXPECT_TRUE(f.btnIsemriAc->isEnabled());
    EXPECT_EQ(int(f.GridIscilik->editTriggers()), 0);
}

TEST_F(DispozFormsTest, LabourListInModeZeroHasNoPick)
{
    TFormFRTBr1 l(ctx, 0);
    EXPECT_FALSE(l.BtnSec->isVisibleTo(&l));
    l.EdKod->setText(QStringLiteral("M1"));
    l.EdModel->setText(QStringLiteral("VS1"));
    l.Ara(0);
    EXPECT_EQ(l.Grid->rowCount(), 1);
    EXPECT_EQ(l.LblSayi->text(), QStringLiteral("Kayıt Sayısı= 1"));
    TFormFRTBr1 s(ctx, 1);
    EXPECT_TRUE(s.BtnSec->isVisibleTo(&s));
}

// Enter in a work-order number box loads that work order and opens nothing
// else; in the labour list a second Enter searches again and opens no card.
TEST_F(DispozFormsTest, EnterDoesOneThing)
{
    ModalKayit modal;
    {
        TFormIsDetay f(ctx);
        f.show();
        f.EdAra->setFocus();
        f.EdAra->setText(wo);
        QTest::keyClick(f.EdAra, Qt::Key_Return);
        EXPECT_TRUE(f.Belge.yuklu());
        EXPECT_EQ(f.Belge.no(), wo);
        EXPECT_TRUE(modal.acilan.isEmpty()) << "parts issue: " << modal.acilan.join(',').toStdString();
        f.hide();
    }
    {
        TFormDispoz f(ctx);
        f.show();
        f.Edit2->setFocus();
        f.Edit2->setText(wo);
        QTest::keyClick(f.Edit2, Qt::Key_Return);
        EXPECT_EQ(f.Label10->text(), QStringLiteral("Açık İş Emri"));
        EXPECT_TRUE(modal.acilan.isEmpty()) << "closing: " << modal.acilan.join(',').toStdString();
        f.hide();
    }
    {
        TFormFRTBr1 l(ctx, 1);
        l.show();
        l.EdKod->setFocus();
        l.EdKod->setText(QStringLiteral("M1"));
        l.EdModel->setText(QStringLiteral("VS1"));
        QTest::keyClick(l.EdKod, Qt::Key_Return);
        QTest::keyClick(l.EdKod, Qt::Key_Return);
        EXPECT_EQ(l.Grid->rowCount(), 1);
        EXPECT_TRUE(l.isVisible()) << "no button closed the list";
        EXPECT_TRUE(modal.acilan.isEmpty()) << "labour list: " << modal.acilan.join(',').toStdString();
    }
}

// "İşçilik Seç" on the parts counter keeps the labour line on the work order
// at once and says so; picking it again is refused with a message, and a
// closed work order takes nothing.
TEST_F(DispozFormsTest, LabourPickedAtThePartsCounterIsNeverLostSilently)
{
    // The labour is picked among the parts-per-labour rows of the vehicle's labour model.
    insert(QStringLiteral("TARIZPAR"), {{QStringLiteral("IZP_KODU"), QStringLiteral("M100")},
                                        {QStringLiteral("IZP_ARAC_TIPI"), QStringLiteral("VS1")},
                                        {QStringLiteral("IZP_MALZEME"), QStringLiteral("NO-CARD")}});
    ModalKayit modal;
    modal.cevap = [](QDialog& d) {
        auto* l = qobject_cast<TFormSecFrt*>(&d);
        if (!l)
            return int(QDialog::Rejected);
        EXPECT_EQ(l->EdModel->text(), QStringLiteral("VS1"));
        l->EdAriza->setText(QStringLiteral("M100"));
        l->listele();
        l->Grid->setCurrentCell(0, 0);
        l->BtnSecClick();
        return l->result();
    };
    struct Durum {
        const char* ad;
        std::function<void()> once;
        QString mesaj;
        int satir;
    } const durumlar[] = {
        {"first pick", [] {}, IscilikSecimiMesaji(QStringLiteral("M100"), 0), 1},
        {"the same labour again", [] {}, QStringLiteral("M100 işçiliği bu iş emrinde zaten var."), 1},
        {"a closed work order",
         [this] { db.exec(QStringLiteral("UPDATE ISEMRI SET KAPANDI = 'E' WHERE IS_EMRI_NO = :N"), {{QStringLiteral("N"), wo}}); },
         QStringLiteral("İşemri Kapalı yada Seçilmemiş!"), 1},
    };
    for (const Durum& c : durumlar) {
        SCOPED_TRACE(c.ad);
        TFormIsDetay f(ctx);
        f.isemriypac(wo);
        f.BtnDuzenle->click();
        c.once();
        messages.clear();
        modal.acilan.clear();
        f.BtnIscilikSec->click();
        EXPECT_EQ(modal.acilan, QStringList{QStringLiteral("FormSecFrt")});
        EXPECT_EQ(messages.lastText(), c.mesaj);
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ISCILIK WHERE ARIZA_KODU = 'M100'")), c.satir);
    }
    // The kept line carries the card's time and price, and the work order's labour total follows.
    Query q(db, QStringLiteral("SELECT SURE, ISCILIK_B_FIYATI FROM ISCILIK WHERE ISEMRI_NO = :N AND ARIZA_KODU = 'M100'"));
    q.bind(QStringLiteral("N"), wo).exec();
    ASSERT_TRUE(q.next());
    EXPECT_GT(q.num(QStringLiteral("SURE")) * q.num(QStringLiteral("ISCILIK_B_FIYATI")), 0);
}

} // namespace

TEST_F(DispozFormsTest, TheNotesPanelJoinsTheSaveAndTheHistoryNeedsAWorkOrder)
{
    TFormDispoz f(ctx);
    messages.clear();
    f.BitBtn19->click();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Lütfen İşemri Seçiniz")});
    f.isemriniac(wo);
    // Outside editing the panel only shows.
    f.btnMusteriSikayet->click();
    ASSERT_TRUE(f.PnlNotlar->isVisibleTo(&f));
    auto* not_ = f.findChild<QLineEdit*>(QStringLiteral("EdKapanisNotu"));
    ASSERT_TRUE(not_);
    EXPECT_TRUE(not_->isReadOnly());
    f.findChild<QPushButton*>(QStringLiteral("BtnNotKapat"))->click();
    EXPECT_FALSE(f.PnlNotlar->isVisibleTo(&f));

    struct Case {
        const char* name;
        MsgButton answer;
        QString stored;
    };
    const QList<Case> cases{
        {"closing the panel and answering No drops the note", MsgNo, QString()},
        {"answering Yes keeps it for the save", MsgYes, QStringLiteral("Balata değişti")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        f.isemriniac(wo);
        f.editmodayarla(true);
        f.btnMusteriSikayet->click();
        EXPECT_FALSE(not_->isReadOnly());
        not_->setText(QStringLiteral("Balata değişti"));
        messages.clear();
        messages.answer(c.answer);
        f.findChild<QPushButton*>(QStringLiteral("BtnNotKapat"))->click();
        EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Kapanış Notunu saklamak istiyor musunuz?")});
        f.BtnSakla->click();
        EXPECT_FALSE(f.edit_mod);
        EXPECT_EQ(scalar(QStringLiteral("SELECT KAPANIS_NOTU FROM ISEMRI")).toString(), c.stored);
    }
}

TEST_F(DispozFormsTest, PartsIssueCommandsOfWindowsNotInTheProgramStayOff)
{
    Targets().clear();
    TFormIsDetay f(ctx);
    f.isemriypac(wo);
    for (QPushButton* b : {f.BtnSipeAktar, f.BtnEksperdenAktar, f.BtnPaketSec})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    // The batch column and its picker are the configured company's only.
    EXPECT_TRUE(f.GridParca->isColumnHidden(f.GridParca->kolon(QStringLiteral("SERINO"))));
    EXPECT_FALSE(f.BtnSeriNo->isVisibleTo(&f));
    EXPECT_TRUE(f.BtnYeniStokKarti->isEnabled());
}

// The labour commands of the dispositions open their pickers on the current
// lines, and the parts counter's side commands open theirs on its work order.
TEST_F(DispozFormsTest, SideCommandsOpenTheirWindowsOnTheWorkOrder)
{
    insert(QStringLiteral("TARIZPAR"), {{QStringLiteral("IZP_KODU"), QStringLiteral("M100")},
                                        {QStringLiteral("IZP_ARAC_TIPI"), QStringLiteral("VS1")},
                                        {QStringLiteral("IZP_MALZEME"), QStringLiteral("P-1")}});
    db.exec(QStringLiteral("UPDATE ISEMRI SET MUSTALIM_1 = 'Fren sesi', MUSTALIM_10 = 'Yağ kaçağı'"));
    insert(QStringLiteral("ISCIUSTA"), {{QStringLiteral("ISCI_KOD"), QStringLiteral("U01")},
                                        {QStringLiteral("ISCI_ADI"), QStringLiteral("Usta Bir")}});
    ctx.AktifKullanici.personel = QStringLiteral("Y");
    ModalKayit modal;
    QString model, ariza;
    modal.cevap = [&](QDialog& d) {
        if (auto* s = qobject_cast<TFormSecFrt*>(&d)) {
            model = s->EdModel->text();
            ariza = s->EdAriza->text();
            EXPECT_EQ(s->Grid->rowCount(), 1);
        }
        if (auto* k = qobject_cast<TFormFRTSakla*>(&d))
            ariza = k->Alanlar.value(QStringLiteral("FRT_KODU"))->text();
        return int(QDialog::Rejected);
    };
    {
        TFormDispoz f(ctx);
        f.isemriniac(wo);
        f.EditFRT->setText(QStringLiteral("M100"));
        f.EditFRTKeyPress();
        f.GridFrt->setCurrentCell(0, 0);
        f.FRTEkle();
        EXPECT_EQ(f.PnlIscilikDetay->title(), QStringLiteral("Seçili İşçilik Detayı"));
        f.GridIscilik->setCurrentCell(0, 0);
        f.IscilikParcaSec1->trigger();
        EXPECT_EQ(modal.acilan, QStringList{QStringLiteral("FormSecFrt")});
        EXPECT_EQ(model, QStringLiteral("VS1"));
        EXPECT_EQ(ariza, QStringLiteral("M100"));
        modal.acilan.clear();
        f.EditFRT->setText(QStringLiteral("M100"));
        f.EditFRTKeyPress();
        f.GridFrt->setCurrentCell(0, 0);
        f.BtnIscilikKarti->click();
        EXPECT_EQ(modal.acilan, QStringList{QStringLiteral("FormFRTSakla")});
        EXPECT_EQ(ariza, QStringLiteral("M100"));
        modal.acilan.clear();
        // F8 has no menu item; its key (a shortcut of the window) opens the editor.
        for (QShortcut* k : f.findChildren<QShortcut*>())
            if (k->key() == QKeySequence(Qt::Key_F8))
                emit k->activated();
        EXPECT_EQ(modal.acilan, QStringList{QStringLiteral("FormFRTSTK")});
        f.BtnSakla->click();
        // Outside editing "Barkodla Ara" clears and focuses the work-order search.
        f.Edit2->setText(QStringLiteral("X"));
        f.BarkodlaAra1->trigger();
        EXPECT_TRUE(f.Edit2->text().isEmpty());
    }
    modal.acilan.clear();
    TFormIsDetay p(ctx);
    p.isemriypac(wo);
    p.BtnSikayetGoster->click();
    ASSERT_TRUE(p.PanelSikayet->isVisibleTo(&p));
    EXPECT_EQ(p.PanelSikayet->findChild<QLineEdit*>(QStringLiteral("EdMustAlim1"))->text(), QStringLiteral("Fren sesi"));
    EXPECT_EQ(p.PanelSikayet->findChild<QLineEdit*>(QStringLiteral("EdMustAlim10"))->text(), QStringLiteral("Yağ kaçağı"));
    // The receiver is picked only while the lines are edited, and saved with them.
    EXPECT_FALSE(p.BtnTeslimAlanSec->isEnabled());
    p.BtnDuzenle->click();
    modal.cevap = [](QDialog& d) {
        auto* t = d.findChild<QTableView*>();
        if (!t || !t->model() || t->model()->rowCount() == 0)
            return int(QDialog::Rejected);
        t->setCurrentIndex(t->model()->index(0, 0));
        for (QPushButton* b : d.findChildren<QPushButton*>())
            if (b->text().remove(QLatin1Char('&')) == QStringLiteral("Seç")) {
                b->click();
                break;
            }
        return d.result();
    };
    p.BtnTeslimAlanSec->click();
    EXPECT_EQ(p.LblTeslimAlan->text(), QStringLiteral("Usta Bir"));
    p.BtnKaydet->click();
    EXPECT_EQ(scalar(QStringLiteral("SELECT YP_TESLIM_ALAN FROM ISEMRI")).toString(), QStringLiteral("U01"));
    // "İş Emri &Açma" shows the shared card on this work order.
    p.ActIsEmriAcma->trigger();
    auto* kart = p.findChild<TFormIsEmri*>(QStringLiteral("FormIsEmri"));
    ASSERT_NE(kart, nullptr);
    EXPECT_EQ(kart->EdIsEmriNo->text(), wo);
    kart->Kart.iptal();
    kart->close();
}
