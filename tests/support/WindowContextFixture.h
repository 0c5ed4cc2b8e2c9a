#pragma once

#include "lang/LanguageStore.h"
#include "lang/WindowContext.h"
#include "pictures/PictureLibrary.h"
#include "store/Tdm1.h"
#include "support/FakeMessages.h"
#include "support/TempAppDir.h"
#include "testkit/ChosenLanguage.h"

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
        testkit::chooseLanguage(dm1, language, languageDef);
    }

    TempAppDir dir;
    store::Tdm1 dm1{dir.path()};
    lang::LanguageStore language{dm1};
    pictures::PictureLibrary pictures{dir.path()};
    FakeMessages messages;
    lang::WindowContext context{dir.path(), dm1, language, pictures, messages};
};
