#include "db/DbError.h"

namespace tornaly {

DbError::DbError(Kind kind, const QString& text, const QString& nativeCode)
    : std::runtime_error(text.toStdString()), m_kind(kind), m_text(text), m_nativeCode(nativeCode)
{
}

} // namespace tornaly
