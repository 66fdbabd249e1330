#pragma once
#include "context/SessionContext.h"
#include "db/Database.h"

#include <QDateTime>
#include <functional>

namespace tornaly {

// The company database server's date and time, and its date alone.
QDateTime SunucuTarihSaat(const Db& db);
QDate SunucuTarih(const Db& db);

// The central server is not reached by this program: always false.
bool MerkezBaglan(const SessionContext& ctx);
// True when the central connection is open; otherwise asks whether to connect.
bool MerkezBaglantiSor(const SessionContext& ctx, const Db& central);

// Offers the note of an account when it has one; on Yes shows it and opens
// the account's movements through `hareketGoster` (when given).
void CariMesajKontrol(const Db& db, const QString& CARI_KOD, const QString& name,
                      const std::function<void(const QString&)>& hareketGoster = {});

} // namespace tornaly
