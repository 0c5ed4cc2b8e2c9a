#pragma once

#include <QDialog>
#include <QVector>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lang {
struct WindowContext;
}
namespace store {
enum class FieldType;
}
namespace ui {
class DataGrid;
class RadioGroup;
} // namespace ui

namespace tools {

// One entry of the field list: the column's field and the type name of that field.
struct TfindOp {
    QString field;
    QString datatype;
};

// The type name of a field type: "string", "integer", "boolean", "float", "date";
// "ftUnknown" for a field without a type, which has no comparison.
QString FieldTypeName(store::FieldType type);

// The find dialog: moves the current record of a grid's dataset to the next record whose
// value in a chosen column matches the entry, up or down, without wrapping around.
class Tfrmfind : public QDialog {
    Q_OBJECT
public:
    // Items of the direction choice.
    enum Direction { Up, Down };

    Tfrmfind(lang::WindowContext& context, QWidget* parent = nullptr);

    // The grid searched; lists its visible columns whose field types compare.
    void setGrid(ui::DataGrid& grid);

    void btnOkClick();
    void btncancelClick();
    // Entry, field and match type are given; the focus goes to the first one missing.
    bool CheckContent();
    // The entry fits the chosen field's type.
    bool CheckFormat();
    // The dataset's current record matches.
    bool SearchRecord() const;

    QLineEdit* entry() const { return Edit1; }
    QComboBox* fieldList() const { return ComboBox1; }
    QComboBox* matchList() const { return ComboBox2; }
    ui::RadioGroup* direction() const { return RadioGroup1; }
    QPushButton* okButton() const { return btnOk; }
    QPushButton* cancelButton() const { return btncancel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    const TfindOp* chosenField() const;

    lang::WindowContext& context_;
    ui::DataGrid* dbg1 = nullptr;
    QVector<TfindOp> fields_;
    QLabel* Label1;
    QLineEdit* Edit1;
    QLabel* Label2;
    QComboBox* ComboBox1;
    QLabel* Label3;
    QComboBox* ComboBox2;
    ui::RadioGroup* RadioGroup1;
    QPushButton* btnOk;
    QPushButton* btncancel;
};

// Shows the dialog until the operator closes it.
using FindRunner = std::function<void(Tfrmfind&)>;
void runFindModally(Tfrmfind& dialog);

// Opens the find dialog on the grid, centred over parent.
void ShowFindForm(lang::WindowContext& context, ui::DataGrid& grid, QWidget* parent,
                  const FindRunner& run = runFindModally);

} // namespace tools
