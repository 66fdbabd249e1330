#include "dm/Klasorler.h"
#include "connection/ConnectionSettings.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QDir>

namespace tornaly {

namespace {

QString bolucuyleBiten(const QString& folder)
{
    const QString f = QDir::cleanPath(folder);
    return f.endsWith(QLatin1Char('/')) ? f : f + QLatin1Char('/');
}

TKlasorler& current()
{
    static TKlasorler k;
    return k;
}

} // namespace

TKlasorler KlasorleriKur()
{
    TKlasorler k;
    k.ProgramDizini = bolucuyleBiten(QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                                 : QDir::currentPath());
    const QString data = bolucuyleBiten(EmbeddedDataFolder());
    k.YedekDizini = data + QStringLiteral("YEDEK/");
    k.ProgramDiziniKisa = k.ProgramDizini;
    k.YedekDiziniKisa = k.YedekDizini;
    k.TempDizini = data + QStringLiteral("TEMP/");
    QDir().mkpath(k.TempDizini);
    k.GeciciResimDosyasi = k.TempDizini + QStringLiteral("TMPSTKRS.JPG");
    k.WinTempDizini = bolucuyleBiten(QDir::tempPath());
    k.GridDesignIni = SettingsFilePath(QStringLiteral("GridDesign.ini"));
    current() = k;
    return k;
}

const TKlasorler& Klasorler()
{
    if (current().ProgramDizini.isEmpty())
        KlasorleriKur();
    return current();
}

} // namespace tornaly
