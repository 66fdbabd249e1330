#pragma once
#include "util/Programs.h"

#include <QString>
#include <QStringList>

namespace tornaly {

struct SessionContext;

// The login text handed to the separate programs, one value per argument in
// the order alias, login name, password, database user, database password,
// working year, company database, company name, server; "¢" stands for an
// empty value. The two passwords are always "¢" here: they travel in the
// environment variables below, which other users of the machine cannot read.
QStringList SessionInfoArguments(const SessionContext& ctx);
inline constexpr char kLoginPasswordVariable[] = "TORNALY_GIRIS_SIFRE";
inline constexpr char kDatabasePasswordVariable[] = "TORNALY_VT_SIFRE";

// How a separate program of the main window is started: the login text for
// the sibling programs; the login name alone for the accounting company
// definition ("Sarvelo.exe"), its password in the environment.
ProgramStart SeparateProgramStart(const SessionContext& ctx, const QString& programFile, const QString& path);

// Finds and starts the program; a missing program or a refused start is
// reported. True when started.
bool StartSeparateProgram(const SessionContext& ctx, const QString& programFile);

} // namespace tornaly
