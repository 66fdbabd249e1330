#include "accounts/AccountsSchema.h"
#include "accounts/cash/Kasa.h"
#include "accounts/cash/KasaHrkBr.h"
#include <QLineEdit>
#include "services/MuhasebeEntegre.h"
#include "history/ChangeLogSchema.h"
#include "testsupport/TestSupport.h"

using namespace tornaly;
using namespace tornaly::accounts;

namespace {

class KasaTest : public test::DbTest {
protected:
    void registerSchema() override { accounts::RegisterSchema(); }
    void SetUp() override
    {
        test::DbTest::SetUp();
        KasaKaydet(db, {QStringLiteral("MERKEZ"), QStringLiteral("Merkez Kasa")}, true);
        KasaKaydet(db, {QStringLiteral("SERVIS"), QStringLiteral("Servis Kasası")}, true);
        db.exec(QStringLiteral("INSERT INTO KURDEGER (DOVIZ_KODU, TARIH, TLDEGERI_ALIS, TLDEGERI_SATIS) "
                               "VALUES ('USD', :T, 39, 40)"),
                {{QStringLiteral("T"), QDateTime(QDate(2026, 3, 1), QTime(0, 0))}});
    }

    int say(const QString& where)
    {
        Query q(db, QStringLiteral("SELECT COUNT(*) FROM KASAHRKT WHERE ") + where);
        q.exec();
        q.next();
        return q.value(0).toInt();
    }
};

TEST_F(KasaTest, BoxCardsRefuseEmptyOrDuplicateCodesAndDeletesWhileMovementsExist)
{
    try {
        KasaKaydet(db, {QString(), QStringLiteral("Adsız")}, true);
        FAIL();
    } catch (const KasaHatasi& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Kodu Bilgisini Vermeden Kayıt Saklanamaz."));
    }
    EXPECT_THROW(KasaKaydet(db, {QStringLiteral("MERKEZ"), QStringLiteral("Başka")}, true), KasaHatasi);
    EXPECT_EQ(KasaOku(db, QStringLiteral("MERKEZ"))->ADI, QStringLiteral("Merkez Kasa"));

    KasaHareketi h;
    h.TARIH = QDate(2026, 3, 10);
    h.HRK_TURU = QLatin1Char('I');
    h.KASAKOD = QStringLiteral("MERKEZ");
    h.TUTAR = 100;
    KasaHareketKaydet(ctx, db, h);
    try {
        KasaSil(db, QStringLiteral("MERKEZ"));
        FAIL();
    } catch (const KasaHatasi& e) {
        EXPECT_EQ(e.text(), KasaHareketVarText());
    }
    KasaSil(db, QStringLiteral("SERVIS"));
    EXPECT_FALSE(KasaVar(db, QStringLiteral("SERVIS")));
}

TEST_F(KasaTest, OpeningTakesTheDaysUsdRateAndIsNotRounded)
{
    KasaHareketi h;
    h.TARIH = QDate(2026, 3, 10);
    h.HRK_TURU = QLatin1Char('I');
    h.KASAKOD = QStringLiteral("MERKEZ");
    h.TUTAR = 100;
    h.TL_USDEGER = 1; // counts as none
    const double no = KasaHareketKaydet(ctx, db, h);
    const auto okunan = KasaHareketOku(db, no, QLatin1Char('I'));
    ASSERT_TRUE(okunan);
    EXPECT_DOUBLE_EQ(okunan->TL_USDEGER, 40);
    EXPECT_DOUBLE_EQ(okunan->TUTAR_USD, 2.5);
    EXPECT_DOUBLE_EQ(okunan->TUTAR_DVZ, 100);
    EXPECT_EQ(okunan->DOVIZ_KOD, QStringLiteral("TL"));
    EXPECT_DOUBLE_EQ(KasaBakiye(db, QStringLiteral("MERKEZ")), 100);

    struct C {
        double tutar;
        const char* tur;
        const char* karsi;
        const char* mesaj;
    } const red[] = {{0.00005, "I", "", "Tutar Yazın."},
                     {10, "B", "MERKEZ", "Virman Kasasını Belirleyin."},
                     {10, "V", "", "Virman Kasasını Belirleyin."}};
    for (const auto& c : red) {
        KasaHareketi r = h;
        r.TUTAR = c.tutar;
        r.HRK_TURU = QLatin1Char(c.tur[0]);
        r.KARSIKOD = QLatin1String(c.karsi);
        EXPECT_EQ(KasaHareketKontrol(r), QString::fromUtf8(c.mesaj));
    }
    KasaHareketi eur = h;
    eur.DOVIZ_KOD = QStringLiteral("EUR");
    eur.PARA_BAZ = QLatin1Char('D');
    eur.TUTAR_DVZ = 10;
    EXPECT_THROW(KasaHareketKaydet(ctx, db, eur), KasaHatasi);
    EXPECT_EQ(say(QStringLiteral("1=1")), 1);
}

TEST_F(KasaTest, TransferPairMovesTogetherWhenItsDateAndAmountChange)
{
    KasaHareketi h;
    h.TARIH = QDate(2026, 3, 10);
    h.HRK_TURU = QLatin1Char('B'); // received into SERVIS from MERKEZ
    h.KASAKOD = QStringLiteral("SERVIS");
    h.KARSIKOD = QStringLiteral("MERKEZ");
    h.TUTAR = 250;
    h.ACIKLAMA = QStringLiteral("Gün sonu");
    const double no = KasaHareketKaydet(ctx, db, h);
    EXPECT_EQ(say(QStringLiteral("KASAKOD='SERVIS' AND HRK_TURU='B' AND TIP='B' AND SIRANO=0")), 1);
    EXPECT_EQ(say(QStringLiteral("KASAKOD='MERKEZ' AND HRK_TURU='V' AND TIP='A' AND SIRANO=-1")), 1);
    EXPECT_EQ(say(QStringLiteral("ACIKLAMA IS NOT NULL")), 1);

    h.HRKNO = no;
    h.TARIH = QDate(2026, 3, 12);
    h.TUTAR = 300;
    KasaHareketKaydet(ctx, db, h);
    EXPECT_EQ(say(QStringLiteral("1=1")), 2);
    EXPECT_EQ(say(QStringLiteral("TUTAR=300")), 2);
    EXPECT_DOUBLE_EQ(KasaBakiye(db, QStringLiteral("MERKEZ")), -300);
    EXPECT_DOUBLE_EQ(KasaBakiye(db, QStringLiteral("SERVIS")), 300);

    EXPECT_EQ(KasaHareketSilKontrol(QVariant(12.0), QStringLiteral("w")),
              QStringLiteral("Bu Hareketin Muhasebe Kayıt Fişi Var. Silinemez."));
    EXPECT_EQ(KasaHareketSilKontrol(QVariant(), QStringLiteral("C")),
              QStringLiteral("Bu Hareketin İlgili Kayıt Fişi Var. Silinemez."));
    EXPECT_EQ(KasaHareketSilKontrol(QVariant(0.0), QStringLiteral("w")), std::nullopt);
    KasaHareketSil(db, no);
    EXPECT_EQ(say(QStringLiteral("1=1")), 0);
}

TEST(KasaBasliklari, KindCaptionsOfEntryFormAndBrowse)
{
    EXPECT_EQ(KasaHrkTuruBasligi(QLatin1Char('I'), true), QStringLiteral("Kasa Açılış (Borç)"));
    EXPECT_EQ(KasaHrkTuruBasligi(QLatin1Char('A'), false), QStringLiteral("Açılış (Alacak)"));
    EXPECT_EQ(KasaHrkTuruBasligi(QLatin1Char('w'), false, QStringLiteral("A"), QStringLiteral("C")),
              QStringLiteral("Nakit Ödeme"));
    EXPECT_EQ(KasaHrkTuruBasligi(QLatin1Char('w'), false, QStringLiteral("B"), QStringLiteral("B")),
              QStringLiteral("Bankadan Çekilen"));
    EXPECT_EQ(KasaHrkTuruBasligi(QLatin1Char('w'), false, QStringLiteral("B"), QStringLiteral("M")),
              QStringLiteral("Kasa Hareketi"));
    EXPECT_EQ(KasaRefTipBasligi(QStringLiteral("E")), QStringLiteral("Çek/Senet Hrk."));
}

} // namespace

namespace {

class KasaGecmisTest : public test::DbTest {
protected:
    void registerSchema() override { accounts::RegisterSchema(); }
};

TEST_F(KasaGecmisTest, HistoryRecordsEveryChangeOfTheCashLedgerWithTheUser)
{
    SetChangeLogUser(db, QStringLiteral("KASİYER"));
    KasaKaydi k;
    k.KASAKOD = QStringLiteral("MERKEZ");
    KasaKaydet(db, k, true);
    KasaHareketi h;
    h.TARIH = QDate(2026, 3, 10);
    h.HRK_TURU = QLatin1Char('I');
    h.KASAKOD = QStringLiteral("MERKEZ");
    h.TUTAR = 10;
    h.TL_USDEGER = 40;
    h.HRKNO = KasaHareketKaydet(ctx, db, h);
    KasaHareketSil(db, h.HRKNO);
    Query q(db, QStringLiteral("SELECT LOG_STATE, LOG_USER, TUTAR FROM CLOG_KASAHRKT ORDER BY LOG_DATE, LOG_STATE"));
    q.exec();
    QList<int> durumlar;
    while (q.next()) {
        durumlar << int(q.integer(QStringLiteral("LOG_STATE")));
        EXPECT_EQ(q.str(QStringLiteral("LOG_USER")), QStringLiteral("KASİYER"));
        EXPECT_DOUBLE_EQ(q.num(QStringLiteral("TUTAR")), 10);
    }
    EXPECT_EQ(durumlar, (QList<int>{0, 2}));
}

} // namespace

namespace {

// A transfer's accounting hand-over (kind P) follows its switch, asks when
// the switch says so, and runs only once the transfer is committed.
TEST_F(KasaTest, TransferHandOverFollowsItsSwitchAfterTheCommit)
{
    struct Case {
        const char* ad;
        MuhasebeAktarimi anahtar;
        MsgButton cevap;
        bool aktarilir;
        QStringList mesajlar;
    };
    const QList<Case> cases{
        {"posts without asking", MuhasebeAktarimi::Aktar, MsgNo, true, {}},
        {"asks, yes", MuhasebeAktarimi::Sor, MsgYes, true, {QStringLiteral("Muhasebe Kaydı Yapılsın mı?")}},
        {"asks, no", MuhasebeAktarimi::Sor, MsgNo, false, {QStringLiteral("Muhasebe Kaydı Yapılsın mı?")}},
        {"never", MuhasebeAktarimi::Aktarma, MsgYes, false, {}},
    };
    ctx.Database1 = db;
    ctx.AktifKullanici.diger21 = QStringLiteral("Y");
    for (const Case& c : cases) {
        QList<MuhasebeEntegreIstegi> aktarilan;
        bool islemIcinde = true;
        SetMuhasebeEntegre(
            [&](const SessionContext&, const Db& d, const MuhasebeEntegreIstegi& i) {
                aktarilan << i;
                islemIcinde = d.inTransaction();
            },
            [&](const Db&, QChar tur) { return tur == QLatin1Char('P') ? c.anahtar : MuhasebeAktarimi::Aktarma; });
        KasaHareketi h;
        h.TARIH = QDate(2026, 3, 10);
        h.HRK_TURU = QLatin1Char('V');
        h.KASAKOD = QStringLiteral("MERKEZ");
        h.KARSIKOD = QStringLiteral("SERVIS");
        h.DOVIZ_KOD = ctx.YerelPara;
        h.TL_KURDEGER = 1;
        TFormKasaHrkYaz f(ctx, h);
        f.TUTAR->setText(QStringLiteral("300"));
        messages.clear();
        messages.answer(c.cevap);
        f.BtnSaklaClick();
        SetMuhasebeEntegre({}, {});
        ASSERT_GT(f.sonuc, 0) << c.ad;
        EXPECT_EQ(say(QStringLiteral("HRKNO = %1").arg(f.sonuc)), 2) << c.ad;
        EXPECT_EQ(messages.texts(), c.mesajlar) << c.ad;
        ASSERT_EQ(aktarilan.size(), c.aktarilir ? 1 : 0) << c.ad;
        if (c.aktarilir) {
            EXPECT_EQ(aktarilan[0].belgeTuru, QLatin1Char('P')) << c.ad;
            EXPECT_EQ(aktarilan[0].kaynakNo, f.sonuc) << c.ad;
            EXPECT_FALSE(islemIcinde) << c.ad;
        }
    }
}

} // namespace
