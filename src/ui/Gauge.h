#pragma once

#include <QColor>
#include <QWidget>

namespace ui {

// A progress bar with a minimum of 0. Progress stays within 0..MaxValue: a larger
// value stores MaxValue, and lowering MaxValue below Progress lowers Progress too.
class Gauge : public QWidget {
    Q_OBJECT
public:
    explicit Gauge(const QString& objectName, QWidget* parent = nullptr);

    int maxValue() const { return maxValue_; }
    void setMaxValue(int maxValue);
    int progress() const { return progress_; }
    void setProgress(int progress);
    void addProgress(int delta) { setProgress(progress_ + delta); }

    void setColor(const QColor& color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int maxValue_ = 100;
    int progress_ = 0;
    QColor color_{0, 0, 200};
};

} // namespace ui
