#include "output/FhirBundle.h"
#include "support/LocalZone.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

using namespace output;

namespace {

// Bundles as the export writes them are valid against the official FHIR R4 JSON schema, checked
// by tools/fhir-validator (scripts/bootstrap installs it): hard names, both genders and an
// unknown one, no birth date, no first name, readings with and without a pulse, an empty list.
TEST(FhirValidation, EveryResourceIsValid) {
    const QString node = QStandardPaths::findExecutable("node");
    if (node.isEmpty())
        GTEST_SKIP() << "node is missing: run scripts/bootstrap";
    ASSERT_TRUE(QFile::exists(TONVI_FHIR_VALIDATOR_DIR "/node_modules"))
        << "the validator is missing: run scripts/bootstrap";
    const LocalZone zone("Europe/Berlin");
    const auto at = [](int month, int day) {
        return QDateTime(QDate(2024, month, day), QTime(7, 5, 9));
    };
    const QList<FhirReading> readings{{at(1, 15), 135, 85, 66},
                                      {at(7, 15), 128, 82, 0, "irregular pulse, improper position"},
                                      {at(10, 27), 300, 20, 250}};
    const struct {
        FhirPerson person;
        QList<FhirReading> readings;
    } bundles[] = {
        {{"Muster", "Erika", QDate(1960, 4, 2), "Female"}, readings},
        {{"O'Brien \"Jr.\"\t\\", "", {}, "Male"}, readings},
        {{"Иванова", "Анна", QDate(1950, 1, 1), ""}, readings},
        {{"Smith", "John", QDate(1970, 5, 5), "Male"}, {}},
    };
    QTemporaryDir dir;
    QStringList files;
    for (const auto& bundle : bundles) {
        files << dir.filePath(QString("bundle%1.json").arg(files.size()));
        QFile file(files.last());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(fhirBundle(bundle.person, bundle.readings));
    }
    QProcess validator;
    validator.start(node, QStringList{TONVI_FHIR_VALIDATOR_DIR "/validate.js"} + files);
    ASSERT_TRUE(validator.waitForFinished(120000));
    const QString report = QString::fromUtf8(validator.readAll());
    EXPECT_EQ(validator.exitCode(), 0) << report.toStdString();
    EXPECT_TRUE(report.contains("bundle0.json: 7 resources checked")) << report.toStdString();
}

} // namespace
