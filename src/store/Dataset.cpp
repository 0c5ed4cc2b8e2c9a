#include "Dataset.h"

#include "Database.h"
#include "DatabaseError.h"
#include "DatasetImpl.h"
#include "FieldValue.h"
#include "JetSql.h"
#include "SelectShape.h"
#include "SortOrder.h"
#include "Statement.h"

#include <memory>
#include <numeric>

namespace store {

namespace {

const QString kRowidField = QStringLiteral("tonvi_hidden_rowid");

// A value as a whole number; null is 0.
int wholeNumber(const QString& field, const QVariant& value) {
    if (value.isNull())
        return 0;
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok)
        throw DatabaseError(
            QStringLiteral("field %1: \"%2\" is not a whole number").arg(field, value.toString()));
    return number;
}

// Prepares the select with the base table's rowid as its first column when every
// field comes straight from that one table; nullptr otherwise.
std::unique_ptr<Statement> prepareWithRowid(sqlite3* db, const QString& sql) {
    const QString table = SelectShape::baseTable(sql);
    if (table.isEmpty())
        return nullptr;
    std::unique_ptr<Statement> statement;
    try {
        statement = std::make_unique<Statement>(db, SelectShape::withRowid(sql, kRowidField));
    } catch (const DatabaseError&) {
        return nullptr; // a view, or a table without rowid
    }
    if (statement->columnCount() < 2)
        return nullptr;
    for (int i = 1; i < statement->columnCount(); ++i) {
        if (statement->originColumn(i).isEmpty() ||
            statement->originTable(i).compare(table, Qt::CaseInsensitive) != 0)
            return nullptr;
    }
    return statement;
}

} // namespace

void Dataset::Impl::eraseRow(int orderPosition) {
    const int index = order[orderPosition];
    changed.remove(rows[index].first);
    rows.removeAt(index);
    order.removeAt(orderPosition);
    for (int& row : order) {
        if (row > index)
            --row;
    }
}

void Dataset::Impl::resetOrder() {
    order.resize(rows.size());
    std::iota(order.begin(), order.end(), 0);
}

void Dataset::Impl::reuseRoom(Impl& other) {
    std::swap(rows, other.rows);
    rows.clear();
    std::swap(values, other.values);
    values.clear();
}

QVariantList Dataset::Impl::rowValues(const Row& row) const {
    QVariantList shown;
    shown.reserve(names.size());
    for (qsizetype field = 0; field < names.size(); ++field)
        shown.append(values.at(row.first + field));
    return shown;
}

void Dataset::Impl::setRowValues(const Row& row, const QVariantList& shown) {
    for (qsizetype field = 0; field < shown.size(); ++field)
        values.set(row.first + field, shown[field]);
}

Dataset::Dataset(Database& db, WriteMode mode, QObject* parent)
    : QObject(parent), d(new Impl), db_(db), mode_(mode) {}

Dataset::~Dataset() {
    delete d;
}

void Dataset::setCommandText(const QString& sql) {
    commandText_ = sql;
}

void Dataset::setParameter(const QString& name, const QVariant& value) {
    QString key = name.toLower();
    if (key.startsWith(u':'))
        key.remove(0, 1);
    d->parameters.insert(key, value);
}

// Runs the query and replaces fields and rows; pending changes are dropped.
void Dataset::load() {
    if (!db_.isOpen())
        throw DatabaseError(QStringLiteral("The database is not open."));
    const QString sql = JetSql::rewrite(commandText_);
    std::unique_ptr<Statement> query = prepareWithRowid(db_.handle(), sql);
    const bool writable = query != nullptr;
    if (!query)
        query = std::make_unique<Statement>(db_.handle(), sql);
    for (int i = 1; i <= query->parameterCount(); ++i) {
        const QString name = query->parameterName(i).toLower();
        if (!d->parameters.contains(name))
            throw DatabaseError(QStringLiteral("parameter :%1 has no value").arg(name));
        query->bind(i, FieldValue::toStorage(d->parameters.value(name)));
    }
    Impl fresh;
    fresh.parameters = d->parameters;
    if (d->rows.isEmpty())
        fresh.reuseRoom(*d);
    const int first = writable ? 1 : 0;
    for (int i = first; i < query->columnCount(); ++i) {
        const QString name = query->columnName(i);
        if (!fresh.indexByName.contains(name.toLower()))
            fresh.indexByName.insert(name.toLower(), int(fresh.names.size()));
        fresh.names << name;
        fresh.types << FieldValue::typeOf(query->declaredType(i));
        fresh.baseColumns << query->originColumn(i);
        if (writable)
            fresh.baseTable = query->originTable(i);
    }
    const int columns = query->columnCount();
    const qsizetype fieldCount = columns - first;
    while (query->step()) {
        const qsizetype previous = fresh.values.size() - fieldCount; // the last row's
        fresh.rows.append(Row{writable ? query->at(0).integer() : 0, fresh.values.size()});
        for (int i = first; i < columns; ++i) {
            const ColumnValue column = query->at(i);
            switch (column.storageClass()) {
            case StorageClass::Integer:
                fresh.values.appendInteger(fresh.types[i - first], column.integer());
                break;
            case StorageClass::Text:
                fresh.values.appendText(column.text(), previous < 0 ? -1 : previous + i - first);
                break;
            default:
                fresh.values.append(column.toVariant());
            }
        }
    }
    fresh.resetOrder();
    fresh.position = fresh.rows.isEmpty() ? -1 : 0;
    fresh.eof = fresh.rows.isEmpty();
    *d = std::move(fresh);
}

void Dataset::open() {
    if (active_)
        close();
    load();
    active_ = true;
    sortText_.clear();
    notifyReset();
    notifyCurrent();
}

void Dataset::close() {
    if (!active_)
        return;
    Impl empty;
    empty.parameters = d->parameters;
    empty.reuseRoom(*d);
    *d = std::move(empty);
    active_ = false;
    sortText_.clear();
    notifyReset();
}

void Dataset::requireActive() const {
    if (!active_)
        throw DatabaseError(QStringLiteral("The dataset is not open."));
}

void Dataset::moveTo(int position) {
    if (position == d->position)
        return;
    d->position = position;
    notifyCurrent();
}

void Dataset::first() {
    requireActive();
    checkBrowseMode();
    moveTo(isEmpty() ? -1 : 0);
    d->bof = true;
    d->eof = isEmpty();
}

void Dataset::last() {
    requireActive();
    checkBrowseMode();
    moveTo(recordCount() - 1);
    d->eof = true;
    d->bof = isEmpty();
}

void Dataset::next() {
    requireActive();
    checkBrowseMode();
    if (d->position + 1 < recordCount()) {
        moveTo(d->position + 1);
        d->eof = false;
    } else {
        d->eof = true;
    }
    d->bof = isEmpty();
}

void Dataset::prior() {
    requireActive();
    checkBrowseMode();
    if (d->position > 0) {
        moveTo(d->position - 1);
        d->bof = false;
    } else {
        d->bof = true;
    }
    d->eof = isEmpty();
}

bool Dataset::eof() const {
    return d->eof;
}
bool Dataset::bof() const {
    return d->bof;
}
int Dataset::recordCount() const {
    return int(d->order.size());
}
int Dataset::recNo() const {
    return d->position + 1;
}

void Dataset::setRecNo(int recNo) {
    requireActive();
    checkBrowseMode();
    if (recNo < 1 || recNo > recordCount())
        return;
    moveTo(recNo - 1);
    d->eof = d->bof = false;
}

int Dataset::fieldCount() const {
    return int(d->names.size());
}

QString Dataset::fieldName(int index) const {
    return d->names.value(index);
}

int Dataset::fieldIndex(const QString& name) const {
    return d->indexByName.value(name.toLower(), -1);
}

FieldType Dataset::fieldType(int index) const {
    return d->types.value(index, FieldType::Unknown);
}

int Dataset::requireField(const QString& name) const {
    const int index = fieldIndex(name);
    if (index < 0)
        throw DatabaseError(QStringLiteral("field %1 not found").arg(name));
    return index;
}

QVariant Dataset::value(const QString& field) const {
    const int index = requireField(field);
    if (d->editing())
        return d->buffer[index];
    return d->position < 0 ? QVariant() : d->value(d->currentRow(), index);
}

QString Dataset::asString(const QString& field) const {
    return value(field).toString();
}

int Dataset::asInteger(const QString& field) const {
    return wholeNumber(field, value(field));
}

int Dataset::integerAt(int row, int fieldIndex) const {
    const bool stored = row >= 0 && row < recordCount() && fieldIndex >= 0 &&
                        fieldIndex < fieldCount() && !(row == d->position && d->editing());
    if (stored) {
        const std::optional<int> number =
            d->values.intAt(d->rows[d->order[row]].first + fieldIndex);
        if (number)
            return *number;
    }
    return wholeNumber(fieldName(fieldIndex), valueAt(row, fieldIndex));
}

bool Dataset::asBoolean(const QString& field) const {
    return FieldValue::normalize(FieldType::Boolean, value(field)).toBool();
}

QDateTime Dataset::asDateTime(const QString& field) const {
    return FieldValue::wallClock(value(field));
}

qint64 Dataset::rowid() const {
    return d->position < 0 || d->baseTable.isEmpty() ? 0 : d->currentRow().rowid;
}

QVariant Dataset::valueAt(int row, int fieldIndex) const {
    if (row < 0 || row >= recordCount() || fieldIndex < 0 || fieldIndex >= fieldCount())
        return QVariant();
    if (row == d->position && d->editing())
        return d->buffer[fieldIndex];
    return d->value(d->rows[d->order[row]], fieldIndex);
}

bool Dataset::locate(const QString& field, const QVariant& value) {
    requireActive();
    checkBrowseMode();
    const int index = requireField(field);
    const QVariant sought = FieldValue::normalize(d->types[index], value);
    for (int position = 0; position < recordCount(); ++position) {
        if (FieldValue::compare(d->value(d->rows[d->order[position]], index), sought) == 0) {
            moveTo(position);
            d->eof = d->bof = false;
            return true;
        }
    }
    return false;
}

void Dataset::setSort(const QString& sortText) {
    if (!active_) {
        sortText_ = sortText;
        return;
    }
    checkBrowseMode();
    const SortOrder order(sortText, [this](const QString& name) { return fieldIndex(name); });
    sortText_ = sortText;
    applySort(order, d->position < 0 ? -1 : d->order[d->position]);
    notifyReset();
    notifyCurrent();
}

// Orders the rows and puts the cursor on the row with index rowIndex (-1: the first).
void Dataset::applySort(const SortOrder& order, int rowIndex) {
    d->resetOrder();
    order.apply(d->order, [this](int row, int field) { return d->value(d->rows[row], field); });
    d->position = rowIndex < 0 ? (isEmpty() ? -1 : 0) : int(d->order.indexOf(rowIndex));
}

void Dataset::disableControls() {
    ++disableCount_;
}

void Dataset::enableControls() {
    if (disableCount_ == 0 || --disableCount_ > 0)
        return;
    if (d->signalsMissed) {
        d->signalsMissed = false;
        emit rowsReset();
        emit currentChanged(recNo());
    }
    emit controlsEnabled();
}

void Dataset::notifyReset() {
    if (controlsDisabled())
        d->signalsMissed = true;
    else
        emit rowsReset();
}

void Dataset::notifyRowChanged(int row) {
    if (controlsDisabled())
        d->signalsMissed = true;
    else
        emit rowChanged(row);
}

void Dataset::notifyCurrent() {
    if (controlsDisabled())
        d->signalsMissed = true;
    else
        emit currentChanged(recNo());
}

} // namespace store
