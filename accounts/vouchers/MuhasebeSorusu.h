#pragma once
#include "services/MuhasebeEntegre.h"

namespace tornaly {
struct SessionContext;
class Db;
} // namespace tornaly

namespace tornaly::accounts {

// After a committed save: posts the document when its transfer switch says so,
// asks first when the switch says to ask, and leaves it otherwise. Answers
// whether the document was handed to accounting.
bool KayittanSonraMuhasebele(const SessionContext& ctx, const Db& db, const MuhasebeEntegreIstegi& istek);

} // namespace tornaly::accounts
