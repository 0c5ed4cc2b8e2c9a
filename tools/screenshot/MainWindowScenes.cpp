#include "Scene.h"

namespace {

const SceneRegistration home{
    {"main", [](app::Tfrm_main& window, store::Tdm1&) -> QWidget* { return &window; }}};

// The header band stretches with a wider window.
const SceneRegistration wide{{"main-wide", [](app::Tfrm_main& window, store::Tdm1&) -> QWidget* {
                                  window.resize(1180, 640);
                                  return &window;
                              }}};

} // namespace
