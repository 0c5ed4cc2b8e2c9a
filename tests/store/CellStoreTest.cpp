#include "store/CellStore.h"

#include "store/FieldValue.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <limits>

using store::CellStore;
using store::FieldType;

namespace {

// Values of every kind a dataset shows, and some it only holds while being edited.
const QVariantList kValues = {QVariant(),
                              QVariant(true),
                              QVariant(false),
                              QVariant(0),
                              QVariant(-7),
                              QVariant(std::numeric_limits<int>::max()),
                              QVariant(qlonglong(1) << 40),
                              QVariant(qlonglong(5)),
                              QVariant(std::numeric_limits<qlonglong>::max()),
                              QVariant(std::numeric_limits<qlonglong>::min()),
                              QVariant(-(qlonglong(1) << 60)),
                              QVariant(qlonglong(1) << 60),
                              QVariant(2.5),
                              QVariant(-1e300),
                              QVariant(QString("\u00d6d\u00f6n")),
                              QVariant(QString()),
                              QVariant(QString("")),
                              QVariant(QByteArray("\0x", 2)),
                              QVariant(QDateTime(QDate(2011, 3, 5), QTime(7, 30))),
                              QVariant(QDate(2011, 3, 5)),
                              QVariant(1.5f),
                              QVariant(3u)};

void expectSame(const QVariant& read, const QVariant& stored, const char* what) {
    EXPECT_EQ(read.typeId(), stored.typeId()) << what << " " << stored.typeName();
    EXPECT_EQ(read, stored) << what << " " << stored.typeName();
    EXPECT_EQ(read.toString().isNull(), stored.toString().isNull()) << what;
}

} // namespace

// Every value read back as stored, then set over by every other; the neighbours stay as
// they were.
TEST(CellStore, ValuesReadBackAsStoredAndSettingReplacesOnlyThatValue) {
    for (const QVariant& before : kValues) {
        for (const QVariant& after : kValues) {
            CellStore cells;
            cells.append(QVariant(QString("left")));
            cells.append(before);
            cells.append(QVariant(QByteArray("right")));
            expectSame(cells.at(1), before, "appended");
            cells.set(1, after);
            expectSame(cells.at(1), after, "set");
            expectSame(cells.at(0), QVariant(QString("left")), "left");
            expectSame(cells.at(2), QVariant(QByteArray("right")), "right");
        }
    }
}

TEST(CellStore, IntegersShowAsTheFieldTypeShowsThem) {
    const qint64 numbers[] = {0,
                              1,
                              -1,
                              std::numeric_limits<int>::max(),
                              qint64(std::numeric_limits<int>::max()) + 1,
                              std::numeric_limits<int>::min(),
                              qint64(std::numeric_limits<int>::min()) - 1,
                              qint64(1) << 60,
                              -(qint64(1) << 60) - 1,
                              std::numeric_limits<qint64>::min(),
                              std::numeric_limits<qint64>::max()};
    for (FieldType type : {FieldType::Boolean, FieldType::Integer, FieldType::Float,
                           FieldType::Text, FieldType::DateTime, FieldType::Unknown}) {
        CellStore cells;
        for (qint64 number : numbers)
            cells.appendInteger(type, number);
        for (qsizetype i = 0; i < cells.size(); ++i)
            expectSame(cells.at(i), store::FieldValue::fromStorage(type, numbers[i]), "integer");
    }
}

// Texts from the database, each offered the cell "same" to share with: shared only when
// that cell holds an equal text.
TEST(CellStore, TextsReadBackAsTheirBytesSay) {
    const struct {
        QByteArray utf8; // null: the number 1 instead of a text
        qsizetype same;  // -1: none
    } cases[] = {
        {"Big", -1},
        {"Big", 0},
        {"big", 1},
        {"", 2},
        {"", 3},
        {QByteArray(), -1},
        {"1", 5},
        {"2020-01-01 00:00:00", 4},
        {"\xc3\x96"
         "d\xc3\xb6n",
         7},
        {"\xff\xfe", 8},
        {QByteArray(3 << 20, 'x'), -1},
        {QByteArray(3 << 20, 'x'), 10},
        {"after", 10},
    };
    CellStore cells;
    for (const auto& c : cases) {
        if (c.utf8.isNull())
            cells.append(QVariant(1));
        else
            cells.appendText(c.utf8, c.same);
    }
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const QByteArray& utf8 = cases[i].utf8;
        expectSame(cells.at(i), utf8.isNull() ? QVariant(1) : QVariant(QString::fromUtf8(utf8)),
                   utf8.left(20).constData());
    }
}

TEST(CellStore, ClearedStoreHoldsOnlyNewValues) {
    CellStore cells;
    cells.appendText("first text", -1);
    cells.append(QVariant(QByteArray("object")));
    cells.appendNulls(2);
    cells.clear();
    EXPECT_EQ(cells.size(), 0);
    cells.appendText("second", -1);
    cells.append(QVariant(QDate(2011, 3, 5)));
    cells.appendNulls(1);
    ASSERT_EQ(cells.size(), 3);
    expectSame(cells.at(0), QVariant(QString("second")), "text");
    expectSame(cells.at(1), QVariant(QDate(2011, 3, 5)), "object");
    expectSame(cells.at(2), QVariant(), "null");
}
