#include "support/Readings.h"

#include <QDateTime>
#include <QtGlobal>
#include <sqlite3.h>

namespace bench {

void check(int result, sqlite3* db) {
    if (result != SQLITE_OK && result != SQLITE_DONE)
        qFatal("%s", sqlite3_errmsg(db));
}

void insertReadings(sqlite3* db, const ReadingsPlan& plan) {
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* insert = nullptr;
    check(sqlite3_prepare_v2(db,
                             "insert into bp_record(personal,systolic,diastolic,heart_beat,"
                             "checktime,checktime_mmdd,checktime_hhmm,delselection) values "
                             "(?,?,?,?,?,?,?,?)",
                             -1, &insert, nullptr),
          db);
    const QDateTime origin(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
    for (int round = 0; round < plan.rounds; ++round) {
        for (const ReadingSeries& series : plan.series) {
            const QByteArray name = series.person.toUtf8();
            const int chunk = series.count / plan.rounds;
            for (int i = round * chunk; i < (round + 1) * chunk; ++i) {
                const QDateTime time = origin.addSecs(qint64(i) * series.minutes * 60);
                const QByteArray stamp = time.toString("yyyy-MM-dd HH:mm:ss").toUtf8();
                sqlite3_bind_text(insert, 1, name.constData(), int(name.size()), SQLITE_STATIC);
                sqlite3_bind_int(insert, 2, 100 + i % 90);
                sqlite3_bind_int(insert, 3, 60 + i % 40);
                sqlite3_bind_int(insert, 4, 50 + i % 60);
                sqlite3_bind_text(insert, 5, stamp.constData(), int(stamp.size()),
                                  SQLITE_TRANSIENT);
                if (plan.dayAndTime) {
                    sqlite3_bind_text(insert, 6, qPrintable(time.toString("MM/dd")), -1,
                                      SQLITE_TRANSIENT);
                    sqlite3_bind_text(insert, 7, qPrintable(time.toString("HH:mm")), -1,
                                      SQLITE_TRANSIENT);
                } else {
                    sqlite3_bind_null(insert, 6);
                    sqlite3_bind_null(insert, 7);
                }
                sqlite3_bind_int(insert, 8, i % 50 == 0 ? plan.mark : 0);
                check(sqlite3_step(insert), db);
                sqlite3_reset(insert);
            }
        }
    }
    sqlite3_finalize(insert);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
}

} // namespace bench
