#include "accounts/AccountsEntry.h"
#include "accounts/AccountsSchema.h"
#include "accounts/codes/CariGrupBr.h"
#include "accounts/codes/CariKodlari.h"
#include "accounts/codes/CariozelGrupBr.h"
#include "accounts/codes/IlIlceBr.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "testsupport/TestSupport.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace tornaly;
using namespace tornaly::accounts;

namespace {

class KodFormlariTest : public test::DbTest {
protected:
    void registerSchema() override { accounts::RegisterSchema(); }
    void SetUp() override
    {
        test::DbTest::SetUp();
        ctx.Database1 = db;
    }
    static bool sec(QTableView* v, const QAbstractItemModel* m, const QString& text)
    {
        for (int r = 0; r < m->rowCount(); ++r)
            if (m->index(r, 0).data().toString() == text) {
                v->setCurrentIndex(m->index(r, 0));
                return true;
            }
        return false;
    }
};

TEST_F(KodFormlariTest, GroupListRefusesFixedGroupsAndTheCardRenamesOthers)
{
    TFormCariGrupBr br(ctx, 1, nullptr);
    EXPECT_FALSE(br.btnSelect->isHidden());
    EXPECT_TRUE(br.btnNew->isHidden());
    ASSERT_TRUE(sec(br.dbgridbr, br.TableBr, QStringLiteral("K")));
    br.btnEditClick();
    EXPECT_EQ(messages.lastText(), SabitGrupText());
    br.btnSelectClick();
    EXPECT_EQ(br.secim.toString(), QStringLiteral("K"));

    TFormCarigrupSakla kart(ctx, QStringLiteral("Z"), QStringLiteral("Diğer"), nullptr);
    EXPECT_TRUE(kart.EditKod->isReadOnly());
    kart.EditAd->setText(QStringLiteral("Öteki"));
    kart.BtnKaydetClick();
    EXPECT_EQ(kart.result(), QDialog::Accepted);
    QString ad;
    for (const CariGrubu& g : CariGruplari(db))
        if (g.GRUP_KODU == QLatin1String("Z"))
            ad = g.GRUP_ADI;
    EXPECT_EQ(ad, QStringLiteral("Öteki"));
}

TEST_F(KodFormlariTest, SpecialCodesFollowTheChosenListAndKeepUsedCodes)
{
    db.exec(QStringLiteral("INSERT INTO CARI (CARI_KOD, OZEL_KOD_2) VALUES ('A', 'KURUMSAL')"));
    TFormCariozelGrupBr f(ctx, 2, nullptr);
    EXPECT_EQ(f.grupNo(), 2);
    f.EditYeniKod->setText(QStringLiteral("KURUMSAL"));
    f.BtnEkleClick();
    f.EditYeniKod->setText(QStringLiteral("KURUMSAL"));
    f.BtnEkleClick(); // a second add of the same code changes nothing
    EXPECT_EQ(CariOzelKodlari(db, 2), QStringList{QStringLiteral("KURUMSAL")});
    EXPECT_EQ(f.secili(), QStringLiteral("KURUMSAL"));
    f.BtnSilClick();
    EXPECT_EQ(messages.lastText(), OzelKodKullanilmisText());

    f.Filtre->button(1)->click();
    EXPECT_EQ(f.TableBr->rowCount(), 0);
    f.EditYeniKod->setText(QStringLiteral("KURUMSAL"));
    f.BtnEkleClick();
    f.BtnSilClick();
    EXPECT_TRUE(CariOzelKodlari(db, 1).isEmpty());

    messages.answer(MsgNo);
    f.BtnGetirClick();
    EXPECT_TRUE(CariOzelKodlari(db, 1).isEmpty());
    EXPECT_EQ(messages.lastText(),
              QStringLiteral("Cari kartlara girdiğiniz Özel Kodları Listeye Eklemek istiyor musunuz?"));
}

TEST_F(KodFormlariTest, ProvincesWithTheirDistricts)
{
    // The lists a company starts with go, so that entering them is seen from the start.
    db.exec(QStringLiteral("DELETE FROM ILCE"));
    db.exec(QStringLiteral("DELETE FROM SEHIR"));
    TFormIlIlceBr f(ctx, 1, nullptr);
    EXPECT_TRUE(f.btnSelect->isHidden());
    EXPECT_TRUE(f.sehirKaydet({QStringLiteral("X"), {}, QStringLiteral("ab")}, true).has_value());
    EXPECT_EQ(f.sehirKaydet({QStringLiteral("ANKARA"), QStringLiteral("0312"), QStringLiteral("06")}, true),
              std::nullopt);
    EXPECT_TRUE(f.sehirKaydet({QStringLiteral("ANKARA"), {}, QStringLiteral("07")}, true).has_value());
    EXPECT_EQ(f.sehirKaydet({QStringLiteral("İZMİR"), QStringLiteral("0232"), QStringLiteral("35")}, true),
              std::nullopt);
    ASSERT_TRUE(sec(f.dbgridbr, f.TableBr, QStringLiteral("ANKARA")));
    f.EditIlce->setText(QStringLiteral("Çankaya"));
    f.BtnIlceEkleClick();
    EXPECT_EQ(f.QIlce->rowCount(), 1);
    ASSERT_TRUE(sec(f.dbgridbr, f.TableBr, QStringLiteral("İZMİR")));
    EXPECT_EQ(f.QIlce->rowCount(), 0);

    ASSERT_TRUE(sec(f.dbgridbr, f.TableBr, QStringLiteral("ANKARA")));
    messages.answer(MsgYes);
    f.btnDeleteClick();
    EXPECT_EQ(messages.lastText(), QStringLiteral("Kayıt Silinsin mi?"));
    EXPECT_EQ(f.TableBr->rowCount(), 1);
    EXPECT_TRUE(Ilceler(db, QStringLiteral("ANKARA")).isEmpty());
}

TEST(AccountsEntry, CodeListsAreMainWindowOpeners)
{
    accounts::RegisterEntryPoints();
    for (const char* ad : {entry::CariGrupSec, entry::CariOzelGrupAc, entry::IlIlceSec, entry::CariSec})
        EXPECT_TRUE(Targets().isRegistered(QLatin1String(ad))) << ad;
}

} // namespace
