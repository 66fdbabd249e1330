#include "startup/EmbeddedDemo.h"
#include "startup/FirstSetup.h"
#include "company/FirmaKatalog.h"
#include "connection/ConnectionSettings.h"
#include "db/Schema.h"
#include "login/PasswordHash.h"

#include <QDate>
#include <QSettings>
#include <QUuid>

#include <vector>

namespace tornaly {

namespace {

std::vector<std::pair<QString, DemoSeed>>& demoSeeds()
{
    static std::vector<std::pair<QString, DemoSeed>> seeds;
    return seeds;
}

void seedCompany(const Db& db, const QString& year)
{
    Transaction tx(db);
    db.exec(QStringLiteral("INSERT INTO FIRKIM (EADI, OZEL1, ADR1, ADR3, ILI, URET_BKOD, YEREL_PARA, YEREL_KURUS, "
                           "VERGIDAIRE, VERGINO, TLF) VALUES (:EADI, :OZEL1, :ADR1, :ADR3, :ILI, :KOD, 'TL', 'KR', "
                           "'Kozyatağı', '2950123456', '(216)555 0100')"),
            {{QStringLiteral("EADI"), QStringLiteral("DEMO SERVİS")},
             {QStringLiteral("OZEL1"), QStringLiteral("OTOMOTİV LTD. ŞTİ.")},
             {QStringLiteral("ADR1"), QStringLiteral("Sanayi Sitesi 1. Cadde No: 1")},
             {QStringLiteral("ADR3"), QStringLiteral("Merkez")},
             {QStringLiteral("ILI"), QStringLiteral("İSTANBUL")},
             {QStringLiteral("KOD"), QStringLiteral("DEMO01")}});
    db.exec(QStringLiteral("INSERT INTO PARAMET (NEGATIF_STOK, MALIYET_UYARI, FATYUVARTIP, DOVIZLI_BKY, BEKLE_GUN, "
                           "FTISKTIP) VALUES (0, 0, 'H', 0, 5, 0)"));
    if (db.dialect().tableExists(db, QStringLiteral("PARAMUH")))
        db.exec(QStringLiteral("INSERT INTO PARAMUH (A_MUH_KAY, S_MUH_KAY, C_MUH_KAY, IE_MUH_KAY, ISK_DUS) "
                               "VALUES ('S', 'S', 'S', 'S', 'D')"));
    if (db.dialect().tableExists(db, QStringLiteral("PARAMETRE")))
        db.exec(QStringLiteral("INSERT INTO PARAMETRE (DF_KDV, MUAVIN_HANE, TALI_HANE, DETAY_HANE, SEVIYE, "
                               "ALFADURUM, AYRAC) VALUES (20, 3, 3, 0, 'T', 'S', '.')"));

    InsertAdministrator(db, kDemoKullanici, QStringLiteral("Demo Kullanıcı"), kDemoSifre);
    Q_UNUSED(year);
    tx.commit();
}

} // namespace

void RegisterDemoSeed(const QString& name, DemoSeed seed)
{
    for (const auto& s : demoSeeds())
        if (s.first == name)
            return;
    demoSeeds().emplace_back(name, std::move(seed));
}

void RunDemoSeeds(const Db& db)
{
    for (const auto& s : demoSeeds()) {
        Transaction tx(db);
        s.second(db);
        tx.commit();
    }
}

void SeedDemoCompany(const Db& db, const QString& year)
{
    seedCompany(db, year);
    RunDemoSeeds(db);
}

bool EnsureEmbeddedDemo(const QString& iniPath, const QString& dataFolder)
{
    TConnectionSettings s;
    ReadConnectionSettings(s, iniPath);
    if (!s.SunucuAdi.isEmpty())
        return false;
    s.Surucu = Backend::SQLite;
    s.SunucuAdi = dataFolder;
    const QString year = QString::number(QDate::currentDate().year());
    const QString database = QStringLiteral("DEMO") + year;

    const ConnectionProfile catalogue = ProfileFor(s, FirmalarVeritabani);
    // A catalogue made earlier means the user emptied the server on purpose:
    // the company dialog then asks for it.
    if (DatabaseExists(catalogue))
        return false;
    {
        const ConnectionProfile company = ProfileFor(s, database);
        if (!DatabaseExists(company)) {
            CreateDatabase(company, DatabaseKind::Company);
            const QString name = QStringLiteral("demo_") + QUuid::createUuid().toString(QUuid::Id128);
            try {
                const Db db = Db::open(company, name);
                SeedDemoCompany(db, year);
            } catch (...) {
                Db::close(name);
                DropDatabase(company);
                throw;
            }
            Db::close(name);
        }
        CreateDatabase(catalogue, DatabaseKind::Catalogue);
        const QString name = QStringLiteral("demo_") + QUuid::createUuid().toString(QUuid::Id128);
        {
            Db db = Db::open(catalogue, name);
            db.exec(QStringLiteral("INSERT INTO FIRMALAR (FIRMA_ADI, FIRMA_NO, YILI, ALIASADI, DATABASE_NAME, "
                                   "FIRMA_ID) VALUES (:A, NULL, :Y, :D, :D2, '1')"),
                    {{QStringLiteral("A"), kDemoFirma},
                     {QStringLiteral("Y"), year},
                     {QStringLiteral("D"), database},
                     {QStringLiteral("D2"), database}});
        }
        Db::close(name);
        RememberCompanyChoice(kDemoFirma, year);
    }
    WriteServerSettings(s, iniPath);
    return true;
}

} // namespace tornaly
