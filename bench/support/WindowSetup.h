#pragma once

#include "lang/LanguageStore.h"
#include "lang/WindowContext.h"
#include "store/Tdm1.h"
#include "support/NoMessages.h"
#include "ui/PictureLibrary.h"

namespace bench {

// The data module, language and the rest of what a window needs, on the directory dir.
struct WindowSetup {
    explicit WindowSetup(const QString& dir);

    // Creates or opens the database and selects the language, as the program entry does.
    void start();

    store::Tdm1 dm1;
    lang::LanguageStore language;
    ui::PictureLibrary pictures;
    NoMessages messages;
    lang::WindowContext context;
};

} // namespace bench
