#include "startup/FirstSetup.h"
#include "company/FirmaKatalog.h"
#include "db/Schema.h"
#include "login/PasswordHash.h"
#include "login/Sifre2.h"
#include "startup/EmbeddedDemo.h"

#include <QCoreApplication>
#include <QDate>
#include <QUuid>

#include <cstdio>
#include <iostream>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace tornaly {

namespace {

QString connectionName()
{
    return QStringLiteral("kurulum_") + QUuid::createUuid().toString(QUuid::Id128);
}

// A line typed on the terminal; without echo for passwords.
QString askLine(const QString& prompt, bool secret = false)
{
    std::cerr << prompt.toStdString() << std::flush;
    termios old{};
    const bool tty = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &old) == 0;
    if (secret && tty) {
        termios quiet = old;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    std::string line;
    std::getline(std::cin, line);
    if (secret && tty) {
        tcsetattr(STDIN_FILENO, TCSANOW, &old);
        std::cerr << std::endl;
    }
    return QString::fromStdString(line).trimmed();
}

} // namespace

void InsertAdministrator(const Db& db, const QString& login, const QString& name, const QString& password)
{
    // Every right: the scale rights at full access, the yes/no rights yes,
    // the account-list rights at the value that allows them.
    QVariantMap v{{QStringLiteral("LOGIN_NAME"), login},
                  {QStringLiteral("USER_NAME"), name},
                  {QStringLiteral("USER_PASS"), HashPassword(password)},
                  {QStringLiteral("SUPERVIZOR"), QStringLiteral("A")}};
    const char* full[] = {"BEYAN", "ALIS", "SATIS", "AL_SIP", "VER_SIP", "STOK", "CARI", "MALIYET", "ARAC_AL",
                          "ARAC_SAT", "IS_EMRI", "DISPOZ", "CLAIM", "PDI", "SER_STOK", "SEPO_STOK", "PERSONEL",
                          "BARKOD", "EXPER", "FRTFCT", "DIALUP", "PARAM", "FAT_TANIM", "DOVIZ_KUR", "IE_AKTAR",
                          "IEFATURA", "TEKLIF", "IKI_EL_OKU", "IKI_EL_EKLE", "IKI_EL_DEGIS", "IKI_EL_SIL",
                          "IE_ACKAPA", "ARC_GECMISSRG", "IKI_ZARAR_SAT", "IKI_ELSATIS_ONAY"};
    for (const char* c : full)
        v.insert(QString::fromLatin1(c), QStringLiteral("Y"));
    for (int i = 1; i <= 27; ++i)
        v.insert(QStringLiteral("DIGER%1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("Y"));
    for (const char* c : {"DIGER12", "DIGER20", "DIGER24", "DIGER25", "ARAC_BEYAN_SIL"})
        v.insert(QString::fromLatin1(c), QStringLiteral("E"));
    v.insert(QStringLiteral("DIGER15"), QStringLiteral("O")); // O opens the work-order list and monitor
    v.insert(QStringLiteral("DIGER16"), QStringLiteral("T"));
    v.insert(QStringLiteral("DIGER27"), QStringLiteral("H")); // H: every clerk's documents are shown
    v.insert(QStringLiteral("CHRK"), QStringLiteral("H"));
    v.insert(QStringLiteral("CARIBA"), QStringLiteral("H"));
    v.insert(QStringLiteral("CHODEKAPAC"), QStringLiteral("H"));
    v.insert(QStringLiteral("CHIZLE"), QStringLiteral("O"));
    for (const char* c : {"STOK_ADI", "STOK_FIYAT", "FRT_ADI", "FRT_FIYAT"})
        v.insert(QString::fromLatin1(c), 96);
    v.insert(QStringLiteral("DEPTRANS"), 1);
    v.insert(QStringLiteral("MAX_ISK_PRC"), 100.0);
    v.insert(QStringLiteral("MAX_ISK_ISC"), 100.0);
    v.insert(QStringLiteral("DEPO"), QStringLiteral("1"));
    QStringList names, params;
    for (auto it = v.cbegin(); it != v.cend(); ++it) {
        names << it.key();
        params << QLatin1Char(':') + it.key();
    }
    db.exec(QStringLiteral("INSERT INTO RIGHTS (%1) VALUES (%2)").arg(names.join(QStringLiteral(", ")),
                                                                       params.join(QStringLiteral(", "))),
            v);
}

QString KuruluSunucuMetni()
{
    return QStringLiteral("Bu sunucuda firma kataloğu zaten kurulu; firmalara dokunulmadı, bu bilgisayarın ayarları "
                          "sunucuya yöneltildi. Programı açıp mevcut bir kullanıcıyla giriş yapınız.");
}

bool SunucuKurulu(const TConnectionSettings& s)
{
    const ConnectionProfile catalogue = ProfileFor(s, FirmalarVeritabani);
    if (!DatabaseExists(catalogue))
        return false;
    const QString name = connectionName();
    bool listed = false;
    try {
        const Db db = Db::open(catalogue, name);
        ApplyMigrations(db, DatabaseKind::Catalogue);
        listed = !TFirmaKatalog(db).companies(true).isEmpty();
    } catch (...) {
        Db::close(name);
        throw;
    }
    Db::close(name);
    return listed;
}

void IlkKurulum(const TConnectionSettings& s, const IlkKurulumBilgisi& b, const QString& iniPath)
{
    if (b.yoneticiSifre.isEmpty())
        throw DbError(DbError::Kind::Other, QStringLiteral("Yöneticinin parolası boş olamaz."));
    if (b.yoneticiKodu.trimmed().isEmpty() || b.firmaAdi.trimmed().isEmpty())
        throw DbError(DbError::Kind::Other, QStringLiteral("Firma adı ve yönetici kodu boş olamaz."));
    bool yearOk = false;
    const int year = b.yil.toInt(&yearOk);
    if (!yearOk || year < 1990 || year > 2100)
        throw DbError(DbError::Kind::Other, QStringLiteral("Çalışma yılı geçerli bir yıl değil: %1").arg(b.yil));

    const ConnectionProfile catalogue = ProfileFor(s, FirmalarVeritabani);
    const bool catalogueExisted = DatabaseExists(catalogue);
    if (catalogueExisted && SunucuKurulu(s)) {
        // The server's login may be new (the set-up script renews it): keep it.
        WriteServerSettings(s, iniPath);
        throw DbError(DbError::Kind::UniqueViolation, KuruluSunucuMetni());
    }

    const QString database = QStringLiteral("FIRMA1_%1").arg(year);
    const ConnectionProfile company = ProfileFor(s, database);
    CreateDatabase(company, DatabaseKind::Company);
    try {
        const QString name = connectionName();
        try {
            const Db db = Db::open(company, name);
            Transaction tx(db);
            db.exec(QStringLiteral("INSERT INTO FIRKIM (EADI, YEREL_PARA, YEREL_KURUS) VALUES (:EADI, 'TL', 'KR')"),
                    {{QStringLiteral("EADI"), b.firmaAdi.trimmed()}});
            db.exec(QStringLiteral("INSERT INTO PARAMET (NEGATIF_STOK, MALIYET_UYARI, FATYUVARTIP, DOVIZLI_BKY, "
                                   "BEKLE_GUN, FTISKTIP) VALUES (0, 0, 'H', 0, 5, 0)"));
            InsertAdministrator(db, b.yoneticiKodu.trimmed().toUpper(),
                                b.yoneticiAdi.isEmpty() ? b.yoneticiKodu.trimmed() : b.yoneticiAdi, b.yoneticiSifre);
            tx.commit();
        } catch (...) {
            Db::close(name);
            throw;
        }
        Db::close(name);

        if (!catalogueExisted)
            CreateDatabase(catalogue, DatabaseKind::Catalogue);
        const QString cname = connectionName();
        {
            const Db db = Db::open(catalogue, cname);
            db.exec(QStringLiteral("INSERT INTO FIRMALAR (FIRMA_ADI, FIRMA_NO, YILI, ALIASADI, DATABASE_NAME, "
                                   "FIRMA_ID) VALUES (:A, NULL, :Y, :D, :D2, '1')"),
                    {{QStringLiteral("A"), b.firmaAdi.trimmed()},
                     {QStringLiteral("Y"), QString::number(year)},
                     {QStringLiteral("D"), database},
                     {QStringLiteral("D2"), database}});
        }
        Db::close(cname);
    } catch (...) {
        try {
            DropDatabase(company);
            if (!catalogueExisted)
                DropDatabase(catalogue);
        } catch (...) {
        }
        throw;
    }
    WriteServerSettings(s, iniPath);
    RememberCompanyChoice(b.firmaAdi.trimmed(), QString::number(year));
    // The new company's login box proposes its administrator, not the last user of another company.
    RememberLoginName(b.firmaAdi.trimmed(), b.yoneticiKodu.trimmed().toUpper());
}

int IlkKurulumKomutu()
{
    TConnectionSettings s;
    ReadConnectionSettings(s, KalvesaIniPath());
    // An embedded installation's folder is no server name.
    if (s.Surucu != Backend::PostgreSQL || s.SunucuAdi.isEmpty())
        s.SunucuAdi = QStringLiteral("localhost");
    s.Surucu = Backend::PostgreSQL;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--sunucu"))
            s.SunucuAdi = args.at(i + 1);
        else if (args.at(i) == QLatin1String("--kullanici"))
            s.DbKullaniciAdi = args.at(i + 1);
    }
    s.DbSifre = qEnvironmentVariable("TORNALY_DB_PASSWORD");

    std::cerr << "Tornaly: PostgreSQL sunucusunda ilk kurulum (" << s.SunucuAdi.toStdString() << ", kullanıcı "
              << s.DbKullaniciAdi.toStdString() << ")" << std::endl;
    // The server is reached (and found empty) before anything is asked.
    try {
        if (SunucuKurulu(s)) {
            WriteServerSettings(s, KalvesaIniPath());
            std::cerr << KuruluSunucuMetni().toStdString() << std::endl;
            return 1;
        }
    } catch (const DbError& e) {
        std::cerr << e.text().toStdString() << std::endl;
        return 1;
    }
    IlkKurulumBilgisi b;
    b.firmaAdi = askLine(QStringLiteral("Firma adı: "));
    const QString thisYear = QString::number(QDate::currentDate().year());
    b.yil = askLine(QStringLiteral("Çalışma yılı [%1]: ").arg(thisYear));
    if (b.yil.isEmpty())
        b.yil = thisYear;
    b.yoneticiKodu = askLine(QStringLiteral("Yönetici kullanıcı kodu [YONETICI]: "));
    if (b.yoneticiKodu.isEmpty())
        b.yoneticiKodu = QStringLiteral("YONETICI");
    for (;;) {
        b.yoneticiSifre = askLine(QStringLiteral("Yöneticinin parolası: "), true);
        const QString again = askLine(QStringLiteral("Parola (tekrar): "), true);
        if (!std::cin.good())
            return 2;
        if (b.yoneticiSifre.isEmpty())
            std::cerr << "Parola boş olamaz." << std::endl;
        else if (b.yoneticiSifre != again)
            std::cerr << "Parolalar aynı değil." << std::endl;
        else
            break;
    }
    try {
        IlkKurulum(s, b, KalvesaIniPath());
    } catch (const DbError& e) {
        std::cerr << e.text().toStdString() << std::endl;
        return 1;
    }
    std::cerr << "Kurulum tamam: \"" << b.firmaAdi.toStdString() << "\" " << b.yil.toStdString()
              << ". Programı açıp " << b.yoneticiKodu.toUpper().toStdString()
              << " kullanıcısıyla giriş yapabilirsiniz." << std::endl;
    return 0;
}

} // namespace tornaly
