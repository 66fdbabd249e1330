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
    EXPECT_DOUBLE_EQ(KasaBakiye(db, QStringLiteral("MERKEZ")), 25000 + 2000 + 7500 - 5000 + 850.5);
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
