#pragma once

#include "ui/PictureLibrary.h"

#include <QPixmap>
#include <QWidget>

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

    bool isDown() const { return down_; }
    void setDown(bool down) { down_ = down; }

    // Scale the picture to the widget's whole area instead of its natural size.
    void setStretch(bool stretch);
    bool stretch() const { return stretch_; }

    QSize sizeHint() const override;

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
    bool down_ = false;
    bool stretch_ = false;
    bool pressedInside_ = false;
};

// Reloads the image's up picture; the down flag is not touched. A missing picture
// leaves the current one.
void LoadImagePicture(ImageButton& image, const PictureLibrary& library);
void LoadImagePicture(ImageButton& image, const PictureLibrary::Contents& library);

// "down": load the base name + "_d" and set the flag. Anything else: when the flag is
// set, clear it and load the base name; when it is clear, load nothing.
void SetImageState(ImageButton& image, const QString& state, const PictureLibrary& library);

// The pressed look: the down picture while the mouse button is held on the image, the up
// picture again on release or when the mouse leaves it.
void addPressedLook(ImageButton& image, const PictureLibrary& library);

} // namespace ui
