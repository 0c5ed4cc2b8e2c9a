#pragma once

#include <QDate>
#include <QLineEdit>
#include <optional>

class QCalendarWidget;
class QLocale;

namespace persons {

// A date of birth typed in the locale's short date format, with a two- or four-digit
// year; a two-digit year falls in the latest century that puts the date not after today.
// Invalid when the text is no such date.
QDate readBirthday(const QString& text, const QLocale& locale, QDate today);

// The date of birth: typed, or picked in a calendar that drops down from the field (its
// arrow, Alt+Down or F4).
class BirthdayEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit BirthdayEdit(QWidget* parent = nullptr);

    // A null date for an empty field, nothing when the text is no date.
    std::optional<QDate> date() const;
    // Shows the date in the short format with a four-digit year; a null date empties it.
    void setDate(QDate day);
    // Opens at the typed date, else fifty years before today.
    void showCalendar();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void pick(QDate day);

    QCalendarWidget* calendar_ = nullptr;
};

} // namespace persons
