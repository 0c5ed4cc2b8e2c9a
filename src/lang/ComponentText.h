#pragma once

#include <QString>

namespace lang {

class LanguageStore;

// The caption the window form gives its component in the current language (showtext where
// that is empty); empty without such a row. Throws store::DatabaseError.
QString captionText(const LanguageStore& language, const QString& form, const QString& component);

// The item of the form's drop-down whose default text is value, in the current language;
// value itself when no item has that text. Throws store::DatabaseError.
QString itemText(const LanguageStore& language, const QString& form, const QString& component,
                 const QString& value);

} // namespace lang
