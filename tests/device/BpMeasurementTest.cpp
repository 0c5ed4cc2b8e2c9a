#include "device/engine/BpMeasurement.h"

#include "store/MeasurementStatus.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

std::optional<device::BpMeasurement> decodeHex(const QByteArray& hex) {
    return device::decodeBpMeasurement(QByteArray::fromHex(hex));
}

} // namespace

TEST(BpMeasurementTest, SfloatValuesAndSpecials) {
    struct Case {
        quint16 raw;
        std::optional<double> value;
    } cases[] = {
        {0x0078, 120.0}, {0xF4B0, 120.0}, {0x0FFF, -1.0}, {0xE0C8, 2.0}, {0x1010, 160.0},
        {0x0800, {}},    {0x07FF, {}},    {0x07FE, {}},   {0x0802, {}},  {0x0801, {}},
        {0x2801, {}},    {0x0803, -2045}, {0x07FD, 2045}, {0xF800, {}},  {0xF803, -204.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw);
        const auto got = device::decodeSfloat(c.raw);
        ASSERT_EQ(got.has_value(), c.value.has_value());
        if (got)
            EXPECT_NEAR(*got, *c.value, 1e-9);
    }
}

// Every flag combination: the fields a flag announces are read in order, each missing
// byte makes the payload malformed.
TEST(BpMeasurementTest, EveryFlagCombinationReadsItsFields) {
    for (int flags = 0; flags < 32; ++flags) {
        SCOPED_TRACE(flags);
        const bool kpa = flags & 1;
        QByteArray payload(1, char(flags));
        payload += QByteArray::fromHex(kpa ? "a0f0 a0f0 0000" : "7800 5000 5a00");
        if (flags & 2)
            payload += QByteArray::fromHex("e907 0c0a 0e1e 05");
        if (flags & 4)
            payload += QByteArray::fromHex("4800");
        if (flags & 8)
            payload += char(2);
        if (flags & 16)
            payload += QByteArray::fromHex("0400");
        const auto m = device::decodeBpMeasurement(payload);
        ASSERT_TRUE(m);
        EXPECT_TRUE(m->readable);
        EXPECT_EQ(m->systolic, 120);
        EXPECT_EQ(m->diastolic, kpa ? 120 : 80);
        EXPECT_EQ(m->moment.isValid(), bool(flags & 2));
        if (flags & 2)
            EXPECT_EQ(m->moment, QDateTime(QDate(2025, 12, 10), QTime(14, 30, 5), Qt::UTC));
        EXPECT_EQ(m->pulse, (flags & 4) ? std::optional<int>(72) : std::nullopt);
        EXPECT_EQ(m->memory, (flags & 8) ? 2 : 1);
        EXPECT_EQ(m->status, (flags & 16) ? std::optional<quint16>(4) : std::nullopt);
        for (int cut = 0; cut < payload.size(); ++cut)
            EXPECT_FALSE(device::decodeBpMeasurement(payload.left(cut))) << cut;
    }
}

TEST(BpMeasurementTest, KpaIsRoundedToWholeMmHg) {
    // 16.0 kPa = 120.0099 mmHg, 10.7 kPa = 80.257, 13.3 kPa = 99.758.
    const auto m = decodeHex("01 a0f0 6bf0 0000");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->systolic, 120);
    EXPECT_EQ(m->diastolic, 80);
    EXPECT_EQ(decodeHex("01 85f0 6bf0 0000")->systolic, 100);
    // Negative exponent in mmHg: 1205 x 10^-1.
    EXPECT_EQ(decodeHex("00 b5f4 5000 0000")->systolic, 121);
    EXPECT_EQ(decodeHex("00 b5f4 5000 0000")->diastolic, 80);
}

TEST(BpMeasurementTest, SpecialPressuresMakeAnUnreadableReading) {
    for (const char* hex : {"00 ff07 5000 0000", "00 7800 0008 0000", "00 fe07 5000 0000",
                            "00 7800 0208 0000", "00 0108 5000 0000"}) {
        SCOPED_TRACE(hex);
        const auto m = decodeHex(hex);
        ASSERT_TRUE(m);
        EXPECT_FALSE(m->readable);
        EXPECT_EQ((std::pair{m->systolic, m->diastolic}), (std::pair{0, 0}));
    }
    // A special mean arterial pressure does not matter.
    EXPECT_TRUE(decodeHex("00 7800 5000 ff07")->readable);
}

TEST(BpMeasurementTest, SpecialPulseIsEmptyAndZeroDateIsNoMoment) {
    EXPECT_EQ(decodeHex("04 7800 5000 0000 ff07")->pulse, std::nullopt);
    EXPECT_EQ(decodeHex("04 7800 5000 0000 0008")->pulse, std::nullopt);
    for (const char* stamp : {"0000 0c0a 0e1e 05", "e907 000a 0e1e 05", "e907 0c00 0e1e 05"})
        EXPECT_FALSE(decodeHex(QByteArray("02 7800 5000 0000 ") + stamp)->moment.isValid())
            << stamp;
}

TEST(BpMeasurementTest, UserIdPicksTheMemory) {
    EXPECT_EQ(decodeHex("08 7800 5000 0000 01")->memory, 1);
    EXPECT_EQ(decodeHex("08 7800 5000 0000 02")->memory, 2);
    EXPECT_EQ(decodeHex("08 7800 5000 0000 ff")->memory, 1);
    EXPECT_EQ(decodeHex("08 7800 5000 0000 00")->memory, 1);
}

TEST(BpMeasurementTest, StatusBits) {
    struct Case {
        const char* hex;
        quint16 bit;
        store::PulseRange range;
    } cases[] = {
        {"0100", store::kStatusBodyMovement, store::PulseRange::Within},
        {"0200", store::kStatusCuffFit, store::PulseRange::Within},
        {"0400", store::kStatusIrregularPulse, store::PulseRange::Within},
        {"0800", 0, store::PulseRange::Above},
        {"1000", 0, store::PulseRange::Below},
        {"1800", 0, store::PulseRange::Reserved},
        {"2000", store::kStatusPosition, store::PulseRange::Within},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hex);
        const auto status = *decodeHex(QByteArray("10 7800 5000 0000 ") + c.hex)->status;
        if (c.bit)
            EXPECT_EQ(status, c.bit);
        EXPECT_EQ(store::pulseRange(status), c.range);
    }
}

TEST(BpMeasurementTest, MomentsMoreThanADayAheadAreRefused) {
    const QDateTime now(QDate(2026, 3, 1), QTime(12, 0), Qt::LocalTime);
    const QDateTime wall(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC);
    EXPECT_TRUE(device::isStorableMoment(wall.addSecs(24 * 3600), now));
    EXPECT_FALSE(device::isStorableMoment(wall.addSecs(24 * 3600 + 1), now));
    EXPECT_TRUE(device::isStorableMoment(wall.addYears(-5), now));
    EXPECT_FALSE(device::isStorableMoment(QDateTime(), now));
}
