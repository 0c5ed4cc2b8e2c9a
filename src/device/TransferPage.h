#pragma once

#include <QWidget>

namespace ui {
class Toolbar;
}

namespace device {

// Page "Transfer" of the main window's page stack: downloads from the monitor.
class TransferPage : public QWidget {
    Q_OBJECT
public:
    explicit TransferPage(QWidget* parent = nullptr);
    ui::Toolbar* toolbar() const { return Panel12; }

private:
    ui::Toolbar* Panel12;
};

} // namespace device
