#pragma once

#include <functional>
#include <vector>

// The handlers of one event, run in the order they were added. A module adds its behaviour with
// `add` (or `+=`) without knowing who else listens; there is no assignment that could drop a handler
// added earlier.
template <class... Args> class HandlerList {
public:
    using Function = std::function<void(Args...)>;

    HandlerList() = default;
    HandlerList(const HandlerList&) = delete;
    HandlerList& operator=(const HandlerList&) = delete;

    void add(Function handler) {
        if (handler)
            handlers_.push_back(std::move(handler));
    }
    HandlerList& operator+=(Function handler) {
        add(std::move(handler));
        return *this;
    }
    void clear() { handlers_.clear(); }
    bool isEmpty() const { return handlers_.empty(); }
    explicit operator bool() const { return !handlers_.empty(); }

    // Runs every handler; an exception from one (an abort) stops the rest.
    void operator()(Args... args) const {
        // A handler may add another one while it runs: walk a copy.
        const std::vector<Function> handlers = handlers_;
        for (const Function& h : handlers)
            h(args...);
    }

private:
    std::vector<Function> handlers_;
};
