#include "readings/DateText.h"

namespace readings::datetext {

namespace {

class Scanner {
public:
    explicit Scanner(QStringView text) : text_(text) {}

    bool atEnd() const { return at_ >= text_.size(); }
    qsizetype position() const { return at_; }
    QStringView rest() const { return text_.mid(at_); }
    QChar peek() const { return atEnd() ? QChar() : text_[at_]; }

    // A number of minDigits to maxDigits ASCII digits; digits holds how many were read.
    std::optional<int> number(int minDigits, int maxDigits, int* digits = nullptr) {
        int value = 0, count = 0;
        while (count < maxDigits && !atEnd() && peek().isDigit() && peek().unicode() < 128) {
            value = value * 10 + (peek().unicode() - '0');
            ++at_;
            ++count;
        }
        if (count < minDigits)
            return std::nullopt;
        if (digits)
            *digits = count;
        return value;
    }
    bool take(QChar c) {
        if (peek() != c)
            return false;
        ++at_;
        return true;
    }
    bool takeAnyCase(QStringView word) {
        if (word.isEmpty() || !rest().startsWith(word, Qt::CaseInsensitive))
            return false;
        at_ += word.size();
        return true;
    }
    bool skipBlanks() {
        const qsizetype start = at_;
        while (!atEnd() && isBlank(peek()))
            ++at_;
        return at_ > start;
    }

private:
    QStringView text_;
    qsizetype at_ = 0;
};

// 12 AM is midnight, 12 PM noon.
std::optional<int> withMarker(int hour, bool pm) {
    if (hour < 1 || hour > 12)
        return std::nullopt;
    return hour % 12 + (pm ? 12 : 0);
}

std::optional<bool> marker(Scanner& in, QStringView am, QStringView pm) {
    for (const auto& [word, isPm] :
         {std::pair{am, false}, std::pair{pm, true}, std::pair{QStringView(u"a.m."), false},
          std::pair{QStringView(u"p.m."), true}, std::pair{QStringView(u"am"), false},
          std::pair{QStringView(u"pm"), true}})
        if (in.takeAnyCase(word))
            return isPm;
    return std::nullopt;
}

std::optional<int> offset(Scanner& in) {
    if (in.take(u'Z'))
        return 0;
    const int sign = in.take(u'+') ? 1 : in.take(u'-') ? -1 : 0;
    if (sign == 0)
        return std::nullopt;
    const auto hours = in.number(2, 2);
    if (!hours || *hours > 14)
        return std::nullopt;
    int minutes = 0;
    if (!in.atEnd()) {
        in.take(u':');
        const auto read = in.number(2, 2);
        if (!read || *read > 59)
            return std::nullopt;
        minutes = *read;
    }
    return sign * (*hours * 3600 + minutes * 60);
}

} // namespace

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == QChar(0x00A0) || c == QChar(0x202F);
}

std::optional<NumericDate> numericDate(QStringView text) {
    Scanner in(text);
    NumericDate date;
    const auto first = in.number(1, 4, &date.firstDigits);
    date.separator = in.peek();
    if (!first || (date.separator != u'-' && date.separator != u'/' && date.separator != u'.'))
        return std::nullopt;
    in.take(date.separator);
    const auto second = in.number(1, 2);
    if (!second || !in.take(date.separator))
        return std::nullopt;
    const auto third = in.number(1, 4, &date.thirdDigits);
    if (!third)
        return std::nullopt;
    date.first = *first;
    date.second = *second;
    date.third = *third;
    date.end = in.position();
    return date;
}

std::optional<ClockTime> clockTime(QStringView text, QStringView am, QStringView pm) {
    Scanner in(text);
    const auto hour = in.number(1, 2);
    if (!hour || !in.take(u':'))
        return std::nullopt;
    const auto minute = in.number(2, 2);
    if (!minute)
        return std::nullopt;
    int second = 0, millisecond = 0;
    if (in.take(u':')) {
        const auto read = in.number(2, 2);
        if (!read)
            return std::nullopt;
        second = *read;
        if (in.take(u'.') || in.take(u',')) {
            int digits = 0;
            const auto fraction = in.number(1, 3, &digits);
            if (!fraction)
                return std::nullopt;
            while (in.number(1, 1)) // beyond milliseconds
                ;
            millisecond = *fraction * (digits == 1 ? 100 : digits == 2 ? 10 : 1);
        }
    }
    in.skipBlanks();
    std::optional<int> hour24 = *hour;
    if (const auto pmMarker = marker(in, am, pm)) {
        hour24 = withMarker(*hour, *pmMarker);
        in.skipBlanks();
    }
    ClockTime clock;
    if (!in.atEnd()) {
        clock.offsetSeconds = offset(in);
        if (!clock.offsetSeconds || !in.atEnd())
            return std::nullopt;
    }
    if (!hour24)
        return std::nullopt;
    clock.time = QTime(*hour24, *minute, second, millisecond);
    if (!clock.time.isValid())
        return std::nullopt;
    return clock;
}

std::optional<qint64> integer(QStringView text) {
    const bool negative = text.startsWith(u'-');
    const QStringView digits = negative ? text.mid(1) : text;
    if (digits.isEmpty() || digits.size() > 18)
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return negative ? -value : value;
}

} // namespace readings::datetext
