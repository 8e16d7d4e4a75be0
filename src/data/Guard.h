#pragma once
// Every event handler runs through the guard: a StopOperation ends it silently,
// any other exception is shown in the general error box. Nothing crosses into Qt.
#include <functional>
#include <utility>

void RunGuarded(const std::function<void()> &handler);

// Wraps a handler for QObject::connect: connect(b, &QPushButton::clicked, this, guarded([this]{...}));
template <typename F>
auto guarded(F &&handler)
{
    return [h = std::forward<F>(handler)]() { RunGuarded(h); };
}
