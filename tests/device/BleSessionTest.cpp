#include "device/engine/BleSession.h"

#include "device/EngineFixture.h"
#include "device/FakeBleLink.h"

#include <QtEndian>

namespace {

using State = device::BleSession::State;

// A measurement with time stamp, pulse and user id; pulse < 0 leaves the pulse out.
QByteArray reading(int user, int systolic, int diastolic, const QDateTime& at, int pulse = 70) {
    QByteArray out(1, char(pulse < 0 ? 0x0A : 0x0E));
    const auto u16 = [&out](int value) {
        char bytes[2];
        qToLittleEndian<quint16>(quint16(value), bytes);
        out.append(bytes, 2);
    };
    u16(systolic);
    u16(diastolic);
    u16(0);
    u16(at.date().year());
    out += char(at.date().month());
    out += char(at.date().day());
    out += char(at.time().hour());
    out += char(at.time().minute());
    out += char(at.time().second());
    if (pulse >= 0)
        u16(pulse);
    out += char(user);
    return out;
}

class BleSessionTest : public EngineTest {
protected:
    BleSessionTest() { restart(); }

    // A fresh session on emptied memories; what the last one reported is forgotten.
    void restart() {
        emptyTables();
        messages.shown.clear();
        finished.clear();
        link.calls.clear();
        session.reset();
        session = std::make_unique<device::BleSession>(
            device::BleSessionContext{link, messages, quiet, [this] { return now; }},
            device::DownloadMemories{
                {{&dm1.ado_rc1, &gauge1, "Smith"}, {&dm1.ado_rc2, &gauge2, "Lee"}}});
        session->onFinished([this](device::BleSession::Outcome outcome) {
            finished.push_back(outcome == device::BleSession::Outcome::Complete);
        });
    }

    // Walks the session to the step where `state` is reached.
    void walkTo(State state) {
        link.controlPoint = state != State::Collecting;
        session->start();
        if (state == State::Connecting)
            return;
        link.events->connected();
        if (state == State::ReadingFeature)
            return;
        link.events->featureRead(0x0021);
        if (state == State::Enabling)
            return;
        link.events->indicationsEnabled();
    }

    void indicate(const QByteArray& payload) { link.events->measurement(payload); }

    const QDateTime day{QDate(2024, 6, 14), QTime(7, 30)};
    FakeBleLink link;
    FakeQuietTimer quiet;
    std::vector<bool> finished;
    std::unique_ptr<device::BleSession> session;
};

TEST_F(BleSessionTest, ControlPointAsksForAllRecordsAndItsResponseEndsTheDownload) {
    walkTo(State::Requesting);
    EXPECT_EQ(link.calls, QStringList({"connect", "feature", "indicate", "racp:0101"}));
    EXPECT_EQ(session->feature(), 0x0021);
    indicate(reading(1, 128, 82, day));
    indicate(reading(2, 142, 91, day.addSecs(600), -1));
    indicate(reading(0xFF, 119, 78, day.addDays(-1)));
    link.events->controlPointResponse(QByteArray::fromHex("050001"));   // a count, not the answer
    link.events->controlPointResponse(QByteArray::fromHex("06000204")); // answers another op
    EXPECT_EQ(session->state(), State::Requesting);
    link.events->controlPointResponse(QByteArray::fromHex("06000101"));

    EXPECT_EQ(session->state(), State::Done);
    EXPECT_EQ(finished, std::vector<bool>{true});
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(windowMessages.back(), int(store::WindowMessage::DownloadDone));
    EXPECT_EQ(link.calls.last(), "disconnect");
    EXPECT_EQ(quiet.starts, 0);
    EXPECT_EQ(rows("bp_record_user1"), Rows({"1 Smith 128/82 70 06/14 07:30 2024-06-14 07:30:00",
                                             "2 Smith 119/78 70 06/13 07:30 2024-06-13 07:30:00"}));
    EXPECT_EQ(rows("bp_record_user2"), Rows({"1 Lee 142/91 0 06/14 07:40 2024-06-14 07:40:00"}));
    store::Dataset pulse(dm1.ADOConnection1, store::WriteMode::Immediate);
    pulse.setCommandText("select heart_beat from bp_record_user2");
    pulse.open();
    EXPECT_TRUE(pulse.value("heart_beat").isNull());
    EXPECT_EQ(gauge1.progress(), 2);
    EXPECT_EQ(gauge2.progress(), 1);
}

TEST_F(BleSessionTest, NoRecordsIsACompleteDownloadAndAnErrorCodeAnEarlyEnd) {
    walkTo(State::Requesting);
    link.events->controlPointResponse(QByteArray::fromHex("06000106"));
    EXPECT_EQ(finished, std::vector<bool>{true});
    EXPECT_TRUE(messages.shown.isEmpty());

    restart();
    walkTo(State::Requesting);
    indicate(reading(1, 128, 82, day));
    link.events->controlPointResponse(QByteArray::fromHex("06000104"));
    EXPECT_EQ(messages.shown, QStringList{"fail:ble_request_failed:1"});
    EXPECT_EQ(rows("bp_record_user1").size(), 1u);
}

// Without a control point the burst ends after five quiet seconds, counted from the
// last indication.
TEST_F(BleSessionTest, WithoutControlPointQuietSecondsEndTheBurst) {
    walkTo(State::Collecting);
    EXPECT_EQ(link.calls, QStringList({"connect", "feature", "indicate"}));
    EXPECT_EQ(quiet.running, device::BleSession::kQuietEnd);
    indicate(reading(1, 128, 82, day));
    indicate(reading(2, 142, 91, day));
    EXPECT_EQ(quiet.starts, 3);
    EXPECT_EQ(session->state(), State::Collecting);
    quiet.expire();
    EXPECT_EQ(finished, std::vector<bool>{true});
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(rows("bp_record_user1").size(), 1u);
    EXPECT_EQ(rows("bp_record_user2").size(), 1u);
}

// Whatever step fails, the link is released, the whole readings received so far are kept
// and the message says how many.
TEST_F(BleSessionTest, FaultsAndCancelEndEarlyKeepingWhatArrived) {
    struct Case {
        State at;
        int readings;
        bool cancel;
        device::BleFault fault;
        QString shown;
    } cases[] = {
        {State::Connecting, 0, false, device::BleFault::ConnectRefused,
         "fail:ble_connect_failed:0"},
        {State::Connecting, 0, false, device::BleFault::ServiceMissing,
         "fail:ble_service_missing:0"},
        {State::Enabling, 0, false, device::BleFault::IndicationsRefused,
         "fail:ble_indications_refused:0"},
        {State::Requesting, 2, false, device::BleFault::LinkLost, "fail:ble_link_lost:2"},
        {State::Collecting, 3, false, device::BleFault::LinkLost, "fail:ble_link_lost:3"},
        {State::Connecting, 0, true, {}, "fail:ble_cancelled:0"},
        {State::ReadingFeature, 0, true, {}, "fail:ble_cancelled:0"},
        {State::Enabling, 0, true, {}, "fail:ble_cancelled:0"},
        {State::Requesting, 1, true, {}, "fail:ble_cancelled:1"},
        {State::Collecting, 2, true, {}, "fail:ble_cancelled:2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown.toStdString() + " at " + std::to_string(int(c.at)));
        restart();
        walkTo(c.at);
        ASSERT_EQ(session->state(), c.at);
        for (int i = 0; i < c.readings; ++i)
            indicate(reading(1 + i % 2, 120 + i, 80, day.addSecs(60 * i)));
        if (c.cancel)
            session->cancel();
        else
            link.events->failed(c.fault);

        EXPECT_EQ(messages.shown, QStringList{c.shown});
        EXPECT_EQ(finished, std::vector<bool>{false});
        EXPECT_EQ(link.calls.last(), "disconnect");
        EXPECT_EQ(link.events, nullptr); // later events reach no one
        EXPECT_EQ(quiet.running, 0);
        EXPECT_EQ(int(rows("bp_record_user1").size() + rows("bp_record_user2").size()), c.readings);
        EXPECT_FALSE(dm1.ado_rc1.hasPendingUpdates() || dm1.ado_rc2.hasPendingUpdates());
        session->cancel();
        EXPECT_EQ(finished.size(), 1u);
    }
}

// Readings that cannot be stored are counted apart by reason, do not end the session, and
// are named in one message at its end; the others are stored.
TEST_F(BleSessionTest, ReadingsLeftOutAreCountedByReasonAndReported) {
    walkTo(State::Requesting);
    QByteArray special = reading(1, 128, 82, day);
    special[1] = char(0xFF); // systolic NaN
    special[2] = char(0x07);
    QByteArray yearZero = reading(1, 128, 82, day);
    yearZero[1 + 6] = 0;
    yearZero[1 + 7] = 0;
    QByteArray noTimeStamp = reading(1, 128, 82, day).remove(7, 7);
    noTimeStamp[0] = char(0x0C);
    const QDateTime later = day.addSecs(3600);
    const QByteArray left[] = {
        special,
        reading(1, 128, 82, day).left(5), // shorter than its flags announce
        yearZero,
        noTimeStamp,
        reading(1, 128, 82, now.addSecs(25 * 3600)),
        reading(1, 512, 82, later),
        reading(1, 128, 256, later),
        reading(1, 128, 0, later),
        reading(1, 0x0FFF, 82, later), // -1
    };
    for (const QByteArray& payload : left)
        indicate(payload);
    indicate(reading(1, 128, 82, now.addSecs(23 * 3600)));
    indicate(reading(2, 511, 255, later));
    link.events->controlPointResponse(QByteArray::fromHex("06000101"));

    EXPECT_EQ(session->unreadable(), 2);
    EXPECT_EQ(session->undated(), 2);
    EXPECT_EQ(session->outOfRange(), 5);
    EXPECT_EQ(session->kept(), 2);
    EXPECT_EQ(messages.shown, QStringList{"fail:ble_left_out:2:2:2:5"});
    EXPECT_EQ(finished, std::vector<bool>{true});
    EXPECT_EQ(rows("bp_record_user1"), Rows({"1 Smith 128/82 70 06/16 11:00 2024-06-16 11:00:00"}));
    EXPECT_EQ(rows("bp_record_user2"), Rows({"1 Lee 511/255 70 06/14 08:30 2024-06-14 08:30:00"}));
}

} // namespace
