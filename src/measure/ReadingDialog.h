#pragma once

#include "readings/Reading.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QDateTimeEdit;
class QLineEdit;

namespace lang {
struct WindowContext;
}

namespace measure {

// One reading of a person entered by hand: date and time, the two pressures, the pulse
// and the mark. OK checks the reading and saves it, as a new row or over the row it was
// opened on; a refusal names the field, and the dialog stays open on it.
class ReadingDialog : public QDialog {
    Q_OBJECT
public:
    // rowid 0 makes a new reading, at the current minute until setReading.
    // momentFormat: how the date and time are written and typed.
    ReadingDialog(lang::WindowContext& context, const QString& person, qint64 rowid,
                  const QString& momentFormat, QWidget* parent = nullptr);

    void setReading(const readings::Reading& reading);
    readings::Reading reading() const;

    void btn_okClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void refuse(const QString& key);

    lang::WindowContext& context_;
    QString person_;
    qint64 rowid_;
    QDateTimeEdit* dtp_checktime;
    QLineEdit* edt_systolic;
    QLineEdit* edt_diastolic;
    QLineEdit* edt_heart_beat;
    QCheckBox* chk_delselection;
};

// Shows the dialog until the reading is saved or the operator cancels; true when saved.
using ReadingDialogRunner = std::function<bool(ReadingDialog&)>;
bool runReadingDialog(ReadingDialog& dialog);

} // namespace measure
