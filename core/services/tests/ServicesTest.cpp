#include "services/CentralServices.h"
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
