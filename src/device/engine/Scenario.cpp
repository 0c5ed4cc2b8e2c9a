#include "Scenario.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <algorithm>
#include <cctype>
#include <initializer_list>

namespace device {

namespace {

constexpr int kMaxRecords = 255;
constexpr int kSlice = 7;
constexpr int kHeaderStreamBytes = 4;

// Where a value sits in the scenario: "faults.writeFailures[1].from".
QString member(const QString& at, const QString& key) {
    return at.isEmpty() ? key : at + QLatin1Char('.') + key;
}

QString element(const QString& at, qsizetype index) {
    return QStringLiteral("%1[%2]").arg(at).arg(index);
}

[[noreturn]] void reject(const QString& where, const QString& what) {
    throw ScenarioError(QStringLiteral("at %1: %2").arg(where, what).toStdString());
}

void onlyKeys(const QJsonObject& object, const QString& at,
              std::initializer_list<const char*> keys) {
    for (const QString& key : object.keys())
        if (std::none_of(keys.begin(), keys.end(),
                         [&](const char* k) { return key == QLatin1String(k); }))
            reject(member(at, key), QStringLiteral("unknown key"));
}

int number(const QJsonObject& object, const QString& at, const char* key, int fallback, int low,
           int high) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined())
        return fallback;
    if (!value.isDouble() || value.toDouble() != value.toInt() || value.toInt() < low ||
        value.toInt() > high)
        reject(member(at, QLatin1String(key)),
               QStringLiteral("must be a whole number from %1 to %2").arg(low).arg(high));
    return value.toInt();
}

QJsonArray array(const QJsonObject& object, const QString& at, const char* key) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isUndefined() && !value.isArray())
        reject(member(at, QLatin1String(key)), QStringLiteral("must be a list"));
    return value.toArray();
}

QJsonObject objectAt(const QJsonValue& value, const QString& at) {
    if (!value.isObject())
        reject(at, QStringLiteral("must be an object"));
    return value.toObject();
}

// "07 5b 01 ..." -> 1 to `most` bytes.
QByteArray hexPayload(const QJsonValue& value, const QString& at, int most) {
    QByteArray digits = value.toString().toLatin1();
    digits.replace(' ', QByteArray());
    const bool hex =
        std::all_of(digits.begin(), digits.end(), [](char c) { return std::isxdigit(uchar(c)); });
    if (!value.isString() || !hex || digits.isEmpty() || digits.size() % 2 != 0 ||
        digits.size() > 2 * most)
        reject(at, QStringLiteral("must be 1 to %1 hexadecimal bytes").arg(most));
    return QByteArray::fromHex(digits);
}

// The same, missing bytes up to N are 0.
template <std::size_t N>
std::array<quint8, N> hexBytes(const QJsonValue& value, const QString& at) {
    const QByteArray bytes = hexPayload(value, at, int(N));
    std::array<quint8, N> out{};
    std::copy(bytes.begin(), bytes.end(), out.begin());
    return out;
}

bool flag(const QJsonObject& object, const QString& at, const char* key) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isUndefined() && !value.isBool())
        reject(member(at, QLatin1String(key)), QStringLiteral("must be true or false"));
    return value.toBool();
}

QString deviceName(const QJsonObject& object, const QString& at) {
    const QJsonValue value = object.value(QLatin1String("name"));
    if (value.isUndefined())
        return {};
    const qsizetype bytes = value.toString().toUtf8().size();
    if (!value.isString() || bytes < 1 || bytes > BleScenario::kMaxName)
        reject(member(at, QStringLiteral("name")),
               QStringLiteral("must be a text of 1 to %1 bytes").arg(BleScenario::kMaxName));
    return value.toString();
}

BleScenario bleScenarioFrom(const QJsonValue& value) {
    const QString at = QStringLiteral("bluetooth");
    const QJsonObject o = objectAt(value, at);
    onlyKeys(o, at, {"name", "measurements", "feature", "controlPoint", "faults"});
    BleScenario s;
    s.name = deviceName(o, at);
    const QJsonArray items = array(o, at, "measurements");
    for (qsizetype i = 0; i < items.size(); ++i)
        s.measurements.push_back(hexPayload(items[i],
                                            element(member(at, QStringLiteral("measurements")), i),
                                            BleScenario::kMaxPayload));
    s.feature = quint16(number(o, at, "feature", 0, 0, 0xFFFF));
    s.controlPoint = !o.contains(QLatin1String("controlPoint")) || flag(o, at, "controlPoint");
    const QString faultsAt = member(at, QStringLiteral("faults"));
    const QJsonValue faultsValue = o.value(QLatin1String("faults"));
    const QJsonObject faults =
        faultsValue.isUndefined() ? QJsonObject() : objectAt(faultsValue, faultsAt);
    onlyKeys(faults, faultsAt, {"noMonitor", "indicationsRefused", "dropAfter"});
    s.noMonitor = flag(faults, faultsAt, "noMonitor");
    s.indicationsRefused = flag(faults, faultsAt, "indicationsRefused");
    s.dropAfter = number(faults, faultsAt, "dropAfter", -1, 0, 1 << 20);
    return s;
}

Record recordFrom(const QJsonValue& value, const QString& at) {
    if (!value.isObject())
        return hexBytes<8>(value, at);
    const QJsonObject o = value.toObject();
    onlyKeys(o, at, {"month", "day", "hour", "minute", "systolic", "diastolic", "pulse"});
    return reading(number(o, at, "month", 1, 0, 255), number(o, at, "day", 1, 0, 255),
                   number(o, at, "hour", 0, 0, 255), number(o, at, "minute", 0, 0, 255),
                   number(o, at, "systolic", 0, 0, 511), number(o, at, "diastolic", 0, 0, 255),
                   number(o, at, "pulse", 0, 0, 255));
}

std::vector<Record> memoryFrom(const QJsonObject& root, const char* key) {
    const QJsonArray items = array(root, QString(), key);
    if (items.size() > kMaxRecords)
        reject(QLatin1String(key), QStringLiteral("holds more than 255 records"));
    std::vector<Record> records;
    for (qsizetype i = 0; i < items.size(); ++i)
        records.push_back(recordFrom(items[i], element(QLatin1String(key), i)));
    return records;
}

quint8 layoutFrom(const QJsonValue& value) {
    if (value.isUndefined() || value == QLatin1String("two"))
        return kLayoutTwo;
    if (value == QLatin1String("one"))
        return kLayoutOne;
    if (value.isDouble() && value.toDouble() == value.toInt() && value.toInt() >= 0 &&
        value.toInt() <= 255)
        return quint8(value.toInt());
    reject(QStringLiteral("layout"),
           QStringLiteral("must be \"one\", \"two\" or a whole number from 0 to 255"));
}

OpenFailure openFailureFrom(const QJsonValue& value) {
    if (value.isUndefined() || value == QLatin1String("noMonitor"))
        return OpenFailure::NoDevice;
    if (value == QLatin1String("severalMonitors"))
        return OpenFailure::SeveralDevices;
    if (value == QLatin1String("noAccess"))
        return OpenFailure::NoAccess;
    reject(QStringLiteral("faults.openFailureReason"),
           QStringLiteral("must be \"noMonitor\", \"severalMonitors\" or \"noAccess\""));
}

// Each entry of faults[key], an object with only the given keys, read by `parse`.
template <class T, class Parse>
std::vector<T> listFrom(const QJsonObject& faults, const char* key,
                        std::initializer_list<const char*> keys, Parse parse) {
    const QString at = member(QStringLiteral("faults"), QLatin1String(key));
    const QJsonArray items = array(faults, QStringLiteral("faults"), key);
    std::vector<T> list;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString where = element(at, i);
        const QJsonObject item = objectAt(items[i], where);
        onlyKeys(item, where, keys);
        list.push_back(parse(item, where));
    }
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
    if (error.error != QJsonParseError::NoError) {
        const QByteArray before = json.left(error.offset);
        throw ScenarioError(QStringLiteral("at line %1, column %2: %3")
                                .arg(before.count('\n') + 1)
                                .arg(error.offset - before.lastIndexOf('\n'))
                                .arg(error.errorString())
                                .toStdString());
    }
    const QJsonObject root =
        objectAt(document.isObject() ? QJsonValue(document.object()) : QJsonValue(),
                 QStringLiteral("the top"));
    onlyKeys(root, QString(), {"layout", "memory1", "memory2", "reports", "faults", "bluetooth"});
    Scenario s;
    if (root.contains(QLatin1String("bluetooth"))) {
        if (root.size() > 1)
            reject(QStringLiteral("bluetooth"), QStringLiteral("takes no USB keys beside it"));
        s.bluetooth = bleScenarioFrom(root.value(QLatin1String("bluetooth")));
        return s;
    }
    s.layout = layoutFrom(root.value(QLatin1String("layout")));
    s.memory1 = memoryFrom(root, "memory1");
    s.memory2 = memoryFrom(root, "memory2");
    const QJsonArray reports = array(root, QString(), "reports");
    for (qsizetype i = 0; i < reports.size(); ++i) {
        const auto bytes =
            hexBytes<kReportSize - 1>(reports[i], element(QStringLiteral("reports"), i));
        Report report{};
        std::copy(bytes.begin(), bytes.end(), report.begin() + 1);
        s.reports.push_back(report);
    }

    const QJsonValue faultsValue = root.value(QLatin1String("faults"));
    const QJsonObject faults =
        faultsValue.isUndefined() ? QJsonObject() : objectAt(faultsValue, QStringLiteral("faults"));
    const QString at = QStringLiteral("faults");
    onlyKeys(faults, at,
             {"openFailures", "openFailureReason", "writeFailures", "readTimeouts", "emptyReports",
              "badCounts", "disconnectAfter"});
    constexpr int kMany = 1 << 20;
    s.openFailures = number(faults, at, "openFailures", 0, 0, kMany);
    s.openFailureReason = openFailureFrom(faults.value(QLatin1String("openFailureReason")));
    s.disconnectAfter = number(faults, at, "disconnectAfter", -1, 1, kMany);
    s.writeFailures = listFrom<WriteFault>(
        faults, "writeFailures", {"command", "from", "times"},
        [](const QJsonObject& o, const QString& where) {
            const QJsonValue command = o.value(QLatin1String("command"));
            if (command != QLatin1String("5A") && command != QLatin1String("FF"))
                reject(member(where, QStringLiteral("command")),
                       QStringLiteral("must be \"5A\" or \"FF\""));
            return WriteFault{quint8(command == QLatin1String("5A") ? 0x5A : 0xFF),
                              number(o, where, "from", 1, 1, kMany),
                              number(o, where, "times", 1, 0, kMany)};
        });
    s.readTimeouts = listFrom<ReadFault>(
        faults, "readTimeouts", {"from", "times"}, [](const QJsonObject& o, const QString& where) {
            return ReadFault{number(o, where, "from", 1, 1, kMany),
                             number(o, where, "times", 1, 0, kMany)};
        });
    s.extraReports =
        listFrom<ExtraReports>(faults, "emptyReports", {"before", "times"},
                               [](const QJsonObject& o, const QString& where) {
                                   return ExtraReports{number(o, where, "before", 0, 0, kMany),
                                                       number(o, where, "times", 1, 0, kMany), 0};
                               });
    const auto broken = listFrom<ExtraReports>(
        faults, "badCounts", {"before", "times", "count"},
        [](const QJsonObject& o, const QString& where) {
            return ExtraReports{number(o, where, "before", 0, 0, kMany),
                                number(o, where, "times", 1, 0, kMany),
                                quint8(number(o, where, "count", 8, 0, 255))};
        });
    s.extraReports.insert(s.extraReports.end(), broken.begin(), broken.end());
    return s;
}

} // namespace device
