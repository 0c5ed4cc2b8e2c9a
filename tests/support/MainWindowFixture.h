#pragma once

#include "app/Tfrm_main.h"
#include "support/WindowContextFixture.h"

#include <memory>

// A started data module, language store and main window in a fresh directory.
class MainWindowFixture : public WindowContextFixture {
protected:
    void SetUp() override {
        WindowContextFixture::SetUp();
        window = std::make_unique<app::Tfrm_main>(context);
        window->show();
    }

    std::unique_ptr<app::Tfrm_main> window;
};
