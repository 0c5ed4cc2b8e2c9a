#pragma once

#include <QDate>
#include <optional>

namespace output {

// The UTC offset of this computer's time zone on ordinary local days: days on which every
// wall-clock time occurs once, all at the same offset. Looked up once a day, not once a moment.
class LocalOffsets {
public:
    // None on a day on which the offset changes or comes near to changing.
    std::optional<int> ofDay(const QDate& day);

private:
    qint64 day_ = 0; // Julian day; 0 (in 4714 BC) is never asked for
    std::optional<int> offset_;
};

} // namespace output
