#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace device {

// The report numbers a HID device puts in front of its input and output reports;
// 0 when its reports carry none.
struct ReportIds {
    quint8 input = 0;
    quint8 output = 0;
};

// Reads them from a HID report descriptor: the Report ID in force at the first Input
// and at the first Output item. Malformed descriptors give what was read up to the fault.
ReportIds reportIds(const QByteArray& descriptor);

// The report descriptor of the device behind a hidraw node ("/dev/hidraw3"), from
// sysfs; empty when it cannot be read.
QByteArray hidrawReportDescriptor(const QString& devicePath);

} // namespace device
