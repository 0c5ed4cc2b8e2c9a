#pragma once

#include <QColor>
#include <QFont>

namespace output {

// The background of every second row.
inline const QColor kReportStripe(0xee, 0xf1, 0xf5);

// The font of the reports' texts, in points.
inline QFont reportFont(double points, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace output
