#pragma once
#include <QApplication>
#include <QString>
#include <exception>
#include <cstddef>
#include <functional>
#include <tuple>
#include <type_traits>
#include <utility>

namespace tornaly {

// The text a user sees for a failed action: Turkish, one sentence on what
// happened and what to do; the driver's own text goes to the log only.
QString FailureText(const std::exception_ptr& error);

// Runs one user action (a slot body). A database error or any other
// exception ends the action, the transactions it opened roll back as they
// unwind, one message goes through the message service and the window stays
// usable. An IslemReddi is shown in its own words. Returns false when the
// action failed.
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

namespace detail {
// Calls `f` with the longest leading part of the signal's arguments it takes,
// as Qt does for a slot with fewer parameters than its signal.
template <typename F, typename Tuple, std::size_t... I>
void callWithLeading(F& f, Tuple& args, std::index_sequence<I...>)
{
    if constexpr (std::is_invocable_v<F&, std::tuple_element_t<I, Tuple>&...>)
        std::invoke(f, std::get<I>(args)...);
    else if constexpr (sizeof...(I) > 0)
        callWithLeading(f, args, std::make_index_sequence<sizeof...(I) - 1>{});
    else
        static_assert(sizeof...(I) > 0, "the guarded slot takes none of the signal's arguments");
}
} // namespace detail

// A guarded functor for connect(): `connect(b, &QPushButton::clicked, this, Guarded([this] { ... }))`.
// The signal's arguments reach `f` as far as it takes them.
template <typename F>
auto Guarded(F f)
{
    return [f = std::move(f)](auto&&... args) mutable {
        Guard([&] {
            auto all = std::forward_as_tuple(args...);
            detail::callWithLeading(f, all, std::make_index_sequence<sizeof...(args)>{});
        });
    };
}

// A member slot of `object` run through the guard:
// `connect(b, &QPushButton::clicked, this, Guarded(this, &TForm::BtnSaklaClick))`.
template <typename O, typename M>
    requires std::is_member_function_pointer_v<M>
auto Guarded(O* object, M slot)
{
    return Guarded([object, slot](auto&&... args) -> decltype(std::invoke(slot, object, args...)) {
        return std::invoke(slot, object, args...);
    });
}

// The last resort: an exception that escapes an event handler or a slot not
// wrapped by Guard is reported the same way instead of ending the program.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace tornaly
