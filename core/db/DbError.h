#pragma once
#include <QString>
#include <stdexcept>

namespace tornaly {

// A database failure, classified so that callers can react to the kinds that
// have a meaning for the user (a row held by another workstation, a duplicate).
class DbError : public std::runtime_error {
public:
    enum class Kind {
        Busy,             // lock time-out, row or database held by another connection
        UniqueViolation,  // a unique key or primary key refused the row
        ConnectionFailed, // the server or file could not be opened
        Other
    };

    DbError(Kind kind, const QString& text, const QString& nativeCode = {});

    Kind kind() const { return m_kind; }
    bool isBusy() const { return m_kind == Kind::Busy; }
    bool isUniqueViolation() const { return m_kind == Kind::UniqueViolation; }
    const QString& text() const { return m_text; }
    const QString& nativeCode() const { return m_nativeCode; }

private:
    Kind m_kind;
    QString m_text;
    QString m_nativeCode;
};

} // namespace tornaly
