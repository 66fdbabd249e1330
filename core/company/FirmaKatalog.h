#pragma once
#include "connection/ConnectionModule.h"
#include "db/Database.h"

#include <QList>
#include <QStringList>

namespace tornaly {

struct SessionContext;

// One company-and-year row of the catalogue.
struct TFirmaYili {
    QString FIRMA_ADI;
    QString FIRMA_NO;
    QString YILI;
    QString ALIASADI;
    QString DATABASE_NAME;
    QString FIRMA_ID;
};

// The companies catalogue (table FIRMALAR), read only.
class TFirmaKatalog {
public:
    explicit TFirmaKatalog(const Db& catalogue) : m_db(catalogue) {}
    // Company names; rows marked "X" only with `includeHidden`.
    QStringList companies(bool includeHidden) const;
    // The company's rows, oldest year first.
    QList<TFirmaYili> years(const QString& company) const;

private:
    Db m_db;
};

// The remembered choice of this workstation's user (newer key first, the
// older form's key when the newer one is empty).
QString RememberedCompany();
QString RememberedYear();
void RememberCompanyChoice(const QString& company, const QString& year);

enum class FirmaSecimSonucu { Ok, YearNotNumber, NoDatabase };

// Takes the chosen row into the session and fills the company database's
// connection lines. On YearNotNumber nothing changes.
FirmaSecimSonucu ApplyCompanyChoice(const TFirmaYili& row, const TConnectionSettings& settings,
                                    SessionContext& ctx, TDbParamLists& lists);

} // namespace tornaly
