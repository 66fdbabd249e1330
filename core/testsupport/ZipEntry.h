#pragma once
#include <QByteArray>
#include <QString>

namespace tornaly::test {

// One member of a zip file (an .xlsx workbook, say), empty when missing.
QByteArray ZipEntry(const QString& path, const QString& entry);

} // namespace tornaly::test
