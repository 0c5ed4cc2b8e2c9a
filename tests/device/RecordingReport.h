#pragma once

#include "device/engine/DownloadReport.h"

#include <QStringList>
#include <vector>

// Records what a download reports: message boxes as "inform:key" or "fail:key" (then ":argument"
// for each), window messages by number.
class RecordingReport : public device::DownloadReport {
public:
    void inform(const QString& key) override { shown << "inform:" + key; }
    void fail(const QString& key, const QStringList& arguments = {}) override {
        shown << (QStringList{"fail:" + key} + arguments).join(QLatin1Char(':'));
    }
    void sendMessage(store::WindowMessage message) override {
        windowMessages.push_back(int(message));
    }

    QStringList shown;
    std::vector<int> windowMessages;
};
