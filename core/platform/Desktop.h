#pragma once
#include <QString>
#include <functional>

namespace tornaly {

// Opens a written file with the program the desktop has for it.
void OpenDocument(const QString& path);
// Tests replace the desktop with a recorder; an empty function restores it.
void SetOpenDocumentHook(std::function<void(const QString&)> hook);

} // namespace tornaly
