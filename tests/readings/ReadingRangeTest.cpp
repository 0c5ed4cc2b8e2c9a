#include "readings/ReadingRange.h"

#include "ImportFixture.h"

namespace {

class ReadingRangeTest : public ImportFixture {
protected:
    void hold(const QString& person, const QString& moment, int systolic,
              const QString& pulse = "70") {
        db.execute(QStringLiteral("insert into bp_record(personal,checktime,systolic,diastolic,"
                                  "heart_beat,delselection) values ('%1','%2',%3,80,%4,0)")
                       .arg(person, moment)
                       .arg(systolic)
                       .arg(pulse));
    }
};

// The first and last day count whole; other persons, other days and moments in another
// shape stay out.
TEST_F(ReadingRangeTest, TakesThePersonsStoredRowsOfTheDays) {
    addPerson("Other");
    hold("Müller", "2024-03-01 00:00:00", 101);
    hold("MÜLLER", "2024-03-03 23:59:59", 102, "NULL");
    hold("Müller", "2024-03-02 12:30", 103);
    hold("Müller", "2024-02-29 23:59:59", 200);
    hold("Müller", "2024-03-04 00:00:00", 200);
    hold("Other", "2024-03-02 08:00:00", 200);
    hold("Müller", "2024-03-02 8:00:00", 200);
    const QVector<readings::Reading> read =
        readings::readingsInRange(db, "müller", QDate(2024, 3, 1), QDate(2024, 3, 3));
    ASSERT_EQ(read.size(), 3);
    EXPECT_EQ(read[0].systolic, 101);
    EXPECT_EQ(read[0].moment, QDateTime(QDate(2024, 3, 1), QTime(0, 0), Qt::UTC));
    EXPECT_EQ(read[0].pulse, 70);
    EXPECT_EQ(read[1].systolic, 103);
    EXPECT_EQ(read[1].moment.time(), QTime(12, 30));
    EXPECT_EQ(read[2].systolic, 102);
    EXPECT_EQ(read[2].pulse, std::nullopt);
}

} // namespace
