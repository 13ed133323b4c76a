#pragma once
// A control's event: at most one handler, called through the event boundary.
#include <functional>
#include <memory>

#include "framework/core/EventBoundary.h"

namespace fw {

template <typename Signature>
class Event;

template <typename R, typename... Args>
class Event<R(Args...)> {
public:
    // The handler is a method of the window, found virtually at each call;
    // the window is held weakly so a control never keeps its window alive.
    template <typename W, typename M>
    void Bind(const std::shared_ptr<W>& target, M method) {
        std::weak_ptr<W> weak = target;
        handler_ = [weak, method](Args... args) -> R {
            if (auto strong = weak.lock()) return ((*strong).*method)(args...);
            return R();
        };
    }
    void Bind(std::function<R(Args...)> handler) { handler_ = std::move(handler); }
    void Unbind() { handler_ = nullptr; }
    bool IsBound() const { return static_cast<bool>(handler_); }

    // R() when no handler is bound or the handler raised (after the report).
    R Raise(Args... args) const {
        if (!handler_) return R();
        return CallGuarded([&]() -> R {
            auto handler = handler_;  // the handler may rebind while it runs; the copy may run out of memory
            return handler(args...);
        });
    }

private:
    std::function<R(Args...)> handler_;
};

}  // namespace fw
