#pragma once

#include "output/GridExport.h"
#include "output/ShowReport.h"
#include "store/DatabaseError.h"

#include <QList>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

class QComboBox;

namespace lang {
struct WindowContext;
}
namespace ui {
class DataGrid;
class ImageButton;
class Toolbar;
} // namespace ui

namespace persons {

class Tfrm_user;

// Page "User" of the main window's page stack: the register of persons.
class UserPage : public QWidget {
    Q_OBJECT
public:
    UserPage(lang::WindowContext& context, QWidget* parent = nullptr);
    ui::Toolbar* toolbar() const { return Panel13; }
    ui::DataGrid* grid() const { return DBGrideh4; }

    // The person lists of the other pages (comb_user, comb_user1, comb_user2).
    void setPersonLists(const QList<QComboBox*>& lists) { personLists_ = lists; }
    // Refills the person lists with the last names of the register; none is selected.
    void AddUserInfo();

    // Toggles the current person's deletion mark when the column is DelSelection.
    void DBGrideh4CellMouseClick(int column);
    void img_newClick();
    void img_editClick();
    // Deletes all persons and every reading, after the question.
    void img_delete_all_2Click();
    // Deletes the ticked persons with their readings and renumbers the rest, after the
    // question; all of it lands or none.
    void img_delete_selection_1Click();
    void img_save_as_1Click();
    output::GridExport& gridExport() { return gridExport_; }
    // Sets id to 1..n in dataset order and applies all pending person changes.
    void RenumberUsers();
    // The register as the report userinfo.rav.
    void img_preview_2Click();
    void img_print_2Click();
    output::ReportShow& reports() { return reports_; }

    // Prepares the record of ado_user for mode "new" or "edit" and runs the person dialog.
    void ShowUserForm(const QString& mode);
    QString UserFormMode;
    // Runs the prepared dialog; modal by default. Tests drive the dialog here instead.
    std::function<void(Tfrm_user&)> runUserForm;

private:
    void addToolImage(ui::ImageButton* image, void (UserPage::*handler)());
    bool askToDeleteTicked();
    void deleteTickedPersons();
    std::optional<store::DatabaseError> inOneTransaction(const std::function<void()>& writes);
    void reopenAfterDeletion();
    void connectReportImages();

    lang::WindowContext& context_;
    ui::Toolbar* Panel13;
    ui::DataGrid* DBGrideh4;
    QList<QComboBox*> personLists_;
    output::GridExport gridExport_;
    output::ReportShow reports_{context_};
};

} // namespace persons
