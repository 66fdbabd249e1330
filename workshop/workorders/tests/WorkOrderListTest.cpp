#include "WorkOrderFixture.h"

using namespace tornaly;
using namespace tornaly::test;
using namespace tornaly::workshop;

class WorkOrderListTest : public WorkOrderTest {
protected:
    QStringList list(const IEBrFiltre& f)
    {
        Sorgu s;
        if (!IEBrSorgu(db, f, s))
            return {QStringLiteral("refused")};
        Query q(db, s.statement);
        q.bindAll(s.binds).exec();
        QStringList out;
        while (q.next())
            out << q.str(QStringLiteral("IS_EMRI_NO"));
        return out;
    }
    QStringList history(const Sorgu& s, const QString& col = QStringLiteral("IS_EMRI_NO"))
    {
        Query q(db, s.statement);
        q.bindAll(s.binds).exec();
        QStringList out;
        while (q.next())
            out << q.str(col);
        return out;
    }
};

TEST_F(WorkOrderListTest, FiltersAsTheUserChoseThem)
{
    const QDate today = SunucuBugun(db);
    addWorkOrder(QStringLiteral("S000001"), QStringLiteral("C1"), 10, QStringLiteral("A"), QStringLiteral("H"),
                 today.addDays(-16), QStringLiteral("34AB12"));
    addWorkOrder(QStringLiteral("S000002"), QStringLiteral("C1"), 10, QStringLiteral("H"), QStringLiteral("H"),
                 today.addDays(-17), QStringLiteral("34AB12"));
    addWorkOrder(QStringLiteral("S000003"), QStringLiteral("C2"), 10, QStringLiteral("B"), QStringLiteral("E"),
                 QDate(2024, 3, 31), QStringLiteral("06X_1"));
    IEBrFiltre f;
    EXPECT_EQ(list(f), (QStringList{QStringLiteral("S000001"), QStringLiteral("S000002")}));
    f.durum = IEBrFiltre::Durum::Tumu;
    EXPECT_EQ(list(f).size(), 3);
    IEBrFiltre onbes;
    onbes.onbesGun = true;
    onbes.durum = IEBrFiltre::Durum::Tumu;
    EXPECT_EQ(list(onbes), QStringList{QStringLiteral("S000002")});
    IEBrFiltre tip = f;
    tip.tipler = {QStringLiteral("H"), QStringLiteral("B")};
    EXPECT_EQ(list(tip), (QStringList{QStringLiteral("S000002"), QStringLiteral("S000003")}));
    IEBrFiltre plaka = f;
    plaka.plaka = QStringLiteral("x_");
    EXPECT_EQ(list(plaka), QStringList{QStringLiteral("S000003")});
    IEBrFiltre gun = f;
    gun.girisBas = QDate(2024, 3, 31);
    gun.girisSon = QDate(2024, 3, 31);
    EXPECT_EQ(list(gun), QStringList{QStringLiteral("S000003")});
    IEBrFiltre yil = f;
    yil.yil = QStringLiteral("2024");
    EXPECT_EQ(list(yil), QStringList{QStringLiteral("S000003")});
    yil.yil = QStringLiteral("2024 OR 1=1");
    EXPECT_EQ(list(yil), QStringList{QStringLiteral("refused")});
    IEBrFiltre cari = f;
    cari.cariKod = QStringLiteral("YOK");
    EXPECT_TRUE(list(cari).isEmpty());
}

TEST_F(WorkOrderListTest, DeleteRefusesClosedOrWithPartsAndTakesTheLabour)
{
    addWorkOrder(QStringLiteral("S000001"), QStringLiteral("C1"), 10, QStringLiteral("A"), QStringLiteral("E"));
    addWorkOrder(QStringLiteral("S000002"), QStringLiteral("C1"), 10);
    addWorkOrder(QStringLiteral("S000003"), QStringLiteral("C1"), 10);
    insert(QStringLiteral("ISEAYRIN"), {{QStringLiteral("ISEMRI_NO"), QStringLiteral("S000002")},
                                        {QStringLiteral("FYILI"), 2025}, {QStringLiteral("SIRANO"), 1}});
    insert(QStringLiteral("ISCILIK"), {{QStringLiteral("ISEMRI_NO"), QStringLiteral("S000003")},
                                       {QStringLiteral("FYILI"), 2025}, {QStringLiteral("SIRANO"), 1}});
    EXPECT_FALSE(IsEmriSil(db, QStringLiteral("S000001")));
    EXPECT_TRUE(messages.texts().last().startsWith(QStringLiteral("Kapalı işemri silinemez !")));
    EXPECT_FALSE(IsEmriSil(db, QStringLiteral("S000002")));
    EXPECT_EQ(messages.texts().last(), QStringLiteral("Bu İşemri Silmek için önce Parçaları silerek iade ediniz!"));
    messages.answer(MsgNo);
    EXPECT_FALSE(IsEmriSil(db, QStringLiteral("S000003")));
    EXPECT_TRUE(IsEmriSil(db, QStringLiteral("S000003")));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ISEMRI")), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ISCILIK")), 0);
}

TEST_F(WorkOrderListTest, HistoryByChassisOrPlateAndTheWarrantyWindow)
{
    addWorkOrder(QStringLiteral("S000001"), QStringLiteral("C1"), 10, QStringLiteral("A"), QStringLiteral("E"),
                 QDate(2020, 1, 5), QStringLiteral("34AB12"));
    addWorkOrder(QStringLiteral("S000002"), QStringLiteral("C2"), 10, QStringLiteral("A"), QStringLiteral("E"),
                 QDate(2021, 1, 5), QStringLiteral("34AB12"));
    addWorkOrder(QStringLiteral("S000003"), QStringLiteral("C1"), 10, QStringLiteral("A"), QStringLiteral("H"),
                 QDate(2022, 1, 5), QStringLiteral("06X1"));
    db.exec(QStringLiteral("UPDATE ISEMRI SET IPTAL = 'E' WHERE IS_EMRI_NO = 'S000002'"));
    EXPECT_EQ(history(IEGecmisSorgu({}, QStringLiteral("34AB12"))),
              (QStringList{QStringLiteral("S000001"), QStringLiteral("S000002")}));
    EXPECT_EQ(history(IEGecmisSorgu(QStringLiteral("C1"), {})),
              (QStringList{QStringLiteral("S000001"), QStringLiteral("S000003")}));
    EXPECT_TRUE(history(IEGecmisSorgu({}, {})).isEmpty());
    for (const auto& no : {"S000001", "S000002"})
        insert(QStringLiteral("ISCILIK"), {{QStringLiteral("ISEMRI_NO"), QString::fromLatin1(no)},
                                           {QStringLiteral("FYILI"), 2020}, {QStringLiteral("SIRANO"), 1}});
    EXPECT_EQ(history(IEGecmisIscilikSorgu({}, QStringLiteral("34AB12")), QStringLiteral("ISEMRI_NO")),
              QStringList{QStringLiteral("S000001")});

    EXPECT_EQ(GarantiBaslangic(QDate(2020, 3, 1), 24), QDate(2018, 3, 1));
    EXPECT_EQ(GarantiBaslangic(QDate(2020, 3, 1), 12), QDate(2019, 3, 2)); // 365.28 days round to 365
    // The same part fitted on S000001 (closed 2020-01-20) and again on S000003.
    db.exec(QStringLiteral("UPDATE ISEMRI SET TAHMINI_TES_TRH = :T WHERE IS_EMRI_NO = 'S000001'"),
            {{QStringLiteral("T"), QDateTime(QDate(2020, 1, 20), QTime(0, 0))}});
    for (const auto& no : {"S000001", "S000003"})
        insert(QStringLiteral("ISEAYRIN"), {{QStringLiteral("ISEMRI_NO"), QString::fromLatin1(no)},
                                            {QStringLiteral("FYILI"), 2020}, {QStringLiteral("SIRANO"), 1},
                                            {QStringLiteral("STOK_KOD_NO"), QStringLiteral("FILTRE1")}});
    EXPECT_EQ(history(YPGarantiSorgu(db, QStringLiteral("S000003"), 24)), QStringList{QStringLiteral("S000001")});
    EXPECT_TRUE(history(YPGarantiSorgu(db, QStringLiteral("S000003"), 12)).isEmpty());
}

TEST_F(WorkOrderListTest, OnlyTheUserTypesAreRenamed)
{
    EXPECT_FALSE(IsemriTipAdiDegistir(db, QStringLiteral("P"), QStringLiteral("X")));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Sabit İşemri Tipinde Değişiklik Yapamazsınız !")});
    EXPECT_TRUE(IsemriTipAdiDegistir(db, QStringLiteral("C"), QStringLiteral("Filo Bakım")));
    EXPECT_EQ(scalar(QStringLiteral("SELECT ISEMRI_TIP_ADI FROM ISEMRITIP WHERE ISEMRI_TIP = 'C'")).toString(),
              QStringLiteral("Filo Bakım"));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ISEMRITIP")), 14);
}

// Lines of work orders and of their invoices, for the invoice-status filter
// and the counts panel.
class InvoiceStatusTest : public WorkOrderListTest {
protected:
    void SetUp() override
    {
        WorkOrderListTest::SetUp();
        // The invoicing subsystem owns these; the workshop's own database has
        // only the columns the workshop reads.
        if (!db.dialect().tableExists(db, QStringLiteral("SERFAT"))) {
            db.exec(QStringLiteral("CREATE TABLE SERFAT (SATIS_NO DOUBLE PRECISION, FAT_NO VARCHAR(25), "
                                   "FAT_TUR VARCHAR(1), IS_EMRI_NO VARCHAR(7), FYILI SMALLINT)"));
            db.exec(QStringLiteral("CREATE TABLE SERFATDT (SATIS_NO DOUBLE PRECISION, SIRA SMALLINT, "
                                   "PARCA_ISCILIK VARCHAR(1), PI_KOD VARCHAR(25), MIKTAR DOUBLE PRECISION, "
                                   "KDV DOUBLE PRECISION, GARANTI_TIP VARCHAR(1), IENO VARCHAR(7))"));
        }
    }
    void parca(const QString& ie, int sira, const QString& kod, double verilen, const QString& tip,
               const QString& exp = QString())
    {
        insert(QStringLiteral("ISEAYRIN"), {{QStringLiteral("ISEMRI_NO"), ie}, {QStringLiteral("FYILI"), 2025},
                                            {QStringLiteral("SIRANO"), sira}, {QStringLiteral("STOK_KOD_NO"), kod},
                                            {QStringLiteral("STOK_MIKTAR"), verilen},
                                            {QStringLiteral("VERILEN_MIKTAR"), verilen},
                                            {QStringLiteral("GARANTI_TIPI"), tip}, {QStringLiteral("EXP"), exp}});
    }
    void iscilik(const QString& ie, int sira, const QString& kod, double sure, int qty, const QString& tip,
                 const QString& exp = QString())
    {
        insert(QStringLiteral("ISCILIK"), {{QStringLiteral("ISEMRI_NO"), ie}, {QStringLiteral("FYILI"), 2025},
                                           {QStringLiteral("SIRANO"), sira}, {QStringLiteral("ARIZA_KODU"), kod},
                                           {QStringLiteral("SURE"), sure}, {QStringLiteral("QTY"), qty},
                                           {QStringLiteral("GARANTI_TIPI"), tip}, {QStringLiteral("EXP"), exp}});
    }
    void fatura(double satisNo, const QString& tur, const QString& ie)
    {
        insert(QStringLiteral("SERFAT"), {{QStringLiteral("SATIS_NO"), satisNo}, {QStringLiteral("FAT_TUR"), tur},
                                          {QStringLiteral("FAT_NO"), QStringLiteral("F%1").arg(satisNo)},
                                          {QStringLiteral("IS_EMRI_NO"), ie}, {QStringLiteral("FYILI"), 2025}});
    }
    void faturaSatiri(double satisNo, int sira, const QString& pi, const QString& kod, double miktar,
                      const QString& tip, const QString& ie)
    {
        insert(QStringLiteral("SERFATDT"), {{QStringLiteral("SATIS_NO"), satisNo}, {QStringLiteral("SIRA"), sira},
                                            {QStringLiteral("PARCA_ISCILIK"), pi}, {QStringLiteral("PI_KOD"), kod},
                                            {QStringLiteral("MIKTAR"), miktar}, {QStringLiteral("KDV"), 20.0},
                                            {QStringLiteral("GARANTI_TIP"), tip}, {QStringLiteral("IENO"), ie}});
    }
    QStringList faturaDurum(IEBrFiltre::Fatura durum)
    {
        IEBrFiltre f;
        f.durum = IEBrFiltre::Durum::Tumu;
        f.fatura = durum;
        f.calismaYili = 2025;
        return list(f);
    }
};

TEST_F(InvoiceStatusTest, TheFilterComparesEachCodeWithWhatWasInvoiced)
{
    const QDate d(2025, 2, 1);
    for (const char* no : {"S000001", "S000002", "S000003", "S000004", "S000005"})
        addWorkOrder(QString::fromLatin1(no), QStringLiteral("C1"), 10, QStringLiteral("A"), QStringLiteral("E"), d);
    addWorkOrder(QStringLiteral("S000006"), QStringLiteral("C1"), 10, QStringLiteral("A"), QStringLiteral("E"),
                 QDate(2024, 6, 1));
    // S000001: nothing invoiced.
    parca(QStringLiteral("S000001"), 1, QStringLiteral("P1"), 2, QStringLiteral("M"));
    // S000002: the part invoiced, the labour (1.5 h x 2) not.
    parca(QStringLiteral("S000002"), 1, QStringLiteral("P1"), 2, QStringLiteral("M"));
    iscilik(QStringLiteral("S000002"), 1, QStringLiteral("L1"), 1.5, 2, QStringLiteral("M"));
    fatura(1, QStringLiteral("I"), QStringLiteral("S000002"));
    faturaSatiri(1, 1, QStringLiteral("P"), QStringLiteral("P1"), 2, QStringLiteral("M"), QStringLiteral("S000002"));
    // S000003: everything invoiced, the part within the 0.01 tolerance, the
    // labour's time x count on a campaign line, split over two invoices.
    parca(QStringLiteral("S000003"), 1, QStringLiteral("P1"), 2, QStringLiteral("M"));
    iscilik(QStringLiteral("S000003"), 1, QStringLiteral("L1"), 0.5, 2, QStringLiteral("K"));
    fatura(2, QStringLiteral("I"), QStringLiteral("S000003"));
    faturaSatiri(2, 1, QStringLiteral("P"), QStringLiteral("P1"), 2.004, QStringLiteral("M"), QStringLiteral("S000003"));
    faturaSatiri(2, 2, QStringLiteral("I"), QStringLiteral("L1"), 0.5, QStringLiteral("K"), QStringLiteral("S000003"));
    fatura(3, QStringLiteral("I"), QStringLiteral("S000003"));
    faturaSatiri(3, 1, QStringLiteral("I"), QStringLiteral("L1"), 0.5, QStringLiteral("K"), QStringLiteral("S000003"));
    // S000004: a warranty part billed on a line of kind G, which does not count.
    parca(QStringLiteral("S000004"), 1, QStringLiteral("P2"), 1, QStringLiteral("G"));
    fatura(4, QStringLiteral("G"), QStringLiteral("S000004"));
    faturaSatiri(4, 1, QStringLiteral("P"), QStringLiteral("P2"), 1, QStringLiteral("G"), QStringLiteral("S000004"));
    // S000005: a labour code billed as a part does not count for the labour.
    iscilik(QStringLiteral("S000005"), 1, QStringLiteral("X1"), 1, 1, QStringLiteral("M"));
    fatura(5, QStringLiteral("I"), QStringLiteral("S000005"));
    faturaSatiri(5, 1, QStringLiteral("P"), QStringLiteral("X1"), 1, QStringLiteral("M"), QStringLiteral("S000005"));
    // S000006: last year's work order, nothing invoiced.
    parca(QStringLiteral("S000006"), 1, QStringLiteral("P1"), 2, QStringLiteral("M"));
    db.exec(QStringLiteral("UPDATE ISEAYRIN SET FYILI = 2024 WHERE ISEMRI_NO = 'S000006'"));

    struct Case {
        const char* name;
        IEBrFiltre::Fatura durum;
        QStringList expected;
    };
    const QList<Case> cases{
        {"every work order of the year", IEBrFiltre::Fatura::Tumu,
         {QStringLiteral("S000001"), QStringLiteral("S000002"), QStringLiteral("S000003"), QStringLiteral("S000004"),
          QStringLiteral("S000005"), QStringLiteral("S000006")}},
        {"a line invoiced in full", IEBrFiltre::Fatura::Kesilmis, {QStringLiteral("S000002"), QStringLiteral("S000003")}},
        {"a line left to invoice", IEBrFiltre::Fatura::Kesilmemis,
         {QStringLiteral("S000001"), QStringLiteral("S000002"), QStringLiteral("S000004"), QStringLiteral("S000005")}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(faturaDurum(c.durum), c.expected) << c.name;
}

TEST_F(InvoiceStatusTest, ThePanelCountsCodesByPayerOnBothSides)
{
    const QDate d(2025, 2, 1);
    addWorkOrder(QStringLiteral("S000001"), QStringLiteral("C1"), 10, QStringLiteral("A"), QStringLiteral("E"), d);
    addWorkOrder(QStringLiteral("S000002"), QStringLiteral("C1"), 10, QStringLiteral("A"), QStringLiteral("E"), d);
    addWorkOrder(QStringLiteral("S000003"), QStringLiteral("C1"), 10, QStringLiteral("A"), QStringLiteral("E"), d);
    // S000002: customer part and labour (one code twice), an expertise part, a
    // warranty labour and a goodwill part; invoiced to the customer, the insurer
    // and the distributor (whose line of kind G is not counted).
    parca(QStringLiteral("S000002"), 1, QStringLiteral("P1"), 1, QStringLiteral("M"));
    parca(QStringLiteral("S000002"), 2, QStringLiteral("P1"), 1, QStringLiteral("M"));
    iscilik(QStringLiteral("S000002"), 1, QStringLiteral("L1"), 1, 1, QStringLiteral("K"));
    parca(QStringLiteral("S000002"), 3, QStringLiteral("P3"), 1, QStringLiteral("M"), QStringLiteral("E"));
    iscilik(QStringLiteral("S000002"), 2, QStringLiteral("L2"), 1, 1, QStringLiteral("G"));
    parca(QStringLiteral("S000002"), 4, QStringLiteral("P4"), 1, QStringLiteral("I"));
    fatura(1, QStringLiteral("I"), QStringLiteral("S000002"));
    faturaSatiri(1, 1, QStringLiteral("P"), QStringLiteral("P1"), 2, QStringLiteral("M"), QStringLiteral("S000002"));
    faturaSatiri(1, 2, QStringLiteral("I"), QStringLiteral("L1"), 1, QStringLiteral("K"), QStringLiteral("S000002"));
    fatura(2, QStringLiteral("E"), QStringLiteral("S000002"));
    faturaSatiri(2, 1, QStringLiteral("P"), QStringLiteral("P3"), 1, QStringLiteral("M"), QStringLiteral("S000002"));
    fatura(3, QStringLiteral("G"), QStringLiteral("S000002"));
    faturaSatiri(3, 1, QStringLiteral("I"), QStringLiteral("L2"), 1, QStringLiteral("S"), QStringLiteral("S000002"));
    faturaSatiri(3, 2, QStringLiteral("P"), QStringLiteral("P4"), 1, QStringLiteral("G"), QStringLiteral("S000002"));
    // S000003: a customer part, nothing invoiced.
    parca(QStringLiteral("S000003"), 1, QStringLiteral("P1"), 1, QStringLiteral("M"));

    struct Case {
        const char* no;
        FaturaKalemAdetleri expected;
    };
    const QList<Case> cases{
        {"S000001", {}},
        {"S000002", {2, 2, 1, 1, 2, 1}},
        {"S000003", {1, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const FaturaKalemAdetleri a = IEFaturaKalemAdetleri(db, QString::fromLatin1(c.no));
        EXPECT_EQ(a, c.expected) << c.no << ": " << a.musIs << '/' << a.musFt << ' ' << a.hsrIs << '/' << a.hsrFt
                                 << ' ' << a.grnIs << '/' << a.grnFt;
    }
}
