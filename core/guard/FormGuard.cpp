#include "guard/FormGuard.h"
#include "guard/IslemReddi.h"
#include "guard/WaitCursor.h"

#include "db/DbError.h"
#include "messages/Messages.h"

#include <QDebug>
#include <new>

namespace tornaly {

namespace {
QString dbErrorText(const DbError& e)
{
    switch (e.kind()) {
    case DbError::Kind::Busy:
        return QStringLiteral("Kayıt başka bir kullanıcı tarafından kullanılıyor. İşlem yapılmadı; "
                              "lütfen biraz sonra yeniden deneyiniz.");
    case DbError::Kind::UniqueViolation:
        return QStringLiteral("Bu kayıt zaten var. İşlem yapılmadı; değişiklikler geri alındı.");
    case DbError::Kind::ConnectionFailed:
        return QStringLiteral("Veritabanına ulaşılamadı. İşlem yapılmadı; bağlantıyı kontrol edip "
                              "yeniden deneyiniz.");
    case DbError::Kind::Other: break;
    }
    return QStringLiteral("Veritabanı işlemi tamamlanamadı. Değişiklikler geri alındı; "
                          "sorun sürerse sistem yöneticinize başvurunuz.");
}
} // namespace

QString FailureText(const std::exception_ptr& error)
{
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const DbError& e) {
        qWarning().noquote() << "database error:" << e.text();
        return dbErrorText(e);
    } catch (const std::bad_alloc&) {
        return QStringLiteral("Bellek yetersiz. İşlem yapılmadı.");
    } catch (const std::exception& e) {
        qWarning().noquote() << "error:" << e.what();
    } catch (...) {
        qWarning() << "unknown error";
    }
    return QStringLiteral("Beklenmeyen bir hata oluştu. İşlem yapılmadı; değişiklikler geri alındı.");
}

bool Guard(const std::function<void()>& action)
{
    // Each action reports its own failure, also one run from a dialog that
    // another action opened: the failure must not close that dialog too.
    std::exception_ptr error;
    try {
        action();
    } catch (...) {
        error = std::current_exception();
    }
    if (!error)
        return true;
    // The transactions of the action are already rolled back: the message is
    // shown with no write transaction open.
    // A refusal is shown in its own words; any other failure as FailureText.
    QString text;
    MsgIcon icon = MsgIcon::Error;
    try {
        std::rethrow_exception(error);
    } catch (const IslemReddi& r) {
        text = r.text();
        icon = r.icon();
    } catch (...) {
        text = FailureText(error);
    }
    // A wait cursor held around this action (by a caller) never covers the box.
    NormalCursor normal;
    try {
        Messages().show(icon, text, MsgOk, MsgOk, {});
    } catch (...) {
        qWarning().noquote() << text;
    }
    return false;
}

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    Guard([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace tornaly
