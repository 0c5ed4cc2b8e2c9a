#pragma once

#include <QList>
#include <QWidget>

class QComboBox;

namespace lang {
struct WindowContext;
}
namespace ui {
class Toolbar;
}

namespace persons {

// Page "User" of the main window's page stack: the register of persons.
class UserPage : public QWidget {
    Q_OBJECT
public:
    UserPage(lang::WindowContext& context, QWidget* parent = nullptr);
    ui::Toolbar* toolbar() const { return Panel13; }

    // The page's own steps when the User button shows it.
    void enterPage();

    // The person lists of the other pages (comb_user, comb_user1, comb_user2).
    void setPersonLists(const QList<QComboBox*>& lists) { personLists_ = lists; }
    // Refills the person lists with the last names of the register.
    void AddUserInfo();

private:
    lang::WindowContext& context_;
    ui::Toolbar* Panel13;
    QList<QComboBox*> personLists_;
};

} // namespace persons
