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
