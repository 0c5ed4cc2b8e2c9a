#pragma once

#include "readings/CsvImport.h"
#include "store/Database.h"
#include "support/LocalZone.h"
#include "support/QtPrinters.h"
#include "support/TempAppDir.h"
#include "testkit/QueryRows.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

// A new database with the person Müller, and files imported for that person.
class ImportFixture : public ::testing::Test {
protected:
    static inline const QDateTime now{QDate(2024, 6, 1), QTime(12, 0)};

    void SetUp() override {
        db.open(dir.file("tonvi.mdb"));
        addPerson(QStringLiteral("Müller"));
    }

    void addPerson(const QString& name) {
        db.execute(QStringLiteral("insert into bp_userinfo(id,lastname) values (1,%1)")
                       .arg(store::quoted(name)));
    }

    readings::ImportOptions options(const char* locale = "en_US") const {
        readings::ImportOptions chosen;
        chosen.locale = QLocale(QString::fromLatin1(locale));
        chosen.now = now;
        return chosen;
    }

    readings::ImportResult import(const QByteArray& bytes, const readings::ImportOptions& chosen,
                                  const QString& person = QStringLiteral("Müller")) {
        readings::CsvFile file = readings::CsvFile::fromBytes(bytes);
        return readings::importReadings(db, person, file, chosen);
    }

    // The stored readings: moment, systolic, diastolic, pulse, mark, day and time.
    QStringList stored() {
        return testkit::queryRows(
            db, QStringLiteral("select checktime||'',systolic,diastolic,heart_beat,"
                               "delselection*1,checktime_mmdd,checktime_hhmm from bp_record "
                               "order by checktime,systolic"));
    }

    // "line:key:text" for each listed rejection.
    static QStringList rejections(const readings::ImportResult& result) {
        QStringList lines;
        for (const readings::Rejection& rejection : result.summary.rejected)
            lines << QStringLiteral("%1:%2:%3")
                         .arg(rejection.line)
                         .arg(rejection.key, rejection.text);
        return lines;
    }

    static QByteArray encoded(const QString& text, QStringConverter::Encoding encoding,
                              bool byteOrderMark) {
        QStringEncoder encoder(encoding, byteOrderMark ? QStringConverter::Flag::WriteBom
                                                       : QStringConverter::Flag::Default);
        return encoder.encode(text);
    }

    static QByteArray windows1252(const QString& text) {
        QStringEncoder encoder("windows-1252");
        return encoder.encode(text);
    }

    LocalZone zone{"Europe/Berlin"};
    TempAppDir dir;
    store::Database db;
};
