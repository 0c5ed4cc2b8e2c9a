#pragma once

#include "help/HelpDocuments.h"

#include <QUrl>
#include <functional>
#include <memory>

namespace lang {
struct WindowContext;
}

namespace help {

class HelpWindow;

// Opens the manual beside the executable: the PDF form in the desktop's viewer, the
// other forms in the program's one help window.
class HelpDesk {
public:
    explicit HelpDesk(lang::WindowContext& context);
    ~HelpDesk();

    // The first manual present, at its start; nothing when there is none.
    void openManual();
    // A page's topic ("analysis.htm"): in the compiled manual the topic of that name,
    // in the mht and htm forms the section of that name.
    void openTopic(const QString& topic);
    // Shows the manual at the topic (none: its start). A manual that cannot be read is
    // reported by message.
    void open(const Manual& manual, const QString& topic = {});

    // When the help window is open (minimised too): restores and raises it, true.
    bool ActivateHelpWindow();
    // Closes the program's own help window; viewers of other programs are left alone.
    void CloseHelpViewers();

    HelpWindow* window() const { return window_.get(); }

    // Opens a document in the desktop's registered viewer; false when that failed.
    std::function<bool(const QUrl&)> openExternal;

private:
    lang::WindowContext& context_;
    std::unique_ptr<HelpWindow> window_;
};

} // namespace help
