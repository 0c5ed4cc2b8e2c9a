#include "device/EngineFixture.h"
#include "device/FakeBleLink.h"
#include "device/ScenarioRefusal.h"
#include "device/engine/BleSession.h"
#include "device/engine/SimulatedBleLink.h"
#include "device/engine/SimulatedBleScanner.h"

#include <QCoreApplication>

namespace {

using device::BleScenario;
using device::Scenario;

// 128/82 pulse 70 on 2024-06-14 at 07:30 + `minute`, for user `user`.
QByteArray payload(int user, int minute = 0) {
    return QByteArray::fromHex("0e 8000 5200 0000 e807 060e 07") + char(30 + minute) +
           QByteArray::fromHex("00 4600") + char(user);
}

TEST(BleScenarioTest, ReadsABluetoothMonitor) {
    const Scenario s = Scenario::fromJson(R"({"bluetooth": {"name": "Küche",
        "measurements": ["0e 8000 5200 0000 e807 060e 071e 00 4600 01", "00 7800 5000 0000"],
        "feature": 33, "controlPoint": false,
        "faults": {"dropAfter": 1, "indicationsRefused": true, "noMonitor": true}}})");
    ASSERT_TRUE(s.bluetooth);
    const BleScenario& b = *s.bluetooth;
    EXPECT_EQ(b.measurements,
              std::vector<QByteArray>({payload(1), QByteArray::fromHex("00780050000000")}));
    EXPECT_EQ(b.feature, 33);
    EXPECT_FALSE(b.controlPoint);
    EXPECT_EQ(b.dropAfter, 1);
    EXPECT_TRUE(b.indicationsRefused && b.noMonitor);
    EXPECT_EQ(b.name, QString("Küche"));

    const BleScenario plain = *Scenario::fromJson(R"({"bluetooth": {}})").bluetooth;
    EXPECT_TRUE(plain.controlPoint);
    EXPECT_FALSE(plain.indicationsRefused || plain.noMonitor);
    EXPECT_EQ(plain.dropAfter, -1);
    EXPECT_TRUE(plain.name.isEmpty());
    EXPECT_FALSE(Scenario::fromJson("{}").bluetooth);
}

TEST(BleScenarioTest, RefusesWhatItWouldOtherwiseIgnoreOrMisread) {
    for (
        const auto& [text, where] : std::vector<std::pair<const char*, const char*>>{
            {R"({"bluetooth": [], "memory1": []})", "at bluetooth: takes no USB keys"},
            {R"({"bluetooth": []})", "at bluetooth: must be an object"},
            {R"({"bluetooth": {"measurement": []}})", "at bluetooth.measurement: unknown key"},
            {R"({"bluetooth": {"measurements": ["1e 8"]}})", "at bluetooth.measurements[0]: must"},
            {R"({"bluetooth": {"measurements": ["00", ""]}})",
             "at bluetooth.measurements[1]: must"},
            {R"({"bluetooth": {"measurements": ["00000000000000000000000000000000000000000000"]}})",
             "at bluetooth.measurements[0]: must be 1 to 20"},
            {R"({"bluetooth": {"feature": 65536}})", "at bluetooth.feature: must be a whole"},
            {R"({"bluetooth": {"controlPoint": "yes"}})",
             "at bluetooth.controlPoint: must be true"},
            {R"({"bluetooth": {"faults": {"dropAfter": -1}}})", "at bluetooth.faults.dropAfter"},
            {R"({"bluetooth": {"faults": {"noMonitor": 1}}})",
             "at bluetooth.faults.noMonitor: must"},
            {R"({"bluetooth": {"faults": {"linkDrops": 1}}})",
             "at bluetooth.faults.linkDrops: unknown"},
            {R"({"bluetooth": {"name": 7}})", "at bluetooth.name: must be a text of 1 to 248"},
            {R"({"bluetooth": {"name": ""}})", "at bluetooth.name: must be a text"},
        }) {
        expectRefused(text, where);
    }
}

// A name one byte too long for a device, written with two-byte letters.
TEST(BleScenarioTest, RefusesANameLongerThanADeviceCanHave) {
    const QString fits(124, QChar(0xE4));
    EXPECT_EQ(
        Scenario::fromJson(QStringLiteral(R"({"bluetooth": {"name": "%1"}})").arg(fits).toUtf8())
            .bluetooth->name,
        fits);
    expectRefused(
        QStringLiteral(R"({"bluetooth": {"name": "%1x"}})").arg(fits).toUtf8().constData(),
        "at bluetooth.name");
}

// What the simulated scanner reports, event by event.
class ScanLog : public device::BleScanEvents {
public:
    void monitorFound(const device::BleMonitor& m, int signal) override {
        log << QStringLiteral("found %1 %2 %3").arg(m.name, m.address).arg(signal);
    }
    void scanFinished() override { log << "finished"; }
    void scanFailed(device::BleFault) override { log << "failed"; }
    QStringList log;
};

TEST(SimulatedBleScannerTest, FindsTheScenariosMonitorAfterStartReturned) {
    using S = device::SimulatedBleScanner;
    const QString fixed =
        QStringLiteral("found %1 %2 %3").arg(S::kName, S::kAddress).arg(S::kSignal);
    const QString named = QStringLiteral("found Küche %1 %2").arg(S::kAddress).arg(S::kSignal);
    struct Case {
        QString name;
        bool noMonitor;
        QStringList log;
    };
    for (const Case& c :
         {Case{"", false, {fixed, "finished"}}, Case{"Küche", false, {named, "finished"}},
          Case{"Küche", true, {"finished"}}}) {
        BleScenario scenario;
        scenario.name = c.name;
        scenario.noMonitor = c.noMonitor;
        S scanner(scenario);
        ScanLog events;
        scanner.setEvents(&events);
        scanner.start();
        EXPECT_TRUE(events.log.isEmpty());
        QCoreApplication::processEvents();
        EXPECT_EQ(events.log, c.log);
    }
}

// A rescan after stop reports again; the stopped scan reports nothing.
TEST(SimulatedBleScannerTest, StopDropsTheRunningScanOnly) {
    device::SimulatedBleScanner scanner{BleScenario{}};
    ScanLog events;
    scanner.setEvents(&events);
    scanner.start();
    scanner.stop();
    QCoreApplication::processEvents();
    EXPECT_TRUE(events.log.isEmpty());
    scanner.start();
    QCoreApplication::processEvents();
    EXPECT_EQ(events.log.size(), 2);
}

// The session against the simulated monitor, through the event loop.
class SimulatedBleTest : public EngineTest {
protected:
    void run(BleScenario scenario) {
        device::SimulatedBleLink link(std::move(scenario));
        device::BleSession session{
            {link, messages, quiet, [this] { return now; }},
            {{{&dm1.ado_rc1, &gauge1, "Smith"}, {&dm1.ado_rc2, &gauge2, "Lee"}}}};
        bool ended = false;
        session.onFinished([&ended](device::BleSession::Outcome) { ended = true; });
        session.start();
        for (int turn = 0; turn < 1000 && !ended; ++turn) {
            QCoreApplication::processEvents();
            if (quiet.running && turn > 100)
                quiet.expire();
        }
        ASSERT_TRUE(ended);
        feature = session.feature();
    }

    FakeQuietTimer quiet;
    quint16 feature = 0;
};

TEST_F(SimulatedBleTest, DownloadsTheScenariosMeasurementsWithAndWithoutControlPoint) {
    for (bool controlPoint : {true, false}) {
        SCOPED_TRACE(controlPoint);
        emptyTables();
        BleScenario s;
        s.measurements = {payload(1), payload(2, 5), payload(0xFF, 10)};
        s.feature = 0x21;
        s.controlPoint = controlPoint;
        run(s);
        EXPECT_TRUE(messages.shown.isEmpty());
        EXPECT_EQ(feature, 0x21);
        EXPECT_EQ(rows("bp_record_user1"),
                  Rows({"1 Smith 128/82 70 06/14 07:30 2024-06-14 07:30:00",
                        "2 Smith 128/82 70 06/14 07:40 2024-06-14 07:40:00"}));
        EXPECT_EQ(rows("bp_record_user2"),
                  Rows({"1 Lee 128/82 70 06/14 07:35 2024-06-14 07:35:00"}));
    }
}

TEST_F(SimulatedBleTest, FaultsEndTheDownloadWithTheirMessage) {
    struct Case {
        BleScenario scenario;
        QString shown;
        std::size_t kept;
    };
    const std::vector<QByteArray> three = {payload(1), payload(1, 1), payload(1, 2)};
    const Case cases[] = {
        {{three, 0, true, true, false, -1, {}}, "fail:ble_no_monitor:0", 0},
        {{three, 0, true, false, true, -1, {}}, "fail:ble_indications_refused:0", 0},
        {{three, 0, true, false, false, 2, {}}, "fail:ble_link_lost:2", 2},
        {{three, 0, false, false, false, 0, {}}, "fail:ble_link_lost:0", 0},
        {{{}, 0, true, false, false, -1, {}}, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown.toStdString());
        emptyTables();
        messages.shown.clear();
        run(c.scenario);
        EXPECT_EQ(messages.shown, c.shown.isEmpty() ? QStringList() : QStringList{c.shown});
        EXPECT_EQ(rows("bp_record_user1").size(), c.kept);
    }
}

} // namespace
