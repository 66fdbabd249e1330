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
