#pragma once
#include "db/Database.h"

namespace tornaly {

// The program's three connections: the company database of the chosen
// company and year, the companies catalogue, and the distributor's central
// server. No form opens a connection of its own.
class TDBConn {
public:
    static inline const QString Database1Name = QStringLiteral("Database1");
    static inline const QString FirmalarName = QStringLiteral("DatabaseFirmalar");
    static inline const QString MerkezName = QStringLiteral("dbMerkez");

    ConnectionProfile FirmaProfile;    // company database
    ConnectionProfile FirmalarProfile; // companies catalogue
    ConnectionProfile MerkezProfile;   // central server

    // Opens (or reopens) a connection from its profile; throws DbError.
    Db openDatabase1() { return Db::open(FirmaProfile, Database1Name); }
    Db openFirmalar() { return Db::open(FirmalarProfile, FirmalarName); }
    Db openMerkez() { return Db::open(MerkezProfile, MerkezName); }

    // The open connections; invalid handles when closed.
    Db Database1() const { return Db::attach(Database1Name); }
    Db DatabaseFirmalar() const { return Db::attach(FirmalarName); }
    Db dbMerkez() const { return Db::attach(MerkezName); }

    // The connection of a database selector: 1 the central server, any other
    // value the company database.
    Db bySelector(int selector) const { return selector == 1 ? dbMerkez() : Database1(); }

    void closeAll()
    {
        Db::close(Database1Name);
        Db::close(FirmalarName);
        Db::close(MerkezName);
    }
};

// The program's one connection module.
TDBConn& DBConn();

} // namespace tornaly
