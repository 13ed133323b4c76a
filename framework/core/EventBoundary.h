#pragma once
// Where the event loop calls program code. Qt lets no exception through its
// event loop, so an exception escaping a handler is caught here, reported
// and the program goes on.
#include <exception>
#include <functional>
#include <string>
#include <type_traits>

namespace fw {

// Shows the report of an escaped exception: a modal box with the German
// message. Inside the event loop the box opens once the current event has
// returned, without a loop of its own, and a message whose box is still open
// is not shown again. Before the loop (what the start-up routine reports)
// the box waits for the user. Nothing leaves it: when the report itself
// cannot be built or shown, a fixed text goes to standard error and, where it
// can, to a box of its own.
void UnhandledException(const std::exception& e) noexcept;

// Tests: the report goes to the reporter instead of a message box; an empty
// function restores the box. A reporter that throws stands for a report that
// could not be shown.
void SetExceptionReporter(std::function<void(const std::string&)> reporter);

// The German text of the report.
std::string ExceptionReportText(const std::exception& e);

namespace detail {
void ReportUnknownException() noexcept;
}

// Runs f at the event boundary; gives R{} back when f raised.
template <typename F>
auto CallGuarded(F&& f) -> decltype(f()) {
    using R = decltype(f());
    try {
        return f();
    } catch (const std::exception& e) {
        UnhandledException(e);
    } catch (...) {
        detail::ReportUnknownException();
    }
    if constexpr (!std::is_void_v<R>) return R{};
}

}  // namespace fw
