#pragma once
#include <QApplication>
#include <QString>
#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

namespace tornaly {

// The text a user sees for a failed action: Turkish, one sentence on what
// happened and what to do; the driver's own text goes to the log only.
QString FailureText(const std::exception_ptr& error);

// Runs one user action (a slot body). A database error or any other
// exception ends the action, the transactions it opened roll back as they
// unwind, one message goes through the message service and the window stays
// usable. Returns false when the action failed.
bool Guard(const std::function<void()>& action);

// The same for an action with a result: `fallback` when it failed.
template <typename T, typename F>
T GuardOr(T fallback, F&& action)
{
    T result = fallback;
    if (!Guard([&] { result = std::forward<F>(action)(); }))
        return fallback;
    return result;
}

// A guarded functor for connect(): `connect(b, &QPushButton::clicked, this, Guarded([this] { ... }))`.
// The signal's arguments reach `f` when it takes them; a functor without
// parameters may be connected to any signal.
template <typename F>
auto Guarded(F f)
{
    return [f = std::move(f)](auto&&... args) {
        Guard([&] {
            if constexpr (std::is_invocable_v<F&, decltype(args)...>)
                f(args...);
            else
                f();
        });
    };
}

// The last resort: an exception that escapes an event handler or a slot not
// wrapped by Guard is reported the same way instead of ending the program.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace tornaly
