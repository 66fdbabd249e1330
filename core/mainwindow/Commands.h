#pragma once
#include "context/User.h"

#include <QList>
#include <QString>

namespace tornaly {

// The commands of the main window as data: where each one sits, which right
// letter it tests, and what it opens. The window is built from this table.

using RightField = QString t_user::*;

enum class RightTest {
    None,
    NotH,    // the letter is not "H" (an empty letter counts as "H")
    IsO,     // the letter is exactly "O"
    IsY,     // the letter is exactly "Y"
    RorT,    // the letter is "R" or "T"
    IsA,     // the user type is "A"
};

struct RightRule {
    RightTest test = RightTest::None;
    RightField field = nullptr;
    bool passes(const t_user& user) const;
};

enum class Place { Tile, Menu, MenuBar, ColourButton, LeftPanel };

enum class Way {
    Routine,      // calls the target's routine with the command's arguments
    Single,       // one modeless instance, found by its form name
    ModalOwned,   // a new instance owned by the main window, shown modally
    Kept,         // one instance kept for the whole run, shown modally
    CreatedOnce,  // created on first use, then shown modeless
    NewModeless,  // a new instance owned by the main window, shown modeless
    Program,      // a separate program
    Relogin,      // change of login and company
    GridSwitch,   // the grid-layout tick item
    Help,         // the help pages
    Exit,         // closes the main window
};

struct Command {
    QString id;          // object name of the tile, item or button
    Place place;
    int group = -1;      // tile group
    QString menu;        // id of the menu holding the item
    QString caption;
    RightRule run;       // tested on click; refused with a warning unless `silent`
    bool silent = false;
    RightRule enable;    // applied by user_view: disabled when it fails
    RightRule visible;   // applied by user_view: hidden when it fails
    bool hidden = false; // never shown
    Way way = Way::Routine;
    QString target;      // registered opener; the program file for Way::Program
    QString formName;    // the instance name of Way::Single
    int mode = 0;
    QString key;
    int codeType = 0;
    bool today = false;  // the request carries today's date
    QString shortcut;
};

struct MenuDef {
    QString id;
    QString caption;
    bool hidden = false;
    RightRule enable;
};

const QList<Command>& MainCommands();
const QList<MenuDef>& MainMenus();
const QStringList& TileGroupCaptions();
const Command* FindCommand(const QString& id);

} // namespace tornaly
