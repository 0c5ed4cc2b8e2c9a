#pragma once

namespace device {

// A progress display with a minimum of 0. Implementations keep progress within
// 0..maxValue: a larger value stores maxValue, and lowering maxValue below progress
// lowers progress with it.
class ProgressGauge {
public:
    virtual ~ProgressGauge() = default;
    virtual int maxValue() const = 0;
    virtual void setMaxValue(int maxValue) = 0;
    virtual int progress() const = 0;
    virtual void setProgress(int progress) = 0;
};

// A gauge without a display, for runs without a window.
class PlainGauge : public ProgressGauge {
public:
    int maxValue() const override { return maxValue_; }
    void setMaxValue(int maxValue) override;
    int progress() const override { return progress_; }
    void setProgress(int progress) override;

private:
    int maxValue_ = 100;
    int progress_ = 0;
};

} // namespace device
