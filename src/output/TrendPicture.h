#pragma once

#include "readings/Category.h"
#include "readings/Reading.h"

#include <QRectF>
#include <QVector>

class QPainter;

namespace output {

// Paints the readings as the Data page's chart shows them, over the whole period: pressure
// above with dashed lines at the threshold, pulse below, dates under both. area is in
// device pixels, k the device pixels per point.
void paintTrend(QPainter& painter, const QRectF& area, const QVector<readings::Reading>& readings,
                readings::Threshold threshold, double k);

} // namespace output
