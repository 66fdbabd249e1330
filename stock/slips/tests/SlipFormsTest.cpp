#include "connection/DialogRunner.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "report/RaporCikti.h"
#include "stock/StockEntry.h"
#include "stock/StockSchema.h"
#include "stock/count/MikDevret.h"
#include "stock/count/StokAyPrm.h"
#include "stock/ledger/StokMik.h"
#include "stock/slips/StkFis.h"
#include "stock/slips/StokFisBak.h"
#include "stock/tools/QRListForm.h"
#include "platform/Desktop.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace tornaly;
using namespace tornaly::stock;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

void tus(QWidget* w, int key, const QString& metin = {})
{
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, metin);
    QApplication::sendEvent(w, &e);
}

class StockSlipFormsTest : public test::DbTest {
protected:
    void registerSchema() override { stock::RegisterSchema(); }
    void SetUp() override
    {
        DbTest::SetUp();
        ctx.Database1 = db;
        ctx.CalismaYiliNo = 2026;
        ctx.AktifKullanici.per_kod = S("P01");
        ctx.AktifKullanici.diger06 = S("Y");
        ctx.AktifKullanici.stok = S("Y");
        ctx.AktifKullanici.DepoTransferOnayi = true;
        db.exec(S("INSERT INTO DEPO (SIRA, DEPO_KODU, DEPO_ADI) VALUES (3, '3', 'Yan Depo')"));
        for (int i = 1; i <= 3; ++i)
            db.exec(S("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, STOK_ADI_TR, BARKOD, PAY, KDV, FYT_KUR, ALIS_FYT_TL) "
                      "VALUES (:N, :K, 'Parça', :B, 'P', 20, 'TL', 10)"),
                    {{S("N"), i}, {S("K"), S("P-%1").arg(i)}, {S("B"), S("B%1").arg(i)}});
        report::SetPreviewHook([](const report::Document&) {});
    }
    void TearDown() override
    {
        report::SetPreviewHook({});
        DbTest::TearDown();
    }
    int say(const QString& sql)
    {
        Query q(db, sql);
        q.exec();
        return q.next() ? q.value(0).toInt() : -1;
    }
};

TEST_F(StockSlipFormsTest, BarcodeReaderModeByKeys)
{
    auto* f = new TFormStkFis(ctx, 0, u'F', nullptr);
    QPointer<TFormStkFis> fp(f);
    f->show();
    EXPECT_EQ(f->LblTip->text(), S("Fire"));
    EXPECT_FALSE(f->CmbGirDepo->isVisible());

    tus(f->GridStok, Qt::Key_F5);
    EXPECT_TRUE(f->barkodModu());
    EXPECT_EQ(f->LblMod->text(), S("Barkod Aktif"));
    EXPECT_EQ(f->BtnBarkod->text(), S("Klavye F5"));
    tus(f->GridStok, Qt::Key_F5);
    EXPECT_EQ(f->LblMod->text(), S("Klavye Aktif"));

    // F9, the code, F9: the part is added; the same code again keeps one line.
    for (int n = 0; n < 2; ++n) {
        tus(f->GridStok, Qt::Key_F9);
        EXPECT_TRUE(f->barkodModu());
        tus(f->GridStok, Qt::Key_B, S("b"));
        tus(f->GridStok, Qt::Key_X, S("x"));
        tus(f->GridStok, Qt::Key_Backspace);
        tus(f->GridStok, Qt::Key_2, S("2"));
        tus(f->GridStok, Qt::Key_F9);
    }
    ASSERT_EQ(f->fis().satirlar.size(), 1);
    EXPECT_EQ(f->fis().satirlar[0].STOK_KOD_NO, S("P-2"));
    EXPECT_DOUBLE_EQ(f->fis().satirlar[0].FIYAT, 10);

    // An unknown code adds nothing and, after the closing F9, goes back to the keyboard.
    tus(f->GridStok, Qt::Key_F9);
    tus(f->GridStok, Qt::Key_Z, S("z"));
    tus(f->GridStok, Qt::Key_F9);
    EXPECT_EQ(f->fis().satirlar.size(), 1);
    EXPECT_FALSE(f->barkodModu());

    // The code search box: a part number adds on a pick from the list.
    f->EditAra->setText(S("P-3"));
    f->EditAraEnter();
    f->StokEkle();
    EXPECT_EQ(f->fis().satirlar.size(), 2);

    f->CmbCikDepo->setCurrentIndex(f->CmbCikDepo->findData(S("3")));
    f->EditAciklama1->setText(S("Kırık"));
    tus(f->GridSatir, Qt::Key_F2);
    EXPECT_TRUE(fp.isNull() || !fp->isVisible()) << messages.lastText().toStdString();
    EXPECT_EQ(say(S("SELECT COUNT(*) FROM DEPOHRK WHERE TIP = 'F' AND DEPO_KODU = '3'")), 2);
    EXPECT_TRUE(StokMikFarklari(db, 1e-9).isEmpty());
    delete fp.data();
}

TEST_F(StockSlipFormsTest, BrowseOpensAtMostTwoSlipWindowsAndDeletes)
{
    TFormStokFisBak b(ctx);
    b.show();
    b.MenuTip->findChild<QAction*>(S("YeniFisO"))->trigger();
    TFormStkFis* ilk = b.sonPencere();
    ASSERT_NE(ilk, nullptr);
    EXPECT_EQ(ilk->LblTip->text(), S("Depo Transferi"));
    b.YeniFis(u'D');
    TFormStkFis* acilis = b.sonPencere();
    ASSERT_EQ(TFormStkFis::AcikPencereSayisi(), 2);
    b.YeniFis(u'F');
    EXPECT_EQ(messages.lastText(), S("2 den fazla Stok Fişi Penceresi ile Çalışılmaz.Lütfen Stok Fişi Pencerelerinden "
                                     "Birini Kapatıp Bu Kaydı yeniden Çağırmayo Deneyin."));
    EXPECT_EQ(TFormStkFis::AcikPencereSayisi(), 2);

    // The transfer: lines from the part list, approved and saved from its window.
    ilk->EditAra->setText(S("P-1"));
    ilk->EditAraEnter();
    ilk->StokEkle();
    ilk->CmbCikDepo->setCurrentIndex(ilk->CmbCikDepo->findData(S("1")));
    ilk->CmbGirDepo->setCurrentIndex(ilk->CmbGirDepo->findData(S("3")));
    ilk->ChkOnay->setChecked(true);
    ilk->EditAciklama1->setText(S("Depo değişimi"));
    const double no = ilk->fis().HRKNO;
    ilk->BtnSakla->click();
    EXPECT_EQ(say(S("SELECT COUNT(*) FROM DEPOHRK WHERE TIP = 'O'")), 2);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(TFormStkFis::AcikPencereSayisi(), 1);
    b.YeniFis(u'F');
    EXPECT_EQ(TFormStkFis::AcikPencereSayisi(), 2);

    // Closing an unsaved slip asks first; No keeps it open.
    TFormStkFis* acik = b.sonPencere();
    messages.answer(MsgNo);
    acik->close();
    EXPECT_EQ(messages.lastText(), S("Çalıştığınız Kaydı Saklamadınız. İptal Edilsin mi?"));
    EXPECT_TRUE(acik->isVisible());
    acik->BtnIptal->click();

    b.Yenile();
    EXPECT_EQ(b.LblKayitSayisi->text(), S("Listedeki Kayıt Sayısı : 1"));
    EXPECT_DOUBLE_EQ(b.seciliFis(), no);
    messages.answer(MsgYes);
    b.BtnSil->click();
    EXPECT_EQ(messages.lastText(), S("Kayıt Silnsin mi?"));
    EXPECT_EQ(say(S("SELECT COUNT(*) FROM FISTK")), 0);
    EXPECT_EQ(say(S("SELECT COUNT(*) FROM DEPOHRK")), 0);

    ctx.AktifKullanici.per_kod.clear();
    b.YeniFis(u'F');
    EXPECT_EQ(messages.lastText(), S("Oturum kimliği için Bir Personel Atanmamış, Personel Atamak için lütfen Kullanıcı "
                                     "Hakları Bölümünü Kullanınız."));
    acilis->BtnIptal->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(TFormStkFis::AcikPencereSayisi(), 0);
}

TEST_F(StockSlipFormsTest, QuickCountScansAndBooks)
{
    db.exec(S("INSERT INTO STOKMIK (STOK_NO, DEPO_KOD, MIKTAR, SAYIM_MIK, SAYIM_FIILI) VALUES (1, '1', 2, 0, 2)"));
    db.exec(S("INSERT INTO STOKMIK (STOK_NO, DEPO_KOD, MIKTAR, SAYIM_MIK, SAYIM_FIILI) VALUES (2, '1', 1, 0, 1)"));
    TFormMikDevret f(ctx, 0);
    EXPECT_EQ(f.depo(), S("1"));
    f.BtnSonraki->click();
    ASSERT_EQ(f.sayfa().size(), 2);
    for (int i = 0; i < 3; ++i) {
        f.EditBarkod->setText(S("B1"));
        f.AraBarkod();
    }
    f.Kaydet();
    Query q(db, S("SELECT SAYIM_MIK FROM STOKMIK WHERE STOK_NO = 1 AND DEPO_KOD = '1'"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_DOUBLE_EQ(q.num(S("SAYIM_MIK")), 3);
    q.finish();

    // Typed into the grid: part 2 counted at 1.
    f.BtnSonraki->click();
    f.GridSayim->item(1, 5)->setText(S("1"));
    f.BtnFisOlustur->click();
    EXPECT_EQ(messages.lastText(),
              S("Sayım fişini oluşturmadan önce SAYIM FARKI OLUŞTURMA SEÇENEĞİ ni belirlemeniz gerekmektedir."));
    f.RadioSimdiki->setChecked(true);
    messages.answer(MsgYes);
    f.BtnFisOlustur->click();
    EXPECT_EQ(say(S("SELECT COUNT(*) FROM FISTK WHERE TIP = 'T'")), 1);
    EXPECT_EQ(say(S("SELECT COUNT(*) FROM FISTK WHERE TIP = 'Z'")), 0);
    EXPECT_EQ(say(S("SELECT CAST(SUM(MIKTAR) AS INTEGER) FROM STOKMIK WHERE DEPO_KOD = '1'")), 4);

    f.CmbDepo->setCurrentIndex(0);
    f.BtnExcel->click();
    EXPECT_EQ(messages.lastText(), S("Lütfen Sayım yapacağınız depoyu seçiniz."));
}

TEST_F(StockSlipFormsTest, CountPreListPrintsAndExports)
{
    db.exec(S("INSERT INTO STOKMIK (STOK_NO, DEPO_KOD, MIKTAR, RAF_YERI) VALUES (1, '1', 2, 'A-1')"));
    db.exec(S("INSERT INTO STOKMIK (STOK_NO, DEPO_KOD, MIKTAR, RAF_YERI) VALUES (2, '1', 5, 'A-2')"));
    int onizleme = 0;
    report::SetPreviewHook([&](const report::Document&) { ++onizleme; });
    QStringList acilan;
    SetOpenDocumentHook([&](const QString& yol) { acilan << yol; });
    TQRListForm f(ctx);
    f.CmbDepo->setCurrentIndex(f.CmbDepo->findData(S("1")));
    f.BtnYazdir->click();
    EXPECT_EQ(onizleme, 1);
    QTemporaryDir dir;
    const QString yol = dir.filePath(S("sayim.xlsx"));
    messages.answerFile(yol);
    f.BtnExcel->click();
    EXPECT_TRUE(QFileInfo::exists(yol)) << messages.lastText().toStdString();
    SetOpenDocumentHook({});
}

TEST_F(StockSlipFormsTest, TheProgramsWindowsReachEveryForm)
{
    Targets().clear();
    RegisterEntryPoints();
    for (const char* ad : {entry::TFormStokFisBak, entry::MikDevretAc, entry::TFormStokAyPrm, entry::StokMaliyetiHesapla,
                           entry::ShowStokMiktarGuncelleForm})
        EXPECT_TRUE(Targets().isRegistered(QString::fromLatin1(ad))) << ad;
    OpenRequest r;
    r.ctx = &ctx;
    QWidget* liste = Targets().form(QString::fromLatin1(entry::TFormStokFisBak))(r);
    EXPECT_EQ(Targets().form(QString::fromLatin1(entry::TFormStokFisBak))(r), liste) << "one list per program run";
    liste->close();
    EXPECT_FALSE(liste->isVisible());
    delete liste;

    db.exec(S("INSERT INTO SIPMTRX (FIYAT, A1, A2, A3, A4, A5, A6, A7) VALUES (0, 3, 6, 9, 12, 15, 18, 24)"));
    db.exec(S("INSERT INTO SIPMTRX (FIYAT, A1) VALUES (1000, 2)"));
    auto* m = qobject_cast<TFormStokAyPrm*>(Targets().form(QString::fromLatin1(entry::TFormStokAyPrm))(r));
    ASSERT_NE(m, nullptr);
    m->show();
    EXPECT_EQ(m->Grid->rowCount(), 1);
    EXPECT_EQ(m->Grid->horizontalHeaderItem(1)->text(), S("3"));
    EXPECT_EQ(m->Grid->item(0, 0)->text(), S("1.000 TL"));
    delete m;
    Targets().clear();
}

} // namespace
