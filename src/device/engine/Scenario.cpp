#include "Scenario.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <algorithm>

namespace device {

namespace {

constexpr int kMaxRecords = 255;
constexpr int kSlice = 7;
constexpr int kHeaderStreamBytes = 4;

[[noreturn]] void reject(const QString& what) {
    throw ScenarioError(what.toStdString());
}

int number(const QJsonObject& object, const char* key, int fallback, int low, int high) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined())
        return fallback;
    if (!value.isDouble() || value.toDouble() != value.toInt() || value.toInt() < low ||
        value.toInt() > high)
        reject(QStringLiteral("\"%1\" must be a whole number from %2 to %3")
                   .arg(QLatin1String(key))
                   .arg(low)
                   .arg(high));
    return value.toInt();
}

// "07 5b 01 ..." -> bytes, at most N of them; missing ones are 0.
template <std::size_t N> std::array<quint8, N> hexBytes(const QJsonValue& value) {
    const QByteArray bytes = QByteArray::fromHex(value.toString().toLatin1());
    if (!value.isString() || bytes.isEmpty() || bytes.size() > int(N))
        reject(
            QStringLiteral("\"%1\" is not 1 to %2 hexadecimal bytes").arg(value.toString()).arg(N));
    std::array<quint8, N> out{};
    std::copy(bytes.begin(), bytes.end(), out.begin());
    return out;
}

Record recordFrom(const QJsonValue& value) {
    if (!value.isObject())
        return hexBytes<8>(value);
    const QJsonObject o = value.toObject();
    return reading(number(o, "month", 1, 0, 255), number(o, "day", 1, 0, 255),
                   number(o, "hour", 0, 0, 255), number(o, "minute", 0, 0, 255),
                   number(o, "systolic", 0, 0, 511), number(o, "diastolic", 0, 0, 255),
                   number(o, "pulse", 0, 0, 255));
}

std::vector<Record> memoryFrom(const QJsonObject& root, const char* key) {
    const QJsonArray items = root.value(QLatin1String(key)).toArray();
    if (items.size() > kMaxRecords)
        reject(QStringLiteral("\"%1\" holds more than 255 records").arg(QLatin1String(key)));
    std::vector<Record> records;
    for (const QJsonValue& item : items)
        records.push_back(recordFrom(item));
    return records;
}

quint8 layoutFrom(const QJsonValue& value) {
    if (value.isUndefined() || value == QLatin1String("two"))
        return kLayoutTwo;
    if (value == QLatin1String("one"))
        return kLayoutOne;
    if (value.isDouble() && value.toInt() >= 0 && value.toInt() <= 255)
        return quint8(value.toInt());
    reject(QStringLiteral("\"layout\" must be \"one\", \"two\" or a byte value"));
}

// Each entry of faults[key] read by `parse`.
template <class T, class Parse>
std::vector<T> listFrom(const QJsonObject& faults, const char* key, Parse parse) {
    std::vector<T> list;
    for (const QJsonValue& item : faults.value(QLatin1String(key)).toArray())
        list.push_back(parse(item.toObject()));
    return list;
}

} // namespace

Record reading(int month, int day, int hour, int minute, int systolic, int diastolic, int pulse) {
    return {quint8(month),          quint8(day),
            quint8(hour),           quint8(minute),
            quint8(systolic > 255), quint8(systolic & 0xFF),
            quint8(diastolic),      quint8(pulse)};
}

std::vector<Report> Scenario::inputReports() const {
    std::vector<Report> out = reports;
    if (reports.empty()) {
        std::vector<quint8> stream;
        for (const auto* memory : {&memory1, &memory2})
            for (const Record& record : *memory)
                stream.insert(stream.end(), record.begin(), record.end());
        const int inHeader = std::min<int>(kHeaderStreamBytes, int(stream.size()));
        Report header{0, quint8(3 + inHeader), layout, quint8(memory1.size()),
                      quint8(memory2.size())};
        std::copy_n(stream.begin(), inHeader, header.begin() + 5);
        out.push_back(header);
        for (auto at = stream.begin() + inHeader; at != stream.end();) {
            const int n = std::min<int>(kSlice, int(stream.end() - at));
            Report report{0, quint8(n)};
            std::copy_n(at, n, report.begin() + 2);
            out.push_back(report);
            at += n;
        }
    }
    std::vector<ExtraReports> extras = extraReports;
    std::stable_sort(extras.begin(), extras.end(),
                     [](const auto& a, const auto& b) { return a.before > b.before; });
    for (const ExtraReports& extra : extras) {
        const int at = std::clamp(extra.before, 0, int(out.size()));
        Report copy = at < int(out.size()) ? out[at] : Report{};
        copy[1] = extra.countByte;
        out.insert(out.begin() + at, std::max(extra.times, 0), copy);
    }
    return out;
}

Scenario Scenario::fromJson(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (!document.isObject())
        reject(error.error != QJsonParseError::NoError ? error.errorString()
                                                       : QStringLiteral("expected an object"));
    const QJsonObject root = document.object();
    Scenario s;
    s.layout = layoutFrom(root.value(QLatin1String("layout")));
    s.memory1 = memoryFrom(root, "memory1");
    s.memory2 = memoryFrom(root, "memory2");
    for (const QJsonValue& item : root.value(QLatin1String("reports")).toArray()) {
        const auto bytes = hexBytes<kReportSize - 1>(item);
        Report report{};
        std::copy(bytes.begin(), bytes.end(), report.begin() + 1);
        s.reports.push_back(report);
    }

    const QJsonObject faults = root.value(QLatin1String("faults")).toObject();
    constexpr int kMany = 1 << 20;
    s.openFailures = number(faults, "openFailures", 0, 0, kMany);
    s.disconnectAfter = number(faults, "disconnectAfter", -1, 0, kMany);
    s.writeFailures = listFrom<WriteFault>(faults, "writeFailures", [](const QJsonObject& o) {
        const QJsonValue command = o.value(QLatin1String("command"));
        if (command != QLatin1String("5A") && command != QLatin1String("FF"))
            reject(QStringLiteral("\"command\" must be \"5A\" or \"FF\""));
        return WriteFault{quint8(command == QLatin1String("5A") ? 0x5A : 0xFF),
                          number(o, "from", 1, 1, kMany), number(o, "times", 1, 0, kMany)};
    });
    s.readTimeouts = listFrom<ReadFault>(faults, "readTimeouts", [](const QJsonObject& o) {
        return ReadFault{number(o, "from", 1, 1, kMany), number(o, "times", 1, 0, kMany)};
    });
    s.extraReports = listFrom<ExtraReports>(faults, "emptyReports", [](const QJsonObject& o) {
        return ExtraReports{number(o, "before", 0, 0, kMany), number(o, "times", 1, 0, kMany), 0};
    });
    const auto broken = listFrom<ExtraReports>(faults, "badCounts", [](const QJsonObject& o) {
        return ExtraReports{number(o, "before", 0, 0, kMany), number(o, "times", 1, 0, kMany),
                            quint8(number(o, "count", 8, 0, 255))};
    });
    s.extraReports.insert(s.extraReports.end(), broken.begin(), broken.end());
    return s;
}

} // namespace device
