#pragma once

#include "store/WindowMessage.h"

#include <QStringList>

namespace device {

// What a download tells its window: failures and notices as message keys of the language
// table, and the numbered window messages, each handled before the call returns.
class DownloadReport {
public:
    virtual ~DownloadReport() = default;
    virtual void inform(const QString& key) = 0; // information icon
    // Error icon; the arguments fill %1, %2, ... of the text.
    virtual void fail(const QString& key, const QStringList& arguments = {}) = 0;
    virtual void sendMessage(store::WindowMessage message) = 0;
};

// A report that reaches no one, for runs without a window.
class SilentReport : public DownloadReport {
public:
    void inform(const QString&) override {}
    void fail(const QString&, const QStringList&) override {}
    void sendMessage(store::WindowMessage) override {}
};

} // namespace device
