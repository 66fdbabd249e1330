#include "accounts/AccountsSchema.h"
#include "accounts/cash/Kasa.h"
#include "accounts/receipts/MakbuzSablon.h"
#include "accounts/receipts/MakbuzTemplate.h"
#include "accounts/receipts/PesinCari.h"
#include "accounts/vouchers/BrCarHrk.h"
#include "accounts/vouchers/CariHark.h"
#include "accounts/vouchers/CariHrkExcel.h"
#include "accounts/vouchers/CariHrkYazdir.h"
#include "dialogs/MesajGoster.h"
#include "guard/IslemReddi.h"
#include "report/RaporCikti.h"
#include "report/ReportEngine.h"
#include "testsupport/TestSupport.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

using namespace tornaly;
using namespace tornaly::accounts;

namespace {

class MakbuzTest : public test::DbTest {
protected:
    void registerSchema() override { accounts::RegisterSchema(); }
    void SetUp() override
    {
        test::DbTest::SetUp();
        ctx.Database1 = db;
        ctx.AktifKullanici.diger09 = QStringLiteral("Y");
        ctx.AktifKullanici.carihrk = QStringLiteral("H");
        for (const auto& [kod, ad] : {std::pair{"120.01", "Ayşe Yılmaz"}, std::pair{"120.02", "Işık Ltd"},
                                      std::pair{"360.01", "Vergi Dairesi"}})
            db.exec(QStringLiteral("INSERT INTO CARI (CARI_KOD, FIRMA_ADI, ADRES_2, SEMT, ILI, TEL1) "
                                   "VALUES (:K, :A, 'Cumhuriyet Cad. 5', 'Çankaya', 'ANKARA', '(312)555 1234')"),
                    {{QStringLiteral("K"), QLatin1String(kod)}, {QStringLiteral("A"), QString::fromUtf8(ad)}});
        KasaKaydet(db, {QStringLiteral("MERKEZ"), QStringLiteral("Merkez Kasa")}, true);
        db.exec(QStringLiteral("INSERT INTO FIRKIM (EADI, ADR1) VALUES ('Tornaly Otomotiv', 'Sanayi Sitesi 3')"));
    }
    void TearDown() override
    {
        report::SetPreviewHook({});
        SetTextPanelHook({});
        test::DbTest::TearDown();
    }

    double nakitFis(QList<std::tuple<const char*, double, double>> satirlar)
    {
        CariHrkFisi f;
        f.TIP = QStringLiteral("N");
        f.TARIH = QDate(2026, 4, 10);
        f.BELGE_NO = QStringLiteral("M-17");
        for (const auto& [kod, borc, alacak] : satirlar) {
            CariHrkFisSatiri s;
            s.CARI_KOD = QLatin1String(kod);
            if (borc > 0)
                s.BORC = borc;
            if (alacak > 0)
                s.ALACAK = alacak;
            s.KASAKOD = QStringLiteral("MERKEZ");
            s.ACIKLAMA = QStringLiteral("Servis tahsilatı");
            f.satirlar << s;
        }
        return CariHrkFisKaydet(ctx, db, f);
    }
};

TEST(MakbuzSablonu, AmountsAndTheLinesTheyGive)
{
    MakbuzSablonu s;
    s.HSP_GIDER = QStringLiteral("770");
    s.HSP_KDV = QStringLiteral("191");
    s.HSP_KASA = QStringLiteral("MERKEZ");
    s.HSP_STOPAJ = QStringLiteral("360.01");
    s.HSP_STP_KARSI = QStringLiteral("770.S");
    s.MAK_ACIKLAMA = QStringLiteral("Kira");
    const auto ad = [](const QString& tur, const QString& kod) { return tur + QLatin1Char(':') + kod; };

    const MakbuzTutarlari t = MakbuzHesapla(1000, 18, 20);
    EXPECT_DOUBLE_EQ(t.V, 180);
    EXPECT_DOUBLE_EQ(t.C, 1180);
    EXPECT_NEAR(t.W, 196.6666666667, 1e-9);
    EXPECT_NEAR(t.N, 983.3333333333, 1e-9);
    const tfislist l = MakbuzSatirlari(s, t, ad);
    struct Beklenen {
        const char *tur, *hesap;
        double borc, alacak;
    };
    const Beklenen beklenen[] = {{"M", "770", 1000, 0},   {"M", "191", 180, 0},      {"M", "770.S", t.W, 0},
                                 {"K", "MERKEZ", 0, 1180}, {"C", "360.01", 0, t.W}};
    ASSERT_EQ(l.size(), 5);
    double borc = 0, alacak = 0;
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(l[i].hes_tur, QLatin1String(beklenen[i].tur)) << i;
        EXPECT_EQ(l[i].hesap, QLatin1String(beklenen[i].hesap)) << i;
        EXPECT_DOUBLE_EQ(l[i].borc, beklenen[i].borc) << i;
        EXPECT_DOUBLE_EQ(l[i].alacak, beklenen[i].alacak) << i;
        EXPECT_EQ(l[i].aciklama1, l[i].hes_tur + QLatin1Char(':') + l[i].hesap);
        EXPECT_EQ(l[i].aciklama2, QStringLiteral("Kira"));
        borc += l[i].borc;
        alacak += l[i].alacak;
    }
    EXPECT_NEAR(borc, alacak, 1e-9);

    // Without VAT and withholding: the expense against the cash only.
    const tfislist iki = MakbuzSatirlari(s, MakbuzHesapla(500, 0, 0), ad);
    ASSERT_EQ(iki.size(), 2);
    EXPECT_EQ(iki[0].hes_tur, QStringLiteral("M"));
    EXPECT_EQ(iki[1].hes_tur, QStringLiteral("K"));
    EXPECT_DOUBLE_EQ(KdvHaricTutar(1180, 18), 1000);
    EXPECT_DOUBLE_EQ(KdvHaricTutar(1180, 0), 1180);
}

TEST_F(MakbuzTest, TemplatesAreNumberedAndPickedThroughTheAmountPanel)
{
    MakbuzSablonu bos;
    EXPECT_THROW(MakbuzSablonKaydet(db, bos), IslemReddi);
    MakbuzSablonu a;
    a.MAK_TANIM = QStringLiteral("Kira makbuzu");
    a.HSP_GIDER = QStringLiteral("770");
    a.HSP_KDV_ORAN = 18;
    a.HSP_KDV = QStringLiteral("191");
    a.HSP_KASA = QStringLiteral("MERKEZ");
    a.HSP_STP_ORAN = 20;
    a.HSP_STOPAJ = QStringLiteral("360.01");
    a.HSP_STP_KARSI = QStringLiteral("770.S");
    EXPECT_EQ(MakbuzSablonKaydet(db, a), 1);
    MakbuzSablonu b = a;
    b.MAK_ID = 0;
    EXPECT_EQ(MakbuzSablonKaydet(db, b), 2);

    TFormMakbuzTemplate f(ctx, 1, nullptr);
    EXPECT_EQ(f.TableBr->rowCount(), 2);
    EXPECT_TRUE(f.PanelTutar->isHidden());
    f.cxGrid->setCurrentIndex(f.TableBr->index(0, 0));
    f.BtnSecClick();
    EXPECT_FALSE(f.PanelTutar->isHidden());
    f.EditGider->setText(QStringLiteral("1.180"));
    f.BtnKdvHaricClick();
    EXPECT_EQ(f.EditGider->text(), QStringLiteral("1.000,00"));
    EXPECT_EQ(f.LblKdv->text(), QStringLiteral("180,00"));
    EXPECT_EQ(f.LblKasa->text(), QStringLiteral("1.180,00"));
    EXPECT_EQ(f.LblStopaj->text(), QStringLiteral("196,6667"));
    EXPECT_EQ(f.LblNet->text(), QStringLiteral("983,3333"));
    // A rate changed in the panel is the template's own.
    f.EditStopajOran->setText(QStringLiteral("0"));
    f.tutarlariGoster();
    SonMakbuzSatirlari() = {tfistemp{}};
    f.BtnSecClick(); // "Sec" with the panel open transfers
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(f.secilen, 1);
    const tfislist& l = SonMakbuzSatirlari();
    ASSERT_EQ(l.size(), 3);
    EXPECT_EQ(l[2].aciklama1, QStringLiteral("Merkez Kasa"));
    EXPECT_DOUBLE_EQ(MakbuzSablonOku(db, 1)->HSP_STP_ORAN, 0);
}

TEST_F(MakbuzTest, CashSaleCustomersOnePerCode)
{
    db.exec(QStringLiteral("INSERT INTO FISGA (HRK_NO, SIRA_NO, TIP, KOD, ACIKLAMA1, MUH_KARSI) VALUES "
                           "(1, 1, 'P', '11111111111', 'Ali Veli', '120.99'), (2, 1, 'P', '11111111111', 'Ali Veli', NULL), "
                           "(2, 2, 'K', 'MERKEZ', 'Merkez Kasa', NULL), (3, 1, 'P', '2222222222', 'Kuru Temizleme', NULL)"));
    TFormPesinCari f(ctx, nullptr);
    ASSERT_EQ(f.TableBr->rowCount(), 2);
    f.cxGrid->setCurrentIndex(f.TableBr->index(0, 0));
    f.BtnSecClick();
    EXPECT_EQ(f.secilen.CariKod, QStringLiteral("11111111111"));
    EXPECT_EQ(f.secilen.CariAd, QStringLiteral("Ali Veli"));
    EXPECT_EQ(f.secilen.CariMuh, QStringLiteral("120.99"));
}

TEST_F(MakbuzTest, CashReceiptPrintsTheSavedLineInFiguresAndWords)
{
    const double no = nakitFis({{"120.01", 0, 1234.5}});
    const CariHrkFisi fis = *CariHrkFisOku(db, no);
    const report::Document d = report::Render(CariMakbuzRaporu(ctx, db, fis, 0));
    const QString metin = d.texts(1).join(QLatin1Char('|'));
    EXPECT_TRUE(metin.contains(QStringLiteral("Nakit Tahsilat"))) << metin.toStdString();
    EXPECT_TRUE(metin.contains(QStringLiteral("M-17")));
    EXPECT_TRUE(metin.contains(QStringLiteral("Ayşe Yılmaz")));
    EXPECT_TRUE(metin.contains(QStringLiteral("Çankaya / ANKARA")));
    EXPECT_TRUE(metin.contains(QStringLiteral("Tornaly Otomotiv")));
    EXPECT_TRUE(metin.contains(QStringLiteral("Yalnız ")));
    EXPECT_TRUE(metin.contains(QStringLiteral("1.234,50 TL")));

    // The form prints only a saved voucher.
    int gosterilen = 0;
    report::SetPreviewHook([&](const report::Document&) { ++gosterilen; });
    TFormCariHarek f(ctx, fis, QStringLiteral("B"), {}, {}, nullptr);
    f.BtnMakbuzYazClick();
    EXPECT_EQ(gosterilen, 1);
    f.hucreYaz(0, TFormCariHarek::K_ACIKLAMA, QStringLiteral("değişti"));
    f.BtnMakbuzYazClick();
    EXPECT_EQ(messages.lastText(), MakbuzOnceSaklaText());
    EXPECT_EQ(gosterilen, 1);
}

TEST_F(MakbuzTest, VoucherPrintHasOneSectionPerAccountAndExports)
{
    const double no = nakitFis({{"120.01", 0, 100}, {"120.01", 0, 50.25}, {"120.02", 0, 10}});
    const report::Document d = report::Render(CariHrkFisRaporu(ctx, db, no));
    const QString metin = d.dump();
    EXPECT_EQ(d.find(1, QStringLiteral("CariBaslik")).isEmpty(), false);
    EXPECT_TRUE(metin.contains(QStringLiteral(" T A H S İ L A T    M A K B U Z U")));
    EXPECT_TRUE(metin.contains(QStringLiteral("Toplam :150,25 Yanlız ")));
    EXPECT_TRUE(metin.contains(QStringLiteral("Toplam :10,00 Yanlız ")));
    EXPECT_EQ(d.find(1, QStringLiteral("Toplam")).size(), 2);
    EXPECT_EQ(report::Render(CariHrkFisRaporu(ctx, db, no, QStringLiteral("120.02"))).find(1, QStringLiteral("Toplam")).size(), 1);

    TFormCariHrkBr br(ctx, 0, {}, {}, nullptr);
    ASSERT_EQ(br.QAyr->rowCount(), 3);
    QTemporaryDir dir;
    const QString yol = dir.filePath(QStringLiteral("fis.txt"));
    messages.answerFile(yol);
    EXPECT_EQ(br.yazdir(report::OutputText), yol);
    QFile dosya(yol);
    ASSERT_TRUE(dosya.open(QIODevice::ReadOnly));
    const QString yazi = QString::fromUtf8(dosya.readAll());
    EXPECT_TRUE(yazi.contains(QStringLiteral("Işık Ltd")));

    // "Seçili Satırı Yaz": only the current line's account.
    br.CbSeciliSatir->setChecked(true);
    for (int r = 0; r < br.QAyr->rowCount(); ++r)
        if (br.QAyr->deger(r, QStringLiteral("CARI_KOD")).toString() == QLatin1String("120.02"))
            br.GridAyr->setCurrentIndex(br.QAyr->index(r, 0));
    messages.answerFile(yol);
    br.yazdir(report::OutputText);
    QFile ikinci(yol);
    ASSERT_TRUE(ikinci.open(QIODevice::ReadOnly));
    const QString tek = QString::fromUtf8(ikinci.readAll());
    EXPECT_TRUE(tek.contains(QStringLiteral("Işık Ltd")));
    EXPECT_FALSE(tek.contains(QStringLiteral("Ayşe Yılmaz")));
}

TEST_F(MakbuzTest, ExcelRowsBecomeLinesAndRefusedOnesAreListed)
{
    SheetTable t;
    t.columns = {QStringLiteral("SNo"), QStringLiteral("CariKod"), QStringLiteral("CariAd"), QStringLiteral("Borc"),
                 QStringLiteral("Alacak")};
    t.rows = {{QStringLiteral("1"), QStringLiteral("120.01"), QString(), QString(), QStringLiteral("1.500,75")},
              {QStringLiteral("2"), QStringLiteral("999"), QString(), QStringLiteral("5"), QString()},
              {QStringLiteral("3"), QString(), QString(), QStringLiteral("5"), QString()},
              {QStringLiteral("4"), QStringLiteral("120.02"), QString(), QStringLiteral("on"), QString()},
              {QStringLiteral("5"), QStringLiteral("120.02"), QString(), QStringLiteral("20.5"), QString()}};
    EXPECT_TRUE(CariHrkExcelKullanilabilir(t));
    EXPECT_FALSE(CariHrkExcelKullanilabilir(SheetTable{{}, {QStringLiteral("A")}, {{QStringLiteral("1")}}}));

    QString pano;
    SetTextPanelHook([&](const QString& s) { pano = s; });
    CariHrkFisi fis;
    fis.TIP = QStringLiteral("D");
    fis.TARIH = QDate(2026, 4, 10);
    TFormCariHarek f(ctx, fis, {}, {}, {}, nullptr);
    f.exceldenAl(t); // five columns: no description column, still usable
    ASSERT_EQ(f.fis().satirlar.size(), 2);
    EXPECT_EQ(f.fis().satirlar[0].CARI_KOD, QStringLiteral("120.01"));
    EXPECT_DOUBLE_EQ(f.fis().satirlar[0].ALACAK.toDouble(), 1500.75);
    EXPECT_EQ(f.fis().satirlar[1].SIRANO, 2);
    EXPECT_DOUBLE_EQ(f.fis().satirlar[1].BORC.toDouble(), 20.5);
    EXPECT_EQ(pano, AktarilamayanText() + QStringLiteral("\n999\n120.02 (Geçersiz tutar)"));
    EXPECT_TRUE(f.kaydet()) << messages.lastText().toStdString();
}

} // namespace
