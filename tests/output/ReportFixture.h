#pragma once

#include "output/PdfFile.h"
#include "output/ReportDocument.h"
#include "store/Database.h"
#include "support/PdfText.h"
#include "support/RecordingDestination.h"
#include "support/WindowContextFixture.h"
#include "ui/DatasetTableModel.h"

#include <gtest/gtest.h>
#include <memory>

// A started data module in a fresh directory that holds the report templates.
class ReportFixture : public WindowContextFixture {
protected:
    void SetUp() override {
        WindowContextFixture::SetUp();
        copyReportTemplates(dir.path());
    }

    // Readings of one person, a day apart from 1 March 2024 at 07:30, with values that
    // change from row to row; the memory tables number them.
    void readings(const QString& table, const QString& person, int count) {
        const bool memory = table != QLatin1String("bp_record");
        store::Transaction transaction(dm1.ADOConnection1);
        for (int i = 0; i < count; ++i) {
            const QDateTime time = QDateTime(QDate(2024, 3, 1), QTime(7, 30)).addDays(i);
            const QString times = QStringList{time.toString("yyyy-MM-dd hh:mm:ss"),
                                              time.toString("MM/dd"), time.toString("hh:mm")}
                                      .join("','");
            dm1.adocom1.execute(
                QStringLiteral("insert into %1(%2personal,systolic,diastolic,heart_beat,"
                               "checktime,checktime_mmdd,checktime_hhmm) values "
                               "(%3%4,%5,%6,%7,'%8')")
                    .arg(table, memory ? "idno," : "", memory ? QString::number(i + 1) + "," : "",
                         store::quoted(person))
                    .arg(110 + i % 50)
                    .arg(70 + i % 25)
                    .arg(55 + i % 40)
                    .arg(times));
        }
        transaction.commit();
    }

    std::unique_ptr<output::ReportDocument> report(const QString& templateFile,
                                                   store::Dataset& data) {
        const QString path = dir.file(templateFile);
        return std::make_unique<output::ReportDocument>(
            path, output::loadTemplate(path), data,
            [this](const QString& key) { return language.GetHintText(key); });
    }

    // The report as PDF, read back by pdftotext, one page after another.
    QString pdfText(const output::ReportDocument& document) {
        return ::pdfText(document, dir.file("report.pdf"));
    }

    // The grid's texts of the columns, cells joined by single spaces, row by row.
    static QStringList rowTexts(store::Dataset& data, const QStringList& fields) {
        ui::DatasetTableModel model;
        QVector<ui::GridColumn> columns;
        for (const QString& field : fields)
            columns.append({field, field});
        model.setColumns(columns);
        model.setDataset(&data);
        QStringList rows;
        for (int row = 0; row < model.rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < fields.size(); ++column)
                cells << model.cellText(row, column);
            rows << cells.join(' ').simplified();
        }
        return rows;
    }
};

// Whether every expected line occurs among the lines, in this order.
inline ::testing::AssertionResult inOrder(const QStringList& all, const QStringList& expected) {
    qsizetype at = 0;
    for (const QString& line : expected) {
        at = all.indexOf(line, at);
        if (at < 0)
            return ::testing::AssertionFailure()
                   << "missing or out of order: " << line.toStdString();
        ++at;
    }
    return ::testing::AssertionSuccess();
}
