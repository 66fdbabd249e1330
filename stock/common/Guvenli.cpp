#include "stock/common/Guvenli.h"

#include "db/DbError.h"
#include "messages/Messages.h"

namespace tornaly::stock {

void Guvenli(const std::function<void()>& f)
{
    try {
        f();
    } catch (const DbError& e) {
        ShowError(e.text());
    }
}

} // namespace tornaly::stock
