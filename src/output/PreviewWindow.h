#pragma once

#include "output/PdfFile.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace lang {
struct WindowContext;
}

namespace output {

class ReportDocument;

// The report preview: one page at a time, painted when it is shown, with page
// navigation, zoom, printing and "Save as PDF".
class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    PreviewWindow(const ReportDocument& report, lang::WindowContext& context,
                  QWidget* parent = nullptr);

    int currentPage() const { return page_; } // 0-based
    void showPage(int page);                  // clamped to the pages there are
    int zoom() const { return zoom_; }        // percent
    void setZoom(int percent);

    void btn_firstClick() { showPage(0); }
    void btn_priorClick() { showPage(page_ - 1); }
    void btn_nextClick() { showPage(page_ + 1); }
    void btn_lastClick();
    void btn_printClick();
    void btn_pdfClick();

    QLabel* pageLabel() const { return lbl_page; }
    QLabel* pagePicture() const { return picture_; }

    std::function<void()> printRequested;
    PdfFileChooser choosePdf = choosePdfFile;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPushButton* addButton(const QString& name, const QString& caption);
    void repaintPage();

    const ReportDocument& report_;
    lang::WindowContext& context_;
    int page_ = 0;
    int zoom_ = 100;
    QPushButton* btn_first;
    QPushButton* btn_prior;
    QLabel* lbl_page;
    QPushButton* btn_next;
    QPushButton* btn_last;
    QComboBox* comb_zoom;
    QPushButton* btn_print;
    QPushButton* btn_pdf;
    QPushButton* btn_close;
    QScrollArea* scroll_;
    QLabel* picture_;
};

} // namespace output
