#pragma once

#include "output/ReportDestination.h"
#include "output/ReportDocument.h"
#include "testkit/ReportTemplates.h"

#include <QFileInfo>
#include <vector>

// What a report run would have shown or printed.
struct RecordedReport {
    QString destination;  // "preview" or "printer"
    QString templateFile; // file name only
    const store::Dataset* dataset = nullptr;
    int rows = 0;
    QString person;
    QString period;
    QStringList firstRow; // the cells of the first row as written
};

// Takes the place of the preview window and the printer.
class RecordingDestination : public output::ReportDestination {
public:
    void preview(const output::ReportDocument& report) override { record("preview", report); }
    void print(const output::ReportDocument& report) override { record("printer", report); }

    std::vector<RecordedReport> runs;

private:
    void record(const QString& destination, const output::ReportDocument& report) {
        QStringList firstRow;
        for (int column = 0; report.rowCount() > 0 && column < report.design().columns.size();
             ++column)
            firstRow << report.cell(0, column);
        runs.push_back({destination, QFileInfo(report.templatePath()).fileName(), &report.dataset(),
                        report.rowCount(), report.person(), report.period(), firstRow});
    }
};
