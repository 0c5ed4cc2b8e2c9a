#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace store {

class Database;
class SortOrder;

enum class WriteMode {
    Immediate, // each post or delete is written at once
    Cached     // changes stay pending until applyUpdates() or cancelUpdates()
};

enum class FieldType { Text, Integer, Float, Boolean, DateTime, Unknown };

// A client-side result set with a cursor. Field names are matched without regard to
// case. Writes address one row of the base table by its rowid.
class Dataset : public QObject {
    Q_OBJECT
public:
    Dataset(Database& db, WriteMode mode, QObject* parent = nullptr);
    ~Dataset() override;

    // Command text in the original dialect; named parameters such as :a1.
    void setCommandText(const QString& sql);
    void setParameter(const QString& name, const QVariant& value);

    void open();  // runs the query and goes to the first row
    void close(); // drops the rows and any pending change
    bool isActive() const { return active_; }
    WriteMode writeMode() const { return mode_; }

    // Navigation. recNo() is 1-based, 0 when there are no rows.
    void first();
    void next();
    void prior();
    void last();
    bool eof() const;
    bool bof() const;
    bool isEmpty() const { return recordCount() == 0; }
    int recordCount() const;
    int recNo() const;
    void setRecNo(int recNo);

    // Fields of the result, in query order.
    int fieldCount() const;
    QString fieldName(int index) const;
    int fieldIndex(const QString& name) const; // -1 when missing
    FieldType fieldType(int index) const;

    // Current row; a missing field throws DatabaseError.
    QVariant value(const QString& field) const;
    QString asString(const QString& field) const;
    int asInteger(const QString& field) const;
    bool asBoolean(const QString& field) const;
    // As read on a wall clock: in UTC, as FieldValue::wallClock gives it.
    QDateTime asDateTime(const QString& field) const;
    // The current row's rowid in the base table; 0 without a row or a base table.
    qint64 rowid() const;
    // Any row by 0-based position in the current order, for grids.
    QVariant valueAt(int row, int fieldIndex) const;
    // Any row's value as asInteger reads the current row's.
    int integerAt(int row, int fieldIndex) const;

    // Editing. setValue needs edit() or append() first.
    void append();
    void edit();
    void setValue(const QString& field, const QVariant& value);
    void post();
    void cancel();
    void remove();
    void checkBrowseMode(); // posts when editing
    bool isEditing() const;

    // Cached mode only: apply all pending changes in one transaction (all or none;
    // on failure they stay pending and DatabaseError is thrown), or drop them all.
    void applyUpdates();
    void cancelUpdates();
    bool hasPendingUpdates() const;

    // First row whose field equals value (text without regard to case); moves there.
    bool locate(const QString& field, const QVariant& value);

    // Client-side order such as "systolic DESC,heart_beat ASC"; empty restores the
    // query's order. The cursor stays on the same row.
    void setSort(const QString& sortText);
    QString sort() const { return sortText_; }

    // While disabled, bound views do not follow changes; enabling sends one refresh.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return disableCount_ > 0; }

signals:
    void rowsReset();               // rows, order or fields changed
    void rowChanged(int row);       // one row's values changed (0-based)
    void currentChanged(int recNo); // the cursor moved
    void controlsEnabled();         // views follow again; they repaint what they held back

private:
    struct Row;
    struct Impl;

    void load();
    void applySort(const SortOrder& order, int rowIndex);
    void moveTo(int position);
    int requireField(const QString& name) const;
    void requireActive() const;
    void requireWritable() const;
    void notifyReset();
    void notifyRowChanged(int row);
    void notifyCurrent();

    Impl* d;
    Database& db_;
    WriteMode mode_;
    QString commandText_;
    QString sortText_;
    bool active_ = false;
    int disableCount_ = 0;
};

} // namespace store
