#pragma once
#include "db/Database.h"

#include <QDate>
#include <QString>
#include <QVariantMap>

namespace tornaly::workshop {

// What the vehicle pickers of the workshop hand back (the fields the
// registration lists fill; the rest stay as the caller passed them).
struct TypeIsEmri {
    QString IsEmriNo;
    QString SasiNo;
    QString PlakaNo;
    QString MotorNo;
    QString CariKod;
    // Filled by the work-order pickers; an empty IsEmriNo means nothing was chosen.
    QString IsEmriTip;
    QString Kapandi;
    QString Model;
    qint32 RapNo = 0;
    qint16 FYili = 0;
    double KM = 0;
};

QStringList BeyanColumns();
QVariantMap ReadBeyan(const Db& db, const QString& saseNo);

// A declaration row made the first time a vehicle's declaration is saved:
// the taxpayer from the company, today's date, the tax office of the latest
// declaration and the vehicle's data from the vehicle and its model.
QVariantMap NewBeyanRow(const Db& db, const QVariantMap& arac, const QDate& today);

// "&Kaydet" of the registration form: the vehicle row with its figures, the
// plate carried into the portfolio and the customer information forms when
// it changed since `previousPlate`, and the declaration row (made with its
// defaults when there is none), all in one transaction. Shows the refusals
// and, after the commit, "Kayıt Saklanmıştır...".
bool SaveBeyan(const Db& db, QVariantMap arac, QVariantMap beyan, const QString& previousPlate, const QDate& today);
// "Kapat" with changes answered Yes: the vehicle row alone.
bool SaveBeyanArac(const Db& db, QVariantMap arac, const QString& previousPlate);

// The registration list: the first 50 vehicles with their owners, or those
// whose plate, owner name, chassis or engine number starts with the text.
enum class RuhsatAramaAlani { Yok, Plaka, CariAd, Sase, Motor };
struct RuhsatSorgusu {
    QString statement;
    QVariantMap binds;
};
RuhsatSorgusu RuhsatListeSorgu(const Db& db, RuhsatAramaAlani alan, const QString& typed, bool ilk50);
// The light list: plate starts with, owner name contains, chassis and
// engine number end with the text; no condition without one.
RuhsatSorgusu BeyanListe2Sorgu(const Db& db, RuhsatAramaAlani alan, const QString& typed);
// Whether a row may be picked in the mode (1: only a vehicle with an owner
// and a plate; 2: any); shows the refusal.
bool RuhsatSecilebilir(int mode, const QVariantMap& row);

} // namespace tornaly::workshop
