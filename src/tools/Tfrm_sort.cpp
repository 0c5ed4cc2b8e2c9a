#include "tools/Tfrm_sort.h"

#include "lang/FormTextDump.h"
#include "lang/FormTexts.h"
#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "store/Dataset.h"
#include "ui/DataGrid.h"
#include "ui/Tag.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace tools {

namespace {

QComboBox* makeList(const QString& name, int tag, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    ui::setTag(*list, tag);
    // Long titles must not widen the small window; the lists share its width.
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(4);
    return list;
}

QComboBox* makeDirections(const QString& name, QWidget* parent) {
    QComboBox* list = makeList(name, 0, parent);
    list->addItems({QStringLiteral("ASC"), QStringLiteral("DESC")});
    list->setCurrentIndex(-1);
    return list;
}

QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// A column whose rows can be ordered by the dataset: visible, with a typed field that is
// not Boolean.
bool isSortable(const ui::GridColumn& column, const store::Dataset& rows) {
    const int field = rows.fieldIndex(column.fieldName);
    if (!column.visible || field < 0)
        return false;
    const store::FieldType type = rows.fieldType(field);
    return type != store::FieldType::Boolean && type != store::FieldType::Unknown;
}

QString keyPart(const QComboBox& fields, const QComboBox& directions) {
    return fields.currentText() + QLatin1Char(' ') + Tfrm_sort::GetOrderString(directions);
}

} // namespace

Tfrm_sort::Tfrm_sort(lang::WindowContext& context)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      context_(context), Label1(makeLabel("Label1", "First Sort", this)),
      ComboBox1(makeList("ComboBox1", 22, this)), ComboBox3(makeDirections("ComboBox3", this)),
      Label2(makeLabel("Label2", "Second Sort", this)), ComboBox2(makeList("ComboBox2", 33, this)),
      ComboBox4(makeDirections("ComboBox4", this)), ComboBox11(makeList("ComboBox11", 44, this)),
      ComboBox22(makeList("ComboBox22", 55, this)), btnok(new QPushButton("OK", this)),
      btncancel(new QPushButton("Cancel", this)) {
    setObjectName("frm_sort");
    setWindowTitle("Sort");
    new lang::FormTextDumpKey(*this, context_);
    setFixedSize(329, 168);
    btnok->setObjectName("btnok");
    btnok->setDefault(true);
    btncancel->setObjectName("btncancel");
    for (QComboBox* keys : {ComboBox1, ComboBox2}) {
        keys->setMaxVisibleItems(15);
        connect(keys, &QComboBox::currentIndexChanged, this,
                [this, keys] { ComboBox1Change(*keys); });
    }
    ComboBox11->hide();
    ComboBox22->hide();
    connect(btnok, &QPushButton::clicked, this, &Tfrm_sort::btnokClick);
    connect(btncancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(2, 1);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(ComboBox1, 0, 1);
    layout->addWidget(ComboBox3, 0, 2);
    layout->addWidget(Label2, 1, 0);
    layout->addWidget(ComboBox2, 1, 1);
    layout->addWidget(ComboBox4, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnok);
    buttons->addWidget(btncancel);
    layout->setRowStretch(2, 1);
    layout->addLayout(buttons, 3, 0, 1, 3);
}

void Tfrm_sort::addColumn(const QString& title, const QString& fieldName) {
    ComboBox1->addItem(title);
    ComboBox2->addItem(title);
    ComboBox11->addItem(fieldName);
    ComboBox22->addItem(fieldName);
    // A list picks its first item when filled; nothing is chosen until the operator does.
    for (QComboBox* list : {ComboBox1, ComboBox2, ComboBox11, ComboBox22})
        list->setCurrentIndex(-1);
}

void Tfrm_sort::ComboBox1Change(QComboBox& sender) {
    if (sender.currentText().isEmpty())
        return;
    const QString name = sender.objectName();
    if (auto* partner = findChild<QComboBox*>(name + name.back()))
        partner->setCurrentIndex(sender.currentIndex());
}

QString Tfrm_sort::GetOrderString(const QComboBox& directions) {
    switch (directions.currentIndex()) {
    case 0:
        return QStringLiteral("ASC");
    case 1:
        return QStringLiteral("DESC");
    default:
        return {};
    }
}

void Tfrm_sort::btnokClick() {
    if (ComboBox1->currentIndex() >= 0 && ComboBox1->currentIndex() == ComboBox2->currentIndex()) {
        context_.messages.inform(QStringLiteral("sort_two_same"));
        return;
    }
    accept();
}

QString Tfrm_sort::sortText() const {
    QStringList keys;
    if (ComboBox11->currentIndex() >= 0)
        keys << keyPart(*ComboBox11, *ComboBox3);
    if (ComboBox22->currentIndex() >= 0)
        keys << keyPart(*ComboBox22, *ComboBox4);
    return keys.join(QLatin1Char(','));
}

void Tfrm_sort::showEvent(QShowEvent* event) {
    lang::SetFormText(*this, context_.language, context_.pictures);
    QDialog::showEvent(event);
}

// Escape does not close the dialog; Cancel and the close box do.
void Tfrm_sort::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        event->accept();
    else
        QDialog::keyPressEvent(event);
}

bool runSortModally(Tfrm_sort& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

QString ShowSortForm(lang::WindowContext& context, ui::DataGrid& grid, const SortRunner& run) {
    store::Dataset* rows = grid.dataset();
    if (!rows || !rows->isActive()) {
        context.messages.inform(QStringLiteral("sort_table_not_open"));
        return {};
    }
    Tfrm_sort dialog(context);
    for (int index = 0; index < grid.columnCount(); ++index) {
        const ui::GridColumn column = grid.column(index);
        if (isSortable(column, *rows))
            dialog.addColumn(column.title, column.fieldName);
    }
    if (!run(dialog))
        return {};
    const QString sortText = dialog.sortText();
    rows->setSort(sortText);
    return sortText;
}

} // namespace tools
