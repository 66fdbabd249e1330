#include "settings/GridLayout.h"
#include "settings/Settings.h"
#include "testsupport/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QStandardItemModel>
#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>
#include <QDir>
#include <QSettings>
#include <gtest/gtest.h>

using namespace tornaly;

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { qputenv("TORNALY_CONFIG_DIR", dir.path().toUtf8()); }
    QTemporaryDir dir;
};

TEST_F(SettingsTest, StoresReadBackAndMissingReadsEmpty)
{
    EXPECT_EQ(ReadSetting({}, QStringLiteral("Login"), QStringLiteral("Company Name"), StoreRegistry), QString());
    WriteSetting({}, QStringLiteral("Login"), QStringLiteral("Company Name"), QStringLiteral("Örnek Otomotiv"),
                 StoreRegistry);
    EXPECT_EQ(ReadSetting({}, QStringLiteral("Login"), QStringLiteral("Company Name"), StoreRegistry),
              QStringLiteral("Örnek Otomotiv"));
    // Registry names ignore case.
    EXPECT_EQ(ReadSetting({}, QStringLiteral("LOGIN"), QStringLiteral("company name"), StoreRegistry),
              QStringLiteral("Örnek Otomotiv"));

    WriteSetting(QStringLiteral("AYARLAR"), QStringLiteral("GRIDS"), QStringLiteral("x.y"), QStringLiteral("v"));
    EXPECT_TRUE(QFile::exists(QDir(dir.path()).filePath(QStringLiteral("AYARLAR.INI"))));
    EXPECT_EQ(ReadSetting(QStringLiteral("AYARLAR"), QStringLiteral("GRIDS"), QStringLiteral("x.y"), StoreFile),
              QStringLiteral("v"));
    EXPECT_EQ(ReadSetting(QStringLiteral("YOK"), QStringLiteral("GRIDS"), QStringLiteral("x.y"), StoreFile), QString());
}

// The connection settings, the program switches and the report menu's value
// are one settings file, whatever case each part of the program names it in.
TEST_F(SettingsTest, KalvesaIsOneFileWhateverTheCaseOfItsName)
{
    WriteSetting(QStringLiteral("KALVESA"), QStringLiteral("STARTUP"), QStringLiteral("MARKA"), QStringLiteral("R"));
    WriteSetting(QStringLiteral("Kalvesa"), QStringLiteral("PROGRAMLAR"), QStringLiteral("LISTE"), QStringLiteral("x"));
    WriteSetting(QStringLiteral("Kalvesa.ini"), QStringLiteral("SERVER"), QStringLiteral("ServerAdi"),
                 QStringLiteral("srv"));
    EXPECT_EQ(ReadSetting(QStringLiteral("kalvesa.INI"), QStringLiteral("STARTUP"), QStringLiteral("MARKA")),
              QStringLiteral("R"));
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*.ini"), QStringLiteral("*.INI")}, QDir::Files).size(), 1);
    QSettings ini(SettingsFilePath(QStringLiteral("KALVESA.INI")), QSettings::IniFormat);
    EXPECT_EQ(ini.value(QStringLiteral("PROGRAMLAR/LISTE")).toString(), QStringLiteral("x"));
    EXPECT_EQ(ini.value(QStringLiteral("SERVER/ServerAdi")).toString(), QStringLiteral("srv"));
}

TEST_F(SettingsTest, LegacyStoreIsReadOnly)
{
    WriteSetting({}, QStringLiteral("TFormFirmaSec"), QStringLiteral("Label3_Caption"), QStringLiteral("X"),
                 StoreLegacy);
    EXPECT_EQ(ReadSetting({}, QStringLiteral("TFormFirmaSec"), QStringLiteral("Label3_Caption"), StoreLegacy),
              QString());
    // With a file name, store 3 reads like store 2.
    WriteSetting(QStringLiteral("F"), QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("2"), StoreRegistry);
    EXPECT_EQ(ReadSetting(QStringLiteral("F"), QStringLiteral("S"), QStringLiteral("K"), StoreLegacy),
              QStringLiteral("2"));
}

TEST(GridLayoutText, RoundTripWithQuotingAndLimits)
{
    QList<GridColumnLayout> cols;
    cols << GridColumnLayout{QStringLiteral("CARI_KOD"), true, 0, -1, 0, 1, 120}
         << GridColumnLayout{QStringLiteral("AD SOYAD"), false, 1, -1, -1, 0, 80};
    const QString text = GridLayoutToText(cols);
    EXPECT_EQ(text, QStringLiteral("CARI_KOD;1;0;-1;0;1;120,\"AD SOYAD;0;1;-1;-1;0;80\""));
    const auto back = GridLayoutFromText(text);
    ASSERT_EQ(back.size(), 2);
    EXPECT_EQ(back[1].field, QStringLiteral("AD SOYAD"));
    EXPECT_FALSE(back[1].visible);
    EXPECT_EQ(back[0].width, 120);
    // Width is read up to five characters.
    EXPECT_EQ(GridLayoutFromText(QStringLiteral("A;1;0;-1;-1;0;1234567")).first().width, 12345);
    EXPECT_TRUE(GridLayoutFromText(QStringLiteral("A;1;0")).isEmpty());
    EXPECT_EQ(FromCommaText(QStringLiteral("\"a \"\"b\"\"\",c")), (QStringList{QStringLiteral("a \"b\""), QStringLiteral("c")}));
}

TEST_F(SettingsTest, GridLayoutSavedAndRestoredSkippingUnknownFields)
{
    QStandardItemModel model(3, 3);
    model.setHorizontalHeaderLabels({QStringLiteral("KOD"), QStringLiteral("ADI"), QStringLiteral("BAKIYE")});
    QTableView view;
    view.setObjectName(QStringLiteral("GridCari"));
    view.setModel(&model);
    view.horizontalHeader()->resizeSection(1, 222);
    view.horizontalHeader()->moveSection(2, 0);
    view.horizontalHeader()->setSectionHidden(0, true);
    SaveGridLayout(QStringLiteral("CariHareketGiris"), &view);

    QTableView fresh;
    fresh.setObjectName(QStringLiteral("GridCari"));
    fresh.setModel(&model);
    RestoreFlags onlyPositionAndWidth{false, true, false, false, true};
    RestoreGridLayout(QStringLiteral("CariHareketGiris"), &fresh, onlyPositionAndWidth);
    EXPECT_EQ(fresh.horizontalHeader()->sectionSize(1), 222);
    EXPECT_EQ(fresh.horizontalHeader()->logicalIndex(0), 2);
    EXPECT_FALSE(fresh.horizontalHeader()->isSectionHidden(0)) << "visibility was not asked for";

    // A stored field the grid no longer has is skipped; the others apply.
    ApplyGridLayout(&fresh,
                    GridLayoutFromText(QStringLiteral("GONE;0;0;-1;-1;0;10,ADI;1;1;-1;-1;0;99")),
                    RestoreFlags{});
    EXPECT_EQ(fresh.horizontalHeader()->sectionSize(1), 99);
}
