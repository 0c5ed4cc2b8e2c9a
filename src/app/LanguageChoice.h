#pragma once

#include <QWidget>
#include <functional>

class QComboBox;

namespace lang {
class LanguageStore;
}

namespace app {

// The language list of the Home page: one item per text column of bp_language, each
// shown by its own name (message key "language_" + column language). Choosing an item
// stores it and calls languageChanged. The arrow keys and the wheel open the list instead
// of switching the language at each step.
class LanguageChoice : public QWidget {
    Q_OBJECT
public:
    explicit LanguageChoice(lang::LanguageStore& language, QWidget* parent = nullptr);

    // Refills the items and marks the language in use.
    void fill();
    QComboBox* list() const { return comb_language; }

    std::function<void()> languageChanged;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(int index);

    lang::LanguageStore& language_;
    QComboBox* comb_language;
};

} // namespace app
