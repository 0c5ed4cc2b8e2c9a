#pragma once

#include <QWidget>

class QComboBox;
class QStackedWidget;

namespace lang {
struct WindowContext;
}
namespace ui {
class Toolbar;
}

namespace measure {

// Page "Analysis_Table" of the main window's page stack: a person's readings.
class DataPage : public QWidget {
    Q_OBJECT
public:
    DataPage(lang::WindowContext& context, QWidget* parent = nullptr);
    ui::Toolbar* toolbar() const { return Panel15; }
    QStackedWidget* notebook() const { return Notebook2; }
    QComboBox* comb_user() const { return comb_user_; }

    // The page's own steps when the Data button shows it.
    void enterPage();

private:
    lang::WindowContext& context_;
    ui::Toolbar* Panel15;
    QComboBox* comb_user_;
    QStackedWidget* Notebook2;
};

} // namespace measure
