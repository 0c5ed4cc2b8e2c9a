#include "measure/AnalysisQuery.h"

#include "store/DateFormat.h"

#include <QLocale>

namespace measure {

namespace {

// The parts in which the day, week and month texts differ. The period is a text that
// sorts in calendar order: "2011-03-02" for a day, the Saturday that ends the week
// (Sunday to Saturday, so a week across New Year stays one) for a week, "2011-03" for
// a month.
struct AveragePieces {
    const char* select;
    const char* period;
};

AveragePieces averagePieces(AnalysisMode mode) {
    switch (mode) {
    case AnalysisMode::Day:
        return {"select delselection,personal,round(avg(systolic),0) as "
                "systolic,round(avg(diastolic),0) as diastolic, round(avg(heart_beat),0) as "
                "heart_beat,",
                "format(checktime,'yyyy-MM-dd')"};
    case AnalysisMode::Week:
        return {"select delselection,personal,round(avg(systolic),0) as "
                "systolic,round(avg(diastolic),0) as diastolic,round(avg(heart_beat),0) as "
                "heart_beat,",
                "format(DateAdd('d',7-DatePart('w',checktime),checktime),'yyyy-MM-dd')"};
    default: // the month result selects no name
        return {"select delselection,round(avg(systolic),0) as systolic,round(avg(diastolic),0) "
                "as diastolic,round(avg(heart_beat),0) as heart_beat,",
                "format(checktime,'yyyy-MM')"};
    }
}

} // namespace

QString modeKey(AnalysisMode mode) {
    switch (mode) {
    case AnalysisMode::Time:
        return QStringLiteral("time");
    case AnalysisMode::Day:
        return QStringLiteral("day");
    case AnalysisMode::Week:
        return QStringLiteral("week");
    case AnalysisMode::Month:
        return QStringLiteral("month");
    }
    return {};
}

std::optional<AnalysisMode> modeFromKey(const QString& key) {
    for (AnalysisMode mode :
         {AnalysisMode::Time, AnalysisMode::Day, AnalysisMode::Week, AnalysisMode::Month}) {
        if (modeKey(mode) == key)
            return mode;
    }
    return std::nullopt;
}

QString personQuery() {
    return QStringLiteral("select delselection,personal,systolic,diastolic,heart_beat,checktime,"
                          "measurement_status from bp_record  where personal=:a1 order by "
                          "personal,checktime,delselection");
}

QString boundText(const QDate& date) {
    return QStringLiteral("%1-%2-%3").arg(date.year()).arg(date.month()).arg(date.day());
}

QString analysisQuery(AnalysisMode mode, const QDate& start, const QDate& end) {
    const QString from = boundText(start);
    const QString to = boundText(end.addDays(1));
    if (mode == AnalysisMode::Time)
        return "select delselection,personal,systolic,diastolic,heart_beat,checktime,"
               "measurement_status from bp_record  where checktime>=#" +
               from + "#" + " and checktime<" + "#" + to + "#" +
               " and personal=:a1 order by personal,checktime,delselection";
    const AveragePieces p = averagePieces(mode);
    return p.select + QString(p.period) + " as checktime  from bp_record where checktime>=" + "#" +
           from + "#" + " and checktime<" + "#" + to + "#" +
           " and personal=:a1 group by delselection,personal," + p.period + " order by personal," +
           p.period + ",delselection";
}

ShortDateFormat::ShortDateFormat(const QString& systemFormat)
    : systemFormat_(systemFormat), format_(store::withFourDigitYear(systemFormat)) {}

ShortDateFormat ShortDateFormat::system() {
    return ShortDateFormat(QLocale::system().dateFormat(QLocale::ShortFormat));
}

QString ShortDateFormat::write(const QDate& date) const {
    return QLocale().toString(date, format_);
}

std::optional<QDate> ShortDateFormat::read(const QString& text) const {
    const QDate date = QLocale().toDate(text, format_);
    return date.isValid() ? std::optional(date) : std::nullopt;
}

QString ShortDateFormat::pattern() const {
    const QString probe = QLocale().toString(QDate(2009, 12, 31), systemFormat_);
    const QString separator = probe.mid(2, 1);
    if (probe.startsWith(QLatin1String("31")))
        return "dd" + separator + "MM" + separator + "yyyy";
    if (probe.startsWith(QLatin1String("12")))
        return "MM" + separator + "dd" + separator + "yyyy";
    return QStringLiteral("yyyy-MM-dd");
}

} // namespace measure
