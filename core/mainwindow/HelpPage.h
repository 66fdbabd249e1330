#pragma once
#include <QDialog>
#include <QPointer>
#include <QString>

class QTextBrowser;

namespace tornaly {

// The help pages: "Tornaly.html" in the program's "yardim" folder when it is
// installed there, else the built-in page written to the temporary folder.
QString HelpPagePath();
// Opens the help contents with the desktop's browser, or inside the program
// (TFormYardim) when the desktop has none.
void OpenHelpContents();

// The program's own help window: the help page in an HTML viewer, one window
// for the whole program.
class TFormYardim : public QDialog {
    Q_OBJECT
public:
    explicit TFormYardim(const QString& path, QWidget* parent = nullptr);
    QTextBrowser* Browser = nullptr;
};
extern QPointer<TFormYardim> FormYardim;

} // namespace tornaly
