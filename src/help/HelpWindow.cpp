#include "help/HelpWindow.h"

#include "help/HelpBrowser.h"
#include "help/HelpSource.h"
#include "lang/FormTexts.h"
#include "ui/ScreenFit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QShowEvent>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace help {

HelpWindow::HelpWindow(lang::LanguageStore& language, const pictures::PictureLibrary& pictures)
    : QWidget(nullptr), language_(language), pictures_(pictures),
      help_browser(new HelpBrowser(this)), toolbar_(new QWidget(this)) {
    setObjectName(QStringLiteral("frm_help"));
    setWindowTitle(QStringLiteral("Help"));
    ui::fitIntoScreen(*this, QSize(760, 600));

    auto* row = new QHBoxLayout(toolbar_);
    row->setContentsMargins(4, 4, 4, 4);
    tb_home = addButton(QStringLiteral("tb_home"), QStyle::SP_DirHomeIcon);
    tb_back = addButton(QStringLiteral("tb_back"), QStyle::SP_ArrowBack);
    tb_forward = addButton(QStringLiteral("tb_forward"), QStyle::SP_ArrowForward);
    row->addStretch();
    lbl_find = new QLabel(QStringLiteral("Find:"), toolbar_);
    lbl_find->setObjectName(QStringLiteral("lbl_find"));
    row->addWidget(lbl_find);
    edt_find = new QLineEdit(toolbar_);
    edt_find->setObjectName(QStringLiteral("edt_find"));
    edt_find->setClearButtonEnabled(true);
    row->addWidget(edt_find);
    tb_find_prior = addButton(QStringLiteral("tb_find_prior"), QStyle::SP_ArrowUp);
    tb_find_next = addButton(QStringLiteral("tb_find_next"), QStyle::SP_ArrowDown);
    lbl_not_found = new QLabel(QStringLiteral("Not found"), toolbar_);
    lbl_not_found->setObjectName(QStringLiteral("lbl_not_found"));
    lbl_not_found->hide();
    row->addWidget(lbl_not_found);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar_);
    layout->addWidget(help_browser, 1);

    tb_back->setEnabled(false);
    tb_forward->setEnabled(false);
    connect(tb_home, &QToolButton::clicked, this, &HelpWindow::tb_homeClick);
    connect(tb_back, &QToolButton::clicked, help_browser, &QTextBrowser::backward);
    connect(tb_forward, &QToolButton::clicked, help_browser, &QTextBrowser::forward);
    connect(help_browser, &QTextBrowser::backwardAvailable, tb_back, &QWidget::setEnabled);
    connect(help_browser, &QTextBrowser::forwardAvailable, tb_forward, &QWidget::setEnabled);
    connect(tb_find_next, &QToolButton::clicked, this, [this] { findNext(false); });
    connect(tb_find_prior, &QToolButton::clicked, this, [this] { findNext(true); });
    connect(edt_find, &QLineEdit::returnPressed, this, [this] { findNext(false); });
    connect(edt_find, &QLineEdit::textChanged, lbl_not_found, &QWidget::hide);
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        edt_find->setFocus();
        edt_find->selectAll();
    });
    connect(new QShortcut(QKeySequence::FindNext, this), &QShortcut::activated, this,
            [this] { findNext(false); });
    connect(new QShortcut(QKeySequence::FindPrevious, this), &QShortcut::activated, this,
            [this] { findNext(true); });
}

QToolButton* HelpWindow::addButton(const QString& name, QStyle::StandardPixmap icon) {
    auto* button = new QToolButton(toolbar_);
    button->setObjectName(name);
    button->setIcon(style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolbar_->layout()->addWidget(button);
    return button;
}

void HelpWindow::showDocument(std::unique_ptr<HelpSource> source, const QUrl& start) {
    lbl_not_found->hide();
    help_browser->showDocument(std::move(source), start);
}

void HelpWindow::tb_homeClick() {
    if (help_browser->helpSource())
        help_browser->setSource(help_browser->helpSource()->home());
}

void HelpWindow::findNext(bool backward) {
    lbl_not_found->setVisible(!help_browser->findText(edt_find->text(), backward));
}

void HelpWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        lang::SetFormText(*this, language_, pictures_);
}

} // namespace help
