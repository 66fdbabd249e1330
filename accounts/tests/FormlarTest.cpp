#include "accounts/AccountsSchema.h"
#include "accounts/cards/BrCari.h"
#include "accounts/cards/CariSakla.h"
#include "accounts/cards/brcari2.h"
#include "accounts/cash/Kasa.h"
#include "accounts/cash/KasaBr.h"
#include "accounts/cash/KasaHrkBr.h"
#include "accounts/vouchers/BrCarHrk.h"
#include "accounts/vouchers/CariHark.h"
#include "testsupport/TestSupport.h"
#include "db/DbError.h"
#include "guard/FormGuard.h"
#include "services/KurBul.h"

#include <QAction>
#include <QApplication>
#include <functional>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace tornaly;
using namespace tornaly::accounts;

namespace {

class FormlarTest : public test::DbTest {
protected:
    void registerSchema() override { accounts::RegisterSchema(); }
    void SetUp() override
    {
        test::DbTest::SetUp();
        ctx.Database1 = db;
        ctx.AktifKullanici.cari = QStringLiteral("Y");
        ctx.AktifKullanici.diger09 = QStringLiteral("Y");
        ctx.AktifKullanici.carihrk = QStringLiteral("H");
        ctx.AktifKullanici.caribakiye = QStringLiteral("H");
        const char* kayitlar[][4] = {{"12001", "Ayşe Yılmaz", "K", ""},   {"12002", "İSTANBUL OTO", "R", "B01"},
                                     {"12003", "ışık ltd", "B", "B01"},  {"3201", "Tedarik A.Ş.", "T", ""},
                                     {"1X", "Başka", "B", "B02"}};
        for (const auto& k : kayitlar)
            db.exec(QStringLiteral("INSERT INTO CARI (CARI_KOD, FIRMA_ADI, CARI_GRP_KOD, MERKEZ_BAYI, TEL1, FAKS, "
                                   "DOVIZ) VALUES (:K, :A, :G, :B, '(212)555 1234', '(212)555 9999', 'TL')"),
                    {{QStringLiteral("K"), QLatin1String(k[0])}, {QStringLiteral("A"), QString::fromUtf8(k[1])},
                     {QStringLiteral("G"), QLatin1String(k[2])}, {QStringLiteral("B"), QLatin1String(k[3])}});
        db.exec(QStringLiteral("INSERT INTO CARIHRK (CARI_NO, SIRANO, CARI_KOD, BORC, ALACAK) VALUES "
                               "(1, 1, '12002', 50, NULL), (1, 2, '12002', NULL, 200)"));
        KasaKaydi k;
        k.KASAKOD = QStringLiteral("MERKEZ");
        k.ADI = QStringLiteral("Merkez");
        KasaKaydet(db, k, true);
    }

    static QStringList kodlar(const ListeModeli* m)
    {
        QStringList out;
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->deger(r, QStringLiteral("CARI_KOD")).toString();
        return out;
    }
    static bool sec(QTableView* v, const ListeModeli* m, const QString& kod)
    {
        for (int r = 0; r < m->rowCount(); ++r)
            if (m->deger(r, QStringLiteral("CARI_KOD")).toString() == kod) {
                v->setCurrentIndex(m->index(r, 0));
                return true;
            }
        return false;
    }
};

TEST_F(FormlarTest, PickerModesAndTheirResults)
{
    // Mode 1: the list stays empty until a search; a pick returns code, record and balance.
    TFormCariBr f1(ctx, 1, nullptr);
    EXPECT_FALSE(f1.TableBr->isOpen());
    EXPECT_FALSE(f1.BtnSec->isHidden());
    EXPECT_TRUE(f1.BtnSec->isEnabled());
    EXPECT_TRUE(f1.BtnYeni->isEnabled());
    ASSERT_TRUE(f1.aramaYap(CariAramaAlani::Kod, QStringLiteral("120")));
    EXPECT_EQ(kodlar(f1.TableBr), (QStringList{QStringLiteral("12001"), QStringLiteral("12002"), QStringLiteral("12003")}));
    ASSERT_TRUE(sec(f1.cxGrid, f1.TableBr, QStringLiteral("12002")));
    EXPECT_EQ(f1.LblKalanBaslik->text(), QStringLiteral("KALAN (ALACAK)"));
    EXPECT_EQ(f1.LblKalan->text(), QStringLiteral("150,00"));
    f1.BtnSecClick();
    EXPECT_EQ(f1.result(), QDialog::Accepted);
    EXPECT_EQ(f1.sonuc, QStringLiteral("12002"));
    EXPECT_EQ(f1.secilen.CariAd, QStringLiteral("İSTANBUL OTO"));
    EXPECT_EQ(f1.secilen.CariFax, QStringLiteral("(212)555 9999"));
    EXPECT_DOUBLE_EQ(SecilenCariBakiye, -150);

    // A group limit survives a search.
    TFormCariBr g(ctx, 1, nullptr);
    g.grupSinirla(QStringLiteral("B"));
    g.aramaYap(CariAramaAlani::Kod, QStringLiteral("1"));
    EXPECT_EQ(kodlar(g.TableBr), (QStringList{QStringLiteral("12003"), QStringLiteral("1X")}));

    // Mode 2: one dealer's accounts, pick only.
    TFormCariBr f2(ctx, 2, nullptr);
    f2.bayiSinirla(QStringLiteral("B01"));
    f2.listeyiAc();
    EXPECT_EQ(kodlar(f2.TableBr), (QStringList{QStringLiteral("12002"), QStringLiteral("12003")}));
    EXPECT_FALSE(f2.BtnYeni->isEnabled());
    EXPECT_FALSE(f2.BtnDuzenle->isEnabled());
    f2.aramaYap(CariAramaAlani::Ad, QStringLiteral("IŞ"));
    EXPECT_EQ(kodlar(f2.TableBr), QStringList{QStringLiteral("12003")});
    f2.BtnSecClick();
    EXPECT_EQ(f2.secilen.CariKod, QStringLiteral("12003"));

    // Mode 5: a look-up; the pick button shows but does not act.
    TFormCariBr f5(ctx, 5, nullptr);
    EXPECT_FALSE(f5.BtnSec->isHidden());
    EXPECT_FALSE(f5.BtnSec->isEnabled());

    // The openers return what the form picked, and nothing on "Kapat".
    QTimer::singleShot(0, [] {
        auto* f = qobject_cast<TFormCariBr*>(QApplication::activeModalWidget());
        ASSERT_TRUE(f);
        f->aramaYap(CariAramaAlani::Kod, QStringLiteral("3201"));
        f->BtnSecClick();
    });
    EXPECT_EQ(CariSec(ctx, 1), QStringLiteral("3201"));
    QTimer::singleShot(0, [] {
        auto* f = qobject_cast<TFormCariBr*>(QApplication::activeModalWidget());
        ASSERT_TRUE(f);
        EXPECT_EQ(FormlarTest::kodlar(f->TableBr), (QStringList{QStringLiteral("12003"), QStringLiteral("1X")}));
        f->BtnSecClick();
    });
    EXPECT_EQ(CariSecKayit(ctx, 1, QStringLiteral("B")).CariKod, QStringLiteral("12003"));
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->findChild<QPushButton*>(QStringLiteral("BtnKapat"))->click(); });
    EXPECT_TRUE(CariSec2Grup(ctx, 1, QStringLiteral("B")).bos());
}

// "Cari Hareketleri İzle" opens the current account's movements.
TEST_F(FormlarTest, WatchingMovementsOpensTheAccountsStatement)
{
    ctx.AktifKullanici.carihrkizle = QStringLiteral("O");
    TFormCariBr f(ctx, 0, nullptr);
    ASSERT_TRUE(f.aramaYap(CariAramaAlani::Kod, QStringLiteral("12002")));
    ASSERT_TRUE(sec(f.cxGrid, f.TableBr, QStringLiteral("12002")));
    ASSERT_TRUE(f.BtnHareketIzle->isEnabled());
    QString acilan;
    QTimer::singleShot(0, [&] {
        QWidget* w = QApplication::activeModalWidget();
        ASSERT_TRUE(w);
        acilan = QString::fromLatin1(w->metaObject()->className());
        w->close();
    });
    f.BtnHareketIzle->click();
    EXPECT_EQ(acilan, QStringLiteral("tornaly::accounts::TFormCariHrk"));
}

TEST_F(FormlarTest, LightPickerFiltersByGroupAndReturnsTheRecord)
{
    TFormCariBr2 f(ctx, 1, nullptr);
    f.grupFiltresi(QStringLiteral("B"));
    f.aramaYap(CariAramaAlani::Kod, QStringLiteral("1"));
    EXPECT_EQ(kodlar(f.TableBr), (QStringList{QStringLiteral("12003"), QStringLiteral("1X")}));
    f.grupFiltresi(QString());
    f.listeyiAc();
    EXPECT_EQ(f.TableBr->rowCount(), 4);
    messages.answer(MsgYes);
    f.aramaYap(CariAramaAlani::Kod, QString());
    EXPECT_EQ(messages.lastText(), QStringLiteral("Tüm kayıtları görmek istiyor musunuz?"));
    EXPECT_EQ(f.TableBr->rowCount(), 5);
    sec(f.cxGrid, f.TableBr, QStringLiteral("3201"));
    f.BtnSecClick();
    EXPECT_EQ(f.secilen.CariKod, QStringLiteral("3201"));
    EXPECT_EQ(f.secilen.CariTel, QStringLiteral("(212)555 1234"));
}

TEST_F(FormlarTest, CardFormSavesTypedFieldsAndShowsTheChecks)
{
    TFormCariSakla f(ctx, QString(), 1, nullptr);
    EXPECT_TRUE(f.BtnSonKod->isEnabled());
    QTest::keyClicks(f.alan(QStringLiteral("CARI_KOD")), QStringLiteral("120"));
    f.BtnSonKodClick();
    EXPECT_EQ(f.text(QStringLiteral("CARI_KOD")), QStringLiteral("12003"));
    f.setText(QStringLiteral("CARI_KOD"), QStringLiteral("12004"));
    f.setText(QStringLiteral("FIRMA_ADI"), QStringLiteral("Yeni Müşteri"));
    QTest::keyClicks(f.alan(QStringLiteral("TEL3")), QStringLiteral("5321112233"));
    QTest::keyClicks(f.alan(QStringLiteral("RISK_LIMITI")), QStringLiteral("1.500,50"));
    f.BtnSaklaClick();
    EXPECT_EQ(messages.lastText(), QStringLiteral("İli Alanı Boş Geçilemez."));
    EXPECT_EQ(f.result(), 0);

    qobject_cast<QComboBox*>(f.alan(QStringLiteral("ULKE")))->addItem(QStringLiteral("ALMANYA"));
    f.setText(QStringLiteral("ULKE"), QStringLiteral("ALMANYA"));
    f.BtnSaklaClick();
    ASSERT_EQ(f.result(), QDialog::Accepted) << messages.lastText().toStdString();
    const auto k = CariKartOku(db, QStringLiteral("12004"));
    ASSERT_TRUE(k);
    EXPECT_EQ(k->str("TEL3"), QStringLiteral("(532)111 2233"));
    EXPECT_DOUBLE_EQ(k->cari.value(QStringLiteral("RISK_LIMITI")).toDouble(), 1500.5);
    EXPECT_EQ(k->str("DOVIZ"), QStringLiteral("TL"));

    // Mode 0 on a code that does not exist starts a new card with the code locked.
    TFormCariSakla yok(ctx, QStringLiteral("999"), 0, nullptr);
    EXPECT_TRUE(yok.yeniKayit());
    EXPECT_TRUE(qobject_cast<QLineEdit*>(yok.alan(QStringLiteral("CARI_KOD")))->isReadOnly());
    EXPECT_FALSE(yok.BtnSonKod->isEnabled());

    // A copy saved under its source's code is refused.
    TFormCariSakla kopya(ctx, QStringLiteral("12004"), 1, nullptr);
    EXPECT_EQ(kopya.text(QStringLiteral("FIRMA_ADI")), QStringLiteral("Yeni Müşteri"));
    // The button runs the save through the window's guard, which shows the refusal.
    kopya.BtnSakla->click();
    EXPECT_EQ(messages.lastText(), CariKoduKullanilmisText());
    EXPECT_EQ(kopya.result(), 0);

    // A bank row needs a code first.
    TFormCariSakla bos(ctx, QString(), 1, nullptr);
    bos.BtnBankaEkleClick();
    EXPECT_EQ(messages.lastText(), QStringLiteral("Cari kodu girdikten sonra tanımlayınız!"));
    EXPECT_EQ(bos.GridBanka->rowCount(), 0);

    ctx.AktifKullanici.cari = QStringLiteral("O");
    EXPECT_TRUE(CariKartAc(ctx, QStringLiteral("12004"), 0).isEmpty());
    EXPECT_EQ(messages.lastText(), CariKartYetkiYokText());
}

// Choosing a province puts its area code into the empty phones; a phone left
// with only that code is stored as nothing, a typed one as typed.
TEST_F(FormlarTest, APhoneLeftWithItsAreaCodeAloneIsStoredAsNothing)
{
    TFormCariSakla f(ctx, QString(), 1, nullptr);
    f.setText(QStringLiteral("CARI_KOD"), QStringLiteral("12005"));
    f.setText(QStringLiteral("FIRMA_ADI"), QStringLiteral("Alan Kodlu Müşteri"));
    f.setText(QStringLiteral("ILI"), QStringLiteral("İSTANBUL"));
    f.ILIExit();
    EXPECT_EQ(f.text(QStringLiteral("TEL1")), QString());
    EXPECT_TRUE(qobject_cast<QLineEdit*>(f.alan(QStringLiteral("TEL1")))->displayText().startsWith(QStringLiteral("(212)")));
    QTest::keyClicks(f.alan(QStringLiteral("TEL3")), QStringLiteral("5321112233"));
    f.BtnSaklaClick();
    ASSERT_EQ(f.result(), QDialog::Accepted) << messages.lastText().toStdString();
    Query q(db, QStringLiteral("SELECT TEL1, TEL2, TEL3, FAKS FROM CARI WHERE CARI_KOD = '12005'"));
    q.exec();
    ASSERT_TRUE(q.next());
    for (const char* kolon : {"TEL1", "TEL2", "FAKS"})
        EXPECT_EQ(q.str(QLatin1String(kolon)), QString()) << kolon;
    EXPECT_EQ(q.str(QStringLiteral("TEL3")), QStringLiteral("(532)111 2233"));
}

TEST(CariMaske, APhoneIsStoredAsTypedOrNotAtAll)
{
    struct C {
        const char* deger;
        const char* saklanan;
    } const durumlar[] = {{"(212)      -", ""},
                          {"(212)", ""},
                          {"(   )   -", ""},
                          {"(212)555 1234-", "(212)555 1234"},
                          {"(212)555 1234-12", "(212)555 1234-12"},
                          {"(532)111 2233", "(532)111 2233"},
                          {"12345678901", "12345678901"}};
    for (const C& c : durumlar)
        EXPECT_EQ(TelefonDegeri(QString::fromLatin1(c.deger)), QString::fromLatin1(c.saklanan)) << c.deger;
}

// Phones that earlier versions stored with the mask alone are cleared when the
// company is opened; typed numbers stay.
TEST_F(FormlarTest, PhonesStoredWithTheMaskAloneAreCleared)
{
    db.exec(QStringLiteral("INSERT INTO CARI (CARI_KOD, TEL1, TEL2, TEL3, FAKS) VALUES "
                           "('M1', '(212)      -', '(212)555 1234-', '(532)111 2233', '(212)')"));
    EXPECT_EQ(CariTelefonlariniTemizle(db), 3);
    Query q(db, QStringLiteral("SELECT TEL1, TEL2, TEL3, FAKS FROM CARI WHERE CARI_KOD = 'M1'"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_TRUE(q.value(QStringLiteral("TEL1")).isNull());
    EXPECT_EQ(q.str(QStringLiteral("TEL2")), QStringLiteral("(212)555 1234"));
    EXPECT_EQ(q.str(QStringLiteral("TEL3")), QStringLiteral("(532)111 2233"));
    EXPECT_TRUE(q.value(QStringLiteral("FAKS")).isNull());
    EXPECT_EQ(CariTelefonlariniTemizle(db), 0);
}

TEST_F(FormlarTest, VoucherFormKeepsOneSidePerLineAndSavesWithMirrors)
{
    CariHrkFisi fis;
    fis.TIP = QStringLiteral("N");
    fis.TARIH = QDate(2026, 5, 2);
    TFormCariHarek f(ctx, fis, QStringLiteral("B"), QStringLiteral("12001"), QStringLiteral("Ayşe Yılmaz"), nullptr);
    EXPECT_EQ(f.LblTipi->text(), QStringLiteral("Nakit Tahsilat"));
    EXPECT_TRUE(f.cxGrid->isColumnHidden(TFormCariHarek::K_BORC));
    EXPECT_FALSE(f.cxGrid->isColumnHidden(TFormCariHarek::K_ALACAK));
    EXPECT_FALSE(f.EditBelgeNo->isHidden());

    const int r = f.satirEkle();
    EXPECT_EQ(f.fis().satirlar.at(r).CARI_KOD, QStringLiteral("12001"));
    f.fis();
    EXPECT_FALSE(f.hucreYaz(r, TFormCariHarek::K_ALACAK, QStringLiteral("on iki")));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Geçersiz tutar: on iki"));
    EXPECT_TRUE(f.hucreYaz(r, TFormCariHarek::K_ALACAK, QStringLiteral("1.234,50")));
    EXPECT_FALSE(f.hucreYaz(r, TFormCariHarek::K_BORC, QStringLiteral("5")));
    EXPECT_EQ(f.LblToplamAlacak->text(), QStringLiteral("1.234,50"));

    // No cash box yet (no default): refused, nothing written.
    EXPECT_FALSE(f.kaydet());
    EXPECT_EQ(messages.lastText(), QStringLiteral("Kasa Kodu Seçilmelidir !"));
    Query q0(db, QStringLiteral("SELECT COUNT(*) FROM CARIHRKM"));
    q0.exec();
    q0.next();
    EXPECT_EQ(q0.value(0).toInt(), 0);

    auto fisCopy = f.fis();
    fisCopy.satirlar[0].KASAKOD = QStringLiteral("MERKEZ");
    TFormCariHarek f2(ctx, fisCopy, QStringLiteral("B"), {}, {}, nullptr);
    messages.answer(MsgYes);
    f2.BtnSaklaClick();
    EXPECT_EQ(messages.lastText(), QStringLiteral("Kayıt saklandı. Şimdi çıkmak istiyor musunuz?"));
    EXPECT_EQ(f2.result(), QDialog::Accepted);
    EXPECT_GT(f2.A_KODU, 0);
    EXPECT_DOUBLE_EQ(KasaBakiye(db, QStringLiteral("MERKEZ")), 1234.5);

    // The browse lists it and refuses to delete it once posted.
    TFormCariHrkBr br(ctx, 0, QString(), QString(), nullptr);
    EXPECT_EQ(br.TableBr->rowCount(), 1);
    // Amounts and dates as the list shows them.
    EXPECT_EQ(br.TableBr->index(0, br.TableBr->columnOf(QStringLiteral("ALACAK"))).data().toString(),
              QStringLiteral("1.234,50"));
    EXPECT_EQ(br.TableBr->index(0, br.TableBr->columnOf(QStringLiteral("TARIH"))).data().toString(),
              QStringLiteral("02.05.26"));
    EXPECT_EQ(br.QAyr->rowCount(), 1);
    db.exec(QStringLiteral("UPDATE CARIHRKM SET FIS_NO=5"));
    br.listeyiAc();
    br.btnDeleteClick();
    EXPECT_EQ(messages.lastText(), MuhasebeFisiVarText());
    db.exec(QStringLiteral("UPDATE CARIHRKM SET FIS_NO=NULL"));
    br.listeyiAc();
    messages.answer(MsgYes);
    br.btnDeleteClick();
    EXPECT_EQ(br.TableBr->rowCount(), 0);
    EXPECT_DOUBLE_EQ(KasaBakiye(db, QStringLiteral("MERKEZ")), 0);
}

TEST(CariHrkListe, SortChoicesUseTheirOwnColumnsAndFiltersAreBound)
{
    const Db db;
    Q_UNUSED(db);
    test::TestDatabase d;
    CariHrkFiltresi f;
    f.tip = QStringLiteral("N");
    f.son = QDate(2026, 3, 31);
    f.cariKod = QStringLiteral("12'%");
    const SqlText t = CariHrkListeSorgusu(d.db(), f, CariHrkSiralama::Tarih);
    EXPECT_TRUE(t.lines.last().endsWith(QStringLiteral("CARIHRKM.TARIH")));
    EXPECT_TRUE(CariHrkListeSorgusu(d.db(), {}, CariHrkSiralama::HrkNo).lines.last().endsWith(QStringLiteral("CARI_NO")));
    EXPECT_FALSE(t.text().contains(QStringLiteral("12'")));
    EXPECT_EQ(t.binds.value(QStringLiteral("KOD")).toString(), QStringLiteral("12'\\%%"));
    EXPECT_EQ(t.binds.value(QStringLiteral("SON")).toDate(), QDate(2026, 4, 1));
}

} // namespace

namespace {

// The account list reads the balances of the current row as the user moves in
// it. A database failure there (here the movements table is gone) is one
// message, and the list stays open and searchable.
TEST_F(FormlarTest, ABalanceThatCannotBeReadIsOneMessageAndTheListStaysUsable)
{
    TFormCariBr f(ctx, 1, nullptr);
    f.show();
    ASSERT_TRUE(f.aramaYap(CariAramaAlani::Kod, QStringLiteral("120")));
    db.exec(QStringLiteral("ALTER TABLE CARIHRK RENAME TO CARIHRK_YOK"));
    messages.clear();

    ASSERT_TRUE(sec(f.cxGrid, f.TableBr, QStringLiteral("12002")));
    ASSERT_EQ(messages.count(), 1) << messages.texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(messages.lastText(), FailureText(std::make_exception_ptr(DbError(DbError::Kind::Other, {}))));

    // "Seç" reads the balance too: one more message, the list is not closed.
    f.BtnSec->click();
    EXPECT_EQ(messages.count(), 2);
    EXPECT_TRUE(f.isVisible());
    EXPECT_NE(f.result(), QDialog::Accepted);

    // Once the table is back, the same window searches and picks.
    db.exec(QStringLiteral("ALTER TABLE CARIHRK_YOK RENAME TO CARIHRK"));
    f.aramaYap(CariAramaAlani::Kod, QStringLiteral("3201")); // the first Enter after a search moves to the grid
    ASSERT_TRUE(f.aramaYap(CariAramaAlani::Kod, QStringLiteral("3201")));
    EXPECT_EQ(kodlar(f.TableBr), QStringList{QStringLiteral("3201")});
    ASSERT_TRUE(sec(f.cxGrid, f.TableBr, QStringLiteral("3201")));
    f.BtnSec->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(f.sonuc, QStringLiteral("3201"));
    EXPECT_EQ(messages.count(), 2);
}

// The cash windows leave what their services throw to the button's guard:
// the clerk reads one message, the window stays open and nothing is written.
TEST_F(FormlarTest, CashWindowsShowWhatTheirServicesThrowAndWriteNothing)
{
    KasaKaydet(db, {QStringLiteral("SERVIS"), QStringLiteral("Servis")}, true);
    const QDate gun(2026, 3, 10);
    auto hareketSakla = [&](QChar tur, QChar baz, const QString& karsi) {
        KasaHareketi h;
        h.TARIH = gun;
        h.HRK_TURU = tur;
        h.KASAKOD = QStringLiteral("MERKEZ");
        h.KARSIKOD = karsi;
        h.PARA_BAZ = baz;
        h.TUTAR = 250;
        h.TUTAR_USD = baz == QLatin1Char('U') ? 10 : 0;
        TFormKasaHrkYaz f(ctx, h, nullptr);
        f.BtnSakla->click();
        return f.result();
    };
    struct Case {
        const char* ad;
        std::function<void()> hazirla;
        std::function<int()> tikla;
        QString mesaj;
        MsgIcon ikon;
    };
    const QList<Case> cases{
        {"a transfer whose second row the database refuses",
         [&] { db.exec(QStringLiteral("CREATE UNIQUE INDEX KASAHRKT_TEK_NO ON KASAHRKT (HRKNO)")); },
         [&] { return hareketSakla(QLatin1Char('B'), QLatin1Char('T'), QStringLiteral("SERVIS")); },
         FailureText(std::make_exception_ptr(DbError(DbError::Kind::UniqueViolation, {}))), MsgIcon::Error},
        {"an opening in dollars on a day without a dollar rate", [] {},
         [&] { return hareketSakla(QLatin1Char('I'), QLatin1Char('U'), {}); }, KurYokMesaji(QStringLiteral("USD"), gun),
         MsgIcon::Warning},
        {"a box card under a code in use", [] {},
         [&] {
             TFormKasaSakla f(ctx, {}, true, nullptr);
             f.KASAKOD->setText(QStringLiteral("MERKEZ"));
             f.ADI->setText(QStringLiteral("Başka"));
             f.BtnSakla->click();
             return f.result();
         },
         KasaKoduKullanilmisText(), MsgIcon::Warning},
    };
    auto say = [&](const QString& sql) {
        Query q(db, sql);
        q.exec();
        q.next();
        return q.value(0).toInt();
    };
    for (const Case& c : cases) {
        c.hazirla();
        messages.clear();
        EXPECT_NE(c.tikla(), QDialog::Accepted) << c.ad;
        ASSERT_EQ(messages.count(), 1) << c.ad;
        EXPECT_EQ(messages.lastText(), c.mesaj) << c.ad;
        EXPECT_EQ(messages.entries().last().icon, c.ikon) << c.ad;
        EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM KASAHRKT")), 0) << c.ad;
        EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM KASA WHERE ADI <> 'Merkez' AND ADI <> 'Servis'")), 0)
            << c.ad;
    }
}

} // namespace

namespace {

// The voucher list's three searches move to the head they name; a number that
// does not parse is refused with the usual message and the row stays.
TEST_F(FormlarTest, VoucherListSearchesMoveToTheHead)
{
    const char* basliklar[][3] = {{"1", "2026-01-05", ""}, {"2", "2026-02-10", "77"}, {"3", "2026-03-15", ""}};
    for (const auto& b : basliklar)
        db.exec(QStringLiteral("INSERT INTO CARIHRKM (CARI_NO, TARIH, TIP, BORC, ALACAK, FIS_NO) VALUES "
                               "(:N, :T, 'D', 10, 10, :F)"),
                {{QStringLiteral("N"), QString::fromLatin1(b[0]).toDouble()},
                 {QStringLiteral("T"), QDateTime(QDate::fromString(QLatin1String(b[1]), Qt::ISODate), QTime(0, 0))},
                 {QStringLiteral("F"), *b[2] ? QVariant(QString::fromLatin1(b[2]).toDouble()) : QVariant()}});
    TFormCariHrkBr br(ctx, 0, QString(), QString(), nullptr);
    ASSERT_EQ(br.TableBr->rowCount(), 3);
    struct Case {
        const char* ad;
        std::function<void()> yap;
        double beklenen;
        QString mesaj;
    };
    const QList<Case> cases{
        {"Aranan Hrk. No", [&] { br.EditAraHrkNo->setText(QStringLiteral("3")); br.AraHrkNoEnter(); }, 3, {}},
        {"Muh.&Ref.No", [&] { br.EditAraMuhRef->setText(QStringLiteral("77")); br.AraMuhRefEnter(); }, 2, {}},
        {"Aranan Tarih",
         [&] {
             br.EditAraTarih->setDate(QDate(2026, 1, 5));
             QTest::keyClick(br.EditAraTarih, Qt::Key_Return);
         },
         1, {}},
        {"number that does not parse",
         [&] { br.EditAraHrkNo->setText(QStringLiteral("1x")); br.AraHrkNoEnter(); }, 1,
         QStringLiteral("\"1x\" geçerli bir sayı değil.")},
    };
    for (const Case& c : cases) {
        messages.clear();
        c.yap();
        EXPECT_EQ(br.currentNo(), c.beklenen) << c.ad;
        EXPECT_EQ(messages.texts().value(0), c.mesaj) << c.ad;
    }
}

// While a voucher list is open the account list opens no second one; the
// grid's view is kept for the next opening.
TEST_F(FormlarTest, AccountListGuardsTheOpenVoucherListAndKeepsItsView)
{
    TFormCariBr f(ctx, 0, nullptr);
    ASSERT_TRUE(f.aramaYap(CariAramaAlani::Kod, QStringLiteral("12002")));
    ASSERT_TRUE(f.BtnHareketGiris->isEnabled());
    {
        TFormCariHrkBr acik(ctx, 0, QString(), QString(), nullptr);
        messages.clear();
        f.BtnHareketGiris->click();
        EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Cari Hareket Giriş Penceresi Açık!")});
    }
    EXPECT_EQ(CariHrkPenceresiAcik(), 0);
    EXPECT_FALSE(f.BtnSms->isVisible());

    f.cxGrid->setColumnHidden(1, true);
    f.findChild<QAction*>(QStringLiteral("GorunumuSakla"))->trigger();
    TFormCariBr g(ctx, 0, nullptr);
    ASSERT_TRUE(g.aramaYap(CariAramaAlani::Kod, QStringLiteral("12002")));
    EXPECT_TRUE(g.cxGrid->isColumnHidden(1));
    EXPECT_FALSE(g.cxGrid->isColumnHidden(0));
    // The other tests of this process see the full view again.
    g.cxGrid->setColumnHidden(1, false);
    g.GorunumuSaklaClick();
}

} // namespace
