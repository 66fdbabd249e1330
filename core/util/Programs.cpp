#include "util/Programs.h"
#include "db/Dialect.h"
#include "messages/Messages.h"
#include "settings/Settings.h"
#include "sql/SqlHelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>

namespace tornaly {

namespace {
QMutex g_programHookMutex;
std::function<bool(const ProgramStart&)>& startHook()
{
    static std::function<bool(const ProgramStart&)> h;
    return h;
}

QString executableIn(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return {};
    const QFileInfo info(QDir(folder).filePath(name));
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
}
} // namespace

QString ProgramSettingsSection() { return QStringLiteral("PROGRAMLAR"); }

QString FindProgram(const QString& programFile)
{
    const QString configured =
        ReadSetting(QStringLiteral("Kalvesa"), ProgramSettingsSection(), programFile).trimmed();
    if (!configured.isEmpty()) {
        const QFileInfo info(configured);
        return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    }
    QStringList names{programFile};
    if (programFile.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        names << programFile.chopped(4);
    for (const QString& name : names) {
        const QString found = executableIn(QCoreApplication::applicationDirPath(), name);
        if (!found.isEmpty())
            return found;
    }
    for (const QString& name : names) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

bool LaunchProgram(const ProgramStart& start)
{
    std::function<bool(const ProgramStart&)> h;
    {
        QMutexLocker l(&g_programHookMutex);
        h = startHook();
    }
    if (h)
        return h(start);
    QProcess process;
    process.setProgram(start.program);
    process.setArguments(start.arguments);
    if (!start.environment.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (auto it = start.environment.cbegin(); it != start.environment.cend(); ++it)
            env.insert(it.key(), it.value());
        process.setProcessEnvironment(env);
    }
    return process.startDetached();
}

bool LaunchProgram(const QString& program, const QString& argument1, const QString& argument2)
{
    return LaunchProgram(ProgramStart{program, {argument1, argument2}, {}});
}

void SetProgramStartHook(std::function<bool(const ProgramStart&)> hook)
{
    QMutexLocker l(&g_programHookMutex);
    startHook() = std::move(hook);
}

void WaitForProgramEnd(QProcess& process, QEventLoop::ProcessEventsFlags flags)
{
    // Its end may already have been handled by an earlier round of events; then
    // waitForFinished would answer false for ever, so the state decides.
    QEventLoop loop;
    QObject::connect(&process, &QProcess::stateChanged, &loop, [&loop](QProcess::ProcessState s) {
        if (s == QProcess::NotRunning)
            loop.quit();
    });
    if (process.state() != QProcess::NotRunning)
        loop.exec(flags);
}

int RunAndWait(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setWorkingDirectory(QDir::currentPath());
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted())
        return -1;
    // The window keeps painting; what the user types waits until the program has ended.
    WaitForProgramEnd(process, QEventLoop::ExcludeUserInputEvents);
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QString LabourCataloguePath(const Db& db)
{
    if (!db.dialect().tableExists(db, QStringLiteral("PARAMET")))
        return {};
    return SqlLookup(db, QStringLiteral("SELECT ISCILIK_PRG_YOL FROM PARAMET")).toString().trimmed();
}

std::vector<tiscsec> ReadLabourCodes(const QString& text)
{
    std::vector<tiscsec> codes;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString code = line.left(15).trimmed();
        if (!code.isEmpty())
            codes.push_back(tiscsec{code, {}, 0, {}});
    }
    return codes;
}

int RunLabourCatalogueAt(const QString& programPath, const QString& argument, std::vector<tiscsec>& codes)
{
    codes.clear();
    const QFileInfo program(programPath);
    if (programPath.isEmpty() || !program.exists()) {
        ShowWarning(QStringLiteral(
            "İşçilik Katalog Programı Bulunamadı! Bakım Destek Parametrelerden Kontrol Ediniz!"));
        return 0;
    }
    const QString output = program.absoluteDir().filePath(QStringLiteral("output.txt"));
    if (QFile::exists(output))
        QFile::remove(output);
    // The exit code says nothing reliable; what counts is the file it leaves.
    RunAndWait(program.absoluteFilePath(), argument.isEmpty() ? QStringList() : QStringList{argument});
    QFile file(output);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    codes = ReadLabourCodes(QString::fromLocal8Bit(file.readAll()));
    return int(codes.size());
}

int RunLabourCatalogue(const Db& db, const QString& argument, std::vector<tiscsec>& codes)
{
    return RunLabourCatalogueAt(LabourCataloguePath(db), argument, codes);
}

} // namespace tornaly
