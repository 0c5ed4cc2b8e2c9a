#include "Statement.h"

#include "DatabaseError.h"

#include <QByteArray>
#include <sqlite3.h>

namespace store {

namespace {

QString fromUtf8(const char* text) {
    return text ? QString::fromUtf8(text) : QString();
}

} // namespace

Statement::Statement(sqlite3* db, const QString& sql) : db_(db) {
    const QByteArray utf8 = sql.toUtf8();
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &stmt_, &tail) != SQLITE_OK)
        fail();
    if (!stmt_)
        throw DatabaseError(QStringLiteral("no statement in: %1").arg(sql));
    sqlite3_stmt* further = nullptr;
    const int rc = sqlite3_prepare_v2(db_, tail, -1, &further, nullptr);
    if (rc != SQLITE_OK || further) {
        sqlite3_finalize(further);
        sqlite3_finalize(stmt_);
        throw DatabaseError(QStringLiteral("more than one statement in: %1").arg(sql));
    }
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

void Statement::fail() const {
    throw DatabaseError(fromUtf8(sqlite3_errmsg(db_)));
}

void Statement::bind(int index, const QVariant& value) {
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(stmt_, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            rc = sqlite3_bind_int64(stmt_, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(stmt_, index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob(stmt_, index, bytes.constData(), int(bytes.size()),
                                   SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text(stmt_, index, text.constData(), int(text.size()),
                                   SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK)
        fail();
}

void Statement::bindInteger(int index, qint64 value) {
    if (sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK)
        fail();
}

void Statement::bindText(int index, QByteArrayView utf8) {
    if (sqlite3_bind_text(stmt_, index, utf8.data(), int(utf8.size()), SQLITE_STATIC) != SQLITE_OK)
        fail();
}

void Statement::bindNull(int index) {
    if (sqlite3_bind_null(stmt_, index) != SQLITE_OK)
        fail();
}

int Statement::parameterCount() const {
    return sqlite3_bind_parameter_count(stmt_);
}

QString Statement::parameterName(int index) const {
    QString name = fromUtf8(sqlite3_bind_parameter_name(stmt_, index));
    return name.isEmpty() ? name : name.mid(1);
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail();
}

void Statement::run() {
    while (step()) {
    }
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::columnCount() const {
    return sqlite3_column_count(stmt_);
}

QString Statement::columnName(int index) const {
    return fromUtf8(sqlite3_column_name(stmt_, index));
}

QString Statement::declaredType(int index) const {
    return fromUtf8(sqlite3_column_decltype(stmt_, index));
}

QString Statement::originTable(int index) const {
    return fromUtf8(sqlite3_column_table_name(stmt_, index));
}

QString Statement::originColumn(int index) const {
    return fromUtf8(sqlite3_column_origin_name(stmt_, index));
}

ColumnValue Statement::at(int index) const {
    return ColumnValue(sqlite3_column_value(stmt_, index));
}

StorageClass ColumnValue::storageClass() const {
    switch (sqlite3_value_type(value_)) {
    case SQLITE_INTEGER:
        return StorageClass::Integer;
    case SQLITE_FLOAT:
        return StorageClass::Float;
    case SQLITE_TEXT:
        return StorageClass::Text;
    case SQLITE_BLOB:
        return StorageClass::Blob;
    default:
        return StorageClass::Null;
    }
}

qint64 ColumnValue::integer() const {
    return sqlite3_value_int64(value_);
}

QByteArrayView ColumnValue::text() const {
    // The text first: asking for the length converts the value to that text.
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value_));
    return QByteArrayView(text, sqlite3_value_bytes(value_));
}

QVariant ColumnValue::toVariant() const {
    switch (storageClass()) {
    case StorageClass::Integer:
        return QVariant(qlonglong(integer()));
    case StorageClass::Float:
        return QVariant(sqlite3_value_double(value_));
    case StorageClass::Text:
        return QString::fromUtf8(text());
    case StorageClass::Blob:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_value_blob(value_)),
                                   sqlite3_value_bytes(value_)));
    case StorageClass::Null:
        break;
    }
    return QVariant();
}

void executeScript(sqlite3* db, const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const QString text = fromUtf8(message ? message : sqlite3_errmsg(db));
        sqlite3_free(message);
        throw DatabaseError(text);
    }
}

} // namespace store
