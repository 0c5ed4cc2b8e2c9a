#include "ReportIds.h"

#include <QFile>
#include <QFileInfo>
#include <optional>

namespace device {

namespace {

// Short items: bits 7-4 tag, 3-2 type, 1-0 size (3 means 4 bytes).
constexpr quint8 kItemMask = 0xFC;
constexpr quint8 kReportIdItem = 0x84; // global item, tag 8
constexpr quint8 kInputItem = 0x80;    // main item, tag 8
constexpr quint8 kOutputItem = 0x90;   // main item, tag 9
constexpr quint8 kLongItem = 0xFE;     // then its data size and its tag

} // namespace

ReportIds reportIds(const QByteArray& descriptor) {
    const auto byte = [&](qsizetype at) { return quint8(descriptor.at(at)); };
    quint8 current = 0;
    std::optional<quint8> input;
    std::optional<quint8> output;
    for (qsizetype at = 0; at < descriptor.size();) {
        const quint8 prefix = byte(at);
        if (prefix == kLongItem) {
            if (at + 1 >= descriptor.size())
                break;
            at += 3 + byte(at + 1);
            continue;
        }
        const int size = (prefix & 3) == 3 ? 4 : prefix & 3;
        const quint8 item = prefix & kItemMask;
        if (item == kReportIdItem && size >= 1 && at + 1 < descriptor.size())
            current = byte(at + 1);
        else if (item == kInputItem && !input)
            input = current;
        else if (item == kOutputItem && !output)
            output = current;
        at += 1 + size;
    }
    return {input.value_or(0), output.value_or(0)};
}

QByteArray hidrawReportDescriptor(const QString& devicePath) {
    QFile file(QStringLiteral("/sys/class/hidraw/%1/device/report_descriptor")
                   .arg(QFileInfo(devicePath).fileName()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace device
