#include "history/ChLogBr.h"
#include "history/ChangeLogSchema.h"
#include "platform/Desktop.h"
#include "testsupport/TestSupport.h"
#include "testsupport/ZipEntry.h"

#include <QAction>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTableView>

using namespace tornaly;

namespace {

class ChangeLogTest : public test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        db.exec(QStringLiteral("CREATE TABLE CARI (CARI_KOD VARCHAR(11) PRIMARY KEY, FIRMA_ADI VARCHAR(45), "
                               "YETKILI_ADI VARCHAR(25), TEL1 VARCHAR(17), FAKS VARCHAR(17), TEL3 VARCHAR(17), "
                               "CARI_GRP_KOD VARCHAR(1))"));
        EnableChangeLog(db, QStringLiteral("CARI"),
                        {{QStringLiteral("CARI_KOD"), QStringLiteral("VARCHAR(11)")},
                         {QStringLiteral("FIRMA_ADI"), QStringLiteral("VARCHAR(45)")},
                         {QStringLiteral("YETKILI_ADI"), QStringLiteral("VARCHAR(25)")},
                         {QStringLiteral("TEL1"), QStringLiteral("VARCHAR(17)")},
                         {QStringLiteral("FAKS"), QStringLiteral("VARCHAR(17)")},
                         {QStringLiteral("TEL3"), QStringLiteral("VARCHAR(17)")},
                         {QStringLiteral("CARI_GRP_KOD"), QStringLiteral("VARCHAR(1)")}});
        ctx.Database1 = db;
        ctx.AktifKullanici.u_type = QStringLiteral("S");
    }

    void cari(const char* kod, const char* ad)
    {
        db.exec(QStringLiteral("INSERT INTO CARI (CARI_KOD, FIRMA_ADI) VALUES (:K, :A)"),
                {{QStringLiteral("K"), QString::fromUtf8(kod)}, {QStringLiteral("A"), QString::fromUtf8(ad)}});
    }

    QStringList column(BoundQueryModel* m, const QString& field, int role = Qt::DisplayRole)
    {
        while (m->canFetchMore())
            m->fetchMore();
        QStringList out;
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->index(r, m->columnOf(field)).data(role).toString();
        return out;
    }
};

TEST_F(ChangeLogTest, TriggersRecordInsertUpdateAndDeleteWithTheUser)
{
    SetChangeLogUser(db, QStringLiteral("MEHMET"));
    cari("C1", "Birinci");
    db.exec(QStringLiteral("UPDATE CARI SET FIRMA_ADI='Değişti' WHERE CARI_KOD='C1'"));
    {
        Transaction tx(db); // a rolled-back change leaves no history
        db.exec(QStringLiteral("UPDATE CARI SET FIRMA_ADI='Geri' WHERE CARI_KOD='C1'"));
    }
    db.exec(QStringLiteral("DELETE FROM CARI WHERE CARI_KOD='C1'"));
    Query q(db, QStringLiteral("SELECT LOG_STATE, LOG_USER, FIRMA_ADI FROM CLOG_CARI ORDER BY LOG_DATE, LOG_STATE"));
    q.exec();
    QStringList got;
    while (q.next())
        got << QStringLiteral("%1 %2 %3").arg(q.integer(QStringLiteral("LOG_STATE")))
                   .arg(q.str(QStringLiteral("LOG_USER")), q.str(QStringLiteral("FIRMA_ADI")));
    EXPECT_EQ(got, (QStringList{QStringLiteral("0 MEHMET Birinci"), QStringLiteral("1 MEHMET Değişti"),
                                QStringLiteral("2 MEHMET Değişti")}));

    // Enabling twice changes nothing; a bad name is refused before any SQL.
    EXPECT_NO_THROW(EnableChangeLog(db, QStringLiteral("CARI"), {{QStringLiteral("CARI_KOD"), QStringLiteral("VARCHAR(11)")}}));
    EXPECT_THROW(ChangeLogDdl(db.backend(), QStringLiteral("X; DROP TABLE CARI"), {}), DbError);
}

TEST_F(ChangeLogTest, ViewerListsOneRecordOrAllAndOnlyAdministratorsEmptyIt)
{
    cari("C1", "Bir");
    cari("C2", "İki");
    db.exec(QStringLiteral("DELETE FROM CARI WHERE CARI_KOD='C1'"));

    std::unique_ptr<TFormChLogBr> f(ShowChangeLog(ctx, QStringLiteral("CARI"), QStringLiteral("C1")));
    ASSERT_TRUE(f);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Cari Geçmiş Listesi"));
    QStringList states = column(f->TableBr, QStringLiteral("LOG_STATE"));
    states.sort();
    EXPECT_EQ(states, (QStringList{QStringLiteral("Silindi"), QStringLiteral("Yeni")}));
    EXPECT_EQ(f->TableBr->headerData(0, Qt::Horizontal).toString(), QStringLiteral("İşlem Tipi"));
    EXPECT_TRUE(f->GridAyr->isHidden()) << "no line history for accounts";
    EXPECT_TRUE(f->btnNew->isHidden());
    EXPECT_TRUE(f->btnDelete->isHidden());
    EXPECT_FALSE(f->btnExport->isHidden());

    std::unique_ptr<TFormChLogBr> all(ShowChangeLog(ctx, QStringLiteral("CARI"), QStringLiteral("0")));
    ASSERT_TRUE(all);
    EXPECT_EQ(column(all->TableBr, QStringLiteral("CARI_KOD")).size(), 3);

    f->cxButton1->click();
    EXPECT_EQ(column(f->TableBr, QStringLiteral("CARI_KOD")).size(), 3);
    EXPECT_TRUE(f->BtnDeleteAll->isHidden()) << "type S sees all changes but may not empty them";

    ctx.AktifKullanici.u_type = QStringLiteral("A");
    std::unique_ptr<TFormChLogBr> admin(ShowChangeLog(ctx, QStringLiteral("CARI"), QString()));
    ASSERT_TRUE(admin);
    admin->cxButton1->click();
    EXPECT_FALSE(admin->BtnDeleteAll->isHidden());
    messages.answer(MsgNo);
    admin->BtnDeleteAll->click();
    EXPECT_EQ(column(admin->TableBr, QStringLiteral("CARI_KOD")).size(), 3);
    messages.answer(MsgYes);
    admin->BtnDeleteAll->click();
    EXPECT_EQ(messages.lastText(), QStringLiteral("Kayıt geçmişi silindi!"));
    EXPECT_EQ(admin->TableBr->rowCount(), 0);
}

TEST_F(ChangeLogTest, RefusalsAndTheStockSlipKindTestsTheTableItReads)
{
    ctx.AktifKullanici.u_type = QStringLiteral("K");
    EXPECT_EQ(ShowChangeLog(ctx, QStringLiteral("CARI"), QString()), nullptr);
    EXPECT_EQ(messages.lastText(), QStringLiteral("Yetkiniz yok!"));

    ctx.AktifKullanici.u_type = QStringLiteral("A");
    const QString missing = QStringLiteral("Kayıt geçmişini aktif etmek için. Veri tabanı güncelleme modülünde "
                                           "\"Kayıt geçmişi tablolarını aç\" ı işaretleyip güncelleme yapınız!");
    EXPECT_EQ(ShowChangeLog(ctx, QStringLiteral("STKFIS"), 5), nullptr);
    EXPECT_EQ(messages.lastText(), missing);

    db.exec(QStringLiteral("CREATE TABLE FISTK (HRKNO DOUBLE PRECISION, TIP VARCHAR(1), TARIH TIMESTAMP, "
                           "BRUTTUT DOUBLE PRECISION, ACIKLAMA1 VARCHAR(50), CIKDEPO VARCHAR(5), GIRDEPO VARCHAR(5), "
                           "KULLANICI VARCHAR(30), PERSON_KOD VARCHAR(11), FIS_NO DOUBLE PRECISION)"));
    db.exec(QStringLiteral("CREATE TABLE FISTKAYR (HRKNO DOUBLE PRECISION, SIRANO INTEGER, STOK_KOD_NO VARCHAR(25), "
                           "STOK_ADI VARCHAR(50), MIKTAR DOUBLE PRECISION, FIYAT DOUBLE PRECISION, KDV DOUBLE PRECISION)"));
    EnableChangeLog(db, QStringLiteral("FISTK"),
                    {{QStringLiteral("HRKNO"), QStringLiteral("DOUBLE PRECISION")}, {QStringLiteral("TIP"), QStringLiteral("VARCHAR(1)")},
                     {QStringLiteral("TARIH"), QStringLiteral("TIMESTAMP")}, {QStringLiteral("BRUTTUT"), QStringLiteral("DOUBLE PRECISION")},
                     {QStringLiteral("ACIKLAMA1"), QStringLiteral("VARCHAR(50)")}, {QStringLiteral("CIKDEPO"), QStringLiteral("VARCHAR(5)")},
                     {QStringLiteral("GIRDEPO"), QStringLiteral("VARCHAR(5)")}, {QStringLiteral("KULLANICI"), QStringLiteral("VARCHAR(30)")},
                     {QStringLiteral("PERSON_KOD"), QStringLiteral("VARCHAR(11)")}, {QStringLiteral("FIS_NO"), QStringLiteral("DOUBLE PRECISION")}});
    EnableChangeLog(db, QStringLiteral("FISTKAYR"),
                    {{QStringLiteral("HRKNO"), QStringLiteral("DOUBLE PRECISION")}, {QStringLiteral("SIRANO"), QStringLiteral("INTEGER")},
                     {QStringLiteral("STOK_KOD_NO"), QStringLiteral("VARCHAR(25)")}, {QStringLiteral("STOK_ADI"), QStringLiteral("VARCHAR(50)")},
                     {QStringLiteral("MIKTAR"), QStringLiteral("DOUBLE PRECISION")}, {QStringLiteral("FIYAT"), QStringLiteral("DOUBLE PRECISION")},
                     {QStringLiteral("KDV"), QStringLiteral("DOUBLE PRECISION")}});
    db.exec(QStringLiteral("INSERT INTO FISTK (HRKNO, TIP) VALUES (5, 'F')"));
    db.exec(QStringLiteral("INSERT INTO FISTKAYR (HRKNO, SIRANO, STOK_ADI) VALUES (5, 1, 'Filtre')"));
    db.exec(QStringLiteral("INSERT INTO FISTKAYR (HRKNO, SIRANO, STOK_ADI) VALUES (6, 1, 'Başka')"));
    db.exec(QStringLiteral("DELETE FROM FISTKAYR WHERE HRKNO=5"));

    std::unique_ptr<TFormChLogBr> f(ShowChangeLog(ctx, QStringLiteral("STKFIS"), 5));
    ASSERT_TRUE(f);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Stok Fişleri Geçmiş Listesi"));
    EXPECT_FALSE(f->GridAyr->isHidden());
    f->dbgridbr->setCurrentIndex(f->TableBr->index(0, 0));
    f->openLines();
    QStringList states = column(f->QAyr, QStringLiteral("LOG_STATE"));
    states.sort();
    EXPECT_EQ(states, (QStringList{QStringLiteral("Silindi"), QStringLiteral("Yeni")}));
    EXPECT_EQ(column(f->QAyr, QStringLiteral("STOK_ADI")),
              (QStringList{QStringLiteral("Filtre"), QStringLiteral("Filtre")}));
    // The lines are shown with captions, and print and export on their own.
    EXPECT_EQ(f->QAyr->headerData(f->QAyr->columnOf(QStringLiteral("STOK_ADI")), Qt::Horizontal).toString(),
              QStringLiteral("Stok Adı"));
    ASSERT_TRUE(f->DetayYazdir && f->DetayAktar);
    EXPECT_EQ(f->DetayYazdir->text(), QStringLiteral("Detay Yazdır"));
    EXPECT_EQ(f->DetayAktar->text(), QStringLiteral("Detay Aktar"));
    QTemporaryDir dir;
    messages.answerFile(dir.filePath(QStringLiteral("satirlar")));
    SetOpenDocumentHook([](const QString&) {});
    f->DetayAktar->trigger();
    SetOpenDocumentHook({});
    const QByteArray sheet = test::ZipEntry(dir.filePath(QStringLiteral("satirlar.xlsx")),
                                            QStringLiteral("xl/sharedStrings.xml"));
    EXPECT_TRUE(sheet.contains("Filtre"));
    EXPECT_FALSE(sheet.contains("Başka")) << "only the current slip's lines";
}

// Every kind shows a caption for every column it reads, never a raw column name.
TEST(ChangeLogKinds, EveryColumnHasACaption)
{
    auto columnsOf = [](QString select) {
        select = select.section(QLatin1Char('\n'), 0, 0);
        select.remove(0, select.indexOf(QLatin1Char(' ')) + 1); // "SELECT "
        return int(select.split(QLatin1Char(',')).size());
    };
    for (const char* type : {"ALIS", "SATIS", "ISEMRI", "SERFAT", "VERSIPMA", "STOK", "CARI", "BANKHRK", "STKFIS",
                             "CSBORDRO", "ISCIUSTA"}) {
        const ChangeLogKind* k = FindChangeLogKind(QString::fromLatin1(type));
        ASSERT_TRUE(k) << type;
        EXPECT_EQ(k->masterCaptions.size(), columnsOf(k->masterLines.value(0))) << type;
        if (!k->lineQuery.isEmpty())
            EXPECT_EQ(k->lineCaptions.size(), columnsOf(k->lineQuery)) << type;
        else
            EXPECT_TRUE(k->lineCaptions.isEmpty()) << type;
    }
}

} // namespace
