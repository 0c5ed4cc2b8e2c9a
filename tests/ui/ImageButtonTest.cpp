#include "ui/ImageButton.h"

#include "pictures/PictureLibrary.h"
#include "support/TempAppDir.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

using ui::ImageButton;

namespace {

QImage red() {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
}

void mouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button) {
    QMouseEvent event(type, at, widget.mapToGlobal(at), button,
                      type == QEvent::MouseButtonPress ? button : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

} // namespace

TEST(PictureNames, BaseNameDropsANumberedSuffix) {
    EXPECT_EQ(ui::pictureBaseName("img_help_1"), "img_help");
    EXPECT_EQ(ui::pictureBaseName("img_delete_selection_1"), "img_delete_selection");
    EXPECT_EQ(ui::pictureBaseName("img_save_user2"), "img_save_user2");
    EXPECT_EQ(ui::pictureBaseName("Image12"), "Image12");
    EXPECT_EQ(ui::pictureBaseName("n_home"), "n_home");
    EXPECT_EQ(ui::pictureBaseName("_1"), "");
}

// No lang.dll in the directory: the design pictures serve.
class ImageStateTest : public ::testing::Test {
protected:
    QImage design(const QString& name) const { return library.load(name).toImage(); }

    TempAppDir dir;
    pictures::PictureLibrary library{dir.path()};
    ImageButton image{"m_home_1"};
};

TEST_F(ImageStateTest, DownUpAndReloadUseThePicturesOfTheBaseName) {
    EXPECT_TRUE(image.picture().isNull());
    ui::SetImageState(image, "down", library);
    EXPECT_TRUE(image.isDown());
    EXPECT_EQ(image.picture().toImage(), design("m_home_d"));
    ui::LoadImagePicture(image, library);
    EXPECT_TRUE(image.isDown());
    EXPECT_EQ(image.picture().toImage(), design("m_home"));

    ui::SetImageState(image, "down", library);
    ui::SetImageState(image, "up", library);
    EXPECT_FALSE(image.isDown());
    EXPECT_EQ(image.picture().toImage(), design("m_home"));
    EXPECT_EQ(image.sizeHint(), QSize(96, 72));
}

TEST_F(ImageStateTest, UpWhenAlreadyUpLoadsNothing) {
    image.setPicture(QPixmap::fromImage(red()));
    ui::SetImageState(image, "up", library);
    ui::SetImageState(image, "leave", library);
    EXPECT_EQ(image.picture().toImage(), red());
}

TEST_F(ImageStateTest, AMissingPictureKeepsTheCurrentOneButTheFlagFollows) {
    ImageButton missing("no_picture");
    missing.setPicture(QPixmap::fromImage(red()));
    ui::SetImageState(missing, "down", library);
    EXPECT_TRUE(missing.isDown());
    ui::LoadImagePicture(missing, library);
    ui::SetImageState(missing, "up", library);
    EXPECT_FALSE(missing.isDown());
    EXPECT_EQ(missing.picture().toImage(), red());
}

TEST(ImageButtonMouse, ClickNeedsALeftPressAndReleaseInside) {
    ImageButton button("m_home");
    button.resize(40, 40);
    int pressed = 0, released = 0, clicked = 0;
    QObject::connect(&button, &ImageButton::pressed, [&] { ++pressed; });
    QObject::connect(&button, &ImageButton::released, [&] { ++released; });
    QObject::connect(&button, &ImageButton::clicked, [&] { ++clicked; });

    mouse(button, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
    mouse(button, QEvent::MouseButtonRelease, {10, 10}, Qt::LeftButton);
    EXPECT_EQ(clicked, 1);

    mouse(button, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
    mouse(button, QEvent::MouseButtonRelease, {60, 10}, Qt::LeftButton);
    mouse(button, QEvent::MouseButtonRelease, {10, 10}, Qt::LeftButton);
    mouse(button, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton);
    mouse(button, QEvent::MouseButtonRelease, {10, 10}, Qt::RightButton);
    EXPECT_EQ(clicked, 1);
    EXPECT_EQ(pressed, 3);
    EXPECT_EQ(released, 4);
}

TEST(ImageButtonKeyboard, AButtonThatActsTakesTheFocusAndClicksOnSpaceAndEnter) {
    ImageButton decoration("Image5");
    EXPECT_EQ(decoration.focusPolicy(), Qt::NoFocus);

    ImageButton button("img_sort");
    int clicks = 0;
    QObject::connect(&button, &ImageButton::clicked, [&clicks] { ++clicks; });
    EXPECT_EQ(button.focusPolicy(), Qt::StrongFocus);
    for (int key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_A}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&button, &press);
    }
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&button, &held);
    EXPECT_EQ(clicks, 3);
}

TEST(ImageButtonScale, APictureOfHigherDensityKeepsItsDesignSize) {
    ImageButton button("Image1");
    QPixmap sharp(QSize(64, 48));
    sharp.setDevicePixelRatio(2.0);
    button.setPicture(sharp);
    EXPECT_EQ(button.sizeHint(), QSize(32, 24));
}

// An image that acts on clicks is a button a screen reader can press; one held down is
// checked; one that only shows a picture is a graphic without actions.
TEST(ImageButtonAccessibility, ClickableImagesAreButtonsWithAPressAction) {
    QWidget window;
    auto* acting = new ImageButton("m_home", &window);
    int clicks = 0;
    QObject::connect(acting, &ImageButton::clicked, [&clicks] { ++clicks; });
    auto* picture = new ImageButton("Image1", &window);
    window.show();

    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(acting);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->role(), QAccessible::Button);
    ASSERT_NE(button->actionInterface(), nullptr);
    EXPECT_TRUE(button->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()));
    EXPECT_FALSE(button->state().checked);
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 1);
    acting->setDown(true);
    EXPECT_TRUE(button->state().checked);
    acting->setEnabled(false);
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 1) << "a disabled button does not act";

    QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(picture);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->role(), QAccessible::Graphic);
    EXPECT_FALSE(shown->actionInterface() && shown->actionInterface()->actionNames().contains(
                                                 QAccessibleActionInterface::pressAction()));
}

// A caption is drawn over the picture, readable on the up and the down look, and names
// an image that has no accessible name of its own.
TEST(ImageButtonCaption, IsPaintedInBothLooksAndNamesAnUnnamedImage) {
    QWidget window;
    auto* tab = new ImageButton("n_home", &window);
    tab->setPicture(QPixmap::fromImage(red()).scaled(96, 22));
    tab->resize(96, 22);
    const QImage plain = tab->grab().toImage();
    tab->setCaption("Home");
    const QImage captioned = tab->grab().toImage();
    EXPECT_NE(captioned, plain);
    tab->setDown(true);
    EXPECT_NE(tab->grab().toImage(), captioned) << "the down look draws the caption lighter";

    QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(tab);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(QAccessible::Name), "Home");
    tab->setAccessibleName("Home page");
    EXPECT_EQ(shown->text(QAccessible::Name), "Home page");
}
