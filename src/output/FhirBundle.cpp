#include "output/FhirBundle.h"

// Written by hand rather than through QJsonDocument: building the document tree of a long
// history took over a hundred times as long as writing the same list as csv.
namespace output {

namespace {

const QUuid& ourNamespace() {
    static const QUuid ns = QUuid::createUuidV5(QUuid(), QByteArrayLiteral("tonvi"));
    return ns;
}

QByteArray urn(const QUuid& id) {
    return QByteArrayLiteral("urn:uuid:") + id.toByteArray(QUuid::WithoutBraces);
}

// Readings name their person by last name only.
QString personKey(const FhirPerson& person) {
    return person.lastName;
}

// A JSON string literal.
void appendString(QByteArray& out, const QString& text) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            escaped += QLatin1Char('\\');
        if (c.unicode() < 0x20)
            escaped += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            escaped += c;
    }
    out += '"';
    out += escaped.toUtf8();
    out += '"';
}

QByteArray genderCode(const QString& stored) {
    if (stored.compare(QLatin1String("Male"), Qt::CaseInsensitive) == 0)
        return QByteArrayLiteral("male");
    if (stored.compare(QLatin1String("Female"), Qt::CaseInsensitive) == 0)
        return QByteArrayLiteral("female");
    return QByteArrayLiteral("unknown");
}

constexpr char loincCoding[] = R"({"coding":[{"system":"http://loinc.org","code":")";

void appendQuantity(QByteArray& out, int value, const char* unit) {
    out += R"({"value":)";
    out += QByteArray::number(value);
    out += R"(,"unit":")";
    out += unit;
    out += R"(","system":"http://unitsofmeasure.org","code":")";
    out += unit;
    out += R"("})";
}

// The opening of an entry up to and including the resource's type.
void openEntry(QByteArray& out, const QByteArray& fullUrl, const char* type) {
    out += R"(,
{"fullUrl":")";
    out += fullUrl;
    out += R"(","request":{"method":"POST","url":")";
    out += type;
    out += R"(","ifNoneExist":"identifier=)";
    out += fhirIdentifierSystem;
    out += '|';
    out += fullUrl;
    out += R"("},"resource":{"resourceType":")";
    out += type;
    out += R"(","identifier":[{"system":")";
    out += fhirIdentifierSystem;
    out += R"(","value":")";
    out += fullUrl;
    out += R"("}])";
}

void openObservation(QByteArray& out, const QByteArray& fullUrl, const QByteArray& subject,
                     const QByteArray& moment, const char* profile, const char* code,
                     const char* display) {
    openEntry(out, fullUrl, "Observation");
    out += R"(,"meta":{"profile":[")";
    out += profile;
    out +=
        R"("]},"status":"final","category":[{"coding":[{"system":"http://terminology.hl7.org/CodeSystem/observation-category","code":"vital-signs","display":"Vital Signs"}]}],"code":)";
    out += loincCoding;
    out += code;
    out += R"(","display":")";
    out += display;
    out += R"("}]},"subject":{"reference":")";
    out += subject;
    out += R"("},"effectiveDateTime":")";
    out += moment;
    out += '"';
}

void appendComponent(QByteArray& out, const char* code, const char* display, int value) {
    out += R"({"code":)";
    out += loincCoding;
    out += code;
    out += R"(","display":")";
    out += display;
    out += R"("}]},"valueQuantity":)";
    appendQuantity(out, value, "mm[Hg]");
    out += '}';
}

} // namespace

QUuid fhirPersonId(const FhirPerson& person) {
    return QUuid::createUuidV5(ourNamespace(), QStringLiteral("person:") + personKey(person));
}

QUuid fhirReadingId(const FhirPerson& person, const QDateTime& moment, const char* kind) {
    return QUuid::createUuidV5(ourNamespace(), QString::fromLatin1(kind) + ':' + personKey(person) +
                                                   ':' + moment.toUTC().toString(Qt::ISODate));
}

QString fhirDateTime(const QDateTime& moment) {
    const QDateTime local = moment.toLocalTime();
    const int offset = local.offsetFromUtc();
    const int minutes = qAbs(offset) / 60;
    return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + (offset < 0 ? '-' : '+') +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QChar('0'))
               .arg(minutes % 60, 2, 10, QChar('0'));
}

QByteArray fhirBundle(const FhirPerson& person, const QList<FhirReading>& readings) {
    QByteArray out;
    out.reserve(200 + readings.size() * 2400);
    out += R"({"resourceType":"Bundle","type":"transaction","entry":[)";
    const QByteArray subject = urn(fhirPersonId(person));
    const qsizetype first = out.size();
    openEntry(out, subject, "Patient");
    out.remove(first, 1); // the first entry has no separator
    out += R"(,"name":[{"family":)";
    appendString(out, person.lastName);
    if (!person.firstName.isEmpty()) { // an empty string is no valid FHIR value
        out += R"(,"given":[)";
        appendString(out, person.firstName);
        out += ']';
    }
    out += R"(}],"gender":")";
    out += genderCode(person.gender);
    out += '"';
    if (person.birthDate.isValid()) {
        out += R"(,"birthDate":")";
        out += person.birthDate.toString(Qt::ISODate).toLatin1();
        out += '"';
    }
    out += "}}";

    for (const FhirReading& reading : readings) {
        const QByteArray moment = fhirDateTime(reading.moment).toLatin1();
        openObservation(out, urn(fhirReadingId(person, reading.moment, "bp")), subject, moment,
                        "http://hl7.org/fhir/StructureDefinition/bp", "85354-9",
                        "Blood pressure panel with all children optional");
        out += R"(,"component":[)";
        appendComponent(out, "8480-6", "Systolic blood pressure", reading.systolic);
        out += ',';
        appendComponent(out, "8462-4", "Diastolic blood pressure", reading.diastolic);
        out += ']';
        if (!reading.note.isEmpty()) {
            out += R"(,"note":[{"text":)";
            appendString(out, reading.note);
            out += "}]";
        }
        out += "}}";
        if (reading.pulse > 0) {
            openObservation(out, urn(fhirReadingId(person, reading.moment, "pulse")), subject,
                            moment, "http://hl7.org/fhir/StructureDefinition/heartrate", "8867-4",
                            "Heart rate");
            out += R"(,"valueQuantity":)";
            appendQuantity(out, reading.pulse, "/min");
            out += "}}";
        }
    }
    out += "\n]}\n";
    return out;
}

} // namespace output
