#pragma once
#include <QString>
#include <functional>

namespace tornaly {

// Opens a written file with the program the desktop has for it.
void OpenDocument(const QString& path);
// Tests replace the desktop with a recorder; an empty function restores it.
void SetOpenDocumentHook(std::function<void(const QString&)> hook);
// Whether the desktop can show a web page: a recorder installed by a test,
// or a browser the desktop's opener can start.
bool HasDesktopBrowser();

} // namespace tornaly
