#include "InvoiceFixture.h"
#include "db/Dialect.h"
#include "invoicing/workorder/monitor/IEFatDurum.h"
#include "invoicing/workorder/monitor/forms/IEFatDrm.h"
#include "sql/SqlHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace tornaly::invoicing;

namespace tornaly::test {

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }
} // namespace

// W000001 (open, parts and labour, invoiced), W000002 (closed, no lines, not
// invoiced), W000003 (open, not invoiced) and an over-the-counter invoice
// without a work-order number.
class MonitorTest : public InvoiceTest {
protected:
    void SetUp() override
    {
        InvoiceTest::SetUp();
        addWorkOrder(S("W000002"), S("VF1BBB22222222222"), 100, S("A"), S("E"), QDate(2025, 1, 11), S("34CD34"));
        addWorkOrder(S("W000003"), S("VF1CCC33333333333"), 200, S("A"), S("H"), QDate(2025, 1, 12), S("06EF56"));
        addInvoice(1, S("W000001"), S("I"), QDate(2025, 3, 1), 100, 10, 150, 250);
        addInvoice(2, {}, S("I"), QDate(2025, 3, 1), 0, 0, 0, 99);
    }
    void addInvoice(double no, const QString& ie, const QString& tur, const QDate& gun, double par, double parIsk,
                    double isc, double toplam)
    {
        QVariantMap r{{S("SATIS_NO"), no},         {S("FAT_NO"), S("F%1").arg(no)}, {S("FAT_TUR"), tur},
                      {S("TARIH"), QDateTime(gun, QTime(0, 0))}, {S("IND_TUT_PAR"), par},
                      {S("IND_YUZ_PAR"), parIsk},  {S("IND_TUT_ISCI"), isc},        {S("TOPLAM_TUTAR"), toplam}};
        if (!ie.isEmpty())
            r.insert(S("IS_EMRI_NO"), ie);
        insert(S("SERFAT"), r);
    }
    QList<QVariantMap> rows(const IEFatDrmFiltre& f)
    {
        const workshop::Sorgu s = IEFatDrmSorgu(db, f);
        Query q(db, s.statement);
        for (auto it = s.binds.begin(); it != s.binds.end(); ++it)
            q.bind(it.key(), it.value());
        q.exec();
        QList<QVariantMap> out;
        while (q.next()) {
            QVariantMap m;
            for (const char* c : {"IS_EMRI_NO", "PAR_TUT", "G_PAR_TUT", "ISC_TUT", "G_ISC_TUT", "SF_PAR_TUT",
                                  "SF_PAR_ISK", "SF_TOP_TUT", "GF_PAR_TUT", "GF_ISC_TUT", "IE_TOP", "GF_TOP", "FAT_TOP"})
                m[QString::fromLatin1(c)] = q.value(QString::fromLatin1(c));
            out << m;
        }
        return out;
    }
    QStringList numbers(const IEFatDrmFiltre& f)
    {
        QStringList n;
        for (const QVariantMap& r : rows(f))
            n << r.value(S("IS_EMRI_NO")).toString().trimmed();
        return n;
    }
};

TEST_F(MonitorTest, TwoInvoicesOfOneWorkOrderAreSummedOnOneRow)
{
    addInvoice(3, S("W000001"), S("I"), QDate(2025, 3, 5), 40, 5, 60, 120);
    const QList<QVariantMap> r = rows({});
    ASSERT_EQ(r.size(), 3);
    const QVariantMap& w1 = r.at(0);
    EXPECT_EQ(w1.value(S("IS_EMRI_NO")).toString(), S("W000001"));
    // Lines: 2 x 100 customer part, 1 x 400 warranty part, 1.5 x 200 customer labour.
    EXPECT_DOUBLE_EQ(w1.value(S("PAR_TUT")).toDouble(), 200);
    EXPECT_DOUBLE_EQ(w1.value(S("G_PAR_TUT")).toDouble(), 400);
    EXPECT_DOUBLE_EQ(w1.value(S("ISC_TUT")).toDouble(), 300);
    EXPECT_DOUBLE_EQ(w1.value(S("G_ISC_TUT")).toDouble(), 0);
    EXPECT_DOUBLE_EQ(w1.value(S("IE_TOP")).toDouble(), 900);
    EXPECT_DOUBLE_EQ(w1.value(S("SF_PAR_TUT")).toDouble(), 140);
    EXPECT_DOUBLE_EQ(w1.value(S("SF_TOP_TUT")).toDouble(), 370);
    EXPECT_DOUBLE_EQ(w1.value(S("FAT_TOP")).toDouble(), 370);
    // A work order without lines or invoices: empty amounts, zero totals.
    const QVariantMap& w2 = r.at(1);
    EXPECT_TRUE(w2.value(S("PAR_TUT")).isNull());
    EXPECT_TRUE(w2.value(S("SF_TOP_TUT")).isNull());
    EXPECT_DOUBLE_EQ(w2.value(S("IE_TOP")).toDouble(), 0);
    EXPECT_DOUBLE_EQ(w2.value(S("FAT_TOP")).toDouble(), 0);
}

TEST_F(MonitorTest, StateInvoiceAndDateFilters)
{
    using D = IEFatDrmFiltre::FatDurum;
    struct Case {
        const char* name;
        bool kapali, acik;
        D fat;
        QDate fatBas, fatSon;
        QStringList expected;
    };
    const QList<Case> cases{
        {"neither state", false, false, D::Tumu, {}, {}, {S("W000001"), S("W000002"), S("W000003")}},
        {"both states", true, true, D::Tumu, {}, {}, {S("W000001"), S("W000002"), S("W000003")}},
        {"closed", true, false, D::Tumu, {}, {}, {S("W000002")}},
        {"open", false, true, D::Tumu, {}, {}, {S("W000001"), S("W000003")}},
        {"invoiced", false, false, D::Kesilmis, {}, {}, {S("W000001")}},
        // The counter invoice without a work order must not hide every row.
        {"not invoiced", false, false, D::Kesilmemis, {}, {}, {S("W000002"), S("W000003")}},
        {"open and not invoiced", false, true, D::Kesilmemis, {}, {}, {S("W000003")}},
        {"invoice day inside", false, false, D::Tumu, QDate(2025, 3, 1), QDate(2025, 3, 1), {S("W000001")}},
        {"invoice range open at the start", false, false, D::Tumu, {}, QDate(2025, 3, 1), {S("W000001")}},
        {"invoice day after", false, false, D::Tumu, QDate(2025, 3, 2), {}, {}},
    };
    for (const Case& c : cases) {
        IEFatDrmFiltre f;
        f.kapali = c.kapali;
        f.acik = c.acik;
        f.fatDurum = c.fat;
        f.faturaBas = c.fatBas;
        f.faturaSon = c.fatSon;
        EXPECT_EQ(numbers(f), c.expected) << c.name;
    }
}

TEST_F(MonitorTest, TypedTextIsBoundAndDaysCountWhole)
{
    IEFatDrmFiltre f;
    f.plaka = S("34%");
    EXPECT_TRUE(numbers(f).isEmpty());
    f.plaka = S("ab");
    EXPECT_EQ(numbers(f), QStringList{S("W000001")});
    f = {};
    f.cariKod = S("M001' OR '1'='1");
    EXPECT_TRUE(numbers(f).isEmpty());
    f = {};
    f.girisBas = QDate(2025, 1, 11);
    f.girisSon = QDate(2025, 1, 11);
    db.exec(S("UPDATE ISEMRI SET ARAC_GIRIS_TRH = :T WHERE IS_EMRI_NO = 'W000002'"),
            {{S("T"), QDateTime(QDate(2025, 1, 11), QTime(23, 59, 59, 900))}});
    EXPECT_EQ(numbers(f), QStringList{S("W000002")});
    f = {};
    f.yil = 2024;
    EXPECT_TRUE(numbers(f).isEmpty());
    f.sira = workshop::IEBrFiltre::Sira::Plaka;
    f.yil = 2025;
    EXPECT_EQ(numbers(f), (QStringList{S("W000003"), S("W000001"), S("W000002")}));
}

// Claims and the factor tables come from their own modules; the monitor reads
// them once they are there.
TEST_F(MonitorTest, WarrantyInvoicesThroughClaimsAndFactorTables)
{
    const Dialect& d = db.dialect();
    if (!d.tableExists(db, S("CLAIMM")))
        db.exec(S("CREATE TABLE CLAIMM (CL_CLAIMNO DOUBLE PRECISION, CL_ISEMRI VARCHAR(7), CL_FATURA VARCHAR(1))"));
    if (!d.tableExists(db, S("GT")))
        db.exec(S("CREATE TABLE GT (G_T VARCHAR(1), TM DOUBLE PRECISION, TG DOUBLE PRECISION)"));
    if (!d.tableExists(db, S("PI")))
        db.exec(S("CREATE TABLE PI (P_I VARCHAR(1), P DOUBLE PRECISION, I DOUBLE PRECISION)"));
    // Goodwill letter G billed to the customer here.
    insert(S("GT"), {{S("G_T"), S("M")}, {S("TM"), 1}, {S("TG"), 0}});
    insert(S("GT"), {{S("G_T"), S("G")}, {S("TM"), 1}, {S("TG"), 0}});
    insert(S("PI"), {{S("P_I"), S("P")}, {S("P"), 1}, {S("I"), 0}});
    insert(S("PI"), {{S("P_I"), S("I")}, {S("P"), 0}, {S("I"), 1}});
    // The claims table of the claims module asks for the repair's dates, chassis, km and type.
    auto claim = [&](double no, const char* ie, const char* fatura) {
        const QDateTime gun(QDate(2025, 3, 1), QTime());
        insert(S("CLAIMM"), {{S("CL_CLAIMNO"), no}, {S("CL_ISEMRI"), QString::fromLatin1(ie)},
                             {S("CL_FATURA"), QString::fromLatin1(fatura)}, {S("CL_TAMIRTRH"), gun},
                             {S("CL_TESLIMTRH"), gun}, {S("CL_SASE"), S("VF1AAA11111111111")}, {S("CL_KM"), 1000},
                             {S("CL_ARACTIP"), S("A")}});
    };
    claim(7, "W000003", "E");
    claim(8, "W000002", "H");
    addInvoice(10, {}, S("G"), QDate(2025, 4, 1), 0, 0, 0, 0);
    auto line = [&](int sira, const char* kind, double price, double qty, const QVariant& isk, double claim) {
        insert(S("SERFATDT"), {{S("SATIS_NO"), 10}, {S("SIRA"), sira}, {S("PARCA_ISCILIK"), QString::fromLatin1(kind)},
                               {S("BIRIM_FIYAT"), price}, {S("MIKTAR"), qty}, {S("KDV"), 20}, {S("ISKONTO"), isk},
                               {S("CLAIM_NO"), claim}});
    };
    line(1, "P", 100, 2, 10, 7);
    line(2, "I", 50, 1, QVariant(QMetaType::fromType<double>()), 7);
    line(3, "P", 999, 1, 0, 8);

    const QList<QVariantMap> r = rows({});
    ASSERT_EQ(r.size(), 3);
    EXPECT_DOUBLE_EQ(r.at(0).value(S("PAR_TUT")).toDouble(), 600);
    EXPECT_DOUBLE_EQ(r.at(0).value(S("G_PAR_TUT")).toDouble(), 0);
    EXPECT_DOUBLE_EQ(r.at(2).value(S("GF_PAR_TUT")).toDouble(), 180);
    EXPECT_DOUBLE_EQ(r.at(2).value(S("GF_ISC_TUT")).toDouble(), 50);
    EXPECT_DOUBLE_EQ(r.at(2).value(S("GF_TOP")).toDouble(), 230);
    EXPECT_DOUBLE_EQ(r.at(2).value(S("FAT_TOP")).toDouble(), 230);
    EXPECT_DOUBLE_EQ(r.at(1).value(S("GF_PAR_TUT")).toDouble(), 999);

    IEFatDrmFiltre f;
    f.fatDurum = IEFatDrmFiltre::FatDurum::Kesilmis;
    EXPECT_EQ(numbers(f), (QStringList{S("W000001"), S("W000003")}));
    f = {};
    f.faturaBas = QDate(2025, 4, 1);
    EXPECT_EQ(numbers(f), (QStringList{S("W000002"), S("W000003")}));
}

TEST_F(MonitorTest, FormOpensOnTodaysReceptionsOfTheWorkingYear)
{
    ctx.Database1 = db;
    const QDate bugun = workshop::SunucuBugun(db);
    ctx.CalismaYili = QString::number(bugun.year());
    addWorkOrder(S("W000004"), S("VF1DDD44444444444"), 10, S("A"), S("E"), bugun, S("35GH78"));
    TFormIEFatDrm f(ctx, 0);
    EXPECT_EQ(f.windowTitle(), S("İŞ EMİRLERİ FATURA DURUMU"));
    EXPECT_TRUE(f.BtnSec->isHidden());
    ASSERT_EQ(f.Liste->rowCount(), 1);
    EXPECT_EQ(f.currentRow().value(S("IS_EMRI_NO")).toString(), S("W000004"));
    EXPECT_EQ(f.LblSayi->text(), S("Kayıt Sayısı : 1"));

    // A closed work order asks first; "No" opens nothing.
    messages.answer(MsgNo);
    f.BtnDuzenleClick();
    EXPECT_EQ(messages.texts().value(0), S("Bu İş Emri Kapalı, Değişiklik Yapamazsınız, Görmek İstiyor musunuz?"));

    // Clearing does not run the filter; the next run sees every year.
    f.ChkKapali->setChecked(true);
    f.CbFatDurum->setCurrentIndex(2);
    f.BtnFiltreSil->click();
    EXPECT_EQ(f.Liste->rowCount(), 1);
    EXPECT_FALSE(f.ChkKapali->isChecked());
    EXPECT_EQ(f.CbFatDurum->currentIndex(), 0);
    f.BtnFiltrele->click();
    EXPECT_EQ(f.Liste->rowCount(), 4);
}

} // namespace tornaly::test
