#include "VehicleFixture.h"
#include "workshop/vehicles/Catalogue.h"

#include <QBuffer>
#include <QImage>

using namespace tornaly;
using namespace tornaly::workshop;

class CatalogueTest : public test::VehicleTest {};

TEST_F(CatalogueTest, CodeTableSavesRefuseEmptyAndDuplicateCodes)
{
    EXPECT_FALSE(SaveSegment(db, {{QStringLiteral("MODEL_KOD"), QStringLiteral("  ")}}, true));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Araç Tip Kodu Bilgisini Vermeden Kayıt Saklanamaz."));
    EXPECT_FALSE(SaveSegment(db, {{QStringLiteral("MODEL_KOD"), QStringLiteral("SEDAN")}}, true));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Aynı Kodlu Kayıt Var."));
    EXPECT_FALSE(SaveTariff(db, {}, true));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Tarife Kodu Bilgisini Vermeden Kayıt Saklanamaz."));
    EXPECT_TRUE(SaveTariff(db, {{QStringLiteral("TARIFE_KOD"), QStringLiteral("T1")}, {QStringLiteral("TAV"), 1500.0}}, true));
    EXPECT_FALSE(SaveTariff(db, {{QStringLiteral("TARIFE_KOD"), QStringLiteral("T1")}}, true));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Aynı Kodlu Kayıt Var."));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TAVERGI")), 1);

    // Colour checks in the card's order, each under "Eksik Veri".
    struct Case {
        QVariantMap row;
        QString text;
    } cases[] = {
        {{}, QStringLiteral("Renk Kodu Bilgisi Boş Geçilemez.")},
        {{{QStringLiteral("ARC_RENK_KODU"), QStringLiteral("KRM")}}, QStringLiteral("Renk Adı Bilgisi Boş Geçilemez.")},
        {{{QStringLiteral("ARC_RENK_KODU"), QStringLiteral("KRM")}, {QStringLiteral("ARC_RENK_ADI"), QStringLiteral("KIRMIZI")}},
         QStringLiteral("Renk Tipi Bilgisi Boş Geçilemez.")},
        {{{QStringLiteral("ARC_RENK_KODU"), QStringLiteral("BYZ")}, {QStringLiteral("ARC_RENK_ADI"), QStringLiteral("X")},
          {QStringLiteral("RENK_TIP"), QStringLiteral("D")}},
         QStringLiteral("Aynı Kodlu Kayıt Var.")},
    };
    for (const Case& c : cases) {
        messages.clear();
        EXPECT_FALSE(SaveColour(db, c.row, true));
        ASSERT_EQ(messages.count(), 1);
        EXPECT_EQ(messages.lastText(), c.text);
    }
    EXPECT_EQ(messages.entries().first().caption, QString()); // duplicate: no caption
    messages.clear();
    SaveColour(db, {}, true);
    EXPECT_EQ(messages.entries().first().caption, QStringLiteral("Eksik Veri"));
}

TEST_F(CatalogueTest, DeletesRefuseCodesInUse)
{
    addVehicle(QStringLiteral("VIN1"));
    db.exec(QStringLiteral("UPDATE ARAC SET IC_RENK = 'GRI'"));
    db.exec(QStringLiteral("UPDATE MODEL SET TAV_KOD = 'T1'"));
    insert(QStringLiteral("TAVERGI"), {{QStringLiteral("TARIFE_KOD"), QStringLiteral("T1")}});

    struct Case {
        std::function<bool()> del;
        QString refusal;
    } refused[] = {
        {[&] { return DeleteSegment(db, QStringLiteral("SEDAN")); }, QStringLiteral("Bu Kayıt Model Kayıtlarına İşlenmiş.Silinemez!")},
        {[&] { return DeleteTariff(db, QStringLiteral("T1")); }, QStringLiteral("Bu Kayıt Model Kartında Kullanılmakta. Silinemez!")},
        {[&] { return DeleteColour(db, QStringLiteral("BYZ")); }, QStringLiteral("Bu Renk Kodu Araç Kayıtlarına İşlenmiş.Silinemez!")},
        {[&] { return DeleteColour(db, QStringLiteral("GRI")); }, QStringLiteral("Bu Renk Kodu Araç Kayıtlarına İşlenmiş.Silinemez!")},
        {[&] { return DeleteModel(db, QStringLiteral("VRN1600")); }, QStringLiteral("Bu Model Araç Kayıtlarında Kullanılmış.Silinemez!")},
    };
    for (Case& c : refused) {
        messages.clear();
        EXPECT_FALSE(c.del());
        EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("Kayıt Silinsin mi?"), c.refusal}));
    }
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM RENK")), 4);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM MODEL")), 1);

    // "No" deletes nothing.
    messages.clear();
    messages.answer(MsgNo);
    EXPECT_FALSE(DeleteSegment(db, QStringLiteral("HB")));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM MODELKOD")), 3);
    EXPECT_TRUE(DeleteSegment(db, QStringLiteral("HB")));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM MODELKOD")), 2);
}

TEST_F(CatalogueTest, ModelDeleteTakesItsColourLinksInOneGo)
{
    SaveModelExteriors(db, QStringLiteral("VRN1600"), {{QStringLiteral("BYZ"), {}, true}});
    SaveModelInteriors(db, QStringLiteral("VRN1600"), QStringLiteral("BYZ"), {{QStringLiteral("GRI"), {}, true}});
    EXPECT_TRUE(DeleteModel(db, QStringLiteral("VRN1600")));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM MODEL")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM MODELRNK")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM MODELICRENK")), 0);
}

TEST_F(CatalogueTest, BrandAndSegmentCoupling)
{
    // The segments of a brand: its own and those for every brand.
    QStringList codes;
    for (const QVariantMap& s : SegmentsOfBrand(db, QStringLiteral("KORSA")))
        codes << s.value(QStringLiteral("MODEL_KOD")).toString().trimmed();
    EXPECT_EQ(codes, QStringList({QStringLiteral("HB"), QStringLiteral("GENEL")}));

    QVariantMap model{{QStringLiteral("MARKA"), QStringLiteral("VARNEK")}, {QStringLiteral("MODEL"), QStringLiteral("SEDAN")},
                      {QStringLiteral("OZEL1"), QStringLiteral("VS1")}};
    // A segment of another brand moves the model to that brand.
    ModelSegmentChosen(model, SegmentsOfBrand(db, QStringLiteral("KORSA")).first());
    EXPECT_EQ(model.value(QStringLiteral("MARKA")).toString(), QStringLiteral("KORSA"));
    EXPECT_EQ(model.value(QStringLiteral("MODEL")).toString(), QStringLiteral("HB"));
    EXPECT_EQ(model.value(QStringLiteral("OZEL1")).toString(), QStringLiteral("KH1"));
    // A brand that lacks the segment clears it; one that offers it keeps it.
    model.insert(QStringLiteral("MARKA"), QStringLiteral("VARNEK"));
    ModelBrandChanged(model, SegmentsOfBrand(db, QStringLiteral("VARNEK")));
    EXPECT_TRUE(model.value(QStringLiteral("MODEL")).toString().isEmpty());
    EXPECT_TRUE(model.value(QStringLiteral("OZEL1")).toString().isEmpty());
    model.insert(QStringLiteral("MODEL"), QStringLiteral("GENEL"));
    ModelBrandChanged(model, SegmentsOfBrand(db, QStringLiteral("VARNEK")));
    EXPECT_EQ(model.value(QStringLiteral("MODEL")).toString(), QStringLiteral("GENEL"));
}

TEST_F(CatalogueTest, ModelSaveRulesAndNewRowDefaults)
{
    QVariantMap m{{QStringLiteral("ARC_MODEL_KODU"), QStringLiteral("KRS1")},
                  {QStringLiteral("ARC_MODEL_ADI"), QStringLiteral("KORSA HB")},
                  {QStringLiteral("MARKA"), QStringLiteral("KORSA")}};
    EXPECT_FALSE(SaveModel(db, m, true));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Modelin Segment Kodu Bilgisini Vermeden Kayıt Saklanamaz."));
    m.insert(QStringLiteral("MODEL"), QStringLiteral("HB"));
    m.insert(QStringLiteral("OZEL1"), QStringLiteral("KH1"));
    EXPECT_TRUE(SaveModel(db, m, true));
    EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT D_BASI_STK_MIK FROM MODEL WHERE ARC_MODEL_KODU = 'KRS1'")).toDouble(), 1.0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT SIP_VERILEBILIR FROM MODEL WHERE ARC_MODEL_KODU = 'KRS1'")).toInt(), 0);
    EXPECT_FALSE(SaveModel(db, m, true));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Aynı Kodlu Kayıt Var."));
    EXPECT_FALSE(SaveModel(db, {}, true));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Model Kodu Bilgisini Vermeden Kayıt Saklanamaz."));
}

TEST_F(CatalogueTest, ColourCheckLists)
{
    const QString m = QStringLiteral("VRN1600");
    auto items = ModelExteriorItems(db, m, false);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].text, QStringLiteral("BYZ     -BEYAZ"));
    for (auto& it : items)
        it.checked = true;
    SaveModelExteriors(db, m, items);
    SaveModelInteriors(db, m, QStringLiteral("BYZ"), {{QStringLiteral("GRI"), {}, true}, {QStringLiteral("BEJ"), {}, true}});
    SaveModelInteriors(db, m, QStringLiteral("SYH"), {{QStringLiteral("GRI"), {}, true}});
    EXPECT_TRUE(ModelInteriorItems(db, m, QStringLiteral("BYZ"))[0].checked);

    // Unticking black removes it with its interiors; white keeps its own.
    items = ModelExteriorItems(db, m, false);
    EXPECT_TRUE(items[0].checked && items[1].checked);
    items[1].checked = false;
    SaveModelExteriors(db, m, items);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM MODELRNK")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM MODELICRENK WHERE RENK_KOD = 'BYZ'")), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM MODELICRENK WHERE RENK_KOD = 'SYH'")), 0);

    // Only four-character exterior codes in brand-dealer mode.
    EXPECT_TRUE(ModelExteriorItems(db, m, true).isEmpty());
}

TEST_F(CatalogueTest, PictureMustBeAnImage)
{
    EXPECT_FALSE(SaveModelPicture(db, QStringLiteral("VRN1600"), QByteArrayLiteral("not a picture")));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Seçilen dosya bir resim değil."));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM RESIMLER")), 0);

    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray jpg;
    QBuffer buf(&jpg);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPG");
    EXPECT_TRUE(SaveModelPicture(db, QStringLiteral("VRN1600"), jpg));
    EXPECT_TRUE(SaveModelPicture(db, QStringLiteral("VRN1600"), jpg)); // replaces, never a second row
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM RESIMLER WHERE TIP = 'M'")), 1);
    EXPECT_EQ(ModelPicture(db, QStringLiteral("VRN1600")), jpg);
}
