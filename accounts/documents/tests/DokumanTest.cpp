#include "accounts/AccountsEntry.h"
#include "accounts/AccountsSchema.h"
#include "accounts/documents/DocBr.h"
#include "guard/FormGuard.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "testsupport/TestSupport.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

using namespace tornaly;
using namespace tornaly::accounts;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

class DokumanTest : public test::DbTest {
protected:
    void registerSchema() override { accounts::RegisterSchema(); }
    void SetUp() override
    {
        test::DbTest::SetUp();
        ASSERT_TRUE(dir.isValid());
    }
    QString dosya(const char* ad, qint64 boyut)
    {
        const QString yol = dir.filePath(S(ad));
        QFile f(yol);
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(boyut, 'x'));
        return yol;
    }
    QString resim(const char* ad, int w, int h)
    {
        const QString yol = dir.filePath(S(ad));
        QImage i(w, h, QImage::Format_RGB32);
        i.fill(Qt::blue);
        // Saved as PNG whatever the name says: the reader goes by the content.
        i.save(yol, "PNG");
        return yol;
    }
    int say() const
    {
        Query q(db, S("SELECT COUNT(*) FROM BINDOC"));
        q.exec();
        return q.next() ? q.value(0).toInt() : -1;
    }
    QTemporaryDir dir;
};

TEST_F(DokumanTest, AFileOverThreeMegabytesIsRefusedAndNothingStored)
{
    struct Case {
        qint64 boyut;
        bool saklanir;
    };
    for (const Case& c : {Case{kDokumanSiniri, true}, Case{kDokumanSiniri + 1, false}}) {
        db.exec(S("DELETE FROM BINDOC"));
        messages.clear();
        const QString yol = dosya("teklif.pdf", c.boyut);
        const bool ok = Guard([&] { DokumanDosyasiEkle(ctx, db, DokCari, S("C1"), yol); });
        EXPECT_EQ(ok, c.saklanir) << c.boyut;
        EXPECT_EQ(say(), c.saklanir ? 1 : 0) << c.boyut;
        EXPECT_EQ(messages.texts(), c.saklanir ? QStringList{} : QStringList{S("3 mb tan büyük dosya yükleyemezsiniz!")})
            << c.boyut;
        if (c.saklanir) {
            EXPECT_EQ(DokumanOku(db, DokumanListesi(db, DokCari, S("C1"), 0).value(0).ROW_ID).size(), kDokumanSiniri);
        }
    }
}

TEST_F(DokumanTest, GroupsKeepTheDocumentsOfEqualCodesApart)
{
    ctx.UretBKod = S("B123");
    ctx.AktifKullanici.name = S("Ayşe");
    DokumanEkle(ctx, db, DokCari, S("P01"), S("vergi.pdf"), "a");
    DokumanEkle(ctx, db, DokPersonel, S("P01"), S("nufus.jpg"), "b");
    DokumanEkle(ctx, db, DokIsEmri, S("S000010"), S("hasar.jpg"), "c");
    DokumanEkle(ctx, db, 50, 17.0, S("numara.pdf"), "d");
    DokumanEkle(ctx, db, DokGenel, S("x"), S("genel.pdf"), "e");
    // Without a key the file goes to no record.
    DokumanEkle(ctx, db, DokCari, QString(), S("sahipsiz.pdf"), "f");
    const auto adlar = [&](int g, const QVariant& k, int id = 0) {
        QStringList l;
        for (const auto& d : DokumanListesi(db, g, k, id))
            l << d.DOC_NAME;
        return l;
    };
    EXPECT_EQ(adlar(DokCari, S("P01")), QStringList{S("vergi.pdf")});
    EXPECT_EQ(adlar(DokPersonel, S("P01")), QStringList{S("nufus.jpg")});
    EXPECT_EQ(adlar(50, 17.2), QStringList{S("numara.pdf")});
    EXPECT_EQ(adlar(0, {}), QStringList{S("genel.pdf")});
    const auto d = DokumanListesi(db, DokPersonel, S("P01"), 0).first();
    EXPECT_EQ(d.DOC_DESC, S("nufus.jpg"));
    EXPECT_EQ(d.DOC_USER, S("B123/Ayşe"));
    EXPECT_TRUE(d.DOC_DATE.isValid());
    EXPECT_EQ(adlar(DokCari, {}, int(d.ROW_ID)), QStringList{S("nufus.jpg")});
    EXPECT_EQ(DokumanOku(db, d.ROW_ID), QByteArray("b"));
}

TEST_F(DokumanTest, PicturesShrinkToTheLimitKeepingTheirShapeAndNeverGrow)
{
    struct Case {
        int w, h, maxW, maxH, beklenenW, beklenenH;
    };
    const QList<Case> cases{{4000, 3000, 1600, 1600, 1600, 1200},
                            {1200, 1600, 1600, 1600, 1200, 1600},
                            {3000, 4000, 1600, 1600, 1200, 1600},
                            {800, 600, 1600, 1600, 800, 600},
                            {1000, 500, 0, 100, 200, 100}};
    for (const Case& c : cases) {
        const QString yol = ResimBoyutla(resim("r.png", c.w, c.h), {}, c.maxW, 80, c.maxH);
        EXPECT_EQ(yol, dir.filePath(S("r.png_resized.jpg")));
        const QImage sonuc(yol);
        EXPECT_EQ(sonuc.size(), QSize(c.beklenenW, c.beklenenH)) << c.w << "x" << c.h;
    }
    // A scan named TIF is stored as its JPEG copy.
    DokumanDosyasiEkle(ctx, db, DokCari, S("C1"), resim("tarama.tif", 4000, 3000));
    const auto l = DokumanListesi(db, DokCari, S("C1"), 0);
    ASSERT_EQ(l.size(), 1);
    EXPECT_EQ(l.first().DOC_NAME, S("tarama.tif_resized.jpg"));
    QImage saklanan;
    saklanan.loadFromData(DokumanOku(db, l.first().ROW_ID));
    EXPECT_EQ(saklanan.size(), QSize(1600, 1200));
}

TEST_F(DokumanTest, TheClerkAddsDescribesSavesAndDeletesAnAccountsDocuments)
{
    accounts::RegisterEntryPoints();
    const RoutineOpener ac = Targets().routine(QLatin1String(entry::DokumanlarAc));
    ASSERT_TRUE(ac);
    OpenRequest r;
    r.target = QLatin1String(entry::DokumanlarAc);
    r.ctx = &ctx;
    r.mode = DokCari;

    // A card without a code has no documents yet: nothing opens.
    bool acildi = false;
    QTimer::singleShot(0, [&] {
        if (auto* w = QApplication::activeModalWidget()) {
            acildi = true;
            static_cast<QDialog*>(w)->reject();
        }
    });
    ac(r);
    QCoreApplication::processEvents();
    EXPECT_FALSE(acildi);

    const QString pdf = dosya("vergi levhasi.pdf", 10);
    const QString kayit = dir.filePath(S("kopya.pdf"));
    messages.answerFile(pdf);
    messages.answerFile(kayit);
    messages.answer(MsgYes);
    r.key = S("C1");
    QTimer::singleShot(0, [&] {
        auto* f = qobject_cast<TFormDocBr*>(QApplication::activeModalWidget());
        ASSERT_TRUE(f);
        EXPECT_TRUE(f->BtnDokumanEkle->isVisible());
        EXPECT_TRUE(f->cxGrid->isColumnHidden(0));
        f->BtnDokumanEkle->click();
        ASSERT_EQ(f->cxGrid->rowCount(), 1);
        EXPECT_EQ(f->cxGrid->item(0, 2)->text(), S("vergi levhasi.pdf"));
        f->cxGrid->item(0, 3)->setText(S("Vergi Levhası"));
        EXPECT_EQ(DokumanListesi(db, DokCari, S("C1"), 0).first().DOC_DESC, S("Vergi Levhası"));
        f->BtnFarkliKaydet->click();
        f->BtnSil->click();
        EXPECT_EQ(f->cxGrid->rowCount(), 0);
        f->BtnCikis->click();
    });
    ac(r);
    EXPECT_EQ(say(), 0);
    QFile k(kayit);
    ASSERT_TRUE(k.open(QIODevice::ReadOnly));
    EXPECT_EQ(k.readAll(), QByteArray(10, 'x'));
}

TEST_F(DokumanTest, AStoredNameNeverWritesOutsideTheFolder)
{
    const qint64 id = DokumanEkle(ctx, db, DokCari, S("C1"), S("../../kacak.pdf"), "z");
    const QString yol = DokumanDosyayaYaz(db, id, S("../../kacak.pdf"), dir.path());
    EXPECT_EQ(yol, dir.filePath(S("kacak.pdf")));
}

} // namespace
