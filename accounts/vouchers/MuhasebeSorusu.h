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
// The transfer switch of a document kind, with its question when it says to ask:
// whether the document goes to accounting now.
bool MuhasebelensinMi(const Db& db, QChar belgeTuru);

bool KayittanSonraMuhasebele(const SessionContext& ctx, const Db& db, const MuhasebeEntegreIstegi& istek);

} // namespace tornaly::accounts
