// A label that acts as a link: blue and underlined, the hand cursor, and a
// clicked() signal when the left button is released over it.
#pragma once

#include <QLabel>

namespace pc::gui {

class TLinkLabel : public QLabel {
  Q_OBJECT
 public:
  explicit TLinkLabel(QWidget* parent = nullptr);
  // The colour of the text (blue unless set).
  void SetLinkColour(const QColor& colour);

 Q_SIGNALS:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // Space acts as a click while the link has the focus (reached with Tab).
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace pc::gui
