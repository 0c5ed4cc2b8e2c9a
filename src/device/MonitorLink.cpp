#include "device/MonitorLink.h"

#include "device/engine/HidDevicePort.h"
#include "device/engine/Pause.h"
#include "device/engine/SimulatedBleLink.h"
#include "device/engine/SimulatedBleScanner.h"
#include "device/engine/SimulatedMonitor.h"

#include <QFile>
#include <cstdio>
#include <optional>

namespace device {

namespace {

const QString kOption = QStringLiteral("--simulate-monitor");

// Absent: nullopt; "--simulate-monitor": empty text; "--simulate-monitor=FILE": FILE.
std::optional<QString> simulateOption(const QStringList& arguments) {
    std::optional<QString> found;
    for (const QString& argument : arguments.mid(1)) {
        if (argument == kOption)
            found = QString();
        else if (argument.startsWith(kOption + QLatin1Char('=')))
            found = argument.mid(kOption.size() + 1);
    }
    return found;
}

Scenario scenarioFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ScenarioError(QStringLiteral("The monitor scenario %1 cannot be read: %2")
                                .arg(path, file.errorString())
                                .toStdString());
    try {
        return Scenario::fromJson(file.readAll());
    } catch (const ScenarioError& error) {
        throw ScenarioError(QStringLiteral("The monitor scenario %1 is not valid: %2")
                                .arg(path, QString::fromStdString(error.what()))
                                .toStdString());
    }
}

// Morning and evening readings of one person over the given days before today.
std::vector<Record> readings(const QDate& today, int days, int systolic, int diastolic, int pulse) {
    std::vector<Record> records;
    for (int day = days; day >= 1; --day) {
        const QDate date = today.addDays(-day);
        const int swing = (day * 7) % 9 - 4;
        records.push_back(reading(date.month(), date.day(), 7, 10 + day, systolic + swing,
                                  diastolic + swing / 2, pulse + (day * 5) % 7));
        records.push_back(reading(date.month(), date.day(), 19, 40 - day, systolic + swing - 6,
                                  diastolic + swing / 2 - 3, pulse + (day * 3) % 5 - 2));
    }
    return records;
}

std::unique_ptr<DevicePort> usbMonitor() {
    return std::make_unique<HidDevicePort>();
}

} // namespace

MonitorLink::MonitorLink()
    : openPort(usbMonitor), pause(sleepMilliseconds), now(&QDateTime::currentDateTime) {}

MonitorFactories monitorFromArguments(const QStringList& arguments, const QDate& today) {
    const std::optional<QString> option = simulateOption(arguments);
    if (!option)
        return {usbMonitor, {}, {}, std::nullopt};
    Scenario scenario;
    try {
        scenario = option->isEmpty() ? builtInReadings(today) : scenarioFile(*option);
    } catch (const ScenarioError& error) { // seen in a terminal before any window appears
        std::fprintf(stderr, "%s\n", error.what());
        throw;
    }
    if (const std::optional<BleScenario>& ble = scenario.bluetooth)
        return {usbMonitor, [ble = *ble] { return std::make_unique<SimulatedBleScanner>(ble); },
                [ble = *ble](const BleMonitor&) { return std::make_unique<SimulatedBleLink>(ble); },
                Connection::Bluetooth};
    return {[scenario] { return std::make_unique<SimulatedMonitor>(scenario); },
            {},
            {},
            Connection::Usb};
}

Scenario builtInReadings(const QDate& today) {
    Scenario scenario;
    scenario.layout = kLayoutTwo;
    scenario.memory1 = readings(today, 4, 124, 80, 68);
    scenario.memory2 = readings(today, 7, 141, 89, 74);
    return scenario;
}

} // namespace device
