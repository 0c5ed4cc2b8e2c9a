#include "output/FhirBundle.h"

#include "output/JsonOut.h"
#include "output/MomentTexts.h"
#include "output/NameUrns.h"

#include <QBuffer>

// Written by hand rather than through QJsonDocument: building the document tree of a long
// history took over a hundred times as long as writing the same list as csv.
namespace output {

namespace {

const QUuid& ourNamespace() {
    static const QUuid ns = QUuid::createUuidV5(QUuid(), QByteArrayLiteral("tonvi"));
    return ns;
}

// Readings name their person by last name only.
QByteArray personKey(const FhirPerson& person) {
    return person.lastName.toUtf8();
}

// The identifiers of one kind of reading of the person, named "kind:key:moment in UTC".
NameUrns readingUrns(const FhirPerson& person, const char* kind) {
    return NameUrns(ourNamespace(), kind + (':' + personKey(person)) + ':');
}

QByteArrayView genderCode(const QString& stored) {
    if (stored.compare(QLatin1String("Male"), Qt::CaseInsensitive) == 0)
        return "male";
    if (stored.compare(QLatin1String("Female"), Qt::CaseInsensitive) == 0)
        return "female";
    return "unknown";
}

constexpr char loincCoding[] = R"({"coding":[{"system":"http://loinc.org","code":")";

void appendQuantity(JsonOut& out, int value, QByteArrayView unit) {
    out << R"({"value":)" << value << R"(,"unit":")" << unit
        << R"(","system":"http://unitsofmeasure.org","code":")" << unit << R"("})";
}

// An entry on a line of its own, up to and including the resource's identifier.
void openEntry(JsonOut& out, QByteArrayView fullUrl, QByteArrayView type) {
    out << "\n{\"fullUrl\":\"" << fullUrl << R"(","request":{"method":"POST","url":")" << type
        << R"(","ifNoneExist":"identifier=)" << fhirIdentifierSystem << '|' << fullUrl
        << R"("},"resource":{"resourceType":")" << type << R"(","identifier":[{"system":")"
        << fhirIdentifierSystem << R"(","value":")" << fullUrl << R"("}])";
}

void openObservation(JsonOut& out, QByteArrayView fullUrl, QByteArrayView subject,
                     QByteArrayView moment, QByteArrayView profile, QByteArrayView code,
                     QByteArrayView display) {
    out << ',';
    openEntry(out, fullUrl, "Observation");
    out << R"(,"meta":{"profile":[")" << profile
        << R"("]},"status":"final","category":[{"coding":[{"system":"http://terminology.hl7.org/CodeSystem/observation-category","code":"vital-signs","display":"Vital Signs"}]}],"code":)"
        << loincCoding << code << R"(","display":")" << display
        << R"("}]},"subject":{"reference":")" << subject << R"("},"effectiveDateTime":")" << moment
        << '"';
}

void appendComponent(JsonOut& out, QByteArrayView code, QByteArrayView display, int value) {
    out << R"({"code":)" << loincCoding << code << R"(","display":")" << display
        << R"("}]},"valueQuantity":)";
    appendQuantity(out, value, "mm[Hg]");
    out << '}';
}

void appendPatient(JsonOut& out, const FhirPerson& person, QByteArrayView fullUrl) {
    openEntry(out, fullUrl, "Patient");
    out << R"(,"name":[{"family":)";
    out.string(person.lastName);
    if (!person.firstName.isEmpty()) { // an empty string is no valid FHIR value
        out << R"(,"given":[)";
        out.string(person.firstName);
        out << ']';
    }
    out << R"(}],"gender":")" << genderCode(person.gender) << '"';
    if (person.birthDate.isValid())
        out << R"(,"birthDate":")" << person.birthDate.toString(Qt::ISODate).toLatin1() << '"';
    out << "}}";
}

} // namespace

QUuid fhirPersonId(const FhirPerson& person) {
    return QUuid::createUuidV5(ourNamespace(), "person:" + personKey(person));
}

QUuid fhirReadingId(const FhirPerson& person, const QDateTime& moment, const char* kind) {
    MomentTexts texts;
    texts.set(moment);
    return QUuid::fromString(readingUrns(person, kind).urnOf(texts.utc()).sliced(9));
}

QString fhirDateTime(const QDateTime& moment) {
    MomentTexts texts;
    texts.set(moment);
    return QString::fromLatin1(texts.local());
}

void writeFhirBundle(QIODevice& device, const FhirPerson& person,
                     const QList<FhirReading>& readings) {
    JsonOut out(device);
    out << R"({"resourceType":"Bundle","type":"transaction","entry":[)";
    const QByteArray subject = "urn:uuid:" + fhirPersonId(person).toByteArray(QUuid::WithoutBraces);
    appendPatient(out, person, subject);

    MomentTexts moment;
    NameUrns bpUrns = readingUrns(person, "bp");
    NameUrns pulseUrns = readingUrns(person, "pulse");
    for (const FhirReading& reading : readings) {
        moment.set(reading.moment);
        openObservation(out, bpUrns.urnOf(moment.utc()), subject, moment.local(),
                        "http://hl7.org/fhir/StructureDefinition/bp", "85354-9",
                        "Blood pressure panel with all children optional");
        if (!reading.note.isEmpty()) {
            out << R"(,"note":[{"text":)";
            out.string(reading.note);
            out << "}]";
        }
        out << R"(,"component":[)";
        appendComponent(out, "8480-6", "Systolic blood pressure", reading.systolic);
        out << ',';
        appendComponent(out, "8462-4", "Diastolic blood pressure", reading.diastolic);
        out << "]}}";
        if (reading.pulse > 0) {
            openObservation(out, pulseUrns.urnOf(moment.utc()), subject, moment.local(),
                            "http://hl7.org/fhir/StructureDefinition/heartrate", "8867-4",
                            "Heart rate");
            out << R"(,"valueQuantity":)";
            appendQuantity(out, reading.pulse, "/min");
            out << "}}";
        }
    }
    out << "\n]}\n";
    out.finish();
}

QByteArray fhirBundle(const FhirPerson& person, const QList<FhirReading>& readings) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    writeFhirBundle(buffer, person, readings);
    return bytes;
}

} // namespace output
