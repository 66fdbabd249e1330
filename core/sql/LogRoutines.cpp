#include "sql/LogRoutines.h"
#include "context/SessionContext.h"
#include "criteria/FreeText.h"
#include "sql/SqlHelpers.h"

namespace tornaly {

namespace {
QVariant nullIfEmpty(const QString& s)
{
    return s.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(s);
}

OpenWorkOrderCheck& openWorkOrderCheck()
{
    static OpenWorkOrderCheck check;
    return check;
}
} // namespace

void SetOpenWorkOrderCheck(OpenWorkOrderCheck check) { openWorkOrderCheck() = std::move(check); }

void SP_SET_MODULOGEX(const Db& db, int type, const QString& modul, const QString& ver, const QString& user,
                      const QString& detay)
{
    Query q(db, QStringLiteral("INSERT INTO LOG_MODUL (TARIH, TIP, MODUL, VER, KULLANICI, DETAY) "
                               "VALUES (%1, :TYPE, :MODUL, :VER, :USER, :DETAY)").arg(db.dialect().nowExpr()));
    q.bind(QStringLiteral("TYPE"), type)
        .bind(QStringLiteral("MODUL"), modul.left(50))
        .bind(QStringLiteral("VER"), ver.left(20))
        .bind(QStringLiteral("USER"), user.left(30))
        .bind(QStringLiteral("DETAY"), detay.left(255))
        .exec();
}

void SP_SET_LOGDATE(const Db& db, int tab, const QDateTime& logDate)
{
    Query q(db, QStringLiteral("INSERT INTO LOG_TARIH (TAB, LOG_DATE, KAYIT_TARIHI) VALUES (:TAB, :LOG_DATE, %1)")
                    .arg(db.dialect().nowExpr()));
    q.bind(QStringLiteral("TAB"), tab).bind(QStringLiteral("LOG_DATE"), logDate).exec();
}

void SP_INS_LOG_ARACSTATU(const Db& db, const QString& refTip, const QVariant& refNo, const QVariant& refIeNo,
                          const QVariant& ieDurum, const QDateTime& refTarih, const QString& saseNo,
                          const QVariant& statu1, const QVariant& statu2, const QVariant& km)
{
    Query q(db, QStringLiteral(
        "INSERT INTO LOG_ARACSTATU (KAYIT_TARIHI, REF_TIP, REF_NO, REF_IENO, IE_DURUM, REF_TARIH, SASE_NO, "
        "STATU1, STATU2, KM) VALUES (%1, :REF_TIP, :REF_NO, :REF_IENO, :IE_DURUM, :REF_TARIH, :SASE_NO, "
        ":STATU1, :STATU2, :KM)").arg(db.dialect().nowExpr()));
    q.bind(QStringLiteral("REF_TIP"), refTip)
        .bind(QStringLiteral("REF_NO"), refNo)
        .bind(QStringLiteral("REF_IENO"), refIeNo)
        .bind(QStringLiteral("IE_DURUM"), ieDurum)
        .bind(QStringLiteral("REF_TARIH"), refTarih)
        .bind(QStringLiteral("SASE_NO"), saseNo)
        .bind(QStringLiteral("STATU1"), statu1)
        .bind(QStringLiteral("STATU2"), statu2)
        .bind(QStringLiteral("KM"), km)
        .exec();
}

void SP_INS_LOG_MESSAGE(const Db& db, const QString& refTip, const QString& refNo, int refSiraNo,
                        const QString& logType, const QString& logUser, const QString& msgId,
                        const QString& msgText)
{
    Query q(db, QStringLiteral(
        "INSERT INTO LOG_MESAJ (KAYIT_TARIHI, REF_TIP, REF_NO, REF_SIRANO, LOG_TYPE, LOG_USER, MSG_ID, MSG_TEXT) "
        "VALUES (%1, :REF_TIP, :REF_NO, :REF_SIRANO, :LOG_TYPE, :LOG_USER, :MSG_ID, :MSG_TEXT)")
                    .arg(db.dialect().nowExpr()));
    q.bind(QStringLiteral("REF_TIP"), refTip)
        .bind(QStringLiteral("REF_NO"), refNo)
        .bind(QStringLiteral("REF_SIRANO"), refSiraNo)
        .bind(QStringLiteral("LOG_TYPE"), logType)
        .bind(QStringLiteral("LOG_USER"), logUser)
        .bind(QStringLiteral("MSG_ID"), msgId)
        .bind(QStringLiteral("MSG_TEXT"), msgText.left(255))
        .exec();
}

void LogModuleUsage(const SessionContext& ctx, int kind, const QString& modul, const QString& version,
                    const QString&, const QString& detail)
{
    SP_SET_MODULOGEX(ctx.Database1, kind, modul, version, ctx.AktifKullanici.login, detail);
}

void SetLogDate(const SessionContext& ctx, int table, const QDateTime& date)
{
    SP_SET_LOGDATE(ctx.Database1, table, date);
}

void LogVehicleStatus(const SessionContext& ctx, const QString& refTip, const QString& workOrderNo,
                      const QString& workOrderState, double refNo, const QDateTime& refDate,
                      const QString& chassisNo, const QString& status1, const QString& status2, double km)
{
    QVariant statu2;
    if (status2.isEmpty()) {
        statu2 = QVariant(QMetaType(QMetaType::QString));
    } else if (!workOrderNo.isEmpty()) {
        const OpenWorkOrderCheck& open = openWorkOrderCheck();
        statu2 = open && open(ctx.Database1, chassisNo) ? QStringLiteral("B") : status2;
    } else {
        statu2 = status2;
    }
    SP_INS_LOG_ARACSTATU(ctx.Database1, refTip,
                         refNo > 0 ? QVariant(refNo) : QVariant(QMetaType(QMetaType::Double)),
                         nullIfEmpty(workOrderNo), nullIfEmpty(workOrderState), refDate, chassisNo,
                         nullIfEmpty(status1), statu2,
                         km > 0 ? QVariant(km) : QVariant(QMetaType(QMetaType::Double)));
}

void LogMessage(const SessionContext& ctx, const QString& refTip, const QVariant& refNo, int refSiraNo,
                const QString& logType, const QString&, const QString& msgId, const QString& msgText)
{
    SP_INS_LOG_MESSAGE(ctx.Database1, refTip, refNo.toString(), refSiraNo, logType, ctx.AktifKullanici.login, msgId,
                       msgText);
}

bool AskAndLogMessage(const SessionContext& ctx, const QString& prompt, const QString& refTip,
                      const QVariant& refNo, int refSiraNo, const QString& logType)
{
    const TSorgu answer = AskFreeText(prompt);
    if (answer.str2.isEmpty())
        return false;
    LogMessage(ctx, refTip, refNo, refSiraNo, logType, {}, answer.str1, answer.str2);
    return true;
}

} // namespace tornaly
