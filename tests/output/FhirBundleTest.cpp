#include "output/FhirBundle.h"

#include "output/CompoundFile.h"
#include "output/ExportFixture.h"
#include "output/FhirSource.h"
#include "support/LocalZone.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTimeZone>
#include <gtest/gtest.h>

using namespace output;

namespace {

const FhirPerson person{"Muster", "Erika", QDate(1960, 4, 2), "Female"};

QJsonArray entriesOf(const QByteArray& bundle) {
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(bundle, &error).object();
    EXPECT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_EQ(root["resourceType"].toString(), "Bundle");
    EXPECT_EQ(root["type"].toString(), "transaction");
    return root["entry"].toArray();
}

QString loincOf(const QJsonObject& codeable) {
    const QJsonObject coding = codeable["coding"].toArray().at(0).toObject();
    EXPECT_EQ(coding["system"].toString(), "http://loinc.org");
    return coding["code"].toString();
}

void expectQuantity(const QJsonObject& q, int value, const QString& unit) {
    EXPECT_EQ(q["value"].toInt(), value);
    EXPECT_EQ(q["unit"].toString(), unit);
    EXPECT_EQ(q["code"].toString(), unit);
    EXPECT_EQ(q["system"].toString(), "http://unitsofmeasure.org");
}

} // namespace

TEST(FhirBundle, OffsetFollowsDaylightSavingTime) {
    LocalZone zone("Europe/Berlin");
    struct Case {
        QDateTime moment;
        const char* expected;
    };
    const Case cases[] = {
        {QDateTime(QDate(2024, 1, 15), QTime(7, 30)), "2024-01-15T07:30:00+01:00"},
        {QDateTime(QDate(2024, 7, 15), QTime(21, 5, 9)), "2024-07-15T21:05:09+02:00"},
        {QDateTime(QDate(2024, 3, 31), QTime(1, 59, 59)), "2024-03-31T01:59:59+01:00"},
        {QDateTime(QDate(2024, 3, 31), QTime(3, 0)), "2024-03-31T03:00:00+02:00"},
        {QDateTime(QDate(2024, 10, 27), QTime(1, 59)), "2024-10-27T01:59:00+02:00"},
        {QDateTime(QDate(2024, 10, 27), QTime(0, 30), Qt::UTC), "2024-10-27T02:30:00+02:00"},
        {QDateTime(QDate(2024, 10, 27), QTime(1, 30), Qt::UTC), "2024-10-27T02:30:00+01:00"},
        {QDateTime(QDate(2024, 10, 27), QTime(3, 0)), "2024-10-27T03:00:00+01:00"},
        {QDateTime(QDate(2024, 7, 1), QTime(9, 0), Qt::OffsetFromUTC, -4 * 3600),
         "2024-07-01T15:00:00+02:00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fhirDateTime(c.moment), c.expected);

    LocalZone west("America/St_Johns");
    EXPECT_EQ(fhirDateTime(QDateTime(QDate(2024, 1, 15), QTime(7, 30))),
              "2024-01-15T07:30:00-03:30");
}

TEST(FhirBundle, PatientAndObservationsCarryCodesUnitsAndReferences) {
    LocalZone zone("Europe/Berlin");
    const QList<FhirReading> readings{{QDateTime(QDate(2024, 1, 15), QTime(7, 30)), 128, 84, 66},
                                      {QDateTime(QDate(2024, 7, 15), QTime(8, 0)), 141, 90, 0}};
    const QJsonArray entries = entriesOf(fhirBundle(person, readings));
    ASSERT_EQ(entries.size(), 4) << "patient, two pressures, one pulse";

    const QJsonObject patientEntry = entries[0].toObject();
    const QJsonObject patient = patientEntry["resource"].toObject();
    EXPECT_EQ(patient["resourceType"].toString(), "Patient");
    EXPECT_EQ(patient["gender"].toString(), "female");
    EXPECT_EQ(patient["birthDate"].toString(), "1960-04-02");
    EXPECT_EQ(patient["name"].toArray()[0].toObject()["family"].toString(), "Muster");
    EXPECT_EQ(patient["identifier"].toArray()[0].toObject()["system"].toString(),
              "urn:tonvi:measurement");
    const QString subject = patientEntry["fullUrl"].toString();
    EXPECT_TRUE(subject.startsWith("urn:uuid:"));

    const QStringList expectedCodes{"85354-9", "8867-4", "85354-9"};
    const QStringList expectedTimes{"2024-01-15T07:30:00+01:00", "2024-01-15T07:30:00+01:00",
                                    "2024-07-15T08:00:00+02:00"};
    QStringList urls{subject};
    for (int i = 1; i < entries.size(); ++i) {
        const QJsonObject e = entries[i].toObject();
        const QJsonObject obs = e["resource"].toObject();
        EXPECT_EQ(obs["resourceType"].toString(), "Observation");
        EXPECT_EQ(obs["status"].toString(), "final");
        EXPECT_EQ(obs["category"]
                      .toArray()[0]
                      .toObject()["coding"]
                      .toArray()[0]
                      .toObject()["code"]
                      .toString(),
                  "vital-signs");
        EXPECT_EQ(obs["subject"].toObject()["reference"].toString(), subject);
        EXPECT_EQ(loincOf(obs["code"].toObject()), expectedCodes[i - 1]);
        EXPECT_EQ(obs["effectiveDateTime"].toString(), expectedTimes[i - 1]);
        const QJsonObject request = e["request"].toObject();
        EXPECT_EQ(request["method"].toString(), "POST");
        EXPECT_EQ(request["url"].toString(), "Observation");
        EXPECT_EQ(request["ifNoneExist"].toString(),
                  QString("identifier=urn:tonvi:measurement|") + e["fullUrl"].toString());
        urls << e["fullUrl"].toString();
    }
    EXPECT_EQ(QSet<QString>(urls.begin(), urls.end()).size(), urls.size()) << "all distinct";

    const QJsonArray bp = entries[1].toObject()["resource"].toObject()["component"].toArray();
    ASSERT_EQ(bp.size(), 2);
    EXPECT_EQ(loincOf(bp[0].toObject()["code"].toObject()), "8480-6");
    expectQuantity(bp[0].toObject()["valueQuantity"].toObject(), 128, "mm[Hg]");
    EXPECT_EQ(loincOf(bp[1].toObject()["code"].toObject()), "8462-4");
    expectQuantity(bp[1].toObject()["valueQuantity"].toObject(), 84, "mm[Hg]");
    expectQuantity(entries[2].toObject()["resource"].toObject()["valueQuantity"].toObject(), 66,
                   "/min");
}

TEST(FhirBundle, IdentifiersAreStableAcrossExportsAndZones) {
    const QDateTime moment(QDate(2024, 1, 15), QTime(7, 30), QTimeZone::utc());
    const FhirReading reading{moment, 120, 80, 60};
    QByteArray first;
    {
        LocalZone zone("Europe/Berlin");
        first = fhirBundle(person, {reading});
    }
    LocalZone zone("Europe/Berlin");
    EXPECT_EQ(fhirBundle(person, {reading}), first);

    EXPECT_NE(fhirReadingId(person, moment, "bp"), fhirReadingId(person, moment.addSecs(1), "bp"));
    EXPECT_NE(fhirReadingId(person, moment, "bp"), fhirReadingId(person, moment, "pulse"));
    const FhirPerson other{"Mustermann", "Erika", {}, "Male"};
    EXPECT_NE(fhirPersonId(person), fhirPersonId(other));
    EXPECT_NE(fhirReadingId(person, moment, "bp"), fhirReadingId(other, moment, "bp"));
    EXPECT_EQ(fhirPersonId(person), fhirPersonId({"Muster", "Eri", {}, {}}))
        << "keyed by last name";
    EXPECT_EQ(fhirReadingId(person, moment, "bp"),
              fhirReadingId(person, moment.toTimeZone(QTimeZone::systemTimeZone()), "bp"));
}

// Servers find resources sent before by these values: an export must never change them.
TEST(FhirBundle, IdentifiersKeepTheirValues) {
    LocalZone zone("Europe/Berlin");
    const QJsonArray muster =
        entriesOf(fhirBundle(person, {{QDateTime(QDate(2024, 1, 15), QTime(7, 30)), 128, 84, 66}}));
    const QJsonArray mueller = entriesOf(fhirBundle(
        {"Müller", {}, {}, {}}, {{QDateTime(QDate(2024, 7, 15), QTime(21, 5, 9)), 128, 84, 0}}));
    ASSERT_EQ(muster.size(), 3);
    ASSERT_EQ(mueller.size(), 2);
    const struct {
        QJsonValue entry;
        const char* fullUrl;
    } cases[] = {
        {muster[0], "urn:uuid:b0212ffc-5403-59be-8a54-3335cf1f6f05"},
        {muster[1], "urn:uuid:512c90ec-0157-59af-ab1d-ea296c648e99"},
        {muster[2], "urn:uuid:47f43b3a-c51a-599a-ae09-6a4e78a17213"},
        {mueller[0], "urn:uuid:2dc30d44-a7a4-5d5d-9549-d57ba26aba6a"},
        {mueller[1], "urn:uuid:91a68e93-2961-5227-b963-c06e2c1f7ce9"},
    };
    for (const auto& c : cases) {
        const QJsonObject entry = c.entry.toObject();
        EXPECT_EQ(entry["fullUrl"].toString(), c.fullUrl);
        EXPECT_EQ(entry["resource"].toObject()["identifier"].toArray()[0].toObject()["value"],
                  c.fullUrl);
    }
}

// Readings every twenty minutes through the days around changes of the offset, each given as
// local time, at its own offset and in UTC, written as the time zone gives them one by one.
TEST(FhirBundle, MomentsAroundOffsetChanges) {
    const QUuid ours = QUuid::createUuidV5(QUuid(), QByteArray("tonvi"));
    const std::pair<const char*, QDate> changes[] = {
        {"Europe/Berlin", QDate(2024, 3, 30)},
        {"Europe/Berlin", QDate(2024, 10, 26)},
        {"Australia/Lord_Howe", QDate(2024, 4, 6)},
        {"America/St_Johns", QDate(2024, 11, 2)},
        {"America/Santiago", QDate(2024, 4, 5)},
        {"America/Santiago", QDate(2024, 9, 6)},
        // back from 00:30 to 23:30, so that the first half hour of the day comes twice
        {"<-03>3<-02>,M9.1.0/24,M4.1.0/0:30", QDate(2024, 4, 6)},
    };
    for (const auto& [zoneName, firstDay] : changes) {
        LocalZone zone(zoneName);
        QList<FhirReading> readings;
        for (QDateTime at(firstDay, QTime(0, 10)); at.date() < firstDay.addDays(3);
             at = at.addSecs(20 * 60))
            for (const QDateTime& moment : {at, at.toOffsetFromUtc(at.offsetFromUtc()), at.toUTC()})
                readings.append({moment, 120, 80, 0});
        const QJsonArray entries = entriesOf(fhirBundle(person, readings));
        ASSERT_EQ(entries.size(), readings.size() + 1);
        for (qsizetype i = 0; i < readings.size(); ++i) {
            const QDateTime local = readings[i].moment.toLocalTime();
            const int minutes = local.offsetFromUtc() / 60;
            const QString expected = local.toString("yyyy-MM-ddTHH:mm:ss") +
                                     QString::asprintf("%c%02d:%02d", minutes < 0 ? '-' : '+',
                                                       qAbs(minutes) / 60, qAbs(minutes) % 60);
            const QJsonObject entry = entries[i + 1].toObject();
            ASSERT_EQ(entry["resource"].toObject()["effectiveDateTime"].toString(), expected)
                << zoneName << " " << i;
            const QString name = "bp:Muster:" + readings[i].moment.toUTC().toString(Qt::ISODate);
            ASSERT_EQ(entry["fullUrl"].toString(),
                      "urn:uuid:" + QUuid::createUuidV5(ours, name).toString(QUuid::WithoutBraces))
                << zoneName << " " << i;
        }
    }
}

TEST(FhirBundle, NoteGoesOnTheBloodPressureOnly) {
    const QString note = "Irregular \"heart\" beat\nMüller";
    const QJsonArray entries = entriesOf(
        fhirBundle(person, {{QDateTime(QDate(2024, 1, 15), QTime(7, 30)), 128, 84, 66, note},
                            {QDateTime(QDate(2024, 1, 16), QTime(7, 30)), 128, 84, 0}}));
    ASSERT_EQ(entries.size(), 4);
    const QJsonArray notes = entries[1].toObject()["resource"].toObject()["note"].toArray();
    ASSERT_EQ(notes.size(), 1);
    EXPECT_EQ(notes[0].toObject()["text"].toString(), note);
    EXPECT_FALSE(entries[2].toObject()["resource"].toObject().contains("note")) << "pulse";
    EXPECT_FALSE(entries[3].toObject()["resource"].toObject().contains("note")) << "none stored";
}

// A note longer than a block of the writer, and a device that takes nothing.
TEST(FhirBundle, LongNoteAndFailingDevice) {
    const QString note = QString(3 * 1024 * 1024 / 7, QChar(0xe4)) + "\"end\"";
    const QList<FhirReading> readings{
        {QDateTime(QDate(2024, 1, 15), QTime(7, 30)), 128, 84, 66, note}};
    const QJsonArray entries = entriesOf(fhirBundle(person, readings));
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[1].toObject()["resource"].toObject()["note"].toArray()[0].toObject()["text"],
              note);

    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_THROW(writeFhirBundle(readOnly, person, readings), ExportError);
}

TEST(FhirBundle, NamesAreEscaped) {
    for (const QString& name : {QString("O'Brien \"Jr.\""), QString("Back\\slash"),
                                QString("Two\nLines\t\x01"), QString("Müller 😀 Иванова")}) {
        const QJsonObject patient =
            entriesOf(fhirBundle({name, name, {}, {}}, {}))[0].toObject()["resource"].toObject();
        const QJsonObject given = patient["name"].toArray()[0].toObject();
        EXPECT_EQ(given["family"].toString(), name);
        EXPECT_EQ(given["given"].toArray()[0].toString(), name);
    }
}

TEST(FhirBundle, GenderAndMissingBirthDate) {
    for (const auto& [stored, code] :
         {std::pair{"Male", "male"}, {"female", "female"}, {"", "unknown"}, {"x", "unknown"}}) {
        const FhirPerson p{"A", "B", {}, stored};
        const QJsonObject patient =
            entriesOf(fhirBundle(p, {}))[0].toObject()["resource"].toObject();
        EXPECT_EQ(patient["gender"].toString(), code) << stored;
        EXPECT_FALSE(patient.contains("birthDate"));
    }
}

class FhirSourceTest : public ExportFixture {};

TEST_F(FhirSourceTest, ReadsThePersonAndTheReadingsOfTheRangeOnly) {
    LocalZone zone("Europe/Berlin");
    addPerson(1, "Muster", "1960-04-02");
    dm1.adocom1.execute("update bp_userinfo set gender='Female' where lastname='Muster'");
    for (const char* row :
         {"'Muster',120,80,60,'2024-01-14 23:59:59'", "'Muster',121,81,0,'2024-01-15 00:00:00'",
          "'Muster',122,82,61,'2024-01-16 23:59:59'", "'Muster',123,83,62,'2024-01-17 00:00:00'",
          "'Other',124,84,63,'2024-01-15 12:00:00'"})
        dm1.adocom1.execute(QString("insert into bp_record(personal,systolic,diastolic,"
                                    "heart_beat,checktime) values(%1)")
                                .arg(row));
    dm1.adocom1.execute("update bp_record set measurement_status=36 where systolic=121");
    QByteArray bundle;
    QBuffer device(&bundle);
    device.open(QIODevice::WriteOnly);
    writeStoredFhirBundle(device, dm1.ADOConnection1, language, "Muster", QDate(2024, 1, 15),
                          QDate(2024, 1, 16));
    const QJsonArray entries = entriesOf(bundle);
    ASSERT_EQ(entries.size(), 4) << "patient, two pressures, one pulse";
    const QJsonObject patient = entries[0].toObject()["resource"].toObject();
    EXPECT_EQ(patient["name"].toArray()[0].toObject()["given"].toArray()[0].toString(), "Ann");
    EXPECT_EQ(patient["birthDate"].toString(), "1960-04-02");
    EXPECT_EQ(patient["gender"].toString(), "female");
    EXPECT_EQ(entries[1].toObject()["resource"].toObject()["effectiveDateTime"].toString(),
              "2024-01-15T00:00:00+01:00");
    // The status markers are the note of the reading that has them, and of no other.
    const QJsonArray note = entries[1].toObject()["resource"].toObject()["note"].toArray();
    EXPECT_EQ(note, QJsonArray({QJsonObject{{"text", "irregular pulse, improper position"}}}));
    EXPECT_FALSE(entries[2].toObject()["resource"].toObject().contains("note"));
    EXPECT_EQ(
        entries[3].toObject()["resource"].toObject()["valueQuantity"].toObject()["value"].toInt(),
        61);
}
