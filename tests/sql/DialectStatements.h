#pragma once

#include <QString>

// Statement texts exactly as the application builds them, in the original dialect.
namespace dialect {

// Removes from a scratch table the readings that bp_record already holds.
inline QString joinedDelete(const QString& scratchTable) {
    return QStringLiteral(
               "delete a.* from  bp_record_user1 a,(select a.personal,a.systolic,a.diastolic,"
               "a.heart_beat,a.checktime,a.checktime_mmdd,a.checktime_hhmm from bp_record_user1 "
               "a,bp_record b  where a.personal=b.personal and a.systolic=b.systolic and "
               "a.diastolic=b.diastolic and a.heart_beat=b.heart_beat  and "
               "a.checktime=b.checktime) b  where a.personal=b.personal and "
               "a.systolic=b.systolic and a.diastolic=b.diastolic and a.heart_beat=b.heart_beat "
               " and a.checktime=b.checktime ")
        .replace(QStringLiteral("bp_record_user1"), scratchTable);
}

// Copies every reading of a scratch table into bp_record.
inline QString copyToRecord(const QString& scratchTable) {
    return QStringLiteral("insert into "
                          "bp_record(personal,systolic,diastolic,heart_beat,checktime,checktime_"
                          "mmdd,checktime_hhmm)  select a.personal,a.systolic,a.diastolic,a."
                          "heart_beat,a.checktime,a.checktime_mmdd,a.checktime_hhmm from "
                          "bp_record_user1 a")
        .replace(QStringLiteral("bp_record_user1"), scratchTable);
}

// The readings of person :a1 from `start` inclusive to `end` exclusive (bounds "2011-3-1").
inline QString timeQuery(const QString& start, const QString& end) {
    return "select delselection,personal,systolic,diastolic,heart_beat,checktime from "
           "bp_record  where checktime>=#" +
           start + "#" + " and checktime<" + "#" + end + "#" +
           " and personal=:a1 order by personal,checktime,delselection";
}

// Averages per period; the pieces differ by mode, the shape is shared.
struct AveragePieces {
    QString head, period, as, groupBy, orderBy, tail;
};

inline QString averageQuery(const AveragePieces& p, const QString& start, const QString& end) {
    return p.head + p.period + p.as + " from bp_record where checktime>=" + "#" + start + "#" +
           " and checktime<" + "#" + end + "#" + " and personal=:a1" + p.groupBy + p.period +
           p.orderBy + p.period + p.tail;
}

inline QString dayQuery(const QString& pattern, const QString& start, const QString& end) {
    return averageQuery(
        {"select delselection,personal,round(avg(systolic),0) as systolic,round(avg(diastolic),0) "
         "as diastolic, round(avg(heart_beat),0) as heart_beat,format(checktime,",
         "'" + pattern + "'", ") as checktime ",
         " group by delselection,personal,format(checktime,",
         ") order by personal,format(checktime,", "),delselection"},
        start, end);
}

inline QString weekQuery(const QString& start, const QString& end) {
    return averageQuery(
        {"select delselection,personal,round(avg(systolic),0) as systolic,round(avg(diastolic),0) "
         "as diastolic,round(avg(heart_beat),0) as heart_beat,DatePart(",
         "'ww'", ",checktime) as checktime ", " group by delselection,personal,DatePart(",
         ",checktime) order by personal,DatePart(", ",checktime),delselection"},
        start, end);
}

inline QString monthQuery(const QString& start, const QString& end) {
    return averageQuery({"select delselection,round(avg(systolic),0) as "
                         "systolic,round(avg(diastolic),0) as diastolic,round(avg(heart_beat),0) "
                         "as heart_beat,DatePart(",
                         "'m'", ",checktime) as checktime ",
                         " group by delselection,personal,DatePart(",
                         ",checktime) order by personal,DatePart(", ",checktime),delselection"},
                        start, end);
}

} // namespace dialect
