#include "dm/DataTransfer.h"
#include "testsupport/TestSupport.h"
#include "testsupport/XlsWriter.h"
#include "platform/Desktop.h"

#include <QFile>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <xlsxwriter.h>

namespace tornaly {
namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& data)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
    return path;
}

// The stock cards and the terminal's table, as far as the readers use them.
class TransferTest : public test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        db.exec(QStringLiteral("CREATE TABLE STOK (STOK_NO INTEGER NOT NULL PRIMARY KEY, "
                               "STOK_KOD_NO VARCHAR(30) NOT NULL, RAF_YERI VARCHAR(10))"));
        db.exec(QStringLiteral("CREATE TABLE ISLEMLER (TIP VARCHAR(3), BELGE_NO VARCHAR(20), STOK_KOD VARCHAR(30), "
                               "MIKTAR DOUBLE PRECISION, RAF_YERI VARCHAR(10))"));
        const QList<std::tuple<int, QString, QString>> cards = {
            {1, QStringLiteral("1234567"), QStringLiteral("A1")},
            {2, QStringLiteral("ABCDEFG1"), QStringLiteral("B2")},
            {3, QStringLiteral("ŞİLECEK"), QString()},
        };
        for (const auto& [no, code, raf] : cards)
            db.exec(QStringLiteral("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, RAF_YERI) VALUES (:N, :K, :R)"),
                    {{QStringLiteral("N"), no}, {QStringLiteral("K"), code},
                     {QStringLiteral("R"), raf.isNull() ? QVariant() : QVariant(raf)}});
    }
    QString write(const QString& name, const QByteArray& data) { return writeFile(dir, name, data); }
    QTemporaryDir dir;
};

TEST_F(TransferTest, CountFileKeepsLinesOfTheCallersKind)
{
    const QString path = write(QStringLiteral("sayim.cks"),
                               "1234567;2;B1;01.01.2026;10:00;A1;CKS\n"
                               "1234567;3;B1;01.01.2026;10:01;A1;CKS\r\n"     // read twice: two rows
                               "1234567XXXX;1,5;B1;01.01.2026;10:02;Z9;CKS\n" // label suffix, other shelf
                               "ABCDEFG1;-3;B1;01.01.2026;10:03;B2;CKS\n"     // negative: 0
                               "1234567;9;B1;01.01.2026;10:04;A1;GRS\n"       // other kind: skipped
                               "1234567;9;B1;01.01.2026;10:05;A1;CKS;x\n"     // 8 fields: no kind, skipped
                               "YOKKOD;4;B1;01.01.2026;10:06;A1;CKS\n"        // no card
                               "1234567;abc;B1;01.01.2026;10:07;A1;CKS\n"     // quantity not a number
                               "1234567;5;B1;01.01.2026\n"                     // fields missing
                               "bir açıklama satırı\n"
                               "ŞİLECEK;1;B1;01.01.2026;10:08;;CKSX\n");
    SayimTablolari t;
    ASSERT_TRUE(SayimDosyasiOkuDosya(db, path, QStringLiteral("CKS"), t));
    ASSERT_EQ(t.rxSayim.size(), 5);
    EXPECT_EQ(t.rxSayim[0].MIKTAR, 2);
    EXPECT_EQ(t.rxSayim[1].MIKTAR, 3);
    EXPECT_EQ(t.rxSayim[2].BARKOD, QStringLiteral("1234567"));
    EXPECT_EQ(t.rxSayim[2].STOK_KOD, QStringLiteral("1234567"));
    EXPECT_EQ(t.rxSayim[2].MIKTAR, 1.5);
    EXPECT_EQ(t.rxSayim[2].SRAF, QStringLiteral("Z9"));
    EXPECT_EQ(t.rxSayim[2].RAF, QStringLiteral("A1"));
    EXPECT_EQ(t.rxSayim[2].DIKKAT, QStringLiteral("X"));
    EXPECT_EQ(t.rxSayim[0].DIKKAT, QString());
    EXPECT_EQ(t.rxSayim[3].STOK_KOD, QStringLiteral("ABCDEFG1"));
    EXPECT_EQ(t.rxSayim[3].MIKTAR, 0);
    EXPECT_EQ(t.rxSayim[4].STOK_KOD, QStringLiteral("ŞİLECEK"));
    ASSERT_EQ(t.rxHatali.size(), 3);
    EXPECT_EQ(t.rxHatali[0].BARKOD, QStringLiteral("YOKKOD"));
    EXPECT_EQ(t.rxHatali[0].MIKTAR, 4);
    EXPECT_EQ(t.rxHatali[1].MIKTAR, 0);
    EXPECT_EQ(t.rxHatali[1].STOK_KOD, QStringLiteral("1234567"));
    EXPECT_EQ(t.rxHatali[2].MIKTAR, 5);
    EXPECT_EQ(messages.count(), 0);

    // Read with an empty kind, only the line without a kind is taken.
    ASSERT_TRUE(SayimDosyasiOkuDosya(db, path, QString(), t));
    ASSERT_EQ(t.rxSayim.size(), 1);
    EXPECT_EQ(t.rxSayim[0].MIKTAR, 9);
}

TEST_F(TransferTest, SuffixRuleAppliesOnlyToLongCodes)
{
    // "1234567" is seven characters: "123" + suffix must not find it.
    const QString path = write(QStringLiteral("kisa.txt"), "123XXXX;1;B;D;T;A1;CKS\n");
    SayimTablolari t;
    ASSERT_TRUE(SayimDosyasiOkuDosya(db, path, QStringLiteral("CKS"), t));
    EXPECT_TRUE(t.rxSayim.isEmpty());
    ASSERT_EQ(t.rxHatali.size(), 1);
    EXPECT_EQ(t.rxHatali[0].BARKOD, QStringLiteral("123XXXX"));
}

TEST_F(TransferTest, UnreadableCountFilesGiveAMessageAndEmptyTables)
{
    SayimTablolari t;
    t.rxSayim.append({QStringLiteral("eski"), 1, {}, {}, {}, {}});
    const QList<std::pair<QString, QByteArray>> bad = {
        {QStringLiteral("bos.cks"), QByteArray()},
        {QStringLiteral("bozuk.cks"), QByteArray("PK\x03\x04\x00\x00\x14\x00\xff\xfe", 10)},
    };
    for (const auto& [name, data] : bad) {
        messages.clear();
        EXPECT_FALSE(SayimDosyasiOkuDosya(db, write(name, data), QStringLiteral("CKS"), t)) << name.toStdString();
        EXPECT_EQ(messages.count(), 1) << name.toStdString();
        EXPECT_TRUE(t.rxSayim.isEmpty());
        EXPECT_TRUE(t.rxHatali.isEmpty());
    }
    EXPECT_TRUE(messages.lastText().contains(QStringLiteral("bir sayım dosyası değil")));

    messages.clear();
    EXPECT_FALSE(SayimDosyasiOkuDosya(db, dir.filePath(QStringLiteral("yok.cks")), QStringLiteral("CKS"), t));
    EXPECT_TRUE(messages.lastText().endsWith(QStringLiteral("dosyası okunamadı.")));

    // The dialog offers the caller's kind first; cancelling reads nothing.
    messages.answerFile(QString());
    EXPECT_FALSE(SayimDosyasiOku(db, QStringLiteral("GRS"), t));
}

TEST_F(TransferTest, TerminalRowsOfOneCardAreSummed)
{
    const QList<std::tuple<QString, QString, QString, double, QString>> rows = {
        {QStringLiteral("BS"), QStringLiteral("F1"), QStringLiteral("1234567"), 2, QStringLiteral("A1")},
        {QStringLiteral("BS"), QStringLiteral("F1"), QStringLiteral("1234567"), 3, QStringLiteral("A1")},
        {QStringLiteral("BS"), QStringLiteral("F1"), QStringLiteral("ABCDEFG10000"), 1, QStringLiteral("C3")},
        {QStringLiteral("BS"), QStringLiteral("F1"), QStringLiteral("YOK"), 7, QStringLiteral("A1")},
        {QStringLiteral("BS"), QStringLiteral("F2"), QStringLiteral("1234567"), 9, QStringLiteral("A1")},
        {QStringLiteral("IE"), QStringLiteral("F1"), QStringLiteral("1234567"), 9, QStringLiteral("A1")},
    };
    for (const auto& [tip, belge, kod, miktar, raf] : rows)
        db.exec(QStringLiteral("INSERT INTO ISLEMLER (TIP, BELGE_NO, STOK_KOD, MIKTAR, RAF_YERI) "
                               "VALUES (:T, :B, :K, :M, :R)"),
                {{QStringLiteral("T"), tip}, {QStringLiteral("B"), belge}, {QStringLiteral("K"), kod},
                 {QStringLiteral("M"), miktar}, {QStringLiteral("R"), raf}});
    SayimTablolari t;
    ASSERT_TRUE(MobilSayimOku(db, db, QStringLiteral("BS"), QStringLiteral("F1"), t));
    ASSERT_EQ(t.rxSayim.size(), 2);
    EXPECT_EQ(t.rxSayim[0].STOK_KOD, QStringLiteral("1234567"));
    EXPECT_EQ(t.rxSayim[0].MIKTAR, 5);
    EXPECT_EQ(t.rxSayim[1].BARKOD, QStringLiteral("ABCDEFG1"));
    EXPECT_EQ(t.rxSayim[1].DIKKAT, QStringLiteral("X"));
    ASSERT_EQ(t.rxHatali.size(), 1);
    EXPECT_EQ(t.rxHatali[0].BARKOD, QStringLiteral("YOK"));
    EXPECT_EQ(t.rxHatali[0].MIKTAR, 7);

    EXPECT_FALSE(MobilSayimOku(db, db, QStringLiteral("BS"), QStringLiteral("F9"), t));
    EXPECT_TRUE(t.rxSayim.isEmpty());
    EXPECT_FALSE(MobilSayimOku(db, db, QStringLiteral("BS"), QString(), t));
}

class SpreadsheetTest : public ::testing::Test {
protected:
    void SetUp() override { SetMessageService(&messages); }
    void TearDown() override { SetMessageService(nullptr); }
    QString write(const QString& name, const QByteArray& data) { return writeFile(dir, name, data); }
    QString writeXlsx(const QString& name)
    {
        const QString path = dir.filePath(name);
        lxw_workbook* wb = workbook_new(QFile::encodeName(path).constData());
        lxw_worksheet* ws = workbook_add_worksheet(wb, "Parçalar");
        workbook_add_worksheet(wb, "İkinci");
        worksheet_write_string(ws, 0, 0, "STOK_KOD", nullptr);
        worksheet_write_string(ws, 0, 1, "MIKTAR", nullptr);
        worksheet_write_string(ws, 0, 3, "AÇIKLAMA", nullptr);
        worksheet_write_string(ws, 1, 0, "ŞAFT-01", nullptr);
        worksheet_write_number(ws, 1, 1, 2.5, nullptr);
        worksheet_write_string(ws, 1, 3, "ön düzen", nullptr);
        worksheet_write_number(ws, 2, 0, 1234567, nullptr);
        worksheet_write_number(ws, 2, 1, 3, nullptr);
        EXPECT_EQ(workbook_close(wb), LXW_NO_ERROR);
        return path;
    }
    ScriptedMessages messages;
    QTemporaryDir dir;
};

TEST_F(SpreadsheetTest, FirstSheetOfBothFormatsReadsAsText)
{
    const QString xlsx = writeXlsx(QStringLiteral("liste.XLSX"));
    const QString xls = write(QStringLiteral("liste.xls"),
                              test::MinimalXls({{QStringLiteral("STOK_KOD"), QStringLiteral("MIKTAR"), QVariant(),
                                                 QStringLiteral("AÇIKLAMA")},
                                                {QStringLiteral("ŞAFT-01"), 2.5, QVariant(), QStringLiteral("ön düzen")},
                                                {1234567.0, 3.0}},
                                               QStringLiteral("Parçalar")));
    for (const QString& path : {xlsx, xls}) {
        SCOPED_TRACE(path.toStdString());
        SheetTable t;
        ASSERT_TRUE(ExceldenOkuDosya(path, t, {QStringLiteral("stok_kod"), QStringLiteral("MIKTAR")}))
            << messages.lastText().toStdString();
        EXPECT_EQ(t.sheetName, QStringLiteral("Parçalar"));
        EXPECT_EQ(t.columns, (QStringList{QStringLiteral("STOK_KOD"), QStringLiteral("MIKTAR"), QString(),
                                          QStringLiteral("AÇIKLAMA")}));
        ASSERT_EQ(t.rows.size(), 2);
        EXPECT_EQ(t.rows[0], (QStringList{QStringLiteral("ŞAFT-01"), QStringLiteral("2.5"), QString(),
                                          QStringLiteral("ön düzen")}));
        EXPECT_EQ(t.rows[1][0], QStringLiteral("1234567"));
        EXPECT_EQ(t.rows[1][1], QStringLiteral("3"));
        EXPECT_EQ(t.rows[1][3], QString());
    }
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(SpreadsheetTest, BadWorkbooksGiveOneClearMessage)
{
    const QByteArray xlsx = [&] {
        QFile f(writeXlsx(QStringLiteral("tam.xlsx")));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    QByteArray flipped = xlsx;
    for (int i = 100; i < flipped.size() - 200; i += 7)
        flipped[i] = char(flipped[i] ^ 0x5A);
    const QByteArray xls = test::MinimalXls({{QStringLiteral("A")}, {QStringLiteral("B")}});

    struct Case {
        QString name;
        QByteArray data;
        QStringList required;
        QString says;
    };
    const QList<Case> cases = {
        {QStringLiteral("bos.xlsx"), QByteArray(), {}, QStringLiteral("dosyası boş.")},
        {QStringLiteral("metin.xlsx"), "STOK_KOD;MIKTAR\n1;2\n", {}, QStringLiteral("bir Excel dosyası değil")},
        {QStringLiteral("metin.xls"), "STOK_KOD;MIKTAR\n1;2\n", {}, QStringLiteral("bir Excel dosyası değil")},
        {QStringLiteral("yarim.xlsx"), xlsx.left(xlsx.size() / 2), {}, QStringLiteral("bozuk")},
        {QStringLiteral("bozuk.xlsx"), flipped, {}, QStringLiteral("bozuk")},
        {QStringLiteral("yarim.xls"), xls.left(700), {}, QStringLiteral("bozuk")},
        {QStringLiteral("eksik.xlsx"), xlsx, {QStringLiteral("STOK_KOD"), QStringLiteral("FIYAT")},
         QStringLiteral("beklenen sütunlar yok: FIYAT")},
        {QStringLiteral("eksik.xls"), xls, {QStringLiteral("A"), QStringLiteral("MIKTAR")},
         QStringLiteral("beklenen sütunlar yok: MIKTAR")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        messages.clear();
        SheetTable t;
        t.columns << QStringLiteral("eski");
        EXPECT_FALSE(ExceldenOkuDosya(write(c.name, c.data), t, c.required));
        EXPECT_TRUE(t.columns.isEmpty());
        EXPECT_TRUE(t.rows.isEmpty());
        ASSERT_EQ(messages.count(), 1);
        EXPECT_TRUE(messages.lastText().startsWith(QStringLiteral("Hata:")));
        EXPECT_TRUE(messages.lastText().contains(c.says)) << messages.lastText().toStdString();
    }
}

TEST_F(SpreadsheetTest, ExportedTableOpensAsAWorkbook)
{
    QStandardItemModel m(2, 2);
    m.setHorizontalHeaderLabels({QStringLiteral("Kod"), QStringLiteral("Açıklama")});
    m.setData(m.index(0, 0), QStringLiteral("K1"));
    m.setData(m.index(0, 1), QStringLiteral("Şanzıman"));
    m.setData(m.index(1, 0), QStringLiteral("K2"));
    QString opened;
    SetOpenDocumentHook([&](const QString& p) { opened = p; });
    qputenv("XDG_DATA_HOME", dir.path().toUtf8());
    const QString path = ExceleAktar(m);
    SetOpenDocumentHook({});
    EXPECT_EQ(opened, path);
    SheetTable t;
    ASSERT_TRUE(ExceldenOkuDosya(path, t));
    EXPECT_EQ(t.columns, (QStringList{QStringLiteral("Kod"), QStringLiteral("Açıklama")}));
    ASSERT_EQ(t.rows.size(), 2);
    EXPECT_EQ(t.rows[0][1], QStringLiteral("Şanzıman"));
}

} // namespace
} // namespace tornaly
