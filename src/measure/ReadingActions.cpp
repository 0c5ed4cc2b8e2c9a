#include "measure/ReadingActions.h"

#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "measure/DataPage.h"
#include "store/Database.h"
#include "store/DatabaseError.h"
#include "store/Tdm1.h"
#include "ui/DataGrid.h"
#include "ui/Toolbar.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLocale>
#include <QPushButton>

namespace measure {

ReadingActions::ReadingActions(lang::WindowContext& context, DataPage& page)
    : QObject(&page), context_(context), page_(page),
      button_(new QPushButton("New reading", page.toolbar())) {
    button_->setObjectName("btn_new_reading");
    // The tool bar is full at the narrowest window: there the caption is cut, not the
    // window widened.
    button_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    button_->setMinimumWidth(button_->fontMetrics().height());
    page.toolbar()->addWidget(button_);
    connect(button_, &QPushButton::clicked, this, &ReadingActions::newReading);
    ui::DataGrid* grid = page.grid();
    grid->installEventFilter(this);
    connect(grid, &ui::DataGrid::doubleClicked, this, &ReadingActions::editReading);
}

store::Dataset& ReadingActions::list() const {
    return context_.dm.ado_analysis;
}

QString ReadingActions::person() const {
    return page_.comb_user()->currentText();
}

// The page's date with four-digit years, then the locale's short time.
QString ReadingActions::momentFormat() const {
    return page_.shortDateFormat().pattern() + u' ' + QLocale().timeFormat(QLocale::ShortFormat);
}

bool ReadingActions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            editReading();
            return true;
        }
        if (plain && key->key() == Qt::Key_Delete) {
            deleteReading();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void ReadingActions::newReading() {
    if (person().isEmpty()) {
        context_.messages.inform("analysis_before_must_spec_user");
        page_.comb_user()->setFocus();
        return;
    }
    ReadingDialog dialog(context_, person(), 0, momentFormat(), page_.window());
    if (runDialog_(dialog))
        refresh(dialog.reading().moment);
}

bool ReadingActions::singleReadingChosen() {
    const store::Dataset& rows = list();
    if (!rows.isActive() || rows.isEmpty())
        return false;
    if (!page_.allowDelete() || rows.rowid() == 0) {
        context_.messages.inform("reading_change_of_averages");
        return false;
    }
    return true;
}

void ReadingActions::editReading() {
    if (!singleReadingChosen())
        return;
    const store::Dataset& rows = list();
    const QDateTime stored = rows.asDateTime("checktime");
    const QVariant pulse = rows.value("heart_beat");
    const readings::Reading reading{QDateTime(stored.date(), stored.time()),
                                    rows.asInteger("systolic"), rows.asInteger("diastolic"),
                                    pulse.isNull() ? std::nullopt : std::optional(pulse.toInt()),
                                    rows.asBoolean("delselection")};
    ReadingDialog dialog(context_, person(), rows.rowid(), momentFormat(), page_.window());
    dialog.setReading(reading);
    if (runDialog_(dialog))
        refresh(dialog.reading().moment);
}

void ReadingActions::deleteReading() {
    if (!singleReadingChosen())
        return;
    store::Dataset& rows = list();
    const QString shown = QLocale().toString(rows.asDateTime("checktime"), momentFormat());
    if (!context_.messages.ask("reading_delete_ask",
                               {shown, rows.asString("systolic"), rows.asString("diastolic")}))
        return;
    try {
        store::Transaction transaction(context_.dm.ADOConnection1);
        rows.remove();
        transaction.commit();
    } catch (const store::DatabaseError& error) {
        context_.messages.showError(error.message());
    }
    page_.FillChart();
}

// Reads the list again in its order, the changed reading current when it is listed.
void ReadingActions::refresh(const QDateTime& moment) {
    store::Dataset& rows = list();
    if (!rows.isActive())
        return;
    try {
        const QString sort = rows.sort();
        rows.open();
        if (!sort.isEmpty())
            rows.setSort(sort);
        page_.FillChart();
        if (page_.allowDelete())
            rows.locate("checktime", readings::wallClock(moment));
    } catch (const store::DatabaseError& error) {
        context_.messages.showError(error.message());
    }
}

} // namespace measure
