#include "persons/UserPage.h"

#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "output/SaveLocation.h"
#include "persons/Tfrm_user.h"
#include "store/ControlsDisabled.h"
#include "store/Database.h"
#include "store/DatabaseError.h"
#include "store/Tdm1.h"
#include "ui/DataGrid.h"
#include "ui/ImageButton.h"
#include "ui/Toolbar.h"

#include <QComboBox>
#include <QLocale>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace persons {

namespace {

const QString kMarkField = QStringLiteral("DelSelection");

// Titles are the field names until the language rows of the grid replace them.
QVector<ui::DataGrid::Column> personColumns() {
    const QList<std::pair<const char*, int>> fields{
        {"ID", 52},        {"DelSelection", 61}, {"LastName", 71}, {"FirstName", 78},
        {"address1", 158}, {"country", 86},      {"city", 76},     {"state", 83},
        {"zip", 64},       {"phone", 91},        {"email", 100},   {"birthday", 64},
        {"height", 78},    {"weight", 57},       {"gender", 48}};
    QVector<ui::DataGrid::Column> columns;
    for (const auto& [field, width] : fields)
        columns.append({field, field, width});
    columns[4].title = QStringLiteral("address");
    return columns;
}

} // namespace

UserPage::UserPage(lang::WindowContext& context, QWidget* parent)
    : QWidget(parent), context_(context), Panel13(new ui::Toolbar("Panel13", "Image8", this)),
      DBGrideh4(new ui::DataGrid("DBGrideh4", this)),
      gridExport_(context.messages, context.language, context.files, this) {
    setObjectName("User");
    runUserForm = [](Tfrm_user& form) { form.exec(); };

    addToolImage(Panel13->addImage("img_new"), &UserPage::img_newClick);
    addToolImage(Panel13->addImage("img_edit"), &UserPage::img_editClick);
    addToolImage(Panel13->addImage("img_delete_selection_1"),
                 &UserPage::img_delete_selection_1Click);
    addToolImage(Panel13->addImage("img_delete_all_2"), &UserPage::img_delete_all_2Click);
    addToolImage(Panel13->addImage("img_save_as_1"), &UserPage::img_save_as_1Click);
    ui::ImageButton* preview = Panel13->addImage("img_preview_2");
    addToolImage(preview, nullptr);
    for (const char* hidden : {"img_help_1", "img_print_2"})
        Panel13->addImage(hidden)->hide();
    connectReportImages();

    DBGrideh4->setColumns(personColumns());
    DBGrideh4->setDataset(&context_.dm.ado_user);
    // The grid was made before the toolbar's buttons; Tab follows the screen instead.
    setTabOrder(preview, DBGrideh4);
    // clicked comes after the grid has made the clicked row current; title clicks never
    // reach it.
    connect(DBGrideh4, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { DBGrideh4CellMouseClick(index.column()); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel13);
    layout->addWidget(DBGrideh4, 1);
}

void UserPage::addToolImage(ui::ImageButton* image, void (UserPage::*handler)()) {
    ui::addPressedLook(*image, context_.pictures);
    if (handler)
        connect(image, &ui::ImageButton::clicked, this, handler);
}

void UserPage::img_save_as_1Click() {
    gridExport_.ExportGrid(output::suggestedFileName(QStringLiteral("UserInfo")), *DBGrideh4);
}

void UserPage::AddUserInfo() {
    store::Dataset& names = context_.dm.ado_cx;
    names.close();
    names.setCommandText(QStringLiteral("select lastname from bp_userinfo group by lastname"));
    names.open();
    QStringList lastNames;
    for (names.first(); !names.eof(); names.next())
        lastNames << names.asString(QStringLiteral("lastname"));
    // Filled like a pick-only list that reports no change made by the program.
    for (QComboBox* list : personLists_) {
        const QSignalBlocker quiet(list);
        list->clear();
        list->addItems(lastNames);
        list->setCurrentIndex(-1);
    }
}

void UserPage::DBGrideh4CellMouseClick(int column) {
    store::Dataset& persons = context_.dm.ado_user;
    if (DBGrideh4->column(column).fieldName.compare(kMarkField, Qt::CaseInsensitive) != 0 ||
        persons.isEmpty())
        return;
    persons.edit();
    persons.setValue(kMarkField, !persons.asBoolean(kMarkField));
    persons.post();
}

void UserPage::img_newClick() {
    ShowUserForm(QStringLiteral("new"));
}

void UserPage::img_editClick() {
    if (!context_.dm.ado_user.isEmpty())
        ShowUserForm(QStringLiteral("edit"));
}

void UserPage::ShowUserForm(const QString& mode) {
    UserFormMode = mode;
    store::Dataset& persons = context_.dm.ado_user;
    Tfrm_user form(context_, mode, window());
    if (mode == QLatin1String("edit")) {
        persons.edit();
    } else {
        const int count = persons.recordCount();
        persons.append();
        for (const char* flag : {"smoker", "alcohol", "overweight", "cholesterol_inc",
                                 "sodium_chloride", "exercise", "sugar_increased", "diabetic"})
            persons.setValue(flag, false);
        persons.setValue(QStringLiteral("id"), count + 1);
        persons.setValue(kMarkField, false);
    }
    runUserForm(form);
}

void UserPage::img_delete_all_2Click() {
    if (!context_.messages.ask(QStringLiteral("delete_alluser_ask")))
        return;
    const auto failure = inOneTransaction([this] {
        for (const char* table : {"bp_userinfo", "bp_record", "bp_record_user1", "bp_record_user2"})
            context_.dm.adocom1.execute(QStringLiteral("delete * from ") + table);
    });
    if (failure) {
        context_.messages.showError(failure->message());
        return;
    }
    context_.dm.ado_user.close();
    context_.dm.ado_user.open();
    reopenAfterDeletion();
}

void UserPage::img_delete_selection_1Click() {
    if (!askToDeleteTicked())
        return;
    std::optional<store::DatabaseError> failure;
    {
        store::ControlsDisabled suspended(context_.dm.ado_user,
                                          store::ControlsDisabled::AtEnd::FirstRow);
        failure = inOneTransaction([this] {
            deleteTickedPersons();
            context_.dm.ado_user.checkBrowseMode();
            RenumberUsers();
        });
    }
    // The error is shown once the grid follows the register again.
    if (failure)
        context_.messages.showError(failure->message());
    else
        reopenAfterDeletion();
}

// Names the ticked persons and the number of their saved readings.
bool UserPage::askToDeleteTicked() {
    const store::Dataset& persons = context_.dm.ado_user;
    const int mark = persons.fieldIndex(kMarkField);
    const int lastName = persons.fieldIndex(QStringLiteral("lastname"));
    store::Dataset readings(context_.dm.ADOConnection1, store::WriteMode::Immediate);
    QStringList names;
    int count = 0;
    for (int row = 0; row < persons.recordCount(); ++row) {
        if (!persons.valueAt(row, mark).toBool())
            continue;
        names << persons.valueAt(row, lastName).toString();
        readings.close();
        readings.setCommandText(
            QStringLiteral("select count(*) as readings from bp_record where personal=") +
            store::quoted(names.last()));
        readings.open();
        count += readings.asInteger(QStringLiteral("readings"));
    }
    if (names.isEmpty())
        return context_.messages.ask(QStringLiteral("delete_seluser_ask"));
    return context_.messages.ask(QStringLiteral("delete_seluser_readings_ask"),
                                 {names.join(QStringLiteral(", ")), QLocale().toString(count)});
}

// Walks the register; a deleted person's follower is examined without a step.
void UserPage::deleteTickedPersons() {
    store::Dataset& persons = context_.dm.ado_user;
    persons.first();
    while (!persons.eof()) {
        if (!persons.asBoolean(kMarkField)) {
            persons.next();
            continue;
        }
        const QString condition = QStringLiteral(" where personal=") +
                                  store::quoted(persons.asString(QStringLiteral("lastname")));
        for (const char* table : {"bp_record", "bp_record_user1", "bp_record_user2"})
            context_.dm.adocom1.execute(QStringLiteral("delete * from ") + table + condition);
        persons.remove();
    }
}

void UserPage::RenumberUsers() {
    store::Dataset& persons = context_.dm.ado_user;
    persons.first();
    for (int id = 1; !persons.eof(); ++id) {
        persons.edit();
        persons.setValue(QStringLiteral("id"), id);
        persons.next();
    }
    persons.applyUpdates();
    persons.first();
}

// Runs the writes as one transaction. On failure nothing of them stays in the database,
// the register is read again so that it shows the database, and the error is returned.
std::optional<store::DatabaseError>
UserPage::inOneTransaction(const std::function<void()>& writes) {
    try {
        store::Transaction transaction(context_.dm.ADOConnection1);
        writes();
        transaction.commit();
        return std::nullopt;
    } catch (const store::DatabaseError& error) {
        context_.dm.ado_user.close();
        context_.dm.ado_user.open();
        return error;
    }
}

// The device-memory grids and the Data page read their rows again; the lists follow.
void UserPage::reopenAfterDeletion() {
    store::Tdm1& dm = context_.dm;
    for (store::Dataset* memory : {&dm.ado_rc1, &dm.ado_rc2}) {
        memory->close();
        memory->open();
    }
    dm.ado_analysis.close();
    AddUserInfo();
}

} // namespace persons
