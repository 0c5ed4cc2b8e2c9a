#pragma once

#include <QPixmap>
#include <QWidget>
#include <concepts>

namespace ui {

// A picture that acts as a button: it carries the down flag (the tag of the original
// image component) and reports press, release, leave and click. Once something listens
// to its clicks it takes the focus with Tab, shows it, and clicks on Space and Enter.
class ImageButton : public QWidget {
    Q_OBJECT
public:
    explicit ImageButton(const QString& objectName, QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    QPixmap picture() const { return picture_; }

    // Text drawn centred over the picture, light on a down picture and dark on an up one.
    void setCaption(const QString& caption);
    QString caption() const { return caption_; }

    bool isDown() const { return down_; }
    void setDown(bool down);

    // Scale the picture to the widget's whole area instead of its natural size.
    void setStretch(bool stretch);
    bool stretch() const { return stretch_; }

    QSize sizeHint() const override;
    // Acts as a click from the keyboard or an assistive tool.
    void click() { emit clicked(); }

signals:
    void pressed();
    void released();
    void left();
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void connectNotify(const QMetaMethod& signal) override;

private:
    QPixmap picture_;
    QString caption_;
    bool down_ = false;
    bool stretch_ = false;
    bool pressedInside_ = false;
};

// Where an image finds its pictures: by resource name, a null pixmap when there is none.
template <class Pictures>
concept PictureSource = requires(const Pictures& pictures, const QString& resourceName) {
    { pictures.load(resourceName) } -> std::convertible_to<QPixmap>;
};

// The resource base name of an image component: when its second-to-last character is
// "_", the last two characters are dropped (img_help_1 -> img_help).
QString pictureBaseName(const QString& componentName);

// Shows the named picture; a missing picture leaves the current one.
template <PictureSource Pictures>
void loadPicture(ImageButton& image, const QString& resourceName, const Pictures& pictures) {
    const QPixmap picture = pictures.load(resourceName);
    if (!picture.isNull())
        image.setPicture(picture);
}

// Reloads the image's up picture; the down flag is not touched. A missing picture
// leaves the current one.
template <PictureSource Pictures>
void LoadImagePicture(ImageButton& image, const Pictures& pictures) {
    loadPicture(image, pictureBaseName(image.objectName()), pictures);
}

// "down": load the base name + "_d" and set the flag. Anything else: when the flag is
// set, clear it and load the base name; when it is clear, load nothing.
template <PictureSource Pictures>
void SetImageState(ImageButton& image, const QString& state, const Pictures& pictures) {
    const QString base = pictureBaseName(image.objectName());
    if (state == QLatin1String("down")) {
        image.setDown(true);
        loadPicture(image, base + QLatin1String("_d"), pictures);
        return;
    }
    if (!image.isDown())
        return;
    image.setDown(false);
    loadPicture(image, base, pictures);
}

// The pressed look: the down picture while the mouse button is held on the image, the up
// picture again on release or when the mouse leaves it. The pictures outlive the image.
template <PictureSource Pictures>
void addPressedLook(ImageButton& image, const Pictures& pictures) {
    QObject::connect(&image, &ImageButton::pressed, &image,
                     [&image, &pictures] { SetImageState(image, "down", pictures); });
    for (auto signal : {&ImageButton::released, &ImageButton::left})
        QObject::connect(&image, signal, &image,
                         [&image, &pictures] { SetImageState(image, "up", pictures); });
}

} // namespace ui
