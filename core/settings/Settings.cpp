#include "settings/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <atomic>

namespace tornaly {

namespace {

std::atomic<bool> g_izgaraAyarSakla{false};

QString programName()
{
    QString n = QCoreApplication::applicationName();
    if (n.isEmpty())
        n = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return n.isEmpty() ? QStringLiteral("Tornaly") : n;
}

QString iniPath(const QString& file) { return SettingsFilePath(file); }

// Registry key names are not case-sensitive; the native store is, so paths
// are folded to one case before they are used.
QString registryGroup(const QString& file, const QString& section)
{
    QString g = file.isEmpty() ? section : file + QLatin1Char('/') + section;
    return g.toUpper();
}

QString registryPath()
{
    return QDir(SettingsFolder()).filePath(QStringLiteral("Dolmavik/Tornaly.conf"));
}

QString legacyPath()
{
    return QDir(SettingsFolder()).filePath(QStringLiteral("SOFTWARE/%1.conf").arg(programName()));
}

} // namespace

QString SettingsFolder()
{
    QString dir = qEnvironmentVariable("TORNALY_CONFIG_DIR");
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Tornaly");
    QDir().mkpath(dir);
    return dir;
}

QString SettingsFilePath(const QString& file)
{
    QString base = file.isEmpty() ? programName() : QFileInfo(file).fileName();
    // A new file gets the extension as the caller spells it, ".INI" by default.
    QString extension = QStringLiteral(".INI");
    if (base.endsWith(QLatin1String(".INI"), Qt::CaseInsensitive)) {
        extension = base.right(4);
        base.chop(4);
    }
    // Settings file names are not case-sensitive ("Kalvesa.ini", "KALVESA.INI"
    // and "Kalvesa.INI" are one file): an existing file of any case is used.
    const QDir folder(SettingsFolder());
    const QString wanted = base + extension;
    const QStringList present = folder.entryList({QStringLiteral("*")}, QDir::Files);
    QStringList matches;
    for (const QString& name : present)
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            matches << name;
    if (matches.isEmpty())
        return folder.filePath(wanted);
    // Should an older installation have left several, the first in sorted order wins every time.
    matches.sort();
    return folder.filePath(matches.constFirst());
}

QString ReadSetting(const QString& file, const QString& section, const QString& key, int store)
{
    if (store == StoreDefault)
        store = StoreFile;
    switch (store) {
    case StoreFile: {
        const QString path = iniPath(file);
        if (!QFileInfo::exists(path))
            return {};
        QSettings s(path, QSettings::IniFormat);
        return s.value(section + QLatin1Char('/') + key).toString();
    }
    case StoreRegistry: {
        QSettings s(registryPath(), QSettings::IniFormat);
        return s.value(registryGroup(file, section) + QLatin1Char('/') + key.toUpper()).toString();
    }
    case StoreLegacy: {
        if (!file.isEmpty())
            return ReadSetting(file, section, key, StoreRegistry);
        QSettings s(legacyPath(), QSettings::IniFormat);
        return s.value(section.toUpper() + QLatin1Char('/') + key.toUpper()).toString();
    }
    default:
        return {};
    }
}

void WriteSetting(const QString& file, const QString& section, const QString& key, const QString& value, int store)
{
    if (store == StoreDefault)
        store = StoreFile;
    if (store == StoreFile) {
        QSettings s(iniPath(file), QSettings::IniFormat);
        s.setValue(section + QLatin1Char('/') + key, value);
        s.sync();
    } else if (store == StoreRegistry) {
        QSettings s(registryPath(), QSettings::IniFormat);
        s.setValue(registryGroup(file, section) + QLatin1Char('/') + key.toUpper(), value);
        s.sync();
    }
}

bool IzgaraAyarSakla() { return g_izgaraAyarSakla.load(); }
void SetIzgaraAyarSakla(bool on) { g_izgaraAyarSakla.store(on); }

} // namespace tornaly
