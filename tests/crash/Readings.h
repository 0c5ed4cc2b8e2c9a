#pragma once

#include <QString>

// Reading i of the downloaded memory in the kill test: systolic, diastolic, pulse and time
// as the values of an insert.
inline QString memoryReading(int i) {
    return QStringLiteral("%1,80,60,'2024-%2-%3 08:%4:00'")
        .arg(100 + i % 100)
        .arg(1 + i / 28, 2, 10, QLatin1Char('0'))
        .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
        .arg(i % 60, 2, 10, QLatin1Char('0'));
}
