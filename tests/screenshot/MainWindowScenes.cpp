#include "Scene.h"

namespace {

const SceneRegistration home{
    {"main", [](app::Tfrm_main& window, store::Tdm1&) -> QWidget* { return &window; }}};

} // namespace
