#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;

namespace lang {
struct WindowContext;
}
namespace ui {
class RadioGroup;
}

namespace measure {

class ShortDateFormat;

// The analysis dialog: the mode in RadioGroup1, the range in dt1 and dt2, or "All".
class Tfrm_analysis : public QDialog {
    Q_OBJECT
public:
    // Days on either side of today that "All" stands for, and the distance from which
    // a range shown again counts as "All".
    static constexpr int AllDays = 3600;
    static constexpr int AllRecognisedDays = 3500;

    explicit Tfrm_analysis(lang::WindowContext& context, QWidget* parent = nullptr);

    // Shows the mode and the range passed in; an empty or unreadable text keeps the
    // picker's default, an unknown mode keeps the first item.
    void prepare(const QString& mode, const QString& startText, const QString& endText,
                 const QString& pattern, const ShortDateFormat& dates);
    // The choice as the operator confirmed it; no chosen item keeps mode as it is.
    void result(QString& mode, QString& startText, QString& endText,
                const ShortDateFormat& dates) const;

    void CheckBox1Click();
    void btn_okClick();
    void btn_cancelClick();

    ui::RadioGroup* radioGroup() const { return RadioGroup1; }
    QDateEdit* startPicker() const { return dt1; }
    QDateEdit* endPicker() const { return dt2; }
    QCheckBox* allBox() const { return CheckBox1; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormShow();

    lang::WindowContext& context_;
    ui::RadioGroup* RadioGroup1;
    QGroupBox* GroupBox1;
    QLabel* Label2;
    QDateEdit* dt1;
    QLabel* Label3;
    QDateEdit* dt2;
    QCheckBox* CheckBox1;
    QPushButton* btn_ok;
    QPushButton* btn_cancel;
};

// Shows the dialog until the operator confirms or cancels; true on OK.
using AnalysisDialogRunner = std::function<bool(Tfrm_analysis&)>;
bool runModally(Tfrm_analysis& dialog);

// Runs the dialog on mode, startText and endText; they are written only when the
// operator confirms, so after a cancel they hold what was passed in.
void ShowAnalysisForm(lang::WindowContext& context, QWidget* parent, QString& mode,
                      QString& startText, QString& endText, const QString& pattern,
                      const ShortDateFormat& dates, const AnalysisDialogRunner& run = runModally);

} // namespace measure
