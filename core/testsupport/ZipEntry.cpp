#include "testsupport/ZipEntry.h"
#include "util/ZipReader.h"

namespace tornaly::test {

QByteArray ZipEntry(const QString& path, const QString& entry)
{
    return ZipReader(path).read(entry);
}

} // namespace tornaly::test
