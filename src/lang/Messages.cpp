#include "Messages.h"

#include "LanguageStore.h"

#include <QMessageBox>

namespace lang {

namespace {

QMessageBox::StandardButton show(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                 const QString& text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, caption, text, buttons, parent);
    // Every question deletes, replaces or ends something: Enter must not say Yes to it.
    if (buttons.testFlag(QMessageBox::No))
        box.setDefaultButton(QMessageBox::No);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

MessageBoxes::MessageBoxes(const LanguageStore& language, QWidget* parent)
    : language_(language), parent_(parent) {}

void MessageBoxes::inform(const QString& key) {
    show(parent_, QMessageBox::Information, language_.TitleText(), language_.GetHintText(key),
         QMessageBox::Ok);
}

void MessageBoxes::fail(const QString& key, const QStringList& arguments) {
    showError(language_.GetHintText(key, arguments));
}

bool MessageBoxes::ask(const QString& key, const QStringList& arguments) {
    return show(parent_, QMessageBox::Information, language_.TitleText(),
                language_.GetHintText(key, arguments),
                QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void MessageBoxes::showError(const QString& text) {
    show(parent_, QMessageBox::Critical, language_.TitleText(), text, QMessageBox::Ok);
}

} // namespace lang
