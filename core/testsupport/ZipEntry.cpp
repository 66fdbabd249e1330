#include "testsupport/ZipEntry.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace tornaly::test {

QByteArray ZipEntry(const QString& path, const QString& entry)
{
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip) || !zip.setCurrentFile(entry))
        return {};
    QuaZipFile f(&zip);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace tornaly::test
