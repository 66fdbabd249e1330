#pragma once
#include "context/User.h"
#include "db/Database.h"

namespace tornaly {

struct SessionContext;

// What an accepted login hands back besides the user record.
struct TLoginSonucu {
    bool ok = false;
    QString yetkiseviye; // the user's SUPERVIZOR letter, K when empty
    QString login_name;
};

// Checks a login against table RIGHTS and, when it matches, fills `user`
// from the row (every right letter, bit set and string right). Fields the
// row does not govern (ft_isk_tip, maliyet_uyari, the discount flags) keep
// their values. An empty password is refused; a hash made with fewer
// iterations than new hashes get is replaced. The accepted password stays in
// `user.password` for the session.
TLoginSonucu Kullanici(const Db& db, const QString& loginName, const QString& password, t_user& user);

// Fills the record from one RIGHTS row joined with its personnel row.
void UserFromRightsRow(Query& row, t_user& user);

// Whether a user may see the user list: the supervisor levels only.
bool CanManageUsers(const t_user& user, bool loggedIn);

} // namespace tornaly
