#pragma once

#include "device/engine/Scenario.h"

#include <QString>
#include <gtest/gtest.h>

// The scenario text is refused with a message that begins with where.
inline void expectRefused(const char* text, const char* where) {
    SCOPED_TRACE(text);
    try {
        device::Scenario::fromJson(text);
        ADD_FAILURE() << "accepted";
    } catch (const device::ScenarioError& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).startsWith(QLatin1String(where)))
            << error.what();
    }
}
