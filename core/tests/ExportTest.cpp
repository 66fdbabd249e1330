#include "criteria/SorguExport.h"
#include "export/SafeFile.h"
#include "export/TableExport.h"
#include "messages/ScriptedMessages.h"
#include "platform/Desktop.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/ZipEntry.h"

#include <QFile>
#include <QStandardItemModel>
#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

using namespace tornaly;

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMessageService(&messages);
        SetOpenDocumentHook([this](const QString& p) { opened << p; });
        model.setHorizontalHeaderLabels({QStringLiteral("Kod"), QStringLiteral("Ünvan"), QStringLiteral("Bakiye")});
        model.appendRow({new QStandardItem(QStringLiteral("120.01")), new QStandardItem(QStringLiteral("Şükrü & Oğul")),
                         new QStandardItem()});
        model.item(0, 2)->setData(1234.5, Qt::DisplayRole);
        model.appendRow({new QStandardItem(QStringLiteral("120.02")), new QStandardItem(QStringLiteral("<İğde>")),
                         new QStandardItem(QStringLiteral("x"))});
        view.setModel(&model);
        view.horizontalHeader()->setSectionHidden(2, true);
    }
    void TearDown() override
    {
        SetOpenDocumentHook({});
        SetMessageService(nullptr);
    }
    ScriptedMessages messages;
    QStandardItemModel model;
    QTableView view;
    QTemporaryDir dir;
    QStringList opened;
};

TEST_F(ExportTest, SpreadsheetGetsItsExtensionAndVisibleColumnsAndIsOpened)
{
    messages.answerFile(dir.filePath(QStringLiteral("liste")));
    const QString path = GridExport(QStringLiteral("e"), &view, true);
    EXPECT_EQ(path, dir.filePath(QStringLiteral("liste.xlsx")));
    EXPECT_EQ(messages.entries().first().text, QStringLiteral("Export Dosyasını Kaydet"));
    ASSERT_EQ(opened, QStringList{path});
    const QString strings = QString::fromUtf8(test::ZipEntry(path, QStringLiteral("xl/sharedStrings.xml")));
    EXPECT_TRUE(strings.contains(QStringLiteral("Şükrü &amp; Oğul")));
    EXPECT_FALSE(strings.contains(QStringLiteral("Bakiye"))) << "hidden column exported";
}

TEST_F(ExportTest, CancelledDialogWritesNothing)
{
    messages.answerFile(QString());
    EXPECT_EQ(GridExport(QStringLiteral("H"), &view, false), QString());
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(ExportTest, HtmlXmlAndTextEscapeAndKeepTurkishLetters)
{
    ExportModel(model, ExportFormat::Html, dir.filePath(QStringLiteral("a.html")));
    QFile html(dir.filePath(QStringLiteral("a.html")));
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    const QString h = QString::fromUtf8(html.readAll());
    EXPECT_TRUE(h.contains(QStringLiteral("&lt;İğde&gt;")));
    EXPECT_TRUE(h.contains(QStringLiteral("<th>Ünvan</th>")));

    ExportModel(model, ExportFormat::Xml, dir.filePath(QStringLiteral("a.xml")));
    QFile xml(dir.filePath(QStringLiteral("a.xml")));
    ASSERT_TRUE(xml.open(QIODevice::ReadOnly));
    QXmlStreamReader r(&xml);
    QStringList unvan;
    while (!r.atEnd())
        if (r.readNext() == QXmlStreamReader::StartElement && r.name() == QStringLiteral("Ünvan"))
            unvan << r.readElementText();
    EXPECT_FALSE(r.hasError());
    EXPECT_EQ(unvan, (QStringList{QStringLiteral("Şükrü & Oğul"), QStringLiteral("<İğde>")}));

    ExportModel(model, ExportFormat::Text, dir.filePath(QStringLiteral("a.txt")), &view);
    QFile txt(dir.filePath(QStringLiteral("a.txt")));
    ASSERT_TRUE(txt.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(txt.readAll()),
              QStringLiteral("Kod\tÜnvan\n120.01\tŞükrü & Oğul\n120.02\t<İğde>\n"));
}

TEST_F(ExportTest, UnwritableFileIsReportedNotOpened)
{
    messages.answerFile(QStringLiteral("/nonexistent-folder/x.html"));
    EXPECT_EQ(GridExport(QStringLiteral("H"), &view, false), QString());
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(messages.lastText().contains(QStringLiteral("dosyası yazılamadı")));
}

namespace {
QByteArray contentOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

TEST_F(ExportTest, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo)
{
    const QString target = dir.filePath(QStringLiteral("liste.xlsx"));
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("eski");
    }
    // The name typed without its extension gets it here: the dialog never saw that file.
    messages.answerFile(dir.filePath(QStringLiteral("liste")));
    messages.answer(MsgNo);
    EXPECT_EQ(GridExport(QStringLiteral("E"), &view, true), QString());
    EXPECT_TRUE(messages.lastText().contains(QStringLiteral("zaten var. Üzerine yazılsın mı?")));
    EXPECT_EQ(contentOf(target), QByteArray("eski"));
    EXPECT_TRUE(opened.isEmpty());

    messages.answerFile(dir.filePath(QStringLiteral("liste")));
    messages.answer(MsgYes);
    EXPECT_EQ(GridExport(QStringLiteral("E"), &view, true), target);
    EXPECT_TRUE(contentOf(target).startsWith("PK")) << "replaced by the spreadsheet";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("liste.xlsx")})
        << "no temporary file left beside it";
}

TEST_F(ExportTest, AFailedWriteLeavesTheOldFileAsItWas)
{
    const QString target = dir.filePath(QStringLiteral("rapor.xlsx"));
    SaveFileData(target, "eski");
    EXPECT_THROW(SaveThroughTemporary(target, [](const QString& tmp) {
                     QFile f(tmp);
                     return f.open(QIODevice::WriteOnly) && f.write("yarım") > 0 && false;
                 }),
                 std::runtime_error);
    EXPECT_THROW(SaveFileStream(target, [](QIODevice& d) { return d.write("yarım") > 0 && false; }),
                 std::runtime_error);
    EXPECT_EQ(contentOf(target), QByteArray("eski"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("rapor.xlsx")});
    SaveThroughTemporary(target, [](const QString& tmp) {
        QFile f(tmp);
        return f.open(QIODevice::WriteOnly) && f.write("yeni") == 4;
    });
    EXPECT_EQ(contentOf(target), QByteArray("yeni"));
}

TEST_F(ExportTest, AnOpenQueryGoesToASpreadsheetWithItsCaptionsAndShownText)
{
    const QString path = SorguExceleAktar(model);
    ASSERT_EQ(opened, QStringList{path});
    const QString strings = QString::fromUtf8(test::ZipEntry(path, QStringLiteral("xl/sharedStrings.xml")));
    EXPECT_TRUE(strings.contains(QStringLiteral("Ünvan")));
    EXPECT_TRUE(strings.contains(QStringLiteral("Şükrü &amp; Oğul")));
    EXPECT_FALSE(path.startsWith(QDir::tempPath() + QStringLiteral("/aktarim"))) << path.toStdString();
    QFile::remove(path);
}
