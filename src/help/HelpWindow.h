#pragma once

#include <QStyle>
#include <QWidget>
#include <memory>

class QLabel;
class QLineEdit;
class QToolButton;

namespace pictures {
class PictureLibrary;
}
namespace lang {
class LanguageStore;
}

namespace help {

class HelpBrowser;
class HelpSource;

// The program's own help viewer: one top-level window with contents, back, forward
// and find in page.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    HelpWindow(lang::LanguageStore& language, const pictures::PictureLibrary& pictures);

    void showDocument(std::unique_ptr<HelpSource> source, const QUrl& start);
    HelpBrowser* browser() const { return help_browser; }

    void tb_homeClick();
    // Finds the text of edt_find; shows lbl_not_found when the page lacks it.
    void findNext(bool backward);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QToolButton* addButton(const QString& name, QStyle::StandardPixmap icon);

    lang::LanguageStore& language_;
    const pictures::PictureLibrary& pictures_;
    HelpBrowser* help_browser;
    QWidget* toolbar_;
    QToolButton* tb_home;
    QToolButton* tb_back;
    QToolButton* tb_forward;
    QLabel* lbl_find;
    QLineEdit* edt_find;
    QToolButton* tb_find_prior;
    QToolButton* tb_find_next;
    QLabel* lbl_not_found;
};

} // namespace help
