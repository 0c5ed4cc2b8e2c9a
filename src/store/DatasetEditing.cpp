#include "Database.h"
#include "DatabaseError.h"
#include "Dataset.h"
#include "DatasetImpl.h"
#include "FieldValue.h"
#include "RowWriter.h"
#include "SortOrder.h"

#include <algorithm>

namespace store {

namespace {

QVariantList storageForm(const QVariantList& values) {
    QVariantList stored;
    for (const QVariant& value : values)
        stored << FieldValue::toStorage(value);
    return stored;
}

QVariantList shownForm(const QList<FieldType>& types, const QVariantList& stored) {
    QVariantList shown;
    for (qsizetype i = 0; i < stored.size(); ++i)
        shown << FieldValue::fromStorage(types[i], stored[i]);
    return shown;
}

} // namespace

void Dataset::requireWritable() const {
    requireActive();
    if (d->baseTable.isEmpty())
        throw DatabaseError(QStringLiteral("The rows of \"%1\" cannot be changed: only a plain "
                                           "select of one table can be written back.")
                                .arg(commandText_));
}

void Dataset::append() {
    requireWritable();
    checkBrowseMode();
    const Row row{0, d->values.size(), Row::State::Inserted};
    d->values.appendNulls(d->names.size());
    d->rows << row;
    d->order << int(d->rows.size() - 1);
    d->positionBeforeAppend = d->position;
    d->position = int(d->order.size() - 1);
    d->eof = d->bof = false;
    d->buffer = d->rowValues(row);
    d->bufferChanged = QList<bool>(d->names.size(), false);
    d->editState = Impl::EditState::Insert;
    notifyReset();
    notifyCurrent();
}

void Dataset::edit() {
    requireWritable();
    if (d->editing())
        return;
    if (isEmpty()) {
        append();
        return;
    }
    d->buffer = d->rowValues(d->currentRow());
    d->bufferChanged = QList<bool>(d->names.size(), false);
    d->editState = Impl::EditState::Edit;
}

void Dataset::setValue(const QString& field, const QVariant& value) {
    const int index = requireField(field);
    if (!d->editing())
        throw DatabaseError(
            QStringLiteral("field %1 cannot be set: the dataset is not being edited").arg(field));
    d->buffer[index] = FieldValue::normalize(d->types[index], value);
    d->bufferChanged[index] = true;
}

void Dataset::post() {
    if (!d->editing())
        return;
    Row& row = d->currentRow();
    const bool inserting = d->editState == Impl::EditState::Insert;
    if (mode_ == WriteMode::Immediate) {
        const RowWriter writer(db_.handle(), d->baseTable, d->baseColumns);
        if (inserting) {
            Transaction transaction(db_);
            const qint64 rowid = writer.insert(storageForm(d->buffer), d->bufferChanged);
            const QVariantList stored = writer.read(rowid);
            transaction.commit();
            row.rowid = rowid;
            d->setRowValues(row, stored.isEmpty() ? d->buffer : shownForm(d->types, stored));
        } else {
            writer.update(row.rowid, storageForm(d->buffer), d->bufferChanged);
            d->setRowValues(row, d->buffer);
        }
        row.state = Row::State::Clean;
    } else {
        QList<bool>& changed = d->changed[row.first];
        if (changed.isEmpty())
            changed = d->bufferChanged;
        else
            for (qsizetype i = 0; i < changed.size(); ++i)
                changed[i] = changed[i] || d->bufferChanged[i];
        d->setRowValues(row, d->buffer);
        if (row.state == Row::State::Clean && d->bufferChanged.contains(true))
            row.state = Row::State::Modified;
    }
    d->editState = Impl::EditState::Browse;
    notifyRowChanged(d->position);
}

void Dataset::cancel() {
    if (d->editState == Impl::EditState::Edit) {
        d->editState = Impl::EditState::Browse;
        notifyRowChanged(d->position);
    } else if (d->editState == Impl::EditState::Insert) {
        d->editState = Impl::EditState::Browse;
        d->eraseRow(d->position);
        d->position = std::min(d->positionBeforeAppend, recordCount() - 1);
        d->eof = d->bof = isEmpty();
        notifyReset();
        notifyCurrent();
    }
}

void Dataset::remove() {
    requireWritable();
    if (d->editState == Impl::EditState::Insert) {
        cancel();
        return;
    }
    if (isEmpty())
        throw DatabaseError(QStringLiteral("There is no row to delete."));
    d->editState = Impl::EditState::Browse;
    const Row& row = d->currentRow();
    if (mode_ == WriteMode::Immediate)
        RowWriter(db_.handle(), d->baseTable, d->baseColumns).remove(row.rowid);
    else if (row.state != Row::State::Inserted)
        d->deletions << row.rowid;
    d->eraseRow(d->position);
    d->position = std::min(d->position, recordCount() - 1);
    d->eof = d->bof = isEmpty();
    notifyReset();
    notifyCurrent();
}

void Dataset::checkBrowseMode() {
    if (d->editing())
        post();
}

bool Dataset::isEditing() const {
    return d->editing();
}

bool Dataset::hasPendingUpdates() const {
    if (!d->deletions.isEmpty())
        return true;
    // While appending, the last row is not yet posted.
    const qsizetype posted = d->rows.size() - (d->editState == Impl::EditState::Insert ? 1 : 0);
    for (qsizetype i = 0; i < posted; ++i) {
        if (d->rows[i].state != Row::State::Clean)
            return true;
    }
    return false;
}

void Dataset::applyUpdates() {
    requireActive();
    checkBrowseMode();
    if (!hasPendingUpdates())
        return;
    struct Written {
        qsizetype row;
        qint64 rowid;
        QVariantList stored;
    };
    QList<Written> inserted;
    const RowWriter writer(db_.handle(), d->baseTable, d->baseColumns);
    Transaction transaction(db_);
    for (const qint64 rowid : d->deletions)
        writer.remove(rowid);
    for (qsizetype i = 0; i < d->rows.size(); ++i) {
        const Row& row = d->rows[i];
        const QList<bool> changed = d->changed.value(row.first);
        if (row.state == Row::State::Modified) {
            writer.update(row.rowid, storageForm(d->rowValues(row)), changed);
        } else if (row.state == Row::State::Inserted) {
            const qint64 rowid = writer.insert(storageForm(d->rowValues(row)), changed);
            inserted << Written{i, rowid, writer.read(rowid)};
        }
    }
    transaction.commit();
    for (const Written& written : inserted) {
        Row& row = d->rows[written.row];
        row.rowid = written.rowid;
        if (!written.stored.isEmpty())
            d->setRowValues(row, shownForm(d->types, written.stored));
    }
    for (Row& row : d->rows)
        row.state = Row::State::Clean;
    d->changed.clear();
    d->deletions.clear();
    notifyReset();
}

void Dataset::cancelUpdates() {
    if (!active_)
        return;
    cancel();
    if (!hasPendingUpdates())
        return;
    load();
    applySort(SortOrder(sortText_, [this](const QString& name) { return fieldIndex(name); }), -1);
    notifyReset();
    notifyCurrent();
}

} // namespace store
