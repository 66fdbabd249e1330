#pragma once
#include <QByteArray>
#include <QList>
#include <QVariant>

namespace tornaly::test {

// A minimal Excel 97 (.xls, BIFF8) workbook with one sheet: text cells as
// shared strings, numbers as numbers. Enough for readers of the old format.
QByteArray MinimalXls(const QList<QVariantList>& rows, const QString& sheetName = QStringLiteral("Sayfa1"));

} // namespace tornaly::test
