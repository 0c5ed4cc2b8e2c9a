#pragma once

#include "store/Dataset.h"

namespace store {

// Keeps a dataset's views from following it until the end of the scope, also on failure.
// With FirstRow the dataset first leaves any unposted edit and returns to its first row,
// as after walking it row by row.
class ControlsDisabled {
public:
    enum class AtEnd { StayOnRow, FirstRow };

    explicit ControlsDisabled(Dataset& rows, AtEnd atEnd = AtEnd::StayOnRow)
        : rows_(rows), atEnd_(atEnd) {
        rows_.disableControls();
    }
    ~ControlsDisabled() {
        if (atEnd_ == AtEnd::FirstRow) {
            rows_.cancel();
            if (rows_.isActive())
                rows_.first();
        }
        rows_.enableControls();
    }
    ControlsDisabled(const ControlsDisabled&) = delete;
    ControlsDisabled& operator=(const ControlsDisabled&) = delete;

private:
    Dataset& rows_;
    AtEnd atEnd_;
};

} // namespace store
