#include "aftersales/AftersalesSchema.h"
#include "aftersales/calls/AramaPer.h"
#include "aftersales/calls/AramaRapor.h"
#include "report/AdresEtiket.h"
#include "report/ReportEngine.h"
#include "sql/SqlHelpers.h"
#include "testsupport/TestSupport.h"

#include <QTime>

namespace tornaly::aftersales {
namespace {

QDateTime gunOf(const QDate& d) { return QDateTime(d, QTime(0, 0)); }

class CallListTest : public test::DbTest {
protected:
    void registerSchema() override { aftersales::RegisterSchema(); }
    int count(const QString& sql, const QVariantMap& b = {})
    {
        Query q(db, sql);
        q.bindAll(b).exec();
        return q.next() ? int(q.value(0).toLongLong()) : 0;
    }
    void period(const char* satSer, const char* araTip, int gun)
    {
        db.exec(QStringLiteral("INSERT INTO PERIYOT (SAT_SER, ARA_TIP, PER_GUN) VALUES (:S, :A, :G)"),
                {{QStringLiteral("S"), QString::fromLatin1(satSer)},
                 {QStringLiteral("A"), QString::fromLatin1(araTip)},
                 {QStringLiteral("G"), gun}});
    }
    QList<QDate> dueDays(const QString& ie)
    {
        QList<QDate> out;
        Query q(db, QStringLiteral("SELECT ARAMA_TRH FROM ARAMAPER WHERE MUS_TIP = 'S' AND IE_NO = :IE ORDER BY ARAMA_TRH"));
        q.bind(QStringLiteral("IE"), ie).exec();
        while (q.next())
            out << q.date(QStringLiteral("ARAMA_TRH"));
        return out;
    }
    // One call row; returns its key.
    qint64 call(const char* mus, const char* ara, const char* ie, const QDate& due, const QVariant& durum = {})
    {
        Query q(db, QStringLiteral("INSERT INTO ARAMAPER (MUS_TIP, ARA_TIP, IE_NO, REF_TRH, ARAMA_TRH, CARI_KOD, DURUM) "
                                   "VALUES (:M, :A, :IE, :R, :T, 'C1', :D) RETURNING ARAMA_ID"));
        q.bind(QStringLiteral("M"), QString::fromLatin1(mus))
            .bind(QStringLiteral("A"), QString::fromLatin1(ara))
            .bind(QStringLiteral("IE"), QString::fromLatin1(ie))
            .bind(QStringLiteral("R"), gunOf(due.addDays(-3)))
            .bind(QStringLiteral("T"), gunOf(due))
            .bind(QStringLiteral("D"), durum)
            .exec();
        q.next();
        return q.value(0).toLongLong();
    }
    QStringList listed(const AramaFiltre& f)
    {
        QStringList out;
        Query q(db, AramaListeSql(f));
        q.bindAll(AramaListeBinds(f)).exec();
        while (q.next())
            out << q.str(QStringLiteral("IE_NO"));
        EXPECT_EQ(AramaSayisi(db, f), out.size());
        return out;
    }
};

TEST_F(CallListTest, InvoiceDateAndServicePeriodsGiveTheDueDays)
{
    struct Case {
        const char* name;
        std::vector<int> periods; // service telephone periods
        QDate invoice;
        std::vector<QDate> due;
    };
    const Case cases[] = {
        {"30 days after 1 March", {30}, QDate(2026, 3, 1), {QDate(2026, 3, 31)}},
        {"3, 7 and 30 days after 10 May", {3, 7, 30}, QDate(2026, 5, 10),
         {QDate(2026, 5, 13), QDate(2026, 5, 17), QDate(2026, 6, 9)}},
        {"across the year end", {7}, QDate(2026, 12, 28), {QDate(2027, 1, 4)}},
        {"leap day", {1}, QDate(2028, 2, 28), {QDate(2028, 2, 29)}},
        {"no service period", {}, QDate(2026, 3, 1), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        db.exec(QStringLiteral("DELETE FROM PERIYOT"));
        db.exec(QStringLiteral("DELETE FROM ARAMAPER"));
        period("B", "T", 2); // sales periods never make service calls
        for (int g : c.periods)
            period("S", "T", g);
        EXPECT_EQ(ServisAramalariYaz(db, {QStringLiteral("IE1"), c.invoice, QStringLiteral("C1"), 77.0}),
                  int(c.periods.size()));
        const QList<QDate> days = dueDays(QStringLiteral("IE1"));
        EXPECT_EQ(days, QList<QDate>(c.due.begin(), c.due.end()));
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ARAMAPER WHERE REF_TRH = :R AND CARI_KOD = 'C1' "
                                       "AND SATIS_NO = 77 AND DURUM IS NULL"),
                        {{QStringLiteral("R"), gunOf(c.invoice)}}),
                  int(c.periods.size()));
    }
}

TEST_F(CallListTest, SavingAgainMovesTheDaysAndKeepsOutcomes)
{
    period("S", "T", 3);
    period("S", "M", 30);
    ServisAramalariYaz(db, {QStringLiteral("IE1"), QDate(2026, 5, 10), QStringLiteral("C1"), 1.0});
    db.exec(QStringLiteral("UPDATE ARAMAPER SET DURUM = 'U', RAP_NO = 5 WHERE PERIYOT = 3"));
    period("S", "T", 60); // a period added later does not join an invoiced work order
    ServisAramalariYaz(db, {QStringLiteral("IE1"), QDate(2026, 5, 12), QStringLiteral("C2"), 1.0});
    EXPECT_EQ(dueDays(QStringLiteral("IE1")), (QList<QDate>{QDate(2026, 5, 15), QDate(2026, 6, 11)}));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ARAMAPER WHERE DURUM = 'U' AND RAP_NO = 5 AND CARI_KOD = 'C2'")), 1);

    // "Yeniden Düzenle" makes them again from today's periods, outcomes gone.
    EXPECT_EQ(ServisAramalariYenidenDuzenle(db, {QStringLiteral("IE1"), QDate(2026, 5, 12), QStringLiteral("C2"), 1.0}), 3);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ARAMAPER WHERE DURUM IS NULL AND IE_NO = 'IE1'")), 3);
    // Another work order's rows stay.
    call("S", "T", "IE2", QDate(2026, 5, 20));
    ServisAramalariYenidenDuzenle(db, {QStringLiteral("IE1"), QDate(2026, 5, 13), QStringLiteral("C2"), 1.0});
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ARAMAPER WHERE IE_NO = 'IE2'")), 1);
}

TEST_F(CallListTest, PeriodOfNoOrNegativeDaysIsRefusedAndNothingWritten)
{
    AramaPeriyot gecerli;
    gecerli.PER_GUN = 30;
    ASSERT_TRUE(AramaPeriyotKaydet(db, gecerli));
    ASSERT_GT(gecerli.PER_ID, 0);
    for (int gun : {0, -1, -30}) {
        SCOPED_TRACE(gun);
        messages.clear();
        AramaPeriyot p;
        p.PER_GUN = gun;
        EXPECT_FALSE(AramaPeriyotKaydet(db, p));
        EXPECT_EQ(messages.lastText(), kPeriyotGunMesaj);
        // In the editor's batch: the valid change beside it is not written either.
        QList<AramaPeriyot> satirlar{gecerli, p};
        satirlar[0].PER_GUN = 45;
        int hatali = -1;
        EXPECT_FALSE(AramaPeriyotlariKaydet(db, satirlar, {gecerli.PER_ID}, &hatali));
        EXPECT_EQ(hatali, 1);
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM PERIYOT")), 1);
        EXPECT_EQ(count(QStringLiteral("SELECT PER_GUN FROM PERIYOT")), 30);
    }
}

TEST_F(CallListTest, DueListFilters)
{
    const QDate tue(2026, 6, 9); // a Tuesday
    call("S", "T", "TODAY", tue);
    call("S", "M", "LETTER", tue);
    call("S", "T", "NOREPLY", tue, QStringLiteral("U"));
    call("S", "T", "DONE", tue, QStringLiteral("G"));
    call("S", "T", "SMS", tue.addDays(-1), QStringLiteral("S"));
    call("S", "T", "LATE", tue.addDays(-5));
    call("S", "T", "NEXTDAY", tue.addDays(1));
    call("D", "O", "", tue); // vehicle reminders belong to another kind
    call("S", "T", "SUNDAY", QDate(2026, 6, 7));
    call("S", "T", "SAT", QDate(2026, 6, 6));

    struct Case {
        const char* name;
        QDate bugun, beg, end;
        bool closed, letters;
        QStringList expected;
    };
    const QDate mon(2026, 6, 8);
    const Case cases[] = {
        // The list keeps to its period: calls whose day has passed show only
        // when the period is moved back to them.
        {"Tuesday, open", tue, tue, tue, false, false, {"TODAY", "LETTER", "NOREPLY"}},
        {"moved back over the late ones", tue, tue.addDays(-5), tue, false, false,
         {"LATE", "SAT", "SUNDAY", "TODAY", "LETTER", "NOREPLY"}},
        {"a day back shows that day alone", tue, mon.addDays(-2), mon.addDays(-2), false, false, {"SAT"}},
        {"Sunday and Monday, looked at later", tue, QDate(2026, 6, 7), mon, false, false, {"SUNDAY"}},
        {"closed ones", tue, tue.addDays(-1), tue, true, false, {"SMS", "DONE"}},
        {"letters only", tue, tue, tue, false, true, {"LETTER"}},
        {"ahead", tue, tue.addDays(1), tue.addDays(1), false, false, {"NEXTDAY"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AramaFiltre f;
        f.bugun = c.bugun;
        f.begdate = c.beg;
        f.enddate = c.end;
        f.sonuclananlar = c.closed;
        f.sadeceMektup = c.letters;
        QStringList got = listed(f);
        EXPECT_EQ(got, c.expected);
    }
    // The kind is a bound value, never part of the statement.
    AramaFiltre f;
    f.musteriTip = QStringLiteral("S' OR '1'='1");
    f.begdate = f.enddate = f.bugun = tue;
    EXPECT_TRUE(listed(f).isEmpty());

    EXPECT_EQ(AramaDonemi(mon).begdate, QDate(2026, 6, 7));
    EXPECT_EQ(AramaDonemi(mon).enddate, mon);
    EXPECT_EQ(AramaDonemi(tue).begdate, tue);
}

TEST_F(CallListTest, OutcomeChangesOnlyThePointedRow)
{
    // Two rows alike in every descriptive column (as sales rows without a work order are).
    const QDate d(2026, 6, 9);
    const qint64 a = call("B", "T", "", d);
    const qint64 b = call("B", "T", "", d);
    ASSERT_NE(a, b);
    AramaSonucYaz(db, a, kDurumTelYanlis);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ARAMAPER WHERE DURUM = 'Y'")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ARAMAPER WHERE ARAMA_ID = :B AND DURUM IS NULL"),
                    {{QStringLiteral("B"), b}}),
              1);
    AramaSil(db, b);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ARAMAPER")), 1);
}

TEST_F(CallListTest, PrintoutAndLabels)
{
    db.exec(QStringLiteral("INSERT INTO CARI (CARI_KOD, FIRMA_ADI, YETKILI_ADI, TEL1, ADRES_1, SEMT, ILI, PK) "
                           "VALUES ('C1', 'AYŞE IŞIK', 'AYŞE', '0532 111 22 33', 'Çiçek Sk. 5', 'Kadıköy', 'İSTANBUL', '34710')"));
    const QDate d(2026, 6, 9);
    call("S", "T", "IE1", d);
    call("S", "M", "IE2", d);
    AramaFiltre f;
    f.begdate = f.enddate = f.bugun = d;
    const QString all = report::Render(MusteriTakipRaporu(db, f)).texts(1).join(QLatin1Char('|'));
    EXPECT_TRUE(all.contains(QStringLiteral("09.06.2026 ile 09.06.2026 Tarihleri Arasında Ulaşılacak Servis Müşterileri")))
        << all.toStdString();
    for (const char* t : {"Müşteri Takip Listesi", "Ara.Şekli", "ServisTarihi", "Telefon", "Mektup", "06.06.2026",
                          "AYŞE IŞIK", "0532 111 22 33", "Kadıköy/İSTANBUL"})
        EXPECT_TRUE(all.contains(QString::fromUtf8(t))) << t;

    f.sadeceMektup = true;
    const QStringList etiket =
        report::Render(report::AdresEtiketRaporu(report::QuerySource(db, AramaListeSql(f), AramaListeBinds(f)))).texts(1);
    EXPECT_EQ(etiket.count(QStringLiteral("AYŞE IŞIK")), 1);
    EXPECT_TRUE(etiket.contains(QStringLiteral("34710 Kadıköy İSTANBUL"))) << etiket.join(QLatin1Char('|')).toStdString();
}

} // namespace
} // namespace tornaly::aftersales
