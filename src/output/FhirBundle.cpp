#include "output/FhirBundle.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>

namespace output {

namespace {

const QUuid& ourNamespace() {
    static const QUuid ns = QUuid::createUuidV5(QUuid(), QByteArrayLiteral("tonvi"));
    return ns;
}

QString urn(const QUuid& id) {
    return QStringLiteral("urn:uuid:") + id.toString(QUuid::WithoutBraces);
}

// Readings name their person by last name only.
QString personKey(const FhirPerson& person) {
    return person.lastName;
}

QJsonObject coding(const char* system, const char* code, const char* display) {
    return QJsonObject{{"system", QString::fromLatin1(system)},
                       {"code", QString::fromLatin1(code)},
                       {"display", QString::fromLatin1(display)}};
}

QJsonObject loinc(const char* code, const char* display) {
    return QJsonObject{{"coding", QJsonArray{coding("http://loinc.org", code, display)}}};
}

QJsonObject quantity(int value, const char* unit) {
    const QString u = QString::fromLatin1(unit);
    return QJsonObject{{"value", value},
                       {"unit", u},
                       {"system", QStringLiteral("http://unitsofmeasure.org")},
                       {"code", u}};
}

QJsonObject entry(const QUuid& id, const QString& type, QJsonObject resource) {
    const QString value = urn(id);
    resource.insert("resourceType", type);
    resource.insert("identifier",
                    QJsonArray{QJsonObject{{"system", QString::fromLatin1(fhirIdentifierSystem)},
                                           {"value", value}}});
    return QJsonObject{
        {"fullUrl", value},
        {"resource", resource},
        {"request", QJsonObject{{"method", QStringLiteral("POST")},
                                {"url", type},
                                {"ifNoneExist", QStringLiteral("identifier=") +
                                                    QString::fromLatin1(fhirIdentifierSystem) +
                                                    '|' + value}}}};
}

QJsonObject observation(const QString& subject, const QDateTime& moment, const char* code,
                        const char* display, const char* profile) {
    return QJsonObject{
        {"meta", QJsonObject{{"profile", QJsonArray{QString::fromLatin1(profile)}}}},
        {"status", QStringLiteral("final")},
        {"category",
         QJsonArray{QJsonObject{
             {"coding",
              QJsonArray{coding("http://terminology.hl7.org/CodeSystem/observation-category",
                                "vital-signs", "Vital Signs")}}}}},
        {"code", loinc(code, display)},
        {"subject", QJsonObject{{"reference", subject}}},
        {"effectiveDateTime", fhirDateTime(moment)}};
}

QString genderCode(const QString& stored) {
    if (stored.compare(QLatin1String("Male"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("male");
    if (stored.compare(QLatin1String("Female"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("female");
    return QStringLiteral("unknown");
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
    const QDateTime local = moment.toTimeZone(QTimeZone::systemTimeZone());
    const int offset = local.offsetFromUtc();
    const int minutes = qAbs(offset) / 60;
    return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + (offset < 0 ? '-' : '+') +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QChar('0'))
               .arg(minutes % 60, 2, 10, QChar('0'));
}

QByteArray fhirBundle(const FhirPerson& person, const QList<FhirReading>& readings) {
    const QUuid patientId = fhirPersonId(person);
    const QString subject = urn(patientId);
    QJsonObject patient{{"name", QJsonArray{QJsonObject{{"family", person.lastName},
                                                        {"given", QJsonArray{person.firstName}}}}},
                        {"gender", genderCode(person.gender)}};
    if (person.birthDate.isValid())
        patient.insert("birthDate", person.birthDate.toString(Qt::ISODate));

    QJsonArray entries{entry(patientId, QStringLiteral("Patient"), patient)};
    for (const FhirReading& reading : readings) {
        QJsonObject bp = observation(subject, reading.moment, "85354-9",
                                     "Blood pressure panel with all children optional",
                                     "http://hl7.org/fhir/StructureDefinition/bp");
        bp.insert(
            "component",
            QJsonArray{QJsonObject{{"code", loinc("8480-6", "Systolic blood pressure")},
                                   {"valueQuantity", quantity(reading.systolic, "mm[Hg]")}},
                       QJsonObject{{"code", loinc("8462-4", "Diastolic blood pressure")},
                                   {"valueQuantity", quantity(reading.diastolic, "mm[Hg]")}}});
        entries.append(
            entry(fhirReadingId(person, reading.moment, "bp"), QStringLiteral("Observation"), bp));
        if (reading.pulse > 0) {
            QJsonObject hr = observation(subject, reading.moment, "8867-4", "Heart rate",
                                         "http://hl7.org/fhir/StructureDefinition/heartrate");
            hr.insert("valueQuantity", quantity(reading.pulse, "/min"));
            entries.append(entry(fhirReadingId(person, reading.moment, "pulse"),
                                 QStringLiteral("Observation"), hr));
        }
    }
    const QJsonObject bundle{{"resourceType", QStringLiteral("Bundle")},
                             {"type", QStringLiteral("transaction")},
                             {"entry", entries}};
    return QJsonDocument(bundle).toJson(QJsonDocument::Indented);
}

} // namespace output
