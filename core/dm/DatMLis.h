#pragma once
#include "db/Database.h"

#include <QList>
#include <QPair>
#include <QString>

class QWidget;

namespace tornaly {

struct SessionContext;

// One row of the menu tables of the central data module.
struct TMenuSatiri {
    int ID = 0;
    int PARENT = 0;   // the parent row's ID, 0 at the top
    QString TANIM;
    int IMAGEID = -1;
    QString TANIMW;   // the caption shown
    int MODUL = 1;    // which program of the family the row belongs to
};

// dxMenu (menu ids 2 to 999) and dxMenuList (list ids 1001 to 1999); the id
// 9999 "Çıkış" is in both.
class TMenuTablolari {
public:
    TMenuTablolari();  // the design rows
    QList<TMenuSatiri> dxMenu;
    QList<TMenuSatiri> dxMenuList;

    // Drops the rows of the other program (MODUL 2) for program 1, then sets
    // every caption of the caption table.
    void SetMenuItems(int ProgramNo = 1);
    // Sets the caption of the row `MenuId` in the table its range belongs to;
    // an id without a row, or outside both ranges, changes nothing.
    void SetMenuItem(int MenuId, const QString& MenuText);
};

// The caption table, by id in ascending order.
const QList<QPair<int, QString>>& MenuBasliklari();

// The report data module: the company's dealer codes and the layout file of
// the report forms. Report queries live with the reports that use them.
class TDatM {
public:
    explicit TDatM(SessionContext& ctx);
    // Reads the dealer and customer codes from FIRKIM into the session.
    void DatMCreate();
    QString GridDesign2Ini;

private:
    SessionContext& m_ctx;
};

// One character per check box of a check group, in their order: "1" ticked, "0" not.
void CheckGroupToBits(const QWidget* group, QString& text);
QString CheckGroupToBits(const QList<bool>& items);

// A working table of one report run, private to the connection (a temporary
// table): created on first use and emptied on every later one, so two users
// running the same report never see or overwrite each other's rows.
// `columns` is the column list of CREATE TABLE, written by the program.
void RaporCalismaTablosu(const Db& db, const QString& table, const QString& columns);

// The one-character dimension captions of cross-tab reports get a leading blank.
QString CaprazBaslik(const QString& caption);

} // namespace tornaly
