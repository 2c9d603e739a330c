// A date edit that may be empty. Qt's date edit always holds a date; this
// one keeps its lowest date, 30 December 1899 (day 0 of the program's date
// count), as "no date" and then shows nothing. Delete or Backspace with the
// whole text selected empties it; typing into an empty edit starts from
// today; the calendar of an empty edit opens on today.
#pragma once

#include <QDateEdit>
#include <optional>

#include "common/date_time.h"

namespace pc::gui {

class TNullableDateEdit : public QDateEdit {
  Q_OBJECT
 public:
  explicit TNullableDateEdit(QWidget* parent = nullptr);

  bool IsEmpty() const;
  // The date as the program counts days (whole days); 0 when empty.
  TDateTime DayCount() const;
  // Shows a day count cut to whole days; 0 (or below) empties the edit.
  void SetDayCount(TDateTime date);
  void Clear();
  // Stepping (arrow keys, wheel) an empty edit starts from today.
  void stepBy(int steps) override;

  static QDate EmptyDate() { return QDate(1899, 12, 30); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  StepEnabled stepEnabled() const override;

 private:
  // Watches the calendar popup; made only when the user may open it (a key
  // or a click), since the calendar is costly to build and most edits are
  // never opened.
  void WatchCalendar();
  bool calendarWatched_ = false;
};

}  // namespace pc::gui
