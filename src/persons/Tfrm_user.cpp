#include "persons/Tfrm_user.h"

#include "lang/FormTextDump.h"
#include "lang/FormTexts.h"
#include "lang/LanguageStore.h"
#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "persons/BirthdayEdit.h"
#include "store/Database.h"
#include "store/DatabaseError.h"
#include "store/RiskFactors.h"
#include "store/Tdm1.h"
#include "store/WindowMessage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>
#include <utility>

namespace persons {

namespace {

// Longer names would widen every person list past the screen.
constexpr qsizetype kMaxNameLength = 60;

enum class Kind { Text, ReadOnly, Date, Gender };

struct Field {
    const char* column;
    const char* label;
    int row;
    int column3; // 0 left, 1 middle, 2 right
    int span;
    Kind kind = Kind::Text;
};

const Field kFields[] = {
    {"ID", "ID", 0, 0, 1, Kind::ReadOnly},
    {"LastName", "Last Name", 1, 0, 1},
    {"FirstName", "First Name", 1, 1, 1},
    {"country", "Country", 2, 0, 1},
    {"address1", "Address", 2, 1, 2},
    {"phone", "Phone", 3, 0, 1},
    {"city", "City", 3, 1, 1},
    {"state", "State", 3, 2, 1},
    {"birthday", "Date of birth", 4, 0, 1, Kind::Date},
    {"email", "Email", 4, 1, 1},
    {"zip", "Zip", 4, 2, 1},
    {"gender", "Gender", 5, 0, 1, Kind::Gender},
    {"height", "Height", 5, 1, 1},
    {"weight", "Weight", 5, 2, 1},
};

QString editorName(const Field& field) {
    const QString column = QString::fromLatin1(field.column).toLower();
    switch (field.kind) {
    case Kind::Date:
        return "dtp_" + column;
    case Kind::Gender:
        return "comb_" + column;
    default:
        return "edt_" + column;
    }
}

} // namespace

Tfrm_user::Tfrm_user(lang::WindowContext& context, const QString& mode, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      context_(context), mode_(mode), genderItems_(context.language) {
    if (mode_ == QLatin1String("edit"))
        storedLastName_ = context_.dm.ado_user.asString("LastName");
    setObjectName("frm_user");
    new lang::FormTextDumpKey(*this, context_);
    setWindowTitle(mode == QLatin1String("edit") ? "Edit User" : "Create New User");
    setFixedSize(648, 336);
    buildLayout();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void Tfrm_user::buildLayout() {
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(6);
    for (const Field& field : kFields) {
        auto* label = new QLabel(field.label, this);
        label->setObjectName("lbl_" + QString::fromLatin1(field.column).toLower());
        QWidget* editor = nullptr;
        if (field.kind == Kind::Date) {
            // Read on save: a half-typed date is no date yet.
            editor = new BirthdayEdit(this);
        } else if (field.kind == Kind::Gender) {
            auto* gender = new QComboBox(this);
            gender->setEditable(true);
            gender->lineEdit()->setObjectName("edt_gender_text");
            gender->addItems(GenderItems::values());
            connect(gender, &QComboBox::currentTextChanged, this,
                    [this, column = field.column](const QString& text) {
                        writeField(column, genderItems_.valueOf(text));
                    });
            editor = gender;
        } else {
            auto* edit = new QLineEdit(this);
            connect(
                edit, &QLineEdit::textChanged, this,
                [this, column = field.column](const QString& text) { writeField(column, text); });
            if (field.kind == Kind::ReadOnly) {
                edit->setReadOnly(true);
                QPalette greyed = edit->palette();
                greyed.setColor(QPalette::Base, greyed.color(QPalette::Window));
                edit->setPalette(greyed);
            }
            editor = edit;
        }
        editor->setObjectName(editorName(field));
        label->setBuddy(editor);
        fields->addWidget(label, field.row, 2 * field.column3);
        fields->addWidget(editor, field.row, 2 * field.column3 + 1, 1, 2 * field.span - 1);
        bindings_.append({editor, field.column});
    }
    for (int column : {1, 3, 5})
        fields->setColumnStretch(column, 1);

    auto* save = new QPushButton("Save", this);
    save->setObjectName("BitBtn1");
    save->setDefault(true);
    connect(save, &QPushButton::clicked, this, &Tfrm_user::BitBtn1Click);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("BitBtn2");
    connect(cancel, &QPushButton::clicked, this, &Tfrm_user::BitBtn2Click);
    // Tab goes in reading order: row by row, the risk factors, then Save and Cancel.
    QWidget* previous = nullptr;
    for (const Binding& binding : std::as_const(bindings_)) {
        if (previous)
            setTabOrder(previous, binding.widget);
        previous = binding.widget;
    }
    QGroupBox* riskFactors = addRiskFactors(previous);
    setTabOrder(previous, save);
    setTabOrder(save, cancel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(riskFactors);
    layout->addStretch();
    layout->addLayout(buttons);
}

// The boxes follow the fields in the Tab order; previous ends on the last box.
QGroupBox* Tfrm_user::addRiskFactors(QWidget*& previous) {
    auto* group = new QGroupBox("Risk factors", this);
    group->setObjectName("grp_risk_factors");
    auto* boxes = new QGridLayout(group);
    int index = 0;
    for (const auto& [column, caption] : store::kRiskFactors) {
        auto* box = new QCheckBox(caption, group);
        box->setObjectName("chk_" + QString::fromLatin1(column));
        connect(box, &QCheckBox::toggled, this,
                [this, column = column](bool checked) { writeField(column, checked); });
        boxes->addWidget(box, index / 4, index % 4);
        ++index;
        setTabOrder(previous, box);
        previous = box;
        bindings_.append({box, column});
    }
    return group;
}

void Tfrm_user::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

// The language rows may replace every default text, the caption included; in mode
// "edit" the caption then comes from its own message row, so it never reads "create".
void Tfrm_user::FormShow() {
    lang::SetFormText(*this, context_.language, context_.pictures);
    if (mode_ == QLatin1String("edit")) {
        const QString caption = context_.language.GetHintText("edit_user_caption");
        if (!caption.isEmpty())
            setWindowTitle(caption);
    }
    loadFields();
    lineEdit("LastName")->setFocus();
}

// Shows the current record; from then on every change goes straight into it.
void Tfrm_user::loadFields() {
    const store::Dataset& persons = context_.dm.ado_user;
    bound_ = false;
    for (const Binding& binding : bindings_) {
        const QVariant value = persons.value(binding.column);
        if (auto* box = qobject_cast<QCheckBox*>(binding.widget)) {
            box->setChecked(value.toBool());
        } else if (auto* date = qobject_cast<BirthdayEdit*>(binding.widget)) {
            date->setDate(value.isNull() ? QDate() : persons.asDateTime(binding.column).date());
        } else if (auto* list = qobject_cast<QComboBox*>(binding.widget)) {
            const int item = genderItems_.itemOf(value.toString());
            list->setCurrentIndex(item);
            list->setEditText(item < 0 ? value.toString() : list->itemText(item));
        } else {
            static_cast<QLineEdit*>(binding.widget)->setText(value.toString());
        }
    }
    bound_ = true;
}

void Tfrm_user::writeField(const QString& column, const QVariant& value) {
    if (!bound_)
        return;
    store::Dataset& persons = context_.dm.ado_user;
    // After a refused applying the record is posted but still pending: edit it again.
    if (!persons.isEditing())
        persons.edit();
    persons.setValue(column, value);
}

QLineEdit* Tfrm_user::lineEdit(const QString& column) const {
    return findChild<QLineEdit*>("edt_" + column.toLower());
}

// Shows the message and puts the focus on the field it is about; the dialog stays open.
bool Tfrm_user::refuse(QWidget* field, const char* key) {
    context_.messages.inform(QLatin1String(key));
    field->setFocus();
    return false;
}

// Stores the name without surrounding blanks.
bool Tfrm_user::takeName(QLineEdit* edit, const char* emptyKey) {
    const QString name = edit->text().trimmed();
    if (name.isEmpty())
        return refuse(edit, emptyKey);
    if (name.size() > kMaxNameLength)
        return refuse(edit, "name_too_long");
    if (name != edit->text())
        edit->setText(name);
    return true;
}

bool Tfrm_user::takeBirthday() {
    auto* birthday = findChild<BirthdayEdit*>(QStringLiteral("dtp_birthday"));
    const std::optional<QDate> day = birthday->date();
    if (!day)
        return refuse(birthday, "birthday_unreadable");
    if (*day > QDate::currentDate())
        return refuse(birthday, "birthday_in_future");
    writeField(QStringLiteral("birthday"),
               day->isNull() ? QVariant() : QVariant(day->startOfDay()));
    return true;
}

void Tfrm_user::BitBtn1Click() {
    lang::Messages& messages = context_.messages;
    QLineEdit* lastName = lineEdit("LastName");
    if (!takeName(lastName, "lastname_no_input") ||
        !takeName(lineEdit("FirstName"), "firstname_no_input") || !takeBirthday())
        return;
    store::Tdm1& dm = context_.dm;
    try {
        QString sql = "select * from bp_userinfo where LastName=" + store::quoted(lastName->text());
        if (mode_ == QLatin1String("edit"))
            sql += " and id<>" + QString::number(dm.ado_user.asInteger("id"));
        dm.ado_cx.close();
        dm.ado_cx.setCommandText(sql);
        dm.ado_cx.open();
        if (!dm.ado_cx.isEmpty()) {
            messages.inform("current_name_exists_same");
            return;
        }
        store::Transaction transaction(dm.ADOConnection1);
        moveReadings(lastName->text());
        dm.ado_user.applyUpdates();
        transaction.commit();
    } catch (const store::DatabaseError& error) {
        messages.showError(error.message());
        return;
    }
    saved_ = true;
    if (context_.SendMessage)
        context_.SendMessage(store::WindowMessage::PersonsChanged);
    messages.inform("user_infor_save_ok");
    accept();
}

// A renamed person keeps their readings: they belong to a person by the last name alone.
void Tfrm_user::moveReadings(const QString& lastName) {
    if (mode_ != QLatin1String("edit") || lastName == storedLastName_)
        return;
    for (const char* table : {"bp_record", "bp_record_user1", "bp_record_user2"})
        context_.dm.adocom1.execute(QStringLiteral("update %1 set personal=%2 where personal=%3")
                                        .arg(QLatin1String(table), store::quoted(lastName),
                                             store::quoted(storedLastName_)));
}

void Tfrm_user::BitBtn2Click() {
    reject();
}

// Every way of closing the dialog passes here.
void Tfrm_user::done(int result) {
    FormClose();
    QDialog::done(result);
}

// Without a successful save every pending change of the register is dropped: the new
// record, the edits, and a record that was posted but refused by the database.
void Tfrm_user::FormClose() {
    if (!saved_)
        context_.dm.ado_user.cancelUpdates();
}

} // namespace persons
