#pragma once

#include "measure/ReadingDialog.h"

#include <QObject>

class QPushButton;

namespace lang {
struct WindowContext;
}
namespace store {
class Dataset;
}

namespace measure {

class DataPage;

// Readings by hand on the Data page: the button "btn_new_reading" on its tool bar for a
// new reading of the chosen person; Enter or a double-click on a row of single readings
// edits it, the Delete key deletes it after a question. Each change is one transaction,
// after which the list and the chart show it.
class ReadingActions : public QObject {
    Q_OBJECT
public:
    ReadingActions(lang::WindowContext& context, DataPage& page);

    QPushButton* newButton() const { return button_; }
    void newReading();
    void editReading();
    void deleteReading();

    // Modal by default.
    void setDialogRunner(ReadingDialogRunner run) { runDialog_ = std::move(run); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    store::Dataset& list() const;
    QString person() const;
    QString momentFormat() const;
    // The list's current row is a stored reading; otherwise the user is told why not.
    bool singleReadingChosen();
    void refresh(const QDateTime& moment);

    lang::WindowContext& context_;
    DataPage& page_;
    QPushButton* button_;
    ReadingDialogRunner runDialog_ = runReadingDialog;
};

} // namespace measure
