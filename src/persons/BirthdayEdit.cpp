#include "persons/BirthdayEdit.h"

#include "store/DateFormat.h"

#include <QAction>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLocale>
#include <QRegularExpression>
#include <QStyle>

namespace persons {

namespace {

QString shortFormat() {
    return store::withFourDigitYear(QLocale().dateFormat(QLocale::ShortFormat));
}

} // namespace

QDate readBirthday(const QString& text, const QLocale& locale, QDate today) {
    // Day and month may be typed without their leading zero.
    static const QRegularExpression paddedDayOrMonth(QStringLiteral("(?<![dM])([dM])\\1(?![dM])"));
    static const QRegularExpression year(QStringLiteral("y+"));
    const QString format = locale.dateFormat(QLocale::ShortFormat).replace(paddedDayOrMonth, "\\1");
    const QString typed = text.trimmed();
    const QDate full = locale.toDate(typed, QString(format).replace(year, "yyyy"));
    if (full.isValid())
        return full;
    // Qt reads a two-digit year as 19yy.
    const QDate twoDigits = locale.toDate(typed, QString(format).replace(year, "yy"));
    return twoDigits.isValid() && twoDigits.addYears(100) <= today ? twoDigits.addYears(100)
                                                                   : twoDigits;
}

BirthdayEdit::BirthdayEdit(QWidget* parent) : QLineEdit(parent) {
    QAction* drop = addAction(style()->standardIcon(QStyle::SP_ArrowDown), TrailingPosition);
    connect(drop, &QAction::triggered, this, &BirthdayEdit::showCalendar);
}

std::optional<QDate> BirthdayEdit::date() const {
    if (text().trimmed().isEmpty())
        return QDate();
    const QDate day = readBirthday(text(), QLocale(), QDate::currentDate());
    return day.isValid() ? std::optional(day) : std::nullopt;
}

void BirthdayEdit::setDate(QDate day) {
    setText(day.isNull() ? QString() : QLocale().toString(day, shortFormat()));
}

void BirthdayEdit::showCalendar() {
    if (!calendar_) {
        calendar_ = new QCalendarWidget(this);
        calendar_->setWindowFlags(Qt::Popup);
        connect(calendar_, &QCalendarWidget::clicked, this, &BirthdayEdit::pick);
        connect(calendar_, &QCalendarWidget::activated, this, &BirthdayEdit::pick);
    }
    const QDate today = QDate::currentDate();
    calendar_->setMaximumDate(today);
    const std::optional<QDate> typed = date();
    const bool known = typed && typed->isValid() && *typed <= today;
    if (known)
        calendar_->setSelectedDate(*typed);
    const QDate shown = known ? *typed : today.addYears(-50);
    calendar_->setCurrentPage(shown.year(), shown.month());
    calendar_->move(mapToGlobal(rect().bottomLeft()));
    calendar_->show();
    calendar_->setFocus();
}

void BirthdayEdit::pick(QDate day) {
    setDate(day);
    calendar_->hide();
    setFocus();
}

void BirthdayEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F4 ||
        (event->key() == Qt::Key_Down && event->modifiers() & Qt::AltModifier))
        showCalendar();
    else
        QLineEdit::keyPressEvent(event);
}

} // namespace persons
