#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tornaly {

// Reads members of a zip file (an .xlsx workbook, for one) through the same
// zip library the spreadsheet writer links, so the process carries one.
class ZipReader {
public:
    explicit ZipReader(const QString& path);
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    // False when the file is missing or not a zip file.
    bool isOpen() const { return m_zip != nullptr; }
    QStringList entries() const;
    bool contains(const QString& entry) const;
    // The member's bytes; empty, with `ok` false, when the
    // member is missing or damaged (a bad checksum counts as damaged).
    QByteArray read(const QString& entry, bool* ok = nullptr) const;

private:
    void* m_zip = nullptr;
};

} // namespace tornaly
