#pragma once

#include <QString>

// Statement texts exactly as the application builds them, in the original dialect.
namespace dialect {

// Removes from a scratch table the readings that bp_record already holds.
inline QString joinedDelete(const QString& scratchTable) {
    return QStringLiteral(
               "delete a.* from  bp_record_user1 a,(select a.personal,a.systolic,a.diastolic,"
               "a.heart_beat,a.checktime,a.checktime_mmdd,a.checktime_hhmm,a.measurement_status "
               "from "
               "bp_record_user1 "
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
                          "mmdd,checktime_hhmm,measurement_status)  select a.personal,a.systolic,"
                          "a.diastolic,a.heart_beat,a.checktime,a.checktime_mmdd,a.checktime_hhmm,"
                          "a.measurement_status from bp_record_user1 a")
        .replace(QStringLiteral("bp_record_user1"), scratchTable);
}

// The readings of person :a1 from `start` inclusive to `end` exclusive (bounds "2011-3-1").
inline QString timeQuery(const QString& start, const QString& end) {
    return "select delselection,personal,systolic,diastolic,heart_beat,checktime,"
           "measurement_status from bp_record  where checktime>=#" +
           start + "#" + " and checktime<" + "#" + end + "#" +
           " and personal=:a1 order by personal,checktime,delselection";
}

// Averages per period; the select list and the period differ by mode, the shape is
// shared. The period is a text in calendar order.
inline QString averageQuery(const QString& head, const QString& period, const QString& start,
                            const QString& end) {
    return head + period + " as checktime  from bp_record where checktime>=" + "#" + start + "#" +
           " and checktime<" + "#" + end + "#" +
           " and personal=:a1 group by delselection,personal," + period + " order by personal," +
           period + ",delselection";
}

inline QString dayQuery(const QString& start, const QString& end) {
    return averageQuery(
        "select delselection,personal,round(avg(systolic),0) as systolic,round(avg(diastolic),0) "
        "as diastolic, round(avg(heart_beat),0) as heart_beat,",
        "format(checktime,'yyyy-MM-dd')", start, end);
}

// A week runs from Sunday to Saturday and is named by its Saturday.
inline QString weekQuery(const QString& start, const QString& end) {
    return averageQuery(
        "select delselection,personal,round(avg(systolic),0) as systolic,round(avg(diastolic),0) "
        "as diastolic,round(avg(heart_beat),0) as heart_beat,",
        "format(DateAdd('d',7-DatePart('w',checktime),checktime),'yyyy-MM-dd')", start, end);
}

inline QString monthQuery(const QString& start, const QString& end) {
    return averageQuery("select delselection,round(avg(systolic),0) as "
                        "systolic,round(avg(diastolic),0) as diastolic,round(avg(heart_beat),0) "
                        "as heart_beat,",
                        "format(checktime,'yyyy-MM')", start, end);
}

} // namespace dialect
