#pragma once

namespace output {

class ReportDocument;

// Where a report goes: the preview window or the printer.
class ReportDestination {
public:
    virtual ~ReportDestination() = default;
    virtual void preview(const ReportDocument& report) = 0;
    virtual void print(const ReportDocument& report) = 0;
};

} // namespace output
