#pragma once

#include "app/Tfrm_main.h"
#include "store/Tdm1.h"

#include <QString>
#include <functional>
#include <vector>

// One picture: prepares the data and the window, then names the widget to grab.
// The main window is shown, in a fresh database in the scene's language.
struct Scene {
    QString name; // file name without language and extension
    std::function<QWidget*(app::Tfrm_main& window, store::Tdm1& dm1)> prepare;
};

std::vector<Scene>& scenes();

// Adds a scene at static initialisation: static SceneRegistration r{{"name", ...}};
struct SceneRegistration {
    explicit SceneRegistration(Scene scene) { scenes().push_back(std::move(scene)); }
};
