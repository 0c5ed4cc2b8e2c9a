#include "TransferFixture.h"

#include <functional>
#include <utility>

namespace {

using namespace monitor;

struct FaultScript {
    const char* name;
    std::function<void(device::Scenario&)> spoil;
    QString message;
};

void PrintTo(const FaultScript& script, std::ostream* out) {
    *out << script.name;
}

class DownloadFault : public TransferPageTest {
protected:
    // Both memories, tables, datasets and grids are empty; nothing waits to be applied.
    void expectEmpty() {
        for (device::MemoryBox* box : {page->memory1(), page->memory2()}) {
            EXPECT_TRUE(readings(box->table()).empty()) << qPrintable(box->table());
            EXPECT_TRUE(box->rows().isEmpty());
            EXPECT_FALSE(box->rows().hasPendingUpdates());
            EXPECT_EQ(box->grid()->shownRowCount(), 0);
        }
    }
};

class FailedDownload : public DownloadFault, public ::testing::WithParamInterface<FaultScript> {};

// Each fault comes after a good download, so the memories held rows before.
TEST_P(FailedDownload, LeavesTheMemoriesEmptyAndTheWindowEnabled) {
    choose("Adams");
    device::Scenario readings = memories({memory1Reading}, {morning, evening, nextDay});
    download(readings);
    ASSERT_EQ(page->memory2()->grid()->shownRowCount(), 3);

    GetParam().spoil(readings);
    download(readings);
    EXPECT_EQ(messages.shown, QStringList{GetParam().message});
    expectEmpty();
    EXPECT_TRUE(window->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    FaultScripts, FailedDownload,
    ::testing::Values(FaultScript{"NoMonitor", [](device::Scenario& s) { s.openFailures = 6; },
                                  "inform:no_device"},
                      FaultScript{"OpeningRefused",
                                  [](device::Scenario& s) {
                                      s.writeFailures = {{0x5A, 1, 3}};
                                  },
                                  "fail:send_error"},
                      FaultScript{"RequestsRefused",
                                  [](device::Scenario& s) {
                                      s.writeFailures = {{0xFF, 4, 6}};
                                  },
                                  "fail:send_error"},
                      FaultScript{"ClosingRefused",
                                  [](device::Scenario& s) {
                                      s.writeFailures = {{0x5A, 2, 1}};
                                  },
                                  "fail:send_error"},
                      FaultScript{"ReadsTimeOut",
                                  [](device::Scenario& s) {
                                      s.readTimeouts = {{3, 6}};
                                  },
                                  "fail:read_error"},
                      FaultScript{"MonitorOff",
                                  [](device::Scenario& s) {
                                      s.extraReports = {{0, 1, 0}};
                                  },
                                  "fail:send_error_poweroff"},
                      FaultScript{"TwoEmptyRuns",
                                  [](device::Scenario& s) {
                                      s.extraReports = {{2, 12, 0}};
                                  },
                                  "fail:read_error"},
                      FaultScript{"Unplugged", [](device::Scenario& s) { s.disconnectAfter = 3; },
                                  "fail:send_error"},
                      FaultScript{"UnknownLayout", [](device::Scenario& s) { s.layout = 0; },
                                  "inform:recorderror"}),
    [](const ::testing::TestParamInfo<FaultScript>& info) { return info.param.name; });

// Memory 1's rows were applied when memory 2's failed: neither table keeps any.
TEST_F(DownloadFault, ADatabaseFaultShowsTheErrorAndKeepsNoRows) {
    choose("Adams");
    sql("create trigger full before insert on bp_record_user2 "
        "begin select raise(abort, 'disk is full'); end");
    download(memories({memory1Reading}, {morning}));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].contains("disk is full")) << qPrintable(messages.shown[0]);
    expectEmpty();
    EXPECT_TRUE(window->isEnabled());

    sql("drop trigger full");
    download(memories({memory1Reading}, {morning}));
    EXPECT_EQ(messages.shown, QStringList{"inform:transfer_ok"});
}

// Events posted meanwhile, such as the gauges' repaints, are handled during the download.
TEST_F(TransferPageTest, KeepsTheWindowDisabledAndTheGridsDetachedWhileDownloading) {
    QList<bool> windowEnabled;
    QList<bool> gridsFollow;
    bool posted = false;
    bool handled = false;
    page->monitorLink().pause = [&](int) {
        windowEnabled << window->isEnabled();
        gridsFollow << !page->memory2()->rows().controlsDisabled();
        if (!std::exchange(posted, true))
            QMetaObject::invokeMethod(
                window.get(), [&] { handled = true; }, Qt::QueuedConnection);
    };
    download(memories({}, {morning, evening}));
    ASSERT_FALSE(windowEnabled.isEmpty());
    EXPECT_FALSE(windowEnabled.contains(true));
    EXPECT_FALSE(gridsFollow.contains(true));
    EXPECT_TRUE(handled);
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(page->memory2()->grid()->shownRowCount(), 2);
}

} // namespace
