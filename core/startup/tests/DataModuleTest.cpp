#include "dm/DATA1.h"
#include "sql/SqlHelpers.h"
#include "testsupport/TestSupport.h"

namespace tornaly::test {

class DataModuleTest : public DbTest {
protected:
    // The accounting parameters, as the accounting library's tables hold them.
    void addAccountingParameters()
    {
        db.exec(QStringLiteral("CREATE TABLE PARAMUH (KILIT_TRH TIMESTAMP)"));
        db.exec(QStringLiteral("CREATE TABLE PARAMETRE (HSP_KDV_KOD VARCHAR(20), INDIR_KDV_KOD VARCHAR(20), "
                               "DF_KDV DOUBLE PRECISION, MUAVIN_HANE SMALLINT, TALI_HANE SMALLINT, "
                               "DETAY_HANE SMALLINT, SEVIYE VARCHAR(1), ALFADURUM VARCHAR(1), AYRAC VARCHAR(1))"));
    }
    int count(const QString& sql) { return SqlLookup(db, sql).toInt(); }
};

// The start-up storage check warns only about what it measured: no log size
// is made up from the size of the database.
TEST_F(DataModuleTest, StartUpNeverWarnsAboutALogItCannotMeasure)
{
    db.exec(QStringLiteral("CREATE TABLE DOLGU (X VARCHAR(200))"));
    const TDiskDurumu d = MeasureStorage(db);
    EXPECT_EQ(d.logFileKb, -1);
    DiskUyarilari(d, QStringLiteral("SRV"));
    for (const QString& t : messages.texts())
        EXPECT_FALSE(t.contains(QStringLiteral("log dosya boyutu"))) << t.toStdString();
}

// A saved card shows in the shared look-ups once they are renewed, and only the named one is.
TEST_F(DataModuleTest, TanimlariYenileRenewsTheNamedLookUp)
{
    if (!db.dialect().tableExists(db, QStringLiteral("CARI")))
        db.exec(QStringLiteral("CREATE TABLE CARI (CARI_KOD VARCHAR(11), FIRMA_ADI VARCHAR(45), ACIKLAMA VARCHAR(45))"));
    ctx.Database1 = db;
    TDM1 dm(ctx, {}, {});
    dm.TanimlariYenile(QString());
    const int cari = dm.QCari->rowCount();
    const int personel = dm.TPersonel->rowCount();
    db.exec(QStringLiteral("INSERT INTO CARI (CARI_KOD, FIRMA_ADI) VALUES ('Y-001', 'Yeni Müşteri')"));
    db.exec(QStringLiteral("INSERT INTO ISCIUSTA (ISCI_KOD, ISCI_ADI) VALUES ('P99', 'Yeni Usta')"));
    dm.TanimlariYenile(QStringLiteral("STOK"));
    EXPECT_EQ(dm.QCari->rowCount(), cari);
    dm.TanimlariYenile(QStringLiteral("CARI"));
    EXPECT_EQ(dm.QCari->rowCount(), cari + 1);
    EXPECT_EQ(dm.TPersonel->rowCount(), personel);
    dm.TanimlariYenile(QStringLiteral("ISCIUSTA"));
    EXPECT_EQ(dm.TPersonel->rowCount(), personel + 1);
}

TEST_F(DataModuleTest, VehicleRemindersAreWrittenOncePerDay)
{
    const QDateTime now(QDate(2026, 6, 10), QTime(9, 30));
    struct Vehicle {
        const char* sase;
        const char* column;
        QDateTime end;
    };
    const Vehicle vehicles[] = {
        {"S1", "SGBITRH", now.addDays(1)},         // insurance ends tomorrow
        {"S2", "KASKO_BITTRH", now.addDays(-1)},   // exactly one day ago: still due
        {"S3", "MUAYENE_BITTRH", now.addDays(2)},  // exactly two days ahead: still due
        {"S4", "EKSOZ_BITTRH", now.addDays(3)},    // too far ahead
        {"S5", "SGBITRH", now.addDays(-2)},        // long past
    };
    for (const Vehicle& v : vehicles)
        db.exec(QStringLiteral("INSERT INTO ARAC (SASE_NO, ARC_MODEL_KODU, ARC_MODEL_TRH, CARI_KOD, %1) "
                               "VALUES (:S, 'M1', 2020, 'C1', :T)").arg(QString::fromLatin1(v.column)),
                {{QStringLiteral("S"), QString::fromLatin1(v.sase)}, {QStringLiteral("T"), v.end}});
    db.exec(QStringLiteral("UPDATE ARAC SET SGBASTRH = :B WHERE SASE_NO = 'S1'"),
            {{QStringLiteral("B"), now.addYears(-1)}});

    EXPECT_EQ(AracHatirlatmalariniYaz(db, now), 3);
    EXPECT_EQ(AracHatirlatmalariniYaz(db, now.addSecs(3600)), 0); // again the same day: nothing new

    Query q(db, QStringLiteral("SELECT MUS_TIP, ARA_TIP, SATIS_NO, PERIYOT, REF_TRH, ARAMA_TRH, CARI_KOD, ACIKLAMA "
                               "FROM ARAMAPER WHERE SASE_NO = 'S1'"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.str(QStringLiteral("MUS_TIP")), QStringLiteral("D"));
    EXPECT_EQ(q.str(QStringLiteral("ARA_TIP")), QStringLiteral("O"));
    EXPECT_EQ(q.num(QStringLiteral("SATIS_NO")), 0.0);
    EXPECT_EQ(q.integer(QStringLiteral("PERIYOT")), 0);
    EXPECT_EQ(q.dateTime(QStringLiteral("REF_TRH")), now.addYears(-1));
    EXPECT_EQ(q.dateTime(QStringLiteral("ARAMA_TRH")), now.addDays(1));
    EXPECT_EQ(q.str(QStringLiteral("CARI_KOD")), QStringLiteral("C1"));
    EXPECT_EQ(q.str(QStringLiteral("ACIKLAMA")), QStringLiteral("Aracın Sigorta Süresi Sona Ermiştir."));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ARAMAPER WHERE SASE_NO='S2' AND ARA_TIP='K'")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ARAMAPER WHERE SASE_NO='S3' AND ARA_TIP='U'")), 1);

    // A new end date for the same vehicle is a new reminder.
    db.exec(QStringLiteral("UPDATE ARAC SET SGBITRH = :T WHERE SASE_NO = 'S1'"),
            {{QStringLiteral("T"), now.addDays(2)}});
    EXPECT_EQ(AracHatirlatmalariniYaz(db, now), 1);
}

TEST_F(DataModuleTest, ParametersAndTheirDefaults)
{
    ctx.CalismaYili = QStringLiteral("2026");
    ctx.CalismaYiliNo = 2026;
    TDM1 dm(ctx, {}, {});

    // Empty tables, and no accounting tables in this database: no lock date.
    dm.getfirmaparams();
    dm.getMuhasebeParam();
    dm.getParams();
    EXPECT_EQ(ctx.YerelPara, QStringLiteral("TL"));
    EXPECT_EQ(ctx.YerelKurus, QStringLiteral("KR"));
    EXPECT_FALSE(ctx.KilitTarihi.isValid());
    EXPECT_FALSE(ctx.NegatifStok);
    EXPECT_EQ(ctx.MuavinHane, 0);

    db.exec(QStringLiteral("INSERT INTO FIRKIM (EADI, OZEL1, ADR1, ADR2, ADR3, ILI, URET_BKOD, YEREL_PARA, "
                           "YEREL_KURUS, CLAIM_KOD) VALUES ('DEMO', 'LTD', 'A1', '', 'A3', 'İZMİR', 'B01', '', "
                           "'XX', '12A')"));
    addAccountingParameters();
    db.exec(QStringLiteral("INSERT INTO PARAMUH (KILIT_TRH) VALUES (NULL)"));
    db.exec(QStringLiteral("INSERT INTO PARAMETRE (MUAVIN_HANE, TALI_HANE, DETAY_HANE, SEVIYE, DF_KDV) "
                           "VALUES (-1, 3, 0, 'T', 20)"));
    db.exec(QStringLiteral("INSERT INTO PARAMET (NEGATIF_STOK, FTISKTIP, MALIYET_UYARI, FATYUVARTIP, ISC_MARK) "
                           "VALUES (2, 4, 1, 'Y', '*')"));
    dm.getfirmaparams();
    dm.getMuhasebeParam();
    dm.getParams();
    EXPECT_EQ(ctx.YerelPara, QStringLiteral("TL"));  // empty: TL and KR,
    EXPECT_EQ(ctx.YerelKurus, QStringLiteral("KR")); // even with a subunit stored
    EXPECT_EQ(ctx.ClaimKodNo, 0.0);
    EXPECT_EQ(ctx.UretBKod, QStringLiteral("B01"));
    EXPECT_EQ(dm.TFirma.TAM_FIRMA_ADI, QStringLiteral("DEMO LTD"));
    EXPECT_EQ(dm.TFirma.TAM_ADRES, QStringLiteral("A1 A3 /İZMİR"));
    EXPECT_FALSE(ctx.KilitTarihi.isValid());
    EXPECT_EQ(ctx.MuavinHane, 0);
    EXPECT_EQ(ctx.TaliHane, 3);
    EXPECT_EQ(ctx.HesapSeviye, QStringLiteral("T"));
    EXPECT_EQ(ctx.DfKdv, 20.0);
    EXPECT_FALSE(ctx.NegatifStok); // only 1 allows negative stock
    EXPECT_EQ(ctx.AktifKullanici.ft_isk_tip, 4);
    EXPECT_EQ(ctx.AktifKullanici.maliyet_uyari, 1);
    EXPECT_EQ(ctx.FatYuvarTip, QStringLiteral("Y"));
    EXPECT_EQ(ctx.IscMark, QStringLiteral("*"));

    db.exec(QStringLiteral("UPDATE FIRKIM SET YEREL_PARA = 'EUR', CLAIM_KOD = '12'"));
    db.exec(QStringLiteral("UPDATE PARAMUH SET KILIT_TRH = :T"), {{QStringLiteral("T"), QDateTime(QDate(2026, 3, 31), QTime())}});
    db.exec(QStringLiteral("UPDATE PARAMET SET NEGATIF_STOK = 1"));
    dm.getfirmaparams();
    dm.getMuhasebeParam();
    dm.getParams();
    EXPECT_EQ(ctx.YerelPara, QStringLiteral("EUR"));
    EXPECT_EQ(ctx.YerelKurus, QStringLiteral("XX"));
    EXPECT_EQ(ctx.ClaimKodNo, 12.0);
    EXPECT_EQ(ctx.KilitTarihi, QDate(2026, 3, 31));
    EXPECT_TRUE(ctx.NegatifStok);

    // A lock date that cannot be read locks the whole working year.
    db.exec(QStringLiteral("DROP TABLE PARAMUH"));
    dm.getMuhasebeParam();
    EXPECT_EQ(ctx.KilitTarihi, QDate(2027, 1, 1));
}

} // namespace tornaly::test
