#include "accounts/vouchers/MuhasebeSorusu.h"

#include "messages/Messages.h"

namespace tornaly::accounts {

bool MuhasebelensinMi(const Db& db, QChar belgeTuru)
{
    switch (MuhasebeAktarimSecimi(db, belgeTuru)) {
    case MuhasebeAktarimi::Aktarma:
        return false;
    case MuhasebeAktarimi::Sor:
        return AskYesNo(QStringLiteral("Muhasebe Kaydı Yapılsın mı?"));
    case MuhasebeAktarimi::Aktar:
        break;
    }
    return true;
}

bool KayittanSonraMuhasebele(const SessionContext& ctx, const Db& db, const MuhasebeEntegreIstegi& istek)
{
    if (!MuhasebelensinMi(db, istek.belgeTuru))
        return false;
    MuhasebeEntegre(ctx, db, istek);
    return true;
}

} // namespace tornaly::accounts
