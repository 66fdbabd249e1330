#include "accounts/AccountsSchema.h"
#include "accounts/codes/CariKodlari.h"
#include "accounts/plans/OdePlan.h"
#include "testsupport/TestSupport.h"

using namespace tornaly;
using namespace tornaly::accounts;

namespace {

class KodlarTest : public test::DbTest {
protected:
    void registerSchema() override { accounts::RegisterSchema(); }
};

// A new company has Turkey's provinces with their plate and area codes, the
// districts of each, and the countries, so that a customer can be saved at once.
TEST_F(KodlarTest, ANewCompanyHasTheProvincesDistrictsAndCountries)
{
    const auto sayi = [&](const QString& sql, const QVariantMap& b = {}) {
        Query q(db, sql);
        for (auto it = b.cbegin(); it != b.cend(); ++it)
            q.bind(it.key(), it.value());
        q.exec();
        return q.next() ? q.value(0).toInt() : -1;
    };
    EXPECT_EQ(sayi(QStringLiteral("SELECT COUNT(*) FROM SEHIR")), 81);
    EXPECT_EQ(sayi(QStringLiteral("SELECT COUNT(DISTINCT PLAKA) FROM SEHIR")), 81);
    EXPECT_EQ(sayi(QStringLiteral("SELECT COUNT(*) FROM ILCE")), 973);
    EXPECT_EQ(sayi(QStringLiteral("SELECT COUNT(*) FROM ILCE WHERE ILCE_KOD NOT IN (SELECT CAST(PLAKA AS INTEGER) FROM SEHIR)")), 0);

    struct Il {
        const char* ad;
        const char* plaka;
        const char* alan;
        int ilceSayisi;
        const char* birIlce;
    } const iller[] = {{"ADANA", "01", "0322", 15, "Seyhan"},      {"ANKARA", "06", "0312", 25, "Çankaya"},
                       {"İSTANBUL", "34", "0212", 39, "Kadıköy"},  {"İZMİR", "35", "0232", 30, "Karşıyaka"},
                       {"HAKKARİ", "30", "0438", 5, "Yüksekova"},  {"ŞANLIURFA", "63", "0414", 13, "Eyyübiye"},
                       {"IĞDIR", "76", "0476", 4, "Tuzluca"},       {"DÜZCE", "81", "0380", 8, "Akçakoca"}};
    const QList<Sehir> sehirler = Sehirler(db);
    for (const Il& il : iller) {
        const QString ad = QString::fromUtf8(il.ad);
        SCOPED_TRACE(il.ad);
        const auto bulunan = std::find_if(sehirler.cbegin(), sehirler.cend(), [&](const Sehir& s) { return s.SEHIR == ad; });
        ASSERT_NE(bulunan, sehirler.cend());
        EXPECT_EQ(bulunan->PLAKA, QLatin1String(il.plaka));
        EXPECT_EQ(bulunan->ALANKODU, QLatin1String(il.alan));
        const QStringList ilceler = Ilceler(db, ad);
        EXPECT_EQ(ilceler.size(), il.ilceSayisi);
        EXPECT_TRUE(ilceler.contains(QString::fromUtf8(il.birIlce)));
    }

    const QStringList ulkeler = Ulkeler(db);
    EXPECT_GT(ulkeler.size(), 190);
    for (const char* ulke : {"TÜRKİYE", "ALMANYA", "KKTC", "BİRLEŞİK ARAP EMİRLİKLERİ"})
        EXPECT_TRUE(ulkeler.contains(QString::fromUtf8(ulke))) << ulke;
    EXPECT_EQ(sayi(QStringLiteral("SELECT COUNT(*) FROM ULKE WHERE ULKE_ADI = :U AND ULKE_TELKOD = '90'"),
                   {{QStringLiteral("U"), QStringLiteral("TÜRKİYE")}}),
              1);

    // Loading again adds nothing, and a company's own list stays its own.
    IlIlceUlkeYukle(db);
    EXPECT_EQ(sayi(QStringLiteral("SELECT COUNT(*) FROM ILCE")), 973);
    db.exec(QStringLiteral("DELETE FROM ULKE WHERE ULKE_ADI <> 'ALMANYA'"));
    IlIlceUlkeYukle(db);
    EXPECT_EQ(Ulkeler(db), QStringList{QStringLiteral("ALMANYA")});
}

TEST_F(KodlarTest, GroupsSpecialCodesAndProvinces)
{
    EXPECT_EQ(CariGrupAdiDegistir(db, QStringLiteral("K"), QStringLiteral("X")), SabitGrupText());
    EXPECT_EQ(CariGrupAdiDegistir(db, QStringLiteral("Z"), QStringLiteral("Öteki")), std::nullopt);
    bool bulundu = false;
    for (const CariGrubu& g : CariGruplari(db))
        if (g.GRUP_KODU == QLatin1String("Z"))
            bulundu = g.GRUP_ADI == QStringLiteral("Öteki");
    EXPECT_TRUE(bulundu);

    db.exec(QStringLiteral("INSERT INTO CARI (CARI_KOD, OZEL_KOD_1, OZEL_KOD_2) VALUES ('A', 'VIP', 'KURUMSAL')"));
    db.exec(QStringLiteral("INSERT INTO CARI (CARI_KOD, OZEL_KOD_1, OZEL_KOD_3) VALUES ('B', '', 'VIP')"));
    EXPECT_EQ(CariKartlardakiGruplariGetir(db), 3);
    EXPECT_EQ(CariKartlardakiGruplariGetir(db), 0);
    EXPECT_EQ(CariOzelKodlari(db, 1), QStringList{QStringLiteral("VIP")});

    CariOzelKodEkle(db, 1, QStringLiteral("KURUMSAL"));
    EXPECT_EQ(CariOzelKodSil(db, 1, QStringLiteral("KURUMSAL")), std::nullopt);
    EXPECT_EQ(CariOzelKodSil(db, 2, QStringLiteral("KURUMSAL")), OzelKodKullanilmisText());

    // The lists a company starts with go, so that entering them is seen from the start.
    db.exec(QStringLiteral("DELETE FROM ILCE"));
    db.exec(QStringLiteral("DELETE FROM SEHIR"));
    SehirKaydet(db, {QStringLiteral("ANKARA"), QStringLiteral("0312"), QStringLiteral("06")});
    IlceEkle(db, QStringLiteral("06"), QStringLiteral("Çankaya"));
    IlceEkle(db, QStringLiteral("06"), QStringLiteral("Keçiören"));
    EXPECT_EQ(Ilceler(db, QStringLiteral("ANKARA")).size(), 2);
    SehirSil(db, QStringLiteral("ANKARA"));
    EXPECT_TRUE(Sehirler(db).isEmpty());
    Query q(db, QStringLiteral("SELECT COUNT(*) FROM ILCE"));
    q.exec();
    q.next();
    EXPECT_EQ(q.value(0).toInt(), 0);

    db.exec(QStringLiteral("INSERT INTO BAYILER (BAYI_KOD, BAYI_KISA_AD) VALUES ('B1', 'İZMİR OTO'), ('B2', 'ISPARTA')"));
    EXPECT_EQ(BayiBul(db, QStringLiteral("izm"), false)->BAYI_KOD, QStringLiteral("B1"));
    EXPECT_FALSE(BayiBul(db, QStringLiteral("_"), false).has_value());
}

TEST_F(KodlarTest, PaymentPlansKeepTheirCodeAndCannotGoWhileUsed)
{
    OdePlanKaydi p{QStringLiteral("PESIN"), QStringLiteral("Peşin"), QStringLiteral("N")};
    OdePlanKaydet(db, p, true);
    // Picking a cash box for an existing plan keeps the code documents carry.
    OdePlanHesapSec(p, false, QStringLiteral("MERKEZ"), QStringLiteral("Merkez Kasa"));
    EXPECT_EQ(p.ODE_KOD, QStringLiteral("PESIN"));
    EXPECT_EQ(p.HESAP_KOD, QStringLiteral("MERKEZ"));
    OdePlanKaydet(db, p, false);
    OdePlanKaydi yeni{QString(), QString(), QStringLiteral("N")};
    OdePlanHesapSec(yeni, true, QStringLiteral("SERVIS"), QStringLiteral("Servis Kasası"));
    EXPECT_EQ(yeni.ODE_KOD, QStringLiteral("SERVIS"));
    EXPECT_EQ(yeni.ADI, QStringLiteral("Servis Kasası"));

    db.exec(QStringLiteral("INSERT INTO CARIHRK (CARI_NO, SIRANO, CARI_KOD, ODE_KOD) VALUES (1, 1, 'X', 'PESIN')"));
    try {
        OdePlanSil(db, QStringLiteral("PESIN"));
        FAIL();
    } catch (const OdePlanHatasi& e) {
        EXPECT_EQ(e.text(), OdePlanKullanilmisText());
    }
    OdePlanKaydet(db, yeni, true);
    OdePlanSil(db, QStringLiteral("SERVIS"));
    EXPECT_FALSE(OdePlanOku(db, QStringLiteral("SERVIS")).has_value());
    const TOdeParam t = OdePlanParametresi(db, QStringLiteral("PESIN"));
    EXPECT_EQ(t.Kodu, QStringLiteral("PESIN"));
    EXPECT_EQ(t.odetip, QStringLiteral("N"));
    EXPECT_TRUE(OdePlanParametresi(db, QStringLiteral("YOK")).Kodu.isEmpty());
}

} // namespace

#include "accounts/cash/Kasa.h"
#include "accounts/demo/AccountsDemo.h"
#include "accounts/ledger/CariHrk.h"

namespace {

class DemoTest : public test::DbTest {
protected:
    void registerSchema() override { accounts::RegisterSchema(); }
};

TEST_F(DemoTest, DemoSeedGivesAccountsCashBoxesPlansAndVouchers)
{
    {
        Transaction tx(db);
        AccountsDemoSeed(db);
        tx.commit();
    }
    auto say = [&](const char* sql) {
        Query q(db, QLatin1String(sql));
        q.exec();
        q.next();
        return q.value(0).toInt();
    };
    EXPECT_GE(say("SELECT COUNT(*) FROM CARI"), 20);
    EXPECT_EQ(say("SELECT COUNT(*) FROM KASA"), 2);
    EXPECT_EQ(say("SELECT COUNT(*) FROM ODEPLAN"), 4);
    EXPECT_EQ(say("SELECT COUNT(*) FROM CARIHRKM"), 6);
    EXPECT_GT(say("SELECT COUNT(*) FROM KASAHRKT WHERE REF_TIP='C'"), 0);
    // The cash box also takes the bank withdrawal and the cash slips of the demo.
    EXPECT_DOUBLE_EQ(KasaBakiye(db, QStringLiteral("MERKEZ")),
                     25000 + 2000 + 7500 - 5000 + 850.5 + 4000 + 1750 - 1200 - 600);
    EXPECT_EQ(say("SELECT COUNT(*) FROM BANKA"), 2);
    EXPECT_EQ(say("SELECT COUNT(DISTINCT HESAR_TURU) FROM BANKAYR"), 4);
    EXPECT_EQ(say("SELECT COUNT(*) FROM BANKHRK"), 6);
    EXPECT_EQ(say("SELECT COUNT(*) FROM FISG"), 4);
    EXPECT_EQ(say("SELECT COUNT(*) FROM FISGA WHERE TIP='P'"), 1);
    EXPECT_DOUBLE_EQ(CariBakiyeOku(db, QStringLiteral("120.001")).bakiye(), 3450.75 - 2000);
}

} // namespace

// The plan card keeps the early-payment discount, the late charge and their
// days, and OdePlanSec returns them with the plan.
#include "accounts/plans/OdePlanBr.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>

namespace {

TEST_F(KodlarTest, PlanCardKeepsDiscountChargeAndDays)
{
    ctx.Database1 = db;
    TFormOdePlanBr br(ctx, 0);
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(d);
        d->findChild<QLineEdit*>(QStringLiteral("ODE_KOD"))->setText(QStringLiteral("VADE30"));
        d->findChild<QLineEdit*>(QStringLiteral("ADI"))->setText(QStringLiteral("30 Gün"));
        d->findChild<QDoubleSpinBox*>(QStringLiteral("EO_INDIR"))->setValue(2.5);
        d->findChild<QDoubleSpinBox*>(QStringLiteral("GO_VFARK"))->setValue(3.25);
        d->findChild<QSpinBox*>(QStringLiteral("VADEGUN"))->setValue(30);
        d->accept();
    });
    ASSERT_TRUE(br.planDuzenle(true)) << messages.texts().join(QStringLiteral(" | ")).toStdString();
    const TOdeParam p = OdePlanParametresi(db, QStringLiteral("VADE30"));
    EXPECT_DOUBLE_EQ(p.Iskon, 2.5);
    EXPECT_DOUBLE_EQ(p.VFark, 3.25);
    EXPECT_EQ(p.VadeGun, 30);
}

} // namespace
