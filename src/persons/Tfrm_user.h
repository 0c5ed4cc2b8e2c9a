#pragma once

#include "persons/GenderItems.h"

#include <QDialog>
#include <QList>
#include <QVariant>

class QGroupBox;
class QLineEdit;

namespace lang {
struct WindowContext;
}

namespace persons {

// The person dialog: edits the current record of ado_user field by field, mode "new"
// (a record appended by the opener) or "edit".
class Tfrm_user : public QDialog {
    Q_OBJECT
public:
    Tfrm_user(lang::WindowContext& context, const QString& mode, QWidget* parent = nullptr);

    // Save: the checks of names and birthday, the duplicate test, applying (with the readings of a
    // renamed person moved to the new name), the list refill, close.
    void BitBtn1Click();
    // Cancel.
    void BitBtn2Click();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Binding {
        QWidget* widget;
        QString column;
    };

    void buildLayout();
    QGroupBox* addRiskFactors(QWidget*& previous);
    void FormShow();
    void FormClose();
    void loadFields();
    void writeField(const QString& column, const QVariant& value);
    QLineEdit* lineEdit(const QString& column) const;
    bool refuse(QWidget* field, const char* key);
    bool takeName(QLineEdit* edit, const char* emptyKey);
    bool takeBirthday();
    void moveReadings(const QString& lastName);

    lang::WindowContext& context_;
    QString mode_;
    QString storedLastName_; // mode "edit": the last name the readings carry
    GenderItems genderItems_;
    QList<Binding> bindings_;
    bool bound_ = false; // fields follow the record only after they show it
    bool saved_ = false;
};

} // namespace persons
