#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>

namespace output {

// The person a bundle is about, as stored in bp_userinfo.
struct FhirPerson {
    QString lastName;
    QString firstName;
    QDate birthDate;
    QString gender; // stored text, "Male" or "Female"; anything else is written as unknown
};

struct FhirReading {
    QDateTime moment; // local time
    int systolic = 0;
    int diastolic = 0;
    int pulse = 0; // 0: not measured
    QString note;  // empty: none
};

// Identifier system of the readings and persons this program writes.
inline constexpr char fhirIdentifierSystem[] = "urn:tonvi:measurement";

// Name-based identifier of a person, and of one reading of that person: equal in every export.
QUuid fhirPersonId(const FhirPerson& person);
QUuid fhirReadingId(const FhirPerson& person, const QDateTime& moment, const char* kind);

// A transaction bundle: the person and one blood pressure observation per reading, with its
// note where it has one, plus a heart rate observation where the pulse was measured. Every entry is
// a conditional create, so that sending the same bundle twice adds nothing.
QByteArray fhirBundle(const FhirPerson& person, const QList<FhirReading>& readings);

// ISO date and time with the local UTC offset in force at that moment.
QString fhirDateTime(const QDateTime& moment);

} // namespace output
