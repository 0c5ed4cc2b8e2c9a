#pragma once

#include <QWidget>

namespace ui {
class Toolbar;
}

namespace persons {

// Page "User" of the main window's page stack: the register of persons.
class UserPage : public QWidget {
    Q_OBJECT
public:
    explicit UserPage(QWidget* parent = nullptr);
    ui::Toolbar* toolbar() const { return Panel13; }

private:
    ui::Toolbar* Panel13;
};

} // namespace persons
