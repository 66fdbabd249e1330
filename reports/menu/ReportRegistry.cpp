#include "reports/menu/ReportRegistry.h"

#include <QHash>

namespace tornaly::reports {

namespace {
QHash<QString, ReportEntry>& entries()
{
    static QHash<QString, ReportEntry> e;
    return e;
}
} // namespace

void ReportRegistry::add(const QString& text, ReportEntry entry)
{
    entries().insert(text, std::move(entry));
}

void ReportRegistry::addPair(const QString& text, std::function<void(ReportMenuEnv&, TSorgu&)> sorgula,
                             std::function<void(ReportMenuEnv&, const TSorgu&)> listele)
{
    add(text, [sorgula, listele](ReportMenuEnv& env) {
        TSorgu s;
        sorgula(env, s);
        if (s.GeriDon != QLatin1Char('0'))
            listele(env, s);
    });
}

void ReportRegistry::addDateRange(const QString& text, std::function<void(ReportMenuEnv&, TQtrhDlg&)> dialog,
                                  std::function<void(ReportMenuEnv&, const TQtrhDlg&)> report)
{
    add(text, [dialog, report](ReportMenuEnv& env) {
        TQtrhDlg d;
        dialog(env, d);
        if (d.Sonuc == 1)
            report(env, d);
    });
}

const ReportEntry* ReportRegistry::find(const QString& text)
{
    auto it = entries().constFind(text);
    return it == entries().constEnd() ? nullptr : &it.value();
}

bool ReportRegistry::remove(const QString& text)
{
    return entries().remove(text) > 0;
}

} // namespace tornaly::reports
