#pragma once
#include <QString>

namespace tornaly {

// Where per-workstation settings live:
//  1  an INI file in the settings folder (the given file name + ".INI", or
//     the program's name + ".INI" when no file name is given)
//  2  the per-user native store of "SOFTWARE\Dolmavik\Tornaly\" [file\] section
//  3  read only: the older per-user key of the program's own name
// -1  the default store, 1.
enum SettingStore { StoreDefault = -1, StoreFile = 1, StoreRegistry = 2, StoreLegacy = 3 };

// The folder that holds the settings files: $TORNALY_CONFIG_DIR when set,
// else the per-user configuration folder of Tornaly. Created on first use.
QString SettingsFolder();

// The path of a settings file (store 1). Names are not case-sensitive:
// "Kalvesa", "KALVESA.INI" and "Kalvesa.ini" all name one file.
QString SettingsFilePath(const QString& file);

// The stored text, or an empty text when the file, key or value is missing.
QString ReadSetting(const QString& file, const QString& section, const QString& key, int store = StoreDefault);
// Writes the text; store 3 and unknown stores write nothing.
void WriteSetting(const QString& file, const QString& section, const QString& key, const QString& value,
                  int store = StoreDefault);

// The main-menu switch "Izgara Kolon Ayarlarını Sakla": whether grids store their layouts.
bool IzgaraAyarSakla();
void SetIzgaraAyarSakla(bool on);

} // namespace tornaly
