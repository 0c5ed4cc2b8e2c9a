#pragma once

#include "lang/LanguageStore.h"
#include "lang/WindowContext.h"
#include "store/Database.h"
#include "store/Tdm1.h"
#include "support/FakeMessages.h"
#include "support/TempAppDir.h"
#include "ui/PictureLibrary.h"

#include <gtest/gtest.h>

// A fresh directory with a started data module, the chosen language and the rest of
// what a window needs.
class WindowContextFixture : public ::testing::Test {
protected:
    void SetUp() override {
        dm1.DataModuleCreate();
        language.selectLanguage();
    }

    void chooseLanguage(const QString& languageDef) {
        dm1.adocom1.execute("update bp_option set language_def=" + store::quoted(languageDef));
        dm1.ado_option.close();
        dm1.ado_option.open();
        language.selectLanguage();
    }

    TempAppDir dir;
    store::Tdm1 dm1{dir.path()};
    lang::LanguageStore language{dm1};
    ui::PictureLibrary pictures{dir.path()};
    FakeMessages messages;
    lang::WindowContext context{dir.path(), dm1, language, pictures, messages};
};
