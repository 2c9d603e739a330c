// TUpdateAlert: the small desktop notice that tells how an update pass
// ended. It sits in the bottom right corner of the screen above other
// windows without taking the focus. A success notice closes by itself after
// five seconds; a failure notice stays until closed and has a button to the
// update log. Clicking the message also closes it and opens the log.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace pc::gui {

class TUpdateAlert final : public QFrame {
  Q_OBJECT
 public:
  static constexpr int kSuccessMilliseconds = 5000;

  // Object name "alertUpdate"; deletes itself when closed.
  TUpdateAlert(QWidget* owner, const QString& message, bool failed);

  QString Header() const { return header_->text(); }
  QString Message() const { return message_->text(); }
  // The log button; null on a success notice.
  QPushButton* LogButton() const { return logButton_; }
  // Shows the notice in the corner of the owner's screen.
  void Popup();

 Q_SIGNALS:
  void logRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OpenLog();

  QLabel* header_ = nullptr;
  QLabel* message_ = nullptr;
  QPushButton* logButton_ = nullptr;
  QTimer closeTimer_;
};

}  // namespace pc::gui
