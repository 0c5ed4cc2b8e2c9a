#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace lang {
struct WindowContext;
}
namespace ui {
class Panel;
class RadioGroup;
} // namespace ui

namespace output {

// The selection dialog: a person from the register, or (mode "print") a device memory.
class Tfrm_Seluser : public QDialog {
    Q_OBJECT
public:
    // Fills the person list from the register.
    explicit Tfrm_Seluser(lang::WindowContext& context, QWidget* parent = nullptr);

    // Mode "print" shows the memory choice over the person list and hides the label;
    // any other mode hides the memory choice.
    void setMode(const QString& mode);
    // The choice as ShowSelUserForm gives it after OK.
    QString result() const;

    void btnokClick();

    QComboBox* personList() const { return comb_user; }
    ui::RadioGroup* memoryChoice() const { return RadioGroup1; }
    QLabel* userNameLabel() const { return Label1; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();

    lang::WindowContext& context_;
    QString mode_;
    QGroupBox* GroupBox1;
    QLabel* Label1;
    QComboBox* comb_user;
    ui::RadioGroup* RadioGroup1;
    ui::Panel* Panel1;
    QPushButton* btnok;
    QPushButton* btncancel;
};

// Shows the dialog until the operator closes it; true on OK.
using SelUserRunner = std::function<bool(Tfrm_Seluser&)>;
bool runSelUserModally(Tfrm_Seluser& dialog);

// Opens the dialog in mode. On OK: mode "print" gives the chosen memory's position as
// text ("0" for the first, "1" for the second); any other mode the chosen last name.
// Cancel gives an empty text.
QString ShowSelUserForm(lang::WindowContext& context, const QString& mode,
                        const SelUserRunner& run = runSelUserModally);

} // namespace output
