#include "stock/StockDemo.h"
#include "stock/StockSchema.h"
#include "stock/cards/StokBr.h"
#include "stock/cards/StokSakla.h"
#include "stock/catalog/KodListeleri.h"
#include "stock/labour/ParcayaGoreAriza.h"
#include "stock/movements/DepoHrkForm.h"
#include "stock/pictures/Fotos.h"
#include "testsupport/TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryFile>

using namespace tornaly;
using namespace tornaly::stock;

namespace {

class StockFormsTest : public test::DbTest {
protected:
    void registerSchema() override { stock::RegisterSchema(); }
    void SetUp() override
    {
        DbTest::SetUp();
        Transaction tx(db);
        StokDemoVerisi(db);
        tx.commit();
        ctx.AktifKullanici.stok = QStringLiteral("Y");
        ctx.AktifKullanici.arac_al = QStringLiteral("Y");
        ctx.AktifKullanici.maliyet = QStringLiteral("H");
    }
    static void enter(QWidget* w)
    {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    static QStringList column(const QTableView* v, const QString& field)
    {
        auto* m = qobject_cast<BoundQueryModel*>(v->model());
        m->fetchAll();
        QStringList out;
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->index(r, m->columnOf(field)).data(Qt::EditRole).toString();
        return out;
    }
    int count(const QString& sql)
    {
        Query q(db, sql);
        q.exec();
        q.next();
        return q.value(0).toInt();
    }
};

TEST_F(StockFormsTest, BrowseSearchesPicksAndSorts)
{
    TFormStokBr f(ctx, 1, true, nullptr);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("STOK KAYITLARI"));
    EXPECT_TRUE(f.BtnSec->isVisibleTo(&f));
    EXPECT_EQ(column(f.DBGrid1, QStringLiteral("STOK_KOD_NO")).size(), 22);

    // Enter in an empty box asks first; No leaves the list as it was.
    messages.answer(MsgNo);
    enter(f.EditAd);
    EXPECT_EQ(messages.lastText(), QStringLiteral("Tüm Stok Kayıtlarını Görmek İstiyor musunuz?"));
    EXPECT_EQ(column(f.DBGrid1, QStringLiteral("STOK_KOD_NO")).size(), 22);

    f.EditAd->setText(QStringLiteral("FİLTRE"));
    QKeyEvent other(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
    QApplication::sendEvent(f.EditAd, &other); // any key clears the Enter-once flag
    enter(f.EditAd);
    const QStringList names = column(f.DBGrid1, QStringLiteral("STOK_ADI_TR"));
    EXPECT_EQ(names.size(), 5); // "Filtresi" in any case, Turkish İ folded
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));

    // A click on the sale price header orders by it, a second click reverses.
    const int c = qobject_cast<BoundQueryModel*>(f.DBGrid1->model())->columnOf(QStringLiteral("SAT_FYT_TL"));
    f.DBGrid1->horizontalHeader()->sectionClicked(c);
    QStringList prices = column(f.DBGrid1, QStringLiteral("SAT_FYT_TL"));
    EXPECT_LE(prices.first().toDouble(), prices.last().toDouble());
    f.DBGrid1->horizontalHeader()->setSortIndicator(c, Qt::DescendingOrder);
    f.DBGrid1->horizontalHeader()->sectionClicked(c);
    prices = column(f.DBGrid1, QStringLiteral("SAT_FYT_TL"));
    EXPECT_GE(prices.first().toDouble(), prices.last().toDouble());

    // Group filter holds for the next search; the warehouse strip follows the row.
    f.CmbGrup->setCurrentIndex(f.CmbGrup->findData(QStringLiteral("FREN")));
    f.EditKod->setText(QStringLiteral("04465"));
    QApplication::sendEvent(f.EditKod, &other);
    enter(f.EditKod);
    EXPECT_EQ(column(f.DBGrid1, QStringLiteral("STOK_KOD_NO")), (QStringList{QStringLiteral("04465-0K240")}));
    EXPECT_GT(f.GridDepo->rowCount(), 0);
    f.BtnSecClick();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(f.secilen.StokKod, QStringLiteral("04465-0K240"));
    EXPECT_EQ(f.secilen.StokAd, QStringLiteral("Ön Fren Balatası Takımı"));
}

TEST_F(StockFormsTest, BrowseRightsAndDeleteOfAPartWithMovements)
{
    ctx.AktifKullanici.stok = QStringLiteral("N");
    {
        TFormStokBr f(ctx, 0, true, nullptr);
        EXPECT_FALSE(f.BtnSec->isVisibleTo(&f));
        EXPECT_TRUE(f.BtnYeni->isEnabled());
        EXPECT_TRUE(f.BtnKopyala->isEnabled());
        EXPECT_FALSE(f.BtnDuzenle->isEnabled());
        EXPECT_FALSE(f.BtnSil->isEnabled());
    }
    ctx.AktifKullanici.stok = QStringLiteral("Y");
    TFormStokBr f(ctx, 0, true, nullptr);
    messages.answer(MsgYes);
    f.BtnSilClick(); // the first part has opening stock
    EXPECT_EQ(messages.lastText(), QStringLiteral("Bu Stokğun Hareket Kaydı var. Silinemez!"));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM STOK")), 22);
    ctx.AktifKullanici.stok = QStringLiteral("H");
    EXPECT_EQ(StokSec(ctx, 1), 0);
}

TEST_F(StockFormsTest, CardRefusesBadInputAndWritesNothing)
{
    TFormStokSakla f(ctx, YeniStokKarti(db, ctx, QDate(2026, 12, 11)));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Stok Kayıt"));
    EXPECT_FALSE(f.EditParcaNo->isReadOnly());
    EXPECT_TRUE(f.fiyatKutulari.value(QStringLiteral("MALIYET_FYT_TL"))->isReadOnly()); // no cost right

    f.EditParcaNo->setText(QStringLiteral(" 04465-0K240 "));
    f.EditStokAdiTr->setText(QStringLiteral("Kopya"));
    f.BtnKaydet->click();
    EXPECT_EQ(messages.lastText(), ParcaNoVarMesaji());

    f.EditParcaNo->setText(QStringLiteral("YENI-001"));
    f.fiyatKutulari.value(QStringLiteral("SAT_FYT_TL"))->setText(QStringLiteral("12,5x"));
    f.BtnKaydet->click();
    EXPECT_EQ(messages.lastText(), QStringLiteral("\"12,5x\" geçerli bir sayı değil."));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM STOK WHERE STOK_KOD_NO = 'YENI-001'")), 0);

    f.close(); // neither saved nor cancelled
    EXPECT_EQ(messages.lastText(), QStringLiteral("Değişikliği Saklayınız yada İptal Ediniz!"));

    f.fiyatKutulari.value(QStringLiteral("SAT_FYT_TL"))->setText(QStringLiteral("1.234,50"));
    f.EditKdv->setText(QStringLiteral("20"));
    f.BtnKaydet->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(f.donenParcaNo, QStringLiteral("YENI-001"));
    Query q(db, QStringLiteral("SELECT SAT_FYT_TL, KDV FROM STOK WHERE STOK_KOD_NO = 'YENI-001'"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_DOUBLE_EQ(q.value(0).toDouble(), 1234.5);
    EXPECT_EQ(q.value(1).toInt(), 20);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM CLOG_STOK WHERE STOK_KOD_NO = 'YENI-001' AND LOG_STATE = 0")), 1);
}

TEST_F(StockFormsTest, CardShowsWarehousesAndKeepsTheShelf)
{
    TFormStokSakla f(ctx, StokKartiOku(db, 1));
    EXPECT_TRUE(f.EditParcaNo->isReadOnly());
    // Warehouses in display order and a total line.
    EXPECT_EQ(f.GridDepo->rowCount(), 5);
    EXPECT_EQ(f.GridDepo->item(0, 5)->text(), QStringLiteral("A-01-1"));
    EXPECT_EQ(f.GridDepo->item(4, 1)->text(), QStringLiteral("Toplam"));
    f.GridDepo->item(0, 5)->setText(QStringLiteral("Z-9"));
    f.GridDepo->item(1, 5)->setText(QStringLiteral("NO-ROW"));
    f.BtnKaydet->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM STOKMIK WHERE STOK_NO = 1 AND RAF_YERI = 'Z-9'")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM STOKMIK WHERE RAF_YERI = 'NO-ROW'")), 0);
}

TEST_F(StockFormsTest, CodeListsFollowRights)
{
    ctx.AktifKullanici.stok = QStringLiteral("O");
    TFormGrupBr g(ctx, 1, nullptr);
    EXPECT_FALSE(g.BtnYeni->isEnabled());
    EXPECT_FALSE(g.BtnSil->isEnabled());
    g.Aranan->setText(QStringLiteral("fi"));
    g.AramaAlani->setCurrentIndex(0);
    emit g.Aranan->returnPressed();
    g.BtnSecClick();
    EXPECT_EQ(g.secim.toString(), QStringLiteral("FILTRE"));

    TFormDepoBr d(ctx, 0, nullptr);
    d.hucreYaz(QStringLiteral("2"), QStringLiteral("Değişmiş"), QString());
    EXPECT_EQ(messages.lastText(), QStringLiteral("2: Kodlu Depo Servis Depodur. Değiştirilemez."));
}

TEST_F(StockFormsTest, PicturesFormRefusesAFileThatIsNoPicture)
{
    TFormFotos f(ctx, true);
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    file.write("this is text");
    file.close();
    f.dosyaEkle(file.fileName());
    EXPECT_EQ(messages.lastText(), QStringLiteral("Dosya Hatası !!!"));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM STOKRESM")), 0);
    f.BtnSecClick();
    EXPECT_EQ(f.secilen, -1); // an empty library
}

TEST_F(StockFormsTest, MovementListAndFaultCodePicker)
{
    TFormDepoHrk f(ctx, QString(), 3);
    EXPECT_EQ(f.LblBaslik->text(), QStringLiteral("43512-0K150 -  Ön Fren Diski"));
    EXPECT_EQ(f.QHareket->rowCount(), 3); // opening, and both rows of its transfer
    EXPECT_EQ(f.QDepoToplam->rowCount(), 2);

    db.exec(QStringLiteral("INSERT INTO TARIZPAR (IZP_KODU, IZP_ARAC_TIPI, IZP_GRUP, IZP_MALZEME) VALUES ('F100', 'COROLLA', 'FREN', '43512-0K150')"));
    TFormParcayaGoreAriza p(ctx);
    p.listele(QStringLiteral("43512-0K"));
    EXPECT_EQ(p.secilen().KodStr, QString()); // matched exactly
    p.listele(QStringLiteral("43512-0K150"));
    EXPECT_EQ(p.secilen().KodStr, QStringLiteral("F100"));
    EXPECT_EQ(p.secilen().IlkStr, QStringLiteral("COROLLA"));
}

TEST(StockDateDialog, RefusesEmptyAndReversedRanges)
{
    ScriptedMessages m;
    SetMessageService(&m);
    TTarihQueryDlg d({QDateTime(QDate(2026, 1, 5), QTime()), QDateTime(QDate(2026, 1, 5), QTime()), 0}, QStringLiteral("x"));
    d.EditBas->clear();
    d.BtnTamamClick();
    EXPECT_EQ(m.lastText(), QStringLiteral("Geçersiz Bir Tarih Belirlendi"));
    d.EditBas->setText(QStringLiteral("06.01.2026"));
    d.BtnTamamClick();
    EXPECT_EQ(d.sonuc.Sonuc, 0);
    d.EditBas->setText(QStringLiteral("05.01.2026"));
    d.BtnTamamClick();
    EXPECT_EQ(d.sonuc.Sonuc, 1);
    EXPECT_EQ(d.sonuc.SonZaman.date(), QDate(2026, 1, 5));
    SetMessageService(nullptr);
}

} // namespace
