#pragma once

#include "ui/Panel.h"

class QHBoxLayout;

namespace ui {

class ImageButton;

// A page's tool bar: a background picture under a row of tool images and lists.
class Toolbar : public Panel {
    Q_OBJECT
public:
    Toolbar(const QString& objectName, const QString& backgroundName, QWidget* parent = nullptr);

    ImageButton* background() const { return background_; }
    ImageButton* addImage(const QString& objectName);
    void addWidget(QWidget* widget);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    ImageButton* background_;
    QHBoxLayout* row_;
};

} // namespace ui
