#pragma once
#include "db/Database.h"

#include <QEventLoop>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QProcess;

namespace tornaly {

// One start of another program. Secrets travel in the environment of the new
// process only: a command line can be read by every user of the machine.
struct ProgramStart {
    QString program;                    // the executable's full path
    QStringList arguments;
    QMap<QString, QString> environment; // added to the inherited environment
};

// Where the other programs are: the file name's entry in section PROGRAMLAR of
// the settings file "Kalvesa" when set, else the program's own folder, else the
// system's search path (the name with and without ".exe"). Empty when not found.
QString FindProgram(const QString& programFile);
// The section and file holding the programs' paths, for messages.
QString ProgramSettingsSection();

// Starts the program without waiting; true when the system accepted the start.
bool LaunchProgram(const ProgramStart& start);
// The two-argument form: program, a blank, argument 1, a blank, argument 2.
bool LaunchProgram(const QString& program, const QString& argument1, const QString& argument2);
// Tests replace the real start; an empty function restores it.
void SetProgramStartHook(std::function<bool(const ProgramStart&)> hook);

// Starts the program and waits for it while the window keeps painting;
// the exit code, or -1 when it does not start or crashes.
int RunAndWait(const QString& program, const QStringList& arguments);
// Runs the event loop with `flags` until the started `process` is no longer
// running, however its end is noticed. Never call it inside a write transaction.
void WaitForProgramEnd(QProcess& process, QEventLoop::ProcessEventsFlags flags);

// One labour code chosen in the external labour-time catalogue; only `kod` is filled.
struct tiscsec {
    QString kod;
    QString ad;
    double sure = 0;
    QString model;
};

// The catalogue program's path from the maintenance parameters (empty when none).
QString LabourCataloguePath(const Db& db);
// Runs the catalogue with `argument` and reads the codes it wrote into
// "output.txt" beside it; answers their number. A missing program is reported.
int RunLabourCatalogue(const Db& db, const QString& argument, std::vector<tiscsec>& codes);
// The same with a known program path.
int RunLabourCatalogueAt(const QString& programPath, const QString& argument, std::vector<tiscsec>& codes);
// The codes of one "output.txt" text: the first 15 characters of each line, trimmed; empty ones skipped.
std::vector<tiscsec> ReadLabourCodes(const QString& text);

} // namespace tornaly
