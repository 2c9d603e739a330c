#include "gui/common/nullable_date_edit.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <cmath>

namespace pc::gui {

TNullableDateEdit::TNullableDateEdit(QWidget* parent) : QDateEdit(parent) {
  setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
  setMinimumDate(EmptyDate());
  setMaximumDate(QDate(2100, 12, 31));
  // Shown while the date is the lowest one: a blank, as the edit is empty.
  setSpecialValueText(QStringLiteral(" "));
  setCalendarPopup(true);
  setDate(EmptyDate());
}

void TNullableDateEdit::WatchCalendar() {
  if (calendarWatched_) return;
  calendarWatched_ = true;
  if (QCalendarWidget* calendar = calendarWidget()) calendar->installEventFilter(this);
}

void TNullableDateEdit::mousePressEvent(QMouseEvent* event) {
  WatchCalendar();
  QDateEdit::mousePressEvent(event);
}

bool TNullableDateEdit::IsEmpty() const { return date() <= EmptyDate(); }

TDateTime TNullableDateEdit::DayCount() const {
  return IsEmpty() ? 0 : static_cast<TDateTime>(EmptyDate().daysTo(date()));
}

void TNullableDateEdit::SetDayCount(TDateTime date) {
  if (!std::isfinite(date) || date < 1) {
    Clear();
    return;
  }
  setDate(EmptyDate().addDays(static_cast<qint64>(std::floor(date))));
}

void TNullableDateEdit::Clear() { setDate(EmptyDate()); }

void TNullableDateEdit::stepBy(int steps) {
  if (IsEmpty()) {
    setDate(QDate::currentDate());
    return;
  }
  QDateEdit::stepBy(steps);
}

QAbstractSpinBox::StepEnabled TNullableDateEdit::stepEnabled() const {
  return IsEmpty() ? (StepUpEnabled | StepDownEnabled) : QDateEdit::stepEnabled();
}

void TNullableDateEdit::keyPressEvent(QKeyEvent* event) {
  WatchCalendar();
  const bool erase = event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace;
  if (erase && !IsEmpty() && lineEdit()->selectedText() == lineEdit()->text()) {
    Clear();
    event->accept();
    return;
  }
  if (IsEmpty() && !event->text().isEmpty() && event->text().at(0).isDigit()) {
    // An empty edit has no sections to type into: start from today, then
    // the key overwrites the first section.
    setDate(QDate::currentDate());
    setSelectedSection(QDateTimeEdit::DaySection);
  }
  QDateEdit::keyPressEvent(event);
}

bool TNullableDateEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == calendarWidget() && event->type() == QEvent::Show && IsEmpty()) {
    const QDate today = QDate::currentDate();
    calendarWidget()->setCurrentPage(today.year(), today.month());
  }
  return QDateEdit::eventFilter(watched, event);
}

}  // namespace pc::gui
