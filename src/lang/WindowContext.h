#pragma once

#include "pictures/PictureLibrary.h"
#include "store/AppFiles.h"
#include "store/WindowMessage.h"

#include <functional>

namespace store {
class Tdm1;
}

namespace lang {

class LanguageStore;
class Messages;

// What the windows share for the whole run.
struct WindowContext {
    WindowContext(store::AppFiles files, store::Tdm1& dm, LanguageStore& language,
                  const pictures::PictureLibrary& pictures, Messages& messages)
        : files(std::move(files)), dm(dm), language(language), pictures(pictures),
          messages(messages) {}

    store::AppFiles files;
    store::Tdm1& dm;
    LanguageStore& language;
    const pictures::PictureLibrary& pictures;
    Messages& messages;
    // Pause between operations on the monitor, from the settings file.
    int ReceiveDelay = 20;
    // Sends a numbered window message to the main window and returns once it is handled.
    std::function<void(store::WindowMessage message)> SendMessage;
};

} // namespace lang
