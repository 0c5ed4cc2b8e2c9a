#include "app/LanguageChoice.h"

#include "lang/FormTextDump.h"
#include "lang/LanguageStore.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>

namespace app {

LanguageChoice::LanguageChoice(lang::LanguageStore& language, QWidget* parent)
    : QWidget(parent), language_(language), comb_language(new QComboBox(this)) {
    setObjectName("Panel_language");
    auto* label = new QLabel(this);
    label->setObjectName("lbl_language");
    label->setBuddy(comb_language);
    comb_language->setObjectName("comb_language");
    // Its items are language names from message rows, not rows of their own.
    lang::markAsDataList(*comb_language);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addStretch(1);
    layout->addWidget(label);
    layout->addWidget(comb_language);
    comb_language->installEventFilter(this);
    connect(comb_language, &QComboBox::activated, this, &LanguageChoice::choose);
}

bool LanguageChoice::eventFilter(QObject* watched, QEvent* event) {
    if (watched != comb_language)
        return false;
    if (event->type() == QEvent::Wheel)
        return true;
    if (event->type() != QEvent::KeyPress)
        return false;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        comb_language->showPopup();
        return true;
    default:
        return false;
    }
}

void LanguageChoice::fill() {
    const QSignalBlocker blocker(comb_language);
    comb_language->clear();
    for (const QString& name : language_.languages()) {
        const QString shown = language_.GetHintText(QStringLiteral("language_") + name);
        comb_language->addItem(shown.isEmpty() ? name : shown, name);
    }
    comb_language->setCurrentIndex(comb_language->findData(language_.currentLanguage()));
}

void LanguageChoice::choose(int index) {
    const QString name = comb_language->itemData(index).toString();
    if (name.isEmpty() || name == language_.currentLanguage())
        return;
    language_.chooseLanguage(name);
    fill();
    if (languageChanged)
        languageChanged();
}

} // namespace app
