#include "ProgressGauge.h"

#include <algorithm>

namespace device {

void PlainGauge::setMaxValue(int maxValue) {
    maxValue_ = std::max(maxValue, 0);
    progress_ = std::min(progress_, maxValue_);
}

void PlainGauge::setProgress(int progress) {
    progress_ = std::clamp(progress, 0, maxValue_);
}

} // namespace device
