#include "VehicleFixture.h"
#include "workshop/vehicles/Registration.h"
#include "workshop/vehicles/Vehicles.h"
#include "workshop/vehicles/forms/AracSakla.h"
#include "workshop/vehicles/forms/Beyan.h"
#include "workshop/vehicles/forms/CodeCards.h"
#include "workshop/vehicles/forms/ModelSakla.h"
#include "sql/SqlHelpers.h"
#include "workshop/WorkshopEntry.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QKeyEvent>
#include <QTimer>

using namespace tornaly;
using namespace tornaly::workshop;

class VehicleFormsTest : public test::VehicleTest {
protected:
    void type(QLineEdit* e, const QString& text)
    {
        e->setFocus();
        e->selectAll();
        e->insert(text); // an edit as the user's typing makes it
    }
    void enter(QWidget* w)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
    }
};

TEST_F(VehicleFormsTest, NewVehicleCardTakesThePresetsOnce)
{
    YeniArac().YeniAracSaseNo = QStringLiteral("VF1PRESET");
    YeniArac().YeniAracMotorNo = QStringLiteral("MTR1");
    {
        TFormAracSakla card(ctx);
        card.loadArac({}, true);
        EXPECT_EQ(card.Panel->editor(QStringLiteral("SASE_NO"))->text(), QStringLiteral("VF1PRESET"));
        EXPECT_EQ(card.Panel->editor(QStringLiteral("MOTOR_NO"))->text(), QStringLiteral("MTR1"));
        EXPECT_EQ(card.LblSaseSayac->text(), QStringLiteral("9"));
    }
    TFormAracSakla second(ctx);
    second.loadArac({}, true);
    EXPECT_TRUE(second.Panel->editor(QStringLiteral("SASE_NO"))->text().isEmpty());
}

TEST_F(VehicleFormsTest, VehicleCardSaveRefusesAndStaysOpen)
{
    TFormAracSakla card(ctx);
    card.loadArac({}, true);
    card.row().insert(QStringLiteral("ARC_MODEL_KODU"), QStringLiteral("VRN1600"));
    type(card.Panel->editor(QStringLiteral("SASE_NO")), QStringLiteral("vf1 low"));
    type(card.Panel->editor(QStringLiteral("ARC_MODEL_TRH")), QStringLiteral("2025"));
    card.BtnSakla->click();
    EXPECT_EQ(messages.lastText(), QStringLiteral("ŞASE' de Hatalı yada Boşluklu Karakter kullandınız."));
    EXPECT_TRUE(card.result().isEmpty());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ARAC")), 0);

    type(card.Panel->editor(QStringLiteral("SASE_NO")), QStringLiteral("VF1GOOD"));
    card.BtnSakla->click();
    EXPECT_EQ(card.result(), QStringLiteral("VF1GOOD"));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ARAC WHERE ARC_MODEL_TRH = 2025")), 1);

    // "&Sakla" on an unchanged vehicle leaves the card open with no result.
    TFormAracSakla again(ctx);
    again.loadArac(ReadArac(db, QStringLiteral("VF1GOOD")), false);
    EXPECT_TRUE(again.Panel->editor(QStringLiteral("PLAKA"))->isReadOnly());
    messages.clear();
    again.BtnSakla->click();
    EXPECT_TRUE(again.result().isEmpty());
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(VehicleFormsTest, VehicleListSearchesAndDeletes)
{
    for (int i = 0; i < 60; ++i)
        addVehicle(QStringLiteral("VF1N%1").arg(i, 4, 10, QLatin1Char('0')), QStringLiteral("34ABC%1").arg(i));
    addVehicle(QStringLiteral("VF1OTHER"), QStringLiteral("06XYZ1"));
    TFormAracBr list(ctx, 0);
    list.tablo();
    EXPECT_EQ(list.LblSayi->text(), QStringLiteral("Kayıt Sayısı : 50"));

    type(list.EdPlaka, QStringLiteral("abc"));
    enter(list.EdPlaka);
    list.Liste->fetchAll();
    EXPECT_EQ(list.Liste->rowCount(), 60); // no 50-row limit once searched

    // Enter on an empty field asks; "No" leaves the grid empty.
    list.EdSase->clear();
    messages.answer(MsgNo);
    enter(list.EdSase);
    EXPECT_EQ(messages.lastText(), QStringLiteral("Tüm Kayıtları Görmek İstiyor Musunuz?"));
    EXPECT_EQ(list.Liste->rowCount(), 0);

    insert(QStringLiteral("ARCPRTFY"), {{QStringLiteral("SASE_NO"), QStringLiteral("VF1OTHER")}});
    const AracListeSorgusu s = AracAramaSorgu(db, AracAramaAlani::Plaka, QStringLiteral("06XYZ"));
    list.tabloSorgu(s.statement, s.binds);
    list.Grid->setCurrentIndex(list.Liste->index(0, 0));
    list.BtnSil->click();
    EXPECT_EQ(messages.lastText(), QStringLiteral("Bu Araç İşemrinde ve/veya Araç Faturalarında Var!. Silinemez!"));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ARAC WHERE SASE_NO = 'VF1OTHER'")), 1);
}

TEST_F(VehicleFormsTest, ModelCardCouplesBrandAndSegment)
{
    TFormModelSakla card(ctx);
    card.loadModel({}, true);
    card.BtnSakla->click();
    EXPECT_EQ(messages.lastText(), QStringLiteral("Model Kodu Bilgisini Vermeden Kayıt Saklanamaz."));

    type(card.Panel->editor(QStringLiteral("ARC_MODEL_KODU")), QStringLiteral("KRS9"));
    type(card.Panel->editor(QStringLiteral("ARC_MODEL_ADI")), QStringLiteral("KORSA 9"));
    card.CmbMarka->setCurrentText(QStringLiteral("KORSA"));
    card.MarkaDegisti();
    card.CmbSegment->setCurrentIndex(card.CmbSegment->findData(QStringLiteral("HB")));
    card.SegmentSecildi();
    EXPECT_EQ(card.CmbIscilik->currentData().toString(), QStringLiteral("KH1"));
    card.BtnSakla->click();
    EXPECT_EQ(card.result(), QStringLiteral("KRS9"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT OZEL1 FROM MODEL WHERE ARC_MODEL_KODU = 'KRS9'")).toString(), QStringLiteral("KH1"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT MARKA FROM MODEL WHERE ARC_MODEL_KODU = 'KRS9'")).toString(), QStringLiteral("KORSA"));
}

TEST_F(VehicleFormsTest, RegistrationFormSavesAndGuardsUnsavedChanges)
{
    addVehicle(QStringLiteral("VF1BEYAN"), QStringLiteral("06KLM45"), QStringLiteral("120.01"));
    insert(QStringLiteral("CARI"), {{QStringLiteral("CARI_KOD"), QStringLiteral("120.01")},
                                    {QStringLiteral("FIRMA_ADI"), QStringLiteral("ŞAHİN ÇELİK")}});
    ctx.AktifKullanici.beyan = QStringLiteral("Y");
    TFormBeyan form(ctx);
    ASSERT_TRUE(form.openVehicle(QStringLiteral("VF1BEYAN")));
    EXPECT_EQ(form.Sahibi->editor(QStringLiteral("FIRMA_ADI"))->text(), QStringLiteral("ŞAHİN ÇELİK"));

    // Typing the price puts the row into edit: the model's rates come in.
    type(form.Vergi->editor(QStringLiteral("ARAC_BEDEL")), QStringLiteral("100.000,00"));
    form.Hesapla();
    EXPECT_EQ(form.Vergi->editor(QStringLiteral("OTV"))->text(), QStringLiteral("45,00"));
    // The vehicle's VAT rate of 0 stays 0: only a rate above 100 takes the model's.
    EXPECT_EQ(form.Vergi->editor(QStringLiteral("ATF"))->text(), QStringLiteral("145.000,00"));

    // Closing with the change answered "No" is refused until saved.
    messages.answer(MsgNo);
    form.BtnKapat->click();
    EXPECT_EQ(messages.lastText(), QStringLiteral("Değişikliği Saklayın yada İptal Ediniz!"));
    EXPECT_EQ(form.result(), QStringLiteral("VF1BEYAN"));

    form.BtnKaydet->click();
    EXPECT_EQ(messages.lastText(), QStringLiteral("Kayıt Saklanmıştır..."));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM BEYAN WHERE SASE_NO = 'VF1BEYAN'")), 1);
    EXPECT_NEAR(scalar(QStringLiteral("SELECT ATF FROM ARAC WHERE SASE_NO = 'VF1BEYAN'")).toDouble(), 145000.0, 1e-6);
    EXPECT_FALSE(form.isEditing());
}

TEST_F(VehicleFormsTest, RegistrationListPickModes)
{
    addVehicle(QStringLiteral("VF1NOOWNER"), QStringLiteral("34NO1"));
    for (int mode : {1, 2}) {
        messages.clear();
        TFrmBeyanList list(ctx, mode);
        list.BtnSec->setVisible(true);
        list.show();
        list.Grid->setCurrentIndex(list.Liste->index(0, 0));
        list.BtnSecClick();
        if (mode == 1) {
            EXPECT_EQ(messages.lastText(), QStringLiteral("Bu Aracın Cari yada Plakası yok!"));
            EXPECT_TRUE(list.secim().SasiNo.isEmpty());
        } else {
            EXPECT_EQ(list.secim().SasiNo, QStringLiteral("VF1NOOWNER"));
            EXPECT_EQ(list.secim().PlakaNo, QStringLiteral("34NO1"));
        }
    }
}

TEST_F(VehicleFormsTest, ColourCardChecksInOrder)
{
    TFormRenkSakla card(ctx);
    card.open({}, true);
    type(card.Panel->editor(QStringLiteral("ARC_RENK_KODU")), QStringLiteral("MAV"));
    type(card.Panel->editor(QStringLiteral("ARC_RENK_ADI")), QStringLiteral("MAVİ"));
    card.BtnSakla->click();
    EXPECT_EQ(messages.lastText(), QStringLiteral("Renk Tipi Bilgisi Boş Geçilemez."));
    card.RbDis->click();
    card.BtnSakla->click();
    EXPECT_EQ(card.result(), QStringLiteral("MAV"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT RENK_TIP FROM RENK WHERE ARC_RENK_KODU = 'MAV'")).toString(), QStringLiteral("D"));
}

TEST_F(VehicleFormsTest, RegistrationOwnerIsPickedWithTheAccountPicker)
{
    addVehicle(QStringLiteral("VF1CARISEC"), QStringLiteral("06KLM46"), QString());
    ctx.AktifKullanici.beyan = QStringLiteral("Y");
    ctx.AktifKullanici.cari = QStringLiteral("Y");
    workshop::RegisterEntryPoints();
    TFormBeyan form(ctx);
    ASSERT_TRUE(form.openVehicle(QStringLiteral("VF1CARISEC")));
    QString acilan;
    QTimer::singleShot(0, [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            acilan = w->objectName();
            w->close();
        }
    });
    form.BtnCariSec->click();
    EXPECT_EQ(acilan, QStringLiteral("FormCariBr"));
}
