#pragma once

#include "CellStore.h"
#include "Dataset.h"

#include <QHash>
#include <QList>

namespace store {

struct Dataset::Row {
    enum class State { Clean, Modified, Inserted };

    qint64 rowid = 0;
    qsizetype first = 0; // the row's first value in Impl::values
    State state = State::Clean;
};

struct Dataset::Impl {
    enum class EditState { Browse, Edit, Insert };

    // Fields of the open result.
    QStringList names;
    QList<FieldType> types;
    QHash<QString, int> indexByName; // lower-case name
    QString baseTable;               // empty when the result cannot be written
    QStringList baseColumns;         // the base table's column of each field

    QList<Row> rows;  // query order; appended rows at the end
    CellStore values; // of every row, one per field, as FieldValue::fromStorage shows them
    QList<int> order; // indexes into rows, in the current sort
    // Fields set since the row was last written, by Row::first; rows without are unchanged.
    QHash<qsizetype, QList<bool>> changed;
    QList<qint64> deletions;             // rowids of pending deletions (cached mode)
    QHash<QString, QVariant> parameters; // lower-case name without ':'

    int position = -1; // in order; -1 when there are no rows
    bool eof = true;
    bool bof = true;

    EditState editState = EditState::Browse;
    QVariantList buffer; // the current row's values while editing
    QList<bool> bufferChanged;
    int positionBeforeAppend = -1;

    bool signalsMissed = false;

    QVariant value(const Row& row, int field) const { return values.at(row.first + field); }
    QVariantList rowValues(const Row& row) const;
    void setRowValues(const Row& row, const QVariantList& shown);
    Row& currentRow() { return rows[order[position]]; }
    const Row& currentRow() const { return rows[order[position]]; }
    bool editing() const { return editState != EditState::Browse; }
    void eraseRow(int orderPosition);
    // Takes over the room of other's rows and values and drops them: a list opened again
    // and again then reuses its memory.
    void reuseRoom(Impl& other);
    void resetOrder();
};

} // namespace store
