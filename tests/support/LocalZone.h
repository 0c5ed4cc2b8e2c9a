#pragma once

#include <QByteArray>
#include <QtGlobal>

// Makes zone the local time zone while it lives.
class LocalZone {
public:
    explicit LocalZone(const char* zone) : previous_(qgetenv("TZ")) { qputenv("TZ", zone); }
    ~LocalZone() { previous_.isNull() ? qunsetenv("TZ") : qputenv("TZ", previous_); }
    LocalZone(const LocalZone&) = delete;
    LocalZone& operator=(const LocalZone&) = delete;

private:
    QByteArray previous_;
};
