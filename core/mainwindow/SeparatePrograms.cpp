#include "mainwindow/SeparatePrograms.h"
#include "context/SessionContext.h"
#include "messages/Messages.h"

#include <QFileInfo>

namespace tornaly {

namespace {
QString orMark(const QString& value) { return value.isEmpty() ? QStringLiteral("¢") : value; }
} // namespace

QStringList SessionInfoArguments(const SessionContext& ctx)
{
    QString database, server, dbUser;
    if (ctx.Database1.isValid()) {
        const ConnectionProfile& p = ctx.Database1.profile();
        if (p.backend == Backend::SQLite) {
            database = p.filePath;
        } else {
            database = p.database;
            server = p.port == 5432 ? p.host : QStringLiteral("%1:%2").arg(p.host).arg(p.port);
        }
        dbUser = p.user;
    }
    const QString alias =
        database.isEmpty() ? QString() : QFileInfo(database).completeBaseName() + QStringLiteral("MS");
    return {orMark(alias),
            orMark(ctx.AktifKullanici.login),
            QStringLiteral("¢"),
            orMark(dbUser),
            QStringLiteral("¢"),
            orMark(ctx.CalismaYili),
            orMark(database),
            orMark(ctx.FirmaAdi),
            orMark(server)};
}

ProgramStart SeparateProgramStart(const SessionContext& ctx, const QString& programFile, const QString& path)
{
    ProgramStart start;
    start.program = path;
    if (!ctx.AktifKullanici.password.isEmpty())
        start.environment.insert(QString::fromLatin1(kLoginPasswordVariable), ctx.AktifKullanici.password);
    if (programFile.compare(QLatin1String("Sarvelo.exe"), Qt::CaseInsensitive) == 0) {
        start.arguments = {ctx.AktifKullanici.login};
        return start;
    }
    start.arguments = SessionInfoArguments(ctx);
    if (ctx.Database1.isValid() && !ctx.Database1.profile().password.isEmpty())
        start.environment.insert(QString::fromLatin1(kDatabasePasswordVariable), ctx.Database1.profile().password);
    return start;
}

bool StartSeparateProgram(const SessionContext& ctx, const QString& programFile)
{
    const QString path = FindProgram(programFile);
    if (path.isEmpty()) {
        ShowWarning(QStringLiteral("\"%1\" programı bulunamadı.\nProgramın yerini ayar dosyası Kalvesa.INI "
                                   "içindeki [%2] bölümüne \"%1\" anahtarıyla yazınız ya da programı "
                                   "Tornaly ile aynı klasöre kopyalayınız.")
                        .arg(programFile, ProgramSettingsSection()));
        return false;
    }
    if (!LaunchProgram(SeparateProgramStart(ctx, programFile, path))) {
        ShowWarning(QStringLiteral("\"%1\" programı başlatılamadı.").arg(path));
        return false;
    }
    return true;
}

} // namespace tornaly
