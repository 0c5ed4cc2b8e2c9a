#include "measure/ColumnMappingDialog.h"

#include "lang/LanguageStore.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace measure {

namespace {

using readings::Field;

struct FieldRow {
    Field field;
    const char* key;
};

// In the order a person reads them.
constexpr std::array<FieldRow, readings::kFieldCount> kFieldRows{{
    {Field::DateTime, "import_field_datetime"},
    {Field::Date, "import_field_date"},
    {Field::Time, "import_field_time"},
    {Field::Systolic, "import_field_systolic"},
    {Field::Diastolic, "import_field_diastolic"},
    {Field::Pulse, "import_field_pulse"},
    {Field::Mark, "import_field_mark"},
}};

QTableWidget* firstRowsTable(const readings::FileSurvey& survey) {
    auto* table = new QTableWidget(int(survey.firstRows.size()), int(survey.titles.size()));
    table->setObjectName(QStringLiteral("firstRows"));
    table->setHorizontalHeaderLabels(survey.titles);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < survey.firstRows.size(); ++row) {
        const QStringList& fields = survey.firstRows[row];
        for (int column = 0; column < fields.size() && column < survey.titles.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(fields[column]));
    }
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return table;
}

} // namespace

ColumnMappingDialog::ColumnMappingDialog(const lang::LanguageStore& language,
                                         const readings::FileSurvey& survey, QWidget* parent)
    : QDialog(parent), table_(firstRowsTable(survey)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel)) {
    setObjectName(QStringLiteral("ColumnMappingDialog"));
    setWindowTitle(language.GetHintText(QStringLiteral("import_mapping_title")));
    auto* text = new QLabel(language.GetHintText(QStringLiteral("import_mapping_text")));
    text->setWordWrap(true);
    auto* form = new QFormLayout;
    for (const FieldRow& row : kFieldRows) {
        auto* box = new QComboBox;
        box->addItem(language.GetHintText(QStringLiteral("import_mapping_none")), -1);
        for (int column = 0; column < survey.titles.size(); ++column)
            box->addItem(QStringLiteral("%1: %2").arg(column + 1).arg(survey.titles[column]),
                         column);
        box->setCurrentIndex(box->findData(survey.mapping[row.field]));
        connect(box, &QComboBox::currentIndexChanged, this, &ColumnMappingDialog::updateOk);
        boxes_[int(row.field)] = box;
        form->addRow(language.GetHintText(QString::fromLatin1(row.key)), box);
    }
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(table_, 1);
    layout->addLayout(form);
    layout->addWidget(buttons_);
    updateOk();
    // Room for the first rows of a file of several columns.
    resize(qMax(sizeHint().width(), 560), sizeHint().height());
}

readings::ColumnMapping ColumnMappingDialog::mapping() const {
    readings::ColumnMapping chosen;
    for (const FieldRow& row : kFieldRows)
        chosen.set(row.field, fieldBox(row.field)->currentData().toInt());
    return chosen;
}

bool ColumnMappingDialog::canAccept() const {
    return buttons_->button(QDialogButtonBox::Ok)->isEnabled();
}

void ColumnMappingDialog::updateOk() {
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(mapping().complete());
}

bool runMappingModally(ColumnMappingDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

} // namespace measure
