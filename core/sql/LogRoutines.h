#pragma once
#include "db/Database.h"

#include <QDateTime>
#include <QVariant>
#include <functional>

namespace tornaly {

struct SessionContext;

// The log writers of the company database. Each call stores one row; the
// program never reads these logs back.
void SP_SET_MODULOGEX(const Db& db, int type, const QString& modul, const QString& ver, const QString& user,
                      const QString& detay);
void SP_SET_LOGDATE(const Db& db, int tab, const QDateTime& logDate);
void SP_INS_LOG_ARACSTATU(const Db& db, const QString& refTip, const QVariant& refNo, const QVariant& refIeNo,
                          const QVariant& ieDurum, const QDateTime& refTarih, const QString& saseNo,
                          const QVariant& statu1, const QVariant& statu2, const QVariant& km);
void SP_INS_LOG_MESSAGE(const Db& db, const QString& refTip, const QString& refNo, int refSiraNo,
                        const QString& logType, const QString& logUser, const QString& msgId,
                        const QString& msgText);

// Kind 1: program start; kind 2: low disk space.
void LogModuleUsage(const SessionContext& ctx, int kind, const QString& modul, const QString& version,
                    const QString& ignored, const QString& detail);
void SetLogDate(const SessionContext& ctx, int table, const QDateTime& date);
// Whether a vehicle (by chassis number) has an open work order. Work orders
// belong to the workshop, which registers the check; with none registered no
// vehicle has one.
using OpenWorkOrderCheck = std::function<bool(const Db&, const QString& chassisNo)>;
void SetOpenWorkOrderCheck(OpenWorkOrderCheck check);

// Logs a vehicle status change; an open work order of the vehicle turns a
// given status into "B".
void LogVehicleStatus(const SessionContext& ctx, const QString& refTip, const QString& workOrderNo,
                      const QString& workOrderState, double refNo, const QDateTime& refDate,
                      const QString& chassisNo, const QString& status1, const QString& status2, double km);
void LogMessage(const SessionContext& ctx, const QString& refTip, const QVariant& refNo, int refSiraNo,
                const QString& logType, const QString& ignored, const QString& msgId, const QString& msgText);
// Asks for a free text and logs it; false (and nothing written) on cancel.
bool AskAndLogMessage(const SessionContext& ctx, const QString& prompt, const QString& refTip,
                      const QVariant& refNo, int refSiraNo, const QString& logType);

} // namespace tornaly
