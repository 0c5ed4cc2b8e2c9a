#pragma once

#include <QString>
#include <QVariant>
#include <functional>

namespace lang {

class LanguageStore;

// The text of a message key in the language of the moment.
using KeyText = std::function<QString(const QString& key)>;

// The short markers of the conditions a measurement status word reports (body movement,
// cuff fit, irregular pulse, pulse range, position), joined with ", "; empty when it
// reports none. `stored` is the column measurement_status: null for readings that came
// without a status.
QString statusMarkers(const KeyText& text, const QVariant& stored);
QString statusMarkers(const LanguageStore& language, const QVariant& stored);

} // namespace lang
