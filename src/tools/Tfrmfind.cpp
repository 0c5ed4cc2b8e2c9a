#include "tools/Tfrmfind.h"

#include "lang/FormTextDump.h"
#include "lang/FormTexts.h"
#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "store/ControlsDisabled.h"
#include "store/Dataset.h"
#include "tools/FindMatch.h"
#include "ui/DataGrid.h"
#include "ui/RadioGroup.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tools {

namespace {

template <class W> W* named(const QString& name, W* widget) {
    widget->setObjectName(name);
    return widget;
}

} // namespace

QString FieldTypeName(store::FieldType type) {
    switch (type) {
    case store::FieldType::Text:
        return QStringLiteral("string");
    case store::FieldType::Integer:
        return QStringLiteral("integer");
    case store::FieldType::Boolean:
        return QStringLiteral("boolean");
    case store::FieldType::Float:
        return QStringLiteral("float");
    case store::FieldType::DateTime:
        return QStringLiteral("date");
    case store::FieldType::Unknown:
        break;
    }
    return QStringLiteral("ftUnknown");
}

Tfrmfind::Tfrmfind(lang::WindowContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      context_(context), Label1(named("Label1", new QLabel("Find Center", this))),
      Edit1(named("Edit1", new QLineEdit(this))),
      Label2(named("Label2", new QLabel("Find Filed", this))),
      ComboBox1(named("ComboBox1", new QComboBox(this))),
      Label3(named("Label3", new QLabel("Match Type", this))),
      ComboBox2(named("ComboBox2", new QComboBox(this))),
      RadioGroup1(new ui::RadioGroup("RadioGroup1", this)),
      btnOk(named("btnOk", new QPushButton("OK", this))),
      btncancel(named("btncancel", new QPushButton("Cancel", this))) {
    setObjectName("frmfind");
    setWindowTitle("Find");
    new lang::FormTextDumpKey(*this, context_);
    setFixedSize(429, 172);
    ComboBox1->setMaxVisibleItems(12);
    ComboBox2->addItems({"Beginning of field", "Anywhere in field", "Whole field"});
    ComboBox2->setCurrentIndex(int(MatchType::Beginning));
    RadioGroup1->setTitle("Direct");
    RadioGroup1->setItems({"Up", "Down"});
    RadioGroup1->setColumns(2);
    RadioGroup1->setItemIndex(Down);
    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &Tfrmfind::btnOkClick);
    connect(btncancel, &QPushButton::clicked, this, &Tfrmfind::btncancelClick);

    auto* layout = new QGridLayout(this);
    layout->setColumnStretch(1, 1);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(Edit1, 0, 1);
    layout->addWidget(Label2, 1, 0);
    layout->addWidget(ComboBox1, 1, 1);
    layout->addWidget(Label3, 2, 0);
    layout->addWidget(ComboBox2, 2, 1);
    layout->addWidget(RadioGroup1, 3, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btnOk);
    buttons->addWidget(btncancel);
    buttons->addStretch();
    layout->addLayout(buttons, 0, 2, 4, 1);
}

void Tfrmfind::setGrid(ui::DataGrid& grid) {
    dbg1 = &grid;
    const store::Dataset* rows = grid.dataset();
    for (int index = 0; rows && index < grid.columnCount(); ++index) {
        const ui::GridColumn column = grid.column(index);
        const int field = rows->fieldIndex(column.fieldName);
        if (!column.visible || field < 0 || rows->fieldType(field) == store::FieldType::Unknown)
            continue;
        fields_.append({column.fieldName, FieldTypeName(rows->fieldType(field))});
        ComboBox1->addItem(column.fieldName, int(fields_.size() - 1));
    }
    ComboBox1->setCurrentIndex(-1);
}

const TfindOp* Tfrmfind::chosenField() const {
    const QVariant index = ComboBox1->currentData();
    return index.isValid() ? &fields_[index.toInt()] : nullptr;
}

bool Tfrmfind::CheckContent() {
    const auto refuse = [this](const char* key, QWidget* control) {
        context_.messages.inform(QString::fromLatin1(key));
        control->setFocus();
        return false;
    };
    if (Edit1->text().trimmed().isEmpty())
        return refuse("find_Content_null", Edit1);
    if (ComboBox1->currentText().trimmed().isEmpty() || !chosenField())
        return refuse("find_field_null", ComboBox1);
    if (ComboBox2->currentText().trimmed().isEmpty())
        return refuse("match_type_null", ComboBox2);
    return true;
}

bool Tfrmfind::CheckFormat() {
    const QString key = entryError(chosenField()->datatype, Edit1->text());
    if (key.isEmpty())
        return true;
    context_.messages.inform(key);
    return false;
}

bool Tfrmfind::SearchRecord() const {
    return recordMatches(*dbg1->dataset(), *chosenField(), Edit1->text(),
                         MatchType(ComboBox2->currentIndex()));
}

void Tfrmfind::btnOkClick() {
    if (!CheckContent() || !CheckFormat())
        return;
    store::Dataset& rows = *dbg1->dataset();
    const int count = rows.isActive() ? rows.recordCount() : 0;
    bool found = false;
    if (count > 0) {
        const bool up = RadioGroup1->itemIndex() == Up;
        const int position = rows.recNo();
        const int range = up ? position : count - position + 1;
        const store::ControlsDisabled quiet(rows);
        found = SearchRecord();
        for (int tested = 1; !found && tested < range; ++tested) {
            up ? rows.prior() : rows.next();
            found = SearchRecord();
        }
    }
    if (!found)
        context_.messages.inform(QStringLiteral("find_not_found"));
    accept();
}

void Tfrmfind::btncancelClick() {
    reject();
}

void Tfrmfind::showEvent(QShowEvent* event) {
    lang::SetFormText(*this, context_.language, context_.pictures);
    QDialog::showEvent(event);
}

void runFindModally(Tfrmfind& dialog) {
    dialog.exec();
}

void ShowFindForm(lang::WindowContext& context, ui::DataGrid& grid, QWidget* parent,
                  const FindRunner& run) {
    Tfrmfind dialog(context, parent);
    dialog.setGrid(grid);
    run(dialog);
}

} // namespace tools
