#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;

namespace lang {
struct WindowContext;
}
namespace ui {
class DataGrid;
}

namespace tools {

// The sort dialog: up to two of a grid's columns, each ascending or descending.
class Tfrm_sort : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_sort(lang::WindowContext& context);

    // Adds a column: its title to both visible lists, its field name to both hidden ones.
    void addColumn(const QString& title, const QString& fieldName);

    // Points the hidden list named like the sender with its last character doubled at
    // the sender's item.
    void ComboBox1Change(QComboBox& sender);
    // "ASC" for the first item, "DESC" for the second, else empty; the text does not count.
    static QString GetOrderString(const QComboBox& directions);
    void btnokClick();

    // The sort text of the choices: "field direction" per chosen key, joined by ",".
    QString sortText() const;

    QComboBox* firstKey() const { return ComboBox1; }
    QComboBox* secondKey() const { return ComboBox2; }
    QComboBox* firstDirection() const { return ComboBox3; }
    QComboBox* secondDirection() const { return ComboBox4; }
    QPushButton* okButton() const { return btnok; }
    QPushButton* cancelButton() const { return btncancel; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    lang::WindowContext& context_;
    QLabel* Label1;
    QComboBox* ComboBox1;
    QComboBox* ComboBox3;
    QLabel* Label2;
    QComboBox* ComboBox2;
    QComboBox* ComboBox4;
    QComboBox* ComboBox11;
    QComboBox* ComboBox22;
    QPushButton* btnok;
    QPushButton* btncancel;
};

// Shows the dialog until the operator closes it; true on OK.
using SortRunner = std::function<bool(Tfrm_sort&)>;
bool runSortModally(Tfrm_sort& dialog);

// Offers the grid's visible columns whose fields are neither Boolean nor without a type;
// on OK sorts the grid's dataset by the choices and returns the sort text. A closed
// dataset gives "sort_table_not_open" and no dialog. Cancel: empty text, no change.
QString ShowSortForm(lang::WindowContext& context, ui::DataGrid& grid,
                     const SortRunner& run = runSortModally);

} // namespace tools
