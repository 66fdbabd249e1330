#pragma once
#include "context/SessionContext.h"
#include "db/Database.h"
#include "sql/SqlHelpers.h"

#include <QDate>

namespace tornaly::stock {

// The movements of one part over a range of days (both days included; the
// last day counts to its end), optionally in one warehouse.
struct HareketFiltresi {
    double stokNo = 0;
    QDate bas = QDate(1900, 1, 1);
    QDate son = QDate(2999, 1, 1);
    QString depo; // empty: every warehouse
};

// Statements of the movement list, the per-warehouse sums and the
// per-account sums, with their values bound. Names of accounts and plates
// of work orders are joined where those tables exist.
SqlText HareketSorgusu(const Db& db, const HareketFiltresi& f);
SqlText DepoToplamSorgusu(const Db& db, const HareketFiltresi& f);
SqlText CariToplamSorgusu(const Db& db, const HareketFiltresi& f);

// The "Tip" column: "Alış" for A, "Satış" for S, nothing for other kinds.
QString HareketTipAdi(const QString& tip);

// Which document the panel under the list shows for a movement.
enum class HareketBelgesi { Yok, Alis, Satis };
HareketBelgesi HareketBelgesiBul(const QString& tip, const QString& isemriNo, double girmik, double cikmik);

// Monthly in and out of a part over every warehouse but the service one,
// one row per year and month in date order.
struct AylikSatir {
    int yil = 0, ay = 0;
    QString ayAdi;
    double giren = 0, cikan = 0;
};
QList<AylikSatir> AylikGirisCikisBul(const Db& db, const SessionContext& ctx, double stokNo);

} // namespace tornaly::stock
