#pragma once

#include "store/AppFiles.h"
#include "ui/Tag.h"

#include <QObject>
#include <QString>

class QWidget;

namespace store {
class Tdm1;
}

namespace lang {

struct WindowContext;

// Combo boxes whose ui::tag is this or more are left out of the dump, and language rows
// never rename their items.
inline constexpr int DumpExcludedTag = 20;

// A list whose items are data (persons, languages), not texts to translate.
inline void markAsDataList(QObject& list) {
    ui::setTag(list, DumpExcludedTag);
}

inline bool isDataList(const QObject& list) {
    return ui::tag(list) >= DumpExcludedTag;
}

// When "post.txt" is among the program's files: appends one bp_language row through dm.ado_cfg for
// every text item of the window, the window's current text in every text column, in the
// order the window owns its components. Without the marker nothing happens.
void PostFormText(QWidget& window, store::Tdm1& dm, const store::AppFiles& files);

// True for F2 with Ctrl held, whatever Shift and Alt.
bool isFormTextDumpKey(int key, Qt::KeyboardModifiers modifiers);

// Key preview for a dialog: Ctrl+F2 pressed anywhere in the window runs PostFormText on
// it, before the focused control sees the key.
class FormTextDumpKey : public QObject {
    Q_OBJECT
public:
    FormTextDumpKey(QWidget& window, WindowContext& context);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    WindowContext& context_;
};

} // namespace lang
