#pragma once

class QWidget;

namespace pictures {
class PictureLibrary;
}

namespace lang {

class LanguageStore;

// Reloads the up picture of every image button of the window.
void SetFormImage(QWidget& window, const pictures::PictureLibrary& pictures);

// SetFormImage, then applies the window's rows of bp_language (all groups but "hint")
// to the window's children, found by objectName without regard to case. The window's
// own objectName is its form name. A "tooltip" row sets the tooltip, accessible name and
// accessible description of the components of its name.
void SetFormText(QWidget& window, LanguageStore& language,
                 const pictures::PictureLibrary& pictures);

} // namespace lang
