#include "Scene.h"
#include "app/LanguageChoice.h"
#include "ui/ImageButton.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QToolTip>

namespace {

// The main window with a pop-up drawn over it where it stands on the screen: a pop-up is
// a window of its own, which a grab of the main window leaves out.
QWidget* withPopup(app::Tfrm_main& window, QWidget* popup) {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    QPixmap picture = window.grab();
    if (popup && popup->isVisible()) {
        QPainter painter(&picture);
        painter.drawPixmap(window.mapFromGlobal(popup->mapToGlobal(QPoint(0, 0))), popup->grab());
    }
    auto* shown = new QLabel(&window, Qt::Window);
    shown->setPixmap(picture);
    shown->resize(picture.deviceIndependentSize().toSize());
    return shown;
}

const SceneRegistration languageList{
    {"home-language-list", [](app::Tfrm_main& window, store::Tdm1&) -> QWidget* {
         QComboBox* list = window.languageChoice()->list();
         list->showPopup();
         return withPopup(window, list->view()->window());
     }}};

const SceneRegistration toolbarTooltip{
    {"data-tooltip", [](app::Tfrm_main& window, store::Tdm1&) -> QWidget* {
         window.m_dataClick();
         ui::ImageButton* button = window.image("img_delete_selection");
         QToolTip::showText(button->mapToGlobal(QPoint(button->width() / 2, button->height())),
                            button->toolTip(), button);
         QWidget* tip = nullptr;
         for (QWidget* top : QApplication::topLevelWidgets()) {
             if (top->inherits("QTipLabel"))
                 tip = top;
         }
         if (tip) // below the button, as a resting mouse pointer would show it
             tip->move(button->mapToGlobal(QPoint(button->width() / 2, button->height() + 4)));
         return withPopup(window, tip);
     }}};

} // namespace
