#include "InvoiceFixture.h"
#include "aftersales/calls/forms/ServisAramaPer.h"
#include "connection/DialogRunner.h"
#include "invoicing/dialogs/YanFormlar.h"
#include "invoicing/dialogs/YanTablolar.h"
#include "invoicing/numbering/FatNo.h"
#include "invoicing/workorder/IEFatListe.h"
#include "invoicing/workorder/forms/IEFatBak.h"
#include "invoicing/workorder/forms/IEFatura.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace tornaly::invoicing;

namespace tornaly::test {

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }
} // namespace

TEST_F(InvoiceTest, FormFromTheDispositionsBuildsAndSaves)
{
    ctx.Database1 = db;
    TFormIEFatura f(ctx);
    f.ieno = S("W000001");
    f.ieFYili = 2025;
    messages.answer(MsgYes);
    f.isEmriIcinAc();
    EXPECT_EQ(messages.texts().first(), S("Bu işemrinin faturası mevcut değil oluşturmak ister misiniz?"));
    ASSERT_EQ(f.fatura().satirlar.size(), 4);
    EXPECT_EQ(f.findChild<QTableWidget*>(S("cxGrid1"))->rowCount(), 4);
    EXPECT_EQ(f.findChild<QLabel*>(S("DBTextNET_TUTAR"))->text(), S("576,00"));
    f.fatura().set(S("TARIH"), QDateTime(invoiceDay, QTime(0, 0)));
    f.tabloyuDoldur();
    f.findChild<QLineEdit*>(S("DBEditFAT_NO"))->setText(S("A000001"));
    // The date edit carries the invoice date into the save.
    f.findChild<QDateEdit*>(S("DBDateTARIH"))->setDate(invoiceDay);
    f.show();
    f.findChild<QPushButton*>(S("BtnSAKLA"))->click();
    ASSERT_EQ(count(S("SELECT COUNT(*) FROM SERFAT")), 1) << messages.texts().join(S(" | ")).toStdString();
    EXPECT_FALSE(f.yenikayit);
    EXPECT_FALSE(f.findChild<QPushButton*>(S("BtnSAKLA"))->isEnabled());

    // "Müsteri &Arama" shows the work order's call-back dates the save wrote.
    ASSERT_TRUE(f.BtnMusteriArama->isEnabled());
    int aramaSatiri = -1;
    SetModalRunner([&](QDialog& d) {
        if (auto* a = qobject_cast<aftersales::TFormServisAramaPer*>(&d)) {
            aramaSatiri = a->Grid->rowCount();
            EXPECT_EQ(a->Grid->item(0, 2)->text(), S("1 Ay"));
        }
        return int(QDialog::Rejected);
    });
    f.BtnMusteriArama->click();
    SetModalRunner({});
    EXPECT_EQ(aramaSatiri, 1);

    // Opened again from the dispositions: the invoice is shown, no second one started.
    messages.clear();
    TFormIEFatura g(ctx);
    g.ieno = S("W000001");
    g.isEmriIcinAc();
    EXPECT_EQ(messages.texts().value(0), S("[W000001] Bu İşEmrine Fatura Kesilmiş!!!"));
    EXPECT_EQ(g.fatura().satisNo(), f.fatura().satisNo());
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFAT")), 1);
}

TEST_F(InvoiceTest, PaymentEntriesOfUnbuiltVouchersAreDisabled)
{
    ctx.Database1 = db;
    TFormIEFatura f(ctx);
    auto* pos = f.findChild<QAction*>(S("BankaHareketleri"));
    auto* cek = f.findChild<QAction*>(S("CekSenetBordrosu"));
    ASSERT_TRUE(pos && cek);
    EXPECT_EQ(pos->text(), S("POS ile Ödeme"));
    EXPECT_FALSE(pos->isEnabled());
    EXPECT_FALSE(cek->isEnabled());
    EXPECT_TRUE(f.findChild<QAction*>(S("NakitOdeme"))->isEnabled());
}

TEST_F(InvoiceTest, ListFiltersBindTypedText)
{
    ctx.AktifKullanici.diger27 = S("H");
    IEFatura a = build(S("W000001"));
    ASSERT_TRUE(IEFaturaKaydet(ctx, db, a));
    IEFatListeFiltre f;
    EXPECT_EQ(IEFatListe(ctx, db, f).size(), 1);
    f.satisNo = S("0 OR 1=1");
    EXPECT_TRUE(IEFatListe(ctx, db, f).isEmpty()) << "a typed number that is no number finds nothing";
    f = {};
    f.fatNo = S("a000'");
    EXPECT_TRUE(IEFatListe(ctx, db, f).isEmpty());
    f.fatNo = S("a0000");
    EXPECT_EQ(IEFatListe(ctx, db, f).size(), 1) << "starts with, any case";
    f = {};
    f.ilkTarih = invoiceDay;
    f.sonTarih = invoiceDay;
    EXPECT_EQ(IEFatListe(ctx, db, f).size(), 1);
    db.exec(S("UPDATE SERFAT SET TARIH = :T"), {{S("T"), QDateTime(invoiceDay, QTime(23, 59, 59, 500))}});
    EXPECT_EQ(IEFatListe(ctx, db, f).size(), 1) << "the last second of the day is inside";
    f.sonTarih = invoiceDay.addDays(-1);
    EXPECT_TRUE(IEFatListe(ctx, db, f).isEmpty());
    EXPECT_EQ(IEFatListe(ctx, db, {}).first().ODEMEDRM, S("AÇIK"));

    ctx.AktifKullanici.diger27 = S("E");
    ctx.AktifKullanici.per_kod = S("BASKA");
    EXPECT_TRUE(IEFatListe(ctx, db, {}).isEmpty()) << "only the user's own invoices";

    // E-invoice states.
    EXPECT_EQ(EFaturaDurumDegistir(db, a.satisNo(), 2, [](const QString&) { return true; }),
              S("Sadece \"E-Faturaya Tabi\" Statüsündeki Faturaları \"Gönderilmeye Hazır\" hale getirebilirsiniz."));
    db.exec(S("UPDATE SERFAT SET EF_STATU = 5"));
    EXPECT_TRUE(EFaturaDurumDegistir(db, a.satisNo(), 2, [](const QString&) { return true; }).isEmpty());
    EXPECT_EQ(scalar(S("SELECT EF_STATU FROM SERFAT")).toInt(), 2);
    EXPECT_TRUE(scalar(S("SELECT FAT_NO FROM SERFAT")).isNull());
}

TEST_F(InvoiceTest, SeriesReadyTextsAndDiscountRates)
{
    EXPECT_EQ(FatNoBicim(S("A"), 1234), S("A001234"));
    EXPECT_EQ(FatNoBicim(S("ABC"), 1234567), S("ABC1234567"));
    EXPECT_EQ(FatNoBicim(QString(), 15), S("000015"));
    EXPECT_EQ(FatNoBicim(S("X"), 999999), S("X999999"));

    FatTaniDegerleri d = FatTaniOku(db);
    d.SABITHARF = S("ABCDEFG");
    d.FATNO = 77;
    FatTaniYaz(db, d);
    EXPECT_EQ(FatNoOku(db).numara(), S("ABCDE000077")) << "letters hold five characters";

    HazirMetin bos{0, S("   ")};
    EXPECT_FALSE(HazirMetinYaz(db, bos));
    HazirMetin uzun{0, QString(120, QLatin1Char('x'))};
    ASSERT_TRUE(HazirMetinYaz(db, uzun));
    EXPECT_GT(uzun.MT_ID, 0);
    EXPECT_EQ(HazirMetinler(db).first().MT_ACIKLA.size(), 100);

    IskontoOraniYaz(db, {3, 30, 2.5, S("30 GÜN")});
    IskontoOraniYaz(db, {3, 45, 3.0, S("45 GÜN")});
    EXPECT_EQ(IskontoOranlari(db).size(), 1);
    EXPECT_EQ(IskontoOraniOku(db, 3).ISK_GUN, 45);
    IskontoOraniSil(db, 3);
    EXPECT_TRUE(IskontoOranlari(db).isEmpty());

    ctx.Database1 = db;
    TFormFatTani form(ctx);
    form.findChild<QLineEdit*>(S("EditFATNO"))->setText(S("1200"));
    form.findChild<QLineEdit*>(S("EditSABITHARF"))->setText(S("TRN"));
    form.findChild<QPushButton*>(S("BtnSakla"))->click();
    EXPECT_EQ(FatNoOku(db).numara(), S("TRN001200"));
}

} // namespace tornaly::test

// The look of the invoice on the demo company: run with
// TORNALY_SCREENSHOT_DIR set (and a real display, e.g. under Xvfb) to write
// the screens as PNG files.
#include "invoicing/InvoicingEntry.h"
#include "startup/EmbeddedDemo.h"

#include <QApplication>
#include <QTimer>

namespace tornaly::test {

TEST_F(InvoiceTest, DemoWorkOrderToInvoiceScreens)
{
    const QString klasor = qEnvironmentVariable("TORNALY_SCREENSHOT_DIR");
    if (klasor.isEmpty())
        GTEST_SKIP() << "screens only on request";
    invoicing::RegisterEntryPoints();
    // A company of its own: the demo brings its own customers, parts and work orders.
    TestDatabase demo;
    const Db d = demo.db();
    {
        Transaction tr(d);
        RunDemoSeeds(d);
        tr.commit();
    }
    ctx.Database1 = d;
    ctx.DonemBasTarih = QDate(QDate::currentDate().year(), 1, 1);
    ctx.DonemBitTarih = QDate(QDate::currentDate().year(), 12, 31);
    Query q(d, QStringLiteral("SELECT I.IS_EMRI_NO, I.FYILI FROM ISEMRI I WHERE I.KAPANDI = 'H' AND I.IE_TIP = 'B' "
                               "AND EXISTS (SELECT 1 FROM ISEAYRIN A WHERE A.ISEMRI_NO = I.IS_EMRI_NO) ORDER BY I.IS_EMRI_NO"));
    q.exec();
    ASSERT_TRUE(q.next());
    const QString ie = q.str(QStringLiteral("IS_EMRI_NO"));
    const int fyili = int(q.num(QStringLiteral("FYILI")));
    q.finish();

    TFormIEFatura f(ctx);
    f.ieno = ie;
    f.ieFYili = fyili;
    messages.answer(MsgYes);
    f.isEmriIcinAc();
    f.show();
    QApplication::processEvents();
    f.grab().save(klasor + QStringLiteral("/iefatura_yeni.png"));
    f.findChild<QPushButton*>(QStringLiteral("BtnSAKLA"))->click();
    QApplication::processEvents();
    Query n(d, QStringLiteral("SELECT COUNT(*) FROM SERFAT"));
    n.exec();
    ASSERT_TRUE(n.next());
    ASSERT_EQ(n.value(0).toInt(), 1) << messages.texts().join(QStringLiteral(" | ")).toStdString();
    f.grab().save(klasor + QStringLiteral("/iefatura_kayitli.png"));

    TFormIEFatBak b(ctx, 0);
    b.show();
    b.FiltreKaldirClick();
    QApplication::processEvents();
    b.grab().save(klasor + QStringLiteral("/iefatbak.png"));
}

} // namespace tornaly::test
