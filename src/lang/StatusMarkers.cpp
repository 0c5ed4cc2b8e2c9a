#include "lang/StatusMarkers.h"

#include "lang/LanguageStore.h"
#include "store/MeasurementStatus.h"

#include <QStringList>

namespace lang {

namespace {

// The message keys of the set bits, in bit order.
QStringList markerKeys(quint16 status) {
    using namespace store;
    QStringList keys;
    if (status & kStatusBodyMovement)
        keys << QStringLiteral("status_body_movement");
    if (status & kStatusCuffFit)
        keys << QStringLiteral("status_cuff_loose");
    if (status & kStatusIrregularPulse)
        keys << QStringLiteral("status_irregular_pulse");
    if (pulseRange(status) == PulseRange::Above)
        keys << QStringLiteral("status_pulse_above");
    if (pulseRange(status) == PulseRange::Below)
        keys << QStringLiteral("status_pulse_below");
    if (status & kStatusPosition)
        keys << QStringLiteral("status_position");
    return keys;
}

} // namespace

QString statusMarkers(const KeyText& text, const QVariant& stored) {
    if (stored.isNull())
        return {};
    QStringList markers;
    for (const QString& key : markerKeys(quint16(stored.toUInt())))
        markers << text(key);
    return markers.join(QStringLiteral(", "));
}

QString statusMarkers(const LanguageStore& language, const QVariant& stored) {
    return statusMarkers([&language](const QString& key) { return language.GetHintText(key); },
                         stored);
}

} // namespace lang
