#pragma once

#include "store/Dataset.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace store {

// The two shapes of readings table: bp_record keeps the saved readings of all persons,
// bp_record_user1 and bp_record_user2 each receive one memory of the monitor.
enum class ReadingTable { Saved, Memory };

// One column of the readings tables.
struct ReadingColumn {
    QString name;
    // What the column holds: Integer (a number), DateTime, Text or Boolean (a mark). It
    // gives the declared type, from which grids, reports and exported files take how a
    // value is shown.
    FieldType kind = FieldType::Text;
    QString title;       // design title of its grid column, until the language table's grid rows
    int width = 0;       // design width of its grid column in pixels
    bool saved = false;  // a column of bp_record
    bool memory = false; // a column of the memory tables
    bool identifies = false; // a saved reading equals a downloaded one when these are equal
    // The file version that brought the column. Later columns follow the name keys, where
    // ALTER TABLE puts them in an older file, so both files have one column order.
    int version = 1;
};

// Every reading column, in table order.
const QVector<ReadingColumn>& readingColumns();

// The column of that name, matched without regard to case. Throws std::out_of_range for
// a name that is no reading column.
const ReadingColumn& readingColumn(const QString& name);

// The column names of a table of that shape, in table order.
QStringList readingColumnNames(ReadingTable table);

// The statement that creates a table of that shape under the name.
QString createReadingTable(const QString& name, ReadingTable table);

// The statements that add to an older table of that shape the columns that file versions
// after `fileVersion` brought.
QStringList addedColumns(const QString& name, ReadingTable table, int fileVersion);

// Deletes from a memory table the readings that bp_record holds already.
QString removeHeldReadings(const QString& memoryTable);

// Copies every reading of a memory table into bp_record; the mark takes its default.
QString copyReadings(const QString& memoryTable);

} // namespace store
