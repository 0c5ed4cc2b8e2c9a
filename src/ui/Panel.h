#pragma once

#include <QFrame>

class QLabel;

namespace ui {

// A frame that can show a caption in its middle, under its children.
class Panel : public QFrame {
    Q_OBJECT
public:
    explicit Panel(const QString& objectName, QWidget* parent = nullptr);
    void setCaption(const QString& caption);
    QString caption() const { return caption_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};

} // namespace ui
