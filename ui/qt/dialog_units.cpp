#include "ui/qt/dialog_units.h"

#include <cstdint>

namespace orlith::qt {

int MulDiv(int number, int numerator, int denominator) {
  std::int64_t product = static_cast<std::int64_t>(number) * numerator;
  std::int64_t half = denominator / 2;
  std::int64_t rounded =
      product >= 0 ? (product + half) / denominator : (product - half) / denominator;
  return static_cast<int>(rounded);
}

int DialogXToPixels(int x) { return MulDiv(x, kBaseUnitX, 4); }
int DialogYToPixels(int y) { return MulDiv(y, kBaseUnitY, 8); }

QRect ControlRectInPixels(const ControlLayout& control) {
  return QRect(DialogXToPixels(control.x), DialogYToPixels(control.y),
               DialogXToPixels(control.width), DialogYToPixels(control.height));
}

QSize DialogSizeInPixels(const DialogLayout& layout) {
  return QSize(DialogXToPixels(layout.width), DialogYToPixels(layout.height));
}

}  // namespace orlith::qt
