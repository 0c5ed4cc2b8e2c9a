#pragma once

#include <QWidget>

class QComboBox;

namespace lang {
struct WindowContext;
}
namespace ui {
class Toolbar;
}

namespace device {

// Page "Transfer" of the main window's page stack: downloads from the monitor.
class TransferPage : public QWidget {
    Q_OBJECT
public:
    TransferPage(lang::WindowContext& context, QWidget* parent = nullptr);
    ui::Toolbar* toolbar() const { return Panel12; }
    QComboBox* comb_user1() const { return comb_user1_; }
    QComboBox* comb_user2() const { return comb_user2_; }

    // The page's own steps when the Transfer button shows it.
    void enterPage();

private:
    lang::WindowContext& context_;
    ui::Toolbar* Panel12;
    QComboBox* comb_user1_;
    QComboBox* comb_user2_;
};

} // namespace device
