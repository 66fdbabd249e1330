#include "company/Kilit.h"
#include "connection/ConnectionModule.h"
#include "connection/ConnectionSettings.h"
#include "connection/DialogRunner.h"
#include "connection/SecretStore.h"
#include "connection/Sifre.h"
#include "connection/VeriTabLogin.h"
#include "context/SessionContext.h"
#include "db/Schema.h"
#include "db/udbconn.h"
#include "dm/DATA1.h"
#include "login/PasswordHash.h"
#include "messages/ScriptedMessages.h"
#include "testsupport/QtPrinters.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tornaly;

namespace {

QString readRaw(const QString& path, const QString& key)
{
    QSettings ini(path, QSettings::IniFormat);
    return ini.value(key).toString();
}

} // namespace

TEST(Sifrele, RoundTripsEveryLengthAndChainsLaterBytes)
{
    auto* rng = QRandomGenerator::global();
    for (int len : {0, 1, 2, 17, 254, 255}) {
        QByteArray plain(len, '\0');
        for (int i = 0; i < len; ++i)
            plain[i] = char(rng->bounded(256));
        for (quint16 key : {quint16(0), quint16(1), quint16(0xFFFF), kAyarSifreAnahtari}) {
            const QByteArray enc = Sifrele(plain, key);
            EXPECT_EQ(enc.size(), plain.size());
            EXPECT_EQ(SifreCoz(enc, key), plain) << "len " << len << " key " << key;
        }
    }
    // Longer input is cut to 255 bytes.
    EXPECT_EQ(SifreCoz(Sifrele(QByteArray(300, 'a'), 7), 7), QByteArray(255, 'a'));

    // Changing one enciphered byte changes that byte and every one after it.
    const QByteArray plain("abcdefghijklmnop");
    QByteArray enc = Sifrele(plain, 1234);
    enc[5] = char(enc.at(5) ^ 0x01);
    const QByteArray dec = SifreCoz(enc, 1234);
    EXPECT_EQ(dec.left(5), plain.left(5));
    for (int i = 5; i < plain.size(); ++i)
        EXPECT_NE(dec.at(i), plain.at(i)) << "byte " << i;

    // Text through a settings value, Turkish letters included.
    for (const QString& s : {QString(), QStringLiteral("şifre-ĞÜİ 1"), QString(300, QChar(0x015F))}) {
        const QString back = SifreCozMetin(SifreleMetin(s, kAyarSifreAnahtari), kAyarSifreAnahtari);
        EXPECT_EQ(s.left(back.size()), back);
        EXPECT_LE(back.toUtf8().size(), 255);
        if (s.toUtf8().size() <= 255) {
            EXPECT_EQ(back, s);
        }
    }
}

TEST(KalvesaIni, DefaultsRewrittenKeysAndScrambledPassword)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kalvesa.ini"));

    // No file: defaults, and the fixed catalogue key is written.
    TConnectionSettings s;
    ReadConnectionSettings(s, path);
    EXPECT_TRUE(s.SunucuAdi.isEmpty());
    EXPECT_EQ(s.DbKullaniciAdi, QStringLiteral("KALVESA"));
    EXPECT_TRUE(s.DbSifre.isEmpty());
    EXPECT_TRUE(s.MerkezSunucu.isEmpty());
    EXPECT_EQ(s.Surucu, Backend::SQLite);
    EXPECT_EQ(readRaw(path, QStringLiteral("SERVER/Firmalar")), QStringLiteral("KAVBFIRMA"));

    // Damaged and foreign values.
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[SERVER]\nServerAdi=db1\nFirmalar=BASKA\nDBUSER=\nDBPASS=\nSurucu=POSTGRES\n"
                "[MERKEZ]\nSERVERDB=MERKEZDB\ngarbage line without equals\n");
    }
    TConnectionSettings t;
    ReadConnectionSettings(t, path);
    EXPECT_EQ(t.SunucuAdi, QStringLiteral("db1"));
    EXPECT_EQ(t.Surucu, Backend::PostgreSQL);
    EXPECT_EQ(t.DbKullaniciAdi, QStringLiteral("KALVESA")); // empty key keeps the built-in login
    EXPECT_EQ(t.MerkezVeritabani, QStringLiteral("MERKEZDB"));
    EXPECT_EQ(readRaw(path, QStringLiteral("SERVER/Firmalar")), QStringLiteral("KAVBFIRMA"));
    EXPECT_EQ(readRaw(path, QStringLiteral("MERKEZ/SERVERDB")), QStringLiteral("MERKEZDB"));

    // The password never goes into the settings file: the secret store keeps
    // it (here the owner-only file beside it) and gives it back; an empty one
    // stays empty and leaves nothing behind.
    const QString secrets = dir.filePath(QStringLiteral("Kalvesa.secrets"));
    for (const QString& pw : {QStringLiteral("Gizli Şifre=;[x]"), QString()}) {
        t.DbSifre = pw;
        t.DbKullaniciAdi = QStringLiteral("sa");
        EXPECT_TRUE(WriteServerSettings(t, path));
        EXPECT_FALSE(QSettings(path, QSettings::IniFormat).contains(QStringLiteral("SERVER/DBPASS")));
        QFile ini(path);
        ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
        EXPECT_FALSE(ini.readAll().contains("Gizli"));
        if (!pw.isEmpty()) {
            const QFileDevice::Permissions p = QFile(secrets).permissions();
            EXPECT_TRUE(p & QFileDevice::ReadOwner);
            EXPECT_FALSE(p & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther
                              | QFileDevice::WriteOther));
        }
        TConnectionSettings r;
        ReadConnectionSettings(r, path);
        EXPECT_EQ(r.DbSifre, pw);
        EXPECT_EQ(r.DbKullaniciAdi, QStringLiteral("sa"));
    }
    QFile secretFile(secrets);
    ASSERT_TRUE(secretFile.open(QIODevice::ReadOnly));
    EXPECT_FALSE(secretFile.readAll().contains("Gizli"));
    EXPECT_EQ(PreviousServers(path), QStringList{QStringLiteral("db1")});
}

TEST(KalvesaIni, ScrambledPasswordOfAnOlderVersionMovesOutOfTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kalvesa.ini"));
    {
        QSettings old(path, QSettings::IniFormat);
        old.setValue(QStringLiteral("SERVER/ServerAdi"), QStringLiteral("db1:5433"));
        old.setValue(QStringLiteral("SERVER/Surucu"), QStringLiteral("POSTGRES"));
        old.setValue(QStringLiteral("SERVER/DBUSER"), QStringLiteral("kalvesa"));
        old.setValue(QStringLiteral("SERVER/DBPASS"), SifreleMetin(QStringLiteral("eski şifre"), kAyarSifreAnahtari));
    }
    TConnectionSettings s;
    ReadConnectionSettings(s, path);
    EXPECT_EQ(s.DbSifre, QStringLiteral("eski şifre"));
    EXPECT_FALSE(QSettings(path, QSettings::IniFormat).contains(QStringLiteral("SERVER/DBPASS")));
    // Read again, from the secret store alone.
    TConnectionSettings again;
    ReadConnectionSettings(again, path);
    EXPECT_EQ(again.DbSifre, QStringLiteral("eski şifre"));

    // A secret file other users could read is closed to them when it is read.
    const QString secrets = dir.filePath(QStringLiteral("Kalvesa.secrets"));
    QFile::setPermissions(secrets, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther
                                       | QFileDevice::ReadGroup);
    ReadConnectionSettings(again, path);
    EXPECT_FALSE(QFile(secrets).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup));
    // Another server or login has a password of its own.
    SecretStore store(secrets);
    EXPECT_TRUE(store.read(QStringLiteral("db/POSTGRES/db2/kalvesa")).isEmpty());
    EXPECT_FALSE(SecretStore::desktopStoreUsable()); // the test programs never touch a desktop keyring
}

TEST(KalvesaIni, CancelledSettingsDialogChangesNothing)
{
    ScriptedMessages messages;
    SetMessageService(&messages);
    QTemporaryDir dir;
    qputenv("TORNALY_DATA_DIR", dir.path().toUtf8());
    TConnectionSettings s;
    // Pressing "Tamam" with an empty server warns and stays open; then "Vazgeç".
    SetModalRunner([](QDialog& d) {
        auto& form = dynamic_cast<TFormVeriTabLogin&>(d);
        form.EditServer->setCurrentText(QString());
        form.OKBtn->click();
        EXPECT_FALSE(form.result() == QDialog::Accepted && form.DonPara.KodStr == QLatin1String("1"));
        form.CancelBtn->click();
        return form.result();
    });
    TDonPara result;
    SunucuAyarlariSor(1, QStringLiteral("KALVESA"), {}, s, result);
    SetModalRunner({});
    EXPECT_EQ(result.KodStr, QStringLiteral("0"));
    EXPECT_TRUE(result.IlkStr.isEmpty());
    EXPECT_TRUE(result.SonStr.isEmpty());
    EXPECT_TRUE(messages.contains(QStringLiteral(" Sunucu Adı/Kullanıcı Adı alanı devam etmek için gereklidir.")));
    SetMessageService(nullptr);
}

TEST(ConnectionModule, LabelsAndCentralDefaults)
{
    EXPECT_EQ(Database1WorkstationId(QString(), QStringLiteral("PC1")), QStringLiteral("/PC1"));
    const QString login29(29, QLatin1Char('a'));
    EXPECT_EQ(Database1WorkstationId(login29, QStringLiteral("PC1")), login29 + QLatin1Char('/'));
    EXPECT_EQ(Database1WorkstationId(QString(35, QLatin1Char('b')), QStringLiteral("PC1")).size(), 30);
    EXPECT_EQ(MerkezWorkstationId(QStringLiteral("B01"), QString(20, QLatin1Char('x'))),
              QStringLiteral("B01;") + QString(15, QLatin1Char('x')));

    TConnectionSettings s;
    s.Surucu = Backend::PostgreSQL;
    s.SunucuAdi = QStringLiteral("srv:6543");
    s.DbKullaniciAdi = QStringLiteral("u1");
    s.DbSifre = QStringLiteral("p1");
    TDbParamLists lists{MakeDbParams(s, QStringLiteral("FIRMAKAV")), MakeDbParams(s, QStringLiteral("DEMO2026"))};
    TDBConn conn;
    ApplyConnectionParams(conn, s, lists, {}, {});
    EXPECT_EQ(conn.MerkezProfile.host, QStringLiteral("KAVMERKEZ"));
    EXPECT_EQ(conn.MerkezProfile.database, QStringLiteral("KAVDMS"));
    EXPECT_EQ(conn.MerkezProfile.user, QStringLiteral("KALVESA"));
    EXPECT_TRUE(conn.MerkezProfile.password.isEmpty());
    // A second call takes the second call's values.
    s.SunucuAdi = QStringLiteral("other");
    lists.FirmaDbParams = MakeDbParams(s, QStringLiteral("X2027"));
    ApplyConnectionParams(conn, s, lists, {}, {});
    EXPECT_EQ(conn.FirmaProfile.host, QStringLiteral("other"));
    EXPECT_EQ(conn.FirmaProfile.port, 5432);
    EXPECT_EQ(conn.FirmaProfile.database, QStringLiteral("X2027"));
    EXPECT_EQ(conn.FirmaProfile.password, QStringLiteral("p1"));
    EXPECT_EQ(conn.FirmalarProfile.database, QStringLiteral("FIRMAKAV"));
}

TEST(CompanyRoutines, LocksCodesAndSessionText)
{
    ScriptedMessages messages;
    SetMessageService(&messages);
    SessionContext ctx;
    EXPECT_FALSE(IsDateLocked(ctx, true, QDate(2000, 1, 1))); // no lock date: nothing locked
    ctx.KilitTarihi = QDate(2026, 3, 31);
    EXPECT_TRUE(IsDateLocked(ctx, false, QDate(2026, 3, 31)));
    EXPECT_FALSE(IsDateLocked(ctx, true, QDate(2026, 4, 1)));
    EXPECT_EQ(messages.count(), 0);
    EXPECT_TRUE(IsDateLocked(ctx, true, QDate(2026, 1, 5)));
    EXPECT_EQ(messages.lastText(), QStringLiteral("İlgili tarih için işlem yapılamaz!"));
    // A delivery-note kind tests only the delivery-note date.
    EXPECT_FALSE(IsDocDateLocked(ctx, QStringLiteral("İ"), true, InvoiceDate{QDate(2026, 1, 1)},
                                 DeliveryNoteDate{QDate(2026, 5, 1)}));
    EXPECT_TRUE(IsDocDateLocked(ctx, QStringLiteral("K"), true, InvoiceDate{QDate(2026, 5, 1)},
                                DeliveryNoteDate{QDate(2026, 1, 1)}));
    EXPECT_EQ(messages.lastText(), QStringLiteral("İlgili irsaliye tarihi için işlem yapılamaz!"));
    EXPECT_TRUE(IsDocDateLocked(ctx, QStringLiteral("F"), true, InvoiceDate{QDate(2026, 1, 1)},
                                DeliveryNoteDate{QDate(2026, 5, 1)}));
    EXPECT_EQ(messages.lastText(), QStringLiteral("İlgili fatura tarihi için işlem yapılamaz!"));
    SetMessageService(nullptr);

    EXPECT_TRUE(IsUpperAlnumCode(QString()));
    EXPECT_TRUE(IsUpperAlnumCode(QStringLiteral("WVW123ZZZ")));
    for (const char* bad : {"abc", "AB-1", "AB 1", "ÇA1", "İ1"})
        EXPECT_FALSE(IsUpperAlnumCode(QString::fromUtf8(bad))) << bad;

    ctx.FirmaAlias = QStringLiteral("DEMO2026MS");
    ctx.GirisKullaniciAdi = QStringLiteral("ali");
    ctx.DbKullaniciAdi = QStringLiteral("KALVESA");
    ctx.CalismaYili = QStringLiteral("2026");
    ctx.FirmaVeritabani = QStringLiteral("DEMO2026");
    ctx.FirmaAdi = QStringLiteral("DEMO");
    ctx.SunucuAdi = QString();
    // Passwords never travel: their places carry the empty mark.
    EXPECT_EQ(BuildSessionInfoText(ctx), QStringLiteral(" DEMO2026MS ali ¢ KALVESA ¢ 2026 DEMO2026 DEMO ¢"));
}

TEST(PasswordHash, SaltedHashWithItsParameters)
{
    const QString h1 = HashPassword(QStringLiteral("Sır"), 1000);
    const QString h2 = HashPassword(QStringLiteral("Sır"), 1000);
    EXPECT_NE(h1, h2); // salted
    EXPECT_TRUE(h1.startsWith(QStringLiteral("pbkdf2-sha256$1000$")));
    EXPECT_TRUE(VerifyPassword(QStringLiteral("Sır"), h1));
    EXPECT_FALSE(VerifyPassword(QStringLiteral("sır"), h1));
    // Nothing but a well-formed hash matches: no plain text, no empty password.
    for (const char* stored : {"pbkdf2-sha256$x$$", "pbkdf2-sha256$1000$$", "Sır", ""})
        EXPECT_FALSE(VerifyPassword(QStringLiteral("Sır"), QString::fromUtf8(stored))) << stored;
    EXPECT_TRUE(HashPassword(QString()).isEmpty());
    EXPECT_FALSE(VerifyPassword(QString(), HashPassword(QString(), 1000)));

    // Weaker than new hashes: replaced at the next login.
    EXPECT_TRUE(PasswordNeedsRehash(HashPassword(QStringLiteral("a"), PasswordIterations() - 1)));
    EXPECT_FALSE(PasswordNeedsRehash(HashPassword(QStringLiteral("a"), PasswordIterations())));
    EXPECT_TRUE(PasswordNeedsRehash(QStringLiteral("duz metin")));
}

TEST(PasswordHash, ProductionStrength)
{
    EXPECT_GE(kPasswordIterations, 600000);
    const int testStrength = PasswordIterations();
    SetPasswordIterations(kPasswordIterations);
    const QString h = HashPassword(QStringLiteral("şifre"));
    EXPECT_TRUE(h.startsWith(QStringLiteral("pbkdf2-sha256$%1$").arg(kPasswordIterations)));
    EXPECT_TRUE(VerifyPassword(QStringLiteral("şifre"), h));
    EXPECT_TRUE(PasswordNeedsRehash(HashPassword(QStringLiteral("şifre"), 100000))); // the former strength
    SetPasswordIterations(testStrength);
}

// Opening a company or the catalogue never creates its file; a catalogue
// entry cannot reach outside the data folder.
TEST(ConnectionModule, OpeningNeverCreatesADatabaseFile)
{
    QTemporaryDir dir;
    TConnectionSettings s;
    s.Surucu = Backend::SQLite;
    s.SunucuAdi = dir.filePath(QStringLiteral("veri"));
    const ConnectionProfile missing = ProfileFor(s, QStringLiteral("DEMO2026"));
    EXPECT_TRUE(missing.mustExist);
    try {
        Db::open(missing, QStringLiteral("yok"));
        ADD_FAILURE() << "a missing company file was opened";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::ConnectionFailed);
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Veritabanı dosyası bulunamadı"))) << e.text().toStdString();
    }
    Db::close(QStringLiteral("yok"));
    EXPECT_FALSE(QFile::exists(missing.filePath));
    EXPECT_FALSE(QFileInfo::exists(s.SunucuAdi)) << "not even its folder";

    // The creating path may; afterwards the same profile opens.
    CreateDatabase(missing, DatabaseKind::Catalogue);
    EXPECT_TRUE(QFile::exists(missing.filePath));
    EXPECT_TRUE(Db::open(missing, QStringLiteral("var")).isOpen());
    Db::close(QStringLiteral("var"));

    for (const char* outside : {"../DEMO", "/etc/passwd", "..", "a/b", "a\\b", "", "C:x"}) {
        const ConnectionProfile p = ProfileFor(s, QString::fromUtf8(outside));
        EXPECT_TRUE(p.filePath.isEmpty()) << outside;
        EXPECT_THROW(Db::open(p, QStringLiteral("disari")), DbError) << outside;
        Db::close(QStringLiteral("disari"));
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("DEMO.sqlite"))));
}

TEST(DiskUyarilari, ThresholdsAndWhichDriveIsNamed)
{
    struct Case {
        qint64 dataMb, logMb, logKb;
        QStringList expected;
    };
    const QString low = QStringLiteral(": Sürücüsündeki Boş Disk Alanı 500 MB ın altına düşmüştür. "
                                       "Lütfen Gerekli Önlemleri Alınız!");
    const QString big = QStringLiteral("SRV\\\\tornaly\nYolunda bulunan log dosya boyutu 100 MB aşmış. Temizlemek için\n"
                                       "Bakım Destek / Veri Düzenleme altındaki \"Veri Tabanı Log Dosyasını Temizle\" "
                                       "yi Tıklayınız.");
    const Case cases[] = {
        {500, -1, -1, {}},
        {0, 0, 99999, {}},
        {-1, -1, -1, {}},
        {499, -1, -1, {QStringLiteral("SRV\\\\D") + low}},
        {100, 100, -1, {QStringLiteral("SRV\\\\L") + low}},
        {100, 600, -1, {QStringLiteral("SRV\\\\D") + low}},
        {-1, -1, 100000, {big}},
    };
    for (const Case& c : cases) {
        ScriptedMessages messages;
        SetMessageService(&messages);
        TDiskDurumu d;
        d.dataFreeMb = c.dataMb;
        d.dataDrive = QStringLiteral("D");
        d.logFreeMb = c.logMb;
        d.logDrive = QStringLiteral("L");
        d.logFileKb = c.logKb;
        d.logPath = QStringLiteral("tornaly");
        DiskUyarilari(d, QStringLiteral("SRV"));
        EXPECT_EQ(messages.texts(), c.expected) << c.dataMb << " " << c.logMb << " " << c.logKb;
        SetMessageService(nullptr);
    }
}
