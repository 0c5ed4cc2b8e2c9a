#pragma once

#include <QList>
#include <QString>

struct sqlite3;

namespace bench {

// Ends the run unless result is SQLITE_OK or SQLITE_DONE.
void check(int result, sqlite3* db);

// A person's readings from 1 January 2020, one every given number of minutes.
struct ReadingSeries {
    QString person;
    int count = 0;
    int minutes = 0;
};

struct ReadingsPlan {
    QList<ReadingSeries> series;
    // Readings arrive in downloads: each round saves its share of every person's readings.
    int rounds = 1;
    // Whether checktime_mmdd and checktime_hhmm are filled.
    bool dayAndTime = false;
    // The delselection stored for every fiftieth reading, the others store 0.
    int mark = 0;
};

// Inserts the plan's readings into bp_record in one transaction; systolic, diastolic and
// pulse change from reading to reading.
void insertReadings(sqlite3* db, const ReadingsPlan& plan);

} // namespace bench
