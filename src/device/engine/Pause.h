#pragma once

#include <chrono>
#include <thread>

namespace device {

// The pause of a real download: a plain sleep of the calling thread.
inline void sleepMilliseconds(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace device
