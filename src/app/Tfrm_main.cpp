#include "app/Tfrm_main.h"

#include "app/LanguageChoice.h"
#include "app/QtLanguage.h"
#include "app/Settings.h"
#include "device/TransferPage.h"
#include "help/HelpDesk.h"
#include "lang/FormTextDump.h"
#include "lang/FormTexts.h"
#include "lang/LanguageStore.h"
#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "measure/DataPage.h"
#include "persons/UserPage.h"
#include "ui/ImageButton.h"
#include "ui/Notebook.h"
#include "ui/Panel.h"
#include "ui/Toolbar.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace app {

namespace {

constexpr int ButtonWidth = 96;
constexpr int ButtonHeight = 72;
constexpr int TabHeight = 22;
constexpr int FirstButtonLeft = 120;
constexpr int ButtonStep = 110;

int buttonLeft(int index) {
    return FirstButtonLeft + index * ButtonStep;
}

// Suspends the drawing of a window until the end of the scope, also on failure.
class DrawingSuspended {
public:
    explicit DrawingSuspended(QWidget& window) : window_(window) {
        window_.setUpdatesEnabled(false);
    }
    ~DrawingSuspended() { window_.setUpdatesEnabled(true); }

private:
    QWidget& window_;
};

// A row whose first image fills it as a background; the other children are placed freely.
ui::Panel* makeRow(const QString& name, int height, const QString& backgroundName,
                   QWidget* parent) {
    auto* row = new ui::Panel(name, parent);
    row->setFixedHeight(height);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* background = new ui::ImageButton(backgroundName, row);
    layout->addWidget(background);
    return row;
}

// The main window is a plain widget; a screen reader still has to hear "window".
QAccessibleInterface* mainWindowAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String("app::Tfrm_main") || !object || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
}

} // namespace

Tfrm_main::Tfrm_main(lang::WindowContext& context, QWidget* parent)
    : QWidget(parent), context_(context), panel_top(new ui::Panel("panel_top", this)),
      Panel10(makeRow("Panel10", ButtonHeight, "Image5", panel_top)),
      Panel9(makeRow("Panel9", TabHeight + Tfrm_main::TabDownTop, "Image6", panel_top)),
      panel_2(makeRow("panel_2", 4, "Image3", this)), Notebook1(new QStackedWidget(this)),
      userPage_(new persons::UserPage(context, Notebook1)),
      transferPage_(new device::TransferPage(context, Notebook1)),
      dataPage_(new measure::DataPage(context, Notebook1)),
      help_(std::make_unique<help::HelpDesk>(context)),
      qtLanguage_(std::make_unique<QtLanguage>()) {
    setObjectName("frm_main");
    static const bool described = (QAccessible::installFactory(&mainWindowAccessible), true);
    Q_UNUSED(described);
    setWindowTitle(QString::fromUtf8("Oberarm-Blutdruckmessgerät"));
    setWindowIcon(QIcon::fromTheme(QStringLiteral("org.tonvi.tonvi"),
                                   QIcon(QStringLiteral(":/app/org.tonvi.tonvi.svg"))));
    resize(792, 546);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    buildTopBand();
    Notebook1->setObjectName("Notebook1");
    auto* home = new QWidget(Notebook1);
    home->setObjectName("Home");
    auto* homeLayout = new QVBoxLayout(home);
    homeLayout->setContentsMargins(0, 0, 0, 0);
    homeLayout->setSpacing(0);
    homeLayout->addWidget(new ui::ImageButton("Image12", home), 1);
    languageChoice_ = new LanguageChoice(context_.language, home);
    languageChoice_->languageChanged = [this] { applyLanguage(); };
    homeLayout->addWidget(languageChoice_);
    Notebook1->addWidget(home);
    Notebook1->addWidget(dataPage_);
    Notebook1->addWidget(transferPage_);
    Notebook1->addWidget(userPage_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel_top);
    layout->addWidget(panel_2);
    layout->addWidget(Notebook1, 1);

    dataPage_->setFindGrid(userPage_->grid());
    const QString dataDir = context_.files.dataDir();
    dataPage_->setScheme(ReadScheme(dataDir));
    dataPage_->setSchemeWriter(
        [dataDir](readings::Scheme scheme) { WriteScheme(dataDir, scheme); });
    formTextDump = [this](QWidget& window) {
        lang::PostFormText(window, context_.dm, context_.files);
    };
    qApp->installEventFilter(this);
    FormCreate();
}

Tfrm_main::~Tfrm_main() {
    qApp->removeEventFilter(this);
}

void Tfrm_main::buildTopBand() {
    auto* band = new QVBoxLayout(panel_top);
    band->setContentsMargins(0, 0, 0, 0);
    band->setSpacing(0);
    band->addWidget(Panel10);
    band->addWidget(Panel9);

    auto* logo = new ui::ImageButton("Image1", Panel10);
    logo->setGeometry(8, 4, 64, 64);
    ui::addPressedLook(*addMainButton("m_home", 0, &Tfrm_main::m_homeClick), context_.pictures);
    ui::addPressedLook(*addMainButton("m_user", 1, &Tfrm_main::m_userClick), context_.pictures);
    ui::addPressedLook(*addMainButton("m_transfer", 2, &Tfrm_main::m_transferClick),
                       context_.pictures);
    ui::addPressedLook(*addMainButton("m_data", 3, &Tfrm_main::m_dataClick), context_.pictures);
    ui::addPressedLook(*addMainButton("m_help", 4, &Tfrm_main::m_helpClick), context_.pictures);
    addMainButton("m_Exit", 5, &Tfrm_main::m_ExitClick);

    tabs_ = {
        addTab("n_home", 0, &Tfrm_main::m_homeClick), addTab("n_user", 1, &Tfrm_main::m_userClick),
        addTab("n_transfer", 2, &Tfrm_main::m_transferClick),
        addTab("n_data", 3, &Tfrm_main::m_dataClick), addTab("n_help", 4, &Tfrm_main::m_helpClick)};
    addTab("Image11", 5, &Tfrm_main::m_ExitClick);
}

ui::ImageButton* Tfrm_main::addMainButton(const QString& name, int index,
                                          void (Tfrm_main::*handler)()) {
    auto* button = new ui::ImageButton(name, Panel10);
    button->setGeometry(buttonLeft(index), 0, ButtonWidth, ButtonHeight);
    button->setCursor(Qt::PointingHandCursor);
    connect(button, &ui::ImageButton::clicked, this, handler);
    return button;
}

ui::ImageButton* Tfrm_main::addTab(const QString& name, int index, void (Tfrm_main::*handler)()) {
    auto* tab = new ui::ImageButton(name, Panel9);
    tab->setGeometry(buttonLeft(index), TabUpTop, ButtonWidth, TabHeight);
    tab->setCursor(Qt::PointingHandCursor);
    connect(tab, &ui::ImageButton::clicked, this, handler);
    return tab;
}

void Tfrm_main::FormCreate() {
    qtLanguage_->follow(context_.language.currentLanguage());
    context_.SendMessage = [this](store::WindowMessage message) { SendMessage(message); };
    context_.ReceiveDelay = ReadSettings(context_.files.dataDir());
    // Qt moves a kept place that no screen shows any more back onto the screen.
    restoreGeometry(ReadWindowGeometry(context_.files.dataDir()));
    userPage_->setPersonLists(
        {dataPage_->comb_user(), transferPage_->comb_user1(), transferPage_->comb_user2()});
    userPage_->AddUserInfo();
    // The backgrounds of the header band and the home picture follow the window's size.
    for (const char* name : {"Image5", "Image6", "Image3", "Image12"})
        image(name)->setStretch(true);
    ui::showPage(*Notebook1, "Home");
    ui::showPage(*dataPage_->notebook(), "Home");
    connect(image("img_help"), &ui::ImageButton::clicked, this, &Tfrm_main::img_helpClick);
    for (const char* name : {"img_help_1", "img_help_3"})
        connect(image(name), &ui::ImageButton::clicked, this, &Tfrm_main::img_help_1Click);
}

void Tfrm_main::FormShow() {
    lang::SetFormText(*this, context_.language, context_.pictures);
    languageChoice_->fill();
    ui::ImageButton* home = image("n_home");
    SetImageState(*home, "down");
    home->move(home->x(), TabDownTop);
}

void Tfrm_main::applyLanguage() {
    qtLanguage_->follow(context_.language.currentLanguage());
    lang::SetFormText(*this, context_.language, context_.pictures);
    // Reloading the pictures gave every image its up picture; the down ones get theirs back.
    for (ui::ImageButton* image : findChildren<ui::ImageButton*>()) {
        if (image->isDown()) {
            image->setDown(false);
            SetImageState(*image, "down");
        }
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible() && !window->objectName().isEmpty())
            lang::SetFormText(*window, context_.language, context_.pictures);
    }
}

bool Tfrm_main::FormClose() {
    return context_.messages.ask("exit_application");
}

// The steps common to the page buttons; drawing stays suspended until the page's own
// steps have run too.
void Tfrm_main::switchPage(ui::ImageButton* tab, const QString& pageName,
                           ui::ImageButton* toolbarImage) {
    if (toolbarImage && !toolbarImage->stretch()) {
        toolbarImage->setStretch(true);
        toolbarImage->setGeometry(toolbarImage->parentWidget()->rect());
    }
    ResetTabImages();
    SetImageState(*tab, "down");
    tab->move(tab->x(), TabDownTop);
    ui::showPage(*Notebook1, pageName);
}

void Tfrm_main::m_homeClick() {
    DrawingSuspended suspended(*this);
    switchPage(image("n_home"), "Home", nullptr);
}

void Tfrm_main::m_userClick() {
    DrawingSuspended suspended(*this);
    switchPage(image("n_user"), "user", userPage_->toolbar()->background());
}

void Tfrm_main::m_transferClick() {
    DrawingSuspended suspended(*this);
    switchPage(image("n_transfer"), "Transfer", transferPage_->toolbar()->background());
    transferPage_->enterPage();
    FormResize(); // a page out of sight had no current height to halve
}

void Tfrm_main::m_dataClick() {
    DrawingSuspended suspended(*this);
    switchPage(image("n_data"), "Analysis_table", dataPage_->toolbar()->background());
    ui::showPage(*dataPage_->notebook(), "Home");
    dataPage_->enterPage();
}

// Help opens the manual and switches no page.
void Tfrm_main::m_helpClick() {
    DrawingSuspended suspended(*this);
    if (ActivateHelpWindow())
        return;
    help_->openManual();
}

void Tfrm_main::img_helpClick() {
    help_->openTopic(QStringLiteral("analysis.htm"));
}

void Tfrm_main::img_help_1Click() {
    help_->openTopic(QStringLiteral("user.htm"));
}

bool Tfrm_main::ActivateHelpWindow() {
    return help_->ActivateHelpWindow();
}

void Tfrm_main::CloseHelpViewers() {
    help_->CloseHelpViewers();
}

void Tfrm_main::m_ExitClick() {
    close();
}

void Tfrm_main::SetImageState(ui::ImageButton& image, const QString& state) {
    ui::SetImageState(image, state, context_.pictures);
}

void Tfrm_main::ResetTabImages() {
    for (ui::ImageButton* tab : tabs_) {
        if (tab->y() > TabUpTop) {
            SetImageState(*tab, "up");
            tab->move(tab->x(), TabUpTop);
        }
    }
}

void Tfrm_main::FormResize() {
    auto* memory1 = findChild<QWidget*>("GroupBox6");
    auto* memoryPanel = findChild<QWidget*>("Panel2");
    if (memory1 && memoryPanel)
        memory1->setFixedHeight(memoryPanel->height() / 2);
    auto* pulseChart = findChild<QWidget*>("Line_Chart");
    auto* pressureChart = findChild<QWidget*>("Line_Chart2");
    if (pulseChart)
        pulseChart->setFixedHeight(Notebook1->height() / 2);
    if (pulseChart && pressureChart)
        pressureChart->setFixedHeight(pulseChart->height());
}

void Tfrm_main::SendMessage(store::WindowMessage message) {
    switch (message) {
    case store::WindowMessage::Refresh: // RetryFRESH: let the gauges repaint
        QCoreApplication::processEvents();
        break;
    case store::WindowMessage::PersonsChanged: // ADDUSER_FRESH
        userPage_->AddUserInfo();
        break;
    default: // a successful download and the retries need no handling here
        break;
    }
}

bool Tfrm_main::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    if (lang::isFormTextDumpKey(key, modifiers)) {
        if (formTextDump)
            formTextDump(*this);
        return true;
    }
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    if (key == Qt::Key_F1 && held == Qt::NoModifier) {
        m_helpClick();
        return true;
    }
    static const QList<void (Tfrm_main::*)()> pages{
        &Tfrm_main::m_homeClick, &Tfrm_main::m_userClick, &Tfrm_main::m_transferClick,
        &Tfrm_main::m_dataClick};
    const int page = key - Qt::Key_1;
    if (held == Qt::ControlModifier && page >= 0 && page < pages.size()) {
        (this->*pages[page])();
        return true;
    }
    return false;
}

QString Tfrm_main::currentPageName() const {
    return Notebook1->currentWidget() ? Notebook1->currentWidget()->objectName() : QString();
}

ui::ImageButton* Tfrm_main::image(const QString& objectName) const {
    return findChild<ui::ImageButton*>(objectName);
}

void Tfrm_main::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void Tfrm_main::closeEvent(QCloseEvent* event) {
    if (FormClose()) {
        WriteWindowGeometry(context_.files.dataDir(), saveGeometry());
        CloseHelpViewers();
        event->accept();
    } else
        event->ignore();
}

void Tfrm_main::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

// Key preview: the window sees every key before the focused control does.
bool Tfrm_main::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (FormKeyDown(key->key(), key->modifiers()))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace app
