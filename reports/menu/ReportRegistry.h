#pragma once
#include "criteria/Sorgu.h"

#include <QDateTime>
#include <QString>
#include <functional>

class QWidget;

namespace tornaly {
struct SessionContext;
}

namespace tornaly::reports {

// The record of the service date-range dialog.
struct TQtrhDlg {
    QDateTime BasZaman;
    QDateTime SonZaman;
    int Sonuc = 0;
};

// What a report entry gets from the menu.
struct ReportMenuEnv {
    SessionContext* ctx = nullptr;
    QWidget* menu = nullptr; // the menu form, owner of forms it keeps
};

using ReportEntry = std::function<void(ReportMenuEnv&)>;

// The reports the menu can open, by the text of their tree node. Each
// report adds itself here when it is built; a node whose text has no entry
// does nothing.
class ReportRegistry {
public:
    static void add(const QString& text, ReportEntry entry);
    // A criteria dialog and its list: the list runs unless the dialog was
    // cancelled; each run starts from a fresh criteria record.
    static void addPair(const QString& text, std::function<void(ReportMenuEnv&, TSorgu&)> sorgula,
                        std::function<void(ReportMenuEnv&, const TSorgu&)> listele);
    // The service date-range dialog and its report: the report runs when
    // the dialog's Sonuc is 1.
    static void addDateRange(const QString& text, std::function<void(ReportMenuEnv&, TQtrhDlg&)> dialog,
                             std::function<void(ReportMenuEnv&, const TQtrhDlg&)> report);
    static const ReportEntry* find(const QString& text);
    static bool remove(const QString& text);
};

} // namespace tornaly::reports
