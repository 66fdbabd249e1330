#include "services/CentralServices.h"
#include "services/MuhYardimci.h"
#include "testsupport/TestSupport.h"

using namespace tornaly;

namespace {

class ServicesTest : public test::DbTest {};

TEST_F(ServicesTest, ServerDateAndCentralConnectionQuestion)
{
    EXPECT_EQ(SunucuTarih(db), SunucuTarihSaat(db).date());
    EXPECT_FALSE(MerkezBaglantiSor(ctx, Db()));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Merkez servera bağlanılsın mı?"));
    EXPECT_TRUE(MerkezBaglantiSor(ctx, db)) << "an open connection is not asked about";
    EXPECT_EQ(messages.count(), 1);
}

TEST_F(ServicesTest, AccountNoteIsOfferedAndOpensTheMovements)
{
    db.exec(QStringLiteral("CREATE TABLE CARI (CARI_KOD VARCHAR(11), ACIKLAMA VARCHAR(80))"));
    db.exec(QStringLiteral("INSERT INTO CARI VALUES ('C1', 'Çek kabul edilmez')"));
    db.exec(QStringLiteral("INSERT INTO CARI VALUES ('C2', '  ')"));
    QStringList opened;
    auto open = [&](const QString& k) { opened << k; };
    CariMesajKontrol(db, QStringLiteral("C2"), QStringLiteral("Cari"), open);
    EXPECT_EQ(messages.count(), 0);
    messages.answer(MsgNo);
    CariMesajKontrol(db, QStringLiteral("C1"), QStringLiteral("Cari"), open);
    EXPECT_TRUE(opened.isEmpty());
    CariMesajKontrol(db, QStringLiteral("C1"), QStringLiteral("Cari"), open);
    EXPECT_EQ(messages.texts().mid(1), (QStringList{QStringLiteral("Cari ile İlgili Mesaj Var. Görmek İstiyormusunuz?"),
                                                    QStringLiteral("Çek kabul edilmez")}));
    EXPECT_EQ(opened, QStringList{QStringLiteral("C1")});
}

} // namespace

namespace {

TEST(MuhYardimci, KeepDigitsAndChequeSlipCaptions)
{
    using tornaly::CekSenIslemAdi;
    using tornaly::KeepDigits;
    EXPECT_EQ(KeepDigits(QStringLiteral("TR-12 34/5")), QStringLiteral("12345"));
    EXPECT_EQ(KeepDigits(QString()), QString());
    EXPECT_EQ(KeepDigits(QStringLiteral("١٢a٣")), QString()) << "only the ASCII digits count";
    const struct {
        const char *b, *i, *ad;
    } cases[] = {{"0", "9", "Çek Giriş"},         {"4", "7", "Port.e İade"},     {"4", "6", "Port.e İade"},
                 {"4", "9", "Müş.Çek İş."},       {"4", "", "Müş.Çek İş."},      {"5", "1", "Çek Ban.Tah."},
                 {"5", "2", "Kendi Çek İş."},     {"L", "3", "Prot.lu Senet"},   {"L", "8", "Müş.Senet İş."},
                 {"R", "0", "Kendi Senet İade"},  {"9", "", "Senet Çık.(Ban.Tem)"}, {"", "1", " Çek/Senet"},
                 {"X", "1", " Çek/Senet"},        {"42", "31", "Karş.sız Çek"}};
    for (const auto& c : cases)
        EXPECT_EQ(CekSenIslemAdi(QString::fromUtf8(c.b), QString::fromUtf8(c.i)), QString::fromUtf8(c.ad))
            << c.b << "/" << c.i;
}

} // namespace
