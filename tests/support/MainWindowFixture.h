#pragma once

#include "lang/WindowContext.h"
#include "app/Tfrm_main.h"
#include "lang/LanguageStore.h"
#include "store/Tdm1.h"
#include "support/FakeMessages.h"
#include "support/TempAppDir.h"
#include "ui/PictureLibrary.h"

#include <gtest/gtest.h>
#include <memory>

// A started data module, language store and main window in a fresh directory.
class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        dm1.DataModuleCreate();
        language.selectLanguage();
        window = std::make_unique<app::Tfrm_main>(context);
        window->show();
    }

    TempAppDir dir;
    store::Tdm1 dm1{dir.path()};
    lang::LanguageStore language{dm1};
    ui::PictureLibrary pictures{dir.path()};
    FakeMessages messages;
    lang::WindowContext context{dir.path(), dm1, language, pictures, messages};
    std::unique_ptr<app::Tfrm_main> window;
};
