#include "services/CentralServices.h"

#include "messages/Messages.h"
#include "sql/SqlHelpers.h"

namespace tornaly {

QDateTime SunucuTarihSaat(const Db& db)
{
    return ServerNow(db);
}

QDate SunucuTarih(const Db& db)
{
    return SunucuTarihSaat(db).date();
}

double NewClaimNo(const SessionContext& ctx, const Db& db)
{
    const double base = double(ctx.CalismaYiliNo - 2000) * 100000000.0 + ctx.ClaimKodNo * 10000.0;
    const double highest = SqlLookup(db, QStringLiteral("SELECT MAX(YENINO) YENINO FROM\n(\n"
                                                        "SELECT MAX(CL_CLAIMNO) YENINO FROM CLAIMM\n"
                                                        ") SONCLAIM"),
                                     {}, 0.0)
                               .toDouble();
    if (highest >= base)
        return highest + 1;
    return highest + base + 1;
}

double StoreWithNewClaimNo(const SessionContext& ctx, const Db& db, const std::function<void(double)>& store)
{
    constexpr int kAttempts = 50;
    for (int attempt = 1;; ++attempt) {
        // A savepoint, so that a refused number leaves the caller's work intact
        // (PostgreSQL aborts the whole transaction on a failed statement).
        Transaction tx(db);
        const double no = NewClaimNo(ctx, db);
        try {
            store(no);
            tx.commit();
            return no;
        } catch (const DbError& e) {
            if (!e.isUniqueViolation() || attempt == kAttempts)
                throw;
        }
    }
}

bool MerkezBaglan(const SessionContext&)
{
    return false;
}

bool MerkezBaglantiSor(const SessionContext& ctx, const Db& central)
{
    if (central.isValid() && central.isOpen())
        return true;
    if (AskYesNoCancel(QStringLiteral("Merkez servera bağlanılsın mı?")) == MsgYes)
        return MerkezBaglan(ctx);
    return false;
}

void CariMesajKontrol(const Db& db, const QString& CARI_KOD, const QString& name,
                      const std::function<void(const QString&)>& hareketGoster)
{
    const QString note = SqlLookup(db, QStringLiteral("SELECT ACIKLAMA FROM CARI WHERE CARI_KOD=:KOD"),
                                   CARI_KOD)
                             .toString();
    if (note.trimmed().isEmpty())
        return;
    if (!AskYesNo(name + QStringLiteral(" ile İlgili Mesaj Var. Görmek İstiyormusunuz?")))
        return;
    Messages().show(MsgIcon::None, note, MsgOk, MsgOk, QString());
    if (hareketGoster)
        hareketGoster(CARI_KOD);
}

} // namespace tornaly
