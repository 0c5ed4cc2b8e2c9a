#pragma once

#include "store/WindowMessage.h"

#include <QString>

namespace device {

// What a download tells its window: failures and notices as message keys of the language
// table, and the numbered window messages, each handled before the call returns.
class DownloadReport {
public:
    virtual ~DownloadReport() = default;
    virtual void inform(const QString& key) = 0; // information icon
    virtual void fail(const QString& key) = 0;   // error icon
    virtual void sendMessage(store::WindowMessage message) = 0;
};

// A report that reaches no one, for runs without a window.
class SilentReport : public DownloadReport {
public:
    void inform(const QString&) override {}
    void fail(const QString&) override {}
    void sendMessage(store::WindowMessage) override {}
};

} // namespace device
