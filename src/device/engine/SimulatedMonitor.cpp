#include "SimulatedMonitor.h"

#include <algorithm>

namespace device {

namespace {

constexpr quint8 kExchange = 0x5A;
constexpr quint8 kNextReport = 0xFF;
constexpr DevicePort::Handle kFirstHandle = 0x100;

bool within(int attempt, int from, int times) {
    return attempt >= from && attempt < from + times;
}

} // namespace

SimulatedMonitor::SimulatedMonitor(Scenario scenario)
    : scenario_(std::move(scenario)), script_(scenario_.inputReports()) {}

DevicePort::Handle SimulatedMonitor::open(qint32) {
    if (gone_ || ++opens_ <= scenario_.openFailures) {
        log_ << "open failed";
        return 0;
    }
    log_ << "open";
    handle_ = lastHandle_ = std::max(lastHandle_ + 1, kFirstHandle);
    queue_.clear();
    exchange_ = false;
    return handle_;
}

bool SimulatedMonitor::write(Handle handle, const Report& report, int) {
    const quint8 command = report[1];
    const QString name = QString::number(command, 16).toUpper();
    if (!usable(handle) || writeFails(command, ++writes_[command])) {
        log_ << "write " + name + " failed";
        return false;
    }
    log_ << "write " + name;
    if (command == kExchange) {
        exchange_ = !exchange_;
        next_ = 0;
        queue_.clear();
    } else if (command == kNextReport && exchange_) {
        queue_.push_back(next_ < script_.size() ? script_[next_++] : Report{});
    }
    return true;
}

bool SimulatedMonitor::read(Handle handle, Report& report, int) {
    if (!usable(handle) || readTimesOut(++reads_) || queue_.empty()) {
        log_ << "read timed out";
        return false;
    }
    log_ << "read";
    report = queue_.front();
    queue_.pop_front();
    if (++delivered_ == scenario_.disconnectAfter)
        gone_ = true;
    return true;
}

void SimulatedMonitor::close(Handle handle) {
    if (handle != 0 && handle == handle_) {
        log_ << "close";
        handle_ = 0;
    }
}

bool SimulatedMonitor::writeFails(quint8 command, int attempt) const {
    return std::any_of(scenario_.writeFailures.begin(), scenario_.writeFailures.end(),
                       [&](const WriteFault& f) {
                           return f.command == command && within(attempt, f.from, f.times);
                       });
}

bool SimulatedMonitor::readTimesOut(int attempt) const {
    return std::any_of(scenario_.readTimeouts.begin(), scenario_.readTimeouts.end(),
                       [&](const ReadFault& f) { return within(attempt, f.from, f.times); });
}

} // namespace device
