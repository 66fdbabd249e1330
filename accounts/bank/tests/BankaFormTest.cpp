#include "accounts/AccountsEntry.h"
#include "accounts/AccountsSchema.h"
#include "accounts/bank/BankHrk.h"
#include "accounts/bank/Bnhrk.h"
#include "accounts/bank/BrBanka.h"
#include "accounts/bank/BrBnkHrk.h"
#include "accounts/cash/BrMFis.h"
#include "accounts/cash/Kasa.h"
#include "accounts/cash/MFis.h"
#include "accounts/ui/AramaKutulari.h"
#include "guard/FormGuard.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "services/MuhasebeHesapSec.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

using namespace tornaly;
using namespace tornaly::accounts;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

class BankaFormTest : public test::DbTest {
protected:
    void registerSchema() override { accounts::RegisterSchema(); }
    void SetUp() override
    {
        test::DbTest::SetUp();
        ctx.AktifKullanici.diger09 = S("Y");
        BankaKaydet(db, {S("ZB"), S("Ziraat Bankası"), S("Merkez")}, true);
        for (const auto& [no, tur] : {std::pair{"100", "1"}, std::pair{"200", "2"}}) {
            BankaHesabi h;
            h.BANKA_KOD = S("ZB");
            h.HESAP_NO = S(no);
            h.HESAR_TURU = S(tur);
            BankaHesabiKaydet(ctx, db, h, true);
        }
        db.exec(S("INSERT INTO CARI (CARI_KOD, FIRMA_ADI) VALUES ('C1', 'Ayşe Yılmaz')"));
    }
    int say(const char* sql) const
    {
        Query q(db, S(sql));
        q.exec();
        return q.next() ? q.value(0).toInt() : -1;
    }
};

TEST_F(BankaFormTest, ThePickerTakesOnlyAnAccountOfTheAskedType)
{
    TFormBankaBr f(ctx, 1, S("1"), {});
    EXPECT_EQ(f.windowTitle(), S("BANKA KAYITLARI"));
    EXPECT_FALSE(f.BtnSec->isHidden());
    f.konumlan(S("ZB"), S("200"));
    f.BtnSec->click();
    EXPECT_EQ(messages.lastText(), S("Hesap Türü Uyumsuz !"));
    EXPECT_TRUE(f.secim.BanKodu.isEmpty());
    f.konumlan(S("ZB"), S("100"));
    f.BtnSec->click();
    EXPECT_EQ(f.result(), int(QDialog::Accepted));
    EXPECT_EQ(f.secim.BanKodu, S("ZB"));
    EXPECT_EQ(f.secim.BankAd, S("Ziraat Bankası"));
    EXPECT_EQ(f.secim.BankHspNo, S("100"));
    EXPECT_EQ(f.secim.BSubesi, S("Merkez"));
}

TEST_F(BankaFormTest, RightsDecideTheBankCommands)
{
    struct Case {
        const char* harf;
        bool ekle, sil;
    };
    for (const Case c : {Case{"Y", true, true}, Case{"D", true, false}, Case{"N", true, false}, Case{"H", false, false}}) {
        ctx.AktifKullanici.diger09 = S(c.harf);
        TFormBankaBr f(ctx, 0, {}, {});
        EXPECT_EQ(f.BtnBankaEkle->isEnabled(), c.ekle) << c.harf;
        EXPECT_EQ(f.BtnBankaSil->isEnabled(), c.sil) << c.harf;
        EXPECT_EQ(f.BtnHesapSil->isEnabled(), c.sil) << c.harf;
        EXPECT_TRUE(f.BtnSec->isHidden()) << c.harf;
    }
}

TEST_F(BankaFormTest, ALedgerCodePickedBesideItsFieldIsStoredAtOnce)
{
    QStringList istenen;
    SetMuhasebeHesapSec([&](const SessionContext&, int mode, QWidget*) {
        istenen << QString::number(mode);
        return istenen.size() == 1 ? S("102.01.001") : QString();
    });
    TFormBankaBr f(ctx, 0, {}, {});
    auto* sec = f.findChild<QPushButton*>(S("BtnSec_MUH_KOMISYON"));
    ASSERT_TRUE(sec);
    ASSERT_TRUE(sec->isEnabled());
    sec->click();
    // A cancelled pick leaves the stored code as it is.
    sec->click();
    SetMuhasebeHesapSec({});
    EXPECT_EQ(istenen, (QStringList{S("1"), S("1")}));
    Query q(db, S("SELECT HESAP_NO, MUH_KOMISYON, MUH_CHES FROM BANKAYR WHERE MUH_KOMISYON IS NOT NULL"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.str(S("MUH_KOMISYON")), S("102.01.001"));
    EXPECT_TRUE(q.isNull(S("MUH_CHES")));
    EXPECT_FALSE(q.next());
    EXPECT_FALSE(TFormBankaBr(ctx, 0, {}, {}).findChild<QPushButton*>(S("BtnSec_MUH_KOMISYON"))->isEnabled());
}

// A clerk types a transfer received from a customer, tries the other side
// of the line, saves, and finds it in the list; then deletes it there.
TEST_F(BankaFormTest, AVoucherTypedInTheFormIsSavedListedAndDeleted)
{
    BankaHrkFisi yeni;
    yeni.HRK_NO = YeniBankaHrkNo(db);
    yeni.TIP = S("G");
    yeni.TARIH = QDate(2026, 3, 10);
    TFormBankaHrk f(ctx, yeni);
    EXPECT_TRUE(f.GridSatir->isColumnHidden(TFormBankaHrk::K_ALACAK));
    EXPECT_FALSE(f.GridSatir->isColumnHidden(TFormBankaHrk::K_CARI_KOD));
    const int r = f.satirEkle();
    f.bankaSecildi(r, TBankParam{S("ZB"), S("Ziraat Bankası"), S("100"), 0, S("1"), S("TL"), S("Merkez"), {}}, true);
    f.cariSecildi(r, S("C1"));
    EXPECT_TRUE(f.hucreYaz(r, TFormBankaHrk::K_BORC, S("1.250,50")));
    EXPECT_FALSE(f.hucreYaz(r, TFormBankaHrk::K_ALACAK, S("10")));
    EXPECT_FALSE(f.hucreYaz(r, TFormBankaHrk::K_BORC_DVZ, S("abc")));
    EXPECT_EQ(f.fis().satirlar[0].ALACAK, 0);
    EXPECT_EQ(f.fis().satirlar[0].ACIKLAMA,
              S(" Ziraat Bankası-100 Hesap No.lu Banka  C1-Ayşe Yılmaz Carinin Gelen Havaleler İşlemi."));
    f.BtnKaydet->click();
    EXPECT_EQ(f.result(), int(QDialog::Accepted));
    EXPECT_EQ(say("SELECT COUNT(*) FROM BANKHRKA"), 1);
    EXPECT_EQ(say("SELECT COUNT(*) FROM CARIHRK WHERE CRHRK_TUR='G' AND ALACAK > 1250.49 AND ALACAK < 1250.51"), 1);

    TFormBankHrkBr br(ctx, 0);
    ASSERT_EQ(br.satirSayisi(), 1);
    EXPECT_EQ(br.GridFis->item(0, 4)->text(), S("Gelen Havaleler"));
    EXPECT_EQ(br.GridSatir->rowCount(), 1);
    EXPECT_EQ(br.MenuYeni->actions().size(), 8);
    br.CbTipi->setCurrentIndex(br.CbTipi->findData(S("H")));
    br.BtnFiltrele->click();
    EXPECT_EQ(br.satirSayisi(), 0);
    br.BtnFiltreKaldir->click();
    ASSERT_EQ(br.satirSayisi(), 1);
    messages.answer(MsgYes);
    br.BtnSil->click();
    EXPECT_EQ(br.satirSayisi(), 0);
    EXPECT_EQ(say("SELECT COUNT(*) FROM CARIHRK"), 0);
}

TEST_F(BankaFormTest, TheStatementShowsRowsKindsAndBalance)
{
    BankaHrkFisi f;
    f.TIP = S("A");
    f.TARIH = QDate(2026, 3, 10);
    BankaHrkaSatiri s;
    s.SIRANO = 1;
    s.BANKA_KOD = S("ZB");
    s.HESAP_NO = S("100");
    s.BORC = 1500;
    s.DOVIZ_KODU = S("TL");
    s.TL_USDEGER = 40;
    f.satirlar << s;
    BankaHrkKaydet(ctx, db, f);
    TFormBHrkBak e(ctx, S("Ziraat Bankası"), S("ZB"), S("100"));
    EXPECT_EQ(e.windowTitle(), S("Ziraat Bankası/ZB/100"));
    EXPECT_EQ(e.GridHareket->rowCount(), 1);
    EXPECT_EQ(e.GridHareket->item(0, 1)->text(), S("Açılış"));
    EXPECT_EQ(e.GridTurToplam->rowCount(), 1);
    EXPECT_EQ(e.GridBakiye->item(0, 3)->text(), S("1.500,00 (B)"));
}

// The cashier takes money from a customer on a collection slip, is warned
// when a cash line goes out, saves, and deletes the slip from the list.
TEST_F(BankaFormTest, ACollectionSlipTypedInTheFormIsSavedListedAndDeleted)
{
    ctx.AktifKullanici.diger21 = S("Y");
    KasaKaydet(db, {S("MERKEZ"), S("Merkez Kasa")}, true);
    MahsupFisi yeni;
    yeni.HRK_NO = YeniMahsupFisNo(db);
    yeni.TIP = S("N");
    yeni.TARIH = QDate(2026, 3, 10);
    TFormMFis f(ctx, yeni, S("C1"), S("Ayşe Yılmaz"));
    EXPECT_EQ(f.LblTipi->text(), S("Kasa Tahsil Fişi"));
    EXPECT_EQ(f.LblSecilenCari->text(), S("Seçilen Cari : C1 Ayşe Yılmaz"));
    const int k = f.satirEkle(S("K"));
    f.kodSecildi(k, S("MERKEZ"), S("Merkez Kasa"));
    EXPECT_TRUE(f.hucreYaz(k, TFormMFis::K_ALACAK, S("250")));
    EXPECT_EQ(messages.lastText(), KasaKuraliText());
    EXPECT_TRUE(f.hucreYaz(k, TFormMFis::K_ALACAK, S("")));
    EXPECT_TRUE(f.hucreYaz(k, TFormMFis::K_BORC, S("250")));
    const int c = f.satirEkle(S("C"));
    f.kodSecildi(c, S("C1"), S("Ayşe Yılmaz"));
    EXPECT_FALSE(f.hucreYaz(c, TFormMFis::K_KOD, S("BASKA")));
    EXPECT_TRUE(f.hucreYaz(c, TFormMFis::K_ALACAK, S("250")));
    EXPECT_FALSE(f.hucreYaz(c, TFormMFis::K_BORC, S("1")));
    f.BtnSakla->click();
    ASSERT_EQ(f.result(), int(QDialog::Accepted));
    EXPECT_EQ(say("SELECT COUNT(*) FROM KASAHRKT WHERE REF_TIP='M' AND TIP='B'"), 1);
    EXPECT_EQ(say("SELECT COUNT(*) FROM CARIHRK WHERE CRHRK_TUR='M'"), 1);

    TFormMFisBr br(ctx, 0, {}, {});
    ASSERT_EQ(br.satirSayisi(), 1);
    EXPECT_EQ(br.GridFis->item(0, 2)->text(), S("Kasa Tahsil Fişi"));
    EXPECT_EQ(br.GridFis->item(0, 3)->text(), S("250,00"));
    EXPECT_EQ(br.GridSatir->rowCount(), 2);
    EXPECT_EQ(br.MenuYeni->actions().size(), 4);
    br.EditKod->setText(S("ZZ"));
    br.BtnFiltrele->click();
    EXPECT_EQ(br.satirSayisi(), 0);
    br.EditKod->setText(S("C"));
    br.BtnFiltrele->click();
    ASSERT_EQ(br.satirSayisi(), 1);
    messages.answer(MsgYes);
    br.BtnSil->click();
    EXPECT_EQ(br.satirSayisi(), 0);
    EXPECT_EQ(say("SELECT COUNT(*) FROM KASAHRKT") + say("SELECT COUNT(*) FROM CARIHRK"), 0);
}

TEST_F(BankaFormTest, TheSearchFieldsFindANumberOrADayInTheList)
{
    QTableWidget g(4, 2);
    const char* satirlar[][2] = {{"1.234", "05.03.2026"}, {"17", "01.03.2026"}, {"", "10.03.2026"}, {"1.240", "12.03.2026"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 2; ++c)
            g.setItem(r, c, new QTableWidgetItem(S(satirlar[r][c])));
    const AramaAlani no{"EditAraHrkNo", S("Aranan Hrk.No"), 0};
    const AramaAlani trh{"EditAraTarih", S("Aranan Trh."), 1, AramaAlani::Tarih};
    struct Case {
        const AramaAlani* alan;
        const char* aranan;
        int satir;
    };
    for (const Case& c : {Case{&no, "1234", 0}, Case{&no, "17", 1}, Case{&no, "1.240", 3}, Case{&no, "0", -1},
                          Case{&trh, "01.03.2026", 1}, Case{&trh, "06.03.2026", 2}, Case{&trh, "13.03.2026", -1}})
        EXPECT_EQ(AramaSatiri(&g, *c.alan, S(c.aranan)), c.satir) << c.aranan;
    EXPECT_FALSE(Guard([&] { AramaSatiri(&g, trh, S("31.02.2026")); }));
    EXPECT_EQ(messages.lastText(), S("31.02.2026 geçerli bir tarih değil."));

    // In the window, Enter in the field moves the list.
    TFormMFisBr br(ctx, 0, {}, {});
    EXPECT_TRUE(br.findChild<QLineEdit*>(S("EditAraFisNo")));
    EXPECT_TRUE(br.findChild<QLineEdit*>(S("EditAraTarih")));
}

TEST_F(BankaFormTest, TheOpenersAreRegisteredForTheMainWindowAndTheInvoice)
{
    accounts::RegisterEntryPoints();
    for (const char* ad : {entry::BankaSec, entry::BankaHrkSec, entry::BankaHrkGir, entry::BankaHrkFaturaOdeme,
                           entry::MFisSec, entry::MahsupFisiGir, entry::HizliBorcKapaAc, entry::DokumanlarAc})
        EXPECT_TRUE(Targets().isRegistered(QLatin1String(ad))) << ad;
}

} // namespace
