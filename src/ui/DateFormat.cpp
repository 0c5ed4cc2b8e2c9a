#include "ui/DateFormat.h"

#include <QRegularExpression>

namespace ui {

QString withFourDigitYear(const QString& format) {
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    return QString(format).replace(twoDigitYear, QStringLiteral("yyyy"));
}

} // namespace ui
