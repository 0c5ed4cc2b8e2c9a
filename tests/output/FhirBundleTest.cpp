#include "output/FhirBundle.h"

#include "output/ExportFixture.h"
#include "output/FhirSource.h"
#include "support/LocalZone.h"

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
        {QDateTime(QDate(2024, 3, 31), QTime(3, 0)), "2024-03-31T03:00:00+02:00"},
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
    const QByteArray bundle = storedFhirBundle(dm1.ADOConnection1, language, "Muster",
                                               QDate(2024, 1, 15), QDate(2024, 1, 16));
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
