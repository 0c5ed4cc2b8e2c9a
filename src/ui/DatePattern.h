#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QVector>

namespace ui {

// A Qt date/time pattern read once, so that many moments are written quickly, each in the
// same text as QLocale::toString(moment, pattern) gives.
class DatePattern {
public:
    DatePattern() = default;
    DatePattern(const QString& pattern, const QLocale& locale);

    const QString& pattern() const { return pattern_; }
    QString format(const QDateTime& moment) const;

private:
    enum class Kind { Literal, Day, Month, Year, Hour24, Hour12, Minute, Second, AmPm, Other };
    struct Part {
        Kind kind;
        int width = 1;
        QString text; // the literal, or the pattern run handed to QLocale for Other
    };

    void read();
    void addRun(QChar letter, int count, bool twelveHour);

    QString pattern_;
    QLocale locale_;
    QVector<Part> parts_;
    bool upperAmPm_ = true;
};

} // namespace ui
