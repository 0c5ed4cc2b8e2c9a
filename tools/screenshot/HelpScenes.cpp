#include "Scene.h"
#include "help/HelpDesk.h"
#include "help/HelpWindow.h"

#include <QCoreApplication>

namespace {

// The manual as the build copies it beside the executables.
const SceneRegistration helpWindow{
    {"help-window", [](app::Tfrm_main& window, store::Tdm1&) -> QWidget* {
         const QString manual = QCoreApplication::applicationDirPath() + "/TONVI_HELP.htm";
         window.helpDesk().open({manual, help::ManualKind::Html});
         return window.helpDesk().window();
     }}};

} // namespace
