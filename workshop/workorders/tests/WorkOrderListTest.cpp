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
