#include "WorkOrderFixture.h"
#include "guard/FormGuard.h"
#include "settings/Settings.h"
#include "sql/LogRoutines.h"

using namespace tornaly;
using namespace tornaly::test;
using namespace tornaly::workshop;

class WorkOrderSaveTest : public WorkOrderTest {};

TEST_F(WorkOrderSaveTest, ChecksRefuseInOrderAndWriteNothing)
{
    struct Case {
        const char* name;
        QVariantMap change;
        double sonKm;
        QString message;
        KayitSonucu result;
    };
    const QVariant none;
    const QList<Case> cases{
        {"chassis with a blank", {{QStringLiteral("SASI_NO"), QStringLiteral("VF1 AAA")}}, 0,
         QStringLiteral("ŞASE' de Hatalı yada Boşluklu Karakter kullandınız."), KayitSonucu::Reddedildi},
        {"chassis in lower case", {{QStringLiteral("SASI_NO"), QStringLiteral("vf1aaa")}}, 0,
         QStringLiteral("ŞASE' de Hatalı yada Boşluklu Karakter kullandınız."), KayitSonucu::Reddedildi},
        {"empty plate", {{QStringLiteral("PLAKA_NO"), QStringLiteral("  ")}}, 0,
         QStringLiteral("PLAKA alanını boş geçemezsiniz."), KayitSonucu::Reddedildi},
        {"plate with a blank", {{QStringLiteral("PLAKA_NO"), QStringLiteral("34 AB 12")}}, 0,
         QStringLiteral("PLAKA' da Hatalı yada Boşluklu Karakter kullandınız."), KayitSonucu::Reddedildi},
        {"no type", {{QStringLiteral("IE_TIP"), QString()}}, 0, QStringLiteral("Lütfen Talimat Tipini Seçin"),
         KayitSonucu::Reddedildi},
        {"km same as last, answered Yes", {{QStringLiteral("KM"), 12000.0}}, 12000,
         QStringLiteral("KM aracın son KM si ile aynı değiştirmek istiyor musunuz?"), KayitSonucu::KmSor},
        {"no first-registration date", {{QStringLiteral("TESLIM_TRH"), none}}, 0,
         QStringLiteral("Trafiğe Çıkış Tarihini Giriniz!"), KayitSonucu::Reddedildi},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        QVariantMap row = validRow();
        for (auto it = c.change.cbegin(); it != c.change.cend(); ++it)
            row[it.key()] = it.value();
        EXPECT_EQ(IsEmriKaydet(db, ctx, row, true, c.sonKm), c.result);
        EXPECT_EQ(messages.texts(), QStringList{c.message});
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ISEMRI")), 0);
        EXPECT_EQ(scalar(QStringLiteral("SELECT SERI_NO FROM PARAMSER")).toDouble(), 1);
    }
}

TEST_F(WorkOrderSaveTest, KmBelowTheLastVisitIsRefusedOnlyForTheConfiguredCompany)
{
    struct Case {
        const char* name;
        QString ozelFirmaId;
        int firmaId;
        bool refused;
    };
    const QList<Case> cases{
        {"no company configured", QString(), 7, false},
        {"another company configured", QStringLiteral("9"), 7, false},
        {"this company configured", QStringLiteral("7"), 7, true},
        {"configured id that is not a number", QStringLiteral("x"), 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        db.exec(QStringLiteral("DELETE FROM ISEMRI"));
        messages.clear();
        WriteSetting(QStringLiteral("Kalvesa"), QStringLiteral("SERVIS"), QStringLiteral("OzelFirmaId"), c.ozelFirmaId);
        ctx.FirmaId = c.firmaId;
        QVariantMap row = validRow();
        row[QStringLiteral("KM")] = 9000.0;
        EXPECT_EQ(IsEmriKaydet(db, ctx, row, true, 12000), c.refused ? KayitSonucu::KmSor : KayitSonucu::Kaydedildi);
        EXPECT_EQ(messages.texts(), c.refused ? QStringList{QStringLiteral("KM aracın son KM sinden küçük olamaz !")}
                                              : QStringList{});
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ISEMRI")), c.refused ? 0 : 1);
    }
    WriteSetting(QStringLiteral("Kalvesa"), QStringLiteral("SERVIS"), QStringLiteral("OzelFirmaId"), QString());
}

TEST_F(WorkOrderSaveTest, AWorkOrderWithoutACustomerIsSaved)
{
    QVariantMap row = validRow();
    row[QStringLiteral("CARI_KOD")] = QString();
    EXPECT_EQ(IsEmriKaydet(db, ctx, row, true, 0), KayitSonucu::Kaydedildi);
    EXPECT_EQ(messages.texts(), QStringList{});
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ISEMRI WHERE CARI_KOD IS NULL OR CARI_KOD = ''")), 1);
}

TEST_F(WorkOrderSaveTest, SameKmAnsweredVazgecCancelsTheSave)
{
    QVariantMap row = validRow();
    row[QStringLiteral("KM")] = 12000.0;
    messages.answer(MsgCancel);
    EXPECT_EQ(IsEmriKaydet(db, ctx, row, true, 12000), KayitSonucu::Reddedildi);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("KM aracın son KM si ile aynı değiştirmek istiyor musunuz?")});
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ISEMRI")), 0);
}

TEST_F(WorkOrderSaveTest, SameKmAnsweredNoSavesAndTypePIsStoredClosedWithoutPlate)
{
    QVariantMap row = validRow();
    row[QStringLiteral("KM")] = 12000.0;
    messages.answer(MsgNo);
    EXPECT_EQ(IsEmriKaydet(db, ctx, row, true, 12000), KayitSonucu::Kaydedildi);

    QVariantMap pdi = validRow();
    pdi[QStringLiteral("IE_TIP")] = QStringLiteral("P");
    pdi[QStringLiteral("PLAKA_NO")] = QString();
    pdi[QStringLiteral("TESLIM_TRH")] = QVariant();
    ASSERT_EQ(IsEmriKaydet(db, ctx, pdi, true, 0), KayitSonucu::Kaydedildi);
    const QVariantMap stored = ReadIsEmri(db, pdi.value(QStringLiteral("IS_EMRI_NO")).toString());
    EXPECT_EQ(stored.value(QStringLiteral("KAPANDI")).toString(), QStringLiteral("E"));
    EXPECT_TRUE(stored.value(QStringLiteral("AY")).isNull());
}

TEST_F(WorkOrderSaveTest, StoresDefaultsAndMonthYearOfTheFirstRegistration)
{
    QVariantMap row = validRow();
    ASSERT_EQ(IsEmriKaydet(db, ctx, row, true, 0), KayitSonucu::Kaydedildi);
    const QVariantMap r = ReadIsEmri(db, row.value(QStringLiteral("IS_EMRI_NO")).toString());
    EXPECT_EQ(r.value(QStringLiteral("S")).toString(), QStringLiteral("H"));
    EXPECT_EQ(r.value(QStringLiteral("KAPANDI")).toString(), QStringLiteral("H"));
    EXPECT_EQ(r.value(QStringLiteral("RADYO_TEYP")).toInt(), 1);
    EXPECT_EQ(r.value(QStringLiteral("VURUK")).toInt(), 0);
    EXPECT_EQ(r.value(QStringLiteral("PER_KOD")).toString(), QStringLiteral("P1"));
    EXPECT_EQ(r.value(QStringLiteral("AY")).toInt(), 5);
    EXPECT_EQ(r.value(QStringLiteral("YIL")).toInt(), 2023);
    EXPECT_EQ(Query::toDate(r.value(QStringLiteral("TESLIM_TRH"))), QDate(2023, 5, 2));
    // The change history keeps the new row.
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM CLOG_ISEMRI WHERE LOG_STATE = 0 AND IS_EMRI_NO = :N"),
                    {{QStringLiteral("N"), row.value(QStringLiteral("IS_EMRI_NO"))}}),
              1);
}

TEST_F(WorkOrderSaveTest, MaintenanceDueWarnsAboveThePeriodAndNeverStops)
{
    db.exec(QStringLiteral("UPDATE MODEL SET MBAK_PER_KM = 10000"));
    addWorkOrder(QStringLiteral("S000090"), QStringLiteral("VF1AAA11111111111"), 5000, QStringLiteral("B"),
                 QStringLiteral("E"), QDate(2023, 1, 1));
    addWorkOrder(QStringLiteral("S000091"), QStringLiteral("VF1AAA11111111111"), 20000, QStringLiteral("E"),
                 QStringLiteral("E"), QDate(2024, 1, 1));
    addWorkOrder(QStringLiteral("S000092"), QStringLiteral("VF1AAA11111111111"), 25000, QStringLiteral("A"),
                 QStringLiteral("E"), QDate(2024, 6, 1));
    for (const auto& [km, warns] : {std::pair{29000.0, false}, std::pair{29001.0, true}}) {
        SCOPED_TRACE(km);
        messages.clear();
        QVariantMap row = validRow();
        row[QStringLiteral("KM")] = km;
        EXPECT_EQ(IsEmriKaydet(db, ctx, row, true, 25000), KayitSonucu::Kaydedildi);
        EXPECT_EQ(messages.texts(),
                  warns ? QStringList{QStringLiteral("Aracın bakım zamanı gelmiş!. Son yapılan bakım km si :20000")}
                        : QStringList{});
    }
}

TEST_F(WorkOrderSaveTest, AClosedWorkOrderIsNotChanged)
{
    QVariantMap row = validRow();
    ASSERT_EQ(IsEmriKaydet(db, ctx, row, true, 0), KayitSonucu::Kaydedildi);
    db.exec(QStringLiteral("UPDATE ISEMRI SET KAPANDI = 'E'"));
    EXPECT_FALSE(IsEmriDegistirilebilir(ReadIsEmri(db, row.value(QStringLiteral("IS_EMRI_NO")).toString())));
    // A card that loaded it before the close cannot write over it either.
    row[QStringLiteral("KM")] = 99999.0;
    EXPECT_FALSE(Guard([&] { IsEmriKaydet(db, ctx, row, false, 0); }));
    EXPECT_EQ(scalar(QStringLiteral("SELECT KM FROM ISEMRI")).toDouble(), 15000);
    EXPECT_EQ(messages.texts().last(),
              QStringLiteral("Bu İşemrine Kapalı ve/veya Faturası Kesilmiş İşemrini Değiştiremezsiniz!"));
}

TEST(WorkOrderTotals, OneRuleForBothLineKinds)
{
    const QList<IsEmriSatiri> parts{ParcaSatiri(2, 100, 10, 20, QStringLiteral("M")),
                                    ParcaSatiri(1, 50, 0, 20, QStringLiteral("G"))};
    const QList<IsEmriSatiri> labour{IscilikSatiri(1.5, 400, 2, 0, 20, QStringLiteral("S")),
                                     IscilikSatiri(1, 300, 1, 50, 10, QStringLiteral("K"))};
    const IsEmriToplamlari t = IsEmriToplamHesapla(parts, labour);
    EXPECT_DOUBLE_EQ(t.PAR_TOP_TUTAR, 250);
    EXPECT_DOUBLE_EQ(t.IS_TOP_TUTAR, 1500);
    EXPECT_DOUBLE_EQ(t.TOP_TUTAR, 1750);
    EXPECT_DOUBLE_EQ(t.PAR_ISK, 20);
    EXPECT_DOUBLE_EQ(t.ISC_ISK, 150);
    EXPECT_DOUBLE_EQ(t.ARA_TUT, 1580);
    EXPECT_DOUBLE_EQ(t.KDV_TUT, 180 * 0.2 + 50 * 0.2 + 1200 * 0.2 + 150 * 0.1);
    EXPECT_DOUBLE_EQ(t.NET_TUT, t.ARA_TUT + t.KDV_TUT);
    // Warranty (G) and service (S) lines are not paid by the customer.
    EXPECT_DOUBLE_EQ(t.GAR_TUT, 50 * 1.2 + 1200 * 1.2);
}

TEST_F(WorkOrderSaveTest, TotalsAreWrittenFromTheStoredLines)
{
    addWorkOrder(QStringLiteral("S000050"), QStringLiteral("X1"), 10, QStringLiteral("A"), QStringLiteral("H"),
                 QDate(2025, 1, 10));
    insert(QStringLiteral("ISEAYRIN"), {{QStringLiteral("ISEMRI_NO"), QStringLiteral("S000050")},
                                        {QStringLiteral("FYILI"), 2025}, {QStringLiteral("SIRANO"), 1},
                                        {QStringLiteral("VERILEN_MIKTAR"), 3.0}, {QStringLiteral("STOK_FIYATI"), 10.0},
                                        {QStringLiteral("KDV"), 20.0}, {QStringLiteral("ISK_ORAN"), 0.0},
                                        {QStringLiteral("GARANTI_TIPI"), QStringLiteral("M")}});
    insert(QStringLiteral("ISCILIK"), {{QStringLiteral("ISEMRI_NO"), QStringLiteral("S000050")},
                                       {QStringLiteral("FYILI"), 2025}, {QStringLiteral("SIRANO"), 1},
                                       {QStringLiteral("SURE"), 0.5}, {QStringLiteral("ISCILIK_B_FIYATI"), 100.0},
                                       {QStringLiteral("QTY"), 1}, {QStringLiteral("KDV"), 20.0},
                                       {QStringLiteral("ISK_ORAN"), 0.0},
                                       {QStringLiteral("GARANTI_TIPI"), QStringLiteral("M")}});
    IsEmriToplamYaz(db, QStringLiteral("S000050"), 2025);
    EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT TOP_TUTAR FROM ISEMRI")).toDouble(), 80);
    EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT NET_TUT FROM ISEMRI")).toDouble(), 96);
}

TEST_F(WorkOrderSaveTest, TheVehicleStatusLogSeesOpenWorkOrders)
{
    addVehicle(QStringLiteral("VF1AAA11111111111"), QStringLiteral("34AB12"), QStringLiteral("M001"));
    addWorkOrder(QStringLiteral("S000001"), QStringLiteral("VF1AAA11111111111"), 100);
    InstallOpenWorkOrderCheck();
    const QDateTime t(QDate(2026, 3, 2), QTime(10, 0));
    LogVehicleStatus(ctx, QStringLiteral("K"), QStringLiteral("S000002"), QStringLiteral("K"), 0, t,
                     QStringLiteral("VF1AAA11111111111"), QStringLiteral("B"), QStringLiteral("S"), 100);
    db.exec(QStringLiteral("UPDATE ISEMRI SET KAPANDI = 'E'"));
    LogVehicleStatus(ctx, QStringLiteral("K"), QStringLiteral("S000001"), QStringLiteral("K"), 0, t,
                     QStringLiteral("VF1AAA11111111111"), QStringLiteral("B"), QStringLiteral("S"), 100);
    SetOpenWorkOrderCheck({});
    Query q(db, QStringLiteral("SELECT STATU2 FROM LOG_ARACSTATU ORDER BY ID"));
    q.exec();
    QStringList got;
    while (q.next())
        got << q.str(QStringLiteral("STATU2"));
    EXPECT_EQ(got, (QStringList{QStringLiteral("B"), QStringLiteral("S")}));
}
