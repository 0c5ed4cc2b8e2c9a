#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace measure {

// What an analysis lists: the stored readings of a range, or their averages per
// calendar day, per week of the year or per month. The values are the item indexes
// of the dialog's radio group.
enum class AnalysisMode { Time = 0, Day = 1, Week = 2, Month = 3 };

// The key that names a mode between the dialog and the page: "time", "day", "week",
// "month".
QString modeKey(AnalysisMode mode);
std::optional<AnalysisMode> modeFromKey(const QString& key);

// A person's readings, the person's name bound to :a1.
QString personQuery();

// The query of an analysis of person :a1 from start to end, both days included. The
// averages carry their period in checktime as a text in calendar order (see
// PeriodLabels), one row per period and deletion mark.
QString analysisQuery(AnalysisMode mode, const QDate& start, const QDate& end);

// A range bound as the query writes it: year-month-day without leading zeros.
QString boundText(const QDate& date);

// Dates as texts in the system's short date format. The year is always written with
// four digits, so every text reads back as the date it was written from.
class ShortDateFormat {
public:
    explicit ShortDateFormat(const QString& systemFormat);
    static ShortDateFormat system();

    QString write(const QDate& date) const;
    std::optional<QDate> read(const QString& text) const;

    // 31 December 2009 written with the format gives the order and the separator:
    // "dd.MM.yyyy" and "MM/dd/yyyy" style for day or month first, else "yyyy-MM-dd".
    QString pattern() const;

private:
    QString systemFormat_;
    QString format_;
};

} // namespace measure
