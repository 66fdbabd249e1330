#pragma once
#include "connection/ConnectionSettings.h"

#include <QStringList>

namespace tornaly {

class TDBConn;

// The two parameter lists filled at company choice and carried into the
// connections by ApplyConnectionParams.
struct TDbParamLists {
    QStringList FirmalarDbParams;
    QStringList FirmaDbParams;
};

// Labels the server shows for a connection. The computer name is cut to 15
// characters, the company label to 30 in all, the login to 15 in the central one.
QString BilgisayarAdi();
QString Database1WorkstationId(const QString& login, const QString& computer = BilgisayarAdi());
QString MerkezWorkstationId(const QString& uretBKod, const QString& login);

// Points the company and catalogue connections at the databases of the lists
// (closing them first) and sets up the central one. Nothing is opened here.
void ApplyConnectionParams(TDBConn& conn, const TConnectionSettings& settings, const TDbParamLists& lists,
                           const QString& login, const QString& uretBKod);
void SetupCentralConnection(TDBConn& conn, const TConnectionSettings& settings, const QString& login,
                            const QString& uretBKod);

} // namespace tornaly
