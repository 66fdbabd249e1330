#pragma once
// Heavy headers every target uses; compiled once per target.
#ifdef __cplusplus
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariant>
#include <QtCore/QDate>
#include <QtCore/QDateTime>
#include <QtCore/QHash>
#include <QtCore/QMap>
#include <QtCore/QObject>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlQuery>
#include <QtSql/QSqlRecord>
#include <QtSql/QSqlError>
#include <QtWidgets/QWidget>
#include <QtWidgets/QDialog>
#include <memory>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>
#endif
