#pragma once

#include <chrono>
#include <thread>

// Polls a condition that another thread or process brings about, up to a
// bound; true as soon as it holds.
template <typename Pred> bool waitUntil(Pred pred, std::chrono::milliseconds bound = std::chrono::milliseconds(20000)) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}
