#include "output/PreviewWindow.h"

#include "lang/FormTextDump.h"
#include "lang/FormTexts.h"
#include "lang/WindowContext.h"
#include "output/ReportDocument.h"
#include "ui/ScreenFit.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace output {

namespace {

const int kZooms[] = {50, 75, 100, 125, 150, 200};
constexpr double kScreenDpi = 96.0;

} // namespace

PreviewWindow::PreviewWindow(const ReportDocument& report, lang::WindowContext& context,
                             QWidget* parent)
    : QDialog(parent, Qt::Window), report_(report), context_(context),
      btn_first(addButton("btn_first", "|<")), btn_prior(addButton("btn_prior", "<")),
      lbl_page(new QLabel(this)), btn_next(addButton("btn_next", ">")),
      btn_last(addButton("btn_last", ">|")), comb_zoom(new QComboBox(this)),
      btn_print(addButton("btn_print", "Print")), btn_pdf(addButton("btn_pdf", "Save as PDF")),
      btn_close(addButton("btn_close", "Close")), scroll_(new QScrollArea(this)),
      picture_(new QLabel) {
    setObjectName("frm_preview");
    new lang::FormTextDumpKey(*this, context_);
    setWindowTitle("Preview");
    lbl_page->setObjectName("lbl_page");
    lbl_page->setMinimumWidth(110);
    lbl_page->setAlignment(Qt::AlignCenter);
    comb_zoom->setObjectName("comb_zoom");
    for (int zoom : kZooms)
        comb_zoom->addItem(QStringLiteral("%1 %").arg(zoom), zoom);
    comb_zoom->setCurrentIndex(comb_zoom->findData(zoom_));
    picture_->setObjectName("picture");
    picture_->setAlignment(Qt::AlignCenter);
    scroll_->setObjectName("scroll");
    scroll_->setWidget(picture_);
    scroll_->setWidgetResizable(true);
    scroll_->setBackgroundRole(QPalette::Dark);

    auto* bar = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{btn_first, btn_prior, lbl_page, btn_next,
                                                           btn_last, comb_zoom, btn_print, btn_pdf})
        bar->addWidget(widget);
    bar->addStretch();
    bar->addWidget(btn_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(scroll_, 1);

    connect(btn_first, &QPushButton::clicked, this, &PreviewWindow::btn_firstClick);
    connect(btn_prior, &QPushButton::clicked, this, &PreviewWindow::btn_priorClick);
    connect(btn_next, &QPushButton::clicked, this, &PreviewWindow::btn_nextClick);
    connect(btn_last, &QPushButton::clicked, this, &PreviewWindow::btn_lastClick);
    connect(btn_print, &QPushButton::clicked, this, &PreviewWindow::btn_printClick);
    connect(btn_pdf, &QPushButton::clicked, this, &PreviewWindow::btn_pdfClick);
    connect(btn_close, &QPushButton::clicked, this, &QDialog::accept);
    connect(comb_zoom, &QComboBox::activated, this,
            [this](int index) { setZoom(comb_zoom->itemData(index).toInt()); });

    const QSize sheet =
        (report_.pageLayout().fullRect(QPageLayout::Point).size() * kScreenDpi / 72.0).toSize();
    ui::fitIntoScreen(*this, sheet + QSize(80, 120));
    showPage(0);
}

QPushButton* PreviewWindow::addButton(const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

void PreviewWindow::showEvent(QShowEvent* event) {
    lang::SetFormText(*this, context_.language, context_.pictures);
    setWindowTitle(report_.title());
    QDialog::showEvent(event);
}

void PreviewWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageDown:
        btn_nextClick();
        break;
    case Qt::Key_PageUp:
        btn_priorClick();
        break;
    case Qt::Key_Home:
        btn_firstClick();
        break;
    case Qt::Key_End:
        btn_lastClick();
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

void PreviewWindow::showPage(int page) {
    page_ = std::clamp(page, 0, report_.pageCount() - 1);
    repaintPage();
}

void PreviewWindow::setZoom(int percent) {
    zoom_ = std::clamp(percent, 10, 400);
    comb_zoom->setCurrentIndex(comb_zoom->findData(zoom_));
    repaintPage();
}

void PreviewWindow::btn_lastClick() {
    showPage(report_.pageCount() - 1);
}

void PreviewWindow::btn_printClick() {
    if (printRequested)
        printRequested();
}

void PreviewWindow::btn_pdfClick() {
    saveAsPdf(report_, context_, this, choosePdf);
}

// Only the page on screen is painted.
void PreviewWindow::repaintPage() {
    lbl_page->setText(report_.pageCaption(page_));
    btn_first->setEnabled(page_ > 0);
    btn_prior->setEnabled(page_ > 0);
    btn_next->setEnabled(page_ < report_.pageCount() - 1);
    btn_last->setEnabled(page_ < report_.pageCount() - 1);
    QImage image = report_.pageImage(page_, kScreenDpi * zoom_ / 100.0);
    picture_->setPixmap(QPixmap::fromImage(std::move(image)));
}

} // namespace output
