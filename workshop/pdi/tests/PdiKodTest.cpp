#include "PdiFixture.h"
#include "workshop/pdi/PdiKodlari.h"
#include "guard/FormGuard.h"

using namespace tornaly;
using namespace tornaly::test;
using namespace tornaly::workshop;

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }
}

TEST_F(PdiTest, ACodeInUseIsNotDeletedUntilItsLineGoes)
{
    const QString no = addPdi(kSase, {{S("OTP"), S("CZK")}});
    struct Case {
        const char* ad;
        const PdiKodTablosu& tablo;
        const char* kod;
        const char* mesaj;
    };
    const QList<Case> cases{
        {"error place", PdiHataYerleri(), "OTP", "Bu Kayıt PDI a işlenmiş. Silinemez!"},
        {"error code", PdiHataKodlari(), "CZK", "Bu Hata Kodu PDI Listesine İşlenmiş.Silinemez!"},
    };
    for (const Case& c : cases) {
        const QString say = S("SELECT COUNT(*) FROM %1").arg(c.tablo.tablo);
        const int once = count(say);
        EXPECT_TRUE(PdiKodKullanimda(db, c.tablo, S(c.kod))) << c.ad;
        EXPECT_FALSE(Guard([&] { PdiKodSil(db, c.tablo, S(c.kod)); })) << c.ad;
        EXPECT_EQ(messages.lastText(), S(c.mesaj)) << c.ad;
        EXPECT_EQ(count(say), once) << c.ad;
        // The fault line's key refuses the delete in the database as well.
        EXPECT_THROW(db.exec(S("DELETE FROM %1 WHERE %2 = :K").arg(c.tablo.tablo, c.tablo.kodKolonu), {{S("K"), S(c.kod)}}),
                     DbError)
            << c.ad;
    }
    PdiKaydi k = PdiOku(db, no);
    k.hatalar.clear();
    PdiKaydet(db, k, false);
    for (const Case& c : cases) {
        PdiKodSil(db, c.tablo, S(c.kod));
        EXPECT_EQ(count(S("SELECT COUNT(*) FROM %1 WHERE %2 = :K").arg(c.tablo.tablo, c.tablo.kodKolonu), {{S("K"), S(c.kod)}}),
                  0)
            << c.ad;
    }
}

TEST_F(PdiTest, ACodeCardRefusesAnEmptyOrDuplicateCode)
{
    struct Case {
        const char* ad;
        const PdiKodTablosu& tablo;
        const char* kod;
        const char* mesaj;
    };
    const QList<Case> cases{
        {"empty error code", PdiHataKodlari(), "  ", "Hata Kodu Bilgisini Vermeden Kayıt Saklanamaz."},
        {"empty error place", PdiHataYerleri(), "", "Hata Yeri Kodu Bilgisini Vermeden Kayıt Saklanamaz."},
        {"existing error code", PdiHataKodlari(), "CZK", "Aynı Kodlu Kayıt Var."},
        {"existing error place", PdiHataYerleri(), "KPT", "Aynı Kodlu Kayıt Var."},
    };
    for (const Case& c : cases) {
        const QString say = S("SELECT COUNT(*) FROM %1").arg(c.tablo.tablo);
        const int once = count(say);
        EXPECT_FALSE(Guard([&] { PdiKodKaydet(db, c.tablo, S(c.kod), S("Yeni"), true); })) << c.ad;
        EXPECT_EQ(messages.lastText(), S(c.mesaj)) << c.ad;
        EXPECT_EQ(count(say), once) << c.ad;
    }
    PdiKodKaydet(db, PdiHataKodlari(), S("CZK"), S("Derin Çizik"), false, S("CZK"));
    EXPECT_EQ(PdiHataAdi(db, S("CZK")), S("Derin Çizik"));
}
