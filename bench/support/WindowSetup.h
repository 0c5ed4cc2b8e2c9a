#pragma once

#include "lang/LanguageStore.h"
#include "lang/WindowContext.h"
#include "pictures/PictureLibrary.h"
#include "store/Tdm1.h"
#include "testkit/SilentMessages.h"

namespace bench {

// The data module, language and the rest of what a window needs, on the directory dir.
struct WindowSetup {
    explicit WindowSetup(const QString& dir);

    // Creates or opens the database and selects the language, as the program entry does.
    void start();

    store::Tdm1 dm1;
    lang::LanguageStore language;
    pictures::PictureLibrary pictures;
    // Yes to every question; an error ends the run, as its figures would not count.
    testkit::SilentMessages messages{testkit::SilentMessages::Answer::Yes,
                                     testkit::SilentMessages::OnError::EndRun};
    lang::WindowContext context;
};

} // namespace bench
