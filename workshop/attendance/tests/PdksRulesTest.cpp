// The device file's positions and the pairing of one badge's day, as tables.
#include "workshop/attendance/Pdks.h"

#include <gtest/gtest.h>

using namespace tornaly::workshop::pdks;

namespace {

const QDateTime simdi(QDate(2026, 5, 20), QTime(14, 37, 22));

TEST(PdksDosyaSatiri, FieldsAreReadByTheirPositions)
{
    struct Case {
        const char* ad;
        const char* satir;
        int sirano;
        bool siraGecersiz;
        const char* kart;
        QDateTime saat; // invalid: the line's date did not convert, `simdi` is used
        const char* tip;
        const char* ieno;
    };
    const QDateTime d(QDate(2026, 3, 2), QTime(8, 5));
    const Case cases[] = {
        {"full line", "     12 00000000001001 02.03.26 08:05 IW00001", 12, false, "00000000001001", d, "I", "W00001"},
        {"leading blanks in the card stay, trailing ones go", "     13     1001       02.03.26 08:05 M005", 13, false, "    1001", d,
         "M", "005"},
        {"short line gives C and C", "     14 1001           02.03.26 08:05", 14, false, "1001", d, "C",
         "C"},
        {"trailing blank in the number", "    15  1001           02.03.26 08:05 C", 0, true, "1001", d,
         "C", "C"},
        {"letters in the number", "  1x5   1001           02.03.26 08:05 C", 0, true, "1001", d, "C",
         "C"},
        {"record number 0", "      0 1001           02.03.26 08:05 C", 0, false, "1001", d, "C", "C"},
        {"month 13", "     16 1001           02.13.26 08:05 C", 16, false, "1001", {}, "C", "C"},
        {"blank day", "     17 1001              03.26 08:05 C", 17, false, "1001", {}, "C", "C"},
        {"blank year", "     18 1001           02.03.   08:05 C", 18, false, "1001", {}, "C", "C"},
        {"hour 24", "     19 1001           02.03.26 24:05 C", 19, false, "1001", {}, "C", "C"},
        {"seven-character work order", "     21 1001           02.03.26 08:05 IS000123", 21, false, "1001", d, "I",
         "S000123"},
        {"digits among the two", "     20 1001           2..03.26 8.:05 G", 20, false, "1001",
         QDateTime(QDate(2026, 3, 2), QTime(8, 5)), "G", "C"},
    };
    for (const Case& c : cases) {
        const CihazSatiri s = CihazSatiriOku(QString::fromLatin1(c.satir), simdi);
        EXPECT_EQ(s.SIRANO, c.sirano) << c.ad;
        EXPECT_EQ(s.siraGecersiz, c.siraGecersiz) << c.ad;
        EXPECT_EQ(s.CIHAZ_ID, QString::fromLatin1(c.kart)) << c.ad;
        EXPECT_EQ(s.tarihGecersiz, !c.saat.isValid()) << c.ad;
        const QDateTime beklenen = c.saat.isValid() ? c.saat : QDateTime(simdi.date(), QTime(14, 37));
        EXPECT_EQ(s.SAAT, beklenen) << c.ad;
        EXPECT_EQ(s.TARIH, beklenen.date()) << c.ad;
        EXPECT_EQ(s.TIPKOD, QString::fromLatin1(c.tip)) << c.ad;
        EXPECT_EQ(s.IENO, QString::fromLatin1(c.ieno)) << c.ad;
    }
}

// "T N HH:MM [IENO]" readings in, "TIP BAS-BIT sb/ss F" intervals out.
QList<Okuma> okumalar(const QStringList& ler)
{
    QList<Okuma> out;
    for (const QString& s : ler) {
        const QStringList p = s.split(QLatin1Char(' '));
        Okuma o;
        o.TIPKOD = p[0];
        o.SIRANO = p[1].toInt();
        o.SAAT = QDateTime(QDate(2026, 3, 2), QTime::fromString(p[2], QStringLiteral("HH:mm")));
        o.IENO = p.size() > 3 ? p[3] : o.TIPKOD;
        out << o;
    }
    return out;
}

QStringList yazi(const QList<Aralik>& a)
{
    QStringList out;
    for (const Aralik& x : a)
        out << QStringLiteral("%1 %2-%3 %4/%5 %6 %7")
                   .arg(x.TIPKOD, x.SAATBAS.toString(QStringLiteral("HH:mm")), x.SAATBIT.toString(QStringLiteral("HH:mm")))
                   .arg(x.SIRANO_BAS)
                   .arg(x.SIRANO_SON)
                   .arg(x.FIILISURE)
                   .arg(x.ESLEME_NO);
    return out;
}

TEST(PdksEsleme, ReadingsOfADayPairAsTheRulesSay)
{
    struct Case {
        const char* ad;
        QStringList okuma;
        QStringList aralik; // "TIP BAS-BIT sb/ss FIILISURE key"
    };
    const QList<Case> cases{
        {"two pairs of entry/exit", {"C 1 08:00", "C 2 12:00", "C 3 13:00", "C 4 17:30"},
         {"C 08:00-12:00 1/2 400 1", "C 13:00-17:30 3/4 450 3"}},
        {"a work reading first starts the presence", {"I 1 08:10 W1", "C 2 12:00", "C 3 13:00", "C 4 17:00"},
         {"C 08:10-12:00 1/2 383 1", "C 13:00-17:00 3/4 400 3", "I 08:10-12:00 1/2 383 1"}},
        {"a work reading last closes the open start", {"C 1 08:00", "C 2 12:00", "C 3 13:00", "I 4 16:00 W1"},
         {"C 08:00-12:00 1/2 400 1", "C 13:00-16:00 3/4 300 3", "I 16:00-16:00 4/-1 0 4"}},
        {"no entry/exit reading", {"M 5 09:00 005", "M 6 10:00 005"},
         {"C 09:00-10:00 -1/-1 100 -1", "M 09:00-10:00 5/6 100 5"}},
        {"lone entry at the first time", {"C 1 08:00", "I 2 09:00 W1", "I 3 11:30 W1"},
         {"C 08:00-11:30 1/-1 350 1", "I 09:00-11:30 2/3 250 2"}},
        {"lone exit later in the day", {"I 2 09:00 W1", "C 3 17:00"},
         {"C 09:00-17:00 -1/3 800 3", "I 09:00-17:00 2/3 800 2"}},
        {"odd count of entry/exit readings", {"C 1 08:00", "C 2 12:00", "C 3 13:00"},
         {"C 08:00-12:00 1/2 400 1"}},
        {"numbers out of time order: first and last by time", {"C 9 08:00", "C 2 12:00", "C 5 13:00", "I 1 16:00 W1"},
         {"C 08:00-12:00 9/2 400 9", "C 13:00-16:00 5/1 300 5", "I 16:00-16:00 1/-1 0 1"}},
        {"work reading followed by another work", {"I 1 09:00 W1", "I 2 10:00 W2", "I 3 11:00 W2"},
         {"C 09:00-11:00 -1/-1 200 -1", "I 09:00-10:00 1/2 100 1", "I 10:00-11:00 2/3 100 2"}},
        {"equal times give the day's last time", {"I 1 09:00 W1", "I 2 09:00 W2", "C 3 12:00"},
         {"C 09:00-12:00 -1/3 300 3", "I 09:00-12:00 1/-1 300 1", "I 09:00-12:00 2/3 300 2"}},
        {"equal times of one work are not consumed", {"I 1 09:00 W1", "I 2 09:00 W1", "I 3 10:00 W1"},
         {"C 09:00-10:00 -1/-1 100 -1", "I 09:00-10:00 1/-1 100 1", "I 09:00-10:00 2/3 100 2"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(yazi(BasBitZamanHesapla(okumalar(c.okuma), true)), c.aralik) << c.ad;
}

TEST(PdksEsleme, DaysNotYetOverGetWorkIntervalsOnly)
{
    const QList<Aralik> a = BasBitZamanHesapla(okumalar({"C 1 08:00", "I 2 09:00 W1", "C 3 12:00"}), false);
    EXPECT_EQ(yazi(a), QStringList{QStringLiteral("I 09:00-12:00 2/3 300 2")});
    const QDateTime dosya(QDate(2026, 3, 2), QTime(17, 0));
    EXPECT_FALSE(VarlikAraligiYapilir(QDate(2026, 3, 2), {}, dosya)); // 18:00 not over at 17:00
    EXPECT_TRUE(VarlikAraligiYapilir(QDate(2026, 3, 2), QTime(16, 30), dosya));
    EXPECT_TRUE(VarlikAraligiYapilir(QDate(2026, 3, 1), {}, dosya));
}

TEST(PdksEsleme, WorkTypesAndDurations)
{
    struct Case {
        const char* tip;
        const char* ieno;
        const char* isTip;
        bool koru;
    };
    const Case cases[] = {{"M", "001", "W1", false}, {"M", "010", "W10", false}, {"M", "012", "W0", false},
                          {"M", "X", "W0", false},   {"C", "C", "C", false},     {"I", "W00001", "I", true},
                          {"G", "G", "", true}};
    for (const Case& c : cases) {
        Aralik a;
        a.TIPKOD = QString::fromLatin1(c.tip);
        a.IENO = QString::fromLatin1(c.ieno);
        IsTipiBelirle(a);
        EXPECT_EQ(a.IS_TIP, QString::fromLatin1(c.isTip)) << c.tip << c.ieno;
        EXPECT_EQ(a.isTipKoru, c.koru) << c.tip << c.ieno;
    }
    const QDateTime t(QDate(2026, 3, 2), QTime(8, 0));
    EXPECT_EQ(FiiliSure(t, t.addSecs(89 * 60)), 148);       // 89 min: 148.33 truncated
    EXPECT_EQ(FiiliSure(t, t.addSecs(-89 * 60)), -148);     // the sign is kept
    EXPECT_EQ(FiiliSure(t, t.addDays(1).addSecs(60 * 60)), 100); // whole days drop out
    // By hand: hours × 100, and an end before the start is on the next day.
    EXPECT_DOUBLE_EQ(ElleFiiliSure(t, ElleBitis(t, QTime(9, 30))), 150);
    EXPECT_EQ(ElleBitis(QDateTime(QDate(2026, 3, 2), QTime(23, 0)), QTime(1, 0)),
              QDateTime(QDate(2026, 3, 3), QTime(1, 0)));
    EXPECT_DOUBLE_EQ(ElleFiiliSure(QDateTime(QDate(2026, 3, 2), QTime(23, 0)), QDateTime(QDate(2026, 3, 3), QTime(1, 0))),
                     200);
}

TEST(PdksEsleme, HandEnteredReadingsEachStartAnInterval)
{
    const QList<Aralik> a = ElleGirilenleriEsle(okumalar({"I 1 09:00 W1", "I 2 11:30 W1", "C 3 12:00"}));
    EXPECT_EQ(yazi(a), (QStringList{QStringLiteral("I 09:00-11:30 1/2 250 1"), QStringLiteral("I 11:30-12:00 2/3 50 2")}));
}

} // namespace
