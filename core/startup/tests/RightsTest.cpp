#include "CoreSchema.h"
#include "connection/DialogRunner.h"
#include "login/BrPass.h"
#include "login/Kullanici.h"
#include "login/PasswordHash.h"
#include "login/Sifre2.h"
#include "sql/SqlHelpers.h"
#include "testsupport/TestSupport.h"

#include <QLineEdit>

namespace tornaly::test {

class RightsTest : public DbTest {
protected:
    void addUser(const QString& login, const QVariantMap& columns = {})
    {
        // A hash weaker than new ones get, as an older installation left it.
        QVariantMap binds{{QStringLiteral("LOGIN_NAME"), login},
                          {QStringLiteral("USER_PASS"), HashPassword(QStringLiteral("pw"), PasswordIterations() / 2)}};
        binds.insert(columns);
        QStringList names;
        QStringList params;
        for (auto it = binds.cbegin(); it != binds.cend(); ++it) {
            names << it.key();
            params << QLatin1Char(':') + it.key();
        }
        db.exec(QStringLiteral("INSERT INTO RIGHTS (%1) VALUES (%2)")
                    .arg(names.join(QLatin1Char(',')), params.join(QLatin1Char(','))),
                binds);
    }
    t_user login(const QString& name, const QVariantMap& columns = {})
    {
        addUser(name, columns);
        t_user u;
        u.ft_isk_tip = 3; // loaded by the parameters, not by the login
        const TLoginSonucu r = Kullanici(db, name, QStringLiteral("pw"), u);
        EXPECT_TRUE(r.ok);
        return u;
    }
};

TEST_F(RightsTest, RowWithEveryRightEmptyGetsTheDefaults)
{
    const t_user u = login(QStringLiteral("BOS"));
    const QString letters[] = {u.beyan, u.alis, u.satis, u.al_sip, u.ver_sip, u.stok, u.cari, u.maliyet,
                               u.arac_al, u.arac_sat, u.isemri, u.dispoz, u.claim, u.pdi, u.ser_stok,
                               u.depo_stok, u.personel, u.barkod, u.exper, u.frtfct, u.dial_up, u.parametre,
                               u.fat_tanim, u.dov_kur, u.ie_aktar, u.diger01, u.diger09, u.diger10, u.diger16,
                               u.diger21, u.diger27, u.teklif};
    for (const QString& l : letters)
        EXPECT_EQ(l, QStringLiteral("H"));
    EXPECT_EQ(u.u_type, QStringLiteral("K"));
    for (const QString& s : {u.carihrk, u.caribakiye, u.carichodekapa, u.carihrkizle, u.iefatura, u.depo,
                             u.arac_beyan_sil, u.iki_el_oku, u.ie_ackapat, u.arac_gecmis, u.per_kod})
        EXPECT_TRUE(s.isEmpty());
    EXPECT_EQ(u.password, QStringLiteral("pw")); // kept for the session
    EXPECT_EQ(u.per_name, QString()); // no personnel row and no user name
    EXPECT_EQ(u.sat_yetki, 0);
    EXPECT_EQ(u.stok_adi, 0);
    EXPECT_FALSE(u.ie_yp_ad || u.ief_yp_ad || u.ie_is_fyt || u.ief_is_fyt || u.DepoTransferOnayi);
    EXPECT_EQ(u.max_isk_prc, 0.0);
    EXPECT_EQ(u.ft_isk_tip, 3);
}

TEST_F(RightsTest, EachKindOfRightIsCopiedAsStored)
{
    const t_user u = login(QStringLiteral("DOLU"),
                           {{QStringLiteral("USER_NAME"), QStringLiteral("Ayşe Yılmaz")},
                            {QStringLiteral("SUPERVIZOR"), QStringLiteral("S")},
                            {QStringLiteral("SATIS"), QStringLiteral("K")},
                            {QStringLiteral("IS_EMRI"), QStringLiteral("D")},
                            {QStringLiteral("SEPO_STOK"), QStringLiteral("N")},
                            {QStringLiteral("PARAM"), QStringLiteral("O")},
                            {QStringLiteral("DIGER12"), QStringLiteral("E")},
                            {QStringLiteral("DIGER16"), QStringLiteral("R")},
                            {QStringLiteral("DIGER27"), QStringLiteral("Y")},
                            {QStringLiteral("IEFATURA"), QStringLiteral("K")},
                            {QStringLiteral("TEKLIF"), QStringLiteral("Y")},
                            {QStringLiteral("CHRK"), QStringLiteral("H")},
                            {QStringLiteral("CHIZLE"), QStringLiteral("O")},
                            {QStringLiteral("ARAC_BEYAN_SIL"), QStringLiteral("E")},
                            {QStringLiteral("DEPO"), QStringLiteral("3")},
                            {QStringLiteral("DEPTRANS"), 1},
                            {QStringLiteral("STOK_ADI"), 96},
                            {QStringLiteral("STOK_FIYAT"), 32},
                            {QStringLiteral("FRT_ADI"), 64},
                            {QStringLiteral("FRT_FIYAT"), 0},
                            {QStringLiteral("MAX_ISK_PRC"), 12.5},
                            {QStringLiteral("PERSONEL_KOD"), QStringLiteral("P1")}});
    EXPECT_EQ(u.u_type, QStringLiteral("S"));
    EXPECT_EQ(u.satis, QStringLiteral("K"));
    EXPECT_EQ(u.isemri, QStringLiteral("D"));
    EXPECT_EQ(u.depo_stok, QStringLiteral("N"));
    EXPECT_EQ(u.parametre, QStringLiteral("O"));
    EXPECT_EQ(u.diger12, QStringLiteral("E"));
    EXPECT_EQ(u.diger16, QStringLiteral("R"));
    EXPECT_EQ(u.diger27, QStringLiteral("Y"));
    EXPECT_EQ(u.iefatura, QStringLiteral("K"));
    EXPECT_EQ(u.teklif, QStringLiteral("YH")); // the column text with H appended
    EXPECT_EQ(u.carihrk, QStringLiteral("H"));
    EXPECT_EQ(u.carihrkizle, QStringLiteral("O"));
    EXPECT_EQ(u.arac_beyan_sil, QStringLiteral("E"));
    EXPECT_EQ(u.depo, QStringLiteral("3"));
    EXPECT_TRUE(u.DepoTransferOnayi);
    EXPECT_TRUE(u.ie_yp_ad);
    EXPECT_TRUE(u.ief_yp_ad);
    EXPECT_TRUE(u.ie_yp_fyt);
    EXPECT_FALSE(u.ief_yp_fyt);
    EXPECT_FALSE(u.ie_is_ad);
    EXPECT_TRUE(u.ief_is_ad);
    EXPECT_FALSE(u.ie_is_fyt || u.ief_is_fyt || u.ie_yp_isk || u.ief_is_isk);
    EXPECT_EQ(u.max_isk_prc, 12.5);
    EXPECT_EQ(u.per_name, QStringLiteral("Ayşe Yılmaz")); // no personnel row: the user's name
    EXPECT_EQ(u.sat_yetki, 2);                             // a personnel code, no sales group
}

TEST_F(RightsTest, SalesAuthorityAndPersonnelName)
{
    db.exec(QStringLiteral("INSERT INTO ISCIUSTA (ISCI_KOD, ISCI_ADI, ISCI_TIP, GRUBU) VALUES "
                           "('M1', 'Satışçı Mehmet', 'M', 'A'), ('M2', 'Usta', 'M', NULL), ('M3', 'Genel', 'M', 'G')"));
    struct Case {
        const char* login;
        QVariantMap columns;
        int satYetki;
        QString perName;
    };
    const Case cases[] = {
        {"A1", {{QStringLiteral("SUPERVIZOR"), QStringLiteral("A")}}, 1, QString()},
        {"A2", {{QStringLiteral("PERSONEL_KOD"), QStringLiteral("M1")}}, 1, QStringLiteral("Satışçı Mehmet")},
        {"A3", {{QStringLiteral("PERSONEL_KOD"), QStringLiteral("M3")}}, 1, QStringLiteral("Genel")},
        {"A4", {{QStringLiteral("PERSONEL_KOD"), QStringLiteral("M2")}}, 2, QStringLiteral("Usta")},
        {"A5", {{QStringLiteral("PERSONEL_KOD"), QStringLiteral("YOK")}}, 2, QString()},
        {"A6", {{QStringLiteral("SUPERVIZOR"), QStringLiteral("S")}}, 0, QString()},
    };
    for (const Case& c : cases) {
        const t_user u = login(QString::fromLatin1(c.login), c.columns);
        EXPECT_EQ(u.sat_yetki, c.satYetki) << c.login;
        EXPECT_EQ(u.per_name, c.perName) << c.login;
    }
}

TEST_F(RightsTest, PasswordsAreHashedCaseSensitiveAndNeverListed)
{
    addUser(QStringLiteral("VELI"), {{QStringLiteral("USER_NAME"), QStringLiteral("100% Veli")}});
    addUser(QStringLiteral("ZEKI"), {{QStringLiteral("USER_NAME"), QStringLiteral("Zeki")}});
    addUser(QStringLiteral("BOS"), {{QStringLiteral("USER_PASS"), QString()}});
    const auto stored = [&](const char* login) {
        return SqlLookup(db, QStringLiteral("SELECT USER_PASS FROM RIGHTS WHERE LOGIN_NAME=:L"),
                         QString::fromLatin1(login))
            .toString();
    };
    const QString weak = stored("VELI");
    t_user u;
    EXPECT_FALSE(Kullanici(db, QStringLiteral("VELI"), QStringLiteral("PW"), u).ok);
    EXPECT_FALSE(Kullanici(db, QStringLiteral("YOK"), QStringLiteral("pw"), u).ok);
    // An empty password is refused, also for a user who has none.
    EXPECT_FALSE(Kullanici(db, QStringLiteral("BOS"), QString(), u).ok);
    EXPECT_FALSE(Kullanici(db, QStringLiteral("VELI"), QString(), u).ok);
    EXPECT_TRUE(u.password.isEmpty());
    EXPECT_EQ(stored("VELI"), weak); // nothing written before a login succeeds

    // A weaker hash is replaced at the login; the new one carries the stronger parameters.
    EXPECT_TRUE(Kullanici(db, QStringLiteral("VELI"), QStringLiteral("pw"), u).ok);
    const QString strong = stored("VELI");
    EXPECT_NE(strong, weak);
    EXPECT_TRUE(strong.startsWith(QStringLiteral("pbkdf2-sha256$%1$").arg(PasswordIterations())));
    EXPECT_FALSE(PasswordNeedsRehash(strong));
    EXPECT_TRUE(Kullanici(db, QStringLiteral("VELI"), QStringLiteral("pw"), u).ok);
    EXPECT_EQ(stored("VELI"), strong); // strong enough: left alone
    EXPECT_FALSE(Kullanici(db, QStringLiteral("VELI"), QStringLiteral("Pw"), u).ok);

    // The user list: supervisors of a logged-in session only, without passwords.
    t_user plain;
    t_user boss;
    boss.u_type = QStringLiteral("A");
    EXPECT_FALSE(CanManageUsers(boss, false));
    EXPECT_FALSE(CanManageUsers(plain, true));
    EXPECT_TRUE(CanManageUsers(boss, true));
    ctx.AktifKullanici = boss;
    {
        TPassWordDlg first(ctx, false);
        first.UserGosterClick();
        EXPECT_EQ(messages.lastText(), NoRightText());
    }
    TFormPass list(db);
    EXPECT_EQ(list.model()->columnCount(), 2);
    EXPECT_EQ(list.model()->columnOf(QStringLiteral("USER_PASS")), -1);
    EXPECT_EQ(list.model()->rowCount(), 3);
    // The filter is taken literally: % matches itself.
    list.EditFiltre->setText(QStringLiteral("100%"));
    list.FiltreUygula();
    EXPECT_EQ(list.model()->rowCount(), 1);
    list.EditFiltre->setText(QStringLiteral("'; DROP TABLE RIGHTS; --"));
    list.FiltreUygula();
    EXPECT_EQ(list.model()->rowCount(), 0);
    list.TemizleClick();
    EXPECT_EQ(list.model()->rowCount(), 3);
}

} // namespace tornaly::test

namespace tornaly::test {

// Plain-text passwords of an older database are hashed by the migration that
// brings it up to date; the logins then work with the same passwords.
TEST(PasswordMigration, PlainTextPasswordsAreHashedOnce)
{
    core::RegisterSchema();
    TestDatabase database(DatabaseKind::Company, false);
    const Db db = database.db();
    QList<SchemaStep> older;
    for (const SchemaStep& step : schemaSteps(QStringLiteral("core"), db.backend()))
        if (step.version < 61)
            older << step;
    ApplySchemaSteps(db, QStringLiteral("core"), older);
    for (const auto& [login, pass] : {std::pair{"ALI", QVariant(QStringLiteral("Gizli Şifre"))},
                                      std::pair{"BOS", QVariant(QString())},
                                      std::pair{"YOK", QVariant(QMetaType(QMetaType::QString))}})
        db.exec(QStringLiteral("INSERT INTO RIGHTS (LOGIN_NAME, USER_PASS) VALUES (:L, :P)"),
                {{QStringLiteral("L"), QString::fromLatin1(login)}, {QStringLiteral("P"), pass}});
    ApplyMigrations(db, DatabaseKind::Company);

    const QString hashed =
        SqlLookup(db, QStringLiteral("SELECT USER_PASS FROM RIGHTS WHERE LOGIN_NAME='ALI'")).toString();
    EXPECT_TRUE(IsPasswordHash(hashed));
    EXPECT_TRUE(VerifyPassword(QStringLiteral("Gizli Şifre"), hashed));
    EXPECT_TRUE(SqlLookup(db, QStringLiteral("SELECT USER_PASS FROM RIGHTS WHERE LOGIN_NAME='BOS'")).toString().isEmpty());
    EXPECT_TRUE(SqlLookup(db, QStringLiteral("SELECT USER_PASS FROM RIGHTS WHERE LOGIN_NAME='YOK'")).isNull());
    t_user u;
    EXPECT_TRUE(Kullanici(db, QStringLiteral("ALI"), QStringLiteral("Gizli Şifre"), u).ok);
    EXPECT_FALSE(Kullanici(db, QStringLiteral("BOS"), QString(), u).ok);
    // A second run changes nothing.
    ApplyMigrations(db, DatabaseKind::Company);
    EXPECT_EQ(SqlLookup(db, QStringLiteral("SELECT USER_PASS FROM RIGHTS WHERE LOGIN_NAME='ALI'")).toString(), hashed);
}

} // namespace tornaly::test
