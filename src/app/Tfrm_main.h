#pragma once

#include "store/WindowMessage.h"

#include <QWidget>
#include <functional>
#include <memory>

class QStackedWidget;

namespace ui {
class ImageButton;
class Panel;
} // namespace ui
namespace persons {
class UserPage;
}
namespace device {
class TransferPage;
}
namespace measure {
class DataPage;
}

namespace lang {
struct WindowContext;
}
namespace help {
class HelpDesk;
}

namespace app {

class LanguageChoice;
class QtLanguage;

// The main window: a band of image buttons with tabs over the page stack Notebook1.
class Tfrm_main : public QWidget {
    Q_OBJECT
public:
    static constexpr int TabUpTop = 6;
    static constexpr int TabDownTop = 10;

    explicit Tfrm_main(lang::WindowContext& context, QWidget* parent = nullptr);
    ~Tfrm_main() override;

    void m_homeClick();
    void m_userClick();
    void m_transferClick();
    void m_dataClick();
    void m_helpClick();
    void m_ExitClick();
    void img_helpClick();
    void img_help_1Click();

    // True when the help window was open (minimised too) and has been brought back.
    bool ActivateHelpWindow();
    // Closes the program's own help viewer; called after a confirmed exit.
    void CloseHelpViewers();
    help::HelpDesk& helpDesk() const { return *help_; }

    void SetImageState(ui::ImageButton& image, const QString& state);
    void ResetTabImages();
    void FormResize();

    // The numbered window messages of the download engine and the person dialog,
    // handled before this returns.
    void SendMessage(store::WindowMessage message);

    // Ctrl+F2 runs formTextDump (PostFormText unless replaced), F1 the help, Ctrl+1 to
    // Ctrl+4 show the Home, User, Transfer and Data pages. True when the key was one of them.
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    std::function<void(QWidget&)> formTextDump;

    // Applies the texts of the language now chosen to this window and every other open
    // window of the program.
    void applyLanguage();
    LanguageChoice* languageChoice() const { return languageChoice_; }

    QString currentPageName() const;
    ui::ImageButton* image(const QString& objectName) const;
    QStackedWidget* notebook() const { return Notebook1; }
    persons::UserPage* userPage() const { return userPage_; }
    device::TransferPage* transferPage() const { return transferPage_; }
    measure::DataPage* dataPage() const { return dataPage_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    bool FormClose();
    void buildTopBand();
    ui::ImageButton* addMainButton(const QString& name, int index, void (Tfrm_main::*handler)());
    ui::ImageButton* addTab(const QString& name, int index, void (Tfrm_main::*handler)());
    void switchPage(ui::ImageButton* tab, const QString& pageName, ui::ImageButton* toolbarImage);

    lang::WindowContext& context_;
    ui::Panel* panel_top;
    ui::Panel* Panel10;
    ui::Panel* Panel9;
    ui::Panel* panel_2;
    QStackedWidget* Notebook1;
    persons::UserPage* userPage_;
    device::TransferPage* transferPage_;
    measure::DataPage* dataPage_;
    std::unique_ptr<help::HelpDesk> help_;
    QList<ui::ImageButton*> tabs_;
    LanguageChoice* languageChoice_;
    std::unique_ptr<QtLanguage> qtLanguage_;
};

} // namespace app
