#pragma once
#include "db/DbError.h"
#include "maintenance/VeriOnarim.h"
#include "messages/Messages.h"

#include <QApplication>
#include <QCursor>
#include <functional>

namespace tornaly {

// Runs the body of a maintenance command: the wait cursor while it works, and
// a database failure becomes one Turkish message (the transaction of the
// command has rolled back by then). Returns false when it failed.
inline bool ToolGuard(const std::function<void()>& body)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        body();
    } catch (const DbError& e) {
        QApplication::restoreOverrideCursor();
        ShowError(OnarimHataMetni(e));
        return false;
    }
    QApplication::restoreOverrideCursor();
    return true;
}

} // namespace tornaly
