#include "Scene.h"
#include "help/HelpDesk.h"
#include "help/HelpWindow.h"

namespace {

// The manual in the scene's language, as the build copies it beside the executables.
const SceneRegistration helpWindow{
    {"help-window", [](app::Tfrm_main& window, store::Tdm1&) -> QWidget* {
         window.helpDesk().openManual();
         return window.helpDesk().window();
     }}};

} // namespace
