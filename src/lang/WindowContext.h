#pragma once

#include <QString>
#include <functional>

namespace store {
class Tdm1;
}
namespace ui {
class PictureLibrary;
}

namespace lang {

class LanguageStore;
class Messages;

// What the windows share for the whole run.
struct WindowContext {
    WindowContext(QString appDir, store::Tdm1& dm, LanguageStore& language,
                  const ui::PictureLibrary& pictures, Messages& messages)
        : appDir(std::move(appDir)), dm(dm), language(language), pictures(pictures),
          messages(messages) {}

    QString appDir;
    store::Tdm1& dm;
    LanguageStore& language;
    const ui::PictureLibrary& pictures;
    Messages& messages;
    // Pause between operations on the monitor, from the settings file.
    int ReceiveDelay = 20;
    // Sends a numbered window message to the main window and returns once it is handled.
    std::function<void(int message)> SendMessage;
};

} // namespace lang
