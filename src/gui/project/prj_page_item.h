// The tiles of the project page's start panels. TfrmePrjPageItem is their
// common frame: a light blue border that fills white under the mouse, and
// one action when the left button is released inside the border.
#pragma once

#include <QFrame>

namespace pc::gui {

// The border rectangle of a tile; filled white while the mouse is inside.
class TTileBorder : public QWidget {
  Q_OBJECT
 public:
  explicit TTileBorder(QWidget* parent = nullptr);
  bool Lit() const { return lit_; }
  void SetLit(bool lit);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool lit_ = false;
};

class TfrmePrjPageItem : public QFrame {
  Q_OBJECT
 public:
  explicit TfrmePrjPageItem(QWidget* parent = nullptr);
  ~TfrmePrjPageItem() override;

  // Fill the labels from the tile's data.
  virtual void LoadContent() {}
  // Release what LoadContent took.
  virtual void ReleaseContent() {}
  // One animation tick: light the border when `globalCursor` lies inside it.
  virtual void HoverTick(const QPoint& globalCursor);
  // The border (set by the derived tile's form).
  virtual TTileBorder* Border() const = 0;

 Q_SIGNALS:
  // The tile's action was asked for (a left click inside the border).
  void activated();

 protected:
  // Fits the frame to its border: height = border height + twice its top
  // offset; the border follows the frame's width.
  void FitToBorder();
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int borderLeft_ = 8;
  int borderTop_ = 8;
};

}  // namespace pc::gui
