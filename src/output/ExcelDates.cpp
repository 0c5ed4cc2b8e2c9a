#include "output/ExcelDates.h"

#include "store/FieldValue.h"

#include <QDateTime>

namespace output {

namespace {

constexpr qint64 julianDayOfZero = 2415019; // 1899-12-30
const QDate firstDate(1900, 3, 1);

std::optional<double> serialOf(const QDate& date, const QTime& time) {
    if (!date.isValid() || date < firstDate || !time.isValid())
        return std::nullopt;
    return double(date.toJulianDay() - julianDayOfZero) + time.msecsSinceStartOfDay() / 86400000.0;
}

// The spreadsheet form of a run of one Qt pattern letter.
QString excelRun(QChar letter, int count) {
    switch (letter.unicode()) {
    case u'd':
        return QString(qMin(count, 4), u'd');
    case u'M':
        return QString(qMin(count, 4), u'm');
    case u'y':
        return count >= 3 ? QStringLiteral("yyyy") : QStringLiteral("yy");
    case u'h':
    case u'H':
        return QString(qMin(count, 2), u'h');
    case u'm':
        return QString(qMin(count, 2), u'm');
    case u's':
        return QString(qMin(count, 2), u's');
    case u'z':
        return QStringLiteral("000");
    case u'A':
        return QStringLiteral("AM/PM");
    case u'a':
        return QStringLiteral("am/pm");
    case u't':
        return {};
    default:
        return {};
    }
}

void appendLiteral(QString& format, QChar character) {
    static const QString plain = QStringLiteral("-/:., ()");
    if (!plain.contains(character))
        format += QLatin1Char('\\');
    format += character;
}

} // namespace

std::optional<double> excelSerial(const QVariant& value) {
    const QDateTime moment = store::FieldValue::wallClock(value);
    if (!moment.isValid())
        return std::nullopt;
    return serialOf(moment.date(), moment.time());
}

QString excelDateFormat(const QString& qtPattern) {
    static const QString letters = QStringLiteral("dMyhHmszAat");
    QString format;
    for (int index = 0; index < qtPattern.size();) {
        const QChar character = qtPattern[index];
        if (character == QLatin1Char('\'')) {
            const int close = qtPattern.indexOf(QLatin1Char('\''), index + 1);
            const int stop = close < 0 ? int(qtPattern.size()) : close;
            if (stop == index + 1)
                appendLiteral(format, character); // '' is a quote
            for (int literal = index + 1; literal < stop; ++literal)
                appendLiteral(format, qtPattern[literal]);
            index = stop + 1;
            continue;
        }
        int end = index + 1;
        while (end < qtPattern.size() && qtPattern[end] == character)
            ++end;
        if (letters.contains(character)) {
            // AP and ap are one marker.
            if ((character == QLatin1Char('A') || character == QLatin1Char('a')) &&
                end < qtPattern.size() && qtPattern[end].toLower() == QLatin1Char('p'))
                ++end;
            format += excelRun(character, end - index);
        } else {
            for (int literal = index; literal < end; ++literal)
                appendLiteral(format, character);
        }
        index = end;
    }
    return format;
}

} // namespace output
