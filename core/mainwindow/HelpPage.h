#pragma once
#include <QString>

namespace tornaly {

// The help pages: "Tornaly.html" in the program's "yardim" folder when it is
// installed there, else the built-in page written to the temporary folder.
QString HelpPagePath();
// Opens the help contents with the desktop's browser.
void OpenHelpContents();

} // namespace tornaly
