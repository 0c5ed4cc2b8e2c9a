#pragma once

#include "readings/FileSurvey.h"

#include <QDialog>
#include <array>
#include <functional>

class QComboBox;
class QDialogButtonBox;
class QTableWidget;

namespace lang {
class LanguageStore;
}

namespace measure {

// Asks which column of a readings file holds each field: the first lines of the file in
// a table and one list of the file's columns per field. OK only once the mapping has the
// pressures and a date.
class ColumnMappingDialog : public QDialog {
    Q_OBJECT
public:
    ColumnMappingDialog(const lang::LanguageStore& language, const readings::FileSurvey& survey,
                        QWidget* parent = nullptr);

    QComboBox* fieldBox(readings::Field field) const { return boxes_[int(field)]; }
    QTableWidget* firstRows() const { return table_; }
    bool canAccept() const;
    readings::ColumnMapping mapping() const;

private:
    void updateOk();

    std::array<QComboBox*, readings::kFieldCount> boxes_{};
    QTableWidget* table_;
    QDialogButtonBox* buttons_;
};

using MappingRunner = std::function<bool(ColumnMappingDialog&)>;
bool runMappingModally(ColumnMappingDialog& dialog);

} // namespace measure
