#pragma once

#include "output/PdfFile.h"
#include "output/ReportDocument.h"

#include <QProcess>
#include <gtest/gtest.h>

// The report written as the PDF file pdf, read back by pdftotext, one page after another.
// Needs TONVI_PDFTOTEXT.
inline QString pdfText(const output::ReportDocument& document, const QString& pdf) {
    EXPECT_EQ(output::writePdf(document, pdf), QString());
    QProcess reader;
    reader.start(TONVI_PDFTOTEXT, {"-layout", "-enc", "UTF-8", pdf, "-"});
    EXPECT_TRUE(reader.waitForFinished(60000));
    return QString::fromUtf8(reader.readAllStandardOutput());
}

// The lines of a text with their spaces collapsed.
inline QStringList lines(const QString& text) {
    QStringList result;
    for (const QString& line : text.split('\n'))
        result << line.simplified();
    return result;
}
