#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;

namespace tornaly {

// Every file an export writes goes through these, grids and reports alike:
// the new content is written beside the target and replaces it in one step,
// so a failure leaves an existing file as it was, never half written or gone.
// Failures throw std::runtime_error with a Turkish text.

void SaveFileData(const QString& path, const QByteArray& data);
// For writers that stream into a device.
void SaveFileStream(const QString& path, const std::function<bool(QIODevice&)>& write);
// For writers that only take a file name (the spreadsheet library): `write`
// gets a fresh temporary name in the target's folder and returns success.
void SaveThroughTemporary(const QString& path, const std::function<bool(const QString& temporary)>& write);

[[noreturn]] void ThrowCannotWrite(const QString& path);

// Asks where to write an export. The dialog adds `suffix` where the name has
// none and asks before replacing a file; a name that gets the suffix only
// here is asked about again when that file exists. Empty when cancelled.
QString AskExportFile(const QString& caption, const QString& filter, const QString& suffix);

} // namespace tornaly
