#pragma once

#include <QWidget>

class QStackedWidget;

namespace ui {
class Toolbar;
}

namespace measure {

// Page "Analysis_Table" of the main window's page stack: a person's readings.
class DataPage : public QWidget {
    Q_OBJECT
public:
    explicit DataPage(QWidget* parent = nullptr);
    ui::Toolbar* toolbar() const { return Panel15; }
    QStackedWidget* notebook() const { return Notebook2; }

private:
    ui::Toolbar* Panel15;
    QStackedWidget* Notebook2;
};

} // namespace measure
