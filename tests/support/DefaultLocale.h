#pragma once

#include <QLocale>

// Dates read and show in the given locale until the end of the scope.
class DefaultLocale {
public:
    explicit DefaultLocale(const char* name) { QLocale::setDefault(QLocale(name)); }
    ~DefaultLocale() { QLocale::setDefault(previous_); }
    DefaultLocale(const DefaultLocale&) = delete;
    DefaultLocale& operator=(const DefaultLocale&) = delete;

private:
    QLocale previous_;
};
