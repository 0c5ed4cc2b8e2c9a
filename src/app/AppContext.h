#pragma once

#include <QString>

class QWidget;

namespace store {
class Tdm1;
}
namespace lang {
class LanguageStore;
class Messages;
} // namespace lang
namespace ui {
class PictureLibrary;
}

namespace app {

// What the windows share for the whole run.
struct AppContext {
    QString appDir;
    store::Tdm1& dm;
    lang::LanguageStore& language;
    const ui::PictureLibrary& pictures;
    lang::Messages& messages;
    int ReceiveDelay = 20;
    QWidget* MainWindowHandle = nullptr;
};

} // namespace app
