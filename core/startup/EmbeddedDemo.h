#pragma once
#include <QString>

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

} // namespace tornaly
