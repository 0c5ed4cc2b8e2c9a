#pragma once

#include <QString>
#include <array>

namespace store {
class Dataset;
}

namespace device {

class ProgressGauge;

// One memory of the monitor as a download fills it: its readings go into the pending
// batch of `rows`, each stamped with `personal`, and `gauge` counts the kept ones.
struct DownloadMemory {
    store::Dataset* rows = nullptr;
    ProgressGauge* gauge = nullptr;
    QString personal;
};

// The monitor's two memories; memory 1's readings come first in its record stream.
constexpr int kMemoryCount = 2;
using DownloadMemories = std::array<DownloadMemory, kMemoryCount>;

} // namespace device
