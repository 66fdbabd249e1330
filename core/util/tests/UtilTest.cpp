#include "messages/ScriptedMessages.h"
#include "settings/Settings.h"
#include "testsupport/QtPrinters.h"
#include "util/DateCode.h"
#include "util/FormHelpers.h"
#include "util/Programs.h"
#include "util/WebPages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tornaly;

TEST(DateHelpers, MonthsAndDays)
{
    struct Case {
        int year, month;
        QDate first, last, next;
    };
    const Case cases[] = {
        {2020, 2, {2020, 2, 1}, {2020, 2, 29}, {2020, 3, 1}},
        {2019, 2, {2019, 2, 1}, {2019, 2, 28}, {2019, 3, 1}},
        {2018, 12, {2018, 12, 1}, {2018, 12, 31}, {2019, 1, 1}},
        {2021, 4, {2021, 4, 1}, {2021, 4, 30}, {2021, 5, 1}},
        {2021, 1, {2021, 1, 1}, {2021, 1, 31}, {2021, 2, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month);
        const MonthRange r = MonthStartEnd(c.year, c.month);
        EXPECT_EQ(r.first, c.first);
        EXPECT_EQ(r.last, c.last);
        EXPECT_EQ(NextMonthStart(c.year, c.month), c.next);
    }
    EXPECT_FALSE(MonthStartEnd(2020, 13).first.isValid());
    EXPECT_FALSE(NextMonthStart(2020, 0).isValid());

    const QDateTime t(QDate(2021, 3, 4), QTime(13, 45, 7));
    EXPECT_EQ(DateOf(t), QDate(2021, 3, 4));
    EXPECT_EQ(TimeOf(t), QTime(13, 45, 7));
    EXPECT_EQ(DateToYmdText(QDate(2021, 3, 4)), QStringLiteral("20210304"));
    EXPECT_EQ(DateToYmdText(QDate(987, 11, 30)), QStringLiteral("09871130"));
}

TEST(NumberHelpers, PaddedNumbersAndDigits)
{
    struct Case {
        const char* prefix;
        int width;
        char fill;
        double number;
        const char* expected;
    };
    const Case cases[] = {
        {"", 4, '0', 7, "0007"},
        {"", 4, '0', 12345, "12345"},  // wider than the width: kept whole
        {"IE", 6, '0', 42, "IE000042"},
        {"A-", 3, '*', 5, "A-**5"},
        {"", 5, '0', 12.6, "00013"},
        {"", 0, '0', 9, "9"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatNumberPadded(QString::fromUtf8(c.prefix), c.width, QLatin1Char(c.fill), c.number),
                  QString::fromUtf8(c.expected))
            << c.expected;

    EXPECT_EQ(ExtractDigits(QStringLiteral("0 (212) 555-12.34 dahili 5")), QStringLiteral("021255512345"));
    EXPECT_EQ(ExtractDigits(QStringLiteral("ŞÇĞ")), QString());
    EXPECT_FALSE(TempPath().isEmpty());
}

TEST(CodeHelpers, AreaCodes)
{
    const std::pair<const char*, const char*> cases[] = {
        {"0212", "(212)"}, {"32", "(32 )"}, {"212", "(212)"}, {"", "(   )"}, {"00", "(0  )"}, {"0", "(   )"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(FormatParenCode(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
}

TEST(CodeHelpers, VatWithholdingRatios)
{
    const std::pair<const char*, double> cases[] = {
        {"1", 0.5},      {"2", 1.0 / 3}, {"3", 2.0 / 3}, {"4", 1.0}, {"5", 0.1},  {"6", 0.9},
        {"7", 1.0 / 6},  {"8", 0.5},     {"9", 0.7},     {"a", 0.8}, {"A", 0.0},  {"", 0.0},
        {"0", 0.0},      {"b", 0.0},     {"9xx", 0.7},   {"ı", 0.0},
    };
    for (const auto& [code, ratio] : cases)
        EXPECT_DOUBLE_EQ(KdvTevkifatOrani(QString::fromUtf8(code)), ratio) << code;
    EXPECT_TRUE(CheckDamageLabourCode(QStringLiteral("1"), QStringLiteral("G"), QStringLiteral("XYZ"), true));
}

TEST(FileHelpers, FileDate)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    EXPECT_FALSE(FileDateOf(path).isValid());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
    f.close();
    const QDateTime when = FileDateOf(path);
    ASSERT_TRUE(when.isValid());
    EXPECT_LE(qAbs(when.secsTo(QDateTime::currentDateTime())), 120);
}

TEST(FormHelpers, WorkstationText)
{
    t_user u;
    u.login = QStringLiteral("SERVİS-DANIŞMANI-UZUN-BİR-KULLANICI");
    const WorkstationId id = SetWorkstationId(u);
    EXPECT_LE(id.computerName.size(), 15);
    EXPECT_LE(id.text.size(), 30);
    EXPECT_TRUE(id.text.startsWith(u.login.left(id.text.size())));
    u.login = QStringLiteral("ali");
    EXPECT_EQ(SetWorkstationId(u).text, QStringLiteral("ali/") + SetWorkstationId(u).computerName);
}

TEST(FormHelpers, EnsureFormCreatesOnce)
{
    int made = 0;
    auto make = [&] {
        ++made;
        return new QWidget;
    };
    QWidget* a = EnsureForm(QStringLiteral("FormDeneme"), make);
    QWidget* b = EnsureForm(QStringLiteral("FormDeneme"), make);
    EXPECT_EQ(a, b);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(a->objectName(), QStringLiteral("FormDeneme"));
    EXPECT_EQ(FindFormByName(QStringLiteral("FormDeneme")), a);
    delete a;
    EXPECT_EQ(FindFormByName(QStringLiteral("FormDeneme")), nullptr);
}

TEST(WebPages, ParameterTextByPage)
{
    struct Case {
        const char* page;
        const char* caller;
        const char* sent;
    };
    const Case cases[] = {
        {"isemri_hareket", "123", "gonder=E&islemtip=T&isemrino=123"},
        {"isemri_hareket", "", "gonder=E&islemtip=T&isemrino="},
        {"isemri_kapat", "77", "gonder=E&islemtip=K&isemrino=77"},
        {"isemri_kapat", "", "gonder=E&islemtip=K&isemrino="},
        {"isemri_ac", "9", "isemrino=9"},
        {"isemri_ac", "", ""},
        {"mal_kabul_tk", "55", "teslimatno=&teslimatno2=55"},
        {"mal_kabul_tk", "", ""},
        {"siparis_gonder", "8", "versipno=0&versipno2=8"},
        {"siparis_gonder", "", ""},
        {"stok_fisi", "4", "gonder=E&hrkno=4"},
        {"stok_fisi", "", ""},
        {"baska_sayfa", "a=1&b=2", "a=1&b=2"},
        // A number is one value: nothing typed in it adds a parameter.
        {"isemri_ac", "5&pass=x", "isemrino=5%26pass%3Dx"},
        {"baska_sayfa", "ad=Ayşe Öz", "ad=Ay%C5%9Fe%20%C3%96z"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WebPageParameterText(QString::fromUtf8(c.page), QString::fromUtf8(c.caller)),
                  QString::fromUtf8(c.sent))
            << c.page << " " << c.caller;
}

TEST(WebPages, AddressOfACall)
{
    EXPECT_EQ(WebPageUrl({QStringLiteral("http://bayi/isemri.php"), QStringLiteral("isemrino=5"), {}, false}),
              QUrl(QStringLiteral("http://bayi/isemri.php?isemrino=5")));
    EXPECT_EQ(WebPageUrl({QStringLiteral("http://bayi/"), QStringLiteral(" isemrino=5 "), {}, false}),
              QUrl(QStringLiteral("http://bayi/isemrino=5")));
    EXPECT_EQ(WebPageUrl({QStringLiteral("http://bayi/x"), {}, {}, true}), QUrl(QStringLiteral("http://bayi/x")));
}

TEST(LabourCatalogue, CodesOfTheOutputFile)
{
    const auto codes = ReadLabourCodes(QStringLiteral("AB123\r\n   \r\n  KOD-2  \n0123456789ABCDEFGHIJ\n\nSON"));
    ASSERT_EQ(codes.size(), 4u);
    EXPECT_EQ(codes[0].kod, QStringLiteral("AB123"));
    EXPECT_EQ(codes[1].kod, QStringLiteral("KOD-2"));
    EXPECT_EQ(codes[2].kod, QStringLiteral("0123456789ABCDE"));
    EXPECT_EQ(codes[3].kod, QStringLiteral("SON"));
    EXPECT_TRUE(codes[0].ad.isEmpty());
    EXPECT_EQ(codes[0].sure, 0);
}

class LabourCatalogueRun : public ::testing::Test {
protected:
    void SetUp() override { SetMessageService(&messages); }
    void TearDown() override { SetMessageService(nullptr); }
    QString writeScript(const QString& body)
    {
        const QString path = dir.filePath(QStringLiteral("katalog.sh"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(("#!/bin/sh\ncd \"$(dirname \"$0\")\"\n" + body + "\n").toUtf8());
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    ScriptedMessages messages;
    QTemporaryDir dir;
};

TEST_F(LabourCatalogueRun, ReadsWhatTheProgramWrote)
{
    // The program sees its argument; a stale output.txt from an earlier run is removed first.
    QFile stale(dir.filePath(QStringLiteral("output.txt")));
    stale.open(QIODevice::WriteOnly);
    stale.write("ESKI\n");
    stale.close();
    const QString program = writeScript(QStringLiteral("printf 'K1\\n\\nK2-%s\\n' \"$1\" > output.txt"));
    std::vector<tiscsec> codes;
    EXPECT_EQ(RunLabourCatalogueAt(program, QStringLiteral("VF"), codes), 2);
    ASSERT_EQ(codes.size(), 2u);
    EXPECT_EQ(codes[0].kod, QStringLiteral("K1"));
    EXPECT_EQ(codes[1].kod, QStringLiteral("K2-VF"));
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(LabourCatalogueRun, NoOutputGivesNoCodesAndNoMessage)
{
    QFile stale(dir.filePath(QStringLiteral("output.txt")));
    stale.open(QIODevice::WriteOnly);
    stale.write("ESKI\n");
    stale.close();
    const QString program = writeScript(QStringLiteral("exit 3"));
    std::vector<tiscsec> codes{tiscsec{QStringLiteral("X"), {}, 0, {}}};
    EXPECT_EQ(RunLabourCatalogueAt(program, QStringLiteral("VF"), codes), 0);
    EXPECT_TRUE(codes.empty());
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(LabourCatalogueRun, MissingProgramIsReported)
{
    std::vector<tiscsec> codes;
    for (const QString& path : {QString(), dir.filePath(QStringLiteral("yok.exe"))}) {
        messages.clear();
        EXPECT_EQ(RunLabourCatalogueAt(path, QStringLiteral("VF"), codes), 0);
        EXPECT_EQ(messages.lastText(),
                  QStringLiteral("İşçilik Katalog Programı Bulunamadı! Bakım Destek Parametrelerden Kontrol Ediniz!"));
    }
}

TEST(Programs, RunAndWaitAnswersTheExitCode)
{
    EXPECT_EQ(RunAndWait(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exit 7")}), 7);
    EXPECT_EQ(RunAndWait(QStringLiteral("/olmayan/program"), {}), -1);
}

// The program ends while the window handles its events (a repaint, a timer):
// the wait must notice the end there too and not wait for ever.
TEST(Programs, RunAndWaitNoticesAnEndSeenByTheEventLoop)
{
    QTemporaryDir dir;
    const QString pidFile = dir.filePath(QStringLiteral("pid"));
    const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("devam")));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    // The program ends only after it is told to, so it is still running when the first events are handled.
    const QStringList args{QStringLiteral("-c"), QStringLiteral("echo $$ > \"$1\"; read x < \"$2\"; exit 5"),
                           QStringLiteral("sh"), pidFile, QString::fromLocal8Bit(fifo)};
    bool reaped = false;
    int roundsAfter = 0;
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        // Counts event rounds, not time: the old loop would go round for ever.
        if (++roundsAfter > 1000) {
            ADD_FAILURE() << "RunAndWait still waits for a program that has ended";
            std::abort();
        }
    });
    QTimer::singleShot(0, [&] {
        // Opening the pipe waits until the program reads it; by then its id is written.
        const int fd = ::open(fifo.constData(), O_WRONLY);
        ASSERT_GE(fd, 0);
        QFile f(pidFile);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const pid_t pid = pid_t(f.readAll().trimmed().toLongLong());
        ASSERT_GT(pid, 0);
        EXPECT_EQ(::write(fd, "\n", 1), 1);
        ::close(fd);
        // Its end is handled here, by the event loop, before the wait looks again.
        while (::kill(pid, 0) == 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        reaped = true;
        watchdog.start(0);
    });
    EXPECT_EQ(RunAndWait(QStringLiteral("/bin/sh"), args), 5);
    watchdog.stop();
    EXPECT_TRUE(reaped);
}

TEST(Programs, FindProgramPrefersTheSetting)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kestrani"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("#!/bin/sh\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    EXPECT_TRUE(FindProgram(QStringLiteral("TornalyOlmayan.exe")).isEmpty());
    WriteSetting(QStringLiteral("Kalvesa"), ProgramSettingsSection(), QStringLiteral("Kestrani.exe"), path);
    EXPECT_EQ(FindProgram(QStringLiteral("Kestrani.exe")), path);
    // A configured path that is gone is not replaced by a search: the setting is what the user asked for.
    WriteSetting(QStringLiteral("Kalvesa"), ProgramSettingsSection(), QStringLiteral("Kestrani.exe"),
                 dir.filePath(QStringLiteral("yok")));
    EXPECT_TRUE(FindProgram(QStringLiteral("Kestrani.exe")).isEmpty());
    WriteSetting(QStringLiteral("Kalvesa"), ProgramSettingsSection(), QStringLiteral("Kestrani.exe"), {});
    // Found on the search path, with or without ".exe".
    EXPECT_FALSE(FindProgram(QStringLiteral("sh.exe")).isEmpty());
}
