#pragma once
#include "context/User.h"
#include "db/Database.h"

#include <QDate>
#include <QString>

namespace tornaly {

// What the running program knows about its company, year, user and
// parameters. Services take it as an argument; tests build their own.
// Member names are those the rest of the system uses for these values.
struct SessionContext {
    // Company and working year.
    QString CalismaYili;   // the working year, four digits
    int FirmaId = 0;
    QString FirmaAdi;
    QString FirmaEAdi;
    QString UretBKod;      // dealer code given by the manufacturer
    QDate KilitTarihi;     // closed-period lock date; invalid when none

    // Local currency.
    QString YerelPara = QStringLiteral("TL");
    QString YerelKurus = QStringLiteral("KR");
    QString DovizSecenekleri;

    // Money formats of the working year.
    QString ParaFormat = QStringLiteral(",0.00");
    QString ParaEditFormat = QStringLiteral("#.##");
    int ParaOndalik = 2;
    QString ParaFormat4 = QStringLiteral(",0.00");
    QString ParaEditFormat4 = QStringLiteral("#.##");
    bool KurusVar = true;

    QString FatYuvarTip;   // invoice rounding letter: Y up, A down, other truncate

    t_user AktifKullanici;

    // The company database of this session.
    Db Database1;
};

} // namespace tornaly
