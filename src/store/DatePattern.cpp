#include "store/DatePattern.h"

namespace store {

namespace {

bool isPatternLetter(QChar c) {
    return c.isLetter() && c.unicode() < 128;
}

void appendNumber(QString& out, int value, int width) {
    if (value < 0) {
        out += u'-';
        value = -value;
    }
    char16_t digits[12];
    int count = 0;
    do {
        digits[count++] = char16_t(u'0' + value % 10);
        value /= 10;
    } while (value > 0);
    for (int pad = count; pad < width; ++pad)
        out += u'0';
    while (count > 0)
        out += QChar(digits[--count]);
}

} // namespace

DatePattern::DatePattern(const QString& pattern, const QLocale& locale)
    : pattern_(pattern), locale_(locale) {
    // Digits other than 0-9 are the locale's business.
    if (locale_.zeroDigit() != QStringLiteral("0"))
        parts_.append({Kind::Other, 1, pattern_});
    else
        read();
}

void DatePattern::read() {
    const bool twelveHour =
        pattern_.contains(u'a', Qt::CaseSensitive) || pattern_.contains(u'A', Qt::CaseSensitive);
    QString literal;
    auto flushLiteral = [&] {
        if (!literal.isEmpty())
            parts_.append({Kind::Literal, 1, literal});
        literal.clear();
    };
    for (qsizetype i = 0; i < pattern_.size();) {
        const QChar c = pattern_[i];
        if (c == u'\'') {
            // Quoted text; '' stands for a quote, inside quotes or out.
            if (i + 1 < pattern_.size() && pattern_[i + 1] == u'\'') {
                literal += u'\'';
                i += 2;
                continue;
            }
            for (++i; i < pattern_.size(); ++i) {
                if (pattern_[i] != u'\'')
                    literal += pattern_[i];
                else if (i + 1 < pattern_.size() && pattern_[i + 1] == u'\'')
                    literal += pattern_[++i];
                else
                    break;
            }
            ++i;
            continue;
        }
        if (!isPatternLetter(c)) {
            literal += c;
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < pattern_.size() && pattern_[j] == c)
            ++j;
        flushLiteral();
        int count = int(j - i);
        // "ap" and "AP" are one marker, as are "a" and "A".
        if ((c == u'a' || c == u'A') && j < pattern_.size() &&
            pattern_[j] == (c == u'a' ? u'p' : u'P'))
            ++j, count = 2;
        addRun(c, count, twelveHour);
        i = j;
    }
    flushLiteral();
}

void DatePattern::addRun(QChar letter, int count, bool twelveHour) {
    switch (letter.unicode()) {
    case u'd':
        if (count <= 2)
            return parts_.append({Kind::Day, count, {}});
        break;
    case u'M':
        if (count <= 2)
            return parts_.append({Kind::Month, count, {}});
        break;
    case u'y':
        if (count == 2 || count == 4)
            return parts_.append({Kind::Year, count, {}});
        break;
    case u'h':
        if (count <= 2)
            return parts_.append({twelveHour ? Kind::Hour12 : Kind::Hour24, count, {}});
        break;
    case u'H':
        if (count <= 2)
            return parts_.append({Kind::Hour24, count, {}});
        break;
    case u'm':
        if (count <= 2)
            return parts_.append({Kind::Minute, count, {}});
        break;
    case u's':
        if (count <= 2)
            return parts_.append({Kind::Second, count, {}});
        break;
    case u'a':
    case u'A':
        upperAmPm_ = letter == u'A';
        return parts_.append({Kind::AmPm, count, {}});
    }
    const QString run(count, letter);
    // Names of months and days are looked up once; 2001-01-01 was a Monday.
    if (letter == u'M' || letter == u'd') {
        QStringList names;
        for (int index = 1; index <= (letter == u'M' ? 12 : 7); ++index)
            names.append(locale_.toString(
                letter == u'M' ? QDate(2001, index, 1) : QDate(2001, 1, index), run));
        return parts_.append({letter == u'M' ? Kind::MonthName : Kind::DayName, count, run, names});
    }
    parts_.append({letter == u'y' ? Kind::DateText : Kind::Other, count, run});
}

QString DatePattern::format(const QDateTime& moment) const {
    const QDate date = moment.date();
    const QTime time = moment.time();
    QString out;
    out.reserve(pattern_.size() + 8);
    for (const Part& part : parts_) {
        switch (part.kind) {
        case Kind::Literal:
            out += part.text;
            break;
        case Kind::Day:
            appendNumber(out, date.day(), part.width);
            break;
        case Kind::Month:
            appendNumber(out, date.month(), part.width);
            break;
        case Kind::Year:
            appendNumber(out, part.width == 2 ? date.year() % 100 : date.year(), part.width);
            break;
        case Kind::Hour24:
            appendNumber(out, time.hour(), part.width);
            break;
        case Kind::Hour12:
            appendNumber(out, time.hour() % 12 == 0 ? 12 : time.hour() % 12, part.width);
            break;
        case Kind::Minute:
            appendNumber(out, time.minute(), part.width);
            break;
        case Kind::Second:
            appendNumber(out, time.second(), part.width);
            break;
        case Kind::AmPm: {
            const QString text = time.hour() < 12 ? locale_.amText() : locale_.pmText();
            out += upperAmPm_ ? text.toUpper() : text.toLower();
            break;
        }
        case Kind::MonthName:
            out += part.names.value(date.month() - 1);
            break;
        case Kind::DayName:
            out += part.names.value(date.dayOfWeek() - 1);
            break;
        case Kind::DateText:
            out += locale_.toString(date, part.text);
            break;
        case Kind::Other:
            out += locale_.toString(QDateTime(date, time), part.text);
            break;
        }
    }
    return out;
}

} // namespace store
