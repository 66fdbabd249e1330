#pragma once
#include <QString>
#include <functional>

namespace tornaly {

// The login of the demo made on a first run.
inline const QString kDemoKullanici = QStringLiteral("DEMO");
inline const QString kDemoSifre = QStringLiteral("demo");
inline const QString kDemoFirma = QStringLiteral("DEMO SERVİS");

// On a workstation whose settings name no server yet: makes an embedded
// catalogue in `dataFolder` with one company for the current working year and
// one user with every right, and points the settings file at it. Returns true
// when it made the demo; does nothing when a server is already configured.
// Throws DbError when a database cannot be made.
bool EnsureEmbeddedDemo(const QString& iniPath, const QString& dataFolder);

class Db;

// A library's part of the demo company: cards and documents that make its
// forms worth opening. Each seed runs in a transaction of its own, in the
// order the seeds were registered, after the core's own rows. Registering a
// name twice keeps the first.
using DemoSeed = std::function<void(const Db&)>;
void RegisterDemoSeed(const QString& name, DemoSeed seed);
// Runs every registered seed on a new company database (and in tests).
void RunDemoSeeds(const Db& db);
// The whole demo company on a new, migrated database: the core's rows, its
// user with every right, then every registered seed.
void SeedDemoCompany(const Db& db, const QString& year);

} // namespace tornaly
