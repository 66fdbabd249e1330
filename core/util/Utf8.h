#pragma once
#include <QString>

namespace tornaly::text {

// Turkish captions written as UTF-8 literals. Sources take it into their own
// anonymous namespace with `using text::S;`, so that sources compiled together
// share one definition.
inline QString S(const char* s) { return QString::fromUtf8(s); }

} // namespace tornaly::text
