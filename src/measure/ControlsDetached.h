#pragma once

#include "store/Dataset.h"

namespace measure {

// Detaches a list from its views while it is walked; on the way out, also after a
// failure, the list leaves any edit state, stands on its first row and the views follow
// again.
class ControlsDetached {
public:
    explicit ControlsDetached(store::Dataset& list) : list_(list) { list_.disableControls(); }
    ~ControlsDetached() {
        list_.cancel();
        if (list_.isActive())
            list_.first();
        list_.enableControls();
    }
    ControlsDetached(const ControlsDetached&) = delete;
    ControlsDetached& operator=(const ControlsDetached&) = delete;

private:
    store::Dataset& list_;
};

} // namespace measure
