#include "accounts/vouchers/MuhasebeSorusu.h"

#include "messages/Messages.h"

namespace tornaly::accounts {

bool KayittanSonraMuhasebele(const SessionContext& ctx, const Db& db, const MuhasebeEntegreIstegi& istek)
{
    switch (MuhasebeAktarimSecimi(db, istek.belgeTuru)) {
    case MuhasebeAktarimi::Aktarma:
        return false;
    case MuhasebeAktarimi::Sor:
        if (!AskYesNo(QStringLiteral("Muhasebe Kaydı Yapılsın mı?")))
            return false;
        break;
    case MuhasebeAktarimi::Aktar:
        break;
    }
    MuhasebeEntegre(ctx, db, istek);
    return true;
}

} // namespace tornaly::accounts
