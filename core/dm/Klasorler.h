#pragma once
#include <QString>

namespace tornaly {

// The folders and working files of this workstation. Every folder ends in a
// separator. The program's own folder is only read (help pages); what the
// program writes goes under the per-user data folder, since an installed
// program's folder is not writable. Short (8.3) names do not exist here:
// the short forms are the folders themselves.
struct TKlasorler {
    QString ProgramDizini;      // the executable's folder
    QString YedekDizini;        // where backups go by default
    QString ProgramDiziniKisa;
    QString YedekDiziniKisa;
    QString TempDizini;         // the program's working files
    QString GeciciResimDosyasi; // working copy of a stock picture
    QString WinTempDizini;      // the system's temporary folder
    // Grid layouts; like the other layout files the forms keep ("cari.ini",
    // "KALVESA1.INI"...), in the settings folder (SettingsFilePath).
    QString GridDesignIni;
};

// The folders as the central data module sets them at start-up; the working
// folder (and its parents) is created when missing.
TKlasorler KlasorleriKur();
// The folders set by the last KlasorleriKur (set up on first use).
const TKlasorler& Klasorler();

} // namespace tornaly
