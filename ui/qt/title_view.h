// The title screen: the main window's client area, painted the same on every paint request and
// never changed by a command.
#pragma once

#include <QFont>
#include <QWidget>

namespace orlith::qt {

class TitleView : public QWidget {
  Q_OBJECT

 public:
  explicit TitleView(QWidget* parent = nullptr);

  // The title font ("Arial Black", 26 points) and the subtitle font ("Arial", 20 points) for the
  // screen this view is on; the credit line uses the view's own font.
  const QFont& titleFont() const { return titleFont_; }
  const QFont& textFont() const { return textFont_; }

 protected:
  // Fills the fixed 640 x 480 rectangle light blue and draws the three lines centred on x = 320,
  // whatever the real size of the view; what lies outside the view is clipped.
  void paintEvent(QPaintEvent* event) override;

 private:
  QFont titleFont_;
  QFont textFont_;
};

}  // namespace orlith::qt
