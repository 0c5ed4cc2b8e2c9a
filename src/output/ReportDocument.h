#pragma once

#include "output/ReportTemplate.h"
#include "ui/DatasetTableModel.h"

#include <QHash>
#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QPagedPaintDevice;
class QPainter;

namespace store {
class Dataset;
}

namespace output {

// A first page drawn by the program before the rows, under the header band.
class ReportFrontPage {
public:
    virtual ~ReportFrontPage() = default;
    // Paints into area (device pixels); fontSize is the template's in points, k the device
    // pixels per point.
    virtual void paint(QPainter& painter, const QRectF& area, double fontSize, double k) const = 0;
};

// What the data cannot tell. An empty person or period is taken from the data: the person
// from the first row, the period from the earliest and the latest value. periodFormat,
// where given, writes the cells of the period field. rowCells give the columns whose field
// (in lower case) is worked out from the row. A front page comes before the rows, and
// without rows it stands alone.
struct ReportHeading {
    QString person;
    QString period;
    ui::CellFormat periodFormat = {};
    std::shared_ptr<const ReportFrontPage> frontPage = {};
    QHash<QString, ui::RowCell> rowCells = {};
};

// A template bound to a dataset, laid out in pages. Every row has the same height, so
// the page count and the rows of each page follow by arithmetic and any page can be
// painted on its own, whatever the number of rows.
class ReportDocument {
public:
    // The text of a language key; a key without a text is shown as it stands.
    using Translate = std::function<QString(const QString& key)>;

    ReportDocument(QString templatePath, ReportTemplate design, store::Dataset& data,
                   Translate translate, const ReportHeading& heading = {});
    ~ReportDocument();

    const QString& templatePath() const { return templatePath_; }
    store::Dataset& dataset() const { return data_; }
    const ReportTemplate& design() const { return design_; }
    QString title() const { return text(design_.title); }
    const QString& person() const { return person_; }
    const QString& period() const { return period_; }

    QPageLayout pageLayout() const;
    int rowCount() const { return rowCount_; }
    int pageCount() const { return pageCount_; }

    // "Page N of M" for a page (0-based).
    QString pageCaption(int page) const;
    // A cell of a template column as the report writes it.
    QString cell(int row, int column) const;
    // One page (0-based) as a picture of the whole sheet at the resolution dpi.
    QImage pageImage(int page, double dpi) const;
    // Paints one page (0-based) with the painter's origin at the top left of the area
    // inside the margins, in the device's resolution.
    void paintPage(QPainter& painter, int page) const;
    // Paints every page on the device; false when painting cannot start.
    bool render(QPagedPaintDevice& device) const;

private:
    struct Summary;
    struct Metrics;

    QString text(const QString& key) const;
    QString spanOf(int column) const;
    Metrics metrics(const QPainter& painter) const;
    void paintHeader(QPainter& painter, const Metrics& m) const;
    void paintColumnTitles(QPainter& painter, const Metrics& m, double top) const;
    double paintRows(QPainter& painter, const Metrics& m, int first, int last, double top) const;
    void paintSummary(QPainter& painter, const Metrics& m, double top) const;
    void paintFooter(QPainter& painter, const Metrics& m, int page) const;
    void paintTablePage(QPainter& painter, const Metrics& m, int page) const;
    const Summary& summary() const;

    QString templatePath_;
    ReportTemplate design_;
    store::Dataset& data_;
    Translate translate_;
    std::unique_ptr<ui::DatasetTableModel> model_;
    int rowCount_ = 0;
    int rowsPerPage_ = 1;
    int pageCount_ = 1;
    std::shared_ptr<const ReportFrontPage> frontPage_;
    QString person_;
    QString period_;
    mutable std::unique_ptr<Summary> summary_;
};

} // namespace output
