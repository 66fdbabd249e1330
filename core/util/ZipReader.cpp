#include "util/ZipReader.h"

#include <QFile>
#include <minizip/unzip.h>

namespace tornaly {

namespace {

// Members larger than this are refused: a workbook of that size is damaged or
// hostile, and reading it whole would exhaust memory.
constexpr quint64 kMaxEntrySize = quint64(512) * 1024 * 1024;

} // namespace

ZipReader::ZipReader(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    m_zip = unzOpen64(name.constData());
}

ZipReader::~ZipReader()
{
    if (m_zip)
        unzClose(static_cast<unzFile>(m_zip));
}

QStringList ZipReader::entries() const
{
    QStringList names;
    if (!m_zip)
        return names;
    auto* z = static_cast<unzFile>(m_zip);
    for (int rc = unzGoToFirstFile(z); rc == UNZ_OK; rc = unzGoToNextFile(z)) {
        char buf[1024];
        unz_file_info64 info;
        if (unzGetCurrentFileInfo64(z, &info, buf, sizeof buf, nullptr, 0, nullptr, 0) != UNZ_OK)
            break;
        names << QString::fromUtf8(buf);
    }
    return names;
}

bool ZipReader::contains(const QString& entry) const
{
    return m_zip && unzLocateFile(static_cast<unzFile>(m_zip), entry.toUtf8().constData(), 1) == UNZ_OK;
}

QByteArray ZipReader::read(const QString& entry, bool* ok) const
{
    if (ok)
        *ok = false;
    if (!m_zip)
        return {};
    auto* z = static_cast<unzFile>(m_zip);
    if (unzLocateFile(z, entry.toUtf8().constData(), 1) != UNZ_OK)
        return {};
    unz_file_info64 info;
    if (unzGetCurrentFileInfo64(z, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK
        || info.uncompressed_size > kMaxEntrySize)
        return {};
    if (unzOpenCurrentFile(z) != UNZ_OK)
        return {};
    QByteArray data;
    data.reserve(qsizetype(info.uncompressed_size));
    char buf[65536];
    int n = 0;
    while ((n = unzReadCurrentFile(z, buf, sizeof buf)) > 0) {
        data.append(buf, n);
        if (quint64(data.size()) > kMaxEntrySize)
            break;
    }
    // unzCloseCurrentFile checks the CRC once the member was read to its end.
    const int closed = unzCloseCurrentFile(z);
    if (n < 0 || closed != UNZ_OK || quint64(data.size()) != info.uncompressed_size)
        return {};
    if (ok)
        *ok = true;
    return data;
}

} // namespace tornaly
